#include "tournaments/TournamentsController.h"

#include "widgets/Utils.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "tournaments/JoinDialog.h"
#include "tournaments/Logging.h"
#include "tournaments/TournamentDetailDialog.h"
#include "tournaments/TournamentTexts.h"
#include "tournaments/TournamentsHost.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"
#include "widgets/AutoCenterToParent.h"
#include "widgets/ModelessMsgBox.h"

#include <QWidget>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

QString detailDialogName(qint32 id)
{
    return QStringLiteral("detailmtt%1").arg(id);
}

QString joinDialogName(qint32 id)
{
    return QStringLiteral("joinmtt%1").arg(id);
}

} // namespace

TournamentsController::TournamentsController(ConnectionManager *session, QObject *parent, TournamentsHost *host)
    : QObject(parent)
    , m_session(session)
    , m_host(host)
    , m_model(new TournamentsLobbyModel(this))
{
    // The model follows the session's records, registrations and removals.
    m_model->setSession(session);
    m_rankingExpiry.setSingleShot(true);
    connect(&m_rankingExpiry, &QTimer::timeout, this, &TournamentsController::onRankingRequestsExpired);
    connect(m_model, &TournamentsLobbyModel::tournamentStatusChanged, this,
            &TournamentsController::onTournamentStatusChanged);
    if (!session)
        return;
    connect(session, qOverload<TournamentInfo>(&ConnectionManager::tournamentInfoUpdate), this,
            qOverload<const TournamentInfo &>(&TournamentsController::getTournamentHighscores));
    // A player taken off a tournament is no longer registered for it.
    connect(session, &ConnectionManager::playerDiscardedFromTournament, m_model,
            &TournamentsLobbyModel::onTournamentUnregisterSuccess);
    connect(session, &ConnectionManager::tournamentRegisterFailed, this,
            &TournamentsController::onTournamentRegisterFailed);
    connect(session, &ConnectionManager::tournamentUnregisterFailed, this,
            &TournamentsController::onTournamentUnregisterFailed);
    connect(session, qOverload<qint32, TournamentInfoUpdates>(&ConnectionManager::tournamentInfoUpdate), this,
            [this](qint32 id) { getTournamentHighscores(id); });
    connect(session, &ConnectionManager::tournamentRankings, this, [this](qint32 id) { onTournamentRankings(id); });
    connect(session, &ConnectionManager::tournamentRemoved, this, [this](qint32 id) {
        m_rankingsPending.erase(id);
        m_rankingsAgain.erase(id);
    });
    connect(session, &ConnectionManager::loginSuccess, this, &TournamentsController::onSessionReset);
    connect(session, &ConnectionManager::disconnected, this, &TournamentsController::onSessionReset);
}

TournamentsLobbyWindow *TournamentsController::createWindow()
{
    auto *window = new TournamentsLobbyWindow;
    window->setModel(m_model);
    return window;
}

const TournamentInfo &TournamentsController::tournamentInfo(qint32 id) const
{
    return m_model->tournamentInfo(id);
}

void TournamentsController::setTableModel(TableModel *tableModel)
{
    m_tableModel = tableModel;
}

QWidget *TournamentsController::findLobbyWidget() const
{
    QWidget *lobby = m_host ? m_host->lobbyWidget() : nullptr;
    if (!lobby)
        qCWarning(lcTournaments) << "couldn't find widget 'lobbyWidget'";
    return lobby;
}

QWidget *TournamentsController::messageParent() const
{
    return m_host ? m_host->mainWidget() : nullptr;
}

QString TournamentsController::registerFailedReasonText(int reason)
{
    switch (reason) {
    case tmnt_register_failed_reason::Failed:
        return tr("Failed");
    case tmnt_register_failed_reason::Denied:
        return tr("Denied");
    case tmnt_register_failed_reason::InsufficientFunds:
        return tr("Insufficient Funds");
    case tmnt_register_failed_reason::TournamentFull:
        return tr("Tournament is full");
    case tmnt_register_failed_reason::AccessDenied:
        return tr("Access Denied");
    case tmnt_register_failed_reason::AlreadyRegistered:
        return tr("Already Registered");
    case tmnt_register_failed_reason::TournamentRunning:
        return tr("Tournament is running");
    default:
        return QString();
    }
}

