// The newcomer's walk: the real main window against the run script's
// servers (scripts/run.sh starts this program in the client's place, with
// the client's arguments), then the real client program for the lost-server
// step. Each step prints "PASS <step>" or "FAIL <step>: <why>" and leaves
// screenshots of the whole screen in $MAHJONG_WALK_SHOTS. The exit code is
// the number of failed steps. tests/walk/walk.sh runs it under Xvfb.
#include "app/CaCertificates.h"
#include "app/CommandLineOptions.h"
#include "app/Integration.h"
#include "app/Log.h"
#include "app/MahjongApplication.h"
#include "app/ResourcePaths.h"
#include "lobby/LobbyController.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/MainView.h"
#include "FormLogin.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PreferencesWindow.h"
#include "social/ConferenceWidget.h"
#include "social/FriendSearchWindow.h"
#include "social/FriendsWindow.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "scene/HandView.h"
#include "table/MeldAuction.h"
#include "table/MeldChoice.h"
#include "lobby/TableModel.h"
#include "table/PlayerWidget.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/SideBar.h"
#include "table/TableSelector.h"
#include "tournaments/TournamentDetailDialog.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "widgets/TranslationsManager.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include <signal.h>

namespace {

QString g_shots;
int g_shot = 0;

void say(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

bool waitFor(const std::function<bool()> &done, int ms)
{
    return QTest::qWaitFor(done, ms);
}

// The whole screen: windows, boxes and menus as a person sees them.
void shot(const QString &name)
{
    QTest::qWait(400);
    const QString file = QDir(g_shots).filePath(QStringLiteral("%1-%2.png").arg(++g_shot, 2, 10, QChar('0')).arg(name));
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(file))
        say(QStringLiteral("NOTE cannot save %1").arg(file));
}

QString runJs(QWebEngineView *view, const QString &script)
{
    QString result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant &v) {
        result = v.toString();
        done = true;
    });
    waitFor([&] { return done; }, 5000);
    return result;
}

QMessageBox *openBox(const QString &title = QString())
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box && box->isVisible() && (title.isEmpty() || box->windowTitle() == title))
            return box;
    }
    return nullptr;
}

// A box of the main window whose title starts so, top-level or in the window.
QMessageBox *boxStartingWith(QWidget *window, const QString &title)
{
    QList<QMessageBox *> boxes = window->findChildren<QMessageBox *>();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w))
            boxes << box;
    for (QMessageBox *box : boxes)
        if (box->isVisible() && box->windowTitle().startsWith(title))
            return box;
    return nullptr;
}

QString labelText(QWidget *parent, const char *name)
{
    auto *label = parent ? parent->findChild<QLabel *>(QLatin1String(name)) : nullptr;
    return label ? label->text() : QString();
}

// Runs a program and gives its standard output.
QString run(const QString &program, const QStringList &args, int ms = 10000)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(ms))
        return QString();
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// A second player of the same run, on a session of its own: registers for
// a tournament, takes each round's seat as the client does once the table
// is known, and plays to win (the 6 of bamboo first, then the win offered).
class SecondPlayer : public QObject
{
public:
    SecondPlayer(const CommandLineOptions &options)
        : m_session(options.useSsl)
        , m_tables(&m_session)
    {
        connect(&m_session, &ConnectionManager::tournamentSeated, this, [this](qint32 id, qint32 table) {
            m_seats.push_back(table);
            m_tables.subscribe(QStringLiteral("101/mtt/%1").arg(id));
            m_pending.insert(table);
            joinKnownSeats();
        });
        connect(&m_tables, &TableModel::rowsInserted, this, [this] { joinKnownSeats(); });
        connect(&m_session, &ConnectionManager::playerShouldAct, this, [this](qint32 table, TimeSpan, qint32 player) {
            if (player == m_session.ownPlayerId() && m_turns[table]++ == 0)
                m_session.discard_tile(table, player, tile(5));
        });
        connect(&m_session, &ConnectionManager::concealedMeldSuggestion, this,
                [this](qint32 table, TimeSpan, const meld_offer_vector &offers) {
            if (!offers.empty() && offers.front().meldType == MELD_MAHJONG)
                m_session.call_mahjong(table, m_session.ownPlayerId());
        });
        connect(&m_session, &ConnectionManager::tournamentRankings, this,
                [this](qint32, const TournamentRankings &r) { m_standings = r; });
        connect(&m_session, &ConnectionManager::currentAccountBalance, this,
                [this](qint64 cents) { m_balance = cents; });
        QSignalSpy checked(&m_session, &ConnectionManager::versionCheckComplete);
        m_session.connectToHost(options.host, options.port);
        if (checked.wait(15000)) {
            QSignalSpy loggedIn(&m_session, &ConnectionManager::loginSuccess);
            m_session.login(QStringLiteral("second-player"), QStringLiteral("walk"));
            loggedIn.wait(15000);
        }
    }
    ConnectionManager &session() { return m_session; }
    const std::vector<qint32> &seats() const { return m_seats; }
    const TournamentRankings &standings() const { return m_standings; }
    qint64 balance() const { return m_balance; }

private:
    void joinKnownSeats()
    {
        for (auto it = m_pending.begin(); it != m_pending.end();) {
            if (m_tables.hasTable(*it)) {
                m_session.join_table(*it);
                it = m_pending.erase(it);
            } else {
                ++it;
            }
        }
    }

    ConnectionManager m_session;
    TableModel m_tables;
    std::set<qint32> m_pending;
    std::vector<qint32> m_seats;
    std::map<qint32, int> m_turns;
    TournamentRankings m_standings;
    qint64 m_balance = -1;
};

class Walk
{
public:
    Walk(const CommandLineOptions &options, TranslationsManager &translations, QStringList clientArgs)
        : m_options(options)
        , m_translations(translations)
        , m_clientArgs(std::move(clientArgs))
    {
    }

    int run();

private:
    QString start();
    QString startPageFromTheHost();
    QString playNow();
    QString playHand();
    QString leaveTable();
    QString playClassic();
    QString leaveMidHand();
    QString leaveForAnotherTable();
    // Leave pressed in the middle of a hand, and the question answered Yes.
    QString leaveInPlay(GameWindow *window);
    QString findFriend();
    QString chat();
    QString secondPlayerCommand();
    QString tournament();
    QString tournamentPlayed();
    QAbstractButton *joinConfirmation();
    QString japanese();
    QString lostServer();

