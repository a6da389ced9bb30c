#include "protocol/ConnectionManager.h"

#include "protocol/Codec.h"
#include "protocol/MessageIds.h"
#include "protocol/ProtocolMetaTypes.h"
#include "protocol/ServerError.h"
#include "protocol/WireConversions.h"
#include "protocol/any_t.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QSslConfiguration>
#include <QSslError>
#include <QSslSocket>
#include <QtDebug>

namespace
{
typedef WireValue::List L;

quint16 serviceOf(quint8 innerId)
{
    if (innerId >= svc_msg::QUERY_PLAYER_NAME && innerId <= svc_msg::QUERY_SCREENNAME_FAILED)
        return svc::PLAYER_DATABASE;
    if (innerId >= svc_msg::REGISTER_USER && innerId <= svc_msg::LOG_CLIENT_UUID_OK)
        return svc::ACCOUNT;
    if (innerId == svc_msg::QUERY_TABLE_NAMES || innerId == svc_msg::TABLE_NAMES)
        return svc::LOCALIZATION;
    return svc::SERVER_INFORMATION;
}
} // namespace

ConnectionManager::ConnectionManager(bool useSsl, QObject *parent)
    : QObject(parent), m_useSsl(useSsl), m_socket(new QSslSocket(this))
{
    registerProtocolMetaTypes();
    m_clock.start();
    m_handshakeTimer.setSingleShot(true);
    m_handshakeTimer.setInterval(defaultHandshakeTimeoutMs);
    connect(&m_handshakeTimer, &QTimer::timeout, this, &ConnectionManager::onHandshakeTimeout);
    connect(m_socket, &QSslSocket::connected, this, &ConnectionManager::onSocketConnected);
    connect(m_socket, &QSslSocket::encrypted, this, &ConnectionManager::onSocketEncrypted);
    connect(m_socket, &QSslSocket::disconnected, this, &ConnectionManager::onSocketDisconnected);
    connect(m_socket, &QSslSocket::errorOccurred, this, &ConnectionManager::onSocketError);
    connect(m_socket, &QSslSocket::readyRead, this, &ConnectionManager::onReadyRead);
    connect(m_socket, &QSslSocket::sslErrors, this, [](const QList<QSslError> &errors) {
        // Never ignored: the socket closes the connection after this signal.
        for (const QSslError &e : errors)
            qWarning() << "TLS error from the game server:" << e.errorString();
    });
}

ConnectionManager::~ConnectionManager()
{
    m_quitting = true;
    m_socket->disconnect(this);
    m_socket->abort();
}

bool ConnectionManager::isConnected() const
{
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        return false;
    return !m_useSsl || m_socket->isEncrypted();
}

void ConnectionManager::connectToHost(const QString &host, quint16 port)
{
    m_host = host;
    m_port = port;
    connectToServer();
}

void ConnectionManager::connectToServer()
{
    if (m_socket->state() != QAbstractSocket::UnconnectedState) {
        // A stale connection ends here without a report; the new one follows.
        m_reportedConnected = false;
        m_socket->abort();
    }
    resetSession();
    m_reportedConnected = true;
    m_handshakeTimer.start();
    emit connecting();
    qDebug() << "connecting to" << m_host << m_port << (m_useSsl ? "with TLS" : "without TLS");
    if (m_useSsl) {
        // CA certificates added to the default configuration after this
        // object was made count too.
        m_socket->setSslConfiguration(QSslConfiguration::defaultConfiguration());
        m_socket->connectToHostEncrypted(m_host, m_port);
    }
    else
        m_socket->connectToHost(m_host, m_port);
}

void ConnectionManager::disconnectFromServer()
{
    m_socket->disconnectFromHost();
}

void ConnectionManager::resetSession()
{
    m_reader.clear();
    m_versionChecked = false;
    m_loggedIn = false;
    m_pendingLogin.reset();
    QMutexLocker lock(&m_registryLock);
    m_pendingServiceCalls.clear();
    m_pendingPings.clear();
    m_pendingNames.clear();
    m_throttle.clear();
}

void ConnectionManager::onSocketConnected()
{
    if (!m_useSsl)
        onSocketEncrypted();
}

