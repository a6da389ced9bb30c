#include "tools/peer/PeerTournamentHall.h"

#include "protocol/MessageIds.h"
#include "protocol/WireConversions.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerSession.h"

#include <algorithm>
#include <set>

using L = WireValue::List;

namespace {

PeerTournamentHall *g_hall = nullptr;

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

// Each round's competition points by the place at the table, in half points:
// 4, 2, 1 and 0; tied places share theirs.
constexpr qint32 PlacePoints[4] = {8, 4, 2, 0};
// The mahjong points a place at a table without a session ends the round with.
constexpr qint32 PlaceMahjongPoints[4] = {2400, 2100, 1900, 1600};

// The demo's tournament hand seats these three at the first session's table.
constexpr std::array<qint32, 3> DemoBots = {901, 902, 903};
const char *const BotNames[3] = {"Bot South", "Bot West", "Bot North"};

// Players who share a position in the standings.
bool tied(const TournamentRanking &a, const TournamentRanking &b)
{
    return a.competitionPoints == b.competitionPoints && a.tablePoints == b.tablePoints;
}

} // namespace

PeerTournamentHall::PeerTournamentHall(PeerConfig &config, QObject *parent)
    : QObject(parent)
    , m_config(config)
{
    g_hall = this;
}

PeerTournamentHall::~PeerTournamentHall()
{
    if (g_hall == this)
        g_hall = nullptr;
}

PeerTournamentHall *PeerTournamentHall::instance()
{
    return g_hall;
}

TournamentInfo *PeerTournamentHall::tournament(qint32 id)
{
    for (TournamentInfo &t : m_config.tournaments)
        if (t.id == id)
            return &t;
    return nullptr;
}

void PeerTournamentHall::setStatus(TournamentInfo &t, TournamentInfo::status_t status)
{
    t.status = status;
    PeerSession::tellTournamentNews(t.id, msg::TOURNAMENT_INFO_UPDATE,
                                    L{t.id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(status)}})});
}

void PeerTournamentHall::start(qint32 id)
{
    TournamentInfo *t = tournament(id);
    if (!t || t->status != TournamentInfo::Open || m_plays.count(id))
        return;
    Play play;
    for (PeerSession *s : PeerSession::all()) {
        if (!s->isRegistered(id))
            continue;
        Seat seat;
        seat.session = s;
        seat.user = s->userName();
        seat.playerId = s->playerId();
        seat.bots = DemoBots;
        const int k = int(play.seats.size());
        for (int i = 0; i < 3; ++i) {
            // The other sessions' tables have bots of their own.
            if (k > 0)
                seat.bots[size_t(i)] = 9000 + 10 * k + i + 1;
            m_config.names.emplace(seat.bots[size_t(i)], k > 0 ? QStringLiteral("%1 %2").arg(BotNames[i]).arg(k + 1)
                                                               : QString::fromLatin1(BotNames[i]));
        }
        play.seats.push_back(seat);
    }
    if (play.seats.empty())
        return;
    t->currentRound = 0;
    enterField(*t, play);
    Play &stored = m_plays[id] = std::move(play);
    seatAtNewTables(*t, stored);
}

void PeerTournamentHall::enterField(const TournamentInfo &t, Play &play)
{
    // The seated players and their bots, then the players of the other
    // tables, as many as registered.
    for (const Seat &seat : play.seats) {
        play.standings.push_back(TournamentRanking{seat.playerId, seat.session->playerName(seat.playerId)});
        for (qint32 bot : seat.bots)
            play.standings.push_back(TournamentRanking{bot, seat.session->playerName(bot)});
    }
    for (qint32 n = 1; qint32(play.standings.size()) < std::min(t.registeredPlayers, 256); ++n)
        play.standings.push_back(TournamentRanking{3000 + n, QStringLiteral("Player %1").arg(3000 + n)});
}

