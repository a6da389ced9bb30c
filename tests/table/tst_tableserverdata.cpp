// Server data at the edges of what the wire carries, sent by the scripted
// game server over loopback TLS to the real controller and table window.
#include "DemoPeerLogin.h"
#include "PeerTableTest.h"
#include "QuietTableSettings.h"
#include "game/GameModel.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "protocol/WireConversions.h"
#include "social/PlayerDb.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/PlayerWidget.h"
#include "table/SideBar.h"
#include "tools/peer/PeerProcess.h"
#include "widgets/TranslationsManager.h"
#include "xmpp/client/XMPPClient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <memory>
#include <set>

namespace {

QJsonObject step(const char *message, QJsonObject fields)
{
    fields.insert("tableId", "$table");
    return QJsonObject{{"send", message}, {"fields", fields}};
}

// The player and three bots seated and ready, the bots in winds 1 to 3.
QJsonArray seatedTable()
{
    QJsonArray steps{step("player_is_ready", {{"playerId", "$pid"}})};
    for (int i = 1; i <= 3; ++i) {
        steps.append(
            step("player_joined", {{"player", QJsonObject{{"id", 900 + i}, {"wind", i}, {"riichiDiscardIndex", -1}}}}));
        steps.append(step("player_is_ready", {{"playerId", 900 + i}}));
    }
    return steps;
}

QJsonObject startHand(const QJsonObject &seating, const QJsonArray &scores = {})
{
    return step("start_hand", {{"handId", 1},
                               {"seating", seating},
                               {"scores", scores},
                               {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}});
}

const QJsonObject regularSeating{{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 903}};

QJsonObject playerRecord(const QJsonValue &id, int wind, const QString &name = QString(), qint64 points = 25000)
{
    return QJsonObject{{"id", id},      {"name", name},     {"wind", wind},
                       {"ready", true}, {"points", points}, {"riichiDiscardIndex", -1}};
}

QJsonArray withStep(QJsonArray steps, const QJsonObject &last)
{
    steps.append(last);
    return steps;
}

} // namespace

class TestTableServerData : public PeerTableTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lowestPointsAreShown_data();
    void lowestPointsAreShown();
    void longNamesAreCut();
    void impossibleSeatingsAreRefused_data();
    void impossibleSeatingsAreRefused();

private:
    // Starts the server with the scenario, logs in and joins the table.
    GameWindow *joinWithScenario(qint32 tableId, const QJsonArray &steps);

    QTemporaryDir m_dir;
    std::unique_ptr<TranslationsManager> m_translations;
    qint32 m_own = 0;
};

void TestTableServerData::initTestCase()
{
    PeerProcess::installTestCa();
    // The English plural forms, as the client runs with them.
    QDir::setSearchPaths(QStringLiteral("translations"), {QStringLiteral(":/default/translations")});
    m_translations = std::make_unique<TranslationsManager>();
    QVERIFY(m_translations->setLanguage(QStringLiteral("en")));
    useQuietTableSettings(QStringLiteral("tst_tableserverdata"));
}

void TestTableServerData::init()
{
    makeClient();
}

void TestTableServerData::cleanup()
{
    dropClient();
}

