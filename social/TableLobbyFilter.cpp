#include "social/TableLobbyFilter.h"

#include <QAbstractItemModel>

bool TableLobbyFilter::acceptsRow(const QAbstractItemModel *model, int row) const
{
    if (m_tableIds.isEmpty() || !model)
        return false;
    return m_tableIds.contains(model->index(row, 0).data(Qt::UserRole).toInt());
}

void TableLobbyFilter::clear()
{
    m_paths.clear();
    m_tableIds.clear();
}

void TableLobbyFilter::addTable(const QString &lobbyPath, qint32 tableId)
{
    m_paths.append(lobbyPath);
    m_tableIds.insert(tableId);
}
