#pragma once

#include "xmpp/elements/Iq.h"

#include <QList>
#include <QStringList>

namespace xmpp {

class IqDiscoInfo : public Iq
{
public:
    struct Identity
    {
        QString category;
        QString name;
        QString type;
    };

    IqDiscoInfo() = default;
    IqDiscoInfo(const QString &id, const XMPPJid &to)
        : Iq(id, to, Get)
    {
    }

    int type() const override { return ElementType::IqDiscoInfo; }

    QList<Identity> identities;
    QStringList features;
};

} // namespace xmpp
