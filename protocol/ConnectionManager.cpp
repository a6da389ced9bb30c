#include "protocol/ConnectionManager.h"

#include "protocol/Codec.h"
#include "protocol/ConnectionManagerPrivate.h"
#include "protocol/Logging.h"
#include "protocol/MessageIds.h"
#include "protocol/ProtocolMetaTypes.h"
#include "protocol/ServerError.h"
#include "protocol/WireConversions.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QSslConfiguration>
#include <QSslError>
#include <QSslSocket>

namespace {
typedef WireValue::List L;
} // namespace

ConnectionManager::ConnectionManager(bool useSsl, QObject *parent)
    : QObject(parent)
    , m_useSsl(useSsl)
    , m_socket(new QSslSocket(this))
    , d(std::make_unique<ConnectionManagerPrivate>())
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
    m_socket->setReadBufferSize(socketReadBufferBytes);
    connect(m_socket, &QSslSocket::sslErrors, this, [](const QList<QSslError> &errors) {
        // Never ignored: the socket closes the connection after this signal.
        for (const QSslError &e : errors)
            qCWarning(lcProtocol) << "TLS error from the game server:" << e.errorString();
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
    m_sessionFailed = false;
    m_reportedConnected = true;
    m_handshakeTimer.start();
    emit connecting();
    qCDebug(lcProtocol) << "connecting to" << m_host << m_port << (m_useSsl ? "with TLS" : "without TLS");
    if (m_useSsl) {
        // CA certificates added to the default configuration after this
        // object was made count too.
        m_socket->setSslConfiguration(QSslConfiguration::defaultConfiguration());
        m_socket->connectToHostEncrypted(m_host, m_port);
    } else
        m_socket->connectToHost(m_host, m_port);
}

void ConnectionManager::disconnectFromServer()
{
    m_socket->disconnectFromHost();
}

void ConnectionManager::resetSession()
{
    m_reader.clear();
    m_serverClosed = false;
    m_versionChecked = false;
    m_loggedIn = false;
    m_pendingLogin.reset();
    QMutexLocker lock(&d->lock);
    d->pendingServiceCalls.clear();
    d->pendingPings.clear();
    d->pendingNames.clear();
    d->throttle.clear();
    d->pendingQuickJoins = 0;
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
    onServerClosed();
}

void ConnectionManager::onSocketError()
{
    qCWarning(lcProtocol) << "game server connection:" << m_socket->errorString();
    // A refused connect or a failed TLS handshake leaves the socket
    // unconnected, sometimes without a disconnected() of its own.
    if (m_socket->state() == QAbstractSocket::UnconnectedState)
        onServerClosed();
}

void ConnectionManager::onServerClosed()
{
    if (m_sessionFailed) {
        reportDisconnected();
        return;
    }
    // What the server sent before it closed is still handled, in the same
    // slices as during the session: a flood followed by a close must not
    // hold the window for all of it at once.
    m_serverClosed = true;
    m_readTurns.schedule();
}

void ConnectionManager::onHandshakeTimeout()
{
    // A server that accepts the connection but never completes TLS or the
    // version handshake must not leave the login page waiting for ever.
    qCWarning(lcProtocol) << "game server did not complete the handshake in time";
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
    m_readTurns.schedule();
}

bool ConnectionManager::readTurn()
{
    // Nothing of a refused session reaches the models, not even frames that
    // came with the bad one.
    if (!m_sessionFailed && readSlice() && !m_sessionFailed)
        return true;
    if (m_serverClosed)
        reportDisconnected();
    return false;
}

bool ConnectionManager::readSlice()
{
    message_t body;
    try {
        for (;;) {
            // The socket holds back what the frame buffer may not take yet,
            // and the server's sending waits for us.
            const qint64 room = readAheadBytes - m_reader.buffered();
            if (room > 0) {
                const QByteArray data = m_socket->read(room);
                m_bytesRead += data.size();
                m_reader.append(data);
            }
            if (!m_reader.next(body))
                return false;
            handleMessage(body);
            if (m_sessionFailed || m_readTurns.spent())
                return true;
        }
    } catch (const std::exception &e) {
        // The stream cannot be resynchronised after a bad frame header.
        fail(e.what());
    }
    return false;
}

void ConnectionManager::fail(const std::string &message)
{
    qCWarning(lcProtocol) << "game server data refused:" << message.c_str();
    // The session ends before anyone is told: nothing more is read while
    // the error is shown.
    m_sessionFailed = true;
    m_socket->abort();
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
        qCWarning(lcProtocol) << "not connected: dropping request" << (m ? m->name.c_str() : "?");
        return;
    }
    try {
        const QByteArray frame = FrameReader::frame(Codec::instance().encode(classId, fields));
        // A server that does not read what it asked for (ping answers, say)
        // would have it pile up here.
        const qint64 pending = m_socket->bytesToWrite() + m_socket->encryptedBytesToWrite();
        if (pending + frame.size() > maxPendingOutputBytes) {
            qCWarning(lcProtocol) << "the game server does not read:" << pending << "bytes unsent, disconnecting";
            m_sessionFailed = true;
            m_socket->abort();
            reportDisconnected();
            return;
        }
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
        QMutexLocker lock(&d->lock);
        seq = d->nextSeq++;
        if (d->nextSeq <= 0)
            d->nextSeq = 1;
        d->pendingServiceCalls[seq] = {call, key};
    }
    const Codec::Message *m = Codec::instance().message(Codec::Service, innerId);
    send(msg::SERVICE_REQUEST, L{qint64(m ? m->service : 0), seq, WireValue(std::move(fields), innerId)});
}

