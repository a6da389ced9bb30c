// The chat panes and the table's side bar against the private XMPP server
// when things go wrong: a room left on purpose, a stream the server drops,
// and a table chat wanted before the XMPP session or the conference service
// is there.
#include "LiveSession.h"

#include "game/GameModel.h"
#include "protocol/ConnectionManager.h"
#include "social/ChatController.h"
#include "social/ChatOutputWidget.h"
#include "social/ConferenceWidget.h"
#include "social/PlayerDb.h"
#include "table/SideBar.h"

#include <QLineEdit>

#include <memory>

namespace {

const XMPPJid conferenceService(QStringLiteral("conference.localhost"));

// One player: an XMPP client (logged in or not), the directory and the
// chat controller that the panes share.
struct Player
{
    QString user;
    XMPPClient client;
    ConnectionManager session;
    std::unique_ptr<PlayerDb> db;
    std::unique_ptr<ChatController> chat;

    Player(const QString &user, const QString &nick)
        : user(user)
        , db(std::make_unique<PlayerDb>(&session, &client, nullptr))
        , chat(std::make_unique<ChatController>(db.get(), &client))
    {
        db->setOwnPlayer(user.toInt(), nick);
    }

    bool login(const XmppTestServer &server)
    {
        QSignalSpy connected(&client, &XMPPClient::connected);
        client.authenticate(user, server.password(user));
        client.connectToHost(server.host(), server.port(), XMPPClient::TlsRequired);
        return connected.wait(10000);
    }

    std::unique_ptr<ConferenceWidget> pane(int mask)
    {
        auto pane = std::make_unique<ConferenceWidget>(nullptr, 0);
        pane->setChatController(chat.get());
        pane->setNoticeMask(mask);
        return pane;
    }
};

QLineEdit *input(ConferenceWidget &pane)
{
    return pane.findChild<QLineEdit *>(QStringLiteral("chatInput"));
}

QStringList lines(ConferenceWidget &pane)
{
    return pane.findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"))->toPlainText().split(QLatin1Char('\n'));
}

bool waitFor(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, 10000);
}

} // namespace

class TestTableChatLive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void leavingIsReported();
    void droppedStreamDisablesTheInput();
    void sideBarJoinsOnceItCan();

private:
    // Has the test component end the user's streams; true when it did.
    bool dropStreams(const QString &user);

    XmppTestServer m_server;
    std::unique_ptr<XMPPClient> m_operator;
};

void TestTableChatLive::initTestCase()
{
    if (!m_server.load())
        QFAIL(qPrintable(m_server.error()));
    m_server.trust();
    m_operator = live::login(m_server, QStringLiteral("6114"));
    QVERIFY(m_operator);
}

bool TestTableChatLive::dropStreams(const QString &user)
{
    const XMPPJid component(QStringLiteral("search.localhost"));
    QSignalSpy messages(m_operator.get(), &XMPPClient::messageReceived);
    XMPPMessage message(component, XMPPMessage::Chat);
    message.setBody(QStringLiteral("drop ") + user);
    m_operator->sendMessage(message);
    const int at = live::waitFor(
        messages, [&](const QList<QVariant> &args) { return args.at(0).value<XMPPMessage>().from() == component; });
    return at >= 0 && messages.at(at).at(0).value<XMPPMessage>().body().startsWith(QLatin1String("dropped 1"));
}

// The room confirms a deliberate departure: the pane reports it and closes
// the input; leaving and entering again at once ends inside the room.
void TestTableChatLive::leavingIsReported()
{
    Player ann(QStringLiteral("6111"), QStringLiteral("Ann"));
    Player ben(QStringLiteral("6112"), QStringLiteral("Ben"));
    QVERIFY(ann.login(m_server) && ben.login(m_server));
    ann.chat->setConferenceService(conferenceService);
    ben.chat->setConferenceService(conferenceService);
    auto annPane = ann.pane(0);
    auto benPane = ben.pane(11);
    annPane->joinTableChat(811);
    benPane->joinTableChat(811);
    QVERIFY(waitFor([&] { return annPane->conference().isJoined() && benPane->conference().isJoined(); }));
    QVERIFY(input(*annPane)->isEnabled());

    QSignalSpy annLeft(&annPane->conference(), &XMPPConference::userLeft);
    QSignalSpy benSawLeave(&benPane->conference(), &XMPPConference::participantLeft);
    annPane->leave();
    QVERIFY(annLeft.wait(10000));
    QVERIFY(waitFor([&] { return benSawLeave.size() == 1; }));
    QVERIFY(!input(*annPane)->isEnabled());
    QCOMPARE(lines(*annPane).last(), QStringLiteral("Ann left the chat"));

    // Out and in again before the room answers either: the departure is
    // reported, then the entry, and the pane is in the room.
    QSignalSpy annJoined(&annPane->conference(), &XMPPConference::userJoined);
    annPane->joinTableChat(811);
    QVERIFY(annJoined.wait(10000));
    annLeft.clear();
    annJoined.clear();
    annPane->leave();
    annPane->joinTableChat(811);
    QVERIFY(waitFor([&] { return annLeft.size() == 1 && annJoined.size() == 1; }));
    QVERIFY(annPane->conference().isJoined());
    QVERIFY(input(*annPane)->isEnabled());
    QTest::qWait(200);
    QCOMPARE(annLeft.size(), 1);
    QCOMPARE(annJoined.size(), 1);
}

