#include "table/GameWindow.h"

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
#include "table/MeldChoice.h"
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

} // namespace

// --- claims and declarations ---------------------------------------------------

void GameWindow::dropMeldAuction()
{
    if (m_meldAuction) {
        m_meldAuction->hide();
        m_meldAuction->deleteLater();
    }
    m_meldAuction = nullptr;
}

void GameWindow::endDecision()
{
    m_decision.end();
    showDecision();
}

void GameWindow::showDecision()
{
    const TableDecision &d = m_decision;
    if (!d.showsPanel())
        dropMeldAuction();
    else if (!m_meldAuction || m_panelSerial != d.serial())
        buildPanel();

    if (d.showsDeclarations()) {
        if (d.tileChoice() != 0)
            m_concealedActionDialog->showCancelOnly();
        else
            m_concealedActionDialog->setOffers(d.offers());
        m_concealedActionDialog->show();
        m_concealedActionDialog->raise();
        placeConcealedDialog();
    } else {
        m_concealedActionDialog->hide();
    }

    // Most table events leave the hand as it is: only a change is drawn.
    bool active = d.handActive() && !riichiAwaitsDraw();
    tile_vector allowed = active ? d.allowedTiles() : tile_vector{};
    if (active) {
        // Only what the hand holds: the rack may still show tiles on their
        // way to a meld until their flight runs.
        allowed = withoutClaimTiles(allowed);
        active = !allowed.empty();
    }
    if (allowed != m_handAllowed) {
        m_handAllowed = allowed;
        if (allowed.empty())
            m_handView->clearAllowedTiles();
        else
            m_handView->setAllowedTiles(allowed);
    }
    m_handView->setActive(active);
}

void GameWindow::buildPanel()
{
    const TableDecision &d = m_decision;
    MeldAuction *auction = newMeldAuction();
    m_panelSerial = d.serial();
    switch (d.subject()) {
    case TableDecision::Claim:
        auction->enablePass();
        for (const meld_offer &offer : d.offers())
            auction->addOffer(offer, d.discardTile());
        auction->setAuctionType(MeldAuction::Claim);
        break;
    case TableDecision::RobKong:
        auction->enablePass();
        for (const meld_offer &offer : d.offers())
            auction->addOffer(offer, offer.t);
        auction->setAuctionType(MeldAuction::RobKong);
        break;
    case TableDecision::Replacement:
        auction->enablePass();
        auction->setAuctionType(MeldAuction::ReplaceTiles);
        break;
    case TableDecision::OwnTurn:
        auction->showCloseButton();
        for (const meld_offer &offer : d.offers()) {
            if (offer.meldType == 16) {
                auction->addOffer(offer, offer.t);
                break;
            }
        }
        auction->setAuctionType(MeldAuction::Declaration);
        break;
    case TableDecision::None:
        break;
    }
    if (d.subject() != TableDecision::Claim) {
        auction->showDialog(true);
        return;
    }
    // A claim is offered on the discard the player sees: it waits for the
    // discard's flight to land.
    const quint64 serial = d.serial();
    const bool withOffers = !d.offers().empty();
    const TimeSpan ts = d.deadline();
    QPointer<MeldAuction> panel(auction);
    enqueue([this, panel, serial, withOffers, ts] {
        if (!panel || m_decision.serial() != serial)
            return;
        panel->showDialog(true);
        playSound(withOffers ? SoundPlayer::MeldSuggestion : SoundPlayer::MeldPassOnly);
        if (m_sideBar->hasPlayer(m_localPlayerId))
            m_sideBar->setPlayerTimer(m_localPlayerId, ts);
        m_turnTimer->setTimeSpan(ts);
    });
}

bool GameWindow::lateForHand(const char *event) const
{
    if (!m_table || m_table->isInPlay())
        return false;
    qCWarning(lcTable) << "Ignoring" << event << "at table" << m_table->tableId() << "in game state"
                       << GameModel::gameStateName(m_table->gameState());
    return true;
}

