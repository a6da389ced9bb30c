// Tables of two, three and four seats at the real controller and table
// window, the scripted game server playing their hands over loopback TLS:
// each seat the table has sits where its wind puts it, and none it lacks.
#include "DemoPeerLogin.h"
#include "PeerTableTest.h"
#include "QuietTableSettings.h"
#include "game/GameModel.h"
#include "protocol/ConnectionManager.h"
#include "scene/DiscardView.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/TileView.h"
#include "scene/WindView.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/ScoreBoard.h"
#include "table/SideBar.h"
#include "tools/peer/PeerProcess.h"

#include <QAbstractButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

QJsonObject step(const char *message, QJsonObject fields)
{
    fields.insert("tableId", "$table");
    return QJsonObject{{"send", message}, {"fields", fields}};
}

const QJsonObject minute{{"start", "now"}, {"end", "now+60000"}};
// The test passes it with query_lobby_summary once it has looked.
const QJsonObject checkpoint{{"expect", "query_lobby_summary"}, {"hold", true}, {"timeout_ms", 60000}};
const QJsonArray ownTiles{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 18, 19, 20};

// The winds a table of that many seats plays: two players face each other.
QList<int> windsOf(int seats)
{
    return seats == 2 ? QList<int>{0, 2} : seats == 3 ? QList<int>{0, 1, 2} : QList<int>{0, 1, 2, 3};
}

// East is the player's, unless the player only watches.
QJsonValue idOf(int wind, bool own)
{
    return wind == 0 && own ? QJsonValue("$pid") : QJsonValue(900 + wind);
}

QJsonArray appended(QJsonArray steps, const QJsonArray &more)
{
    for (const QJsonValue &v : more)
        steps.append(v);
    return steps;
}

QJsonObject expectDiscard(int t)
{
    return QJsonObject{
        {"expect", "discard_tile"}, {"fields", QJsonObject{{"tableId", "$table"}, {"tile", t}}}, {"timeout_ms", 60000}};
}

// The bots sit down and the hand is dealt, the player East.
QJsonArray seatedAndDealt(int seats)
{
    QJsonArray steps{step("player_is_ready", {{"playerId", "$pid"}})};
    QJsonObject seating{{"east", "$pid"}, {"south", -1}, {"west", -1}, {"north", -1}};
    const char *keys[] = {"east", "south", "west", "north"};
    for (int wind : windsOf(seats).mid(1)) {
        steps.append(step("player_joined", {{"player", QJsonObject{{"id", 900 + wind},
                                                                   {"name", QStringLiteral("Bot %1").arg(900 + wind)},
                                                                   {"wind", wind},
                                                                   {"riichiDiscardIndex", -1}}}}));
        steps.append(step("player_is_ready", {{"playerId", 900 + wind}}));
        seating[QLatin1String(keys[wind])] = 900 + wind;
    }
    steps.append(step("start_hand", {{"handId", 1},
                                     {"seating", seating},
                                     {"newRound", true},
                                     {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}));
    steps.append(step("tiles_from_wall", {{"tiles", ownTiles}}));
    for (int wind : windsOf(seats).mid(1))
        steps.append(step("hidden_tiles_from_wall", {{"playerId", 900 + wind}, {"count", 13}}));
    steps.append(step("private_player_data", {{"data", QJsonObject{{"tiles", ownTiles}, {"active", true}}}}));
    return steps;
}

// The player draws t and discards it.
QJsonArray ownTurn(int t)
{
    return QJsonArray{step("tiles_from_wall", {{"tiles", QJsonArray{t}}}),
                      step("player_should_act", {{"ts", minute}, {"playerId", "$pid"}}), expectDiscard(t),
                      step("tile_discarded", {{"playerId", "$pid"}, {"tile", t}})};
}

// Every bot draws and discards, in wind order.
QJsonArray botsTurns(int seats, bool own)
{
    QJsonArray steps;
    for (int wind : windsOf(seats)) {
        if (wind == 0 && own)
            continue;
        steps.append(step("hidden_tiles_from_wall", {{"playerId", 900 + wind}, {"count", 1}}));
        steps.append(step("tile_discarded", {{"playerId", 900 + wind}, {"tile", 27 + wind}}));
    }
    return steps;
}

// The hand in play as the server tells it again: every seat with one
// discard, the player's (when seated) the tile 13.
QJsonObject runningHand(int seats, bool own)
{
    QJsonArray players;
    for (int wind : windsOf(seats))
        players.append(QJsonObject{{"id", idOf(wind, own)},
                                   {"name", wind == 0 && own ? QStringLiteral("player") : QStringLiteral("Bot")},
                                   {"wind", wind},
                                   {"hiddenTiles", 13},
                                   {"discards", QJsonArray{wind == 0 && own ? 13 : 27 + wind}},
                                   {"riichiDiscardIndex", -1},
                                   {"ready", true},
                                   {"points", 25000}});
    return step("game_data",
                {{"handId", 1},
                 {"state", 4},
                 {"players", players},
                 {"tableState", QJsonObject{{"playerId", own ? QJsonValue("$pid") : QJsonValue(-1)},
                                            {"lastDiscarder", idOf(windsOf(seats).last(), own)}}},
                 {"wallState", QJsonObject{{"deadWallPosition", 4}, {"liveTiles", 60}, {"deadWallTiles", 14}}}});
}

// South, or West at two seats, wins; every seat is scored.
QJsonArray handEnd(int seats, bool own)
{
    const int winner = windsOf(seats).at(1);
    QJsonArray scores;
    for (int wind : windsOf(seats))
        scores.append(QJsonObject{{"playerId", idOf(wind, own)},
                                  {"name", QStringLiteral("Seat %1").arg(wind)},
                                  {"result", wind == winner ? 1 : 0},
                                  {"settlement", wind == winner ? 1000 * (seats - 1) : -1000},
                                  {"currentScore", 25000}});
    QJsonArray steps{
        step("someone_declared_mahjong", {{"playerId", 900 + winner}}),
        step("hand_end_scoring", {{"scoring", QJsonObject{{"endOfGame", true}, {"winKind", 3}, {"scores", scores}}}})};
    if (own) {
        steps.append(step("are_you_ready", {{"ts", minute}}));
        steps.append(QJsonObject{{"expect", "ready"}, {"fields", QJsonObject{{"tableId", "$table"}}}});
    }
    return steps;
}

QString pathOf(int seats)
{
    return seats == 3 ? QStringLiteral("/Practice/Riichi/3/") : QStringLiteral("/Practice/Classic/%1/").arg(seats);
}

} // namespace

