// ConnectionManager: from each decoded server message to its signal.
#include "protocol/ConnectionManager.h"

#include "protocol/Codec.h"
#include "protocol/ConnectionManagerPrivate.h"
#include "protocol/Logging.h"
#include "protocol/MessageFields.h"
#include "protocol/MessageIds.h"
#include "protocol/ServerError.h"
#include "protocol/WireConversions.h"
#include "protocol/any_t.h"

#include <QMutexLocker>

namespace {
typedef WireValue::List L;

template <quint8 Id>
using In = MessageFields<Codec::Frame, Id>;
template <quint8 Id>
using Service = MessageFields<Codec::Service, Id>;
template <quint8 Id>
using Tournament = MessageFields<Codec::Tournament, Id>;

bool handInPlay(server_game_state::enum_t state)
{
    return state >= server_game_state::START_HAND_STATE && state <= server_game_state::ROBBING_THE_KONG_STATE;
}

// A player in two seats would carry two winds, and a seat marker would
// stay with nobody's hand. A negative id is an empty seat.
void checkSeating(qint32 tableId, const Seating &seating)
{
    for (size_t i = 0; i < seating.players.size(); ++i) {
        for (size_t j = i + 1; j < seating.players.size(); ++j) {
            if (seating.players[i] >= 0 && seating.players[i] == seating.players[j])
                throw server_error("hand started at table " + std::to_string(tableId) + " seats player "
                                   + std::to_string(seating.players[i]) + " twice");
        }
    }
}
} // namespace

