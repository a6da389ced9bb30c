// The table controller end to end: the scripted game server plays hands over
// loopback TLS; the tests answer through the table window as a player would
// and check what the window shows and what reaches the server.
#include "game/GameModel.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "protocol/ServerError.h"
#include "scene/DeclaredView.h"
#include "scene/DiscardView.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/MeldAuction.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/WashoutWindow.h"
#include "tools/peer/PeerProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// One move of the local player, made when the window offers it.
struct Move
{
    // Sit: the demo seats the player; nothing is sent.
    enum Kind { Sit, Discard, Riichi, Claim, Ready } kind;
    tile t = 0;
    int meldType = 0;
    // What the server must receive for it.
    QString request;
};

} // namespace

Q_DECLARE_METATYPE(QList<Move>)

class TestGameController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void playsADemoHand_data();
    void playsADemoHand();
    void washoutShowsTheNoticeUntilReady();
    void watchesAHandInProgressAndLeaves();
    void tournamentSeatingJoinsOnceTheTableIsKnown();
    void eventsForTablesNotHeld();

private:
    bool start(const QStringList &args);
    QString writeScenario(const QJsonObject &scenario);
    // The peer's requests of that name that contain the text.
    int received(const QString &name, const QString &text = QString());

    QTemporaryDir m_dir;
    std::unique_ptr<PeerProcess> m_peer;
    std::unique_ptr<ConnectionManager> m_session;
    std::unique_ptr<TableModel> m_tables;
    std::unique_ptr<QWidget> m_mainWindow;
    std::unique_ptr<GameController> m_controller;
    qint32 m_own = 0;
};

void TestGameController::initTestCase()
{
    PeerProcess::installTestCa();
    qRegisterMetaType<GameWindow *>();
}

void TestGameController::init()
{
    m_peer = std::make_unique<PeerProcess>();
    m_session = std::make_unique<ConnectionManager>(true);
    m_tables = std::make_unique<TableModel>(m_session.get());
    m_mainWindow = std::make_unique<QWidget>();
}

void TestGameController::cleanup()
{
    m_controller.reset();
    m_mainWindow.reset();
    m_tables.reset();
    m_session.reset();
    m_peer.reset();
}

bool TestGameController::start(const QStringList &args)
{
    if (!m_peer->start(args + QStringList{QStringLiteral("--demo")})) {
        qWarning() << m_peer->errorString();
        return false;
    }
    QSignalSpy handshake(m_session.get(), &ConnectionManager::versionCheckComplete);
    m_session->connectToHost(QStringLiteral("localhost"), m_peer->port());
    if (!handshake.wait(10000))
        return false;
    QSignalSpy loggedIn(m_session.get(), &ConnectionManager::loginSuccess);
    m_session->login(QStringLiteral("player"), QStringLiteral("any"));
    if (!loggedIn.wait(10000))
        return false;
    m_own = m_session->ownPlayerId();
    m_tables->subscribe(QStringLiteral("101/Practice"));
    if (!QTest::qWaitFor([this] { return m_tables->hasTable(1003); }, 10000))
        return false;
    m_controller = std::make_unique<GameController>(m_session.get(), nullptr, nullptr, m_mainWindow.get());
    m_controller->setTableModel(m_tables.get());
    m_controller->setPlayerId(m_own);
    m_controller->setPlayerName(QStringLiteral("player"));
    return true;
}

QString TestGameController::writeScenario(const QJsonObject &scenario)
{
    const QString name = m_dir.filePath(QStringLiteral("scenario.json"));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(QJsonDocument(scenario).toJson());
    return name;
}

int TestGameController::received(const QString &name, const QString &text)
{
    int n = 0;
    for (const QString &line : m_peer->linesStartingWith(QStringLiteral("RECV ") + name + QLatin1Char(' ')))
        n += line.contains(text) ? 1 : 0;
    return n;
}

void TestGameController::playsADemoHand_data()
{
    QTest::addColumn<qint32>("tableId");
    QTest::addColumn<QList<Move>>("moves");
    QTest::addColumn<int>("ownDiscards");
    QTest::addColumn<int>("ownMelds");

    QTest::newRow("classic: pong, self-drawn win")
        << 1001
        << QList<Move>{{Move::Sit, 0, 0, QStringLiteral("join_table")},
                       {Move::Discard, 27, 0, QStringLiteral("discard_tile")},
                       {Move::Claim, 31, MELD_PONG, QStringLiteral("call_pong")},
                       {Move::Discard, 5, 0, QStringLiteral("discard_tile")},
                       {Move::Claim, 27, MELD_MAHJONG, QStringLiteral("call_mahjong")},
                       {Move::Ready, 0, 0, QStringLiteral("ready")}}
        << 2 << 1;
    QTest::newRow("riichi: riichi, win on a discard")
        << 1002
        << QList<Move>{{Move::Sit, 0, 0, QStringLiteral("join_table")},
                       {Move::Riichi, 33, 0, QStringLiteral("call_riichi")},
                       {Move::Claim, 27, MELD_MAHJONG, QStringLiteral("call_mahjong")},
                       {Move::Ready, 0, 0, QStringLiteral("ready")}}
        << 1 << 0;
}

