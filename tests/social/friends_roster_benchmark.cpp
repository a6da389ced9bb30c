// Not a test: how long the friends list takes to be complete when a roster
// of many friends arrives and all their presences come at once, as after a
// login, and then until every friend shows the screen name the game server
// gives. The player directory is the real one: its game session is logged
// in to the scripted game server (which names any player id "player<id>"),
// its XMPP client to a private Prosody (which gives the players' domain).
// The roster and presence signals are emitted as the client's session would,
// so the roster model, the proxies and the list do all their work.
// The anchor, in the same run: the same rows listed and renamed in a bare
// Qt list (model, sorting proxy, list view); the ratio stands beside it.
//   friends_roster_benchmark [friends ...] [--runs N]   (default: 500 3000, 3 runs)
#include "peer/PeerProcess.h"
#include "protocol/ConnectionManager.h"
#include "social/FriendsWindow.h"
#include "social/PlayerDb.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPRosterModel.h"
#include "xmpp/elements/PresenceStanza.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QListView>
#include <QPixmap>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QLoggingCategory>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

namespace {

QTextStream out(stdout);

// A private Prosody with one account, stopped when the benchmark ends.
class Prosody
{
public:
    ~Prosody()
    {
        if (!m_dir.isValid())
            return;
        QProcess::execute(QStringLiteral("bash"),
                          {QStringLiteral(MAHJONG_XMPP_SERVER_SCRIPT), QStringLiteral("stop"), m_dir.path()});
    }

    bool start(const QString &user, const QString &password)
    {
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MAHJONG_TEST_CERT_DIR"), QStringLiteral(MAHJONG_TEST_CERT_DIR));
        script.setProcessEnvironment(env);
        script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        script.start(QStringLiteral("bash"), {QStringLiteral(MAHJONG_XMPP_SERVER_SCRIPT), QStringLiteral("start"),
                                              m_dir.path(), user + QLatin1Char(':') + password});
        if (!script.waitForFinished(30000) || script.exitCode() != 0)
            return false;
        m_port = quint16(read(QStringLiteral("port")).trimmed().toUInt());
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.addCaCertificates(QSslCertificate::fromData(read(QStringLiteral("ca.crt")), QSsl::Pem));
        QSslConfiguration::setDefaultConfiguration(config);
        return m_port != 0;
    }

