#include "table/GameController.h"

#include "game/GameModel.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "protocol/ServerError.h"
#include "social/PlayerDb.h"
#include "table/GameWindow.h"
#include "table/Logging.h"
#include "tournaments/TournamentsLobbyModel.h"

#include <QApplication>
#include <QScopeGuard>
#include <QWidget>

namespace {

QString tournamentLobbyPath(qint32 tournamentId)
{
    return QStringLiteral("101/mtt/%1").arg(tournamentId);
}

} // namespace

GameController::GameController(ConnectionManager *connection, PlayerDb *playerDb, TournamentsLobbyModel *tournaments,
                               QWidget *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_playerDb(playerDb)
    , m_tournaments(tournaments)
    , m_windowParent(parent)
{
    using CM = ConnectionManager;
    using GC = GameController;
    connect(connection, &CM::watchSuccessful, this, &GC::watchSuccessful);
    connect(connection, &CM::unwatchSuccessful, this, &GC::unwatchSuccessful);
    connect(connection, &CM::gameData, this, &GC::onGameData);
    connect(connection, &CM::privatePlayerData, this, &GC::onPrivatePlayerData);
    connect(connection, &CM::tileDiscarded, this, &GC::tileDiscarded);
    connect(connection, &CM::riichiDeclared, this, &GC::riichiDeclared);
    connect(connection, &CM::tileClaimed, this, &GC::tileClaimed);
    connect(connection, &CM::hiddenTilesFromWall, this, &GC::hiddenTilesFromWall);
    connect(connection, &CM::meldDeclared, this, &GC::meldDeclared);
    connect(connection, &CM::joinSuccessful, this, &GC::onJoinSuccessful);
    connect(connection, &CM::joinFailed, this, [this](qint32 tableId) { onJoinFailed(tableId); });
    connect(connection, &CM::leaveSuccessful, this, &GC::leaveSuccessful);
    connect(connection, &CM::leaveFailed, this, [this](qint32 tableId) { onLeaveFailed(tableId); });
    connect(connection, &CM::unwatchFailed, this, &GC::onUnwatchFailed);
    connect(connection, &CM::watchFailed, this, [this](qint32 tableId) { onWatchFailed(tableId); });
    connect(connection, &CM::playerJoined, this, &GC::playerJoined);
    connect(connection, &CM::startHand, this, &GC::startHand);
    connect(connection, &CM::tilesFromWall, this, &GC::tilesFromWall);
    connect(connection, &CM::kanDora, this, &GC::kanDora);
    connect(connection, &CM::meldSuggestion, this, &GC::meldSuggestion);
    connect(connection, &CM::concealedMeldSuggestion, this, &GC::concealedMeldSuggestion);
    connect(connection, &CM::robTheKongSuggestion, this, &GC::robTheKongSuggestion);
    connect(connection, &CM::replacementMeldSuggestion, this, &GC::replacementMeldSuggestion);
    connect(connection, &CM::playerShouldAct, this, &GC::playerShouldAct);
    connect(connection, &CM::waitingFor, this, &GC::waitingFor);
    connect(connection, &CM::waitingOver, this, &GC::waitingOver);
    connect(connection, &CM::declareBonus, this, &GC::declareBonus);
    connect(connection, &CM::handEndNonScoring, this, &GC::handEndNonScoring);
    connect(connection, &CM::handEndScoring, this, &GC::handEndScoring);
    connect(connection, &CM::endOfRound, this, &GC::endOfRound);
    connect(connection, &CM::areYouReady, this, &GC::areYouReady);
    connect(connection, &CM::timeoutOccured, this, &GC::timeoutOccured);
    connect(connection, &CM::kickPlayer, this, &GC::onKickPlayer);
    connect(connection, &CM::tableRemoved, this, &GC::onTableRemoved);
    connect(connection, &CM::someoneDeclaredMahjong, this, &GC::someoneDeclaredMahjong);
    connect(connection, &CM::playerLeft, this, &GC::onPlayerLeft);
    connect(connection, &CM::playerIsReady, this, &GC::playerIsReady);
    connect(connection, &CM::furitenChanged, this, &GC::furitenChanged);
    connect(connection, &CM::activeChanged, this, &GC::activeChanged);
    connect(connection, &CM::someoneDeclaredMeld, this, &GC::someoneDeclaredMeld);
    connect(connection, &CM::tournamentSeated, this, qOverload<qint32, qint32>(&GC::onTournamentSeated));
    connect(connection, qOverload<TableInfo>(&CM::tableInfoUpdate), this,
            qOverload<const TableInfo &>(&GC::onTableInfo));
    connect(connection, qOverload<qint32, int, TableInfoUpdates>(&CM::tableInfoUpdate), this,
            qOverload<qint32, int, const TableInfoUpdates &>(&GC::onTableInfo));
    connect(connection, &CM::endOfTournamentRound, this, &GC::endOfTournamentRound);
    connect(connection, &CM::tournamentRankings, this, &GC::tournamentRankings);
    connect(connection, &CM::tournamentPickedUp, this, &GC::tournamentPickedUp);
    // The tournament model applies the updates to its records first; the
    // tables of that tournament take the result.
    connect(connection, qOverload<qint32, TournamentInfoUpdates>(&CM::tournamentInfoUpdate), this,
            &GC::onTournamentUpdate);
    if (playerDb)
        connect(playerDb, &PlayerDb::playerPictureUpdate, this, &GC::playerPictureUpdate);
    // A tournament table joined before the tournament list came gets its
    // tournament's record when the record comes.
    if (tournaments) {
        connect(tournaments, &TournamentsLobbyModel::tournamentAdded, this, &GC::giveTournamentRecord);
        connect(tournaments, &TournamentsLobbyModel::tournamentUpdated, this, &GC::giveTournamentRecord);
    }
}

void GameController::giveTournamentRecord(const TournamentInfo &info)
{
    for (auto &[tableId, entry] : m_tables) {
        const TableInfo &table = entry.model->tableInfo();
        if (table.gameType() == TableInfo::TOURNAMENT && table.tournamentId() == info.id
            && entry.model->tournamentInfo().id != info.id)
            entry.model->onTournamentInfo(info);
    }
}

GameController::~GameController()
{
    // The page stack owns the windows and may have deleted some already.
    for (auto &[tableId, entry] : m_tables) {
        if (entry.window) {
            entry.window->setModel(nullptr);
            delete entry.window.data();
        }
        delete entry.model;
    }
}

GameModel *GameController::model(qint32 tableId) const
{
    auto it = m_tables.find(tableId);
    return it == m_tables.end() ? nullptr : it->second.model;
}

GameWindow *GameController::view(qint32 tableId) const
{
    auto it = m_tables.find(tableId);
    return it == m_tables.end() ? nullptr : it->second.window.data();
}

GameController::TableEntry *GameController::tableEntry(qint32 tableId)
{
    auto it = m_tables.find(tableId);
    if (it != m_tables.end())
        return &it->second;
    if (m_destroyedTables.count(tableId)) {
        qCWarning(lcTable) << "dropping an event for table" << tableId << "which was just left";
        return nullptr;
    }
    throw server_error("non-existant table " + std::to_string(tableId) + " referenced");
}

void GameController::setCompactTableLayout(bool compactLayout)
{
    if (compactLayout == m_compactLayout)
        return;
    m_compactLayout = compactLayout;
    for (auto &[tableId, entry] : m_tables) {
        if (entry.window)
            entry.window->setCompactTableLayout(compactLayout);
    }
}

void GameController::createTable(qint32 tableId)
{
    createTable(tableId, -1);
}

void GameController::createTable(qint32 tableId, qint32 tournamentId)
{
    TableEntry &entry = m_tables[tableId];
    m_destroyedTables.erase(tableId);
    if (!entry.model)
        createModel(tableId);
    if (tournamentId != -1 && m_tableModel)
        m_tableModel->unsubscribe(tournamentLobbyPath(tournamentId));
    if (entry.model->tableInfo().gameType() == TableInfo::TOURNAMENT && m_tournaments) {
        const qint32 id = entry.model->tableInfo().tournamentId();
        if (m_tournaments->hasTournament(id))
            entry.model->onTournamentInfo(m_tournaments->tournamentInfo(id));
    }
    if (!entry.window)
        createView(tableId);
}

void GameController::createModel(qint32 tableId)
{
    if (!m_tableModel || !m_tableModel->hasTable(tableId)) {
        m_tables.erase(tableId);
        throw server_error("no table info for table " + std::to_string(tableId));
    }
    const TableInfo info = m_tableModel->tableInfo(tableId);
    m_tableModel->subscribe(info.lobbyPath());
    auto *model = new GameModel(tableId, info, m_ownPlayerId, m_ownName);
    m_tables[tableId].model = model;
    followQuestions(tableId, model);
    emit gameModelCreated(model);
}

TableDecision *GameController::keptQuestions(qint32 tableId)
{
    const auto it = m_tables.find(tableId);
    if (it == m_tables.end() || it->second.window || !it->second.questions)
        return nullptr;
    return &*it->second.questions;
}

void GameController::followQuestions(qint32 tableId, GameModel *model)
{
    // As the window follows them: a deal of 13 tiles is no draw.
    using GM = GameModel;
    const auto kept = [this, tableId] { return keptQuestions(tableId); };
    connect(model, &GM::modelReset, this, [kept] {
        if (TableDecision *d = kept())
            d->reset();
    });
    connect(model, &GM::startHand, this, [kept] {
        if (TableDecision *d = kept())
            d->reset();
    });
    connect(model, &GM::tilesFromWall, this, [kept, model](qint32 id, const tile_vector &tiles, bool dead) {
        if (TableDecision *d = kept(); d && tiles.size() != 13)
            d->drawn(id, dead, GameWindow::riichiTiles(model));
    });
    connect(model, &GM::hiddenTilesFromWall, this, [kept](qint32 id, qint32 count, bool dead) {
        if (TableDecision *d = kept(); d && count != 13)
            d->drawn(id, dead);
    });
    connect(model, &GM::tileDiscarded, this, [kept](qint32 id) {
        if (TableDecision *d = kept())
            d->discarded(id);
    });
    connect(model, &GM::tileClaimed, this, [kept](qint32, qint32 claimer) {
        if (TableDecision *d = kept())
            d->claimed(claimer);
    });
    connect(model, &GM::meldDeclared, this, [kept](qint32 id) {
        if (TableDecision *d = kept())
            d->declared(id);
    });
    connect(model, &GM::bonusDeclared, this, [kept](qint32 id) {
        if (TableDecision *d = kept())
            d->declared(id, true);
    });
    connect(model, &GM::playerShouldAct, this, [kept, model](qint32 id, const TimeSpan &ts) {
        if (TableDecision *d = kept())
            d->turn(id, ts, GameWindow::riichiTiles(model));
    });
    connect(model, &GM::gameStateChanged, this, [kept, model] {
        TableDecision *d = kept();
        const GM::game_state_t state = model->gameState();
        if (d && (state == GM::HAND_ENDED || state == GM::ROUND_ENDED || state == GM::TABLE_REMOVED))
            d->end();
    });
    connect(model, &GM::playerUnseated, this, [this, kept](qint32 id) {
        if (TableDecision *d = kept(); d && id == m_ownPlayerId)
            d->end();
    });
}

void GameController::createView(qint32 tableId)
{
    TableEntry &entry = m_tables.at(tableId);
    GameModel *model = entry.model;
    auto *window = new GameWindow(m_windowParent, m_ownPlayerId, m_localizationDb, m_chatController, m_playerDb);
    entry.window = window;
    window->setCompactTableLayout(m_compactLayout);
    window->setRosterModel(m_roster);

    using GW = GameWindow;
    using GC = GameController;
    connect(window, &GW::tournamentScoreDialogClosed, this, &GC::onTournamentScoreDialogClosed);
    connect(window, &GW::clearTimeout, this, [this](qint32 id) { emit tableActivity(id); });
    connect(window, &GW::leave, this, &GC::onLeave);
    connect(window, &GW::reactivate, this, &GC::onReactivate);
    connect(window, &GW::join, this, &GC::onJoin);
    connect(window, &GW::ready, this, &GC::onReady);
    connect(window, &GW::playerAdded, this, &GC::onPlayerAdded);
    connect(window, qOverload<qint32, bool, TimeSpan>(&GW::tableActivity), this,
            [this](qint32 id, bool activity, const TimeSpan &ts) { emit tableActivity(id, activity, ts); });
    connect(window, &GW::kickedConfirmed, this, &GC::onKickedConfirmed);
    connect(window, &GW::tableRemovedConfirmed, this, &GC::onTableRemovedConfirmed);
    connect(window, &GW::depositFunds, this, &GC::onDepositFunds);
    connect(window, &GW::invitePlayers, this, &GC::invitePlayers);

    // The questions asked while the table had no window come back with it.
    window->setModel(model, entry.questions ? &*entry.questions : nullptr);
    entry.questions.reset();
    window->onTableInfo(model->tableInfo());

    using CM = ConnectionManager;
    connect(window, &GW::discardTile, m_connection, &CM::discard_tile);
    connect(window, &GW::callPass, m_connection, &CM::call_pass);
    connect(window, &GW::callChow, m_connection, &CM::call_chow);
    connect(window, &GW::callPong, m_connection, &CM::call_pong);
    connect(window, &GW::callPongToKong, m_connection, &CM::call_pong_to_kong);
    connect(window, &GW::callKong, m_connection, &CM::call_kong);
    connect(window, &GW::callRiichi, m_connection, &CM::call_riichi);
    connect(window, &GW::callBonus, m_connection, &CM::call_bonus);
    connect(window, &GW::callMahjong, m_connection, &CM::call_mahjong);

    connectModelToWindow(model, window);
    connect(model, &GameModel::tournamentRoundEnded, this, &GC::onTournamentRoundEnded, Qt::UniqueConnection);

    emit tableViewCreated(tableId, window);
}

void GameController::connectModelToWindow(GameModel *model, GameWindow *window)
{
    using GW = GameWindow;
    using GM = GameModel;
    connect(model, &GM::modelReset, window, &GW::reset);
    // The getters of the same names hide the signals from plain pointers.
    connect(model, static_cast<void (GM::*)(TableInfo)>(&GM::tableInfo), window, &GW::onTableInfo);
    connect(model, static_cast<void (GM::*)(TournamentInfo)>(&GM::tournamentInfo), window, &GW::onTournamentInfo);
    connect(model, &GM::playerShouldAct, window, &GW::onPlayerShouldAct);
    connect(model, &GM::waitingFor, window, &GW::onWaitingFor);
    connect(model, &GM::waitingOver, window, &GW::onWaitingOver);
    connect(model, &GM::privatePlayerData, window, &GW::onPrivatePlayerData);
    connect(model, &GM::tilesFromWall, window, &GW::onTilesFromWall);
    connect(model, &GM::kanDora, window, &GW::onKanDora);
    connect(model, &GM::hiddenTilesFromWall, window, &GW::onHiddenTilesFromWall);
    connect(model, &GM::tileDiscarded, window, &GW::onTileDiscarded);
    connect(model, &GM::tileClaimed, window, &GW::onTileClaimed);
    connect(model, &GM::playerSeated, window, &GW::onPlayerSeated);
    connect(model, &GM::playerUnseated, window, [window](qint32 playerId) { window->onPlayerUnseated(playerId); });
    connect(model, &GM::meldDeclared, window, &GW::onMeldDeclared);
    connect(model, &GM::bonusDeclared, window, &GW::onBonusDeclared);
    connect(model, &GM::gameStateChanged, window, &GW::onGameStateChanged);
    connect(model, &GM::startHand, window, &GW::onStartHand);
    connect(model, &GM::handEndScoring, window, &GW::onHandEndScoring);
    connect(model, &GM::handEndNonScoring, window, &GW::onHandEndNonScoring);
    connect(model, &GM::endOfTournamentRound, window, &GW::onEndOfTournamentRound);
    connect(model, &GM::tournamentRankings, window, &GW::onTournamentRankings);
    connect(model, &GM::tournamentRoundEnded, window, [window] { window->onTournamentRoundEnded(); });
    connect(model, &GM::furitenChanged, window, &GW::onFuritenChanged);
    connect(model, &GM::activeChanged, window, &GW::onActiveChanged);
    connect(model, &GM::areYouReady, window, &GW::onAreYouReady);
    connect(model, &GM::playerIsReady, window, &GW::onPlayerIsReady);
    connect(model, &GM::playerStateChanged, window, &GW::onPlayerStateChanged);
    connect(model, &GM::wallStateChanged, window, &GW::onWallStateChanged);
}

GameWindow *GameController::getOrCreateView(qint32 tableId)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return nullptr;
    if (entry->window)
        return entry->window;
    createView(tableId);
    GameModel *model = entry->model;
    if (model->isOwnPlayerSeated()) {
        if (const PlayerData *own = model->findOwnPlayer()) {
            PrivatePlayerData data;
            data.tiles = own->hand();
            data.active = own->isActive();
            data.furiten = own->isFuriten();
            model->onPrivatePlayerData(data);
            emit tableActiveChanged(tableId, data.active);
        }
    }
    // A hand that ended meanwhile shows its board until the next deal.
    if (model->gameState() == GameModel::HAND_ENDED && entry->window) {
        if (entry->endScoring)
            entry->window->onHandEndScoring(*entry->endScoring);
        else if (entry->endWashout)
            entry->window->onHandEndNonScoring(entry->endWashout->first, entry->endWashout->second);
    }
    entry->endScoring.reset();
    entry->endWashout.reset();
    return entry->window;
}