void ConnectionManager::dispatch(quint8 classId, const WireValue::List &f)
{
    using namespace wire;
    using namespace msg;

    switch (classId) {
    case HELLO_OK:
        if (m_versionChecked)
            throw server_error("second version handshake");
        m_versionChecked = true;
        m_handshakeTimer.stop();
        qCDebug(lcProtocol) << "version check complete";
        emit versionCheckComplete();
        if (m_pendingLogin) {
            const auto credentials = std::move(m_pendingLogin);
            send(LOGIN, L{credentials->first, credentials->second});
        }
        break;
    case HELLO_REFUSED:
        throw server_error("The server refused this client version: "
                           + boundedMessage(In<HELLO_REFUSED>(f).text<"reason">()).toStdString());
    case PONG: {
        const In<PONG> m(f);
        const qint64 stamp = m.i64<"stamp">();
        {
            QMutexLocker lock(&d->lock);
            if (d->pendingPings.erase(stamp) == 0)
                throw server_error("answer to a ping never sent");
        }
        const QDateTime serverTime = m.value<"serverTime">().toDateTime();
        if (!serverTime.isValid())
            throw server_error("ping answer without a server time");
        emit pingReply(serverTime, m_clock.elapsed() - stamp);
        break;
    }
    case SERVER_PING:
        send(SERVER_PONG, L{In<SERVER_PING>(f).i32<"seq">()});
        break;
    case LOGIN_OK: {
        const In<LOGIN_OK> m(f);
        const qint32 pid = m.i32<"playerId">();
        // Everything of the session (seats, names, chat) is the first
        // player's: another one cannot take it over, and the same one is
        // logged in already.
        if (m_loggedIn) {
            qCWarning(lcProtocol) << "login answer for player" << pid << "while logged in as player" << m_ownPlayerId
                                  << ": ignored";
            break;
        }
        m_loggedIn = true;
        m_ownPlayerId = pid;
        {
            QMutexLocker lock(&d->lock);
            d->names.insert(m_ownPlayerId, boundedName(m.text<"name">()));
        }
        emit loginSuccess(m_ownPlayerId, boundedName(m.text<"name">()), m.text<"credentials">(),
                          m.flag<"fullyRegistered">());
        break;
    }
    case LOGIN_FAILED:
        emit loginFailed(In<LOGIN_FAILED>(f).i32<"status">());
        break;
    case FORCED_LOGOUT:
        m_loggedIn = false;
        emit forcedLogout();
        break;
    case SYSTEM_MESSAGE: {
        const In<SYSTEM_MESSAGE> m(f);
        emit systemMessage(m.i32<"kind">(), m.i32<"id">(), boundedMessage(m.text<"text">()));
        break;
    }
    case PLAYER_MESSAGE:
        emit playerMessage(boundedMessage(In<PLAYER_MESSAGE>(f).text<"text">()));
        break;
    case CLIENT_CONFIG: {
        const In<CLIENT_CONFIG> m(f);
        emit clientConfig(ClientConfig(m.text<"xmppServer">(), m.text<"conferenceService">(), m.text<"lobbyRoom">(),
                                       m.text<"searchService">()));
        break;
    }
    case ACCOUNT_BALANCE:
        emit currentAccountBalance(In<ACCOUNT_BALANCE>(f).i64<"cents">());
        break;
    case LOBBY_SUMMARY:
        emit lobbySummary(toLobbySummary(In<LOBBY_SUMMARY>(f).value<"summary">()));
        break;
    case WEB_PAGE: {
        const In<WEB_PAGE> m(f);
        emit webPage(WebPageRequest::enum_t(m.i32<"page">()), m.text<"url">());
        break;
    }
    case TABLE_INFO:
        emit tableInfoUpdate(toTableInfo(In<TABLE_INFO>(f).value<"info">()));
        break;
    case TABLE_INFO_UPDATE: {
        const In<TABLE_INFO_UPDATE> m(f);
        const int seated = m.i32<"seated">();
        if (seated < 0 || seated > 16)
            throw server_error("seated count out of range: " + std::to_string(seated));
        emit tableInfoUpdate(m.i32<"tableId">(), seated, toTableInfoUpdates(m.value<"updates">()));
        break;
    }
    case JOIN_OK: {
        const qint32 tableId = In<JOIN_OK>(f).i32<"tableId">();
        takeJoinAnswer(tableId, false);
        emit joinSuccessful(tableId);
        break;
    }
    case JOIN_FAILED: {
        const In<JOIN_FAILED> m(f);
        takeJoinAnswer(m.i32<"tableId">(), false);
        emit joinFailed(m.i32<"tableId">(), join_failed_reason::enum_t(m.i32<"reason">()));
        break;
    }
    case ALREADY_SEATED: {
        // Names the table the player sits at, which need not be the one
        // asked for; a question to rejoin it only answers a join.
        const qint32 tableId = In<ALREADY_SEATED>(f).i32<"tableId">();
        if (!takeJoinAnswer(tableId, true)) {
            qCWarning(lcProtocol) << "already_seated for table" << tableId << "answers no join: ignored";
            break;
        }
        emit alreadySeated(tableId);
        break;
    }
    case WATCH_OK: {
        const qint32 tableId = In<WATCH_OK>(f).i32<"tableId">();
        forgetRequest(WATCH_TABLE, tableId);
        emit watchSuccessful(tableId);
        break;
    }
    case WATCH_FAILED: {
        const In<WATCH_FAILED> m(f);
        forgetRequest(WATCH_TABLE, m.i32<"tableId">());
        emit watchFailed(m.i32<"tableId">(), boundedMessage(m.text<"reason">()));
        break;
    }
    case UNWATCH_OK: {
        const qint32 tableId = In<UNWATCH_OK>(f).i32<"tableId">();
        forgetRequest(UNWATCH_TABLE, tableId);
        emit unwatchSuccessful(tableId);
        break;
    }
    case UNWATCH_FAILED: {
        const qint32 tableId = In<UNWATCH_FAILED>(f).i32<"tableId">();
        forgetRequest(UNWATCH_TABLE, tableId);
        emit unwatchFailed(tableId);
        break;
    }
    case LEAVE_OK: {
        const qint32 tableId = In<LEAVE_OK>(f).i32<"tableId">();
        forgetRequest(LEAVE_TABLE, tableId);
        emit leaveSuccessful(tableId);
        break;
    }
    case LEAVE_FAILED: {
        const In<LEAVE_FAILED> m(f);
        forgetRequest(LEAVE_TABLE, m.i32<"tableId">());
        emit leaveFailed(m.i32<"tableId">(), boundedMessage(m.text<"reason">()));
        break;
    }
    case NOTIFY_SEATED: {
        const In<NOTIFY_SEATED> m(f);
        emit notifySeated(m.i32<"tableId">(), m.i32<"playerId">(), m.i32<"seat">());
        break;
    }
    case NOTIFY_WATCHING:
        emit notifyWatching(In<NOTIFY_WATCHING>(f).i32<"tableId">());
        break;
    case NOTIFY_INVITED: {
        const In<NOTIFY_INVITED> m(f);
        emit notifyInvited(m.i32<"tableId">(), m.i32<"inviterId">(), m.i32<"kind">());
        break;
    }
    case WAITING_LIST:
        takeQuickJoinAnswer();
        emit waitingList(In<WAITING_LIST>(f).i32<"seq">());
        break;
    case GAME_DATA: {
        const In<GAME_DATA> m(f);
        const auto state = server_game_state::enum_t(m.i32<"state">());
        std::vector<PlayerData> players = toPlayers(m.value<"players">());
        // A hand in play with nobody at the table would show four empty
        // seats while the table waits for moves.
        if (players.empty() && handInPlay(state))
            throw server_error("game data of table " + std::to_string(m.i32<"tableId">()) + " in state "
                               + std::to_string(int(state)) + " has a hand in play but no players");
        emit gameData(m.i32<"tableId">(), m.i64<"handId">(), state, std::move(players),
                      toTableState(m.value<"tableState">()), toWallState(m.value<"wallState">()));
        break;
    }
    case PRIVATE_PLAYER_DATA: {
        const In<PRIVATE_PLAYER_DATA> m(f);
        emit privatePlayerData(m.i32<"tableId">(), toPrivatePlayerData(m.value<"data">()));
        break;
    }
    case PLAYER_JOINED: {
        const In<PLAYER_JOINED> m(f);
        emit playerJoined(m.i32<"tableId">(), toPlayerData(m.value<"player">()));
        break;
    }
    case PLAYER_LEFT: {
        const In<PLAYER_LEFT> m(f);
        emit playerLeft(m.i32<"tableId">(), m.i32<"playerId">());
        break;
    }
    case START_HAND: {
        const In<START_HAND> m(f);
        const Seating seating = toSeating(m.value<"seating">());
        checkSeating(m.i32<"tableId">(), seating);
        emit startHand(m.i32<"tableId">(), m.i64<"handId">(), seating, toRoundScores(m.value<"scores">()),
                       m.flag<"newRound">(), toTableState(m.value<"tableState">()),
                       toWallState(m.value<"wallState">()));
        break;
    }
    case TILES_FROM_WALL: {
        const In<TILES_FROM_WALL> m(f);
        emit tilesFromWall(m.i32<"tableId">(), toTiles(m.value<"tiles">()), m.flag<"fromDeadWall">());
        break;
    }
    case HIDDEN_TILES_FROM_WALL: {
        const In<HIDDEN_TILES_FROM_WALL> m(f);
        emit hiddenTilesFromWall(m.i32<"tableId">(), m.i32<"playerId">(), m.i32<"count">(), m.flag<"fromDeadWall">());
        break;
    }
    case TILE_DISCARDED: {
        const In<TILE_DISCARDED> m(f);
        emit tileDiscarded(m.i32<"tableId">(), m.i32<"playerId">(), m.tileValue<"tile">());
        break;
    }
    case RIICHI_DECLARED: {
        const In<RIICHI_DECLARED> m(f);
        emit riichiDeclared(m.i32<"tableId">(), m.i32<"playerId">(), m.tileValue<"tile">());
        break;
    }
    case TILE_CLAIMED: {
        const In<TILE_CLAIMED> m(f);
        emit tileClaimed(m.i32<"tableId">(), m.i32<"playerId">());
        break;
    }
    case MELD_DECLARED: {
        const In<MELD_DECLARED> m(f);
        emit meldDeclared(m.i32<"tableId">(), m.i32<"playerId">(), toMeld(m.value<"meld">()));
        break;
    }
    case KAN_DORA: {
        const In<KAN_DORA> m(f);
        emit kanDora(m.i32<"tableId">(), m.tileValue<"tile">());
        break;
    }
    case MELD_SUGGESTION: {
        const In<MELD_SUGGESTION> m(f);
        emit meldSuggestion(m.i32<"tableId">(), toTimeSpan(m.value<"ts">()), toMeldOffers(m.value<"offers">()));
        break;
    }
    case CONCEALED_MELD_SUGGESTION: {
        const In<CONCEALED_MELD_SUGGESTION> m(f);
        emit concealedMeldSuggestion(m.i32<"tableId">(), toTimeSpan(m.value<"ts">()),
                                     toMeldOffers(m.value<"offers">()));
        break;
    }
    case ROB_THE_KONG_SUGGESTION: {
        const In<ROB_THE_KONG_SUGGESTION> m(f);
        emit robTheKongSuggestion(m.i32<"tableId">(), toTimeSpan(m.value<"ts">()), toMeldOffers(m.value<"offers">()));
        break;
    }
    case REPLACEMENT_MELD_SUGGESTION: {
        const In<REPLACEMENT_MELD_SUGGESTION> m(f);
        emit replacementMeldSuggestion(m.i32<"tableId">(), toTimeSpan(m.value<"ts">()),
                                       toMeldOffers(m.value<"offers">()));
        break;
    }
    case PLAYER_SHOULD_ACT: {
        const In<PLAYER_SHOULD_ACT> m(f);
        emit playerShouldAct(m.i32<"tableId">(), toTimeSpan(m.value<"ts">()), m.i32<"playerId">());
        break;
    }
    case WAITING_FOR: {
        const In<WAITING_FOR> m(f);
        emit waitingFor(m.i32<"tableId">(), WaitCondition::enum_t(m.i32<"condition">()), toTimeSpan(m.value<"ts">()),
                        toInts(m.value<"players">()));
        break;
    }
    case WAITING_OVER:
        emit waitingOver(In<WAITING_OVER>(f).i32<"tableId">());
        break;
    case DECLARE_BONUS: {
        const In<DECLARE_BONUS> m(f);
        emit declareBonus(m.i32<"tableId">(), m.i32<"playerId">(), toTiles(m.value<"tiles">()));
        break;
    }
    case HAND_END_NON_SCORING: {
        const In<HAND_END_NON_SCORING> m(f);
        emit handEndNonScoring(m.i32<"tableId">(), endhand_reason_t(m.i32<"reason">()), m.flag<"endOfGame">());
        break;
    }
    case HAND_END_SCORING: {
        const In<HAND_END_SCORING> m(f);
        emit handEndScoring(m.i32<"tableId">(), toEndHandScoring(m.value<"scoring">()));
        break;
    }
    case END_OF_ROUND: {
        const In<END_OF_ROUND> m(f);
        emit endOfRound(m.i32<"tableId">(), toMonetaryRoundScores(m.value<"scores">()));
        break;
    }
    case ARE_YOU_READY: {
        const In<ARE_YOU_READY> m(f);
        emit areYouReady(m.i32<"tableId">(), toTimeSpan(m.value<"ts">()));
        break;
    }
    case TIMEOUT_OCCURRED:
        emit timeoutOccured(In<TIMEOUT_OCCURRED>(f).i32<"tableId">());
        break;
    case KICK_PLAYER: {
        const In<KICK_PLAYER> m(f);
        emit kickPlayer(m.i32<"tableId">(), kick_reason::enum_t(m.i32<"reason">()));
        break;
    }
    case TABLE_REMOVED:
        emit tableRemoved(In<TABLE_REMOVED>(f).i32<"tableId">());
        break;
    case SOMEONE_DECLARED_MAHJONG: {
        const In<SOMEONE_DECLARED_MAHJONG> m(f);
        emit someoneDeclaredMahjong(m.i32<"tableId">(), m.i32<"playerId">());
        break;
    }
    case PLAYER_IS_READY: {
        const In<PLAYER_IS_READY> m(f);
        emit playerIsReady(m.i32<"tableId">(), m.i32<"playerId">());
        break;
    }
    case FURITEN_CHANGED: {
        const In<FURITEN_CHANGED> m(f);
        emit furitenChanged(m.i32<"tableId">(), m.flag<"furiten">());
        break;
    }
    case ACTIVE_CHANGED: {
        const In<ACTIVE_CHANGED> m(f);
        emit activeChanged(m.i32<"tableId">(), m.flag<"active">());
        break;
    }
    case SOMEONE_DECLARED_MELD: {
        const In<SOMEONE_DECLARED_MELD> m(f);
        emit someoneDeclaredMeld(m.i32<"tableId">(), m.i32<"playerId">(), m.i32<"meldType">(), m.tileValue<"tile">());
        break;
    }
    case TOURNAMENT_ENVELOPE:
        dispatchTournament(f);
        break;
    case TOURNAMENT_INFO:
        emit tournamentInfoUpdate(toTournamentInfo(In<TOURNAMENT_INFO>(f).value<"info">()));
        break;
    case TOURNAMENT_INFO_UPDATE: {
        const In<TOURNAMENT_INFO_UPDATE> m(f);
        emit tournamentInfoUpdate(m.i32<"tournamentId">(), toTournamentInfoUpdates(m.value<"updates">()));
        break;
    }
    case TOURNAMENT_REMOVED:
        emit tournamentRemoved(In<TOURNAMENT_REMOVED>(f).i32<"tournamentId">());
        break;
    case NOTIFY_REGISTERED:
        emit notifyRegistered(toInts(In<NOTIFY_REGISTERED>(f).value<"tournamentIds">()));
        break;
    case TOURNAMENT_REGISTER_OK:
        emit tournamentRegisterSuccess(In<TOURNAMENT_REGISTER_OK>(f).i32<"tournamentId">());
        break;
    case TOURNAMENT_REGISTER_FAILED: {
        const In<TOURNAMENT_REGISTER_FAILED> m(f);
        emit tournamentRegisterFailed(m.i32<"tournamentId">(), tmnt_register_failed_reason::enum_t(m.i32<"reason">()));
        break;
    }
    case TOURNAMENT_UNREGISTER_OK:
        emit tournamentUnregisterSuccess(In<TOURNAMENT_UNREGISTER_OK>(f).i32<"tournamentId">());
        break;
    case TOURNAMENT_UNREGISTER_FAILED: {
        const In<TOURNAMENT_UNREGISTER_FAILED> m(f);
        emit tournamentUnregisterFailed(m.i32<"tournamentId">(),
                                        tmnt_register_failed_reason::enum_t(m.i32<"reason">()));
        break;
    }
    case TOURNAMENT_LEAVE_OK:
        emit tournamentLeaveSuccess(In<TOURNAMENT_LEAVE_OK>(f).i32<"tournamentId">());
        break;
    case PLAYER_DISCARDED_FROM_TOURNAMENT:
        emit playerDiscardedFromTournament(In<PLAYER_DISCARDED_FROM_TOURNAMENT>(f).i32<"tournamentId">());
        break;
    case TOURNAMENT_SEATED: {
        const In<TOURNAMENT_SEATED> m(f);
        emit tournamentSeated(m.i32<"tournamentId">(), m.i32<"tableId">());
        break;
    }
    case END_OF_TOURNAMENT_ROUND: {
        const In<END_OF_TOURNAMENT_ROUND> m(f);
        emit endOfTournamentRound(m.i32<"tournamentId">(), m.i32<"tableId">(), m.flag<"lastRound">(),
                                  toTournamentRoundScores(m.value<"scores">()));
        break;
    }
    case TOURNAMENT_PICKED_UP: {
        const In<TOURNAMENT_PICKED_UP> m(f);
        emit tournamentPickedUp(m.i32<"tournamentId">(), m.i32<"tableId">(), m.flag<"keepWatching">());
        break;
    }
    case SERVICE_RESPONSE:
        dispatchService(f);
        break;
    default:
        throw server_error("no handler for message class " + std::to_string(classId));
    }
}

