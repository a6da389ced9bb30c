#pragma once

#include "core/TimeSpan.h"
#include "game/EndHandScoring.h"
#include "game/GameModel.h"
#include "game/Meld.h"
#include "game/Tile.h"
#include "protocol/MonetaryRoundScore.h"
#include "protocol/PrivatePlayerData.h"
#include "protocol/TableInfo.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentRanking.h"
#include "protocol/TournamentRoundScore.h"
#include "protocol/WaitCondition.h"
#include "protocol/endhand_reason_t.h"
#include "protocol/meld_offer.h"
#include "scene/AnimationHost.h"
#include "scene/GameGraphicsScene.h"
#include "table/TableDecision.h"

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class ChatController;
class CityView;
class ConcealedActionDialog;
class DeclaredView;
class DiscardView;
class GameTableLayout;
class GameWindowActionQueue;
class HandView;
class HiddenHandView;
class LocalizationDb;
class MeldAuction;
class Object3DView;
class PlayerActionView;
class PlayerData;
class PlayerDb;
class PlayerInactiveWindow;
class PrevalentWindView;
class QGraphicsPixmapItem;
class QGraphicsRectItem;
class QGraphicsView;
class RiichiStickView;
class RoundScoreBoard;
class ScoreBoard;
class SeatedWindow;
class SideBar;
class TableInviteDialog;
class TileAnimationTarget;
class TimerView;
class WaitingForPlayersWindow;
class WashoutWindow;
class WatchingWindow;
class WindView;
class XMPPRosterModel;

// The page that shows one table: the animated scene with its four seats, the
// side bar and the panels of a hand. It shows what its model reports, through
// its queue of display steps, and emits what the player chooses; it never
// talks to the server itself.
class GameWindow : public QWidget, public AnimationHost
{
    Q_OBJECT

public:
    static constexpr int SeatCount = 4;

    // The main window's services are passed one by one (the table library
    // cannot see the main window); any of them may be null.
    GameWindow(QWidget *mainWindow, qint32 localPlayerId, LocalizationDb *localizationDb = nullptr,
               ChatController *chatController = nullptr, PlayerDb *playerDb = nullptr);
    ~GameWindow() override;

    // questions: what the table asked of the player while no window showed
    // it, asked again here with the time that is left.
    void setModel(GameModel *model, const TableDecision *questions = nullptr);
    GameModel *model() const { return m_table; }
    void setCompactTableLayout(bool compact);
    bool isCompactTableLayout() const;
    void setPlayerPicture(qint32 playerId, const QPixmap &picture);
    const TableInfo &tableInfo() const { return m_tableInfo; }
    qint32 localPlayerId() const { return m_localPlayerId; }
    // The friends who may be invited; without it nobody can be.
    void setRosterModel(XMPPRosterModel *roster);

    // Suggestions and round entries, called by the controller.
    void onMeldSuggestion(const meld_offer_vector &offers, qint32 discarderId, tile lastDiscard, const TimeSpan &ts);
    void onConcealedMeldSuggestion(const meld_offer_vector &offers, const TimeSpan &ts);
    void onRobTheKongSuggestion(const meld_offer_vector &offers, const TimeSpan &ts);
    void onReplacementMeldSuggestion(const meld_offer_vector &offers, const TimeSpan &ts);
    void onTimeoutOccured();
    void onSomeoneDeclaredMahjong(qint32 playerId, int kind);
    void onSomeoneDeclaredMeld(qint32 playerId, int meldType);
    void onEndOfRound(const MonetaryRoundScores &scores);
    // A refused leave or unwatch: the leave buttons come back.
    void onLeaveFailed();
    void onUnwatchFailed();

    // The offers the claim panel can draw; the others are dropped.
    static meld_offer_vector drawableOffers(const meld_offer_vector &offers, tile lastDiscard, bool robbing);
    // The own turn's tiles after riichi: only the drawn ones (empty: any).
    static tile_vector riichiTiles(const GameModel *model);

    // The table's background for a scene of that size.
    static QBrush backgroundBrush(int width, int height);