void GameController::destroyView(qint32 tableId)
{
    auto it = m_tables.find(tableId);
    if (it == m_tables.end())
        return;
    TableEntry &entry = it->second;
    GameWindow *window = entry.window;
    if (!window) {
        entry.window = nullptr;
        return;
    }
    // What the window still asks is followed here until it comes back.
    entry.questions = window->decision();
    disconnect(entry.model, nullptr, window, nullptr);
    disconnect(window, nullptr, nullptr, nullptr);
    emit tableViewAboutToBeDestroyed(tableId);
    window->setModel(nullptr);
    window->setParent(nullptr);
    window->deleteLater();
    entry.window = nullptr;
    emit tableViewDestroyed(tableId);
}

void GameController::onInPlayLeave(qint32 tableId)
{
    destroyView(tableId);
}

void GameController::destroyTable(qint32 tableId)
{
    auto it = m_tables.find(tableId);
    if (it == m_tables.end()) {
        // A second confirmation, or an answer after the table was left.
        qCWarning(lcTable) << "destroyTable: table" << tableId << "is not held";
        return;
    }
    destroyView(tableId);
    GameModel *model = it->second.model;
    if (model) {
        emit gameModelAboutToBeDestroyed(model);
        if (m_tableModel)
            m_tableModel->unsubscribe(model->tableInfo().lobbyPath());
        disconnect(model, nullptr, this, nullptr);
        delete model;
    }
    m_tables.erase(it);
    m_destroyedTables.insert(tableId);
}

