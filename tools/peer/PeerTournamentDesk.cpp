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

// What a finishing place wins, rounded as the client's prize list shows it:
// truncated to whole cents, then down to a multiple of ten.
qint64 placePrize(const prize_structure_t &structure, int place, qint64 pot)
{
    for (const auto &[places, value] : structure) {
        const pot_share_t *share = std::any_cast<pot_share_t>(&value);
        if (!share || place < places.from || place > places.to)
            continue;
        const qint64 amount = qint64(share->share / 1000.0 * double(pot));
        return amount - amount % 10;
    }
    return 0;
}

// The standings of the tournaments played here, one for every session: the
// lobby shows the same tournament to all.
std::map<qint32, TournamentRankings> &sharedStandings()
{
    static std::map<qint32, TournamentRankings> standings;
    return standings;
}

// Each round's competition points by the place at the table, in half points:
// 4, 2, 1 and 0; tied places share theirs.
constexpr qint32 PlacePoints[4] = {8, 4, 2, 0};

// The bots the demo's tournament hand seats at the player's table.
constexpr qint32 TableBots[3] = {901, 902, 903};

// Players who share a position in the standings.
bool tied(const TournamentRanking &a, const TournamentRanking &b)
{
    return a.competitionPoints == b.competitionPoints && a.tablePoints == b.tablePoints;
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
        m_session->tellTournament(
            msg::TOURNAMENT_INFO_UPDATE,
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
    enterField(*t);
    seatAtNewTable(*t);
}

void PeerTournamentDesk::enterField(const TournamentInfo &t)
{
    // Everyone registered is in the standings from the start: the player,
    // the bots of the player's table and the players of the other tables.
    TournamentRankings &standings = sharedStandings()[t.id];
    if (!standings.empty())
        return;
    standings.push_back(TournamentRanking{m_session->playerId(), m_session->playerName(m_session->playerId())});
    for (qint32 bot : TableBots)
        standings.push_back(TournamentRanking{bot, m_session->playerName(bot)});
    for (qint32 n = 1; qint32(standings.size()) < std::min(t.registeredPlayers, 256); ++n)
        standings.push_back(TournamentRanking{3000 + n, QStringLiteral("Player %1").arg(3000 + n)});
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
    // The round starts now, not when the schedule said: it and the rounds
    // after it keep their lengths and breaks from here.
    const size_t round = size_t(std::max(t.currentRound, 0));
    if (round < t.roundsStart.size()) {
        const qint64 shift = t.roundsStart[round].secsTo(QDateTime::currentDateTimeUtc());
        for (size_t r = round; r < t.roundsStart.size(); ++r)
            t.roundsStart[r] = t.roundsStart[r].addSecs(shift);
    }
    m_session->tellTournament(
        msg::TOURNAMENT_INFO_UPDATE,
        L{t.id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(TournamentInfo::Seating)},
                                       {TournamentInfo::CURRENT_ROUND, t.currentRound},
                                       {TournamentInfo::ROUNDS_START, t.value(TournamentInfo::ROUNDS_START)}})});
    m_session->send(msg::TOURNAMENT_SEATED, L{t.id, tableId});
}

void PeerTournamentDesk::tableJoined(qint32 id)
{
    TournamentInfo *t = findTournament(m_config, id);
    if (!t || t->status != TournamentInfo::Seating)
        return;
    t->status = TournamentInfo::Playing;
    m_session->tellTournament(msg::TOURNAMENT_INFO_UPDATE,
                              L{id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(TournamentInfo::Playing)}})});
}

