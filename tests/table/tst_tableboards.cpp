// The hand and round score boards at the end of the scripted server's demo
// hands, played through the real controller and table window at the size a
// 1024x768 client gives its table page: what the boards and the side bar
// show, and that the boards show it whole; and the table's time-out notice.
#include "DemoPeerLogin.h"
#include "PeerTableTest.h"
#include "game/GameModel.h"
#include "lobby/TableModel.h"
#include "protocol/ComingEvent.h"
#include "protocol/ConnectionManager.h"
#include "protocol/ServerTime.h"
#include "QuietTableSettings.h"
#include "scene/HandView.h"
#include "scene/PlayerActionView.h"
#include "scene/TileGraphics.h"
#include "scene/TimerView.h"
#include "social/PlayerDb.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/MeldAuction.h"
#include "table/PlayerWidget.h"
#include "table/RoundScoreBoard.h"
#include "table/RoundScoreWidget.h"
#include "table/ScoreBoard.h"
#include "table/SideBar.h"
#include "table/WashoutWindow.h"
#include "tools/peer/PeerProcess.h"
#include "tournaments/ComingEventPopup.h"
#include "tournaments/TournamentRankingModel.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "xmpp/client/XMPPClient.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

// The table page of a 1024x768 client, under the main window's top bar,
// and of a 1440x900 one.
const QSize SmallPage(1024, 686);
const QSize LargePage(1440, 818);

// One move of the local player, made when the window offers it.
struct Step
{
    enum Kind { Discard, Riichi, Pong, Mahjong } kind;
    tile t = 0;
};

// The board's parts, top to bottom, that must not overlap.
QList<QWidget *> boardParts(ScoreBoard *board)
{
    QList<QWidget *> parts;
    for (const char *name : {"topFrame1", "topFrame2", "topFrame3", "topFrame4", "score1", "score2", "score3", "score4",
                             "total1", "total2", "total3", "total4", "scoreMelds", "doraTilesFrame", "bottomFrame"}) {
        auto *part = board->findChild<QWidget *>(QLatin1String(name));
        if (part && part->isVisibleTo(board))
            parts << part;
    }
    return parts;
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestTableBoards : public PeerTableTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void demoHandOnTheBoards_data();
    void demoHandOnTheBoards();
    void nextHandCountdownRunsOut_data();
    void nextHandCountdownRunsOut();
    void gameEndBoardCountsNoNextHand();
    void finishedRoundKeepsItsRound();
    void timeoutBurstKeepsOneTimer();

private:
    bool start(const QStringList &arguments = {}, TournamentsLobbyModel *tournaments = nullptr);
    GameWindow *joinShown(qint32 tableId);
    void play(GameWindow *window, const QList<Step> &steps);

    qint32 m_own = 0;
};

void TestTableBoards::initTestCase()
{
    useQuietTableSettings(QStringLiteral("tst_tableboards"));
    QFile css(QStringLiteral(":/default/defaultui.css"));
    QVERIFY(css.open(QIODevice::ReadOnly));
    qApp->setStyleSheet(QString::fromUtf8(css.readAll()));
    TileGraphics::instance().setTileSet(0, 0);
    PeerProcess::installTestCa();
}

void TestTableBoards::init()
{
    makeClient();
}

void TestTableBoards::cleanup()
{
    // A test may have moved the server's clock.
    ServerTime::instance().setEstimate(QDateTime::currentDateTimeUtc());
    dropClient();
}

bool TestTableBoards::start(const QStringList &arguments, TournamentsLobbyModel *tournaments)
{
    if (!m_peer->start(QStringList{QStringLiteral("--demo")} + arguments)) {
        qWarning() << m_peer->errorString();
        return false;
    }
    if (!logInAtDemoPeer(*m_session, m_peer->port(), *m_tables))
        return false;
    m_own = m_session->ownPlayerId();
    m_controller = std::make_unique<GameController>(m_session.get(), m_playerDb.get(), tournaments, m_mainWindow.get());
    m_controller->setTableModel(m_tables.get());
    m_controller->setPlayerId(m_own);
    m_controller->setPlayerName(QStringLiteral("player"));
    return true;
}