MeldAuction *GameWindow::newMeldAuction()
{
    dropMeldAuction();
    auto *auction = new MeldAuction(this);
    auction->hide();
    connect(auction, &MeldAuction::meldSelected, this, &GameWindow::onMeldSelected);
    connect(auction, &MeldAuction::passSelected, this, &GameWindow::onPassMeldSelected);
    connect(auction, &MeldAuction::closeSelected, this, &GameWindow::onCloseMeldAuction);
    m_meldAuction = auction;
    return auction;
}

bool GameWindow::autoPass(const meld_offer_vector &offers)
{
    if (!offers.empty() || !setting("game/autoPass", true))
        return false;
    // Answered at once: nothing is left open.
    m_decision.end();
    showDecision();
    if (m_table)
        emit callPass(m_table->tableId(), m_localPlayerId, true);
    return true;
}

tile_vector GameWindow::riichiTiles(const GameModel *model)
{
    const PlayerData *own = model ? model->findOwnPlayer() : nullptr;
    if (own && own->riichiDiscardIndex() >= 0)
        return own->drawnTiles();
    return {};
}

bool GameWindow::riichiAwaitsDraw() const
{
    // A riichi hand discards only what it draws: a turn told before its
    // draw (the hand one tile short) has nothing to discard yet.
    const PlayerData *own = m_table ? m_table->findOwnPlayer() : nullptr;
    return own && own->riichiDiscardIndex() >= 0 && own->drawnTiles().empty() && own->hand().size() % 3 == 1;
}

meld_offer_vector GameWindow::drawableOffers(const meld_offer_vector &offers, tile lastDiscard, bool robbing)
{
    // An offer the panel has no row for is dropped; the others still stand.
    meld_offer_vector drawable;
    for (const meld_offer &offer : offers) {
        if (offer.meldType == 16 || MeldChoice::canShow(offer, robbing ? offer.t : lastDiscard))
            drawable.push_back(offer);
        else
            qCWarning(lcTable) << "Dropping an offer of meld type" << offer.meldType << "on tile" << offer.t;
    }
    return drawable;
}

void GameWindow::onMeldSuggestion(const meld_offer_vector &suggested, qint32 discarderId, tile lastDiscard,
                                  const TimeSpan &ts)
{
    if (lateForHand("meld_suggestion"))
        return;
    const meld_offer_vector offers = drawableOffers(suggested, lastDiscard, false);
    if (!m_decision.claim(offers, discarderId, lastDiscard, ts)) {
        qCWarning(lcTable) << "Ignoring meld_suggestion: the discard of" << discarderId
                           << "is no longer open to claims";
        return;
    }
    if (autoPass(offers))
        return;
    showDecision();
    // The panel's sound and countdowns come with it, when the discard lands.
    if (!offers.empty() && m_table)
        emit tableActivity(m_table->tableId(), true, ts);
}

void GameWindow::onRobTheKongSuggestion(const meld_offer_vector &suggested, const TimeSpan &ts)
{
    if (lateForHand("rob_the_kong_suggestion"))
        return;
    const meld_offer_vector offers = drawableOffers(suggested, 0, true);
    if (!m_decision.robKong(offers, ts)) {
        qCWarning(lcTable) << "Ignoring rob_the_kong_suggestion after the player's own discard";
        return;
    }
    clearTurnTimers();
    clearActivePlayer();
    if (autoPass(offers))
        return;
    showDecision();
    playSound(offers.empty() ? SoundPlayer::MeldPassOnly : SoundPlayer::MeldSuggestion);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
}

void GameWindow::onReplacementMeldSuggestion(const meld_offer_vector &offers, const TimeSpan &ts)
{
    if (lateForHand("replacement_meld_suggestion"))
        return;
    if (!m_decision.replacement(offers, ts)) {
        qCWarning(lcTable) << "Ignoring replacement_meld_suggestion outside the player's turn";
        return;
    }
    if (autoPass(offers))
        return;
    showDecision();
    qCDebug(lcTable) << "Choose meld/riichi from these tiles: " << m_decision.allowedTiles();
    playSound(SoundPlayer::MeldSuggestion);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
}