void ConnectionManager::onSocketEncrypted()
{
    // Small messages must not wait for Nagle's algorithm.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    emit connected();
    send(msg::HELLO, L{protocolVersion, QCoreApplication::applicationVersion(), partnerId()});
}

void ConnectionManager::onSocketDisconnected()
{
    reportDisconnected();
}

void ConnectionManager::onSocketError()
{
    qWarning() << "game server connection:" << m_socket->errorString();
    // A refused connect or a failed TLS handshake leaves the socket
    // unconnected, sometimes without a disconnected() of its own.
    if (m_socket->state() == QAbstractSocket::UnconnectedState)
        reportDisconnected();
}

void ConnectionManager::onHandshakeTimeout()
{
    // A server that accepts the connection but never completes TLS or the
    // version handshake must not leave the login page waiting for ever.
    qWarning() << "game server did not complete the handshake in time";
    m_socket->abort();
    reportDisconnected();
}

void ConnectionManager::reportDisconnected()
{
    m_handshakeTimer.stop();
    if (!m_reportedConnected)
        return;
    m_reportedConnected = false;
    resetSession();
    if (!m_quitting)
        emit disconnected();
}

void ConnectionManager::onReadyRead()
{
    const QByteArray data = m_socket->readAll();
    m_bytesRead += data.size();
    m_reader.append(data);
    message_t body;
    try {
        while (m_reader.next(body))
            handleMessage(body);
    } catch (const std::exception &e) {
        // The stream cannot be resynchronised after a bad frame header.
        fail(e.what());
        m_socket->abort();
    }
}

void ConnectionManager::fail(const std::string &message)
{
    qWarning() << "game server data refused:" << message.c_str();
    emit exceptionCaught(message);
}

void ConnectionManager::handleMessage(const message_t &body)
{
    ++m_messagesRead;
    try {
        const Codec &codec = Codec::instance();
        WireValue::List fields = codec.decode(body);
        const Codec::Message *m = codec.message(Codec::Frame, body[0]);
        if (m->direction == Codec::ToServer)
            throw server_error("unexpected message " + m->name + " from the server");
        if (!m_versionChecked && body[0] != msg::HELLO_OK && body[0] != msg::HELLO_REFUSED
            && body[0] != msg::SERVER_PING)
            throw server_error("message " + m->name + " before the version handshake");
        dispatch(body[0], fields);
    } catch (const std::exception &e) {
        fail(e.what());
    } catch (...) {
        fail("unknown error while handling a server message");
    }
}

void ConnectionManager::send(quint8 classId, WireValue::List fields)
{
    if (!isConnected()) {
        const Codec::Message *m = Codec::instance().message(Codec::Frame, classId);
        qWarning() << "not connected: dropping request" << (m ? m->name.c_str() : "?");
        return;
    }
    try {
        const QByteArray frame = FrameReader::frame(Codec::instance().encode(classId, fields));
        const qint64 written = m_socket->write(frame);
        if (written != frame.size())
            throw std::runtime_error("could not write to the game server: " + m_socket->errorString().toStdString());
        m_bytesWritten += written;
        ++m_messagesWritten;
    } catch (const std::exception &e) {
        fail(e.what());
    }
}

void ConnectionManager::sendService(quint8 innerId, WireValue::List fields, ServiceCall call, qint32 key)
{
    qint32 seq;
    {
        QMutexLocker lock(&m_registryLock);
        seq = m_nextSeq++;
        if (m_nextSeq <= 0)
            m_nextSeq = 1;
        m_pendingServiceCalls[seq] = {call, key};
    }
    send(msg::SERVICE_REQUEST, L{qint64(serviceOf(innerId)), seq, WireValue(std::move(fields), innerId)});
}

void ConnectionManager::sendTournament(qint32 tournamentId, quint8 innerId)
{
    send(msg::TOURNAMENT_ENVELOPE, L{tournamentId, WireValue(L{}, innerId)});
}

bool ConnectionManager::throttled(quint8 classId, qint32 id)
{
    QMutexLocker lock(&m_registryLock);
    auto it = m_throttle.find({classId, id});
    if (it != m_throttle.end() && it->second.isValid() && it->second.elapsed() < throttleMs) {
        qDebug() << "dropping repeated request" << classId << "for table" << id;
        return true;
    }
    m_throttle[{classId, id}].start();
    return false;
}