GameWindow *TestTableBoards::joinShown(qint32 tableId)
{
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    m_session->join_table(tableId, -1);
    if (!joined.wait(10000))
        return nullptr;
    GameWindow *window = m_controller->view(tableId);
    if (!window)
        return nullptr;
    window->resize(SmallPage);
    window->show();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

void TestTableBoards::play(GameWindow *window, const QList<Step> &steps)
{
    for (const Step &step : steps) {
        switch (step.kind) {
        case Step::Discard:
            QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 30000);
            window->onTileClick(step.t);
            break;
        case Step::Riichi: {
            ConcealedActionDialog *dialog = window->concealedActionDialog();
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->isHidden(), 30000);
            auto *button = dialog->findChild<QAbstractButton *>(QStringLiteral("riichiButton"));
            QVERIFY(button && !button->isHidden());
            button->click();
            window->onTileClick(step.t);
            break;
        }
        case Step::Pong:
        case Step::Mahjong: {
            QTRY_VERIFY_WITH_TIMEOUT(window->meldAuction() && !window->meldAuction()->isHidden(), 30000);
            QAbstractButton *button = nullptr;
            if (step.kind == Step::Mahjong) {
                button = window->meldAuction()->findChild<QAbstractButton *>(QStringLiteral("mahjongButton"));
            } else {
                for (auto *b :
                     window->meldAuction()->findChildren<QAbstractButton *>(QStringLiteral("meldChoiceButton")))
                    button = b;
            }
            QVERIFY(button && !button->isHidden());
            button->click();
            break;
        }
        }
        // The next offer comes only after the server has this answer.
        QTRY_VERIFY_WITH_TIMEOUT(!window->handView()->isActive() || step.kind == Step::Riichi, 10000);
    }
}

void TestTableBoards::demoHandOnTheBoards_data()
{
    QTest::addColumn<qint32>("tableId");
    QTest::addColumn<QList<Step>>("steps");
    // What the seat of the winner, the local player, says after the hand.
    QTest::addColumn<QString>("seatScore");

    const QList<Step> pongAndWin{{Step::Discard, 27}, {Step::Pong, 31}, {Step::Discard, 5}, {Step::Mahjong, 27}};
    // A single-hand table counts wins.
    QTest::newRow("classic") << 1001 << pongAndWin << QStringLiteral("1");
    QTest::newRow("international") << 1003 << pongAndWin << QStringLiteral("78");
    QTest::newRow("riichi") << 1002 << QList<Step>{{Step::Discard, 5}, {Step::Riichi, 33}, {Step::Mahjong, 27}}
                            << QStringLiteral("32,700");
}