void ConnectionManager::sendTournament(qint32 tournamentId, quint8 innerId)
{
    send(msg::TOURNAMENT_ENVELOPE, L{tournamentId, WireValue(L{}, innerId)});
}

bool ConnectionManager::throttled(quint8 classId, qint32 id)
{
    QMutexLocker lock(&d->lock);
    auto it = d->throttle.find({classId, id});
    if (it != d->throttle.end() && it->second.isValid() && it->second.elapsed() < throttleMs) {
        qCDebug(lcProtocol) << "dropping repeated request" << classId << "for table" << id;
        return true;
    }
    d->throttle[{classId, id}].start();
    return false;
}

void ConnectionManager::forgetRequest(quint8 classId, qint32 id)
{
    QMutexLocker lock(&d->lock);
    d->throttle.erase({classId, id});
}

bool ConnectionManager::takeJoinAnswer(qint32 tableId, bool anyJoin)
{
    QMutexLocker lock(&d->lock);
    if (d->throttle.erase({msg::JOIN_TABLE, tableId}) > 0)
        return true;
    if (d->pendingQuickJoins > 0) {
        --d->pendingQuickJoins;
        return true;
    }
    if (!anyJoin)
        return false;
    auto oldest = d->throttle.end();
    for (auto it = d->throttle.begin(); it != d->throttle.end(); ++it) {
        if (it->first.first == msg::JOIN_TABLE
            && (oldest == d->throttle.end() || it->second.elapsed() > oldest->second.elapsed()))
            oldest = it;
    }
    if (oldest == d->throttle.end())
        return false;
    d->throttle.erase(oldest);
    return true;
}

void ConnectionManager::takeQuickJoinAnswer()
{
    QMutexLocker lock(&d->lock);
    if (d->pendingQuickJoins > 0)
        --d->pendingQuickJoins;
}

// ---------------------------------------------------------------- requests

void ConnectionManager::login(const QString &userName, const QString &password)
{
    qCDebug(lcProtocol) << "login as" << userName; // never the password
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
    {
        QMutexLocker lock(&d->lock);
        ++d->pendingQuickJoins;
    }
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
        qCWarning(lcProtocol) << "no such web page:" << int(page);
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
        QMutexLocker lock(&d->lock);
        d->pendingPings.insert(stamp);
    }
    send(msg::PING, L{stamp});
}

QString ConnectionManager::playerName(qint32 pid)
{
    bool ask = false;
    QString name;
    {
        QMutexLocker lock(&d->lock);
        auto it = d->names.constFind(pid);
        if (it != d->names.constEnd())
            return it.value();
        name = QCoreApplication::translate("ConnectionManager", "%1").arg(pid);
        d->names.insert(pid, name);
        ask = d->pendingNames.insert(pid).second;
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
