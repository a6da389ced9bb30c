#pragma once

#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"

#include <QSignalSpy>
#include <QTest>

// Logs the session in to the scripted server on port.
inline bool logInAt(ConnectionManager &session, quint16 port, const QString &user, const QString &password)
{
    QSignalSpy handshake(&session, &ConnectionManager::versionCheckComplete);
    session.connectToHost(QStringLiteral("localhost"), port);
    if (!handshake.wait(10000))
        return false;
    QSignalSpy loggedIn(&session, &ConnectionManager::loginSuccess);
    session.login(user, password);
    return loggedIn.wait(10000);
}

// Logs the session in to the scripted server on port as "player" and waits
// until the practice lobby it subscribes lists the server's tables.
inline bool logInAtDemoPeer(ConnectionManager &session, quint16 port, TableModel &tables)
{
    if (!logInAt(session, port, QStringLiteral("player"), QStringLiteral("any")))
        return false;
    tables.subscribe(QStringLiteral("101/Practice"));
    return QTest::qWaitFor([&tables] { return tables.hasTable(1003); }, 10000);
}