// ---------------------------------------------------------------- requests

void ConnectionManager::login(const QString &userName, const QString &password)
{
    qDebug() << "login as" << userName; // never the password
    if (!m_versionChecked) {
        // Sent as soon as the handshake completes (a reconnect logs in at once).
        m_pendingLogin = std::make_unique<std::pair<QString, QString>>(userName, password);
        return;
    }
    send(msg::LOGIN, L{userName, password});
}

void ConnectionManager::logout()
{
    send(msg::LOGOUT, L{});
    m_loggedIn = false;
}

void ConnectionManager::prepareToQuit()
{
    // The program is ending: the server's close after the logout is no
    // reason to report a lost connection (and an error box) any more.
    m_quitting = true;
    if (!m_loggedIn || !isConnected())
        return;
    logout();
    for (int i = 0; i < 10 && m_socket->bytesToWrite() > 0; ++i)
        m_socket->waitForBytesWritten(50);
}

void ConnectionManager::lobby_subscribe(const QString &lobbyPath)
{
    send(msg::LOBBY_SUBSCRIBE, L{lobbyPath});
}

void ConnectionManager::lobby_unsubscribe(const QString &lobbyPath)
{
    send(msg::LOBBY_UNSUBSCRIBE, L{lobbyPath});
}

void ConnectionManager::query_table_names(const QString &language)
{
    sendService(svc_msg::QUERY_TABLE_NAMES, L{language}, ServiceCall::TableNames);
}

void ConnectionManager::join_table(qint32 tableId, qint8 seat)
{
    if (!throttled(msg::JOIN_TABLE, tableId))
        send(msg::JOIN_TABLE, L{tableId, qint64(seat)});
}

void ConnectionManager::watch_table(qint32 tableId)
{
    if (!throttled(msg::WATCH_TABLE, tableId))
        send(msg::WATCH_TABLE, L{tableId});
}

void ConnectionManager::unwatch_table(qint32 tableId)
{
    if (!throttled(msg::UNWATCH_TABLE, tableId))
        send(msg::UNWATCH_TABLE, L{tableId});
}

void ConnectionManager::leave_table(qint32 tableId)
{
    if (!throttled(msg::LEAVE_TABLE, tableId))
        send(msg::LEAVE_TABLE, L{tableId});
}

void ConnectionManager::ready(qint32 tableId, qint32 playerId)
{
    send(msg::READY, L{tableId, playerId});
}

void ConnectionManager::reactivate_table(qint32 tableId)
{
    send(msg::REACTIVATE_TABLE, L{tableId});
}

void ConnectionManager::filter_join(const QString &lobbyPath)
{
    send(msg::FILTER_JOIN, L{lobbyPath});
}

void ConnectionManager::cancel_filter_join(int seq)
{
    send(msg::CANCEL_FILTER_JOIN, L{seq});
}

void ConnectionManager::invite_players(qint32 tableId, const std::vector<qint32> &invitees)
{
    send(msg::INVITE_PLAYERS, L{tableId, wire::fromInts(invitees)});
}

void ConnectionManager::discard_tile(qint32 tableId, qint32 playerId, tile t)
{
    send(msg::DISCARD_TILE, L{tableId, playerId, qint64(t)});
}

void ConnectionManager::call_pass(qint32 tableId, qint32 playerId, bool autoPass)
{
    send(msg::CALL_PASS, L{tableId, playerId, autoPass});
}

void ConnectionManager::call_chow(qint32 tableId, qint32 playerId, tile t)
{
    send(msg::CALL_CHOW, L{tableId, playerId, qint64(t)});
}

void ConnectionManager::call_pong(qint32 tableId, qint32 playerId, tile t)
{
    send(msg::CALL_PONG, L{tableId, playerId, qint64(t)});
}

void ConnectionManager::call_pong_to_kong(qint32 tableId, qint32 playerId, tile t)
{
    send(msg::CALL_PONG_TO_KONG, L{tableId, playerId, qint64(t)});
}

void ConnectionManager::call_kong(qint32 tableId, qint32 playerId, tile t)
{
    send(msg::CALL_KONG, L{tableId, playerId, qint64(t)});
}

