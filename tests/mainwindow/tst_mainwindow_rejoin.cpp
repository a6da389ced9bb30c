// Leaving a table between hands and joining it again, through the real main
// window and table controller against the scripted game server: the seat is
// given back, and the join asks the server again for a live table.
#include "FormLogin.h"
#include "game/GameModel.h"
#include "lobby/LobbyController.h"
#include "lobby/LobbyWindow.h"
#include "lobby/TableModel.h"
#include "mainwindow/MainView.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "scene/HandView.h"
#include "social/FriendsWindow.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/MeldAuction.h"
#include "table/MeldChoice.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/SideBar.h"
#include "table/TableSelector.h"
#include "table/WashoutWindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestMainwindowRejoin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void joinAgainAfterLeaving_data();
    void joinAgainAfterLeaving();
    void aTableCanAlwaysBeLeft();
    void aLeftHandIsDealtAgainAndAWatchedOnePlays();

private:
    QString scenarioFile(const QString &name, qint32 table, const QJsonArray &steps);
    QTemporaryDir m_dir;
};

// A hand the scripted server plays at an empty table when the player joins it.
QString TestMainwindowRejoin::scenarioFile(const QString &name, qint32 table, const QJsonArray &steps)
{
    const QString file = m_dir.filePath(name);
    const QByteArray json = QJsonDocument(QJsonObject{{"trigger", "join"},
                                                      {"tables", QJsonArray{table}},
                                                      {"empty_table", true},
                                                      {"steps", steps}})
                                .toJson();
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(json) == json.size() ? file : QString();
}

namespace {
// The main window logged in at the scripted server, with the table listed.
std::unique_ptr<MainWindow> loggedIn(const PeerProcess &peer, qint32 table)
{
    auto window = std::make_unique<MainWindow>(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"),
                                               QStringLiteral("any"), true, QStringLiteral("127.0.0.1:1"), nullptr);
    window->onStartupFinished(true);
    if (!logInWithTheForm(*window)
        || !QTest::qWaitFor(
            [&] { return window->lobbyController() && window->lobbyController()->tableModel()->hasTable(table); },
            15000))
        return nullptr;
    return window;
}
} // namespace

void TestMainwindowRejoin::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-mainwindow-rejoin-test"));
    QSettings().clear();
    QSettings().setValue(QStringLiteral("game/animations"), false);
    QSettings().setValue(QStringLiteral("game/sound"), false);
    // The table's drawings, found as the client finds them.
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    QDir::setSearchPaths(QStringLiteral("textimages"), {QStringLiteral(":/default/textimages")});
    PeerProcess::installTestCa();
}

void TestMainwindowRejoin::joinAgainAfterLeaving_data()
{
    // Where the player asks to join again.
    QTest::addColumn<QString>("from");
    QTest::newRow("the lobby") << QStringLiteral("lobby");
    QTest::newRow("a friend's details") << QStringLiteral("friend");
}

