#pragma once

#include "game/EndHandScoring.h"
#include "game/Meld.h"
#include "game/PlayerData.h"
#include "game/Tile.h"
#include "protocol/MonetaryRoundScore.h"
#include "protocol/PrivatePlayerData.h"
#include "protocol/Seating.h"
#include "protocol/TableInfo.h"
#include "protocol/TableInfoUpdates.h"
#include "protocol/TableState.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentInfoUpdates.h"
#include "protocol/TournamentRanking.h"
#include "protocol/TournamentRoundScore.h"
#include "protocol/WaitCondition.h"
#include "protocol/WallState.h"
#include "protocol/endhand_reason_t.h"
#include "protocol/kick_reason.h"
#include "protocol/meld_offer.h"
#include "protocol/round_score_t.h"
#include "protocol/server_game_state.h"
#include "core/TimeSpan.h"
#include "table/TableDecision.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

class ChatController;
class ConnectionManager;
class GameModel;
class GameWindow;
class LocalizationDb;
class PlayerDb;
class XMPPRosterModel;
class TableModel;
class TournamentsLobbyModel;
class QWidget;

// Knows every table the local player sits at or watches: one model per table
// and at most one window, created when a join or watch succeeds. Routes the
// session's per-table events by table id and the windows' requests to the
// session, and decides how a table is left.
class GameController : public QObject
{
    Q_OBJECT

public:
    // The parent is also the parent of every table window.
    GameController(ConnectionManager *connection, PlayerDb *playerDb, TournamentsLobbyModel *tournaments,
                   QWidget *parent);
    ~GameController() override;

    void setTableModel(TableModel *tableModel) { m_tableModel = tableModel; }
    void setPlayerName(const QString &name) { m_ownName = name; }
    void setPlayerId(qint32 playerId) { m_ownPlayerId = playerId; }
    qint32 ownPlayerId() const { return m_ownPlayerId; }
    // Services the main window lends to every new table window.
    void setWindowServices(LocalizationDb *localizationDb, ChatController *chatController,
                           XMPPRosterModel *roster = nullptr)
    {
        m_localizationDb = localizationDb;
        m_chatController = chatController;
        m_roster = roster;
    }

