// Two players chatting through the chat panes against the private XMPP
// server: the lobby room and a table room, the room's history with its
// stamps, notices under the notice mask, a kick with its reason, markup in
// a nick and in a message shown as text, no send while the stream ends, and
// a player renamed by the room chatting on.
#include "LiveSession.h"

#include "protocol/ConnectionManager.h"
#include "protocol/ServerTime.h"
#include "social/ChatController.h"
#include "social/ChatOutputWidget.h"
#include "social/ConferenceWidget.h"
#include "social/PlayerDb.h"
#include "widgets/Utils.h"

#include <QLineEdit>

#include <memory>

namespace {
// One player: a session on the XMPP server, the directory and the panes.
struct Player
{
    std::unique_ptr<XMPPClient> client;
    ConnectionManager session;
    std::unique_ptr<PlayerDb> db;
    std::unique_ptr<ChatController> controller;

    std::unique_ptr<ConferenceWidget> pane(int mask)
    {
        auto pane = std::make_unique<ConferenceWidget>(nullptr, 0);
        pane->setChatController(controller.get());
        pane->setNoticeMask(mask);
        return pane;
    }
};

ChatOutputWidget *log(ConferenceWidget &pane)
{
    return pane.findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"));
}

QLineEdit *input(ConferenceWidget &pane)
{
    return pane.findChild<QLineEdit *>(QStringLiteral("chatInput"));
}

QStringList lines(ConferenceWidget &pane)
{
    return log(pane)->toPlainText().split(QLatin1Char('\n'));
}

bool waitForLine(ConferenceWidget &pane, const QString &line)
{
    return QTest::qWaitFor([&] { return lines(pane).contains(line); }, 10000);
}

bool joined(ConferenceWidget &pane)
{
    return QTest::qWaitFor([&] { return pane.conference().isJoined(); }, 10000);
}

void say(ConferenceWidget &pane, const QString &text)
{
    input(pane)->setText(text);
    QTest::keyClick(input(pane), Qt::Key_Return);
}
} // namespace

class TestConferenceLive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lobbyAndTableChat();
    void renamedByTheRoom();

private:
    std::unique_ptr<Player> player(const QString &user, const QString &nick);
    QString fixtureCommand(XMPPClient *client, const QString &command);

    XmppTestServer m_server;
    const XMPPJid m_searchService{QStringLiteral("search.localhost")};
};

void TestConferenceLive::initTestCase()
{
    if (!m_server.load())
        QFAIL(qPrintable(m_server.error()));
    m_server.trust();
}

std::unique_ptr<Player> TestConferenceLive::player(const QString &user, const QString &nick)
{
    auto p = std::make_unique<Player>();
    p->client = live::login(m_server, user);
    if (!p->client)
        return nullptr;
    p->db = std::make_unique<PlayerDb>(&p->session, p->client.get(), nullptr);
    p->db->setOwnPlayer(user.toInt(), nick);
    p->controller = std::make_unique<ChatController>(p->db.get(), p->client.get());
    p->controller->setConferenceService(XMPPJid(QStringLiteral("conference.localhost")));
    p->controller->setLobbyRoom(XMPPJid(QStringLiteral("conference.localhost"), QStringLiteral("lobby-social")));
    return p;
}

// Asks the server's test component to do something; returns its answer.
QString TestConferenceLive::fixtureCommand(XMPPClient *client, const QString &command)
{
    QSignalSpy messages(client, &XMPPClient::messageReceived);
    XMPPMessage message(m_searchService, XMPPMessage::Chat);
    message.setBody(command);
    client->sendMessage(message);
    const int at = live::waitFor(messages, [&](const QList<QVariant> &args) {
        return args.at(0).value<XMPPMessage>().from() == m_searchService;
    });
    return at < 0 ? QString() : messages.at(at).at(0).value<XMPPMessage>().body();
}