void ConnectionManager::call_riichi(qint32 tableId, qint32 playerId, tile t)
{
    send(msg::CALL_RIICHI, L{tableId, playerId, qint64(t)});
}

void ConnectionManager::call_bonus(qint32 tableId, qint32 playerId, tile t)
{
    send(msg::CALL_BONUS, L{tableId, playerId, qint64(t)});
}

void ConnectionManager::call_mahjong(qint32 tableId, qint32 playerId)
{
    send(msg::CALL_MAHJONG, L{tableId, playerId});
}

void ConnectionManager::query_client_config()
{
    send(msg::QUERY_CLIENT_CONFIG, L{});
}

void ConnectionManager::query_account_balance()
{
    send(msg::QUERY_ACCOUNT_BALANCE, L{});
}

void ConnectionManager::query_lobby_summary()
{
    send(msg::QUERY_LOBBY_SUMMARY, L{});
}

void ConnectionManager::query_web_page(WebPageRequest::enum_t page)
{
    if (page < WebPageRequest::minValue || page > WebPageRequest::maxValue) {
        qWarning() << "no such web page:" << int(page);
        return;
    }
    send(msg::QUERY_WEB_PAGE, L{int(page)});
}

void ConnectionManager::log_client_uuid(const std::string &machineId)
{
    sendService(svc_msg::LOG_CLIENT_UUID, L{QString::fromStdString(machineId)}, ServiceCall::ClientUuid);
}

void ConnectionManager::register_user(const QString &username, const QString &password, const QString &email,
                                      const QString &affiliate_code)
{
    sendService(svc_msg::REGISTER_USER, L{username, password, email, affiliate_code}, ServiceCall::RegisterUser);
}

void ConnectionManager::change_password(const QString &oldPassword, const QString &newPassword)
{
    sendService(svc_msg::CHANGE_PASSWORD, L{oldPassword, newPassword}, ServiceCall::ChangePassword);
}

void ConnectionManager::set_screenname(const QString &screenname)
{
    sendService(svc_msg::SET_SCREENNAME, L{screenname}, ServiceCall::SetScreenname);
}

void ConnectionManager::query_screenname_info(const QString &screenname)
{
    sendService(svc_msg::QUERY_SCREENNAME, L{screenname}, ServiceCall::QueryScreenname);
}

void ConnectionManager::query_coming_events()
{
    sendService(svc_msg::COMING_EVENTS_REQUEST, L{}, ServiceCall::ComingEvents);
}

void ConnectionManager::ping()
{
    const qint64 stamp = m_clock.elapsed();
    {
        QMutexLocker lock(&m_registryLock);
        m_pendingPings.insert(stamp);
    }
    send(msg::PING, L{stamp});
}

QString ConnectionManager::playerName(qint32 pid)
{
    bool ask = false;
    QString name;
    {
        QMutexLocker lock(&m_registryLock);
        auto it = m_names.constFind(pid);
        if (it != m_names.constEnd())
            return it.value();
        name = QCoreApplication::translate("ConnectionManager", "%1").arg(pid);
        m_names.insert(pid, name);
        ask = m_pendingNames.insert(pid).second;
    }
    if (ask)
        sendService(svc_msg::QUERY_PLAYER_NAME, L{pid}, ServiceCall::PlayerName, pid);
    return name;
}

void ConnectionManager::tournaments_lobby_subscribe()
{
    send(msg::TOURNAMENTS_LOBBY_SUBSCRIBE, L{});
}

void ConnectionManager::register_tournament_request(qint32 tournamentId)
{
    send(msg::REGISTER_TOURNAMENT, L{tournamentId});
}

void ConnectionManager::unregister_tournament_request(qint32 tournamentId)
{
    send(msg::UNREGISTER_TOURNAMENT, L{tournamentId});
}

void ConnectionManager::get_tournament_ranking_list(int tournamentId)
{
    sendTournament(tournamentId, tmt_msg::RANKING_LIST_REQUEST);
}

void ConnectionManager::query_tournament_prize_configuration(qint32 tournamentId)
{
    sendTournament(tournamentId, tmt_msg::PRIZE_CONFIGURATION_REQUEST);
}

