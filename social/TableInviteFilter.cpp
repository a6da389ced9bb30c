#include "social/TableInviteFilter.h"

#include "social/FriendsRosterModel.h"
#include "social/Logging.h"
#include "social/PlayerDb.h"
#include "xmpp/elements/XMPPRosterItem.h"

TableInviteFilter::TableInviteFilter(const QString &lobbyPath, QObject *parent)
    : FriendsFilter(parent)
    , m_pathPrefix(lobbyPath)
{
}

void TableInviteFilter::setPlayerDb(const PlayerDb *playerDb)
{
    m_playerDb = playerDb;
    invalidateFilter();
}

void TableInviteFilter::addInvited(const QString &jid)
{
    m_invited.insert(jid);
    invalidateFilter();
}

void TableInviteFilter::clearInvited()
{
    m_invited.clear();
    invalidateFilter();
}

bool TableInviteFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const auto *model = qobject_cast<const FriendsRosterModel *>(sourceModel());
    if (!model) {
        qCWarning(lcSocial) << "not FriendsRosterModel";
        return true;
    }
    const QModelIndex index = model->index(sourceRow, 0, sourceParent);
    const XMPPRosterItem *item = model->item(index);
    if (!item) {
        qCWarning(lcSocial) << "no item at index " << index;
        return false;
    }
    if (m_invited.contains(item->jid.text()))
        return false;
    if (m_playerDb && m_playerDb->pidFromJid(item->jid) < 0)
        return false;
    const XMPPPresence *presence = item->bestPresence();
    if (!presence)
        return false;
    const int availability = presence->availability();
    if (availability == XMPPPresence::Error || availability == XMPPPresence::Unavailable)
        return false;
    const QSet<QString> tables = presence->tables();
    for (const QString &path : tables) {
        if (path.startsWith(m_pathPrefix))
            return false;
    }
    return FriendsFilter::filterAcceptsRow(sourceRow, sourceParent);
}

bool TableInviteFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return left.data(Qt::DisplayRole).toString() < right.data(Qt::DisplayRole).toString();
}
