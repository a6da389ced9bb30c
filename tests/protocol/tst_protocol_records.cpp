// The records the session hands to the views, and the server clock.
#include "protocol/ClientConfig.h"
#include "protocol/ProtocolMetaTypes.h"
#include "protocol/PrizeConfiguration.h"
#include "protocol/ServerError.h"
#include "protocol/ServerTime.h"
#include "protocol/TableInfoUpdates.h"
#include "protocol/TournamentInfoUpdates.h"
#include "core/TextFormat.h"

#include <QSignalSpy>
#include <QtTest>

class TestProtocolRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerProtocolMetaTypes(); }
    void tableInfoKeyedValues();
    void tableInfoUpdatesApplyInOrder();
    void tableInfoWallSizesFollowTheRuleset();
    void valueColumnAndCapacityOrder();
    void tournamentInfoUpdates();
    void emptyUpdateFunctionThrows();
    void clientConfigSplitsHostAndPort_data();
    void clientConfigSplitsHostAndPort();
    void rangeLookUpFindsTheContainingRange();
    void serverTimeFollowsItsEstimate();
    void metaTypesAreRegisteredByName();
};

void TestProtocolRecords::tableInfoKeyedValues()
{
    TableInfo t;
    QCOMPARE(t.id(), -1);
    QCOMPARE(t.tournamentId(), -1);
    t.setValue(TableInfo::GAME_TYPE, 1);
    t.setValue(TableInfo::TOURNAMENT_ID, 7);
    t.setValue(TableInfo::LOBBY_PATH, QStringLiteral("101/mtt/7"));
    t.setValue(TableInfo::BET, qlonglong(1) << 35);
    QCOMPARE(t.gameType(), 1);
    QVERIFY(t.isTournamentTable());
    QCOMPARE(t.tournamentId(), 7);
    QCOMPARE(t.lobbyPath(), QStringLiteral("101/mtt/7"));
    QCOMPARE(t.value().bet, qint64(1) << 35);
    QCOMPARE(t.value(TableInfo::GAME_TYPE).toInt(), 1);
    // unknown keys are kept, wrong types and ranges refused without change
    t.setValue(500, QVariant(true));
    QCOMPARE(t.value(500), QVariant(true));
    QVERIFY_THROWS_EXCEPTION(server_error, t.setValue(TableInfo::RULESET, QStringLiteral("2")));
    QVERIFY_THROWS_EXCEPTION(server_error, t.setValue(TableInfo::CAPACITY, -1));
    QVERIFY_THROWS_EXCEPTION(server_error, t.setValue(TableInfo::BET, -5));
    QVERIFY_THROWS_EXCEPTION(server_error, t.setValue(TableInfo::LOBBY_PATH, 5));
    QCOMPARE(t.ruleset(), 0);
    QCOMPARE(t.lobbyPath(), QStringLiteral("101/mtt/7"));
    TableInfo copy = t;
    QVERIFY(copy == t);
    copy.setValue(500, QVariant(false));
    QVERIFY(copy != t);
}

void TestProtocolRecords::tableInfoUpdatesApplyInOrder()
{
    TableInfo t(5, QStringLiteral("101/Practice"));
    TableInfoUpdates updates{tableInfoValueUpdate(TableInfo::SEATED, 1), tableInfoValueUpdate(TableInfo::SEATED, 3),
                             tableInfoValueUpdate(TableInfo::CAPACITY, 4)};
    applyUpdates(t, updates);
    QCOMPARE(t.seated(), 3);
    QCOMPARE(t.capacity(), 4);
    QVERIFY(!t.isFull());
    applyUpdates(t, {tableInfoValueUpdate(TableInfo::SEATED, 4)});
    QVERIFY(t.isFull());
    QCOMPARE(t.tableCapacity(), TableCapacity(4, 4, 0));
}

void TestProtocolRecords::tableInfoWallSizesFollowTheRuleset()
{
    TableInfo t;
    const int expected[3][2] = {{14, 130}, {0, 144}, {14, 122}};
    for (int r = 0; r < 3; ++r) {
        t.setRuleset(r);
        QCOMPARE(t.deadWallTiles(), expected[r][0]);
        QCOMPARE(t.liveWallTiles(), expected[r][1]);
    }
}

