#include "tools/peer/PeerTournamentTicker.h"

#include "protocol/MessageIds.h"
#include "protocol/WireConversions.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerSession.h"

PeerTournamentTicker::PeerTournamentTicker(PeerConfig &config, QObject *parent)
    : QObject(parent)
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
        // A full one stays full, so that registering for it is refused; the
        // others keep a seat for the run's own players.
        if (t.status != TournamentInfo::Open || t.maxPlayers < 2 || t.registeredPlayers + 1 >= t.maxPlayers)
            continue;
        ++t.registeredPlayers;
        PeerSession::broadcastTournament(
            msg::TOURNAMENT_INFO_UPDATE,
            WireValue::List{t.id, wire::fromKeyedValues({{TournamentInfo::REGISTERED_PLAYERS, t.registeredPlayers}})});
        return;
    }
}
