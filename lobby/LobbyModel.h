#pragma once

#include <QPointer>
#include <QSortFilterProxyModel>
#include <QStringList>

class LobbyFilter;
class TableModel;

// The tables of the lobby's table model that the current filter accepts,
// sorted on the raw cell values. Without a filter it shows nothing. The
// filter's lobby paths stay subscribed while it is set; the model does not
// own the filter.
class LobbyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit LobbyModel(QObject *parent = nullptr);
    ~LobbyModel() override;

    void setSourceModel(QAbstractItemModel *sourceModel) override;

    void setFilter(LobbyFilter *filter);
    LobbyFilter *filter() const { return m_filter; }

public slots:
    // Re-applies the filter after its own criteria changed.
    void refilter();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    void subscribeFilterPaths();
    void unsubscribeFilterPaths();

    LobbyFilter *m_filter = nullptr;
    // The table model the paths were subscribed at and the paths themselves,
    // so that they are given back exactly even if the filter changed since.
    QPointer<TableModel> m_subscribedModel;
    QStringList m_subscribedPaths;
};