void GameController::leaveSuccessful(qint32 tableId)
{
    destroyTable(tableId);
}

void GameController::onKickedConfirmed(qint32 tableId)
{
    destroyTable(tableId);
}

void GameController::onTableRemovedConfirmed(qint32 tableId)
{
    destroyTable(tableId);
}

void GameController::onJoin(qint32 tableId)
{
    m_connection->join_table(tableId, -1);
}

void GameController::onReady(qint32 tableId)
{
    m_connection->ready(tableId, m_ownPlayerId);
}

void GameController::onReactivate(qint32 tableId)
{
    m_connection->reactivate_table(tableId);
}

void GameController::onDepositFunds()
{
    m_connection->query_web_page(WebPageRequest::Account);
}

void GameController::watchSuccessful(qint32 tableId)
{
    if (!hasTable(tableId) && (!m_tableModel || !m_tableModel->hasTable(tableId))) {
        qCWarning(lcTable) << "watch of table" << tableId << "succeeded, but the lobby knows no such table";
        m_connection->unwatch_table(tableId);
        return;
    }
    createTable(tableId, -1);
    GameModel *model = m_tables.at(tableId).model;
    const bool fromLobby = model->playerState() == GameModel::NO_PLAYER_STATE;
    model->onWatching(fromLobby);
    emit tableWatched(tableId, fromLobby);
}

