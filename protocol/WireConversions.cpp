#include "protocol/WireConversions.h"

#include "protocol/MessageIds.h"
#include "protocol/ServerError.h"

namespace wire
{
namespace
{
typedef WireValue::List L;

template <typename T, typename F>
std::vector<T> listOf(const WireValue &v, F convert)
{
    std::vector<T> out;
    out.reserve(v.size());
    for (const WireValue &item : v.toList())
        out.push_back(convert(item));
    return out;
}

template <typename T, typename F>
WireValue listFrom(const std::vector<T> &items, F convert)
{
    L out;
    out.reserve(items.size());
    for (const T &item : items)
        out.push_back(convert(item));
    return WireValue(std::move(out));
}

tile toTile(const WireValue &v)
{
    const qint64 i = v.toInt();
    if (!((i >= 0 && i <= 41) || i == -1 || i == 255))
        throw server_error("tile value " + std::to_string(i) + " out of range");
    return tile(i);
}
} // namespace

tile_vector toTiles(const WireValue &v)
{
    return listOf<tile>(v, toTile);
}

WireValue fromTiles(const tile_vector &tiles)
{
    return listFrom(tiles, [](tile t) { return WireValue(qint64(t)); });
}

std::vector<qint32> toInts(const WireValue &v)
{
    return listOf<qint32>(v, [](const WireValue &i) { return i.toInt32(); });
}

WireValue fromInts(const std::vector<qint32> &ints)
{
    return listFrom(ints, [](qint32 i) { return WireValue(qint64(i)); });
}

TimeSpan toTimeSpan(const WireValue &v)
{
    return TimeSpan(v.at(0).toDateTime(), v.at(1).toDateTime());
}

meld_tuple toMeld(const WireValue &v)
{
    meld_tuple m;
    m.meldType = v.at(0).toInt32();
    m.visibility = v.at(1).toInt32();
    m.firstTile = toTile(v.at(2));
    m.claimedFrom = v.at(3).toInt32();
    m.claimedOffset = qint8(v.at(4).toInt());
    return m;
}

WireValue fromMeld(const meld_tuple &m)
{
    return WireValue(L{m.meldType, m.visibility, qint64(m.firstTile), m.claimedFrom, qint64(m.claimedOffset)});
}

meld_offer_vector toMeldOffers(const WireValue &v)
{
    return listOf<meld_offer>(v, [](const WireValue &o) { return meld_offer(o.at(0).toInt32(), toTile(o.at(1))); });
}

PlayerData toPlayerData(const WireValue &v)
{
    PlayerData p(v.at(0).toInt32(), v.at(1).toString());
    p.setWind(v.at(2).toInt32());
    p.setHiddenTiles(v.at(3).toInt32());
    p.setMelds(listOf<meld_tuple>(v.at(4), toMeld));
    p.setBonusTiles(toTiles(v.at(5)));
    const tile_vector discards = toTiles(v.at(6));
    const qint32 riichiIndex = v.at(7).toInt32();
    if (riichiIndex < -1 || riichiIndex >= qint32(discards.size()))
        throw server_error("riichi discard index " + std::to_string(riichiIndex) + " outside the discards");
    p.setDiscards(discards, riichiIndex);
    p.setReady(v.at(8).toBool());
    p.setPoints(v.at(9).toInt32());
    p.setWins(v.at(10).toInt32());
    return p;
}

WireValue fromPlayerData(const PlayerData &p)
{
    return WireValue(L{p.id(), p.name(), p.wind(), p.hiddenTiles(), listFrom(p.melds(), fromMeld),
                       fromTiles(p.bonusTiles()), fromTiles(p.discards()), p.riichiDiscardIndex(), p.isReady(),
                       p.points(), p.wins()});
}

std::vector<PlayerData> toPlayers(const WireValue &v)
{
    return listOf<PlayerData>(v, toPlayerData);
}

PrivatePlayerData toPrivatePlayerData(const WireValue &v)
{
    PrivatePlayerData d;
    d.tiles = toTiles(v.at(0));
    d.active = v.at(1).toBool();
    d.furiten = v.at(2).toBool();
    return d;
}

TableState toTableState(const WireValue &v)
{
    TableState s;
    s.playerId = v.at(0).toInt32();
    s.prevailingWind = v.at(1).toInt32();
    s.thirdValue = v.at(2).toInt32();
    s.lastDiscarder = v.at(3).toInt32();
    s.riichiSticks = v.at(4).toInt32();
    s.counterSticks = v.at(5).toInt32();
    return s;
}

WireValue fromTableState(const TableState &s)
{
    return WireValue(L{s.playerId, s.prevailingWind, s.thirdValue, s.lastDiscarder, s.riichiSticks, s.counterSticks});
}

WallState toWallState(const WireValue &v)
{
    WallState s;
    s.deadWallPosition = v.at(0).toInt32();
    s.doraIndicators = toTiles(v.at(1));
    s.liveTiles = v.at(2).toInt32();
    s.deadWallTiles = v.at(3).toInt32();
    s.deadWallTilesDealt = v.at(4).toInt32();
    if (s.liveTiles < 0 || s.deadWallTiles < 0 || s.deadWallTilesDealt < 0)
        throw server_error("negative wall count");
    return s;
}

WireValue fromWallState(const WallState &s)
{
    return WireValue(
        L{s.deadWallPosition, fromTiles(s.doraIndicators), s.liveTiles, s.deadWallTiles, s.deadWallTilesDealt});
}

Seating toSeating(const WireValue &v)
{
    Seating s;
    for (size_t i = 0; i < 4; ++i)
        s.players[i] = v.at(i).toInt32();
    return s;
}

round_score_vector toRoundScores(const WireValue &v)
{
    return listOf<round_score_t>(v, [](const WireValue &r) {
        return round_score_t{r.at(0).toInt32(), r.at(1).toInt32(), r.at(2).toInt32()};
    });
}

MonetaryRoundScores toMonetaryRoundScores(const WireValue &v)
{
    return listOf<MonetaryRoundScore>(v, [](const WireValue &r) {
        return MonetaryRoundScore{r.at(0).toInt32(), r.at(1).toInt32(), r.at(2).toInt()};
    });
}

TournamentRoundScores toTournamentRoundScores(const WireValue &v)
{
    return listOf<TournamentRoundScore>(v, [](const WireValue &r) {
        return TournamentRoundScore{r.at(0).toInt32(), r.at(1).toInt32(), r.at(2).toInt32()};
    });
}

namespace
{
score_lines toLines(const WireValue &v)
{
    return listOf<score_line>(v, [](const WireValue &l) { return score_line(l.at(0).toString(), l.at(1).toInt32()); });
}

WireValue fromLines(const score_lines &lines)
{
    return listFrom(lines, [](const score_line &l) { return WireValue(L{l.first, l.second}); });
}
} // namespace

EndHandScoring toEndHandScoring(const WireValue &v)
{
    EndHandScoring s;
    s.endOfGame = v.at(0).toBool();
    s.winKind = v.at(1).toInt32();
    for (const WireValue &p : v.at(2).toList()) {
        PlayerHandScore h;
        h.playerId = p.at(0).toInt32();
        h.screenName = p.at(1).toString();
        h.result = p.at(2).toInt32();
        h.pointsLines = toLines(p.at(3));
        h.doublesLines = toLines(p.at(4));
        h.limitHandLines = toLines(p.at(5));
        h.pointsTotal = p.at(6).toInt32();
        h.doublesTotal = p.at(7).toInt32();
        h.extraValue = p.at(8).toInt32();
        h.handScore = p.at(9).toInt32();
        h.settlement = p.at(10).toInt32();
        h.currentScore = p.at(11).toInt32();
        h.payment = p.at(12).toInt32();
        h.tileGroups = listOf<tile_group>(p.at(13), [](const WireValue &g) {
            return tile_group(toTiles(g.at(0)), toTile(g.at(1)));
        });
        if (!s.players.emplace(h.playerId, h).second)
            throw server_error("hand score lists player " + std::to_string(h.playerId) + " twice");
    }
    s.doraTiles = toTiles(v.at(3));
    s.uraDoraTiles = toTiles(v.at(4));
    return s;
}

WireValue fromEndHandScoring(const EndHandScoring &s)
{
    L players;
    for (const auto &[id, h] : s.players) {
        players.push_back(WireValue(L{h.playerId, h.screenName, h.result, fromLines(h.pointsLines),
                                      fromLines(h.doublesLines), fromLines(h.limitHandLines), h.pointsTotal,
                                      h.doublesTotal, h.extraValue, h.handScore, h.settlement, h.currentScore,
                                      h.payment, listFrom(h.tileGroups, [](const tile_group &g) {
                                          return WireValue(L{fromTiles(g.first), qint64(g.second)});
                                      })}));
    }
    return WireValue(L{s.endOfGame, s.winKind, WireValue(std::move(players)), fromTiles(s.doraTiles),
                       fromTiles(s.uraDoraTiles)});
}

QVariant toVariant(const WireValue &v)
{
    if (v.isNull())
        return QVariant();
    if (v.isBool())
        return QVariant(v.toBool());
    if (v.isInt()) {
        const qint64 i = v.toInt();
        if (i >= std::numeric_limits<int>::min() && i <= std::numeric_limits<int>::max())
            return QVariant(int(i));
        return QVariant(qlonglong(i));
    }
    if (v.isString())
        return QVariant(v.toString());
    if (v.isDateTime())
        return QVariant(v.toDateTime());
    QVariantList l;
    for (const WireValue &item : v.toList())
        l.append(toVariant(item));
    return l;
}

WireValue fromVariant(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType: return WireValue();
    case QMetaType::Bool: return WireValue(v.toBool());
    case QMetaType::QString: return WireValue(v.toString());
    case QMetaType::QDateTime: return WireValue(v.toDateTime());
    case QMetaType::QVariantList: {
        L l;
        for (const QVariant &item : v.toList())
            l.push_back(fromVariant(item));
        return WireValue(std::move(l));
    }
    default: return WireValue(qint64(v.toLongLong()));
    }
}

