// What a server's bulk costs the window (a benchmark, not a test): the real
// main window logged in to the scripted game server, which first sends a
// burst of small messages of every kind that shows a box (player and system
// messages, refused joins and tournament registrations, in turn), then, at
// a table, a scored hand whose score line is one word of 200,000 characters
// and a system message as long. For each: the GUI thread's own CPU time, the
// longest stall of the event loop (the gap between ticks of a 1 ms timer)
// with the GUI thread's CPU time in it, the stalls over 16 ms, the boxes
// open and the memory (resident set) before and after.
// Goals: one box per kind of message (four here), the memory back within a
// few megabytes of where it was, no stall over 16 ms of the GUI thread's own
// work.
//
//   mainwindow_bulk_benchmark [messages]     (6000 by default)
#include "app/ResourcePaths.h"
#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "game/GameModel.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/ScoreBoard.h"
#include "widgets/TranslationsManager.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

// Gaps between the ticks of a precise 1 ms timer: the event loop's stalls,
// each with the GUI thread's own CPU time in it (the rest is waiting for a
// core on a busy machine).
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, &StallMeter::tick);
    }

    void start()
    {
        m_longest = 0;
        m_longestCpu = 0;
        m_over16 = 0;
        m_clock.start();
        m_lastCpu = threadCpuMs();
        m_startCpu = m_lastCpu;
        m_timer.start();
    }

    void stop()
    {
        tick();
        m_timer.stop();
        m_totalCpu = threadCpuMs() - m_startCpu;
    }

    void print(const char *what) const
    {
        std::printf("%s: GUI thread %.0f ms of CPU; longest stall %.1f ms (%.1f ms of it the GUI thread's), %d stalls "
                    "over 16 ms\n",
                    what, m_totalCpu, m_longest, m_longestCpu, m_over16);
    }

    double totalCpu() const { return m_totalCpu; }

private:
    void tick()
    {
        const double gap = m_clock.nsecsElapsed() / 1e6;
        m_clock.restart();
        const double cpu = threadCpuMs();
        if (gap > 16)
            ++m_over16;
        if (gap > m_longest) {
            m_longest = gap;
            m_longestCpu = cpu - m_lastCpu;
        }
        m_lastCpu = cpu;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_lastCpu = 0;
    double m_startCpu = 0;
    double m_totalCpu = 0;
    double m_longest = 0;
    double m_longestCpu = 0;
    int m_over16 = 0;
};

QJsonObject send(const char *message, const QJsonObject &fields)
{
    return QJsonObject{{"send", message}, {"fields", fields}};
}

bool writeScenario(const QString &file, const QJsonObject &scenario)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(QJsonDocument(scenario).toJson(QJsonDocument::Compact)) > 0;
}

void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until condition holds (checked every few
// milliseconds) or the time is up.
bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        idle(5);
    }
    return true;
}

QList<QMessageBox *> openBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible())
            boxes << box;
    }
    return boxes;
}