void GameController::unwatchSuccessful(qint32 tableId)
{
    if (!hasTable(tableId))
        return;
    if (m_tables.at(tableId).model->gameState() != GameModel::ROUND_ENDED)
        destroyTable(tableId);
}

void GameController::onJoinSuccessful(qint32 tableId)
{
    qint32 tournamentId = -1;
    int reason = 0;
    auto seating = m_seatings.find(tableId);
    if (seating != m_seatings.end()) {
        tournamentId = seating->second.tournamentId;
        reason = seating->second.reason;
        m_seatings.erase(seating);
    }
    if (!hasTable(tableId) && (!m_tableModel || !m_tableModel->hasTable(tableId))) {
        // Without the table's facts there is nothing to show: give the seat back.
        qCWarning(lcTable) << "join of table" << tableId << "succeeded, but the lobby knows no such table; leaving it";
        if (tournamentId != -1 && m_tableModel)
            m_tableModel->unsubscribe(tournamentLobbyPath(tournamentId));
        m_connection->leave_table(tableId);
        return;
    }
    createTable(tableId, tournamentId);
    TableEntry &entry = m_tables.at(tableId);
    entry.model->markJoined();
    entry.keepWatching = false;
    if (tournamentId != -1)
        emit tournamentTableJoined(tournamentId, tableId, reason);
    else
        emit regularTableJoined(tableId);
}

