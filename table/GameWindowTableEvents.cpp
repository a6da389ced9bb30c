#include "table/GameWindow.h"

#include "widgets/Utils.h"
#include "game/Wind.h"
#include "lobby/LocalizationDb.h"
#include "lobby/SeatedWindow.h"
#include "lobby/WatchingWindow.h"
#include "protocol/ServerError.h"
#include "scene/AssignWindAnimation.h"
#include "scene/CityView.h"
#include "scene/CompactCityView.h"
#include "scene/SquareCityView.h"
#include "scene/DealStartHandAnimation.h"
#include "scene/DeclaredView.h"
#include "scene/DiscardView.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/Matrix4.h"
#include "scene/Object3DView.h"
#include "scene/PlayerActionView.h"
#include "scene/PrevalentWindView.h"
#include "scene/RiichiStickView.h"
#include "scene/TileAnimation.h"
#include "scene/TileAnimationSet.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"
#include "scene/TimerView.h"
#include "scene/WindView.h"
#include "social/ChatController.h"
#include "social/PlayerDb.h"
#include "table/CallbackGameWindowAction.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameTableCompactLayout.h"
#include "table/GameTableRegularLayout.h"
#include "table/GameWindowActionQueue.h"
#include "table/Logging.h"
#include "table/MeldAuction.h"
#include "table/PlayerInactiveWindow.h"
#include "table/PlayerWidget.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/SideBar.h"
#include "sound/SoundPlayer.h"
#include "table/WaitingForPlayersWindow.h"
#include "table/WashoutWindow.h"
#include "widgets/ModelessMsgBox.h"

#include <QApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QLinearGradient>
#include <QPainter>
#include <QResizeEvent>
#include <QSettings>
#include <QTime>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int DrawMs = 500;
constexpr int MoveMs = 300;

bool setting(const char *key, bool fallback)
{
    return QSettings().value(QLatin1String(key), fallback).toBool();
}

// The tiles a declared meld is made of, for the flight to the melds. A pair
// has two tiles.
tile_vector meldTiles(const meld_tuple &m)
{
    const tile t = m.firstTile;
    switch (m.meldType) {
    case 1:
        return {t, tile(t + 1), tile(t + 2)};
    case 2:
        return {t, t, t};
    case 32:
        return {t, t};
    case 4:
    case 64:
        return {t};
    case 8:
        return {t, t, t, t};
    default:
        return {};
    }
}

// Claimed-from as a seat offset counted from the declaring player.
int claimedOffset(const GameModel *model, const PlayerData &player, qint32 claimedFrom)
{
    const PlayerData *from = model ? model->findPlayer(claimedFrom) : nullptr;
    if (!from)
        return -1;
    return wrapWind(player.wind() - from->wind() - 1);
}

bool drawableMeld(int meldType)
{
    return meldType == 1 || meldType == 2 || meldType == 4 || meldType == 8 || meldType == 32 || meldType == 64;
}

} // namespace

// --- helpers of the table events ----------------------------------------------

void GameWindow::enqueue(std::function<void()> step)
{
    m_actions->enqueueAction(makeCallbackAction(std::move(step)));
}

void GameWindow::enqueueFlight(TileAnimationSource *source, TileAnimationTarget *target, int ms,
                               const tile_vector &tiles)
{
    m_actions->enqueueAnimation(new TileAnimationSet(&m_scene, source, target, ms, tiles));
}

void GameWindow::enqueueFlight(TileAnimationSource *source, TileAnimationTarget *target, int ms, int count)
{
    m_actions->enqueueAnimation(new TileAnimationSet(&m_scene, source, target, ms, count));
}

void GameWindow::writeNotice(const QString &text)
{
    m_sideBar->appendNotice(text);
}

void GameWindow::clearTurnTimers()
{
    m_sideBar->clearTimers();
    m_turnTimer->setTimeSpan(TimeSpan());
    stopClaimCountdown();
    if (m_table)
        emit clearTimeout(m_table->tableId());
}

void GameWindow::stopClaimCountdown()
{
    // At once, not behind the flights still queued: the wait it counts is
    // over. A show still queued for that wait is dropped.
    ++m_claimWait;
    m_bigTurnTimer->setTimeSpan(TimeSpan());
    m_bigTurnTimer->hide();
}

