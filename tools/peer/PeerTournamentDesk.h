#pragma once

#include "protocol/WireValue.h"

#include <QObject>

#include <set>

class PeerSession;
struct PeerConfig;

// The tournament desk of one session: answers registrations (success, or
// the refusal the tournament calls for: unknown, forced by the config,
// already registered, running, full, insufficient funds), unregistrations
// and the coming events, and starts a tournament registered for at its
// start (or seatAfterMs after the registration), when the tournament hall
// (PeerTournamentHall) seats every session registered for it.
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
    PeerSession *m_session;
    PeerConfig &m_config;
    std::set<qint32> &m_registered;
};