void GameController::onJoinFailed(qint32 tableId)
{
    auto seating = m_seatings.find(tableId);
    if (seating != m_seatings.end()) {
        if (m_tableModel)
            m_tableModel->unsubscribe(tournamentLobbyPath(seating->second.tournamentId));
        m_seatings.erase(seating);
    }
    auto it = m_tables.find(tableId);
    if (it != m_tables.end() && it->second.window)
        it->second.window->onJoinFailed();
}

void GameController::onLeaveFailed(qint32 tableId)
{
    if (GameWindow *window = view(tableId))
        window->onLeaveFailed();
}

void GameController::onUnwatchFailed(qint32 tableId)
{
    if (GameWindow *window = view(tableId))
        window->onUnwatchFailed();
}

void GameController::onWatchFailed(qint32 tableId)
{
    auto it = m_tables.find(tableId);
    if (it != m_tables.end() && it->second.model->playerState() == GameModel::KICKED)
        destroyTable(tableId);
}

void GameController::onTournamentSeated(qint32 tournamentId, qint32 tableId)
{
    onTournamentSeated(tournamentId, tableId, 0);
}

void GameController::onTournamentSeated(qint32 tournamentId, qint32 tableId, int reason)
{
    if (m_seatings.count(tableId)) {
        qCWarning(lcTable, "Server tried to seat twice at table %d (now for tournament %d)", tableId, tournamentId);
        return;
    }
    SeatingRecord record;
    record.tournamentId = tournamentId;
    record.reason = reason;
    if (m_tableModel && m_tableModel->hasTable(tableId)) {
        m_connection->join_table(tableId, -1);
        record.joinRequested = true;
    }
    if (m_tableModel)
        m_tableModel->subscribe(tournamentLobbyPath(tournamentId));
    m_seatings[tableId] = record;
}

