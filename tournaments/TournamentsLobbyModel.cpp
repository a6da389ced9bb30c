#include "tournaments/TournamentsLobbyModel.h"

#include "core/TextFormat.h"
#include "lobby/TableTexts.h"
#include "protocol/ConnectionManager.h"
#include "protocol/ProtocolMetaTypes.h"
#include "tournaments/CheckedItem.h"
#include "tournaments/Logging.h"
#include "tournaments/TournamentItems.h"
#include "tournaments/TournamentRoles.h"
#include "tournaments/TournamentTexts.h"

#include <QTextDocument>
#include <QTimer>

#include <stdexcept>
#include <utility>

namespace {

constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

// Names come from the server: a tool tip would take markup as markup.
QString tournamentToolTip(const TournamentInfo &info)
{
    return Qt::convertFromPlainText(info.name);
}

QString buyInText(const qint64 &cents)
{
    return cents == 0 ? formatTableValuePart(0) : tournamentAmountText(cents);
}

QString potText(const qint64 &cents)
{
    return tournamentAmountText(cents);
}

template <typename T>
void setCellValue(QStandardItem *cell, const T &value)
{
    auto *item = static_cast<CustomItem<T> *>(cell);
    if (!(item->value() == value))
        item->setValue(value);
}

} // namespace

TournamentsLobbyModel::TournamentsLobbyModel(QObject *parent)
    : QStandardItemModel(parent)
    , m_notifyTimer(new QTimer(this))
{
    m_notifyTimer->setSingleShot(true);
    m_notifyTimer->setInterval(m_notifyIntervalMs);
    connect(m_notifyTimer, &QTimer::timeout, this, &TournamentsLobbyModel::onNotifyTimeout);
    m_listTimer = new QTimer(this);
    m_listTimer->setSingleShot(true);
    connect(m_listTimer, &QTimer::timeout, this, [this] {
        if (std::exchange(m_listChanged, false))
            emit changesShown();
    });
    registerProtocolMetaTypes();
    qRegisterMetaType<TournamentRegisteredInfo>("TournamentRegisteredInfo");
    setColumnCount(ColumnCount);
    // The model keeps itself in order of start; proxies sort on the same values.
    setSortRole(TournamentRoles::RawValueRole);
    retranslate();
}

void TournamentsLobbyModel::setSession(ConnectionManager *session)
{
    if (m_session)
        disconnect(m_session, nullptr, this, nullptr);
    m_session = session;
    if (!session)
        return;
    connect(session, qOverload<TournamentInfo>(&ConnectionManager::tournamentInfoUpdate), this,
            &TournamentsLobbyModel::addOrUpdateTournament);
    connect(session, qOverload<qint32, TournamentInfoUpdates>(&ConnectionManager::tournamentInfoUpdate), this,
            &TournamentsLobbyModel::updateTournamentInfo);
    connect(session, &ConnectionManager::tournamentRemoved, this, &TournamentsLobbyModel::onTournamentRemoved);
    connect(session, &ConnectionManager::notifyRegistered, this, &TournamentsLobbyModel::onRegisteredNotification);
    connect(session, &ConnectionManager::tournamentRegisterSuccess, this,
            &TournamentsLobbyModel::onTournamentRegisterSuccess);
    connect(session, &ConnectionManager::tournamentUnregisterSuccess, this,
            &TournamentsLobbyModel::onTournamentUnregisterSuccess);
    connect(session, &ConnectionManager::tournamentLeaveSuccess, this,
            &TournamentsLobbyModel::onTournamentLeaveSuccess);
    connect(session, &ConnectionManager::loginSuccess, this, &TournamentsLobbyModel::onLoginSuccess);
    if (session->isLoggedIn())
        session->tournaments_lobby_subscribe();
}

void TournamentsLobbyModel::onLoginSuccess()
{
    // A new session: what the lobby held belongs to the last one.
    removeAll();
    m_registeredIds.clear();
    if (m_session)
        m_session->tournaments_lobby_subscribe();
}

int TournamentsLobbyModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : QStandardItemModel::rowCount(parent);
}

