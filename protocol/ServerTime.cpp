#include "protocol/ServerTime.h"

#include "protocol/ConnectionManager.h"
#include "core/TextFormat.h"

#include <QCoreApplication>

namespace {
QDateTime estimatedServerNow()
{
    return Singleton<ServerTime>::instance().now();
}
} // namespace

ServerTime::ServerTime()
{
    m_repingTimer.setSingleShot(true);
    m_repingTimer.setInterval(repingMs);
    connect(&m_repingTimer, &QTimer::timeout, this, &ServerTime::ping);
    // The text helpers' "time to start" follows this estimate.
    Utils::setServerClock(&estimatedServerNow);
    // The object outlives the event loop; no timer may run past it.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { m_repingTimer.stop(); });
}

QDateTime ServerTime::now() const
{
    if (!m_hasEstimate)
        return QDateTime::currentDateTimeUtc();
    return m_serverBase.addMSecs(m_sinceBase.elapsed());
}

void ServerTime::setConnectionManager(ConnectionManager *connection)
{
    if (m_connection) {
        disconnect(m_replyConnection);
        disconnect(m_connectedConnection);
    }
    m_repingTimer.stop();
    m_connection = connection;
    if (!connection)
        return;
    m_replyConnection = connect(connection, &ConnectionManager::pingReply, this, &ServerTime::onPingReply);
    // A new connection gets a fresh estimate at once.
    m_connectedConnection = connect(connection, &ConnectionManager::versionCheckComplete, this, &ServerTime::ping);
    ping();
}

ConnectionManager *ServerTime::connectionManager() const
{
    return m_connection.data();
}

void ServerTime::setEstimate(const QDateTime &serverNow)
{
    m_serverBase = serverNow.toUTC();
    m_sinceBase.start();
    m_hasEstimate = true;
    emit updatedEstimate();
}

void ServerTime::onPingReply(const QDateTime &serverTime, qint64 roundTripMs)
{
    m_lastPing = roundTripMs;
    // The answer was stamped about half a round trip ago.
    m_serverBase = serverTime.toUTC().addMSecs(roundTripMs / 2);
    m_sinceBase.start();
    m_hasEstimate = true;
    emit updatedPing();
    emit updatedEstimate();
    m_repingTimer.start();
}

void ServerTime::ping()
{
    if (m_connection && m_connection->isConnected())
        m_connection->ping();
}
