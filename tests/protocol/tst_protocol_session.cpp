// The session against the scripted peer over real loopback TLS.
#include "ReservedPort.h"
#include "protocol/ConnectionManager.h"
#include "protocol/ServerTime.h"
#include "tools/peer/PeerProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QStringList g_log;

void captureLog(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_log << text;
}
} // namespace

class TestProtocolSession : public QObject
{
    Q_OBJECT

private slots:
    void untrustedServerEndsInDisconnected();
    void refusedConnectionEndsInDisconnected();
    void silentServerTimesOut();
    void handshakeAndLoginCodes();
    void loginBeforeHandshakeIsSentAfterIt();
    void repeatedTableRequestsAreThrottled();
    void pingEstimatesTheServerClock();
    void serverCloseIsReported();
    void prepareToQuitWritesTheLogout();
    void scriptedHandAndBadFrame();
    void answersReadInOnePassAreEachTaken();
    void servicesLobbyAndTournaments();
    void demoModePlaysTheShippedHand();
    void scoredHandScenario();
    void refusedFrameEndsTheSession();
    void readHandlerYieldsEachTurn();
    void floodOfTurnNoticesIsReadInSlices_data();
    void floodOfTurnNoticesIsReadInSlices();
    void floodWaitsInTheServer();
    void serverThatDoesNotReadIsDropped();

private:
    bool startPeer(PeerProcess &peer, const QStringList &args = {});
    bool connectAndHandshake(ConnectionManager &cm, PeerProcess &peer);
    bool login(ConnectionManager &cm, const QString &user = QStringLiteral("ann"),
               const QString &password = QStringLiteral("secret"));
    QString writeScenario(const QJsonObject &scenario);

    QTemporaryDir m_dir;
    int m_scenarios = 0;
};

bool TestProtocolSession::startPeer(PeerProcess &peer, const QStringList &args)
{
    static bool trusted = false;
    if (!trusted) {
        PeerProcess::installTestCa();
        trusted = true;
    }
    const bool ok = peer.start(QStringList{QStringLiteral("--account"), QStringLiteral("ann:secret:1001:Ann"),
                                           QStringLiteral("--account"), QStringLiteral("shut:pw:1002:Shut:3")}
                               + args);
    if (!ok)
        qWarning() << peer.errorString();
    return ok;
}

bool TestProtocolSession::connectAndHandshake(ConnectionManager &cm, PeerProcess &peer)
{
    QSignalSpy done(&cm, &ConnectionManager::versionCheckComplete);
    cm.connectToHost(QStringLiteral("localhost"), peer.port());
    return done.wait(10000) && cm.isVersionChecked();
}

bool TestProtocolSession::login(ConnectionManager &cm, const QString &user, const QString &password)
{
    QSignalSpy ok(&cm, &ConnectionManager::loginSuccess);
    cm.login(user, password);
    return ok.wait(10000);
}

QString TestProtocolSession::writeScenario(const QJsonObject &scenario)
{
    const QString name = m_dir.filePath(QStringLiteral("scenario%1.json").arg(++m_scenarios));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(QJsonDocument(scenario).toJson());
    return name;
}

void TestProtocolSession::untrustedServerEndsInDisconnected()
{
    // Before the test CA is trusted the peer's certificate must be refused.
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), QStringLiteral("ann:secret:1001")}),
             qPrintable(peer.errorString()));
    ConnectionManager cm(true);
    QSignalSpy connecting(&cm, &ConnectionManager::connecting);
    QSignalSpy connected(&cm, &ConnectionManager::connected);
    QSignalSpy disconnected(&cm, &ConnectionManager::disconnected);
    cm.connectToHost(QStringLiteral("localhost"), peer.port());
    QCOMPARE(connecting.size(), 1);
    QVERIFY(disconnected.wait(10000));
    QCOMPARE(connected.size(), 0);
    QVERIFY(!cm.isConnected());
    QCOMPARE(disconnected.size(), 1);
    QVERIFY(peer.linesStartingWith(QStringLiteral("RECV")).isEmpty());
}

void TestProtocolSession::refusedConnectionEndsInDisconnected()
{
    const ReservedPort reserved;
    const quint16 port = reserved.port();
    QVERIFY(port != 0);
    ConnectionManager cm(true);
    QSignalSpy disconnected(&cm, &ConnectionManager::disconnected);
    cm.connectToHost(QStringLiteral("127.0.0.1"), port);
    QVERIFY(disconnected.wait(10000));
    QCOMPARE(disconnected.size(), 1);
    // A quitting session reports nothing.
    cm.setQuitting(true);
    cm.connectToServer();
    QVERIFY(!disconnected.wait(500));
}

void TestProtocolSession::silentServerTimesOut()
{
    // Accepts the connection, then says nothing: neither TLS nor handshake.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    for (bool tls : {true, false}) {
        ConnectionManager cm(tls);
        cm.setHandshakeTimeout(300);
        QSignalSpy disconnected(&cm, &ConnectionManager::disconnected);
        cm.connectToHost(QStringLiteral("127.0.0.1"), silent.serverPort());
        QVERIFY(disconnected.wait(5000));
        QCOMPARE(disconnected.size(), 1);
        QVERIFY(!cm.isConnected());
        QVERIFY(!disconnected.wait(400)); // reported once
    }
}

