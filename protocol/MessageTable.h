#pragma once

#include "protocol/Codec.h"
#include "protocol/MessageIds.h"

#include <QtGlobal>

#include <cstddef>
#include <string_view>

// The one table of the wire protocol: the shared record layouts, then every
// class with its space, id, name, direction, service (service classes
// only; 0 elsewhere and for answers any service may give), field layout and
// a note for the reference. Every list is bounded by what the game allows
// (a tile list by 144, seats by 4 ...): a frame cannot make the client
// build more than the game can use. The codec is built from it at start, and
// the code that reads a message looks its fields up here while compiling
// (see MessageFields), so a reordered layout cannot shift fields silently.
// Records are named in the messages and in scenario files by these names.
namespace message_table {
struct RecordRow
{
    const char *name;
    const char *layout;
};

struct MessageRow
{
    Codec::Space space;
    quint8 id;
    const char *name;
    Codec::Direction direction;
    quint16 service;
    const char *layout;
    const char *note;
};

inline constexpr Codec::Space Frame = Codec::Frame, Tournament = Codec::Tournament, Service = Codec::Service,
                              Value = Codec::Value;
inline constexpr Codec::Direction C = Codec::ToServer, S = Codec::ToClient, B = Codec::Both;

inline constexpr RecordRow records[] = {
    {"TimeSpan", "time start, time end"},
    {"meld_tuple", "i32 meldType, i32 visibility, tile firstTile, i32 claimedFrom, i8 claimedOffset"},
    {"meld_offer", "i32 meldType, tile tile"},
    {"PlayerData",
     "i32 id, str name, i32(0..3) wind, i32(0..64) hiddenTiles, [meld_tuple](0..16) melds, "
     "[tile](0..8) bonusTiles, [tile](0..144) discards, i32 riichiDiscardIndex, bool ready, i32 points, i32 wins"},
    {"PrivatePlayerData", "[tile](0..144) tiles, bool active, bool furiten"},
    {"TableState", "i32 playerId, i32(0..3) prevailingWind, i32 thirdValue, i32 lastDiscarder, i32 riichiSticks, "
                   "i32 counterSticks"},
    {"WallState", "i32 deadWallPosition, [tile](0..144) doraIndicators, i32 liveTiles, i32 deadWallTiles, "
                  "i32 deadWallTilesDealt"},
    {"Seating", "i32 east, i32 south, i32 west, i32 north"},
    {"round_score", "i32 playerId, i32 points, i32 wins"},
    {"MonetaryRoundScore", "i32 playerId, i32 mahjongPoints, i64 result"},
    {"TournamentRoundScore", "i32 playerId, i32 mahjongPoints, i32 result"},
    {"KeyedValue", "i32 key, var value"},
    {"TableInfo", "i32 id, str lobbyPath, [KeyedValue](0..64) values"},
    {"TournamentInfo", "i32 id, [KeyedValue](0..64) values"},
    {"TournamentRanking",
     "i32 playerId, str name, i32 tablePoints, i32 competitionPoints, i64 payout, bool eliminated"},
    {"Range", "i32 from, i32 to"},
    {"PrizeShare", "Range positions, any prize"},
    {"PrizeTable", "Range players, [PrizeShare](0..1024) shares"},
    {"ComingEvent", "i32 kind, time when"},
    {"ScoreLine", "str name, i32 value"},
    {"TileGroup", "[tile](0..144) tiles, tile marked"},
    {"PlayerHandScore",
     "i32 playerId, str name, i32 result, [ScoreLine](0..64) points, [ScoreLine](0..64) doubles, "
     "[ScoreLine](0..64) limitHands, i32 pointsTotal, i32 doublesTotal, i32 extra, i32 handScore, i32 settlement, "
     "i32 currentScore, i32 payment, [TileGroup](0..16) tileGroups"},
    {"EndHandScoring",
     "bool endOfGame, i32 winKind, [PlayerHandScore](0..4) scores, [tile](0..144) dora, [tile](0..144) uraDora"},
    {"Winner", "i32 playerId, str name, i64 amount"},
    {"LobbySummary",
     "i32 playersOnline, i32 playersSeated, i32 tablesOpen, i32 tournamentsRunning, [Winner](0..100) topWinners"},
    {"NameTemplate", "i32 nameId, str nameTemplate"},
};

inline constexpr MessageRow messages[] = {
    {Frame, msg::HELLO, "hello", C, 0, "u16 protocolVersion, str clientVersion, i32 partnerId",
     "first message of the client; the server answers hello_ok or hello_refused"},
    {Frame, msg::HELLO_OK, "hello_ok", S, 0, "u16 protocolVersion", "the client may log in now"},
    {Frame, msg::HELLO_REFUSED, "hello_refused", S, 0, "str reason", "the server closes the connection"},
    {Frame, msg::PING, "ping", C, 0, "i64 stamp", "answered by pong with the same stamp"},
    {Frame, msg::PONG, "pong", S, 0, "i64 stamp, time serverTime", ""},
    {Frame, msg::SERVER_PING, "server_ping", S, 0, "i32 seq", "the client answers server_pong at once"},
    {Frame, msg::SERVER_PONG, "server_pong", C, 0, "i32 seq", ""},
    {Frame, msg::LOGIN, "login", C, 0, "str userName, str password", ""},
    {Frame, msg::LOGIN_OK, "login_ok", S, 0, "i32 playerId, str name, str credentials, bool fullyRegistered", ""},
    {Frame, msg::LOGIN_FAILED, "login_failed", S, 0, "i32 status", "status: see the login status table"},
    {Frame, msg::LOGOUT, "logout", C, 0, "", ""},
    {Frame, msg::FORCED_LOGOUT, "forced_logout", S, 0, "", ""},
    {Frame, msg::SYSTEM_MESSAGE, "system_message", S, 0, "i32 kind, i32 id, str text", ""},
    {Frame, msg::PLAYER_MESSAGE, "player_message", S, 0, "str text", ""},
    {Frame, msg::QUERY_CLIENT_CONFIG, "query_client_config", C, 0, "", ""},
    {Frame, msg::CLIENT_CONFIG, "client_config", S, 0,
     "str xmppServer, str conferenceService, str lobbyRoom, str searchService", ""},
    {Frame, msg::QUERY_ACCOUNT_BALANCE, "query_account_balance", C, 0, "", ""},
    {Frame, msg::ACCOUNT_BALANCE, "account_balance", S, 0, "i64 cents", ""},
    {Frame, msg::QUERY_LOBBY_SUMMARY, "query_lobby_summary", C, 0, "", ""},
    {Frame, msg::LOBBY_SUMMARY, "lobby_summary", S, 0, "LobbySummary summary", ""},
    {Frame, msg::QUERY_WEB_PAGE, "query_web_page", C, 0, "i32(0..13) page", ""},
    {Frame, msg::WEB_PAGE, "web_page", S, 0, "i32(0..13) page, str url", ""},
    {Frame, msg::LOBBY_SUBSCRIBE, "lobby_subscribe", C, 0, "str lobbyPath",
     "the server sends table_info for every table of the path and its sub-paths, then updates"},
    {Frame, msg::LOBBY_UNSUBSCRIBE, "lobby_unsubscribe", C, 0, "str lobbyPath", ""},
    {Frame, msg::TABLE_INFO, "table_info", S, 0, "TableInfo info", ""},
    {Frame, msg::TABLE_INFO_UPDATE, "table_info_update", S, 0, "i32 tableId, i32 seated, [KeyedValue](0..64) updates",
     ""},
    {Frame, msg::JOIN_TABLE, "join_table", C, 0, "i32 tableId, i8 seat", "seat -1: any seat"},
    {Frame, msg::JOIN_OK, "join_ok", S, 0, "i32 tableId", ""},
    {Frame, msg::JOIN_FAILED, "join_failed", S, 0, "i32 tableId, i32 reason",
     "reason: see the join failure table; any value may come"},
    {Frame, msg::ALREADY_SEATED, "already_seated", S, 0, "i32 tableId", ""},
    {Frame, msg::WATCH_TABLE, "watch_table", C, 0, "i32 tableId", ""},
    {Frame, msg::WATCH_OK, "watch_ok", S, 0, "i32 tableId", ""},
    {Frame, msg::WATCH_FAILED, "watch_failed", S, 0, "i32 tableId, str reason", ""},
    {Frame, msg::UNWATCH_TABLE, "unwatch_table", C, 0, "i32 tableId", ""},
    {Frame, msg::UNWATCH_OK, "unwatch_ok", S, 0, "i32 tableId", ""},
    {Frame, msg::UNWATCH_FAILED, "unwatch_failed", S, 0, "i32 tableId", ""},
    {Frame, msg::LEAVE_TABLE, "leave_table", C, 0, "i32 tableId", ""},
    {Frame, msg::LEAVE_OK, "leave_ok", S, 0, "i32 tableId", ""},
    {Frame, msg::LEAVE_FAILED, "leave_failed", S, 0, "i32 tableId, str reason", ""},
    {Frame, msg::READY, "ready", C, 0, "i32 tableId, i32 playerId", ""},
    {Frame, msg::REACTIVATE_TABLE, "reactivate_table", C, 0, "i32 tableId", ""},
    {Frame, msg::NOTIFY_SEATED, "notify_seated", S, 0, "i32 tableId, i32 playerId, i32 seat",
     "after login: the player still sits at this table"},
    {Frame, msg::NOTIFY_WATCHING, "notify_watching", S, 0, "i32 tableId", ""},
    {Frame, msg::INVITE_PLAYERS, "invite_players", C, 0, "i32 tableId, [i32](0..1000) invitees", ""},
    {Frame, msg::NOTIFY_INVITED, "notify_invited", S, 0, "i32 tableId, i32 inviterId, i32 kind", ""},
    {Frame, msg::FILTER_JOIN, "filter_join", C, 0, "str lobbyPath", ""},
    {Frame, msg::CANCEL_FILTER_JOIN, "cancel_filter_join", C, 0, "i32 seq", ""},
    {Frame, msg::WAITING_LIST, "waiting_list", S, 0, "i32 seq", ""},
    {Frame, msg::GAME_DATA, "game_data", S, 0,
     "i32 tableId, i64 handId, i32(0..7) state, [PlayerData](0..4) players, TableState tableState, "
     "WallState wallState",
     ""},
    {Frame, msg::PRIVATE_PLAYER_DATA, "private_player_data", S, 0, "i32 tableId, PrivatePlayerData data", ""},
    {Frame, msg::PLAYER_JOINED, "player_joined", S, 0, "i32 tableId, PlayerData player", ""},
    {Frame, msg::PLAYER_LEFT, "player_left", S, 0, "i32 tableId, i32 playerId", ""},
    {Frame, msg::START_HAND, "start_hand", S, 0,
     "i32 tableId, i64 handId, Seating seating, [round_score](0..4) scores, bool newRound, TableState tableState, "
     "WallState wallState",
     ""},
    {Frame, msg::TILES_FROM_WALL, "tiles_from_wall", S, 0, "i32 tableId, [tile](0..144) tiles, bool fromDeadWall", ""},
    {Frame, msg::HIDDEN_TILES_FROM_WALL, "hidden_tiles_from_wall", S, 0,
     "i32 tableId, i32 playerId, i32(0..64) count, bool fromDeadWall", ""},
    {Frame, msg::TILE_DISCARDED, "tile_discarded", S, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::RIICHI_DECLARED, "riichi_declared", S, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::TILE_CLAIMED, "tile_claimed", S, 0, "i32 tableId, i32 playerId", ""},
    {Frame, msg::MELD_DECLARED, "meld_declared", S, 0, "i32 tableId, i32 playerId, meld_tuple meld", ""},
    {Frame, msg::KAN_DORA, "kan_dora", S, 0, "i32 tableId, tile tile", ""},
    {Frame, msg::MELD_SUGGESTION, "meld_suggestion", S, 0, "i32 tableId, TimeSpan ts, [meld_offer](0..64) offers", ""},
    {Frame, msg::CONCEALED_MELD_SUGGESTION, "concealed_meld_suggestion", S, 0,
     "i32 tableId, TimeSpan ts, [meld_offer](0..64) offers", ""},
    {Frame, msg::ROB_THE_KONG_SUGGESTION, "rob_the_kong_suggestion", S, 0,
     "i32 tableId, TimeSpan ts, [meld_offer](0..64) offers", ""},
    {Frame, msg::REPLACEMENT_MELD_SUGGESTION, "replacement_meld_suggestion", S, 0,
     "i32 tableId, TimeSpan ts, [meld_offer](0..64) offers", ""},
    {Frame, msg::PLAYER_SHOULD_ACT, "player_should_act", S, 0, "i32 tableId, TimeSpan ts, i32 playerId", ""},
    {Frame, msg::WAITING_FOR, "waiting_for", S, 0, "i32 tableId, i32(0..1) condition, TimeSpan ts, [i32](0..4) players",
     ""},
    {Frame, msg::WAITING_OVER, "waiting_over", S, 0, "i32 tableId", ""},
    {Frame, msg::DECLARE_BONUS, "declare_bonus", S, 0, "i32 tableId, i32 playerId, [tile](0..8) tiles", ""},
    {Frame, msg::HAND_END_NON_SCORING, "hand_end_non_scoring", S, 0, "i32 tableId, i32 reason, bool endOfGame", ""},
    {Frame, msg::HAND_END_SCORING, "hand_end_scoring", S, 0, "i32 tableId, EndHandScoring scoring", ""},
    {Frame, msg::END_OF_ROUND, "end_of_round", S, 0, "i32 tableId, [MonetaryRoundScore](0..4) scores", ""},
    {Frame, msg::ARE_YOU_READY, "are_you_ready", S, 0, "i32 tableId, TimeSpan ts", ""},
    {Frame, msg::TIMEOUT_OCCURRED, "timeout_occurred", S, 0, "i32 tableId", ""},
    {Frame, msg::KICK_PLAYER, "kick_player", S, 0, "i32 tableId, i32 reason",
     "reason: see the kick table; any value may come"},
    {Frame, msg::TABLE_REMOVED, "table_removed", S, 0, "i32 tableId",
     "the table is gone: from the lobby and, if held, from the client"},
    {Frame, msg::SOMEONE_DECLARED_MAHJONG, "someone_declared_mahjong", S, 0, "i32 tableId, i32 playerId", ""},
    {Frame, msg::PLAYER_IS_READY, "player_is_ready", S, 0, "i32 tableId, i32 playerId", ""},
    {Frame, msg::FURITEN_CHANGED, "furiten_changed", S, 0, "i32 tableId, bool furiten", ""},
    {Frame, msg::ACTIVE_CHANGED, "active_changed", S, 0, "i32 tableId, bool active", ""},
    {Frame, msg::SOMEONE_DECLARED_MELD, "someone_declared_meld", S, 0,
     "i32 tableId, i32 playerId, i32 meldType, tile tile", ""},
    {Frame, msg::DISCARD_TILE, "discard_tile", C, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::CALL_PASS, "call_pass", C, 0, "i32 tableId, i32 playerId, bool autoPass", ""},
    {Frame, msg::CALL_CHOW, "call_chow", C, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::CALL_PONG, "call_pong", C, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::CALL_PONG_TO_KONG, "call_pong_to_kong", C, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::CALL_KONG, "call_kong", C, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::CALL_RIICHI, "call_riichi", C, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::CALL_BONUS, "call_bonus", C, 0, "i32 tableId, i32 playerId, tile tile", ""},
    {Frame, msg::CALL_MAHJONG, "call_mahjong", C, 0, "i32 tableId, i32 playerId", ""},
    {Frame, msg::TOURNAMENT_ENVELOPE, "tournament_envelope", B, 0, "i32 tournamentId, inner:tournament request",
     "requests about one tournament and their answers"},
    {Frame, msg::TOURNAMENTS_LOBBY_SUBSCRIBE, "tournaments_lobby_subscribe", C, 0, "",
     "the server sends tournament_info for every tournament, notify_registered, then updates"},
    {Frame, msg::TOURNAMENT_INFO, "tournament_info", S, 0, "TournamentInfo info", ""},
    {Frame, msg::TOURNAMENT_INFO_UPDATE, "tournament_info_update", S, 0,
     "i32 tournamentId, [KeyedValue](0..64) updates", ""},
    {Frame, msg::TOURNAMENT_REMOVED, "tournament_removed", S, 0, "i32 tournamentId", ""},
    {Frame, msg::NOTIFY_REGISTERED, "notify_registered", S, 0, "[i32](0..4096) tournamentIds", ""},
    {Frame, msg::TOURNAMENT_REGISTER_OK, "tournament_register_ok", S, 0, "i32 tournamentId", ""},
    {Frame, msg::TOURNAMENT_REGISTER_FAILED, "tournament_register_failed", S, 0, "i32 tournamentId, i32 reason",
     "reason: see the tournament registration failure table; any value may come"},
    {Frame, msg::TOURNAMENT_UNREGISTER_OK, "tournament_unregister_ok", S, 0, "i32 tournamentId", ""},
    {Frame, msg::TOURNAMENT_UNREGISTER_FAILED, "tournament_unregister_failed", S, 0, "i32 tournamentId, i32 reason",
     "reason: see the tournament registration failure table; any value may come"},
    {Frame, msg::TOURNAMENT_LEAVE_OK, "tournament_leave_ok", S, 0, "i32 tournamentId",
     "answer to unregister_tournament once the tournament runs"},
    {Frame, msg::PLAYER_DISCARDED_FROM_TOURNAMENT, "player_discarded_from_tournament", S, 0, "i32 tournamentId", ""},
    {Frame, msg::TOURNAMENT_SEATED, "tournament_seated", S, 0, "i32 tournamentId, i32 tableId", ""},
    {Frame, msg::END_OF_TOURNAMENT_ROUND, "end_of_tournament_round", S, 0,
     "i32 tournamentId, i32 tableId, bool lastRound, [TournamentRoundScore](0..4) scores", ""},
    {Frame, msg::TOURNAMENT_PICKED_UP, "tournament_picked_up", S, 0, "i32 tournamentId, i32 tableId, bool keepWatching",
     ""},
    {Frame, msg::REGISTER_TOURNAMENT, "register_tournament", C, 0, "i32 tournamentId", ""},
    {Frame, msg::UNREGISTER_TOURNAMENT, "unregister_tournament", C, 0, "i32 tournamentId", ""},
    {Frame, msg::SERVICE_REQUEST, "service_request", C, 0, "u16 service, i32 seq, inner:service request",
     "answered by service_response with the same seq"},
    {Frame, msg::SERVICE_RESPONSE, "service_response", S, 0, "u16 service, i32 seq, inner:service response",
     "seq 0: a message the server pushes unasked"},
    {Tournament, tmt_msg::RANKING_LIST_REQUEST, "ranking_list_request", C, 0, "", ""},
    {Tournament, tmt_msg::RANKING_LIST, "ranking_list", S, 0, "[TournamentRanking](0..65536) rankings", ""},
    {Tournament, tmt_msg::PRIZE_CONFIGURATION_REQUEST, "prize_configuration_request", C, 0, "", ""},
    {Tournament, tmt_msg::PRIZE_CONFIGURATION, "prize_configuration", S, 0, "[PrizeTable](0..256) tables", ""},
    {Service, svc_msg::SERVICE_FAILED, "service_failed", S, 0, "str reason", "any service: the request was refused"},
    {Service, svc_msg::QUERY_PLAYER_NAME, "query_player_name", C, svc::PLAYER_DATABASE, "i32 playerId", ""},
    {Service, svc_msg::PLAYER_NAME, "player_name", S, svc::PLAYER_DATABASE, "i32 playerId, str name",
     "also pushed when a name changes"},
    {Service, svc_msg::SET_SCREENNAME, "set_screenname", C, svc::PLAYER_DATABASE, "str screenname", ""},
    {Service, svc_msg::SET_SCREENNAME_OK, "set_screenname_ok", S, svc::PLAYER_DATABASE, "", ""},
    {Service, svc_msg::SET_SCREENNAME_FAILED, "set_screenname_failed", S, svc::PLAYER_DATABASE,
     "str reason, bool needsScreenname", ""},
    {Service, svc_msg::QUERY_SCREENNAME, "query_screenname", C, svc::PLAYER_DATABASE, "str screenname", ""},
    {Service, svc_msg::QUERY_SCREENNAME_OK, "query_screenname_ok", S, svc::PLAYER_DATABASE,
     "str screenname, i32 playerId, bool active", ""},
    {Service, svc_msg::QUERY_SCREENNAME_FAILED, "query_screenname_failed", S, svc::PLAYER_DATABASE, "str reason", ""},
    {Service, svc_msg::REGISTER_USER, "register_user", C, svc::ACCOUNT,
     "str userName, str password, str email, str affiliateCode", ""},
    {Service, svc_msg::REGISTER_USER_OK, "register_user_ok", S, svc::ACCOUNT, "bool active", ""},
    {Service, svc_msg::REGISTER_USER_FAILED, "register_user_failed", S, svc::ACCOUNT, "str reason", ""},
    {Service, svc_msg::CHANGE_PASSWORD, "change_password", C, svc::ACCOUNT, "str oldPassword, str newPassword", ""},
    {Service, svc_msg::CHANGE_PASSWORD_OK, "change_password_ok", S, svc::ACCOUNT, "", ""},
    {Service, svc_msg::CHANGE_PASSWORD_FAILED, "change_password_failed", S, svc::ACCOUNT, "str reason", ""},
    {Service, svc_msg::LOG_CLIENT_UUID, "log_client_uuid", C, svc::ACCOUNT, "str machineId", ""},
    {Service, svc_msg::LOG_CLIENT_UUID_OK, "log_client_uuid_ok", S, svc::ACCOUNT, "", ""},
    {Service, svc_msg::QUERY_TABLE_NAMES, "query_table_names", C, svc::LOCALIZATION, "str language", ""},
    {Service, svc_msg::TABLE_NAMES, "table_names", S, svc::LOCALIZATION, "str language, [NameTemplate](0..4096) names",
     "templates by TableInfo name id; \"{tableId}\" stands for the table id"},
    {Service, svc_msg::COMING_EVENTS_REQUEST, "coming_events_request", C, svc::SERVER_INFORMATION, "", ""},
    {Service, svc_msg::COMING_EVENTS, "coming_events", S, svc::SERVER_INFORMATION, "[ComingEvent](0..256) events",
     "kind 0 (maintenance) only"},
    {Value, value_tag::POT_SHARE, "pot_share", B, 0, "i32(0..1000) share", "tenths of a percent of the pot"},
};

// Position of a field in a layout, or npos.
constexpr size_t indexIn(std::string_view layout, std::string_view field)
{
    size_t index = 0;
    while (!layout.empty()) {
        const size_t comma = layout.find(',');
        std::string_view item = layout.substr(0, comma);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        const size_t space = item.rfind(' ');
        if (space != std::string_view::npos && item.substr(space + 1) == field)
            return index;
        ++index;
        if (comma == std::string_view::npos)
            break;
        layout.remove_prefix(comma + 1);
    }
    return std::string_view::npos;
}

constexpr size_t fieldCount(std::string_view layout)
{
    size_t count = 0;
    for (char c : layout)
        count += c == ',';
    return layout.empty() ? 0 : count + 1;
}

// Not constexpr on purpose: reaching it while compiling names the mistake.
inline size_t noSuchField()
{
    return std::string_view::npos;
}

// Position of a field in a class's layout; a name the layout lacks does not
// compile, since callers evaluate it as a constant (constexpr rather than
// consteval: clang 14 refuses consteval calls inside templates).
constexpr size_t fieldIndex(Codec::Space space, quint8 id, std::string_view field)
{
    for (const MessageRow &m : messages) {
        if (m.space == space && m.id == id) {
            const size_t i = indexIn(m.layout, field);
            return i != std::string_view::npos ? i : noSuchField();
        }
    }
    return noSuchField();
}

// The same for a shared record.
constexpr size_t recordFieldIndex(std::string_view record, std::string_view field)
{
    for (const RecordRow &r : records) {
        if (record == r.name) {
            const size_t i = indexIn(r.layout, field);
            return i != std::string_view::npos ? i : noSuchField();
        }
    }
    return noSuchField();
}
// Whether a record's fields are named, in order, as in names ("a, b, c"):
// writers that build a record in order assert it.
constexpr bool recordLayoutIs(std::string_view record, std::string_view names)
{
    size_t index = 0;
    while (!names.empty()) {
        const size_t comma = names.find(',');
        std::string_view name = names.substr(0, comma);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        if (recordFieldIndex(record, name) != index)
            return false;
        ++index;
        if (comma == std::string_view::npos)
            break;
        names.remove_prefix(comma + 1);
    }
    for (const RecordRow &r : records)
        if (record == r.name)
            return fieldCount(r.layout) == index;
    return false;
}
} // namespace message_table
