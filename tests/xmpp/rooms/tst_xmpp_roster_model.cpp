// XMPPRosterModel and XMPPConference fed directly with the signals the
// client would deliver (no session needed for their bookkeeping).

#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPConference.h"
#include "xmpp/client/XMPPRosterModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {

XMPPPresence presenceFrom(const QString &from, int type = xmpp::PresenceStanza::Available, int show = 0)
{
    xmpp::PresenceStanza stanza(XMPPJid(), type);
    stanza.from = XMPPJid(from);
    stanza.show = show;
    return XMPPPresence(stanza);
}

XMPPPresence roomPresence(const QString &from, int type, const QList<int> &codes, const QString &actor = QString(),
                          const QString &reason = QString())
{
    xmpp::PresenceStanza stanza(XMPPJid(), type);
    stanza.from = XMPPJid(from);
    stanza.hasMucUser = true;
    stanza.mucUser.statusCodes = codes;
    if (!actor.isEmpty())
        stanza.mucUser.actor = XMPPJid(actor);
    stanza.mucUser.reason = reason;
    return XMPPPresence(stanza);
}

XMPPPresence errorPresence(const QString &from, int errorType, int condition)
{
    xmpp::PresenceStanza stanza(XMPPJid(), xmpp::PresenceStanza::Error);
    stanza.from = XMPPJid(from);
    stanza.errorType = errorType;
    stanza.errorCondition = condition;
    return XMPPPresence(stanza);
}

XMPPMessage groupMessage(const QString &from, const QString &body, int type = XMPPMessage::GroupChat)
{
    XMPPMessage message(XMPPJid(), type);
    message.setFrom(XMPPJid(from));
    message.setBody(body);
    return message;
}

} // namespace

class TestXmppRosterModel : public QObject
{
    Q_OBJECT

private slots:
    void shapeAndLookups();
    void updatesAddChangeRemove();
    void presencesPerResource();
    void disconnectClearsPresences();
    void conferenceEvents();
    void conferenceErrorsAndRules();
};

void TestXmppRosterModel::shapeAndLookups()
{
    XMPPClient client;
    XMPPRosterModel model(&client);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.onRosterUpdate(XMPPJid(QStringLiteral("a@d/x")), 1, false, QStringLiteral("Ann"), QStringLiteral("g"));
    model.onRosterUpdate(XMPPJid(QStringLiteral("b@d")), 3, false, QString(), QString());

    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 1);
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    QVERIFY(!model.index(2, 0).isValid());
    QVERIFY(!model.index(0, 1).isValid());
    QVERIFY(!model.index(0, 0, model.index(1, 0)).isValid());
    QVERIFY(!model.parent(model.index(0, 0)).isValid());
    // The bare address is stored and shown; nothing else is a role.
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("a@d"));
    QVERIFY(!model.data(model.index(0, 0), Qt::UserRole).isValid());
    QVERIFY(!model.data(model.index(0, 0), Qt::ToolTipRole).isValid());
    QCOMPARE(model.item(model.index(1, 0))->flags, 3);
    QCOMPARE(model.findItem(XMPPJid(QStringLiteral("a@d/other")))->name, QStringLiteral("Ann"));
    QCOMPARE(model.findItem(XMPPJid(QStringLiteral("A@D/x")))->name, QStringLiteral("Ann"));
    QCOMPARE(model.indexOf(XMPPJid(QStringLiteral("b@d"))).row(), 1);
    QVERIFY(!model.indexOf(XMPPJid(QStringLiteral("c@d"))).isValid());
    QVERIFY(!model.item(QModelIndex()));
}

