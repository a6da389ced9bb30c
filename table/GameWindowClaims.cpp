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
    dropMeldAuction();
    m_concealedActionDialog->hide();
    if (m_tileChoice != 0) {
        // The hand allowed only the offered tiles; a click now would send
        // the call that is no longer asked for.
        m_tileChoice = 0;
        m_handView->setActive(false);
    }
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
    if (m_table)
        emit callPass(m_table->tableId(), m_localPlayerId, true);
    return true;
}

void GameWindow::onMeldSuggestion(const meld_offer_vector &offers, qint32, tile lastDiscard, const TimeSpan &ts)
{
    if (lateForHand("meld_suggestion"))
        return;
    m_tileChoice = 0;
    if (autoPass(offers))
        return;
    m_pendingOffers = offers;
    MeldAuction *auction = newMeldAuction();
    auction->enablePass();
    for (const meld_offer &offer : offers)
        auction->addOffer(offer, lastDiscard);
    auction->setAuctionType(0);
    auction->showDialog(true);
    playSound(offers.empty() ? SoundPlayer::MeldPassOnly : SoundPlayer::MeldSuggestion);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
    if (!offers.empty() && m_table)
        emit tableActivity(m_table->tableId(), true, ts);
}

void GameWindow::onRobTheKongSuggestion(const meld_offer_vector &offers, const TimeSpan &ts)
{
    if (lateForHand("rob_the_kong_suggestion"))
        return;
    m_tileChoice = 0;
    clearTurnTimers();
    clearActivePlayer();
    if (autoPass(offers))
        return;
    m_pendingOffers = offers;
    MeldAuction *auction = newMeldAuction();
    auction->enablePass();
    for (const meld_offer &offer : offers)
        auction->addOffer(offer, offer.t);
    auction->setAuctionType(2);
    auction->showDialog(true);
    playSound(offers.empty() ? SoundPlayer::MeldPassOnly : SoundPlayer::MeldSuggestion);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
}

void GameWindow::onReplacementMeldSuggestion(const meld_offer_vector &offers, const TimeSpan &ts)
{
    if (lateForHand("replacement_meld_suggestion"))
        return;
    m_tileChoice = 0;
    if (autoPass(offers))
        return;
    MeldAuction *auction = newMeldAuction();
    auction->enablePass();
    auction->setAuctionType(3);
    auction->showDialog(true);
    m_pendingOffers = offers;
    if (!offers.empty())
        enterTileChoice(64);
    playSound(SoundPlayer::MeldSuggestion);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
}

void GameWindow::onConcealedMeldSuggestion(const meld_offer_vector &offers, const TimeSpan &)
{
    if (lateForHand("concealed_meld_suggestion"))
        return;
    const PlayerData *own = m_table ? m_table->findOwnPlayer() : nullptr;
    if (offers.empty()) {
        if (own && own->riichiDiscardIndex() >= 0 && setting("game/autoPass", true)) {
            if (own->drawnTiles().empty())
                qCWarning(lcTable) << "Riichi hand without a drawn tile: nothing to discard";
            else
                chooseTile(own->drawnTiles().front());
        }
        return;
    }
    MeldAuction *auction = newMeldAuction();
    auction->showCloseButton();
    const auto mahjong = std::find_if(offers.begin(), offers.end(),
                                      [](const meld_offer &o) { return o.meldType == 16; });
    if (mahjong != offers.end()) {
        auction->addOffer(*mahjong, mahjong->t);
        auction->setAuctionType(1);
        auction->showDialog(true);
    } else {
        dropMeldAuction();
    }
    m_pendingOffers = offers;
    m_concealedActionDialog->setOffers(offers);
    // A self-drawn win alone is answered on the claim panel: the dialog
    // would stand there as an empty frame.
    if (m_concealedActionDialog->offersChoice()) {
        m_concealedActionDialog->show();
        m_concealedActionDialog->raise();
        placeConcealedDialog();
    } else {
        m_concealedActionDialog->hide();
    }
    playSound(SoundPlayer::MeldSuggestion);
}

void GameWindow::enterTileChoice(int type)
{
    m_tileChoice = type;
    tile_vector allowed;
    for (const meld_offer &offer : m_pendingOffers) {
        if (offer.meldType == type)
            allowed.push_back(offer.t);
    }
    m_handView->setAllowedTiles(allowed);
    m_handView->setActive(true);
    qCDebug(lcTable) << "Choose meld/riichi from these tiles: " << allowed;
}

