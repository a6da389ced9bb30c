// What an idle client costs (a benchmark, not a test): the real main window,
// logged in to the scripted game server and left alone at the lobby, against
// a bare Qt window holding one QWebEngineView (this program started again
// with --bare), both measured over the same seconds from /proc/<pid>/stat.
// Also counts the paint events each widget of the client got meanwhile: the
// repaints of something that did not change are what an idle client pays.
// The scripted server announces a maintenance, whose popup counts down each
// second; the second half hides it, leaving nothing that changes.
// Run it under X (xvfb-run -s "-screen 0 1920x1080x24") for real figures:
// there a window with a web view is composed by OpenGL, in software on a
// machine without a GPU, and every repaint recomposes the whole window.
//
//   mainwindow_idle_benchmark [seconds]     (60 by default)
#include "app/QuickBackend.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"

#include "lobby/LobbyModel.h"
#include "lobby/LobbyWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

// User plus system time of a whole process (all its threads), in seconds.
double cpuSeconds(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    // The command name in parentheses may hold spaces: count from its end.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields.at(11).toLongLong() + fields.at(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

int bareWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWebEngineView view;
    view.setHtml(QStringLiteral("<html><body><h1>Welcome</h1><p>A page that does not move.</p></body></html>"));
    view.resize(1280, 800);
    view.show();
    return app.exec();
}

class PaintCounter : public QObject
{
public:
    QHash<QString, int> paints;
    int total = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            ++total;
            ++paints[QString::fromLatin1(watched->metaObject()->className()) + QLatin1Char(' ')
                     + watched->objectName()];
        }
        return false;
    }
};

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

// Waiting in the event loop: QTest::qWait wakes every few milliseconds,
// which would be measured as the client's own cost.
void idle(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && QByteArray(argv[1]) == "--bare")
        return bareWindow(argc, argv);
    QApplication app(argc, argv);
    // As the client chooses (its bare anchor stays on Qt's default); what
    // the choice adds to the client's start.
    QElapsedTimer choosing;
    choosing.start();
    QuickBackend::chooseForWebPages();
    const qint64 choosingMs = choosing.elapsed();
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-idle-benchmark"));
    // As a player's desktop would have it (the C locale's short date and time
    // show seconds, which would make the clock change every second).
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const bool check = qEnvironmentVariableIntValue("MAHJONG_BENCHMARK_CHECK") != 0;
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    const int settleMs = check ? 1000 : 10000;

    PeerProcess::installTestCa();
    PeerProcess peer;
    if (!peer.start({QStringLiteral("--demo")})) {
        std::fprintf(stderr, "the scripted game server did not start: %s\n", qPrintable(peer.errorString()));
        return 1;
    }
    QProcess bare;
    bare.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bare.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--bare")});

    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("idle"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    auto *login = window.findChild<QPushButton *>(QStringLiteral("loginButton"));
    if (!login || !waitFor([login] { return login->isVisible() && login->isEnabled(); }, 20000)) {
        std::fprintf(stderr, "no login button\n");
        return 1;
    }
    QTest::mouseClick(login, Qt::LeftButton);
    auto *lobby = static_cast<LobbyWindow *>(nullptr);
    const bool inLobby = waitFor(
        [&] {
        lobby = window.findChild<LobbyWindow *>();
        return window.connectionManager().isLoggedIn() && lobby && lobby->lobbyModel()->rowCount() > 0;
        },
        30000);
    if (!inLobby) {
        std::fprintf(stderr, "the client did not log in to a lobby with tables\n");
        return 1;
    }
    window.onDisplayTab(QStringLiteral("lobby"));
    if (!bare.waitForStarted(10000)) {
        std::fprintf(stderr, "the bare window did not start\n");
        return 1;
    }
    idle(settleMs);

    std::printf("idle at the lobby, %d s each (platform %s, web pages drawn %s)\n", seconds,
                qPrintable(QGuiApplication::platformName()),
                QuickBackend::softwareChosen() ? "in software" : "as Qt chose");
    std::printf("choosing how web pages draw took %lld ms at start\n", choosingMs);
    // First as the scripted server leaves it, with a coming event's popup
    // counting down each second; then with nothing on screen that changes
    // (the popup hidden, as when no event is coming).
    for (const bool countdown : {true, false}) {
        const QList<QLabel *> popups = window.findChildren<QLabel *>(QStringLiteral("comingEventPopup"));
        if (countdown && popups.isEmpty()) {
            std::fprintf(stderr, "no coming event's popup\n");
            return 1;
        }
        if (!countdown)
            for (QLabel *popup : popups)
                popup->hide();
        PaintCounter counter;
        app.installEventFilter(&counter);
        const double ownBefore = cpuSeconds(QCoreApplication::applicationPid());
        const double bareBefore = cpuSeconds(bare.processId());
        idle(seconds * 1000);
        const double own = cpuSeconds(QCoreApplication::applicationPid()) - ownBefore;
        const double anchor = cpuSeconds(bare.processId()) - bareBefore;
        app.removeEventFilter(&counter);
        if (bare.state() != QProcess::Running || bareBefore < 0 || !window.connectionManager().isLoggedIn()) {
            std::fprintf(stderr, "the bare window ended or the client logged out during the measurement\n");
            return 1;
        }
        const double ownShare = 100.0 * own / seconds;
        const double bareShare = 100.0 * anchor / seconds;
        std::printf("\n%s\n", countdown ? "with a countdown shown:" : "nothing changing on screen:");
        std::printf("client:                 %.2f%% of a core\n", ownShare);
        std::printf("bare web view window:   %.2f%% of a core\n", bareShare);
        // At 0.00% the anchor gives no ratio; the difference says the same.
        if (bareShare >= 0.01)
            std::printf("ratio client / bare:    %.1fx\n", ownShare / bareShare);
        else
            std::printf("ratio client / bare:    - (bare below 0.01%%), client %.2f points above\n",
                        ownShare - bareShare);
        std::printf("paint events: %d\n", counter.total);
        QList<QPair<int, QString>> ranked;
        for (auto it = counter.paints.cbegin(); it != counter.paints.cend(); ++it)
            ranked.append({it.value(), it.key()});
        std::sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
        for (int i = 0; i < std::min<qsizetype>(10, ranked.size()); ++i)
            std::printf("  %6d  %s\n", ranked.at(i).first, qPrintable(ranked.at(i).second));
        std::fflush(stdout);
    }
    bare.terminate();
    bare.waitForFinished(5000);
    return 0;
}
