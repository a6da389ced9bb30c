#include "GameModelTestData.h"
#include "SignalLog.h"

#include "game/GameModel.h"
#include "game/RulesetInfo.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QtTest>

// Players coming and going at the table model, during a hand and between hands.
class TestGameModelPlayers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void playerLeavingDuringHandIsRemovedAtHandEnd();
    void playerReturningDuringHandKeepsRecord();
    void scoresOfPlayerWhoLeftDuringHandAreApplied();
    void joinDuringHandIsDeferredWithReadyAndLeave_data();
    void joinDuringHandIsDeferredWithReadyAndLeave();
    void repeatJoinDuringHandKeepsHandScores();
    void readinessAndAreYouReady();
    void joinableRules();
    void leaverStaysLeavingAcrossANewPicture_data();
    void leaverStaysLeavingAcrossANewPicture();
    void seatsFollowTheHandsSeating();
};

void TestGameModelPlayers::initTestCase()
{
    // The model logs each step at debug level; keep test output readable.
    QLoggingCategory::setFilterRules(QStringLiteral("mahjong.*.debug=false"));
}

void TestGameModelPlayers::playerLeavingDuringHandIsRemovedAtHandEnd()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.onWatching(false);
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE, {makePlayer(P1), makePlayer(P2), makePlayer(P3)},
                     makeTableState(), makeWallState(50, 14));
    SignalLog log(model);

    model.onTileDiscarded(P2, 3, false);
    model.onPlayerLeft(P2);
    QVERIFY(model.findPlayer(P2));
    QCOMPARE(model.players().size(), size_t(3));
    // A second leave of the same player is not a reason to stop.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("remove non-existant player"));
    model.onPlayerLeft(P2);

    model.onHandEndNonScoring(ENDHAND_NINE_TERMINALS_HONOURS, false);
    QVERIFY(!model.findPlayer(P2));
    QCOMPARE(model.lastDiscarderId(), -1);
    QCOMPARE(log.count(QStringLiteral("playerLeft")), 0);
    QCOMPARE(log.count(QStringLiteral("playerUnseated")), 0);
    QCOMPARE(model.playerState(), GameModel::WATCHING); // not seated: no SCORING

    // Outside a hand a leave is immediate.
    model.onPlayerLeft(P3);
    QCOMPARE(log.count(QStringLiteral("playerUnseated")), 1);
    QCOMPARE(log.count(QStringLiteral("playerLeft")), 1);
    QCOMPARE(log.names.last(), QStringLiteral("seatsRemainingChanged"));
}

void TestGameModelPlayers::playerReturningDuringHandKeepsRecord()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE, {makePlayer(P1), makePlayer(P2)}, makeTableState(),
                     makeWallState(50, 14));
    model.onTileDiscarded(P2, 3, false);
    SignalLog log(model);

    model.onPlayerLeft(P2);
    model.onPlayerJoined(makePlayer(P2));
    model.onHandEndNonScoring(ENDHAND_FOUR_KONGS, false);
    QVERIFY(model.findPlayer(P2));
    QCOMPARE(model.findPlayer(P2)->discards(), tile_vector{3});
    QCOMPARE(log.count(QStringLiteral("playerLeft")), 0);
    QCOMPARE(log.count(QStringLiteral("playerJoined")), 0);

    // A repeated join outside a hand replaces the record with a warning that
    // shows the record as its printer writes it.
    QTest::ignoreMessage(QtWarningMsg, "addPlayer called for already added player "
                                       "PlayerData { id:102 name:\"player102\" wind:EAST }");
    model.onPlayerJoined(makePlayer(P2));
    QVERIFY(model.findPlayer(P2)->discards().empty());
    QCOMPARE(log.count(QStringLiteral("playerJoined")), 1);
}

