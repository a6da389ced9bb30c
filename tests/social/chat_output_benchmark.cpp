// Incoming room messages appended to a chat pane's log: the cost per
// message and the memory kept at the end, which the log's line limit bounds.
// The anchor, measured in the same run: a bare QTextBrowser of the same size
// and line limit appending the same lines as escaped HTML.
//   chat_output_benchmark [messages]      (default 10000)
#include "social/ConferenceWidget.h"
#include "xmpp/elements/XMPPMessage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextDocument>
#include <QTextBrowser>

#include <algorithm>
#include <cstdio>

namespace {
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}
// Microseconds per message for the bare browser.
double bareAppend(int total, int step, int maximumLines)
{
    QTextBrowser bare;
    bare.resize(591, 532);
    bare.document()->setMaximumBlockCount(maximumLines);
    bare.show();
    QCoreApplication::processEvents();
    QElapsedTimer all;
    all.start();
    for (int i = 1; i <= total; ++i) {
        const QString body =
            QStringLiteral("message %1: <b>anyone</b> for a game at table %2 & more?").arg(i).arg(1000 + i % 30);
        bare.append(QStringLiteral("<b>player%1</b>: %2").arg(i % 50).arg(body.toHtmlEscaped()));
        if (i % step == 0)
            QCoreApplication::processEvents();
    }
    return double(all.nsecsElapsed()) / 1000.0 / total;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int total = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    const int step = std::max(1, total / 10);

    ConferenceWidget pane(nullptr, 0);
    pane.resize(591, 532);
    pane.show();
    QCoreApplication::processEvents();
    auto *log = pane.findChild<QTextBrowser *>(QStringLiteral("chatOutput"));

    const XMPPJid room(QStringLiteral("conference.localhost"), QStringLiteral("lobby"));
    std::printf("messages  us/message(last batch)  RSS KiB  lines\n");
    const long startKiB = residentKiB();
    QElapsedTimer all;
    all.start();
    QElapsedTimer batch;
    batch.start();
    for (int i = 1; i <= total; ++i) {
        XMPPMessage message(XMPPJid(), XMPPMessage::GroupChat);
        message.setFrom(XMPPJid(room.domain(), room.node(), QStringLiteral("player%1").arg(i % 50)));
        message.setBody(
            QStringLiteral("message %1: <b>anyone</b> for a game at table %2 & more?").arg(i).arg(1000 + i % 30));
        pane.onMessage(message);
        if (i % step == 0) {
            QCoreApplication::processEvents();
            std::printf("%8d  %22.1f  %7ld  %5d\n", i, double(batch.nsecsElapsed()) / 1000.0 / step, residentKiB(),
                        log->document()->blockCount());
            batch.restart();
        }
    }
    const double perMessageUs = double(all.nsecsElapsed()) / 1000.0 / total;
    const int kept = log->document()->blockCount();
    std::printf("total: %d messages, %.1f us/message, RSS %ld KiB at start, %ld KiB at end, %d lines kept\n", total,
                perMessageUs, startKiB, residentKiB(), kept);
    const double bareUs = bareAppend(total, step, log->document()->maximumBlockCount());
    std::printf("bare QTextBrowser: %.1f us/message, ratio %.2fx\n", bareUs, perMessageUs / std::max(0.001, bareUs));
    // A pane that kept nothing, or more than its limit, measured nothing.
    const int limit = log->document()->maximumBlockCount();
    if (kept < std::min(total, 2) || (limit > 0 && kept > limit)) {
        std::fprintf(stderr, "the pane kept %d lines of %d messages (limit %d)\n", kept, total, limit);
        return 1;
    }
    return 0;
}
