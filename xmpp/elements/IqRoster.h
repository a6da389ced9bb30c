#pragma once

#include "xmpp/elements/Iq.h"

#include <QVector>

namespace xmpp {

class IqRoster : public Iq
{
public:
    // Subscription bits: To = we receive the contact's presence, From = the
    // contact receives ours, Pending = our subscription request is pending.
    enum Subscription { None = 0, To = 1, From = 2, Both = 3, Pending = 4 };

    struct Item
    {
        Item() = default;
        Item(const XMPPJid &jid_, bool remove_, const QString &name_, const QString &group_)
            : jid(jid_)
            , remove(remove_)
            , name(name_)
            , group(group_)
        {
        }

        XMPPJid jid;
        int subscription = None;
        bool remove = false;
        QString name;
        QString group;
    };

    IqRoster() = default;
    explicit IqRoster(const QString &id)
        : Iq(id, XMPPJid(), Get)
    {
    }
    IqRoster(const QVector<Item> &items_, const QString &id)
        : Iq(id, XMPPJid(), Set)
        , items(items_)
    {
    }

    int type() const override { return ElementType::IqRoster; }

    QVector<Item> items;
};

} // namespace xmpp
