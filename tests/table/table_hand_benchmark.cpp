// How long the GUI thread is blocked while a whole scripted hand plays at a
// shown table window with animations: the demo's Riichi hand against the
// scripted game server, answered as a player would. A 2 ms precise timer
// probes the event loop; its longest late tick is the longest block.
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "scene/HandView.h"
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

#include <cstdio>
#include <functional>

namespace {

bool waitFor(const std::function<bool()> &condition, int ms = 60000)
{
    return QTest::qWaitFor(condition, ms);
}

int fail(const char *what)
{
    std::fprintf(stderr, "table_hand_benchmark: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
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
    window->resize(1280, 800);
    window->show();

    // From here on every late probe tick is time the GUI thread was busy.
    constexpr int probeMs = 2;
    qint64 longestMs = 0;
    qint64 ticks = 0;
    QElapsedTimer sinceTick;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(probeMs);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longestMs = std::max(longestMs, sinceTick.restart() - probeMs);
        ++ticks;
    });
    sinceTick.start();
    probe.start();
    QElapsedTimer total;
    total.start();

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
    QTest::qWait(2000); // the last animations and boards
    probe.stop();

    std::printf("whole hand: %.1f s, %lld probe ticks\n", total.elapsed() / 1000.0, ticks);
    std::printf("longest GUI-thread block: %lld ms (goal: 16 ms)\n", longestMs);
    return 0;
}