void TestMainwindowRejoin::joinAgainAfterLeaving()
{
    QFETCH(QString, from);
    const auto step = [](const char *message, QJsonObject fields) {
        fields.insert("tableId", "$table");
        return QJsonObject{{"send", message}, {"fields", fields}};
    };
    // A hand at Practice 1002 that ends in a washout without ending the
    // game, Ready, and the table round's result.
    QJsonArray steps{step("player_is_ready", {{"playerId", "$pid"}})};
    QJsonArray scores;
    for (int i = 1; i <= 3; ++i) {
        steps.append(step("player_joined", {{"player", QJsonObject{{"id", 900 + i},
                                                                   {"name", QStringLiteral("Bot %1").arg(i)},
                                                                   {"wind", i},
                                                                   {"riichiDiscardIndex", -1}}}}));
        steps.append(step("player_is_ready", {{"playerId", 900 + i}}));
        scores.append(QJsonObject{{"playerId", 900 + i}, {"mahjongPoints", 25000}, {"result", 0}});
    }
    scores.append(QJsonObject{{"playerId", "$pid"}, {"mahjongPoints", 25000}, {"result", 0}});
    steps.append(
        step("start_hand", {{"handId", 1},
                            {"seating", QJsonObject{{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 903}}},
                            {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}));
    steps.append(step(
        "private_player_data",
        {{"data", QJsonObject{{"tiles", QJsonArray{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}, {"active", true}}}}));
    steps.append(QJsonObject{{"wait_ms", 100}});
    steps.append(step("hand_end_non_scoring", {{"reason", 0}, {"endOfGame", false}}));
    steps.append(step("are_you_ready", {{"ts", QJsonObject{{"start", "now"}, {"end", "now+60000"}}}}));
    steps.append(QJsonObject{{"expect", "ready"}, {"fields", QJsonObject{{"tableId", "$table"}}}});
    steps.append(step("end_of_round", {{"scores", scores}}));
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--scenario"), scenarioFile(QStringLiteral("rejoin.json"), 1002, steps),
                         QStringLiteral("--demo")}),
             qPrintable(peer.errorString()));
    const auto logged = loggedIn(peer, 1002);
    QVERIFY(logged);
    MainWindow &window = *logged;
    auto *lobby = window.findChild<LobbyWindow *>();
    auto *friends = window.findChild<FriendsWindow *>();
    QVERIFY(lobby && friends);
    GameController *controller = window.gameController();
    const auto joins = [&peer] { return peer.linesStartingWith(QStringLiteral("RECV join_table")).size(); };
    const auto tablePage = [&window] {
        return qobject_cast<GameWindow *>(window.view().loggedInStack->currentWidget());
    };

    emit lobby->tableActivated(1002);
    QTRY_VERIFY_WITH_TIMEOUT(tablePage(), 10000);
    QPointer<GameWindow> first = tablePage();
    // Ready on the washout, then the round's result closed.
    QAbstractButton *ready = first->washoutWindow()->findChild<QAbstractButton *>(QStringLiteral("readyButton"));
    QVERIFY(ready);
    QTRY_VERIFY_WITH_TIMEOUT(!first->washoutWindow()->isHidden() && ready->isEnabled(), 15000);
    ready->click();
    QTRY_VERIFY_WITH_TIMEOUT(!first->roundScoreBoard()->isHidden(), 15000);
    first->roundScoreBoard()->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();

    // Leave between hands: the seat goes back at once, and the table with it.
    auto *leave = first->sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
    QVERIFY(leave && !leave->isHidden() && leave->isEnabled());
    leave->click();
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV leave_table"), 10000).isNull());
    QTRY_VERIFY_WITH_TIMEOUT(!controller->hasTable(1002), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 10000);
    QCOMPARE(window.view().loggedInStack->currentWidget(), window.view().lobbyWidget);

    // Joining again asks the server, and the table that opens is the new one.
    QCOMPARE(joins(), 1);
    if (from == QLatin1String("lobby"))
        emit lobby->tableActivated(1002);
    else
        emit friends->joinTable(1002);
    QTRY_COMPARE_WITH_TIMEOUT(joins(), 2, 10000);
    // The new hand reaches the new page: its tiles while it plays, or its
    // board when a slow machine let the whole hand pass in one go.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
        GameWindow *page = tablePage();
        if (!page || !controller->model(1002) || controller->model(1002)->gameState() < GameModel::HAND_IN_PLAY)
            return false;
        page->actionQueue().flush();
        return page->handView()->tiles().size() == 13 || !page->scoreBoard()->isHidden()
               || !page->washoutWindow()->isHidden();
        }(),
        15000);
    GameWindow *again = tablePage();
    QCOMPARE(window.view().tableSelector->checkedTableId(), 1002);
    if (const QString shot = qEnvironmentVariable("MAHJONG_REJOIN_SHOT"); !shot.isEmpty()) {
        again->resize(1280, 800);
        again->grab().save(shot);
    }
}

namespace {
QAbstractButton *leaveButton(GameWindow *page)
{
    return page->sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
}

// The page at the sizes a newcomer's screen may have, for a person to look at.
void shoot(MainWindow &window, const QString &name)
{
    const QString dir = qEnvironmentVariable("MAHJONG_TABLE_SHOTS");
    if (dir.isEmpty())
        return;
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        window.resize(size);
        QTest::qWait(1000);
        window.grab().save(
            QDir(dir).filePath(QStringLiteral("%1-%2x%3.png").arg(name).arg(size.width()).arg(size.height())));
    }
}
} // namespace

