#include "GameModelTestData.h"
#include "SignalLog.h"

#include "game/GameModel.h"
#include "game/RulesetInfo.h"
#include "protocol/ServerError.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QtTest>

#include <limits>

// The table model through a hand: game data, the wall, claims, melds and hand ends.
class TestGameModelHands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void resetUsesRulesetWallSizes_data();
    void resetUsesRulesetWallSizes();
    void classicHandFromJoinToScoring();
    void riichiHandWithSticksKanDoraAndWashout();
    void internationalTournamentTableFromGameData();
    void gameDataStatesAndSeating_data();
    void gameDataStatesAndSeating();
    void claimWithoutDiscardIsIgnored();
    void hostileCountsClampInsteadOfOverflowing();
    void unknownIdsAndRefusedTilesLeaveModelIntact();
};

void TestGameModelHands::initTestCase()
{
    // The model logs each step at debug level; keep test output readable.
    QLoggingCategory::setFilterRules(QStringLiteral("mahjong.*.debug=false"));
}

void TestGameModelHands::resetUsesRulesetWallSizes_data()
{
    QTest::addColumn<int>("ruleset");
    QTest::addColumn<int>("live");
    QTest::addColumn<int>("dead");
    QTest::newRow("classic") << 0 << 130 << 14;
    QTest::newRow("international") << 1 << 144 << 0;
    QTest::newRow("riichi") << 2 << 122 << 14;
}

void TestGameModelHands::resetUsesRulesetWallSizes()
{
    QFETCH(int, ruleset);
    QFETCH(int, live);
    QFETCH(int, dead);
    GameModel model(TABLE, makeTableInfo(ruleset, 2), OWN, QStringLiteral("me"));
    CHECK_WALL(model, live, dead, 0);
    QCOMPARE(model.deadWallPosition(), 4);
    QCOMPARE(model.gameState(), GameModel::NO_GAME_STATE);
    QCOMPARE(model.playerState(), GameModel::NO_PLAYER_STATE);
    QCOMPARE(model.handId(), qint64(-1));
    QCOMPARE(model.lastDiscarderId(), -1);
    QVERIFY(model.players().empty());
    QVERIFY(model.doraTiles().empty());
}

