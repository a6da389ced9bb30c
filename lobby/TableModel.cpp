#include "lobby/TableModel.h"

#include "lobby/ItemRoles.h"
#include "lobby/LobbyPath.h"
#include "lobby/LocalizationDb.h"
#include "lobby/Logging.h"
#include "lobby/TableTexts.h"
#include "protocol/ConnectionManager.h"

#include <QDebug>
#include <QTextDocument>

#include <algorithm>
#include <numeric>
#include <utility>
#include <stdexcept>

TableModel::TableModel(ConnectionManager *connection, QObject *parent)
    : QAbstractTableModel(parent)
    , m_connection(connection)
    , m_notifyTimer(new QTimer(this))
{
    m_notifyTimer->setSingleShot(true);
    m_notifyTimer->setInterval(m_notifyIntervalMs);
    connect(m_notifyTimer, &QTimer::timeout, this, &TableModel::onNotifyTimeout);
    if (connection) {
        connect(connection, qOverload<TableInfo>(&ConnectionManager::tableInfoUpdate), this,
                qOverload<const TableInfo &>(&TableModel::onTableInfoUpdate));
        connect(connection, qOverload<qint32, int, TableInfoUpdates>(&ConnectionManager::tableInfoUpdate), this,
                qOverload<qint32, int, const TableInfoUpdates &>(&TableModel::onTableInfoUpdate));
        connect(connection, &ConnectionManager::tableRemoved, this, &TableModel::onTableRemoved);
        connect(connection, &ConnectionManager::loginSuccess, this, &TableModel::onLoginSuccess);
        connect(connection, &ConnectionManager::disconnected, this, &TableModel::onDisconnected);
    }
}

