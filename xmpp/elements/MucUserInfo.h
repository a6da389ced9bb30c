#pragma once

#include "xmpp/elements/XMPPJid.h"

#include <QList>
#include <QString>

namespace xmpp {

// What a room tells about one of its occupants.
struct MucUserInfo
{
    enum Affiliation { AffiliationNone = 0, Admin, Member, Outcast, Owner };
    enum Role { RoleNone = 0, Moderator, Participant, Visitor };

    XMPPJid actor;
    QString reason;
    QString continueThread;
    XMPPJid jid;
    QString nick;
    int affiliation = AffiliationNone;
    int role = RoleNone;
    QList<int> statusCodes; // numeric codes as received, in document order

    // Index of a room status code: 100 -> 1, ..., 332 -> 19, other -> 0.
    static int statusIndex(int code);
};

} // namespace xmpp
