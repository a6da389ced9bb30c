// How long the window waits while the client reads a flood from its XMPP
// server: a busy room's messages sent all at once, read by the real client
// from a scripted server, and the longest gap between two turns of the event
// loop while it does. Run by hand:
//   build/tests/xmpp/client/xmpp_flood_benchmark [messages] [rounds]
#include "FakeXmppServer.h"

#include "xmpp/client/XMPPClient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("mahjong.xmpp.debug=false"));
    const int messages = argc > 1 ? std::max(1, atoi(argv[1])) : 20000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    QTextStream out(stdout);

    FakeXmppServer server;
    XMPPClient client;
    if (!server.listen() || !server.logIn(client)) {
        fprintf(stderr, "login to the scripted server failed\n");
        return 1;
    }
    int received = 0;
    QEventLoop loop;
    QObject::connect(&client, &XMPPClient::messageReceived, &app, [&] {
        if (++received == messages)
            loop.quit();
    });

    QByteArray flood;
    for (int i = 0; i < messages; ++i) {
        flood += "<message type='groupchat' from='lobby@conference.localhost/player" + QByteArray::number(i % 50)
                 + "' id='m" + QByteArray::number(i) + "'><body>Good game everyone, see you at the next table!</body>"
                 + "<delay xmlns='urn:xmpp:delay' from='lobby@conference.localhost' stamp='2024-03-09T14:05:06Z'/>"
                 + "</message>";
    }

    // A timer that fires on every turn of the event loop notes the longest
    // gap between two turns.
    QElapsedTimer sinceTurn;
    qint64 longest = 0;
    QTimer turns;
    turns.setInterval(0);
    QObject::connect(&turns, &QTimer::timeout, &app, [&] { longest = std::max(longest, sinceTurn.restart()); });

    for (int round = 0; round < rounds; ++round) {
        received = 0;
        longest = 0;
        QElapsedTimer total;
        total.start();
        sinceTurn.start();
        turns.start();
        server.send(flood);
        // A plain event loop: waiting helpers sleep between their turns.
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        loop.exec();
        turns.stop();
        if (received != messages || client.state() != XMPPClient::ConnectedState) {
            fprintf(stderr, "only %d of %d messages read\n", received, messages);
            return 1;
        }
        out << "room flood of " << messages << " messages (" << flood.size() / 1024 << " KiB): read in "
            << total.elapsed() << " ms, longest wait of the event loop " << longest << " ms" << Qt::endl;
    }
    return 0;
}
