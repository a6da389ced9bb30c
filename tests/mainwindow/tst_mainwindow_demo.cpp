// The start page's quick-join buttons against the run command's demo server:
// the real window, the page's signal and the scripted game server; a game at
// a practice table to its end, with the lobby's seat count and the table's
// waiting notice.
#include "game/GameModel.h"
#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/MainView.h"
#include "FormLogin.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "table/GameController.h"
#include "scene/HandView.h"
#include "table/GameWindow.h"
#include "table/MeldAuction.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/TableSelector.h"
#include "table/WaitingForPlayersWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStackedWidget>
#include <QtTest>

#include <functional>
#include <memory>

// Calls back each time the watched widget is shown.
class ShowWatcher : public QObject
{
public:
    explicit ShowWatcher(std::function<void()> shown)
        : m_shown(std::move(shown))
    {
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            m_shown();
        return false;
    }

private:
    std::function<void()> m_shown;
};

class TestMainwindowDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startPageButtonsSeatThePlayer_data();
    void startPageButtonsSeatThePlayer();
    void practiceGameEndsWithEverySeatTaken();
};

void TestMainwindowDemo::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-mainwindow-demo-test"));
    PeerProcess::installTestCa();
}

void TestMainwindowDemo::startPageButtonsSeatThePlayer_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("ruleset");
    QTest::newRow("Play now") << QStringLiteral("/Regular/ForFun/Riichi/Express/4/") << 2;
    QTest::newRow("Riichi") << QStringLiteral("/Practice/Riichi/4/") << 2;
    QTest::newRow("International") << QStringLiteral("/Practice/International/4/") << 1;
    QTest::newRow("Classic") << QStringLiteral("/Practice/Classic/4/") << 0;
}

void TestMainwindowDemo::startPageButtonsSeatThePlayer()
{
    QFETCH(QString, path);
    QFETCH(int, ruleset);
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--demo")}), qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"), QStringLiteral("any"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    QTRY_VERIFY_WITH_TIMEOUT(window.lobbyController() && window.lobbyController()->tableModel()->hasTable(2001), 15000);
    auto *welcome = window.findChild<EmbeddedWebPage *>(QStringLiteral("welcomePage"));
    QVERIFY(welcome);

    emit welcome->joinTable(path);
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV filter_join")).isNull());
    QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<GameWindow *>(window.view().loggedInStack->currentWidget()), 10000);
    const qint32 table = window.view().tableSelector->checkedTableId();
    QCOMPARE(window.lobbyController()->tableModel()->tableInfo(table).ruleset(), ruleset);
    QVERIFY(!peer.waitForLine(QStringLiteral("SENT start_hand"), 15000).isNull());
    // No "Join game failed!" on the way.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(w))
            QVERIFY2(!box->isVisible() || box->windowTitle() != QLatin1String("Join game failed!"),
                     qPrintable(box->text()));
    }
}

// Practice 1003 (International, East only) from the lobby: the player sits
// down alone, three bots join, and the game's one hand is played to the win
// and Ready on its score board.
void TestMainwindowDemo::practiceGameEndsWithEverySeatTaken()
{
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--demo")}), qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"), QStringLiteral("any"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.show();
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    const qint32 table = 1003;
    QTRY_VERIFY_WITH_TIMEOUT(window.lobbyController() && window.lobbyController()->tableModel()->hasTable(table),
                             15000);
    TableModel *lobby = window.lobbyController()->tableModel();
    const auto seatedInLobby = [&] { return lobby->tableInfo(table).seated(); };
    // Nobody sits there.
    QCOMPARE(seatedInLobby(), 0);

    window.joinTable(table);
    QTRY_VERIFY_WITH_TIMEOUT(window.gameController()->view(table), 10000);
    GameModel *model = window.gameController()->model(table);
    GameWindow *game = window.gameController()->view(table);
    // The waiting notice, each time it shows with every seat taken.
    QStringList waitingShown;
    auto *waiting = game->waitingForPlayersWindow();
    ShowWatcher watcher([&] {
        if (model->playerIds().size() == 4)
            waitingShown << waiting->findChild<QLabel *>(QStringLiteral("mainText"))->text();
    });
    waiting->installEventFilter(&watcher);
    QTRY_COMPARE_WITH_TIMEOUT(model->playerIds().size(), size_t(4), 15000);
    // The lobby counts who sits there: the player and the three bots.
    QTRY_COMPARE_WITH_TIMEOUT(seatedInLobby(), 4, 10000);

    // The dragon discarded, the bot's dragon taken, the 5 of characters
    // discarded, the self-drawn win declared.
    const auto turn = [&](tile t) {
        QTRY_VERIFY_WITH_TIMEOUT(game->handView()->isActive(), 30000);
        game->onTileClick(t);
        QTRY_VERIFY_WITH_TIMEOUT(!game->handView()->isActive(), 10000);
    };
    const auto claim = [&](const char *button) {
        QTRY_VERIFY_WITH_TIMEOUT(game->meldAuction() && !game->meldAuction()->isHidden(), 30000);
        QList<QAbstractButton *> buttons = game->meldAuction()->findChildren<QAbstractButton *>(QLatin1String(button));
        QVERIFY(!buttons.isEmpty());
        buttons.last()->click();
    };
    turn(27);
    claim("meldChoiceButton");
    turn(5);
    claim("mahjongButton");
    auto *ready = game->scoreBoard()->findChild<QAbstractButton *>(QStringLiteral("readyPushButton"));
    QTRY_VERIFY_WITH_TIMEOUT(ready->isVisible() && ready->isEnabled(), 30000);
    ready->click();
    // Everyone at the table is ready after the game's last hand.
    QTRY_COMPARE_WITH_TIMEOUT(model->seatsRemaining(), 0, 10000);
    QVERIFY(!peer.waitForLine(QStringLiteral("SENT end_of_round"), 10000).isNull());
    QTRY_VERIFY_WITH_TIMEOUT(!game->roundScoreBoard()->isHidden(), 10000);
    QVERIFY2(waitingShown.isEmpty(), qPrintable(waitingShown.join(QLatin1Char('\n'))));
    QVERIFY(!waiting->isVisible());

    // Left, the table is empty again in the lobby.
    window.connectionManager().leave_table(table);
    QTRY_COMPARE_WITH_TIMEOUT(seatedInLobby(), 0, 10000);
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

QTEST_MAIN(TestMainwindowDemo)
#include "tst_mainwindow_demo.moc"