void GameWindow::onMeldSelected(meld_offer offer)
{
    m_actions->flush();
    dropMeldAuction();
    m_concealedActionDialog->hide();
    // The row answers the offer; riichi enters its own choice below.
    m_tileChoice = 0;
    if (offer.meldType != 128) {
        m_sideBar->clearTimers();
        m_turnTimer->setTimeSpan(TimeSpan());
    }
    clearActivePlayer();
    m_handView->setActive(false);
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (!m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "onMeldSelected: handled when not seated";
        return;
    }
    const qint32 table = m_table->tableId();
    switch (offer.meldType) {
    case 1:
        emit callChow(table, m_localPlayerId, offer.t);
        break;
    case 2:
        emit callPong(table, m_localPlayerId, offer.t);
        break;
    case 4:
        emit callPongToKong(table, m_localPlayerId, offer.t);
        break;
    case 8:
        emit callKong(table, m_localPlayerId, offer.t);
        break;
    case 16:
        emit callMahjong(table, m_localPlayerId);
        break;
    case 64:
        emit callBonus(table, m_localPlayerId, offer.t);
        break;
    case 128:
        enterTileChoice(128);
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
    dropMeldAuction();
    m_concealedActionDialog->hide();
    // Passing answers a "Replace tiles" offer too: the next click is a
    // discard again.
    m_tileChoice = 0;
    m_handView->setActive(false);
    m_sideBar->clearTimers();
    m_turnTimer->setTimeSpan(TimeSpan());
    if (m_table->isOwnPlayerSeated())
        emit callPass(m_table->tableId(), m_localPlayerId, false);
    else
        qCWarning(lcTable) << "passMeldSelected: handled when not seated";
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
    const PlayerData *own = m_table->findOwnPlayer();
    if (own && own->riichiDiscardIndex() >= 0 && setting("game/autoPass", true)) {
        if (own->drawnTiles().empty())
            qCWarning(lcTable) << "Riichi hand without a drawn tile: nothing to discard";
        else
            chooseTile(own->drawnTiles().front());
    }
}

void GameWindow::onConcealedRiichiSelected()
{
    m_concealedActionDialog->showCancelOnly();
    placeConcealedDialog();
    enterTileChoice(128);
}

void GameWindow::onConcealedPongToKongSelected()
{
    m_concealedActionDialog->showCancelOnly();
    placeConcealedDialog();
    enterTileChoice(4);
}

void GameWindow::onConcealedKongSelected()
{
    m_concealedActionDialog->showCancelOnly();
    placeConcealedDialog();
    enterTileChoice(8);
}

void GameWindow::onConcealedReplaceFlowerSelected()
{
    m_concealedActionDialog->showCancelOnly();
    placeConcealedDialog();
    enterTileChoice(64);
}

void GameWindow::onConcealedActionCancel()
{
    m_tileChoice = 0;
    m_concealedActionDialog->setOffers(m_pendingOffers);
    placeConcealedDialog();
    m_handView->clearAllowedTiles();
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
    if (!m_handView->isActive()) {
        qCWarning(lcTable) << "Player hand is not active";
        return;
    }
    m_handView->setActive(false);
    dropMeldAuction();
    m_concealedActionDialog->hide();
    if (!m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "onTileClick: handled when not seated";
        return;
    }
    if (m_tileChoice == 0 || m_tileChoice == 128) {
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
    const int choice = m_tileChoice;
    m_tileChoice = 0;
    switch (choice) {
    case 128:
        emit callRiichi(table, m_localPlayerId, t);
        break;
    case 8:
        emit callKong(table, m_localPlayerId, t);
        break;
    case 4:
        emit callPongToKong(table, m_localPlayerId, t);
        break;
    case 64:
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
    m_tileChoice = 0;
    clearActivePlayer();
    placeStatusItems();
    m_timeoutItem->show();
    QTimer::singleShot(2000, this, &GameWindow::hideTimeoutItem);
    dropMeldAuction();
    m_concealedActionDialog->hide();
    m_handView->setActive(false);
    updateFuritenItem();
}

void GameWindow::hideTimeoutItem()
{
    m_timeoutItem->hide();
    updateFuritenItem();
}
