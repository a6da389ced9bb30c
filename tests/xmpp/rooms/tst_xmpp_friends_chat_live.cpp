// Two players, each with a roster model and a chat room, used the way the
// friends list and the chat panes use them: befriend, see each other come
// and go, talk in the lobby room, and lose the session.

#include "LiveSession.h"

#include "xmpp/client/XMPPConference.h"
#include "xmpp/client/XMPPRosterModel.h"

#include <QtTest>

class TestXmppFriendsChatLive : public QObject
{
    Q_OBJECT

private slots:
    void friendsAndLobbyChat();
};

namespace {

struct Player
{
    std::unique_ptr<XMPPClient> client;
    std::unique_ptr<XMPPRosterModel> roster;
    std::unique_ptr<XMPPConference> lobby;
};

bool start(Player &player, const XmppTestServer &server, const QString &user)
{
    // The main window keeps the model from before the session starts.
    player.client = std::make_unique<XMPPClient>();
    player.roster = std::make_unique<XMPPRosterModel>(player.client.get());
    QSignalSpy resets(player.client.get(), &XMPPClient::rosterReset);
    QSignalSpy connected(player.client.get(), &XMPPClient::connected);
    player.client->authenticate(user, server.password(user));
    player.client->connectToHost(server.host(), server.port(), XMPPClient::TlsRequired);
    if (!connected.wait(10000) || !(resets.size() > 0 || resets.wait(10000)))
        return false;
    player.lobby = std::make_unique<XMPPConference>();
    player.lobby->setClient(player.client.get());
    player.lobby->setRoomJid(XMPPJid(QStringLiteral("conference.localhost"), QStringLiteral("lobby-friends")));
    return true;
}

int availabilityOf(const XMPPRosterModel &model, const XMPPJid &jid)
{
    const XMPPRosterItem *item = model.findItem(jid);
    return item ? item->availability() : -1;
}

} // namespace

void TestXmppFriendsChatLive::friendsAndLobbyChat()
{
    XmppTestServer server;
    QVERIFY2(server.load(), qPrintable(server.error()));
    server.trust();
    const XMPPJid annJid = live::bareJid(server, QStringLiteral("5001"));
    const XMPPJid benJid = live::bareJid(server, QStringLiteral("5002"));

    Player ann;
    Player ben;
    QVERIFY(start(ann, server, QStringLiteral("5001")));
    QVERIFY(start(ben, server, QStringLiteral("5002")));

    // Ann adds Ben as a friend and asks for his presence; Ben's model
    // accepts, so Ann sees him online.
    ann.client->updateRosterItem(benJid, false, QStringLiteral("Ben"), QString());
    ann.client->requestSubscription(benJid, false);
    QTRY_COMPARE_WITH_TIMEOUT(availabilityOf(*ann.roster, benJid), int(XMPPPresence::Available), 10000);
    QVERIFY(ann.roster->findItem(benJid)->flags & 1);
    QCOMPARE(ann.roster->findItem(benJid)->name, QStringLiteral("Ben"));
    // Ben's roster got Ann as someone who sees him.
    QTRY_VERIFY_WITH_TIMEOUT(ben.roster->findItem(annJid) && (ben.roster->findItem(annJid)->flags & 2), 10000);

    // Ben sits down at a table: Ann's row shows where.
    const QString table = QStringLiteral("/classic/4");
    ben.client->addTablePath(table);
    QTRY_VERIFY_WITH_TIMEOUT(ann.roster->findItem(benJid)->bestPresence()
                                 && ann.roster->findItem(benJid)->bestPresence()->tables().contains(table),
                             10000);

    // Both talk in the lobby room.
    QSignalSpy annJoined(ann.lobby.get(), &XMPPConference::userJoined);
    QSignalSpy benJoined(ben.lobby.get(), &XMPPConference::userJoined);
    QSignalSpy annSeesJoin(ann.lobby.get(), &XMPPConference::participantJoined);
    QSignalSpy annSeesLeave(ann.lobby.get(), &XMPPConference::participantLeft);
    QSignalSpy annMessages(ann.lobby.get(), &XMPPConference::message);
    QSignalSpy benMessages(ben.lobby.get(), &XMPPConference::message);
    ann.lobby->join(QStringLiteral("Ann"));
    QVERIFY(annJoined.wait(10000));
    ben.lobby->join(QStringLiteral("Ben"));
    QVERIFY(benJoined.wait(10000));
    QVERIFY(live::waitFor(annSeesJoin,
                          [](const QList<QVariant> &args) { return args.at(1).toString() == QLatin1String("Ben"); })
            >= 0);
    ann.lobby->sendMessage(QStringLiteral("Fancy a game, Ben?"));
    QVERIFY(live::waitFor(
                benMessages,
                [](const QList<QVariant> &args) {
        const auto m = args.at(0).value<XMPPMessage>();
        return m.body() == QLatin1String("Fancy a game, Ben?") && m.from().resource() == QLatin1String("Ann");
                })
            >= 0);
    ben.lobby->sendMessage(QStringLiteral("Sure, table 4."));
    QVERIFY(live::waitFor(
                annMessages,
                [](const QList<QVariant> &args) {
        return args.at(0).value<XMPPMessage>().body() == QLatin1String("Sure, table 4.");
                })
            >= 0);
    // Room presences are not roster presences: the row still has the table.
    QCOMPARE(ann.roster->findItem(benJid)->presences.size(), 1);
    QVERIFY(ann.roster->findItem(benJid)->bestPresence()->tables().contains(table));

    // Ben's session ends: he leaves the room and goes offline for Ann.
    ben.lobby.reset();
    ben.client->disconnectFromHost();
    QVERIFY(live::waitFor(annSeesLeave,
                          [](const QList<QVariant> &args) { return args.at(1).toString() == QLatin1String("Ben"); })
            >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(availabilityOf(*ann.roster, benJid), int(XMPPPresence::Unavailable), 10000);
    QCOMPARE(ann.roster->rowCount(), 1);

    // Ben comes back; Ann's model shows him again.
    QVERIFY(start(ben, server, QStringLiteral("5002")));
    QTRY_COMPARE_WITH_TIMEOUT(availabilityOf(*ann.roster, benJid), int(XMPPPresence::Available), 10000);
    QVERIFY(ben.roster->findItem(annJid));

    // Ann's own session drops: her model forgets who was online, keeps rows.
    QSignalSpy annDisconnected(ann.client.get(), &XMPPClient::disconnected);
    ann.client->disconnectFromHost();
    QVERIFY(annDisconnected.wait(10000));
    QCOMPARE(availabilityOf(*ann.roster, benJid), int(XMPPPresence::Unavailable));
    QCOMPARE(ann.roster->rowCount(), 1);
    QVERIFY(!ann.lobby->isJoined());
}

QTEST_MAIN(TestXmppFriendsChatLive)
#include "tst_xmpp_friends_chat_live.moc"