bool GameWindow::decisionStands(const std::function<void()> &event)
{
    const quint64 serial = m_decision.serial();
    event();
    showDecision();
    return m_decision.subject() != TableDecision::None && m_decision.serial() == serial;
}

void GameWindow::clearActivePlayer()
{
    m_sideBar->clearHighlight();
    for (WindView *wind : m_windViews)
        wind->setActive(false);
}

void GameWindow::setActivePlayer(qint32 playerId)
{
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->setHighlightedPlayer(playerId);
    for (int seat = 0; seat < SeatCount; ++seat)
        m_windViews[seat]->setActive(m_seatPlayers[seat] == playerId);
}

void GameWindow::hideClaimBanners()
{
    m_sideBar->hideClaims();
    for (PlayerActionView *banner : m_actionViews)
        banner->hide();
}

void GameWindow::showClaim(qint32 playerId, int meldType, int kind)
{
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->showPlayerClaim(playerId, meldType, kind);
    const int seat = seatOf(playerId);
    m_actionViews[seat]->showAction(meldType, kind);
    m_actionViews[seat]->show();
    coverCutBanners();
}

void GameWindow::updateOwnHand()
{
    const PlayerData *own = m_table ? m_table->findOwnPlayer() : nullptr;
    if (!own)
        return;
    const tile_vector hand = own->hand(), drawn = own->drawnTiles();
    enqueue([this, hand, drawn] {
        m_handView->setTiles(hand);
        m_handView->clearMarks();
        if (m_handView->isActive()) {
            for (tile t : drawn)
                m_handView->markTile(t);
        }
    });
}

void GameWindow::updateHiddenHand(qint32 playerId)
{
    const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr;
    if (!p)
        return;
    HiddenHandView *hidden = m_hiddenHands[seatOf(playerId)];
    const int count = p->hiddenTiles();
    enqueue([hidden, count] { hidden->setTileCount(count); });
}

void GameWindow::updateAllHands()
{
    for (int seat = 0; seat < SeatCount; ++seat) {
        const qint32 id = m_seatPlayers[seat];
        if (id == -1)
            continue;
        if (id == m_localPlayerId)
            updateOwnHand();
        else
            updateHiddenHand(id);
    }
}

void GameWindow::updateFuritenItem()
{
    if (!m_table)
        return;
    const PlayerData *own = m_table->isOwnPlayerSeated() ? m_table->findOwnPlayer() : nullptr;
    if (!own) {
        m_furitenItem->hide();
        return;
    }
    placeStatusItems();
    m_furitenItem->setVisible(own->isFuriten() && !m_timeoutItem->isVisible());
}

void GameWindow::updateInactiveWindow()
{
    const PlayerData *own = (m_table && m_table->isOwnPlayerSeated()) ? m_table->findOwnPlayer() : nullptr;
    if (own && !own->isActive() && !m_standDownLapsed)
        m_playerInactiveWindow->showDialog(true);
    else
        m_playerInactiveWindow->hide();
}

void GameWindow::discardLanded(int seat)
{
    playSound(SoundPlayer::TileDiscarded);
    for (int s = 0; s < SeatCount; ++s)
        m_discardViews[s]->setLastTileMarked(s == seat);
    placeStatusItems();
}

void GameWindow::meldLanded(int seat, const meld_tuple &m, int claimedFrom)
{
    if (!drawableMeld(m.meldType)) {
        qCWarning(lcTable) << "Meld of type" << m.meldType << "not drawn";
        return;
    }
    m_declaredViews[seat]->addMeld(m.meldType, m.firstTile, claimedFrom, m.claimedOffset, m.visibility);
    if (m.meldType == 1 || m.meldType == 2 || m.meldType == 8 || m.meldType == 16)
        playMeldSound(m.meldType);
}

void GameWindow::playMeldSound(int meldType)
{
    if (isVisible() && setting("game/sound", true))
        SoundPlayer::instance().playMeld(meldType);
}

// --- table events --------------------------------------------------------------

void GameWindow::reset()
{
    // The model's reset freed the records the seats named.
    m_seatPlayers.fill(-1);
    clearTable();
    m_sideBar->clear();
}