void TestGameController::playsADemoHand()
{
    QFETCH(qint32, tableId);
    QFETCH(QList<Move>, moves);
    QFETCH(int, ownDiscards);
    QFETCH(int, ownMelds);
    QVERIFY(start({}));
    QSignalSpy created(m_controller.get(), &GameController::tableViewCreated);
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    m_session->join_table(tableId, -1);
    QVERIFY(joined.wait(10000));
    QCOMPARE(joined[0][0].toInt(), tableId);
    QCOMPARE(created.size(), 1);
    GameWindow *window = m_controller->view(tableId);
    QVERIFY(window);
    QCOMPARE(created[0][1].value<GameWindow *>(), window);
    QCOMPARE(window->model(), m_controller->model(tableId));

    for (const Move &move : moves) {
        const int before = received(move.request);
        switch (move.kind) {
        case Move::Sit:
            // Three bots sat down and the hand is dealt: the player at the
            // bottom, the others round the table in wind order.
            QTRY_COMPARE_WITH_TIMEOUT(window->seatPlayerId(3), 903, 20000);
            QCOMPARE(window->seatPlayerId(0), m_own);
            QCOMPARE(window->seatPlayerId(1), 901);
            QCOMPARE(window->seatPlayerId(2), 902);
            break;
        case Move::Discard:
            QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 30000);
            window->onTileClick(move.t);
            break;
        case Move::Riichi:
            QTRY_VERIFY_WITH_TIMEOUT(!window->concealedActionDialog()->isHidden(), 30000);
            window->onConcealedRiichiSelected();
            window->onTileClick(move.t);
            break;
        case Move::Claim:
            QTRY_VERIFY_WITH_TIMEOUT(window->meldAuction(), 30000);
            window->onMeldSelected(meld_offer(move.meldType, move.t));
            break;
        case Move::Ready:
            QTRY_VERIFY_WITH_TIMEOUT(!window->scoreBoard()->isHidden() && askedReady.size() == 1, 30000);
            window->onReadyButtonClick();
            break;
        }
        if (move.kind != Move::Sit)
            QTRY_COMPARE_WITH_TIMEOUT(received(move.request), before + 1, 10000);
        if (move.t != 0 && move.meldType != MELD_MAHJONG)
            QCOMPARE(received(move.request, QStringLiteral("\"tile\":%1").arg(move.t)), 1);
    }
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QTRY_VERIFY_WITH_TIMEOUT(!window->roundScoreBoard()->isHidden(), 20000);
    window->actionQueue().flush();

    QCOMPARE(int(window->discardView(0)->tileItems().size()), ownDiscards);
    QCOMPARE(int(window->declaredView(0)->melds().size()), ownMelds);
    // The bot at the top declared a concealed kong and drew its replacement.
    QCOMPARE(int(window->declaredView(2)->melds().size()), 1);
    const GameModel *model = m_controller->model(tableId);
    QCOMPARE(int(model->doraTiles().size()), tableId == 1002 ? 2 : 1);
    QCOMPARE(errors.size(), 0);

    // Leaving while the game runs closes the window only; the model keeps
    // following the table, and a new window shows it again.
    QSignalSpy destroyed(m_controller.get(), &GameController::tableViewDestroyed);
    QPointer<GameWindow> closed(window);
    m_controller->onLeave(tableId);
    QCOMPARE(destroyed.size(), 1);
    QVERIFY(!m_controller->view(tableId));
    QVERIFY(m_controller->hasTable(tableId));
    QTRY_VERIFY(closed.isNull());
    QCOMPARE(received(QStringLiteral("leave_table")), 0);
    GameWindow *again = m_controller->getOrCreateView(tableId);
    QVERIFY(again);
    QCOMPARE(again->model(), model);
    QCOMPARE(created.size(), 2);
}

void TestGameController::washoutShowsTheNoticeUntilReady()
{
    QVERIFY(
        start({QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + QStringLiteral("/washout-hand.json")}));
    QSignalSpy washout(m_session.get(), &ConnectionManager::handEndNonScoring);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    m_session->join_table(1001, -1);
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->view(1001), 10000);
    GameWindow *window = m_controller->view(1001);
    QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 30000);
    window->onTileClick(5);
    QVERIFY(washout.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(!window->washoutWindow()->isHidden() && askedReady.size() == 1, 20000);
    // The bot's flower and its replacement reached the model.
    const auto &melds = m_controller->model(1001)->findPlayer(901)->melds();
    QCOMPARE(int(melds.size()), 1);
    QCOMPARE(int(melds.front().meldType), int(MELD_BONUS));
    QCOMPARE(received(QStringLiteral("discard_tile"), QStringLiteral("\"tile\":5")), 1);
    window->onReadyButtonClick();
    QVERIFY(window->washoutWindow()->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("ready")), 1, 10000);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 10000).isNull());
}

