#pragma once

#include "protocol/ComingEvent.h"
#include "protocol/TournamentInfo.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

#include <map>
#include <vector>

class ConnectionManager;
class TournamentsLobbyModel;

// What is about to happen, in time order: the server's maintenance notices
// (kind 0) and, for every active tournament the player is registered for,
// the start of its first round (1), of each later round (2) and the end of
// every round (3).
class ComingEventsModel : public QObject
{
    Q_OBJECT

public:
    enum Kind { Maintenance = 0, TournamentStart = 1, RoundStart = 2, RoundEnd = 3 };

    ComingEventsModel(ConnectionManager *session, TournamentsLobbyModel *lobbyModel, QObject *parent = nullptr);

    const ComingEvents &events() const { return m_events; }

    // By time, then by kind.
    static bool eventLessThan(const ComingEvent &a, const ComingEvent &b);

signals:
    void comingEventsChanged(ComingEvents events);

public slots:
    void onComingServerEvents(const ComingEvents &comingEvents);
    void onTournamentAdded(const TournamentInfo &info);
    void onTournamentUpdated(const TournamentInfo &info);
    void onTournamentRemoved(qint32 tournamentId);

private slots:
    void onLoginSuccess();

private:
    struct Rounds
    {
        std::vector<QDateTime> roundsStart;
        std::vector<int> roundsLength;
        bool operator==(const Rounds &other) const = default;
    };

    static bool isFollowed(const TournamentInfo &info);
    void rebuild();
    void merge();

    QPointer<ConnectionManager> m_session;
    QPointer<TournamentsLobbyModel> m_lobbyModel;
    ComingEvents m_serverEvents;
    ComingEvents m_tournamentEvents;
    ComingEvents m_events;
    std::map<qint32, Rounds> m_tournamentRounds;
};
