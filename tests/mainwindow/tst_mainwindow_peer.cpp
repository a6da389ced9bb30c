// The main window against the scripted game server over loopback TLS: it
// connects, logs in and shows the live lobby; refused logins, joins and
// watches, a lost connection and bad server data are reported.
#include "app/Log.h"
#include "lobby/LobbyController.h"
#include "lobby/LobbyModel.h"
#include "lobby/LobbySummary.h"
#include "lobby/LobbyWindow.h"
#include "lobby/LocalizationDb.h"
#include "lobby/TableModel.h"
#include "lobby/TablePreview.h"
#include "mainwindow/LoginWindow.h"
#include "lobby/SetScreennameDialog.h"
#include "mainwindow/EmbeddedBrowser.h"
#include "widgets/UPushButton.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "protocol/ServerTime.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/TableSelector.h"
#include "tournaments/ComingEventsModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

class MainWindowPeerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void connectsLogsInAndShowsLobby();
    void tablesAreJoinedOrWatched();
    void wrongPasswordShowsFailureAndFormRetries();
    void formWhenNoCredentialsAndOtherRefusal();
    void lostConnectionIsShown();
    void lostConnectionBoxIsReadBeforeTheEnd();
    void credentialsOnlyPrefillTheForm();
    void badServerDataEndsWithError();
    void forcedLogoutEnds();
    void quittingLogsOut();
    void generatedNameReconnects();
    void accountPagesAndLinks();
    void joinedTablePlaysInTheWindow();
    void serverClockFollowsTheSession();

private:
    // With clickLogin the player presses "Log in" as soon as it is enabled.
    std::unique_ptr<MainWindow> makeWindow(const QString &user, const QString &password, bool clickLogin = true);
    QString status() const;
    bool waitForStatus(const QString &text, int timeoutMs = 10000);
    int received(const QString &message) { return int(m_peer->linesStartingWith("RECV " + message).size()); }

    std::unique_ptr<PeerProcess> m_peer;
    MainWindow *m_window = nullptr;
};

void MainWindowPeerTest::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-mainwindow-test"));
    PeerProcess::installTestCa();
}

void MainWindowPeerTest::init()
{
    m_peer = std::make_unique<PeerProcess>();
    QVERIFY2(m_peer->start({QStringLiteral("--account"), QStringLiteral("ann:secret:1001:Ann"),
                            QStringLiteral("--account"), QStringLiteral("bob:secret:1002:Bob:3"),
                            QStringLiteral("--account"), QStringLiteral("gen:secret:1005:PLAYER-1005")}),
             qPrintable(m_peer->errorString()));
}

