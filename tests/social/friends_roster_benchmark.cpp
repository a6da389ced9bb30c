// Not a test: how long the friends list takes to be complete when a roster
// of many friends arrives and all their presences come at once, as after a
// login. The client's roster and presence signals are emitted as its session
// would, so the roster model, the proxies and the list do all their work.
//   friends_roster_benchmark [friends=500] [runs=5]
#include "social/FriendsWindow.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPRosterModel.h"
#include "xmpp/elements/PresenceStanza.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListView>
#include <QLoggingCategory>
#include <QTextStream>

#include <algorithm>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Every roster change is logged at debug level; that is not what is measured.
    QLoggingCategory::setFilterRules(QStringLiteral("mahjong.*.debug=false"));
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    const int friends = argc > 1 ? std::max(1, QString::fromLatin1(argv[1]).toInt()) : 500;
    const int runs = argc > 2 ? std::max(1, QString::fromLatin1(argv[2]).toInt()) : 5;
    QTextStream out(stdout);
    const int shows[] = {xmpp::PresenceStanza::ShowNone, xmpp::PresenceStanza::Away, xmpp::PresenceStanza::Chat,
                         xmpp::PresenceStanza::Dnd, xmpp::PresenceStanza::Xa};

    QList<double> totals;
    for (int run = 0; run < runs; ++run) {
        XMPPClient client;
        XMPPRosterModel roster(&client);
        FriendsWindow window(&client, &roster, nullptr, nullptr, nullptr);
        window.resize(591, 532);
        window.show();
        auto *list = window.findChild<QListView *>(QStringLiteral("friendList"));
        QList<XMPPJid> jids;
        for (int i = 0; i < friends; ++i)
            jids.append(XMPPJid(QStringLiteral("localhost"), QString::number(100000 + (i * 7919) % 900000)));
        QCoreApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        emit client.rosterReset();
        for (const XMPPJid &jid : std::as_const(jids))
            emit client.rosterUpdate(jid, 3, false, QString(), QString());
        const qint64 rosterMs = timer.elapsed();
        for (int i = 0; i < friends; ++i) {
            xmpp::PresenceStanza stanza;
            stanza.from = XMPPJid(jids.at(i).domain(), jids.at(i).node(), QStringLiteral("desk"));
            stanza.show = shows[i % 5];
            stanza.statuses.insert(QStringLiteral("UND"), QStringLiteral("playing since %1").arg(i));
            stanza.tablePaths.insert(QStringLiteral("101/Practice/%1").arg(i % 40));
            emit client.presence(XMPPPresence(stanza));
        }
        const qint64 presenceMs = timer.elapsed();
        QCoreApplication::processEvents();
        // Complete: every friend listed with its icon and tool tip, and drawn.
        bool complete = list->model()->rowCount() == friends;
        for (int row = 0; complete && row < friends; ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            complete = !index.data(Qt::DecorationRole).isNull() && !index.data(Qt::ToolTipRole).toString().isEmpty();
        }
        (void)window.grab();
        const double totalMs = timer.nsecsElapsed() / 1e6;
        if (!complete) {
            out << "run " << run << ": the list is not complete\n";
            return 1;
        }
        totals.append(totalMs);
        out << "run " << run << ": roster " << rosterMs << " ms, presences " << presenceMs - rosterMs
            << " ms, complete and drawn after " << QString::number(totalMs, 'f', 1) << " ms\n";
    }
    std::sort(totals.begin(), totals.end());
    out << friends << " friends: median " << QString::number(totals.at(totals.size() / 2), 'f', 1)
        << " ms until the friends list is complete\n";
    return 0;
}