void TestProtocolSession::handshakeAndLoginCodes()
{
    PeerProcess peer;
    QVERIFY(startPeer(peer));
    ConnectionManager cm(true);
    QSignalSpy connected(&cm, &ConnectionManager::connected);
    QVERIFY(connectAndHandshake(cm, peer));
    QCOMPARE(connected.size(), 1);
    QVERIFY(cm.isConnected());
    QVERIFY(!peer.waitForLine(QStringLiteral("CONNECTED tls")).isNull());

    g_log.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureLog);
    QSignalSpy failed(&cm, &ConnectionManager::loginFailed);
    cm.login(QStringLiteral("ann"), QStringLiteral("wrong-password-1"));
    QVERIFY(failed.wait(5000));
    QCOMPARE(failed.last().at(0).toInt(), 2);
    cm.login(QStringLiteral("shut"), QStringLiteral("pw"));
    QVERIFY(failed.wait(5000));
    QCOMPARE(failed.last().at(0).toInt(), 3);
    QSignalSpy success(&cm, &ConnectionManager::loginSuccess);
    cm.login(QStringLiteral("ann"), QStringLiteral("secret"));
    QVERIFY(success.wait(5000));
    qInstallMessageHandler(previous);
    QCOMPARE(success[0][0].toInt(), 1001);
    QCOMPARE(success[0][1].toString(), QStringLiteral("Ann"));
    QCOMPARE(success[0][2].toString(), QStringLiteral("cred-1001"));
    QCOMPARE(success[0][3].toBool(), true);
    QVERIFY(cm.isLoggedIn());
    QCOMPARE(cm.ownPlayerId(), 1001);
    for (const QString &line : g_log) {
        QVERIFY2(!line.contains(QLatin1String("secret")) && !line.contains(QLatin1String("wrong-password")),
                 qPrintable(line));
    }
    QVERIFY(cm.bytesRead() > 0);
    QVERIFY(cm.bytesWritten() > 0);
    QCOMPARE(cm.property("bytesReceived").toLongLong(), cm.bytesRead());
    QCOMPARE(cm.property("bytesSent").toLongLong(), cm.bytesWritten());
}

void TestProtocolSession::loginBeforeHandshakeIsSentAfterIt()
{
    PeerProcess peer;
    QVERIFY(startPeer(peer));
    ConnectionManager cm(true);
    QSignalSpy success(&cm, &ConnectionManager::loginSuccess);
    cm.connectToHost(QStringLiteral("localhost"), peer.port());
    cm.login(QStringLiteral("ann"), QStringLiteral("secret"));
    QVERIFY(success.wait(10000));
    const QStringList recv = peer.linesStartingWith(QStringLiteral("RECV"));
    QVERIFY(recv.size() >= 2);
    QVERIFY(recv[0].startsWith(QLatin1String("RECV hello ")));
    QVERIFY(recv[1].startsWith(QLatin1String("RECV login ")));
}

void TestProtocolSession::repeatedTableRequestsAreThrottled()
{
    PeerProcess peer;
    QVERIFY(startPeer(peer));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    QVERIFY(login(cm));
    QSignalSpy joined(&cm, &ConnectionManager::joinSuccessful);
    QSignalSpy joinFailed(&cm, &ConnectionManager::joinFailed);
    QSignalSpy gameData(&cm, &ConnectionManager::gameData);
    cm.join_table(1001, -1);
    cm.join_table(1001, -1);
    cm.join_table(1001, 2);
    cm.join_table(2002, -1); // another table goes through (and is full)
    cm.watch_table(1003);
    cm.watch_table(1003);
    QVERIFY(joinFailed.wait(5000));
    QCOMPARE(joinFailed[0][0].toInt(), 2002);
    QCOMPARE(joinFailed[0][1].value<join_failed_reason::enum_t>(), join_failed_reason::TABLE_FULL);
    // an answered request may be retried at once
    cm.join_table(2002, -1);
    QVERIFY(joinFailed.wait(5000));
    QTRY_COMPARE(gameData.size(), 2);
    QCOMPARE(joined.size(), 1);
    QCOMPARE(joined[0][0].toInt(), 1001);
    QCOMPARE(peer.linesStartingWith(QStringLiteral("RECV join_table {\"seat\":-1,\"tableId\":1001}")).size(), 1);
    QCOMPARE(peer.linesStartingWith(QStringLiteral("RECV join_table")).size(), 3);
    QCOMPARE(peer.linesStartingWith(QStringLiteral("RECV watch_table")).size(), 1);
    // the own player is among the seated players of the joined table
    const auto players = gameData[0][3].value<std::vector<PlayerData>>();
    QVERIFY(std::any_of(players.begin(), players.end(), [](const PlayerData &p) { return p.id() == 1001; }));
    // play requests are not throttled
    cm.discard_tile(1001, 1001, 5);
    cm.discard_tile(1001, 1001, 5);
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV discard_tile"), 5000, 1).isNull());
    // after three seconds the same request goes out again
    QTest::qWait(ConnectionManager::throttleMs + 100);
    cm.leave_table(1001);
    cm.leave_table(1001);
    cm.watch_table(1003);
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV watch_table"), 5000, 1).isNull());
    QCOMPARE(peer.linesStartingWith(QStringLiteral("RECV leave_table")).size(), 1);
}