void TournamentsController::createTournamentDetailDialog(qint32 tournamentId)
{
    if (!m_model->hasTournament(tournamentId))
        return;
    QWidget *lobby = findLobbyWidget();
    if (!lobby)
        return;
    const QString name = detailDialogName(tournamentId);
    auto *dialog = lobby->findChild<TournamentDetailDialog *>(name, Qt::FindDirectChildrenOnly);
    if (!dialog) {
        dialog = new TournamentDetailDialog(lobby);
        connect(m_model, &TournamentsLobbyModel::tournamentUpdated, dialog,
                &TournamentDetailDialog::onTournamentUpdated);
        // After a new login the tournament comes back as an added record.
        connect(m_model, &TournamentsLobbyModel::tournamentAdded, dialog, &TournamentDetailDialog::onTournamentUpdated);
        connect(m_model, &TournamentsLobbyModel::tournamentRemoved, dialog,
                &TournamentDetailDialog::onTournamentRemoved);
        connect(dialog, &TournamentDetailDialog::registerTournament, this,
                &TournamentsController::createJoinTournamentDialog);
        connect(dialog, &TournamentDetailDialog::unregisterTournament, this,
                &TournamentsController::onTournamentUnregister);
        connect(dialog, &TournamentDetailDialog::userMenuRequested, this,
                [this](const QString &player, const QPoint &pos) {
            if (m_host)
                m_host->onUserMenuRequested(player, pos);
        });
        connect(dialog, &TournamentDetailDialog::watchTable, this, [this, dialog](qint32 tableId) {
            // A request that goes nowhere gets no answer: the dialog stops
            // waiting for it at once.
            if (!m_host || !m_host->watchTable(tableId))
                dialog->onTableWatched(tableId);
        });
        if (m_session) {
            connect(m_session, &ConnectionManager::tournamentRankings, dialog,
                    &TournamentDetailDialog::onTournamentRankings);
            connect(m_session, &ConnectionManager::tournamentPrizeConfiguration, dialog,
                    &TournamentDetailDialog::onTournamentPrizeConfiguration);
            connect(m_session, &ConnectionManager::watchSuccessful, dialog, &TournamentDetailDialog::onTableWatched);
            // A refused watch is an answer too: a hidden dialog goes then.
            connect(m_session, &ConnectionManager::watchFailed, dialog,
                    [dialog](qint32 tableId) { dialog->onTableWatched(tableId); });
        }
        dialog->setTournamentInfo(m_model->tournamentInfo(tournamentId));
        dialog->setTableModel(m_tableModel);
        getTournamentHighscores(tournamentId);
        if (m_session)
            m_session->query_tournament_prize_configuration(tournamentId);
        dialog->setObjectName(name);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        prepareDialog(dialog);
    }
    dialog->showDialog(true);
}

void TournamentsController::prepareDialog(QWidget *dialog)
{
    // The lobby page lays out its own children, not the dialogs floating
    // over it: they take their size themselves and stay centred.
    dialog->adjustSize();
    new AutoCenterToParent(dialog);
}

void TournamentsController::createJoinTournamentDialog(qint32 tournamentId)
{
    if (!m_model->hasTournament(tournamentId))
        return;
    QWidget *lobby = findLobbyWidget();
    if (!lobby)
        return;
    const QString name = joinDialogName(tournamentId);
    auto *dialog = lobby->findChild<JoinDialog *>(name, Qt::FindDirectChildrenOnly);
    if (!dialog) {
        const TournamentInfo &info = m_model->tournamentInfo(tournamentId);
        const qint64 balance = m_host ? m_host->accountBalance() : 0;
        dialog = new JoinDialog(lobby, info, JoinDialog::joinTypeFor(info, balance));
        connect(dialog, &JoinDialog::deposit, this, &TournamentsController::onAccountNeeded);
        connect(dialog, &JoinDialog::registerTournament, this, &TournamentsController::onTournamentRegister);
        connect(m_model, &TournamentsLobbyModel::tournamentUpdated, dialog, &JoinDialog::onTournamentUpdated);
        connect(m_model, &TournamentsLobbyModel::tournamentAdded, dialog, &JoinDialog::onTournamentUpdated);
        connect(m_model, &TournamentsLobbyModel::tournamentRemoved, dialog, &JoinDialog::onTournamentRemoved);
        dialog->setObjectName(name);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        prepareDialog(dialog);
    }
    dialog->showDialog(true);
}

void TournamentsController::onTournamentRegister(qint32 tournamentId)
{
    if (m_session)
        m_session->register_tournament_request(tournamentId);
}

void TournamentsController::onTournamentUnregister(qint32 tournamentId)
{
    if (m_session)
        m_session->unregister_tournament_request(tournamentId);
}

void TournamentsController::getTournamentHighscores(const TournamentInfo &info)
{
    getTournamentHighscores(info.id);
}

void TournamentsController::getTournamentHighscores(qint32 tournamentId)
{
    if (!m_session)
        return;
    const auto pending = m_rankingsPending.find(tournamentId);
    if (pending != m_rankingsPending.end() && !pending->second.hasExpired()) {
        m_rankingsAgain.insert(tournamentId);
        return;
    }
    m_rankingsAgain.erase(tournamentId);
    requestRankings(tournamentId);
}

