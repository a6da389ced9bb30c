#pragma once

#include "protocol/PrizeConfiguration.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentRanking.h"
#include "protocol/WireValue.h"

#include <QObject>

#include <map>
#include <set>

class PeerSession;
struct PeerConfig;

// The tournament desk of one session: answers registrations (success, or
// the refusal the tournament calls for: unknown, forced by the config,
// already registered, running, full, insufficient funds), unregistrations,
// the coming events, and seats the player at a table of each tournament
// registered for when it starts (or seatAfterMs after the registration).
class PeerTournamentDesk : public QObject
{
    Q_OBJECT

public:
    PeerTournamentDesk(PeerSession *session, PeerConfig &config, std::set<qint32> &registered);

    void registerPlayer(qint32 tournamentId);
    void unregisterPlayer(qint32 tournamentId);
    // The body of the coming-events answer.
    WireValue::List comingEvents() const;
    // The player sat down at a table of the tournament: it is playing.
    void tableJoined(qint32 tournamentId);
    // The round played at fromTable is over: the player is seated at the
    // next round's table, or, after the last round, the tournament is done.
    void nextRound(qint32 tournamentId, qint32 fromTable);

    // A scenario ended a round (the fields of end_of_tournament_round): the
    // standings add its results and go to the client; after the last round
    // the pot is paid out by the prize configuration.
    void roundEnded(const WireValue::List &fields);
    // The standings of a tournament played here, or null.
    const TournamentRankings *standings(qint32 tournamentId) const;
    // The payout tables by number of registered players, as answered to the
    // client and paid out.
    static tournament_prize_configuration_t prizeConfiguration();

private:
    void seat(qint32 tournamentId);
    // Puts every registered player into the tournament's standings.
    void enterField(const TournamentInfo &t);
    // A table of four for the tournament's current round, the player seated there.
    void seatAtNewTable(TournamentInfo &t);
    // Sets every line's payout by the prize configuration and credits the
    // player's.
    void payOut(const TournamentInfo &t, TournamentRankings &standings);

    PeerSession *m_session;
    // Tournaments whose tables this desk seats.
    std::set<qint32> m_played;
    PeerConfig &m_config;
    std::set<qint32> &m_registered;
};