void PeerTournamentHall::seatAtNewTables(TournamentInfo &t, Play &play)
{
    std::vector<std::pair<PeerSession *, qint32>> seated;
    for (Seat &seat : play.seats) {
        seat.reported = false;
        seat.movedOn = false;
        seat.table = 0;
        if (!seat.session)
            continue;
        // One table of four below the tournament's lobby path, a new one
        // each round (the tables are drawn again).
        while (std::any_of(m_config.tables.begin(), m_config.tables.end(),
                           [this](const TableInfo &info) { return info.id() == m_nextTableId; }))
            ++m_nextTableId;
        TableInfo table(m_nextTableId++, QStringLiteral("101/mtt/%1").arg(t.id));
        table.setRuleset(t.ruleset);
        table.setCapacity(4);
        table.setSeated(4);
        table.setGameType(TableInfo::TOURNAMENT);
        table.setTournamentId(t.id);
        table.setNameId(3);
        m_config.tables.push_back(table);
        PeerSession::announceTable(table);
        seat.session->addTournamentSeat(table.id());
        seat.table = table.id();
        seated.emplace_back(seat.session.data(), table.id());
    }
    t.status = TournamentInfo::Seating;
    // The round starts now, not when the schedule said: it and the rounds
    // after it keep their lengths and breaks from here.
    const size_t round = size_t(std::max(t.currentRound, 0));
    if (round < t.roundsStart.size()) {
        const qint64 shift = t.roundsStart[round].secsTo(QDateTime::currentDateTimeUtc());
        for (size_t r = round; r < t.roundsStart.size(); ++r)
            t.roundsStart[r] = t.roundsStart[r].addSecs(shift);
    }
    PeerSession::tellTournamentNews(
        t.id, msg::TOURNAMENT_INFO_UPDATE,
        L{t.id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(TournamentInfo::Seating)},
                                       {TournamentInfo::CURRENT_ROUND, t.currentRound},
                                       {TournamentInfo::ROUNDS_START, t.value(TournamentInfo::ROUNDS_START)}})});
    for (const auto &[session, table] : seated)
        session->send(msg::TOURNAMENT_SEATED, L{t.id, table});
}

void PeerTournamentHall::tableJoined(qint32 id)
{
    TournamentInfo *t = tournament(id);
    if (t && t->status == TournamentInfo::Seating && m_plays.count(id))
        setStatus(*t, TournamentInfo::Playing);
}

std::array<qint32, 3> PeerTournamentHall::bots(qint32 id, const PeerSession *session) const
{
    const auto play = m_plays.find(id);
    if (play != m_plays.end())
        for (const Seat &seat : play->second.seats)
            if (seat.session == session)
                return seat.bots;
    return DemoBots;
}

void PeerTournamentHall::addResult(Play &play, qint32 playerId, qint32 result, qint32 mahjongPoints)
{
    auto line = std::find_if(play.standings.begin(), play.standings.end(),
                             [playerId](const TournamentRanking &r) { return r.playerId == playerId; });
    if (line == play.standings.end()) {
        play.standings.push_back(TournamentRanking{playerId, QStringLiteral("Player %1").arg(playerId)});
        line = play.standings.end() - 1;
    }
    // The tournament points are the round results; the table points the
    // mahjong points played at the tables. Both in half points.
    line->competitionPoints += result;
    line->tablePoints += 2 * mahjongPoints;
}

void PeerTournamentHall::scorePlayers(Play &play, int round, std::vector<qint32> players)
{
    // Four players a table in the order of their ids, finishing in turns,
    // so that a place moves on by one each round; the empty seats of a
    // last, short table hold places too (a lone player does not win every
    // round).
    std::sort(players.begin(), players.end());
    for (size_t i = 0; i < players.size(); ++i) {
        const size_t place = (i % 4 + size_t(round)) % 4;
        addResult(play, players[i], PlacePoints[place], PlaceMahjongPoints[place]);
    }
}

void PeerTournamentHall::scoreOthers(const TournamentInfo &t, Play &play)
{
    const int round = std::max(t.currentRound, 0);
    if (play.othersScored == round)
        return;
    play.othersScored = round;
    std::set<qint32> atTables;
    for (const Seat &seat : play.seats) {
        atTables.insert(seat.playerId);
        atTables.insert(seat.bots.begin(), seat.bots.end());
    }
    std::vector<qint32> others;
    for (const TournamentRanking &r : play.standings)
        if (!atTables.count(r.playerId))
            others.push_back(r.playerId);
    scorePlayers(play, round, others);
}

void PeerTournamentHall::roundEnded(PeerSession *session, const WireValue::List &fields)
{
    const qint32 id = fields.at(0).toInt32();
    const auto found = m_plays.find(id);
    TournamentInfo *t = tournament(id);
    // A scenario that seats the player itself sends its own standings.
    if (found == m_plays.end() || !t)
        return;
    Play &play = found->second;
    const auto seat = std::find_if(play.seats.begin(), play.seats.end(), [&](const Seat &s) {
        return s.session == session && s.table == fields.at(1).toInt32();
    });
    if (seat == play.seats.end() || seat->reported)
        return;
    seat->reported = true;
    for (const TournamentRoundScore &score : wire::toTournamentRoundScores(fields.at(3)))
        addResult(play, score.playerId, score.result, score.mahjongPoints);
    scoreOthers(*t, play);
    sortStandings(play.standings);
    advance(*t, play);
    sendStandings(id, play);
}

