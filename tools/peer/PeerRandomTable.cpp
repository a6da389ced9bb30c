#include "tools/peer/PeerRandomTable.h"

#include "game/RulesetInfo.h"
#include "protocol/Codec.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerServer.h"
#include "tools/peer/PeerSession.h"
#include "tools/peer/ScenarioJson.h"

#include <QJsonArray>
#include <QDateTime>
#include <QJsonDocument>

#include <algorithm>

namespace {

constexpr qint32 StandInId = 904;
constexpr int NoTile = -2;
constexpr int AnyOwnTile = -1;
// A tile of the own hand that is not a flower: the turn while flowers are
// offered for replacement.
constexpr int AnyOwnTileButFlowers = -3;
// The answers that take or give up a seat (join, watch, ready) wait this
// long: their absence is a fault, not a slow machine.
constexpr int SeatingAnswerMs = 60000;
// The random table's pings, apart from any a scenario sends.
constexpr qint32 FirstPing = 1000000;

// Events after which no answer to an earlier offer can still be meant:
// someone drew, discarded or claimed, the offer timed out, the hand ended or
// the player was moved or came back.
bool endsOffers(const char *name)
{
    static const QSet<QByteArray> enders{
        "timeout_occurred", "tiles_from_wall", "hidden_tiles_from_wall", "tile_discarded",       "riichi_declared",
        "tile_claimed",     "meld_declared",   "hand_end_scoring",       "hand_end_non_scoring", "kick_player",
        "start_hand",       "game_data",       "active_changed"};
    return enders.contains(QByteArray(name));
}

QJsonArray tilesJson(const std::vector<int> &tiles)
{
    QJsonArray a;
    for (int t : tiles)
        a.append(t);
    return a;
}

QJsonObject offerJson(int type, int t)
{
    return QJsonObject{{"meldType", type}, {"tile", t}};
}

QString describe(const std::vector<std::pair<QString, int>> &allowed)
{
    QStringList parts;
    for (const auto &[request, t] : allowed)
        parts << (t >= 0 ? QStringLiteral("%1(%2)").arg(request).arg(t) : request);
    return parts.join(QLatin1Char(','));
}

bool isFlower(int t)
{
    return t >= 34 && t <= 41;
}

QString requestOf(int meldType)
{
    switch (meldType) {
    case 1:
        return QStringLiteral("call_chow");
    case 2:
        return QStringLiteral("call_pong");
    case 4:
        return QStringLiteral("call_pong_to_kong");
    case 8:
        return QStringLiteral("call_kong");
    case 16:
        return QStringLiteral("call_mahjong");
    case 64:
        return QStringLiteral("call_bonus");
    default:
        return QStringLiteral("call_riichi");
    }
}

} // namespace

PeerRandomTable::PeerRandomTable(PeerSession *session, const PeerConfig &config, const Options &options)
    : QObject(session)
    , m_session(session)
    , m_config(config)
    , m_options(options)
    , m_rng(options.seed)
{
    m_clock.start();
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (!m_offer.open)
            return;
        m_offer.open = false;
        fence(m_offer);
        ++m_timeouts;
        PeerServer::log(QStringLiteral("SOAK_TIMEOUT %1 at=%2 hand=%3 offered=%4")
                            .arg(m_offer.what)
                            .arg(QDateTime::currentMSecsSinceEpoch())
                            .arg(m_handsPlayed + 1)
                            .arg(describe(m_offer.allowed)));
        const std::function<void()> then = m_onTimeout;
        m_onAnswer = nullptr;
        m_onTimeout = nullptr;
        if (then)
            then();
    });
}

// ------------------------------------------------------------------ helpers

void PeerRandomTable::send(const char *name, QJsonObject fields)
{
    if (!fields.contains(QStringLiteral("tableId")) && !fields.contains(QStringLiteral("tournamentId")))
        fields.insert(QStringLiteral("tableId"), m_table);
    const Codec::Message *m = Codec::instance().messageByName(name);
    m_session->send(m->id, ScenarioJson::recordToWire(m->body, fields, {}, QString::fromLatin1(name)));
    ++m_events;
    if (m_fencePending && endsOffers(name))
        sendFencePing();
}

void PeerRandomTable::sendFencePing()
{
    m_fencePending = false;
    const qint32 seq = ++m_pingSeq;
    for (Offer &closed : m_closedOffers)
        if (closed.fenceSeq == 0)
            closed.fenceSeq = seq;
    const Codec::Message *ping = Codec::instance().messageByName("server_ping");
    m_session->send(
        ping->id, ScenarioJson::recordToWire(ping->body, QJsonObject{{"seq", seq}}, {}, QStringLiteral("server_ping")));
}

void PeerRandomTable::fence(const Offer &closed)
{
    // A client that never answers pings must not grow the list.
    if (m_closedOffers.size() >= 16)
        m_closedOffers.erase(m_closedOffers.begin());
    Offer last = closed;
    if (const int own = ownSeat(); own >= 0)
        last.seen = m_seats[own];
    last.open = false;
    last.closedAt = m_clock.elapsed();
    last.fenceSeq = 0;
    m_closedOffers.push_back(std::move(last));
    m_fencePending = true;
}

int PeerRandomTable::seatedCount() const
{
    int n = 0;
    for (int i = 0; i < int(m_seats.size()); ++i) {
        // The seat of a player who left is played to the hand's end, and a
        // player moved to the watchers leaves a free seat until a stand-in
        // takes it.
        if (i == m_leaver || (m_watching && m_seats[i].id == m_ownId))
            continue;
        ++n;
    }
    return n;
}

void PeerRandomTable::announceSeats()
{
    const int seated = seatedCount();
    if (seated == m_announcedSeated || m_seats.empty())
        return;
    m_announcedSeated = seated;
    send("table_info_update", {{"seated", seated}, {"updates", QJsonArray{}}});
}

QJsonObject PeerRandomTable::ts() const
{
    return QJsonObject{{"start", "now"}, {"end", QStringLiteral("now+%1").arg(m_options.answerMs)}};
}

void PeerRandomTable::offer(const QString &what, std::vector<std::pair<QString, int>> allowed, int ms,
                            std::function<void()> onTimeout)
{
    m_offer = Offer{what, std::move(allowed), true, -1};
    m_offer.pingBefore = m_pingSeq;
    m_onTimeout = std::move(onTimeout);
    m_deadline.start(ms);
}

void PeerRandomTable::closeOffer()
{
    m_offer.open = false;
    m_deadline.stop();
    m_onTimeout = nullptr;
}

void PeerRandomTable::violation(const QString &name, const QJsonObject &fields, const QString &why)
{
    ++m_violations;
    PeerServer::log(QStringLiteral("SOAK_VIOLATION %1 %2: %3 (hand %4, offered: %5) at=%6")
                        .arg(name, QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact)), why)
                        .arg(m_handsPlayed + 1)
                        .arg(m_offer.open ? m_offer.what : QStringLiteral("nothing"))
                        .arg(QDateTime::currentMSecsSinceEpoch()));
}

int PeerRandomTable::seatOf(qint32 id) const
{
    for (int i = 0; i < int(m_seats.size()); ++i)
        if (m_seats[i].id == id)
            return i;
    return -1;
}

int PeerRandomTable::ownSeat() const
{
    return seatOf(m_ownId);
}