void TestGameModelHands::classicHandFromJoinToScoring()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    SignalLog log(model);
    QSignalSpy seated(&model, &GameModel::playerSeated);
    QSignalSpy stateSpy(&model, &GameModel::playerStateChanged);

    // Join: the game data lacks the local player, who is offered a seat.
    model.markJoined();
    model.onGameData(1, server_game_state::INITIAL_STATE, {makePlayer(P1, true), makePlayer(P2, true)},
                     makeTableState(), makeWallState(130, 14));
    QCOMPARE(log.names.first(), QStringLiteral("modelReset"));
    QVERIFY(model.findOwnPlayer());
    QVERIFY(!model.isOwnPlayerSeated());
    QCOMPARE(model.playerState(), GameModel::SEAT_OFFERED);
    QCOMPARE(model.gameState(), GameModel::GAME_NOT_STARTED);
    QVERIFY(!model.isGameRunning());
    QCOMPARE(seated.count(), 2);
    QCOMPARE(seated.at(0).at(2).toBool(), true);
    QCOMPARE(model.playerIds(), (std::vector<qint32>{P1, P2}));
    QVERIFY(!model.isJoinable()); // seated locally
    CHECK_WALL(model, 130, 14, 0);

    QSignalSpy joined(&model, &GameModel::playerJoined);
    model.onPlayerJoined(makePlayer(P3));
    QCOMPARE(joined.count(), 1);

    QSignalSpy askReady(&model, &GameModel::areYouReady);
    model.onAreYouReady(makeSpan(15));
    QCOMPARE(askReady.count(), 1);
    QCOMPARE(askReady.at(0).at(1).toBool(), true);

    QSignalSpy seats(&model, &GameModel::seatsRemainingChanged);
    model.onPlayerIsReady(OWN);
    QCOMPARE(model.playerState(), GameModel::WAITING);
    QVERIFY(model.isOwnPlayerSeated());
    QCOMPARE(seated.last().at(0).toInt(), OWN);
    QCOMPARE(seated.last().at(2).toBool(), false);
    QCOMPARE(seats.last().at(0).toInt(), 1);
    model.onPlayerIsReady(P3);
    QCOMPARE(seats.last().at(0).toInt(), 0);
    QCOMPARE(model.seatsRemaining(), 0);

    // Start of the hand: the wall comes from the ruleset, not the message.
    QSignalSpy started(&model, &GameModel::startHand);
    model.onStartHand(2, makeSeating(P1, OWN, P2, P3), {{P1, 25000, 1}, {OWN, 24000, 0}, {999, 1, 1}}, true,
                      makeTableState(-1, 0, 1, 1), makeWallState(99, 99, 6, 99, {5}));
    CHECK_WALL(model, 130, 14, 0);
    QCOMPARE(model.deadWallPosition(), 6);
    QCOMPARE(model.doraTiles(), tile_vector{5});
    QCOMPARE(model.gameState(), GameModel::HAND_IN_PLAY);
    QCOMPARE(model.playerState(), GameModel::PLAYING);
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toBool(), true);
    QCOMPARE(model.findOwnPlayer()->wind(), 1);
    QCOMPARE(model.playerByWind(0)->id(), P1);
    QCOMPARE(model.findPlayer(P1)->points(), 25000);
    QCOMPARE(model.findPlayer(P1)->wins(), 1);
    QCOMPARE(model.prevailingWind(), 1);
    QCOMPARE(model.counterSticks(), 1);
    QCOMPARE(model.seatsRemaining(), 4); // ready flags belong to the last hand
    QVERIFY(model.isGameRunning());

    // Deal from the live wall; the local player's hidden draw is ignored.
    model.onHiddenTilesFromWall(P1, 14, false);
    model.onHiddenTilesFromWall(P2, 13, false);
    model.onHiddenTilesFromWall(P3, 13, false);
    model.onHiddenTilesFromWall(OWN, 13, false);
    CHECK_WALL(model, 90, 14, 0);
    model.onTilesFromWall({2, 4, 10, 11, 12, 27, 38, 20, 20, 20, 30, 31, 33}, false);
    CHECK_WALL(model, 77, 14, 0);
    QCOMPARE(model.findOwnPlayer()->hiddenTiles(), 13); // the hand it holds
    QCOMPARE(model.findOwnPlayer()->hand().size(), size_t(13));
    QCOMPARE(model.findPlayer(P1)->hiddenTiles(), 14);

    // Bonus tiles and their replacements from the dead wall (top-up rule).
    QSignalSpy bonus(&model, &GameModel::bonusDeclared);
    model.onDeclareBonus(P1, {34});
    QCOMPARE(model.findPlayer(P1)->hiddenTiles(), 13);
    QCOMPARE(model.findPlayer(P1)->melds().back(), (meld_tuple{MELD_BONUS, 0, 34, -1, -1}));
    model.onHiddenTilesFromWall(P1, 1, true);
    CHECK_WALL(model, 77, 13, 1);
    model.onDeclareBonus(OWN, {38});
    QCOMPARE(bonus.count(), 2);
    QVERIFY(std::count(model.findOwnPlayer()->hand().begin(), model.findOwnPlayer()->hand().end(), 38) == 0);
    model.onTilesFromWall({21}, true);
    CHECK_WALL(model, 75, 14, 2);
    QCOMPARE(model.findOwnPlayer()->drawnTiles(), tile_vector{21});

    // East discards; the local player chows it.
    QSignalSpy act(&model, &GameModel::playerShouldAct);
    model.onPlayerShouldAct(P1, makeSpan(10));
    QCOMPARE(model.pendingAction().first, P1);
    model.onTileDiscarded(P1, 3, false);
    QCOMPARE(model.lastDiscarderId(), P1);
    QCOMPARE(model.lastDiscard(), tile(3));
    QCOMPARE(model.findPlayer(P1)->hiddenTiles(), 13);
    QSignalSpy claimed(&model, &GameModel::tileClaimed);
    model.onTileClaimed(OWN);
    QCOMPARE(claimed.count(), 1);
    QCOMPARE(claimed.at(0).at(0).toInt(), P1);
    QCOMPARE(claimed.at(0).at(1).toInt(), OWN);
    QVERIFY(model.findPlayer(P1)->discards().empty());
    QSignalSpy melds(&model, &GameModel::meldDeclared);
    model.onMeldDeclared(OWN, meld_tuple{MELD_CHOW, 0, 2, -1, 0});
    const meld_tuple chow = melds.at(0).at(1).value<meld_tuple>();
    QCOMPARE(chow.claimedFrom, P1);
    QCOMPARE(chow.claimedOffset, qint8(1));
    QCOMPARE(model.findOwnPlayer()->melds().back(), chow);
    QCOMPARE(model.lastDiscarderId(), -1);
    QCOMPARE(model.claimState(), 2);
    const tile_vector afterChow{10, 11, 12, 20, 20, 20, 21, 27, 30, 31, 33};
    QCOMPARE(model.findOwnPlayer()->hand(), afterChow);

    // Local discard, then a pong claimed by another player.
    model.onTileDiscarded(OWN, 33, false);
    QCOMPARE(model.findOwnPlayer()->discards(), tile_vector{33});
    model.onHiddenTilesFromWall(P2, 1, false);
    CHECK_WALL(model, 74, 14, 2);
    model.onTileDiscarded(P2, 27, false);
    model.onTileClaimed(P3);
    QCOMPARE(model.findPlayer(P3)->hiddenTiles(), 14);
    model.onMeldDeclared(P3, meld_tuple{MELD_PONG, 0, 27, -1, 0});
    QCOMPARE(model.findPlayer(P3)->hiddenTiles(), 11);
    QCOMPARE(model.findPlayer(P3)->melds().back().claimedFrom, P2);
    QCOMPARE(model.findPlayer(P3)->melds().back().claimedOffset, qint8(0));
    model.onTileDiscarded(P3, 8, false);

    // Concealed kong of the local player, replacement from the dead wall.
    model.onTilesFromWall({20}, false);
    CHECK_WALL(model, 73, 14, 2);
    model.onMeldDeclared(OWN, meld_tuple{MELD_KONG, 1, 20, -1, 0});
    QCOMPARE(melds.last().at(1).value<meld_tuple>().claimedFrom, -1);
    QCOMPARE(model.findOwnPlayer()->hand(), (tile_vector{10, 11, 12, 21, 27, 30, 31}));
    model.onTilesFromWall({22}, true);
    CHECK_WALL(model, 73, 13, 3);
    model.onKanDora(9);
    QCOMPARE(model.doraTiles(), (tile_vector{5, 9}));
    model.onTileDiscarded(OWN, 27, false);

    // Pong to kong: the stored pong becomes a kong, the emitted meld keeps type 4.
    model.onHiddenTilesFromWall(P3, 1, false);
    CHECK_WALL(model, 72, 13, 3);
    model.onMeldDeclared(P3, meld_tuple{MELD_PONG_TO_KONG, 0, 27, -1, 0});
    QCOMPARE(melds.last().at(1).value<meld_tuple>().meldType, int(MELD_PONG_TO_KONG));
    QCOMPARE(melds.last().at(1).value<meld_tuple>().claimedFrom, -1);
    QCOMPARE(model.findPlayer(P3)->melds().back().meldType, int(MELD_KONG));
    QCOMPARE(model.findPlayer(P3)->melds().back().claimedFrom, P2);
    QCOMPARE(model.findPlayer(P3)->melds().size(), size_t(1));
    QCOMPARE(model.findPlayer(P3)->hiddenTiles(), 10);
    model.onHiddenTilesFromWall(P3, 1, true);
    CHECK_WALL(model, 70, 14, 4);

    // Scoring: the server's scores stand.
    EndHandScoring end;
    end.winKind = EndHandScoring::SELF_DRAWN;
    end.players[OWN].playerId = OWN;
    end.players[OWN].result = 1;
    end.players[OWN].currentScore = 32000;
    end.players[P1].playerId = P1;
    end.players[P1].currentScore = 21000;
    QSignalSpy scored(&model, &GameModel::handEndScoring);
    model.onHandEndScoring(end);
    QCOMPARE(scored.count(), 1);
    QCOMPARE(scored.at(0).at(0).value<EndHandScoring>(), end);
    QCOMPARE(model.findOwnPlayer()->points(), 32000);
    QCOMPARE(model.findOwnPlayer()->wins(), 1);
    QCOMPARE(model.findPlayer(P1)->points(), 21000);
    QCOMPARE(model.findPlayer(P1)->wins(), 1);
    QCOMPARE(model.playerState(), GameModel::SCORING);
    QCOMPARE(model.gameState(), GameModel::HAND_ENDED);
    QVERIFY(model.isGameRunning());
    QCOMPARE(model.pendingAction().first, -1);
    QVERIFY(model.pendingAction().second.isNull());

    model.onAreYouReady(makeSpan(20));
    QCOMPARE(askReady.last().at(1).toBool(), false);
    QCOMPARE(stateSpy.count(), 4); // SEAT_OFFERED, WAITING, PLAYING, SCORING
}