TableModel::~TableModel() = default;

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()) || index.column() >= ColumnCount)
        return QVariant();
    const Row &current = m_rows[size_t(index.row())];
    const Row &row = current.announced ? *current.announced : current;
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, index.column());
    case Qt::ToolTipRole:
        // Tool tips take text that looks like markup as markup; names come
        // from the server.
        return Qt::convertFromPlainText(displayName(row));
    case Qt::TextAlignmentRole:
        if (index.column() == StakesColumn || index.column() == PlayersColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case ItemRoles::TableIdRole:
        return row.info.id();
    case ItemRoles::RawValueRole:
        return cellValue(row, index.column());
    default:
        return QVariant();
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole) {
        // Headers line up with their column's content.
        const bool numbers = section == StakesColumn || section == PlayersColumn;
        return int((numbers ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return tr("Table");
    case RulesColumn:
        return tr("Rules");
    case GameTypeColumn:
        return tr("Game");
    case StakesColumn:
        return tr("Stakes");
    case PlayersColumn:
        return tr("Players");
    default:
        return QVariant();
    }
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TableModel::subscribe(const QString &lobbyPath)
{
    int &count = m_subscriptions[lobbyPath];
    ++count;
    if (count == 1 && m_connection && m_connection->isLoggedIn()) {
        m_connection->lobby_subscribe(lobbyPath);
        m_serverPaths.insert(lobbyPath);
    }
}

void TableModel::unsubscribe(const QString &lobbyPath)
{
    const auto it = m_subscriptions.find(lobbyPath);
    if (it == m_subscriptions.end()) {
        qCWarning(lcLobby) << "unsubscribe of lobby path without subscription:" << lobbyPath;
        return;
    }
    if (--it.value() > 0)
        return;
    m_subscriptions.erase(it);
    if (m_serverPaths.remove(lobbyPath) && m_connection)
        m_connection->lobby_unsubscribe(lobbyPath);

    // Tables of a path that another subscription still covers stay.
    std::vector<int> dropped;
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const QString &path = m_rows[size_t(row)].info.lobbyPath();
        if (lobbyPathCovers(lobbyPath, path) && !isCovered(path))
            dropped.push_back(row);
    }
    removeTableRows(std::move(dropped));
}

int TableModel::subscriptionCount(const QString &lobbyPath) const
{
    return m_subscriptions.value(lobbyPath, 0);
}

bool TableModel::hasTable(qint32 tableId) const
{
    return m_rowById.contains(tableId);
}

bool TableModel::isTableFull(qint32 tableId) const
{
    const int row = rowOfTable(tableId);
    return row >= 0 && m_rows[size_t(row)].info.isFull();
}

TableInfo TableModel::tableInfo(qint32 tableId) const
{
    const int row = rowOfTable(tableId);
    if (row < 0)
        throw std::runtime_error("info for table " + std::to_string(tableId) + " unavailable");
    return m_rows[size_t(row)].info;
}

const TableInfo &TableModel::tableInfoAt(int row) const
{
    return m_rows.at(size_t(row)).info;
}

int TableModel::rowOfTable(qint32 tableId) const
{
    const int row = m_rowById.value(tableId, -1);
    if (row < 0 || (row < int(m_rows.size()) && m_rows[size_t(row)].info.id() == tableId))
        return row;
    // Inside a removal batch a row behind a removed run has moved up and is
    // renumbered when the batch is done.
    for (int moved = std::min(row, int(m_rows.size())) - 1; moved >= 0; --moved) {
        if (m_rows[size_t(moved)].info.id() == tableId)
            return moved;
    }
    return -1;
}

QString TableModel::tableName(const TableInfo &info) const
{
    return m_localizationDb ? m_localizationDb->tableName(info) : QString();
}

QString TableModel::tableNameById(qint32 tableId) const
{
    const int row = rowOfTable(tableId);
    return row < 0 ? QString() : m_rows[size_t(row)].name;
}

void TableModel::setLocalizationDb(LocalizationDb *localizationDb)
{
    if (m_localizationDb == localizationDb)
        return;
    if (m_localizationDb)
        disconnect(m_localizationDb, nullptr, this, nullptr);
    m_localizationDb = localizationDb;
    if (localizationDb)
        connect(localizationDb, &LocalizationDb::tableNamesUpdated, this, &TableModel::onTableNamesUpdated);
    onTableNamesUpdated();
}

void TableModel::onTableInfoUpdate(const TableInfo &info)
{
    if (info.id() < 1) {
        qCWarning(lcLobby) << "table information with invalid table id" << info.id() << "ignored";
        return;
    }
    const int row = rowOfTable(info.id());
    if (!isCovered(info.lobbyPath())) {
        // A late answer for a path given up since, or a table that moved
        // out of every subscribed path.
        qCDebug(lcLobby) << "table" << info.id() << "of unsubscribed lobby path" << info.lobbyPath();
        if (row >= 0)
            removeTableRows({row});
        return;
    }
    if (row < 0)
        addRow(info);
    else
        replaceRow(row, info);
}

void TableModel::onTableRemoved(qint32 tableId)
{
    // A table the server closed (a finished tournament's) is gone from
    // every lobby view and count, not only from the client's windows.
    const int row = rowOfTable(tableId);
    if (row >= 0)
        removeTableRows({row});
}

void TableModel::onTableInfoUpdate(qint32 tableId, int seated, const TableInfoUpdates &updates)
{
    const int row = rowOfTable(tableId);
    if (row < 0) {
        qCDebug(lcLobby) << "update of table" << tableId << "that the lobby does not hold ignored";
        return;
    }
    if (seated < 0) {
        qCWarning(lcLobby) << "update of table" << tableId << "with" << seated << "seated players refused";
        return;
    }
    // Applied to a copy, so that an update that fails half-way leaves the
    // table as it was.
    // The seated count goes first, so that a keyed value in the list wins,
    // as at the table.
    TableInfo updated = m_rows[size_t(row)].info;
    updated.setSeated(seated);
    try {
        applyUpdates(updated, updates);
    } catch (const std::exception &e) {
        qCWarning(lcLobby) << "update of table" << tableId << "refused:" << e.what();
        return;
    }
    updated.setId(tableId);
    if (!isCovered(updated.lobbyPath())) {
        removeTableRows({row});
        return;
    }
    replaceRow(row, updated);
}

void TableModel::onLoginSuccess()
{
    // A new session: what the lobby held belongs to the last one, and the
    // server knows none of our paths yet.
    std::vector<int> all(m_rows.size());
    std::iota(all.begin(), all.end(), 0);
    removeTableRows(std::move(all));
    for (auto it = m_subscriptions.cbegin(); it != m_subscriptions.cend(); ++it) {
        if (!m_serverPaths.contains(it.key()) && m_connection) {
            m_connection->lobby_subscribe(it.key());
            m_serverPaths.insert(it.key());
        }
    }
}

void TableModel::onDisconnected()
{
    m_serverPaths.clear();
}

void TableModel::onTableNamesUpdated()
{
    if (m_rows.empty())
        return;
    flushChanges();
    for (Row &row : m_rows)
        row.name = tableName(row.info);
    emit dataChanged(index(0, NameColumn), index(int(m_rows.size()) - 1, NameColumn));
}

bool TableModel::isCovered(const QString &lobbyPath) const
{
    for (auto it = m_subscriptions.cbegin(); it != m_subscriptions.cend(); ++it) {
        if (lobbyPathCovers(it.key(), lobbyPath))
            return true;
    }
    return false;
}

void TableModel::addRow(const TableInfo &info)
{
    const int row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(Row{info, tableName(info), nullptr});
    m_rowById.insert(info.id(), row);
    endInsertRows();
    emit tableAdded(info.id());
}

void TableModel::replaceRow(int row, const TableInfo &info)
{
    Row &current = m_rows[size_t(row)];
    Row updated{info, tableName(info), nullptr};
    // Only the cells that changed are announced, so that a sorted view moves
    // at most this row and only when its sort column changed.
    int first = ColumnCount;
    int last = -1;
    for (int column = 0; column < ColumnCount; ++column) {
        if (column == NameColumn ? current.name != updated.name
                                 : cellValue(current, column) != cellValue(updated, column)) {
            first = std::min(first, column);
            last = column;
        }
    }
    // A change that waits for the end of the interval keeps the row's old
    // face for the views until it is announced.
    if (last >= 0 && !current.announced && m_notifyIntervalMs > 0 && m_notifyTimer->isActive())
        current.announced = std::make_unique<Row>(Row{current.info, current.name, nullptr});
    current.info = std::move(updated.info);
    current.name = std::move(updated.name);
    if (last >= 0)
        noteChanged(current.info.id(), first, last);
}

void TableModel::setNotifyInterval(int ms)
{
    m_notifyIntervalMs = qMax(0, ms);
    m_notifyTimer->setInterval(m_notifyIntervalMs);
    if (m_notifyIntervalMs == 0) {
        m_notifyTimer->stop();
        flushChanges();
    }
}

void TableModel::flushChanges()
{
    if (m_pendingChanges.isEmpty())
        return;
    const auto pending = std::exchange(m_pendingChanges, {});
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        const int row = rowOfTable(it.key());
        if (row < 0) // a table removed meanwhile has nothing to announce
            continue;
        // One row at a time shows its new values, so that each announcement
        // meets an otherwise consistent model.
        m_rows[size_t(row)].announced.reset();
        emit dataChanged(index(row, it->first), index(row, it->second));
    }
}