    GameWindow *table() const { return qobject_cast<GameWindow *>(m_window->view().loggedInStack->currentWidget()); }

    const CommandLineOptions &m_options;
    TranslationsManager &m_translations;
    QStringList m_clientArgs;
    std::unique_ptr<MainWindow> m_window;
    qint32 m_table = -1;
    // The seats taken at the Play now table before the newcomer sat down.
    int m_seatsBefore = -1;
};

int Walk::run()
{
    const std::vector<std::pair<const char *, QString (Walk::*)()>> steps = {
        {"start and log in", &Walk::start},
        {"the web host's start page: no note of news not loaded", &Walk::startPageFromTheHost},
        {"Play now seats the player", &Walk::playNow},
        {"a Riichi hand: riichi, points and sticks that move, the next hand, the score boards", &Walk::playHand},
        {"the table left after the game: its seat count falls", &Walk::leaveTable},
        {"Classic: a pong claimed, a hand won", &Walk::playClassic},
        {"a hand left in the middle plays on, its seat comes back, the table joined again", &Walk::leaveMidHand},
        {"a hand left for another table taken at once plays on, and its seat comes back", &Walk::leaveForAnotherTable},
        {"a friend found and added", &Walk::findFriend},
        {"a chat line sent", &Walk::chat},
        {"the second player's command, as the run printed it: a client of its own, logged in",
         &Walk::secondPlayerCommand},
        {"a tournament opened and joined", &Walk::tournament},
        {"a starting tournament: registered, seated, two rounds to the final standings", &Walk::tournamentPlayed},
        {"Japanese: the web host's pages and Qt's standard buttons", &Walk::japanese},
        {"game server lost mid-hand: Error box, exit code 1", &Walk::lostServer},
    };
    int failed = 0;
    bool loggedIn = true;
    for (const auto &[name, step] : steps) {
        QString why;
        if (!loggedIn && step != &Walk::lostServer)
            why = QStringLiteral("not logged in");
        else
            why = (this->*step)();
        if (step == &Walk::start && !why.isEmpty())
            loggedIn = false;
        say(why.isEmpty() ? QStringLiteral("PASS %1").arg(QLatin1String(name))
                          : QStringLiteral("FAIL %1: %2").arg(QLatin1String(name), why));
        failed += why.isEmpty() ? 0 : 1;
    }
    return failed;
}

QString Walk::start()
{
    m_window = std::make_unique<MainWindow>(m_options.host, m_options.port, m_options.user, m_options.password,
                                            m_options.useSsl, m_options.httpHost, &m_translations);
    Integration::loadSounds(m_window.get());
    m_window->onStartupFinished(true);
    shot(QStringLiteral("login-en"));
    // The given name and password fill the form; the newcomer presses "Log in".
    if (!logInWithTheForm(*m_window, 30000))
        return QStringLiteral("the login button never offered to log in");
    if (!waitFor([this] { return m_window->connectionManager().isLoggedIn() && m_window->lobbyController(); }, 30000))
        return QStringLiteral("no login within 30 s");
    // The start page from the web host, with the client's bridge.
    auto *welcome = m_window->findChild<EmbeddedWebPage *>(QStringLiteral("welcomePage"));
    auto *view = welcome ? welcome->findChild<QWebEngineView *>() : nullptr;
    if (!view)
        return QStringLiteral("no start page");
    if (!waitFor([view] { return runJs(view, QStringLiteral("typeof welcome + typeof client")) == "objectobject"; },
                 30000))
        return QStringLiteral("the start page did not load (%1)").arg(view->url().toString());
    shot(QStringLiteral("start-page-en"));
    return QString();
}

// The start page the web host served does not say that the service's news
// could not be loaded (the client's own copy, shown when it could not, does).
QString Walk::startPageFromTheHost()
{
    auto *welcome = m_window->findChild<EmbeddedWebPage *>(QStringLiteral("welcomePage"));
    auto *view = welcome ? welcome->findChild<QWebEngineView *>() : nullptr;
    if (!view || view->url().scheme() != QLatin1String("https"))
        return QStringLiteral("the start page is not the web host's (%1)")
            .arg(view ? view->url().toString() : QString());
    const QString note = runJs(view, QStringLiteral("getComputedStyle(document.querySelector('footer')).display"));
    if (note != QLatin1String("none"))
        return QStringLiteral("the web host's start page says that the news could not be loaded");
    return QString();
}

QString Walk::playNow()
{
    auto *welcome = m_window->findChild<EmbeddedWebPage *>(QStringLiteral("welcomePage"));
    m_window->onDisplayTab(QStringLiteral("welcome"));
    TableModel *lobby = m_window->lobbyController()->tableModel();
    const qint32 practiceRiichi = 1002; // where the demo's Play now seats
    if (!waitFor([lobby] { return lobby->hasTable(practiceRiichi); }, 15000))
        return QStringLiteral("the lobby never listed Practice %1").arg(practiceRiichi);
    m_seatsBefore = lobby->tableInfo(practiceRiichi).seated();
    runJs(welcome->findChild<QWebEngineView *>(), QStringLiteral("welcome.riichiForFunAndFree()"));
    if (!waitFor([this] { return table() || openBox(); }, 15000))
        return QStringLiteral("no table page and no message within 15 s");
    if (QMessageBox *box = openBox()) {
        shot(QStringLiteral("play-now-refused-en"));
        const QString text = box->windowTitle() + QStringLiteral(": ") + box->text();
        box->close();
        return text;
    }
    m_table = m_window->view().tableSelector->checkedTableId();
    if (!waitFor([this] { return table()->seatPlayerId(3) > 0; }, 20000))
        return QStringLiteral("the bots did not sit down");
    QTest::qWait(3500); // the deal
    shot(QStringLiteral("table-dealt-en"));
    return QString();
}

