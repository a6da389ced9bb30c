#pragma once

#include "protocol/WireValue.h"

#include <QObject>

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

private:
    void seat(qint32 tournamentId);

    PeerSession *m_session;
    PeerConfig &m_config;
    std::set<qint32> &m_registered;
};
