// Random hands at a real table: the scripted game server deals and plays
// the bots, the real GameController and GameWindow follow every hand over a
// real connection, and a random player answers through the window. Every
// well-formed event must keep the session alive, and every request the
// client sends must be one the server offered.
#include "DemoPeerLogin.h"
#include "protocol/ConnectionManager.h"
#include "protocol/PrivatePlayerData.h"
#include "table/TableSoak.h"
#include "tools/peer/PeerProcess.h"

#include <QThread>
#include <QtTest>

#include <algorithm>

class TestTableSoak : public QObject
{
    Q_OBJECT

private slots:
    void randomHands_data();
    void randomHands();
    // The server's bookkeeping sees requests it did not offer, so a soak
    // without violations means something.
    void requestsNotOfferedAreReported();
    // An answer sent before the client read its offer's time-out is late,
    // even when the tile it names was played for the player at the time-out.
    void anAnswerCrossingItsTimeOutIsLate();
    // The stand-in of a player moved to the watchers leaves after the hand,
    // and the lobby hears of the free seat, so that the watcher may join.
    void theFreedSeatIsAnnounced();
    // After the last hand a watcher sees the seat of a player who left
    // during it free until the newcomer's join comes: a join crossing that
    // is late; one sent after the client has seen the seat taken is not
    // offered.
    void aJoinCrossingTheNewcomerIsLate();
    // A kick in the last hand whose watch comes after the run has ended (a
    // bot won before the player's seat came round): nothing the client saw
    // ended the question, so the watch is an answer, not a fault.
    void aKickAnsweredAfterTheLastHandIsAnAnswer();
};

// The soak player logged in on a bare session at a random table of the
// seed, its kinds of event but those off played.
bool startBareSession(PeerProcess &peer, ConnectionManager &session, int seed, int hands, int answerMs,
                      const QString &off, const QStringList &more = {})
{
    const QStringList args{QStringLiteral("--account"),          QStringLiteral("soak:soak:5001:Soak"),
                           QStringLiteral("--random-table"),     QString::number(seed),
                           QStringLiteral("--random-hands"),     QString::number(hands),
                           QStringLiteral("--random-answer-ms"), QString::number(answerMs),
                           QStringLiteral("--random-off"),       off};
    if (!peer.start(args + more)) {
        qWarning() << peer.errorString();
        return false;
    }
    PeerProcess::installTestCa();
    return logInAt(session, peer.port(), QStringLiteral("soak"), QStringLiteral("soak"));
}

// A plain player on a bare session: Ready, the drawn tile back, a pass on
// every offer; silent while it watches.
class PlainPlayer
{
public:
    PlainPlayer(ConnectionManager &session, qint32 own)
    {
        QObject::connect(&session, &ConnectionManager::areYouReady, &m_context,
                         [&session, own](qint32 table, const TimeSpan &) { session.ready(table, own); });
        // The turn may be told before its draw: the drawn tile goes once
        // both have come.
        QObject::connect(&session, &ConnectionManager::tilesFromWall, &m_context,
                         [this, &session, own](qint32 table, const tile_vector &tiles, bool) {
            if (tiles.size() != 1)
                return;
            m_drawn = tiles.front();
            m_fresh = true;
            if (m_turnTold && !watching) {
                m_turnTold = m_fresh = false;
                session.discard_tile(table, own, m_drawn);
            }
        });
        QObject::connect(&session, &ConnectionManager::playerShouldAct, &m_context,
                         [this, &session, own](qint32 table, const TimeSpan &, qint32 playerId) {
            if (playerId != own || watching)
                return;
            if (m_fresh) {
                m_fresh = false;
                session.discard_tile(table, own, m_drawn);
            } else {
                m_turnTold = true;
            }
        });
        QObject::connect(&session, &ConnectionManager::meldSuggestion, &m_context,
                         [this, &session, own](qint32 table, const TimeSpan &, const meld_offer_vector &) {
            if (!watching)
                session.call_pass(table, own, false);
        });
    }

    // Moved to the watchers: the turn it waited for is gone.
    void watch()
    {
        watching = true;
        m_turnTold = m_fresh = false;
    }

