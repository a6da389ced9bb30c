#pragma once

#include "xmpp/elements/MucUserInfo.h"
#include "xmpp/elements/Stanza.h"

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>

namespace xmpp {

class PresenceStanza : public Stanza
{
public:
    enum PresenceType { Available = 0, Subscribe, Subscribed, Unsubscribe, Unsubscribed, Unavailable, Probe, Error };
    enum Show { ShowNone = 0, Away, Chat, Dnd, Xa };

    PresenceStanza() = default;
    PresenceStanza(const XMPPJid &to, int presenceType, const QString &id = QString());

    int type() const override { return ElementType::PresenceStanza; }

    // Code of the type text; any unknown text counts as Available.
    int presenceType() const { return presenceTypeFromText(typeText); }
    static int presenceTypeFromText(const QString &text);
    static QString presenceTypeText(int presenceType); // null for Available
    static QString showText(int show);                 // null for ShowNone

    int show = ShowNone;
    QMap<QString, QString> statuses; // language tag -> text
    int priority = 0;
    bool hasMucUser = false;
    MucUserInfo mucUser;
    QSet<QString> tablePaths;
    QByteArray photoHash; // raw bytes, null when absent
};

} // namespace xmpp
