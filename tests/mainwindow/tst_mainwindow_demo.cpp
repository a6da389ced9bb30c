// The start page's quick-join buttons against the run command's demo server:
// the real window, the page's signal and the scripted game server.
#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/MainView.h"
#include "FormLogin.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "table/GameWindow.h"
#include "table/TableSelector.h"

#include <QApplication>
#include <QMessageBox>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

class TestMainwindowDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startPageButtonsSeatThePlayer_data();
    void startPageButtonsSeatThePlayer();
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

QTEST_MAIN(TestMainwindowDemo)
#include "tst_mainwindow_demo.moc"
