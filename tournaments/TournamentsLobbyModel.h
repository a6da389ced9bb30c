#pragma once

#include "protocol/TournamentInfo.h"
#include "protocol/TournamentInfoUpdates.h"

#include <QList>
#include <QPointer>
#include <QStandardItemModel>

#include <map>
#include <set>
#include <vector>

class ConnectionManager;
class QTimer;

// The tournaments the game server announces, one row of eight cells each,
// with the local player's registration kept beside the server's records.
// Every cell answers the tournament id under TournamentRoles::IdRole and,
// where it sorts by value, its raw value under TournamentRoles::RawValueRole.
class TournamentsLobbyModel : public QStandardItemModel
{
    Q_OBJECT

public:
    enum Column {
        MarkColumn,
        StartColumn,
        StatusColumn,
        NameColumn,
        RulesColumn,
        PlayersColumn,
        BuyInColumn,
        PotColumn,
        ColumnCount
    };

    explicit TournamentsLobbyModel(QObject *parent = nullptr);

    // Follows the session's tournament signals and asks for the tournament
    // lobby at every login (at once when already logged in); the previous
    // session's tournaments are dropped then.
    void setSession(ConnectionManager *session);

    // A flat list: no row has children.
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;

    // Records (tournamentInfo(), the signals) are always current. Their rows
    // show a change at once when none was shown in the last interval,
    // otherwise together at its end, so that a busy lobby costs its views one
    // sort and paint per interval rather than one per update. 0 shows every
    // change at once.
    static constexpr int DefaultNotifyIntervalMs = 100;
    void setNotifyInterval(int ms);
    int notifyInterval() const { return m_notifyIntervalMs; }
    // Shows the changes still waiting for the end of the interval.
    void flushChanges();

    // Header labels and tool tips again, after a change of language.
    void retranslate();

    // Throws std::runtime_error for a tournament the model does not hold.
    const TournamentInfo &tournamentInfo(qint32 id) const;
    // Ascending.
    QList<qint32> tournamentIds() const;
    // The lowest id whose persistent id matches, or -1.
    qint32 tournamentIdByPersistentId(qint32 persistentId) const;
    bool hasTournament(qint32 id) const;
    // Column 0 of the tournament's row; invalid when it is not held.
    QModelIndex indexOfTournament(qint32 id) const;

signals:
    void tournamentAdded(TournamentInfo info);
    void tournamentUpdated(TournamentInfo info);
    void tournamentRemoved(qint32 tournamentId);
    void tournamentStatusChanged(qint32 tournamentId, TournamentInfo::status_t oldStatus,
                                 TournamentInfo::status_t newStatus);
    // The rows show the records again after some were added, changed or
    // removed; as coalesced as the rows, so that a view that works on the
    // whole list does so once per interval in a busy lobby.
    void changesShown();

public slots:
    void addOrUpdateTournament(const TournamentInfo &info);
    void updateTournamentInfo(qint32 tournamentId, const TournamentInfoUpdates &updates);
    void onRegisteredNotification(const std::vector<qint32> &tournamentIds);
    void onTournamentRemoved(qint32 tournamentId);
    void onTournamentRegisterSuccess(qint32 tournamentId);
    void onTournamentUnregisterSuccess(qint32 tournamentId);
    void onTournamentLeaveSuccess(qint32 tournamentId);

private slots:
    void onLoginSuccess();
    void onNotifyTimeout();

private:
    void noteListChange();
    struct Entry
    {
        TournamentInfo info;
        QList<QStandardItem *> rowItems;
    };

    void addRow(Entry &entry);
    // Announces the stored record and shows it in the row, now or at the
    // end of the interval.
    void refreshRow(Entry &entry);
    void showRecord(Entry &entry);
    // The row's start is in order with its neighbours'.
    bool inStartOrder(int row) const;
    void setRegistered(qint32 tournamentId, bool registered);
    void removeAll();

    std::set<qint32> m_registeredIds;
    std::map<qint32, Entry> m_tournaments;
    QPointer<ConnectionManager> m_session;
    // Tournaments whose rows wait for the end of the interval.
    std::set<qint32> m_pendingRows;
    // A tournament came or went since changesShown was last emitted; such
    // news is passed on at most once per interval too (a login brings the
    // whole lobby at once), on a timer of its own so that it does not hold
    // back the rows' first change.
    bool m_listChanged = false;
    QTimer *m_listTimer = nullptr;
    QTimer *m_notifyTimer = nullptr;
    int m_notifyIntervalMs = DefaultNotifyIntervalMs;
    // The rows are in order of start (as the last sort left them, or added in
    // that order).
    bool m_inStartOrder = true;
};
