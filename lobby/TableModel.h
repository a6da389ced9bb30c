#pragma once

#include "protocol/TableInfo.h"
#include "protocol/TableInfoUpdates.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

class ConnectionManager;
class LocalizationDb;

// The lobby's tables as the server reports them, one row per table, for the
// lobby paths subscribed through subscribe(). Every cell answers the table id
// under ItemRoles::TableIdRole and its raw sort value under
// ItemRoles::RawValueRole.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, RulesColumn, GameTypeColumn, StakesColumn, PlayersColumn, ColumnCount };

    explicit TableModel(ConnectionManager *connection, QObject *parent = nullptr);
    ~TableModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Reference-counted: the first subscription of a path asks the server for
    // its tables, the last unsubscription tells it to stop and drops the
    // tables no other subscribed path covers. Paths subscribed while logged
    // out, or before a new login, are asked for at the login.
    void subscribe(const QString &lobbyPath);
    void unsubscribe(const QString &lobbyPath);
    int subscriptionCount(const QString &lobbyPath) const;

    bool hasTable(qint32 tableId) const;
    // Seated players equal seats; false for an unknown table.
    bool isTableFull(qint32 tableId) const;
    // Throws std::runtime_error for a table the model does not hold.
    TableInfo tableInfo(qint32 tableId) const;
    // The record of a row (0 <= row < rowCount()).
    const TableInfo &tableInfoAt(int row) const;
    // The row of a table, -1 when the model does not hold it.
    int rowOfTable(qint32 tableId) const;
    // Tables leaving together in more separate runs of rows than this reset
    // the model instead of being removed run by run.
    static constexpr size_t MaxRemovalRuns = 32;

    // The localized name; empty without a localization database.
    QString tableName(const TableInfo &info) const;
    // The same by id; empty for a table the model does not hold.
    QString tableNameById(qint32 tableId) const;
    void setLocalizationDb(LocalizationDb *localizationDb);

    // Changes of rows are announced at once when none was announced in the
    // last interval, otherwise together at its end, so that a busy lobby
    // costs its views one sort-and-paint per interval rather than one per
    // update. The records (tableInfo(), tableInfoAt()) are always current;
    // data() shows a row as last announced, so that a sorted proxy never
    // meets rows whose values changed behind its back. 0 announces every
    // change at once.
    static constexpr int DefaultNotifyIntervalMs = 100;
    void setNotifyInterval(int ms);
    int notifyInterval() const { return m_notifyIntervalMs; }
    // Announces the changes still waiting for the end of the interval.
    void flushChanges();

signals:
    void tableAdded(qint32 tableId);
    void tableRemoved(qint32 tableId);

public slots:
    void onTableInfoUpdate(const TableInfo &info);
    void onTableInfoUpdate(qint32 tableId, int seated, const TableInfoUpdates &updates);
    void onTableNamesUpdated();
    void onTableRemoved(qint32 tableId);

private slots:
    void onNotifyTimeout();
    void onLoginSuccess();
    void onDisconnected();

private:
    struct Row
    {
        TableInfo info;
        QString name;
        // The row as views last heard of it, while a change waits.
        std::unique_ptr<Row> announced;
    };

    bool isCovered(const QString &lobbyPath) const;
    void addRow(const TableInfo &info);
    void replaceRow(int row, const TableInfo &info);
    // Removes the given rows (any order); emits tableRemoved for each.
    void removeTableRows(std::vector<int> rows);
    void reindexFrom(int firstRow);
    void noteChanged(qint32 tableId, int firstColumn, int lastColumn);
    QString displayName(const Row &row) const;
    QVariant cellText(const Row &row, int column) const;
    QVariant cellValue(const Row &row, int column) const;

    QPointer<ConnectionManager> m_connection;
    QPointer<LocalizationDb> m_localizationDb;
    std::vector<Row> m_rows;
    QHash<qint32, int> m_rowById;
    QHash<QString, int> m_subscriptions;
    // The paths subscribed at the server in the current session.
    QSet<QString> m_serverPaths;
    // Changed column ranges by table id, waiting to be announced.
    QHash<qint32, std::pair<int, int>> m_pendingChanges;
    QTimer *m_notifyTimer = nullptr;
    int m_notifyIntervalMs = DefaultNotifyIntervalMs;
};
