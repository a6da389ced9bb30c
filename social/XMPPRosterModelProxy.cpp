#include "social/XMPPRosterModelProxy.h"

#include "xmpp/client/XMPPRosterModel.h"

XMPPRosterModelProxy::XMPPRosterModelProxy(XMPPRosterModel *roster, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_roster(roster)
{
    setSourceModel(roster);
}

const XMPPRosterItem *XMPPRosterModelProxy::item(const QModelIndex &index) const
{
    if (!m_roster || !index.isValid() || index.model() != this)
        return nullptr;
    return m_roster->item(mapToSource(index));
}

const XMPPRosterItem *XMPPRosterModelProxy::findItem(const XMPPJid &jid) const
{
    return m_roster ? m_roster->findItem(jid) : nullptr;
}

QModelIndex XMPPRosterModelProxy::indexOf(const XMPPJid &jid) const
{
    return m_roster ? mapFromSource(m_roster->indexOf(jid)) : QModelIndex();
}
