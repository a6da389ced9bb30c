#include "game/GameModel.h"

#include "game/GameMetaTypes.h"
#include "game/Logging.h"
#include "game/RulesetInfo.h"
#include "protocol/ServerError.h"

#include <QDebug>

#include <algorithm>
#include <limits>
#include <string>

namespace {

// Counts come from the server: clamp instead of overflowing.
qint32 clampedSum(qint64 a, qint64 b)
{
    return static_cast<qint32>(
        std::clamp<qint64>(a + b, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void addHiddenTiles(PlayerData &p, qint64 delta)
{
    p.setHiddenTiles(clampedSum(p.hiddenTiles(), delta));
}

// The local player's draws come with their faces and change no hidden
// count: its count is the hand it holds.
void countOwnHand(PlayerData &own)
{
    own.setHiddenTiles(static_cast<qint32>(own.hand().size()));
}

bool isHandRunningState(int s)
{
    return s >= server_game_state::START_HAND_STATE && s <= server_game_state::ROBBING_THE_KONG_STATE;
}

bool isHandEndedState(int s)
{
    return s == server_game_state::HAND_ENDED_STATE || s == server_game_state::HAND_ENDED_WAITING_STATE;
}

} // namespace

GameModel::GameModel(qint32 tableId, const TableInfo &tableInfo, qint32 ownPlayerId, const QString &ownName,
                     QObject *parent)
    : QObject(parent)
    , m_tableId(tableId)
    , m_ownPlayerId(ownPlayerId)
    , m_ownName(ownName)
    , m_tableInfo(tableInfo)
{
    registerGameMetaTypes();
    qRegisterMetaType<GameModel::player_state_t>("GameModel::player_state_t");
    qRegisterMetaType<GameModel::game_state_t>("GameModel::game_state_t");
    reset();
}

GameModel::~GameModel() = default;

const char *GameModel::playerStateName(int state)
{
    static const char *const names[] = {"NO_PLAYER_STATE", "WATCHING", "SEAT_OFFERED", "WAITING",
                                        "PLAYING",         "SCORING",  "KICKED"};
    return state >= 0 && state <= KICKED ? names[state] : "<undefined>";
}

const char *GameModel::gameStateName(int state)
{
    static const char *const names[] = {"NO_GAME_STATE", "GAME_NOT_STARTED", "HAND_IN_PLAY",
                                        "HAND_ENDED",    "ROUND_ENDED",      "TABLE_REMOVED"};
    return state >= 0 && state <= TABLE_REMOVED ? names[state] : "<undefined>";
}

// ---------------------------------------------------------------- getters

const PlayerData *GameModel::findPlayer(qint32 playerId) const
{
    const auto it = m_players.find(playerId);
    return it == m_players.end() ? nullptr : &it->second;
}

const PlayerData *GameModel::findOwnPlayer() const
{
    return findPlayer(m_ownPlayerId);
}

bool GameModel::isPlayerSeated(qint32 playerId) const
{
    const PlayerData *p = findPlayer(playerId);
    return p && p->isSeated();
}

bool GameModel::isOwnPlayerSeated() const
{
    return isPlayerSeated(m_ownPlayerId);
}

const PlayerData *GameModel::playerByWind(int wind) const
{
    // A player who left keeps the wind of the seat a newcomer now holds.
    if (wind >= 0 && wind < int(m_seating.players.size()))
        if (const PlayerData *seated = findPlayer(m_seating.players[size_t(wind)]))
            return seated;
    for (const auto &entry : m_players)
        if (entry.second.wind() == wind)
            return &entry.second;
    return nullptr;
}

std::vector<qint32> GameModel::playerIds() const
{
    std::vector<qint32> ids;
    for (const auto &entry : m_players)
        if (entry.second.isSeated())
            ids.push_back(entry.first);
    return ids;
}

bool GameModel::isSeated() const
{
    return m_playerState >= SEAT_OFFERED && m_playerState <= SCORING;
}

qint32 GameModel::riichiSticks() const
{
    qint64 declared = 0;
    for (const auto &entry : m_players)
        if (entry.second.riichiDiscardIndex() != -1)
            ++declared;
    // A win takes every stick on the table, this hand's too.
    if (m_riichiSticksTaken)
        return 0;
    return clampedSum(m_riichiStickPool, declared);
}

int GameModel::seatsRemaining() const
{
    qint64 ready = 0;
    for (const auto &entry : m_players)
        if (entry.second.isReady())
            ++ready;
    return clampedSum(m_tableInfo.capacity(), -ready);
}

std::pair<qint32, TimeSpan> GameModel::pendingAction() const
{
    if (m_gameState == HAND_IN_PLAY && m_currentActor != -1)
        return {m_currentActor, m_actTime};
    return {-1, TimeSpan()};
}

const PlayerData &GameModel::getPlayer(qint32 playerId) const
{
    const PlayerData *p = findPlayer(playerId);
    if (!p)
        throw server_error("unknown player " + std::to_string(playerId));
    return *p;
}

PlayerData &GameModel::player(qint32 playerId)
{
    return const_cast<PlayerData &>(getPlayer(playerId));
}

void GameModel::markJoined()
{
    m_joinPending = true;
}

// ---------------------------------------------------------------- states

void GameModel::reset()
{
    const RulesetInfo &ruleset = rulesetInfo(m_tableInfo.ruleset());
    m_liveTiles = ruleset.liveWall();
    m_deadWallTiles = ruleset.deadWall();
    m_deadWallTilesDealt = 0;
    m_doraTiles.clear();
    m_deadWallPosition = 4;
    m_lastDiscarderId = -1;
    m_currentActor = -1;
    m_actTime = TimeSpan();
    m_gameState = NO_GAME_STATE;
    m_players.clear();
    m_delayedRemove.clear();
    m_delayedJoin.clear();
    m_delayedReady.clear();
    m_seating = Seating();
    m_handId = -1;
    m_riichiStickPool = 0;
    m_riichiSticksTaken = false;
    m_counterSticks = 0;
    emit modelReset();
}

void GameModel::setPlayerState(player_state_t state)
{
    if (state == m_playerState)
        return;
    qCDebug(lcGame) << "changing player state on table" << m_tableId << "from" << playerStateName(m_playerState) << "to"
                    << playerStateName(state);
    m_playerState = state;
    emit playerStateChanged(state);
    updateJoinable();
}

void GameModel::setGameState(game_state_t state)
{
    m_gameState = state;
    if (state != HAND_IN_PLAY) {
        // Whoever was to act in the hand that ended is not asked in the next.
        settleTurn();
        const std::set<qint32> leaving = std::move(m_delayedRemove);
        m_delayedRemove.clear();
        for (qint32 id : leaving)
            erasePlayer(id);
    }
    emit gameStateChanged();
    updateJoinable();
}

void GameModel::applyDelayedJoins()
{
    // Joins that arrived during the hand take effect now, with the readiness
    // reported meanwhile. Callers run this after their last signal, so that
    // views show the hand's end before the newcomers.
    std::map<qint32, PlayerData> joining = std::move(m_delayedJoin);
    std::set<qint32> ready = std::move(m_delayedReady);
    m_delayedJoin.clear();
    m_delayedReady.clear();
    for (const auto &entry : joining) {
        addPlayer(entry.second);
        emit playerJoined(entry.second);
        if (ready.count(entry.first) != 0)
            onPlayerIsReady(entry.first);
    }
}

void GameModel::updateJoinable()
{
    bool joinable = false;
    if (!isSeated()) {
        joinable = m_gameState != HAND_IN_PLAY && static_cast<qint64>(m_players.size()) != m_tableInfo.capacity()
                   && m_tableInfo.gameType() != TableInfo::TOURNAMENT;
    }
    if (joinable != m_joinable) {
        m_joinable = joinable;
        emit joinableChanged(joinable);
    }
}

void GameModel::addPlayer(const PlayerData &player)
{
    const auto it = m_players.find(player.id());
    if (it != m_players.end()) {
        if (m_delayedRemove.erase(player.id()) == 0)
            qCWarning(lcGame) << "addPlayer called for already added player" << player;
        it->second = player;
    } else {
        m_players.emplace(player.id(), player);
    }
}

void GameModel::erasePlayer(qint32 playerId)
{
    if (m_lastDiscarderId == playerId)
        m_lastDiscarderId = -1;
    m_players.erase(playerId);
}

// ---------------------------------------------------------------- table level

void GameModel::onPlayerJoined(const PlayerData &player)
{
    if (m_gameState == HAND_IN_PLAY) {
        qCDebug(lcGame) << "won't handle player join when in play";
        if (m_delayedRemove.erase(player.id()) != 0) {
            // Back before the hand ended: the record in play stays.
            qCDebug(lcGame) << "player" << player.id() << "returned; delayed remove cancelled";
            return;
        }
        // Replacing a seated record at the hand's end would drop the scores
        // that hand just gave it.
        if (m_players.count(player.id()) != 0)
            return;
        // Remembered so that a later ready or leave of this player is
        // understood; the player appears when the hand ends.
        m_delayedJoin[player.id()] = player;
        return;
    }
    addPlayer(player);
    emit playerJoined(player);
}

void GameModel::onPlayerLeft(qint32 playerId)
{
    if (m_gameState == ROUND_ENDED)
        return;
    m_delayedReady.erase(playerId);
    if (m_delayedJoin.erase(playerId) != 0 && m_players.count(playerId) == 0) {
        qCDebug(lcGame) << "player" << playerId << "left before the hand in play ended";
        return;
    }
    if (m_players.count(playerId) == 0 || m_delayedRemove.count(playerId) != 0) {
        qCWarning(lcGame) << "remove non-existant player:" << playerId;
        return;
    }
    if (m_gameState == HAND_IN_PLAY) {
        qCDebug(lcGame) << "player" << playerId << "moved to delayed remove";
        m_delayedRemove.insert(playerId);
        return;
    }
    if (m_players.at(playerId).isSeated())
        emit playerUnseated(playerId, m_tableId);
    erasePlayer(playerId);
    if (playerId == m_ownPlayerId)
        setPlayerState(NO_PLAYER_STATE);
    emit playerLeft(playerId);
    emit seatsRemainingChanged(seatsRemaining());
}

void GameModel::onPlayerIsReady(qint32 playerId)
{
    const auto it = m_players.find(playerId);
    if (it == m_players.end()) {
        const auto pending = m_delayedJoin.find(playerId);
        if (pending != m_delayedJoin.end()) {
            // Replayed when the join takes effect at the end of the hand.
            m_delayedReady.insert(playerId);
            qCDebug(lcGame) << "player" << playerId << "is ready before the hand in play ended";
        } else {
            qCWarning(lcGame) << "'player is ready' for unknown player" << playerId << "ignored";
        }
        return;
    }
    const bool own = playerId == m_ownPlayerId;
    if (own && m_playerState != SEAT_OFFERED && m_playerState != SCORING) {
        qCWarning(lcGame).nospace() << "Got 'player is ready' in state: " << playerStateName(m_playerState);
        return;
    }
    PlayerData &p = it->second;
    p.setReady(true);
    if (!p.isSeated()) {
        p.setSeated(true);
        emit playerSeated(playerId, m_tableId, false);
    }
    if (own)
        setPlayerState(WAITING);
    emit playerIsReady(playerId);
    emit seatsRemainingChanged(seatsRemaining());
}

void GameModel::onAreYouReady(const TimeSpan &ts)
{
    if (m_playerState == SEAT_OFFERED || m_playerState == SCORING)
        emit areYouReady(ts, m_playerState == SEAT_OFFERED);
    else
        qCWarning(lcGame).nospace() << "Got 'are you ready' in state: " << playerStateName(m_playerState);
}

void GameModel::onPlayerShouldAct(qint32 playerId, const TimeSpan &ts)
{
    if (m_gameState != HAND_IN_PLAY) {
        // Late for the hand that ended: nobody is asked until the next starts.
        qCWarning(lcGame) << "Ignoring player_should_act for" << playerId << "at table" << m_tableId << "in game state"
                          << gameStateName(m_gameState);
        return;
    }
    m_currentActor = playerId;
    m_actTime = ts;
    emit playerShouldAct(playerId, ts);
}

void GameModel::onTimeoutOccured()
{
    // The server answers the local player's question itself.
    if (m_currentActor == m_ownPlayerId)
        settleTurn();
}

void GameModel::settleTurn()
{
    m_currentActor = -1;
    m_actTime = TimeSpan();
}

void GameModel::turnPassesTo(qint32 playerId)
{
    if (m_currentActor != playerId)
        settleTurn();
}

void GameModel::onWaitingFor(WaitCondition::enum_t condition, const TimeSpan &ts, const std::vector<qint32> &playerIds)
{
    emit waitingFor(condition, ts, playerIds);
}

void GameModel::onWaitingOver()
{
    emit waitingOver();
}

void GameModel::onTournamentRankings(const TournamentRankings &rankings)
{
    emit tournamentRankings(rankings);
}

void GameModel::onWatching(bool fromLobby)
{
    m_watchingFromLobby = fromLobby;
    setPlayerState(WATCHING);
}

void GameModel::onWatching()
{
    onWatching(true);
}

void GameModel::onPlayerKicked(kick_reason::enum_t reason)
{
    m_kickReason = reason;
    setPlayerState(KICKED);
}

void GameModel::onTableRemoved()
{
    setGameState(TABLE_REMOVED);
    applyDelayedJoins();
}

void GameModel::onTableInfo(const TableInfo &ti)
{
    m_tableInfo = ti;
    emit tableInfo(m_tableInfo);
    updateJoinable();
}

void GameModel::onTableInfo(int seated, const TableInfoUpdates &updates)
{
    if (seated < 0) {
        qCWarning(lcGame) << "update of table" << m_tableId << "with" << seated << "seated players refused";
        return;
    }
    // Applied to a copy, so a broken update leaves the stored facts whole;
    // server data must not end the program here.
    TableInfo updated = m_tableInfo;
    updated.setSeated(seated);
    try {
        applyUpdates(updated, updates);
    } catch (const std::exception &e) {
        qCWarning(lcGame) << "update of table" << m_tableId << "refused:" << e.what();
        return;
    }
    m_tableInfo = updated;
    emit tableInfo(m_tableInfo);
    updateJoinable();
}

void GameModel::onTournamentInfo(const TournamentInfo &ti)
{
    const TournamentInfo::status_t previous = m_tournamentInfo.status;
    m_tournamentInfo = ti;
    emit tournamentInfo(m_tournamentInfo);
    if (isSeated())
        return;
    if (previous == TournamentInfo::Playing
        && (ti.status == TournamentInfo::Paused || ti.status == TournamentInfo::Done)) {
        setGameState(ROUND_ENDED);
        emit tournamentRoundEnded(m_tableId);
        applyDelayedJoins();
    }
}

// ---------------------------------------------------------------- hands

void GameModel::storeTableState(const TableState &tableState)
{
    m_referencePlayerId = tableState.playerId;
    m_prevailingWind = tableState.prevailingWind;
    m_dealerId = tableState.thirdValue;
    m_riichiStickPool = tableState.riichiSticks;
    m_riichiSticksTaken = false;
    m_counterSticks = tableState.counterSticks;
}

void GameModel::setWallState(qint32 live, qint32 dead, qint32 position, qint32 dealt, const tile_vector &dora)
{
    qCDebug(lcGame) << "dora: set dora tiles -" << dora;
    m_liveTiles = live;
    m_deadWallTiles = dead;
    m_deadWallPosition = position;
    m_deadWallTilesDealt = dealt;
    m_doraTiles = dora;
    emit wallStateChanged();
}

void GameModel::updateWallCounts(qint32 count, bool fromDeadWall)
{
    ::updateWallCounts(m_tableInfo.ruleset(), count, fromDeadWall, m_liveTiles, m_deadWallTiles, m_deadWallTilesDealt);
}

void GameModel::removeFromOwnHand(const tile_vector &tiles)
{
    PlayerData &own = player(m_ownPlayerId);
    tile_vector hand = own.hand();
    for (tile t : tiles) {
        const auto toErase = std::find(hand.begin(), hand.end(), t);
        if (toErase == hand.end())
            throw server_error("to_erase != t1.end()");
        hand.erase(toErase);
    }
    own.setHand(hand);
    countOwnHand(own);
}

void GameModel::checkGameData(server_game_state::enum_t gameState, const std::vector<PlayerData> &players) const
{
    const int s = gameState;
    if (!isHandRunningState(s))
        return;
    const std::string what = "game data of table " + std::to_string(m_tableId) + " in state " + std::to_string(s);
    std::set<qint32> ids;
    std::map<qint32, qint32> byWind;
    for (const PlayerData &p : players) {
        const std::string id = std::to_string(p.id());
        if (!ids.insert(p.id()).second)
            throw server_error(what + " lists player " + id + " twice");
        if (p.wind() < 0 || p.wind() >= 4)
            throw server_error(what + " seats player " + id + " on wind " + std::to_string(p.wind()));
        const auto [holder, added] = byWind.emplace(p.wind(), p.id());
        if (!added)
            throw server_error(what + " seats players " + std::to_string(holder->second) + " and " + id
                               + " on one wind");
    }
    // A hand is played by as many players as the table has seats, two to
    // four; a capacity the lobby does not tell asks for two at least.
    const size_t seats = size_t(std::clamp(m_tableInfo.capacity(), 2, 4));
    if (ids.size() < seats)
        throw server_error(what + " has a hand in play with " + std::to_string(ids.size()) + " players");
    if ((isSeated() || m_joinPending) && ids.count(m_ownPlayerId) == 0)
        throw server_error(what + " has a hand in play without the seated player " + std::to_string(m_ownPlayerId));
}

void GameModel::checkSeating(const Seating &seating) const
{
    const std::string what = "hand started at table " + std::to_string(m_tableId);
    bool ownSeat = false;
    for (qint32 id : seating.players) {
        if (id < 0)
            continue; // an empty seat
        ownSeat = ownSeat || id == m_ownPlayerId;
        if (m_players.count(id) == 0 && m_delayedJoin.count(id) == 0)
            throw server_error(what + " seats unknown player " + std::to_string(id));
    }
    // A player moved to the watchers may see the next hand start without
    // the seat; one who holds it may not.
    if (isSeated() && isOwnPlayerSeated() && !ownSeat)
        throw server_error(what + " without the seated player " + std::to_string(m_ownPlayerId));
}

void GameModel::onGameData(qint64 handId, server_game_state::enum_t gameState, const std::vector<PlayerData> &players,
                           const TableState &tableState, const WallState &wallState)
{
    const int s = gameState;
    // A player who left during the hand is still listed while the hand runs:
    // the leave stands across the new picture.
    const std::set<qint32> leaving = m_delayedRemove;
    reset();
    m_handId = handId;
    storeTableState(tableState);
    emit tableInfo(m_tableInfo);
    emit tournamentInfo(m_tournamentInfo);

    std::vector<PlayerData> list = players;
    if (m_joinPending
        && std::none_of(list.begin(), list.end(), [this](const PlayerData &p) { return p.id() == m_ownPlayerId; }))
        list.emplace_back(m_ownPlayerId, m_ownName);
    for (const PlayerData &p : list) {
        addPlayer(p);
        if (leaving.count(p.id()) != 0) {
            qCDebug(lcGame) << "player" << p.id() << "still leaves at the end of the hand";
            m_delayedRemove.insert(p.id());
        }
    }

    if (s == server_game_state::INITIAL_STATE) {
        m_gameRunning = false;
    } else if (isHandRunningState(s)) {
        m_gameRunning = true;
        if (tableState.lastDiscarder != -1) {
            const PlayerData &discarder = getPlayer(tableState.lastDiscarder);
            m_lastDiscarderId = discarder.id();
            if (!discarder.discards().empty())
                m_lastDiscard = discarder.discards().back();
            m_claimState = 0;
        }
    } else if (isHandEndedState(s)) {
        m_gameRunning = true;
    }

    const int gameType = m_tableInfo.gameType();
    for (auto &entry : m_players) {
        PlayerData &p = entry.second;
        bool seat = false;
        // An East-only table (or any other kind) seats the players of its
        // hands as single hands and full games do; seating nobody left its
        // running hand shown with East alone.
        if (gameType == TableInfo::TOURNAMENT)
            seat = true;
        else
            seat = s == server_game_state::INITIAL_STATE ? p.isReady() : (isHandRunningState(s) || isHandEndedState(s));
        if (seat && !p.isSeated()) {
            p.setSeated(true);
            emit playerSeated(p.id(), m_tableId, true);
        }
    }

    if (s == server_game_state::INITIAL_STATE) {
        setGameState(GAME_NOT_STARTED);
    } else if (isHandRunningState(s)) {
        setGameState(HAND_IN_PLAY);
    } else if (isHandEndedState(s)) {
        setGameState(HAND_ENDED);
    }

    if (m_joinPending) {
        m_joinPending = false;
        if (s == server_game_state::INITIAL_STATE)
            setPlayerState(isOwnPlayerSeated() ? WAITING : SEAT_OFFERED);
        else if (isHandRunningState(s))
            setPlayerState(PLAYING);
        else if (isHandEndedState(s))
            setPlayerState(SCORING);
    }

    setWallState(wallState.liveTiles, wallState.deadWallTiles, wallState.deadWallPosition, wallState.deadWallTilesDealt,
                 wallState.doraIndicators);
}

void GameModel::onStartHand(qint64 handId, const Seating &seating, const round_score_vector &roundScores, bool newRound,
                            const TableState &tableState, const WallState &wallState)
{
    m_handId = handId;
    storeTableState(tableState);
    m_gameRunning = true;
    // A discard of the previous hand can no longer be claimed.
    m_lastDiscarderId = -1;
    m_claimState = 0;

    for (auto &entry : m_players)
        entry.second.resetForHand();
    m_seating = seating;
    // The hand's seating is the server's word: a player who joined without a
    // ready notice sits where it names.
    std::vector<qint32> newlySeated;
    for (int wind = 0; wind < 4; ++wind) {
        const qint32 id = seating.players[wind];
        if (m_players.count(id) == 0) {
            const auto pending = m_delayedJoin.find(id);
            if (pending == m_delayedJoin.end())
                continue;
            const PlayerData joining = pending->second;
            m_delayedJoin.erase(pending);
            addPlayer(joining);
            emit playerJoined(joining);
        }
        PlayerData &p = m_players.at(id);
        p.setWind(wind);
        if (!p.isSeated()) {
            p.setSeated(true);
            newlySeated.push_back(id);
        }
    }
    for (qint32 id : newlySeated)
        emit playerSeated(id, m_tableId, false);
    for (const round_score_t &score : roundScores) {
        const auto it = m_players.find(score.playerId);
        if (it != m_players.end()) {
            it->second.setPoints(score.points);
            it->second.setWins(score.wins);
        }
    }

    qCDebug(lcGame) << "startHand: doras pre setWallState -" << m_doraTiles;
    const RulesetInfo &ruleset = rulesetInfo(m_tableInfo.ruleset());
    setWallState(ruleset.liveWall(), ruleset.deadWall(), wallState.deadWallPosition, 0, wallState.doraIndicators);
    qCDebug(lcGame) << "startHand: doras post setWallState -" << m_doraTiles;

    setGameState(HAND_IN_PLAY);

    if (isOwnPlayerSeated()) {
        player(m_ownPlayerId).setFuriten(false);
        setPlayerState(PLAYING);
    }
    emit startHand(newRound);
}

void GameModel::onHiddenTilesFromWall(qint32 playerId, qint32 count, bool fromDeadWall)
{
    // The local player's own draws arrive with their faces.
    if (playerId == m_ownPlayerId)
        return;
    PlayerData &p = player(playerId);
    addHiddenTiles(p, count);
    updateWallCounts(count, fromDeadWall);
    // A flower's replacement is no turn of its own.
    if (!fromDeadWall)
        turnPassesTo(playerId);
    emit hiddenTilesFromWall(playerId, count, fromDeadWall);
}

void GameModel::onTilesFromWall(const tile_vector &tiles, bool fromDeadWall)
{
    PlayerData &own = player(m_ownPlayerId);
    own.addDrawnTiles(tiles);
    countOwnHand(own);
    updateWallCounts(static_cast<qint32>(tiles.size()), fromDeadWall);
    turnPassesTo(m_ownPlayerId);
    emit tilesFromWall(m_ownPlayerId, tiles, fromDeadWall);
}

void GameModel::onTileDiscarded(qint32 playerId, tile t, bool riichiDiscard)
{
    PlayerData &p = player(playerId);
    // Checked before anything changes so a refused discard leaves no trace.
    if (playerId == m_ownPlayerId)
        removeFromOwnHand({t});
    m_lastDiscarderId = playerId;
    m_lastDiscard = t;
    m_claimState = 0;
    p.addDiscard(t, riichiDiscard);
    if (playerId != m_ownPlayerId)
        addHiddenTiles(p, -1);
    // The discard answers the turn: nobody acts until the next is asked.
    settleTurn();
    emit tileDiscarded(playerId, t, riichiDiscard);
}

void GameModel::onTileClaimed(qint32 claimedBy)
{
    if (m_lastDiscarderId == -1)
        return;
    PlayerData &claimer = player(claimedBy);
    PlayerData &discarder = player(m_lastDiscarderId);
    tile taken = 0;
    if (!discarder.takeLastDiscard(taken)) {
        qCWarning(lcGame) << "claim of" << claimedBy << "on an empty pond of" << m_lastDiscarderId << "ignored";
        return;
    }
    m_claimState = 1;
    turnPassesTo(claimedBy);
    if (claimedBy == m_ownPlayerId) {
        tile_vector hand = claimer.hand();
        hand.push_back(m_lastDiscard);
        claimer.setHand(hand);
        countOwnHand(claimer);
    } else {
        addHiddenTiles(claimer, 1);
    }
    emit tileClaimed(m_lastDiscarderId, claimedBy);
}

void GameModel::onMeldDeclared(qint32 playerId, meld_tuple m)
{
    PlayerData &p = player(playerId);

    tile_vector leaving;
    int hiddenLeaving = 0;
    switch (m.meldType) {
    case MELD_CHOW:
        leaving = makeChowTiles(m.firstTile);
        hiddenLeaving = 3;
        break;
    case MELD_PONG:
        leaving = makePongTiles(m.firstTile);
        hiddenLeaving = 3;
        break;
    case MELD_PONG_TO_KONG:
        leaving = {m.firstTile};
        hiddenLeaving = 1;
        break;
    case MELD_KONG:
        leaving = makeKongTiles(m.firstTile);
        hiddenLeaving = 4;
        break;
    default:
        break;
    }
    if (playerId == m_ownPlayerId)
        removeFromOwnHand(leaving);
    else
        addHiddenTiles(p, -hiddenLeaving);
    turnPassesTo(playerId);

    if (m_claimState == 1 && m_lastDiscarderId != -1) {
        m.claimedFrom = m_lastDiscarderId;
        m.claimedOffset = static_cast<qint8>(m_lastDiscard - m.firstTile);
        m_lastDiscarderId = -1;
        m_claimState = 2;
    } else {
        m.claimedFrom = -1;
    }

    if (m.meldType == MELD_PONG_TO_KONG) {
        meld_vector melds = p.melds();
        const auto pong = std::find_if(melds.begin(), melds.end(), [&m](const meld_tuple &x) {
            return x.meldType == MELD_PONG && x.firstTile == m.firstTile;
        });
        if (pong != melds.end()) {
            pong->meldType = MELD_KONG;
            p.setMelds(melds);
        }
    } else {
        p.addMeld(m.meldType, m.visibility, m.firstTile, m.claimedFrom, m.claimedOffset);
    }
    emit meldDeclared(playerId, m);
}

void GameModel::onDeclareBonus(qint32 playerId, const tile_vector &tiles)
{
    PlayerData &p = player(playerId);
    if (playerId == m_ownPlayerId)
        removeFromOwnHand(tiles);
    else
        addHiddenTiles(p, -static_cast<qint64>(tiles.size()));
    for (tile t : tiles)
        p.addMeld(MELD_BONUS, 0, t, -1, static_cast<qint8>(-1));
    emit bonusDeclared(playerId, tiles);
}

void GameModel::onKanDora(tile t)
{
    qCDebug(lcGame) << "dora: add kan dora -" << tileToString(t).c_str();
    m_doraTiles.push_back(t);
    emit kanDora(t);
}

void GameModel::onPrivatePlayerData(const PrivatePlayerData &privateData)
{
    PlayerData &own = player(m_ownPlayerId);
    own.setHand(privateData.tiles);
    countOwnHand(own);
    own.setActive(privateData.active);
    own.setFuriten(privateData.furiten);
    emit privatePlayerData(privateData);
}

void GameModel::onFuritenChanged(bool furiten)
{
    player(m_ownPlayerId).setFuriten(furiten);
    emit furitenChanged(furiten);
}

void GameModel::onActiveChanged(bool active)
{
    player(m_ownPlayerId).setActive(active);
    emit activeChanged(active);
}

void GameModel::onHandEndScoring(const EndHandScoring &endHand)
{
    m_gameRunning = !endHand.endOfGame;
    // Scores first: a player who left during the hand is still here and is
    // purged only by the state change below.
    for (const auto &entry : endHand.players) {
        const auto it = m_players.find(entry.first);
        if (it == m_players.end()) {
            qCWarning(lcGame) << "hand score for unknown player" << entry.first << "ignored";
            continue;
        }
        it->second.setPoints(entry.second.currentScore);
        if (entry.second.result == 1) {
            it->second.setWins(clampedSum(it->second.wins(), 1));
            m_riichiSticksTaken = true;
        }
    }
    if (isOwnPlayerSeated())
        setPlayerState(SCORING);
    setGameState(HAND_ENDED);
    emit handEndScoring(endHand);
    applyDelayedJoins();
}

void GameModel::onHandEndNonScoring(endhand_reason_t washoutType, bool endOfGame)
{
    m_gameRunning = !endOfGame;
    if (isOwnPlayerSeated())
        setPlayerState(SCORING);
    setGameState(HAND_ENDED);
    emit handEndNonScoring(washoutType, endOfGame);
    applyDelayedJoins();
}

void GameModel::onEndOfTournamentRound(bool lastRound, const TournamentRoundScores &scores)
{
    if (isOwnPlayerSeated())
        setPlayerState(SCORING);
    setGameState(ROUND_ENDED);
    emit endOfTournamentRound(lastRound, scores);
    applyDelayedJoins();
}
