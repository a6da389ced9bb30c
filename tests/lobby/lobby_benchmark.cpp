// Cost of lobby table updates with a sorted, filtered view attached.
//
//   lobby_benchmark [updates]
//
// For lobbies of 1,000 and 10,000 tables it measures (1) a burst of updates
// through the model and the sorting, filtering proxy with every change
// announced at once, (2) the same with a tree view showing the proxy and
// painting every tenth update, and (3) 1,000 updates per second for three
// seconds with the view and the event loop running, with every change
// announced at once and with the model's coalescing interval (CPU time per
// update and the share of one core). Every update changes the seated count,
// the column the view is sorted by.
#include "LobbyTestTables.h"

#include "lobby/LobbyModel.h"
#include "lobby/RulesetLobbyFilter.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <ctime>
#include <memory>
#include <random>

namespace {

const QString Path = QStringLiteral("101/Practice");

struct Lobby
{
    ConnectionManager connection{false};
    TableModel tables{&connection};
    RulesetLobbyFilter filter{{Path}};
    LobbyModel lobby;
    std::unique_ptr<QTreeView> view;
    std::mt19937 random{42};
    int tableCount = 0;

    Lobby(int count, bool withView, int notifyIntervalMs) : tableCount(count)
    {
        tables.setNotifyInterval(notifyIntervalMs);
        filter.setRulesetShown(0, true);
        filter.setRulesetShown(2, true); // a third of the tables is filtered out
        lobby.setSourceModel(&tables);
        lobby.setFilter(&filter);
        for (int id = 1; id <= count; ++id) {
            TableInfo info = makeTable(id, Path, id % 3, 4, int(random() % 4), id % 7);
            info.setValue(ValueColumnType(1 + id % 2, 100 * (id % 50), 10));
            emit connection.tableInfoUpdate(info);
        }
        lobby.sort(TableModel::PlayersColumn, Qt::DescendingOrder);
        if (withView) {
            view = std::make_unique<QTreeView>();
            view->setUniformRowHeights(true);
            view->setRootIsDecorated(false);
            view->setModel(&lobby);
            view->setSortingEnabled(true);
            view->sortByColumn(TableModel::PlayersColumn, Qt::DescendingOrder);
            view->resize(800, 600);
            view->show();
            view->setCurrentIndex(lobby.index(5, 0));
            QCoreApplication::processEvents();
        }
    }

    void update()
    {
        const qint32 id = qint32(1 + random() % unsigned(tableCount));
        emit connection.tableInfoUpdate(id, int(random() % 4), TableInfoUpdates());
    }
};

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double burst(int tables, bool withView, int notifyIntervalMs, int updates)
{
    Lobby lobby(tables, withView, notifyIntervalMs);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < updates; ++i) {
        lobby.update();
        if (withView && i % 10 == 9)
            QCoreApplication::processEvents(); // the view lays out and paints as it would live
    }
    if (withView)
        QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1000.0 / updates;
}

void paced(int tables, int notifyIntervalMs, double *cpuPerUpdateUs, double *cpuShare)
{
    Lobby lobby(tables, true, notifyIntervalMs);
    int sent = 0;
    const int target = 3000;
    QElapsedTimer wall;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        // Catch up to 1,000 per second of wall time.
        const qint64 due = qMin<qint64>(target, wall.elapsed());
        while (sent < due) {
            lobby.update();
            ++sent;
        }
        if (sent >= target)
            QCoreApplication::exit(0);
    });
    const double cpuStart = cpuSeconds();
    wall.start();
    tick.start();
    QCoreApplication::exec();
    const double cpu = cpuSeconds() - cpuStart;
    *cpuPerUpdateUs = cpu * 1e6 / sent;
    *cpuShare = cpu / (double(wall.nsecsElapsed()) / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int updates = argc > 1 ? qMax(100, atoi(argv[1])) : 20000;

    std::printf("lobby update cost, CPU microseconds per update (every update changes the sort column)\n");
    std::printf("at once: every change announced immediately; coalesced: the model's default %d ms interval\n\n",
                TableModel::DefaultNotifyIntervalMs);
    std::printf("%7s | %18s %18s | %20s %20s\n", "", "burst, at once", "", "1000 updates/s, view", "");
    std::printf("%7s | %18s %18s | %20s %20s\n", "tables", "model+proxy", "+ tree view", "at once (cpu %)",
                "coalesced (cpu %)");
    for (int tables : {1000, 10000}) {
        const double proxy = burst(tables, false, 0, updates);
        const double viewed = burst(tables, true, 0, qMax(100, updates / 10));
        double pacedEach = 0, shareEach = 0, pacedDefault = 0, shareDefault = 0;
        paced(tables, 0, &pacedEach, &shareEach);
        paced(tables, TableModel::DefaultNotifyIntervalMs, &pacedDefault, &shareDefault);
        std::printf("%7d | %18.2f %18.2f | %11.2f (%5.1f%%) %11.2f (%5.1f%%)\n", tables, proxy, viewed, pacedEach,
                    shareEach * 100, pacedDefault, shareDefault * 100);
    }
    return 0;
}