void PeerRandomTable::removeOne(std::vector<int> &tiles, int t)
{
    const auto it = std::find(tiles.begin(), tiles.end(), t);
    if (it != tiles.end())
        tiles.erase(it);
}

int PeerRandomTable::count(const std::vector<int> &tiles, int t)
{
    return int(std::count(tiles.begin(), tiles.end(), t));
}

// ----------------------------------------------------------------- requests

bool PeerRandomTable::takes(const QString &name, const QJsonObject &fields, qint32 ownId, const QString &ownName)
{
    if (name == QLatin1String("server_pong")) {
        const qint32 seq = fields.value(QStringLiteral("seq")).toInt();
        if (seq < FirstPing)
            return false;
        // The client has seen what ended the last offer: an answer to it
        // now was sent knowing that.
        std::erase_if(m_closedOffers,
                      [seq](const Offer &closed) { return closed.fenceSeq != 0 && seq >= closed.fenceSeq; });
        return true;
    }
    static const QStringList play{"discard_tile", "call_pass",   "call_chow",  "call_pong",   "call_pong_to_kong",
                                  "call_kong",    "call_riichi", "call_bonus", "call_mahjong"};
    const bool table = name == QLatin1String("join_table") || name == QLatin1String("watch_table")
                       || name == QLatin1String("leave_table") || name == QLatin1String("unwatch_table")
                       || name == QLatin1String("ready") || name == QLatin1String("reactivate_table");
    if (!table && !play.contains(name))
        return false;
    const qint32 tableId = fields.value(QStringLiteral("tableId")).toInt();
    if (m_table == 0 && m_options.tournamentTable == 0) {
        if (name != QLatin1String("join_table"))
            return false; // before the soak: the built-in answers
        const auto t = std::find_if(m_config.tables.begin(), m_config.tables.end(),
                                    [tableId](const TableInfo &info) { return info.id() == tableId; });
        if (t == m_config.tables.end())
            return false;
        m_ownId = ownId;
        m_ownName = ownName;
        m_ruleset = t->ruleset();
        m_seatCount = std::clamp(t->capacity(), 2, 4);
        joinFromLobby(tableId);
        return true;
    }
    if (tableId != m_table) {
        violation(name, fields, QStringLiteral("another table"));
        return true;
    }
    if (fields.contains(QStringLiteral("playerId")) && fields.value(QStringLiteral("playerId")).toInt() != m_ownId) {
        violation(name, fields, QStringLiteral("another player"));
        return true;
    }
    if (name == QLatin1String("leave_table") || name == QLatin1String("unwatch_table")) {
        // The player may always go; the soak ends there.
        PeerServer::log(QStringLiteral("SOAK_LEFT ") + name);
        send(name == QLatin1String("leave_table") ? "leave_ok" : "unwatch_ok", {});
        closeOffer();
        finish();
        return true;
    }
    if (name == QLatin1String("reactivate_table")) {
        // Offered for as long as the player stands down.
        if (!m_inactive) {
            // One that crossed the kick or the answer to an earlier one is
            // late.
            const auto crossed = std::find_if(m_closedOffers.begin(), m_closedOffers.end(), [&name](const Offer &o) {
                return !o.allowed.empty() && o.allowed.front().first == name;
            });
            if (crossed != m_closedOffers.end()) {
                ++m_late;
                PeerServer::log(QStringLiteral("SOAK_LATE %1 (the %2 offer had just closed) at=%3")
                                    .arg(name, crossed->what)
                                    .arg(QDateTime::currentMSecsSinceEpoch()));
                m_closedOffers.erase(crossed);
                return true;
            }
            violation(name, fields, QStringLiteral("the player is active"));
            return true;
        }
        m_inactive = false;
        ++m_answers[name];
        fence(Offer{QStringLiteral("reactivate"), {{QStringLiteral("reactivate_table"), NoTile}}, false, -1});
        send("active_changed", {{"active", true}});
        return true;
    }
    if (name == QLatin1String("ready") && m_tournament && !m_watching) {
        // A tournament table's washout notice offers "Next hand"; the
        // tournament starts the hand anyway. The notice stays open into the
        // next hand, and so does its button: a ready then changes nothing
        // and is counted apart.
        if (m_inHand) {
            ++m_ignoredReady;
            PeerServer::log(QStringLiteral("SOAK_IGNORED ready during hand %1").arg(m_handsPlayed + 1));
        } else {
            ++m_answers[name];
        }
        return true;
    }
    const int t = fields.contains(QStringLiteral("tile")) ? fields.value(QStringLiteral("tile")).toInt() : NoTile;
    const auto fits = [&](const Offer &o) {
        const int own = ownSeat();
        for (const auto &[request, tile] : o.allowed) {
            if (request != name)
                continue;
            if (tile == NoTile || tile == t)
                return true;
            if ((tile == AnyOwnTile || (tile == AnyOwnTileButFlowers && !isFlower(t))) && own >= 0) {
                // A closed offer is judged by the hand the client saw: the
                // tile may have gone out meanwhile, played for the player
                // at the time-out.
                const Seat &s = o.open ? m_seats[own] : o.seen;
                if (count(s.hand, t) > 0 && (s.riichiIndex < 0 || t == s.drawn))
                    return true;
            }
        }
        return false;
    };
    // An answer that fits a closed offer whose fence the client had not
    // passed when the open offer went out was sent before the client could
    // see the open one: it answers the closed offer, late.
    const auto unseen = std::find_if(m_closedOffers.rbegin(), m_closedOffers.rend(), [&](const Offer &closed) {
        return closed.fenceSeq != 0 && closed.fenceSeq <= m_offer.pingBefore && fits(closed);
    });
    if (m_offer.open && fits(m_offer) && unseen == m_closedOffers.rend()) {
        ++m_answers[name];
        closeOffer();
        const auto answer = std::move(m_onAnswer);
        m_onAnswer = nullptr;
        if (answer)
            answer(name, t);
        return true;
    }
    // An answer sent before the client saw what ended its offer crossed that
    // on the wire, however long the way took.
    for (auto closed = m_closedOffers.rbegin(); closed != m_closedOffers.rend(); ++closed) {
        if (!fits(*closed))
            continue;
        ++m_late;
        PeerServer::log(QStringLiteral("SOAK_LATE %1 (the %2 offer had just closed) at=%3")
                            .arg(name, closed->what)
                            .arg(QDateTime::currentMSecsSinceEpoch()));
        m_closedOffers.erase(std::next(closed).base()); // one answer per offer
        return true;
    }
    violation(name, fields, QStringLiteral("not offered"));
    return true;
}

// -------------------------------------------------------------- the table

void PeerRandomTable::loggedIn(qint32 ownId, const QString &ownName)
{
    const qint32 tableId = m_options.tournamentTable;
    if (tableId == 0 || m_table != 0)
        return;
    const auto t = std::find_if(m_config.tables.begin(), m_config.tables.end(),
                                [tableId](const TableInfo &info) { return info.id() == tableId; });
    if (t == m_config.tables.end() || t->gameType() != TableInfo::TOURNAMENT) {
        PeerServer::log(QStringLiteral("SOAK_MISSING a tournament table %1").arg(tableId));
        return;
    }
    m_ownId = ownId;
    m_ownName = ownName;
    m_ruleset = t->ruleset();
    m_seatCount = std::clamp(t->capacity(), 2, 4);
    m_table = tableId;
    m_tournament = true;
    m_tournamentId = t->tournamentId();
    seatForTournament();
}