    bool watching = false;

private:
    QObject m_context;
    tile m_drawn = 0;
    bool m_turnTold = false;
    bool m_fresh = false;
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
    // East only (an International table): the hand watched after a move to
    // the watchers, or sent again, seats all four players.
    QTest::newRow("east only") << 1003 << 2808u << false;
    // Three seats (a Riichi table): every hand, watched hand and hand sent
    // again seats three players, East, South and West.
    QTest::newRow("three seats") << 1004 << 2809u << false;
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
    // Without any table event this long the table is stuck, however slowly
    // the machine plays.
    run.timeoutMs = 90000;
    // For hunting one fault with the others switched off, by hand only.
    run.off = qEnvironmentVariable("MAHJONG_SOAK_OFF").split(QLatin1Char(','), Qt::SkipEmptyParts);
    run.verbose = qEnvironmentVariableIsSet("MAHJONG_SOAK_VERBOSE");
    run.play();
    if (!run.logFile.isEmpty())
        qInfo("the run's log: %s", qPrintable(run.logFile));
    qInfo("%d hands, %lld events, %d time-outs, %d late answers, %d kicks, %d offers after a hand's end, "
          "%d round ends, %d clicks, %.1f s; answers %s",
          run.handsPlayed, run.events, run.timeouts, run.late, run.kicks, run.lateEvents, run.roundEnds,
          run.playerActions, run.elapsedMs / 1000.0, qPrintable(run.answers));
    for (const auto &[warning, n] : run.warnings)
        qInfo("client warning x%d: %s", n, qPrintable(warning));
    QVERIFY2(run.violations.isEmpty(), qPrintable(run.violations.join(QLatin1Char('\n'))));
    QVERIFY2(run.failure.isEmpty(), qPrintable(run.failure));
    QVERIFY2(run.inconsistencies.isEmpty(), qPrintable(run.inconsistencies.join(QLatin1Char('\n'))));
    QCOMPARE(run.clientErrors, 0);
    QVERIFY(!run.disconnected);
    QVERIFY(run.finished);
    QCOMPARE(run.handsPlayed, run.hands);
    // Whole hands went by, not just a deal.
    QVERIFY(run.events > run.hands * 20);
    if (tournament)
        QCOMPARE(run.roundEnds, run.hands / 3 - 1);
}

void TestTableSoak::requestsNotOfferedAreReported()
{
    PeerProcess peer;
    ConnectionManager session(true);
    QVERIFY(startBareSession(peer, session, 5, 1, 30000, QStringLiteral("kick,watch,win,replacement")));
    QSignalSpy askedReady(&session, &ConnectionManager::areYouReady);
    QSignalSpy hand(&session, &ConnectionManager::privatePlayerData);
    QSignalSpy drawn(&session, &ConnectionManager::tilesFromWall);
    QSignalSpy turn(&session, &ConnectionManager::playerShouldAct);
    session.join_table(1001);
    QVERIFY(askedReady.wait(10000));

    const auto violations = [&peer] { return peer.linesStartingWith(QStringLiteral("SOAK_VIOLATION")); };
    // Nobody is asked to discard yet.
    session.discard_tile(1001, 5001, 5);
    QTRY_COMPARE_WITH_TIMEOUT(violations().size(), 1, 10000);
    QVERIFY(violations().back().startsWith(QStringLiteral("SOAK_VIOLATION discard_tile")));
    session.ready(1001, 5001);
    // The player is East: the hand's first turn is the player's.
    QTRY_VERIFY_WITH_TIMEOUT(!turn.isEmpty() && !hand.isEmpty() && drawn.size() >= 2, 10000);
    QCOMPARE(turn.front()[2].toInt(), 5001);
    tile_vector tiles = hand.front()[1].value<PrivatePlayerData>().tiles;
    for (const QList<QVariant> &draw : drawn)
        if (draw[1].value<tile_vector>().size() == 1)
            tiles.push_back(draw[1].value<tile_vector>().front());
    tile absent = 0;
    while (std::find(tiles.begin(), tiles.end(), absent) != tiles.end())
        ++absent;
    // A tile the player does not hold, a claim nobody offered, another
    // player's discard: each is reported, and the turn still waits.
    session.discard_tile(1001, 5001, absent);
    session.call_pong(1001, 5001, tiles.front());
    session.discard_tile(1001, 5002, tiles.front());
    QTRY_COMPARE_WITH_TIMEOUT(violations().size(), 4, 10000);
    QVERIFY(violations()[1].contains(QStringLiteral("\"tile\":%1").arg(absent)));
    QVERIFY(violations()[2].startsWith(QStringLiteral("SOAK_VIOLATION call_pong")));
    QVERIFY(violations()[3].contains(QStringLiteral("another player")));
    // The offered answer is taken.
    const int discards = int(peer.linesStartingWith(QStringLiteral("SENT tile_discarded")).size());
    session.discard_tile(1001, 5001, tiles.back());
    QTRY_VERIFY_WITH_TIMEOUT(peer.linesStartingWith(QStringLiteral("SENT tile_discarded")).size() > discards, 10000);
    QCOMPARE(violations().size(), 4);
}