void TestGameModelPlayers::scoresOfPlayerWhoLeftDuringHandAreApplied()
{
    GameModel model(TABLE, makeTableInfo(RULESET_RIICHI, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.markJoined();
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE, {makePlayer(P1), makePlayer(P2), makePlayer(OWN)},
                     makeTableState(), makeWallState(50, 14));
    model.onPlayerLeft(P2);

    // The leaver's points are in place before the purge takes the record.
    qint32 leaverPoints = 0;
    connect(&model, &GameModel::playerStateChanged, this, [&] {
        if (const PlayerData *p = model.findPlayer(P2))
            leaverPoints = p->points();
    });
    EndHandScoring end;
    end.winKind = EndHandScoring::WIN_ON_DISCARD;
    end.players[P1].currentScore = 30000;
    end.players[P1].result = 1;
    end.players[P2].currentScore = 18000;
    end.players[555].currentScore = 1;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown player 555"));
    QSignalSpy scored(&model, &GameModel::handEndScoring);
    model.onHandEndScoring(end);
    QCOMPARE(scored.count(), 1);
    QVERIFY(!model.findPlayer(P2));
    QCOMPARE(model.findPlayer(P1)->points(), 30000);
    QCOMPARE(model.findPlayer(P1)->wins(), 1);
    QCOMPARE(leaverPoints, 18000);
    QCOMPARE(model.playerState(), GameModel::SCORING);
}

void TestGameModelPlayers::joinDuringHandIsDeferredWithReadyAndLeave_data()
{
    QTest::addColumn<QString>("endSignal");
    QTest::newRow("washout") << QStringLiteral("handEndNonScoring");
    QTest::newRow("scoring") << QStringLiteral("handEndScoring");
    QTest::newRow("tournament round") << QStringLiteral("endOfTournamentRound");
}

void TestGameModelPlayers::joinDuringHandIsDeferredWithReadyAndLeave()
{
    QFETCH(QString, endSignal);
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.onGameData(1, server_game_state::START_HAND_STATE, {makePlayer(P1), makePlayer(P2)}, makeTableState(),
                     makeWallState(50, 14));
    SignalLog log(model);
    QSignalSpy seated(&model, &GameModel::playerSeated);

    // Ignored during the hand: no record, no signal.
    model.onPlayerJoined(makePlayer(P3));
    QVERIFY(!model.findPlayer(P3));
    QCOMPARE(log.count(QStringLiteral("playerJoined")), 0);
    model.onPlayerIsReady(P3);
    QCOMPARE(log.count(QStringLiteral("playerIsReady")), 0);

    // Another joins and leaves again within the hand: nothing to show.
    model.onPlayerJoined(makePlayer(OWN + 50));
    model.onPlayerLeft(OWN + 50);

    // Unknown ids in ready and leave are logged, not fatal.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("'player is ready' for unknown player 4242"));
    model.onPlayerIsReady(4242);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("remove non-existant player: 4242"));
    model.onPlayerLeft(4242);

    if (endSignal == QLatin1String("handEndNonScoring"))
        model.onHandEndNonScoring(ENDHAND_SAME_WIND_DISCARD, false);
    else if (endSignal == QLatin1String("handEndScoring"))
        model.onHandEndScoring(EndHandScoring());
    else
        model.onEndOfTournamentRound(false, {});
    QVERIFY(model.findPlayer(P3));
    QVERIFY(!model.findPlayer(OWN + 50));
    QCOMPARE(log.count(QStringLiteral("playerJoined")), 1);
    // The hand's end is shown before the newcomer.
    const qsizetype end = log.names.indexOf(endSignal);
    QVERIFY(end >= 0);
    for (const char *newcomer : {"playerJoined", "playerSeated", "playerIsReady"})
        QVERIFY2(log.names.indexOf(QLatin1String(newcomer)) > end, newcomer);
    QVERIFY(model.findPlayer(P3)->isReady());
    QVERIFY(model.findPlayer(P3)->isSeated());
    QCOMPARE(seated.last().at(0).toInt(), P3);
    QCOMPARE(log.count(QStringLiteral("playerLeft")), 0);
}

void TestGameModelPlayers::repeatJoinDuringHandKeepsHandScores()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE, {makePlayer(P1), makePlayer(P2)}, makeTableState(),
                     makeWallState(50, 14));
    model.onTileDiscarded(P1, 3, false);
    SignalLog log(model);

    // A join for a player already in the hand is ignored like any join in play.
    PlayerData stale = makePlayer(P1);
    stale.setPoints(100);
    model.onPlayerJoined(stale);
    EndHandScoring end;
    end.players[P1].currentScore = 31000;
    end.players[P1].result = 1;
    model.onHandEndScoring(end);
    QCOMPARE(model.findPlayer(P1)->points(), 31000);
    QCOMPARE(model.findPlayer(P1)->wins(), 1);
    QCOMPARE(model.findPlayer(P1)->discards(), tile_vector{3});
    QCOMPARE(log.count(QStringLiteral("playerJoined")), 0);
}

void TestGameModelPlayers::readinessAndAreYouReady()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    QSignalSpy ask(&model, &GameModel::areYouReady);
    QTest::ignoreMessage(QtWarningMsg, "Got 'are you ready' in state: NO_PLAYER_STATE");
    model.onAreYouReady(makeSpan(5));
    QCOMPARE(ask.count(), 0);

    model.markJoined();
    model.onGameData(1, server_game_state::START_HAND_STATE, {makePlayer(P1)}, makeTableState(), makeWallState(50, 14));
    QCOMPARE(model.playerState(), GameModel::PLAYING);
    QSignalSpy ready(&model, &GameModel::playerIsReady);
    QTest::ignoreMessage(QtWarningMsg, "Got 'player is ready' in state: PLAYING");
    model.onPlayerIsReady(OWN);
    QCOMPARE(ready.count(), 0);
    QVERIFY(!model.findOwnPlayer()->isReady());

    // Another player's ready counts in any state.
    model.onPlayerIsReady(P1);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(model.seatsRemaining(), 3);
}