void MainWindowPeerTest::cleanup()
{
    m_window = nullptr;
    m_peer.reset();
    // A test that ended the program with QCoreApplication::exit() leaves
    // every later event loop stopped until the application loop has run.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

std::unique_ptr<MainWindow> MainWindowPeerTest::makeWindow(const QString &user, const QString &password,
                                                           bool clickLogin)
{
    auto window = std::make_unique<MainWindow>(QStringLiteral("localhost"), m_peer->port(), user, password, true,
                                               QStringLiteral("127.0.0.1:1"), nullptr);
    m_window = window.get();
    if (clickLogin && !user.isEmpty() && !password.isEmpty()) {
        auto *button = window->view().loginWindow->findChild<QPushButton *>(QStringLiteral("loginButton"));
        auto *player = new QTimer(window.get());
        connect(player, &QTimer::timeout, player, [button, player] {
            if (button->isVisible() && button->isEnabled() && button->text() == QStringLiteral("Log in")) {
                player->stop();
                QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        player->start(20);
    }
    return window;
}

QString MainWindowPeerTest::status() const
{
    auto *line = m_window->findChild<QLabel *>(QStringLiteral("statusLine"));
    return line ? line->text() : QStringLiteral("<no status line>");
}

bool MainWindowPeerTest::waitForStatus(const QString &text, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (status() != text) {
        if (deadline.hasExpired()) {
            qWarning().noquote() << "status is" << status() << "not" << text;
            return false;
        }
        QTest::qWait(20);
    }
    return true;
}

void MainWindowPeerTest::connectsLogsInAndShowsLobby()
{
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    QVERIFY(!window->findChild<LobbyWindow *>());
    window->onStartupFinished(true);
    QVERIFY(window->isVisible());
    QCOMPARE(window->view().centralWidget->currentWidget(), window->view().loginWidget);
    QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));
    QCOMPARE(window->view().centralWidget->currentWidget(), window->view().loggedInWidget);
    QCOMPARE(window->view().loggedInAsLabel->text(), QStringLiteral("Ann"));
    QVERIFY(m_peer->linesStartingWith("RECV login").value(0).contains("\"ann\""));
    QVERIFY(window->connectionManager().isLoggedIn());

    // The lobby is built once, subscribed and fed by the server.
    QVERIFY(window->lobbyController());
    TableModel *tables = window->lobbyController()->tableModel();
    auto *lobby = window->findChild<LobbyWindow *>();
    QVERIFY(lobby);
    window->onDisplayTab(QStringLiteral("lobby"));
    QVERIFY(lobby->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(lobby->lobbyModel()->rowCount(), 4, 15000);
    for (qint32 id : {1001, 1002, 1003, 1004})
        QVERIFY(tables->hasTable(id));
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV lobby_subscribe")).isNull());
    QCOMPARE(received("lobby_subscribe"), 1);
    QVERIFY(m_peer->linesStartingWith("RECV lobby_subscribe").value(0).contains("101/Practice"));

    // Localized names arrive and reach the table model.
    QTRY_VERIFY(!m_peer->linesStartingWith("RECV service_request").filter("query_table_names").isEmpty());
    QTRY_VERIFY(window->localizationDb()->hasTableNames(window->localizationDb()->language()));
    QTRY_VERIFY(!tables->tableNameById(1001).isEmpty());

    // The summary beside the lobby shows the server's counts.
    // The side column follows the tab: the summary beside the start page,
    // the table preview beside the lobby.
    window->onDisplayTab(QStringLiteral("welcome"));
    auto *summary = window->findChild<LobbySummary *>();
    QVERIFY(summary && summary->isVisible());
    QVERIFY(!window->findChild<TablePreview *>()->isVisible());
    // Everyone seated at the lobby's tables is online, and so is the player.
    QTRY_VERIFY(summary->summary().playersSeated > 0);
    QCOMPARE(summary->summary().playersOnline, summary->summary().playersSeated + 1);
    QCOMPARE(summary->summary().topWinners.size(), size_t(2));

    // Selecting a table in the lobby previews it.
    window->onDisplayTab(QStringLiteral("lobby"));
    auto *preview = window->findChild<TablePreview *>();
    QVERIFY(preview && preview->isVisible());
    QVERIFY(!summary->isVisible());
    lobby->view()->setCurrentIndex(lobby->view()->model()->index(0, 0));
    QTRY_VERIFY(preview->tableId() != -1);
    QCOMPARE(preview->tableId(), lobby->selectedTableId());

    // Live: a join by someone changes the lobby row.
    const int seated = tables->tableInfo(1002).seated();
    window->connectionManager().join_table(1002);
    QTRY_COMPARE(tables->tableInfo(1002).seated(), seated + 1);

    if (qEnvironmentVariableIsSet("MAHJONG_MAINWINDOW_SCREENSHOT")) {
        QTest::qWait(300);
        QVERIFY(window->grab().save(qEnvironmentVariable("MAHJONG_MAINWINDOW_SCREENSHOT")));
    }
}

void MainWindowPeerTest::tablesAreJoinedOrWatched()
{
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    window->onStartupFinished(true);
    QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));
    TableModel *tables = window->lobbyController()->tableModel();
    QTRY_COMPARE_WITH_TIMEOUT(tables->rowCount(), 4, 15000);
    auto *lobby = window->findChild<LobbyWindow *>();

    // Activating a free table in the lobby asks for any seat.
    emit lobby->tableActivated(1001);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV join_table")).isNull());
    QVERIFY(m_peer->linesStartingWith("RECV join_table").value(0).contains("1001"));
    QVERIFY(waitForStatus(QStringLiteral("Joined table 1001")));
    // The table opens as a page with its button in the strip; the lobby
    // button returns, and a second join only shows the page again.
    QTRY_VERIFY(qobject_cast<GameWindow *>(window->view().loggedInStack->currentWidget()));
    QCOMPARE(window->view().tableSelector->checkedTableId(), 1001);
    window->view().tableSelector->lobbyButton()->click();
    QCOMPARE(window->view().loggedInStack->currentWidget(), window->view().lobbyWidget);
    window->joinTable(1001);
    QVERIFY(qobject_cast<GameWindow *>(window->view().loggedInStack->currentWidget()));
    window->displayLobby();

    // A full table is watched instead.
    tables->subscribe(QStringLiteral("101/Money"));
    QTRY_VERIFY(tables->hasTable(2002));
    QVERIFY(tables->isTableFull(2002));
    window->joinTable(2002);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV watch_table")).isNull());
    QVERIFY(waitForStatus(QStringLiteral("Watching table 2002")));
    QCOMPARE(received("join_table"), 1);
    // Once the table is left the footer says so, not what it was before.
    window->gameController()->onLeave(2002);
    QVERIFY(waitForStatus(QStringLiteral("Left table 2002")));
    QVERIFY(!window->gameController()->hasTable(2002));

    // Refusals are worded; a table outside the lobby is not asked for.
    window->joinTable(4711);
    window->connectionManager().join_table(4711);
    QVERIFY(waitForStatus(QStringLiteral("Join Failed: Join Error")));
    window->connectionManager().join_table(2002);
    QVERIFY(waitForStatus(QStringLiteral("Join Failed: Table Full")));

    // Ids that name no table send nothing; a table outside the lobby is not watched.
    const int requests = received("join_table") + received("watch_table");
    window->joinTable(0);
    window->watchTable(-3);
    window->watchTable(4712);
    QTest::qWait(200);
    QCOMPARE(received("join_table") + received("watch_table"), requests);
}

void MainWindowPeerTest::wrongPasswordShowsFailureAndFormRetries()
{
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("wrong"));
    window->onStartupFinished(true);
    QVERIFY(waitForStatus(QStringLiteral("Login failed: Authentication failed!")));
    QVERIFY(!window->findChild<LobbyWindow *>());
    QVERIFY(!window->connectionManager().isLoggedIn());

    // The form stays with the name kept and the wrong password gone.
    auto *form = window->findChild<QWidget *>(QStringLiteral("loginWindow"));
    auto *user = window->view().loginWindow->findChild<QLineEdit *>(QStringLiteral("loginEdit"));
    auto *password = window->view().loginWindow->findChild<QLineEdit *>(QStringLiteral("passwordEdit"));
    auto *button = window->view().loginWindow->findChild<QPushButton *>(QStringLiteral("loginButton"));
    QVERIFY(form->isVisible());
    QCOMPARE(user->text(), QStringLiteral("ann"));
    QVERIFY(password->text().isEmpty());
    QVERIFY(!button->isEnabled());

    password->setText(QStringLiteral("secret"));
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isEnabled()); // no second login while one is under way
    QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));
    QVERIFY(!form->isVisible());
    QVERIFY(window->findChild<LobbyWindow *>()->isVisible());
    QCOMPARE(received("login"), 2);

    // Neither the password typed into the form nor the XMPP password of the
    // login answer reaches the log.
    QTemporaryDir logDir;
    QVERIFY(Log::open(logDir.path()));
    Log::install();
    qWarning("form sent secret");
    qWarning("xmpp password cred-1001");
    Log::uninstall();
    Log::close();
    QFile log(logDir.filePath(QStringLiteral("mahjong.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray written = log.readAll();
    QVERIFY(written.contains("[WARN ]"));
    QVERIFY2(!written.contains("secret") && !written.contains("cred-1001"), written.constData());
}

void MainWindowPeerTest::formWhenNoCredentialsAndOtherRefusal()
{
    auto window = makeWindow(QString(), QString());
    auto *user = window->view().loginWindow->findChild<QLineEdit *>(QStringLiteral("loginEdit"));
    auto *password = window->view().loginWindow->findChild<QLineEdit *>(QStringLiteral("passwordEdit"));
    auto *button = window->view().loginWindow->findChild<QPushButton *>(QStringLiteral("loginButton"));
    user->setText(QStringLiteral("bob"));
    password->setText(QStringLiteral("secret"));
    QVERIFY(!button->isEnabled()); // not before the handshake

    window->onStartupFinished(true);
    QVERIFY(window->findChild<QWidget *>(QStringLiteral("loginWindow"))->isVisible());
    QVERIFY(waitForStatus(QStringLiteral("Connected to localhost:%1. Please log in.").arg(m_peer->port())));
    QCOMPARE(received("login"), 0);
    QVERIFY(button->isEnabled());

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(waitForStatus(QStringLiteral("Login failed: You are not allowed to login, please contact support.")));
    // Only a wrong password has to be typed again.
    QCOMPARE(password->text(), QStringLiteral("secret"));
    QVERIFY(button->isEnabled());
    QVERIFY(!window->findChild<LobbyWindow *>());
}

void MainWindowPeerTest::lostConnectionIsShown()
{
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    window->onStartupFinished(true);
    QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));
    auto *lobby = window->findChild<LobbyWindow *>();
    window->onDisplayTab(QStringLiteral("lobby"));
    QVERIFY(lobby->isEnabled());

    static QStringList criticals;
    criticals.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg)
            criticals << text;
    });
    // The loss ends the event loop the program runs in with code 1.
    QEventLoop loop;
    QTimer::singleShot(15000, &loop, [&loop] { loop.exit(-1); });
    QTimer::singleShot(0, this, [this] { m_peer->stop(); });
    const int code = loop.exec();
    qInstallMessageHandler(previous);
    QCOMPARE(code, 1);
    QCOMPARE(criticals, QStringList{QStringLiteral("The server closed the connection")});
    QCOMPARE(status(), QStringLiteral("The server closed the connection"));
    // The lobby stays on screen, but takes no more clicks.
    QVERIFY(lobby->isVisible());
    QVERIFY(!lobby->isEnabled());
    QVERIFY(!window->findChild<TablePreview *>()->isEnabled());
}

