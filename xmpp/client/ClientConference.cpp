#include "xmpp/client/ClientConference.h"

#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/IqDiscoInfo.h"
#include "xmpp/elements/IqDiscoItems.h"
#include "xmpp/elements/IqInstantRoom.h"
#include "xmpp/elements/MucPresenceStanza.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/stream_error.h"

#include <stdexcept>

namespace xmpp {

namespace {

const char mucFeature[] = "http://jabber.org/protocol/muc";

// An error answer ends its branch of the walk quietly (and gives an empty
// room list): one entity that cannot answer must not end the whole session.
bool isError(const StreamElement *element)
{
    const auto *iq = dynamic_cast<const Iq *>(element);
    return iq && (iq->typeText == QLatin1String("error") || iq->hasError());
}

} // namespace

// One discovery walk: the entities already asked, so that items listing
// each other cannot make the walk go round for ever.
struct ClientConference::Walk
{
    QSet<XMPPJid> asked;
};

ClientConference::ClientConference(XMPPClient *client, QObject *parent)
    : QObject(parent)
    , ClientExtension(client)
{
    qRegisterMetaType<XMPPJid>("XMPPJid");
    qRegisterMetaType<QList<XMPPJid>>("QList<XMPPJid>");
}

void ClientConference::discoverConference()
{
    requireConnected();
    requestInfo(std::make_shared<Walk>(), client()->serverJid());
}

void ClientConference::requestInfo(const std::shared_ptr<Walk> &walk, const XMPPJid &entity)
{
    if (walk->asked.contains(entity))
        return;
    walk->asked.insert(entity);
    const QString id = nextId();
    send(IqDiscoInfo(id, entity));
    registerIqHandler(id, [this, walk, entity](StreamElement *element) { infoResult(walk, entity, element); });
}

void ClientConference::infoResult(const std::shared_ptr<Walk> &walk, const XMPPJid &asked, StreamElement *element)
{
    if (!element || isError(element))
        return;
    const auto *info = dynamic_cast<const IqDiscoInfo *>(element);
    if (!info)
        throw stream_error(StreamErrorCondition::UndefinedCondition, QStringLiteral("expected disco info"));
    // A server may answer for itself without naming itself.
    const XMPPJid entity = info->from.isEmpty() ? asked : info->from;
    if (info->features.contains(QLatin1String(mucFeature))) {
        emit conferenceJID(entity);
        return;
    }
    const QString id = nextId();
    send(IqDiscoItems(id, entity));
    registerIqHandler(id, [this, walk](StreamElement *answer) { itemsResult(walk, answer); });
}

void ClientConference::itemsResult(const std::shared_ptr<Walk> &walk, StreamElement *element)
{
    if (!element || isError(element))
        return;
    const auto *items = dynamic_cast<const IqDiscoItems *>(element);
    if (!items)
        throw stream_error(StreamErrorCondition::UndefinedCondition, QStringLiteral("expected disco items"));
    const QList<IqDiscoItems::Item> list = items->items;
    const XMPPJid from = items->from;
    for (const IqDiscoItems::Item &item : list) {
        if (!item.jid.isEmpty() && item.jid != from)
            requestInfo(walk, item.jid);
    }
}

void ClientConference::requestConferenceRooms(const XMPPJid &service)
{
    requireConnected();
    const QString id = nextId();
    send(IqDiscoItems(id, service));
    registerIqHandler(id, [this](StreamElement *element) { roomsResult(element); });
}

void ClientConference::roomsResult(StreamElement *element)
{
    if (!element)
        return;
    // A service that cannot list its rooms has none to offer.
    if (isError(element)) {
        emit conferenceRooms(QList<XMPPJid>());
        return;
    }
    const auto *items = dynamic_cast<const IqDiscoItems *>(element);
    if (!items)
        throw stream_error(StreamErrorCondition::UndefinedCondition, QStringLiteral("expected disco items"));
    QList<XMPPJid> rooms;
    for (const IqDiscoItems::Item &item : items->items)
        rooms.append(item.jid);
    emit conferenceRooms(rooms);
}

XMPPJid ClientConference::occupant(const XMPPJid &room, const QString &nick)
{
    if (room.text().contains(QLatin1Char('/')))
        throw std::runtime_error("not a room JID (had resource part)");
    return XMPPJid(room.domain(), room.node(), nick);
}

void ClientConference::joinRoom(const XMPPJid &room, const QString &nick)
{
    MucPresenceStanza presence(occupant(room, nick), PresenceStanza::Available, nextId());
    presence.photoHash = client()->photoHash();
    send(presence);
}

void ClientConference::leaveRoom(const XMPPJid &room, const QString &nick)
{
    const MucPresenceStanza presence(occupant(room, nick), PresenceStanza::Unavailable, nextId());
    send(presence);
}

void ClientConference::createInstantRoom(const XMPPJid &room)
{
    const QString id = nextId();
    send(IqInstantRoom(id, room));
    // Whatever the answer, there is nothing to do with it.
    registerIqHandler(id, [](StreamElement *) {});
}

void ClientConference::sendMessage(const XMPPMessage &message)
{
    requireConnected();
    MessageStanza stanza = message.stanza();
    stanza.id = nextId();
    if (stanza.defaultLanguage == QLatin1String("UND"))
        stanza.defaultLanguage = client()->streamLanguage();
    if (stanza.lang == stanza.defaultLanguage)
        stanza.lang.clear();
    send(stanza);
}

} // namespace xmpp