void TournamentsLobbyModel::retranslate()
{
    setHorizontalHeaderLabels(
        {QString(), tr("Start"), tr("Status"), tr("Name"), tr("Rules"), tr("Players"), tr("Buy-in"), tr("Pot")});
    for (auto &[id, entry] : m_tournaments) {
        const QString toolTip = tournamentToolTip(entry.info);
        for (QStandardItem *cell : entry.rowItems)
            cell->setToolTip(toolTip);
    }
    // Status and rules texts are made when asked for: views ask again.
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

const TournamentInfo &TournamentsLobbyModel::tournamentInfo(qint32 id) const
{
    const auto it = m_tournaments.find(id);
    if (it == m_tournaments.end())
        throw std::runtime_error("info for tournament " + std::to_string(id) + " unavailable");
    return it->second.info;
}

QList<qint32> TournamentsLobbyModel::tournamentIds() const
{
    QList<qint32> ids;
    ids.reserve(qsizetype(m_tournaments.size()));
    for (const auto &[id, entry] : m_tournaments)
        ids.append(id);
    return ids;
}

qint32 TournamentsLobbyModel::tournamentIdByPersistentId(qint32 persistentId) const
{
    for (const auto &[id, entry] : m_tournaments) {
        if (entry.info.persistentId == persistentId)
            return id;
    }
    return -1;
}

bool TournamentsLobbyModel::hasTournament(qint32 id) const
{
    return m_tournaments.count(id) != 0;
}

QModelIndex TournamentsLobbyModel::indexOfTournament(qint32 id) const
{
    const auto it = m_tournaments.find(id);
    if (it == m_tournaments.end() || it->second.rowItems.isEmpty())
        return QModelIndex();
    return indexFromItem(it->second.rowItems.first());
}

void TournamentsLobbyModel::addOrUpdateTournament(const TournamentInfo &info)
{
    if (info.id < 1) {
        qCWarning(lcTournaments) << "tournament record with invalid id" << info.id << "ignored";
        return;
    }
    const auto it = m_tournaments.find(info.id);
    if (it == m_tournaments.end()) {
        Entry &entry = m_tournaments[info.id];
        entry.info = info;
        entry.info.playerRegistered = m_registeredIds.count(info.id) != 0;
        addRow(entry);
        emit tournamentAdded(entry.info);
        noteListChange();
        return;
    }
    Entry &entry = it->second;
    const bool registered = entry.info.playerRegistered;
    entry.info = info;
    entry.info.playerRegistered = registered;
    refreshRow(entry);
}

void TournamentsLobbyModel::addRow(Entry &entry)
{
    const TournamentInfo &info = entry.info;
    const QString toolTip = tournamentToolTip(info);
    auto *mark = new CheckedItem(info.playerRegistered);
    mark->setEditable(false);
    mark->setToolTip(toolTip);
    entry.rowItems = {
        mark,
        createDateTimeItem(info.start, toolTip, &Utils::localDateTimeString),
        createIntItem(int(info.status), toolTip, &tournamentStatusName),
        createStandardItem(info.name, toolTip, Left),
        createIntItem(info.ruleset, toolTip, &rulesetName),
        createRegisteredInfoItem({info.registeredPlayers, info.maxPlayers}, toolTip),
        createAmountItem(tournamentBuyIn(info), toolTip, &buyInText),
        createAmountItem(tournamentPot(info), toolTip, &potText),
    };
    for (QStandardItem *cell : entry.rowItems)
        cell->setData(info.id, TournamentRoles::IdRole);
    appendRow(entry.rowItems);
    // New rows are not sorted in; the next new start sorts them.
    if (m_inStartOrder && !inStartOrder(entry.rowItems.first()->row()))
        m_inStartOrder = false;
}

void TournamentsLobbyModel::refreshRow(Entry &entry)
{
    emit tournamentUpdated(entry.info);
    if (m_notifyIntervalMs == 0) {
        showRecord(entry);
        emit changesShown();
        return;
    }
    m_pendingRows.insert(entry.info.id);
    if (!m_notifyTimer->isActive()) {
        // The first change after a quiet interval shows at once.
        flushChanges();
        m_notifyTimer->start();
    }
}

void TournamentsLobbyModel::setNotifyInterval(int ms)
{
    m_notifyIntervalMs = qMax(0, ms);
    m_notifyTimer->setInterval(m_notifyIntervalMs);
    if (m_notifyIntervalMs == 0) {
        m_notifyTimer->stop();
        flushChanges();
    }
}

void TournamentsLobbyModel::flushChanges()
{
    const std::set<qint32> pending = std::exchange(m_pendingRows, {});
    for (qint32 id : pending) {
        const auto it = m_tournaments.find(id);
        if (it != m_tournaments.end()) // a tournament removed meanwhile shows nothing
            showRecord(it->second);
    }
    if (!pending.empty() || std::exchange(m_listChanged, false))
        emit changesShown();
}

void TournamentsLobbyModel::noteListChange()
{
    m_listChanged = true;
    if (m_notifyIntervalMs == 0 || !m_listTimer->isActive()) {
        m_listChanged = false;
        emit changesShown();
        if (m_notifyIntervalMs > 0)
            m_listTimer->start(m_notifyIntervalMs);
    }
}

void TournamentsLobbyModel::onNotifyTimeout()
{
    if (m_pendingRows.empty())
        return;
    flushChanges();
    m_notifyTimer->start();
}

void TournamentsLobbyModel::showRecord(Entry &entry)
{
    const TournamentInfo &info = entry.info;
    const QList<QStandardItem *> &cells = entry.rowItems;
    const QString toolTip = tournamentToolTip(info);
    const bool startChanged = static_cast<CustomItem<QDateTime> *>(cells[StartColumn])->value() != info.start;

    // Only cells whose value differs are set: each set is an announcement
    // that a sorted, filtered view acts on.
    auto *mark = static_cast<CheckedItem *>(cells[MarkColumn]);
    const bool markChanged = mark->isChecked() != info.playerRegistered;
    mark->setChecked(info.playerRegistered);
    setCellValue(cells[StartColumn], info.start);
    setCellValue(cells[StatusColumn], int(info.status));
    if (cells[NameColumn]->text() != info.name)
        cells[NameColumn]->setText(info.name);
    setCellValue(cells[RulesColumn], info.ruleset);
    setCellValue(cells[PlayersColumn], TournamentRegisteredInfo{info.registeredPlayers, info.maxPlayers});
    setCellValue(cells[BuyInColumn], tournamentBuyIn(info));
    setCellValue(cells[PotColumn], tournamentPot(info));
    if (cells[NameColumn]->toolTip() != toolTip) {
        for (QStandardItem *cell : cells)
            cell->setToolTip(toolTip);
    }

    // The mark decides the order in every column: a sorted proxy moves only
    // rows whose sort column it hears of.
    if (markChanged) {
        const int row = mark->row();
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    }
    // Only a new start can move the row in the model's own order. Sorting a
    // list already in order changes nothing but still makes every proxy map
    // all its rows again and every view lay them out again: it is sorted only
    // when the order changes.
    if (startChanged && (!m_inStartOrder || !inStartOrder(cells[StartColumn]->row()))) {
        sort(StartColumn, Qt::AscendingOrder);
        m_inStartOrder = true;
    }
}

bool TournamentsLobbyModel::inStartOrder(int row) const
{
    // The rest of the list is in order: the row is too when it is not before
    // the one above it nor after the one below it (the sort is stable).
    const QStandardItem *cell = item(row, StartColumn);
    const QStandardItem *above = row > 0 ? item(row - 1, StartColumn) : nullptr;
    const QStandardItem *below = row + 1 < rowCount() ? item(row + 1, StartColumn) : nullptr;
    return cell && !(above && *cell < *above) && !(below && *below < *cell);
}

void TournamentsLobbyModel::updateTournamentInfo(qint32 tournamentId, const TournamentInfoUpdates &updates)
{
    const auto it = m_tournaments.find(tournamentId);
    if (it == m_tournaments.end()) {
        qCWarning(lcTournaments) << "No tournament with id" << tournamentId << "to update";
        return;
    }
    Entry &entry = it->second;
    // Applied to a copy: an update that fails half-way changes nothing.
    TournamentInfo updated = entry.info;
    try {
        applyUpdates(updated, updates);
    } catch (const std::exception &e) {
        qCWarning(lcTournaments) << "update of tournament" << tournamentId << "refused:" << e.what();
        return;
    }
    const TournamentInfo::status_t oldStatus = entry.info.status;
    updated.id = tournamentId;
    updated.playerRegistered = entry.info.playerRegistered;
    entry.info = updated;
    refreshRow(entry);
    if (oldStatus != TournamentInfo::Unknown && oldStatus != updated.status)
        emit tournamentStatusChanged(tournamentId, oldStatus, updated.status);
}

void TournamentsLobbyModel::onRegisteredNotification(const std::vector<qint32> &tournamentIds)
{
    m_registeredIds = std::set<qint32>(tournamentIds.begin(), tournamentIds.end());
    // The notice may come after the records: rows whose mark it changes
    // follow it.
    for (auto &[id, entry] : m_tournaments) {
        const bool registered = m_registeredIds.count(id) != 0;
        if (entry.info.playerRegistered != registered) {
            entry.info.playerRegistered = registered;
            refreshRow(entry);
        }
    }
}

void TournamentsLobbyModel::onTournamentRemoved(qint32 tournamentId)
{
    const auto it = m_tournaments.find(tournamentId);
    if (it == m_tournaments.end()) {
        qCWarning(lcTournaments) << "No tournament to remove with id" << tournamentId;
        return;
    }
    const QModelIndex index = indexOfTournament(tournamentId);
    if (index.isValid())
        removeRow(index.row());
    else
        qCWarning(lcTournaments) << "invalid index returned";
    m_tournaments.erase(it);
    m_pendingRows.erase(tournamentId);
    emit tournamentRemoved(tournamentId);
    noteListChange();
}

void TournamentsLobbyModel::onTournamentRegisterSuccess(qint32 tournamentId)
{
    if (!hasTournament(tournamentId)) {
        qCDebug(lcTournaments) << "registered for tournament" << tournamentId << "that the lobby does not hold";
        return;
    }
    setRegistered(tournamentId, true);
}

void TournamentsLobbyModel::onTournamentUnregisterSuccess(qint32 tournamentId)
{
    if (!hasTournament(tournamentId)) {
        qCWarning(lcTournaments).nospace() << "No tournament found with id " << tournamentId << ", cannot leave";
        return;
    }
    setRegistered(tournamentId, false);
}

void TournamentsLobbyModel::onTournamentLeaveSuccess(qint32 tournamentId)
{
    onTournamentUnregisterSuccess(tournamentId);
}

void TournamentsLobbyModel::setRegistered(qint32 tournamentId, bool registered)
{
    Entry &entry = m_tournaments.at(tournamentId);
    entry.info.playerRegistered = registered;
    refreshRow(entry);
}

void TournamentsLobbyModel::removeAll()
{
    const QList<qint32> ids = tournamentIds();
    for (qint32 id : ids)
        onTournamentRemoved(id);
}