void MainWindowPeerTest::lostConnectionBoxIsReadBeforeTheEnd()
{
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    window->onStartupFinished(true);
    QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));
    // Mid-hand: the demo server deals at the joined table.
    window->connectionManager().join_table(1001);
    QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<GameWindow *>(window->view().loggedInStack->currentWidget()), 15000);

    // The program's own log handler, with its boxes.
    QTemporaryDir logDir;
    QVERIFY(Log::open(logDir.path()));
    Log::install();
    Log::setDialogsEnabled(true);
    QString title;
    QString text;
    bool modal = false;
    int boxes = 0;
    QStringList seen;
    // Boxes from before the loss (a too small screen) are not the point.
    for (QMessageBox *box : window->findChildren<QMessageBox *>())
        box->setProperty("read", true);
    QTimer reader;
    connect(&reader, &QTimer::timeout, this, [&] {
        for (QMessageBox *box : window->findChildren<QMessageBox *>()) {
            if (!box->isVisible() || box->property("read").toBool())
                continue;
            box->setProperty("read", true);
            ++boxes;
            seen << box->windowTitle() + QStringLiteral(": ") + box->text();
            title = box->windowTitle();
            text = box->text();
            modal = box->isModal() && QApplication::activeModalWidget() == box;
            // The player takes a moment to read it: the program is still there.
            QTimer::singleShot(500, box, [box] { box->button(QMessageBox::Ok)->click(); });
        }
    });
    reader.start(20);
    QEventLoop loop;
    QTimer::singleShot(20000, &loop, [&loop] { loop.exit(-1); });
    QElapsedTimer sinceLoss;
    QTimer::singleShot(0, this, [&] {
        sinceLoss.start();
        m_peer->stop();
    });
    const int code = loop.exec();
    const qint64 ended = sinceLoss.elapsed();
    Log::setDialogsEnabled(false);
    Log::uninstall();
    Log::close();
    QCOMPARE(code, 1);
    QVERIFY2(boxes == 1, qPrintable(seen.join(QLatin1String(" | "))));
    QCOMPARE(title, QStringLiteral("Error"));
    QCOMPARE(text, QStringLiteral("The server closed the connection"));
    QVERIFY(modal);
    // Not before the box was closed.
    QVERIFY2(ended >= 500, qPrintable(QString::number(ended)));
    QFile log(logDir.filePath(QStringLiteral("mahjong.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("[CRIT ] The server closed the connection"));
}

void MainWindowPeerTest::credentialsOnlyPrefillTheForm()
{
    // The command line's user and password fill in the form; the player
    // logs in, once, however often the request is made.
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"), false);
    auto *user = window->view().loginWindow->findChild<QLineEdit *>(QStringLiteral("loginEdit"));
    auto *password = window->view().loginWindow->findChild<QLineEdit *>(QStringLiteral("passwordEdit"));
    auto *button = window->view().loginWindow->findChild<QPushButton *>(QStringLiteral("loginButton"));
    window->onStartupFinished(true);
    QVERIFY(waitForStatus(QStringLiteral("Connected to localhost:%1. Please log in.").arg(m_peer->port())));
    QTest::qWait(500);
    QCOMPARE(received("login"), 0);
    QCOMPARE(user->text(), QStringLiteral("ann"));
    QCOMPARE(password->text(), QStringLiteral("secret"));
    QVERIFY(button->isEnabled());

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isEnabled());
    // Another way in (the account page's login) while the first is pending.
    window->login(QStringLiteral("ann"), QStringLiteral("secret"));
    QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));
    window->login(QStringLiteral("ann"), QStringLiteral("secret"));
    QTest::qWait(500);
    QCOMPARE(received("login"), 1);
    QCOMPARE(window->findChildren<ComingEventsModel *>().size(), 1);
}

