#include "protocol/WireConversions.h"

#include "protocol/Logging.h"
#include "protocol/MessageIds.h"
#include "protocol/RecordFields.h"
#include "protocol/ServerError.h"

namespace wire {
namespace {
typedef WireValue::List L;
using message_table::recordLayoutIs;

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
    const RecordFields<"TimeSpan"> r(v);
    return TimeSpan(r.value<"start">().toDateTime(), r.value<"end">().toDateTime());
}

meld_tuple toMeld(const WireValue &v)
{
    const RecordFields<"meld_tuple"> r(v);
    meld_tuple m;
    m.meldType = r.i32<"meldType">();
    m.visibility = r.i32<"visibility">();
    m.firstTile = toTile(r.value<"firstTile">());
    m.claimedFrom = r.i32<"claimedFrom">();
    m.claimedOffset = qint8(r.i64<"claimedOffset">());
    return m;
}

WireValue fromMeld(const meld_tuple &m)
{
    static_assert(recordLayoutIs("meld_tuple", "meldType, visibility, firstTile, claimedFrom, claimedOffset"));
    return WireValue(L{m.meldType, m.visibility, qint64(m.firstTile), m.claimedFrom, qint64(m.claimedOffset)});
}

meld_offer_vector toMeldOffers(const WireValue &v)
{
    return listOf<meld_offer>(v, [](const WireValue &o) {
        const RecordFields<"meld_offer"> r(o);
        return meld_offer(r.i32<"meldType">(), toTile(r.value<"tile">()));
    });
}

PlayerData toPlayerData(const WireValue &v)
{
    const RecordFields<"PlayerData"> r(v);
    PlayerData p(r.i32<"id">(), boundedName(r.text<"name">()));
    p.setWind(r.i32<"wind">());
    p.setHiddenTiles(r.i32<"hiddenTiles">());
    p.setMelds(listOf<meld_tuple>(r.value<"melds">(), toMeld));
    p.setBonusTiles(toTiles(r.value<"bonusTiles">()));
    const tile_vector discards = toTiles(r.value<"discards">());
    const qint32 riichiIndex = r.i32<"riichiDiscardIndex">();
    if (riichiIndex < -1 || riichiIndex >= qint32(discards.size()))
        throw server_error("riichi discard index " + std::to_string(riichiIndex) + " outside the discards");
    p.setDiscards(discards, riichiIndex);
    p.setReady(r.flag<"ready">());
    p.setPoints(r.i32<"points">());
    p.setWins(r.i32<"wins">());
    return p;
}

WireValue fromPlayerData(const PlayerData &p)
{
    static_assert(recordLayoutIs("PlayerData", "id, name, wind, hiddenTiles, melds, bonusTiles, discards, "
                                               "riichiDiscardIndex, ready, points, wins"));
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
    const RecordFields<"PrivatePlayerData"> r(v);
    PrivatePlayerData d;
    d.tiles = toTiles(r.value<"tiles">());
    d.active = r.flag<"active">();
    d.furiten = r.flag<"furiten">();
    return d;
}

TableState toTableState(const WireValue &v)
{
    const RecordFields<"TableState"> r(v);
    TableState s;
    s.playerId = r.i32<"playerId">();
    s.prevailingWind = r.i32<"prevailingWind">();
    s.thirdValue = r.i32<"thirdValue">();
    s.lastDiscarder = r.i32<"lastDiscarder">();
    s.riichiSticks = r.i32<"riichiSticks">();
    s.counterSticks = r.i32<"counterSticks">();
    return s;
}

WireValue fromTableState(const TableState &s)
{
    static_assert(recordLayoutIs("TableState",
                                 "playerId, prevailingWind, thirdValue, lastDiscarder, riichiSticks, counterSticks"));
    return WireValue(L{s.playerId, s.prevailingWind, s.thirdValue, s.lastDiscarder, s.riichiSticks, s.counterSticks});
}

WallState toWallState(const WireValue &v)
{
    const RecordFields<"WallState"> r(v);
    WallState s;
    s.deadWallPosition = r.i32<"deadWallPosition">();
    s.doraIndicators = toTiles(r.value<"doraIndicators">());
    s.liveTiles = r.i32<"liveTiles">();
    s.deadWallTiles = r.i32<"deadWallTiles">();
    s.deadWallTilesDealt = r.i32<"deadWallTilesDealt">();
    if (s.liveTiles < 0 || s.deadWallTiles < 0 || s.deadWallTilesDealt < 0)
        throw server_error("negative wall count");
    return s;
}

WireValue fromWallState(const WallState &s)
{
    static_assert(
        recordLayoutIs("WallState", "deadWallPosition, doraIndicators, liveTiles, deadWallTiles, deadWallTilesDealt"));
    return WireValue(
        L{s.deadWallPosition, fromTiles(s.doraIndicators), s.liveTiles, s.deadWallTiles, s.deadWallTilesDealt});
}

QString boundedText(const QString &text, qsizetype maxLength, const char *what)
{
    if (text.size() <= maxLength)
        return text;
    qsizetype kept = maxLength;
    if (text.at(kept - 1).isHighSurrogate())
        --kept;
    const QString cut = text.left(kept);
    // A long one is logged by its start.
    qCWarning(lcProtocol) << what << "of" << text.size() << "characters from the game server cut to" << kept << ":"
                          << (cut.size() > maxNameLength ? cut.left(maxNameLength) + QStringLiteral("...") : cut);
    return cut;
}

QString boundedName(const QString &name)
{
    return boundedText(name, maxNameLength, "name");
}

QString boundedMessage(const QString &text)
{
    return boundedText(text, maxMessageLength, "message");
}

QString boundedLobbyPath(const QString &path)
{
    return boundedText(path, maxLobbyPathLength, "lobby path");
}

Seating toSeating(const WireValue &v)
{
    // The seats in wind order, as Seating keeps them.
    static_assert(recordLayoutIs("Seating", "east, south, west, north"));
    Seating s;
    for (size_t i = 0; i < 4; ++i)
        s.players[i] = v.at(i).toInt32();
    return s;
}

round_score_vector toRoundScores(const WireValue &v)
{
    return listOf<round_score_t>(v, [](const WireValue &r) {
        const RecordFields<"round_score"> f(r);
        return round_score_t{f.i32<"playerId">(), f.i32<"points">(), f.i32<"wins">()};
    });
}

MonetaryRoundScores toMonetaryRoundScores(const WireValue &v)
{
    return listOf<MonetaryRoundScore>(v, [](const WireValue &r) {
        const RecordFields<"MonetaryRoundScore"> f(r);
        return MonetaryRoundScore{f.i32<"playerId">(), f.i32<"mahjongPoints">(), f.i64<"result">()};
    });
}

TournamentRoundScores toTournamentRoundScores(const WireValue &v)
{
    return listOf<TournamentRoundScore>(v, [](const WireValue &r) {
        const RecordFields<"TournamentRoundScore"> f(r);
        return TournamentRoundScore{f.i32<"playerId">(), f.i32<"mahjongPoints">(), f.i32<"result">()};
    });
}

namespace {
score_lines toLines(const WireValue &v)
{
    return listOf<score_line>(v, [](const WireValue &l) {
        const RecordFields<"ScoreLine"> r(l);
        return score_line(boundedText(r.text<"name">(), maxNameLength, "score line name"), r.i32<"value">());
    });
}

WireValue fromLines(const score_lines &lines)
{
    static_assert(recordLayoutIs("ScoreLine", "name, value"));
    return listFrom(lines, [](const score_line &l) { return WireValue(L{l.first, l.second}); });
}
} // namespace

EndHandScoring toEndHandScoring(const WireValue &v)
{
    const RecordFields<"EndHandScoring"> r(v);
    EndHandScoring s;
    s.endOfGame = r.flag<"endOfGame">();
    s.winKind = r.i32<"winKind">();
    for (const WireValue &score : r.value<"scores">().toList()) {
        const RecordFields<"PlayerHandScore"> p(score);
        PlayerHandScore h;
        h.playerId = p.i32<"playerId">();
        h.screenName = boundedName(p.text<"name">());
        h.result = p.i32<"result">();
        h.pointsLines = toLines(p.value<"points">());
        h.doublesLines = toLines(p.value<"doubles">());
        h.limitHandLines = toLines(p.value<"limitHands">());
        h.pointsTotal = p.i32<"pointsTotal">();
        h.doublesTotal = p.i32<"doublesTotal">();
        h.extraValue = p.i32<"extra">();
        h.handScore = p.i32<"handScore">();
        h.settlement = p.i32<"settlement">();
        h.currentScore = p.i32<"currentScore">();
        h.payment = p.i32<"payment">();
        h.tileGroups = listOf<tile_group>(p.value<"tileGroups">(), [](const WireValue &g) {
            const RecordFields<"TileGroup"> group(g);
            return tile_group(toTiles(group.value<"tiles">()), toTile(group.value<"marked">()));
        });
        if (!s.players.emplace(h.playerId, h).second)
            throw server_error("hand score lists player " + std::to_string(h.playerId) + " twice");
    }
    s.doraTiles = toTiles(r.value<"dora">());
    s.uraDoraTiles = toTiles(r.value<"uraDora">());
    return s;
}

WireValue fromEndHandScoring(const EndHandScoring &s)
{
    static_assert(recordLayoutIs("EndHandScoring", "endOfGame, winKind, scores, dora, uraDora"));
    static_assert(recordLayoutIs("PlayerHandScore", "playerId, name, result, points, doubles, limitHands, "
                                                    "pointsTotal, doublesTotal, extra, handScore, settlement, "
                                                    "currentScore, payment, tileGroups"));
    static_assert(recordLayoutIs("TileGroup", "tiles, marked"));
    L players;
    for (const auto &[id, h] : s.players) {
        players.push_back(
            WireValue(L{h.playerId, h.screenName, h.result, fromLines(h.pointsLines), fromLines(h.doublesLines),
                        fromLines(h.limitHandLines), h.pointsTotal, h.doublesTotal, h.extraValue, h.handScore,
                        h.settlement, h.currentScore, h.payment, listFrom(h.tileGroups, [](const tile_group &g) {
                            return WireValue(L{fromTiles(g.first), qint64(g.second)});
                        })}));
    }
    return WireValue(
        L{s.endOfGame, s.winKind, WireValue(std::move(players)), fromTiles(s.doraTiles), fromTiles(s.uraDoraTiles)});
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
    case QMetaType::UnknownType:
        return WireValue();
    case QMetaType::Bool:
        return WireValue(v.toBool());
    case QMetaType::QString:
        return WireValue(v.toString());
    case QMetaType::QDateTime:
        return WireValue(v.toDateTime());
    case QMetaType::QVariantList: {
        L l;
        for (const QVariant &item : v.toList())
            l.push_back(fromVariant(item));
        return WireValue(std::move(l));
    }
    default:
        return WireValue(qint64(v.toLongLong()));
    }
}

