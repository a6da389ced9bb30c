#pragma once

// Helpers for tests that talk to the fixture's real server.

#include "xmpp/server/XmppTestServer.h"

#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/XMPPPresence.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

namespace live {

// Logs user in; null when the session did not come up in time.
inline std::unique_ptr<XMPPClient> login(const XmppTestServer &server, const QString &user)
{
    auto client = std::make_unique<XMPPClient>();
    QSignalSpy connectedSpy(client.get(), &XMPPClient::connected);
    client->authenticate(user, server.password(user));
    client->connectToHost(server.host(), server.port(), XMPPClient::TlsRequired);
    if (!connectedSpy.wait(10000))
        return nullptr;
    return client;
}

inline XMPPJid bareJid(const XmppTestServer &server, const QString &user)
{
    return XMPPJid(server.host(), user);
}

// Waits until a signal recorded by spy satisfies match (checking earlier
// records too); returns the index of the first match, or -1.
inline int waitFor(QSignalSpy &spy, const std::function<bool(const QList<QVariant> &)> &match, int timeout = 10000)
{
    int seen = 0;
    int found = -1;
    (void)QTest::qWaitFor(
        [&] {
        for (; seen < spy.size(); ++seen) {
            if (match(spy.at(seen))) {
                found = seen;
                return true;
            }
        }
        return false;
        },
        timeout);
    return found;
}

inline int waitForPresence(QSignalSpy &spy, const XMPPJid &from, const std::function<bool(const XMPPPresence &)> &match)
{
    return waitFor(spy, [&](const QList<QVariant> &args) {
        const auto p = args.at(0).value<XMPPPresence>();
        return p.from().bare() == from.bare() && match(p);
    });
}

} // namespace live