void TestProtocolSession::pingEstimatesTheServerClock()
{
    PeerProcess peer;
    const QStringList args{QStringLiteral("--clock-offset-ms"), QStringLiteral("3600000")};
    const qint64 offsetMs = PeerProcess::effectiveValue(args, QStringLiteral("--clock-offset-ms"), 0);
    QVERIFY(startPeer(peer, args));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    ServerTime &clock = Singleton<ServerTime>::instance();
    QSignalSpy estimate(&clock, &ServerTime::updatedEstimate);
    QSignalSpy pinged(&clock, &ServerTime::updatedPing);
    clock.setRepingInterval(300);
    clock.setConnectionManager(&cm);
    QVERIFY(estimate.wait(5000));
    const qint64 ahead = QDateTime::currentDateTimeUtc().msecsTo(clock.now());
    QVERIFY2(qAbs(ahead - offsetMs) < 2000, qPrintable(QString::number(ahead)));
    QVERIFY(clock.lastPingMs() >= 0);
    // and again after the re-ping interval
    QTRY_VERIFY_WITH_TIMEOUT(pinged.size() >= 2, 5000);
    QVERIFY(peer.linesStartingWith(QStringLiteral("RECV ping")).size() >= 2);
    clock.setConnectionManager(nullptr);
    clock.setRepingInterval(ServerTime::repingMs);
    // A ping still on its way is counted too: the peer reads it before a
    // request sent after it.
    cm.query_lobby_summary();
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV query_lobby_summary")).isNull());
    const int pings = peer.linesStartingWith(QStringLiteral("RECV ping")).size();
    QTest::qWait(600);
    QCOMPARE(peer.linesStartingWith(QStringLiteral("RECV ping")).size(), pings);
}

void TestProtocolSession::serverCloseIsReported()
{
    const QString scenario = writeScenario(
        QJsonObject{{QStringLiteral("trigger"), QStringLiteral("login")},
                    {QStringLiteral("steps"), QJsonArray{QJsonObject{{QStringLiteral("wait_ms"), 50}},
                                                         QJsonObject{{QStringLiteral("close"), true}}}}});
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--scenario"), scenario}));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    QSignalSpy disconnected(&cm, &ConnectionManager::disconnected);
    QVERIFY(login(cm));
    QVERIFY(disconnected.wait(5000));
    QCOMPARE(disconnected.size(), 1);
    QVERIFY(!cm.isConnected());
    QVERIFY(!cm.isLoggedIn());
    // a request without a connection is dropped, not queued
    cm.query_account_balance();
    // connecting again to the stored host and port works
    QSignalSpy again(&cm, &ConnectionManager::versionCheckComplete);
    cm.connectToServer();
    QVERIFY(again.wait(5000));
}

void TestProtocolSession::prepareToQuitWritesTheLogout()
{
    PeerProcess peer;
    QVERIFY(startPeer(peer));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    cm.prepareToQuit(); // not logged in: nothing is sent
    cm.setQuitting(false);
    QVERIFY(peer.linesStartingWith(QStringLiteral("RECV logout")).isEmpty());
    QVERIFY(login(cm));
    QSignalSpy disconnected(&cm, &ConnectionManager::disconnected);
    cm.prepareToQuit();
    QVERIFY(!cm.isLoggedIn());
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV logout")).isNull());
    QCOMPARE(peer.linesStartingWith(QStringLiteral("RECV logout")).size(), 1);
    // the peer closes the connection after the logout; nobody is told
    QVERIFY(!peer.waitForLine(QStringLiteral("DISCONNECTED")).isNull());
    QTest::qWait(200);
    QCOMPARE(disconnected.size(), 0);
}