void ConnectionManager::dispatchTournament(const WireValue::List &f)
{
    const In<msg::TOURNAMENT_ENVELOPE> envelope(f);
    const qint32 tournamentId = envelope.i32<"tournamentId">();
    const any_t inner(envelope.value<"request">());
    switch (inner.classId()) {
    case tmt_msg::RANKING_LIST:
        emit tournamentRankings(
            tournamentId,
            wire::toTournamentRankings(Tournament<tmt_msg::RANKING_LIST>(inner.fields()).value<"rankings">()));
        break;
    case tmt_msg::PRIZE_CONFIGURATION:
        emit tournamentPrizeConfiguration(
            tournamentId,
            wire::toPrizeConfiguration(Tournament<tmt_msg::PRIZE_CONFIGURATION>(inner.fields()).value<"tables">()));
        break;
    default:
        throw server_error("unexpected tournament message " + std::to_string(inner.classId()));
    }
}

void ConnectionManager::dispatchService(const WireValue::List &f)
{
    using namespace svc_msg;
    const In<msg::SERVICE_RESPONSE> response(f);
    const qint32 seq = response.i32<"seq">();
    const any_t inner(response.value<"response">());
    const WireValue::List &in = inner.fields();
    const quint8 id = inner.classId();
    const Codec::Message *m = Codec::instance().message(Codec::Service, id);
    if (m->direction == Codec::ToServer)
        throw server_error("unexpected service message " + m->name + " from the server");

    ServiceCall call = ServiceCall::ComingEvents;
    qint32 key = 0;
    if (seq != 0) {
        QMutexLocker lock(&d->lock);
        auto it = d->pendingServiceCalls.find(seq);
        if (it == d->pendingServiceCalls.end())
            throw server_error("service answer " + std::to_string(seq) + " to a request never sent");
        call = it->second.first;
        key = it->second.second;
        d->pendingServiceCalls.erase(it);
        if (id != SERVICE_FAILED && !ConnectionManagerPrivate::answersCall(id, call))
            throw server_error("service answer " + m->name + " does not fit request " + std::to_string(seq));
    } else if (id != PLAYER_NAME && id != TABLE_NAMES && id != COMING_EVENTS) {
        throw server_error("service message " + m->name + " without a request");
    }

    switch (id) {
    case SERVICE_FAILED: {
        const QString reason = wire::boundedMessage(Service<SERVICE_FAILED>(in).text<"reason">());
        switch (call) {
        case ServiceCall::SetScreenname:
            emit setScreennameFailed(reason, false);
            break;
        case ServiceCall::QueryScreenname:
            emit queryScreennameFailed(reason);
            break;
        case ServiceCall::RegisterUser:
            emit registerUserFailed(reason);
            break;
        case ServiceCall::ChangePassword:
            emit changePasswordFailed(reason);
            break;
        case ServiceCall::PlayerName: {
            QMutexLocker lock(&d->lock);
            d->pendingNames.erase(key);
            qCWarning(lcProtocol) << "no name for player" << key << ":" << reason;
            break;
        }
        default:
            qCWarning(lcProtocol) << "service request refused:" << reason;
            break;
        }
        break;
    }
    case PLAYER_NAME: {
        const Service<PLAYER_NAME> s(in);
        const qint32 pid = s.i32<"playerId">();
        const QString name = wire::boundedName(s.text<"name">());
        {
            QMutexLocker lock(&d->lock);
            d->names.insert(pid, name);
            d->pendingNames.erase(pid);
        }
        emit playerNameUpdate(pid, name);
        break;
    }
    case SET_SCREENNAME_OK:
        emit setScreennameOk();
        break;
    case SET_SCREENNAME_FAILED: {
        const Service<SET_SCREENNAME_FAILED> s(in);
        emit setScreennameFailed(wire::boundedMessage(s.text<"reason">()), s.flag<"needsScreenname">());
        break;
    }
    case QUERY_SCREENNAME_OK: {
        const Service<QUERY_SCREENNAME_OK> s(in);
        const QString name = wire::boundedName(s.text<"screenname">());
        const qint32 pid = s.i32<"playerId">();
        {
            QMutexLocker lock(&d->lock);
            d->names.insert(pid, name);
        }
        emit queryScreennameOk(name, pid, s.flag<"active">());
        break;
    }
    case QUERY_SCREENNAME_FAILED:
        emit queryScreennameFailed(wire::boundedMessage(Service<QUERY_SCREENNAME_FAILED>(in).text<"reason">()));
        break;
    case REGISTER_USER_OK:
        emit registerUserOk(Service<REGISTER_USER_OK>(in).flag<"active">());
        break;
    case REGISTER_USER_FAILED:
        emit registerUserFailed(wire::boundedMessage(Service<REGISTER_USER_FAILED>(in).text<"reason">()));
        break;
    case CHANGE_PASSWORD_OK:
        emit changePasswordOk();
        break;
    case CHANGE_PASSWORD_FAILED:
        emit changePasswordFailed(wire::boundedMessage(Service<CHANGE_PASSWORD_FAILED>(in).text<"reason">()));
        break;
    case LOG_CLIENT_UUID_OK:
        break;
    case TABLE_NAMES: {
        const Service<TABLE_NAMES> s(in);
        constexpr size_t nameId = message_table::recordFieldIndex("NameTemplate", "nameId");
        constexpr size_t nameTemplate = message_table::recordFieldIndex("NameTemplate", "nameTemplate");
        std::map<qint32, QString> templates;
        for (const WireValue &n : s.value<"names">().toList())
            templates[n.at(nameId).toInt32()] = wire::boundedName(n.at(nameTemplate).toString());
        emit tableNames(s.text<"language">(), templates);
        break;
    }
    case COMING_EVENTS:
        emit comingEvents(wire::toComingEvents(Service<COMING_EVENTS>(in).value<"events">()));
        break;
    default:
        throw server_error("unexpected service message " + m->name);
    }
}