QString Walk::playHand()
{
    GameWindow *window = table();
    if (!window)
        return QStringLiteral("no table");
    // The Riichi demo hand: a discard, riichi, the win on a discard, Ready.
    if (!waitFor([window] { return window->handView()->isActive(); }, 30000))
        return QStringLiteral("never the player's turn");
    window->onTileClick(5);
    ConcealedActionDialog *dialog = window->concealedActionDialog();
    if (!waitFor([dialog] { return !dialog->isHidden(); }, 30000))
        return QStringLiteral("riichi was not offered");
    shot(QStringLiteral("riichi-offered-en"));
    auto *riichi = dialog->findChild<QAbstractButton *>(QStringLiteral("riichiButton"));
    if (!riichi || riichi->isHidden())
        return QStringLiteral("no riichi button");
    riichi->click();
    window->onTileClick(33);
    // The riichi stick goes down on the table, its 1,000 points off the seat.
    SideBar *bar = window->sideBar();
    const qint32 me = m_window->connectionManager().ownPlayerId();
    if (!waitFor([bar] { return labelText(bar, "riichiStickText") == QLatin1String("x1"); }, 20000))
        return QStringLiteral("the riichi stick count shows %1, not x1").arg(labelText(bar, "riichiStickText"));
    const auto seatPoints = [bar, me] {
        QString points = labelText(bar->hasPlayer(me) ? bar->playerWidget(me) : nullptr, "scoresAndWins");
        return points.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    };
    if (!waitFor([&seatPoints] { return seatPoints() == QLatin1String("24000"); }, 10000))
        return QStringLiteral("after the riichi the seat shows %1 points, not 24,000").arg(seatPoints());
    QTest::qWait(500);
    shot(QStringLiteral("riichi-declared-en"));
    if (!waitFor([window] { return window->meldAuction() && !window->meldAuction()->isHidden(); }, 40000))
        return QStringLiteral("the win on a discard was not offered");
    shot(QStringLiteral("ron-offered-riichi-stick-en"));
    window->meldAuction()->findChild<QAbstractButton *>(QStringLiteral("mahjongButton"))->click();
    if (!waitFor([window] { return !window->scoreBoard()->isHidden(); }, 30000))
        return QStringLiteral("no score board");
    QTest::qWait(1500);
    shot(QStringLiteral("score-board-en"));
    if (seatPoints() != QLatin1String("32700"))
        return QStringLiteral("the winner's seat shows %1 points, not 32,700").arg(seatPoints());
    if (labelText(bar, "riichiStickText") != QLatin1String("x0"))
        return QStringLiteral("the win left the riichi stick count at %1").arg(labelText(bar, "riichiStickText"));
    const auto buttons = window->scoreBoard()->findChildren<QAbstractButton *>(
        QRegularExpression(QStringLiteral("^ready")));
    if (buttons.isEmpty())
        return QStringLiteral("no Ready on the score board");
    buttons.front()->click();
    // The full game goes on: the win took the stick off the table, and the
    // next hand, after the dealer's win, has a counter stick.
    if (!waitFor([bar] { return labelText(bar, "counterStickText") == QLatin1String("x1"); }, 20000))
        return QStringLiteral("the counter sticks show %1, not x1").arg(labelText(bar, "counterStickText"));
    if (labelText(bar, "riichiStickText") != QLatin1String("x0"))
        return QStringLiteral("after the hand the riichi stick count shows %1, not x0")
            .arg(labelText(bar, "riichiStickText"));
    QTest::qWait(1500);
    shot(QStringLiteral("next-hand-sticks-en"));
    if (!waitFor([window] { return !window->roundScoreBoard()->isHidden(); }, 30000))
        return QStringLiteral("no round score board");
    QTest::qWait(1000);
    shot(QStringLiteral("round-score-board-en"));
    return QString();
}

// Leave after the game: the seat goes back to the lobby.
QString Walk::leaveTable()
{
    GameWindow *window = table();
    if (!window)
        return QStringLiteral("no table");
    if (!window->roundScoreBoard()->isHidden())
        window->roundScoreBoard()->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
    TableModel *lobby = m_window->lobbyController()->tableModel();
    const int seated = lobby->tableInfo(m_table).seated();
    auto *leave = window->sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
    if (!leave || !leave->isEnabled())
        return QStringLiteral("no Leave button to press");
    leave->click();
    // A question first, when the table asks one.
    if (waitFor([this] { return boxStartingWith(m_window.get(), QString()) != nullptr; }, 2000)) {
        QMessageBox *box = boxStartingWith(m_window.get(), QString());
        shot(QStringLiteral("leave-question-en"));
        if (QAbstractButton *yes = box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)
                                                                 : box->button(QMessageBox::Ok))
            yes->click();
    }
    const bool fell = waitFor([&] { return lobby->tableInfo(m_table).seated() == m_seatsBefore; }, 15000);
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("lobby"));
    QTest::qWait(1500);
    shot(QStringLiteral("lobby-after-leave-en"));
    if (!fell)
        return QStringLiteral("Practice %1 shows %2 seated after the leave (%3 while seated, %4 before)")
            .arg(m_table)
            .arg(lobby->tableInfo(m_table).seated())
            .arg(seated)
            .arg(m_seatsBefore);
    return QString();
}

// The start page's Classic button: the claimed pong lies open, its tile
// turned towards the player it came from.
QString Walk::playClassic()
{
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("welcome"));
    const qint32 riichi = m_table;
    auto *welcome = m_window->findChild<EmbeddedWebPage *>(QStringLiteral("welcomePage"));
    runJs(welcome->findChild<QWebEngineView *>(), QStringLiteral("welcome.practiceClassic()"));
    if (!waitFor([this, riichi] { return table() && m_window->view().tableSelector->checkedTableId() != riichi; },
                 15000))
        return QStringLiteral("no Classic table page within 15 s");
    GameWindow *window = table();
    if (!waitFor([window] { return window->handView()->isActive(); }, 40000))
        return QStringLiteral("never the player's turn");
    window->onTileClick(33);
    if (!waitFor([window] { return window->meldAuction() && !window->meldAuction()->isHidden(); }, 30000))
        return QStringLiteral("the pong was not offered");
    QAbstractButton *pong = nullptr;
    for (MeldChoice *row : window->meldAuction()->findChildren<MeldChoice *>())
        pong = row->findChild<QAbstractButton *>(QStringLiteral("meldChoiceButton"));
    if (!pong)
        return QStringLiteral("no pong button");
    pong->click();
    if (!waitFor([window] { return window->handView()->isActive(); }, 20000))
        return QStringLiteral("no turn after the pong");
    window->onTileClick(5);
    QTest::qWait(2500);
    shot(QStringLiteral("classic-pong-and-kong-en"));
    if (!waitFor([window] { return window->meldAuction() && !window->meldAuction()->isHidden(); }, 30000))
        return QStringLiteral("the win was not offered");
    window->meldAuction()->findChild<QAbstractButton *>(QStringLiteral("mahjongButton"))->click();
    if (!waitFor([window] { return !window->scoreBoard()->isHidden(); }, 30000))
        return QStringLiteral("no score board");
    QTest::qWait(1500);
    shot(QStringLiteral("classic-score-board-en"));
    return QString();
}