void MainWindowPeerTest::badServerDataEndsWithError()
{
    // After the login the server sends a frame header announcing 2 GB.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString scenario = dir.filePath(QStringLiteral("bad.json"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"trigger": "login", "steps": [{"wait_ms": 100}, {"raw": "7fffffff4d"}]})");
    file.close();
    m_peer.reset(new PeerProcess);
    QVERIFY2(m_peer->start({QStringLiteral("--demo"), QStringLiteral("--scenario"), scenario}),
             qPrintable(m_peer->errorString()));

    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    int boxes = 0;
    QSignalSpy failures(&window->connectionManager(), &ConnectionManager::exceptionCaught);
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ++boxes;
            title = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            // More bad data while the box is open adds no second box.
            window->connectionManager().handleMessage(message_t{0xee});
            box->accept();
        }
    });
    closer.start(20);

    // The error ends the event loop the program runs in with code 1.
    QEventLoop loop;
    QTimer::singleShot(15000, &loop, [&loop] { loop.exit(-1); });
    window->onStartupFinished(true);
    const int code = loop.exec();
    QCOMPARE(code, 1);
    QCOMPARE(title, QStringLiteral("Error"));
    QCOMPARE(failures.count(), 2);
    QCOMPARE(boxes, 1);
    QVERIFY2(!text.isEmpty(), qPrintable(text));
    QCOMPARE(format, Qt::PlainText); // server text, never a link
}