constexpr qint64 burstDone = 4242;
constexpr qint64 tableDone = 4343;
constexpr qint64 messageDone = 4444;

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-bulk-benchmark"));
    QSettings().clear();
    QSettings().setValue(QStringLiteral("game/animations"), false);
    QSettings().setValue(QStringLiteral("game/sound"), false);
    ResourcePaths::install({});
    TranslationsManager translations(ResourcePaths::roots({}));
    translations.setLanguage(QStringLiteral("en"));
    const int messages = argc > 1 ? std::max(4, atoi(argv[1])) : 6000;
    const int longText = 200000;

    QTemporaryDir dir;
    QJsonArray burst{QJsonObject{
        {"expect", "lobby_subscribe"}, {"fields", QJsonObject{{"lobbyPath", "101/Bench"}}}, {"timeout_ms", 120000}}};
    for (int i = 0; i < messages; ++i) {
        const QString n = QString::number(i);
        switch (i % 4) {
        case 0:
            burst.append(send("player_message", {{"text", QStringLiteral("Message %1 from a player").arg(n)}}));
            break;
        case 1:
            burst.append(
                send("system_message", {{"kind", 1}, {"id", i}, {"text", QStringLiteral("Notice %1").arg(n)}}));
            break;
        case 2:
            burst.append(send("join_failed", {{"tableId", 5000 + i}, {"reason", 2}}));
            break;
        default:
            burst.append(send("tournament_register_failed", {{"tournamentId", 7}, {"reason", 6}}));
            break;
        }
    }
    burst.append(send("account_balance", {{"cents", burstDone}}));

    const QJsonObject tableState{{"playerId", "$pid"}, {"thirdValue", "$pid"}, {"lastDiscarder", -1}};
    QJsonArray table;
    for (int i = 1; i <= 3; ++i)
        table.append(
            send("player_joined", {{"tableId", "$table"},
                                   {"player", QJsonObject{{"id", 900 + i}, {"wind", i}, {"riichiDiscardIndex", -1}}}}));
    table.append(
        send("start_hand", {{"tableId", "$table"},
                            {"handId", 1},
                            {"seating", QJsonObject{{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 903}}},
                            {"newRound", true},
                            {"tableState", tableState},
                            {"wallState", QJsonObject{{"liveTiles", 70}, {"deadWallTiles", 14}}}}));
    // The table is made and shown before the measured part begins.
    table.append(QJsonObject{{"expect", "lobby_subscribe"},
                             {"fields", QJsonObject{{"lobbyPath", "101/Bench/Scores"}}},
                             {"timeout_ms", 120000}});
    QJsonArray scores{
        QJsonObject{{"playerId", "$pid"},
                    {"name", "Ann"},
                    {"result", 1},
                    {"doubles", QJsonArray{QJsonObject{{"name", QString(longText, QLatin1Char('W'))}, {"value", 1}}}},
                    {"doublesTotal", 1},
                    {"handScore", 1000},
                    {"settlement", 1000}}};
    for (int i = 1; i <= 3; ++i)
        scores.append(QJsonObject{{"playerId", 900 + i}, {"result", 0}});
    table.append(send("hand_end_scoring",
                      {{"tableId", "$table"}, {"scoring", QJsonObject{{"winKind", 3}, {"scores", scores}}}}));
    table.append(send("account_balance", {{"cents", tableDone}}));
    table.append(QJsonObject{{"expect", "lobby_subscribe"},
                             {"fields", QJsonObject{{"lobbyPath", "101/Bench/Message"}}},
                             {"timeout_ms", 120000}});
    table.append(send("system_message", {{"kind", 1}, {"id", 1}, {"text", QString(longText, QLatin1Char('S'))}}));
    table.append(send("account_balance", {{"cents", messageDone}}));
    table.append(QJsonObject{{"expect", "leave_table"}, {"timeout_ms", 600000}});

    const QString burstFile = dir.filePath(QStringLiteral("burst.json"));
    const QString tableFile = dir.filePath(QStringLiteral("table.json"));
    if (!dir.isValid() || !writeScenario(burstFile, {{"trigger", "login"}, {"steps", burst}})
        || !writeScenario(
            tableFile, {{"trigger", "join"}, {"tables", QJsonArray{1002}}, {"empty_table", true}, {"steps", table}})) {
        std::fprintf(stderr, "cannot write the scenarios\n");
        return 1;
    }

    PeerProcess::installTestCa();
    PeerProcess peer;
    if (!peer.start({QStringLiteral("--demo"), QStringLiteral("--quiet"), QStringLiteral("--scenario"), burstFile,
                     QStringLiteral("--scenario"), tableFile})) {
        std::fprintf(stderr, "the scripted game server did not start: %s\n", qPrintable(peer.errorString()));
        return 1;
    }

    MainWindow window(QStringLiteral("localhost"), peer.port(), QString(), QString(), true,
                      QStringLiteral("127.0.0.1:1"), &translations);
    QObject::connect(&window.connectionManager(), &ConnectionManager::versionCheckComplete, &window,
                     [&window] { window.login(QStringLiteral("bench"), QStringLiteral("secret")); });
    window.onStartupFinished(true);
    if (!waitFor(
            [&window] { return window.lobbyController() && window.lobbyController()->tableModel()->hasTable(1002); },
            60000)) {
        std::fprintf(stderr, "not logged in\n");
        return 1;
    }
    // Settled at the lobby.
    idle(1000);

    StallMeter meter;
    const double before = residentMb();
    const int boxesBefore = int(openBoxes().size());
    meter.start();
    window.connectionManager().lobby_subscribe(QStringLiteral("101/Bench"));
    if (!waitFor([&window] { return window.accountBalance() == burstDone; }, 600000)) {
        std::fprintf(stderr, "the burst was not read\n");
        return 1;
    }
    // What the boxes show of it.
    idle(500);
    meter.stop();
    const double after = residentMb();
    const int boxes = int(openBoxes().size()) - boxesBefore;
    std::printf("burst of %d small messages:\n", messages);
    meter.print("  read and shown");
    std::printf("  per message: %.1f us of the GUI thread\n", meter.totalCpu() * 1000 / messages);
    std::printf("  boxes open: %d\n", boxes);
    std::printf("  memory: %.1f MB before, %.1f MB after (%+.1f MB)\n", before, after, after - before);
    for (QMessageBox *box : openBoxes())
        box->close();
    idle(500);
    std::printf("  memory after the boxes were closed: %.1f MB (%+.1f MB)\n", residentMb(), residentMb() - before);

    window.joinTable(1002);
    if (!waitFor(
            [&window] {
        GameModel *model = window.gameController()->model(1002);
        return window.gameController()->view(1002) && model && model->isInPlay();
            },
            60000)) {
        std::fprintf(stderr, "the table was not joined\n");
        return 1;
    }
    idle(1000);
    meter.start();
    window.connectionManager().lobby_subscribe(QStringLiteral("101/Bench/Scores"));
    const auto board = [&window]() -> ScoreBoard * {
        GameWindow *page = window.gameController()->view(1002);
        return page && page->scoreBoard()->isVisible() ? page->scoreBoard() : nullptr;
    };
    if (!waitFor([&] { return window.accountBalance() == tableDone && board(); }, 600000)) {
        std::fprintf(stderr, "the scored hand was not shown\n");
        return 1;
    }
    // Painted as the player sees it.
    board()->grab();
    idle(500);
    meter.stop();
    std::printf("score line of %d characters in one word:\n", longText);
    meter.print("  read and shown");

    idle(1000);
    const int boxesBeforeMessage = int(openBoxes().size());
    meter.start();
    window.connectionManager().lobby_subscribe(QStringLiteral("101/Bench/Message"));
    if (!waitFor([&] { return window.accountBalance() == messageDone && int(openBoxes().size()) > boxesBeforeMessage; },
                 600000)) {
        std::fprintf(stderr, "the system message was not shown\n");
        return 1;
    }
    openBoxes().constLast()->grab();
    idle(500);
    meter.stop();
    std::printf("system message of %d characters in one word:\n", longText);
    meter.print("  read and shown");
    return 0;
}