// Leave pressed at the player's turn in the middle of a hand: the table's
// page closes, the hand plays on without the player (the server plays the
// turns whose time runs out), and shown again from the lobby it moves with
// its timers; left again, at its end the seat comes back to the lobby, and
// the table can be joined again. It stays open for the Japanese pictures.
QString Walk::leaveMidHand()
{
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("lobby"));
    TableModel *lobby = m_window->lobbyController()->tableModel();
    const qint32 international = 1003;
    if (!waitFor([lobby] { return lobby->hasTable(international); }, 10000))
        return QStringLiteral("the lobby never listed Practice %1").arg(international);
    const int before = lobby->tableInfo(international).seated();
    m_window->joinTable(international);
    if (!waitFor([this] { return table() && m_window->view().tableSelector->checkedTableId() == international; },
                 15000))
        return QStringLiteral("no International table page within 15 s");
    GameWindow *window = table();
    if (!waitFor([window] { return window->handView()->isActive(); }, 40000))
        return QStringLiteral("never the player's turn");
    if (const QString why = leaveInPlay(window); !why.isEmpty())
        return why;
    GameController *games = m_window->gameController();
    if (!waitFor([games] { return !games->view(international) && games->hasTable(international); }, 10000))
        return QStringLiteral("the table's page did not close, or the table was let go at once");
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("lobby"));
    QTest::qWait(1500);
    shot(QStringLiteral("lobby-left-mid-hand-en"));

    // Shown again: the hand has gone on without the player, whose turn ran
    // out, and the next question counts down.
    const int discardsBefore = int(games->model(international)->findOwnPlayer()->discards().size());
    m_window->watchTable(international);
    window = table();
    if (!window || window != games->view(international))
        return QStringLiteral("Watch did not show the table");
    if (!waitFor([&] { return int(games->model(international)->findOwnPlayer()->discards().size()) > discardsBefore; },
                 120000))
        return QStringLiteral("the hand stood still on the player's turn");
    if (!waitFor([window] { return window->meldAuction() && !window->meldAuction()->isHidden(); }, 60000))
        return QStringLiteral("the hand did not go on to the pong offer");
    QTest::qWait(2500);
    shot(QStringLiteral("watched-hand-plays-on-en"));
    if (const QString why = leaveInPlay(window); !why.isEmpty())
        return why;

    // The hand's end gives the seat back: the lobby's count falls.
    if (!waitFor([lobby, before] { return lobby->tableInfo(international).seated() == before; }, 180000))
        return QStringLiteral("Practice %1 still shows %2 seated after the hand (%3 before)")
            .arg(international)
            .arg(lobby->tableInfo(international).seated())
            .arg(before);
    const QString status = m_window->view().statusLine->text();
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("lobby"));
    QTest::qWait(1500);
    shot(QStringLiteral("lobby-seat-back-en"));
    if (!status.contains(QStringLiteral("Left table")))
        return QStringLiteral("the status line says \"%1\", not that the table was left").arg(status);

    // Joined again: a new hand is dealt.
    m_window->joinTable(international);
    if (!waitFor([this] { return table() && m_window->view().tableSelector->checkedTableId() == international; },
                 15000))
        return QStringLiteral("the table could not be joined again");
    window = table();
    if (!waitFor([window] { return window->seatPlayerId(3) > 0; }, 20000))
        return QStringLiteral("the bots did not sit down at the table joined again");
    QTest::qWait(3500);
    shot(QStringLiteral("table-joined-again-en"));
    m_table = international;
    return QString();
}

QString Walk::leaveInPlay(GameWindow *window)
{
    auto *button = window->sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
    if (!button || !button->isEnabled())
        return QStringLiteral("no Leave button to press");
    button->click();
    QMessageBox *box = nullptr;
    if (!waitFor([&] { return (box = boxStartingWith(m_window.get(), QString())) != nullptr; }, 5000))
        return QStringLiteral("Leave in the middle of a hand asked nothing");
    shot(QStringLiteral("leave-mid-hand-question-en"));
    box->button(QMessageBox::Yes)->click();
    return QString();
}

// Leave pressed at the player's turn at the Riichi table, and at once the
// start page's Play now: the player sits at another table, and the hand
// left behind plays on without the player (its questions run out) to its
// end; then the client leaves it, and its seat count in the lobby falls.
QString Walk::leaveForAnotherTable()
{
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("lobby"));
    TableModel *lobby = m_window->lobbyController()->tableModel();
    GameController *games = m_window->gameController();
    const qint32 riichi = 1002;
    if (games->hasTable(riichi))
        return QStringLiteral("Practice %1 is still held from before").arg(riichi);
    const int before = lobby->tableInfo(riichi).seated();
    m_window->joinTable(riichi);
    if (!waitFor([this, riichi] { return table() && m_window->view().tableSelector->checkedTableId() == riichi; },
                 15000))
        return QStringLiteral("no Riichi table page within 15 s");
    GameWindow *window = table();
    if (!waitFor([window] { return window->handView()->isActive(); }, 40000))
        return QStringLiteral("never the player's turn");
    if (const QString why = leaveInPlay(window); !why.isEmpty())
        return why;
    if (!waitFor([games, riichi] { return !games->view(riichi) && games->hasTable(riichi); }, 10000))
        return QStringLiteral("the table's page did not close, or the table was let go at once");
    // At once another table: the start page's Play now.
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("welcome"));
    auto *welcome = m_window->findChild<EmbeddedWebPage *>(QStringLiteral("welcomePage"));
    runJs(welcome->findChild<QWebEngineView *>(), QStringLiteral("welcome.riichiForFunAndFree()"));
    qint32 taken = -1;
    if (!waitFor(
            [&] {
        taken = m_window->view().tableSelector->checkedTableId();
        return table() && taken != riichi && taken != m_table;
            },
            15000))
        return QStringLiteral("Play now did not seat the player at another table");
    if (!waitFor([this] { return table() && table()->seatPlayerId(3) > 0; }, 20000))
        return QStringLiteral("the bots did not sit down at table %1").arg(taken);
    QTest::qWait(3500);
    shot(QStringLiteral("table-taken-after-a-leave-en"));
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("lobby"));
    QTest::qWait(1500);
    shot(QStringLiteral("lobby-hand-left-for-another-table-en"));

    // The left hand ends without the player, who is let go of the table.
    if (!waitFor([lobby, riichi, before] { return lobby->tableInfo(riichi).seated() == before; }, 300000))
        return QStringLiteral("Practice %1 still shows %2 seated after its hand (%3 before)")
            .arg(riichi)
            .arg(lobby->tableInfo(riichi).seated())
            .arg(before);
    if (games->hasTable(riichi))
        return QStringLiteral("the client still holds Practice %1").arg(riichi);
    if (!games->hasTable(taken))
        return QStringLiteral("the table taken meanwhile, %1, is gone").arg(taken);
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("lobby"));
    QTest::qWait(1500);
    shot(QStringLiteral("lobby-left-table-seat-back-en"));
    return QString();
}