    bool hasTable(qint32 tableId) const { return m_tables.count(tableId) != 0; }
    // Null when the table is not held.
    GameModel *model(qint32 tableId) const;
    GameWindow *view(qint32 tableId) const;
    GameWindow *getOrCreateView(qint32 tableId);
    // The connections from a table's model to its window that every window
    // made here has.
    static void connectModelToWindow(GameModel *model, GameWindow *window);

signals:
    void tableActivity(qint32 tableId, bool activity = true, TimeSpan ts = TimeSpan());
    void tableActiveChanged(qint32 tableId, bool active);
    void tableViewCreated(qint32 tableId, GameWindow *window);
    void tableViewDestroyed(qint32 tableId);
    void tableViewAboutToBeDestroyed(qint32 tableId);
    void gameModelCreated(GameModel *model);
    void gameModelAboutToBeDestroyed(GameModel *model);
    void tableWatched(qint32 tableId, bool fromLobby);
    void regularTableJoined(qint32 tableId);
    void tournamentTableJoined(qint32 tournamentId, qint32 tableId, int reason);
    void tournamentScoreDialogClosed(qint32 tournamentId, qint32 tableId, bool lastRound);
    void invitePlayers(qint32 tableId, std::vector<qint32> invitees);

public slots:
    void setCompactTableLayout(bool compactLayout);
    void watchSuccessful(qint32 tableId);
    void unwatchSuccessful(qint32 tableId);
    void onJoinSuccessful(qint32 tableId);
    void onJoinFailed(qint32 tableId);
    void onLeaveFailed(qint32 tableId);
    void onUnwatchFailed(qint32 tableId);
    // A watch refused after a move to the watchers leaves nothing to show.
    void onWatchFailed(qint32 tableId);
    void leaveSuccessful(qint32 tableId);
    void onGameData(qint32 tableId, qint64 handId, server_game_state::enum_t gameState,
                    const std::vector<PlayerData> &players, const TableState &tableState, const WallState &wallState);
    void onPrivatePlayerData(qint32 tableId, const PrivatePlayerData &privateData);
    void playerJoined(qint32 tableId, const PlayerData &player);
    void onPlayerLeft(qint32 tableId, qint32 pid);
    void startHand(qint32 tableId, qint64 handId, const Seating &seating, const round_score_vector &roundScores,
                   bool newRound, const TableState &tableState, const WallState &wallState);
    void tileDiscarded(qint32 tableId, qint32 playerId, tile t);
    void riichiDeclared(qint32 tableId, qint32 playerId, tile t);
    void tileClaimed(qint32 tableId, qint32 claimingPlayer);
    void hiddenTilesFromWall(qint32 tableId, qint32 playerId, qint32 count, bool fromDeadWall);
    void meldDeclared(qint32 tableId, qint32 playerId, meld_tuple meld);
    void tilesFromWall(qint32 tableId, const tile_vector &tiles, bool fromDeadWall);
    void meldSuggestion(qint32 tableId, const TimeSpan &ts, const meld_offer_vector &offers);
    void concealedMeldSuggestion(qint32 tableId, const TimeSpan &ts, const meld_offer_vector &offers);
    void robTheKongSuggestion(qint32 tableId, const TimeSpan &ts, const meld_offer_vector &offers);
    void replacementMeldSuggestion(qint32 tableId, const TimeSpan &ts, const meld_offer_vector &offers);
    void playerShouldAct(qint32 tableId, const TimeSpan &ts, qint32 playerId);
    void waitingFor(qint32 tableId, WaitCondition::enum_t condition, const TimeSpan &ts,
                    const std::vector<qint32> &players);
    void waitingOver(qint32 tableId);
    void declareBonus(qint32 tableId, qint32 playerId, const tile_vector &tiles);
    void handEndNonScoring(qint32 tableId, endhand_reason_t washoutType, bool endOfGame);
    void handEndScoring(qint32 tableId, const EndHandScoring &endHand);
    void areYouReady(qint32 tableId, const TimeSpan &ts);
    void endOfRound(qint32 tableId, const MonetaryRoundScores &scores);
    void timeoutOccured(qint32 tableId);
    void onKickPlayer(qint32 tableId, kick_reason::enum_t reason);
    void onTableRemoved(qint32 tableId);
    void someoneDeclaredMahjong(qint32 tableId, qint32 playerId);
    void playerPictureUpdate(qint32 playerId);
    void playerIsReady(qint32 tableId, qint32 playerId);
    void someoneDeclaredMeld(qint32 tableId, qint32 pid, qint32 m, tile t);
    void kanDora(qint32 tableId, tile t);
    void furitenChanged(qint32 tableId, bool flag);
    void activeChanged(qint32 tableId, bool flag);
    void onTournamentSeated(qint32 tournamentId, qint32 tableId, int reason);
    void tournamentPickedUp(qint32 tournamentId, qint32 tableId, bool keepWatching);
    void endOfTournamentRound(qint32 tournamentId, qint32 tableId, bool lastRound, const TournamentRoundScores &scores);
    void tournamentRankings(qint32 tournamentId, const TournamentRankings &rankings);
    void onTournamentScoreDialogClosed(qint32 tournamentId, qint32 tableId, bool lastRound);
    void onInPlayLeave(qint32 tableId);
    void onTournamentSeated(qint32 tournamentId, qint32 tableId);
    void createTable(qint32 tableId, qint32 tournamentId);
    void createTable(qint32 tableId);
    void destroyTable(qint32 tableId);
    void onTableInfo(const TableInfo &ti);
    void onTableInfo(qint32 tableId, int seated, const TableInfoUpdates &updates);
    void onTournamentUpdate(qint32 tournamentId, const TournamentInfoUpdates &upd);
    void onLeave(qint32 tableId);
    void onReactivate(qint32 tableId);
    void onJoin(qint32 tableId);
    void onReady(qint32 tableId);
    void onPlayerAdded(qint32 tableId, qint32 playerId);
    void onTournamentRoundEnded(qint32 tableId);
    void onKickedConfirmed(qint32 tableId);
    void onTableRemovedConfirmed(qint32 tableId);
    void onDepositFunds();

private:
    // Gives the record to the held tables of its tournament that have none.
    void giveTournamentRecord(const TournamentInfo &info);

    struct TableEntry
    {
        GameModel *model = nullptr;
        // The page stack may delete a window first: guarded.
        QPointer<GameWindow> window;
        bool keepWatching = false;
        // While no window shows the table: the questions asked of the
        // player and not yet settled, and the board of a hand that ended,
        // for the window made later.
        std::optional<TableDecision> questions;
        std::optional<EndHandScoring> endScoring;
        std::optional<std::pair<endhand_reason_t, bool>> endWashout;
    };
    struct SeatingRecord
    {
        qint32 tournamentId = -1;
        bool joinRequested = false;
        int reason = 0;
    };

    // Null, with a warning, for a table destroyed in this session (events
    // still in flight); throws server_error for any other unknown table.
    TableEntry *tableEntry(qint32 tableId);
    void createModel(qint32 tableId);
    void createView(qint32 tableId);
    void destroyView(qint32 tableId);
    // The table events that settle a question, followed while the table
    // has no window.
    void followQuestions(qint32 tableId, GameModel *model);
    // Null while a window holds the questions.
    TableDecision *keptQuestions(qint32 tableId);
    void emitActiveAfterUpdate(qint32 tableId, const GameModel *model);

    std::map<qint32, TableEntry> m_tables;
    qint32 m_ownPlayerId = 0;
    QString m_ownName;
    bool m_compactLayout = false;
    ConnectionManager *m_connection = nullptr;
    PlayerDb *m_playerDb = nullptr;
    TableModel *m_tableModel = nullptr;
    TournamentsLobbyModel *m_tournaments = nullptr;
    std::map<qint32, SeatingRecord> m_seatings;
    QWidget *m_windowParent = nullptr;
    LocalizationDb *m_localizationDb = nullptr;
    ChatController *m_chatController = nullptr;
    XMPPRosterModel *m_roster = nullptr;
    std::set<qint32> m_destroyedTables;
};
