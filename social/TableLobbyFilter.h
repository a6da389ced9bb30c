#pragma once

#include "lobby/LobbyFilter.h"

#include <QList>
#include <QSet>
#include <QString>

// The tables a friend sits at, by id, with the lobby paths they are under.
class TableLobbyFilter : public LobbyFilter
{
public:
    int lobbyPathCount() const override { return int(m_paths.size()); }
    QString lobbyPath(int index) const override { return m_paths.value(index); }
    bool acceptsRow(const QAbstractItemModel *model, int row) const override;

    void clear();
    void addTable(const QString &lobbyPath, qint32 tableId);
    bool isEmpty() const { return m_tableIds.isEmpty(); }
    const QSet<qint32> &tableIds() const { return m_tableIds; }
    const QList<QString> &paths() const { return m_paths; }

private:
    QList<QString> m_paths;
    QSet<qint32> m_tableIds;
};
