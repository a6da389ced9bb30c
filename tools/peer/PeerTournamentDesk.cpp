#include "tools/peer/PeerTournamentDesk.h"

#include "protocol/MessageIds.h"
#include "protocol/WireConversions.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerSession.h"
#include "tools/peer/PeerTournamentHall.h"

#include <QTimer>

#include <algorithm>

using L = WireValue::List;

namespace {

TournamentInfo *findTournament(PeerConfig &config, qint32 id)
{
    for (TournamentInfo &t : config.tournaments)
        if (t.id == id)
            return &t;
    return nullptr;
}

// Bet and fee; a bet below 0 marks a free tournament.
qint64 buyIn(const TournamentInfo &t)
{
    return qint64(std::max(t.cost.bet, 0)) + std::max(t.cost.fee, 0);
}

} // namespace

PeerTournamentDesk::PeerTournamentDesk(PeerSession *session, PeerConfig &config, std::set<qint32> &registered)
    : QObject(session)
    , m_session(session)
    , m_config(config)
    , m_registered(registered)
{
}

void PeerTournamentDesk::registerPlayer(qint32 id)
{
    TournamentInfo *t = findTournament(m_config, id);
    int refusal = -1;
    if (!t)
        refusal = 0;
    else if (m_config.registerRefusals.count(id))
        refusal = m_config.registerRefusals.at(id);
    else if (m_registered.count(id))
        refusal = 5;
    else if (t->status != TournamentInfo::Open)
        refusal = 6;
    else if (t->maxPlayers > 0 && t->registeredPlayers >= t->maxPlayers)
        refusal = 3;
    else if (buyIn(*t) > m_session->balance())
        refusal = 2;
    if (refusal >= 0) {
        m_session->send(msg::TOURNAMENT_REGISTER_FAILED, L{id, refusal});
        return;
    }
    m_registered.insert(id);
    ++t->registeredPlayers;
    m_session->send(msg::TOURNAMENT_REGISTER_OK, L{id});
    if (buyIn(*t) > 0)
        m_session->changeBalance(-buyIn(*t));
    m_session->tellTournament(
        msg::TOURNAMENT_INFO_UPDATE,
        L{id, wire::fromKeyedValues({{TournamentInfo::REGISTERED_PLAYERS, t->registeredPlayers}})});
    const qint64 untilStart = QDateTime::currentDateTimeUtc().msecsTo(t->start);
    const qint64 delay = m_config.seatAfterMs >= 0 ? m_config.seatAfterMs : std::max<qint64>(untilStart, 0);
    // Seating further off than a day is not worth a timer in a local run.
    if (delay <= 86400 * qint64(1000))
        QTimer::singleShot(int(delay), this, [id] {
            if (PeerTournamentHall *hall = PeerTournamentHall::instance())
                hall->start(id);
        });
}

void PeerTournamentDesk::unregisterPlayer(qint32 id)
{
    if (!m_registered.erase(id)) {
        m_session->send(msg::TOURNAMENT_UNREGISTER_FAILED, L{id, 0});
        return;
    }
    TournamentInfo *t = findTournament(m_config, id);
    const bool open = !t || t->status == TournamentInfo::Open;
    // Leaving before the start gives the buy-in back.
    if (t && open && buyIn(*t) > 0)
        m_session->changeBalance(buyIn(*t));
    if (t && open && t->registeredPlayers > 0) {
        --t->registeredPlayers;
        m_session->tellTournament(
            msg::TOURNAMENT_INFO_UPDATE,
            L{id, wire::fromKeyedValues({{TournamentInfo::REGISTERED_PLAYERS, t->registeredPlayers}})});
    }
    m_session->send(open ? msg::TOURNAMENT_UNREGISTER_OK : msg::TOURNAMENT_LEAVE_OK, L{id});
}

WireValue::List PeerTournamentDesk::comingEvents() const
{
    L events;
    // One time for every session: the run's own maintenance.
    if (m_config.maintenanceAt.isValid())
        events.push_back(WireValue(L{0, m_config.maintenanceAt}));
    return L{WireValue(std::move(events))};
}