void TestGameModelHands::riichiHandWithSticksKanDoraAndWashout()
{
    GameModel model(TABLE, makeTableInfo(RULESET_RIICHI, TableInfo::SINGLE_HAND), OWN, QStringLiteral("me"));
    model.markJoined();
    model.onGameData(10, server_game_state::INITIAL_STATE,
                     {makePlayer(P1, true), makePlayer(P2, true), makePlayer(P3, true), makePlayer(OWN, true)},
                     makeTableState(), makeWallState(122, 14));
    QCOMPARE(model.playerState(), GameModel::WAITING);
    QCOMPARE(model.playerIds().size(), size_t(4));

    model.onStartHand(11, makeSeating(OWN, P1, P2, P3), {}, true, makeTableState(-1, 2, 3),
                      makeWallState(0, 0, 2, 0, {12}));
    CHECK_WALL(model, 122, 14, 0);
    QCOMPARE(model.riichiSticks(), 2);
    QCOMPARE(model.counterSticks(), 3);
    QCOMPARE(model.findOwnPlayer()->wind(), 0);

    PrivatePlayerData priv;
    priv.tiles = {26, 0, 1, 2, 9, 9, 9, 18, 19, 20, 31, 31, 32};
    priv.furiten = true;
    QSignalSpy privSpy(&model, &GameModel::privatePlayerData);
    model.onPrivatePlayerData(priv);
    QCOMPARE(privSpy.count(), 1);
    QVERIFY(std::is_sorted(model.findOwnPlayer()->hand().begin(), model.findOwnPlayer()->hand().end()));
    QVERIFY(model.findOwnPlayer()->isFuriten());
    QSignalSpy furiten(&model, &GameModel::furitenChanged);
    model.onFuritenChanged(false);
    QVERIFY(!model.findOwnPlayer()->isFuriten());
    QCOMPARE(furiten.count(), 1);
    QSignalSpy active(&model, &GameModel::activeChanged);
    model.onActiveChanged(false);
    QVERIFY(!model.findOwnPlayer()->isActive());
    QCOMPARE(active.count(), 1);

    for (qint32 id : {P1, P2, P3})
        model.onHiddenTilesFromWall(id, 13, false);
    CHECK_WALL(model, 83, 14, 0);

    // Riichi declarations come as discards with the riichi flag.
    model.onTilesFromWall({33}, false);
    QSignalSpy discarded(&model, &GameModel::tileDiscarded);
    model.onTileDiscarded(OWN, 26, true);
    QCOMPARE(discarded.at(0).at(2).toBool(), true);
    QCOMPARE(model.findOwnPlayer()->riichiDiscardIndex(), 0);
    QCOMPARE(model.riichiSticks(), 3);
    model.onHiddenTilesFromWall(P1, 1, false);
    model.onTileDiscarded(P1, 5, true);
    QCOMPARE(model.riichiSticks(), 4);

    // A kong by another player: replacement from the dead wall keeps the
    // dead wall at 14 by taking from the live wall.
    model.onHiddenTilesFromWall(P2, 1, false);
    CHECK_WALL(model, 80, 14, 0);
    model.onMeldDeclared(P2, meld_tuple{MELD_KONG, 1, 13, -1, 0});
    QCOMPARE(model.findPlayer(P2)->hiddenTiles(), 10);
    model.onHiddenTilesFromWall(P2, 1, true);
    CHECK_WALL(model, 79, 14, 1);
    QSignalSpy dora(&model, &GameModel::kanDora);
    model.onKanDora(14);
    QCOMPARE(dora.count(), 1);
    QCOMPARE(model.doraTiles(), (tile_vector{12, 14}));

    // A kong claimed by the local player from a discard.
    model.onHiddenTilesFromWall(P3, 1, false);
    model.onTileDiscarded(P3, 9, false);
    model.onTileClaimed(OWN);
    QCOMPARE(std::count(model.findOwnPlayer()->hand().begin(), model.findOwnPlayer()->hand().end(), 9), 4);
    model.onMeldDeclared(OWN, meld_tuple{MELD_KONG, 0, 9, -1, 0});
    QCOMPARE(model.findOwnPlayer()->melds().back(), (meld_tuple{MELD_KONG, 0, 9, P3, 0}));
    QCOMPARE(model.findOwnPlayer()->hand(), (tile_vector{0, 1, 2, 18, 19, 20, 31, 31, 32, 33}));
    QCOMPARE(model.findPlayer(P3)->discards().size(), size_t(0));
    model.onTilesFromWall({21}, true);
    CHECK_WALL(model, 77, 14, 2);
    model.onKanDora(16);
    QCOMPARE(model.doraTiles(), (tile_vector{12, 14, 16}));

    // Washout: no scores, the hand ends.
    QSignalSpy washout(&model, &GameModel::handEndNonScoring);
    model.onHandEndNonScoring(ENDHAND_FOUR_RIICHI, false);
    QCOMPARE(washout.count(), 1);
    QCOMPARE(washout.at(0).at(0).value<endhand_reason_t>(), ENDHAND_FOUR_RIICHI);
    QCOMPARE(model.gameState(), GameModel::HAND_ENDED);
    QCOMPARE(model.playerState(), GameModel::SCORING);
    QVERIFY(model.isGameRunning());

    // The sticks move to the table's pool with the next hand.
    model.onPlayerIsReady(OWN);
    model.onStartHand(12, makeSeating(P3, OWN, P1, P2), {}, false, makeTableState(-1, 4, 4),
                      makeWallState(0, 0, 8, 0, {15}));
    QCOMPARE(model.riichiSticks(), 4);
    QCOMPARE(model.findOwnPlayer()->riichiDiscardIndex(), -1);
    QCOMPARE(model.findOwnPlayer()->wind(), 1);
    QCOMPARE(model.doraTiles(), tile_vector{15});
    CHECK_WALL(model, 122, 14, 0);

    // Late in the hand the dead wall shrinks once the live wall is empty.
    for (qint32 id : {P1, P2, P3})
        model.onHiddenTilesFromWall(id, 40, false);
    CHECK_WALL(model, 2, 14, 0);
    model.onHiddenTilesFromWall(P1, 3, true);
    CHECK_WALL(model, 0, 13, 3);

    model.onHandEndNonScoring(endhand_reason_t(42), true);
    QVERIFY(!model.isGameRunning());
}

