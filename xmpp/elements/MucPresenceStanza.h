#pragma once

#include "xmpp/elements/PresenceStanza.h"

namespace xmpp {

// A presence to or from a room; written with the room-join element.
class MucPresenceStanza : public PresenceStanza
{
public:
    MucPresenceStanza() = default;
    MucPresenceStanza(const XMPPJid &to, int presenceType, const QString &id = QString())
        : PresenceStanza(to, presenceType, id)
    {
    }

    int type() const override { return ElementType::MucPresenceStanza; }
};

} // namespace xmpp
