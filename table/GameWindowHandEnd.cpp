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
#include "social/FriendsFilter.h"
#include "social/PlayerDb.h"
#include "social/TableInviteDialog.h"
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
#include "xmpp/client/XMPPRosterModel.h"

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

// --- end of hand, rounds, panels and messages ------------------------------------

void GameWindow::onHandEndNonScoring(endhand_reason_t washoutType, bool endOfGame)
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    endDecision();
    settleUndrawnHand();
    playSound(SoundPlayer::Washout);
    m_scoreBoard->hide();
    writeNotice(tr("Hand ended in washout!"));
    m_washoutWindow->stopCountdown();
    m_washoutWindow->setWashoutType(int(washoutType));
    m_washoutWindow->setEndOfGame(endOfGame);
    m_washoutWindow->setWatchOnly(!m_table->isOwnPlayerSeated() || m_readyWithdrawn);
    m_showingBoard = true;
    m_washoutWindow->showDialog(true);
    m_showingBoard = false;
    if (endOfGame) {
        m_sideBar->setWindRound(-1);
        forgetInvites();
    }
    emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::onHandEndScoring(EndHandScoring scoring)
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    endDecision();
    settleUndrawnHand();
    playSound(SoundPlayer::Mahjong);
    m_washoutWindow->hide();
    writeNotice(tr("Hand ended in Mahjong!"));
    qint32 winner = -1;
    for (const auto &[id, score] : scoring.players) {
        if (m_sideBar->hasPlayer(id)) {
            m_sideBar->setPlayerPoints(id, score.currentScore);
            // The model has counted the hand won: the seat says so now, not
            // only when the next hand starts.
            if (const PlayerData *player = m_table->findPlayer(id))
                m_sideBar->setPlayerWins(id, player->wins());
        }
        if (score.result == 1)
            winner = id;
    }
    if (winner != -1) {
        // The winner took the riichi sticks.
        for (RiichiStickView *sticks : m_riichiSticks)
            sticks->setStickCount(0);
        m_sideBar->updateSticks();
    }
    if (scoring.endOfGame) {
        m_sideBar->setWindRound(-1);
        forgetInvites();
    }
    const int kind = scoring.winKind;
    if (kind >= 1 && kind <= 3) {
        if (winner != -1) {
            hideClaimBanners();
            bool seated = false;
            for (qint32 id : m_seatPlayers)
                seated = seated || (id == winner);
            if (seated)
                showClaim(winner, 16, kind);
            else if (m_sideBar->hasPlayer(winner))
                m_sideBar->showPlayerClaim(winner, 16, kind);
        } else {
            qCWarning(lcTable) << "No player going mahjong found in GameWindow::onHandEndScoring";
        }
    }
    // An earlier hand's Ready counted down to a hand that has been played
    // since: this board counts down only when this hand's question comes.
    m_scoreBoard->hideNextHandTime();
    m_scoreBoard->setScoring(scoring, m_localPlayerId, m_tableInfo);
    // A column left empty by this hand keeps no picture of the last.
    m_scoreBoard->clearPictures();
    if (m_playerDb) {
        for (const auto &entry : scoring.players)
            m_scoreBoard->setPlayerPicture(entry.first, m_playerDb->picture(entry.first, true));
    }
    m_showingBoard = true;
    m_scoreBoard->showDialog(false);
    m_showingBoard = false;
    // Centred over the table, so that the side bar's seats stay in sight.
    m_scoreBoard->move(std::max(0, (m_view->width() - m_scoreBoard->width()) / 2),
                       std::max(0, (height() - m_scoreBoard->height()) / 2));
    emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::onEndOfRound(const MonetaryRoundScores &scores)
{
    endDecision();
    writeNotice(tr("Table round ended"));
    if (scores.empty())
        return;
    m_roundScoreBoard->setTableInfo(m_tableInfo);
    m_roundScoreBoard->setMonetaryRoundScores(scores);
    m_roundBoardLastRound = false;
    m_roundScoreBoard->move((width() - m_roundScoreBoard->width()) / 2, (height() - m_roundScoreBoard->height()) / 2);
    m_roundScoreBoard->show();
    m_roundScoreBoard->raise();
    if (m_table)
        emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::onEndOfTournamentRound(bool lastRound, TournamentRoundScores scores)
{
    endDecision();
    writeNotice(tr("Tournament round ended"));
    // Nothing is left to come back to until the next round seats the player.
    m_playerInactiveWindow->hide();
    // The tournament's name and "Round n/m", not the table's name: the
    // board is the tournament's.
    if (m_table)
        m_roundScoreBoard->setTournamentInfo(m_table->tournamentInfo());
    m_roundScoreBoard->setRoundScores(scores);
    m_roundBoardLastRound = lastRound;
    // The side bar's countdown is the round's, which is over here.
    m_sideBar->onTimerTimeout();
    m_roundScoreBoard->move((width() - m_roundScoreBoard->width()) / 2, (height() - m_roundScoreBoard->height()) / 2);
    m_roundScoreBoard->show();
    m_roundScoreBoard->raise();
    if (m_table)
        emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::onRoundScoreCloseClick()
{
    m_roundScoreBoard->hide();
    if (m_table && m_roundScoreBoard->isTournament())
        emit tournamentScoreDialogClosed(m_table->tournamentInfo().id, m_table->tableId(), m_roundBoardLastRound);
}

void GameWindow::onTournamentRoundEnded()
{
    QMessageBox *box = ModelessMsgBox::question(this, tr("Tournament round ended"),
                                                tr("The tournament round has ended, press Ok to go back to lobby"),
                                                QMessageBox::Ok);
    QPointer<GameWindow> self(this);
    ModelessMsgBox::onFinished(box, [self](int button) {
        if (self && button == QMessageBox::Ok)
            self->onLeaveButtonClick();
    });
}

bool GameWindow::readyOffered() const
{
    return m_table && m_table->isOwnPlayerSeated() && !m_table->isInPlay() && m_tableInfo.gameType() != 1
           && !m_readyWithdrawn;
}

void GameWindow::onAreYouReady(TimeSpan ts, bool seated)
{
    m_readyWithdrawn = false;
    if (!seated) {
        m_scoreBoard->setReadyVisible(true);
        m_scoreBoard->setNextHandTime(ts.end());
        m_washoutWindow->startCountdown(ts.end());
        return;
    }
    m_seatedWindow->stopCountdown();
    if (ts.end().isValid() && ts.end().toSecsSinceEpoch() != 0)
        m_seatedWindow->startCountdown(ts);
    m_seatedWindow->showDialog(true);
}

void GameWindow::onPlayerIsReady(qint32 playerId)
{
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->setPlayerReady(playerId);
}

void GameWindow::onReadyButtonClick()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    // By the player's state: an offered seat is taken with this click, before
    // any player record marks the player as seated.
    if (!m_table->isSeated())
        return;
    if (m_readyWithdrawn) {
        qCWarning(lcTable) << "Ignoring Ready: the kick took it back";
        m_scoreBoard->setReadyVisible(false);
        m_washoutWindow->setWatchOnly(true);
        return;
    }
    m_playerInactiveWindow->hide();
    m_seatedWindow->hide();
    m_scoreBoard->setReadyVisible(false);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerReady(m_localPlayerId);
    m_scoreBoard->hide();
    // Ready closes the washout notice as it closes the score board.
    m_washoutWindow->hide();
    emit ready(m_table->tableId());
}

void GameWindow::onJoinButtonClick()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "Player attempted join an already joined table";
        return;
    }
    m_watchingWindow->hide();
    emit join(m_table->tableId());
}