void TestProtocolSession::scriptedHandAndBadFrame()
{
    QJsonArray steps{
        QJsonObject{{QStringLiteral("send"), QStringLiteral("tiles_from_wall")},
                    {QStringLiteral("fields"), QJsonObject{{QStringLiteral("tableId"), QStringLiteral("$table")},
                                                           {QStringLiteral("tiles"), QJsonArray{3, 4, 5}}}}},
        QJsonObject{
            {QStringLiteral("send"), QStringLiteral("meld_suggestion")},
            {QStringLiteral("fields"),
             QJsonObject{{QStringLiteral("tableId"), QStringLiteral("$table")},
                         {QStringLiteral("ts"), QJsonObject{{QStringLiteral("start"), QStringLiteral("now")},
                                                            {QStringLiteral("end"), QStringLiteral("now+8000")}}},
                         {QStringLiteral("offers"),
                          QJsonArray{QJsonObject{{QStringLiteral("meldType"), 1}, {QStringLiteral("tile"), 3}},
                                     QJsonArray{16, 5}}}}}},
        QJsonObject{{QStringLiteral("expect"), QStringLiteral("call_chow")},
                    {QStringLiteral("fields"),
                     QJsonObject{{QStringLiteral("tableId"), QStringLiteral("$table")}, {QStringLiteral("tile"), 3}}}},
        QJsonObject{{QStringLiteral("send"), QStringLiteral("meld_declared")},
                    {QStringLiteral("fields"),
                     QJsonObject{{QStringLiteral("tableId"), QStringLiteral("$table")},
                                 {QStringLiteral("playerId"), QStringLiteral("$pid")},
                                 {QStringLiteral("meld"), QJsonObject{{QStringLiteral("meldType"), 1},
                                                                      {QStringLiteral("firstTile"), 3},
                                                                      {QStringLiteral("claimedFrom"), -1}}}}}},
        // a frame that announces 2 GiB
        QJsonObject{{QStringLiteral("raw"), QStringLiteral("7fffffff4d")}},
    };
    const QString scenario = writeScenario(
        QJsonObject{{QStringLiteral("trigger"), QStringLiteral("join")}, {QStringLiteral("steps"), steps}});
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--scenario"), scenario}));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    QVERIFY(login(cm));
    QSignalSpy tiles(&cm, &ConnectionManager::tilesFromWall);
    QSignalSpy offers(&cm, &ConnectionManager::meldSuggestion);
    QSignalSpy melds(&cm, &ConnectionManager::meldDeclared);
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
    QSignalSpy disconnected(&cm, &ConnectionManager::disconnected);
    cm.join_table(1001, -1);
    QVERIFY(offers.wait(5000));
    QCOMPARE(tiles.size(), 1);
    QCOMPARE(tiles[0][1].value<tile_vector>(), (tile_vector{3, 4, 5}));
    const auto offered = offers[0][2].value<meld_offer_vector>();
    QCOMPARE(offered, (meld_offer_vector{meld_offer(1, 3), meld_offer(16, 5)}));
    const TimeSpan ts = offers[0][1].value<TimeSpan>();
    QVERIFY(qAbs(ts.start().msecsTo(ts.end()) - 8000) < 50);
    QCOMPARE(ts.end().timeSpec(), Qt::UTC);
    cm.call_chow(1001, 1001, offered[0].t);
    QVERIFY(melds.wait(5000));
    QCOMPARE(melds[0][2].value<meld_tuple>().firstTile, tile(3));
    QCOMPARE(melds[0][2].value<meld_tuple>().claimedFrom, -1);
    QVERIFY(errors.wait(5000) || errors.size() == 1);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(QString::fromStdString(errors[0][0].value<std::string>()).contains(QLatin1String("exceeds the limit")),
             errors[0][0].value<std::string>().c_str());
    QVERIFY(disconnected.size() == 1 || disconnected.wait(5000));
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

// A fast client answers two questions before the server's script has moved
// past the first answer: the second, read in the same pass, is still taken.
void TestProtocolSession::answersReadInOnePassAreEachTaken()
{
    const QString scenario = writeScenario(QJsonDocument::fromJson(R"({"trigger": "join", "steps": [
        {"send": "tiles_from_wall", "fields": {"tableId": "$table", "tiles": [3]}},
        {"expect": "call_pass"},
        {"expect": "ready"},
        {"send": "tiles_from_wall", "fields": {"tableId": "$table", "tiles": [4]}}]})")
                                               .object());
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--scenario"), scenario}));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    QVERIFY(login(cm));
    QSignalSpy tiles(&cm, &ConnectionManager::tilesFromWall);
    cm.join_table(1001, -1);
    QVERIFY(tiles.wait(5000));
    // Both frames leave in one write.
    cm.call_pass(1001, 1001, false);
    cm.ready(1001, 1001);
    QTRY_COMPARE_WITH_TIMEOUT(tiles.size(), 2, 15000);
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

