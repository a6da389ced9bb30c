#include "protocol/Codec.h"

#include "protocol/MessageIds.h"
#include "protocol/ServerError.h"

#include <QStringDecoder>

#include <limits>
#include <sstream>
#include <stdexcept>

namespace
{
// Shared layouts. Records are named in the message table below and in
// scenario files by these names.
const char *const recordTable[][2] = {
    {"TimeSpan", "time start, time end"},
    {"meld_tuple", "i32 meldType, i32 visibility, tile firstTile, i32 claimedFrom, i8 claimedOffset"},
    {"meld_offer", "i32 meldType, tile tile"},
    {"PlayerData", "i32 id, str name, i32(0..3) wind, i32(0..64) hiddenTiles, [meld_tuple] melds, [tile] bonusTiles, "
                   "[tile] discards, i32 riichiDiscardIndex, bool ready, i32 points, i32 wins"},
    {"PrivatePlayerData", "[tile] tiles, bool active, bool furiten"},
    {"TableState", "i32 playerId, i32(0..3) prevailingWind, i32 dealerId, i32 lastDiscarder, i32 riichiSticks, "
                   "i32 counterSticks"},
    {"WallState", "i32 deadWallPosition, [tile] doraIndicators, i32 liveTiles, i32 deadWallTiles, "
                  "i32 deadWallTilesDealt"},
    {"Seating", "i32 east, i32 south, i32 west, i32 north"},
    {"round_score", "i32 playerId, i32 points, i32 wins"},
    {"MonetaryRoundScore", "i32 playerId, i32 mahjongPoints, i64 result"},
    {"TournamentRoundScore", "i32 playerId, i32 mahjongPoints, i32 result"},
    {"KeyedValue", "i32 key, var value"},
    {"TableInfo", "i32 id, str lobbyPath, [KeyedValue] values"},
    {"TournamentInfo", "i32 id, [KeyedValue] values"},
    {"TournamentRanking", "i32 playerId, str name, i32 tablePoints, i32 competitionPoints, i64 payout, "
                          "bool eliminated"},
    {"Range", "i32 from, i32 to"},
    {"PrizeShare", "Range positions, any prize"},
    {"PrizeTable", "Range players, [PrizeShare] shares"},
    {"ComingEvent", "i32 kind, time when"},
    {"ScoreLine", "str name, i32 value"},
    {"TileGroup", "[tile] tiles, tile marked"},
    {"PlayerHandScore", "i32 playerId, str name, i32 result, [ScoreLine] points, [ScoreLine] doubles, "
                        "[ScoreLine] limitHands, i32 pointsTotal, i32 doublesTotal, i32 extra, i32 handScore, "
                        "i32 settlement, i32 currentScore, i32 payment, [TileGroup] tileGroups"},
    {"EndHandScoring", "bool endOfGame, i32 winKind, [PlayerHandScore] scores, [tile] dora, [tile] uraDora"},
    {"Winner", "i32 playerId, str name, i64 amount"},
    {"LobbySummary", "i32 playersOnline, i32 playersSeated, i32 tablesOpen, i32 tournamentsRunning, "
                     "[Winner] topWinners"},
    {"NameTemplate", "i32 nameId, str nameTemplate"},
};
} // namespace

const Codec &Codec::instance()
{
    static const Codec codec;
    return codec;
}

