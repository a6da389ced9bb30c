#include "xmpp/client/XMPPConference.h"

#include "xmpp/Logging.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/MucUserInfo.h"

#include <QDebug>

#include <stdexcept>

namespace {

// Indexes of the room status codes that matter here.
constexpr int selfIndex = 6;         // 110
constexpr int roomCreatedIndex = 12; // 201
constexpr int bannedIndex = 14;      // 301
constexpr int nickChangeIndex = 15;  // 303
constexpr int kickedIndex = 16;      // 307

} // namespace

XMPPConference::XMPPConference(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<XMPPPresence::error_t>("XMPPPresence::error_t");
    m_joinTimer.setSingleShot(true);
    connect(&m_joinTimer, &QTimer::timeout, this, &XMPPConference::onJoinTimerTimeout);
    m_entryTimer.setSingleShot(true);
    connect(&m_entryTimer, &QTimer::timeout, this, &XMPPConference::onEntryTimerTimeout);
}

XMPPConference::~XMPPConference()
{
    if (!m_client)
        return;
    try {
        leave();
    } catch (const std::exception &e) {
        qCWarning(lcXmpp) << "leaving room" << m_room.text() << "failed:" << e.what();
    }
}

void XMPPConference::requireClient() const
{
    if (!m_client)
        throw std::runtime_error("xmpp client not set");
}

void XMPPConference::setClient(XMPPClient *client)
{
    if (m_client)
        disconnect(m_client, nullptr, this, nullptr);
    m_joinTimer.stop();
    m_entryTimer.stop();
    m_leavingNick.clear();
    m_client = client;
    if (!client)
        return;
    connect(client, &QObject::destroyed, this, &XMPPConference::onClientDestroyed);
    connect(client, &XMPPClient::disconnected, this, &XMPPConference::onDisconnected);
    connect(client, &XMPPClient::messageReceived, this, &XMPPConference::onMessage);
    connect(client, &XMPPClient::presence, this, &XMPPConference::onPresence);
}

void XMPPConference::setRoomJid(const XMPPJid &room)
{
    if (m_joined)
        throw std::runtime_error("user joined to a room");
    m_joinTimer.stop();
    m_entryTimer.stop();
    if (room != m_room) {
        m_leavingNick.clear();
        m_occupants.clear();
    }
    m_room = room;
}

XMPPJid XMPPConference::occupantJid(const QString &nick) const
{
    return m_occupants.value(nick).jid;
}

void XMPPConference::join(const QString &nick, const QStringList &fallbacks)
{
    m_joinTimer.stop();
    m_attempts = 0;
    requireClient();
    if (m_room.isNull())
        throw std::runtime_error("room jid is null");
    m_nick = nick.isNull() ? m_client->jid().node() : nick;
    m_fallbackNicks = fallbacks;
    m_fallbackNicks.removeAll(m_nick);
    m_renamedTo.clear();
    m_joinedUnmarked = false;
    enter();
}

void XMPPConference::enter()
{
    m_unmarkedPending = false;
    m_client->joinRoom(m_room, m_nick);
    m_entering = true;
    m_entryTimer.start(m_entryTimeout);
}

void XMPPConference::leave()
{
    requireClient();
    // A retry still pending would take the player back into the room.
    m_joinTimer.stop();
    m_entryTimer.stop();
    m_unmarkedPending = false;
    m_joinedUnmarked = false;
    // Renamed, and the room's presence under the new nick still to come:
    // the player is there already.
    if (m_joined && !m_renamedTo.isNull())
        m_nick = m_renamedTo;
    m_renamedTo.clear();
    // An entry still unanswered would otherwise seat the player in a room
    // already left, and keep the room address locked.
    if (m_joined || m_entering)
        m_client->leaveRoom(m_room, m_nick);
    // The room's answer to this departure is what tells the player that
    // the room is left; after an entry never confirmed there is nothing
    // to report.
    if (m_joined)
        m_leavingNick = m_nick;
    m_joined = false;
    m_entering = false;
}

void XMPPConference::sendMessage(const QString &text)
{
    requireClient();
    XMPPMessage outgoing(m_room, XMPPMessage::GroupChat);
    outgoing.setFrom(m_client->jid());
    outgoing.setBody(text);
    m_client->sendMessage(outgoing);
}

bool XMPPConference::refusesNick(const XMPPPresence &presence)
{
    using Condition = xmpp::StanzaErrorCondition;
    const xmpp::PresenceStanza &stanza = presence.stanza();
    switch (stanza.errorCondition) {
    case Condition::Conflict:
    case Condition::JidMalformed:
    case Condition::NotAcceptable:
    // Some servers answer so for a name they cannot prepare.
    case Condition::BadRequest:
        return true;
    case Condition::NotAllowed:
        // cancel/not-allowed is a room that may not be created.
        return stanza.errorType == xmpp::StanzaErrorType::Modify;
    default:
        return false;
    }
}