void TestTableSoak::anAnswerCrossingItsTimeOutIsLate()
{
    PeerProcess peer;
    ConnectionManager session(true);
    QVERIFY(
        startBareSession(peer, session, 5, 1, 300,
                         QStringLiteral("kick,watch,win,replacement,bonus,inactive,seats,late,resync,kong,riichi")));
    QSignalSpy askedReady(&session, &ConnectionManager::areYouReady);
    QSignalSpy hand(&session, &ConnectionManager::privatePlayerData);
    QSignalSpy drawn(&session, &ConnectionManager::tilesFromWall);
    QSignalSpy turn(&session, &ConnectionManager::playerShouldAct);
    session.join_table(1001);
    QVERIFY(askedReady.wait(10000));
    session.ready(1001, 5001);
    // The player is East: the first turn is the player's, told before or
    // after its draw.
    QTRY_VERIFY_WITH_TIMEOUT(!turn.isEmpty() && !hand.isEmpty() && drawn.size() >= 2, 10000);
    const tile draw = drawn.back()[1].value<tile_vector>().front();
    // The offer runs out while the client reads nothing; the server plays
    // the drawn tile for the player.
    QThread::msleep(700);
    session.discard_tile(1001, 5001, draw);
    QTRY_COMPARE_WITH_TIMEOUT(peer.linesStartingWith(QStringLiteral("SOAK_LATE discard_tile")).size(), 1, 10000);
    QVERIFY2(peer.linesStartingWith(QStringLiteral("SOAK_VIOLATION")).isEmpty(),
             qPrintable(peer.linesStartingWith(QStringLiteral("SOAK_VIOLATION")).join(QLatin1Char('\n'))));
    QVERIFY(!peer.linesStartingWith(QStringLiteral("SOAK_TIMEOUT turn")).isEmpty());
    const tile_vector dealt = hand.front()[1].value<PrivatePlayerData>().tiles;
    qInfo("the drawn tile %d was dealt %d more time(s)", int(draw), int(std::count(dealt.begin(), dealt.end(), draw)));
}

void TestTableSoak::theFreedSeatIsAnnounced()
{
    PeerProcess peer;
    // Hands of plain draws and discards, the player now and then moved to
    // the watchers; no answer runs out.
    ConnectionManager session(true);
    QVERIFY(startBareSession(
        peer, session, 7, 40, 30000,
        QStringLiteral(
            "pong,chow,kong,riichi,win,bonus,replacement,late,watch,inactive,seats,resync,furiten,tournament")));

    // Moved to the watchers, the player watches, and joins when the seat is
    // free again.
    PlainPlayer player(session, 5001);
    QStringList events;
    QObject context;
    connect(&session, &ConnectionManager::kickPlayer, &context, [&](qint32 table, kick_reason::enum_t reason) {
        events << QStringLiteral("kicked %1").arg(int(reason));
        player.watch();
        session.watch_table(table);
    });
    connect(&session, &ConnectionManager::playerLeft, &context,
            [&](qint32, qint32 playerId) { events << QStringLiteral("left %1").arg(playerId); });
    connect(&session, qOverload<qint32, int, TableInfoUpdates>(&ConnectionManager::tableInfoUpdate), &context,
            [&](qint32 table, int seated, const TableInfoUpdates &) {
        events << QStringLiteral("seated %1").arg(seated);
        if (player.watching && seated == 3 && events.contains(QStringLiteral("left 904"))) {
            player.watching = false;
            session.join_table(table, -1);
        }
    });
    QSignalSpy joined(&session, &ConnectionManager::joinSuccessful);
    session.join_table(1001, -1);
    QTRY_VERIFY_WITH_TIMEOUT(events.contains(QStringLiteral("kicked 3")), 120000);
    QTRY_COMPARE_WITH_TIMEOUT(joined.size(), 2, 60000);
    // The lobby heard of the seat left by the move, of the stand-in taking
    // it, and of its leaving.
    const auto announced = [&events] {
        return events.mid(events.indexOf(QStringLiteral("kicked 3")))
            .filter(QRegularExpression(QStringLiteral("^(seated|left)")));
    };
    QTRY_COMPARE_WITH_TIMEOUT(
        announced(),
        (QStringList{QStringLiteral("seated 3"), QStringLiteral("seated 4"), QStringLiteral("left 904"),
                     QStringLiteral("seated 3"), QStringLiteral("seated 4")}),
        10000);
    QVERIFY2(peer.linesStartingWith(QStringLiteral("SOAK_VIOLATION")).isEmpty(),
             qPrintable(peer.linesStartingWith(QStringLiteral("SOAK_VIOLATION")).join(QLatin1Char('\n'))));
}

