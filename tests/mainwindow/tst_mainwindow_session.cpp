// The whole main window against the scripted game server and the private
// XMPP server: the client configuration starts the XMPP session and the
// lobby chat; the login sends the machine id; invitations wait for the
// inviter's name and are throttled per inviter.
#include "XmppTestServer.h"
#include "mainwindow/LoginWindow.h"
#include "FormLogin.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "social/ChatController.h"
#include "social/ConferenceWidget.h"
#include "social/FriendsWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

class TestMainwindowSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sessionsAndInvitations();
    void lobbyChatWithoutAListedRoom();
    void lobbyChatUnderTheRoomsNick_data();
    void lobbyChatUnderTheRoomsNick();

private:
    XmppTestServer m_xmpp;
};

void TestMainwindowSession::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-session-test"));
    QVERIFY2(m_xmpp.load(), qPrintable(m_xmpp.error()));
    m_xmpp.trust();
    PeerProcess::installTestCa();
}

static QList<QMessageBox *> boxes(MainWindow &window, const QString &title)
{
    QList<QMessageBox *> found;
    for (QMessageBox *box : window.findChildren<QMessageBox *>()) {
        if (box->windowTitle() == title && box->isVisible())
            found << box;
    }
    return found;
}

void TestMainwindowSession::sessionsAndInvitations()
{
    // After the login: the configuration, then two invitations by Bob, whose
    // name the client has not heard yet, and one for a table it does not know.
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("session.json"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "lobby@conference.localhost", "searchService": ""}},
        {"wait_ms": 1500},
        {"send": "notify_invited", "fields": {"tableId": 1001, "inviterId": 1002, "kind": 0}},
        {"send": "notify_invited", "fields": {"tableId": 4711, "inviterId": 1003, "kind": 0}},
        {"wait_ms": 500},
        {"send": "notify_invited", "fields": {"tableId": 1002, "inviterId": 1002, "kind": 0}}]})")
                   .arg(m_xmpp.port())
                   .toUtf8());
    file.close();
    PeerProcess peer;
    QVERIFY2(
        peer.start({QStringLiteral("--account"), QStringLiteral("ann:secret:1001:Ann"), QStringLiteral("--account"),
                    QStringLiteral("bob:secret:1002:Bob"), QStringLiteral("--account"),
                    QStringLiteral("cy:secret:1003:Cy"), QStringLiteral("--scenario"), scenario}),
        qPrintable(peer.errorString()));

    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    // The command line's credentials fill in the form; the player logs in.
    QVERIFY(logInWithTheForm(window));

    // The XMPP login is the player id with the credential of the login answer.
    QTRY_COMPARE_WITH_TIMEOUT(window.xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QCOMPARE(window.clientConfig().lobbyRoom(), QStringLiteral("lobby@conference.localhost"));
    QTRY_COMPARE_WITH_TIMEOUT(window.chatController().lobbyRoom().node(), QStringLiteral("lobby"), 10000);
    QVERIFY(!peer.linesStartingWith("RECV service_request").filter("log_client_uuid").isEmpty());
    QVERIFY(!peer.linesStartingWith("RECV query_client_config").isEmpty());
    QVERIFY(!peer.linesStartingWith("RECV query_account_balance").isEmpty());

    // Bob's first invitation is shown once his name is there; the second
    // within ten minutes and the one for an unknown table are not.
    QTRY_COMPARE_WITH_TIMEOUT(boxes(window, QStringLiteral("Table invitation")).size(), 1, 10000);
    QVERIFY(boxes(window, QStringLiteral("Table invitation")).first()->text().startsWith(QStringLiteral("Bob has")));
    QTest::qWait(1500);
    QCOMPARE(boxes(window, QStringLiteral("Table invitation")).size(), 1);

    // Yes joins the table of the invitation.
    boxes(window, QStringLiteral("Table invitation")).first()->button(QMessageBox::Yes)->click();
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV join_table")).isNull());
    QVERIFY(peer.linesStartingWith("RECV join_table").value(0).contains("1001"));
}

void TestMainwindowSession::lobbyChatWithoutAListedRoom()
{
    // The configuration names the conference service but no lobby room, and
    // nobody is in any room, so the service lists none.
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("no-lobby.json"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "", "searchService": ""}}]})")
                   .arg(m_xmpp.port())
                   .toUtf8());
    file.close();
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), QStringLiteral("cy:secret:1003:Cy"), QStringLiteral("--scenario"),
                         scenario}),
             qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("cy"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    QTRY_COMPARE_WITH_TIMEOUT(window.xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QVERIFY(window.clientConfig().lobbyRoom().isEmpty());

    // The service's own lobby room is entered: the player can write there.
    QTRY_COMPARE_WITH_TIMEOUT(window.chatController().lobbyRoom().text(), QStringLiteral("lobby@conference.localhost"),
                              10000);
    auto *input = window.view().lobbyChat->findChild<QWidget *>(QStringLiteral("chatInput"));
    QVERIFY(input);
    QTRY_VERIFY_WITH_TIMEOUT(input->isEnabled(), 10000);
}

void TestMainwindowSession::lobbyChatUnderTheRoomsNick_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("roomNick");
    // The room normalises nicks: halfwidth kana become fullwidth, fullwidth
    // letters plain ones.
    QTest::newRow("halfwidth katakana") << QStringLiteral("dan:secret:1004:ｱﾝｼ") << QStringLiteral("アンシ");
    QTest::newRow("fullwidth latin") << QStringLiteral("eve:secret:1005:Ｂｏｂ") << QStringLiteral("Bob");
}

void TestMainwindowSession::lobbyChatUnderTheRoomsNick()
{
    QFETCH(QString, account);
    QFETCH(QString, roomNick);
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("nick.json"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "lobby-nicks@conference.localhost", "searchService": ""}}]})")
                   .arg(m_xmpp.port())
                   .toUtf8());
    file.close();
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), account, QStringLiteral("--scenario"), scenario}),
             qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), account.section(QLatin1Char(':'), 0, 0),
                      QStringLiteral("secret"), true, QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    QTRY_COMPARE_WITH_TIMEOUT(window.xmppClient().state(), int(XMPPClient::ConnectedState), 15000);

    // The room seats the player under its own spelling of the name: the
    // player is in, and writes under that nick.
    ConferenceWidget *lobby = window.view().lobbyChat;
    auto *input = lobby->findChild<QLineEdit *>(QStringLiteral("chatInput"));
    QVERIFY(input);
    QTRY_VERIFY_WITH_TIMEOUT(lobby->conference().isJoined(), 10000);
    QVERIFY(input->isEnabled());
    QCOMPARE(lobby->conference().nick(), roomNick);
    input->setText(QStringLiteral("hello"));
    QTest::keyClick(input, Qt::Key_Return);
    auto *log = lobby->findChild<QTextEdit *>(QStringLiteral("chatOutput"));
    QVERIFY(log);
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(roomNick + QStringLiteral(": hello")), 10000);

    // The player's menu on that nick knows who it is.
    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<FriendsWindow *>(), 15000);
    emit lobby->userMenuRequested(roomNick, QPoint(10, 10));
    const auto userMenu = [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *menu = qobject_cast<QMenu *>(widget);
            if (menu && menu->isVisible())
                return menu;
        }
        return static_cast<QMenu *>(nullptr);
    };
    QTRY_VERIFY_WITH_TIMEOUT(userMenu(), 10000);
    QCOMPARE(userMenu()->actions().value(0)->text(), QStringLiteral("This is you"));
    userMenu()->close();
}

QTEST_MAIN(TestMainwindowSession)
#include "tst_mainwindow_session.moc"
