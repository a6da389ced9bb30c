#include "tools/peer/PeerTournamentDesk.h"

#include "protocol/MessageIds.h"
#include "protocol/WireConversions.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerSession.h"

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
    m_session->send(msg::TOURNAMENT_INFO_UPDATE,
                    L{id, wire::fromKeyedValues({{TournamentInfo::REGISTERED_PLAYERS, t->registeredPlayers}})});
    const qint64 untilStart = QDateTime::currentDateTimeUtc().msecsTo(t->start);
    const qint64 delay = m_config.seatAfterMs >= 0 ? m_config.seatAfterMs : std::max<qint64>(untilStart, 0);
    // Seating further off than a day is not worth a timer in a local run.
    if (delay <= 86400 * qint64(1000))
        QTimer::singleShot(int(delay), this, [this, id] { seat(id); });
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
        m_session->send(msg::TOURNAMENT_INFO_UPDATE,
                        L{id, wire::fromKeyedValues({{TournamentInfo::REGISTERED_PLAYERS, t->registeredPlayers}})});
    }
    m_session->send(open ? msg::TOURNAMENT_UNREGISTER_OK : msg::TOURNAMENT_LEAVE_OK, L{id});
}

WireValue::List PeerTournamentDesk::comingEvents() const
{
    L events;
    if (m_config.maintenanceInSecs >= 0)
        events.push_back(WireValue(L{0, QDateTime::currentDateTimeUtc().addSecs(m_config.maintenanceInSecs)}));
    return L{WireValue(std::move(events))};
}

void PeerTournamentDesk::seat(qint32 id)
{
    TournamentInfo *t = findTournament(m_config, id);
    if (!t || !m_registered.count(id) || t->status != TournamentInfo::Open)
        return;
    t->currentRound = 0;
    seatAtNewTable(*t);
}

void PeerTournamentDesk::seatAtNewTable(TournamentInfo &t)
{
    // One table of four below the tournament's lobby path, a new one each
    // round (the tables are drawn again).
    const qint32 tableId = 70000 + 1000 * t.currentRound + t.id;
    TableInfo table(tableId, QStringLiteral("101/mtt/%1").arg(t.id));
    table.setRuleset(t.ruleset);
    table.setCapacity(4);
    table.setSeated(4);
    table.setGameType(TableInfo::TOURNAMENT);
    table.setTournamentId(t.id);
    table.setNameId(3);
    m_config.tables.push_back(table);
    m_session->announceTable(table);
    m_session->addTournamentSeat(tableId);
    m_played.insert(t.id);
    t.status = TournamentInfo::Seating;
    m_session->send(msg::TOURNAMENT_INFO_UPDATE,
                    L{t.id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(TournamentInfo::Seating)},
                                                   {TournamentInfo::CURRENT_ROUND, t.currentRound}})});
    m_session->send(msg::TOURNAMENT_SEATED, L{t.id, tableId});
}

void PeerTournamentDesk::tableJoined(qint32 id)
{
    TournamentInfo *t = findTournament(m_config, id);
    if (!t || t->status != TournamentInfo::Seating)
        return;
    t->status = TournamentInfo::Playing;
    m_session->send(msg::TOURNAMENT_INFO_UPDATE,
                    L{id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(TournamentInfo::Playing)}})});
}

void PeerTournamentDesk::nextRound(qint32 id, qint32 fromTable)
{
    m_session->removeTournamentSeat(fromTable);
    TournamentInfo *t = findTournament(m_config, id);
    if (!t)
        return;
    if (t->currentRound + 1 >= t->numberOfRounds) {
        t->status = TournamentInfo::Done;
        m_session->send(msg::TOURNAMENT_INFO_UPDATE,
                        L{id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(TournamentInfo::Done)}})});
        return;
    }
    ++t->currentRound;
    seatAtNewTable(*t);
}

void PeerTournamentDesk::roundEnded(const WireValue::List &fields)
{
    const qint32 id = fields.at(0).toInt32();
    // A scenario that seats the player itself sends its own standings.
    if (!m_played.count(id))
        return;
    const bool lastRound = fields.at(2).toBool();
    TournamentRankings &standings = m_standings[id];
    for (const TournamentRoundScore &score : wire::toTournamentRoundScores(fields.at(3))) {
        auto line = std::find_if(standings.begin(), standings.end(),
                                 [&score](const TournamentRanking &r) { return r.playerId == score.playerId; });
        if (line == standings.end()) {
            standings.push_back(TournamentRanking{score.playerId, m_session->playerName(score.playerId)});
            line = standings.end() - 1;
        }
        line->tablePoints += score.result;
        line->competitionPoints += score.result;
    }
    std::stable_sort(standings.begin(), standings.end(), [](const TournamentRanking &a, const TournamentRanking &b) {
        return a.competitionPoints > b.competitionPoints;
    });
    const TournamentInfo *t = findTournament(m_config, id);
    if (lastRound && t) {
        // The prize configuration answered to the client: one winner up to
        // eight players, then 50/30/10/10 per cent.
        const qint64 pot = qint64(std::max(t->cost.bet, 0)) * t->registeredPlayers + t->additionalPayoutAmount;
        const std::vector<int> shares = t->registeredPlayers > 8 ? std::vector<int>{500, 300, 100, 100}
                                                                 : std::vector<int>{1000};
        for (size_t i = 0; i < standings.size(); ++i)
            standings[i].payout = i < shares.size() ? pot * shares[i] / 1000 : 0;
        if (!standings.empty() && standings.front().payout > 0
            && standings.front().playerId == m_session->playerId())
            m_session->changeBalance(standings.front().payout);
    }
    m_session->send(msg::TOURNAMENT_ENVELOPE,
                    L{id, WireValue(L{wire::fromTournamentRankings(standings)}, tmt_msg::RANKING_LIST)});
}

const TournamentRankings *PeerTournamentDesk::standings(qint32 id) const
{
    const auto it = m_standings.find(id);
    return it == m_standings.end() ? nullptr : &it->second;
}
