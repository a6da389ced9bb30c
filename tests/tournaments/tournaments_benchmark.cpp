// Cost of tournament updates with the tournament lobby window attached: its
// filter sorted on the Players column and its tree view shown.
//
//   tournaments_benchmark [seconds] [burst]
//
// 2,000 tournaments get 100 partial updates per second (registered players,
// now and then a status) for the given seconds (default 5) with the event
// loop running; then a burst of updates (default 2,000) with the view
// painting every tenth. Three ways are measured: every cell announced and the model
// re-sorted by start on every update, as a refresh that redoes the whole row
// would; only the cells that changed, shown at once (the model re-sorts only
// when a start moves); and the same with the model's default interval, which
// shows the changes of a busy lobby together once per interval. The last two
// add the upcoming tournaments list of the main window, which follows the
// same model.
//
// The anchor, measured in the same run: the same updates, paced and in a
// burst, through a bare Qt model (QStandardItemModel of as many rows and
// columns, a third filtered out by QSortFilterProxyModel, sorted on the
// players, in a shown QTreeView); the ratios stand beside each figure.
#include "TournamentTestData.h"

#include "protocol/TournamentInfoUpdates.h"
#include "tournaments/ComingTournamentsWidget.h"
#include "tournaments/TournamentRegisteredInfo.h"
#include "tournaments/TournamentRoles.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"

#include <QApplication>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QElapsedTimer>
#include <QSettings>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

namespace {

constexpr int Tournaments = 2000;

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

struct Lobby
{
    TournamentsLobbyModel model;
    TournamentsLobbyWindow window;
    ComingTournamentsWidget upcoming;
    std::mt19937 random{42};
    bool wholeRow = false;

    Lobby(bool wholeRowRefresh, int notifyIntervalMs, bool withUpcoming)
        : wholeRow(wholeRowRefresh)
    {
        model.setNotifyInterval(notifyIntervalMs);
        for (int id = 1; id <= Tournaments; ++id) {
            TournamentInfo t = makeTournament(id, QStringLiteral("Tournament %1").arg(id),
                                              TournamentInfo::status_t(id % 4), id % 3, 100 * (id % 70), 10,
                                              int(random() % 64));
            model.addOrUpdateTournament(t);
        }
        model.onRegisteredNotification({5, 50, 500});
        window.setModel(&model);
        window.filter()->removeRuleset(1); // a third is filtered out
        window.resize(900, 700);
        window.show();
        window.view()->sortByColumn(TournamentsLobbyModel::PlayersColumn, Qt::DescendingOrder);
        window.view()->setCurrentIndex(window.view()->model()->index(5, 0));
        if (withUpcoming) {
            upcoming.setModel(&model);
            upcoming.resize(300, 120);
            upcoming.show();
        }
        QCoreApplication::processEvents();
    }

    void update(int n)
    {
        const qint32 id = qint32(1 + random() % Tournaments);
        TournamentInfoUpdates updates{
            tournamentInfoValueUpdate(TournamentInfo::REGISTERED_PLAYERS, int(random() % 64))};
        if (n % 10 == 0)
            updates.push_back(tournamentInfoValueUpdate(TournamentInfo::STATUS, int(random() % 4)));
        model.updateTournamentInfo(id, updates);
        if (wholeRow) {
            const int row = model.indexOfTournament(id).row();
            for (int column = 0; column < TournamentsLobbyModel::ColumnCount; ++column)
                emit model.dataChanged(model.index(row, column), model.index(row, column));
            model.sort(TournamentsLobbyModel::StartColumn);
        }
    }