void TestTableBoards::demoHandOnTheBoards()
{
    QFETCH(qint32, tableId);
    QFETCH(QList<Step>, steps);
    QFETCH(QString, seatScore);
    QVERIFY(start());
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    m_session->join_table(tableId, -1);
    QVERIFY(joined.wait(10000));
    GameWindow *window = m_controller->view(tableId);
    QVERIFY(window);
    window->resize(SmallPage);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // The main window's countdown to a maintenance, over the page's corner.
    ComingEventPopup notice(window, ComingEvent{0, QDateTime::currentDateTimeUtc().addSecs(4 * 3600)});
    notice.onTimeout();
    notice.show();

    play(window, steps);
    if (QTest::currentTestFailed())
        return;
    ScoreBoard *board = window->scoreBoard();
    QTRY_VERIFY_WITH_TIMEOUT(!board->isHidden(), 30000);
    QCoreApplication::processEvents();

    QCOMPARE(window->sideBar()->playerWidget(m_own)->scoreText(), seatScore);

    // The board shows whole, over the table and clear of the notice: every
    // scoring line without scrolling, no part over another.
    const QRect table = window->graphicsView()->geometry();
    QVERIFY2(table.contains(board->geometry()), qPrintable(QStringLiteral("board %1,%2 %3x%4")
                                                               .arg(board->x())
                                                               .arg(board->y())
                                                               .arg(board->width())
                                                               .arg(board->height())));
    QVERIFY(!board->geometry().intersects(notice.geometry()));
    for (const char *name : {"score1", "score2", "score3", "score4"}) {
        auto *lines = board->findChild<QTextEdit *>(QLatin1String(name));
        QVERIFY(lines);
        QVERIFY2(!lines->verticalScrollBar()->isVisible(), name);
        QVERIFY2(lines->document()->size().height() <= lines->viewport()->height(), name);
    }
    const QList<QWidget *> parts = boardParts(board);
    for (int i = 0; i < parts.size(); ++i) {
        const QRect a(parts[i]->mapTo(board, QPoint()), parts[i]->size());
        QVERIFY2(board->rect().contains(a), qPrintable(parts[i]->objectName()));
        for (int j = i + 1; j < parts.size(); ++j) {
            const QRect b(parts[j]->mapTo(board, QPoint()), parts[j]->size());
            QVERIFY2(!a.intersects(b), qPrintable(parts[i]->objectName() + QLatin1Char('/') + parts[j]->objectName()));
        }
    }
    // A claim banner on the table shows whole beside the board or not at
    // all: none peeks out torn from under its edge, also in a larger page.
    const auto bannersWholeOrHidden = [window, board] {
        const QGraphicsView *view = window->graphicsView();
        for (int seat = 0; seat < GameWindow::SeatCount; ++seat) {
            const PlayerActionView *banner = window->playerActionView(seat);
            if (!banner->isVisible() || banner->effectiveOpacity() == 0)
                continue;
            const QRect inView = view->mapFromScene(banner->sceneBoundingRect()).boundingRect();
            const QRect shown(view->viewport()->mapTo(window, inView.topLeft()), inView.size());
            if (shown.intersects(board->geometry()) && !board->geometry().contains(shown))
                return false;
        }
        return true;
    };
    QVERIFY(bannersWholeOrHidden());
    window->resize(LargePage);
    QCoreApplication::processEvents();
    QVERIFY(bannersWholeOrHidden());
    window->resize(SmallPage);
    QCoreApplication::processEvents();
    // The claim image keeps to its column.
    auto *claim = board->findChild<QLabel *>(QStringLiteral("exclamation1"));
    QVERIFY(!claim->pixmap().isNull());
    QVERIFY(claim->pixmap().width() <= claim->width());

    // The round ends after Ready; the tables play for no money, so the round
    // shows the points, the best first.
    auto *ready = board->findChild<QAbstractButton *>(QStringLiteral("readyPushButton"));
    QTRY_VERIFY_WITH_TIMEOUT(ready->isVisible() && ready->isEnabled(), 10000);
    ready->click();
    RoundScoreBoard *round = window->roundScoreBoard();
    QTRY_VERIFY_WITH_TIMEOUT(!round->isHidden(), 30000);
    QVERIFY(QRect(QPoint(), window->size()).contains(round->geometry()));
    const std::vector<RoundScoreWidget *> &rows = round->rows();
    QCOMPARE(int(rows.size()), 4);
    for (size_t i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows[i]->mode(), int(RoundScoreWidget::Points));
        QCOMPARE(rows[i]->mahjongPointsText(), QLocale().toString(rows[i]->mahjongPoints()));
        auto *label = rows[i]->findChild<QLabel *>(QStringLiteral("mahjongPointsLabel"));
        QCOMPARE(label->text(), QStringLiteral("Mahjong points:"));
        if (i > 0)
            QVERIFY(rows[i - 1]->mahjongPoints() >= rows[i]->mahjongPoints());
    }
    QCOMPARE(rows.front()->mahjongPoints(), m_controller->model(tableId)->findPlayer(m_own)->points());
}

// The countdown to the next hand on the score board and on the washout
// notice between the hands of a full game, when the server's clock reaches
// its end, running there or set past it: the line goes with its number.
void TestTableBoards::nextHandCountdownRunsOut_data()
{
    QTest::addColumn<bool>("washout");
    QTest::addColumn<QList<Step>>("steps");
    // The server's clock, set this far from the countdown's end.
    QTest::addColumn<int>("fromEndMs");

    const QList<Step> riichiWin{{Step::Discard, 5}, {Step::Riichi, 33}, {Step::Mahjong, 27}};
    const QList<Step> toWashout{{Step::Discard, 33}};
    QTest::newRow("score board, runs out") << false << riichiWin << -1500;
    QTest::newRow("score board, clock past the end") << false << riichiWin << 1000;
    QTest::newRow("washout, runs out") << true << toWashout << -1500;
    QTest::newRow("washout, clock past the end") << true << toWashout << 1000;
}

