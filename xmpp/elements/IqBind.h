#pragma once

#include "xmpp/elements/Iq.h"

namespace xmpp {

class IqBind : public Iq
{
public:
    IqBind() = default;
    IqBind(const QString &id, const QString &resource_)
        : Iq(id, XMPPJid(), Set)
        , resource(resource_)
    {
    }

    int type() const override { return ElementType::IqBind; }

    QString resource;
    XMPPJid jid; // the bound address in a result
};

} // namespace xmpp