void PeerRandomTable::seatForTournament()
{
    // The tournament seats the player; the client joins the table.
    send("tournament_seated", {{"tournamentId", m_tournamentId}, {"tableId", m_table}});
    m_onAnswer = [this](const QString &, int) { joinFromLobby(m_table); };
    offer(QStringLiteral("join"), {{QStringLiteral("join_table"), NoTile}}, SeatingAnswerMs, [this] {
        PeerServer::log(QStringLiteral("SOAK_MISSING join_table"));
        ++m_violations;
        finish();
    });
}

QJsonObject PeerRandomTable::playerJson(int seat, bool ready) const
{
    const Seat &s = m_seats[seat];
    QJsonArray melds;
    for (const Meld &m : s.melds)
        melds.append(QJsonObject{{"meldType", m.type},
                                 {"visibility", m.visibility},
                                 {"firstTile", m.first},
                                 {"claimedFrom", m.claimedFrom},
                                 {"claimedOffset", 0}});
    return QJsonObject{{"id", s.id},
                       {"name", s.name},
                       {"wind", windOf(seat)},
                       {"hiddenTiles", int(s.hand.size())},
                       {"melds", melds},
                       {"bonusTiles", tilesJson(s.bonus)},
                       {"discards", tilesJson(s.discards)},
                       {"riichiDiscardIndex", s.riichiIndex},
                       {"ready", ready},
                       {"points", s.points},
                       {"wins", s.wins}};
}

void PeerRandomTable::joinFromLobby(qint32 tableId)
{
    m_table = tableId;
    if (m_seats.empty()) {
        m_seats.resize(size_t(m_seatCount));
        const char *names[] = {"", "Bot South", "Bot West", "Bot North"};
        for (int i = 1; i < m_seatCount; ++i) {
            m_seats[i].id = 900 + windOf(i);
            m_seats[i].name = QString::fromLatin1(names[windOf(i)]);
        }
        m_seats[0].id = m_ownId;
        m_seats[0].name = m_ownName;
    }
    // The stand-in gives the seat back to the player.
    const int standIn = seatOf(StandInId);
    if (standIn >= 0) {
        m_seats[standIn].id = m_ownId;
        m_seats[standIn].name = m_ownName;
    }
    m_watching = false;
    m_standIn = false;
    m_inactive = false;
    send("join_ok", {});
    announceSeats();
    sendSeatedGameData(0);
    if (m_tournament)
        QTimer::singleShot(50, this, &PeerRandomTable::startHand); // no Ready at a tournament table
    else
        askReady();
}

void PeerRandomTable::sendSeatedGameData(int gameState)
{
    // The bots sit ready; the player is offered the free seat.
    QJsonArray players;
    for (int i = 0; i < m_seatCount; ++i)
        if (m_seats[i].id != m_ownId)
            players.append(playerJson(i, true));
    send("game_data", {{"handId", m_handId},
                       {"state", gameState},
                       {"players", players},
                       {"tableState", QJsonObject{{"playerId", m_ownId}, {"lastDiscarder", -1}}},
                       {"wallState", QJsonObject{{"deadWallPosition", 4},
                                                 {"liveTiles", rulesetInfo(m_ruleset).liveWall()},
                                                 {"deadWallTiles", rulesetInfo(m_ruleset).deadWall()}}}});
}

void PeerRandomTable::sendWatchGameData(bool seated)
{
    QJsonArray players;
    for (int i = 0; i < m_seatCount; ++i)
        players.append(playerJson(i, true));
    const bool discardOnTable = m_lastDiscarder >= 0 && !m_seats[m_lastDiscarder].discards.empty();
    send("game_data", {{"handId", m_handId},
                       {"state", 4},
                       {"players", players},
                       {"tableState", QJsonObject{{"playerId", seated ? m_ownId : -1},
                                                  {"lastDiscarder", discardOnTable ? m_seats[m_lastDiscarder].id : -1},
                                                  {"riichiSticks", 0}}},
                       {"wallState", QJsonObject{{"deadWallPosition", 4},
                                                 {"doraIndicators", tilesJson(m_dora)},
                                                 {"liveTiles", m_live},
                                                 {"deadWallTiles", m_dead},
                                                 {"deadWallTilesDealt", m_dealt}}}});
}

void PeerRandomTable::askReady()
{
    if (m_done)
        return;
    send("are_you_ready",
         {{"ts", QJsonObject{{"start", "now"}, {"end", QStringLiteral("now+%1").arg(SeatingAnswerMs)}}}});
    m_onAnswer = [this](const QString &, int) {
        send("player_is_ready", {{"playerId", m_ownId}});
        for (const Seat &s : m_seats)
            if (s.id != m_ownId && !m_seatedByHand.contains(s.id))
                send("player_is_ready", {{"playerId", s.id}});
        QTimer::singleShot(0, this, &PeerRandomTable::startHand);
    };
    offer(QStringLiteral("ready"), {{QStringLiteral("ready"), NoTile}}, SeatingAnswerMs, [this] {
        PeerServer::log(QStringLiteral("SOAK_MISSING ready"));
        ++m_violations;
        finish();
    });
}

// ---------------------------------------------------------------- the hand

void PeerRandomTable::startHand()
{
    if (m_done)
        return;
    ++m_handId;
    // The seats turn by one each hand: everybody plays every wind.
    if (m_handsPlayed > 0)
        std::rotate(m_seats.begin(), m_seats.begin() + 1, m_seats.end());
    for (Seat &s : m_seats) {
        s.hand.clear();
        s.melds.clear();
        s.bonus.clear();
        s.discards.clear();
        s.riichiIndex = -1;
        s.drawn = -1;
    }
    m_wall.clear();
    for (int t = 0; t < 34; ++t)
        for (int i = 0; i < 4; ++i)
            m_wall.push_back(t);
    if (m_ruleset == RULESET_CLASSIC)
        for (int t = 34; t <= 41; ++t)
            m_wall.push_back(t);
    std::shuffle(m_wall.begin(), m_wall.end(), m_rng);
    m_live = rulesetInfo(m_ruleset).liveWall();
    m_dead = rulesetInfo(m_ruleset).deadWall();
    m_dealt = 0;
    m_dora.clear();
    if (m_ruleset == RULESET_RIICHI)
        m_dora.push_back(pick(34));
    m_turns = 0;
    m_lastDiscarder = -1;
    m_furiten = false;
    m_gameOver = false;
    // A turn given for the kick draws nothing: the hand plays as it would
    // without one up to that turn.
    if (m_options.kickTurn > 0)
        m_kickAt = on("kick") && !m_tournament ? m_options.kickTurn : -1;
    else
        m_kickAt = on("kick") && !m_tournament && chance(0.12) ? 4 + pick(40) : -1;
    // Now and then a bot leaves first, so the watcher's picture of the hand
    // still lists a player who left.
    m_leaveAt = m_kickAt > 4 && on("seats") && chance(0.5) ? 3 + pick(m_kickAt - 3) : -1;
    m_inHand = true;
    m_seatedByHand.clear();
    m_turnTold = false;

    QJsonArray scores;
    for (const Seat &s : m_seats)
        scores.append(QJsonObject{{"playerId", s.id}, {"points", s.points}, {"wins", s.wins}});
    // A wind nobody plays at a smaller table is an empty seat.
    const char *winds[] = {"east", "south", "west", "north"};
    QJsonObject seating{{"east", -1}, {"south", -1}, {"west", -1}, {"north", -1}};
    for (int i = 0; i < m_seatCount; ++i)
        seating[QLatin1String(winds[windOf(i)])] = m_seats[i].id;
    send("start_hand", {{"handId", m_handId},
                        {"seating", seating},
                        {"scores", scores},
                        {"newRound", m_handsPlayed % m_seatCount == 0},
                        {"tableState", QJsonObject{{"playerId", m_ownId},
                                                   {"prevailingWind", (m_handsPlayed / m_seatCount) % 4},
                                                   {"thirdValue", m_ownId},
                                                   {"lastDiscarder", -1}}},
                        {"wallState", QJsonObject{{"deadWallPosition", 4},
                                                  {"doraIndicators", tilesJson(m_dora)},
                                                  {"liveTiles", m_live},
                                                  {"deadWallTiles", m_dead}}}});
    deal();
}