KeyedValues toKeyedValues(const WireValue &v)
{
    KeyedValues out;
    out.reserve(v.size());
    for (const WireValue &kv : v.toList()) {
        const RecordFields<"KeyedValue"> r(kv);
        out.emplace_back(r.i32<"key">(), toVariant(r.value<"value">()));
    }
    return out;
}

WireValue fromKeyedValues(const KeyedValues &values)
{
    static_assert(recordLayoutIs("KeyedValue", "key, value"));
    L out;
    for (const auto &[key, value] : values)
        out.push_back(WireValue(L{key, fromVariant(value)}));
    return WireValue(std::move(out));
}

namespace {
QVariant boundedTableValue(qint32 key, const QVariant &value)
{
    if (key == TableInfo::LOBBY_PATH && value.metaType().id() == QMetaType::QString)
        return boundedLobbyPath(value.toString());
    return value;
}
} // namespace

TableInfo toTableInfo(const WireValue &v)
{
    const RecordFields<"TableInfo"> r(v);
    TableInfo info(r.i32<"id">(), boundedLobbyPath(r.text<"lobbyPath">()));
    for (const auto &[key, value] : toKeyedValues(r.value<"values">()))
        info.setValue(key, boundedTableValue(key, value));
    return info;
}

WireValue fromTableInfo(const TableInfo &info)
{
    static_assert(recordLayoutIs("TableInfo", "id, lobbyPath, values"));
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
    for (const auto &[key, received] : toKeyedValues(v)) {
        const QVariant value = boundedTableValue(key, received);
        probe.setValue(key, value);
        updates.push_back(tableInfoValueUpdate(key, value));
    }
    return updates;
}