void TestGameModelPlayers::joinableRules()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME, 2), OWN, QStringLiteral("me"));
    QSignalSpy joinable(&model, &GameModel::joinableChanged);
    model.onWatching();
    QVERIFY(model.isWatching());
    QVERIFY(model.isJoinable());
    QCOMPARE(joinable.count(), 1);

    // A player joining does not update it by itself; the next state change does.
    model.onPlayerJoined(makePlayer(P1));
    model.onPlayerJoined(makePlayer(P2));
    QVERIFY(model.isJoinable());
    model.onTableInfo(makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME, 2));
    QVERIFY(!model.isJoinable()); // full
    model.onPlayerLeft(P2);
    model.onTableInfo(makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME, 2));
    QVERIFY(model.isJoinable());

    model.onStartHand(1, makeSeating(P1, -1, -1, -1), {}, true, makeTableState(), makeWallState(0, 0));
    QVERIFY(!model.isJoinable()); // hand in play
    model.onHandEndNonScoring(ENDHAND_NO_REASON, false);
    QVERIFY(model.isJoinable());

    model.onTableInfo(makeTableInfo(RULESET_CLASSIC, TableInfo::TOURNAMENT, 4));
    QVERIFY(!model.isJoinable());
    const int changes = joinable.count();
    model.onTableInfo(makeTableInfo(RULESET_CLASSIC, TableInfo::TOURNAMENT, 4));
    QCOMPARE(joinable.count(), changes); // emitted only on change
}

void TestGameModelPlayers::leaverStaysLeavingAcrossANewPicture_data()
{
    // The whole table again after the leave (a watch after a move to the
    // watchers, a resync), by the state it reports.
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("goneAtOnce");
    QTest::newRow("hand in play") << int(server_game_state::TILE_DISCARDED_STATE) << false;
    QTest::newRow("hand ended") << int(server_game_state::HAND_ENDED_STATE) << true;
}

void TestGameModelPlayers::leaverStaysLeavingAcrossANewPicture()
{
    QFETCH(int, state);
    QFETCH(bool, goneAtOnce);
    const qint32 newcomer = 110;
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.markJoined();
    const auto seated = [](qint32 id, int wind) {
        PlayerData p = makePlayer(id, true, wind);
        p.setSeated(true);
        return p;
    };
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE,
                     {seated(OWN, 0), seated(P1, 1), seated(P2, 2), seated(P3, 3)}, makeTableState(),
                     makeWallState(50, 14));
    model.onPlayerLeft(P3);
    // Moved to the watchers: the hand goes on and still lists the leaver,
    // whose seat the server plays to the hand's end.
    model.onPlayerKicked(kick_reason::enum_t(3));
    model.onWatching(false);
    model.onGameData(1, server_game_state::enum_t(state), {seated(904, 0), seated(P1, 1), seated(P2, 2), seated(P3, 3)},
                     makeTableState(), makeWallState(40, 14));
    QCOMPARE(!model.findPlayer(P3), goneAtOnce);
    model.onHandEndNonScoring(ENDHAND_NO_REASON, false);
    QVERIFY(!model.findPlayer(P3));
    QCOMPARE(model.players().size(), size_t(3));

    // A newcomer takes the seat, and the stand-in gives the other back.
    model.onPlayerJoined(seated(newcomer, 3));
    model.onPlayerLeft(904);
    model.onStartHand(2, makeSeating(P1, P2, newcomer, -1), {}, false, makeTableState(), makeWallState(0, 0));
    QCOMPARE(model.playerByWind(2)->id(), newcomer);
    model.onHiddenTilesFromWall(newcomer, 13, false);
    QCOMPARE(model.findPlayer(newcomer)->hiddenTiles(), 13);
}

void TestGameModelPlayers::seatsFollowTheHandsSeating()
{
    // A record the server never took away still has the wind a newcomer now
    // sits at, and comes first in id order.
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.onWatching();
    model.onGameData(1, server_game_state::INITIAL_STATE,
                     {makePlayer(P1, true, 0), makePlayer(P2, true, 1), makePlayer(P3, true, 3)}, makeTableState(),
                     makeWallState(0, 0));
    model.onPlayerJoined(makePlayer(110, true, 3));
    QCOMPARE(model.playerByWind(3)->id(), P3); // no hand dealt yet: by the records' winds
    model.onStartHand(1, makeSeating(P1, P2, -1, 110), {}, true, makeTableState(), makeWallState(0, 0));
    QCOMPARE(model.playerByWind(3)->id(), 110);
    QCOMPARE(model.playerByWind(0)->id(), P1);
    QVERIFY(!model.playerByWind(2));
    // A seat whose player is gone falls back to the records.
    model.onHandEndNonScoring(ENDHAND_NO_REASON, false);
    model.onPlayerLeft(110);
    QCOMPARE(model.playerByWind(3)->id(), P3);
}

QTEST_GUILESS_MAIN(TestGameModelPlayers)
#include "tst_gamemodel_players.moc"