void GameWindow::onConcealedMeldSuggestion(const meld_offer_vector &offers, const TimeSpan &ts)
{
    if (lateForHand("concealed_meld_suggestion"))
        return;
    if (!m_decision.concealed(offers, ts, riichiTiles(m_table))) {
        qCWarning(lcTable) << "Ignoring concealed_meld_suggestion: the player's turn is over";
        return;
    }
    showDecision();
    if (offers.empty()) {
        riichiAutoDiscard();
        return;
    }
    playSound(SoundPlayer::MeldSuggestion);
}

tile_vector GameWindow::withoutClaimTiles(const tile_vector &allowed) const
{
    // A tile the claim takes is no discard while a spare copy of it is.
    const PlayerData *own = m_table ? m_table->findOwnPlayer() : nullptr;
    if (!own)
        return {};
    const tile_vector &hand = own->hand();
    const tile_vector &held = m_decision.claimTiles();
    tile_vector candidates = allowed.empty() ? hand : allowed;
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    tile_vector playable;
    for (tile t : candidates) {
        if (std::count(hand.begin(), hand.end(), t) > std::count(held.begin(), held.end(), t))
            playable.push_back(t);
    }
    return playable;
}

void GameWindow::riichiAutoDiscard()
{
    m_riichiDiscardAwaited = false;
    const PlayerData *own = m_table ? m_table->findOwnPlayer() : nullptr;
    if (!own || own->riichiDiscardIndex() < 0 || !setting("game/autoPass", true))
        return;
    if (own->drawnTiles().empty()) {
        // The turn came before its draw: the draw goes out when it lands,
        // unless another question has taken the turn's place by then.
        qCDebug(lcTable) << "Riichi hand without a drawn tile: its draw is discarded when it comes";
        m_riichiDiscardAwaited = true;
        m_riichiDiscardSerial = m_decision.serial();
        return;
    }
    chooseTile(own->drawnTiles().front());
}

void GameWindow::chooseKind(int type)
{
    if (!m_decision.chooseKind(type)) {
        qCWarning(lcTable) << "Ignoring the choice of a meld of type" << type << ": not offered";
        showDecision();
        return;
    }
    showDecision();
    qCDebug(lcTable) << "Choose meld/riichi from these tiles: " << m_decision.allowedTiles();
}

void GameWindow::onMeldSelected(meld_offer offer)
{
    m_actions->flush();
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (!m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "onMeldSelected: handled when not seated";
        return;
    }
    bool choseRiichi = false;
    const TableDecision::Answer answer = m_decision.select(offer, &choseRiichi);
    if (answer.request == TableDecision::Nothing && !choseRiichi) {
        qCWarning(lcTable) << "Ignoring the choice of a meld of type" << offer.meldType << "tile" << offer.t
                           << ": not offered";
        showDecision();
        return;
    }
    if (!choseRiichi) {
        m_sideBar->clearTimers();
        m_turnTimer->setTimeSpan(TimeSpan());
    }
    clearActivePlayer();
    showDecision();
    if (choseRiichi) {
        qCDebug(lcTable) << "Choose meld/riichi from these tiles: " << m_decision.allowedTiles();
        return;
    }
    const qint32 table = m_table->tableId();
    switch (answer.request) {
    case TableDecision::Chow:
        emit callChow(table, m_localPlayerId, answer.t);
        break;
    case TableDecision::Pong:
        emit callPong(table, m_localPlayerId, answer.t);
        break;
    case TableDecision::PongToKong:
        emit callPongToKong(table, m_localPlayerId, answer.t);
        break;
    case TableDecision::Kong:
        emit callKong(table, m_localPlayerId, answer.t);
        break;
    case TableDecision::Mahjong:
        emit callMahjong(table, m_localPlayerId);
        break;
    case TableDecision::Bonus:
        emit callBonus(table, m_localPlayerId, answer.t);
        break;
    default:
        break;
    }
}

void GameWindow::onPassMeldSelected()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (!m_table->isOwnPlayerSeated()) {
        endDecision();
        qCWarning(lcTable) << "passMeldSelected: handled when not seated";
        return;
    }
    if (m_decision.pass().request != TableDecision::Pass) {
        qCWarning(lcTable) << "Ignoring a pass: nothing to pass on";
        showDecision();
        return;
    }
    showDecision();
    // Flowers passed on beside the turn leave the turn's countdown running.
    if (m_decision.subject() != TableDecision::OwnTurn) {
        m_sideBar->clearTimers();
        m_turnTimer->setTimeSpan(TimeSpan());
    }
    emit callPass(m_table->tableId(), m_localPlayerId, false);
}