void TestProtocolRecords::valueColumnAndCapacityOrder()
{
    QCOMPARE(ValueColumnType(1, 1000, 100).total(), qint64(1100));
    QCOMPARE(ValueColumnType(3, 1000, 100).total(), qint64(1100));
    QCOMPARE(ValueColumnType(0, 1000, 100).total(), qint64(0));
    QCOMPARE(ValueColumnType(4, 1000, 100).total(), qint64(0));
    QCOMPARE(ValueColumnType(1, 1000, 150).betAndFeeText(),
             QStringLiteral("%1 + %2").arg(Utils::moneyString(1000, false), Utils::moneyString(150, false)));
    TableInfo t;
    QCOMPARE(t.buyInText(), QStringLiteral("-"));
    t.setValue(ValueColumnType(2, 1000, 100));
    QCOMPARE(t.buyInText(), Utils::moneyString(1100, false));

    // seated, then seats, then more bots first
    QVERIFY(TableCapacity(1, 4, 0) < TableCapacity(2, 2, 0));
    QVERIFY(TableCapacity(2, 3, 0) < TableCapacity(2, 4, 0));
    QVERIFY(TableCapacity(2, 4, 2) < TableCapacity(2, 4, 1));
    QVERIFY(!(TableCapacity(2, 4, 1) < TableCapacity(2, 4, 1)));
}

void TestProtocolRecords::tournamentInfoUpdates()
{
    TournamentInfo t;
    QCOMPARE(t.id, -1);
    QCOMPARE(t.status, TournamentInfo::Unknown);
    QCOMPARE(t.cost, TournamentCost(-1, 0));
    QVERIFY(!t.playerRegistered);
    const QDateTime start = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    TournamentInfoUpdates updates{
        tournamentInfoValueUpdate(TournamentInfo::STATUS, 3),
        tournamentInfoValueUpdate(TournamentInfo::NAME, QStringLiteral("Cup")),
        tournamentInfoValueUpdate(TournamentInfo::ROUNDS_START, QVariantList{start, start.addSecs(60)}),
        tournamentInfoValueUpdate(TournamentInfo::ROUNDS_LENGTH, QVariantList{50, 60}),
        tournamentInfoValueUpdate(TournamentInfo::CURRENT_ROUND, 1),
        tournamentInfoValueUpdate(TournamentInfo::BET, 500),
    };
    applyUpdates(t, updates);
    QCOMPARE(t.status, TournamentInfo::Playing);
    QCOMPARE(t.name, QStringLiteral("Cup"));
    QCOMPARE(t.roundsStart, (std::vector<QDateTime>{start, start.addSecs(60)}));
    QCOMPARE(t.roundsLength, (std::vector<int>{50, 60}));
    QCOMPARE(t.currentRound, 1);
    QCOMPARE(t.cost, TournamentCost(500, 0));
    QVERIFY_THROWS_EXCEPTION(server_error, t.setValue(TournamentInfo::STATUS, 8));
    QVERIFY_THROWS_EXCEPTION(server_error,
                             t.setValue(TournamentInfo::ROUNDS_LENGTH, QVariantList{QStringLiteral("x")}));
    QVERIFY_THROWS_EXCEPTION(server_error, t.setValue(TournamentInfo::START, 5));
    // the current round indexes the round lists
    QVERIFY_THROWS_EXCEPTION(server_error, t.setValue(TournamentInfo::CURRENT_ROUND, -1));
    QVERIFY_THROWS_EXCEPTION(server_error,
                             t.setValue(TournamentInfo::CURRENT_ROUND, std::numeric_limits<qint32>::max()));
    QCOMPARE(t.currentRound, 1);
    QCOMPARE(t.roundsLength, (std::vector<int>{50, 60}));
    QVERIFY(TournamentCost(1000, 100) < TournamentCost(1050, 100));
    QVERIFY(!(TournamentCost(1050, 0) < TournamentCost(1000, 50)));
}