KeyedValues toKeyedValues(const WireValue &v)
{
    KeyedValues out;
    out.reserve(v.size());
    for (const WireValue &kv : v.toList())
        out.emplace_back(kv.at(0).toInt32(), toVariant(kv.at(1)));
    return out;
}

WireValue fromKeyedValues(const KeyedValues &values)
{
    L out;
    for (const auto &[key, value] : values)
        out.push_back(WireValue(L{key, fromVariant(value)}));
    return WireValue(std::move(out));
}

TableInfo toTableInfo(const WireValue &v)
{
    TableInfo info(v.at(0).toInt32(), v.at(1).toString());
    for (const auto &[key, value] : toKeyedValues(v.at(2)))
        info.setValue(key, value);
    return info;
}

WireValue fromTableInfo(const TableInfo &info)
{
    KeyedValues values;
    for (qint32 key = TableInfo::RULESET; key <= TableInfo::NAME_ID; ++key)
        values.emplace_back(key, info.value(key));
    for (const auto &[key, value] : info.extraValues())
        values.emplace_back(key, value);
    return WireValue(L{info.id(), info.lobbyPath(), fromKeyedValues(values)});
}

TableInfoUpdates toTableInfoUpdates(const WireValue &v)
{
    TableInfoUpdates updates;
    // Check every value now so that a bad update is refused on arrival, not
    // later inside a model.
    TableInfo probe;
    for (const auto &[key, value] : toKeyedValues(v)) {
        probe.setValue(key, value);
        updates.push_back(tableInfoValueUpdate(key, value));
    }
    return updates;
}

