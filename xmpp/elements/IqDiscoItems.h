#pragma once

#include "xmpp/elements/Iq.h"

#include <QList>

namespace xmpp {

class IqDiscoItems : public Iq
{
public:
    struct Item
    {
        XMPPJid jid;
        QString name;
        QString node;
    };

    IqDiscoItems() = default;
    IqDiscoItems(const QString &id, const XMPPJid &to)
        : Iq(id, to, Get)
    {
    }

    int type() const override { return ElementType::IqDiscoItems; }

    QList<Item> items;
};

} // namespace xmpp