void TestProtocolRecords::emptyUpdateFunctionThrows()
{
    TournamentInfo t;
    TournamentInfoUpdates updates{tournamentInfoValueUpdate(TournamentInfo::NAME, QStringLiteral("A")), {}};
    QVERIFY_THROWS_EXCEPTION(std::bad_function_call, applyUpdates(t, updates));
    QCOMPARE(t.name, QStringLiteral("A")); // applied in order up to the empty one
    TableInfo ti;
    QVERIFY_THROWS_EXCEPTION(std::bad_function_call, applyUpdates(ti, TableInfoUpdates{{}}));
}

void TestProtocolRecords::clientConfigSplitsHostAndPort_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("host only") << "xmpp.example.test"
                               << "xmpp.example.test" << 5222;
    QTest::newRow("host and port") << "xmpp.example.test:5333"
                                   << "xmpp.example.test" << 5333;
    QTest::newRow("bad port") << "x:99999"
                              << "x" << 5222;
    QTest::newRow("empty port") << "x:"
                                << "x" << 5222;
    QTest::newRow("empty") << ""
                           << "fallback" << 5222;
}

void TestProtocolRecords::clientConfigSplitsHostAndPort()
{
    QFETCH(QString, server);
    QFETCH(QString, host);
    QFETCH(int, port);
    const ClientConfig c(server, QStringLiteral("conference.x"), QString(), QStringLiteral("search.x"));
    QCOMPARE(c.xmppHost(QStringLiteral("fallback")), host);
    QCOMPARE(int(c.xmppPort(5222)), port);
    QVERIFY(c.hasConferenceService());
    QVERIFY(!c.hasLobbyRoom());
    QVERIFY(c.hasSearchService());
}

void TestProtocolRecords::rangeLookUpFindsTheContainingRange()
{
    prize_structure_t prizes;
    prizes[Range<int>(1, 1)] = pot_share_t{500};
    prizes[Range<int>(2, 3)] = pot_share_t{300};
    prizes[Range<int>(4, 10)] = std::any();
    QCOMPARE(std::any_cast<pot_share_t>(prizes.at(Range<int>(3, 3))).share, 300);
    QCOMPARE(std::any_cast<pot_share_t>(prizes.at(Range<int>(1, 1))).share, 500);
    QVERIFY(prizes.find(Range<int>(11, 11)) == prizes.end());
    QVERIFY(!prizes.at(Range<int>(7, 7)).has_value());
}

void TestProtocolRecords::serverTimeFollowsItsEstimate()
{
    ServerTime &clock = Singleton<ServerTime>::instance();
    QVERIFY(!clock.hasEstimate());
    QVERIFY(qAbs(clock.now().msecsTo(QDateTime::currentDateTimeUtc())) < 1000);
    QSignalSpy estimate(&clock, &ServerTime::updatedEstimate);
    QSignalSpy ping(&clock, &ServerTime::updatedPing);
    const QDateTime server = QDateTime::currentDateTimeUtc().addSecs(7200);
    clock.onPingReply(server, 400);
    QCOMPARE(estimate.size(), 1);
    QCOMPARE(ping.size(), 1);
    QCOMPARE(clock.lastPingMs(), qint64(400));
    // half the round trip is added: the answer was stamped on its way back
    QVERIFY(qAbs(clock.now().msecsTo(server.addMSecs(200))) < 100);
    QTest::qWait(120);
    QVERIFY(clock.now() >= server.addMSecs(300));
    QCOMPARE(clock.now().timeSpec(), Qt::UTC);
    // the text helpers read the same clock
    QVERIFY(qAbs(Utils::serverNow().msecsTo(clock.now())) < 100);
    clock.setEstimate(server.addDays(-1));
    QVERIFY(qAbs(clock.now().msecsTo(server.addDays(-1))) < 100);
}

void TestProtocolRecords::metaTypesAreRegisteredByName()
{
    for (const char *name :
         {"TableInfo", "TableInfoUpdates", "TournamentInfo", "TournamentInfoUpdates", "ClientConfig", "lobby_summary_t",
          "WebPageRequest::enum_t", "join_failed_reason::enum_t", "tmnt_register_failed_reason::enum_t",
          "position_range_t", "meld_offer_vector", "TimeSpan", "std::string", "ComingEvents", "TournamentRankings"})
        QVERIFY2(QMetaType::fromName(name).isValid(), name);
}

QTEST_GUILESS_MAIN(TestProtocolRecords)
#include "tst_protocol_records.moc"