void TestProtocolSession::servicesLobbyAndTournaments()
{
    PeerProcess peer;
    QVERIFY(startPeer(peer));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    QVERIFY(login(cm));
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);

    QSignalSpy names(&cm, &ConnectionManager::playerNameUpdate);
    QCOMPARE(cm.playerName(1002), QStringLiteral("1002"));
    QCOMPARE(cm.playerName(1002), QStringLiteral("1002")); // asked once
    QVERIFY(names.wait(5000));
    QCOMPARE(names[0][0].toInt(), 1002);
    QCOMPARE(names[0][1].toString(), QStringLiteral("Shut"));
    QCOMPARE(cm.playerName(1002), QStringLiteral("Shut"));
    QCOMPARE(cm.playerName(1001), QStringLiteral("Ann")); // known from the login
    QCOMPARE(peer.linesStartingWith(QStringLiteral("RECV service_request")).size(), 1);

    QSignalSpy tables(&cm, qOverload<TableInfo>(&ConnectionManager::tableInfoUpdate));
    cm.lobby_subscribe(QStringLiteral("101/Practice"));
    QTRY_COMPARE(tables.size(), 4);
    QCOMPARE(tables[0][0].value<TableInfo>().lobbyPath(), QStringLiteral("101/Practice"));

    QSignalSpy tableNames(&cm, &ConnectionManager::tableNames);
    cm.query_table_names(QStringLiteral("ja"));
    QVERIFY(tableNames.wait(5000));
    QCOMPARE(tableNames[0][0].toString(), QStringLiteral("ja"));
    typedef std::map<qint32, QString> Templates;
    QCOMPARE(tableNames[0][1].value<Templates>().at(1), QStringLiteral("練習 {tableId}"));

    QSignalSpy screen(&cm, &ConnectionManager::setScreennameFailed);
    cm.set_screenname(QStringLiteral("  "));
    QVERIFY(screen.wait(5000));
    QCOMPARE(screen[0][1].toBool(), true);
    QSignalSpy query(&cm, &ConnectionManager::queryScreennameFailed);
    cm.query_screenname_info(QStringLiteral("nobody"));
    QVERIFY(query.wait(5000));

    QSignalSpy tournaments(&cm, qOverload<TournamentInfo>(&ConnectionManager::tournamentInfoUpdate));
    QSignalSpy registered(&cm, &ConnectionManager::notifyRegistered);
    cm.tournaments_lobby_subscribe();
    QVERIFY(registered.wait(5000));
    QCOMPARE(tournaments.size(), 2);
    QCOMPARE(tournaments[0][0].value<TournamentInfo>().name, QStringLiteral("Sunday Classic"));

    QSignalSpy registerOk(&cm, &ConnectionManager::tournamentRegisterSuccess);
    QSignalSpy registerFailed(&cm, &ConnectionManager::tournamentRegisterFailed);
    cm.register_tournament_request(7);
    cm.register_tournament_request(8);
    QTRY_COMPARE(registerFailed.size(), 1);
    QCOMPARE(registerOk.size(), 1);
    QCOMPARE(registerFailed[0][1].value<tmnt_register_failed_reason::enum_t>(),
             tmnt_register_failed_reason::TournamentRunning);
    QSignalSpy unregistered(&cm, &ConnectionManager::tournamentUnregisterSuccess);
    cm.unregister_tournament_request(7);
    QVERIFY(unregistered.wait(5000));

    QSignalSpy rankings(&cm, &ConnectionManager::tournamentRankings);
    QSignalSpy prizes(&cm, &ConnectionManager::tournamentPrizeConfiguration);
    QSignalSpy events(&cm, &ConnectionManager::comingEvents);
    cm.get_tournament_ranking_list(7);
    cm.query_tournament_prize_configuration(7);
    cm.query_coming_events();
    QTRY_COMPARE(events.size(), 1);
    QTRY_COMPARE(prizes.size(), 1);
    QCOMPARE(rankings.size(), 1);
    // One entry per registered player of tournament 7.
    QCOMPARE(rankings[0][1].value<TournamentRankings>().size(), size_t(12));
    QCOMPARE(prizes[0][1].value<tournament_prize_configuration_t>().size(), size_t(2));
    QVERIFY(
        peer.waitForLine(QStringLiteral("RECV tournament_envelope")).contains(QLatin1String("ranking_list_request")));

    QSignalSpy page(&cm, &ConnectionManager::webPage);
    QSignalSpy config(&cm, &ConnectionManager::clientConfig);
    QSignalSpy summary(&cm, &ConnectionManager::lobbySummary);
    QSignalSpy balance(&cm, &ConnectionManager::currentAccountBalance);
    cm.query_web_page(WebPageRequest::SidePage);
    cm.query_client_config();
    cm.query_lobby_summary();
    cm.query_account_balance();
    cm.log_client_uuid("machine-id");
    QTRY_COMPARE(balance.size(), 1);
    QCOMPARE(page[0][0].value<WebPageRequest::enum_t>(), WebPageRequest::SidePage);
    // A port of the peer's own, on which nothing answers.
    const quint16 xmppPort = config[0][0].value<ClientConfig>().xmppPort();
    QVERIFY(xmppPort != 5222 && xmppPort != 0);
    QTcpSocket chat;
    chat.connectToHost(QHostAddress::LocalHost, xmppPort);
    QVERIFY(!chat.waitForConnected(5000));
    QCOMPARE(chat.error(), QAbstractSocket::ConnectionRefusedError);
    QCOMPARE(summary[0][0].value<lobby_summary_t>().topWinners.size(), size_t(2));
    QCOMPARE(balance[0][0].toLongLong(), qint64(123456));
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV service_request"), 5000, 4).isNull());
    QCOMPARE(errors.size(), 0);
}

