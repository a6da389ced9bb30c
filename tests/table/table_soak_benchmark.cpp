// The long soak: random hands at real tables (a third each at a Classic, a
// Riichi and a tournament table)
// against the scripted game server, played through the real GameController
// and GameWindow. Prints hands, events, requests that were not offered and
// the time taken; exits with 1 when anything went wrong.
//
//     table_soak_benchmark [seed] [hands] [kinds left out] [tables]
// (kinds and tables comma-separated; the tables 1001, 1002 and 7001 by default;
// 1004 seats three)
#include "table/TableSoak.h"

#include <QApplication>
#include <QLoggingCategory>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kestrova-soak"));
    // Only what goes wrong: a thousand hands of debug lines drown it.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    // Warnings are tallied per run and printed with its figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    const QStringList args = QApplication::arguments();
    const quint32 seed = args.size() > 1 ? args[1].toUInt() : 28;
    const int hands = args.size() > 2 ? std::max(3, args[2].toInt()) : 1000;
    const QStringList off = args.size() > 3 ? args[3].split(QLatin1Char(','), Qt::SkipEmptyParts) : QStringList{};

    bool ok = true;
    int totalHands = 0;
    qint64 totalEvents = 0, totalMs = 0;
    int totalViolations = 0;
    // Classic, Riichi, and a Classic tournament table whose rounds end.
    QList<qint32> tables{1001, 1002, 7001};
    if (args.size() > 4) {
        tables.clear();
        for (const QString &id : args[4].split(QLatin1Char(','), Qt::SkipEmptyParts))
            tables << id.toInt();
    }
    for (const qint32 table : tables) {
        TableSoakRun run;
        run.tableId = table;
        run.tournament = table == 7001;
        run.seed = seed + quint32(table);
        run.hands = tables.size() == 3 && table == tables.front() ? hands - 2 * (hands / 3)
                                                                  : hands / int(tables.size());
        run.answerMs = 400;
        run.off = off;
        run.timeoutMs = 90000;
        run.verbose = qEnvironmentVariableIsSet("MAHJONG_SOAK_VERBOSE");
        run.play();

        std::printf("table %d (%s), seed %u: %d hands, %lld events, %lld violations, %d late answers, "
                    "%d time-outs, %d kicks to the watchers, %d offers after a hand's end, %d clicks (%d while the own "
                    "claim flew), %.1f s (%.2f hands/s)\n",
                    table,
                    table == 1002   ? "Riichi"
                    : table == 1001 ? "Classic"
                    : table == 1003 ? "International, East only"
                    : table == 1004 ? "Riichi, three seats"
                                    : "Classic tournament",
                    run.seed, run.handsPlayed, run.events, qint64(run.violations.size()), run.late, run.timeouts,
                    run.kicks, run.lateEvents, run.playerActions, run.claimClicks, run.elapsedMs / 1000.0,
                    run.elapsedMs > 0 ? run.handsPlayed * 1000.0 / run.elapsedMs : 0.0);
        for (const QString &v : run.violations)
            std::printf("  %s\n", qPrintable(v));
        std::printf("  answers: %s; tournament rounds ended: %d; offers left to time out on purpose: %d; "
                    "ready during a tournament hand: %d\n",
                    qPrintable(run.answers), run.roundEnds, run.playerSleeps, run.ignoredReady);
        for (const QString &t : run.inconsistencies)
            std::printf("  counts differ: %s\n", qPrintable(t));
        for (const QString &t : run.unexplainedTimeouts)
            std::printf("  time-out the player did not choose: %s\n", qPrintable(t));
        for (const auto &[warning, n] : run.warnings)
            std::printf("  client warning x%d: %s\n", n, qPrintable(warning));
        if (!run.failure.isEmpty())
            std::printf("  stopped: %s\n", qPrintable(run.failure));
        if (!run.logFile.isEmpty())
            std::printf("  log: %s\n", qPrintable(run.logFile));
        std::fflush(stdout);
        ok = ok && run.finished && run.failure.isEmpty() && run.violations.isEmpty() && run.inconsistencies.isEmpty()
             && run.clientErrors == 0;
        totalHands += run.handsPlayed;
        totalEvents += run.events;
        totalMs += run.elapsedMs;
        totalViolations += int(run.violations.size());
    }
    std::printf("total: %d hands, %lld events, %d violations, %.1f s\n", totalHands, totalEvents, totalViolations,
                totalMs / 1000.0);
    return ok ? 0 : 1;
}
