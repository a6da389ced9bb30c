#include "../Sample.h"
#include "SampleTournament.h"

#include "lobby/TableModel.h"
#include "tournaments/ComingEventPopup.h"
#include "tournaments/ComingTournamentsWidget.h"
#include "tournaments/JoinDialog.h"
#include "tournaments/TournamentDetailDialog.h"
#include "tournaments/TournamentPreview.h"
#include "tournaments/TournamentPrizeStructureModel.h"
#include "tournaments/TournamentRankingModel.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QWidget *tournamentLobby()
{
    auto *window = new TournamentsLobbyWindow;
    auto *model = new TournamentsLobbyModel(window);
    model->onRegisteredNotification({9});
    model->addOrUpdateTournament(
        sampleTournament(7, "Sunday Classic", TournamentInfo::Open, 0, 1000, 100, 12, 64, 1, {1500, 1500, 1500}));
    model->addOrUpdateTournament(
        sampleTournament(8, "Riichi Masters", TournamentInfo::Playing, 2, -1, 0, 64, 64, -1, {1800, 1800}));
    model->addOrUpdateTournament(sampleTournament(9, "Monday Riichi Freeroll", TournamentInfo::Open, 2, 0, 0, 40, 100,
                                                  3, {1200, 1200, 1200, 1200}));
    model->addOrUpdateTournament(
        sampleTournament(10, "MCR Weekly", TournamentInfo::Closed, 1, 500, 50, 63, 64, 0, {1800, 1800}));
    model->addOrUpdateTournament(
        sampleTournament(11, "Classic Sprint", TournamentInfo::Seating, 0, 200, 20, 32, 32, 0, {900, 900}));
    model->addOrUpdateTournament(sampleTournament(12, "High Roller Riichi", TournamentInfo::Paused, 2, 10000, 500, 18,
                                                  24, -2, {1800, 2400, 3600}));
    model->addOrUpdateTournament(
        sampleTournament(13, "Saturday Classic", TournamentInfo::Done, 0, 1000, 100, 50, 64, -24, {1500, 1500}));
    model->addOrUpdateTournament(
        sampleTournament(14, "Night Owl MCR", TournamentInfo::Cancelled, 1, -1, 0, 2, 16, -3, {1200}));
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
    prize_structure_t prizes{
        {{1, 1}, pot_share_t{350}}, {{2, 2}, pot_share_t{250}}, {{3, 3}, pot_share_t{155}}, {{4, 10}, pot_share_t{35}}};
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

// Records timed from now, so that countdowns read as they would.
TournamentInfo comingTournament(qint32 id, const char *name, TournamentInfo::status_t status, qint64 startInSecs)
{
    TournamentInfo t = sampleTournament(id, name, status, 2, 1000, 100, 12, 64, 0, {1500, 1500, 1500});
    t.start = QDateTime::currentDateTimeUtc().addSecs(startInSecs);
    t.closeRegister = t.start.addSecs(-300);
    t.roundsStart = {t.start, t.start.addSecs(1800), t.start.addSecs(3600)};
    return t;
}

TournamentsLobbyModel *upcomingModel(QObject *parent)
{
    auto *model = new TournamentsLobbyModel(parent);
    model->onRegisteredNotification({8});
    model->addOrUpdateTournament(comingTournament(7, "Sunday Classic", TournamentInfo::Open, 3700));
    model->addOrUpdateTournament(
        comingTournament(8, "Monday Riichi Freeroll with a rather long name", TournamentInfo::Open, 7300));
    model->addOrUpdateTournament(comingTournament(9, "MCR Weekly", TournamentInfo::Open, 86400));
    model->addOrUpdateTournament(comingTournament(10, "New Year Special", TournamentInfo::Open, 30 * 86400));
    return model;
}

QWidget *joinDialog(int type, TournamentInfo::status_t status = TournamentInfo::Open)
{
    return new JoinDialog(nullptr, comingTournament(7, "Sunday Classic", status, 3700), type);
}

const TournamentRankings sampleRankings = {{1001, QStringLiteral("Lucky"), 48, 3, 50000, false},
                                           {1002, QStringLiteral("Bamboo"), 31, 2, 12550, false},
                                           {1003, QStringLiteral("Dragon"), 31, 2, 12550, false},
                                           {1004, QStringLiteral("東風"), -5, 0, 0, true}};

QWidget *openDetail()
{
    auto *dialog = new TournamentDetailDialog;
    TournamentInfo t = comingTournament(7, "Sunday Classic", TournamentInfo::Open, 3700);
    t.playerRegistered = true;
    dialog->setTournamentInfo(t);
    tournament_prize_configuration_t prizes;
    prizes[Range<int>(2, 64)] = {{{1, 1}, pot_share_t{500}}, {{2, 2}, pot_share_t{300}}, {{3, 4}, pot_share_t{100}}};
    dialog->onTournamentPrizeConfiguration(7, prizes);
    dialog->onTournamentRankings(7, sampleRankings);
    return dialog;
}

QWidget *playingDetail()
{
    auto *dialog = new TournamentDetailDialog;
    auto *tables = new TableModel(nullptr, dialog);
    tables->setNotifyInterval(0);
    dialog->setTableModel(tables);
    TournamentInfo t = comingTournament(8, "Riichi Masters", TournamentInfo::Playing, -600);
    t.currentRound = 0;
    dialog->setTournamentInfo(t);
    for (qint32 id = 8001; id <= 8004; ++id)
        tables->onTableInfoUpdate(TableInfo(id, QStringLiteral("101/mtt/8")));
    dialog->onTournamentRankings(8, sampleRankings);
    return dialog;
}

// As in the logged-in page, where the main window's style applies.
QWidget *inMainWindow(QWidget *panel)
{
    auto *window = new QMainWindow;
    auto *page = new QWidget(window);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(panel);
    window->setCentralWidget(page);
    return window;
}

QWidget *preview()
{
    auto *preview = new TournamentPreview;
    preview->setModel(upcomingModel(preview));
    preview->onPreviewTournament(7);
    return inMainWindow(preview);
}

QWidget *upcoming()
{
    auto *widget = new ComingTournamentsWidget;
    widget->setModel(upcomingModel(widget));
    return inMainWindow(widget);
}

QWidget *countdownPopup()
{
    auto *window = new QMainWindow;
    auto *popup = new ComingEventPopup(window, {1, QDateTime::currentDateTimeUtc().addSecs(2 * 3600 + 125)});
    popup->onTimeout();
    popup->move(8, 8);
    auto *maintenance = new ComingEventPopup(window, {0, QDateTime::currentDateTimeUtc().addSecs(600)});
    maintenance->onTimeout();
    maintenance->move(8, 40);
    return window;
}

} // namespace