void TestConferenceLive::lobbyAndTableChat()
{
    const QString bobNick = QStringLiteral("<i>Bob</i>&co");
    auto alice = player(QStringLiteral("6101"), QStringLiteral("Alice"));
    auto bob = player(QStringLiteral("6102"), bobNick);
    QVERIFY(alice && bob);

    // Alice opens the lobby chat and talks before Bob comes.
    auto aliceLobby = alice->pane(0);
    aliceLobby->joinLobbyChat();
    QCOMPARE(aliceLobby->mode(), int(ConferenceWidget::LobbyMode));
    QVERIFY(joined(*aliceLobby));
    QVERIFY(input(*aliceLobby)->isEnabled());
    QVERIFY(waitForLine(*aliceLobby, QStringLiteral("Alice joined the chat")));
    say(*aliceLobby, QStringLiteral("first <b>"));
    QVERIFY(input(*aliceLobby)->text().isEmpty());
    QVERIFY(
        QTest::qWaitFor([&] { return lines(*aliceLobby).last().endsWith(QLatin1String(" Alice: first <b>")); }, 10000));

    // Bob comes later and gets the history with its own time stamp.
    auto bobLobby = bob->pane(0);
    QSignalSpy bobMessages(&bobLobby->conference(), &XMPPConference::message);
    bobLobby->joinLobbyChat();
    QVERIFY(joined(*bobLobby));
    QVERIFY(live::waitFor(bobMessages,
                          [](const QList<QVariant> &args) { return args.at(0).value<XMPPMessage>().hasDelay(); })
            >= 0);
    const QDateTime stamp = std::min(bobMessages.at(0).at(0).value<XMPPMessage>().delayStamp(),
                                     ServerTime::instance().now());
    QVERIFY(lines(*bobLobby).contains(QStringLiteral("(%1) Alice: first <b>").arg(Utils::localTimeString(stamp))));
    QVERIFY(waitForLine(*aliceLobby, bobNick + QStringLiteral(" joined the chat")));

    // Markup from a player is text on both sides.
    const QString markup = QStringLiteral("<img src=\"file:///etc/hostname\"> & <a href=\"x\">y</a>");
    say(*bobLobby, markup);
    for (ConferenceWidget *pane : {aliceLobby.get(), bobLobby.get()}) {
        QVERIFY(QTest::qWaitFor([&] { return lines(*pane).last().endsWith(bobNick + QStringLiteral(": ") + markup); },
                                10000));
        QVERIFY(!log(*pane)->toHtml().contains(QStringLiteral("<img")));
        // The room's subject and the like carry no body and make no line.
        for (const QString &line : lines(*pane))
            QVERIFY2(!line.isEmpty() && !line.endsWith(QLatin1String(": ")), qPrintable(line));
    }

    // The table room, as the side bar uses it: only the own kicks show.
    auto aliceTable = alice->pane(11);
    auto bobTable = bob->pane(11);
    aliceTable->joinTableChat(1001);
    bobTable->joinTableChat(1001);
    QCOMPARE(bobTable->conference().roomJid().text(), QStringLiteral("table-1001@conference.localhost"));
    QCOMPARE(bobTable->mode(), int(ConferenceWidget::TableMode));
    QVERIFY(joined(*aliceTable) && joined(*bobTable));
    say(*aliceTable, QStringLiteral("at the table"));
    QVERIFY(QTest::qWaitFor([&] { return lines(*bobTable).last().endsWith(QLatin1String(" Alice: at the table")); },
                            10000));
    QVERIFY(!log(*bobLobby)->toPlainText().contains(QStringLiteral("at the table")));

    QCOMPARE(fixtureCommand(alice->client.get(),
                            QStringLiteral("kick table-1001@conference.localhost/%1 too loud").arg(bobNick)),
             QStringLiteral("kicked"));
    QVERIFY(QTest::qWaitFor([&] { return !bobTable->conference().isJoined(); }, 10000));
    const QString kicked = lines(*bobTable).last();
    QVERIFY2(kicked.startsWith(bobNick + QStringLiteral(" has been kicked from the chat"))
                 && kicked.endsWith(QLatin1String("due to too loud")),
             qPrintable(kicked));
    QVERIFY(!input(*bobTable)->isEnabled());
    say(*aliceTable, QStringLiteral("after the kick"));
    QVERIFY(
        QTest::qWaitFor([&] { return lines(*aliceTable).last().endsWith(QLatin1String("after the kick")); }, 10000));
    // Alice's table pane shows none of the comings and goings.
    QVERIFY(!log(*aliceTable)->toPlainText().contains(QStringLiteral("the chat")));

    // Own kicks and bans in every form, with markup as text.
    const XMPPJid actor(QStringLiteral("localhost"), QStringLiteral("<b>boss</b>"));
    const QString reason = QStringLiteral("<img src=a>");
    struct Case
    {
        bool banned;
        bool withActor;
        bool withReason;
        QString text;
    };
    const QList<Case> cases{
        {false, false, false, QStringLiteral("Alice has been kicked from the chat")},
        {false, false, true, QStringLiteral("Alice has been kicked from the chat due to <img src=a>")},
        {false, true, false, QStringLiteral("Alice has been kicked from the chat by <b>boss</b>@localhost")},
        {true, true, true,
         QStringLiteral("Alice has been banned from the chat by <b>boss</b>@localhost due to <img src=a>")},
        {true, false, true, QStringLiteral("Alice has been banned from the chat due to <img src=a>")},
    };
    for (const Case &c : cases) {
        const XMPPJid by = c.withActor ? actor : XMPPJid();
        const QString why = c.withReason ? reason : QString();
        if (c.banned)
            aliceTable->onUserBanned(&aliceTable->conference(), by, why);
        else
            aliceTable->onUserKicked(&aliceTable->conference(), by, why);
        QCOMPARE(lines(*aliceTable).last(), c.text);
    }
    QVERIFY(!log(*aliceTable)->toHtml().contains(QStringLiteral("<img")));

    // While the stream closes the room still counts as joined; pressing
    // return must not write to it, and the text stays.
    QVERIFY(aliceLobby->conference().isJoined());
    input(*aliceLobby)->setText(QStringLiteral("too late"));
    alice->client->disconnectFromHost();
    QTest::keyClick(input(*aliceLobby), Qt::Key_Return);
    QCOMPARE(input(*aliceLobby)->text(), QStringLiteral("too late"));
    QVERIFY(QTest::qWaitFor([&] { return alice->client->state() == XMPPClient::UnconnectedState; }, 10000));
    // Joining without a session does nothing; the room and mode stay set.
    aliceLobby->joinLobbyChat();
    QVERIFY(!aliceLobby->conference().isJoined());
    QCOMPARE(aliceLobby->mode(), int(ConferenceWidget::LobbyMode));
}