GameWindow *TestTableServerData::joinWithScenario(qint32 tableId, const QJsonArray &steps)
{
    const QString file = m_dir.filePath(QStringLiteral("scenario.json"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return nullptr;
    f.write(
        QJsonDocument(
            QJsonObject{{"trigger", "join"}, {"tables", QJsonArray{tableId}}, {"empty_table", true}, {"steps", steps}})
            .toJson());
    f.close();
    if (!m_peer->start({QStringLiteral("--demo"), QStringLiteral("--scenario"), file})) {
        qWarning() << m_peer->errorString();
        return nullptr;
    }
    if (!logInAtDemoPeer(*m_session, m_peer->port(), *m_tables))
        return nullptr;
    m_own = m_session->ownPlayerId();
    m_controller = std::make_unique<GameController>(m_session.get(), m_playerDb.get(), nullptr, m_mainWindow.get());
    m_controller->setTableModel(m_tables.get());
    m_controller->setPlayerId(m_own);
    m_controller->setPlayerName(QStringLiteral("player"));
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    m_session->join_table(tableId, -1);
    if (!joined.wait(10000))
        return nullptr;
    return m_controller->view(tableId);
}

void TestTableServerData::lowestPointsAreShown_data()
{
    QTest::addColumn<QJsonArray>("steps");
    const qint64 lowest = std::numeric_limits<qint32>::min();
    QTest::newRow("game data") << withStep(
        seatedTable(),
        step("game_data", {{"handId", 1},
                           {"state", 4},
                           {"players", QJsonArray{playerRecord("$pid", 0, "player"), playerRecord(901, 1),
                                                  playerRecord(902, 2, QString(), lowest), playerRecord(903, 3)}},
                           {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}));
    QTest::newRow("start of a hand") << withStep(
        seatedTable(),
        startHand(regularSeating, QJsonArray{QJsonObject{{"playerId", 902}, {"points", lowest}, {"wins", 0}}}));
}

void TestTableServerData::lowestPointsAreShown()
{
    QFETCH(QJsonArray, steps);
    // A full game: the seats show points.
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    GameWindow *window = joinWithScenario(1002, steps);
    QVERIFY(window);
    const GameModel *model = m_controller->model(1002);
    QTRY_VERIFY_WITH_TIMEOUT(
        model->findPlayer(902) && model->findPlayer(902)->points() == std::numeric_limits<int>::min(), 10000);
    window->actionQueue().flush();
    const PlayerWidget *seat = window->sideBar()->playerWidget(902);
    QCOMPARE(seat->scoreText(), QLocale().toString(std::numeric_limits<int>::min()));
    // The plural form of 2,147,483,648.
    QCOMPARE(seat->scoreLabelText(), QStringLiteral("pts"));
    QCOMPARE(errors.size(), 0);
}

void TestTableServerData::longNamesAreCut()
{
    QJsonArray players;
    for (int i = 0; i < 4; ++i)
        players.append(
            playerRecord(i == 0 ? QJsonValue("$pid") : QJsonValue(900 + i), i, QString(200000, QChar(u'A' + i))));
    for (int i = 0; i < 4; ++i)
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("name of 200000 characters .* cut to %1").arg(wire::maxNameLength)));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    GameWindow *window = joinWithScenario(
        1001,
        QJsonArray{step("game_data", {{"handId", 1},
                                      {"state", 0},
                                      {"players", players},
                                      {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}})});
    QVERIFY(window);
    const GameModel *model = m_controller->model(1001);
    QTRY_VERIFY_WITH_TIMEOUT(model->findPlayer(903), 10000);
    window->actionQueue().flush();
    for (int i = 0; i < 4; ++i) {
        const qint32 id = i == 0 ? m_own : 900 + i;
        const QString kept(wire::maxNameLength, QChar(u'A' + i));
        QCOMPARE(model->findPlayer(id)->name(), kept);
        QCOMPARE(window->sideBar()->playerWidget(id)->name(), kept);
    }
    QCOMPARE(errors.size(), 0);
}

void TestTableServerData::impossibleSeatingsAreRefused_data()
{
    QTest::addColumn<QJsonArray>("steps");
    QTest::addColumn<QString>("error");
    const QString twice = QStringLiteral("hand started at table 1001 seats player %1 twice");
    QTest::newRow("a bot in two seats") << withStep(
        seatedTable(), startHand({{"east", "$pid"}, {"south", 901}, {"west", 901}, {"north", 903}}))
                                        << twice.arg(901);
    QTest::newRow("the player in two seats")
        << withStep(seatedTable(), startHand({{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", "$pid"}}))
        << twice.arg(QStringLiteral("\\d+"));
    QTest::newRow("one bot in every seat")
        << withStep(seatedTable(), startHand({{"east", 902}, {"south", 902}, {"west", 902}, {"north", 902}}))
        << twice.arg(902);
    QTest::newRow("nobody at a hand in play")
        << withStep(withStep(seatedTable(), startHand(regularSeating)),
                    step("game_data", {{"handId", 1},
                                       {"state", 4},
                                       {"players", QJsonArray{}},
                                       {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}))
        << QStringLiteral("game data of table 1001 in state 4 has a hand in play but no players");

    // A hand in play sent again: four players, one to each wind, and the
    // player who holds a seat among them.
    const auto inPlay = [](const QJsonArray &players) {
        return withStep(withStep(seatedTable(), startHand(regularSeating)),
                        step("game_data", {{"handId", 1},
                                           {"state", 4},
                                           {"players", players},
                                           {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}));
    };
    const QString gameData = QStringLiteral("game data of table 1001 in state 4 ");
    QTest::newRow("a player twice in a hand in play")
        << inPlay({playerRecord("$pid", 0), playerRecord(901, 1), playerRecord(902, 2), playerRecord(902, 3)})
        << gameData + QStringLiteral("lists player 902 twice");
    QTest::newRow("three players on one wind")
        << inPlay({playerRecord("$pid", 0), playerRecord(901, 1), playerRecord(902, 1), playerRecord(903, 1)})
        << gameData + QStringLiteral("seats players 901 and 902 on one wind");
    QTest::newRow("three players in a hand in play")
        << inPlay({playerRecord("$pid", 0), playerRecord(901, 1), playerRecord(902, 2)})
        << gameData + QStringLiteral("has a hand in play with 3 players");
    QTest::newRow("a hand in play without the seated player")
        << inPlay({playerRecord(904, 0), playerRecord(901, 1), playerRecord(902, 2), playerRecord(903, 3)})
        << gameData + QStringLiteral("has a hand in play without the seated player \\d+");
    QTest::newRow("a hand seating a stranger")
        << withStep(seatedTable(), startHand({{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 999}}))
        << QStringLiteral("hand started at table 1001 seats unknown player 999");
    QTest::newRow("a hand without the seated player")
        << withStep(seatedTable(), startHand({{"east", 903}, {"south", 901}, {"west", 902}, {"north", -1}}))
        << QStringLiteral("hand started at table 1001 without the seated player \\d+");
}

void TestTableServerData::impossibleSeatingsAreRefused()
{
    QFETCH(QJsonArray, steps);
    QFETCH(QString, error);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    GameWindow *window = joinWithScenario(1001, steps);
    QVERIFY(window);
    QVERIFY(errors.size() == 1 || errors.wait(10000));
    QCOMPARE(errors.size(), 1);
    const QString text = QString::fromStdString(errors[0][0].value<std::string>());
    QVERIFY2(QRegularExpression(QStringLiteral("^") + error + QStringLiteral("$")).match(text).hasMatch(),
             qPrintable(text));
    // Nothing of it reached the table: four players, one to a wind.
    const GameModel *model = m_controller->model(1001);
    QCOMPARE(model->players().size(), size_t(4));
    std::set<int> winds;
    for (const auto &[id, player] : model->players())
        winds.insert(player.wind());
    QCOMPARE(winds.size(), size_t(4));
    window->actionQueue().flush();
    QCOMPARE(window->sideBar()->seatOrder().size(), 4);
}

QTEST_MAIN(TestTableServerData)
#include "tst_tableserverdata.moc"