void TestGameModelHands::internationalTournamentTableFromGameData()
{
    GameModel model(TABLE, makeTableInfo(RULESET_INTERNATIONAL, TableInfo::TOURNAMENT), OWN, QStringLiteral("me"));
    QSignalSpy joinable(&model, &GameModel::joinableChanged);
    SignalLog log(model);

    PlayerData p1 = makePlayer(P1, false, 0);
    p1.setDiscards({4, 5, 6}, -1);
    p1.setHiddenTiles(13);
    PlayerData p2 = makePlayer(P2, false, 1);
    p2.setHiddenTiles(13);
    PlayerData own = makePlayer(OWN, false, 2);
    PlayerData p3 = makePlayer(P3, false, 3);
    p3.setHiddenTiles(13);

    model.markJoined();
    model.onGameData(20, server_game_state::TILE_DISCARDED_STATE, {p1, p2, own, p3}, makeTableState(P1, 0, 0, 2),
                     makeWallState(60, 0, 4, 8, {}));
    QCOMPARE(log.names.first(), QStringLiteral("modelReset"));
    QVERIFY(log.names.contains(QStringLiteral("tableInfo")));
    QVERIFY(log.names.contains(QStringLiteral("tournamentInfo")));
    QCOMPARE(model.gameState(), GameModel::HAND_IN_PLAY);
    QCOMPARE(model.playerState(), GameModel::PLAYING);
    QVERIFY(model.isGameRunning());
    QCOMPARE(model.playerIds().size(), size_t(4)); // all seated on a tournament table
    QCOMPARE(model.lastDiscarderId(), P1);
    QCOMPARE(model.lastDiscard(), tile(6));
    QCOMPARE(model.prevailingWind(), 2);
    CHECK_WALL(model, 60, 0, 8); // exactly as received
    QCOMPARE(joinable.count(), 0);
    QVERIFY(!model.isJoinable());

    // A claim right after arriving at the table.
    model.onPrivatePlayerData(PrivatePlayerData{{4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, true, false});
    model.onTileClaimed(P2);
    QCOMPARE(model.findPlayer(P1)->discards(), (tile_vector{4, 5}));
    QCOMPARE(model.findPlayer(P2)->hiddenTiles(), 14);
    model.onMeldDeclared(P2, meld_tuple{MELD_CHOW, 0, 6, -1, 0});
    QCOMPARE(model.findPlayer(P2)->melds().back().claimedFrom, P1);
    QCOMPARE(model.findPlayer(P2)->melds().back().claimedOffset, qint8(0));
    QCOMPARE(model.findPlayer(P2)->hiddenTiles(), 11);

    // A chow of the local player with the claimed tile in the middle.
    model.onTileDiscarded(P2, 6, false);
    model.onTileClaimed(OWN);
    model.onMeldDeclared(OWN, meld_tuple{MELD_CHOW, 0, 5, -1, 0});
    QCOMPARE(model.findOwnPlayer()->melds().back().claimedOffset, qint8(1));
    QCOMPARE(model.findOwnPlayer()->melds().back().claimedFrom, P2);

    // Draws from the "dead wall" come off the live wall here.
    model.onHiddenTilesFromWall(P3, 2, true);
    CHECK_WALL(model, 58, 0, 10);
    model.onTilesFromWall({30}, false);
    CHECK_WALL(model, 57, 0, 10);

    // End of the tournament round.
    QSignalSpy roundEnd(&model, &GameModel::endOfTournamentRound);
    model.onEndOfTournamentRound(false, {{OWN, 20, 4}});
    QCOMPARE(roundEnd.count(), 1);
    QCOMPARE(model.gameState(), GameModel::ROUND_ENDED);
    QCOMPARE(model.playerState(), GameModel::SCORING);
    QVERIFY(!model.isJoinable());

    // After the round, players leaving are no longer tracked.
    QSignalSpy left(&model, &GameModel::playerLeft);
    model.onPlayerLeft(P1);
    QCOMPARE(left.count(), 0);
    QVERIFY(model.findPlayer(P1));

    QSignalSpy rankings(&model, &GameModel::tournamentRankings);
    TournamentRanking r;
    r.playerId = OWN;
    r.tablePoints = 9;
    model.onTournamentRankings({r});
    QCOMPARE(rankings.count(), 1);
    QCOMPARE(rankings.at(0).at(0).value<TournamentRankings>().at(0).tablePoints, 9);
}

void TestGameModelHands::gameDataStatesAndSeating_data()
{
    QTest::addColumn<int>("serverState");
    QTest::addColumn<int>("gameType");
    QTest::addColumn<int>("gameState");
    QTest::addColumn<int>("playerState");
    QTest::addColumn<int>("seatedCount");
    QTest::addColumn<bool>("running");

    // Two players of three: P1 ready, P2 not; the local player is absent.
    QTest::newRow("initial, full game") << 0 << 2 << int(GameModel::GAME_NOT_STARTED) << int(GameModel::SEAT_OFFERED)
                                        << 1 << false;
    QTest::newRow("initial, tournament") << 0 << 1 << int(GameModel::GAME_NOT_STARTED) << int(GameModel::WAITING) << 3
                                         << false;
    QTest::newRow("initial, east only") << 0 << 3 << int(GameModel::GAME_NOT_STARTED) << int(GameModel::SEAT_OFFERED)
                                        << 1 << false;
    QTest::newRow("discarded, east only")
        << 4 << 3 << int(GameModel::HAND_IN_PLAY) << int(GameModel::PLAYING) << 3 << true;
    QTest::newRow("bonus, single hand") << 2 << 0 << int(GameModel::HAND_IN_PLAY) << int(GameModel::PLAYING) << 3
                                        << true;
    QTest::newRow("robbing, full game") << 5 << 2 << int(GameModel::HAND_IN_PLAY) << int(GameModel::PLAYING) << 3
                                        << true;
    QTest::newRow("hand ended") << 6 << 2 << int(GameModel::HAND_ENDED) << int(GameModel::SCORING) << 3 << true;
    QTest::newRow("hand ended, waiting") << 7 << 0 << int(GameModel::HAND_ENDED) << int(GameModel::SCORING) << 3
                                         << true;
    QTest::newRow("unknown state") << 9 << 2 << int(GameModel::NO_GAME_STATE) << int(GameModel::NO_PLAYER_STATE) << 0
                                   << false;
}

void TestGameModelHands::gameDataStatesAndSeating()
{
    QFETCH(int, serverState);
    QFETCH(int, gameType);
    QFETCH(int, gameState);
    QFETCH(int, playerState);
    QFETCH(int, seatedCount);
    QFETCH(bool, running);

    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, gameType), OWN, QStringLiteral("me"));
    model.markJoined();
    model.onGameData(5, server_game_state::enum_t(serverState), {makePlayer(P1, true), makePlayer(P2)},
                     makeTableState(), makeWallState(100, 12, 3, 6, {7}));
    QCOMPARE(int(model.gameState()), gameState);
    QCOMPARE(int(model.playerState()), playerState);
    QCOMPARE(int(model.playerIds().size()), seatedCount);
    QCOMPARE(model.isGameRunning(), running);
    QCOMPARE(model.findOwnPlayer()->name(), QStringLiteral("me"));
    CHECK_WALL(model, 100, 12, 6);
    QCOMPARE(model.deadWallPosition(), 3);
    QCOMPARE(model.handId(), qint64(5));

    // A second game data without a pending join keeps the local standing.
    model.onGameData(6, server_game_state::INITIAL_STATE, {makePlayer(P1, true)}, makeTableState(),
                     makeWallState(1, 2, 3, 4));
    QCOMPARE(int(model.playerState()), playerState);
    QVERIFY(!model.findOwnPlayer());
}

