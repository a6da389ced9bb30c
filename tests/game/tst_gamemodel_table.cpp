#include "GameModelTestData.h"
#include "SignalLog.h"

#include "game/GameModel.h"
#include "game/RulesetInfo.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QtTest>

// The table-level facts of the table model: watching, kicks, table and tournament information.
class TestGameModelTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void watchingKickAndRemoval();
    void tableAndTournamentInfo();
    void getterHelpers();
};

void TestGameModelTable::initTestCase()
{
    // The model logs each step at debug level; keep test output readable.
    QLoggingCategory::setFilterRules(QStringLiteral("mahjong.*.debug=false"));
}

void TestGameModelTable::watchingKickAndRemoval()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.onWatching(false);
    QVERIFY(!model.isWatching());
    QCOMPARE(model.playerState(), GameModel::WATCHING);

    model.markJoined();
    model.onGameData(1, server_game_state::INITIAL_STATE, {makePlayer(OWN, true)}, makeTableState(),
                     makeWallState(130, 14));
    QCOMPARE(model.playerState(), GameModel::WAITING);
    model.onPlayerKicked(kick_reason::INACTIVE);
    QCOMPARE(model.playerState(), GameModel::KICKED);
    QCOMPARE(model.kickReason(), kick_reason::INACTIVE);

    QSignalSpy state(&model, &GameModel::playerStateChanged);
    model.onPlayerLeft(OWN);
    QCOMPARE(model.playerState(), GameModel::NO_PLAYER_STATE);
    QCOMPARE(state.count(), 1);

    QSignalSpy game(&model, &GameModel::gameStateChanged);
    model.onTableRemoved();
    QCOMPARE(model.gameState(), GameModel::TABLE_REMOVED);
    QCOMPARE(game.count(), 1);

    QCOMPARE(GameModel::playerStateName(6), "KICKED");
    QCOMPARE(GameModel::playerStateName(7), "<undefined>");
    QCOMPARE(GameModel::gameStateName(-1), "<undefined>");
}

void TestGameModelTable::tableAndTournamentInfo()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::TOURNAMENT), OWN, QStringLiteral("me"));
    model.onWatching();
    QSignalSpy infos(&model, qOverload<TableInfo>(&GameModel::tableInfo));

    model.onTableInfo(3, {tableInfoValueUpdate(TableInfo::WIND_ROUNDS, 2)});
    QCOMPARE(model.tableInfo().seated(), 3);
    QCOMPARE(model.tableInfo().windRounds(), 2);
    QCOMPARE(infos.count(), 1);

    // The seated count goes first: a keyed value in the list wins.
    model.onTableInfo(2, {tableInfoValueUpdate(TableInfo::SEATED, 4)});
    QCOMPARE(model.tableInfo().seated(), 4);
    QCOMPARE(infos.count(), 2);

    // A broken update is refused as a whole, logged, and the program goes on.
    const TableInfoUpdates broken[] = {{tableInfoValueUpdate(TableInfo::WIND_ROUNDS, 4), {}},
                                       {tableInfoValueUpdate(TableInfo::RULESET, 9)},
                                       {tableInfoValueUpdate(TableInfo::CAPACITY, QStringLiteral("four"))}};
    for (const TableInfoUpdates &updates : broken) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("update of table 7 refused"));
        model.onTableInfo(1, updates);
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("with -1 seated players refused"));
    model.onTableInfo(-1, {});
    QCOMPARE(model.tableInfo().seated(), 4);
    QCOMPARE(model.tableInfo().windRounds(), 2);
    QCOMPARE(model.tableInfo().ruleset(), int(RULESET_CLASSIC));
    QCOMPARE(infos.count(), 2);

    QSignalSpy roundEnded(&model, &GameModel::tournamentRoundEnded);
    TournamentInfo t;
    t.status = TournamentInfo::Seating;
    model.onTournamentInfo(t);
    t.status = TournamentInfo::Playing;
    model.onTournamentInfo(t);
    QCOMPARE(roundEnded.count(), 0);
    t.status = TournamentInfo::Paused;
    model.onTournamentInfo(t);
    QCOMPARE(roundEnded.count(), 1);
    QCOMPARE(roundEnded.at(0).at(0).toInt(), TABLE);
    QCOMPARE(model.gameState(), GameModel::ROUND_ENDED);
    QCOMPARE(model.tournamentInfo().status, TournamentInfo::Paused);

    // A seated player gets the round end from the server instead.
    GameModel seated(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::TOURNAMENT), OWN, QStringLiteral("me"));
    seated.markJoined();
    seated.onGameData(1, server_game_state::START_HAND_STATE, {}, makeTableState(), makeWallState(1, 1));
    QSignalSpy seatedRoundEnded(&seated, &GameModel::tournamentRoundEnded);
    t.status = TournamentInfo::Playing;
    seated.onTournamentInfo(t);
    t.status = TournamentInfo::Done;
    seated.onTournamentInfo(t);
    QCOMPARE(seatedRoundEnded.count(), 0);
    QCOMPARE(seated.gameState(), GameModel::HAND_IN_PLAY);
}

void TestGameModelTable::getterHelpers()
{
    GameModel model(TABLE, makeTableInfo(RULESET_CLASSIC, TableInfo::FULL_GAME), OWN, QStringLiteral("me"));
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE,
                     {makePlayer(P3, false, 2), makePlayer(P1, false, 2), makePlayer(P2, false, 0)}, makeTableState(),
                     makeWallState(50, 14));
    QCOMPARE(model.playerByWind(2)->id(), P1); // first in id order
    QVERIFY(!model.playerByWind(3));
    QCOMPARE(model.playerIds(), (std::vector<qint32>{P1, P2, P3}));
    QVERIFY(model.isPlayerSeated(P1));
    QVERIFY(!model.isPlayerSeated(4711));
    QVERIFY(!model.isOwnPlayerSeated());

    QSignalSpy waiting(&model, &GameModel::waitingFor);
    QSignalSpy over(&model, &GameModel::waitingOver);
    model.onWaitingFor(WaitCondition::CLAIMS, makeSpan(3), {P1, P2});
    model.onWaitingOver();
    QCOMPARE(waiting.count(), 1);
    QCOMPARE(waiting.at(0).at(2).value<std::vector<qint32>>(), (std::vector<qint32>{P1, P2}));
    QCOMPARE(over.count(), 1);

    model.onPlayerShouldAct(P2, makeSpan(8));
    QCOMPARE(model.pendingAction().first, P2);
    QCOMPARE(model.pendingAction().second, makeSpan(8));
}

QTEST_GUILESS_MAIN(TestGameModelTable)
#include "tst_gamemodel_table.moc"