    // The list shows every tournament the filter keeps, with its current
    // count, registered ones first and then by players, most first.
    bool showsTheRecords() const
    {
        const QAbstractItemModel *shown = window.view()->model();
        int kept = 0;
        for (qint32 id : model.tournamentIds())
            kept += model.tournamentInfo(id).ruleset != 1 ? 1 : 0;
        if (shown->rowCount() != kept)
            return false;
        const auto at = [&](int row, int column, int role) { return shown->index(row, column).data(role); };
        for (int row = 0; row < shown->rowCount(); ++row) {
            const TournamentInfo &info = model.tournamentInfo(at(row, 0, TournamentRoles::IdRole).toInt());
            const auto players = at(row, TournamentsLobbyModel::PlayersColumn, TournamentRoles::RawValueRole)
                                     .value<TournamentRegisteredInfo>();
            if (players.registered != info.registeredPlayers)
                return false;
            if (row == 0)
                continue;
            const bool registered = at(row, 0, TournamentRoles::RegisteredRole).toBool();
            const bool above = at(row - 1, 0, TournamentRoles::RegisteredRole).toBool();
            const auto abovePlayers = at(row - 1, TournamentsLobbyModel::PlayersColumn, TournamentRoles::RawValueRole)
                                          .value<TournamentRegisteredInfo>();
            if (registered > above || (registered == above && abovePlayers < players))
                return false;
        }
        return true;
    }
};

// Runs update(n) 100 times a second for the given seconds with the event
// loop running; CPU microseconds per update and the share of a core.
template <typename Update>
void paced(Update update, int seconds, double *cpuPerUpdateUs, double *cpuShare)
{
    const int target = 100 * seconds;
    int sent = 0;
    QElapsedTimer wall;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 due = qMin<qint64>(target, wall.elapsed() / 10);
        while (sent < due)
            update(sent++);
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

// Runs update(n) the given number of times, the events handled after every
// tenth; CPU microseconds per update.
template <typename Update, typename Finish>
double burst(Update update, Finish finish, int updates)
{
    const double start = cpuSeconds();
    for (int i = 0; i < updates; ++i) {
        update(i);
        if (i % 10 == 9)
            QCoreApplication::processEvents();
    }
    finish();
    QCoreApplication::processEvents();
    return (cpuSeconds() - start) * 1e6 / updates;
}

struct BareLobby
{
    std::mt19937 random{42};
    QStandardItemModel model{Tournaments, TournamentsLobbyModel::ColumnCount};
    QSortFilterProxyModel proxy;
    QTreeView view;

    BareLobby()
    {
        for (int row = 0; row < Tournaments; ++row) {
            for (int column = 0; column < TournamentsLobbyModel::ColumnCount; ++column)
                model.setItem(row, column,
                              new QStandardItem(QStringLiteral("Tournament %1 / %2").arg(row + 1).arg(column)));
            model.item(row, TournamentsLobbyModel::PlayersColumn)->setData(int(random() % 64), Qt::DisplayRole);
            model.item(row, 0)->setData((row + 1) % 3, Qt::UserRole);
        }
        proxy.setFilterRole(Qt::UserRole);
        proxy.setFilterKeyColumn(0);
        proxy.setFilterRegularExpression(QStringLiteral("^[02]$"));
        proxy.setDynamicSortFilter(true);
        proxy.setSourceModel(&model);
        view.setModel(&proxy);
        view.setSortingEnabled(true);
        view.resize(900, 700);
        view.show();
        view.sortByColumn(TournamentsLobbyModel::PlayersColumn, Qt::DescendingOrder);
        view.setCurrentIndex(proxy.index(5, 0));
        QCoreApplication::processEvents();
    }

    void update(int n)
    {
        const int row = int(random() % Tournaments);
        model.item(row, TournamentsLobbyModel::PlayersColumn)->setData(int(random() % 64), Qt::DisplayRole);
        if (n % 10 == 0)
            model.item(row, TournamentsLobbyModel::StatusColumn)->setData(int(random() % 4), Qt::DisplayRole);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-tournaments-benchmark"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    const int seconds = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    const int burstSize = argc > 2 ? qMax(10, atoi(argv[2])) : 2000;

    std::printf("%d tournaments, lobby window sorted by players (descending), CPU microseconds per update\n\n",
                Tournaments);
    double barePaced = 0, bareShare = 0, bareBurst = 0;
    {
        BareLobby bare;
        paced([&](int n) { bare.update(n); }, seconds, &barePaced, &bareShare);
    }
    {
        BareLobby bare;
        bareBurst = burst([&](int n) { bare.update(n); }, [] {}, burstSize);
    }
    std::printf("%-34s %22s %8s %12s %5d %8s\n", "", "100 updates/s (cpu %)", "/ bare", "burst of", burstSize,
                "/ bare");
    struct Way
    {
        const char *name;
        bool wholeRow;
        int notifyIntervalMs;
        bool withUpcoming;
    };
    const int coalesced = TournamentsLobbyModel::DefaultNotifyIntervalMs;
    const Way ways[] = {{"whole row, model sorted, at once", true, 0, false},
                        {"changed cells, at once", false, 0, false},
                        {"changed cells, coalesced", false, coalesced, false},
                        {"at once, with upcoming list", false, 0, true},
                        {"coalesced, with upcoming list", false, coalesced, true}};
    for (const Way &way : ways) {
        double perUpdate = 0, share = 0, burstCost = 0;
        {
            Lobby lobby(way.wholeRow, way.notifyIntervalMs, way.withUpcoming);
            paced([&](int n) { lobby.update(n); }, seconds, &perUpdate, &share);
        }
        {
            Lobby lobby(way.wholeRow, way.notifyIntervalMs, way.withUpcoming);
            burstCost = burst([&](int n) { lobby.update(n); }, [&] { lobby.model.flushChanges(); }, burstSize);
            if (!lobby.showsTheRecords()) {
                std::printf("%s: the list does not show the records in order\n", way.name);
                return 1;
            }
        }
        std::printf("%-34s %13.1f (%5.2f%%) %7.3fx %18.1f %7.3fx\n", way.name, perUpdate, share * 100,
                    perUpdate / std::max(0.001, barePaced), burstCost, burstCost / std::max(0.001, bareBurst));
        std::fflush(stdout);
    }
    std::printf("\nanchor: bare Qt model, proxy and tree view: 100 updates/s %.1f (%.2f%%), burst %.1f\n", barePaced,
                bareShare * 100, bareBurst);
    return 0;
}