class TestTableSizes : public PeerTableTest
{
    Q_OBJECT

public:
    enum Mode { Play, Watch, Resync, Rejoin };
    Q_ENUM(Mode)

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everySeatWhereItsWindSits_data();
    void everySeatWhereItsWindSits();
    void theDealLandsOnTheOthersSeats_data();
    void theDealLandsOnTheOthersSeats();

private:
    bool start(const QJsonObject &scenario);
    // Quick-joins a table of that many seats, as the lobby's buttons do.
    GameWindow *quickJoin(int seats);
    // Watches a table of that many seats that another player opened.
    GameWindow *watch(int seats);
    // Every seat of the table at its wind, the player's at the bottom (East
    // when only watching); the free seats empty.
    void checkSeats(GameWindow *window, int seats, bool own);

    QTemporaryDir m_dir;
    qint32 m_own = 0;
    qint32 m_tableId = 0;
};

void TestTableSizes::initTestCase()
{
    useQuietTableSettings(QStringLiteral("tst_tablesizes"));
    PeerProcess::installTestCa();
}

void TestTableSizes::init()
{
    makeClient();
}

void TestTableSizes::cleanup()
{
    QSettings().setValue(QStringLiteral("game/animations"), false);
    dropClient();
}

bool TestTableSizes::start(const QJsonObject &scenario)
{
    const QString file = m_dir.filePath(QStringLiteral("scenario.json"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(QJsonDocument(scenario).toJson());
    f.close();
    if (!m_peer->start({QStringLiteral("--demo"), QStringLiteral("--scenario"), file})) {
        qWarning() << m_peer->errorString();
        return false;
    }
    if (!logInAtDemoPeer(*m_session, m_peer->port(), *m_tables))
        return false;
    m_own = m_session->ownPlayerId();
    m_controller = std::make_unique<GameController>(m_session.get(), m_playerDb.get(), nullptr, m_mainWindow.get());
    m_controller->setTableModel(m_tables.get());
    m_controller->setPlayerId(m_own);
    m_controller->setPlayerName(QStringLiteral("player"));
    return true;
}

GameWindow *TestTableSizes::quickJoin(int seats)
{
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    m_session->filter_join(pathOf(seats));
    if (!joined.wait(10000))
        return nullptr;
    m_tableId = joined[0][0].toInt();
    return m_controller->view(m_tableId);
}

GameWindow *TestTableSizes::watch(int seats)
{
    // Tables of three and four seats are in the lobby; one of two is opened
    // by the first player who asks for one.
    m_tableId = seats == 3 ? 1004 : 1001;
    ConnectionManager other(true);
    if (seats == 2) {
        if (!logInAt(other, m_peer->port(), QStringLiteral("other"), QStringLiteral("any")))
            return nullptr;
        QSignalSpy opened(m_tables.get(), &TableModel::tableAdded);
        other.filter_join(pathOf(2));
        if (!opened.wait(10000))
            return nullptr;
        m_tableId = opened[0][0].toInt();
    }
    if (m_tables->tableInfo(m_tableId).capacity() != seats)
        return nullptr;
    QSignalSpy watched(m_controller.get(), &GameController::tableWatched);
    m_session->watch_table(m_tableId);
    if (!watched.wait(10000))
        return nullptr;
    return m_controller->view(m_tableId);
}

void TestTableSizes::checkSeats(GameWindow *window, int seats, bool own)
{
    window->actionQueue().flush();
    const GameModel *model = m_controller->model(m_tableId);
    QCOMPARE(model->tableInfo().capacity(), seats);
    QCOMPARE(model->gameState(), GameModel::HAND_IN_PLAY);
    QCOMPARE(int(model->players().size()), seats);
    std::map<int, qint32> bySeat;
    for (int wind : windsOf(seats))
        bySeat[wind] = wind == 0 && own ? m_own : 900 + wind;
    for (int seat = 0; seat < GameWindow::SeatCount; ++seat) {
        const auto at = bySeat.find(seat);
        const qint32 id = at == bySeat.end() ? -1 : at->second;
        QCOMPARE(window->seatPlayerId(seat), id);
        QCOMPARE(window->windView(seat)->isVisible(), id != -1);
        if (id != -1)
            QCOMPARE(window->windView(seat)->wind(), seat);
        // Backs for the others' hands, the rack for the player's.
        QCOMPARE(window->hiddenHandView(seat)->tileCount(), id == -1 || id == m_own ? 0 : 13);
        QCOMPARE(window->discardView(seat)->tileItems().size(), size_t(id == -1 ? 0 : 1));
    }
    QCOMPARE(int(window->handView()->tiles().size()), own ? 13 : 0);
    QCOMPARE(window->sideBar()->seatOrder().size(), seats);
    QCOMPARE(window->sideBar()->emptySeats(), 0);
}

void TestTableSizes::everySeatWhereItsWindSits_data()
{
    QTest::addColumn<int>("seats");
    QTest::addColumn<Mode>("mode");
    for (int seats : {2, 3, 4})
        for (Mode mode : {Play, Watch, Resync, Rejoin})
            QTest::addRow("%d seats, %s", seats, QMetaEnum::fromType<Mode>().valueToKey(mode)) << seats << mode;
}

// Played, watched, sent again in the middle of the hand (game data of a hand
// in play), and left in the middle of the hand and shown again: the session
// goes on, the table shows its seats, the side bar as many, the board as many
// columns.
void TestTableSizes::everySeatWhereItsWindSits()
{
    QFETCH(int, seats);
    QFETCH(Mode, mode);
    const bool own = mode != Watch;
    QJsonArray steps;
    if (mode == Watch) {
        steps = {runningHand(seats, false), checkpoint};
    } else {
        steps = appended(seatedAndDealt(seats), ownTurn(13));
        if (mode == Resync) {
            // The whole table again, as after a reconnection.
            steps.append(runningHand(seats, true));
            steps.append(step("private_player_data", {{"data", QJsonObject{{"tiles", ownTiles}, {"active", true}}}}));
        } else {
            steps = appended(steps, botsTurns(seats, true));
        }
        steps.append(checkpoint);
    }
    // The hand plays on: the player's next turn, the others', the end.
    steps = appended(appended(steps, own ? ownTurn(14) : QJsonArray{}), botsTurns(seats, own));
    steps = appended(steps, handEnd(seats, own));
    QVERIFY(start(QJsonObject{{"trigger", mode == Watch ? "watch" : "join"},
                              {"empty_table", true},
                              {"seats", QJsonArray{seats}},
                              {"steps", steps}}));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy handData(m_session.get(), &ConnectionManager::privatePlayerData);
    GameWindow *window = mode == Watch ? watch(seats) : quickJoin(seats);
    QVERIFY(window);
    if (own) {
        QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 20000);
        window->onTileClick(13);
    }

    // Up to the checkpoint: its last event has reached the model.
    const GameModel *model = m_controller->model(m_tableId);
    const qint32 lastBot = 900 + windsOf(seats).last();
    QTRY_VERIFY_WITH_TIMEOUT(
        !errors.isEmpty()
            || (mode == Resync ? handData.size() == 2 : model->isInPlay() && model->lastDiscarderId() == lastBot),
        20000);
    QCOMPARE(errors.size(), 0);
    checkSeats(window, seats, own);
    if (QTest::currentTestFailed())
        return;
    if (mode == Rejoin) {
        // Left in the middle of the hand, and shown again.
        auto *leave = window->sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
        QVERIFY(leave && leave->isEnabled());
        leave->click();
        auto *question = window->findChild<QMessageBox *>();
        QVERIFY(question);
        question->button(QMessageBox::Yes)->click();
        QVERIFY(!m_controller->view(m_tableId));
        window = m_controller->getOrCreateView(m_tableId);
        checkSeats(window, seats, own);
        if (QTest::currentTestFailed())
            return;
    }

    m_session->query_lobby_summary();
    if (own) {
        QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 20000);
        window->onTileClick(14);
    }
    ScoreBoard *board = window->scoreBoard();
    QTRY_VERIFY_WITH_TIMEOUT(!board->isHidden(), 20000);
    QCOMPARE(errors.size(), 0);
    const auto *tabs = board->findChild<QTabWidget *>(QStringLiteral("scoreMelds"));
    // A column and a tab for each player the table scored; the rest empty.
    for (int column = 0; column < ScoreBoard::Columns; ++column) {
        const auto *name = board->findChild<QLabel *>(QStringLiteral("name%1").arg(column + 1));
        QCOMPARE(!name->text().isEmpty(), column < seats);
        QCOMPARE(!tabs->tabText(column).isEmpty(), column < seats);
    }
    if (own) {
        auto *ready = board->findChild<QAbstractButton *>(QStringLiteral("readyPushButton"));
        QTRY_VERIFY_WITH_TIMEOUT(ready->isVisibleTo(board) && ready->isEnabled(), 20000);
        ready->click();
    }
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QCOMPARE(errors.size(), 0);
}