// ---------------------------------------------------------------- dispatch

void ConnectionManager::dispatch(quint8 classId, const WireValue::List &f)
{
    using namespace wire;
    auto i32 = [&f](size_t i) { return f.at(i).toInt32(); };
    auto b = [&f](size_t i) { return f.at(i).toBool(); };
    auto s = [&f](size_t i) { return f.at(i).toString(); };
    auto t = [&f](size_t i) { return tile(f.at(i).toInt()); };

    switch (classId) {
    case msg::HELLO_OK:
        if (m_versionChecked)
            throw server_error("second version handshake");
        m_versionChecked = true;
        m_handshakeTimer.stop();
        qDebug() << "version check complete";
        emit versionCheckComplete();
        if (m_pendingLogin) {
            const auto credentials = std::move(m_pendingLogin);
            send(msg::LOGIN, L{credentials->first, credentials->second});
        }
        break;
    case msg::HELLO_REFUSED:
        throw server_error("The server refused this client version: " + s(0).toStdString());
    case msg::PONG: {
        const qint64 stamp = f.at(0).toInt();
        {
            QMutexLocker lock(&m_registryLock);
            if (m_pendingPings.erase(stamp) == 0)
                throw server_error("answer to a ping never sent");
        }
        const QDateTime serverTime = f.at(1).toDateTime();
        if (!serverTime.isValid())
            throw server_error("ping answer without a server time");
        emit pingReply(serverTime, m_clock.elapsed() - stamp);
        break;
    }
    case msg::SERVER_PING: send(msg::SERVER_PONG, L{i32(0)}); break;
    case msg::LOGIN_OK:
        m_loggedIn = true;
        m_ownPlayerId = i32(0);
        {
            QMutexLocker lock(&m_registryLock);
            m_names.insert(m_ownPlayerId, s(1));
        }
        emit loginSuccess(i32(0), s(1), s(2), b(3));
        break;
    case msg::LOGIN_FAILED: emit loginFailed(i32(0)); break;
    case msg::FORCED_LOGOUT:
        m_loggedIn = false;
        emit forcedLogout();
        break;
    case msg::SYSTEM_MESSAGE: emit systemMessage(i32(0), i32(1), s(2)); break;
    case msg::PLAYER_MESSAGE: emit playerMessage(s(0)); break;
    case msg::CLIENT_CONFIG: emit clientConfig(ClientConfig(s(0), s(1), s(2), s(3))); break;
    case msg::ACCOUNT_BALANCE: emit currentAccountBalance(f.at(0).toInt()); break;
    case msg::LOBBY_SUMMARY: emit lobbySummary(toLobbySummary(f.at(0))); break;
    case msg::WEB_PAGE: emit webPage(WebPageRequest::enum_t(i32(0)), s(1)); break;
    case msg::TABLE_INFO: emit tableInfoUpdate(toTableInfo(f.at(0))); break;
    case msg::TABLE_INFO_UPDATE: {
        const int seated = i32(1);
        if (seated < 0 || seated > 16)
            throw server_error("seated count out of range: " + std::to_string(seated));
        emit tableInfoUpdate(i32(0), seated, toTableInfoUpdates(f.at(2)));
        break;
    }
    case msg::JOIN_OK: emit joinSuccessful(i32(0)); break;
    case msg::JOIN_FAILED: emit joinFailed(i32(0), join_failed_reason::enum_t(i32(1))); break;
    case msg::ALREADY_SEATED: emit alreadySeated(i32(0)); break;
    case msg::WATCH_OK: emit watchSuccessful(i32(0)); break;
    case msg::WATCH_FAILED: emit watchFailed(i32(0), s(1)); break;
    case msg::UNWATCH_OK: emit unwatchSuccessful(i32(0)); break;
    case msg::UNWATCH_FAILED: emit unwatchFailed(i32(0)); break;
    case msg::LEAVE_OK: emit leaveSuccessful(i32(0)); break;
    case msg::LEAVE_FAILED: emit leaveFailed(i32(0), s(1)); break;
    case msg::NOTIFY_SEATED: emit notifySeated(i32(0), i32(1), i32(2)); break;
    case msg::NOTIFY_WATCHING: emit notifyWatching(i32(0)); break;
    case msg::NOTIFY_INVITED: emit notifyInvited(i32(0), i32(1), i32(2)); break;
    case msg::WAITING_LIST: emit waitingList(i32(0)); break;
    case msg::GAME_DATA:
        emit gameData(i32(0), f.at(1).toInt(), server_game_state::enum_t(i32(2)), toPlayers(f.at(3)),
                      toTableState(f.at(4)), toWallState(f.at(5)));
        break;
    case msg::PRIVATE_PLAYER_DATA: emit privatePlayerData(i32(0), toPrivatePlayerData(f.at(1))); break;
    case msg::PLAYER_JOINED: emit playerJoined(i32(0), toPlayerData(f.at(1))); break;
    case msg::PLAYER_LEFT: emit playerLeft(i32(0), i32(1)); break;
    case msg::START_HAND:
        emit startHand(i32(0), f.at(1).toInt(), toSeating(f.at(2)), toRoundScores(f.at(3)), b(4),
                       toTableState(f.at(5)), toWallState(f.at(6)));
        break;
    case msg::TILES_FROM_WALL: emit tilesFromWall(i32(0), toTiles(f.at(1)), b(2)); break;
    case msg::HIDDEN_TILES_FROM_WALL: emit hiddenTilesFromWall(i32(0), i32(1), i32(2), b(3)); break;
    case msg::TILE_DISCARDED: emit tileDiscarded(i32(0), i32(1), t(2)); break;
    case msg::RIICHI_DECLARED: emit riichiDeclared(i32(0), i32(1), t(2)); break;
    case msg::TILE_CLAIMED: emit tileClaimed(i32(0), i32(1)); break;
    case msg::MELD_DECLARED: emit meldDeclared(i32(0), i32(1), toMeld(f.at(2))); break;
    case msg::KAN_DORA: emit kanDora(i32(0), t(1)); break;
    case msg::MELD_SUGGESTION: emit meldSuggestion(i32(0), toTimeSpan(f.at(1)), toMeldOffers(f.at(2))); break;
    case msg::CONCEALED_MELD_SUGGESTION:
        emit concealedMeldSuggestion(i32(0), toTimeSpan(f.at(1)), toMeldOffers(f.at(2)));
        break;
    case msg::ROB_THE_KONG_SUGGESTION:
        emit robTheKongSuggestion(i32(0), toTimeSpan(f.at(1)), toMeldOffers(f.at(2)));
        break;
    case msg::REPLACEMENT_MELD_SUGGESTION:
        emit replacementMeldSuggestion(i32(0), toTimeSpan(f.at(1)), toMeldOffers(f.at(2)));
        break;
    case msg::PLAYER_SHOULD_ACT: emit playerShouldAct(i32(0), toTimeSpan(f.at(1)), i32(2)); break;
    case msg::WAITING_FOR:
        emit waitingFor(i32(0), WaitCondition::enum_t(i32(1)), toTimeSpan(f.at(2)), toInts(f.at(3)));
        break;
    case msg::WAITING_OVER: emit waitingOver(i32(0)); break;
    case msg::DECLARE_BONUS: emit declareBonus(i32(0), i32(1), toTiles(f.at(2))); break;
    case msg::HAND_END_NON_SCORING: emit handEndNonScoring(i32(0), endhand_reason_t(i32(1)), b(2)); break;
    case msg::HAND_END_SCORING: emit handEndScoring(i32(0), toEndHandScoring(f.at(1))); break;
    case msg::END_OF_ROUND: emit endOfRound(i32(0), toMonetaryRoundScores(f.at(1))); break;
    case msg::ARE_YOU_READY: emit areYouReady(i32(0), toTimeSpan(f.at(1))); break;
    case msg::TIMEOUT_OCCURRED: emit timeoutOccured(i32(0)); break;
    case msg::KICK_PLAYER: emit kickPlayer(i32(0), kick_reason::enum_t(i32(1))); break;
    case msg::TABLE_REMOVED: emit tableRemoved(i32(0)); break;
    case msg::SOMEONE_DECLARED_MAHJONG: emit someoneDeclaredMahjong(i32(0), i32(1)); break;
    case msg::PLAYER_IS_READY: emit playerIsReady(i32(0), i32(1)); break;
    case msg::FURITEN_CHANGED: emit furitenChanged(i32(0), b(1)); break;
    case msg::ACTIVE_CHANGED: emit activeChanged(i32(0), b(1)); break;
    case msg::SOMEONE_DECLARED_MELD: emit someoneDeclaredMeld(i32(0), i32(1), i32(2), t(3)); break;
    case msg::TOURNAMENT_ENVELOPE: dispatchTournament(f); break;
    case msg::TOURNAMENT_INFO: emit tournamentInfoUpdate(toTournamentInfo(f.at(0))); break;
    case msg::TOURNAMENT_INFO_UPDATE: emit tournamentInfoUpdate(i32(0), toTournamentInfoUpdates(f.at(1))); break;
    case msg::TOURNAMENT_REMOVED: emit tournamentRemoved(i32(0)); break;
    case msg::NOTIFY_REGISTERED: emit notifyRegistered(toInts(f.at(0))); break;
    case msg::TOURNAMENT_REGISTER_OK: emit tournamentRegisterSuccess(i32(0)); break;
    case msg::TOURNAMENT_REGISTER_FAILED:
        emit tournamentRegisterFailed(i32(0), tmnt_register_failed_reason::enum_t(i32(1)));
        break;
    case msg::TOURNAMENT_UNREGISTER_OK: emit tournamentUnregisterSuccess(i32(0)); break;
    case msg::TOURNAMENT_UNREGISTER_FAILED:
        emit tournamentUnregisterFailed(i32(0), tmnt_register_failed_reason::enum_t(i32(1)));
        break;
    case msg::TOURNAMENT_LEAVE_OK: emit tournamentLeaveSuccess(i32(0)); break;
    case msg::PLAYER_DISCARDED_FROM_TOURNAMENT: emit playerDiscardedFromTournament(i32(0)); break;
    case msg::TOURNAMENT_SEATED: emit tournamentSeated(i32(0), i32(1)); break;
    case msg::END_OF_TOURNAMENT_ROUND:
        emit endOfTournamentRound(i32(0), i32(1), b(2), toTournamentRoundScores(f.at(3)));
        break;
    case msg::TOURNAMENT_PICKED_UP: emit tournamentPickedUp(i32(0), i32(1), b(2)); break;
    case msg::SERVICE_RESPONSE: dispatchService(f); break;
    default: throw server_error("no handler for message class " + std::to_string(classId));
    }
}

