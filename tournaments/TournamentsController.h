#pragma once

#include "lobby/TableModel.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentInfoUpdates.h"
#include "protocol/tmnt_register_failed_reason.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <map>
#include <set>

class ConnectionManager;
class TournamentsHost;
class TournamentsLobbyModel;
class TournamentsLobbyWindow;
class QWidget;

// The hub of the tournament views: owns the lobby model, relays the player's
// registrations to the session, explains refusals, opens the detail and join
// dialogs (one of each per tournament, children of the host's "lobbyWidget")
// and keeps the ranking lists current.
class TournamentsController : public QObject
{
    Q_OBJECT

public:
    TournamentsController(ConnectionManager *session, QObject *parent, TournamentsHost *host);

    TournamentsLobbyModel *model() const { return m_model; }
    // A new lobby window on the model, without parent.
    TournamentsLobbyWindow *createWindow();
    // Throws std::runtime_error for a tournament the model does not hold.
    const TournamentInfo &tournamentInfo(qint32 id) const;
    void setTableModel(TableModel *tableModel);
    TableModel *tableModel() const { return m_tableModel; }
    // The host's "lobbyWidget", or null (with a warning).
    QWidget *findLobbyWidget() const;

    // How long an unanswered ranking request holds back the next one of
    // its tournament.
    static constexpr int DefaultRankingTimeoutMs = 10000;
    void setRankingTimeout(int ms) { m_rankingTimeoutMs = ms; }

    // "Failed" ... "Tournament is running"; empty for an unknown value.
    static QString registerFailedReasonText(int reason);

signals:
    void playerTournamentAborted(qint32 tournamentId);

public slots:
    void createTournamentDetailDialog(qint32 tournamentId);
    void createJoinTournamentDialog(qint32 tournamentId);
    void onTournamentRegister(qint32 tournamentId);
    void onTournamentUnregister(qint32 tournamentId);
    void getTournamentHighscores(const TournamentInfo &info);
    void getTournamentHighscores(qint32 tournamentId);
    void onTournamentRegisterFailed(qint32 tournamentId, tmnt_register_failed_reason::enum_t reason);
    void onTournamentUnregisterFailed(qint32 tournamentId, tmnt_register_failed_reason::enum_t reason);
    void onAccountNeeded();
    void onTournamentStatusChanged(qint32 tournamentId, TournamentInfo::status_t oldStatus,
                                   TournamentInfo::status_t newStatus);

private slots:
    void onTournamentRankings(qint32 tournamentId);
    void onSessionReset();
    void onRankingRequestsExpired();

private:
    QWidget *messageParent() const;
    static void prepareDialog(QWidget *dialog);
    void requestRankings(qint32 tournamentId);
    void scheduleRankingExpiry();

    QPointer<ConnectionManager> m_session;
    TournamentsHost *m_host;
    TournamentsLobbyModel *m_model;
    QPointer<TableModel> m_tableModel;
    // Ranking lists asked for and not answered yet, with the time after which
    // an answer is no longer waited for (a dropped answer must not stop the
    // standings for the rest of the session); every record and update would
    // otherwise send one request each.
    std::map<qint32, QDeadlineTimer> m_rankingsPending;
    // Of those, the ones that changed meanwhile and are asked for again.
    std::set<qint32> m_rankingsAgain;
    int m_rankingTimeoutMs = DefaultRankingTimeoutMs;
    QTimer m_rankingExpiry;
};