void XMPPConference::noteOccupant(const QString &nick, const XMPPJid &jid, bool present)
{
    if (m_occupants.size() >= MaxOccupantsKept && !m_occupants.contains(nick))
        m_occupants.removeIf([](const auto &entry) { return !entry.value().present; });
    m_occupants.insert(nick, Occupant{jid.bare(), present});
}

void XMPPConference::onPresence(XMPPPresence presence)
{
    const XMPPJid from = presence.from();
    if (from.bare() != m_room)
        return;

    // A late answer to an entry already left (or given up) must neither
    // start a retry nor seat the player again.
    const bool entryOutstanding = m_entering || m_joinTimer.isActive();
    const int availability = presence.availability();
    if (availability == XMPPPresence::Error) {
        if (!entryOutstanding && !m_joined)
            return;
        m_joinTimer.stop();
        m_entryTimer.stop();
        m_entering = false;
        m_unmarkedPending = false;
        const XMPPPresence::error_t error = presence.errorType();
        if (error == XMPPPresence::RecipientUnavailable && entryOutstanding && m_attempts < MaxJoinRetries) {
            m_joinTimer.start(JoinRetryInterval);
        } else if (entryOutstanding && !m_joined && refusesNick(presence) && !m_fallbackNicks.isEmpty()) {
            // A name taken by another occupant, or one the room cannot
            // spell, must not cost the player the chat.
            qCDebug(lcXmpp) << "room" << m_room.text() << "refused the nick" << m_nick;
            m_nick = m_fallbackNicks.takeFirst();
            m_attempts = 0;
            try {
                enter();
            } catch (const std::exception &e) {
                qCWarning(lcXmpp) << "entering room" << m_room.text() << "failed:" << e.what();
                emit userError(this, error);
            }
        } else {
            emit userError(this, error);
        }
        return;
    }

    const QString nick = from.resource();
    // The room itself has no seat in it: a presence without a nick would
    // otherwise pass for another occupant (or, with an empty own nick, us).
    if (nick.isEmpty())
        return;
    // The confirmation of a deliberate departure; a new entry under way
    // (whose answer follows it) stays so.
    if (availability == XMPPPresence::Unavailable && !m_leavingNick.isNull() && nick == m_leavingNick) {
        m_leavingNick.clear();
        emit userLeft(this);
        return;
    }
    const QList<int> codes = presence.hasRoomData() ? presence.roomStatusIndexes() : QList<int>();
    const bool markedOwn = codes.contains(selfIndex);
    const bool unavailable = availability == XMPPPresence::Unavailable;
    // Which presence is the player's. On the way in, the one the room marks
    // as such (110), under the nick the room gives (it may differ from the
    // one asked: rooms normalise nicks and say so with 210); the occupants
    // listed before it are others, even one with the nick asked for. A room
    // that marks none lists the player under the nick asked for. Once in,
    // the presences of the own nick, and the marked one under the nick the
    // room announced when it renamed the player.
    bool own = false;
    if (m_joined) {
        own = nick == m_nick || (markedOwn && !unavailable && !m_renamedTo.isNull() && nick == m_renamedTo);
        if (markedOwn && !unavailable && m_joinedUnmarked) {
            // The room marks the player after all: the presence taken for
            // the player's was another occupant's under the nick asked for.
            if (nick != m_nick) {
                m_occupants.remove(m_nick);
                emit participantJoined(this, m_nick);
            }
            m_joinedUnmarked = false;
            own = true;
        }
    } else if (entryOutstanding) {
        if (markedOwn) {
            own = !unavailable || nick == m_nick;
            // Seen under the nick asked for, but the room marks another.
            if (m_unmarkedPending && nick != m_nick)
                releaseUnmarkedOwn();
            m_unmarkedPending = false;
        } else if (!presence.hasRoomData()) {
            // No occupant's listing: under the nick asked for, it can only
            // be the player's.
            own = nick == m_nick;
        } else if (nick == m_nick) {
            if (!unavailable) {
                // Rooms that never mark the own presence (110) list it under
                // the nick asked for; rooms that do may list someone else so
                // before the marked one. Whatever follows decides.
                m_unmarkedPending = true;
                m_unmarkedJid = presence.roomItem().jid.bare();
                m_entryTimer.start(UnmarkedOwnSettle);
                return;
            }
            if (m_unmarkedPending)
                releaseUnmarkedOwn();
        }
    } else if (markedOwn || nick == m_nick) {
        // About a stay already over.
        return;
    }

    const xmpp::MucUserInfo &item = presence.roomItem();
    if (own && unavailable && m_joined && codes.contains(nickChangeIndex) && !item.nick.isEmpty()) {
        // Renamed (XEP-0045 nick change): the player stays, and the room's
        // next presence comes under the new nick.
        m_renamedTo = item.nick;
        return;
    }

    // Who is behind each nick, as far as the room tells, for the menu on
    // the nicks in the log (also of those gone since).
    if (own) {
        if (!unavailable && m_client)
            noteOccupant(nick, m_client->jid(), true);
    } else if (!item.jid.isNull()) {
        noteOccupant(nick, item.jid, !unavailable);
        if (unavailable && codes.contains(nickChangeIndex) && !item.nick.isEmpty())
            noteOccupant(item.nick, item.jid, true);
    } else if (!unavailable) {
        // Not shown by address: an earlier holder's address is not theirs.
        m_occupants.remove(nick);
    } else if (const auto it = m_occupants.find(nick); it != m_occupants.end()) {
        it->present = false;
    }

    bool renamed = false;
    if (own && !unavailable) {
        renamed = m_joined && nick != m_nick;
        m_nick = nick;
        m_renamedTo.clear();
    }

    if (presence.hasRoomData()) {
        if (unavailable && codes.contains(kickedIndex)) {
            if (own)
                emit userKicked(this, item.actor, item.reason);
            else
                emit participantKicked(this, nick, item.actor, item.reason);
        }
        if (unavailable && codes.contains(bannedIndex)) {
            if (own)
                emit userBanned(this, item.actor, item.reason);
            else
                emit participantBanned(this, nick, item.actor, item.reason);
        }
        if (availability == XMPPPresence::Available && codes.contains(roomCreatedIndex) && m_client)
            m_client->createInstantRoom(m_room);
    }

    switch (availability) {
    case XMPPPresence::Available:
        if (own) {
            seatPlayer(renamed);
        } else {
            emit participantJoined(this, nick);
        }
        break;
    case XMPPPresence::Unavailable:
        if (own) {
            m_joined = false;
            m_entering = false;
            m_entryTimer.stop();
            m_joinedUnmarked = false;
            m_renamedTo.clear();
            emit userLeft(this);
        } else {
            emit participantLeft(this, nick);
        }
        break;
    default:
        emit this->presence(presence);
        break;
    }
}