MAHJONG_SAMPLE(tournamentJoin, {QStringLiteral("tournament-join-dialog"), {}, [] { return joinDialog(0); }});
MAHJONG_SAMPLE(tournamentJoinDeposit,
               {QStringLiteral("tournament-join-dialog-deposit"), {}, [] { return joinDialog(1); }});
// Opened before the tournament started, and kept open past its start.
MAHJONG_SAMPLE(tournamentJoinStarted, {QStringLiteral("tournament-join-dialog-started"), {}, [] {
                                           return joinDialog(0, TournamentInfo::Seating);
                                       }});
MAHJONG_SAMPLE(tournamentDetailOpen, {QStringLiteral("tournament-detail-open"), {}, &openDetail});
MAHJONG_SAMPLE(tournamentDetailPlaying, {QStringLiteral("tournament-detail-playing"), {}, &playingDetail});
MAHJONG_SAMPLE(tournamentPreview, {QStringLiteral("tournament-preview"), {250, 320}, &preview});
MAHJONG_SAMPLE(upcomingTournaments, {QStringLiteral("upcoming-tournaments"), {280, 160}, &upcoming});
MAHJONG_SAMPLE(comingEventPopup, {QStringLiteral("coming-event-popup"), {520, 80}, &countdownPopup});
MAHJONG_SAMPLE(tournamentLobby,
               {QStringLiteral("tournament-lobby"), {760, 460}, [] { return asMainWindowPage(tournamentLobby()); }});
MAHJONG_SAMPLE(tournamentLobbySmall, {QStringLiteral("tournament-lobby-form-size"), {469, 413}, [] {
                                          return asMainWindowPage(tournamentLobby());
                                      }});
MAHJONG_SAMPLE(tournamentPrizes, {QStringLiteral("tournament-prize-structure"), {320, 160}, &prizeStructure});
MAHJONG_SAMPLE(tournamentRankings, {QStringLiteral("tournament-rankings"), {320, 160}, &rankings});