void MainWindowPeerTest::forcedLogoutEnds()
{
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("forced.json"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        R"({"trigger": "login", "steps": [{"wait_ms": 300}, {"send": "forced_logout"}, {"wait_ms": 1000}, {"close": true}]})");
    file.close();
    m_peer.reset(new PeerProcess);
    QVERIFY2(m_peer->start({QStringLiteral("--demo"), QStringLiteral("--scenario"), scenario}),
             qPrintable(m_peer->errorString()));
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    QString title;
    bool pagesHidden = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        for (QMessageBox *box : window->findChildren<QMessageBox *>()) {
            if (box->isVisible() && box->windowTitle() == QStringLiteral("Forced logout")) {
                title = box->windowTitle();
                pagesHidden = window->view().centralWidget->isHidden();
                box->accept();
            }
        }
    });
    closer.start(20);
    // The box, and after it the end with code 1; the close that follows the
    // logout is not reported as a lost connection.
    QEventLoop loop;
    QTimer::singleShot(15000, &loop, [&loop] { loop.exit(-1); });
    window->onStartupFinished(true);
    QCOMPARE(loop.exec(), 1);
    QCOMPARE(title, QStringLiteral("Forced logout"));
    QVERIFY(pagesHidden);
    QVERIFY(status() != QStringLiteral("The server closed the connection"));
}