    quint16 port() const { return m_port; }

private:
    QByteArray read(const QString &name) const
    {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    quint16 m_port = 0;
};

// Runs the event loop until done() holds; done() is asked only after events
// were handled, so that the waiting costs the measured code nothing.
bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(timeoutMs);
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

struct Run
{
    double listedMs = 0;
    double namedMs = 0;
};

// One roster of the given size with ids never asked for before, so that
// every name comes from the server.
bool measure(XMPPClient &client, PlayerDb &db, int friends, int key, Run &result)
{
    const int shows[] = {xmpp::PresenceStanza::ShowNone, xmpp::PresenceStanza::Away, xmpp::PresenceStanza::Chat,
                         xmpp::PresenceStanza::Dnd, xmpp::PresenceStanza::Xa};
    QSignalSpy serverRoster(&client, &XMPPClient::rosterReset);
    XMPPRosterModel roster(&client);
    // The session's own (empty) roster comes first; what follows stands for
    // a large one.
    if (!serverRoster.wait(10000)) {
        out << "no roster from the XMPP server\n";
        return false;
    }
    FriendsWindow window(&client, &roster, &db, nullptr, nullptr);
    window.resize(591, 532);
    window.show();
    auto *list = window.findChild<QListView *>(QStringLiteral("friendList"));
    QList<qint32> ids;
    for (int i = 0; i < friends; ++i)
        ids.append(1000000 * (key + 1) + (i * 7919) % 900000);
    QSet<qint32> unnamed(ids.begin(), ids.end());
    QObject context;
    QObject::connect(&db, &PlayerDb::playerNameUpdate, &context, [&](qint32 pid) { unnamed.remove(pid); });
    QCoreApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    emit client.rosterReset();
    for (qint32 id : std::as_const(ids))
        emit client.rosterUpdate(db.jidForPid(id), 3, false, QString(), QString());
    for (int i = 0; i < friends; ++i) {
        xmpp::PresenceStanza stanza;
        const XMPPJid jid = db.jidForPid(ids.at(i));
        stanza.from = XMPPJid(jid.domain(), jid.node(), QStringLiteral("desk"));
        stanza.show = shows[i % 5];
        stanza.statuses.insert(QStringLiteral("UND"), QStringLiteral("playing since %1").arg(i));
        stanza.tablePaths.insert(QStringLiteral("101/Practice/%1").arg(i % 40));
        emit client.presence(XMPPPresence(stanza));
    }
    QCoreApplication::processEvents();
    // Listed: every friend with its icon and tool tip, and drawn.
    bool complete = list->model()->rowCount() == friends;
    for (int row = 0; complete && row < friends; ++row) {
        const QModelIndex index = list->model()->index(row, 0);
        complete = !index.data(Qt::DecorationRole).isNull() && !index.data(Qt::ToolTipRole).toString().isEmpty();
    }
    (void)window.grab();
    result.listedMs = timer.nsecsElapsed() / 1e6;
    if (!complete) {
        out << "the list is not complete\n";
        return false;
    }
    // Named: the server named every friend, and every row shows it, in the
    // list's order.
    const auto named = [&] {
        QStringList names;
        for (int row = 0; row < friends; ++row) {
            const QString name = list->model()->index(row, 0).data().toString();
            if (!name.startsWith(QLatin1String("player")))
                return false;
            names << name;
        }
        return std::is_sorted(names.begin(), names.end(),
                              [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
    };
    if (!waitUntil([&] { return unnamed.isEmpty(); }, 60000)) {
        out << "the names did not all arrive\n";
        return false;
    }
    QCoreApplication::processEvents();
    if (!named()) {
        out << "the list does not show the names in order\n";
        return false;
    }
    (void)window.grab();
    result.namedMs = timer.nsecsElapsed() / 1e6;
    return true;
}

// The anchor: the same rows through a bare Qt list (QStandardItemModel with
// an icon and a tool tip per row, a locale-aware sorting proxy, a shown
// QListView of the same size), listed and then renamed, in milliseconds;
// its rows are read back as the client's are, so that both sides do the
// same work.
bool bareList(int friends, double *listedMs, double *namedMs)
{
    QStandardItemModel model;
    QSortFilterProxyModel proxy;
    proxy.setSortLocaleAware(true);
    proxy.setDynamicSortFilter(true);
    proxy.setSourceModel(&model);
    proxy.sort(0);
    QListView view;
    view.setModel(&proxy);
    view.resize(591, 532);
    view.show();
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    const QIcon icon(picture);
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < friends; ++i) {
        auto *item = new QStandardItem(icon, QStringLiteral("%1@localhost").arg(1000000 + (i * 7919) % 900000));
        item->setToolTip(QStringLiteral("playing since %1\n101/Practice/%2").arg(i).arg(i % 40));
        model.appendRow(item);
    }
    QCoreApplication::processEvents();
    bool complete = proxy.rowCount() == friends;
    for (int row = 0; complete && row < friends; ++row) {
        const QModelIndex index = proxy.index(row, 0);
        complete = !index.data(Qt::DecorationRole).isNull() && !index.data(Qt::ToolTipRole).toString().isEmpty();
    }
    (void)view.grab();
    *listedMs = timer.nsecsElapsed() / 1e6;
    for (int i = 0; i < friends; ++i)
        model.item(i)->setText(QStringLiteral("player%1").arg(1000000 + (i * 7919) % 900000));
    QCoreApplication::processEvents();
    QStringList names;
    for (int row = 0; row < friends; ++row)
        names << proxy.index(row, 0).data().toString();
    complete = complete && std::is_sorted(names.begin(), names.end(), [](const QString &a, const QString &b) {
                   return a.localeAwareCompare(b) < 0;
               });
    (void)view.grab();
    *namedMs = timer.nsecsElapsed() / 1e6;
    if (!complete)
        out << "the bare list is not complete\n";
    return complete;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Every roster change is logged at debug level; that is not what is measured.
    QLoggingCategory::setFilterRules(QStringLiteral("mahjong.*.debug=false"));
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    QDir::setSearchPaths(QStringLiteral("avatars"), {QStringLiteral(":/default/avatars")});
    QList<int> sizes;
    int runs = 3;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args.at(++i).toInt());
        else if (args.at(i).toInt() > 0)
            sizes.append(std::min(args.at(i).toInt(), 100000));
    }
    if (sizes.isEmpty())
        sizes = {500, 3000};