void GameController::onTableInfo(const TableInfo &ti)
{
    auto seating = m_seatings.find(ti.id());
    if (seating != m_seatings.end() && !seating->second.joinRequested) {
        m_connection->join_table(ti.id(), -1);
        seating->second.joinRequested = true;
    }
    if (hasTable(ti.id()))
        m_tables.at(ti.id()).model->onTableInfo(ti);
}

void GameController::onTableInfo(qint32 tableId, int seated, const TableInfoUpdates &updates)
{
    if (hasTable(tableId))
        m_tables.at(tableId).model->onTableInfo(seated, updates);
}

void GameController::onTournamentUpdate(qint32 tournamentId, const TournamentInfoUpdates &upd)
{
    for (auto &[tableId, entry] : m_tables) {
        if (entry.model->tableInfo().tournamentId() != tournamentId)
            continue;
        // As the tournament lobby answers it: a malformed update is refused
        // whole with a warning, the table keeps what it had.
        TournamentInfo info = entry.model->tournamentInfo();
        try {
            applyUpdates(info, upd);
        } catch (const std::exception &e) {
            qCWarning(lcTable) << "update of tournament" << tournamentId << "at table" << tableId
                               << "refused:" << e.what();
            continue;
        }
        entry.model->onTournamentInfo(info);
    }
}

void GameController::tournamentPickedUp(qint32, qint32 tableId, bool keepWatching)
{
    if (hasTable(tableId))
        m_tables.at(tableId).keepWatching = keepWatching;
    else if (keepWatching)
        m_connection->unwatch_table(tableId);
}

void GameController::onTournamentScoreDialogClosed(qint32 tournamentId, qint32 tableId, bool lastRound)
{
    if (hasTable(tableId)) {
        if (m_tables.at(tableId).keepWatching) {
            m_connection->unwatch_table(tableId);
            destroyView(tableId);
        } else {
            destroyTable(tableId);
        }
    }
    emit tournamentScoreDialogClosed(tournamentId, tableId, lastRound);
}

void GameController::onTournamentRoundEnded(qint32 tableId)
{
    m_connection->unwatch_table(tableId);
}

void GameController::endOfTournamentRound(qint32, qint32 tableId, bool lastRound, const TournamentRoundScores &scores)
{
    if (!hasTable(tableId))
        return;
    m_tables.at(tableId).model->onEndOfTournamentRound(lastRound, scores);
    // The model's signal may have led to the table being left.
    auto it = m_tables.find(tableId);
    if (it != m_tables.end() && !it->second.window)
        onLeave(tableId);
}

void GameController::tournamentRankings(qint32 tournamentId, const TournamentRankings &rankings)
{
    for (auto &[tableId, entry] : m_tables) {
        const TableInfo &info = entry.model->tableInfo();
        if (info.gameType() == TableInfo::TOURNAMENT && info.tournamentId() == tournamentId)
            entry.model->onTournamentRankings(rankings);
    }
}

void GameController::onLeave(qint32 tableId)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    GameModel *model = entry->model;
    const bool seated = model->isSeated();
    if (model->tableInfo().gameType() != TableInfo::TOURNAMENT) {
        // Only a hand in play holds the seat: between the hands of a game
        // the seat is given back, or the table would stay held, unseen and
        // dead, and a later join would only show it again.
        if (!seated)
            m_connection->unwatch_table(tableId);
        else if (!model->isGameRunning() || !model->isInPlay())
            m_connection->leave_table(tableId);
        else
            destroyView(tableId);
        return;
    }
    const GameModel::game_state_t state = model->gameState();
    if (!seated) {
        if (state == GameModel::ROUND_ENDED || state == GameModel::TABLE_REMOVED)
            destroyTable(tableId);
        else
            m_connection->unwatch_table(tableId);
    } else if (state == GameModel::ROUND_ENDED) {
        destroyTable(tableId);
    } else {
        destroyView(tableId);
    }
}

void GameController::emitActiveAfterUpdate(qint32 tableId, const GameModel *model)
{
    bool active = true;
    if (model->isOwnPlayerSeated()) {
        if (const PlayerData *own = model->findOwnPlayer())
            active = own->isActive();
    }
    emit tableActiveChanged(tableId, active);
}