    // What the layouts and the tests read.
    QGraphicsView *graphicsView() const { return m_view; }
    GameGraphicsScene &tableScene() { return m_scene; }
    CityView *cityView() const { return m_cityView; }
    void replaceCityView(CityView *city);
    HandView *handView() const { return m_handView; }
    DiscardView *discardView(int seat) const { return m_discardViews[seat]; }
    DeclaredView *declaredView(int seat) const { return m_declaredViews[seat]; }
    HiddenHandView *hiddenHandView(int seat) const { return m_hiddenHands[seat]; }
    PlayerActionView *playerActionView(int seat) const { return m_actionViews[seat]; }
    RiichiStickView *riichiStickView(int seat) const { return m_riichiSticks[seat]; }
    WindView *windView(int seat) const { return m_windViews[seat]; }
    PrevalentWindView *prevalentWindView() const { return m_prevalentWindView; }
    void setWindPosition(int seat, const QPointF &pos);
    SideBar *sideBar() const { return m_sideBar; }
    MeldAuction *meldAuction() const;
    ConcealedActionDialog *concealedActionDialog() const { return m_concealedActionDialog; }
    ScoreBoard *scoreBoard() const { return m_scoreBoard; }
    WashoutWindow *washoutWindow() const { return m_washoutWindow; }
    RoundScoreBoard *roundScoreBoard() const { return m_roundScoreBoard; }
    WaitingForPlayersWindow *waitingForPlayersWindow() const { return m_waitingForPlayersWindow; }
    SeatedWindow *seatedWindow() const { return m_seatedWindow; }
    WatchingWindow *watchingWindow() const { return m_watchingWindow; }
    PlayerInactiveWindow *playerInactiveWindow() const { return m_playerInactiveWindow; }
    // Null until the invite button first finds a friend.
    TableInviteDialog *inviteDialog() const { return m_inviteDialog; }
    TimerView *turnTimer() const { return m_turnTimer; }
    TimerView *bigTurnTimer() const { return m_bigTurnTimer; }
    QGraphicsPixmapItem *timeoutItem() const { return m_timeoutItem; }
    QGraphicsPixmapItem *furitenItem() const { return m_furitenItem; }
    Object3DView *cube() const { return m_cube; }
    GameWindowActionQueue &actionQueue() { return *m_actions; }
    // The id shown at seat 0-3, or -1 for a free seat.
    qint32 seatPlayerId(int seat) const { return m_seatPlayers[seat]; }
    // The seat of a player; throws server_error for one at no seat.
    int seatOf(qint32 playerId) const;
    int tileChoice() const { return m_decision.tileChoice(); }
    const meld_offer_vector &pendingOffers() const { return m_decision.offers(); }
    // What the local player is asked now; the panels and the hand show it.
    const TableDecision &decision() const { return m_decision; }
    // Moves the side widget (the turn timer) to a scene point.
    void moveSideWidget(const QPointF &scenePos);
    int sideWidgetHeight() const;
    // Where the shadows of the wall and the seats' views fall from.
    void setLightPosition(const QPointF &scenePos);