int PeerRandomTable::drawTile()
{
    const int t = m_wall.back();
    m_wall.pop_back();
    return t;
}

bool PeerRandomTable::wallEmpty() const
{
    return m_live <= 0 || m_wall.empty();
}

void PeerRandomTable::countDraw(int n, bool dead)
{
    updateWallCounts(m_ruleset, n, dead, m_live, m_dead, m_dealt);
}

void PeerRandomTable::deal()
{
    // A bot shows its flowers as soon as its own tiles are dealt, before the
    // others have theirs, or once the whole deal is out.
    const bool flowersAtOnce = chance(0.5);
    for (int seat = 0; seat < m_seatCount; ++seat) {
        Seat &s = m_seats[seat];
        for (int i = 0; i < 13; ++i)
            s.hand.push_back(drawTile());
        countDraw(13, false);
        if (seat == ownSeat()) {
            send("tiles_from_wall", {{"tiles", tilesJson(s.hand)}, {"fromDeadWall", false}});
        } else {
            send("hidden_tiles_from_wall", {{"playerId", s.id}, {"count", 13}, {"fromDeadWall", false}});
            if (flowersAtOnce)
                bonusFor(seat);
        }
    }
    const Seat &own = m_seats[ownSeat()];
    send("private_player_data",
         {{"data", QJsonObject{{"tiles", tilesJson(own.hand)}, {"active", !m_inactive}, {"furiten", false}}}});
    for (int seat = 0; seat < m_seatCount && !flowersAtOnce; ++seat)
        if (seat != ownSeat())
            bonusFor(seat);
    QTimer::singleShot(0, this, [this] { turn(0, true); });
}

void PeerRandomTable::drawFor(int seat, bool dead)
{
    Seat &s = m_seats[seat];
    const int t = drawTile();
    s.hand.push_back(t);
    s.drawn = t;
    countDraw(1, dead);
    if (seat == ownSeat())
        send("tiles_from_wall", {{"tiles", QJsonArray{t}}, {"fromDeadWall", dead}});
    else
        send("hidden_tiles_from_wall", {{"playerId", s.id}, {"count", 1}, {"fromDeadWall", dead}});
}

void PeerRandomTable::bonusFor(int seat)
{
    // A bot shows its flowers at once and draws their replacements.
    Seat &s = m_seats[seat];
    for (;;) {
        const auto flower = std::find_if(s.hand.begin(), s.hand.end(), isFlower);
        if (flower == s.hand.end() || m_wall.empty())
            return;
        const int t = *flower;
        s.hand.erase(flower);
        s.bonus.push_back(t);
        send("declare_bonus", {{"playerId", s.id}, {"tiles", QJsonArray{t}}});
        drawFor(seat, true);
    }
}

void PeerRandomTable::maybeKick()
{
    if (m_turns != m_kickAt || m_watching || ownSeat() < 0)
        return;
    // Moved to the watchers in the middle of the hand: the client asks to
    // watch, and the hand goes on meanwhile.
    kickToWatchers();
}

void PeerRandomTable::leaveDuringHand(int seat)
{
    // The server plays the seat to the end of the hand; a new player takes
    // it then.
    m_leaver = seat;
    send("player_left", {{"playerId", m_seats[seat].id}});
    announceSeats();
}

void PeerRandomTable::kickToWatchers()
{
    ++m_kicks;
    m_watching = true;
    m_turnTold = false;
    // An answer to the open question, or a Reactivate, that crossed the
    // kick on the wire is late, not unoffered.
    if (m_offer.open)
        fence(m_offer);
    if (m_inactive)
        fence(Offer{QStringLiteral("reactivate"), {{QStringLiteral("reactivate_table"), NoTile}}, false, -1});
    m_inactive = false;
    send("kick_player", {{"reason", 3}});
    announceSeats();
    m_onAnswer = [this](const QString &, int) {
        send("watch_ok", {});
        const int own = ownSeat();
        m_seats[own].id = StandInId;
        m_seats[own].name = QStringLiteral("Stand-in");
        m_standIn = true;
        if (m_inHand) {
            sendWatchGameData();
        } else {
            // Between hands: the table waits for a player.
            m_seats[own].id = m_ownId;
            m_seats[own].name = m_ownName;
            m_standIn = false;
            sendSeatedGameData(0);
        }
        announceSeats();
        if (const auto then = std::move(m_afterWatch)) {
            m_afterWatch = nullptr;
            QTimer::singleShot(0, this, then);
        }
    };
    offer(QStringLiteral("watch"), {{QStringLiteral("watch_table"), NoTile}}, SeatingAnswerMs, [this] {
        PeerServer::log(QStringLiteral("SOAK_MISSING watch_table"));
        ++m_violations;
        finish();
    });
}

void PeerRandomTable::turn(int seat, bool draw)
{
    if (m_done || !m_inHand)
        return;
    ++m_turns;
    if (m_turns == m_leaveAt && m_leaver < 0) {
        // A bot; the player's own seat, or its stand-in's, stays.
        int seat = pick(m_seatCount);
        while (m_seats[seat].id == m_ownId || m_seats[seat].id == StandInId)
            seat = (seat + 1) % m_seatCount;
        leaveDuringHand(seat);
    }
    maybeKick();
    if (m_watching && !m_standIn && seat == ownSeat()) {
        // The kicked player's seat waits until the client watches.
        --m_turns;
        m_afterWatch = [this, seat, draw] { turn(seat, draw); };
        return;
    }
    if (draw) {
        if (wallEmpty()) {
            washout();
            return;
        }
        // The player's turn may be told before its draw.
        if (seat == ownSeat() && !m_inactive && !m_watching && chance(0.25))
            tellOwnTurn();
        drawFor(seat, false);
    }
    if (seat == ownSeat() && m_inactive)
        autoPlay(seat);
    else if (seat == ownSeat())
        ownTurn();
    else
        botTurn(seat);
}

void PeerRandomTable::autoPlay(int seat)
{
    // A player who stood down: the server plays the drawn tile.
    Seat &s = m_seats[seat];
    const int t = s.drawn >= 0 && count(s.hand, s.drawn) ? s.drawn : s.hand.back();
    QTimer::singleShot(20, this, [this, seat, t] {
        if (!m_done && m_inHand)
            discard(seat, t, false);
    });
}

