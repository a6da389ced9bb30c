#pragma once

#include <QPointer>
#include <QWidget>

class LocalizationDb;
class QAbstractItemModel;
class QListWidget;
class QListWidgetItem;
class QModelIndex;

// A compact list of tables, one item per row of a table model (or of a
// proxy of it): the table's name over its rules, game type and seats.
class CompactTableView : public QWidget
{
    Q_OBJECT

public:
    explicit CompactTableView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model);
    QAbstractItemModel *model() const { return m_model; }
    void setLocalizationDb(LocalizationDb *localizationDb);

    // The id of the current item, -1 when none.
    qint32 selectedTableId() const;
    int count() const;
    QListWidget *listWidget() const { return m_list; }

signals:
    void tableDoubleClicked(qint32 tableId);

private slots:
    void onRowsInserted(const QModelIndex &parent, int first, int last);
    void onRowsRemoved(const QModelIndex &parent, int first, int last);
    void onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void rebuild();
    void refreshAll();
    void onItemDoubleClicked(QListWidgetItem *item);

private:
    void fillItem(QListWidgetItem *item, int row) const;

    QPointer<QAbstractItemModel> m_model;
    QPointer<LocalizationDb> m_localizationDb;
    QListWidget *m_list = nullptr;
};