void PeerTournamentDesk::nextRound(qint32 id, qint32 fromTable)
{
    m_session->removeTournamentSeat(fromTable);
    TournamentInfo *t = findTournament(m_config, id);
    if (!t)
        return;
    if (t->currentRound + 1 >= t->numberOfRounds) {
        if (t->status != TournamentInfo::Done) {
            t->status = TournamentInfo::Done;
            m_session->tellTournament(
                msg::TOURNAMENT_INFO_UPDATE,
                L{id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(TournamentInfo::Done)}})});
        }
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
    TournamentRankings &standings = sharedStandings()[id];
    TournamentInfo *t = findTournament(m_config, id);
    std::set<qint32> atTable;
    for (const TournamentRoundScore &score : wire::toTournamentRoundScores(fields.at(3))) {
        atTable.insert(score.playerId);
        auto line = std::find_if(standings.begin(), standings.end(),
                                 [&score](const TournamentRanking &r) { return r.playerId == score.playerId; });
        if (line == standings.end()) {
            standings.push_back(TournamentRanking{score.playerId, m_session->playerName(score.playerId)});
            line = standings.end() - 1;
        }
        line->tablePoints += score.result;
        line->competitionPoints += score.result;
    }
    // The other tables of the round, four players each in the order of the
    // list, finish in turns, so that a place moves on by one each round; the
    // empty seats of a last, short table hold places too (a lone player does
    // not win every round).
    const int round = t ? std::max(t->currentRound, 0) : 0;
    std::vector<TournamentRanking *> others;
    for (TournamentRanking &r : standings)
        if (!atTable.count(r.playerId))
            others.push_back(&r);
    std::sort(others.begin(), others.end(),
              [](const TournamentRanking *a, const TournamentRanking *b) { return a->playerId < b->playerId; });
    for (size_t i = 0; i < others.size(); ++i) {
        const qint32 points = PlacePoints[(i % 4 + size_t(round)) % 4];
        others[i]->tablePoints += points;
        others[i]->competitionPoints += points;
    }
    // Tied players are listed as the client lists a shared position: by name.
    std::sort(standings.begin(), standings.end(), [](const TournamentRanking &a, const TournamentRanking &b) {
        if (a.competitionPoints != b.competitionPoints)
            return a.competitionPoints > b.competitionPoints;
        if (a.tablePoints != b.tablePoints)
            return a.tablePoints > b.tablePoints;
        if (a.name != b.name)
            return a.name < b.name;
        return a.playerId < b.playerId;
    });
    if (lastRound && t) {
        payOut(*t, standings);
        // Over with its last round: nothing of it runs or counts down any more.
        t->status = TournamentInfo::Done;
        m_session->tellTournament(msg::TOURNAMENT_INFO_UPDATE,
                                  L{id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(TournamentInfo::Done)}})});
    }
    m_session->send(msg::TOURNAMENT_ENVELOPE,
                    L{id, WireValue(L{wire::fromTournamentRankings(standings)}, tmt_msg::RANKING_LIST)});
}

tournament_prize_configuration_t PeerTournamentDesk::prizeConfiguration()
{
    tournament_prize_configuration_t c;
    c[Range<int>(2, 8)] = {{Range<int>(1, 1), pot_share_t{1000}}};
    c[Range<int>(9, 64)] = {{Range<int>(1, 1), pot_share_t{500}},
                            {Range<int>(2, 2), pot_share_t{300}},
                            {Range<int>(3, 4), pot_share_t{100}}};
    return c;
}

void PeerTournamentDesk::payOut(const TournamentInfo &t, TournamentRankings &standings)
{
    const tournament_prize_configuration_t configuration = prizeConfiguration();
    const auto table = configuration.find(Range<int>(t.registeredPlayers, t.registeredPlayers));
    const qint64 pot = qint64(std::max(t.cost.bet, 0)) * t.registeredPlayers + t.additionalPayoutAmount;
    for (TournamentRanking &r : standings)
        r.payout = 0;
    if (table == configuration.end() || pot <= 0)
        return;
    // Tied players share the prizes of the places they hold between them,
    // evenly in whole cents; the cents left over go one each to the first
    // listed, so that the places' prizes are paid whole.
    for (size_t first = 0; first < standings.size();) {
        size_t end = first + 1;
        while (end < standings.size() && tied(standings[first], standings[end]))
            ++end;
        qint64 prizes = 0;
        for (size_t place = first; place < end; ++place)
            prizes += placePrize(table->second, int(place) + 1, pot);
        const qint64 count = qint64(end - first);
        for (size_t i = first; i < end; ++i)
            standings[i].payout = prizes / count + (qint64(i - first) < prizes % count ? 1 : 0);
        first = end;
    }
    for (const TournamentRanking &r : standings) {
        if (r.payout > 0 && r.playerId == m_session->playerId())
            m_session->changeBalance(r.payout);
    }
}

const TournamentRankings *PeerTournamentDesk::standings(qint32 id) const
{
    const auto it = sharedStandings().find(id);
    return it == sharedStandings().end() || it->second.empty() ? nullptr : &it->second;
}
