#include "../Sample.h"

#include "tournaments/TournamentPrizeStructureModel.h"
#include "tournaments/TournamentRankingModel.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"

#include <QHeaderView>
#include <QTimer>
#include <QTreeView>

namespace {

TournamentInfo sampleTournament(qint32 id, const char *name, TournamentInfo::status_t status, int ruleset,
                                qint32 bet, qint32 fee, int registered, int maximum, int startInHours,
                                std::vector<int> rounds)
{
    TournamentInfo t;
    t.id = id;
    t.persistentId = id * 10;
    t.status = status;
    t.name = QString::fromUtf8(name);
    t.ruleset = ruleset;
    t.cost = TournamentCost(bet, fee);
    t.registeredPlayers = registered;
    t.maxPlayers = maximum;
    t.start = QDateTime(QDate(2026, 12, 7), QTime(18, 0), Qt::UTC).addSecs(3600 * startInHours);
    t.numberOfRounds = int(rounds.size());
    t.roundsLength = std::move(rounds);
    return t;
}

QWidget *tournamentLobby()
{
    auto *window = new TournamentsLobbyWindow;
    auto *model = new TournamentsLobbyModel(window);
    model->onRegisteredNotification({9});
    model->addOrUpdateTournament(sampleTournament(7, "Sunday Classic", TournamentInfo::Open, 0, 1000, 100, 12, 64, 1,
                                                  {1500, 1500, 1500}));
    model->addOrUpdateTournament(sampleTournament(8, "Riichi Masters", TournamentInfo::Playing, 2, -1, 0, 64, 64, -1,
                                                  {1800, 1800}));
    model->addOrUpdateTournament(sampleTournament(9, "Monday Riichi Freeroll", TournamentInfo::Open, 2, 0, 0, 40, 100,
                                                  3, {1200, 1200, 1200, 1200}));
    model->addOrUpdateTournament(sampleTournament(10, "MCR Weekly", TournamentInfo::Closed, 1, 500, 50, 63, 64, 0,
                                                  {1800, 1800}));
    model->addOrUpdateTournament(sampleTournament(11, "Classic Sprint", TournamentInfo::Seating, 0, 200, 20, 32, 32, 0,
                                                  {900, 900}));
    model->addOrUpdateTournament(sampleTournament(12, "High Roller Riichi", TournamentInfo::Paused, 2, 10000, 500, 18,
                                                  24, -2, {1800, 2400, 3600}));
    model->addOrUpdateTournament(sampleTournament(13, "Saturday Classic", TournamentInfo::Done, 0, 1000, 100, 50, 64,
                                                  -24, {1500, 1500}));
    model->addOrUpdateTournament(sampleTournament(14, "Night Owl MCR", TournamentInfo::Cancelled, 1, -1, 0, 2, 16, -3,
                                                  {1200}));
    window->setModel(model);
    // Sized once shown, in the language's font, as the column timer does.
    QTimer::singleShot(0, window, &TournamentsLobbyWindow::onResizeColumnsTimeout);
    window->selectTournament(70);
    return window;
}

QTreeView *listView(QAbstractItemModel *model)
{
    auto *view = new QTreeView;
    model->setParent(view);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->header()->hide();
    view->header()->setStretchLastSection(false);
    for (int column = 0; column < model->columnCount(); ++column)
        view->resizeColumnToContents(column);
    return view;
}

QWidget *prizeStructure()
{
    TournamentInfo t = sampleTournament(7, "Sunday Classic", TournamentInfo::Open, 0, 1000, 100, 12, 64, 1, {});
    t.additionalPayoutAmount = 2345;
    prize_structure_t prizes{{{1, 1}, pot_share_t{350}}, {{2, 2}, pot_share_t{250}}, {{3, 3}, pot_share_t{155}},
                             {{4, 10}, pot_share_t{35}}};
    auto *model = new TournamentPrizeStructureModel;
    model->onTournamentPrizeStructure(prizes, t);
    return listView(model);
}

QWidget *rankings()
{
    auto *model = new TournamentRankingModel(7);
    model->onTournamentRankings(7, {{1001, QStringLiteral("Lucky"), 48, 3, 50000, false},
                                    {1002, QStringLiteral("Bamboo"), 31, 2, 12550, false},
                                    {1003, QStringLiteral("Dragon"), 31, 2, 12550, false},
                                    {1004, QStringLiteral("東風"), -5, 0, 0, true}});
    return listView(model);
}

} // namespace

MAHJONG_SAMPLE(tournamentLobby, {QStringLiteral("tournament-lobby"), {760, 460}, &tournamentLobby});
MAHJONG_SAMPLE(tournamentLobbySmall, {QStringLiteral("tournament-lobby-form-size"), {469, 413}, &tournamentLobby});
MAHJONG_SAMPLE(tournamentPrizes, {QStringLiteral("tournament-prize-structure"), {320, 160}, &prizeStructure});
MAHJONG_SAMPLE(tournamentRankings, {QStringLiteral("tournament-rankings"), {320, 160}, &rankings});
