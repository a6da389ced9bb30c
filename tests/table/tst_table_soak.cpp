// Random hands at a real table: the scripted game server deals and plays
// the bots, the real GameController and GameWindow follow every hand over a
// real connection, and a random player answers through the window. Every
// well-formed event must keep the session alive, and every request the
// client sends must be one the server offered.
#include "table/TableSoak.h"

#include <QtTest>

class TestTableSoak : public QObject
{
    Q_OBJECT

private slots:
    void randomHands_data();
    void randomHands();
};

void TestTableSoak::randomHands_data()
{
    QTest::addColumn<qint32>("tableId");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("tournament");
    // Classic: flowers and their replacements, chows; Riichi: riichi and kan
    // dora. Both: claims, kongs, wins, time-outs, kicks to the watchers and
    // the way back, offers after a hand's end.
    QTest::newRow("classic") << 1001 << 2801u << false;
    QTest::newRow("riichi") << 1002 << 2802u << false;
    // Seated by the tournament, rounds ending every three hands.
    QTest::newRow("tournament") << 7001 << 2803u << true;
}

void TestTableSoak::randomHands()
{
    QFETCH(qint32, tableId);
    QFETCH(quint32, seed);
    QFETCH(bool, tournament);
    TableSoakRun run;
    run.tournament = tournament;
    run.tableId = tableId;
    run.seed = seed;
    run.hands = 6;
    // Generous: the sanitizer builds answer slowly.
    run.answerMs = 3000;
    run.timeoutMs = 150000;
    // For hunting one fault with the others switched off, by hand only.
    run.off = qEnvironmentVariable("MAHJONG_SOAK_OFF").split(QLatin1Char(','), Qt::SkipEmptyParts);
    run.verbose = qEnvironmentVariableIsSet("MAHJONG_SOAK_VERBOSE");
    run.play();
    if (run.verbose || !run.violations.isEmpty() || !run.failure.isEmpty()) {
        QFile log(QDir::temp().filePath(QStringLiteral("table_soak-%1.log").arg(QTest::currentDataTag())));
        if (log.open(QIODevice::WriteOnly | QIODevice::Text))
            log.write(run.log.join(QLatin1Char('\n')).toUtf8());
        qInfo("the server's log: %s", qPrintable(log.fileName()));
    }
    qInfo("%d hands, %lld events, %d time-outs, %d late answers, %d kicks, %d offers after a hand's end, "
          "%d round ends, %d clicks, %.1f s; answers %s",
          run.handsPlayed, run.events, run.timeouts, run.late, run.kicks, run.lateEvents, run.roundEnds,
          run.playerActions, run.elapsedMs / 1000.0, qPrintable(run.answers));
    for (const auto &[warning, n] : run.warnings)
        qInfo("client warning x%d: %s", n, qPrintable(warning));
    QVERIFY2(run.violations.isEmpty(), qPrintable(run.violations.join(QLatin1Char('\n'))));
    QVERIFY2(run.failure.isEmpty(), qPrintable(run.failure));
    QCOMPARE(run.clientErrors, 0);
    QVERIFY(!run.disconnected);
    QVERIFY(run.finished);
    QCOMPARE(run.handsPlayed, run.hands);
    // Whole hands went by, not just a deal.
    QVERIFY(run.events > run.hands * 20);
    if (tournament)
        QCOMPARE(run.roundEnds, run.hands / 3 - 1);
}

QTEST_MAIN(TestTableSoak)
#include "tst_table_soak.moc"
