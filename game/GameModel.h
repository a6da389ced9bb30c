#pragma once

#include "game/EndHandScoring.h"
#include "game/Meld.h"
#include "game/PlayerData.h"
#include "game/Tile.h"
#include "protocol/PrivatePlayerData.h"
#include "protocol/Seating.h"
#include "protocol/TableInfo.h"
#include "protocol/TableInfoUpdates.h"
#include "protocol/TableState.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentRanking.h"
#include "protocol/TournamentRoundScore.h"
#include "protocol/WaitCondition.h"
#include "protocol/WallState.h"
#include "protocol/endhand_reason_t.h"
#include "protocol/kick_reason.h"
#include "protocol/round_score_t.h"
#include "protocol/server_game_state.h"
#include "core/TimeSpan.h"

#include <QObject>
#include <QString>

#include <map>
#include <set>
#include <utility>
#include <vector>

// The state of one table as the game server reports it: players, the local
// player's standing, the table's game state, wall counts, dora, the last
// discard and the sticks. It decides no rule; it mirrors the server and
// derives a few counts and the claimed-from fields of melds.
class GameModel : public QObject
{
    Q_OBJECT

public:
    enum player_state_t {
        NO_PLAYER_STATE = 0,
        WATCHING = 1,
        SEAT_OFFERED = 2,
        WAITING = 3,
        PLAYING = 4,
        SCORING = 5,
        KICKED = 6
    };
    Q_ENUM(player_state_t)

    enum game_state_t {
        NO_GAME_STATE = 0,
        GAME_NOT_STARTED = 1,
        HAND_IN_PLAY = 2,
        HAND_ENDED = 3,
        ROUND_ENDED = 4,
        TABLE_REMOVED = 5
    };
    Q_ENUM(game_state_t)

    typedef std::map<qint32, PlayerData> player_map;

    GameModel(qint32 tableId, const TableInfo &tableInfo, qint32 ownPlayerId, const QString &ownName,
              QObject *parent = nullptr);
    ~GameModel() override;

    static const char *playerStateName(int state);
    static const char *gameStateName(int state);

    qint32 tableId() const { return m_tableId; }
    qint32 ownPlayerId() const { return m_ownPlayerId; }
    const QString &ownName() const { return m_ownName; }

    const player_map &players() const { return m_players; }
    // Null when the model does not know the player.
    const PlayerData *findPlayer(qint32 playerId) const;
    const PlayerData *findOwnPlayer() const;
    bool isPlayerSeated(qint32 playerId) const;
    bool isOwnPlayerSeated() const;
    // The player the hand's seating puts at that wind; without one (no hand
    // dealt since the last game data, or that player gone), the first player
    // with that seat wind; or null.
    const PlayerData *playerByWind(int wind) const;
    // Ids of the seated players, ascending.
    std::vector<qint32> playerIds() const;

    // The local player holds a seat (SEAT_OFFERED to SCORING).
    bool isSeated() const;
    player_state_t playerState() const { return m_playerState; }
    game_state_t gameState() const { return m_gameState; }
    bool isInPlay() const { return m_gameState == HAND_IN_PLAY; }
    bool isGameRunning() const { return m_gameRunning; }
    bool isJoinable() const { return m_joinable; }
    bool isWatching() const { return m_watchingFromLobby; }
    kick_reason::enum_t kickReason() const { return m_kickReason; }
    const TableInfo &tableInfo() const { return m_tableInfo; }
    const TournamentInfo &tournamentInfo() const { return m_tournamentInfo; }

    qint64 handId() const { return m_handId; }
    // The player the seats are arranged around, as the table state names it.
    qint32 referencePlayerId() const { return m_referencePlayerId; }
    qint32 prevailingWind() const { return m_prevailingWind; }
    qint32 dealerId() const { return m_dealerId; }

    qint32 liveTiles() const { return m_liveTiles; }
    qint32 deadWallTiles() const { return m_deadWallTiles; }
    qint32 deadWallPosition() const { return m_deadWallPosition; }
    qint32 deadWallTilesDealt() const { return m_deadWallTilesDealt; }
    const tile_vector &doraTiles() const { return m_doraTiles; }