std::vector<std::pair<QString, int>> PeerRandomTable::ownTurnOffers()
{
    Seat &s = m_seats[ownSeat()];
    std::vector<std::pair<QString, int>> offers;
    if (on("win") && chance(0.015))
        offers.push_back({QStringLiteral("call_mahjong"), s.drawn >= 0 ? s.drawn : s.hand.back()});
    if (s.riichiIndex >= 0 || m_wall.size() < 2)
        return offers;
    std::vector<int> distinct = s.hand;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    if (on("kong"))
        for (int t : distinct)
            if (count(s.hand, t) == 4)
                offers.push_back({QStringLiteral("call_kong"), t});
    if (on("kong"))
        for (const Meld &m : s.melds)
            if (m.type == 2 && count(s.hand, m.first) > 0)
                offers.push_back({QStringLiteral("call_pong_to_kong"), m.first});
    if (on("bonus"))
        for (int t : distinct)
            if (isFlower(t))
                offers.push_back({QStringLiteral("call_bonus"), t});
    const bool open = std::any_of(s.melds.begin(), s.melds.end(), [](const Meld &m) { return m.visibility != 2; });
    if (on("riichi") && m_ruleset == RULESET_RIICHI && !open && m_live >= 4 && chance(0.3)) {
        std::shuffle(distinct.begin(), distinct.end(), m_rng);
        for (int i = 0; i < std::min<int>(3, int(distinct.size())); ++i)
            offers.push_back({QStringLiteral("call_riichi"), distinct[i]});
    }
    return offers;
}

void PeerRandomTable::tellOwnTurn()
{
    send("player_should_act", {{"ts", ts()}, {"playerId", m_ownId}});
    m_turnTold = true;
}

void PeerRandomTable::ownTurn()
{
    // Told before the draw or the claim's report: not told again.
    const bool told = m_turnTold;
    m_turnTold = false;
    const int seat = ownSeat();
    Seat &s = m_seats[seat];
    const bool flowers = std::any_of(s.hand.begin(), s.hand.end(), isFlower);
    if (flowers && on("replacement") && !m_wall.empty() && chance(0.5)) {
        // The flowers offered on a panel of their own; a pass keeps them.
        QJsonArray offers;
        std::vector<std::pair<QString, int>> allowed{{QStringLiteral("call_pass"), NoTile}};
        for (int t : s.hand)
            if (isFlower(t)) {
                offers.append(offerJson(64, t));
                allowed.push_back({QStringLiteral("call_bonus"), t});
            }
        send("replacement_meld_suggestion", {{"ts", ts()}, {"offers", offers}});
        // The turn may come before the answer: a discard of another tile
        // then passes on the flowers.
        const bool turnToo = told || chance(0.5);
        if (turnToo && !told)
            send("player_should_act", {{"ts", ts()}, {"playerId", m_ownId}});
        // A turn told before the offer may be answered before the offer is
        // seen: any tile then.
        if (turnToo)
            allowed.push_back({QStringLiteral("discard_tile"), told ? AnyOwnTile : AnyOwnTileButFlowers});
        const auto discardTurn = [this](bool tell) {
            // Without the replacement panel this time.
            if (tell)
                send("player_should_act", {{"ts", ts()}, {"playerId", m_ownId}});
            m_onAnswer = [this](const QString &name, int t) { onOwnRequest(name, t); };
            offer(QStringLiteral("turn"), {{QStringLiteral("discard_tile"), AnyOwnTile}}, m_options.answerMs,
                  [this] { timeOutTurn(); });
        };
        m_onAnswer = [this, discardTurn, turnToo](const QString &name, int t) {
            if (name != QLatin1String("call_pass")) {
                onOwnRequest(name, t);
                return;
            }
            discardTurn(!turnToo || chance(0.5));
        };
        offer(QStringLiteral("replacement"), allowed, m_options.answerMs, [this, discardTurn] {
            send("timeout_occurred", {});
            discardTurn(true);
        });
        return;
    }
    const std::vector<std::pair<QString, int>> concealed = ownTurnOffers();
    std::vector<std::pair<QString, int>> allowed = concealed;
    // Either order, in riichi or not: the turn and then what may be
    // declared, or the declarations and then the turn.
    const bool turnFirst = told || chance(0.5);
    if (turnFirst && !told)
        send("player_should_act", {{"ts", ts()}, {"playerId", m_ownId}});
    if (!concealed.empty() || (s.riichiIndex >= 0 && chance(0.5))) {
        // After riichi an empty suggestion lets the client discard the
        // drawn tile by itself.
        QJsonArray offers;
        for (const auto &[request, t] : concealed) {
            int type = 128;
            for (int m : {1, 2, 4, 8, 16, 64})
                if (requestOf(m) == request)
                    type = m;
            offers.append(offerJson(type, t));
        }
        send("concealed_meld_suggestion", {{"ts", ts()}, {"offers", offers}});
    }
    for (auto &a : allowed)
        if (a.first == QLatin1String("call_mahjong"))
            a.second = NoTile;
    allowed.push_back({QStringLiteral("discard_tile"), AnyOwnTile});
    if (!turnFirst)
        send("player_should_act", {{"ts", ts()}, {"playerId", m_ownId}});
    m_onAnswer = [this](const QString &name, int t) { onOwnRequest(name, t); };
    offer(QStringLiteral("turn"), allowed, m_options.answerMs, [this] { timeOutTurn(); });
}

void PeerRandomTable::timeOutTurn()
{
    // The server plays for the player: the drawn tile goes; now and then it
    // stands the player down until the client reactivates.
    send("timeout_occurred", {});
    if (on("inactive") && chance(0.4)) {
        m_inactive = true;
        send("active_changed", {{"active", false}});
    }
    Seat &me = m_seats[ownSeat()];
    discard(ownSeat(), me.drawn >= 0 && count(me.hand, me.drawn) ? me.drawn : me.hand.back(), false);
}

void PeerRandomTable::onOwnRequest(const QString &name, int t)
{
    const int seat = ownSeat();
    if (name == QLatin1String("discard_tile")) {
        discard(seat, t, false);
    } else if (name == QLatin1String("call_riichi")) {
        discard(seat, t, true);
    } else if (name == QLatin1String("call_mahjong")) {
        win(seat, -1);
    } else if (name == QLatin1String("call_kong")) {
        declareKong(seat, t, 8);
        QTimer::singleShot(0, this, [this] { ownTurn(); });
    } else if (name == QLatin1String("call_pong_to_kong")) {
        declareKong(seat, t, 4);
        QTimer::singleShot(0, this, [this] { ownTurn(); });
    } else if (name == QLatin1String("call_bonus")) {
        Seat &s = m_seats[seat];
        removeOne(s.hand, t);
        s.bonus.push_back(t);
        send("declare_bonus", {{"playerId", s.id}, {"tiles", QJsonArray{t}}});
        drawFor(seat, true);
        QTimer::singleShot(0, this, [this] { ownTurn(); });
    }
}

