// The long soak: random hands at real tables (half Classic, half Riichi)
// against the scripted game server, played through the real GameController
// and GameWindow. Prints hands, events, requests that were not offered and
// the time taken; exits with 1 when anything went wrong.
//
//     table_soak_benchmark [seed] [hands] [kinds left out, comma-separated]
#include "table/TableSoak.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kestrova-soak"));
    const QStringList args = QApplication::arguments();
    const quint32 seed = args.size() > 1 ? args[1].toUInt() : 28;
    const int hands = args.size() > 2 ? std::max(2, args[2].toInt()) : 1000;
    const QStringList off = args.size() > 3 ? args[3].split(QLatin1Char(','), Qt::SkipEmptyParts) : QStringList{};

    bool ok = true;
    int totalHands = 0;
    qint64 totalEvents = 0, totalMs = 0;
    int totalViolations = 0;
    for (const qint32 table : {1001, 1002}) {
        TableSoakRun run;
        run.tableId = table;
        run.seed = seed + quint32(table);
        run.hands = hands / 2;
        run.answerMs = 600;
        run.off = off;
        run.timeoutMs = run.hands * 30000;
        run.play();
        std::printf("table %d (%s), seed %u: %d hands, %lld events, %lld violations, %d late answers, "
                    "%d time-outs, %d kicks to the watchers, %d offers after a hand's end, %d clicks, %.1f s "
                    "(%.2f hands/s)\n",
                    table, table == 1001 ? "Classic" : "Riichi", run.seed, run.handsPlayed, run.events,
                    qint64(run.violations.size()), run.late, run.timeouts, run.kicks, run.lateEvents, run.playerActions,
                    run.elapsedMs / 1000.0, run.elapsedMs > 0 ? run.handsPlayed * 1000.0 / run.elapsedMs : 0.0);
        for (const QString &v : run.violations)
            std::printf("  %s\n", qPrintable(v));
        if (!run.failure.isEmpty())
            std::printf("  stopped: %s\n", qPrintable(run.failure));
        ok = ok && run.finished && run.failure.isEmpty() && run.violations.isEmpty() && run.clientErrors == 0;
        totalHands += run.handsPlayed;
        totalEvents += run.events;
        totalMs += run.elapsedMs;
        totalViolations += int(run.violations.size());
    }
    std::printf("total: %d hands, %lld events, %d violations, %.1f s\n", totalHands, totalEvents, totalViolations,
                totalMs / 1000.0);
    return ok ? 0 : 1;
}
