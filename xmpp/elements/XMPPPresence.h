#pragma once

#include "xmpp/elements/MucUserInfo.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/XMPPJid.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>

// A received presence as the rest of the client sees it. Keeps its own copy
// of the stanza, so it can be passed around freely.
class XMPPPresence
{
public:
    enum Availability { Error = 0, Unavailable = 1, Available = 2, Away = 3, Chat = 4, Dnd = 5, Xa = 6 };

    // Why an error presence was refused (room joins).
    enum error_t {
        NoError = 0,
        OtherError = 1,
        Forbidden = 2,
        NotAuthorized = 3,
        RegistrationRequired = 4,
        Conflict = 5,
        ServiceUnavailable = 6,
        RecipientUnavailable = 7,
        NotAllowed = 8
    };

    XMPPPresence() = default;
    explicit XMPPPresence(const xmpp::PresenceStanza &stanza);

    XMPPJid from() const { return m_stanza.from; }
    int availability() const;
    QString status() const;
    error_t errorType() const;

    QSet<QString> tables() const { return m_stanza.tablePaths; }
    bool hasPhotoHash() const { return !m_stanza.photoHash.isNull(); }
    QByteArray photoHash() const { return m_stanza.photoHash; }

    bool hasRoomData() const { return m_stanza.hasMucUser; }
    const xmpp::MucUserInfo &roomItem() const { return m_stanza.mucUser; }
    // The room status codes mapped to their indexes (100 -> 1, ...).
    QList<int> roomStatusIndexes() const;

    const xmpp::PresenceStanza &stanza() const { return m_stanza; }

    // Higher is better: available 5, chat 4, away 3, xa 2, dnd 1, else 0.
    static int rank(int availability);
    // Equal ranks are not less, so a search for the best keeps the first.
    static bool rankLess(const XMPPPresence &a, const XMPPPresence &b);

    // Sets type and show of an outgoing presence for an availability code.
    static void setAvailability(int availability, xmpp::PresenceStanza &stanza);

private:
    xmpp::PresenceStanza m_stanza;
};

Q_DECLARE_METATYPE(XMPPPresence)