void TestGameController::watchesAHandInProgressAndLeaves()
{
    QVERIFY(start({}));
    QSignalSpy watched(m_controller.get(), &GameController::tableWatched);
    QSignalSpy scored(m_session.get(), &ConnectionManager::handEndScoring);
    m_session->watch_table(1001);
    QVERIFY(watched.wait(10000));
    QCOMPARE(watched[0][1].toBool(), true); // from the lobby
    GameWindow *window = m_controller->view(1001);
    QVERIFY(window);
    // A watcher sees East at the bottom, with the hand already under way.
    QTRY_COMPARE_WITH_TIMEOUT(window->seatPlayerId(1), 912, 10000);
    QCOMPARE(window->seatPlayerId(0), 911);
    QTRY_VERIFY_WITH_TIMEOUT(window->discardView(0)->tileItems().size() >= 3, 10000);
    QCOMPARE(window->hiddenHandView(2)->tileCount(), 13);
    QVERIFY(scored.wait(40000));
    QTRY_VERIFY_WITH_TIMEOUT(!window->scoreBoard()->isHidden(), 20000);
    QCOMPARE(int(window->declaredView(1)->melds().size()), 2); // a pong, then a kong

    QSignalSpy destroyed(m_controller.get(), &GameController::tableViewDestroyed);
    m_controller->onLeave(1001);
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->hasTable(1001), 10000);
    QCOMPARE(received(QStringLiteral("unwatch_table")), 1);
    QCOMPARE(destroyed.size(), 1);
}

void TestGameController::tournamentSeatingJoinsOnceTheTableIsKnown()
{
    const QJsonObject game{
        {"send", "game_data"},
        {"fields", QJsonObject{{"tableId", 7001},
                               {"state", 0},
                               {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}}};
    const QJsonObject scenario{
        {"trigger", "login"},
        {"disable", QJsonArray{"join_table"}},
        {"steps", QJsonArray{QJsonObject{{"wait_ms", 500}},
                             QJsonObject{{"send", "tournament_seated"},
                                         {"fields", QJsonObject{{"tournamentId", 7}, {"tableId", 7001}}}},
                             QJsonObject{{"expect", "join_table"}, {"fields", QJsonObject{{"tableId", 7001}}}},
                             QJsonObject{{"send", "join_ok"}, {"fields", QJsonObject{{"tableId", 7001}}}}, game}}};
    QVERIFY(start({QStringLiteral("--scenario"), writeScenario(scenario)}));
    QSignalSpy joined(m_controller.get(), &GameController::tournamentTableJoined);
    QVERIFY(joined.wait(10000));
    QCOMPARE(joined[0][0].toInt(), 7);
    QCOMPARE(joined[0][1].toInt(), 7001);
    // The table's facts came with the tournament's lobby path, then one join.
    QCOMPARE(received(QStringLiteral("lobby_subscribe"), QStringLiteral("101/mtt/7")), 1);
    QCOMPARE(received(QStringLiteral("join_table"), QStringLiteral("7001")), 1);
    QCOMPARE(m_tables->subscriptionCount(QStringLiteral("101/mtt/7")), 1); // now the table's own
    GameWindow *window = m_controller->view(7001);
    QVERIFY(window);
    QCOMPARE(window->tableInfo().gameType(), int(TableInfo::TOURNAMENT));
    // Player-left events do not unseat anyone at a tournament table.
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->model(7001)->findOwnPlayer(), 10000);
    m_controller->onPlayerLeft(7001, m_own);
    QVERIFY(m_controller->model(7001)->findOwnPlayer());
}

void TestGameController::eventsForTablesNotHeld()
{
    QVERIFY(start({}));
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    // A join the lobby knows nothing about is given back.
    m_controller->onJoinSuccessful(4242);
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("leave_table"), QStringLiteral("4242")), 1, 10000);
    QVERIFY(!m_controller->hasTable(4242));
    QCOMPARE(joined.size(), 0);

    m_session->watch_table(1001);
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->view(1001), 10000);
    m_controller->destroyTable(1001);
    QVERIFY(!m_controller->hasTable(1001));
    // Late events and a second confirmation for the table just left.
    m_controller->tileDiscarded(1001, 911, 5);
    m_controller->onKickedConfirmed(1001);
    m_controller->onTableRemovedConfirmed(1001);
    // Any other table is a server fault.
    QVERIFY_THROWS_EXCEPTION(server_error, m_controller->tileDiscarded(5555, 911, 5));
}

QTEST_MAIN(TestGameController)
#include "tst_gamecontroller.moc"