void MainWindowPeerTest::quittingLogsOut()
{
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    window->onStartupFinished(true);
    QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));
    const QString before = status();
    QVERIFY(QMetaObject::invokeMethod(qApp, "aboutToQuit"));
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV logout")).isNull());
    // The server's close after the logout is the expected end, not a loss.
    QVERIFY(!m_peer->waitForLine(QStringLiteral("DISCONNECTED")).isNull());
    QTest::qWait(200);
    QCOMPARE(status(), before);
}

void MainWindowPeerTest::generatedNameReconnects()
{
    auto window = makeWindow(QStringLiteral("gen"), QStringLiteral("secret"));
    window->onStartupFinished(true);
    // A generated name (in any case) asks for a screen name and nothing else.
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<SetScreennameDialog *>(), 10000);
    QCOMPARE(received("query_account_balance"), 0);
    auto *dialog = window->findChild<SetScreennameDialog *>();
    auto *edit = dialog->findChild<QLineEdit *>();
    edit->setText(QStringLiteral("Gina"));
    QTest::keyClick(edit, Qt::Key_Return);

    // The window logs out; the server closes; the window connects again and
    // logs in once the handshake is done, not before.
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV logout")).isNull());
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV login"), 10000, 1).isNull());
    const QStringList lines = m_peer->lines();
    // (The list's own search wants whole-line matches.)
    auto find = [&lines](const QString &prefix, int from) {
        for (int i = from; i < lines.size(); ++i) {
            if (lines.at(i).startsWith(prefix))
                return i;
        }
        return -1;
    };
    int reconnected = -1;
    for (int i = find(QStringLiteral("CONNECTED"), 0); i != -1; i = find(QStringLiteral("CONNECTED"), i + 1))
        reconnected = i;
    const int hello = find(QStringLiteral("RECV hello"), reconnected);
    const int login = find(QStringLiteral("RECV login"), reconnected);
    QVERIFY2(reconnected > 0 && hello > reconnected, qPrintable(lines.join(QLatin1Char('\n'))));
    QVERIFY2(login > hello, qPrintable(lines.mid(reconnected).join(QLatin1Char('\n'))));
    QVERIFY(window->isVisible());
}