void TournamentsController::requestRankings(qint32 tournamentId)
{
    m_rankingsPending[tournamentId] = QDeadlineTimer(m_rankingTimeoutMs);
    m_session->get_tournament_ranking_list(tournamentId);
    scheduleRankingExpiry();
}

void TournamentsController::scheduleRankingExpiry()
{
    if (m_rankingsPending.empty()) {
        m_rankingExpiry.stop();
        return;
    }
    qint64 soonest = std::numeric_limits<qint64>::max();
    for (const auto &[id, deadline] : m_rankingsPending)
        soonest = std::min(soonest, deadline.remainingTime());
    m_rankingExpiry.start(int(std::clamp<qint64>(soonest, 0, std::numeric_limits<int>::max())));
}

void TournamentsController::onRankingRequestsExpired()
{
    // An answer that has not come by now is taken as lost; a change that
    // waited for it is asked for now.
    std::vector<qint32> again;
    for (auto it = m_rankingsPending.begin(); it != m_rankingsPending.end();) {
        if (!it->second.hasExpired()) {
            ++it;
            continue;
        }
        qCDebug(lcTournaments) << "ranking list of" << it->first << "not answered in time";
        if (m_rankingsAgain.erase(it->first))
            again.push_back(it->first);
        it = m_rankingsPending.erase(it);
    }
    for (qint32 id : again) {
        if (m_session)
            requestRankings(id);
    }
    scheduleRankingExpiry();
}

void TournamentsController::onTournamentRankings(qint32 tournamentId)
{
    m_rankingsPending.erase(tournamentId);
    if (m_rankingsAgain.erase(tournamentId))
        getTournamentHighscores(tournamentId);
    else
        scheduleRankingExpiry();
}

void TournamentsController::onSessionReset()
{
    // Requests of a lost session are never answered.
    m_rankingsPending.clear();
    m_rankingsAgain.clear();
    m_rankingExpiry.stop();
}

void TournamentsController::onTournamentRegisterFailed(qint32 tournamentId, tmnt_register_failed_reason::enum_t reason)
{
    const QString title = tr("Join tournament");
    switch (reason) {
    case tmnt_register_failed_reason::InsufficientFunds: {
        QMessageBox *box = ModelessMsgBox::question(
            messageParent(), title,
            tr("You don't have enough money on your account to join the tournament.\nDo you want to make a "
               "deposit now?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        QPointer<TournamentsController> self(this);
        ModelessMsgBox::onFinished(box, [self](int button) {
            if (!self || button != QMessageBox::Yes)
                return;
            if (self->m_host)
                self->m_host->onDeposit();
            ModelessMsgBox::information(self->messageParent(), tr("Deposit"),
                                        tr("Your account is opened in a web browser"));
        });
        break;
    }
    case tmnt_register_failed_reason::AccessDenied:
        if (m_host)
            m_host->askToCompleteRegistration(2);
        break;
    case tmnt_register_failed_reason::AlreadyRegistered:
        break;
    case tmnt_register_failed_reason::TournamentFull:
        if (m_model->hasTournament(tournamentId))
            ModelessMsgBox::warning(
                messageParent(), title,
                tr("Tournament %1 is full").arg(Utils::isolated(m_model->tournamentInfo(tournamentId).name)));
        break;
    default:
        ModelessMsgBox::warning(messageParent(), title,
                                tr("Join tournament failed!\n%1").arg(registerFailedReasonText(reason)));
        break;
    }
}

void TournamentsController::onTournamentUnregisterFailed(qint32, tmnt_register_failed_reason::enum_t reason)
{
    ModelessMsgBox::warning(messageParent(), tr("Unregister from tournament"),
                            tr("Unregister from tournament failed!\n%1").arg(registerFailedReasonText(reason)));
}

void TournamentsController::onAccountNeeded()
{
    if (m_host)
        m_host->onDeposit();
}

void TournamentsController::onTournamentStatusChanged(qint32 tournamentId, TournamentInfo::status_t oldStatus,
                                                      TournamentInfo::status_t newStatus)
{
    qCDebug(lcTournaments).nospace() << "Tournament status changed: id " << tournamentId << " "
                                     << tournamentStatusName(oldStatus) << " -> " << tournamentStatusName(newStatus);
    if (newStatus == TournamentInfo::Aborted && m_model->hasTournament(tournamentId)
        && m_model->tournamentInfo(tournamentId).playerRegistered)
        emit playerTournamentAborted(tournamentId);
}