void GameWindow::onReactivateButtonClicked()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    emit reactivate(m_table->tableId());
}

void GameWindow::setLeaveButtonsEnabled(bool enabled)
{
    m_sideBar->setLeaveEnabled(enabled);
    m_waitingForPlayersWindow->setLeaveEnabled(enabled);
}

void GameWindow::onLeaveButtonClick()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    m_seatedWindow->hide();
    setLeaveButtonsEnabled(false);
    if (!(m_table->isOwnPlayerSeated() && m_table->isInPlay())) {
        endDecision();
        closeHandEndBoards();
        emit leave(m_table->tableId());
        return;
    }
    if (m_leaveBox)
        return;
    const QString name = m_localizationDb ? m_localizationDb->displayName(m_tableInfo)
                                          : LocalizationDb::fallbackTableName(m_tableInfo.id());
    QMessageBox *box = ModelessMsgBox::question(
        this, tr("Leave Table"), tr("Are you sure you want to leave table %1?").arg(Utils::isolated(name)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    m_leaveBox = box;
    QPointer<GameWindow> self(this);
    QPointer<GameModel> model = m_table;
    ModelessMsgBox::onFinished(box, [self, model](int button) {
        if (!self)
            return;
        self->m_leaveBox = nullptr;
        self->setLeaveButtonsEnabled(true);
        if (button == QMessageBox::Yes && model && self->m_table == model) {
            self->closeHandEndBoards();
            emit self->leave(model->tableId());
            // Whatever the table asked is no longer answered from here: a
            // window that goes has handed it over to be asked again.
            if (self)
                self->endDecision();
        }
    });
}

void GameWindow::closeHandEndBoards()
{
    // A leave closes the hand's board as Ready does: left open, it would
    // wait under the round's results for a second Leave while the answer
    // is on its way.
    m_scoreBoard->hide();
    m_washoutWindow->hide();
}

void GameWindow::dropLeaveBox()
{
    // Answered No: the player is off the table already, and a leave now
    // would be sent for a seat the player no longer holds.
    if (auto *box = qobject_cast<QMessageBox *>(m_leaveBox.data()))
        box->done(QMessageBox::No);
}

void GameWindow::onLeaveFailed()
{
    setLeaveButtonsEnabled(true);
    updatePanels();
}

void GameWindow::onUnwatchFailed()
{
    setLeaveButtonsEnabled(true);
    updatePanels();
}

void GameWindow::setRosterModel(XMPPRosterModel *roster)
{
    m_roster = roster;
}

void GameWindow::onInviteButtonClick()
{
    if (!m_inviteDialog) {
        if (!m_roster || FriendsFilter::friendCount(m_roster) == 0) {
            ModelessMsgBox::information(this, tr("Friends"),
                                        tr("You haven't added any friends yet. Click on player names where you see "
                                           "them or go to friends section in the lobby."));
            return;
        }
        const qint32 tableId = m_table ? m_table->tableId() : m_tableInfo.id();
        m_inviteDialog = new TableInviteDialog(tableId, m_tableInfo.lobbyPath(), m_roster, m_playerDb, this);
        connect(m_inviteDialog, &TableInviteDialog::invitePlayers, this, &GameWindow::invitePlayers);
    }
    if (!m_inviteDialog->isVisible())
        m_inviteDialog->showDialog(true);
    m_inviteDialog->raise();
}

void GameWindow::hideInviteDialog()
{
    if (m_inviteDialog)
        m_inviteDialog->hide();
}

void GameWindow::forgetInvites()
{
    // A new game may be played with the same friends.
    if (m_inviteDialog)
        m_inviteDialog->resetInvites();
}

void GameWindow::onJoinFailed()
{
    updatePanels();
}

void GameWindow::onPlayerStateChanged(GameModel::player_state_t state)
{
    if (state == GameModel::KICKED && m_table) {
        dropLeaveBox();
        m_readyWithdrawn = true;
        m_standDownLapsed = true;
        m_scoreBoard->setReadyVisible(false);
        const int reason = int(m_table->kickReason());
        if (reason == 3) {
            // Moved to the watchers: the hand goes on in view, only the
            // player's own decisions end here.
            endDecision();
            clearTurnTimers();
            m_turnTimer->hide();
            m_playerInactiveWindow->hide();
            m_seatedWindow->hide();
        } else {
            clearTable();
            m_sideBar->clear();
        }
        const qint32 tableId = m_table->tableId();
        QPointer<GameWindow> self(this);
        QMessageBox *box = nullptr;
        bool askDeposit = false;
        switch (reason) {
        case 3:
            // Moved to the watchers: the watch that follows keeps the table.
            break;
        default:
            // Kicked, inactive, and any reason without a text of its own:
            // the answer lets the table go, which a cleared window left
            // without a notice would never do.
            box = ModelessMsgBox::warning(this, tr("Kicked"), tr("You were kicked from the table."));
            break;
        case 2:
            box = ModelessMsgBox::warning(
                this, tr("Kicked"),
                tr("You do not have enough funds to play another hand.\nDo you want to make a deposit now?"),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
            askDeposit = true;
            break;
        case 4:
            box = ModelessMsgBox::warning(
                this, tr("Server error"),
                m_tableInfo.gameType() == 1
                    ? tr("A server error occured and the tournament will be aborted.\nCheck tournament rules for "
                         "details regarding the distribution of the prize pool.")
                    : tr("A server error occured and the game was aborted.\nYour bet and fee will be repaid."));
            break;
        case 5:
            box = ModelessMsgBox::warning(
                this, tr("Kicked"),
                tr("You were kicked from the table as the server will be unavailable due to mainenance."));
            break;
        }
        if (box) {
            ModelessMsgBox::onFinished(box, [self, tableId, askDeposit](int button) {
                if (!self)
                    return;
                if (askDeposit && button == QMessageBox::Yes)
                    emit self->depositFunds();
                emit self->kickedConfirmed(tableId);
            });
        }
    }
    if (state == GameModel::WATCHING || state == GameModel::SEAT_OFFERED)
        m_sideBar->setChatJoined(true);
    if (m_table)
        m_washoutWindow->setWatchOnly(!m_table->isOwnPlayerSeated() || m_readyWithdrawn);
    updatePanels();
}

void GameWindow::updatePanels()
{
    if (!m_table) {
        m_watchingWindow->hide();
        m_waitingForPlayersWindow->hide();
        m_sideBar->setLeaveVisible(false);
        return;
    }
    const GameModel::player_state_t player = m_table->playerState();
    const GameModel::game_state_t game = m_table->gameState();
    const bool tournament = m_tableInfo.gameType() == 1;
    const bool tableLive = game != GameModel::TABLE_REMOVED && game != GameModel::NO_GAME_STATE;
    const bool watching = player == GameModel::WATCHING && !tournament && tableLive && !m_table->isGameRunning();
    if (watching) {
        m_seatedWindow->hide();
        m_watchingWindow->setInfoHidden(m_table->isWatching());
        m_watchingWindow->setJoinEnabled(m_table->isJoinable());
        m_watchingWindow->showDialog(true);
    } else {
        m_watchingWindow->hide();
    }
    const bool waiting = player == GameModel::WAITING && game != GameModel::TABLE_REMOVED
                         && m_table->seatsRemaining() >= 1 && !tournament && !m_table->isInPlay()
                         && !m_table->isGameRunning();
    // Whatever the game data say, the player can always get away from the
    // table: where no panel of its own offers a way out, the side bar does.
    const bool leave = (m_table->isInPlay() && player == GameModel::PLAYING)
                       || (game == GameModel::HAND_ENDED && player == GameModel::WAITING)
                       || (player == GameModel::WATCHING && tableLive && !watching)
                       || (!watching && !waiting && game != GameModel::TABLE_REMOVED);
    m_sideBar->setLeaveVisible(leave);
    if (leave && !m_leaveBox)
        m_sideBar->setLeaveEnabled(true);
    if (waiting) {
        m_waitingForPlayersWindow->onSeatsRemaining(m_table->seatsRemaining());
        m_waitingForPlayersWindow->showDialog(true);
    } else {
        m_waitingForPlayersWindow->hide();
    }
}

MeldAuction *GameWindow::meldAuction() const
{
    return m_meldAuction.data();
}