TournamentInfo toTournamentInfo(const WireValue &v)
{
    TournamentInfo info;
    info.id = v.at(0).toInt32();
    for (const auto &[key, value] : toKeyedValues(v.at(1)))
        info.setValue(key, value);
    return info;
}

WireValue fromTournamentInfo(const TournamentInfo &info)
{
    KeyedValues values;
    for (qint32 key = TournamentInfo::PERSISTENT_ID; key <= TournamentInfo::ADDITIONAL_PAYOUT_AMOUNT; ++key) {
        if (key == TournamentInfo::STATUS && info.status == TournamentInfo::Unknown)
            continue;
        values.emplace_back(key, info.value(key));
    }
    for (const auto &[key, value] : info.extraValues)
        values.emplace_back(key, value);
    return WireValue(L{info.id, fromKeyedValues(values)});
}

TournamentInfoUpdates toTournamentInfoUpdates(const WireValue &v)
{
    TournamentInfoUpdates updates;
    TournamentInfo probe;
    for (const auto &[key, value] : toKeyedValues(v)) {
        probe.setValue(key, value);
        updates.push_back(tournamentInfoValueUpdate(key, value));
    }
    return updates;
}

TournamentRankings toTournamentRankings(const WireValue &v)
{
    return listOf<TournamentRanking>(v, [](const WireValue &r) {
        TournamentRanking t;
        t.playerId = r.at(0).toInt32();
        t.name = r.at(1).toString();
        t.tablePoints = r.at(2).toInt32();
        t.competitionPoints = r.at(3).toInt32();
        t.payout = r.at(4).toInt();
        t.eliminated = r.at(5).toBool();
        return t;
    });
}