void TableModel::noteChanged(qint32 tableId, int firstColumn, int lastColumn)
{
    if (m_notifyIntervalMs == 0) {
        const int row = rowOfTable(tableId);
        emit dataChanged(index(row, firstColumn), index(row, lastColumn));
        return;
    }
    auto it = m_pendingChanges.find(tableId);
    if (it == m_pendingChanges.end()) {
        m_pendingChanges.insert(tableId, {firstColumn, lastColumn});
    } else {
        it->first = std::min(it->first, firstColumn);
        it->second = std::max(it->second, lastColumn);
    }
    if (!m_notifyTimer->isActive()) {
        // The first change after a quiet interval goes out at once.
        flushChanges();
        m_notifyTimer->start();
    }
}

void TableModel::onNotifyTimeout()
{
    if (m_pendingChanges.isEmpty())
        return;
    flushChanges();
    m_notifyTimer->start();
}

void TableModel::removeTableRows(std::vector<int> rows)
{
    if (rows.empty())
        return;
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Contiguous runs, from the back so that the rows still to remove keep
    // their numbers.
    std::vector<std::pair<int, int>> runs;
    for (size_t i = 0; i < rows.size();) {
        const int last = rows[i];
        int first = last;
        while (++i < rows.size() && rows[i] == first - 1)
            --first;
        runs.emplace_back(first, last);
    }
    std::vector<qint32> ids;
    ids.reserve(rows.size());
    auto forget = [&](int row) {
        const qint32 id = m_rows[size_t(row)].info.id();
        ids.push_back(id);
        m_rowById.remove(id);
        m_pendingChanges.remove(id);
    };
    if (runs.size() > MaxRemovalRuns) {
        // Every run costs each proxy and view a pass over all rows: many
        // scattered rows go in one reset instead.
        beginResetModel();
        std::vector<bool> gone(m_rows.size(), false);
        for (int row : rows) {
            forget(row);
            gone[size_t(row)] = true;
        }
        size_t kept = 0;
        for (size_t row = 0; row < m_rows.size(); ++row) {
            if (!gone[row])
                m_rows[kept++] = std::move(m_rows[row]);
        }
        m_rows.erase(m_rows.begin() + std::ptrdiff_t(kept), m_rows.end());
        reindexFrom(0);
        endResetModel();
    } else {
        // The ids behind a removed run are renumbered once, after the last
        // run; rowOfTable() finds a row that moved meanwhile.
        for (const auto &[first, last] : runs) {
            beginRemoveRows(QModelIndex(), first, last);
            for (int row = first; row <= last; ++row)
                forget(row);
            m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
            endRemoveRows();
        }
        reindexFrom(runs.back().first);
    }
    // Announced once all are gone: a receiver may change the model again.
    for (qint32 id : ids)
        emit tableRemoved(id);
}

