// How long the GUI thread is blocked while a whole scripted hand plays at a
// shown 1920 x 1080 table window with animations: the demo's Riichi hand
// against the scripted game server, answered as a player would. The event
// loop never sleeps on its own (no qWait): a 1 ms precise timer ticks, and
// the gaps between its ticks are the stalls a player would see. Prints the
// median, the 99th percentile and the longest gap and how many exceed one
// 60 Hz frame (16 ms) in the hand; asserts nothing.
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "scene/HandView.h"
#include "scene/TileGraphics.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/ScoreBoard.h"
#include "tools/peer/PeerProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <QDeadlineTimer>
#include <QDir>
#include <QSettings>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// Runs the event loop until the condition holds; it wakes for events only
// (the probe's ticks among them), never for a sleep of its own. The probe
// ticks every millisecond, so the deadline is seen in time.
bool waitFor(const std::function<bool()> &condition, int ms = 60000)
{
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Names the longest events the GUI thread handled, so that a stall can be
// traced to its receiver: the outermost dispatches over 8 ms.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    struct Slow
    {
        double at, ms;
        QString what;
    };
    std::vector<Slow> slow;
    QElapsedTimer clock;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (m_depth > 0 || !clock.isValid())
            return QApplication::notify(receiver, event);
        ++m_depth;
        QElapsedTimer timer;
        timer.start();
        const int type = event->type();
        const QString name = QString::fromLatin1(receiver->metaObject()->className()) + QLatin1Char('/')
                             + receiver->objectName();
        const bool result = QApplication::notify(receiver, event);
        const double ms = timer.nsecsElapsed() / 1e6;
        --m_depth;
        if (ms > 8.0)
            slow.push_back({clock.elapsed() / 1000.0, ms, QStringLiteral("%1 event %2").arg(name).arg(type)});
        return result;
    }

private:
    int m_depth = 0;
};

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

int fail(const char *what)
{
    std::fprintf(stderr, "table_hand_benchmark: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    TimedApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("mahjong-benchmarks"));
    QCoreApplication::setApplicationName(QStringLiteral("table_hand_benchmark"));
    QSettings().setValue(QStringLiteral("game/animations"), true);
    QSettings().setValue(QStringLiteral("game/sound"), false);
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    QDir::setSearchPaths(QStringLiteral("textimages"), {QStringLiteral(":/default/textimages")});
    TileGraphics::instance().setTileSet(0, 0);
    PeerProcess peer;
    if (!peer.start({QStringLiteral("--demo")}))
        return fail("the scripted server did not start");
    PeerProcess::installTestCa();
    ConnectionManager session(true);
    QSignalSpy loggedIn(&session, &ConnectionManager::loginSuccess);
    QObject::connect(&session, &ConnectionManager::versionCheckComplete, &session,
                     [&session] { session.login(QStringLiteral("bench"), QStringLiteral("any")); });
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    if (!loggedIn.wait(10000))
        return fail("no login");
    TableModel tables(&session);
    tables.subscribe(QStringLiteral("101/Practice"));
    if (!waitFor([&] { return tables.hasTable(1002); }, 10000))
        return fail("no lobby");
    QWidget mainWindow;
    GameController controller(&session, nullptr, nullptr, &mainWindow);
    controller.setTableModel(&tables);
    controller.setPlayerId(session.ownPlayerId());
    controller.setPlayerName(QStringLiteral("bench"));
    QSignalSpy askedReady(&session, &ConnectionManager::areYouReady);
    QSignalSpy roundEnded(&session, &ConnectionManager::endOfRound);

    session.join_table(1002, -1);
    if (!waitFor([&] { return controller.view(1002) != nullptr; }, 10000))
        return fail("no table window");
    GameWindow *window = controller.view(1002);
    window->resize(1920, 1080);
    window->show();

    // From here on every gap between probe ticks beyond 1 ms is time the GUI
    // thread could not take events.
    std::vector<double> gaps;
    gaps.reserve(200000);
    QElapsedTimer sinceTick;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QElapsedTimer total;
    // A gap is work on the GUI thread or the thread waiting for a core on
    // a busy machine: the thread's own CPU time in the gap tells them apart.
    struct Stall
    {
        double at, ms, cpuMs;
    };
    std::vector<Stall> stalls;
    double cpuAtTick = threadCpuMs();
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const double gap = sinceTick.nsecsElapsed() / 1e6;
        const double cpu = threadCpuMs();
        gaps.push_back(gap);
        if (gap > 16.0)
            stalls.push_back({total.elapsed() / 1000.0, gap, cpu - cpuAtTick});
        cpuAtTick = cpu;
        sinceTick.restart();
    });
    sinceTick.start();
    probe.start();
    total.start();
    app.clock.start();

    if (!waitFor([&] { return !window->concealedActionDialog()->isHidden(); }))
        return fail("no riichi offer");
    window->onConcealedRiichiSelected();
    window->onTileClick(33);
    if (!waitFor([&] { return window->meldAuction() != nullptr; }))
        return fail("no claim offer");
    window->onMeldSelected(meld_offer(MELD_MAHJONG, 27));
    if (!waitFor([&] { return !window->scoreBoard()->isHidden() && askedReady.size() == 1; }))
        return fail("no score board");
    window->onReadyButtonClick();
    if (!waitFor([&] { return roundEnded.size() == 1; }))
        return fail("no end of round");
    // The last animations and boards, without a sleep.
    const qint64 settled = total.elapsed() + 2000;
    waitFor([&] { return total.elapsed() >= settled; }, 4000);
    probe.stop();

    std::sort(gaps.begin(), gaps.end());
    if (gaps.empty())
        return fail("no probe ticks");
    const auto over = std::count_if(gaps.begin(), gaps.end(), [](double g) { return g > 16.0; });
    std::printf("whole hand at 1920x1080: %.1f s, %zu probe ticks (1 ms)\n", total.elapsed() / 1000.0, gaps.size());
    std::printf("gaps between ticks: median %.2f ms, 99th percentile %.2f ms, longest %.2f ms\n", gaps[gaps.size() / 2],
                gaps[gaps.size() * 99 / 100], gaps.back());
    std::printf("gaps over 16 ms in the hand: %lld (goal: none)\n", static_cast<long long>(over));
    for (const Stall &stall : stalls)
        std::printf("  %.2f ms at %.2f s, %.2f ms of it on the GUI thread's CPU\n", stall.ms, stall.at, stall.cpuMs);
    std::printf("events that took over 8 ms:\n");
    for (const auto &event : app.slow)
        std::printf("  %.2f ms at %.2f s: %s\n", event.ms, event.at, qPrintable(event.what));
    QSettings().clear();
    return 0;
}