Codec::Codec()
{
    for (const auto &r : recordTable)
        addRecord(r[0], r[1]);

    const Direction C = ToServer, S = ToClient, B = Both;
    using namespace msg;
    // Session.
    addMessage(Frame, HELLO, "hello", C, "u16 protocolVersion, str clientVersion, i32 partnerId",
               "first message of the client; the server answers hello_ok or hello_refused");
    addMessage(Frame, HELLO_OK, "hello_ok", S, "u16 protocolVersion", "the client may log in now");
    addMessage(Frame, HELLO_REFUSED, "hello_refused", S, "str reason", "the server closes the connection");
    addMessage(Frame, PING, "ping", C, "i64 stamp", "answered by pong with the same stamp");
    addMessage(Frame, PONG, "pong", S, "i64 stamp, time serverTime");
    addMessage(Frame, SERVER_PING, "server_ping", S, "i32 seq", "the client answers server_pong at once");
    addMessage(Frame, SERVER_PONG, "server_pong", C, "i32 seq");
    addMessage(Frame, LOGIN, "login", C, "str userName, str password");
    addMessage(Frame, LOGIN_OK, "login_ok", S, "i32 playerId, str name, str credentials, bool fullyRegistered");
    addMessage(Frame, LOGIN_FAILED, "login_failed", S, "i32 status",
               "2 wrong name or password, 3 not allowed, 4 server error, 5 e-mail not verified, 6 self-excluded, "
               "7 temporarily denied, 8 blacklisted");
    addMessage(Frame, LOGOUT, "logout", C, "");
    addMessage(Frame, FORCED_LOGOUT, "forced_logout", S, "");
    addMessage(Frame, SYSTEM_MESSAGE, "system_message", S, "i32 kind, i32 id, str text");
    addMessage(Frame, PLAYER_MESSAGE, "player_message", S, "str text");
    addMessage(Frame, QUERY_CLIENT_CONFIG, "query_client_config", C, "");
    addMessage(Frame, CLIENT_CONFIG, "client_config", S,
               "str xmppServer, str conferenceService, str lobbyRoom, str searchService");
    addMessage(Frame, QUERY_ACCOUNT_BALANCE, "query_account_balance", C, "");
    addMessage(Frame, ACCOUNT_BALANCE, "account_balance", S, "i64 cents");
    addMessage(Frame, QUERY_LOBBY_SUMMARY, "query_lobby_summary", C, "");
    addMessage(Frame, LOBBY_SUMMARY, "lobby_summary", S, "LobbySummary summary");
    addMessage(Frame, QUERY_WEB_PAGE, "query_web_page", C, "i32(0..13) page");
    addMessage(Frame, WEB_PAGE, "web_page", S, "i32(0..13) page, str url");
    // Lobby and tables.
    addMessage(Frame, LOBBY_SUBSCRIBE, "lobby_subscribe", C, "str lobbyPath",
               "the server sends table_info for every table of the path and its sub-paths, then updates");
    addMessage(Frame, LOBBY_UNSUBSCRIBE, "lobby_unsubscribe", C, "str lobbyPath");
    addMessage(Frame, TABLE_INFO, "table_info", S, "TableInfo info");
    addMessage(Frame, TABLE_INFO_UPDATE, "table_info_update", S, "i32 tableId, i32 seated, [KeyedValue] updates");
    addMessage(Frame, JOIN_TABLE, "join_table", C, "i32 tableId, i8 seat", "seat -1: any seat");
    addMessage(Frame, JOIN_OK, "join_ok", S, "i32 tableId");
    addMessage(Frame, JOIN_FAILED, "join_failed", S, "i32 tableId, i32(0..8) reason",
               "0 unspecified, 1 error, 2 full, 3 in play, 4 insufficient funds, 5 same address, "
               "6 no money tables, 7 not fully registered, 8 maintenance");
    addMessage(Frame, ALREADY_SEATED, "already_seated", S, "i32 tableId");
    addMessage(Frame, WATCH_TABLE, "watch_table", C, "i32 tableId");
    addMessage(Frame, WATCH_OK, "watch_ok", S, "i32 tableId");
    addMessage(Frame, WATCH_FAILED, "watch_failed", S, "i32 tableId, str reason");
    addMessage(Frame, UNWATCH_TABLE, "unwatch_table", C, "i32 tableId");
    addMessage(Frame, UNWATCH_OK, "unwatch_ok", S, "i32 tableId");
    addMessage(Frame, UNWATCH_FAILED, "unwatch_failed", S, "i32 tableId");
    addMessage(Frame, LEAVE_TABLE, "leave_table", C, "i32 tableId");
    addMessage(Frame, LEAVE_OK, "leave_ok", S, "i32 tableId");
    addMessage(Frame, LEAVE_FAILED, "leave_failed", S, "i32 tableId, str reason");
    addMessage(Frame, READY, "ready", C, "i32 tableId, i32 playerId");
    addMessage(Frame, REACTIVATE_TABLE, "reactivate_table", C, "i32 tableId");
    addMessage(Frame, NOTIFY_SEATED, "notify_seated", S, "i32 tableId, i32 playerId, i32 seat",
               "after login: the player still sits at this table");
    addMessage(Frame, NOTIFY_WATCHING, "notify_watching", S, "i32 tableId");
    addMessage(Frame, INVITE_PLAYERS, "invite_players", C, "i32 tableId, [i32] invitees");
    addMessage(Frame, NOTIFY_INVITED, "notify_invited", S, "i32 tableId, i32 inviterId, i32 kind");
    addMessage(Frame, FILTER_JOIN, "filter_join", C, "str lobbyPath");
    addMessage(Frame, CANCEL_FILTER_JOIN, "cancel_filter_join", C, "i32 seq");
    addMessage(Frame, WAITING_LIST, "waiting_list", S, "i32 seq");
    // Game events of a table.
    addMessage(Frame, GAME_DATA, "game_data", S,
               "i32 tableId, i64 handId, i32(0..7) state, [PlayerData] players, TableState tableState, "
               "WallState wallState");
    addMessage(Frame, PRIVATE_PLAYER_DATA, "private_player_data", S, "i32 tableId, PrivatePlayerData data");
    addMessage(Frame, PLAYER_JOINED, "player_joined", S, "i32 tableId, PlayerData player");
    addMessage(Frame, PLAYER_LEFT, "player_left", S, "i32 tableId, i32 playerId");
    addMessage(Frame, START_HAND, "start_hand", S,
               "i32 tableId, i64 handId, Seating seating, [round_score] scores, bool newRound, "
               "TableState tableState, WallState wallState");
    addMessage(Frame, TILES_FROM_WALL, "tiles_from_wall", S, "i32 tableId, [tile] tiles, bool fromDeadWall");
    addMessage(Frame, HIDDEN_TILES_FROM_WALL, "hidden_tiles_from_wall", S,
               "i32 tableId, i32 playerId, i32(0..64) count, bool fromDeadWall");
    addMessage(Frame, TILE_DISCARDED, "tile_discarded", S, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, RIICHI_DECLARED, "riichi_declared", S, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, TILE_CLAIMED, "tile_claimed", S, "i32 tableId, i32 playerId");
    addMessage(Frame, MELD_DECLARED, "meld_declared", S, "i32 tableId, i32 playerId, meld_tuple meld");
    addMessage(Frame, KAN_DORA, "kan_dora", S, "i32 tableId, tile tile");
    addMessage(Frame, MELD_SUGGESTION, "meld_suggestion", S, "i32 tableId, TimeSpan ts, [meld_offer] offers");
    addMessage(Frame, CONCEALED_MELD_SUGGESTION, "concealed_meld_suggestion", S,
               "i32 tableId, TimeSpan ts, [meld_offer] offers");
    addMessage(Frame, ROB_THE_KONG_SUGGESTION, "rob_the_kong_suggestion", S,
               "i32 tableId, TimeSpan ts, [meld_offer] offers");
    addMessage(Frame, REPLACEMENT_MELD_SUGGESTION, "replacement_meld_suggestion", S,
               "i32 tableId, TimeSpan ts, [meld_offer] offers");
    addMessage(Frame, PLAYER_SHOULD_ACT, "player_should_act", S, "i32 tableId, TimeSpan ts, i32 playerId");
    addMessage(Frame, WAITING_FOR, "waiting_for", S, "i32 tableId, i32(0..1) condition, TimeSpan ts, [i32] players");
    addMessage(Frame, WAITING_OVER, "waiting_over", S, "i32 tableId");
    addMessage(Frame, DECLARE_BONUS, "declare_bonus", S, "i32 tableId, i32 playerId, [tile] tiles");
    addMessage(Frame, HAND_END_NON_SCORING, "hand_end_non_scoring", S, "i32 tableId, i32 reason, bool endOfGame");
    addMessage(Frame, HAND_END_SCORING, "hand_end_scoring", S, "i32 tableId, EndHandScoring scoring");
    addMessage(Frame, END_OF_ROUND, "end_of_round", S, "i32 tableId, [MonetaryRoundScore] scores");
    addMessage(Frame, ARE_YOU_READY, "are_you_ready", S, "i32 tableId, TimeSpan ts");
    addMessage(Frame, TIMEOUT_OCCURRED, "timeout_occurred", S, "i32 tableId");
    addMessage(Frame, KICK_PLAYER, "kick_player", S, "i32 tableId, i32(0..5) reason",
               "0 kicked, 1 inactive, 2 insufficient funds, 3 moved to the watchers, 4 server error, 5 maintenance");
    addMessage(Frame, TABLE_REMOVED, "table_removed", S, "i32 tableId",
               "the table is gone: from the lobby and, if held, from the client");
    addMessage(Frame, SOMEONE_DECLARED_MAHJONG, "someone_declared_mahjong", S, "i32 tableId, i32 playerId");
    addMessage(Frame, PLAYER_IS_READY, "player_is_ready", S, "i32 tableId, i32 playerId");
    addMessage(Frame, FURITEN_CHANGED, "furiten_changed", S, "i32 tableId, bool furiten");
    addMessage(Frame, ACTIVE_CHANGED, "active_changed", S, "i32 tableId, bool active");
    addMessage(Frame, SOMEONE_DECLARED_MELD, "someone_declared_meld", S,
               "i32 tableId, i32 playerId, i32 meldType, tile tile");
    // Play requests.
    addMessage(Frame, DISCARD_TILE, "discard_tile", C, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, CALL_PASS, "call_pass", C, "i32 tableId, i32 playerId, bool autoPass");
    addMessage(Frame, CALL_CHOW, "call_chow", C, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, CALL_PONG, "call_pong", C, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, CALL_PONG_TO_KONG, "call_pong_to_kong", C, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, CALL_KONG, "call_kong", C, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, CALL_RIICHI, "call_riichi", C, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, CALL_BONUS, "call_bonus", C, "i32 tableId, i32 playerId, tile tile");
    addMessage(Frame, CALL_MAHJONG, "call_mahjong", C, "i32 tableId, i32 playerId");
    // Tournaments.
    addMessage(Frame, TOURNAMENT_ENVELOPE, "tournament_envelope", B, "i32 tournamentId, inner:tournament request",
               "requests about one tournament and their answers");
    addMessage(Frame, TOURNAMENTS_LOBBY_SUBSCRIBE, "tournaments_lobby_subscribe", C, "",
               "the server sends tournament_info for every tournament, notify_registered, then updates");
    addMessage(Frame, TOURNAMENT_INFO, "tournament_info", S, "TournamentInfo info");
    addMessage(Frame, TOURNAMENT_INFO_UPDATE, "tournament_info_update", S, "i32 tournamentId, [KeyedValue] updates");
    addMessage(Frame, TOURNAMENT_REMOVED, "tournament_removed", S, "i32 tournamentId");
    addMessage(Frame, NOTIFY_REGISTERED, "notify_registered", S, "[i32] tournamentIds");
    addMessage(Frame, TOURNAMENT_REGISTER_OK, "tournament_register_ok", S, "i32 tournamentId");
    addMessage(Frame, TOURNAMENT_REGISTER_FAILED, "tournament_register_failed", S, "i32 tournamentId, i32(0..6) reason");
    addMessage(Frame, TOURNAMENT_UNREGISTER_OK, "tournament_unregister_ok", S, "i32 tournamentId");
    addMessage(Frame, TOURNAMENT_UNREGISTER_FAILED, "tournament_unregister_failed", S,
               "i32 tournamentId, i32(0..6) reason");
    addMessage(Frame, TOURNAMENT_LEAVE_OK, "tournament_leave_ok", S, "i32 tournamentId",
               "answer to unregister_tournament once the tournament runs");
    addMessage(Frame, PLAYER_DISCARDED_FROM_TOURNAMENT, "player_discarded_from_tournament", S, "i32 tournamentId");
    addMessage(Frame, TOURNAMENT_SEATED, "tournament_seated", S, "i32 tournamentId, i32 tableId");
    addMessage(Frame, END_OF_TOURNAMENT_ROUND, "end_of_tournament_round", S,
               "i32 tournamentId, i32 tableId, bool lastRound, [TournamentRoundScore] scores");
    addMessage(Frame, TOURNAMENT_PICKED_UP, "tournament_picked_up", S, "i32 tournamentId, i32 tableId, bool keepWatching");
    addMessage(Frame, REGISTER_TOURNAMENT, "register_tournament", C, "i32 tournamentId");
    addMessage(Frame, UNREGISTER_TOURNAMENT, "unregister_tournament", C, "i32 tournamentId");
    // Services.
    addMessage(Frame, SERVICE_REQUEST, "service_request", C, "u16 service, i32 seq, inner:service request",
               "answered by service_response with the same seq");
    addMessage(Frame, SERVICE_RESPONSE, "service_response", S, "u16 service, i32 seq, inner:service response",
               "seq 0: a message the server pushes unasked");

    using namespace tmt_msg;
    addMessage(Tournament, RANKING_LIST_REQUEST, "ranking_list_request", C, "");
    addMessage(Tournament, RANKING_LIST, "ranking_list", S, "[TournamentRanking] rankings");
    addMessage(Tournament, PRIZE_CONFIGURATION_REQUEST, "prize_configuration_request", C, "");
    addMessage(Tournament, PRIZE_CONFIGURATION, "prize_configuration", S, "[PrizeTable] tables");

    using namespace svc_msg;
    addMessage(Service, SERVICE_FAILED, "service_failed", S, "str reason", "any service: the request was refused");
    addMessage(Service, QUERY_PLAYER_NAME, "query_player_name", C, "i32 playerId", "service 2, player database");
    addMessage(Service, PLAYER_NAME, "player_name", S, "i32 playerId, str name", "also pushed when a name changes");
    addMessage(Service, SET_SCREENNAME, "set_screenname", C, "str screenname", "service 2");
    addMessage(Service, SET_SCREENNAME_OK, "set_screenname_ok", S, "");
    addMessage(Service, SET_SCREENNAME_FAILED, "set_screenname_failed", S, "str reason, bool needsScreenname");
    addMessage(Service, QUERY_SCREENNAME, "query_screenname", C, "str screenname", "service 2");
    addMessage(Service, QUERY_SCREENNAME_OK, "query_screenname_ok", S, "str screenname, i32 playerId, bool active");
    addMessage(Service, QUERY_SCREENNAME_FAILED, "query_screenname_failed", S, "str reason");
    addMessage(Service, REGISTER_USER, "register_user", C, "str userName, str password, str email, str affiliateCode",
               "service 3, account");
    addMessage(Service, REGISTER_USER_OK, "register_user_ok", S, "bool active");
    addMessage(Service, REGISTER_USER_FAILED, "register_user_failed", S, "str reason");
    addMessage(Service, CHANGE_PASSWORD, "change_password", C, "str oldPassword, str newPassword", "service 3");
    addMessage(Service, CHANGE_PASSWORD_OK, "change_password_ok", S, "");
    addMessage(Service, CHANGE_PASSWORD_FAILED, "change_password_failed", S, "str reason");
    addMessage(Service, LOG_CLIENT_UUID, "log_client_uuid", C, "str machineId", "service 3");
    addMessage(Service, LOG_CLIENT_UUID_OK, "log_client_uuid_ok", S, "");
    addMessage(Service, QUERY_TABLE_NAMES, "query_table_names", C, "str language", "service 4, localization");
    addMessage(Service, TABLE_NAMES, "table_names", S, "str language, [NameTemplate] names",
               "templates by TableInfo name id; \"{tableId}\" stands for the table id");
    addMessage(Service, COMING_EVENTS_REQUEST, "coming_events_request", C, "", "service 1, server information");
    addMessage(Service, COMING_EVENTS, "coming_events", S, "[ComingEvent] events", "kind 0 (maintenance) only");

    addMessage(Value, value_tag::POT_SHARE, "pot_share", B, "i32(0..1000) share", "tenths of a percent of the pot");
}