void TestTableSoak::aJoinCrossingTheNewcomerIsLate()
{
    PeerProcess peer;
    // Seed 33: in its one hand a bot leaves at the ninth turn and the player
    // is moved to the watchers at the tenth; plain draws and discards else.
    ConnectionManager session(true);
    QVERIFY(startBareSession(
        peer, session, 33, 1, 30000,
        QStringLiteral("pong,chow,kong,riichi,win,bonus,replacement,late,watch,inactive,resync,furiten,tournament")));

    PlainPlayer player(session, 5001);
    bool left = false;
    QObject context;
    connect(&session, &ConnectionManager::playerLeft, &context, [&](qint32, qint32 playerId) {
        if (playerId != 904)
            left = true;
    });
    connect(&session, &ConnectionManager::kickPlayer, &context, [&](qint32 table, kick_reason::enum_t) {
        player.watch();
        session.watch_table(table);
    });
    // At the hand's end the leaver's seat is free as far as the client
    // knows: it joins before it reads what follows.
    connect(&session, &ConnectionManager::handEndNonScoring, &context, [&](qint32 table, endhand_reason_t, bool) {
        if (player.watching && left)
            session.join_table(table, -1);
    });
    session.join_table(1001, -1);
    QTRY_VERIFY_WITH_TIMEOUT(!peer.linesStartingWith(QStringLiteral("SOAK_DONE")).isEmpty(), 120000);
    QVERIFY(player.watching && left);
    const auto violations = [&peer] { return peer.linesStartingWith(QStringLiteral("SOAK_VIOLATION")); };
    QTRY_COMPARE_WITH_TIMEOUT(peer.linesStartingWith(QStringLiteral("SOAK_LATE join_table")).size(), 1, 10000);
    QVERIFY2(violations().isEmpty(), qPrintable(violations().join(QLatin1Char('\n'))));

    // The client has answered the ping that follows the newcomer's seat
    // count: a join now was sent knowing the table full. (The session holds
    // a repeat of a request back for a while.)
    const auto count = [&peer](const char *prefix) { return peer.linesStartingWith(QLatin1String(prefix)).size(); };
    QTRY_VERIFY_WITH_TIMEOUT(count("SENT server_ping") > 0 && count("RECV server_pong") == count("SENT server_ping"),
                             10000);
    QTRY_VERIFY_WITH_TIMEOUT((session.join_table(1001, -1), !violations().isEmpty()), 10000);
    QVERIFY2(violations().front().startsWith(QStringLiteral("SOAK_VIOLATION join_table")),
             qPrintable(violations().front()));
}

void TestTableSoak::aKickAnsweredAfterTheLastHandIsAnAnswer()
{
    PeerProcess peer;
    // Seed 6: in its one hand of plain draws and discards the bot at the
    // player's left wins self-drawn at the 32nd turn; the player is moved to
    // the watchers as that turn begins.
    ConnectionManager session(true);
    QVERIFY(startBareSession(
        peer, session, 6, 1, 30000,
        QStringLiteral("pong,chow,kong,riichi,bonus,replacement,late,watch,inactive,seats,resync,furiten,tournament"),
        {QStringLiteral("--random-kick-turn"), QStringLiteral("32")}));

    PlainPlayer player(session, 5001);
    bool kicked = false;
    QObject context;
    connect(&session, &ConnectionManager::kickPlayer, &context, [&](qint32, kick_reason::enum_t) {
        kicked = true;
        player.watch();
    });
    session.join_table(1001, -1);
    QTRY_VERIFY_WITH_TIMEOUT(!peer.linesStartingWith(QStringLiteral("SOAK_DONE")).isEmpty(), 120000);
    QTRY_VERIFY_WITH_TIMEOUT(kicked, 10000);
    // The client answers the kick only now, the run over.
    session.watch_table(1001);
    QSignalSpy summary(&session, &ConnectionManager::lobbySummary);
    session.query_lobby_summary();
    QVERIFY(summary.wait(10000));
    QCOMPARE(peer.linesStartingWith(QStringLiteral("RECV watch_table")).size(), 1);
    const QStringList violations = peer.linesStartingWith(QStringLiteral("SOAK_VIOLATION"));
    QVERIFY2(violations.isEmpty(), qPrintable(violations.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestTableSoak)
#include "tst_table_soak.moc"
