// What one stanza at each of the stream reader's bounds, just inside it and
// just past it, costs the GUI thread: the real client reads it from a
// scripted server, and the longest turn of the event loop meanwhile is
// measured in the thread's CPU time (so a loaded machine does not add to
// it). A turn longer than a frame (16 ms) would show as a stalled window.
// Run by hand:
//   build/tests/xmpp/client/xmpp_bounds_benchmark [rounds]
#include "FakeXmppServer.h"

#include "xmpp/client/XMPPClient.h"
#include "xmpp/stream/StreamReader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Case
{
    const char *name;
    QByteArray stanza;
};

// A message of exactly bytes bytes whose body is filled by fill (cut to fit).
QByteArray message(qint64 bytes, const QByteArray &attributes, const QByteArray &fill)
{
    const QByteArray open = "<message type='chat' from='friend@localhost/x'" + attributes + "><body>";
    const QByteArray close = "</body></message>";
    QByteArray body = fill.repeated((bytes - open.size() - close.size()) / fill.size() + 1);
    body.truncate(bytes - open.size() - close.size());
    // Cut where the fill's markup is whole.
    const qsizetype last = body.lastIndexOf('>');
    if (fill.contains('>') && last >= 0)
        body = body.left(last + 1) + QByteArray(body.size() - last - 1, 'x');
    return open + body + close;
}

QList<Case> cases()
{
    constexpr qint64 size = xmpp::StreamReader::DefaultMaxElementBytes;
    constexpr int depth = xmpp::StreamReader::DefaultMaxDepth;
    constexpr int elements = xmpp::StreamReader::DefaultMaxElements;
    constexpr int attributes = xmpp::StreamReader::DefaultMaxAttributes;
    auto nested = [](int levels) {
        return "<message type='chat' from='friend@localhost/x'>" + QByteArray("<a>").repeated(levels - 1)
               + QByteArray("</a>").repeated(levels - 1) + "</message>";
    };
    auto attributeList = [](int count) {
        QByteArray list;
        for (int i = 0; i < count; ++i)
            list += " a" + QByteArray::number(i) + "=''";
        return list;
    };
    // The stanza's own attribute (from) counts too.
    const QByteArray fullTag = "<a" + attributeList(attributes) + "/>";
    const QByteArray overTag = "<a" + attributeList(attributes + 1) + "/>";
    auto withAttribute = [](qint64 bytes) {
        const QByteArray open = "<message type='chat' from='friend@localhost/x' x='", close = "'/>";
        return open + QByteArray(bytes - open.size() - close.size(), 'y') + close;
    };
    return {
        {"nested to the depth bound", nested(depth)},
        {"nested one deeper", nested(depth + 1)},
        {"text of the size bound", message(size, QByteArray(), "x")},
        {"text one byte over", message(size + 1, QByteArray(), "x")},
        {"elements to the count bound", "<message type='chat' from='friend@localhost/x'><body>"
                                            + QByteArray("<a/>").repeated(elements - 2) + "</body></message>"},
        {"one element over", "<message type='chat' from='friend@localhost/x'><body>"
                                 + QByteArray("<a/>").repeated(elements - 1) + "</body></message>"},
        {"small elements to the size bound", message(size, QByteArray(), "<a/>")},
        {"tags of the attribute bound, to the size bound", message(size, QByteArray(), fullTag)},
        {"a tag one attribute over", message(4096, QByteArray(), overTag)},
        {"60,000 attributes on the stanza", message(700000, attributeList(60000), "x")},
        {"attribute of the size bound", withAttribute(size)},
        {"attribute one byte over", withAttribute(size + 1)},
        {"vCard photo of 10 MB", "<iq type='result' id='v1' from='friend@localhost'><vCard xmlns='vcard-temp'><PHOTO>"
                                 "<TYPE>image/png</TYPE><BINVAL>"
                                     + QByteArray(10 << 20, 'A') + "</BINVAL></PHOTO></vCard></iq>"},
        {"10 MB of spaces between stanzas", QByteArray(10 << 20, ' ')},
    };
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The traffic log is off, as in the client by default; refusals warn.
    QLoggingCategory::setFilterRules(QStringLiteral("mahjong.xmpp.debug=false\nmahjong.xmpp.warning=false"));
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTextStream out(stdout);

    FakeXmppServer server;
    XMPPClient client;
    if (!server.listen() || !server.logIn(client)) {
        fprintf(stderr, "login to the scripted server failed\n");
        return 1;
    }
    QEventLoop loop;
    int markers = 0;
    QObject::connect(&client, &XMPPClient::messageReceived, &app, [&](const XMPPMessage &message) {
        if (message.body() == QLatin1String("marker")) {
            ++markers;
            loop.quit();
        }
    });

    // A timer that fires on every turn of the event loop notes the longest
    // CPU time between two turns.
    double lastTurn = 0;
    double longest = 0;
    QTimer turns;
    turns.setInterval(0);
    QObject::connect(&turns, &QTimer::timeout, &app, [&] {
        const double now = threadCpuMs();
        longest = std::max(longest, now - lastTurn);
        lastTurn = now;
    });

    const QByteArray marker = "<message type='chat' from='friend@localhost/x'><body>marker</body></message>";
    double worst = 0;
    for (const Case &c : cases()) {
        double caseWorst = 0;
        for (int round = 0; round < rounds; ++round) {
            server.send(c.stanza + marker);
            const int expected = markers + 1;
            longest = 0;
            lastTurn = threadCpuMs();
            turns.start();
            QTimer::singleShot(120000, &loop, &QEventLoop::quit);
            loop.exec();
            turns.stop();
            if (markers != expected || client.state() != XMPPClient::ConnectedState) {
                fprintf(stderr, "%s: the session did not go on\n", c.name);
                return 1;
            }
            caseWorst = std::max(caseWorst, longest);
        }
        worst = std::max(worst, caseWorst);
        out << c.name << " (" << c.stanza.size() / 1024 << " KiB): longest turn " << QString::number(caseWorst, 'f', 1)
            << " ms of CPU" << Qt::endl;
    }
    out << "longest turn of all: " << QString::number(worst, 'f', 1) << " ms of CPU, "
        << (worst < 16 ? "within" : "OVER") << " a frame of 16 ms" << Qt::endl;
    return 0;
}