    // AnimationHost
    QGraphicsScene *animationScene() override;
    bool isShownOnScreen() const override;
    void playSound(int soundId) override;
    QPointF windPosition(int position) const override;
    int bottomWind() const override;
    int seatedPlayers() const override;
    TileAnimationSource *liveWallSource() override;
    HiddenHandView *hiddenHand(int position) override;
    bool showsHandFaceUp(int position) const override;
    void setDealSlot(int index, TileAnimation *animation) override;

signals:
    void tableActivity(qint32 tableId, bool activity, TimeSpan ts);
    void tableActivity(qint32 tableId, bool activity);
    void tableActivity(qint32 tableId);
    void tournamentScoreDialogClosed(qint32 tournamentId, qint32 tableId, bool lastRound);
    void clearTimeout(qint32 tableId);
    void leave(qint32 tableId);
    void reactivate(qint32 tableId);
    void join(qint32 tableId);
    void ready(qint32 tableId);
    void discardTile(qint32 tableId, qint32 playerId, tile t);
    void callPass(qint32 tableId, qint32 playerId, bool autoPass);
    void callChow(qint32 tableId, qint32 playerId, tile t);
    void callPong(qint32 tableId, qint32 playerId, tile t);
    void callKong(qint32 tableId, qint32 playerId, tile t);
    void callPongToKong(qint32 tableId, qint32 playerId, tile t);
    void callBonus(qint32 tableId, qint32 playerId, tile t);
    void callRiichi(qint32 tableId, qint32 playerId, tile t);
    void callMahjong(qint32 tableId, qint32 playerId);
    void playerAdded(qint32 tableId, qint32 playerId);
    void kickedConfirmed(qint32 tableId);
    void userMenuRequested(QString playerName, QPoint pos);
    void linkActivated(QString link);
    void tableRemovedConfirmed(qint32 tableId);
    void depositFunds();
    void invitePlayers(qint32 tableId, std::vector<qint32> invitees);

public slots:
    void reset();
    void onGameStateChanged();
    void onPlayerSeated(qint32 playerId, qint32 tableId, bool fromGameData);
    void onPlayerUnseated(qint32 playerId);
    void onStartHand(bool newRound);
    void onTileClaimed(qint32 discardPlayer, qint32 claimingPlayer);
    void onTileDiscarded(qint32 playerId, tile t, bool riichiDiscard);
    void onHiddenTilesFromWall(qint32 playerId, qint32 count, bool fromDeadWall);
    void onMeldDeclared(qint32 playerId, meld_tuple m);
    void onTilesFromWall(qint32 playerId, tile_vector tiles, bool fromDeadWall);
    void onBonusDeclared(qint32 playerId, tile_vector tiles);
    void onPlayerShouldAct(qint32 playerId, TimeSpan ts);
    void onWaitingFor(WaitCondition::enum_t condition, TimeSpan ts, std::vector<qint32> players);
    void onWaitingOver();
    void onPrivatePlayerData(PrivatePlayerData data);
    void onKanDora(tile t);
    void onFuritenChanged(bool furiten);
    void onActiveChanged(bool active);
    void onTableInfo(TableInfo info);
    void onTournamentInfo(TournamentInfo info);
    void onHandEndNonScoring(endhand_reason_t washoutType, bool endOfGame);
    void onHandEndScoring(EndHandScoring scoring);
    void onEndOfTournamentRound(bool lastRound, TournamentRoundScores scores);
    void onTournamentRankings(TournamentRankings rankings);
    void onAreYouReady(TimeSpan ts, bool seated);
    void onPlayerIsReady(qint32 playerId);
    void onPlayerStateChanged(GameModel::player_state_t state);
    void onWallStateChanged();
    void onJoinFailed();
    void onTournamentRoundEnded();
    void onJoinButtonClick();
    void onLeaveButtonClick();
    void onReactivateButtonClicked();
    void onReadyButtonClick();
    void onTileClick(tile t);
    void onMeldSelected(meld_offer offer);
    void onPassMeldSelected();
    void onCloseMeldAuction();
    void onConcealedRiichiSelected();
    void onConcealedPongToKongSelected();
    void onConcealedKongSelected();
    void onConcealedReplaceFlowerSelected();
    void onConcealedActionCancel();
    void onRoundScoreCloseClick();
    void hideTimeoutItem();
    void nextAction();
    void onTileGraphicsChanged();
    void onGameScaleChanged();
    void onCubeUpdate();
    void onShowCube();
    void onInviteButtonClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    // The boards closing take the hand's last banners with them.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void relayout(int width, int height);
    void runLayout();
    void placeStatusItems();
    void coverCutBanners();
    void placeConcealedDialog();
    void clearTable();
    void rebuildTable();
    void arrangeSeats();
    void firstDraw();
    void hideDealTiles();
    void updatePanels();
    void updateFuritenItem();
    void updateInactiveWindow();
    bool readyOffered() const;
    void updateOwnHand();
    void updateHiddenHand(qint32 playerId);
    void updateAllHands();
    void clearTurnTimers();
    void clearActivePlayer();
    void setActivePlayer(qint32 playerId);
    void hideClaimBanners();
    void showClaim(qint32 playerId, int meldType, int kind);
    void discardLanded(int seat);
    void meldLanded(int seat, const meld_tuple &m, int claimedFrom);
    void playMeldSound(int meldType);
    void writeNotice(const QString &text);
    void dropMeldAuction();
    // The local player's open decision is over: no panel, no tile choice.
    void endDecision();
    // Draws the claim panel, the declarations' dialog and the hand from the
    // current decision.
    void showDecision();
    // Applies a table event to the decision and draws it; true when the
    // question that was open stays open.
    bool decisionStands(const std::function<void()> &event);
    // Shows the questions kept while the table had no window, as they came.
    void resumeQuestions(const TableDecision &questions);
    void buildPanel();
    // After riichi the drawn tile goes out by itself when nothing else is
    // chosen; before its draw, once the draw lands.
    void riichiAutoDiscard();
    // The allowed tiles (empty: all) that the hand holds now, less those an
    // own claim sent and not yet reported takes; empty when none is left.
    tile_vector withoutClaimTiles(const tile_vector &allowed) const;
    // A hand's first change after the deal shows every hand at once; the
    // tiles about to leave a player's hand are still shown in it.
    void settleDeal(qint32 playerId, int leaving);
    void settleUndrawnHand();
    void stopClaimCountdown();
    // True, with a warning, for a decision event that comes when no hand is
    // in play: it changes nothing until the next hand starts.
    bool lateForHand(const char *event) const;
    void setLeaveButtonsEnabled(bool enabled);
    void dropLeaveBox();
    void closeHandEndBoards();
    void hideInviteDialog();
    void forgetInvites();
    MeldAuction *newMeldAuction();
    bool autoPass(const meld_offer_vector &offers);
    void chooseKind(int type);
    bool riichiAwaitsDraw() const;
    void chooseTile(tile t);
    void setCubePicture(const QPixmap &picture);
    const PlayerData *seatRecord(int seat) const;
    void layWallFromModel(int liveTiles = -1);
    void enqueue(std::function<void()> step);
    void enqueueFlight(TileAnimationSource *source, TileAnimationTarget *target, int ms, const tile_vector &tiles);
    void enqueueFlight(TileAnimationSource *source, TileAnimationTarget *target, int ms, int count);