void GameWindow::clearTable()
{
    m_actions->clear();
    m_ownDiscardShown = false;
    m_riichiDiscardAwaited = false;
    m_decision.reset();
    for (int seat = 0; seat < SeatCount; ++seat) {
        m_discardViews[seat]->clear();
        m_declaredViews[seat]->clear();
        m_hiddenHands[seat]->setTileCount(0);
        m_windViews[seat]->hide();
        m_windViews[seat]->setActive(false);
        m_riichiSticks[seat]->setStickCount(0);
    }
    // The seats keep their players: the model still holds them, and its
    // next event for one of them must find a seat. Only a model reset, a
    // player leaving or another model forgets them.
    clearTurnTimers();
    m_actions->flush();
    clearActivePlayer();
    hideClaimBanners();
    hideDealTiles();
    m_handView->clear();
    if (m_cityView)
        m_cityView->clearWallState();
    for (int seat = 0; seat < SeatCount; ++seat)
        setWindPosition(seat, m_windPositions[seat]);
    m_scoreBoard->hide();
    m_washoutWindow->hide();
    m_roundScoreBoard->hide();
    showDecision();
    m_seatedWindow->hide();
    m_waitingForPlayersWindow->hide();
    hideInviteDialog();
    m_sideBar->updateSticks();
    updateFuritenItem();
    if (m_table && m_table->isOwnPlayerSeated())
        updateInactiveWindow();
}

void GameWindow::setModel(GameModel *model, const TableDecision *questions)
{
    m_table = model;
    m_seatPlayers.fill(-1);
    if (!model) {
        clearTable();
        m_sideBar->clear();
        return;
    }
    m_sideBar->setModel(model);
    connect(model, &GameModel::seatsRemainingChanged, m_waitingForPlayersWindow,
            &WaitingForPlayersWindow::onSeatsRemaining, Qt::UniqueConnection);
    connect(model, &GameModel::joinableChanged, m_watchingWindow, &WatchingWindow::onJoinableChanged,
            Qt::UniqueConnection);
    for (qint32 id : model->playerIds()) {
        if (const PlayerData *p = model->findPlayer(id)) {
            if (!m_sideBar->hasPlayer(id))
                m_sideBar->addPlayer(*p);
        }
        emit playerAdded(model->tableId(), id);
    }
    onTableInfo(model->tableInfo());
    m_sideBar->setTournamentInfo(model->tournamentInfo());
    onGameStateChanged();
    // A hand that ended while no window showed it is shown as it ended,
    // not as a rack on a full wall.
    if (model->gameState() == GameModel::HAND_ENDED)
        rebuildTable();
    // The own turn, when questions were kept, is among them: answered
    // perhaps, and then not asked again.
    const auto pending = model->pendingAction();
    if (pending.first != -1 && !(questions && pending.first == m_localPlayerId))
        onPlayerShouldAct(pending.first, pending.second);
    if (questions && model->isInPlay())
        resumeQuestions(*questions);
}

void GameWindow::resumeQuestions(const TableDecision &questions)
{
    m_decision = questions;
    const TableDecision::Subject subject = m_decision.subject();
    const meld_offer_vector offers = m_decision.offers();
    const TimeSpan ts = m_decision.deadline();
    if (subject == TableDecision::None) {
        showDecision();
        return;
    }
    if (subject != TableDecision::OwnTurn && autoPass(offers))
        return;
    if (subject == TableDecision::RobKong) {
        clearTurnTimers();
        clearActivePlayer();
    }
    showDecision();
    if (subject == TableDecision::Claim) {
        // The panel brings its sound and countdowns when it shows.
        if (!offers.empty())
            emit tableActivity(m_table->tableId(), true, ts);
        return;
    }
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
    if (subject != TableDecision::OwnTurn) {
        playSound(offers.empty() ? SoundPlayer::MeldPassOnly : SoundPlayer::MeldSuggestion);
        return;
    }
    setActivePlayer(m_localPlayerId);
    updateOwnHand();
    emit tableActivity(m_table->tableId(), true, ts);
    if (!offers.empty())
        playSound(SoundPlayer::MeldSuggestion);
    else if (m_decision.declarationsTold() && m_decision.tileChoice() == 0)
        riichiAutoDiscard();
}

void GameWindow::onTableInfo(TableInfo info)
{
    m_actions->flush();
    m_tableInfo = info;
    m_sideBar->setTableInfo(info);
    m_cityView->setTableInfo(info);
    runLayout();
    if (m_table)
        m_scoreBoard->setReadyVisible(readyOffered());
    for (PlayerActionView *banner : m_actionViews)
        banner->setRuleset(info.ruleset());
    m_seatedWindow->onTableInfo(info);
    m_washoutWindow->setTableInfo(info);
}

