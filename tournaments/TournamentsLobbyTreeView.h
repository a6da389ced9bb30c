#pragma once

#include <QList>
#include <QPersistentModelIndex>
#include <QTreeView>

// The tournament list. A busy lobby re-sorts its rows many times a second,
// mostly rows that move from one place out of sight to another; after such a
// re-sort the view repaints only the places on screen whose row changed or
// moved, and the rows whose cells changed meanwhile, instead of every cell it
// shows. Anything else that relays the rows out (rows coming or going, a
// reset, a new selection, a change of style or font) repaints them all, as a
// plain tree view does.
class TournamentsLobbyTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit TournamentsLobbyTreeView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    void doItemsLayout() override;
    void reset() override;
    void setRootIndex(const QModelIndex &index) override;

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    bool event(QEvent *event) override;

private:
    struct Shown
    {
        QPersistentModelIndex row;
        int top = 0;
        int height = 0;
    };

    void onLayoutAboutToBeChanged(const QList<QPersistentModelIndex> &parents,
                                  QAbstractItemModel::LayoutChangeHint hint);
    // The next layout repaints the whole view.
    void relayOutAll();
    QList<Shown> shownRows() const;
    void repaintChangedPlaces();

    QMetaObject::Connection m_layoutConnection;
    // The rows on screen before the re-sorts that the next layout follows;
    // empty when none is waiting.
    QList<Shown> m_shownBefore;
    bool m_resortPending = false;
    // Rows whose cells changed while the layout waited: a plain view leaves
    // them to the full repaint that this one avoids.
    QList<QPersistentModelIndex> m_changedMeanwhile;
};