void PeerTournamentHall::nextRound(PeerSession *session, qint32 id, qint32 fromTable)
{
    session->removeTournamentSeat(fromTable);
    removeTable(fromTable);
    const auto found = m_plays.find(id);
    TournamentInfo *t = tournament(id);
    if (found == m_plays.end() || !t)
        return;
    for (Seat &seat : found->second.seats)
        if (seat.session == session && seat.table == fromTable)
            seat.movedOn = true;
    advance(*t, found->second);
}

void PeerTournamentHall::advance(TournamentInfo &t, Play &play)
{
    const bool lastRound = t.currentRound + 1 >= t.numberOfRounds;
    const auto everyone = [&play](bool Seat::*done) {
        return std::all_of(play.seats.begin(), play.seats.end(), [done](const Seat &s) { return s.*done; });
    };
    if (!everyone(&Seat::reported))
        return;
    if (lastRound) {
        if (!play.paid) {
            play.paid = true;
            payOut(t, play);
            // Over with its last round: nothing of it runs or counts down any more.
            setStatus(t, TournamentInfo::Done);
        }
        return;
    }
    if (!everyone(&Seat::movedOn))
        return;
    ++t.currentRound;
    seatAtNewTables(t, play);
}

void PeerTournamentHall::sessionGone(PeerSession *session)
{
    for (auto &[id, play] : m_plays) {
        TournamentInfo *t = tournament(id);
        const auto gone = std::find_if(play.seats.begin(), play.seats.end(),
                                       [session](const Seat &s) { return s.session == session; });
        if (!t || gone == play.seats.end() || play.paid)
            continue;
        const Seat seat = *gone;
        play.seats.erase(gone);
        removeTable(seat.table);
        // The table's players are the other tables' from now on; this round
        // too, when those have their places already.
        const int round = std::max(t->currentRound, 0);
        if (!seat.reported && play.othersScored == round)
            scorePlayers(play, round, {seat.playerId, seat.bots[0], seat.bots[1], seat.bots[2]});
        if (play.seats.empty()) {
            // Nobody is left at its tables: its rounds end as the others play them.
            for (; t->currentRound < t->numberOfRounds; ++t->currentRound)
                scoreOthers(*t, play);
            t->currentRound = std::max(t->numberOfRounds - 1, 0);
        }
        sortStandings(play.standings);
        advance(*t, play);
        sendStandings(id, play);
    }
}

tournament_prize_configuration_t PeerTournamentHall::prizeConfiguration()
{
    tournament_prize_configuration_t c;
    c[Range<int>(2, 8)] = {{Range<int>(1, 1), pot_share_t{1000}}};
    c[Range<int>(9, 64)] = {{Range<int>(1, 1), pot_share_t{500}},
                            {Range<int>(2, 2), pot_share_t{300}},
                            {Range<int>(3, 4), pot_share_t{100}}};
    return c;
}

void PeerTournamentHall::payOut(const TournamentInfo &t, Play &play)
{
    TournamentRankings &standings = play.standings;
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
    for (const Seat &seat : play.seats) {
        for (const TournamentRanking &r : standings)
            if (r.payout > 0 && r.playerId == seat.playerId)
                PeerSession::creditAccount(seat.user, r.payout);
    }
}

void PeerTournamentHall::sortStandings(TournamentRankings &standings)
{
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
}

void PeerTournamentHall::sendStandings(qint32 id, const Play &play)
{
    for (const Seat &seat : play.seats)
        if (seat.session)
            seat.session->send(
                msg::TOURNAMENT_ENVELOPE,
                L{id, WireValue(L{wire::fromTournamentRankings(play.standings)}, tmt_msg::RANKING_LIST)});
}

void PeerTournamentHall::removeTable(qint32 tableId)
{
    const auto table = std::find_if(m_config.tables.begin(), m_config.tables.end(),
                                    [tableId](const TableInfo &t) { return t.id() == tableId; });
    if (table == m_config.tables.end())
        return;
    const TableInfo gone = *table;
    m_config.tables.erase(table);
    PeerSession::tableGone(gone);
}

const TournamentRankings *PeerTournamentHall::standings(qint32 id) const
{
    const auto it = m_plays.find(id);
    return it == m_plays.end() || it->second.standings.empty() ? nullptr : &it->second.standings;
}
