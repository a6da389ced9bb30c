#include "lobby/LobbyTableView.h"

#include <QAccessible>

LobbyTableView::LobbyTableView(QWidget *parent)
    : QTreeView(parent)
{
}

void LobbyTableView::setModel(QAbstractItemModel *model)
{
    if (QAbstractItemModel *old = this->model()) {
        disconnect(old, &QAbstractItemModel::layoutAboutToBeChanged, this, &LobbyTableView::onLayoutAboutToBeChanged);
        disconnect(old, &QAbstractItemModel::layoutChanged, this, &LobbyTableView::onLayoutChanged);
    }
    QTreeView::setModel(model);
    if (!model)
        return;
    // The item view's own handling lays every row out again; ours does that
    // only for a change that is not a plain sort move.
    disconnect(model, SIGNAL(layoutChanged()), this, SLOT(_q_layoutChanged()));
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, &LobbyTableView::onLayoutAboutToBeChanged);
    connect(model, &QAbstractItemModel::layoutChanged, this, &LobbyTableView::onLayoutChanged);
}

void LobbyTableView::onLayoutAboutToBeChanged()
{
    m_rowsBeforeLayout = model()->rowCount(rootIndex());
}

void LobbyTableView::onLayoutChanged(const QList<QPersistentModelIndex> &parents,
                                     QAbstractItemModel::LayoutChangeHint hint)
{
    Q_UNUSED(parents)
    const bool sortMove = hint == QAbstractItemModel::VerticalSortHint
                          && model()->rowCount(rootIndex()) == m_rowsBeforeLayout;
    m_rowsBeforeLayout = -1;
    if (sortMove)
        viewport()->update();
    else
        scheduleDelayedItemsLayout();
}

void LobbyTableView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    // The tree view looks the changed rows up by a search through every row.
    // Rows of a flat list with uniform heights keep their size: a repaint of
    // what is visible is enough.
    if (!uniformRowHeights() || topLeft.parent().isValid() || state() == EditingState || QAccessible::isActive()) {
        QTreeView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    viewport()->update();
}