    tile lastDiscard() const { return m_lastDiscard; }
    // -1 when there is no last discarder.
    qint32 lastDiscarderId() const { return m_lastDiscarderId; }
    int claimState() const { return m_claimState; }

    qint32 counterSticks() const { return m_counterSticks; }
    // Sticks from earlier hands plus one per riichi declared in this hand.
    qint32 riichiSticks() const;
    // Seats minus the players who are ready.
    int seatsRemaining() const;
    // Who is to act and until when, while a hand is in play and that turn
    // is still open; else (-1, empty).
    std::pair<qint32, TimeSpan> pendingAction() const;

    // Throws server_error "unknown player <id>" for an id the model lacks.
    const PlayerData &getPlayer(qint32 playerId) const;

    // The local player's join succeeded: the next game data decides the
    // local player's state.
    void markJoined();

    // Throw server_error for a picture or a seating no table can show: a
    // running hand with fewer players than the table has seats, not one to
    // a wind, or without the local player who holds a seat (or has just
    // joined); a hand that seats a player nobody told of, or leaves out the
    // seated local player. A watcher's picture lists no local player.
    void checkGameData(server_game_state::enum_t gameState, const std::vector<PlayerData> &players) const;
    void checkSeating(const Seating &seating) const;

signals:
    void modelReset();
    void gameStateChanged();
    void playerJoined(PlayerData player);
    void playerLeft(qint32 playerId);
    void startHand(bool newRound);
    void tileClaimed(qint32 discardPlayer, qint32 claimingPlayer);
    void tileDiscarded(qint32 playerId, tile t, bool riichiDiscard);
    void hiddenTilesFromWall(qint32 playerId, qint32 count, bool fromDeadWall);
    void meldDeclared(qint32 playerId, meld_tuple m);
    void tilesFromWall(qint32 playerId, tile_vector tiles, bool fromDeadWall);
    void bonusDeclared(qint32 playerId, tile_vector tiles);
    void playerShouldAct(qint32 playerId, TimeSpan ts);
    void waitingFor(WaitCondition::enum_t condition, TimeSpan ts, std::vector<qint32> playerIds);
    void waitingOver();
    void privatePlayerData(PrivatePlayerData privateData);
    void kanDora(tile t);
    void furitenChanged(bool furiten);
    void activeChanged(bool active);
    void tableInfo(TableInfo info);
    void tournamentInfo(TournamentInfo info);
    void handEndNonScoring(endhand_reason_t washoutType, bool endOfGame);
    void handEndScoring(EndHandScoring endHand);
    void endOfTournamentRound(bool lastRound, TournamentRoundScores scores);
    void tournamentRankings(TournamentRankings rankings);
    void tournamentRoundEnded(qint32 tableId);
    void areYouReady(TimeSpan ts, bool seated);
    void playerIsReady(qint32 playerId);
    void playerStateChanged(GameModel::player_state_t playerState);
    void wallStateChanged();
    void seatsRemainingChanged(int seats);
    void joinableChanged(bool joinable);
    void playerSeated(qint32 playerId, qint32 tableId, bool fromGameData);
    void playerUnseated(qint32 playerId, qint32 tableId);

public slots:
    void onPlayerJoined(const PlayerData &player);
    void onPlayerLeft(qint32 playerId);
    void onStartHand(qint64 handId, const Seating &seating, const round_score_vector &roundScores, bool newRound,
                     const TableState &tableState, const WallState &wallState);
    void onTileClaimed(qint32 claimedBy);
    void onTileDiscarded(qint32 playerId, tile t, bool riichiDiscard);
    void onHiddenTilesFromWall(qint32 playerId, qint32 count, bool fromDeadWall);
    void onMeldDeclared(qint32 playerId, meld_tuple m);
    void onTilesFromWall(const tile_vector &tiles, bool fromDeadWall);
    void onDeclareBonus(qint32 playerId, const tile_vector &tiles);
    void onPlayerShouldAct(qint32 playerId, const TimeSpan &ts);
    // The local player's time ran out.
    void onTimeoutOccured();
    void onWaitingFor(WaitCondition::enum_t condition, const TimeSpan &ts, const std::vector<qint32> &playerIds);
    void onWaitingOver();
    void onPrivatePlayerData(const PrivatePlayerData &privateData);
    void onKanDora(tile t);
    void onFuritenChanged(bool furiten);
    void onActiveChanged(bool active);
    void onHandEndScoring(const EndHandScoring &endHand);
    void onHandEndNonScoring(endhand_reason_t washoutType, bool endOfGame);
    void onEndOfTournamentRound(bool lastRound, const TournamentRoundScores &scores);
    void onTournamentRankings(const TournamentRankings &rankings);
    void onTableInfo(const TableInfo &ti);
    void onTableInfo(int seated, const TableInfoUpdates &updates);
    void onTournamentInfo(const TournamentInfo &ti);
    void onGameData(qint64 handId, server_game_state::enum_t gameState, const std::vector<PlayerData> &players,
                    const TableState &tableState, const WallState &wallState);
    void onAreYouReady(const TimeSpan &ts);
    void onWatching(bool fromLobby);
    void onWatching();
    void onPlayerIsReady(qint32 playerId);
    void onPlayerKicked(kick_reason::enum_t reason);
    void onTableRemoved();

private:
    PlayerData &player(qint32 playerId);
    void reset();
    void setPlayerState(player_state_t state);
    void setGameState(game_state_t state);
    void updateJoinable();
    void applyDelayedJoins();
    void addPlayer(const PlayerData &player);
    void erasePlayer(qint32 playerId);
    void storeTableState(const TableState &tableState);
    void setWallState(qint32 live, qint32 dead, qint32 position, qint32 dealt, const tile_vector &dora);
    void updateWallCounts(qint32 count, bool fromDeadWall);
    // The turn last asked is over: a view made later does not ask it again
    // (pendingAction).
    void settleTurn();
    // Another player draws, claims or melds: whoever was asked before is
    // done.
    void turnPassesTo(qint32 playerId);
    // Removes the tiles from the local hand, or throws server_error when the
    // hand lacks one of them; the hand is left alone in that case.
    void removeFromOwnHand(const tile_vector &tiles);