void TestProtocolSession::demoModePlaysTheShippedHand()
{
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--demo")}));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    QVERIFY(login(cm, QStringLiteral("newcomer"), QStringLiteral("any")));
    QSignalSpy game(&cm, &ConnectionManager::gameData);
    QSignalSpy joined(&cm, &ConnectionManager::playerJoined);
    QSignalSpy started(&cm, &ConnectionManager::startHand);
    QSignalSpy fromWall(&cm, &ConnectionManager::tilesFromWall);
    QSignalSpy act(&cm, &ConnectionManager::playerShouldAct);
    QSignalSpy discarded(&cm, &ConnectionManager::tileDiscarded);
    QSignalSpy bonus(&cm, &ConnectionManager::declareBonus);
    QSignalSpy offer(&cm, &ConnectionManager::meldSuggestion);
    QSignalSpy concealed(&cm, &ConnectionManager::concealedMeldSuggestion);
    QSignalSpy melds(&cm, &ConnectionManager::meldDeclared);
    QSignalSpy dora(&cm, &ConnectionManager::kanDora);
    QSignalSpy scored(&cm, &ConnectionManager::handEndScoring);
    QSignalSpy askReady(&cm, &ConnectionManager::areYouReady);
    QSignalSpy roundEnd(&cm, &ConnectionManager::endOfRound);
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
    const qint32 own = cm.ownPlayerId();
    cm.join_table(1001, -1);
    QVERIFY(act.wait(10000));
    // The bots sit down at a table that lists the new player alone.
    QCOMPARE(game[0][3].value<std::vector<PlayerData>>().size(), size_t(1));
    QCOMPARE(joined.size(), 3);
    QCOMPARE(started.size(), 1);
    QCOMPARE(started[0][2].value<Seating>().east(), own);
    // The player's tiles are dealt from the wall as the bots' are, then drawn.
    QCOMPARE(fromWall.size(), 2);
    QCOMPARE(fromWall[0][1].value<tile_vector>().size(), size_t(13));
    QCOMPARE(fromWall[1][1].value<tile_vector>().size(), size_t(1));
    cm.discard_tile(1001, own, 27);
    QVERIFY(offer.wait(15000));
    QCOMPARE(offer[0][2].value<meld_offer_vector>(), meld_offer_vector{meld_offer(MELD_PONG, 31)});
    QCOMPARE(bonus.size(), 1);
    cm.call_pong(1001, own, 31);
    QTRY_COMPARE_WITH_TIMEOUT(act.size(), 2, 10000);
    cm.discard_tile(1001, own, 5);
    QVERIFY(concealed.wait(20000));
    QCOMPARE(concealed[0][2].value<meld_offer_vector>(), meld_offer_vector{meld_offer(MELD_MAHJONG, 27)});
    cm.call_mahjong(1001, own);
    QVERIFY(askReady.wait(10000));
    QCOMPARE(scored.size(), 1);
    // A Classic table declares mahjong, not tsumo.
    QCOMPARE(scored[0][1].value<EndHandScoring>().winKind, qint32(EndHandScoring::MAHJONG));
    cm.ready(1001, own);
    QVERIFY(roundEnd.wait(10000));
    // Every turn: the player's two discards echoed, the bots' three.
    QCOMPARE(discarded.size(), 5);
    QCOMPARE(discarded[0][2].value<tile>(), tile(27)); // the peer echoes the tile the player chose
    QCOMPARE(melds.size(), 2);                         // the player's pong, a bot's kong
    QCOMPARE(dora.size(), 0);                          // no kan dora off Riichi tables
    QCOMPARE(errors.size(), 0);
    QVERIFY(!peer.waitForLine(QStringLiteral("SCENARIO_DONE")).isNull());
}

void TestProtocolSession::scoredHandScenario()
{
    PeerProcess peer;
    QVERIFY(startPeer(
        peer, {QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + QStringLiteral("/scored-hand.json")}));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    QVERIFY(login(cm));
    const qint32 me = cm.ownPlayerId();
    // The player's side of the hand, answered as a table window would.
    connect(&cm, &ConnectionManager::playerShouldAct, this, [&cm, me](qint32 table, TimeSpan, qint32 player) {
        if (player == me)
            cm.discard_tile(table, me, 33);
    });
    connect(&cm, &ConnectionManager::meldSuggestion, this,
            [&cm, me](qint32 table, TimeSpan, meld_offer_vector offers) { cm.call_pong(table, me, offers.at(0).t); });
    connect(&cm, &ConnectionManager::concealedMeldSuggestion, this,
            [&cm, me](qint32 table, TimeSpan, meld_offer_vector offers) {
        if (offers.at(0).meldType == 16)
            cm.call_mahjong(table, me);
    });
    connect(&cm, &ConnectionManager::areYouReady, this, [&cm, me](qint32 table, TimeSpan) { cm.ready(table, me); });
    QSignalSpy riichi(&cm, &ConnectionManager::riichiDeclared);
    QSignalSpy melds(&cm, &ConnectionManager::meldDeclared);
    QSignalSpy dora(&cm, &ConnectionManager::kanDora);
    QSignalSpy waiting(&cm, &ConnectionManager::waitingFor);
    QSignalSpy scoring(&cm, &ConnectionManager::handEndScoring);
    QSignalSpy round(&cm, &ConnectionManager::endOfRound);
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
    QSignalSpy gameData(&cm, &ConnectionManager::gameData);
    cm.join_table(1002, -1);
    QVERIFY(round.wait(15000));
    QCOMPARE(errors.size(), 0);
    QCOMPARE(riichi.size(), 1);
    // The bot's deposit leaves its points at the declaration: the table is
    // sent again with the riichi discard last on the table, to be claimed.
    QCOMPARE(gameData.size(), 2);
    QCOMPARE(gameData[1][2].value<server_game_state::enum_t>(), server_game_state::TILE_DISCARDED_STATE);
    QCOMPARE(gameData[1][4].value<TableState>().lastDiscarder, 901);
    std::map<qint32, PlayerData> table;
    for (const PlayerData &p : gameData[1][3].value<std::vector<PlayerData>>())
        table[p.id()] = p;
    QCOMPARE(table.size(), size_t(4));
    QCOMPARE(table[901].points(), 24000);
    QCOMPARE(table[901].discards(), tile_vector{31});
    QCOMPARE(table[901].riichiDiscardIndex(), 0);
    QCOMPARE(table[me].points(), 25000);
    QCOMPARE(table[me].discards(), tile_vector{33});
    QCOMPARE(melds.size(), 2);
    QCOMPARE(melds[1][2].value<meld_tuple>().meldType, 8);
    QCOMPARE(dora[0][1].value<tile>(), tile(12));
    QCOMPARE(waiting[0][1].value<WaitCondition::enum_t>(), WaitCondition::CLAIMS);
    QCOMPARE(waiting[0][3].value<std::vector<qint32>>(), std::vector<qint32>{me});
    const EndHandScoring s = scoring[0][1].value<EndHandScoring>();
    QCOMPARE(s.winKind, 3);
    QCOMPARE(s.players.size(), size_t(4));
    QCOMPARE(s.players.at(me).currentScore, 27900);
    QCOMPARE(s.players.at(me).tileGroups.size(), size_t(3));
    QCOMPARE(s.doraTiles, (tile_vector{4, 12}));
    const MonetaryRoundScores scores = round[0][1].value<MonetaryRoundScores>();
    QCOMPARE(scores.size(), size_t(4));
    QCOMPARE(scores[0].result, qint64(2900));
    QVERIFY(!peer.waitForLine(QStringLiteral("SCENARIO_DONE")).isNull());
}