void ConnectionManager::dispatchTournament(const WireValue::List &f)
{
    const qint32 tournamentId = f.at(0).toInt32();
    const any_t inner(f.at(1));
    switch (inner.classId()) {
    case tmt_msg::RANKING_LIST: emit tournamentRankings(tournamentId, wire::toTournamentRankings(inner.at(0))); break;
    case tmt_msg::PRIZE_CONFIGURATION:
        emit tournamentPrizeConfiguration(tournamentId, wire::toPrizeConfiguration(inner.at(0)));
        break;
    default: throw server_error("unexpected tournament message " + std::to_string(inner.classId()));
    }
}

// An answer of another kind under a request's sequence number would leave
// the caller of that request waiting for ever.
bool ConnectionManager::answersCall(quint8 innerId, ServiceCall call)
{
    using namespace svc_msg;
    switch (call) {
    case ServiceCall::ComingEvents: return innerId == COMING_EVENTS;
    case ServiceCall::PlayerName: return innerId == PLAYER_NAME;
    case ServiceCall::SetScreenname: return innerId == SET_SCREENNAME_OK || innerId == SET_SCREENNAME_FAILED;
    case ServiceCall::QueryScreenname: return innerId == QUERY_SCREENNAME_OK || innerId == QUERY_SCREENNAME_FAILED;
    case ServiceCall::RegisterUser: return innerId == REGISTER_USER_OK || innerId == REGISTER_USER_FAILED;
    case ServiceCall::ChangePassword: return innerId == CHANGE_PASSWORD_OK || innerId == CHANGE_PASSWORD_FAILED;
    case ServiceCall::ClientUuid: return innerId == LOG_CLIENT_UUID_OK;
    case ServiceCall::TableNames: return innerId == TABLE_NAMES;
    }
    return false;
}