void XMPPConference::seatPlayer(bool renamed)
{
    m_joinTimer.stop();
    m_entryTimer.stop();
    m_entering = false;
    m_unmarkedPending = false;
    m_fallbackNicks.clear();
    // A presence that only restates the stay (a new role, the rename's end)
    // announces no second arrival.
    const bool arrived = !m_joined;
    m_joined = true;
    if (renamed)
        emit userNickChanged(this, m_nick);
    else if (arrived)
        emit userJoined(this);
}

void XMPPConference::releaseUnmarkedOwn()
{
    m_unmarkedPending = false;
    if (m_unmarkedJid.isNull())
        m_occupants.remove(m_nick);
    else
        noteOccupant(m_nick, m_unmarkedJid, true);
    emit participantJoined(this, m_nick);
}

void XMPPConference::onEntryTimerTimeout()
{
    if (!m_entering || m_joined)
        return;
    if (m_unmarkedPending) {
        // Nothing marked followed: the room does not mark the own presence.
        if (m_client)
            noteOccupant(m_nick, m_client->jid(), true);
        m_joinedUnmarked = true;
        seatPlayer(false);
        return;
    }
    qCWarning(lcXmpp) << "room" << m_room.text() << "did not answer the entry of" << m_nick;
    m_entering = false;
    // A late answer would seat the player in a room the pane gave up.
    try {
        if (m_client)
            m_client->leaveRoom(m_room, m_nick);
    } catch (const std::exception &e) {
        qCWarning(lcXmpp) << "leaving room" << m_room.text() << "failed:" << e.what();
    }
    emit userEntryUnanswered(this);
}

void XMPPConference::onMessage(XMPPMessage message)
{
    const XMPPJid from = message.from();
    if (message.type() != XMPPMessage::GroupChat || from.bare() != m_room)
        return;
    // The room's history and subject follow the occupants: the presence
    // under the nick asked for was the player's.
    if (m_unmarkedPending && m_entering) {
        m_entryTimer.stop();
        onEntryTimerTimeout();
    }
    if (from.resource().isEmpty())
        return;
    emit this->message(message);
}

void XMPPConference::onDisconnected()
{
    m_joinTimer.stop();
    m_entryTimer.stop();
    m_unmarkedPending = false;
    m_joinedUnmarked = false;
    m_joined = false;
    m_entering = false;
    m_leavingNick.clear();
    m_renamedTo.clear();
}

void XMPPConference::onClientDestroyed()
{
    m_client = nullptr;
    onDisconnected();
}

void XMPPConference::onJoinTimerTimeout()
{
    if (!m_client)
        return;
    ++m_attempts;
    try {
        enter();
    } catch (const std::exception &e) {
        qCWarning(lcXmpp) << "rejoining room" << m_room.text() << "failed:" << e.what();
    }
}