void TestProtocolSession::refusedFrameEndsTheSession()
{
    // One write: a frame of an unknown class, a good frame after it; then
    // 32 MiB more while the error is on screen.
    const QString junk = QStringLiteral("00100000") + QString(2 * 1024 * 1024, QLatin1Char('0'));
    const QString scenario = writeScenario(
        QJsonObject{{QStringLiteral("trigger"), QStringLiteral("login")},
                    {QStringLiteral("steps"),
                     QJsonArray{QJsonObject{{QStringLiteral("raw"), QStringLiteral("00000001fa000000055800000001")}},
                                QJsonObject{{QStringLiteral("raw"), junk}, {QStringLiteral("repeat"), 32}}}}});
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--scenario"), scenario}));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    auto *socket = cm.findChild<QSslSocket *>();
    QVERIFY(socket);
    QSignalSpy over(&cm, &ConnectionManager::waitingOver);
    QSignalSpy disconnected(&cm, &ConnectionManager::disconnected);
    int errors = 0;
    bool connectedAtReport = true;
    qint64 mostBuffered = 0;
    connect(&cm, &ConnectionManager::exceptionCaught, this, [&](const std::string &) {
        ++errors;
        connectedAtReport = cm.isConnected();
        // As a modal error box would: the event loop runs on inside the
        // handler until the peer has seen the end (or for 200 looks).
        QEventLoop box;
        QTimer poll;
        int looks = 0;
        connect(&poll, &QTimer::timeout, &box, [&] {
            mostBuffered = std::max(mostBuffered, socket->bytesAvailable());
            if (++looks == 200 || !peer.linesStartingWith(QStringLiteral("DISCONNECTED")).isEmpty())
                box.quit();
        });
        poll.start(5);
        box.exec();
    });
    QVERIFY(login(cm));
    QTRY_COMPARE(errors, 1);
    QVERIFY(!connectedAtReport);
    QVERIFY2(mostBuffered <= ConnectionManager::socketReadBufferBytes, qPrintable(QString::number(mostBuffered)));
    QCOMPARE(over.size(), 0);
    QCOMPARE(disconnected.size(), 1);
}

void TestProtocolSession::readHandlerYieldsEachTurn()
{
    const QString scenario = writeScenario(
        QJsonObject{{QStringLiteral("trigger"), QStringLiteral("login")},
                    {QStringLiteral("steps"),
                     QJsonArray{QJsonObject{{QStringLiteral("send"), QStringLiteral("waiting_over")},
                                            {QStringLiteral("fields"), QJsonObject{{QStringLiteral("tableId"), 1}}},
                                            {QStringLiteral("repeat"), 200}}}}});
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--scenario"), scenario}));
    ConnectionManager cm(true);
    cm.setReadBudget(0);
    QVERIFY(connectAndHandshake(cm, peer));
    // Frames handled before the event loop turns again.
    int inTurn = 0;
    int mostInTurn = 0;
    int total = 0;
    connect(&cm, &ConnectionManager::waitingOver, this, [&](qint32) {
        ++total;
        if (++inTurn == 1)
            QMetaObject::invokeMethod(
                this, [&inTurn] { inTurn = 0; }, Qt::QueuedConnection);
        mostInTurn = std::max(mostInTurn, inTurn);
    });
    QVERIFY(login(cm));
    QTRY_COMPARE(total, 200);
    QCOMPARE(mostInTurn, 1);
}

void TestProtocolSession::floodOfTurnNoticesIsReadInSlices_data()
{
    QTest::addColumn<int>("notices");
    QTest::addColumn<bool>("closeAfter");
    // Over TLS one socket notification brings many records, each with a
    // readyRead() of its own.
    QTest::newRow("connection open") << 40000 << false;
    // What is still buffered when the server closes.
    QTest::newRow("server closes") << 20000 << true;
}