void GameWindow::onCloseMeldAuction()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (!m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "passMeldSelected: handled when not seated";
        return;
    }
    m_decision.closePanel();
    showDecision();
    if (m_decision.subject() == TableDecision::OwnTurn && m_decision.tileChoice() == 0)
        riichiAutoDiscard();
}

void GameWindow::onConcealedRiichiSelected()
{
    chooseKind(128);
}

void GameWindow::onConcealedPongToKongSelected()
{
    chooseKind(4);
}

void GameWindow::onConcealedKongSelected()
{
    chooseKind(8);
}

void GameWindow::onConcealedReplaceFlowerSelected()
{
    chooseKind(64);
}

void GameWindow::onConcealedActionCancel()
{
    m_decision.cancelKind();
    showDecision();
}

void GameWindow::onTileClick(tile t)
{
    qCDebug(lcTable) << "Player clicked" << t;
    m_actions->flush();
    chooseTile(t);
}

void GameWindow::chooseTile(tile t)
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (!m_decision.handActive()) {
        qCWarning(lcTable) << "Player hand is not active";
        return;
    }
    if (!m_table->isOwnPlayerSeated()) {
        endDecision();
        qCWarning(lcTable) << "onTileClick: handled when not seated";
        return;
    }
    // The rack the player clicked may still show tiles that an own claim
    // has taken into a meld: the model's hand, with every queued event
    // applied, says what the player holds; a claim sent but not yet
    // reported holds its tiles too.
    const PlayerData *own = m_table->findOwnPlayer();
    const tile_vector &held = m_decision.claimTiles();
    if (!own || std::count(own->hand().begin(), own->hand().end(), t) <= std::count(held.begin(), held.end(), t)) {
        qCWarning(lcTable) << "Ignoring a click on tile" << t << ": not in the hand";
        return;
    }
    if (riichiAwaitsDraw()) {
        qCWarning(lcTable) << "Ignoring a click on tile" << t << ": the riichi hand waits for its draw";
        return;
    }
    const TableDecision::Answer answer = m_decision.click(t);
    if (answer.request == TableDecision::Nothing) {
        qCWarning(lcTable) << "Ignoring a click on tile" << t << ": not offered";
        return;
    }
    showDecision();
    if (answer.request == TableDecision::Discard || answer.request == TableDecision::Riichi) {
        enqueueFlight(m_handView, m_discardViews[0], MoveMs, tile_vector{t});
        enqueue([this] { discardLanded(0); });
        m_ownDiscardShown = true;
        m_ownDiscardTile = t;
    }
    m_handView->clearMarks();
    m_sideBar->clearTimers();
    m_turnTimer->setTimeSpan(TimeSpan());
    m_windViews[0]->setActive(false);
    const qint32 table = m_table->tableId();
    switch (answer.request) {
    case TableDecision::Riichi:
        emit callRiichi(table, m_localPlayerId, t);
        break;
    case TableDecision::Kong:
        emit callKong(table, m_localPlayerId, t);
        break;
    case TableDecision::PongToKong:
        emit callPongToKong(table, m_localPlayerId, t);
        break;
    case TableDecision::Bonus:
        emit callBonus(table, m_localPlayerId, t);
        break;
    default:
        emit discardTile(table, m_localPlayerId, t);
        break;
    }
}

void GameWindow::onTimeoutOccured()
{
    // The decision is over: a tile chosen for a kong or riichi that was
    // never clicked must not turn the next turn's discard into that call.
    endDecision();
    clearActivePlayer();
    placeStatusItems();
    m_timeoutItem->show();
    // One banner: a burst of time-outs keeps one timer, not one each.
    m_timeoutTimer.start();
    updateFuritenItem();
}

void GameWindow::hideTimeoutItem()
{
    m_timeoutItem->hide();
    updateFuritenItem();
}