void TestXmppRosterModel::updatesAddChangeRemove()
{
    XMPPClient client;
    XMPPRosterModel model(&client);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    model.onRosterUpdate(XMPPJid(QStringLiteral("a@d")), 0, false, QStringLiteral("A"), QString());
    model.onRosterUpdate(XMPPJid(QStringLiteral("b@d")), 0, false, QStringLiteral("B"), QString());
    QCOMPARE(inserted.size(), 2);
    QCOMPARE(inserted.at(1).at(1).toInt(), 1);

    // An update through a full address changes the bare entry in place.
    model.onRosterUpdate(XMPPJid(QStringLiteral("a@d/x")), 5, false, QStringLiteral("A2"), QStringLiteral("G"));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(model.findItem(XMPPJid(QStringLiteral("a@d")))->flags, 5);
    QCOMPARE(model.findItem(XMPPJid(QStringLiteral("a@d")))->group, QStringLiteral("G"));

    // Removing an unknown address does nothing.
    model.onRosterUpdate(XMPPJid(QStringLiteral("z@d")), 0, true, QString(), QString());
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(removed.size(), 0);

    model.onRosterUpdate(XMPPJid(QStringLiteral("a@d")), 0, true, QString(), QString());
    QCOMPARE(removed.size(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("b@d"));
    // The rows behind a removed one are found at their new places.
    QCOMPARE(model.indexOf(XMPPJid(QStringLiteral("B@D/r"))).row(), 0);
    QVERIFY(!model.findItem(XMPPJid(QStringLiteral("a@d"))));
    model.onRosterUpdate(XMPPJid(QStringLiteral("a@d")), 1, false, QStringLiteral("A3"), QString());
    QCOMPARE(model.indexOf(XMPPJid(QStringLiteral("a@d"))).row(), 1);
    changed.clear();
    model.onPresence(presenceFrom(QStringLiteral("b@d/r")));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
    QVERIFY(model.findItem(XMPPJid(QStringLiteral("b@d")))->bestPresence());

    model.onRosterReset();
    QCOMPARE(reset.size(), 1);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.findItem(XMPPJid(QStringLiteral("b@d"))));
}

void TestXmppRosterModel::presencesPerResource()
{
    XMPPClient client;
    XMPPRosterModel model(&client);
    model.onRosterUpdate(XMPPJid(QStringLiteral("a@d")), 3, false, QString(), QString());
    const XMPPRosterItem *item = model.findItem(XMPPJid(QStringLiteral("a@d")));
    QCOMPARE(item->availability(), int(XMPPPresence::Unavailable));
    // Offline: no best presence at all, not a default one that would read
    // as available.
    QVERIFY(!item->bestPresence());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    // Strangers are ignored.
    model.onPresence(presenceFrom(QStringLiteral("x@d/r")));
    QCOMPARE(changed.size(), 0);

    // Away first, then available: the best is the available one, whatever
    // the order; of two equal ranks, the first resource wins.
    model.onPresence(
        presenceFrom(QStringLiteral("a@d/r2"), xmpp::PresenceStanza::Available, xmpp::PresenceStanza::Away));
    model.onPresence(presenceFrom(QStringLiteral("a@d/r1")));
    QCOMPARE(item->presences.size(), 2);
    QCOMPARE(item->availability(), int(XMPPPresence::Available));
    QCOMPARE(item->bestPresence()->from().resource(), QStringLiteral("r1"));
    model.onPresence(
        presenceFrom(QStringLiteral("a@d/r0"), xmpp::PresenceStanza::Available, xmpp::PresenceStanza::Away));
    QCOMPARE(item->bestPresence()->from().resource(), QStringLiteral("r1"));
    QCOMPARE(changed.size(), 3);

    // Unavailable for a resource never seen online: nothing happens.
    model.onPresence(presenceFrom(QStringLiteral("a@d/r9"), xmpp::PresenceStanza::Unavailable));
    QCOMPARE(changed.size(), 3);
    QCOMPARE(item->presences.size(), 3);

    // An error presence takes the resource offline.
    model.onPresence(errorPresence(QStringLiteral("a@d/r1"), 1, 19));
    QCOMPARE(changed.size(), 4);
    QVERIFY(!item->presences.contains(QStringLiteral("r1")));
    QCOMPARE(item->availability(), int(XMPPPresence::Away));
    model.onPresence(presenceFrom(QStringLiteral("a@d/r2"), xmpp::PresenceStanza::Unavailable));
    model.onPresence(presenceFrom(QStringLiteral("a@d/r0"), xmpp::PresenceStanza::Unavailable));
    QCOMPARE(item->availability(), int(XMPPPresence::Unavailable));
    QVERIFY(!item->bestPresence());

    // A presence without a resource is kept under the empty one.
    model.onPresence(presenceFrom(QStringLiteral("a@d")));
    QVERIFY(item->presences.contains(QString()));
}