void GameController::onGameData(qint32 tableId, qint64 handId, server_game_state::enum_t gameState,
                                const std::vector<PlayerData> &players, const TableState &tableState,
                                const WallState &wallState)
{
    // The wait cursor of the join or watch ends with the table's first data.
    auto restoreCursor = qScopeGuard([] {
        if (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    });
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    GameModel *model = entry->model;
    // Refused before the table takes any of it.
    model->checkGameData(gameState, players);
    entry->endScoring.reset();
    entry->endWashout.reset();
    model->onGameData(handId, gameState, players, tableState, wallState);
    emitActiveAfterUpdate(tableId, model);
}

void GameController::playerJoined(qint32 tableId, const PlayerData &player)
{
    if (TableEntry *entry = tableEntry(tableId)) {
        GameModel *model = entry->model;
        model->onPlayerJoined(player);
        emitActiveAfterUpdate(tableId, model);
    }
}

void GameController::onPrivatePlayerData(qint32 tableId, const PrivatePlayerData &privateData)
{
    if (TableEntry *entry = tableEntry(tableId)) {
        entry->model->onPrivatePlayerData(privateData);
        emit tableActiveChanged(tableId, privateData.active);
    }
}

void GameController::activeChanged(qint32 tableId, bool flag)
{
    if (TableEntry *entry = tableEntry(tableId)) {
        entry->model->onActiveChanged(flag);
        emit tableActiveChanged(tableId, flag);
    }
}

void GameController::onPlayerLeft(qint32 tableId, qint32 pid)
{
    if (!hasTable(tableId))
        return;
    GameModel *model = m_tables.at(tableId).model;
    if (model->tableInfo().gameType() != TableInfo::TOURNAMENT)
        model->onPlayerLeft(pid);
}

void GameController::startHand(qint32 tableId, qint64 handId, const Seating &seating,
                               const round_score_vector &roundScores, bool newRound, const TableState &tableState,
                               const WallState &wallState)
{
    if (TableEntry *entry = tableEntry(tableId)) {
        entry->model->checkSeating(seating);
        entry->endScoring.reset();
        entry->endWashout.reset();
        entry->model->onStartHand(handId, seating, roundScores, newRound, tableState, wallState);
    }
}

void GameController::tileDiscarded(qint32 tableId, qint32 playerId, tile t)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onTileDiscarded(playerId, t, false);
}

void GameController::riichiDeclared(qint32 tableId, qint32 playerId, tile t)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onTileDiscarded(playerId, t, true);
}

void GameController::tileClaimed(qint32 tableId, qint32 claimingPlayer)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onTileClaimed(claimingPlayer);
}

void GameController::hiddenTilesFromWall(qint32 tableId, qint32 playerId, qint32 count, bool fromDeadWall)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onHiddenTilesFromWall(playerId, count, fromDeadWall);
}

void GameController::meldDeclared(qint32 tableId, qint32 playerId, meld_tuple meld)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onMeldDeclared(playerId, meld);
}

void GameController::tilesFromWall(qint32 tableId, const tile_vector &tiles, bool fromDeadWall)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onTilesFromWall(tiles, fromDeadWall);
}

void GameController::kanDora(qint32 tableId, tile t)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onKanDora(t);
}

void GameController::furitenChanged(qint32 tableId, bool flag)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onFuritenChanged(flag);
}

void GameController::playerShouldAct(qint32 tableId, const TimeSpan &ts, qint32 playerId)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onPlayerShouldAct(playerId, ts);
}

void GameController::waitingFor(qint32 tableId, WaitCondition::enum_t condition, const TimeSpan &ts,
                                const std::vector<qint32> &players)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onWaitingFor(condition, ts, players);
}

void GameController::waitingOver(qint32 tableId)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onWaitingOver();
}

void GameController::declareBonus(qint32 tableId, qint32 playerId, const tile_vector &tiles)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onDeclareBonus(playerId, tiles);
}

void GameController::areYouReady(qint32 tableId, const TimeSpan &ts)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onAreYouReady(ts);
}

void GameController::playerIsReady(qint32 tableId, qint32 playerId)
{
    if (TableEntry *entry = tableEntry(tableId))
        entry->model->onPlayerIsReady(playerId);
}

void GameController::handEndScoring(qint32 tableId, const EndHandScoring &endHand)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    entry->model->onHandEndScoring(endHand);
    if (hasTable(tableId) && !m_tables.at(tableId).window) {
        m_tables.at(tableId).endScoring = endHand;
        m_tables.at(tableId).endWashout.reset();
        onLeave(tableId);
    }
}