void TestTableBoards::nextHandCountdownRunsOut()
{
    QFETCH(bool, washout);
    QFETCH(QList<Step>, steps);
    QFETCH(int, fromEndMs);
    const qint32 tableId = 1002;
    QStringList arguments;
    if (washout)
        arguments << QStringLiteral("--scenario") << PeerProcess::scenarioDirectory() + "/washout-hand.json";
    QVERIFY(start(arguments));
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    m_session->join_table(tableId, -1);
    QVERIFY(joined.wait(10000));
    GameWindow *window = m_controller->view(tableId);
    QVERIFY(window);
    window->resize(SmallPage);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    play(window, steps);
    if (QTest::currentTestFailed())
        return;

    MahjongDialog *dialog = washout ? static_cast<MahjongDialog *>(window->washoutWindow())
                                    : static_cast<MahjongDialog *>(window->scoreBoard());
    const auto end = [&] {
        return washout ? window->washoutWindow()->countdown().end() : window->scoreBoard()->countdown().end();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isHidden() && end().isValid(), 30000);
    auto *label = dialog->findChild<QLabel *>(QStringLiteral("nextRoundLabel"));
    auto *timer = dialog->findChild<TimerView *>();
    QVERIFY(label && timer);
    QVERIFY(label->isVisible() && timer->isVisible());
    QVERIFY(!timer->counterText().isEmpty());

    ServerTime::instance().setEstimate(end().addMSecs(fromEndMs));
    QTRY_VERIFY_WITH_TIMEOUT(label->isHidden() && timer->isHidden(), 20000);
    QVERIFY(!end().isValid());
    // Shown again, the dialog has no countdown left to show.
    dialog->hide();
    dialog->show();
    QCoreApplication::processEvents();
    QVERIFY(label->isHidden() && timer->isHidden());
}

// A full game whose first hand's Ready counted down 30 seconds, and whose
// second hand ends the game at once: the end-of-game board offers to play
// again or leave, and counts down to no next hand.
void TestTableBoards::gameEndBoardCountsNoNextHand()
{
    QVERIFY(start({QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + "/game-end-after-ready.json"}));
    GameWindow *window = joinShown(1002);
    QVERIFY(window);
    play(window, {{Step::Discard, 33}});
    if (QTest::currentTestFailed())
        return;
    ScoreBoard *board = window->scoreBoard();
    auto *label = board->findChild<QLabel *>(QStringLiteral("nextRoundLabel"));
    auto *timer = board->findChild<TimerView *>();
    auto *ready = board->findChild<QAbstractButton *>(QStringLiteral("readyPushButton"));
    auto *leave = board->findChild<QAbstractButton *>(QStringLiteral("leavePushButton"));
    QVERIFY(label && timer && ready && leave);
    QTRY_VERIFY_WITH_TIMEOUT(!board->isHidden() && board->countdown().end().isValid() && ready->isVisible(), 30000);
    QVERIFY(label->isVisible() && timer->isVisible());
    QCOMPARE(ready->text(), QStringLiteral("Next hand"));
    ready->click();
    QVERIFY(board->isHidden());

    QTRY_VERIFY_WITH_TIMEOUT(!board->isHidden() && ready->text().startsWith(QStringLiteral("Play (")), 30000);
    QVERIFY(ready->isVisible() && leave->isVisible());
    QVERIFY2(label->isHidden() && timer->isHidden(), qPrintable(timer->counterText()));
    QVERIFY(!board->countdown().end().isValid());
    leave->click();
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
}