void GameWindow::onTournamentInfo(TournamentInfo info)
{
    // A finished round's table goes on showing the round it played: the
    // tournament's next round is played at another table.
    const TournamentInfo &shown = m_sideBar->tournamentInfo();
    if (m_table && m_table->gameState() == GameModel::ROUND_ENDED && shown.id == info.id
        && shown.currentRound != info.currentRound)
        return;
    m_sideBar->setTournamentInfo(info);
    // An open board shows the round it was filled for, not the next one the
    // server has already moved to, also while another page hides it.
    if (!m_roundScoreBoard->isHidden() && m_roundScoreBoard->isTournament())
        return;
    m_roundScoreBoard->setTournamentInfo(info);
}

void GameWindow::onTournamentRankings(TournamentRankings rankings)
{
    m_roundScoreBoard->setTournamentRankings(rankings);
}

void GameWindow::onGameStateChanged()
{
    if (!m_table)
        return;
    const GameModel::game_state_t state = m_table->gameState();
    m_scoreBoard->setReadyVisible(readyOffered());
    const bool underWay = state != GameModel::GAME_NOT_STARTED && state != GameModel::NO_GAME_STATE;
    m_sideBar->setWindsVisible(underWay);
    if (state == GameModel::HAND_ENDED || state == GameModel::ROUND_ENDED || state == GameModel::TABLE_REMOVED) {
        clearActivePlayer();
        // No turn is left to play: a click must not send a discard. Ended
        // before the queue runs, so that a panel still waiting there for
        // its discard's flight shows nothing and starts no countdown.
        endDecision();
        clearTurnTimers();
        m_actions->flush();
    }
    if (state == GameModel::TABLE_REMOVED) {
        // A seat at a table that is gone can no longer be taken or left.
        m_seatedWindow->hide();
        dropLeaveBox();
        QMessageBox *box = ModelessMsgBox::question(
            this, tr("Table does not exist"), tr("Table has been removed from server, press Ok to go back to lobby"),
            QMessageBox::Ok);
        QPointer<GameWindow> self(this);
        const qint32 tableId = m_table->tableId();
        ModelessMsgBox::onFinished(box, [self, tableId](int) {
            if (self)
                emit self->tableRemovedConfirmed(tableId);
        });
    }
    if (state == GameModel::HAND_IN_PLAY) {
        rebuildTable();
        m_sideBar->clearReady();
        m_sideBar->setScoresVisible(true);
        // A hand joined or sent again mid-way names its round too.
        m_sideBar->setWindRound(m_table->prevailingWind() + 1);
    }
    // Entries of players the model no longer holds would name freed records.
    for (qint32 id : m_sideBar->playerIds()) {
        if (!m_table->findPlayer(id))
            m_sideBar->removePlayer(id);
    }
    m_sideBar->setHandId(m_table->handId());
    updatePanels();
}

void GameWindow::rebuildTable()
{
    m_actions->flush();
    hideDealTiles();
    arrangeSeats();
    const bool seated = m_table->isOwnPlayerSeated();
    if (seated) {
        qCDebug(lcTable) << "WE ARE SEATED";
        if (const PlayerData *own = m_table->findOwnPlayer())
            m_handView->setTiles(own->hand());
        m_turnTimer->show();
        m_turnTimer->raise();
    } else {
        qCDebug(lcTable) << "WE ARE OBSERVING";
        m_handView->clear();
        m_turnTimer->hide();
    }
    m_prevalentWindView->setWind(m_table->prevailingWind());
    m_prevalentWindView->setVisible(m_tableInfo.gameType() != 0);
    for (int seat = 0; seat < SeatCount; ++seat) {
        m_declaredViews[seat]->clear();
        m_windViews[seat]->setActive(false);
        const PlayerData *p = seatRecord(seat);
        if (!p) {
            qCDebug(lcTable) << "seat" << seat << "is free";
            m_hiddenHands[seat]->setTileCount(0);
            m_windViews[seat]->hide();
            m_riichiSticks[seat]->setStickCount(0);
            m_discardViews[seat]->clear();
            continue;
        }
        qCDebug(lcTable) << p->name() << "wind" << p->wind() << "seat" << seat;
        m_windViews[seat]->setWind(p->wind());
        m_windViews[seat]->show();
        m_discardViews[seat]->setTiles(p->discards(), p->riichiDiscardIndex());
        m_hiddenHands[seat]->setTileCount(p->id() == m_localPlayerId ? 0 : p->hiddenTiles());
        if (m_sideBar->hasPlayer(p->id()))
            m_sideBar->setPlayerWind(p->id(), p->wind());
        tile_vector bonus = p->bonusTiles();
        for (tile t : bonus)
            m_declaredViews[seat]->addBonusTile(t);
        for (const meld_tuple &m : p->melds()) {
            // A mahjong row or an unknown type is not drawn here; the hand
            // goes on.
            if (!drawableMeld(m.meldType)) {
                qCWarning(lcTable) << "Meld of type" << m.meldType << "skipped in the table rebuild";
                continue;
            }
            if (m.meldType == 64) {
                // A flower shown during the hand is kept as a meld; the game
                // data may name it among the bonus tiles as well.
                if (std::find(bonus.begin(), bonus.end(), m.firstTile) == bonus.end()) {
                    bonus.push_back(m.firstTile);
                    m_declaredViews[seat]->addBonusTile(m.firstTile);
                }
                continue;
            }
            m_declaredViews[seat]->addMeld(m.meldType, m.firstTile, claimedOffset(m_table, *p, m.claimedFrom),
                                           m.claimedOffset, m.visibility);
        }
        m_riichiSticks[seat]->setStickCount(p->riichiDiscardIndex() >= 0 ? 1 : 0);
    }
    m_sideBar->updateSticks();
    layWallFromModel();
    runLayout();
    updateFuritenItem();
    updateInactiveWindow();
}