QString Walk::findFriend()
{
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("friends"));
    auto *friends = m_window->findChild<FriendsWindow *>();
    auto *edit = friends ? friends->findChild<QLineEdit *>(QStringLiteral("friendSearchEdit")) : nullptr;
    if (!edit)
        return QStringLiteral("no friends page");
    if (!waitFor([edit] { return edit->isEnabled(); }, 20000))
        return QStringLiteral("the search stays disabled (no XMPP connection or search service)");
    // The run script's players are known by number; the second one is a friend.
    const QString other = QString::number(m_window->connectionManager().ownPlayerId() + 1);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, other);
    QTest::keyClick(edit, Qt::Key_Return);
    FriendSearchWindow *search = nullptr;
    if (!waitFor([&] { return (search = friends->findChild<FriendSearchWindow *>()) != nullptr; }, 10000))
        return QStringLiteral("no search window");
    auto *results = search->findChild<QTreeWidget *>(QStringLiteral("resultList"));
    const bool found = waitFor([results] { return results->topLevelItemCount() > 0; }, 15000);
    shot(QStringLiteral("friend-search-en"));
    if (!found) {
        const auto *status = search->findChild<QLabel *>(QStringLiteral("statusLabel"));
        return QStringLiteral("nothing found: %1").arg(status ? status->text() : QString());
    }
    results->setCurrentItem(results->topLevelItem(0));
    search->findChild<QPushButton *>(QStringLiteral("addToFriendsButton"))->click();
    auto *list = friends->findChild<QListView *>(QStringLiteral("friendList"));
    const bool added = waitFor([list] { return list->model() && list->model()->rowCount() > 0; }, 15000);
    if (auto *close = search->findChild<QPushButton *>(QStringLiteral("closeButton")))
        close->click();
    shot(QStringLiteral("friend-added-en"));
    return added ? QString() : QStringLiteral("the friend did not reach the list");
}

QString Walk::chat()
{
    ConferenceWidget *lobby = m_window->view().lobbyChat;
    auto *input = lobby->findChild<QLineEdit *>(QStringLiteral("chatInput"));
    auto *output = lobby->findChild<QTextBrowser *>(QStringLiteral("chatOutput"));
    if (!input || !output)
        return QStringLiteral("no lobby chat");
    if (!waitFor([input] { return input->isEnabled(); }, 20000))
        return QStringLiteral("the lobby chat was not joined");
    const QString line = QStringLiteral("Hello from the newcomer's walk, 麻雀");
    input->setText(line);
    QTest::keyClick(input, Qt::Key_Return);
    const bool shown = waitFor([output] { return output->toPlainText().contains(QStringLiteral("麻雀")); }, 10000);
    shot(QStringLiteral("lobby-chat-en"));
    return shown ? QString() : QStringLiteral("the line did not come back from the room");
}

// The command the run printed for a second player, pasted into a shell as
// it stands: the client starts beside this one (as root too), in a home of
// its own (this client's log stays where it is), and its player logs in.
QString Walk::secondPlayerCommand()
{
    const QString prefix = QStringLiteral("A second player of this run (another user name): ");
    QString command;
    QFile output(QDir(g_shots).filePath(QStringLiteral("walk.log")));
    if (output.open(QIODevice::ReadOnly | QIODevice::Text))
        for (const QString &line : QString::fromUtf8(output.readAll()).split(QLatin1Char('\n')))
            if (line.startsWith(prefix))
                command = line.mid(prefix.size());
    if (command.isEmpty())
        return QStringLiteral("the run printed no command for a second player (in %1)").arg(output.fileName());
    // This client's log, which a client of the same home would move aside.
    QDir().mkpath(Log::defaultDirectory());
    QFile ownLog(Log::defaultDirectory() + QStringLiteral("/mahjong.log"));
    if (!ownLog.exists() && ownLog.open(QIODevice::WriteOnly))
        ownLog.close();
    const QString name = QStringLiteral("second-client");
    QSignalSpy arrived(&m_window->view().lobbyChat->conference(), &XMPPConference::participantJoined);
    const auto loggedIn = [&] {
        return std::any_of(arrived.cbegin(), arrived.cend(),
                           [&](const QList<QVariant> &args) { return args.at(1).toString() == name; });
    };

    QProcess shell;
    shell.setProcessChannelMode(QProcess::ForwardedChannels);
    shell.start(QStringLiteral("bash"), {QStringLiteral("-c"), command});
    if (!shell.waitForStarted(10000))
        return QStringLiteral("no shell for the command");
    const auto xdotool = [](const QStringList &args) { return ::run(QStringLiteral("xdotool"), args); };
    // Its window: one of another process than this one.
    QString window;
    qint64 client = 0;
    waitFor(
        [&] {
        const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), QStringLiteral("^Brisquel")});
        for (const QString &id : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const qint64 pid = xdotool({QStringLiteral("getwindowpid"), id}).toLongLong();
            if (pid > 0 && pid != QCoreApplication::applicationPid()) {
                window = id;
                client = pid;
            }
        }
        return client != 0 || shell.state() == QProcess::NotRunning;
        },
        60000);
    QString why;
    if (client == 0) {
        why = shell.state() == QProcess::NotRunning
                  ? QStringLiteral("the command ended with code %1 before a window showed").arg(shell.exitCode())
                  : QStringLiteral("no window of the second client within 60 s");
    } else if (!ownLog.exists()) {
        why = QStringLiteral("the second client moved this client's log aside");
    } else {
        shot(QStringLiteral("second-player-login-en"));
        // The name, Return to the password, Return to log in: again, now
        // and then, while the handshake may still hold the button back.
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        xdotool({QStringLiteral("type"), name});
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        xdotool({QStringLiteral("type"), QStringLiteral("walk")});
        for (int attempt = 0; attempt < 3 && !loggedIn(); ++attempt) {
            xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
            xdotool({QStringLiteral("key"), QStringLiteral("Return")});
            waitFor(loggedIn, 15000);
        }
        if (loggedIn())
            shot(QStringLiteral("second-player-logged-in-en"));
        else
            why = QStringLiteral("the second client's player did not come into the lobby chat");
    }
    if (client != 0)
        ::kill(pid_t(client), SIGTERM);
    if (!shell.waitForFinished(10000))
        shell.kill();
    return why;
}