void MainWindowPeerTest::accountPagesAndLinks()
{
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    // Before the login the side page's links do nothing.
    window->onDisplayTab(QStringLiteral("friends"));
    window->onLaunchBrowser(QStringLiteral("client://my-account/withdraw"));
    window->onQuickJoinTable(QStringLiteral("101/Practice"));
    QCOMPARE(window->pendingAccountAction(), int(MainWindow::Deposit));

    window->onStartupFinished(true);
    QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));

    // An account action (the menu's last) disables both account buttons
    // until the page comes; the page opens in the browser dialog with the
    // action's redirect.
    QVERIFY(window->view().accountButton->menu());
    window->view().accountButton->menu()->actions().last()->trigger();
    QVERIFY(!window->view().accountButton->isEnabled());
    QVERIFY(!window->view().cashierButton->isEnabled());
    QTRY_VERIFY(window->findChild<EmbeddedBrowser *>());
    QVERIFY(window->view().accountButton->isEnabled());
    auto *browser = window->findChild<EmbeddedBrowser *>();
    QTRY_VERIFY(browser->webView()->url().toString().contains(QStringLiteral("clientRedirectPage=CHANGE_PASSWORD")));
    QVERIFY(browser->webView()->url().toString().startsWith(QStringLiteral("https://127.0.0.1:1/client/page1.html")));

    // A later page 1 without an action of its own is the deposit.
    window->onLaunchBrowser(QStringLiteral("client://my-account"));
    QTRY_VERIFY(browser->webView()->url().toString().contains(QStringLiteral("clientRedirectPage=DEPOSIT")));
    QCOMPARE(window->findChildren<EmbeddedBrowser *>().size(), 1);
    // A link only in another letter case is no client link.
    window->onLaunchBrowser(QStringLiteral("CLIENT://help"));
    QTest::qWait(200);
    const QStringList pages = m_peer->linesStartingWith(QStringLiteral("RECV query_web_page"));
    QCOMPARE(pages.filter(QStringLiteral("\"page\":1}")).size(), 2);
    QVERIFY(pages.filter(QStringLiteral("\"page\":6}")).isEmpty());

    // The dialog has the keys: Escape closes it at once.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && browser->isAncestorOf(focus));
    QPointer<EmbeddedBrowser> open(browser);
    QTest::keyClick(focus, Qt::Key_Escape);
    QTRY_VERIFY(!open || open->isHidden());
}

void MainWindowPeerTest::joinedTablePlaysInTheWindow()
{
    // The demo server seats three bots and plays a hand at a joined table.
    m_peer.reset(new PeerProcess);
    QVERIFY2(m_peer->start({QStringLiteral("--demo")}), qPrintable(m_peer->errorString()));
    auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
    window->onStartupFinished(true);
    QVERIFY(waitForStatus(QStringLiteral("Logged in as ann")));
    QTRY_VERIFY_WITH_TIMEOUT(window->lobbyController()->tableModel()->hasTable(1001), 15000);
    window->joinTable(1001);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_START")).isNull());
    QTRY_VERIFY(qobject_cast<GameWindow *>(window->view().loggedInStack->currentWidget()));
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SENT start_hand"), 15000).isNull());
    QCOMPARE(window->view().tableSelector->checkedTableId(), 1001);
    QVERIFY(window->view().loggedInStack->currentWidget()->isVisible());
    // MAHJONG_MAINWINDOW_TABLE_SCREENSHOT=FILE keeps a picture of the hand.
    if (qEnvironmentVariableIsSet("MAHJONG_MAINWINDOW_TABLE_SCREENSHOT")) {
        QTest::qWait(2000);
        QVERIFY(window->grab().save(qEnvironmentVariable("MAHJONG_MAINWINDOW_TABLE_SCREENSHOT")));
    }
}

void MainWindowPeerTest::serverClockFollowsTheSession()
{
    const QStringList args{QStringLiteral("--account"), QStringLiteral("ann:secret:1001:Ann"),
                           QStringLiteral("--clock-offset-ms"), QString::number(90 * 60 * 1000)};
    const qint64 offsetMs = PeerProcess::effectiveValue(args, QStringLiteral("--clock-offset-ms"), 0);
    m_peer.reset(new PeerProcess);
    QVERIFY2(m_peer->start(args), qPrintable(m_peer->errorString()));
    ServerTime &clock = ServerTime::instance();
    {
        auto window = makeWindow(QStringLiteral("ann"), QStringLiteral("secret"));
        QCOMPARE(clock.connectionManager(), &window->connectionManager());
        window->onStartupFinished(true);
        QVERIFY(waitForStatus(QStringLiteral("Logged in as Ann")));
        // An estimate of an earlier session may still be there at first.
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(QDateTime::currentDateTimeUtc().msecsTo(clock.now()) - offsetMs) < 5000, 10000);
    }
    QVERIFY(!clock.connectionManager());
}

QTEST_MAIN(MainWindowPeerTest)
#include "tst_mainwindow_peer.moc"
