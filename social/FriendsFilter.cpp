#include "social/FriendsFilter.h"

#include "social/Logging.h"
#include "social/XMPPRosterModelProxy.h"
#include "xmpp/client/XMPPRosterModel.h"
#include "xmpp/elements/XMPPRosterItem.h"

FriendsFilter::FriendsFilter(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
    setSortLocaleAware(true);
}

int FriendsFilter::friendCount(const XMPPRosterModel *roster)
{
    if (!roster)
        return 0;
    int count = 0;
    for (int row = 0, rows = roster->rowCount(); row < rows; ++row) {
        const XMPPRosterItem *item = roster->item(roster->index(row, 0));
        if (item && isFriend(quint8(item->flags)))
            ++count;
    }
    return count;
}

bool FriendsFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const auto *proxy = qobject_cast<const XMPPRosterModelProxy *>(sourceModel());
    if (!proxy) {
        qCWarning(lcSocial) << "not XMPPRosterModelProxy";
        return true;
    }
    const QModelIndex index = proxy->index(sourceRow, 0, sourceParent);
    const XMPPRosterItem *item = proxy->item(index);
    if (!item) {
        qCWarning(lcSocial) << "no item at index " << index;
        return false;
    }
    return isFriend(quint8(item->flags));
}
