#include "lobby/LobbyModel.h"

#include "lobby/ItemRoles.h"
#include "lobby/LobbyFilter.h"
#include "lobby/TableModel.h"
#include "lobby/VariantLessThan.h"

LobbyModel::LobbyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
    setSortRole(ItemRoles::RawValueRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

LobbyModel::~LobbyModel()
{
    unsubscribeFilterPaths();
}

void LobbyModel::setSourceModel(QAbstractItemModel *sourceModel)
{
    if (sourceModel == this->sourceModel())
        return;
    unsubscribeFilterPaths();
    QSortFilterProxyModel::setSourceModel(sourceModel);
    subscribeFilterPaths();
}

void LobbyModel::setFilter(LobbyFilter *filter)
{
    if (filter == m_filter)
        return;
    unsubscribeFilterPaths();
    m_filter = filter;
    subscribeFilterPaths();
    invalidateFilter();
}

void LobbyModel::refilter()
{
    invalidateFilter();
}

bool LobbyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (!m_filter || sourceParent.isValid())
        return false;
    return m_filter->acceptsRow(sourceModel(), sourceRow);
}

bool LobbyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const QVariant l = left.data(sortRole());
    const QVariant r = right.data(sortRole());
    if (l.isValid() && r.isValid())
        return variantLessThan(l, r);
    return QSortFilterProxyModel::lessThan(left, right);
}

void LobbyModel::subscribeFilterPaths()
{
    auto *tableModel = qobject_cast<TableModel *>(sourceModel());
    if (!tableModel || !m_filter)
        return;
    m_subscribedModel = tableModel;
    m_subscribedPaths.clear();
    const int count = m_filter->lobbyPathCount();
    for (int i = 0; i < count; ++i) {
        const QString path = m_filter->lobbyPath(i);
        m_subscribedPaths.append(path);
        tableModel->subscribe(path);
    }
}

void LobbyModel::unsubscribeFilterPaths()
{
    if (m_subscribedModel) {
        for (const QString &path : std::as_const(m_subscribedPaths))
            m_subscribedModel->unsubscribe(path);
    }
    m_subscribedModel.clear();
    m_subscribedPaths.clear();
}