QString Walk::tournament()
{
    m_window->onDisplayTab(QStringLiteral("tournament"));
    TournamentsController *controller = m_window->tournamentsController();
    if (!controller)
        return QStringLiteral("no tournaments");
    const qint32 id = 7; // the demo's open "Sunday Classic"
    controller->createTournamentDetailDialog(id);
    TournamentDetailDialog *detail = nullptr;
    if (!waitFor([&] { return (detail = m_window->findChild<TournamentDetailDialog *>()) != nullptr; }, 10000))
        return QStringLiteral("no detail dialog");
    QTest::qWait(1500);
    shot(QStringLiteral("tournament-detail-en"));
    auto *join = detail->findChild<QPushButton *>(QStringLiteral("joinButton"));
    if (!join || !join->isVisible())
        return QStringLiteral("no Join button");
    join->click();
    QAbstractButton *accept = joinConfirmation();
    shot(QStringLiteral("tournament-join-en"));
    if (!accept)
        return QStringLiteral("no confirmation");
    accept->click();
    auto *leave = detail->findChild<QPushButton *>(QStringLiteral("leaveButton"));
    const bool joined = waitFor([leave] { return leave && leave->isVisible(); }, 10000);
    QTest::qWait(1000);
    shot(QStringLiteral("tournament-joined-en"));
    detail->close();
    return joined ? QString() : QStringLiteral("not registered");
}

// The join dialog's Accept, once it shows.
QAbstractButton *Walk::joinConfirmation()
{
    QAbstractButton *accept = nullptr;
    waitFor(
        [&] {
        for (QAbstractButton *b : m_window->findChildren<QAbstractButton *>(QStringLiteral("acceptButton")))
            accept = b->isVisible() ? b : accept;
        return accept != nullptr;
        },
        10000);
    return accept;
}

