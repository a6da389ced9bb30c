#include "xmpp/client/XMPPConference.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/MucUserInfo.h"
#include "xmpp/client/XMPPClient.h"

#include <QDebug>

#include <stdexcept>

namespace {

// Indexes of the room status codes that matter here.
constexpr int selfIndex = 6;         // 110
constexpr int roomCreatedIndex = 12; // 201
constexpr int bannedIndex = 14;      // 301
constexpr int kickedIndex = 16;      // 307

} // namespace

XMPPConference::XMPPConference(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<XMPPPresence::error_t>("XMPPPresence::error_t");
    m_joinTimer.setSingleShot(true);
    connect(&m_joinTimer, &QTimer::timeout, this, &XMPPConference::onJoinTimerTimeout);
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
    if (room != m_room)
        m_leavingNick.clear();
    m_room = room;
}

void XMPPConference::join(const QString &nick)
{
    m_joinTimer.stop();
    m_attempts = 0;
    requireClient();
    if (m_room.isNull())
        throw std::runtime_error("room jid is null");
    m_nick = nick.isNull() ? m_client->jid().node() : nick;
    m_client->joinRoom(m_room, m_nick);
    m_entering = true;
}

void XMPPConference::leave()
{
    requireClient();
    // A retry still pending would take the player back into the room.
    m_joinTimer.stop();
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
        m_entering = false;
        const XMPPPresence::error_t error = presence.errorType();
        if (error == XMPPPresence::RecipientUnavailable && entryOutstanding && m_attempts < MaxJoinRetries)
            m_joinTimer.start(JoinRetryInterval);
        else
            emit userError(this, error);
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
    // The room marks the occupant's own presence (110); its nick may not be
    // the one asked for, since rooms normalise nicks (Prosody to NFKC, so
    // halfwidth kana and fullwidth letters change) and say so with 210.
    const QList<int> codes = presence.hasRoomData() ? presence.roomStatusIndexes() : QList<int>();
    const bool own = nick == m_nick || codes.contains(selfIndex);
    if (own && !m_joined && !entryOutstanding)
        return;
    if (own && nick != m_nick && availability != XMPPPresence::Unavailable)
        m_nick = nick;

    if (presence.hasRoomData()) {
        const xmpp::MucUserInfo &item = presence.roomItem();
        if (availability == XMPPPresence::Unavailable && codes.contains(kickedIndex)) {
            if (own)
                emit userKicked(this, item.actor, item.reason);
            else
                emit participantKicked(this, nick, item.actor, item.reason);
        }
        if (availability == XMPPPresence::Unavailable && codes.contains(bannedIndex)) {
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
            m_joinTimer.stop();
            m_joined = true;
            m_entering = false;
            emit userJoined(this);
        } else {
            emit participantJoined(this, nick);
        }
        break;
    case XMPPPresence::Unavailable:
        if (own) {
            m_joined = false;
            m_entering = false;
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

void XMPPConference::onMessage(XMPPMessage message)
{
    const XMPPJid from = message.from();
    if (message.type() != XMPPMessage::GroupChat || from.bare() != m_room || from.resource().isEmpty())
        return;
    emit this->message(message);
}

void XMPPConference::onDisconnected()
{
    m_joinTimer.stop();
    m_joined = false;
    m_entering = false;
    m_leavingNick.clear();
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
        m_client->joinRoom(m_room, m_nick);
        m_entering = true;
    } catch (const std::exception &e) {
        qCWarning(lcXmpp) << "rejoining room" << m_room.text() << "failed:" << e.what();
    }
}