void PeerRandomTable::botTurn(int seat)
{
    Seat &s = m_seats[seat];
    if (on("resync") && ownSeat() >= 0 && !m_watching && chance(0.01)) {
        // The whole table again, as after a reconnection.
        sendWatchGameData(true);
        send("private_player_data", {{"data", QJsonObject{{"tiles", tilesJson(m_seats[ownSeat()].hand)},
                                                          {"active", !m_inactive},
                                                          {"furiten", m_furiten}}}});
        // A player who left during the hand is still in the picture; the
        // leave is not told again.
    }
    // Most turns are shown with the player's timer.
    if (chance(0.7))
        send("player_should_act", {{"ts", ts()}, {"playerId", s.id}});
    if (on("seats") && !m_tournament && m_leaver < 0 && s.id != StandInId && chance(0.004))
        leaveDuringHand(seat);
    // A bot may keep its flowers for a while, and show them while another
    // seat's discard waits for claims.
    if (m_ruleset == RULESET_CLASSIC && chance(0.7))
        bonusFor(seat);
    if (on("win") && chance(0.012)) {
        win(seat, -1);
        return;
    }
    if (s.riichiIndex < 0 && !m_wall.empty() && on("kong")) {
        for (int t : s.hand)
            if (count(s.hand, t) == 4 && chance(0.5)) {
                declareKong(seat, t, 8);
                QTimer::singleShot(0, this, [this, seat] { botTurn(seat); });
                return;
            }
        for (const Meld &m : s.melds)
            if (m.type == 2 && count(s.hand, m.first) > 0 && chance(0.5)) {
                const int t = m.first;
                send("someone_declared_meld", {{"playerId", s.id}, {"meldType", 4}, {"tile", t}});
                if (ownSeat() >= 0 && !m_watching && !m_inactive && chance(0.6)) {
                    // The player may rob the kong.
                    QJsonArray offers;
                    std::vector<std::pair<QString, int>> allowed{{QStringLiteral("call_pass"), NoTile}};
                    if (on("win") && chance(0.5)) {
                        offers.append(offerJson(16, t));
                        allowed.push_back({QStringLiteral("call_mahjong"), NoTile});
                    }
                    send("rob_the_kong_suggestion", {{"ts", ts()}, {"offers", offers}});
                    const auto letStand = [this, seat, t] {
                        declareKong(seat, t, 4);
                        QTimer::singleShot(0, this, [this, seat] { botTurn(seat); });
                    };
                    m_onAnswer = [this, seat, t, letStand](const QString &name, int) {
                        if (name == QLatin1String("call_mahjong")) {
                            // No event takes the robbed tile from the bot's
                            // concealed tiles: the hand simply ends.
                            win(ownSeat(), seat);
                        } else {
                            letStand();
                        }
                    };
                    offer(QStringLiteral("rob"), allowed, m_options.answerMs, [this, letStand] {
                        if (chance(0.5))
                            send("timeout_occurred", {});
                        letStand();
                    });
                    return;
                }
                declareKong(seat, t, 4);
                QTimer::singleShot(0, this, [this, seat] { botTurn(seat); });
                return;
            }
    }
    const bool open = std::any_of(s.melds.begin(), s.melds.end(), [](const Meld &m) { return m.visibility != 2; });
    if (s.riichiIndex >= 0) {
        discard(seat, s.drawn >= 0 && count(s.hand, s.drawn) ? s.drawn : s.hand.back(), false);
        return;
    }
    std::vector<int> plain;
    for (int h : s.hand)
        if (!isFlower(h))
            plain.push_back(h);
    const int t = s.drawn >= 0 && count(s.hand, s.drawn) && !isFlower(s.drawn) && chance(0.5)
                      ? s.drawn
                      : plain[pick(int(plain.size()))];
    const bool riichi = on("riichi") && m_ruleset == RULESET_RIICHI && !open && m_live >= 4 && chance(0.04);
    discard(seat, t, riichi);
}

void PeerRandomTable::discard(int seat, int t, bool riichi)
{
    Seat &s = m_seats[seat];
    removeOne(s.hand, t);
    s.discards.push_back(t);
    if (riichi)
        s.riichiIndex = int(s.discards.size()) - 1;
    s.drawn = -1;
    m_lastDiscarder = seat;
    send(riichi ? "riichi_declared" : "tile_discarded", {{"playerId", s.id}, {"tile", t}});
    if (seat == ownSeat() && m_ruleset == RULESET_RIICHI && on("furiten") && chance(0.15)) {
        m_furiten = !m_furiten;
        send("furiten_changed", {{"furiten", m_furiten}});
    }
    QTimer::singleShot(0, this, [this, seat, t] { afterDiscard(seat, t); });
}

std::vector<std::pair<QString, int>> PeerRandomTable::ownClaimOffers(int from, int t)
{
    const int seat = ownSeat();
    const Seat &s = m_seats[seat];
    std::vector<std::pair<QString, int>> offers;
    if (on("win") && chance(0.01))
        offers.push_back({QStringLiteral("call_mahjong"), t});
    // A riichi declaration's tile is only won on: the pond keeps it.
    const Seat &d = m_seats[from];
    if (s.riichiIndex >= 0 || isFlower(t) || d.riichiIndex == int(d.discards.size()) - 1)
        return offers;
    if (on("pong") && count(s.hand, t) >= 2)
        offers.push_back({QStringLiteral("call_pong"), t});
    if (on("kong") && count(s.hand, t) == 3 && m_wall.size() >= 2)
        offers.push_back({QStringLiteral("call_kong"), t});
    if (on("chow") && t < 27 && seat == (from + 1) % m_seatCount) {
        for (int first = t - 2; first <= t; ++first) {
            if (first < 0 || first / 9 != t / 9 || first % 9 > 6)
                continue;
            bool holds = true;
            for (int k = first; k < first + 3; ++k)
                if (k != t && count(s.hand, k) == 0)
                    holds = false;
            if (holds)
                offers.push_back({QStringLiteral("call_chow"), first});
        }
    }
    return offers;
}

void PeerRandomTable::afterDiscard(int seat, int t)
{
    if (m_done || !m_inHand)
        return;
    const int own = ownSeat();
    if (own >= 0 && own != seat && !m_watching && !m_inactive) {
        const std::vector<std::pair<QString, int>> claims = ownClaimOffers(seat, t);
        if (!claims.empty() || chance(0.1)) {
            QJsonArray offers;
            for (const auto &[request, first] : claims) {
                int type = 1;
                for (int m : {1, 2, 8, 16})
                    if (requestOf(m) == request)
                        type = m;
                offers.append(offerJson(type, first));
            }
            send("meld_suggestion", {{"ts", ts()}, {"offers", offers}});
            if (!claims.empty())
                send("waiting_for", {{"condition", 0}, {"ts", ts()}, {"players", QJsonArray{m_ownId}}});
            std::vector<std::pair<QString, int>> allowed = claims;
            for (auto &a : allowed)
                if (a.first == QLatin1String("call_mahjong"))
                    a.second = NoTile;
            allowed.push_back({QStringLiteral("call_pass"), NoTile});
            const bool waiting = !claims.empty();
            m_onAnswer = [this, seat, t, waiting](const QString &name, int first) {
                if (waiting)
                    send("waiting_over", {});
                const int own = ownSeat();
                if (name == QLatin1String("call_pass"))
                    botClaims(seat, t);
                else if (name == QLatin1String("call_mahjong"))
                    win(own, seat);
                else if (name == QLatin1String("call_chow"))
                    claim(own, seat, t, 1, first);
                else if (name == QLatin1String("call_pong"))
                    claim(own, seat, t, 2, t);
                else
                    claim(own, seat, t, 8, t);
            };
            offer(QStringLiteral("claim"), allowed, m_options.answerMs, [this, seat, t, waiting] {
                // The window ends with the next draw or claim whether or
                // not the time-out is told.
                if (chance(0.5))
                    send("timeout_occurred", {});
                if (waiting)
                    send("waiting_over", {});
                botClaims(seat, t);
            });
            // Another seat shows a kept flower meanwhile: the offer stands.
            for (int k = 1; k < m_seatCount; ++k) {
                const int b = (seat + k) % m_seatCount;
                if (b != own && on("bonus") && chance(0.5))
                    bonusFor(b);
            }
            if (on("win") && chance(0.02)) {
                // A bot wins on the discard in the same burst as the offer:
                // an answer to the offer crosses the hand's end.
                const int winner = (seat + 1 + pick(m_seatCount - 1)) % m_seatCount;
                if (winner != own) {
                    m_offer.open = false;
                    fence(m_offer);
                    closeOffer();
                    m_onAnswer = nullptr;
                    if (waiting)
                        send("waiting_over", {});
                    win(winner, seat);
                }
            }
            return;
        }
    }
    botClaims(seat, t);
}