void TestTableSizes::theDealLandsOnTheOthersSeats_data()
{
    QTest::addColumn<int>("seats");
    QTest::newRow("two seats") << 2;
    QTest::newRow("three seats") << 3;
    QTest::newRow("four seats") << 4;
}

// The deal flies 13 backs to each other player's seat and none to a free
// seat; the player's own tiles are in the rack, face up, and nowhere else.
void TestTableSizes::theDealLandsOnTheOthersSeats()
{
    QFETCH(int, seats);
    QVERIFY(start(QJsonObject{{"trigger", "join"},
                              {"empty_table", true},
                              {"seats", QJsonArray{seats}},
                              {"steps", appended(seatedAndDealt(seats), appended({checkpoint}, ownTurn(13)))}}));
    QSettings().setValue(QStringLiteral("game/animations"), true);
    QSignalSpy handData(m_session.get(), &ConnectionManager::privatePlayerData);
    GameWindow *window = quickJoin(seats);
    QVERIFY(window);
    QTRY_VERIFY_WITH_TIMEOUT(handData.size() == 1 && !window->actionQueue().isBusy(), 20000);
    QCOMPARE(int(window->handView()->tiles().size()), 13);
    // The dealt tiles stand where they landed until the first draw.
    std::map<int, int> backs;
    for (QGraphicsItem *item : window->tableScene().items()) {
        const auto *t = qgraphicsitem_cast<TileView *>(item);
        if (t && !t->parentItem() && t->isVisible())
            ++backs[t->side()];
    }
    std::map<int, int> expected;
    for (int wind : windsOf(seats).mid(1))
        expected[wind] = 13;
    QCOMPARE(backs, expected);

    // The first draw lays the hands down.
    m_session->query_lobby_summary();
    QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 20000);
    window->actionQueue().flush();
    for (int wind : windsOf(seats).mid(1))
        QCOMPARE(window->hiddenHandView(wind)->tileCount(), 13);
    window->onTileClick(13);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
}

QTEST_MAIN(TestTableSizes)
#include "tst_tablesizes.moc"
