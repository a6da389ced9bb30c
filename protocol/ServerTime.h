#pragma once

#include "core/Singleton.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

class ConnectionManager;

// The one application-wide estimate of the game server's clock: the server
// time of the last ping answer (corrected by half the round trip) plus the
// local time elapsed since. A new ping goes out 60 s after each answer.
class ServerTime : public QObject, public Singleton<ServerTime>
{
    Q_OBJECT
    friend class Singleton<ServerTime>;

public:
    static constexpr int repingMs = 60000;

    // The estimated current server time (UTC). Before any answer it is the
    // local UTC clock.
    QDateTime now() const;
    // Binds the estimate to a session and pings at once; null detaches.
    void setConnectionManager(ConnectionManager *connection);
    ConnectionManager *connectionManager() const;
    // The last round trip in ms, -1 before the first answer.
    qint64 lastPingMs() const { return m_lastPing; }
    bool hasEstimate() const { return m_hasEstimate; }

    // For tests: take this as the server's time now.
    void setEstimate(const QDateTime &serverNow);
    // For tests: the delay before the next ping.
    void setRepingInterval(int ms) { m_repingTimer.setInterval(ms); }

signals:
    void updatedEstimate();
    void updatedPing();

public slots:
    void onPingReply(const QDateTime &serverTime, qint64 roundTripMs);

private:
    ServerTime();
    void ping();

    QPointer<ConnectionManager> m_connection;
    QMetaObject::Connection m_replyConnection;
    QMetaObject::Connection m_connectedConnection;
    QDateTime m_serverBase;
    QElapsedTimer m_sinceBase;
    bool m_hasEstimate = false;
    qint64 m_lastPing = -1;
    QTimer m_repingTimer;
};