// The server ends the stream: the input closes with a notice and keeps
// what was typed; the next join opens it again.
void TestTableChatLive::droppedStreamDisablesTheInput()
{
    Player cat(QStringLiteral("6113"), QStringLiteral("Cat"));
    QVERIFY(cat.login(m_server));
    cat.chat->setConferenceService(conferenceService);
    auto pane = cat.pane(11);
    pane->joinTableChat(812);
    QVERIFY(waitFor([&] { return pane->conference().isJoined(); }));
    QVERIFY(input(*pane)->isEnabled());
    input(*pane)->setText(QStringLiteral("typed while it drops"));

    QVERIFY(dropStreams(QStringLiteral("6113")));
    QVERIFY(waitFor([&] { return cat.client.state() == XMPPClient::UnconnectedState; }));
    QVERIFY(!input(*pane)->isEnabled());
    QCOMPARE(lines(*pane).last(), QStringLiteral("The chat connection was lost"));
    QCOMPARE(input(*pane)->text(), QStringLiteral("typed while it drops"));

    QVERIFY(cat.login(m_server));
    pane->join();
    QVERIFY(waitFor([&] { return input(*pane)->isEnabled(); }));
    QVERIFY(pane->conference().isJoined());
    // One notice per loss.
    QCOMPARE(lines(*pane).filter(QStringLiteral("connection was lost")).size(), 1);
}

// The side bar asks for its table's chat before the XMPP session is up and
// before the conference service is known; it enters once both are there,
// stays in the room through clear(), and enters again after a lost stream.
void TestTableChatLive::sideBarJoinsOnceItCan()
{
    Player dan(QStringLiteral("6115"), QStringLiteral("Dan"));
    SideBar sideBar(nullptr);
    sideBar.setChatController(dan.chat.get());
    GameModel model(813, TableInfo(813, QStringLiteral("101/Practice")), 6115, QStringLiteral("Dan"));
    sideBar.setModel(&model);
    ConferenceWidget *pane = sideBar.conference();

    sideBar.setChatJoined(true);
    QVERIFY(!pane->conference().isJoined() && !pane->conference().isEntering());
    QVERIFY(dan.login(m_server));
    QTest::qWait(100);
    QVERIFY(!pane->conference().isJoined() && !pane->conference().isEntering());

    dan.chat->setConferenceService(conferenceService);
    QVERIFY(waitFor([&] { return pane->conference().isJoined(); }));
    QCOMPARE(pane->conference().roomJid(), XMPPJid(conferenceService.text(), QStringLiteral("table-813")));
    QVERIFY(input(*pane)->isEnabled());

    // Cleared and asked again: still the one entry, no second one.
    QSignalSpy joins(&pane->conference(), &XMPPConference::userJoined);
    sideBar.clear();
    sideBar.setChatJoined(true);
    QTest::qWait(200);
    QCOMPARE(joins.size(), 0);
    QVERIFY(pane->conference().isJoined());

    QVERIFY(dropStreams(QStringLiteral("6115")));
    QVERIFY(waitFor([&] { return !input(*pane)->isEnabled(); }));
    QVERIFY(dan.login(m_server));
    QVERIFY(waitFor([&] { return pane->conference().isJoined(); }));
    QVERIFY(input(*pane)->isEnabled());

    // Left on purpose, it stays out after the next reconnect.
    sideBar.setChatJoined(false);
    QVERIFY(waitFor([&] { return !input(*pane)->isEnabled(); }));
    QVERIFY(dropStreams(QStringLiteral("6115")));
    QVERIFY(waitFor([&] { return dan.client.state() == XMPPClient::UnconnectedState; }));
    QVERIFY(dan.login(m_server));
    QTest::qWait(300);
    QVERIFY(!pane->conference().isJoined() && !pane->conference().isEntering());
}

QTEST_MAIN(TestTableChatLive)
#include "tst_table_chat_live.moc"