    QPointer<QWidget> m_mainWindow;
    GameGraphicsScene m_scene;
    QGraphicsView *m_view = nullptr;
    QGraphicsRectItem *m_topBand = nullptr;
    QGraphicsRectItem *m_rightBand = nullptr;
    QPointer<GameModel> m_table;
    CityView *m_cityView = nullptr;
    QPointer<MeldAuction> m_meldAuction;
    ConcealedActionDialog *m_concealedActionDialog = nullptr;
    ScoreBoard *m_scoreBoard = nullptr;
    WaitingForPlayersWindow *m_waitingForPlayersWindow = nullptr;
    SeatedWindow *m_seatedWindow = nullptr;
    PlayerInactiveWindow *m_playerInactiveWindow = nullptr;
    WatchingWindow *m_watchingWindow = nullptr;
    WashoutWindow *m_washoutWindow = nullptr;
    RoundScoreBoard *m_roundScoreBoard = nullptr;
    HandView *m_handView = nullptr;
    std::array<DiscardView *, SeatCount> m_discardViews{};
    std::array<DeclaredView *, SeatCount> m_declaredViews{};
    std::array<WindView *, SeatCount> m_windViews{};
    std::array<QPointF, SeatCount> m_windPositions{};
    std::array<HiddenHandView *, SeatCount> m_hiddenHands{};
    std::array<PlayerActionView *, SeatCount> m_actionViews{};
    std::array<RiichiStickView *, SeatCount> m_riichiSticks{};
    // Ids, not records: the model's reset frees its records.
    std::array<qint32, SeatCount> m_seatPlayers{-1, -1, -1, -1};
    PrevalentWindView *m_prevalentWindView = nullptr;
    SideBar *m_sideBar = nullptr;
    TimerView *m_turnTimer = nullptr;
    TimerView *m_bigTurnTimer = nullptr;
    // Counts the claim countdown's stops, so that a show queued for a wait
    // that has ended is dropped.
    quint64 m_claimWait = 0;
    TableDecision m_decision;
    // The decision the claim panel was built for.
    quint64 m_panelSerial = 0;
    // The tiles the hand was last told to allow (empty: all).
    tile_vector m_handAllowed;
    // A board's first show lays it out with a hide that closes nothing.
    bool m_showingBoard = false;
    bool m_ownDiscardShown = false;
    tile m_ownDiscardTile = 0;
    // A riichi turn told before its draw was to discard by itself: the
    // draw goes out if the question is still the one of that serial.
    bool m_riichiDiscardAwaited = false;
    quint64 m_riichiDiscardSerial = 0;
    qint32 m_localPlayerId;
    TableInfo m_tableInfo;
    std::unique_ptr<GameTableLayout> m_layout;
    QGraphicsPixmapItem *m_timeoutItem = nullptr;
    // Hides the time-out banner; each time-out starts it again.
    QTimer m_timeoutTimer;
    QGraphicsPixmapItem *m_furitenItem = nullptr;
    bool m_roundBoardLastRound = false;
    bool m_handActive = false;
    bool m_firstDrawSeen = false;
    // A kick took back the Ready of the hand just ended: the server asks
    // again when it wants one.
    bool m_readyWithdrawn = false;
    // A kick took the seat the player stood down from: "Reactivate" waits
    // for the server's word on the new seat.
    bool m_standDownLapsed = false;
    bool m_furiten = false;
    std::array<TileAnimation *, DealSlotCount> m_dealTiles{};
    GameWindowActionQueue *m_actions = nullptr;
    QPointer<LocalizationDb> m_localizationDb;
    QPointer<ChatController> m_chatController;
    QPointer<PlayerDb> m_playerDb;
    QPointer<XMPPRosterModel> m_roster;
    TableInviteDialog *m_inviteDialog = nullptr;
    QPointer<QWidget> m_leaveBox;
    Object3DView *m_cube = nullptr;
    QTimer m_cubeTimer;
    QAction m_cubeAction;
    QPixmap m_cubePicture;
};