void TestXmppRosterModel::disconnectClearsPresences()
{
    XMPPClient client;
    XMPPRosterModel model(&client);
    model.onRosterUpdate(XMPPJid(QStringLiteral("a@d")), 3, false, QString(), QString());
    model.onRosterUpdate(XMPPJid(QStringLiteral("b@d")), 3, false, QString(), QString());
    model.onPresence(presenceFrom(QStringLiteral("b@d/r")));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    emit client.disconnected();
    QCOMPARE(model.rowCount(), 2);
    QVERIFY(model.findItem(XMPPJid(QStringLiteral("b@d")))->presences.isEmpty());
    // Only the row that had someone online changes.
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
}

void TestXmppRosterModel::conferenceEvents()
{
    XMPPClient client;
    XMPPConference room;
    room.setClient(&client);
    room.setRoomJid(XMPPJid(QStringLiteral("r@c")));
    room.join(QStringLiteral("me"));
    QSignalSpy joined(&room, &XMPPConference::userJoined);
    QSignalSpy left(&room, &XMPPConference::userLeft);
    QSignalSpy userKicked(&room, &XMPPConference::userKicked);
    QSignalSpy userBanned(&room, &XMPPConference::userBanned);
    QSignalSpy others(&room, &XMPPConference::participantJoined);
    QSignalSpy othersLeft(&room, &XMPPConference::participantLeft);
    QSignalSpy kicked(&room, &XMPPConference::participantKicked);
    QSignalSpy banned(&room, &XMPPConference::participantBanned);
    QSignalSpy presences(&room, &XMPPConference::presence);

    // Other rooms and the room itself are no occupants.
    emit client.presence(presenceFrom(QStringLiteral("other@c/me")));
    emit client.presence(presenceFrom(QStringLiteral("r@c")));
    emit client.presence(presenceFrom(QStringLiteral("r@c/")));
    QCOMPARE(joined.size() + others.size(), 0);

    emit client.presence(roomPresence(QStringLiteral("r@c/me"), xmpp::PresenceStanza::Available, {110}));
    QCOMPARE(joined.size(), 1);
    QVERIFY(room.isJoined());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, room.setRoomJid(XMPPJid(QStringLiteral("s@c"))));
    emit client.presence(roomPresence(QStringLiteral("r@c/bob"), xmpp::PresenceStanza::Available, {}));
    QCOMPARE(others.at(0).at(1).toString(), QStringLiteral("bob"));
    QCOMPARE(others.at(0).at(0).value<XMPPConference *>(), &room);

    // Show changes are passed on, also the own.
    emit client.presence(
        presenceFrom(QStringLiteral("r@c/bob"), xmpp::PresenceStanza::Available, xmpp::PresenceStanza::Dnd));
    emit client.presence(
        presenceFrom(QStringLiteral("r@c/me"), xmpp::PresenceStanza::Available, xmpp::PresenceStanza::Away));
    QCOMPARE(presences.size(), 2);

    // Kicked and banned both fire, kicked first, then the departure.
    QStringList order;
    connect(&room, &XMPPConference::participantKicked, this, [&] { order << QStringLiteral("kicked"); });
    connect(&room, &XMPPConference::participantBanned, this, [&] { order << QStringLiteral("banned"); });
    connect(&room, &XMPPConference::participantLeft, this, [&] { order << QStringLiteral("left"); });
    emit client.presence(roomPresence(QStringLiteral("r@c/bob"), xmpp::PresenceStanza::Unavailable, {307, 301},
                                      QStringLiteral("admin@d"), QStringLiteral("rude")));
    QCOMPARE(order, (QStringList{QStringLiteral("kicked"), QStringLiteral("banned"), QStringLiteral("left")}));
    QCOMPARE(banned.at(0).at(2).value<XMPPJid>(), XMPPJid(QStringLiteral("admin@d")));
    QCOMPARE(banned.at(0).at(3).toString(), QStringLiteral("rude"));

    // The player is banned: told so, and out.
    emit client.presence(roomPresence(QStringLiteral("r@c/me"), xmpp::PresenceStanza::Unavailable, {301, 110},
                                      QStringLiteral("admin@d"), QStringLiteral("bye")));
    QCOMPARE(userBanned.size(), 1);
    QCOMPARE(userBanned.at(0).at(2).toString(), QStringLiteral("bye"));
    QCOMPARE(userKicked.size(), 0);
    QCOMPARE(left.size(), 1);
    QVERIFY(!room.isJoined());

    // Messages: only group chat from an occupant of this room.
    QSignalSpy messages(&room, &XMPPConference::message);
    emit client.messageReceived(groupMessage(QStringLiteral("r@c"), QStringLiteral("notice")));
    emit client.messageReceived(groupMessage(QStringLiteral("r@c/bob"), QStringLiteral("pm"), XMPPMessage::Chat));
    emit client.messageReceived(groupMessage(QStringLiteral("q@c/bob"), QStringLiteral("elsewhere")));
    emit client.messageReceived(groupMessage(QStringLiteral("r@c/bob"), QStringLiteral("hi")));
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).at(0).value<XMPPMessage>().body(), QStringLiteral("hi"));
}

