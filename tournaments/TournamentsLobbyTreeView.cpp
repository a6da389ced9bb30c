#include "tournaments/TournamentsLobbyTreeView.h"

#include <QEvent>
#include <QRegion>

namespace {
// More changed rows than this while a layout waits: the whole view is repainted.
constexpr int MaxRowsToFollow = 64;
} // namespace

TournamentsLobbyTreeView::TournamentsLobbyTreeView(QWidget *parent)
    : QTreeView(parent)
{
}

void TournamentsLobbyTreeView::setModel(QAbstractItemModel *model)
{
    disconnect(m_layoutConnection);
    relayOutAll();
    QTreeView::setModel(model);
    if (model)
        m_layoutConnection = connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this,
                                     &TournamentsLobbyTreeView::onLayoutAboutToBeChanged);
}

void TournamentsLobbyTreeView::onLayoutAboutToBeChanged(const QList<QPersistentModelIndex> &,
                                                        QAbstractItemModel::LayoutChangeHint hint)
{
    // A hidden list is painted whole when it shows.
    if (hint == QAbstractItemModel::HorizontalSortHint || !isVisible()) {
        relayOutAll();
        return;
    }
    // Later re-sorts before the layout are followed by the same rows.
    if (m_resortPending)
        return;
    // A layout already waiting for another reason is done first (shownRows
    // asks for positions, which lays out), with its full repaint.
    m_shownBefore = shownRows();
    m_resortPending = true;
}

void TournamentsLobbyTreeView::relayOutAll()
{
    m_resortPending = false;
    m_shownBefore.clear();
    m_changedMeanwhile.clear();
}

QList<TournamentsLobbyTreeView::Shown> TournamentsLobbyTreeView::shownRows() const
{
    QList<Shown> rows;
    const int height = viewport()->height();
    QModelIndex index = indexAt(QPoint(0, 0));
    while (index.isValid()) {
        const QRect place = visualRect(index);
        if (place.top() >= height)
            break;
        rows.append({QPersistentModelIndex(index.siblingAtColumn(0)), place.top(), place.height()});
        index = indexBelow(index);
    }
    return rows;
}

void TournamentsLobbyTreeView::doItemsLayout()
{
    QWidget *port = viewport();
    if (!m_resortPending || !port->updatesEnabled()) {
        relayOutAll();
        QTreeView::doItemsLayout();
        return;
    }
    m_resortPending = false;
    // The layout asks for a repaint of the whole view; this one is held back
    // and only the places that changed are asked for below.
    port->setAttribute(Qt::WA_UpdatesDisabled, true);
    QTreeView::doItemsLayout();
    port->setAttribute(Qt::WA_UpdatesDisabled, false);
    repaintChangedPlaces();
}

void TournamentsLobbyTreeView::repaintChangedPlaces()
{
    const QList<Shown> before = std::exchange(m_shownBefore, {});
    const QList<QPersistentModelIndex> changed = std::exchange(m_changedMeanwhile, {});
    const QList<Shown> now = shownRows();
    QWidget *port = viewport();
    const int width = port->width();
    const int height = port->height();
    QRegion dirty;
    const qsizetype places = std::max(before.size(), now.size());
    for (qsizetype i = 0; i < places; ++i) {
        // A list that grew or shrank on screen: the rest of the view.
        if (i >= before.size() || i >= now.size()) {
            const int top = i < now.size() ? now[i].top : before[i].top;
            dirty += QRect(0, top, width, height - top);
            break;
        }
        const Shown &was = before[i];
        const Shown &is = now[i];
        if (was.row != is.row || was.top != is.top || was.height != is.height) {
            dirty += QRect(0, was.top, width, was.height);
            dirty += QRect(0, is.top, width, is.height);
        }
    }
    for (const QPersistentModelIndex &row : changed) {
        if (!row.isValid())
            continue;
        const QRect place = visualRect(row);
        if (place.isValid())
            dirty += QRect(0, place.top(), width, place.height());
    }
    dirty &= port->rect();
    if (!dirty.isEmpty())
        port->update(dirty);
}

void TournamentsLobbyTreeView::reset()
{
    relayOutAll();
    QTreeView::reset();
}

void TournamentsLobbyTreeView::setRootIndex(const QModelIndex &index)
{
    relayOutAll();
    QTreeView::setRootIndex(index);
}

void TournamentsLobbyTreeView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                           const QList<int> &roles)
{
    if (m_resortPending && topLeft.isValid() && bottomRight.isValid()) {
        if (bottomRight.row() - topLeft.row() >= MaxRowsToFollow || m_changedMeanwhile.size() >= MaxRowsToFollow) {
            relayOutAll();
        } else {
            for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                m_changedMeanwhile.append(QPersistentModelIndex(topLeft.siblingAtRow(row).siblingAtColumn(0)));
        }
    }
    QTreeView::dataChanged(topLeft, bottomRight, roles);
}

void TournamentsLobbyTreeView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    relayOutAll();
    QTreeView::rowsInserted(parent, start, end);
}

void TournamentsLobbyTreeView::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    relayOutAll();
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void TournamentsLobbyTreeView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    relayOutAll();
    QTreeView::selectionChanged(selected, deselected);
}

void TournamentsLobbyTreeView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    relayOutAll();
    QTreeView::currentChanged(current, previous);
}

bool TournamentsLobbyTreeView::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::LocaleChange:
    case QEvent::LanguageChange:
        relayOutAll();
        break;
    default:
        break;
    }
    return QTreeView::event(event);
}