void ConnectionManager::dispatchService(const WireValue::List &f)
{
    const qint32 seq = f.at(1).toInt32();
    const any_t inner(f.at(2));
    const quint8 id = inner.classId();
    const Codec::Message *m = Codec::instance().message(Codec::Service, id);
    if (m->direction == Codec::ToServer)
        throw server_error("unexpected service message " + m->name + " from the server");

    ServiceCall call = ServiceCall::ComingEvents;
    qint32 key = 0;
    if (seq != 0) {
        QMutexLocker lock(&m_registryLock);
        auto it = m_pendingServiceCalls.find(seq);
        if (it == m_pendingServiceCalls.end())
            throw server_error("service answer " + std::to_string(seq) + " to a request never sent");
        call = it->second.first;
        key = it->second.second;
        m_pendingServiceCalls.erase(it);
        if (id != svc_msg::SERVICE_FAILED && !answersCall(id, call))
            throw server_error("service answer " + m->name + " does not fit request " + std::to_string(seq));
    } else if (id != svc_msg::PLAYER_NAME && id != svc_msg::TABLE_NAMES && id != svc_msg::COMING_EVENTS) {
        throw server_error("service message " + m->name + " without a request");
    }

    switch (id) {
    case svc_msg::SERVICE_FAILED: {
        const QString reason = inner.at(0).toString();
        switch (call) {
        case ServiceCall::SetScreenname: emit setScreennameFailed(reason, false); break;
        case ServiceCall::QueryScreenname: emit queryScreennameFailed(reason); break;
        case ServiceCall::RegisterUser: emit registerUserFailed(reason); break;
        case ServiceCall::ChangePassword: emit changePasswordFailed(reason); break;
        case ServiceCall::PlayerName: {
            QMutexLocker lock(&m_registryLock);
            m_pendingNames.erase(key);
            qWarning() << "no name for player" << key << ":" << reason;
            break;
        }
        default: qWarning() << "service request refused:" << reason; break;
        }
        break;
    }
    case svc_msg::PLAYER_NAME: {
        const qint32 pid = inner.at(0).toInt32();
        const QString name = inner.at(1).toString();
        {
            QMutexLocker lock(&m_registryLock);
            m_names.insert(pid, name);
            m_pendingNames.erase(pid);
        }
        emit playerNameUpdate(pid, name);
        break;
    }
    case svc_msg::SET_SCREENNAME_OK: emit setScreennameOk(); break;
    case svc_msg::SET_SCREENNAME_FAILED: emit setScreennameFailed(inner.at(0).toString(), inner.at(1).toBool()); break;
    case svc_msg::QUERY_SCREENNAME_OK: {
        const QString name = inner.at(0).toString();
        const qint32 pid = inner.at(1).toInt32();
        {
            QMutexLocker lock(&m_registryLock);
            m_names.insert(pid, name);
        }
        emit queryScreennameOk(name, pid, inner.at(2).toBool());
        break;
    }
    case svc_msg::QUERY_SCREENNAME_FAILED: emit queryScreennameFailed(inner.at(0).toString()); break;
    case svc_msg::REGISTER_USER_OK: emit registerUserOk(inner.at(0).toBool()); break;
    case svc_msg::REGISTER_USER_FAILED: emit registerUserFailed(inner.at(0).toString()); break;
    case svc_msg::CHANGE_PASSWORD_OK: emit changePasswordOk(); break;
    case svc_msg::CHANGE_PASSWORD_FAILED: emit changePasswordFailed(inner.at(0).toString()); break;
    case svc_msg::LOG_CLIENT_UUID_OK: break;
    case svc_msg::TABLE_NAMES: {
        std::map<qint32, QString> templates;
        for (const WireValue &n : inner.at(1).toList())
            templates[n.at(0).toInt32()] = n.at(1).toString();
        emit tableNames(inner.at(0).toString(), templates);
        break;
    }
    case svc_msg::COMING_EVENTS: emit comingEvents(wire::toComingEvents(inner.at(0))); break;
    default: throw server_error("unexpected service message " + m->name);
    }
}
