#pragma once

#include "xmpp/elements/Iq.h"

namespace xmpp {

// Accepts the default configuration of a room that was just created.
class IqInstantRoom : public Iq
{
public:
    IqInstantRoom(const QString &id, const XMPPJid &room)
        : Iq(id, room, Set)
    {
    }

    int type() const override { return ElementType::IqInstantRoom; }
};

} // namespace xmpp