void GameController::handEndNonScoring(qint32 tableId, endhand_reason_t washoutType, bool endOfGame)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    entry->model->onHandEndNonScoring(washoutType, endOfGame);
    if (hasTable(tableId) && !m_tables.at(tableId).window) {
        m_tables.at(tableId).endWashout = std::make_pair(washoutType, endOfGame);
        m_tables.at(tableId).endScoring.reset();
        onLeave(tableId);
    }
}

// Without a window a suggestion is kept for the window made later, as the
// window would take it; one that comes when no hand is in play asks nothing.

void GameController::meldSuggestion(qint32 tableId, const TimeSpan &ts, const meld_offer_vector &offers)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    GameModel *model = entry->model;
    if (entry->window) {
        entry->window->onMeldSuggestion(offers, model->lastDiscarderId(), model->lastDiscard(), ts);
    } else if (TableDecision *d = keptQuestions(tableId); d && model->isInPlay()) {
        d->claim(GameWindow::drawableOffers(offers, model->lastDiscard(), false), model->lastDiscarderId(),
                 model->lastDiscard(), ts);
    }
}

void GameController::concealedMeldSuggestion(qint32 tableId, const TimeSpan &ts, const meld_offer_vector &offers)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    if (entry->window)
        entry->window->onConcealedMeldSuggestion(offers, ts);
    else if (TableDecision *d = keptQuestions(tableId); d && entry->model->isInPlay())
        d->concealed(offers, ts, GameWindow::riichiTiles(entry->model));
}

void GameController::robTheKongSuggestion(qint32 tableId, const TimeSpan &ts, const meld_offer_vector &offers)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    if (entry->window)
        entry->window->onRobTheKongSuggestion(offers, ts);
    else if (TableDecision *d = keptQuestions(tableId); d && entry->model->isInPlay())
        d->robKong(GameWindow::drawableOffers(offers, 0, true), ts);
}

void GameController::replacementMeldSuggestion(qint32 tableId, const TimeSpan &ts, const meld_offer_vector &offers)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    if (entry->window)
        entry->window->onReplacementMeldSuggestion(offers, ts);
    else if (TableDecision *d = keptQuestions(tableId); d && entry->model->isInPlay())
        d->replacement(offers, ts);
}

void GameController::endOfRound(qint32 tableId, const MonetaryRoundScores &scores)
{
    TableEntry *entry = tableEntry(tableId);
    if (entry && entry->window)
        entry->window->onEndOfRound(scores);
}

void GameController::timeoutOccured(qint32 tableId)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    // Followed without a window too: the turn that ran out is not offered
    // again when the player comes back.
    entry->model->onTimeoutOccured();
    if (entry->window)
        entry->window->onTimeoutOccured();
    else if (TableDecision *d = keptQuestions(tableId))
        d->end();
}

void GameController::someoneDeclaredMahjong(qint32 tableId, qint32 playerId)
{
    TableEntry *entry = tableEntry(tableId);
    if (entry && entry->window)
        entry->window->onSomeoneDeclaredMahjong(playerId, entry->model->tableInfo().ruleset() == 2 ? 2 : 1);
}

void GameController::someoneDeclaredMeld(qint32 tableId, qint32 pid, qint32 m, tile)
{
    TableEntry *entry = tableEntry(tableId);
    if (entry && entry->window)
        entry->window->onSomeoneDeclaredMeld(pid, m);
}

void GameController::onKickPlayer(qint32 tableId, kick_reason::enum_t reason)
{
    TableEntry *entry = tableEntry(tableId);
    if (!entry)
        return;
    if (!entry->window) {
        destroyTable(tableId);
        return;
    }
    entry->model->onPlayerKicked(reason);
    if (reason == 3)
        m_connection->watch_table(tableId);
}

void GameController::onTableRemoved(qint32 tableId)
{
    if (!hasTable(tableId))
        return;
    TableEntry &entry = m_tables.at(tableId);
    if (!entry.window)
        destroyTable(tableId);
    else if (entry.model->gameState() != GameModel::ROUND_ENDED)
        entry.model->onTableRemoved();
}

void GameController::onPlayerAdded(qint32 tableId, qint32 playerId)
{
    TableEntry *entry = tableEntry(tableId);
    if (entry && entry->window && m_playerDb)
        entry->window->setPlayerPicture(playerId, m_playerDb->picture(playerId, true));
}

void GameController::playerPictureUpdate(qint32 playerId)
{
    if (!m_playerDb)
        return;
    for (auto &[tableId, entry] : m_tables) {
        if (entry.window)
            entry.window->setPlayerPicture(playerId, m_playerDb->picture(playerId, true));
    }
}