void TestConferenceLive::renamedByTheRoom()
{
    auto alice = player(QStringLiteral("6101"), QStringLiteral("Alice"));
    auto bob = player(QStringLiteral("6102"), QStringLiteral("Bob"));
    QVERIFY(alice && bob);
    const XMPPJid room(QStringLiteral("conference.localhost"), QStringLiteral("lobby-rename"));
    alice->controller->setLobbyRoom(room);
    bob->controller->setLobbyRoom(room);
    // Alice's pane as the lobby shows it, Bob's with every notice.
    auto aliceLobby = alice->pane(11);
    auto bobLobby = bob->pane(0);
    aliceLobby->joinLobbyChat();
    QVERIFY(joined(*aliceLobby));
    bobLobby->joinLobbyChat();
    QVERIFY(joined(*bobLobby));

    // The room renames Alice as XEP-0045 has it: her nick leaves (303 and
    // 110, the new nick in the item), the occupants are listed again, and
    // she is back under the new nick (110).
    alice->client->joinRoom(room, QStringLiteral("Alicia"));
    QVERIFY(waitForLine(*bobLobby, QStringLiteral("Alicia joined the chat")));
    QTRY_COMPARE_WITH_TIMEOUT(aliceLobby->conference().nick(), QStringLiteral("Alicia"), 10000);
    QVERIFY(aliceLobby->conference().isJoined());
    QVERIFY(input(*aliceLobby)->isEnabled());
    QVERIFY(waitForLine(*aliceLobby, QStringLiteral("You now chat as Alicia in this room")));
    say(*aliceLobby, QStringLiteral("still here"));
    QVERIFY(
        QTest::qWaitFor([&] { return lines(*bobLobby).last().endsWith(QLatin1String(" Alicia: still here")); }, 10000));

    // Leaving leaves the room under the new nick.
    aliceLobby->leave();
    QVERIFY(waitForLine(*bobLobby, QStringLiteral("Alicia left the chat")));
    QVERIFY(QTest::qWaitFor([&] { return !input(*aliceLobby)->isEnabled(); }, 10000));
}

QTEST_MAIN(TestConferenceLive)
#include "tst_conference_live.moc"
