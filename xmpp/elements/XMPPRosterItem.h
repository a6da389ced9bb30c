#pragma once

#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPPresence.h"

#include <QMap>
#include <QString>

// One contact of the roster, with the presences of its online resources.
class XMPPRosterItem
{
public:
    XMPPRosterItem() = default;
    XMPPRosterItem(const XMPPJid &jid, const QString &name, const QString &group, int flags)
        : jid(jid)
        , name(name)
        , group(group)
        , flags(flags)
    {
    }

    // The highest ranked presence (the first in resource order among
    // equals); null when no resource is online. Points into presences, so
    // it is valid until the item changes.
    const XMPPPresence *bestPresence() const;
    // Availability of the best presence; unavailable when none is online.
    int availability() const;

    XMPPJid jid; // bare
    QString name;
    QString group;
    int flags = 0;                         // 1 we see them, 2 they see us, 4 our request is pending
    QMap<QString, XMPPPresence> presences; // resource -> latest online presence
};