namespace {
// The tournament's name is shown on its tables and in every list of it.
QVariant boundedTournamentValue(qint32 key, const QVariant &value)
{
    if (key == TournamentInfo::NAME && value.metaType().id() == QMetaType::QString)
        return boundedName(value.toString());
    return value;
}
} // namespace

TournamentInfo toTournamentInfo(const WireValue &v)
{
    const RecordFields<"TournamentInfo"> r(v);
    TournamentInfo info;
    info.id = r.i32<"id">();
    for (const auto &[key, value] : toKeyedValues(r.value<"values">()))
        info.setValue(key, boundedTournamentValue(key, value));
    return info;
}

WireValue fromTournamentInfo(const TournamentInfo &info)
{
    static_assert(recordLayoutIs("TournamentInfo", "id, values"));
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
    for (const auto &[key, received] : toKeyedValues(v)) {
        const QVariant value = boundedTournamentValue(key, received);
        probe.setValue(key, value);
        updates.push_back(tournamentInfoValueUpdate(key, value));
    }
    return updates;
}

TournamentRankings toTournamentRankings(const WireValue &v)
{
    return listOf<TournamentRanking>(v, [](const WireValue &ranking) {
        const RecordFields<"TournamentRanking"> r(ranking);
        TournamentRanking t;
        t.playerId = r.i32<"playerId">();
        t.name = boundedName(r.text<"name">());
        t.tablePoints = r.i32<"tablePoints">();
        t.competitionPoints = r.i32<"competitionPoints">();
        t.payout = r.i64<"payout">();
        t.eliminated = r.flag<"eliminated">();
        return t;
    });
}

