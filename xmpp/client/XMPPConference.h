#pragma once

#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPMessage.h"
#include "xmpp/elements/XMPPPresence.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class XMPPClient;

// One multi-user chat room as the player takes part in it: enters (and
// retries while the room is not yet available) and leaves it, turns its
// presences into events for the player and the other occupants, filters
// its messages and sends to it.
class XMPPConference : public QObject
{
    Q_OBJECT

public:
    // Retries after "recipient unavailable": this many, this far apart.
    static constexpr int MaxJoinRetries = 5;
    static constexpr int JoinRetryInterval = 1000;

    explicit XMPPConference(QObject *parent = nullptr);
    ~XMPPConference() override;

    void setClient(XMPPClient *client);
    XMPPClient *client() const { return m_client; }
    // Throws std::runtime_error while joined.
    void setRoomJid(const XMPPJid &room);
    XMPPJid roomJid() const { return m_room; }
    // The nick asked for, and once joined the one the room gave.
    QString nick() const { return m_nick; }
    bool isJoined() const { return m_joined; }
    // An entry presence is unanswered or a retry is waiting.
    bool isEntering() const { return m_entering || m_joinTimer.isActive(); }

    // A null nick means the node of the own address. Throws without a
    // client or a room.
    void join(const QString &nick = QString());
    void leave();
    void sendMessage(const QString &text);

signals:
    void message(XMPPMessage message);
    void presence(XMPPPresence presence);
    void userError(XMPPConference *room, XMPPPresence::error_t error);
    void userJoined(XMPPConference *room);
    void userLeft(XMPPConference *room);
    void userKicked(XMPPConference *room, XMPPJid actor, QString reason);
    void userBanned(XMPPConference *room, XMPPJid actor, QString reason);
    void participantJoined(XMPPConference *room, QString nick);
    void participantLeft(XMPPConference *room, QString nick);
    void participantKicked(XMPPConference *room, QString nick, XMPPJid actor, QString reason);
    void participantBanned(XMPPConference *room, QString nick, XMPPJid actor, QString reason);

public slots:
    void onMessage(XMPPMessage message);
    void onPresence(XMPPPresence presence);
    void onDisconnected();
    void onClientDestroyed();
    void onJoinTimerTimeout();

private:
    void requireClient() const;

    QPointer<XMPPClient> m_client;
    XMPPJid m_room;
    QString m_nick;
    bool m_joined = false;
    // An entry presence went out and the room has not answered it yet.
    bool m_entering = false;
    // The nick under which the player left the room and the room has not
    // confirmed it yet.
    QString m_leavingNick;
    QTimer m_joinTimer;
    int m_attempts = 0;
};