WireValue fromTournamentRankings(const TournamentRankings &rankings)
{
    return listFrom(rankings, [](const TournamentRanking &r) {
        return WireValue(L{r.playerId, r.name, r.tablePoints, r.competitionPoints, qint64(r.payout), r.eliminated});
    });
}

namespace
{
Range<int> toRange(const WireValue &v)
{
    Range<int> r(v.at(0).toInt32(), v.at(1).toInt32());
    if (r.from > r.to)
        throw server_error("range " + std::to_string(r.from) + ".." + std::to_string(r.to) + " is reversed");
    return r;
}

WireValue fromRange(const Range<int> &r)
{
    return WireValue(L{r.from, r.to});
}

// Ranges in one map must not overlap, or look-ups by {n, n} become ambiguous.
template <typename V>
void insertRange(std::map<Range<int>, V> &map, const Range<int> &r, V value)
{
    if (!map.emplace(r, std::move(value)).second)
        throw server_error("overlapping ranges " + std::to_string(r.from) + ".." + std::to_string(r.to));
}
} // namespace

tournament_prize_configuration_t toPrizeConfiguration(const WireValue &v)
{
    tournament_prize_configuration_t config;
    for (const WireValue &table : v.toList()) {
        prize_structure_t structure;
        for (const WireValue &share : table.at(1).toList()) {
            const WireValue &prize = share.at(1);
            std::any value;
            if (prize.tag() == value_tag::POT_SHARE)
                value = pot_share_t{prize.at(0).toInt32()};
            insertRange(structure, toRange(share.at(0)), std::move(value));
        }
        insertRange(config, toRange(table.at(0)), std::move(structure));
    }
    return config;
}

WireValue fromPrizeConfiguration(const tournament_prize_configuration_t &config)
{
    L tables;
    for (const auto &[players, structure] : config) {
        L shares;
        for (const auto &[positions, prize] : structure) {
            WireValue p(L{}, value_tag::EMPTY);
            if (const pot_share_t *share = std::any_cast<pot_share_t>(&prize))
                p = WireValue(L{share->share}, value_tag::POT_SHARE);
            shares.push_back(WireValue(L{fromRange(positions), p}));
        }
        tables.push_back(WireValue(L{fromRange(players), WireValue(std::move(shares))}));
    }
    return WireValue(std::move(tables));
}

ComingEvents toComingEvents(const WireValue &v)
{
    return listOf<ComingEvent>(v, [](const WireValue &e) {
        ComingEvent event;
        event.kind = e.at(0).toInt32();
        if (event.kind != 0)
            throw server_error("Unexpected coming event type");
        event.when = e.at(1).toDateTime();
        return event;
    });
}

lobby_summary_t toLobbySummary(const WireValue &v)
{
    lobby_summary_t s;
    s.playersOnline = v.at(0).toInt32();
    s.playersSeated = v.at(1).toInt32();
    s.tablesOpen = v.at(2).toInt32();
    s.tournamentsRunning = v.at(3).toInt32();
    s.topWinners = listOf<lobby_summary_t::winner_t>(v.at(4), [](const WireValue &w) {
        return lobby_summary_t::winner_t{w.at(0).toInt32(), w.at(1).toString(), w.at(2).toInt()};
    });
    return s;
}

WireValue fromLobbySummary(const lobby_summary_t &s)
{
    return WireValue(L{s.playersOnline, s.playersSeated, s.tablesOpen, s.tournamentsRunning,
                       listFrom(s.topWinners, [](const lobby_summary_t::winner_t &w) {
                           return WireValue(L{w.playerId, w.name, qint64(w.amount)});
                       })});
}
} // namespace wire