void PeerRandomTable::botClaims(int seat, int t)
{
    if (m_done || !m_inHand)
        return;
    for (int k = 1; k < m_seatCount; ++k) {
        const int b = (seat + k) % m_seatCount;
        if (b == ownSeat())
            continue;
        Seat &s = m_seats[b];
        if (on("win") && chance(0.006)) {
            win(b, seat);
            return;
        }
        const Seat &d = m_seats[seat];
        if (s.riichiIndex >= 0 || isFlower(t) || d.riichiIndex == int(d.discards.size()) - 1)
            continue;
        if (on("kong") && count(s.hand, t) == 3 && m_wall.size() >= 2 && chance(0.4)) {
            claim(b, seat, t, 8, t);
            return;
        }
        if (on("pong") && count(s.hand, t) >= 2 && chance(0.25)) {
            claim(b, seat, t, 2, t);
            return;
        }
        if (on("chow") && k == 1 && t < 27 && chance(0.2)) {
            for (int first = t - 2; first <= t; ++first) {
                if (first < 0 || first / 9 != t / 9 || first % 9 > 6)
                    continue;
                bool holds = true;
                for (int x = first; x < first + 3; ++x)
                    if (x != t && count(s.hand, x) == 0)
                        holds = false;
                if (holds) {
                    claim(b, seat, t, 1, first);
                    return;
                }
            }
        }
    }
    QTimer::singleShot(0, this, [this, seat] { turn((seat + 1) % m_seatCount, true); });
}

void PeerRandomTable::claim(int seat, int from, int t, int type, int first)
{
    Seat &s = m_seats[seat];
    Seat &d = m_seats[from];
    if (!d.discards.empty())
        d.discards.pop_back();
    s.hand.push_back(t);
    if (type != 8 || chance(0.5))
        send("someone_declared_meld", {{"playerId", s.id}, {"meldType", type}, {"tile", t}});
    // The player's turn after its claim may come before the claim's report.
    if (seat == ownSeat() && chance(0.3))
        tellOwnTurn();
    send("tile_claimed", {{"playerId", s.id}});
    if (type == 1) {
        for (int k = first; k < first + 3; ++k)
            removeOne(s.hand, k);
    } else {
        for (int k = 0; k < (type == 8 ? 4 : 3); ++k)
            removeOne(s.hand, t);
    }
    s.melds.push_back(Meld{type, first, 0, d.id});
    s.drawn = -1;
    send("meld_declared", {{"playerId", s.id},
                           {"meld", QJsonObject{{"meldType", type},
                                                {"visibility", 0},
                                                {"firstTile", first},
                                                {"claimedFrom", -1},
                                                {"claimedOffset", 0}}}});
    if (type == 8) {
        if (m_ruleset == RULESET_RIICHI) {
            const int dora = pick(34);
            m_dora.push_back(dora);
            send("kan_dora", {{"tile", dora}});
        }
        drawFor(seat, true);
    }
    QTimer::singleShot(0, this, [this, seat] { turn(seat, false); });
}

void PeerRandomTable::declareKong(int seat, int t, int type)
{
    Seat &s = m_seats[seat];
    if (type == 8) {
        for (int k = 0; k < 4; ++k)
            removeOne(s.hand, t);
        s.melds.push_back(Meld{8, t, 2, -1});
    } else {
        removeOne(s.hand, t);
        for (Meld &m : s.melds)
            if (m.type == 2 && m.first == t) {
                m.type = 8;
                break;
            }
    }
    send("meld_declared", {{"playerId", s.id},
                           {"meld", QJsonObject{{"meldType", type},
                                                {"visibility", type == 8 ? 2 : 0},
                                                {"firstTile", t},
                                                {"claimedFrom", -1},
                                                {"claimedOffset", 0}}}});
    if (m_ruleset == RULESET_RIICHI) {
        const int dora = pick(34);
        m_dora.push_back(dora);
        send("kan_dora", {{"tile", dora}});
    }
    drawFor(seat, true);
}

void PeerRandomTable::win(int seat, int from)
{
    Seat &w = m_seats[seat];
    send("someone_declared_mahjong", {{"playerId", w.id}});
    m_gameOver = m_watching || chance(0.1);
    QJsonArray scores;
    const int pay = 1000 + 100 * pick(80);
    for (int i = 0; i < m_seatCount; ++i) {
        Seat &s = m_seats[i];
        const bool winner = i == seat;
        const int settlement = winner ? (m_seatCount - 1) * pay : -pay;
        s.points += settlement;
        if (winner)
            ++s.wins;
        QJsonArray groups;
        if (winner) {
            std::vector<int> tiles = s.hand;
            if (from >= 0 && !m_seats[from].discards.empty())
                tiles.push_back(m_seats[from].discards.back());
            std::sort(tiles.begin(), tiles.end());
            groups.append(QJsonObject{{"tiles", tilesJson(tiles)}, {"marked", 255}});
        }
        scores.append(
            QJsonObject{{"playerId", s.id},
                        {"name", s.name},
                        {"result", winner ? 1 : 0},
                        {"points", winner ? QJsonArray{QJsonObject{{"name", "Fu"}, {"value", 30}}} : QJsonArray{}},
                        {"pointsTotal", winner ? 30 : 0},
                        {"doublesTotal", winner ? 1 + pick(5) : 0},
                        {"handScore", winner ? (m_seatCount - 1) * pay : 0},
                        {"settlement", settlement},
                        {"currentScore", s.points},
                        {"tileGroups", groups}});
    }
    send("hand_end_scoring", {{"scoring", QJsonObject{{"endOfGame", m_gameOver},
                                                      {"winKind", from < 0 ? 3 : 2},
                                                      {"scores", scores},
                                                      {"dora", tilesJson(m_dora)},
                                                      {"uraDora", QJsonArray{}}}}});
    PeerServer::log(QStringLiteral("SOAK_HAND %1 won by %2 %3 %4")
                        .arg(m_handsPlayed + 1)
                        .arg(w.id)
                        .arg(from < 0 ? "self-drawn" : "on a discard", counts()));
    handEnded();
}

void PeerRandomTable::washout()
{
    m_gameOver = m_watching || chance(0.1);
    const int reasons[] = {0, 6, 7, 8, 9};
    send("hand_end_non_scoring", {{"reason", reasons[pick(5)]}, {"endOfGame", m_gameOver}});
    PeerServer::log(QStringLiteral("SOAK_HAND %1 washout %2").arg(m_handsPlayed + 1).arg(counts()));
    handEnded();
}