    PeerProcess::installTestCa();
    PeerProcess peer;
    if (!peer.start({QStringLiteral("--account"), QStringLiteral("bench:pw:9001:bench")})) {
        out << "the scripted game server did not start: " << peer.errorString() << "\n";
        return 1;
    }
    Prosody prosody;
    if (!prosody.start(QStringLiteral("9001"), QStringLiteral("pw-9001"))) {
        out << "the XMPP server did not start\n";
        return 1;
    }
    ConnectionManager session(true);
    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    QSignalSpy loggedIn(&session, &ConnectionManager::loginSuccess);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    if (!checked.wait(10000))
        return 1;
    session.login(QStringLiteral("bench"), QStringLiteral("pw"));
    if (!loggedIn.wait(10000)) {
        out << "no login at the game server\n";
        return 1;
    }
    XMPPClient client;
    PlayerDb db(&session, &client, nullptr);
    db.setOwnPlayer(9001, QStringLiteral("bench"));
    QSignalSpy connected(&client, &XMPPClient::connected);
    client.authenticate(QStringLiteral("9001"), QStringLiteral("pw-9001"));
    client.connectToHost(QStringLiteral("localhost"), prosody.port(), XMPPClient::TlsRequired);
    if (!connected.wait(10000) || db.jidForPid(1).domain().isEmpty()) {
        out << "no XMPP session\n";
        return 1;
    }
    // Let the session's own roster and presence settle first.
    QTest::qWait(300);

    int key = 0;
    for (int friends : std::as_const(sizes)) {
        QList<double> listed, named;
        for (int run = 0; run < runs; ++run) {
            Run result;
            if (!measure(client, db, friends, key++, result))
                return 1;
            listed.append(result.listedMs);
            named.append(result.namedMs);
            out << friends << " friends, run " << run << ": listed after " << QString::number(result.listedMs, 'f', 1)
                << " ms, named after " << QString::number(result.namedMs, 'f', 1) << " ms\n";
            out.flush();
        }
        std::sort(listed.begin(), listed.end());
        std::sort(named.begin(), named.end());
        const double listedMedian = listed.at(listed.size() / 2);
        const double namedMedian = named.at(named.size() / 2);
        double bareListed = 0, bareNamed = 0;
        if (!bareList(friends, &bareListed, &bareNamed))
            return 1;
        out << friends << " friends: median " << QString::number(listedMedian, 'f', 1)
            << " ms until listed with presences, " << QString::number(namedMedian, 'f', 1)
            << " ms until every name is shown\n";
        out << friends << " friends, bare Qt list: listed " << QString::number(bareListed, 'f', 1) << " ms (ratio "
            << QString::number(listedMedian / std::max(0.001, bareListed), 'f', 1) << "x), named "
            << QString::number(bareNamed, 'f', 1) << " ms (ratio "
            << QString::number(namedMedian / std::max(0.001, bareNamed), 'f', 1) << "x)\n";
    }
    return 0;
}