void TestXmppRosterModel::conferenceErrorsAndRules()
{
    XMPPConference room;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, room.join(QStringLiteral("me")));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, room.leave());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, room.sendMessage(QStringLiteral("x")));

    auto client = std::make_unique<XMPPClient>();
    room.setClient(client.get());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, room.join(QStringLiteral("me")));
    room.setRoomJid(XMPPJid(QStringLiteral("r@c")));
    // Without a session the message is refused, not queued.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, room.sendMessage(QStringLiteral("x")));

    QSignalSpy errors(&room, &XMPPConference::userError);
    room.join(QStringLiteral("me"));
    // Forbidden: reported at once. Conflict likewise; a second answer to
    // the same entry is a late one and ignored.
    emit client->presence(
        errorPresence(QStringLiteral("r@c/me"), xmpp::StanzaErrorType::Auth, xmpp::StanzaErrorCondition::Forbidden));
    emit client->presence(
        errorPresence(QStringLiteral("r@c/me"), xmpp::StanzaErrorType::Auth, xmpp::StanzaErrorCondition::Forbidden));
    room.join(QStringLiteral("me"));
    emit client->presence(
        errorPresence(QStringLiteral("r@c/me"), xmpp::StanzaErrorType::Cancel, xmpp::StanzaErrorCondition::Conflict));
    QCOMPARE(errors.size(), 2);
    QCOMPARE(errors.at(0).at(1).value<XMPPPresence::error_t>(), XMPPPresence::Forbidden);
    QCOMPARE(errors.at(1).at(1).value<XMPPPresence::error_t>(), XMPPPresence::Conflict);

    // Not being entered, the own presence changes nothing.
    emit client->presence(presenceFrom(QStringLiteral("r@c/me")));
    QVERIFY(!room.isJoined());

    // Joined, then the session ends: no longer joined, and a new room may
    // be chosen.
    room.join(QStringLiteral("me"));
    emit client->presence(presenceFrom(QStringLiteral("r@c/me")));
    QVERIFY(room.isJoined());
    emit client->disconnected();
    QVERIFY(!room.isJoined());
    room.setRoomJid(XMPPJid(QStringLiteral("s@c")));

    // The client goes away: the room forgets it.
    room.join(QStringLiteral("me"));
    emit client->presence(presenceFrom(QStringLiteral("s@c/me")));
    QVERIFY(room.isJoined());
    client.reset();
    QVERIFY(!room.client());
    QVERIFY(!room.isJoined());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, room.leave());
}

QTEST_MAIN(TestXmppRosterModel)
#include "tst_xmpp_roster_model.moc"