WireValue fromTournamentRankings(const TournamentRankings &rankings)
{
    static_assert(
        recordLayoutIs("TournamentRanking", "playerId, name, tablePoints, competitionPoints, payout, eliminated"));
    return listFrom(rankings, [](const TournamentRanking &r) {
        return WireValue(L{r.playerId, r.name, r.tablePoints, r.competitionPoints, qint64(r.payout), r.eliminated});
    });
}

namespace {
Range<int> toRange(const WireValue &v)
{
    const RecordFields<"Range"> f(v);
    Range<int> r(f.i32<"from">(), f.i32<"to">());
    if (r.from > r.to)
        throw server_error("range " + std::to_string(r.from) + ".." + std::to_string(r.to) + " is reversed");
    return r;
}

WireValue fromRange(const Range<int> &r)
{
    static_assert(recordLayoutIs("Range", "from, to"));
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
    constexpr size_t potShare = message_table::fieldIndex(Codec::Value, value_tag::POT_SHARE, "share");
    for (const WireValue &t : v.toList()) {
        const RecordFields<"PrizeTable"> table(t);
        prize_structure_t structure;
        for (const WireValue &s : table.value<"shares">().toList()) {
            const RecordFields<"PrizeShare"> share(s);
            const WireValue &prize = share.value<"prize">();
            std::any value;
            if (prize.tag() == value_tag::POT_SHARE)
                value = pot_share_t{prize.at(potShare).toInt32()};
            insertRange(structure, toRange(share.value<"positions">()), std::move(value));
        }
        insertRange(config, toRange(table.value<"players">()), std::move(structure));
    }
    return config;
}

WireValue fromPrizeConfiguration(const tournament_prize_configuration_t &config)
{
    static_assert(recordLayoutIs("PrizeTable", "players, shares"));
    static_assert(recordLayoutIs("PrizeShare", "positions, prize"));
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
        const RecordFields<"ComingEvent"> r(e);
        ComingEvent event;
        event.kind = r.i32<"kind">();
        if (event.kind != 0)
            throw server_error("Unexpected coming event type");
        event.when = r.value<"when">().toDateTime();
        return event;
    });
}

lobby_summary_t toLobbySummary(const WireValue &v)
{
    const RecordFields<"LobbySummary"> r(v);
    lobby_summary_t s;
    s.playersOnline = r.i32<"playersOnline">();
    s.playersSeated = r.i32<"playersSeated">();
    s.tablesOpen = r.i32<"tablesOpen">();
    s.tournamentsRunning = r.i32<"tournamentsRunning">();
    s.topWinners = listOf<lobby_summary_t::winner_t>(r.value<"topWinners">(), [](const WireValue &w) {
        const RecordFields<"Winner"> winner(w);
        return lobby_summary_t::winner_t{winner.i32<"playerId">(), boundedName(winner.text<"name">()),
                                         winner.i64<"amount">()};
    });
    return s;
}

WireValue fromLobbySummary(const lobby_summary_t &s)
{
    static_assert(
        recordLayoutIs("LobbySummary", "playersOnline, playersSeated, tablesOpen, tournamentsRunning, topWinners"));
    static_assert(recordLayoutIs("Winner", "playerId, name, amount"));
    return WireValue(L{s.playersOnline, s.playersSeated, s.tablesOpen, s.tournamentsRunning,
                       listFrom(s.topWinners, [](const lobby_summary_t::winner_t &w) {
                           return WireValue(L{w.playerId, w.name, qint64(w.amount)});
                       })});
}
} // namespace wire
