// The logged-in main window at the two common window sizes: the tournament
// list as the demo server keeps it moving, the refused-join questions and
// the friends page with nobody chosen.
#include "../Sample.h"

#include "mainwindow/MainWindow.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>

namespace {
MainWindow *frame(const char *tab)
{
    auto *window = new MainWindow(QStringLiteral("localhost"), 443, QStringLiteral("ann"), QString(), true,
                                  QStringLiteral("localhost"), nullptr);
    window->displayLobby();
    window->setPlayerName(QStringLiteral("Ann"));
    window->onCurrentAccountBalance(123456);
    window->onDisplayTab(QString::fromLatin1(tab));
    return window;
}

TournamentInfo tournament(qint32 id, const char *name, TournamentInfo::status_t status, int ruleset, qint32 bet,
                          qint32 fee, int registered, int maximum, int startInHours)
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
    t.numberOfRounds = 3;
    t.roundsLength = {1200, 1200, 1200};
    return t;
}

// The demo server's tournaments; the columns are sized, then the open ones
// fill up, as they do every few seconds in a live lobby.
MainWindow *tournaments()
{
    MainWindow *window = frame("tournament");
    TournamentsLobbyModel *model = window->tournamentsController()->model();
    const TournamentInfo list[] = {
        tournament(7, "Sunday Classic", TournamentInfo::Open, 0, 1000, 100, 12, 64, 1),
        tournament(9, "Monday Riichi Freeroll", TournamentInfo::Open, 2, 0, 0, 40, 100, 2),
        tournament(10, "MCR Weekly", TournamentInfo::Closed, 1, 500, 50, 64, 64, 0),
        tournament(11, "Classic Sprint", TournamentInfo::Seating, 0, 200, 20, 32, 32, 0),
        tournament(12, "High Roller Riichi", TournamentInfo::Paused, 2, 10000, 500, 2, 24, -1),
        tournament(13, "Saturday Classic", TournamentInfo::Done, 0, 1000, 100, 50, 64, -24),
        tournament(15, "New Year Special", TournamentInfo::Open, 0, 2500, 250, 3, 256, 720),
        tournament(17, "Grand Prix Riichi", TournamentInfo::Open, 2, 250000, 10000, 5, 32, 24),
    };
    for (const TournamentInfo &t : list)
        model->addOrUpdateTournament(t);
    model->flushChanges();
    window->findChild<TournamentsLobbyWindow *>()->onResizeColumnsTimeout();
    QTimer::singleShot(0, window, [model] {
        TournamentInfo grown = model->tournamentInfo(17);
        grown.registeredPlayers = 25;
        model->addOrUpdateTournament(grown);
        grown = model->tournamentInfo(15);
        grown.registeredPlayers = 250;
        model->addOrUpdateTournament(grown);
        model->flushChanges();
    });
    return window;
}

// The question is a window of its own over the main window: both are drawn
// into one picture as the player sees them.
QWidget *refusedJoin(int reason, QSize size)
{
    MainWindow *window = frame("lobby");
    window->resize(size);
    window->show();
    window->onJoinFailed(2001, join_failed_reason::enum_t(reason));
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QPixmap picture = window->grab();
    if (auto *box = window->findChild<QMessageBox *>()) {
        QPainter painter(&picture);
        painter.drawPixmap(box->frameGeometry().topLeft() - window->geometry().topLeft(), box->grab());
    }
    delete window;
    auto *label = new QLabel;
    label->setPixmap(picture);
    return label;
}
} // namespace

MAHJONG_SAMPLE(mainWindowTournamentList, {QStringLiteral("main-window-tournament-list"), {1024, 768}, &tournaments});
MAHJONG_SAMPLE(mainWindowTournamentListLarge,
               {QStringLiteral("main-window-tournament-list-large"), {1920, 1080}, &tournaments});
MAHJONG_SAMPLE(mainWindowRefusedFunds, {QStringLiteral("main-window-refused-funds"), {1024, 768}, [] {
                                            return refusedJoin(4, {1024, 768});
                                        }});
MAHJONG_SAMPLE(mainWindowRefusedFundsLarge, {QStringLiteral("main-window-refused-funds-large"), {1920, 1080}, [] {
                                                 return refusedJoin(4, {1920, 1080});
                                             }});
MAHJONG_SAMPLE(mainWindowRefusedRegistration, {QStringLiteral("main-window-refused-registration"), {1024, 768}, [] {
                                                   return refusedJoin(7, {1024, 768});
                                               }});
MAHJONG_SAMPLE(mainWindowRefusedRegistrationLarge,
               {QStringLiteral("main-window-refused-registration-large"), {1920, 1080}, [] {
                    return refusedJoin(7, {1920, 1080});
                }});
MAHJONG_SAMPLE(mainWindowFriendsNobody,
               {QStringLiteral("main-window-friends-nobody"), {1024, 768}, [] { return frame("friends"); }});
MAHJONG_SAMPLE(mainWindowFriendsNobodyLarge,
               {QStringLiteral("main-window-friends-nobody-large"), {1920, 1080}, [] { return frame("friends"); }});