void GameWindow::onPlayerSeated(qint32 playerId, qint32 tableId, bool fromGameData)
{
    const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr;
    if (p && !m_sideBar->hasPlayer(playerId))
        m_sideBar->addPlayer(*p);
    if (p && playerId != m_localPlayerId && !fromGameData) {
        writeNotice(tr("%1 joined the table").arg(Utils::isolated(p->name())));
        playSound(SoundPlayer::Joined);
    }
    emit playerAdded(tableId, playerId);
}

void GameWindow::onPlayerUnseated(qint32 playerId)
{
    QString name;
    if (const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr)
        name = p->name();
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->removePlayer(playerId);
    for (qint32 &id : m_seatPlayers) {
        if (id == playerId)
            id = -1;
    }
    if (playerId == m_localPlayerId) {
        // Nothing is asked of a player who no longer sits here.
        endDecision();
        writeNotice(tr("You've been unseated from this table."));
        if (m_table)
            emit tableActivity(m_table->tableId(), true, TimeSpan());
    } else {
        writeNotice(tr("%1 left the table").arg(Utils::isolated(name)));
    }
    playSound(SoundPlayer::Left);
}

void GameWindow::onStartHand(bool newRound)
{
    m_firstDrawSeen = false;
    m_readyWithdrawn = false;
    m_handActive = false;
    if (m_table) {
        for (qint32 id : m_table->playerIds()) {
            const PlayerData *p = m_table->findPlayer(id);
            if (p && m_sideBar->hasPlayer(id)) {
                m_sideBar->setPlayerWind(id, p->wind());
                m_sideBar->setPlayerPoints(id, p->points());
            }
        }
    }
    m_sideBar->clearReady();
    m_sideBar->clearHighlight();
    for (WindView *wind : m_windViews)
        wind->setActive(false);
    updateFuritenItem();
    updateInactiveWindow();
    m_sideBar->setScoresVisible(true);
    if (m_table)
        m_sideBar->setWindRound(m_table->prevailingWind() + 1);
    hideInviteDialog();
    // Nothing of the last hand may act in this one: the hand waits for its
    // turn, and the washout notice stays to be read but its Ready, which
    // answered the last hand, is gone; so are the last hand's banners.
    m_decision.reset();
    showDecision();
    hideClaimBanners();
    m_washoutWindow->stopCountdown();
    m_washoutWindow->setWatchOnly(true);
    if (newRound) {
        std::array<QGraphicsItem *, 4> markers{m_windViews[0], m_windViews[1], m_windViews[2], m_windViews[3]};
        m_actions->enqueueAnimation(new AssignWindAnimation(this, markers));
        enqueue([this] { playSound(SoundPlayer::Start); });
    }
    m_actions->enqueueAnimation(new DealStartHandAnimation(this));
    if (!newRound)
        playSound(SoundPlayer::Start);
    if (m_table && m_table->isOwnPlayerSeated())
        QApplication::alert(this, 3000);
    enqueue([this] {
        if (setting("game/autoPopdownScoreDialog", false)) {
            m_scoreBoard->hide();
            m_washoutWindow->hide();
            m_roundScoreBoard->hide();
        }
        writeNotice(tr("Hand started"));
    });
    if (m_table)
        emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::firstDraw()
{
    m_actions->flush();
    m_firstDrawSeen = true;
    hideDealTiles();
    updateAllHands();
    m_actions->flush();
    layWallFromModel();
}

void GameWindow::settleUndrawnHand()
{
    // The deal's flights stay where they landed until the first draw; a
    // hand that ends before one would leave them lying on the hands.
    if (!m_firstDrawSeen)
        firstDraw();
}

void GameWindow::settleDeal(qint32 playerId, int leaving)
{
    if (m_firstDrawSeen)
        return;
    // A flower or a discard before any draw: the deal's flights end here,
    // or the tiles would fly from a hand that shows no backs yet.
    firstDraw();
    const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr;
    if (!p || playerId == m_localPlayerId || leaving <= 0)
        return;
    HiddenHandView *hidden = m_hiddenHands[seatOf(playerId)];
    const int count = p->hiddenTiles() + leaving;
    enqueue([hidden, count] { hidden->setTileCount(count); });
}

void GameWindow::onTilesFromWall(qint32 playerId, tile_vector tiles, bool fromDeadWall)
{
    if (tiles.size() == 13) {
        // A bot's flower already ended the deal's flights: these tiles are
        // shown as they are.
        if (m_firstDrawSeen)
            updateOwnHand();
        return;
    }
    const bool first = !m_firstDrawSeen;
    if (first)
        firstDraw();
    const bool stands = decisionStands([&] { m_decision.drawn(playerId, fromDeadWall, riichiTiles(m_table)); });
    m_timeoutItem->hide();
    updateFuritenItem();
    if (m_handActive)
        setActivePlayer(playerId);
    if (first)
        return;
    // A turn announced before its draw keeps its countdown.
    if (!stands)
        clearTurnTimers();
    enqueueFlight(m_cityView->animationSource(fromDeadWall), m_handView, DrawMs, tiles);
    if (m_riichiDiscardAwaited && stands && m_decision.serial() == m_riichiDiscardSerial
        && m_decision.subject() == TableDecision::OwnTurn && m_decision.tileChoice() == 0)
        riichiAutoDiscard();
}

void GameWindow::onHiddenTilesFromWall(qint32 playerId, qint32 count, bool fromDeadWall)
{
    if (count == 13) {
        // Dealt after a flower ended the deal's flights: the backs are laid
        // down, or the next flower would fly from an empty hand.
        if (m_firstDrawSeen)
            updateHiddenHand(playerId);
        return;
    }
    const int seat = seatOf(playerId);
    const bool first = !m_firstDrawSeen;
    if (first)
        firstDraw();
    // A flower's replacement leaves a claim on the last discard open.
    const bool stands = decisionStands([&] { m_decision.drawn(playerId, fromDeadWall); });
    if (m_handActive && !stands)
        setActivePlayer(playerId);
    if (first)
        return;
    if (!stands)
        clearTurnTimers();
    // A count beyond a hand's size is no draw: cap it rather than build
    // hundreds of flying tiles.
    enqueueFlight(m_cityView->animationSource(fromDeadWall), m_hiddenHands[seat], DrawMs, std::clamp(count, 0, 14));
}

void GameWindow::onTileDiscarded(qint32 playerId, tile t, bool riichiDiscard)
{
    const int seat = seatOf(playerId);
    const bool own = playerId == m_localPlayerId;
    settleDeal(playerId, 1);
    m_handActive = true;
    m_decision.discarded(playerId);
    showDecision();
    clearTurnTimers();
    clearActivePlayer();
    hideClaimBanners();
    if (own)
        qCDebug(lcTable) << "got discard" << t;
    if (riichiDiscard) {
        showClaim(playerId, 128, 0);
        for (int s = 0; s < SeatCount; ++s) {
            const PlayerData *p = seatRecord(s);
            m_riichiSticks[s]->setStickCount(p && p->riichiDiscardIndex() >= 0 ? 1 : 0);
        }
        m_sideBar->updateSticks();
    }
    DiscardView *discards = m_discardViews[seat];
    if (own && m_ownDiscardShown) {
        m_ownDiscardShown = false;
        if (m_ownDiscardTile == t) {
            if (riichiDiscard)
                enqueue([discards] { discards->markLastAsRiichi(); });
            return;
        }
        enqueueFlight(discards, m_handView, MoveMs, tile_vector{m_ownDiscardTile});
    }
    if (riichiDiscard)
        enqueue([discards] { discards->markRiichi(); });
    if (own)
        enqueueFlight(m_handView, discards, MoveMs, tile_vector{t});
    else
        enqueueFlight(m_hiddenHands[seat], discards, MoveMs, tile_vector{t});
    enqueue([this, seat] { discardLanded(seat); });
    if (own) {
        updateOwnHand();
        if (m_table)
            emit tableActivity(m_table->tableId(), false, TimeSpan());
    } else {
        updateHiddenHand(playerId);
    }
}

void GameWindow::onTileClaimed(qint32 discardPlayer, qint32 claimingPlayer)
{
    // Whoever claimed, the discard is settled: no panel may answer it now,
    // and its countdowns stop. The own claim's turn, if it came first,
    // keeps its own.
    if (!decisionStands([&] { m_decision.claimed(claimingPlayer); }))
        clearTurnTimers();
    if (!m_table)
        return;
    const int from = seatOf(discardPlayer);
    const int to = seatOf(claimingPlayer);
    const tile t = m_table->lastDiscard();
    if (claimingPlayer == m_localPlayerId) {
        enqueueFlight(m_discardViews[from], m_handView, MoveMs, tile_vector{t});
        updateOwnHand();
    } else {
        enqueueFlight(m_discardViews[from], m_hiddenHands[to], MoveMs, tile_vector{t});
        updateHiddenHand(claimingPlayer);
    }
}

void GameWindow::onMeldDeclared(qint32 playerId, meld_tuple m)
{
    const int seat = seatOf(playerId);
    const int leaving = m.meldType == 8 ? 4 : m.meldType == 4 ? 1 : (m.meldType == 1 || m.meldType == 2) ? 3 : 0;
    settleDeal(playerId, leaving);
    // The own claim's turn may have come first: its countdown stays.
    const bool stands = decisionStands([&] { m_decision.declared(playerId); });
    if (!stands)
        clearTurnTimers();
    const tile_vector tiles = meldTiles(m);
    if (tiles.empty()) {
        // A mahjong row or an unknown type: nothing to fly, the hand goes on.
        qCWarning(lcTable) << "Declared meld of type" << m.meldType << "skipped";
        return;
    }
    const bool own = playerId == m_localPlayerId;
    if (own)
        enqueueFlight(m_handView, m_declaredViews[seat], MoveMs, tiles);
    else if (m.visibility == 2)
        enqueueFlight(m_hiddenHands[seat], m_declaredViews[seat], MoveMs, int(tiles.size()));
    else
        enqueueFlight(m_hiddenHands[seat], m_declaredViews[seat], MoveMs, tiles);
    const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr;
    const int from = p ? claimedOffset(m_table, *p, m.claimedFrom) : -1;
    enqueue([this, seat, m, from] { meldLanded(seat, m, from); });
    if (own)
        updateOwnHand();
    else
        updateHiddenHand(playerId);
    if (m.meldType == 1 || m.meldType == 2 || m.meldType == 8) {
        hideClaimBanners();
        showClaim(playerId, m.meldType, 0);
    }
    if (own && m_table && !stands)
        emit tableActivity(m_table->tableId(), false, TimeSpan());
}

void GameWindow::onBonusDeclared(qint32 playerId, tile_vector tiles)
{
    const int seat = seatOf(playerId);
    const bool own = playerId == m_localPlayerId;
    settleDeal(playerId, int(tiles.size()));
    m_decision.declared(playerId, true);
    showDecision();
    if (own)
        enqueueFlight(m_handView, m_declaredViews[seat], MoveMs, tiles);
    else
        enqueueFlight(m_hiddenHands[seat], m_declaredViews[seat], MoveMs, tiles);
    DeclaredView *declared = m_declaredViews[seat];
    enqueue([declared, tiles] {
        for (tile t : tiles)
            declared->addBonusTile(t);
    });
    if (own) {
        updateOwnHand();
        if (m_table)
            emit tableActivity(m_table->tableId(), false, TimeSpan());
    } else {
        updateHiddenHand(playerId);
    }
}

void GameWindow::onKanDora(tile t)
{
    enqueue([this, t] {
        if (m_cityView)
            m_cityView->addDora(t);
    });
}

void GameWindow::onWallStateChanged()
{
    enqueue([this] { layWallFromModel(); });
}

void GameWindow::onPlayerShouldAct(qint32 playerId, TimeSpan ts)
{
    if (lateForHand("player_should_act"))
        return;
    // The turn replaces whatever was asked before it; a turn already
    // answered with a discard is waiting for the server's report of it.
    if (!m_decision.turn(playerId, ts, riichiTiles(m_table))) {
        qCWarning(lcTable) << "Ignoring player_should_act: the player's turn has been answered";
        return;
    }
    showDecision();
    clearActivePlayer();
    clearTurnTimers();
    if (playerId == -1)
        return;
    setActivePlayer(playerId);
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->setPlayerTimer(playerId, ts);
    if (playerId != m_localPlayerId) {
        m_handView->clearMarks();
        return;
    }
    updateOwnHand();
    m_turnTimer->setTimeSpan(ts);
    if (m_table)
        emit tableActivity(m_table->tableId(), true, ts);
}

void GameWindow::onWaitingFor(WaitCondition::enum_t condition, TimeSpan ts, std::vector<qint32> players)
{
    if (lateForHand("waiting_for"))
        return;
    if (players.empty()) {
        qCWarning(lcTable) << "onWaitingFor without players";
        return;
    }
    if (condition == 0) {
        const qint32 discarder = m_table ? m_table->lastDiscarderId() : -1;
        const quint64 wait = m_claimWait;
        enqueue([this, discarder, ts, wait] {
            if (wait != m_claimWait)
                return;
            int seat = -1;
            for (int s = 0; s < SeatCount; ++s) {
                if (m_seatPlayers[s] == discarder && discarder != -1)
                    seat = s;
            }
            if (seat == -1 || m_discardViews[seat]->tileItems().empty())
                return;
            const TileView *last = m_discardViews[seat]->tileItems().back();
            const QRectF r = last->sceneBoundingRect();
            QPoint at = m_view->mapFromScene(QPointF(r.right() + 2, r.center().y()));
            // On a small table the wall can lie right of the tile: the
            // countdown then stands left of it, inside the discards' area.
            const QRect area = m_view->mapFromScene(QRectF(m_layout->discardArea())).boundingRect();
            if (at.x() + m_bigTurnTimer->width() > area.right() + 1)
                at.setX(m_view->mapFromScene(QPointF(r.left() - 2, 0)).x() - m_bigTurnTimer->width());
            at.setY(std::clamp(at.y(), area.top() + m_bigTurnTimer->height() / 2,
                               std::max(area.top(), area.bottom() + 1 - m_bigTurnTimer->height() / 2)));
            m_bigTurnTimer->move(at.x(), at.y() - m_bigTurnTimer->height() / 2);
            m_bigTurnTimer->setTimeSpan(ts);
            m_bigTurnTimer->show();
            m_bigTurnTimer->raise();
        });
    } else if (condition == 1 && players.front() != m_localPlayerId) {
        if (m_sideBar->hasPlayer(players.front()))
            m_sideBar->setPlayerTimer(players.front(), ts);
    }
}

void GameWindow::onWaitingOver()
{
    stopClaimCountdown();
    m_sideBar->clearTimers();
}

void GameWindow::onPrivatePlayerData(PrivatePlayerData data)
{
    m_standDownLapsed = false;
    m_handView->setTiles(data.tiles);
    // The tiles a turn may let go are those of the hand now.
    showDecision();
    updateFuritenItem();
    updateInactiveWindow();
    m_sideBar->setChatJoined(true);
}

void GameWindow::onFuritenChanged(bool)
{
    updateFuritenItem();
}

void GameWindow::onActiveChanged(bool)
{
    m_standDownLapsed = false;
    updateInactiveWindow();
}

void GameWindow::onSomeoneDeclaredMeld(qint32 playerId, int meldType)
{
    if (meldType == 1 || meldType == 2 || meldType == 8)
        showClaim(playerId, meldType, 0);
}

void GameWindow::onSomeoneDeclaredMahjong(qint32 playerId, int kind)
{
    hideClaimBanners();
    showClaim(playerId, 16, kind);
}

void GameWindow::nextAction()
{
    m_actions->nextAction();
}