void TestMainwindowRejoin::aTableCanAlwaysBeLeft()
{
    // Four seated and no hand: none of the table's panels offers a way out.
    QJsonArray players;
    for (int i = 0; i < 4; ++i)
        players.append(QJsonObject{{"id", i == 0 ? QJsonValue("$pid") : QJsonValue(900 + i)},
                                   {"name", i == 0 ? QStringLiteral("$name") : QStringLiteral("Bot %1").arg(i)},
                                   {"wind", i},
                                   {"riichiDiscardIndex", -1}});
    const QJsonArray steps{
        QJsonObject{{"send", "game_data"},
                    {"fields", QJsonObject{{"tableId", "$table"},
                                           {"handId", 0},
                                           {"state", 0},
                                           {"players", players},
                                           {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}}},
        QJsonObject{{"expect", "leave_table"}, {"timeout_ms", 600000}}};
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--scenario"), scenarioFile(QStringLiteral("no-way-out.json"), 1003, steps),
                         QStringLiteral("--demo")}),
             qPrintable(peer.errorString()));
    const auto logged = loggedIn(peer, 1003);
    QVERIFY(logged);
    MainWindow &window = *logged;
    window.joinTable(1003);
    QTRY_VERIFY_WITH_TIMEOUT(
        window.gameController()->model(1003) && window.gameController()->model(1003)->players().size() == 4, 15000);
    auto *page = qobject_cast<GameWindow *>(window.view().loggedInStack->currentWidget());
    QVERIFY(page);
    QAbstractButton *leave = leaveButton(page);
    QTRY_VERIFY(!leave->isHidden() && leave->isEnabled());
    leave->click();
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV leave_table"), 10000).isNull());
    QTRY_VERIFY_WITH_TIMEOUT(!window.gameController()->hasTable(1003), 10000);
}

void TestMainwindowRejoin::aLeftHandIsDealtAgainAndAWatchedOnePlays()
{
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--demo")}), qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"), QStringLiteral("any"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.show();
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    QTRY_VERIFY_WITH_TIMEOUT(window.lobbyController() && window.lobbyController()->tableModel()->hasTable(1001), 15000);
    GameController *controller = window.gameController();
    const auto tablePage = [&window] {
        return qobject_cast<GameWindow *>(window.view().loggedInStack->currentWidget());
    };

    // The Classic demo hand to its score board: a discard, the pong, a
    // discard, the win.
    window.joinTable(1001);
    QTRY_VERIFY_WITH_TIMEOUT(tablePage() && tablePage()->handView()->isActive(), 30000);
    GameWindow *page = tablePage();
    page->onTileClick(33);
    QTRY_VERIFY_WITH_TIMEOUT(page->meldAuction() && !page->meldAuction()->isHidden(), 30000);
    page->meldAuction()
        ->findChildren<MeldChoice *>()
        .front()
        ->findChild<QAbstractButton *>(QStringLiteral("meldChoiceButton"))
        ->click();
    QTRY_VERIFY_WITH_TIMEOUT(page->handView()->isActive(), 20000);
    page->onTileClick(5);
    QTRY_VERIFY_WITH_TIMEOUT(page->meldAuction() && !page->meldAuction()->isHidden(), 30000);
    page->meldAuction()->findChild<QAbstractButton *>(QStringLiteral("mahjongButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!page->scoreBoard()->isHidden(), 30000);

    // Leave on the score board, then join again: the hand is dealt again.
    QAbstractButton *leave = leaveButton(page);
    QTRY_VERIFY(!leave->isHidden() && leave->isEnabled());
    leave->click();
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV leave_table"), 10000).isNull());
    QTRY_VERIFY_WITH_TIMEOUT(!controller->hasTable(1001), 10000);
    // The server tells the lobby of the free seat after the leave itself;
    // until then the table reads full and Join would watch it.
    QTRY_VERIFY_WITH_TIMEOUT(!window.lobbyController()->tableModel()->isTableFull(1001), 10000);
    window.joinTable(1001);
    QTRY_VERIFY_WITH_TIMEOUT(tablePage() && controller->model(1001) && controller->model(1001)->handId() == 1
                                 && tablePage()->handView()->isActive(),
                             30000);
    QVERIFY(!leaveButton(tablePage())->isHidden());
    shoot(window, QStringLiteral("rejoined-table"));

    // A full table watched meanwhile plays its hand in progress.
    window.watchTable(2002);
    QTRY_VERIFY_WITH_TIMEOUT(controller->model(2002) && controller->model(2002)->gameState() == GameModel::HAND_IN_PLAY,
                             20000);
    const auto discards = [controller] {
        size_t n = 0;
        for (const auto &[id, player] : controller->model(2002)->players())
            n += player.discards().size();
        return n;
    };
    const size_t before = discards();
    QTRY_VERIFY_WITH_TIMEOUT(discards() > before, 20000);
    page = tablePage();
    QVERIFY(page && page->tableInfo().id() == 2002);
    QVERIFY(!leaveButton(page)->isHidden());
    shoot(window, QStringLiteral("watched-table"));
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

QTEST_MAIN(TestMainwindowRejoin)
#include "tst_mainwindow_rejoin.moc"