// "Coffee Break Sprint" starts a few minutes after the servers; a newcomer
// who comes after its start registers for the next one, which opened as it
// started: seated when it starts, two rounds played to their boards, then the
// final standings and the prize on the balance.
QString Walk::tournamentPlayed()
{
    m_window->displayLobby();
    m_window->onDisplayTab(QStringLiteral("tournament"));
    TournamentsController *controller = m_window->tournamentsController();
    TournamentsLobbyModel *lobby = controller->model();
    const QString sprint = QStringLiteral("Coffee Break Sprint");
    if (!waitFor(
            [lobby] { return lobby->hasTournament(19) && lobby->tournamentInfo(19).status != TournamentInfo::Open; },
            240000))
        return QStringLiteral("the first short tournament never started");
    qint32 id = -1;
    if (!waitFor(
            [&] {
        for (qint32 t : lobby->tournamentIds())
            if (t > id && lobby->tournamentInfo(t).name == sprint
                && lobby->tournamentInfo(t).status == TournamentInfo::Open)
                id = t;
        return id > 19;
            },
            15000))
        return QStringLiteral("no short tournament open after the first one started");
    // Another player of the run registers first: the newcomer is the
    // tournament's second player.
    SecondPlayer second(m_options);
    if (!second.session().isLoggedIn())
        return QStringLiteral("the second player could not log in");
    QSignalSpy secondRegistered(&second.session(), &ConnectionManager::tournamentRegisterSuccess);
    second.session().query_account_balance();
    if (!waitFor([&second] { return second.balance() >= 0; }, 10000))
        return QStringLiteral("no balance for the second player");
    const qint64 secondBefore = second.balance();
    second.session().register_tournament_request(id);
    if (!waitFor([&secondRegistered] { return !secondRegistered.isEmpty(); }, 10000))
        return QStringLiteral("the second player's registration failed");
    TournamentRankings standings;
    QObject listening;
    QObject::connect(&m_window->connectionManager(), &ConnectionManager::tournamentRankings, &listening,
                     [&standings, id](qint32 tournament, const TournamentRankings &r) {
        if (tournament == id)
            standings = r;
    });
    const qint64 balanceBefore = m_window->accountBalance();
    const QString dialogName = QStringLiteral("detailmtt%1").arg(id);
    controller->createTournamentDetailDialog(id);
    TournamentDetailDialog *detail = nullptr;
    if (!waitFor([&] { return (detail = m_window->findChild<TournamentDetailDialog *>(dialogName)) != nullptr; },
                 10000))
        return QStringLiteral("no detail dialog");
    auto *join = detail->findChild<QPushButton *>(QStringLiteral("joinButton"));
    if (!join || !join->isVisible())
        return QStringLiteral("no Join button");
    join->click();
    QAbstractButton *accept = joinConfirmation();
    if (!accept)
        return QStringLiteral("no confirmation");
    accept->click();
    QTest::qWait(1000);
    shot(QStringLiteral("starting-tournament-registered-en"));
    detail->close();
    for (int round = 1; round <= 2; ++round) {
        // The seat: a question, "New tournament round - ...", Yes shows the table.
        QMessageBox *seat = nullptr;
        if (!waitFor([&] { return (seat = boxStartingWith(m_window.get(), QStringLiteral("New tournament round"))); },
                     240000)) {
            if (QMessageBox *other = boxStartingWith(m_window.get(), QString()))
                return QStringLiteral("round %1: \"%2\" instead of a seat").arg(round).arg(other->text());
            return QStringLiteral("round %1: never seated").arg(round);
        }
        shot(QStringLiteral("tournament-round%1-seated-en").arg(round));
        seat->button(QMessageBox::Yes)->click();
        // A round's table goes when the server ends it: held so that the
        // walk says so.
        QPointer<GameWindow> window;
        if (!waitFor(
                [&] {
            window = table();
            return window && window->tableInfo().gameType() == TableInfo::TOURNAMENT;
                },
                15000))
            return QStringLiteral("round %1: no tournament table shown").arg(round);
        if (!waitFor([&window] { return !window || window->handView()->isActive(); }, 40000) || !window)
            return QStringLiteral("round %1: never the player's turn").arg(round);
        window->onTileClick(5);
        if (!waitFor([&window] { return !window || (window->meldAuction() && !window->meldAuction()->isHidden()); },
                     40000)
            || !window)
            return QStringLiteral("round %1: the win was not offered").arg(round);
        window->meldAuction()->findChild<QAbstractButton *>(QStringLiteral("mahjongButton"))->click();
        if (!waitFor([&window] { return !window || !window->roundScoreBoard()->isHidden(); }, 30000) || !window)
            return QStringLiteral("round %1: no round board").arg(round);
        QTest::qWait(1500);
        if (!window)
            return QStringLiteral("round %1: the table went with its board on screen").arg(round);
        shot(QStringLiteral("tournament-round%1-board-en").arg(round));
        const QString title = labelText(window->roundScoreBoard(), "titleLabel");
        if (title != sprint)
            return QStringLiteral("round %1: the board is titled %2").arg(round).arg(title);
        window->roundScoreBoard()->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
    }
    // Closing the last board opens the tournament with its final standings.
    if (!waitFor(
            [&] { return (detail = m_window->findChild<TournamentDetailDialog *>(dialogName)) && detail->isVisible(); },
            15000))
        return QStringLiteral("no tournament dialog after the last round");
    QTest::qWait(2000);
    shot(QStringLiteral("tournament-final-standings-en"));
    detail->close();
    // The prize the standings give the player is on the balance: the buy-in
    // went at the registration.
    const TournamentInfo &info = lobby->tournamentInfo(id);
    const qint32 me = m_window->connectionManager().ownPlayerId();
    qint64 prize = -1;
    for (const TournamentRanking &r : standings)
        if (r.playerId == me)
            prize = r.payout;
    if (prize <= 0)
        return QStringLiteral("the final standings pay the player %1").arg(prize);
    const qint64 expected = balanceBefore - info.cost.bet - info.cost.fee + prize;
    if (!waitFor([&] { return m_window->accountBalance() == expected; }, 10000))
        return QStringLiteral("the balance is %1 cents after the payout, not %2")
            .arg(m_window->accountBalance())
            .arg(expected);
    // The bots the player beat tie for places in the money, and share their
    // prizes evenly.
    int tiedInTheMoney = 0;
    for (size_t i = 1; i < standings.size(); ++i) {
        const TournamentRanking &a = standings[i - 1];
        const TournamentRanking &b = standings[i];
        if (a.competitionPoints != b.competitionPoints || a.tablePoints != b.tablePoints)
            continue;
        if (std::abs(a.payout - b.payout) > 1)
            return QStringLiteral("tied %1 and %2 are paid %3 and %4").arg(a.name, b.name).arg(a.payout).arg(b.payout);
        tiedInTheMoney += a.payout > 0 ? 1 : 0;
    }
    if (tiedInTheMoney == 0)
        return QStringLiteral("no tie in the money among %1 players").arg(info.registeredPlayers);
    // The other player was seated at tables of its own, played, stands in the
    // same standings and was paid by its place.
    if (int(second.seats().size()) != info.numberOfRounds)
        return QStringLiteral("the second player was seated %1 times").arg(second.seats().size());
    const qint32 other = second.session().ownPlayerId();
    qint64 otherPrize = -1;
    for (const TournamentRanking &r : standings)
        if (r.playerId == other)
            otherPrize = r.payout;
    if (otherPrize < 0)
        return QStringLiteral("the second player is not in the final standings");
    if (!waitFor([&] { return second.balance() == secondBefore - info.cost.bet - info.cost.fee + otherPrize; }, 10000))
        return QStringLiteral("the second player's balance is %1 cents after the payout of %2")
            .arg(second.balance())
            .arg(otherPrize);
    return QString();
}

QString Walk::japanese()
{
    m_window->onDisplayTab(QStringLiteral("preferences"));
    auto *box = m_window->findChild<PreferencesWindow *>()->findChild<QComboBox *>(QStringLiteral("languageSelection"));
    const int ja = box ? box->findData(QStringLiteral("ja")) : -1;
    if (ja < 0)
        return QStringLiteral("no Japanese in the language list");
    box->setCurrentIndex(ja);
    if (!waitFor([this] { return m_translations.language() == QLatin1String("ja"); }, 5000))
        return QStringLiteral("the language did not change");
    QTest::qWait(3000); // the pages of the language
    shot(QStringLiteral("settings-ja"));
    // The start page comes from the web host, in Japanese.
    auto *welcome = m_window->findChild<EmbeddedWebPage *>(QStringLiteral("welcomePage"));
    QWebEngineView *view = welcome->findChild<QWebEngineView *>();
    QString why;
    if (!waitFor([view] { return runJs(view, QStringLiteral("document.documentElement.lang")) == "ja"; }, 15000)
        || view->url().scheme() != QLatin1String("https"))
        why = QStringLiteral("the web host's start page is not in Japanese (%1)").arg(view->url().toString());
    for (const char *tab : {"welcome", "lobby", "tournament", "friends"}) {
        m_window->onDisplayTab(QLatin1String(tab));
        QTest::qWait(1500);
        shot(QStringLiteral("%1-ja").arg(QLatin1String(tab)));
    }
    m_window->onTableClicked(m_table);
    QTest::qWait(1000);
    shot(QStringLiteral("table-ja"));
    m_window->displayLobby();
    // A question with Qt's standard buttons: Quit's Yes and No.
    m_window->on_quitButton_clicked();
    QMessageBox *quit = nullptr;
    waitFor([&] { return (quit = openBox()) != nullptr; }, 5000);
    shot(QStringLiteral("quit-question-ja"));
    if (!quit)
        return QStringLiteral("no quit question");
    const QString yes = quit->button(QMessageBox::Yes) ? quit->button(QMessageBox::Yes)->text() : QString();
    const QString no = quit->button(QMessageBox::No) ? quit->button(QMessageBox::No)->text() : QString();
    if (QAbstractButton *button = quit->button(QMessageBox::No))
        button->click();
    if (yes.contains(QLatin1String("Yes")) || no.contains(QLatin1String("No")))
        why += QStringLiteral("%1standard buttons in English: \"%2\" / \"%3\"")
                   .arg(why.isEmpty() ? QString() : QStringLiteral("; "), yes, no);
    return why;
}