void TableModel::reindexFrom(int firstRow)
{
    for (int row = firstRow; row < int(m_rows.size()); ++row)
        m_rowById[m_rows[size_t(row)].info.id()] = row;
}

QString TableModel::displayName(const Row &row) const
{
    if (!row.name.isEmpty())
        return row.name;
    return tr("Table %1").arg(row.info.id());
}

QVariant TableModel::cellText(const Row &row, int column) const
{
    const TableInfo &info = row.info;
    switch (column) {
    case NameColumn:
        return displayName(row);
    case RulesColumn:
        return rulesetName(info.ruleset());
    case GameTypeColumn:
        return effectiveGameTypeName(info.gameType(), info.windRounds());
    case StakesColumn:
        return info.buyInText();
    case PlayersColumn:
        return tr("%1/%2").arg(info.seated()).arg(info.capacity());
    default:
        return QVariant();
    }
}

QVariant TableModel::cellValue(const Row &row, int column) const
{
    const TableInfo &info = row.info;
    switch (column) {
    case NameColumn:
        return displayName(row);
    case RulesColumn:
        return info.ruleset();
    case GameTypeColumn:
        return effectiveGameType(info.gameType(), info.windRounds());
    case StakesColumn:
        return QVariant::fromValue(info.value());
    case PlayersColumn:
        return QVariant::fromValue(info.tableCapacity());
    default:
        return QVariant();
    }
}