void TestGameModelHands::claimWithoutDiscardIsIgnored()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    // Game data naming a last discarder with an empty pond.
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE, {makePlayer(P1), makePlayer(P2)}, makeTableState(P1),
                     makeWallState(50, 14));
    QCOMPARE(model.lastDiscarderId(), P1);
    QSignalSpy claimed(&model, &GameModel::tileClaimed);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("empty pond"));
    model.onTileClaimed(P2);
    QCOMPARE(claimed.count(), 0);
    QCOMPARE(model.findPlayer(P2)->hiddenTiles(), 0);

    // A discard of the last hand cannot be claimed in the next one.
    model.onTileDiscarded(P1, 4, false);
    model.onHandEndNonScoring(ENDHAND_NO_REASON, false);
    model.onStartHand(2, makeSeating(P1, P2, -1, -1), {}, false, makeTableState(), makeWallState(0, 0));
    QCOMPARE(model.lastDiscarderId(), -1);
    model.onTileClaimed(P2);
    QCOMPARE(claimed.count(), 0);

    // No discarder at all: nothing happens, and a later meld is not claimed.
    model.onMeldDeclared(P2, meld_tuple{MELD_PONG, 0, 5, 77, 2});
    QCOMPARE(model.findPlayer(P2)->melds().back().claimedFrom, -1);
    QCOMPARE(model.findPlayer(P2)->melds().back().claimedOffset, qint8(2));
}