// The real program: logged in as the same player, it is asked to rejoin the
// kept seat, plays, and the game server goes away mid-hand.
QString Walk::lostServer()
{
    const QString client = qEnvironmentVariable("MAHJONG_WALK_CLIENT");
    if (client.isEmpty())
        return QStringLiteral("MAHJONG_WALK_CLIENT names no client program");
    const QString port = QString::number(m_options.port);
    // The game server's process, from the port it listens on.
    const QString listeners = ::run(QStringLiteral("ss"),
                                    {QStringLiteral("-Hltnp"), QStringLiteral("sport = :") + port});
    const QRegularExpressionMatch pidMatch = QRegularExpression(QStringLiteral("pid=(\\d+)")).match(listeners);
    if (!pidMatch.hasMatch())
        return QStringLiteral("cannot find the game server on port %1").arg(port);
    const pid_t peerPid = pid_t(pidMatch.captured(1).toLongLong());

    // This window leaves without leaving the table, as a lost connection would.
    m_window->connectionManager().setQuitting(true);
    m_window.reset();
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();

    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(client, m_clientArgs
                              + QStringList{QStringLiteral("--user"), m_options.user, QStringLiteral("--password"),
                                            m_options.password, QStringLiteral("--lang"), QStringLiteral("en")});
    if (!program.waitForStarted(10000))
        return QStringLiteral("the client did not start");
    const auto xdotool = [](const QStringList &args) { return ::run(QStringLiteral("xdotool"), args); };
    // The name and password only fill the form: Return in the password field
    // logs in once the handshake allows it. Then the rejoin question comes.
    QString rejoin;
    QElapsedTimer waited;
    waited.start();
    while (rejoin.isEmpty() && waited.elapsed() < 30000 && program.state() == QProcess::Running) {
        const QString mainWindow = xdotool(
            {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^Brisquel")});
        if (!mainWindow.isEmpty()) {
            xdotool(
                {QStringLiteral("windowfocus"), QStringLiteral("--sync"), mainWindow.section(QLatin1Char('\n'), 0, 0)});
            xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        }
        QTest::qWait(1000);
        rejoin = xdotool({QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^Rejoin Table$")});
    }
    if (rejoin.isEmpty()) {
        program.kill();
        return QStringLiteral("the client did not ask to rejoin the table (is xdotool installed?)");
    }
    QTest::qWait(1000);
    shot(QStringLiteral("rejoin-question-en"));
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), rejoin.section(QLatin1Char('\n'), 0, 0)});
    xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QTest::qWait(9000); // seated, the bots sit down, the deal
    shot(QStringLiteral("rejoined-mid-hand-en"));
    if (program.state() != QProcess::Running)
        return QStringLiteral("the client ended before the server was lost (code %1)").arg(program.exitCode());

    ::kill(peerPid, SIGKILL);
    QElapsedTimer lost;
    lost.start();
    // The box must come, and the program must wait for it to be closed.
    QString error;
    qint64 endedAfter = -1;
    while (lost.elapsed() < 10000 && error.isEmpty()) {
        if (program.state() != QProcess::Running) {
            endedAfter = lost.elapsed();
            break;
        }
        error = xdotool({QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^Error$")});
        QTest::qWait(100);
    }
    if (error.isEmpty()) {
        program.waitForFinished(5000);
        shot(QStringLiteral("server-lost-en"));
        if (endedAfter >= 0)
            return QStringLiteral("no Error box: the client ended %1 ms after the server, with code %2")
                .arg(endedAfter)
                .arg(program.exitCode());
        program.kill();
        return QStringLiteral("no Error box within 10 s of losing the server");
    }
    shot(QStringLiteral("server-lost-error-box-en"));
    QTest::qWait(1500);
    if (program.state() != QProcess::Running)
        return QStringLiteral("the client did not wait for the box to be closed");
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), error.section(QLatin1Char('\n'), 0, 0)});
    xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    if (!program.waitForFinished(10000)) {
        program.kill();
        return QStringLiteral("the client did not end after the box was closed");
    }
    if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 1)
        return QStringLiteral("exit code %1, not 1").arg(program.exitCode());
    return QString();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    const QStringList clientArgs = [&] {
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return args;
    }();
    MahjongApplication app(argc, argv);
    CommandLineOptions options;
    try {
        options = CommandLineOptions::parse(argc, argv);
    } catch (const CommandLineOptions::OptionsError &error) {
        std::fprintf(stderr, "newcomer_walk: %s\n", error.what());
        return 100;
    }
    if (options.user.isEmpty())
        options.user = QStringLiteral("newcomer");
    if (options.password.isEmpty())
        options.password = QStringLiteral("walk");
    g_shots = qEnvironmentVariable("MAHJONG_WALK_SHOTS", QStringLiteral("walk-shots"));
    QDir().mkpath(g_shots);

    ResourcePaths::install(options.searchPaths);
    TranslationsManager translations(ResourcePaths::roots(options.searchPaths));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.loadStyleSheet();
    translations.setLanguage(QStringLiteral("en"));
    CaCertificates::install();
    Integration::installServerClock();

    Walk walk(options, translations, clientArgs);
    const int failed = walk.run();
    say(QStringLiteral("%1 step(s) failed; screenshots in %2").arg(failed).arg(QDir(g_shots).absolutePath()));
    return failed;
}
