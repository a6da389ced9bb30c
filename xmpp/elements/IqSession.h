#pragma once

#include "xmpp/elements/Iq.h"

namespace xmpp {

class IqSession : public Iq
{
public:
    IqSession() = default;
    explicit IqSession(const QString &id)
        : Iq(id, XMPPJid(), Set)
    {
    }

    int type() const override { return ElementType::IqSession; }
};

} // namespace xmpp
