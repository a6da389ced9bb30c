#include "tools/peer/PeerTournamentTicker.h"

#include "protocol/MessageIds.h"
#include "protocol/WireConversions.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerSession.h"

PeerTournamentTicker::PeerTournamentTicker(PeerSession *session, PeerConfig &config)
    : QObject(session)
    , m_session(session)
    , m_config(config)
{
    connect(&m_timer, &QTimer::timeout, this, &PeerTournamentTicker::onTick);
    m_timer.start(config.tournamentUpdateMs);
}

void PeerTournamentTicker::onTick()
{
    std::vector<TournamentInfo> &tournaments = m_config.tournaments;
    for (size_t tried = 0; tried < tournaments.size(); ++tried) {
        TournamentInfo &t = tournaments[m_next++ % tournaments.size()];
        // A full one stays full, so that registering for it is refused.
        if (t.status != TournamentInfo::Open || t.maxPlayers < 2 || t.registeredPlayers >= t.maxPlayers)
            continue;
        t.registeredPlayers = t.registeredPlayers + 1 >= t.maxPlayers ? t.maxPlayers / 2 : t.registeredPlayers + 1;
        m_session->tellTournament(
            msg::TOURNAMENT_INFO_UPDATE,
            WireValue::List{t.id, wire::fromKeyedValues({{TournamentInfo::REGISTERED_PLAYERS, t.registeredPlayers}})});
        return;
    }
}