    player_map m_players;
    qint32 m_tableId;
    qint32 m_ownPlayerId;
    QString m_ownName;
    qint32 m_referencePlayerId = 0;
    qint32 m_prevailingWind = 0;
    qint32 m_dealerId = 0;
    qint32 m_liveTiles = 0;
    qint32 m_deadWallTiles = 0;
    qint32 m_deadWallPosition = 0;
    qint32 m_deadWallTilesDealt = 0;
    tile_vector m_doraTiles;
    qint64 m_handId = -1;
    qint32 m_lastDiscarderId = -1;
    tile m_lastDiscard = 0;
    int m_claimState = 0;
    TableInfo m_tableInfo;
    TournamentInfo m_tournamentInfo;
    game_state_t m_gameState = NO_GAME_STATE;
    bool m_gameRunning = false;
    player_state_t m_playerState = NO_PLAYER_STATE;
    qint32 m_currentActor = -1;
    TimeSpan m_actTime;
    std::set<qint32> m_delayedRemove;
    // The ids by wind of the hand in play or last played, as the start of
    // the hand gave them; -1 before any.
    Seating m_seating;
    // Players who joined while a hand was in play; they are added when it ends.
    std::map<qint32, PlayerData> m_delayedJoin;
    std::set<qint32> m_delayedReady;
    bool m_joinable = false;
    bool m_watchingFromLobby = false;
    kick_reason::enum_t m_kickReason = kick_reason::enum_t(0);
    bool m_joinPending = false;
    qint32 m_riichiStickPool = 0;
    // The hand was won: the winner took the sticks until the next hand.
    bool m_riichiSticksTaken = false;
    qint32 m_counterSticks = 0;
};
