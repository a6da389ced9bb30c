// What another player can send the whole window through an ordinary XMPP
// server: stanzas past the reader's bounds, in the lobby room (live and in
// the history the room gives a later joiner) and to the player alone. Each
// is refused alone; the session and the lobby chat go on. The scripted game
// server logs the player in and names the private XMPP server.
#include "FormLogin.h"
#include "RawXmppSession.h"
#include "XmppTestServer.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "social/ChatController.h"
#include "social/ChatOutputWidget.h"
#include "social/ConferenceWidget.h"
#include "xmpp/client/XMPPConference.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// 65 levels with the message: one past the reader's depth bound, 1.5 KB.
QByteArray nestedTooDeep(const QString &to, const QByteArray &type)
{
    return "<message to='" + to.toUtf8() + "' type='" + type + "'><body>nested too deep</body>"
           + "<a xmlns='urn:example:deep'>" + QByteArray("<a>").repeated(63) + QByteArray("</a>").repeated(64)
           + "</message>";
}

// 23,000 attributes in 240 KB, which the server passes: the XML reader would
// spend seconds on the one start tag.
QByteArray manyAttributes(const QString &to, const QByteArray &type)
{
    QByteArray xml = "<message to='" + to.toUtf8() + "' type='" + type + "'";
    for (int i = 0; i < 23000; ++i)
        xml += " a" + QByteArray::number(i) + "=''";
    return xml + "><body>many attributes</body></message>";
}

QByteArray roomMessage(const QString &room, const QByteArray &body)
{
    return "<message to='" + room.toUtf8() + "' type='groupchat'><body>" + body + "</body></message>";
}

} // namespace

class TestMainwindowXmppStanzas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void stanzasPastTheBoundsCostOnlyThemselves();

private:
    XmppTestServer m_xmpp;
};

void TestMainwindowXmppStanzas::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-stanzas-test"));
    QVERIFY2(m_xmpp.load(), qPrintable(m_xmpp.error()));
    m_xmpp.trust();
    PeerProcess::installTestCa();
}

void TestMainwindowXmppStanzas::stanzasPastTheBoundsCostOnlyThemselves()
{
    const QString room = QStringLiteral("lobby-bounds@conference.localhost");
    RawXmppSession other;
    QVERIFY2(other.logIn(m_xmpp.host(), m_xmpp.port(), QStringLiteral("1302"), m_xmpp.password(QStringLiteral("1302"))),
             qPrintable(other.error()));
    QVERIFY(other.joinRoom(room, QStringLiteral("Mallory")));
    // Said before the player comes: the room's history gives it to him.
    other.send(nestedTooDeep(room, "groupchat") + manyAttributes(room, "groupchat")
               + roomMessage(room, "before you came"));
    QVERIFY(other.waitFor("before you came"));

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("config.json")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "%2", "searchService": ""}}]})")
                   .arg(m_xmpp.port())
                   .arg(room)
                   .toUtf8());
    file.close();
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), QStringLiteral("ann:secret:1301:Ann"),
                         QStringLiteral("--scenario"), file.fileName()}),
             qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    XMPPClient &xmpp = window.xmppClient();
    QSignalSpy disconnected(&xmpp, &XMPPClient::disconnected);
    QSignalSpy errors(&xmpp, &XMPPClient::xmppError);
    QVERIFY(logInWithTheForm(window));
    QTRY_COMPARE_WITH_TIMEOUT(xmpp.state(), int(XMPPClient::ConnectedState), 15000);
    ConferenceWidget *lobby = window.view().lobbyChat;
    auto *log = lobby->findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"));
    QVERIFY(log);
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(QStringLiteral("Mallory: before you came")), 20000);
    QVERIFY(lobby->conference().isJoined());

    // The same, said in the room and to the player alone while he is there.
    const QString player = xmpp.jid().text();
    other.send(nestedTooDeep(room, "groupchat") + manyAttributes(room, "groupchat") + nestedTooDeep(player, "chat")
               + manyAttributes(player, "chat") + roomMessage(room, "still here"));
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(QStringLiteral("Mallory: still here")), 20000);
    QCOMPARE(xmpp.state(), int(XMPPClient::ConnectedState));
    QVERIFY(lobby->conference().isJoined());
    QVERIFY(disconnected.isEmpty());
    QVERIFY(errors.isEmpty());
    QVERIFY(!log->toPlainText().contains(QStringLiteral("nested too deep")));
    QVERIFY(!log->toPlainText().contains(QStringLiteral("many attributes")));
}

QTEST_MAIN(TestMainwindowXmppStanzas)
#include "tst_mainwindow_xmpp_stanzas.moc"