QString PeerRandomTable::counts() const
{
    // What the client's table must show at the hand's end: the wall and
    // the concealed tiles of every other player still at the table.
    std::map<qint32, int> hidden;
    for (int i = 0; i < int(m_seats.size()); ++i)
        if (m_seats[i].id != m_ownId && i != m_leaver)
            hidden[m_seats[i].id] = int(m_seats[i].hand.size());
    QStringList parts;
    for (const auto &[id, n] : hidden)
        parts << QStringLiteral("%1:%2").arg(id).arg(n);
    return QStringLiteral("counts=live:%1,dead:%2,%3").arg(m_live).arg(m_dead).arg(parts.join(QLatin1Char(',')));
}

void PeerRandomTable::handEnded()
{
    m_inHand = false;
    ++m_handsPlayed;
    // A watcher sees the seat of a player who left during the hand free at
    // its end, as the lobby counted it, until the newcomer's join comes.
    const bool seatFreed = m_leaver >= 0 && m_watching;
    if (m_leaver >= 0) {
        const int seat = m_leaver;
        m_leaver = -1;
        replaceSeat(seat);
    }
    if (!m_watching && on("late") && chance(0.3))
        sendLateEvents();
    if (m_handsPlayed >= m_options.hands) {
        if (seatFreed) {
            // No seat is offered after the last hand: a join that crossed
            // the newcomer on the wire is late; once the client has seen
            // the seat taken (the ping after the seat count), one is not
            // offered.
            fence(Offer{QStringLiteral("join"), {{QStringLiteral("join_table"), NoTile}}, false, -1});
            sendFencePing();
        }
        finish();
        return;
    }
    if (m_watching && !m_standIn) {
        m_afterWatch = [this] { offerSeatBack(); };
        return;
    }
    if (m_watching) {
        // The stand-in goes, and the lobby hears of the free seat; the
        // watcher may take it again.
        send("player_left", {{"playerId", StandInId}});
        if (const int seat = seatOf(StandInId); seat >= 0) {
            m_seats[seat].id = m_ownId;
            m_seats[seat].name = m_ownName;
        }
        m_standIn = false;
        announceSeats();
        offerSeatBack();
        return;
    }
    if (m_tournament) {
        if (m_handsPlayed % 3 == 0 && on("tournament")) {
            // The round ends; the next one seats the player again.
            QJsonArray scores;
            for (const Seat &s : m_seats)
                scores.append(
                    QJsonObject{{"playerId", s.id}, {"mahjongPoints", s.points}, {"result", s.points - 25000}});
            send("end_of_tournament_round",
                 {{"tournamentId", m_tournamentId}, {"tableId", m_table}, {"lastRound", false}, {"scores", scores}});
            PeerServer::log(QStringLiteral("SOAK_ROUND_END %1").arg(m_handsPlayed));
            // At once (the board still open) or after the player has read it.
            QTimer::singleShot(chance(0.5) ? 0 : 1000, this, [this] {
                if (!m_done)
                    seatForTournament();
            });
        } else {
            QTimer::singleShot(100, this, &PeerRandomTable::startHand);
        }
        return;
    }
    if (on("seats") && chance(0.15))
        changeSeats();
    if (on("watch") && chance(0.1)) {
        // Moved to the watchers between hands. The hand's end showed Ready:
        // a ready that crossed the kick is late, not unoffered.
        fence(Offer{QStringLiteral("ready"), {{QStringLiteral("ready"), NoTile}}, false, -1});
        m_afterWatch = [this] { offerSeatBack(); };
        kickToWatchers();
        return;
    }
    if (m_handsPlayed % 4 == 0) {
        QJsonArray scores;
        for (const Seat &s : m_seats)
            scores.append(QJsonObject{{"playerId", s.id}, {"mahjongPoints", s.points}, {"result", s.points - 25000}});
        send("end_of_round", {{"scores", scores}});
    }
    askReady();
}

void PeerRandomTable::changeSeats()
{
    // A bot leaves between hands and a new one takes its seat.
    int seat = pick(m_seatCount);
    if (seat == ownSeat())
        seat = (seat + 1) % m_seatCount;
    send("player_left", {{"playerId", m_seats[seat].id}});
    m_leaver = seat;
    announceSeats();
    m_leaver = -1;
    replaceSeat(seat);
}

void PeerRandomTable::replaceSeat(int seat)
{
    Seat &s = m_seats[seat];
    s.id = m_nextBotId++;
    s.name = QStringLiteral("Bot %1").arg(s.id);
    s.points = 25000;
    s.wins = 0;
    s.hand.clear();
    s.melds.clear();
    s.bonus.clear();
    s.discards.clear();
    s.riichiIndex = -1;
    send("player_joined", {{"player", playerJson(seat, false)}});
    // Now and then no ready notice: the next hand's seating seats it.
    if (chance(0.5))
        send("player_is_ready", {{"playerId", s.id}});
    else
        m_seatedByHand.insert(s.id);
    announceSeats();
}

void PeerRandomTable::offerSeatBack()
{
    {
        m_onAnswer = [this](const QString &, int) { joinFromLobby(m_table); };
        offer(QStringLiteral("join"), {{QStringLiteral("join_table"), NoTile}}, SeatingAnswerMs, [this] {
            PeerServer::log(QStringLiteral("SOAK_MISSING join_table"));
            ++m_violations;
            finish();
        });
    }
}

void PeerRandomTable::sendLateEvents()
{
    // Answers the hand no longer takes: nothing here is an offer.
    ++m_lateEvents;
    if (chance(0.5)) {
        send("meld_suggestion", {{"ts", ts()}, {"offers", QJsonArray{offerJson(2, pick(34))}}});
    } else {
        send("player_should_act", {{"ts", ts()}, {"playerId", m_ownId}});
    }
}

void PeerRandomTable::finish()
{
    if (m_done)
        return;
    m_done = true;
    m_inHand = false;
    if (m_offer.open) {
        // The question still open (the watch a kick in the last hand asked
        // for) stays open: nothing the client sees ends it, so its answer
        // may come at any time.
        m_deadline.stop();
        m_onTimeout = nullptr;
        m_onAnswer = [](const QString &, int) {};
    } else {
        closeOffer();
        // The board of the last hand still offers Ready.
        if (!m_watching && !m_tournament && !m_seats.empty()) {
            m_offer = Offer{QStringLiteral("ready"), {{QStringLiteral("ready"), NoTile}}, true, -1};
            m_onAnswer = [](const QString &, int) {};
        }
    }
    QStringList answers;
    for (const auto &[name, n] : m_answers)
        answers << QStringLiteral("%1:%2").arg(name).arg(n);
    PeerServer::log(QStringLiteral("SOAK_DONE hands=%1 events=%2 violations=%3 late=%4 timeouts=%5 kicks=%6 "
                                   "late_events=%7 ignored_ready=%9 answers=%8")
                        .arg(m_handsPlayed)
                        .arg(m_events)
                        .arg(m_violations)
                        .arg(m_late)
                        .arg(m_timeouts)
                        .arg(m_kicks)
                        .arg(m_lateEvents)
                        .arg(answers.join(QLatin1Char(',')))
                        .arg(m_ignoredReady));
}