void Codec::addRecord(const char *name, const char *layout)
{
    auto record = std::make_unique<Record>(parseRecord(name, layout));
    m_recordByName[record->name] = record.get();
    m_records.push_back(std::move(record));
}

void Codec::addMessage(Space space, quint8 id, const char *name, Direction dir, const char *layout, const char *note)
{
    if (m_index[space][id] || m_messageByName.count(name))
        throw std::logic_error(std::string("duplicate message ") + name);
    auto m = std::make_unique<Message>();
    m->space = space;
    m->id = id;
    m->name = name;
    m->direction = dir;
    m->body = parseRecord(name, layout);
    m->note = note;
    m_index[space][id] = m.get();
    m_messageByName[m->name] = m.get();
    m_messages.push_back(std::move(m));
}

static std::string trimmed(const std::string &s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

static size_t minSizeOf(const Codec::Type *t)
{
    switch (t->kind) {
    case Codec::Type::Bool:
    case Codec::Type::I8:
    case Codec::Type::U8:
    case Codec::Type::Tile:
    case Codec::Type::Var:
    case Codec::Type::Any:
    case Codec::Type::Inner:
        return 1;
    case Codec::Type::I16:
    case Codec::Type::U16:
        return 2;
    case Codec::Type::I32:
    case Codec::Type::Str:
    case Codec::Type::List:
        return 4;
    case Codec::Type::I64:
    case Codec::Type::Time:
        return 8;
    case Codec::Type::RecordRef:
        return t->record->minSize;
    }
    return 1;
}

const Codec::Type *Codec::parseType(const std::string &text)
{
    auto t = std::make_unique<Type>();
    t->text = text;
    if (text.size() > 2 && text.front() == '[' && text.back() == ']') {
        t->kind = Type::List;
        t->element = parseType(text.substr(1, text.size() - 2));
    } else if (text == "inner:tournament" || text == "inner:service") {
        t->kind = Type::Inner;
        t->space = text == "inner:tournament" ? Tournament : Service;
    } else {
        std::string base = text;
        const auto paren = text.find('(');
        if (paren != std::string::npos) {
            base = text.substr(0, paren);
            const auto dots = text.find("..", paren);
            t->ranged = true;
            t->min = std::stoll(text.substr(paren + 1, dots - paren - 1));
            t->max = std::stoll(text.substr(dots + 2, text.size() - dots - 3));
        }
        static const std::map<std::string, Type::Kind> kinds = {
            {"bool", Type::Bool}, {"i8", Type::I8},   {"u8", Type::U8},     {"i16", Type::I16}, {"u16", Type::U16},
            {"i32", Type::I32},   {"i64", Type::I64}, {"tile", Type::Tile}, {"str", Type::Str}, {"time", Type::Time},
            {"var", Type::Var},   {"any", Type::Any}};
        auto k = kinds.find(base);
        if (k != kinds.end()) {
            t->kind = k->second;
        } else {
            auto r = m_recordByName.find(base);
            if (r == m_recordByName.end())
                throw std::logic_error("unknown type in protocol table: " + text);
            t->kind = Type::RecordRef;
            t->record = r->second;
        }
    }
    m_types.push_back(std::move(t));
    return m_types.back().get();
}

Codec::Record Codec::parseRecord(const std::string &name, const std::string &layout)
{
    Record record;
    record.name = name;
    std::stringstream ss(layout);
    std::string item;
    while (std::getline(ss, item, ',')) {
        item = trimmed(item);
        if (item.empty())
            continue;
        const auto space = item.rfind(' ');
        Field f;
        f.name = item.substr(space + 1);
        f.type = parseType(trimmed(item.substr(0, space)));
        record.minSize += minSizeOf(f.type);
        record.fields.push_back(f);
    }
    return record;
}

const Codec::Message *Codec::message(Space space, quint8 id) const
{
    return m_index[space][id];
}

const Codec::Message *Codec::messageByName(const std::string &name) const
{
    auto it = m_messageByName.find(name);
    return it == m_messageByName.end() ? nullptr : it->second;
}

const Codec::Record *Codec::record(const std::string &name) const
{
    auto it = m_recordByName.find(name);
    return it == m_recordByName.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- encoding

namespace
{
constexpr qint64 noTime = std::numeric_limits<qint64>::min();

class Writer
{
public:
    explicit Writer(message_t &out) : m_out(out) {}

    template <typename T>
    void put(T v)
    {
        using U = std::make_unsigned_t<T>;
        const U u = U(v);
        for (int shift = int(sizeof(T) - 1) * 8; shift >= 0; shift -= 8)
            m_out.push_back(quint8(u >> shift));
    }

    void record(const Codec &codec, const Codec::Record &r, const WireValue::List &fields, int depth)
    {
        if (fields.size() != r.fields.size())
            throw std::invalid_argument(r.name + ": expected " + std::to_string(r.fields.size()) + " fields, got "
                                        + std::to_string(fields.size()));
        for (size_t i = 0; i < fields.size(); ++i)
            value(codec, *r.fields[i].type, fields[i], r, r.fields[i], depth);
    }

    // The record and field are for error messages only: the text naming
    // them is built when something fails, not for every field written.
    void value(const Codec &codec, const Codec::Type &t, const WireValue &v, const Codec::Record &r,
               const Codec::Field &f, int depth)
    {
        if (depth > Codec::maxDepth)
            throw std::invalid_argument(r.name + "." + f.name + ": nested too deep");
        try {
            switch (t.kind) {
            case Codec::Type::Bool: put<quint8>(v.toBool() ? 1 : 0); break;
            case Codec::Type::I8: put<qint8>(qint8(checked(t, v.toInt(), -128, 127))); break;
            case Codec::Type::U8: put<quint8>(quint8(checked(t, v.toInt(), 0, 255))); break;
            case Codec::Type::Tile: {
                const qint64 i = v.toInt();
                // tile bytes are signed in memory: -1 is the concealed tile 255
                if (!((i >= 0 && i <= 41) || i == 255 || i == -1))
                    throw std::invalid_argument("tile out of range: " + std::to_string(i));
                put<quint8>(quint8(i));
                break;
            }
            case Codec::Type::I16: put<qint16>(qint16(checked(t, v.toInt(), -32768, 32767))); break;
            case Codec::Type::U16: put<quint16>(quint16(checked(t, v.toInt(), 0, 65535))); break;
            case Codec::Type::I32:
                put<qint32>(qint32(checked(t, v.toInt(), std::numeric_limits<qint32>::min(),
                                           std::numeric_limits<qint32>::max())));
                break;
            case Codec::Type::I64:
                put<qint64>(checked(t, v.toInt(), std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()));
                break;
            case Codec::Type::Str: putString(v.toString()); break;
            case Codec::Type::Time: putTime(v.toDateTime()); break;
            case Codec::Type::List: {
                const WireValue::List &items = v.toList();
                put<quint32>(quint32(items.size()));
                for (const WireValue &item : items)
                    value(codec, *t.element, item, r, f, depth + 1);
                break;
            }
            case Codec::Type::RecordRef: record(codec, *t.record, v.toList(), depth + 1); break;
            case Codec::Type::Var: var(v); break;
            case Codec::Type::Any:
            case Codec::Type::Inner: {
                const Codec::Space space = t.kind == Codec::Type::Any ? Codec::Value : t.space;
                if (t.kind == Codec::Type::Any && (v.isNull() || v.tag() == 0)) {
                    put<quint8>(0);
                    break;
                }
                if (v.tag() < 0 || v.tag() > 255)
                    throw std::invalid_argument("inner value without a class id");
                const Codec::Message *m = codec.message(space, quint8(v.tag()));
                if (!m)
                    throw std::invalid_argument("unknown inner class " + std::to_string(v.tag()));
                put<quint8>(quint8(v.tag()));
                record(codec, m->body, v.toList(), depth + 1);
                break;
            }
            }
        } catch (const server_error &e) {
            throw std::invalid_argument(r.name + "." + f.name + ": " + e.what());
        }
    }

private:
    void putString(const QString &s)
    {
        const QByteArray utf8 = s.toUtf8();
        put<quint32>(quint32(utf8.size()));
        m_out.insert(m_out.end(), utf8.begin(), utf8.end());
    }

    void putTime(const QDateTime &t) { put<qint64>(t.isValid() ? t.toMSecsSinceEpoch() : noTime); }

    static qint64 checked(const Codec::Type &t, qint64 v, qint64 min, qint64 max)
    {
        if (t.ranged) {
            min = std::max(min, t.min);
            max = std::min(max, t.max);
        }
        if (v < min || v > max)
            throw std::invalid_argument("value " + std::to_string(v) + " out of range for " + t.text);
        return v;
    }

    void var(const WireValue &v)
    {
        if (v.isNull()) {
            put<quint8>(0);
        } else if (v.isBool()) {
            put<quint8>(1);
            put<quint8>(v.toBool());
        } else if (v.isInt()) {
            const qint64 i = v.toInt();
            if (i >= std::numeric_limits<qint32>::min() && i <= std::numeric_limits<qint32>::max()) {
                put<quint8>(2);
                put<qint32>(qint32(i));
            } else {
                put<quint8>(3);
                put<qint64>(i);
            }
        } else if (v.isString()) {
            put<quint8>(4);
            putString(v.toString());
        } else if (v.isDateTime()) {
            put<quint8>(5);
            putTime(v.toDateTime());
        } else {
            const WireValue::List &items = v.toList();
            const bool times = !items.empty() && items.front().isDateTime();
            put<quint8>(times ? 7 : 6);
            put<quint32>(quint32(items.size()));
            for (const WireValue &item : items) {
                if (times)
                    putTime(item.toDateTime());
                else
                    put<qint32>(item.toInt32());
            }
        }
    }

    message_t &m_out;
};

// ---------------------------------------------------------------- decoding

class Reader
{
public:
    Reader(const quint8 *data, size_t size) : m_p(data), m_end(data + size) {}

    size_t remaining() const { return size_t(m_end - m_p); }

    template <typename T>
    T get()
    {
        if (remaining() < sizeof(T))
            throw server_error("message ends inside a field");
        using U = std::make_unsigned_t<T>;
        U u = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            u = U((u << 8) | m_p[i]);
        m_p += sizeof(T);
        return T(u);
    }

    WireValue::List record(const Codec &codec, const Codec::Record &r, int depth)
    {
        WireValue::List fields;
        fields.reserve(r.fields.size());
        for (const Codec::Field &f : r.fields) {
            try {
                fields.push_back(value(codec, *f.type, depth));
            } catch (const server_error &e) {
                const std::string what = e.what();
                // name the innermost field only once
                if (what.find(" in ") == std::string::npos)
                    throw server_error(what + " in " + r.name + "." + f.name);
                throw;
            }
        }
        return fields;
    }

    WireValue value(const Codec &codec, const Codec::Type &t, int depth)
    {
        if (depth > Codec::maxDepth)
            throw server_error("message nested too deep");
        switch (t.kind) {
        case Codec::Type::Bool: {
            const quint8 b = get<quint8>();
            if (b > 1)
                throw server_error("flag value " + std::to_string(b) + " is neither 0 nor 1");
            return WireValue(b == 1);
        }
        case Codec::Type::I8: return ranged(t, get<qint8>());
        case Codec::Type::U8: return ranged(t, get<quint8>());
        case Codec::Type::Tile: {
            const quint8 b = get<quint8>();
            if (b > 41 && b != 255)
                throw server_error("tile value " + std::to_string(b) + " out of range");
            return WireValue(qint64(qint8(b)));
        }
        case Codec::Type::I16: return ranged(t, get<qint16>());
        case Codec::Type::U16: return ranged(t, get<quint16>());
        case Codec::Type::I32: return ranged(t, get<qint32>());
        case Codec::Type::I64: return ranged(t, get<qint64>());
        case Codec::Type::Str: return WireValue(string());
        case Codec::Type::Time: return WireValue(time());
        case Codec::Type::List: {
            const quint32 count = get<quint32>();
            const size_t least = std::max<size_t>(1, minSizeOf(t.element));
            if (count > remaining() / least)
                throw server_error("list of " + std::to_string(count) + " elements runs past the end of the message");
            WireValue::List items;
            items.reserve(count);
            for (quint32 i = 0; i < count; ++i)
                items.push_back(value(codec, *t.element, depth + 1));
            return WireValue(std::move(items));
        }
        case Codec::Type::RecordRef: return WireValue(record(codec, *t.record, depth + 1));
        case Codec::Type::Var: return var();
        case Codec::Type::Any:
        case Codec::Type::Inner: {
            const quint8 id = get<quint8>();
            if (t.kind == Codec::Type::Any && id == 0)
                return WireValue(WireValue::List(), 0);
            const Codec::Space space = t.kind == Codec::Type::Any ? Codec::Value : t.space;
            const Codec::Message *m = codec.message(space, id);
            if (!m)
                throw server_error("unknown inner class id " + std::to_string(id));
            return WireValue(record(codec, m->body, depth + 1), id);
        }
        }
        throw server_error("unknown field type");
    }

private:
    static WireValue ranged(const Codec::Type &t, qint64 v)
    {
        if (t.ranged && (v < t.min || v > t.max))
            throw server_error("value " + std::to_string(v) + " out of range " + std::to_string(t.min) + ".."
                               + std::to_string(t.max));
        return WireValue(v);
    }

    QString string()
    {
        const quint32 length = get<quint32>();
        if (length > remaining())
            throw server_error("text of " + std::to_string(length) + " bytes runs past the end of the message");
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        QString s = decoder(QByteArrayView(reinterpret_cast<const char *>(m_p), qsizetype(length)));
        if (decoder.hasError())
            throw server_error("text is not valid UTF-8");
        m_p += length;
        return s;
    }

    QDateTime time()
    {
        const qint64 ms = get<qint64>();
        if (ms == noTime)
            return QDateTime();
        // Keep to years 1..9999 so every later computation stays defined.
        constexpr qint64 limit = 253402300799999LL;
        constexpr qint64 lowest = -62135596800000LL;
        if (ms < lowest || ms > limit)
            throw server_error("date-time out of range: " + std::to_string(ms));
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    }

    WireValue var()
    {
        const quint8 tag = get<quint8>();
        switch (tag) {
        case 0: return WireValue();
        case 1: {
            const quint8 b = get<quint8>();
            if (b > 1)
                throw server_error("flag value out of range");
            return WireValue(b == 1);
        }
        case 2: return WireValue(qint64(get<qint32>()));
        case 3: return WireValue(get<qint64>());
        case 4: return WireValue(string());
        case 5: return WireValue(time());
        case 6:
        case 7: {
            const quint32 count = get<quint32>();
            const size_t least = tag == 6 ? 4 : 8;
            if (count > remaining() / least)
                throw server_error("list runs past the end of the message");
            WireValue::List items;
            items.reserve(count);
            for (quint32 i = 0; i < count; ++i)
                items.push_back(tag == 6 ? WireValue(qint64(get<qint32>())) : WireValue(time()));
            return WireValue(std::move(items));
        }
        default: throw server_error("unknown value tag " + std::to_string(tag));
        }
    }

    const quint8 *m_p;
    const quint8 *m_end;
};
} // namespace

message_t Codec::encode(quint8 classId, const WireValue::List &fields) const
{
    const Message *m = message(Frame, classId);
    if (!m)
        throw std::invalid_argument("unknown class id " + std::to_string(classId));
    message_t out{classId};
    Writer w(out);
    w.record(*this, m->body, fields, 0);
    if (out.size() > 1024 * 1024)
        throw std::invalid_argument(m->name + ": message too large");
    return out;
}

WireValue::List Codec::decode(const message_t &body) const
{
    return decode(body.data(), body.size());
}

WireValue::List Codec::decode(const quint8 *data, size_t size) const
{
    if (size == 0)
        throw server_error("empty message");
    const Message *m = message(Frame, data[0]);
    if (!m)
        throw server_error("unknown message class id " + std::to_string(data[0]));
    Reader r(data + 1, size - 1);
    WireValue::List fields = r.record(*this, m->body, 0);
    if (r.remaining() != 0)
        throw server_error(m->name + ": " + std::to_string(r.remaining()) + " unexpected bytes after the last field");
    return fields;
}

// ---------------------------------------------------------------- reference

std::string Codec::reference() const
{
    std::ostringstream out;
    auto layout = [](const Record &r) {
        std::string s;
        for (const Field &f : r.fields) {
            if (!s.empty())
                s += ", ";
            s += "`" + f.type->text + "` " + f.name;
        }
        return s.empty() ? std::string("(no fields)") : s;
    };
    static const char *const dirs[] = {"C→S", "S→C", "both"};
    static const char *const spaces[] = {"Frame classes (first body byte)",
                                         "Tournament envelope inner classes (class 104)",
                                         "Service inner classes (classes 140/141)", "Value tags of `any` fields"};
    out << "### Records\n\n| record | fields |\n|---|---|\n";
    for (const auto &r : m_records)
        out << "| " << r->name << " | " << layout(*r) << " |\n";
    for (int s = Frame; s <= Value; ++s) {
        out << "\n### " << spaces[s] << "\n\n| id | name | dir | fields | note |\n|---|---|---|---|---|\n";
        for (int id = 0; id < 256; ++id) {
            const Message *m = m_index[s][id];
            if (m)
                out << "| " << id << " | " << m->name << " | " << dirs[m->direction] << " | " << layout(m->body)
                    << " | " << m->note << " |\n";
        }
    }
    return out.str();
}