void TestGameModelHands::hostileCountsClampInsteadOfOverflowing()
{
    const qint32 maxInt = std::numeric_limits<qint32>::max();
    const qint32 minInt = std::numeric_limits<qint32>::min();
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME, minInt), OWN, QStringLiteral("me"));
    PlayerData low = makePlayer(P1, true);
    low.setHiddenTiles(minInt);
    low.setWins(maxInt);
    low.setDiscards({}, 0); // declared riichi
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE, {low, makePlayer(P2)}, makeTableState(-1, maxInt),
                     makeWallState(50, 14));
    QCOMPARE(model.riichiSticks(), maxInt);
    QCOMPARE(model.seatsRemaining(), minInt);

    model.onTileDiscarded(P1, 3, false);
    model.onMeldDeclared(P1, meld_tuple{MELD_KONG, 1, 5, -1, 0});
    QCOMPARE(model.findPlayer(P1)->hiddenTiles(), minInt);

    model.onHiddenTilesFromWall(P2, maxInt, false);
    model.onHiddenTilesFromWall(P2, maxInt, false);
    QCOMPARE(model.findPlayer(P2)->hiddenTiles(), maxInt);
    model.onTileClaimed(P2);
    QCOMPARE(model.findPlayer(P2)->hiddenTiles(), maxInt);

    EndHandScoring end;
    end.players[P1].result = 1;
    model.onHandEndScoring(end);
    QCOMPARE(model.findPlayer(P1)->wins(), maxInt);
}