// The player's first tournament round ends and the next one seats the
// player at another table. The finished round's table, looked at again,
// shows the round it played, on its board and in its side bar, and goes
// when its board is closed.
void TestTableBoards::finishedRoundKeepsItsRound()
{
    TournamentsLobbyModel tournaments;
    tournaments.setSession(m_session.get());
    // The server plays the player's turns, and seats a registration at once.
    const QStringList args{QStringLiteral("--seat-after-ms"), QStringLiteral("300"), QStringLiteral("--question-ms"),
                           QStringLiteral("300")};
    QVERIFY(start(args, &tournaments));
    const int seatAfterMs = int(PeerProcess::effectiveValue(args, QStringLiteral("--seat-after-ms"), 0));
    const qint32 sprint = 19;
    QTRY_VERIFY_WITH_TIMEOUT(tournaments.hasTournament(sprint), 10000);
    QSignalSpy joined(m_controller.get(), &GameController::tournamentTableJoined);
    m_session->register_tournament_request(sprint);
    QTRY_COMPARE_WITH_TIMEOUT(joined.size(), 1, 30000 + seatAfterMs);
    const qint32 first = joined[0][1].toInt();
    // The round's end may take its table away (a fault): held so that the
    // test says so instead of crashing.
    QPointer<GameWindow> window = m_controller->view(first);
    QVERIFY(window);
    window->resize(SmallPage);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const auto board = [&window] { return window ? window->roundScoreBoard() : nullptr; };
    QTRY_VERIFY_WITH_TIMEOUT(board() && !board()->isHidden() && board()->isTournament(), 60000);
    const auto sideBarText = [&window](const char *name) {
        return window->sideBar()->findChild<QLabel *>(QLatin1String(name))->text();
    };
    QCOMPARE(board()->roundText(), QStringLiteral("Round 1/2"));
    QCOMPARE(sideBarText("tableRound"), QStringLiteral("Round 1 of 2"));
    QCOMPARE(sideBarText("roundLimit"), QStringLiteral("No round playing"));

    // The tournament's standings read the same tournament points as the board.
    TournamentRankingModel standings(sprint);
    connect(m_session.get(), &ConnectionManager::tournamentRankings, &standings,
            &TournamentRankingModel::onTournamentRankings);
    m_session->get_tournament_ranking_list(sprint);
    // A row shows the player's number until the player database has the
    // name; the rows are matched with the standings by name.
    const auto standingOf = [&standings](const RoundScoreWidget *row) {
        const QModelIndexList found = standings.match(standings.index(0, 1), Qt::DisplayRole, row->name(), 1,
                                                      Qt::MatchExactly);
        return found.size() == 1 ? found[0].siblingAtColumn(2).data().toString() : QString();
    };
    const auto unmatched = [&]() -> QString {
        if (!board())
            return QStringLiteral("the finished round's table went away");
        for (const RoundScoreWidget *row : board()->rows()) {
            if (standingOf(row).isNull())
                return QStringLiteral("no standing named %1").arg(row->name());
        }
        return QString();
    };
    QTRY_VERIFY2_WITH_TIMEOUT(unmatched().isNull(), qPrintable(unmatched()), 20000);
    QCOMPARE(board()->rows().size(), size_t(4));
    for (const RoundScoreWidget *row : board()->rows())
        QCOMPARE(standingOf(row).section(QLatin1Char('/'), 1, 1), row->tournamentPointsText());

    // The player looks at another page while the next round seats the
    // player at another table, and that round plays.
    window->hide();
    QTRY_COMPARE_WITH_TIMEOUT(joined.size(), 2, 60000);
    const qint32 second = joined[1][1].toInt();
    QVERIFY(second != first);
    // Every table of the tournament has heard that the next round plays.
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->hasTable(second)
                                 && m_controller->model(second)->tournamentInfo().currentRound == 1
                                 && m_controller->model(second)->tournamentInfo().status == TournamentInfo::Playing,
                             30000);
    QVERIFY2(window, "the finished round's table went while the next round played");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(board()->roundText(), QStringLiteral("Round 1/2"));
    QCOMPARE(sideBarText("tableRound"), QStringLiteral("Round 1 of 2"));
    QCOMPARE(sideBarText("roundLimit"), QStringLiteral("No round playing"));
    QVERIFY(m_controller->hasTable(first));

    board()->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
    QVERIFY(!m_controller->hasTable(first));
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 10000);
    QVERIFY(m_controller->hasTable(second));
}

// The server tells of 20,000 time-outs at a table in one burst: the notice
// shows, with one timer pending to take it away, not one per time-out.
void TestTableBoards::timeoutBurstKeepsOneTimer()
{
    // Single-shot timers wait as children of the event dispatcher; one made
    // here shows that they can be counted so.
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    const auto pending = [dispatcher] { return dispatcher->children().size(); };
    {
        QObject context;
        const qsizetype before = pending();
        QTimer::singleShot(60000, &context, [] {});
        QVERIFY2(pending() == before + 1, "a pending single-shot timer cannot be counted");
    }
    const int burst = 20000;
    QVERIFY(start({QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + "/timeout-burst.json"}));
    qsizetype first = -1, most = 0;
    QSignalSpy timeouts(m_session.get(), &ConnectionManager::timeoutOccured);
    // Counted after the table's own handling of each time-out.
    QObject context;
    connect(m_session.get(), &ConnectionManager::timeoutOccured, &context, [&] {
        if (first < 0)
            first = pending();
        most = std::max(most, pending());
    });
    GameWindow *window = joinShown(1001);
    QVERIFY(window);
    QTRY_COMPARE_WITH_TIMEOUT(timeouts.size(), burst, 120000);
    QVERIFY(window->timeoutItem()->isVisible());
    QVERIFY2(most - first < 100, qPrintable(QStringLiteral("%1 timers pending").arg(most - first)));
    // The notice still goes after its time.
    QTRY_VERIFY_WITH_TIMEOUT(!window->timeoutItem()->isVisible(), 20000);
}

QTEST_MAIN(TestTableBoards)
#include "tst_tableboards.moc"
