#include "ReservedPort.h"
#include "mainwindow/LoginWindow.h"
#include "mainwindow/EmbeddedBrowser.h"
#include "mainwindow/MainWindow.h"
#include "table/MeldAuction.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "core/ApplicationVersion.h"
#include "widgets/UPushButton.h"
#include "widgets/Utils.h"

#include <QAction>
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTcpServer>
#include <QWebEngineView>
#include <QtTest>

class MainWindowFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void escapeClosesTheBrowserDialog()
    {
        // The account pages open in this dialog over the window; Escape
        // closes it, with the focus in the page.
        QWidget window;
        window.resize(1024, 768);
        auto *browser = new EmbeddedBrowser(&window);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<EmbeddedBrowser> alive(browser);
        window.show();
        browser->showDialog(true);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        browser->webView()->setFocus();
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused && browser->isAncestorOf(focused));
        QTest::keyClick(focused, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!alive, 10000);
    }

    void showsOnlyAfterSuccessfulStartup()
    {
        // A loopback port on which nobody listens yet, and nobody else can.
        ReservedPort reserved;
        const quint16 port = reserved.port();
        QVERIFY(port != 0);

        MainWindow window("127.0.0.1", port, "ann", "pw", false, "web.example", nullptr);
        QCOMPARE(window.gameHost(), QStringLiteral("127.0.0.1"));
        QCOMPARE(window.gamePort(), port);
        QVERIFY(!window.useSsl());
        QVERIFY(!window.connectionManager().usesSsl());
        QCOMPARE(window.windowTitle(), QStringLiteral("Brisquel - ") + applicationVersion());
        QCOMPARE(Utils::findMainWindow(), &window);
        window.onStartupFinished(false);
        QVERIFY(!window.isVisible());
        QVERIFY(window.connectionManager().host().isEmpty());

        window.onStartupFinished(true);
        QVERIFY(window.isVisible());
        auto *status = window.findChild<QLabel *>("statusLine");
        QVERIFY(status);
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Cannot connect to 127.0.0.1:%1").arg(port), 10000);
        QVERIFY(!window.connectionManager().isConnected());
        // The login page stays; its button says what is true and tries again.
        QCOMPARE(window.view().centralWidget->currentWidget(), window.view().loginWidget);
        auto *button = window.view().loginWindow->findChild<QPushButton *>("loginButton");
        QVERIFY(window.view().connectionNotice->isVisible());
        QCOMPARE(window.view().connectionNotice->text(), QStringLiteral("Cannot connect to 127.0.0.1:%1").arg(port));
        QVERIFY(button->isVisible() && button->isEnabled());
        QCOMPARE(button->text(), QStringLiteral("Try again"));
        QVERIFY(!window.view().retryButton->isVisible());
        QTcpServer server;
        QVERIFY(reserved.listenOn(server));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(server.waitForNewConnection(10000));
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Connected to 127.0.0.1:%1").arg(port), 10000);
        // Connected, the handshake not done: no login yet.
        QCOMPARE(button->text(), QStringLiteral("Log in"));
        QVERIFY(!button->isEnabled());
    }

    void sampleDialogsNeedNoServer()
    {
        MainWindow window("127.0.0.1", 1, "ann", "pw", false, "web.example", nullptr);
        window.show();
        QAction *samples = nullptr;
        for (QAction *action : window.actions()) {
            if (action->shortcut() == QKeySequence(QStringLiteral("Ctrl+Alt+D")))
                samples = action;
        }
        QVERIFY(samples);
        samples->trigger();
        QCOMPARE(window.findChildren<ScoreBoard *>().size(), 1);
        QCOMPARE(window.findChildren<MeldAuction *>().size(), 2);
        QCOMPARE(window.findChildren<RoundScoreBoard *>().size(), 1);
        for (MeldAuction *panel : window.findChildren<MeldAuction *>())
            QVERIFY(panel->isVisible());
        // Each press makes new ones; none talks to a server.
        samples->trigger();
        QCOMPARE(window.findChildren<MeldAuction *>().size(), 4);
        QVERIFY(window.connectionManager().host().isEmpty());
    }

    void addressesAndLinks_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("expected");
        QTest::newRow("placeholders") << "https://{host}/a?l={locale}&s={sku}&p={partnerId}" << QString()
                                      << "https://web.example/a?l=&s=Brisquel&p=2";
        QTest::newRow("fallback") << QString() << "http://{host}/support.html"
                                  << "http://web.example/support.html";
        QTest::newRow("case-sensitive") << "http://{HOST}/" << QString() << "http://{HOST}/";
    }

    void addressesAndLinks()
    {
        QFETCH(QString, url);
        QFETCH(QString, fallback);
        QFETCH(QString, expected);
        MainWindow window("127.0.0.1", 1, "ann", "pw", false, "web.example", nullptr);
        QCOMPARE(window.makeUrl(url, fallback), QUrl(expected));
    }

    void accountLinksAndPaths()
    {
        const QList<QPair<QString, int>> links = {{"/withdraw", MainWindow::Withdraw},
                                                  {"", MainWindow::Deposit},
                                                  {"/nonsense", MainWindow::Deposit},
                                                  {"//change_password/x", MainWindow::ChangePassword}};
        for (const auto &link : links)
            QCOMPARE(MainWindow::accountActionFromLink(link.first), link.second);
        QCOMPARE(MainWindow::accountActionName(MainWindow::HandHistory), QStringLiteral("HAND_HISTORY"));
        QVERIFY(MainWindow::accountActionName(7).isEmpty());
        QCOMPARE(MainWindow::tableIdFromPath(QStringLiteral("101/Practice/4711")), 4711);
        QCOMPARE(MainWindow::tableIdFromPath(QStringLiteral("101/Practice")), -1);
    }

    void closingAsksOnce()
    {
        MainWindow window("127.0.0.1", 1, "ann", "pw", false, "web.example", nullptr);
        window.show();
        // The title bar's close and the Quit button ask the same one question.
        QVERIFY(!window.close());
        window.view().quitButton->click();
        QList<QMessageBox *> questions = window.findChildren<QMessageBox *>();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions.first()->windowTitle(), QStringLiteral("Quit"));
        QVERIFY(!window.view().quitButton->isEnabled());
        questions.first()->button(QMessageBox::No)->click();
        QTRY_VERIFY(window.view().quitButton->isEnabled());
        QVERIFY(window.isVisible());

        // Yes ends the event loop (code 0); 99 would be an answer ignored.
        window.view().quitButton->click();
        QMessageBox *question = nullptr;
        for (QMessageBox *box : window.findChildren<QMessageBox *>())
            if (box->isVisible())
                question = box;
        QVERIFY(question);
        QEventLoop loop;
        QTimer::singleShot(0, question->button(QMessageBox::Yes), &QAbstractButton::click);
        QTimer::singleShot(10000, &loop, [&loop] { loop.exit(99); });
        QCOMPARE(loop.exec(), 0);
    }

    void unknownRefusalCodes()
    {
        for (qint32 status : {0, 1, 9, -1})
            QCOMPARE(MainWindow::loginFailureText(status), QStringLiteral("Unknown login failure!"));
        // The server may send reasons this client does not know.
        QVERIFY(MainWindow::joinFailureText(join_failed_reason::enum_t(42)).isEmpty());
    }
};

QTEST_MAIN(MainWindowFrameTest)
#include "tst_mainwindow_frame.moc"