void TestProtocolSession::floodOfTurnNoticesIsReadInSlices()
{
    QFETCH(int, notices);
    QFETCH(bool, closeAfter);
    QJsonArray steps{QJsonObject{
        {QStringLiteral("send"), QStringLiteral("player_should_act")},
        {QStringLiteral("fields"),
         QJsonObject{{QStringLiteral("tableId"), 1},
                     {QStringLiteral("ts"), QJsonObject{{QStringLiteral("start"), QStringLiteral("now")},
                                                        {QStringLiteral("end"), QStringLiteral("now+8000")}}},
                     {QStringLiteral("playerId"), 1001}}},
        {QStringLiteral("repeat"), notices}}};
    if (closeAfter)
        steps.append(QJsonObject{{QStringLiteral("close"), true}});
    const QString scenario = writeScenario(
        QJsonObject{{QStringLiteral("trigger"), QStringLiteral("login")}, {QStringLiteral("steps"), steps}});
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--scenario"), scenario}));
    ConnectionManager cm(true);
    // One notice per slice: a slice that takes more has run past its budget.
    cm.setReadBudget(0);
    QVERIFY(connectAndHandshake(cm, peer));
    int inTurn = 0;
    int mostInTurn = 0;
    int total = 0;
    int atClose = -1;
    connect(&cm, &ConnectionManager::playerShouldAct, this, [&](qint32, const TimeSpan &, qint32) {
        ++total;
        // Reset by the event loop's next turn, as a paint would run then.
        if (++inTurn == 1)
            QMetaObject::invokeMethod(
                this, [&inTurn] { inTurn = 0; }, Qt::QueuedConnection);
        mostInTurn = std::max(mostInTurn, inTurn);
    });
    connect(&cm, &ConnectionManager::disconnected, this, [&] { atClose = total; });
    QVERIFY(login(cm));
    QTRY_COMPARE_WITH_TIMEOUT(total, notices, 120000);
    QCOMPARE(mostInTurn, 1);
    if (closeAfter) {
        // Everything sent before the close is handled before it is reported.
        QTRY_COMPARE_WITH_TIMEOUT(atClose, notices, 10000);
        QVERIFY(!cm.isConnected());
    } else {
        QCOMPARE(atClose, -1);
    }
}

void TestProtocolSession::floodWaitsInTheServer()
{
    // 48 frames of about 1 MiB in a row, to a client that handles one frame
    // per turn of its event loop and opens a modal loop on the first: what
    // it has not handled yet stays bounded.
    const QString scenario = writeScenario(
        QJsonObject{{QStringLiteral("trigger"), QStringLiteral("login")},
                    {QStringLiteral("steps"),
                     QJsonArray{QJsonObject{{QStringLiteral("send"), QStringLiteral("player_message")},
                                            {QStringLiteral("fields"),
                                             QJsonObject{{QStringLiteral("text"), QString(1000000, QLatin1Char('x'))}}},
                                            {QStringLiteral("repeat"), 48}}}}});
    PeerProcess peer;
    // Without TLS the socket's own buffer is all that holds received bytes.
    QVERIFY(startPeer(peer, {QStringLiteral("--plain"), QStringLiteral("--scenario"), scenario}));
    ConnectionManager cm(false);
    cm.setReadBudget(0);
    QVERIFY(connectAndHandshake(cm, peer));
    auto *socket = cm.findChild<QSslSocket *>();
    QVERIFY(socket);
    int messages = 0;
    qint64 mostHeld = 0;
    connect(&cm, &ConnectionManager::playerMessage, this, [&](const QString &) {
        if (++messages > 1)
            return;
        // As a modal box would: the event loop runs on inside the handler.
        QEventLoop box;
        QTimer poll;
        int looks = 0;
        connect(&poll, &QTimer::timeout, &box, [&] {
            mostHeld = std::max(mostHeld, socket->bytesAvailable());
            if (++looks == 200 || mostHeld > 8 * 1024 * 1024)
                box.quit();
        });
        poll.start(5);
        box.exec();
    });
    QVERIFY(login(cm));
    QTRY_COMPARE_WITH_TIMEOUT(messages, 48, 30000);
    QVERIFY2(mostHeld <= ConnectionManager::socketReadBufferBytes, qPrintable(QString::number(mostHeld)));
}

void TestProtocolSession::serverThatDoesNotReadIsDropped()
{
    // The peer stops reading, then asks for a ping answer 1 500 000 times:
    // the answers fill the kernel's buffers on both ends first (on loopback
    // that took some 576 000 of them) before the client's own bound counts.
    const QString scenario = writeScenario(
        QJsonObject{{QStringLiteral("trigger"), QStringLiteral("login")},
                    {QStringLiteral("steps"),
                     QJsonArray{QJsonObject{{QStringLiteral("stop_reading"), true}},
                                QJsonObject{{QStringLiteral("send"), QStringLiteral("server_ping")},
                                            {QStringLiteral("fields"), QJsonObject{{QStringLiteral("seq"), 1}}},
                                            {QStringLiteral("repeat"), 1500000}}}}});
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--scenario"), scenario}));
    ConnectionManager cm(true);
    QVERIFY(connectAndHandshake(cm, peer));
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
    QSignalSpy disconnected(&cm, &ConnectionManager::disconnected);
    QVERIFY(login(cm));
    QVERIFY(disconnected.wait(60000));
    QCOMPARE(errors.size(), 0);
    QVERIFY(!cm.isConnected());
    QVERIFY(cm.messagesWritten() < 1500000);
}

QTEST_GUILESS_MAIN(TestProtocolSession)
#include "tst_protocol_session.moc"
