// The logged-in main window at the two common window sizes: the tournament
// list as the demo server keeps it moving, the refused-join questions, a
// burst of messages in one box and the friends page with nobody chosen.
#include "../Sample.h"
#include "SampleTournament.h"

#include "mainwindow/MainWindow.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"
#include "widgets/ModelessMsgBox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
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

// The demo server's tournaments; the columns are sized, then the open ones
// fill up, as they do every few seconds in a live lobby.
MainWindow *tournaments()
{
    MainWindow *window = frame("tournament");
    TournamentsLobbyModel *model = window->tournamentsController()->model();
    const TournamentInfo list[] = {
        sampleTournament(7, "Sunday Classic", TournamentInfo::Open, 0, 1000, 100, 12, 64, 1),
        sampleTournament(9, "Monday Riichi Freeroll", TournamentInfo::Open, 2, 0, 0, 40, 100, 2),
        sampleTournament(10, "MCR Weekly", TournamentInfo::Closed, 1, 500, 50, 64, 64, 0),
        sampleTournament(11, "Classic Sprint", TournamentInfo::Seating, 0, 200, 20, 32, 32, 0),
        sampleTournament(12, "High Roller Riichi", TournamentInfo::Paused, 2, 10000, 500, 2, 24, -1),
        sampleTournament(13, "Saturday Classic", TournamentInfo::Done, 0, 1000, 100, 50, 64, -24),
        sampleTournament(15, "New Year Special", TournamentInfo::Open, 0, 2500, 250, 3, 256, 720),
        sampleTournament(17, "Grand Prix Riichi", TournamentInfo::Open, 2, 250000, 10000, 5, 32, 24),
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

// A box is a window of its own over the main window: both are drawn into
// one picture as the player sees them.
QWidget *withBox(MainWindow *window)
{
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

QWidget *refusedJoin(int reason, QSize size)
{
    MainWindow *window = frame("lobby");
    window->resize(size);
    window->show();
    window->onJoinFailed(2001, join_failed_reason::enum_t(reason));
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    return withBox(window);
}

// A burst of the server's messages in one box: the first one, how many more
// came, and the newest of them listed in the details, opened.
QWidget *messageBurst(QSize size)
{
    MainWindow *window = frame("lobby");
    window->resize(size);
    window->show();
    window->onSystemMessage(1, 1,
                            QStringLiteral("The servers restart for maintenance at 03:00 UTC. Tables still in play "
                                           "then finish their hand first."));
    for (int i = 1; i <= 60; ++i)
        window->onSystemMessage(1, 1, QStringLiteral("Tournament %1 starts in five minutes.").arg(100 + i));
    for (int i = 0; i < 12; ++i)
        window->onSystemMessage(1, 1, QStringLiteral("Your friend Bob is online."));
    // The box shows what joined it after a moment.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 3 * ModelessMsgBox::RefreshMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (auto *box = window->findChild<QMessageBox *>()) {
        for (QAbstractButton *button : box->buttons()) {
            if (box->buttonRole(button) == QMessageBox::ActionRole)
                button->click();
        }
        box->adjustSize();
        const QPoint centre = window->mapToGlobal(window->rect().center());
        box->move(centre - box->rect().center());
    }
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    return withBox(window);
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
MAHJONG_SAMPLE(mainWindowMessageBurst, {QStringLiteral("main-window-message-burst"), {1024, 768}, [] {
                                            return messageBurst({1024, 768});
                                        }});
MAHJONG_SAMPLE(mainWindowFriendsNobody,
               {QStringLiteral("main-window-friends-nobody"), {1024, 768}, [] { return frame("friends"); }});
MAHJONG_SAMPLE(mainWindowFriendsNobodyLarge,
               {QStringLiteral("main-window-friends-nobody-large"), {1920, 1080}, [] { return frame("friends"); }});
