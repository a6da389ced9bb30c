#pragma once

#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPMessage.h"
#include "xmpp/elements/XMPPPresence.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
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
    // Addresses of occupants gone are forgotten once this many are kept.
    static constexpr int MaxOccupantsKept = 2000;
    // An entry the room leaves unanswered this long is given up.
    static constexpr int DefaultEntryTimeout = 30000;
    // A room that never marks the own presence (110) has shown it once
    // nothing else followed the presence under the nick asked for this long.
    static constexpr int UnmarkedOwnSettle = 1000;

    explicit XMPPConference(QObject *parent = nullptr);
    ~XMPPConference() override;

    void setClient(XMPPClient *client);
    XMPPClient *client() const { return m_client; }
    // Throws std::runtime_error while joined.
    void setRoomJid(const XMPPJid &room);
    XMPPJid roomJid() const { return m_room; }
    // The nick asked for, and once joined the one the room gave.
    QString nick() const { return m_nick; }
    // The bare address of the player behind a nick, as the room showed it
    // (the own address for the player's own nicks); null when it never did.
    XMPPJid occupantJid(const QString &nick) const;
    bool isJoined() const { return m_joined; }
    // An entry presence is unanswered or a retry is waiting.
    bool isEntering() const { return m_entering || m_joinTimer.isActive(); }

    // A null nick means the node of the own address. When the room refuses
    // a nick (taken, or not one it accepts), the fallbacks are tried in
    // turn. Throws without a client or a room.
    void join(const QString &nick = QString(), const QStringList &fallbacks = QStringList());
    void leave();
    void sendMessage(const QString &text);
    void setEntryTimeout(int ms) { m_entryTimeout = ms; }

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
    // The room renamed the player, who stays in under the new nick.
    void userNickChanged(XMPPConference *room, QString nick);
    // The room answered no entry: the player is not in it.
    void userEntryUnanswered(XMPPConference *room);

public slots:
    void onMessage(XMPPMessage message);
    void onPresence(XMPPPresence presence);
    void onDisconnected();
    void onClientDestroyed();
    void onJoinTimerTimeout();

private slots:
    void onEntryTimerTimeout();

private:
    struct Occupant
    {
        XMPPJid jid;
        bool present = false;
    };

    void requireClient() const;
    // Sends the entry presence under m_nick.
    void enter();
    // Whether an error answer to an entry refuses the nick, not the player.
    static bool refusesNick(const XMPPPresence &presence);
    void noteOccupant(const QString &nick, const XMPPJid &jid, bool present);
    // The presence under the nick asked for that the room did not mark is
    // another occupant's after all.
    void releaseUnmarkedOwn();
    // The room has the player in, under m_nick.
    void seatPlayer(bool renamed);

    QPointer<XMPPClient> m_client;
    XMPPJid m_room;
    QString m_nick;
    bool m_joined = false;
    // An entry presence went out and the room has not answered it yet.
    bool m_entering = false;
    // The nick under which the player left the room and the room has not
    // confirmed it yet.
    QString m_leavingNick;
    // Nicks still to try when the room refuses the current one.
    QStringList m_fallbackNicks;
    // The nick the room announced when it renamed the player (303), until
    // its presence under that nick comes.
    QString m_renamedTo;
    QHash<QString, Occupant> m_occupants;
    QTimer m_joinTimer;
    int m_attempts = 0;
    // Gives up an entry left unanswered, or takes the unmarked presence
    // under the nick asked for as the player's.
    QTimer m_entryTimer;
    int m_entryTimeout = DefaultEntryTimeout;
    // Seen on the way in: a presence under the nick asked for without 110,
    // the player's in a room that never marks it, else another occupant's.
    bool m_unmarkedPending = false;
    // The address the room showed with it, if any.
    XMPPJid m_unmarkedJid;
    // The player is in by such a presence: a marked one that follows names
    // the player's real nick.
    bool m_joinedUnmarked = false;
};
