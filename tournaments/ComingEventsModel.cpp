#include "tournaments/ComingEventsModel.h"

#include "protocol/ConnectionManager.h"
#include "tournaments/TournamentTexts.h"
#include "tournaments/TournamentsLobbyModel.h"

#include <algorithm>

ComingEventsModel::ComingEventsModel(ConnectionManager *session, TournamentsLobbyModel *lobbyModel, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_lobbyModel(lobbyModel)
{
    if (session) {
        connect(session, &ConnectionManager::comingEvents, this, &ComingEventsModel::onComingServerEvents);
        // Each login is a new session: it is asked again every time.
        connect(session, &ConnectionManager::loginSuccess, this, &ComingEventsModel::onLoginSuccess);
        if (session->isLoggedIn())
            session->query_coming_events();
    }
    if (lobbyModel) {
        connect(lobbyModel, &TournamentsLobbyModel::tournamentAdded, this, &ComingEventsModel::onTournamentAdded);
        connect(lobbyModel, &TournamentsLobbyModel::tournamentUpdated, this, &ComingEventsModel::onTournamentUpdated);
        connect(lobbyModel, &TournamentsLobbyModel::tournamentRemoved, this, &ComingEventsModel::onTournamentRemoved);
        for (qint32 id : lobbyModel->tournamentIds()) {
            const TournamentInfo &info = lobbyModel->tournamentInfo(id);
            if (isFollowed(info))
                m_tournamentRounds[id] = Rounds{info.roundsStart, info.roundsLength};
        }
    }
    rebuild();
}

bool ComingEventsModel::eventLessThan(const ComingEvent &a, const ComingEvent &b)
{
    if (a.when != b.when)
        return a.when < b.when;
    return a.kind < b.kind;
}

bool ComingEventsModel::isFollowed(const TournamentInfo &info)
{
    return info.playerRegistered && isTournamentActive(info);
}

void ComingEventsModel::onLoginSuccess()
{
    if (m_session)
        m_session->query_coming_events();
}

void ComingEventsModel::onComingServerEvents(const ComingEvents &comingEvents)
{
    m_serverEvents = comingEvents;
    std::stable_sort(m_serverEvents.begin(), m_serverEvents.end(), eventLessThan);
    merge();
}

void ComingEventsModel::onTournamentAdded(const TournamentInfo &info)
{
    if (!isFollowed(info))
        return;
    m_tournamentRounds[info.id] = Rounds{info.roundsStart, info.roundsLength};
    rebuild();
}

void ComingEventsModel::onTournamentUpdated(const TournamentInfo &info)
{
    if (!isFollowed(info)) {
        onTournamentRemoved(info.id);
        return;
    }
    Rounds rounds{info.roundsStart, info.roundsLength};
    const auto it = m_tournamentRounds.find(info.id);
    if (it != m_tournamentRounds.end() && it->second == rounds)
        return;
    m_tournamentRounds[info.id] = std::move(rounds);
    rebuild();
}

void ComingEventsModel::onTournamentRemoved(qint32 tournamentId)
{
    if (m_tournamentRounds.erase(tournamentId))
        rebuild();
}

void ComingEventsModel::rebuild()
{
    m_tournamentEvents.clear();
    for (const auto &[id, rounds] : m_tournamentRounds) {
        for (size_t i = 0; i < rounds.roundsStart.size(); ++i) {
            const QDateTime &start = rounds.roundsStart[i];
            m_tournamentEvents.push_back({i == 0 ? TournamentStart : RoundStart, start});
            // A round whose length is not known yet has no end to count to.
            if (i < rounds.roundsLength.size())
                m_tournamentEvents.push_back({RoundEnd, start.addSecs(rounds.roundsLength[i])});
        }
    }
    std::stable_sort(m_tournamentEvents.begin(), m_tournamentEvents.end(), eventLessThan);
    merge();
}

void ComingEventsModel::merge()
{
    m_events.clear();
    // std::merge takes from the first range on ties: the server's first.
    std::merge(m_serverEvents.begin(), m_serverEvents.end(), m_tournamentEvents.begin(), m_tournamentEvents.end(),
               std::back_inserter(m_events), eventLessThan);
    emit comingEventsChanged(m_events);
}
