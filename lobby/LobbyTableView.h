#pragma once

#include <QAbstractItemModel>
#include <QTreeView>

// The lobby's flat list of tables. A sorted lobby moves a row on almost every
// table update; the tree view would lay out every row again for each move,
// which grows with the size of the lobby. A sort move of a flat list keeps
// its rows and their indexes, so a repaint is all it needs.
class LobbyTableView : public QTreeView
{
    Q_OBJECT

public:
    explicit LobbyTableView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;

private:
    void onLayoutAboutToBeChanged();
    void onLayoutChanged(const QList<QPersistentModelIndex> &parents, QAbstractItemModel::LayoutChangeHint hint);

    int m_rowsBeforeLayout = -1;
};
