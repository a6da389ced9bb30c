// The social side through the whole main window, against the scripted game
// server and the private XMPP server: the table the player sits at reaches a
// friend's roster, and the table's chat, asked for while the XMPP session is
// not up yet, is entered once it is.
#include "FormLogin.h"
#include "LiveSession.h"

#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "social/ConferenceWidget.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/SideBar.h"
#include "xmpp/client/XMPPRosterModel.h"

#include <QApplication>
#include <QTemporaryDir>

class TestSocialMainWindowLive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void seatedTableIsPublishedAndItsChatEntered();

private:
    XmppTestServer m_server;
};

void TestSocialMainWindowLive::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-social-test"));
    QVERIFY2(m_server.load(), qPrintable(m_server.error()));
    m_server.trust();
    PeerProcess::installTestCa();
}

void TestSocialMainWindowLive::seatedTableIsPublishedAndItsChatEntered()
{
    // The XMPP server is named only after the player has joined a table and
    // taken the seat; the XMPP login is the player id with the credential of
    // the login answer ("cred-<id>").
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("social.json")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"expect": "join_table", "timeout_ms": 20000},
        {"send": "player_is_ready", "fields": {"tableId": "$table", "playerId": "$pid"}},
        {"wait_ms": 1500},
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "lobby-mainwindow@conference.localhost", "searchService": ""}},
        {"expect": "leave_table", "timeout_ms": 30000}]})")
                   .arg(m_server.port())
                   .toUtf8());
    file.close();
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), QStringLiteral("gil:secret:6118:Gil"),
                         QStringLiteral("--scenario"), file.fileName()}),
             qPrintable(peer.errorString()));
    auto friendClient = live::login(m_server, QStringLiteral("6119"));
    QVERIFY(friendClient);
    XMPPRosterModel friendRoster(friendClient.get());

    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("gil"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    QTRY_VERIFY_WITH_TIMEOUT(window.lobbyController() && window.lobbyController()->tableModel()->hasTable(1001), 15000);
    window.joinTable(1001);
    QTRY_VERIFY_WITH_TIMEOUT(window.gameController()->view(1001), 10000);
    GameWindow *table = window.gameController()->view(1001);
    XMPPConference &room = table->sideBar()->conference()->conference();
    QVERIFY(window.xmppClient().state() != XMPPClient::ConnectedState);
    QVERIFY(!room.isJoined() && !room.isEntering());

    QTRY_COMPARE_WITH_TIMEOUT(window.xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(room.isJoined(), 10000);
    QCOMPARE(room.roomJid(), XMPPJid(QStringLiteral("conference.localhost"), QStringLiteral("table-1001")));

    // A friend sees the table in the player's presence.
    const XMPPJid gil = live::bareJid(m_server, QStringLiteral("6118"));
    const auto gilTables = [&] {
        const XMPPRosterItem *item = friendRoster.findItem(gil);
        const XMPPPresence *presence = item && (item->flags & 1) ? item->bestPresence() : nullptr;
        return presence ? presence->tables() : QSet<QString>{QStringLiteral("<offline>")};
    };
    friendClient->requestSubscription(gil, false);
    QTRY_COMPARE_WITH_TIMEOUT(gilTables(), QSet<QString>{QStringLiteral("101/Practice/1001")}, 10000);

    // Leaving the table before the game takes it out of the presence.
    window.gameController()->onLeave(1001);
    QTRY_VERIFY_WITH_TIMEOUT(!window.gameController()->hasTable(1001), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(gilTables().isEmpty(), 10000);
}

QTEST_MAIN(TestSocialMainWindowLive)
#include "tst_social_mainwindow_live.moc"