void TestGameModelHands::unknownIdsAndRefusedTilesLeaveModelIntact()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.markJoined();
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE, {makePlayer(P1), makePlayer(OWN)}, makeTableState(),
                     makeWallState(50, 14));
    model.onPrivatePlayerData(PrivatePlayerData{{1, 2, 3}, true, false});

    QCOMPARE(exceptionText([&] { model.onTileDiscarded(999, 3, false); }), QStringLiteral("unknown player 999"));
    QCOMPARE(exceptionText([&] { model.onHiddenTilesFromWall(999, 1, false); }), QStringLiteral("unknown player 999"));
    QCOMPARE(exceptionText([&] { model.getPlayer(-5); }), QStringLiteral("unknown player -5"));
    CHECK_WALL(model, 50, 14, 0);
    QVERIFY_THROWS_EXCEPTION(server_error, model.onMeldDeclared(998, meld_tuple{}));

    // Tiles the local hand lacks are refused before anything changes.
    QCOMPARE(exceptionText([&] { model.onTileDiscarded(OWN, 9, false); }), QStringLiteral("to_erase != t1.end()"));
    QVERIFY(model.findOwnPlayer()->discards().empty());
    QCOMPARE(model.lastDiscarderId(), -1);
    QCOMPARE(exceptionText([&] {
                 model.onMeldDeclared(OWN, meld_tuple{MELD_PONG, 0, 1, -1, 0});
             }),
             QStringLiteral("to_erase != t1.end()"));
    QVERIFY(model.findOwnPlayer()->melds().empty());
    QCOMPARE(exceptionText([&] { model.onDeclareBonus(OWN, {1, 35}); }), QStringLiteral("to_erase != t1.end()"));
    QCOMPARE(model.findOwnPlayer()->hand(), (tile_vector{1, 2, 3}));
    QVERIFY(model.findOwnPlayer()->melds().empty());

    // A watcher has no local record for private data.
    GameModel watcher(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    QVERIFY_THROWS_EXCEPTION(server_error, watcher.onTilesFromWall({1}, false));
    CHECK_WALL(watcher, 130, 14, 0);

    // Tables of a ruleset this client does not know are refused.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, GameModel(TABLE, makeTableInfo(3, 2), OWN, QStringLiteral("me")));
}

QTEST_GUILESS_MAIN(TestGameModelHands)
#include "tst_gamemodel_hands.moc"
