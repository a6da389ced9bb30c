// The table controller end to end: the scripted game server plays hands over
// loopback TLS; the tests answer through the table window as a player would
// and check what the window shows and what reaches the server.
#include "DemoPeerLogin.h"
#include "PeerTableTest.h"
#include "game/GameModel.h"
#include "lobby/SeatedWindow.h"
#include "lobby/TableModel.h"
#include "lobby/WatchingWindow.h"
#include "protocol/ConnectionManager.h"
#include "protocol/ServerError.h"
#include "scene/DeclaredView.h"
#include "scene/DiscardView.h"
#include "scene/HandTile.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/MeldView.h"
#include "scene/TimerView.h"
#include "social/PlayerDb.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/MeldAuction.h"
#include "table/MeldChoice.h"
#include "table/PlayerInactiveWindow.h"
#include "table/RoundScoreBoard.h"
#include "table/RoundScoreWidget.h"
#include "table/ScoreBoard.h"
#include "table/PlayerWidget.h"
#include "table/SideBar.h"
#include "table/WaitingForPlayersWindow.h"
#include "table/WashoutWindow.h"
#include "tools/peer/PeerProcess.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "xmpp/client/XMPPClient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

namespace {

// One move of the local player, made when the window offers it.
struct Move
{
    // Sit: the demo seats the player; nothing is sent. Declare: a button of
    // the concealed action dialog, then the tile in the hand. Claim: a row
    // or the Mahjong button of the claim panel.
    enum Kind { Sit, Discard, Declare, Claim, Pass, Ready } kind;
    tile t = 0;
    int meldType = 0;
    // What the server must receive for it.
    QString request;
    // The claim panel's kind the offer must come on (-1: any).
    int auction = -1;
    // The label of the offer's button, when it matters.
    QString label;
};

QList<int> meldTypes(const DeclaredView *view)
{
    QList<int> types;
    for (const MeldView *meld : view->melds())
        types << meld->meldType();
    return types;
}

QList<int> meldTypes(const PlayerData *player)
{
    QList<int> types;
    for (const meld_tuple &meld : player->melds())
        types << meld.meldType;
    return types;
}

QJsonObject tableStep(const char *message, QJsonObject fields)
{
    fields.insert("tableId", "$table");
    return QJsonObject{{"send", message}, {"fields", fields}};
}

const QJsonObject minute{{"start", "now"}, {"end", "now+60000"}};

// A scenario's checkpoint: the test passes it with query_lobby_summary.
const QJsonObject checkpoint{{"expect", "query_lobby_summary"}, {"hold", true}, {"timeout_ms", 60000}};

QJsonObject expectDiscard(int t)
{
    return QJsonObject{
        {"expect", "discard_tile"}, {"fields", QJsonObject{{"tableId", "$table"}, {"tile", t}}}, {"timeout_ms", 60000}};
}

// The player's discard of t, and the server's report of it.
QJsonArray discarded(int t)
{
    return QJsonArray{expectDiscard(t), tableStep("tile_discarded", {{"playerId", "$pid"}, {"tile", t}})};
}

QJsonArray drawAndDiscard(qint32 player, int t)
{
    return QJsonArray{tableStep("hidden_tiles_from_wall", {{"playerId", player}, {"count", 1}}),
                      tableStep("tile_discarded", {{"playerId", player}, {"tile", t}})};
}

QJsonArray ownTurn(int drawn)
{
    return QJsonArray{tableStep("tiles_from_wall", {{"tiles", QJsonArray{drawn}}}),
                      tableStep("player_should_act", {{"ts", minute}, {"playerId", "$pid"}})};
}

QJsonArray joined(QJsonArray steps, const QJsonArray &more)
{
    for (const QJsonValue &v : more)
        steps.append(v);
    return steps;
}

// The player (East) and three bots seated, the hand dealt with the
// player's tiles, the bots' backs and the player's first draw.
QJsonArray dealtHand(const QJsonArray &tiles, int drawn)
{
    QJsonArray steps{tableStep("player_is_ready", {{"playerId", "$pid"}})};
    for (int i = 1; i <= 3; ++i) {
        steps.append(tableStep("player_joined", {{"player", QJsonObject{{"id", 900 + i},
                                                                        {"name", QStringLiteral("Bot %1").arg(900 + i)},
                                                                        {"wind", i},
                                                                        {"riichiDiscardIndex", -1}}}}));
        steps.append(tableStep("player_is_ready", {{"playerId", 900 + i}}));
    }
    steps.append(tableStep("start_hand",
                           {{"handId", 1},
                            {"seating", QJsonObject{{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 903}}},
                            {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}));
    steps.append(tableStep("private_player_data", {{"data", QJsonObject{{"tiles", tiles}, {"active", true}}}}));
    for (qint32 bot : {901, 902, 903})
        steps.append(tableStep("hidden_tiles_from_wall", {{"playerId", bot}, {"count", 13}}));
    steps.append(tableStep("tiles_from_wall", {{"tiles", QJsonArray{drawn}}}));
    return steps;
}

const char *concealedButton(int meldType)
{
    switch (meldType) {
    case MELD_RIICHI:
        return "riichiButton";
    case MELD_KONG:
        return "kongButton";
    case MELD_PONG_TO_KONG:
        return "pongToKongButton";
    default:
        return "replaceBonusButton";
    }
}

} // namespace

Q_DECLARE_METATYPE(Move)
Q_DECLARE_METATYPE(QList<Move>)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class TestGameController : public PeerTableTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void playsADemoHand_data();
    void playsADemoHand();
    void playsAScriptedHand_data();
    void playsAScriptedHand();
    void washoutShowsTheNoticeUntilReady();
    void watchesAHandInProgressAndLeaves_data();
    void watchesAHandInProgressAndLeaves();
    void tournamentSeatingJoinsOnceTheTableIsKnown();
    void eventsForTablesNotHeld();
    void leftKickedOrRemoved_data();
    void leftKickedOrRemoved();
    void kickToWatchKeepsTheHand();
    void leaverThenKickToWatch_data();
    void leaverThenKickToWatch();
    void badTournamentUpdateIsRefusedAtTheTable();
    void passedReplacementLeavesADiscard();
    void lateClaimAfterTheHandsEnd();
    void questionsInEveryOrder();
    void tournamentRoundEndShowsTheTournamentsBoard();
    void oneLeaveAtTheGamesEnd_data();
    void oneLeaveAtTheGamesEnd();
    void theFirstDrawLeavesTheWallDealt_data();
    void theFirstDrawLeavesTheWallDealt();
    void aHandLeftMidwayPlaysOnWithoutThePlayer_data();
    void aHandLeftMidwayPlaysOnWithoutThePlayer();
    void comingBackOffersOnlyAnOpenQuestion_data();
    void comingBackOffersOnlyAnOpenQuestion();
    void everyOpenQuestionComesBack_data();
    void everyOpenQuestionComesBack();
    void aTournamentHandEndedMeanwhileShowsItsBoard();
    void aRiichiTurnBeforeItsDrawDiscardsTheDraw_data();
    void aRiichiTurnBeforeItsDrawDiscardsTheDraw();
    void anOwnClaimsTilesWaitForItsReport();

private:
    // Joins the table and waits for its window.
    GameWindow *joinTable(qint32 tableId);
    // Joins the table, which then plays the steps.
    GameWindow *joinWithSteps(qint32 tableId, const QJsonArray &steps);
    // The side bar's Leave during a hand, answered Yes: the window goes,
    // the table stays held.
    void leaveMidHand(qint32 tableId);
    // Makes the moves through the window's panels and buttons as they come
    // up, each checked against what reaches the server.
    void play(GameWindow *window, const QList<Move> &moves, const QSignalSpy &askedReady);
    bool start(const QStringList &args, TournamentsLobbyModel *tournaments = nullptr);
    bool startScenario(const QString &file);
    // Joins table 1001, takes the seat and discards the scenario's first
    // offered tile; null when that failed.
    GameWindow *seatedAfterFirstDiscard(const QSignalSpy &askedReady);
    QString writeScenario(const QJsonObject &scenario);
    // The peer's requests of that name that contain the text.
    int received(const QString &name, const QString &text = QString());

    QTemporaryDir m_dir;
    qint32 m_own = 0;
};

void TestGameController::initTestCase()
{
    PeerProcess::installTestCa();
    qRegisterMetaType<GameWindow *>();
}

void TestGameController::init()
{
    makeClient();
}

void TestGameController::cleanup()
{
    dropClient();
}

bool TestGameController::startScenario(const QString &file)
{
    return start({QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + QLatin1Char('/') + file});
}

bool TestGameController::start(const QStringList &args, TournamentsLobbyModel *tournaments)
{
    if (!m_peer->start(args + QStringList{QStringLiteral("--demo")})) {
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

QString TestGameController::writeScenario(const QJsonObject &scenario)
{
    const QString name = m_dir.filePath(QStringLiteral("scenario.json"));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(QJsonDocument(scenario).toJson());
    return name;
}

int TestGameController::received(const QString &name, const QString &text)
{
    int n = 0;
    for (const QString &line : m_peer->linesStartingWith(QStringLiteral("RECV ") + name + QLatin1Char(' ')))
        n += line.contains(text) ? 1 : 0;
    return n;
}

void TestGameController::play(GameWindow *window, const QList<Move> &moves, const QSignalSpy &askedReady)
{
    for (const Move &move : moves) {
        const int before = received(move.request);
        switch (move.kind) {
        case Move::Sit:
            // Three bots sat down and the hand is dealt: the player at the
            // bottom, the others round the table in wind order.
            QTRY_COMPARE_WITH_TIMEOUT(window->seatPlayerId(3), 903, 20000);
            QCOMPARE(window->seatPlayerId(0), m_own);
            QCOMPARE(window->seatPlayerId(1), 901);
            QCOMPARE(window->seatPlayerId(2), 902);
            break;
        case Move::Discard:
            QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 30000);
            window->onTileClick(move.t);
            break;
        case Move::Declare: {
            ConcealedActionDialog *dialog = window->concealedActionDialog();
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->isHidden(), 30000);
            auto *button = dialog->findChild<QAbstractButton *>(QLatin1String(concealedButton(move.meldType)));
            QVERIFY(button && !button->isHidden());
            button->click();
            // Only the offered tile may be chosen now.
            QCOMPARE(window->tileChoice(), move.meldType);
            QVERIFY(window->handView()->isActive());
            window->onTileClick(move.t);
            break;
        }
        case Move::Claim:
        case Move::Pass: {
            QTRY_VERIFY_WITH_TIMEOUT(window->meldAuction() && !window->meldAuction()->isHidden(), 30000);
            MeldAuction *auction = window->meldAuction();
            if (move.auction >= 0)
                QCOMPARE(auction->auctionType(), move.auction);
            QAbstractButton *button = nullptr;
            if (move.kind == Move::Pass) {
                button = auction->findChild<QAbstractButton *>(QStringLiteral("passButton"));
            } else if (move.meldType == MELD_MAHJONG) {
                button = auction->findChild<QAbstractButton *>(QStringLiteral("mahjongButton"));
            } else {
                for (MeldChoice *row : auction->findChildren<MeldChoice *>()) {
                    if (row->offer().meldType == move.meldType && row->offer().t == move.t)
                        button = row->findChild<QAbstractButton *>(QStringLiteral("meldChoiceButton"));
                }
            }
            QVERIFY(button && !button->isHidden());
            if (!move.label.isEmpty())
                QCOMPARE(button->text(), move.label);
            // The declarations' dialog stands beside the hand only with a
            // button to press.
            const QWidget *dialog = window->concealedActionDialog();
            if (!dialog->isHidden()) {
                const auto buttons = dialog->findChildren<QAbstractButton *>();
                QVERIFY(std::any_of(buttons.begin(), buttons.end(), [](auto *b) { return !b->isHidden(); }));
            }
            button->click();
            QVERIFY(!window->meldAuction());
            break;
        }
        case Move::Ready: {
            QTRY_VERIFY_WITH_TIMEOUT((!window->scoreBoard()->isHidden() || !window->washoutWindow()->isHidden())
                                         && askedReady.size() == 1,
                                     30000);
            QWidget *board = window->scoreBoard()->isHidden() ? static_cast<QWidget *>(window->washoutWindow())
                                                              : window->scoreBoard();
            const auto buttons = board->findChildren<QAbstractButton *>(QRegularExpression(QStringLiteral("^ready")));
            QCOMPARE(buttons.size(), 1);
            QAbstractButton *button = buttons.front();
            QVERIFY(!button->isHidden() && button->isEnabled());
            button->click();
            break;
        }
        }
        if (QTest::currentTestFailed())
            return;
        if (move.kind != Move::Sit)
            QTRY_COMPARE_WITH_TIMEOUT(received(move.request), before + 1, 10000);
        if (move.t != 0 && move.meldType != MELD_MAHJONG)
            QCOMPARE(received(move.request, QStringLiteral("\"tile\":%1").arg(move.t)), 1);
        if (move.kind == Move::Pass)
            QCOMPARE(received(move.request, QStringLiteral("\"autoPass\":false")), before + 1);
    }
}

GameWindow *TestGameController::joinTable(qint32 tableId)
{
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    m_session->join_table(tableId, -1);
    if (!joined.wait(10000))
        return nullptr;
    return m_controller->view(tableId);
}

void TestGameController::playsADemoHand_data()
{
    QTest::addColumn<qint32>("tableId");
    QTest::addColumn<QList<Move>>("moves");
    QTest::addColumn<int>("ownDiscards");
    QTest::addColumn<int>("ownMelds");

    QTest::newRow("classic: pong, self-drawn win")
        << 1001
        << QList<Move>{{Move::Sit, 0, 0, QStringLiteral("join_table")},
                       {Move::Discard, 27, 0, QStringLiteral("discard_tile")},
                       {Move::Claim, 31, MELD_PONG, QStringLiteral("call_pong"), MeldAuction::Claim},
                       {Move::Discard, 5, 0, QStringLiteral("discard_tile")},
                       {Move::Claim, 27, MELD_MAHJONG, QStringLiteral("call_mahjong"), MeldAuction::Declaration},
                       {Move::Ready, 0, 0, QStringLiteral("ready")}}
        << 2 << 1;
    QTest::newRow("riichi: riichi, win on a discard")
        << 1002
        << QList<Move>{{Move::Sit, 0, 0, QStringLiteral("join_table")},
                       {Move::Discard, 5, 0, QStringLiteral("discard_tile")},
                       {Move::Declare, 33, MELD_RIICHI, QStringLiteral("call_riichi")},
                       {Move::Claim, 27, MELD_MAHJONG, QStringLiteral("call_mahjong"), MeldAuction::Claim},
                       {Move::Ready, 0, 0, QStringLiteral("ready")}}
        << 2 << 0;
}

void TestGameController::playsADemoHand()
{
    QFETCH(qint32, tableId);
    QFETCH(QList<Move>, moves);
    QFETCH(int, ownDiscards);
    QFETCH(int, ownMelds);
    QVERIFY(start({}));
    QSignalSpy created(m_controller.get(), &GameController::tableViewCreated);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    GameWindow *window = joinTable(tableId);
    QVERIFY(window);
    QCOMPARE(created.size(), 1);
    QCOMPARE(created[0][1].value<GameWindow *>(), window);
    QCOMPARE(window->model(), m_controller->model(tableId));

    // Up to the hand's score board: the hand as it ended.
    const auto riichi = std::find_if(moves.begin(), moves.end(),
                                     [](const Move &m) { return m.meldType == MELD_RIICHI; });
    const qsizetype declared = riichi == moves.end() ? 0 : riichi - moves.begin() + 1;
    play(window, moves.mid(0, declared), askedReady);
    if (QTest::currentTestFailed())
        return;
    if (declared > 0) {
        // The deposit leaves the declarer's points as the riichi is
        // declared; the hand plays on whole from the table sent again.
        const GameModel *model = m_controller->model(tableId);
        const auto shown = [window](qint32 id) {
            const PlayerWidget *seat = window->sideBar()->playerWidget(id);
            return seat ? seat->scoreText() : QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(shown(m_own), QStringLiteral("%L1").arg(24000), 10000);
        QCOMPARE(model->findOwnPlayer()->points(), 24000);
        for (qint32 bot : {901, 902, 903})
            QCOMPARE(shown(bot), QStringLiteral("%L1").arg(25000));
        QCOMPARE(model->riichiSticks(), 1);
        window->actionQueue().flush();
        QCOMPARE(int(model->findOwnPlayer()->hand().size()), 13);
        QCOMPARE(int(window->handView()->tiles().size()), 13);
        QCOMPARE(int(window->discardView(0)->tileItems().size()), 2);
        QCOMPARE(model->findOwnPlayer()->riichiDiscardIndex(), 1);
        const auto *round = window->sideBar()->findChild<QLabel *>(QStringLiteral("tableRound"));
        QVERIFY(round && !round->isHidden());
    }
    play(window, moves.mid(declared, moves.size() - 1 - declared), askedReady);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(!window->scoreBoard()->isHidden(), 20000);
    window->actionQueue().flush();
    QCOMPARE(int(window->discardView(0)->tileItems().size()), ownDiscards);
    QCOMPARE(int(window->declaredView(0)->melds().size()), ownMelds);
    // The bot at the top declared a concealed kong and drew its replacement.
    QCOMPARE(int(window->declaredView(2)->melds().size()), 1);
    const GameModel *model = m_controller->model(tableId);
    // Kan dora belong to Riichi only.
    QCOMPARE(int(model->doraTiles().size()), tableId == 1002 ? 2 : 0);
    QCOMPARE(errors.size(), 0);

    play(window, {moves.last()}, askedReady);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QTRY_VERIFY_WITH_TIMEOUT(!window->roundScoreBoard()->isHidden(), 20000);
    window->actionQueue().flush();
    // The bots' names reach the round's board once the server has told them.
    const auto boardNames = [window] {
        QStringList names;
        for (const RoundScoreWidget *row : window->roundScoreBoard()->rows())
            names << row->name();
        return names;
    };
    QTRY_VERIFY_WITH_TIMEOUT(boardNames().contains(QStringLiteral("Bot North")), 10000);
    QCOMPARE(errors.size(), 0);
    // The bots still sit at the table: nobody is awaited to join it.
    QVERIFY(window->waitingForPlayersWindow()->isHidden());
    QCOMPARE(m_controller->model(tableId)->seatsRemaining(), tableId == 1001 ? 0 : 4);

    // The game is over: leaving gives the seat back, and the table goes.
    QSignalSpy destroyed(m_controller.get(), &GameController::tableViewDestroyed);
    m_controller->onLeave(tableId);
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("leave_table")), 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->hasTable(tableId), 10000);
    QCOMPARE(destroyed.size(), 1);
}

void TestGameController::playsAScriptedHand_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QList<Move>>("moves");
    // What the table shows after the hand, seen from the player.
    QTest::addColumn<QList<int>>("ownMelds");
    QTest::addColumn<int>("handTiles");
    QTest::addColumn<QList<int>>("rightMelds");
    QTest::addColumn<int>("leftDiscards");
    QTest::addColumn<int>("doras");
    // The hand ended the game: the player leaves from the washout notice.
    QTest::addColumn<bool>("leaves");

    const Move sit{Move::Sit, 0, 0, QStringLiteral("join_table")};
    const QString discard = QStringLiteral("discard_tile");
    // A kong replaces the pong it extends, in the pong's place.
    QTest::newRow("own kongs: concealed, then added to a claimed pong")
        << QStringLiteral("kong-hand.json")
        << QList<Move>{sit,
                       {Move::Declare, 13, MELD_KONG, QStringLiteral("call_kong")},
                       {Move::Discard, 33, 0, discard},
                       {Move::Claim, 27, MELD_PONG, QStringLiteral("call_pong"), MeldAuction::Claim},
                       {Move::Discard, 32, 0, discard},
                       {Move::Declare, 27, MELD_PONG_TO_KONG, QStringLiteral("call_pong_to_kong")},
                       {Move::Discard, 30, 0, discard}}
        << QList<int>{MELD_KONG, MELD_PONG_TO_KONG} << 7 << QList<int>{} << 1 << 2 << true;
    const QList<Move> chow{
        sit,
        {Move::Discard, 33, 0, discard},
        {Move::Claim, 3, MELD_CHOW, QStringLiteral("call_chow"), MeldAuction::Claim, QStringLiteral("Chow Hi")},
        {Move::Discard, 6, 0, discard}};
    QTest::newRow("chow, then the right player's added kong robbed")
        << QStringLiteral("rob-the-kong-hand.json")
        << chow
               + QList<Move>{{Move::Claim, 22, MELD_MAHJONG, QStringLiteral("call_mahjong"), MeldAuction::RobKong},
                             {Move::Ready, 0, 0, QStringLiteral("ready")}}
        << QList<int>{MELD_CHOW} << 10 << QList<int>{MELD_PONG} << 0 << 0 << false;
    QTest::newRow("chow, then the right player's added kong let stand")
        << QStringLiteral("rob-the-kong-hand.json")
        << chow
               + QList<Move>{{Move::Pass, 0, 0, QStringLiteral("call_pass"), MeldAuction::RobKong},
                             {Move::Ready, 0, 0, QStringLiteral("ready")}}
        << QList<int>{MELD_CHOW} << 10 << QList<int>{MELD_PONG_TO_KONG} << 0 << 0 << false;
}

void TestGameController::playsAScriptedHand()
{
    QFETCH(QString, scenario);
    QFETCH(QList<Move>, moves);
    QFETCH(QList<int>, ownMelds);
    QFETCH(int, handTiles);
    QFETCH(QList<int>, rightMelds);
    QFETCH(int, leftDiscards);
    QFETCH(int, doras);
    QFETCH(bool, leaves);
    QVERIFY(start({QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + QLatin1Char('/') + scenario}));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    GameWindow *window = joinTable(1001);
    QVERIFY(window);
    play(window, moves, askedReady);
    if (QTest::currentTestFailed())
        return;
    if (leaves)
        QTRY_VERIFY_WITH_TIMEOUT(!window->washoutWindow()->isHidden(), 20000);
    else
        QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    window->actionQueue().flush();

    const GameModel *model = m_controller->model(1001);
    QCOMPARE(meldTypes(window->declaredView(0)), ownMelds);
    QCOMPARE(int(window->handView()->tiles().size()), handTiles);
    QCOMPARE(int(model->findOwnPlayer()->hand().size()), handTiles);
    QCOMPARE(meldTypes(window->declaredView(1)), rightMelds);
    // A claimed discard leaves the discarder's pond.
    QCOMPARE(int(window->discardView(3)->tileItems().size()), leftDiscards);
    QCOMPARE(int(model->doraTiles().size()), doras);
    QCOMPARE(errors.size(), 0);
    if (ownMelds.contains(MELD_KONG)) {
        // The concealed kong shows its outer tiles face down.
        QCOMPARE(window->declaredView(0)->melds().front()->visibility(), int(MeldView::Concealed));
        QCOMPARE(meldTypes(model->findOwnPlayer()), (QList<int>{MELD_KONG, MELD_KONG}));
    }
    if (!leaves)
        return;

    // The game is over: Leave on the notice gives the seat back at once and
    // the server's answer closes the table.
    QSignalSpy destroyed(m_controller.get(), &GameController::tableViewDestroyed);
    QPointer<GameWindow> closed(window);
    auto *leave = window->washoutWindow()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
    QVERIFY(leave && !leave->isHidden());
    leave->click();
    QVERIFY(!window->findChild<QMessageBox *>());
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->hasTable(1001), 10000);
    QCOMPARE(received(QStringLiteral("leave_table"), QStringLiteral("\"tableId\":1001")), 1);
    QCOMPARE(destroyed.size(), 1);
    QTRY_VERIFY(closed.isNull());
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 10000).isNull());
}

void TestGameController::washoutShowsTheNoticeUntilReady()
{
    QVERIFY(
        start({QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + QStringLiteral("/washout-hand.json")}));
    QSignalSpy washout(m_session.get(), &ConnectionManager::handEndNonScoring);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    m_session->join_table(1001, -1);
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->view(1001), 10000);
    GameWindow *window = m_controller->view(1001);
    QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 30000);
    window->onTileClick(5);
    QVERIFY(washout.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(!window->washoutWindow()->isHidden() && askedReady.size() == 1, 20000);
    // The bot's flower and its replacement reached the model.
    const auto &melds = m_controller->model(1001)->findPlayer(901)->melds();
    QCOMPARE(int(melds.size()), 1);
    QCOMPARE(int(melds.front().meldType), int(MELD_BONUS));
    QCOMPARE(received(QStringLiteral("discard_tile"), QStringLiteral("\"tile\":5")), 1);
    window->onReadyButtonClick();
    QVERIFY(window->washoutWindow()->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("ready")), 1, 10000);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 10000).isNull());
}

void TestGameController::watchesAHandInProgressAndLeaves_data()
{
    QTest::addColumn<qint32>("tableId");
    QTest::newRow("riichi full game") << 1002;
    QTest::newRow("international, east only") << 1003;
}

void TestGameController::watchesAHandInProgressAndLeaves()
{
    QFETCH(qint32, tableId);
    QVERIFY(start({}));
    QSignalSpy watched(m_controller.get(), &GameController::tableWatched);
    QSignalSpy scored(m_session.get(), &ConnectionManager::handEndScoring);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    m_session->watch_table(tableId);
    QVERIFY(watched.wait(10000));
    QCOMPARE(watched[0][1].toBool(), true); // from the lobby
    GameWindow *window = m_controller->view(tableId);
    QVERIFY(window);
    // Every seat of the hand in progress is taken, whatever kind of game.
    QTRY_COMPARE_WITH_TIMEOUT(window->seatPlayerId(3), 914, 10000);
    QCOMPARE(window->seatPlayerId(2), 913);
    QCOMPARE(window->sideBar()->seatOrder().size(), 4);
    // A watcher sees East at the bottom, with the hand already under way.
    QTRY_COMPARE_WITH_TIMEOUT(window->seatPlayerId(1), 912, 10000);
    QCOMPARE(window->seatPlayerId(0), 911);
    QTRY_VERIFY_WITH_TIMEOUT(window->discardView(0)->tileItems().size() >= 3, 10000);
    QCOMPARE(window->hiddenHandView(2)->tileCount(), 13);
    QVERIFY(scored.wait(40000));
    QTRY_VERIFY_WITH_TIMEOUT(!window->scoreBoard()->isHidden(), 20000);
    QCOMPARE(int(window->declaredView(1)->melds().size()), 2); // a pong, then a kong
    QCOMPARE(errors.size(), 0);

    QSignalSpy destroyed(m_controller.get(), &GameController::tableViewDestroyed);
    m_controller->onLeave(tableId);
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->hasTable(tableId), 10000);
    QCOMPARE(received(QStringLiteral("unwatch_table")), 1);
    QCOMPARE(destroyed.size(), 1);
}

void TestGameController::tournamentSeatingJoinsOnceTheTableIsKnown()
{
    const QJsonObject game{
        {"send", "game_data"},
        {"fields", QJsonObject{{"tableId", 7001},
                               {"state", 0},
                               {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}}};
    const QJsonObject scenario{
        {"trigger", "login"},
        {"disable", QJsonArray{"join_table"}},
        {"steps", QJsonArray{QJsonObject{{"wait_ms", 500}},
                             QJsonObject{{"send", "tournament_seated"},
                                         {"fields", QJsonObject{{"tournamentId", 7}, {"tableId", 7001}}}},
                             QJsonObject{{"expect", "join_table"}, {"fields", QJsonObject{{"tableId", 7001}}}},
                             QJsonObject{{"send", "join_ok"}, {"fields", QJsonObject{{"tableId", 7001}}}}, game}}};
    QVERIFY(start({QStringLiteral("--scenario"), writeScenario(scenario)}));
    QSignalSpy joined(m_controller.get(), &GameController::tournamentTableJoined);
    QVERIFY(joined.wait(10000));
    QCOMPARE(joined[0][0].toInt(), 7);
    QCOMPARE(joined[0][1].toInt(), 7001);
    // The table's facts came with the tournament's lobby path, then one join.
    QCOMPARE(received(QStringLiteral("lobby_subscribe"), QStringLiteral("101/mtt/7")), 1);
    QCOMPARE(received(QStringLiteral("join_table"), QStringLiteral("7001")), 1);
    QCOMPARE(m_tables->subscriptionCount(QStringLiteral("101/mtt/7")), 1); // now the table's own
    GameWindow *window = m_controller->view(7001);
    QVERIFY(window);
    QCOMPARE(window->tableInfo().gameType(), int(TableInfo::TOURNAMENT));
    // Player-left events do not unseat anyone at a tournament table.
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->model(7001)->findOwnPlayer(), 10000);
    m_controller->onPlayerLeft(7001, m_own);
    QVERIFY(m_controller->model(7001)->findOwnPlayer());
}

void TestGameController::eventsForTablesNotHeld()
{
    QVERIFY(start({}));
    QSignalSpy joined(m_controller.get(), &GameController::regularTableJoined);
    // A join the lobby knows nothing about is given back.
    m_controller->onJoinSuccessful(4242);
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("leave_table"), QStringLiteral("4242")), 1, 10000);
    QVERIFY(!m_controller->hasTable(4242));
    QCOMPARE(joined.size(), 0);

    m_session->watch_table(1001);
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->view(1001), 10000);
    m_controller->destroyTable(1001);
    QVERIFY(!m_controller->hasTable(1001));
    // Late events and a second confirmation for the table just left.
    m_controller->tileDiscarded(1001, 911, 5);
    m_controller->onKickedConfirmed(1001);
    m_controller->onTableRemovedConfirmed(1001);
    // Any other table is a server fault.
    QVERIFY_THROWS_EXCEPTION(server_error, m_controller->tileDiscarded(5555, 911, 5));
}

void TestGameController::leftKickedOrRemoved_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QJsonArray>("steps");
    // What the player does first: "close" the window during the hand with
    // the side bar's Leave, before the news; "ask" the same, left unanswered;
    // "leave" from the panel that waits for players.
    QTest::addColumn<QString>("player");
    // The notice shown, empty for none, and the button that closes it.
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QMessageBox::StandardButton>("button");
    // The requests the client sends then.
    QTest::addColumn<QStringList>("requests");
    // True: the table is kept, with the player watching it.
    QTest::addColumn<bool>("watching");
    // Requests the scenario answers instead of the peer.
    QTest::addColumn<QJsonArray>("disable");

    const auto step = [](const char *message, QJsonObject fields) {
        fields.insert("tableId", "$table");
        return QJsonObject{{"send", message}, {"fields", fields}};
    };
    const QJsonObject ts{{"start", "now"}, {"end", "now+60000"}};
    const QJsonArray seated{step("player_is_ready", {{"playerId", "$pid"}})};
    // A hand under way that waits for the player's discard.
    QJsonArray inHand = seated;
    for (int i = 1; i <= 3; ++i) {
        inHand.append(
            step("player_joined", {{"player", QJsonObject{{"id", 900 + i}, {"wind", i}, {"riichiDiscardIndex", -1}}}}));
        inHand.append(step("player_is_ready", {{"playerId", 900 + i}}));
    }
    inHand.append(
        step("start_hand", {{"handId", 1},
                            {"seating", QJsonObject{{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 903}}},
                            {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}));
    inHand.append(step("private_player_data",
                       {{"data", QJsonObject{{"tiles", QJsonArray{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
                                             {"active", true}}}}));
    inHand.append(step("player_should_act", {{"ts", ts}, {"playerId", "$pid"}}));
    const QJsonArray ownTurn = inHand;
    inHand.append(QJsonObject{{"expect", "discard_tile"}, {"fields", QJsonObject{{"tableId", "$table"}}}});
    const auto then = [](QJsonArray steps, const QJsonObject &last) {
        steps.append(last);
        return steps;
    };
    const auto kick = [&](int reason) { return step("kick_player", {{"reason", reason}}); };
    const QJsonObject removed = step("table_removed", {});
    const QString kicked = QStringLiteral("Kicked");
    const QString gone = QStringLiteral("Table does not exist");
    const QString goneText = QStringLiteral("Table has been removed from server, press Ok to go back to lobby");
    const QMessageBox::StandardButton none = QMessageBox::NoButton;
    const QString close = QStringLiteral("close");

    QTest::newRow("kicked") << "join" << then(seated, kick(0)) << QString() << kicked
                            << QStringLiteral("You were kicked from the table.") << QMessageBox::Ok << QStringList{}
                            << false << QJsonArray{};
    QTest::newRow("kicked for a reason without a text")
        << "join" << then(seated, kick(9)) << QString() << kicked << QStringLiteral("You were kicked from the table.")
        << QMessageBox::Ok << QStringList{} << false << QJsonArray{};
    QTest::newRow("kicked for funds, deposit asked")
        << "join" << then(seated, kick(2)) << QString() << kicked
        << QStringLiteral("You do not have enough funds to play another hand.\nDo you want to make a deposit now?")
        << QMessageBox::Yes << QStringList{QStringLiteral("query_web_page")} << false << QJsonArray{};
    QTest::newRow("kicked to watch") << "join"
                                     << then(then(seated, kick(3)),
                                             QJsonObject{{"expect", "watch_table"},
                                                         {"fields", QJsonObject{{"tableId", "$table"}}}})
                                     << QString() << QString() << QString() << none
                                     << QStringList{QStringLiteral("watch_table")} << true << QJsonArray{};
    QTest::newRow("kicked to watch, watch refused")
        << "join"
        << then(then(then(seated, kick(3)), QJsonObject{{"expect", "watch_table"}}),
                step("watch_failed", {{"reason", "The table is full."}}))
        << QString() << QString() << QString() << none << QStringList{QStringLiteral("watch_table")} << false
        << QJsonArray{"watch_table"};
    QTest::newRow("removed while seated") << "join" << then(seated, removed) << QString() << gone << goneText
                                          << QMessageBox::Ok << QStringList{} << false << QJsonArray{};
    const QJsonObject offer = step("are_you_ready", {{"ts", ts}});
    QTest::newRow("removed while offered a seat")
        << "join" << QJsonArray{offer, removed} << QString() << gone << goneText << QMessageBox::Ok << QStringList{}
        << false << QJsonArray{};
    QTest::newRow("removed in the player's turn") << "join" << then(ownTurn, removed) << QString() << gone << goneText
                                                  << QMessageBox::Ok << QStringList{} << false << QJsonArray{};
    QTest::newRow("removed while watching") << "watch" << QJsonArray{removed} << QString() << gone << goneText
                                            << QMessageBox::Ok << QStringList{} << false << QJsonArray{};
    // Without a window there is nobody to tell: the table just goes.
    QTest::newRow("kicked with the window closed")
        << "join" << then(inHand, kick(3)) << close << QString() << QString() << none
        << QStringList{QStringLiteral("discard_tile")} << false << QJsonArray{};
    QTest::newRow("removed with the window closed")
        << "join" << then(inHand, removed) << close << QString() << QString() << none
        << QStringList{QStringLiteral("discard_tile")} << false << QJsonArray{};
    QTest::newRow("kicked while asked to leave")
        << "join" << then(inHand, kick(0)) << QStringLiteral("ask") << kicked
        << QStringLiteral("You were kicked from the table.") << QMessageBox::Ok
        << QStringList{QStringLiteral("discard_tile")} << false << QJsonArray{};
    // A hand that ends the game gives the seat of a closed window back.
    QJsonArray gameOver = then(inHand, step("hand_end_non_scoring", {{"reason", 0}, {"endOfGame", true}}));
    QTest::newRow("left during the hand")
        << "join" << then(gameOver, QJsonObject{{"expect", "leave_table"}}) << close << QString() << QString() << none
        << QStringList{QStringLiteral("discard_tile"), QStringLiteral("leave_table")} << false << QJsonArray{};
    // Before the game starts a seated player leaves at once.
    QTest::newRow("seated player leaves")
        << "join" << then(seated, QJsonObject{{"expect", "leave_table"}}) << QStringLiteral("leave") << QString()
        << QString() << none << QStringList{QStringLiteral("leave_table")} << false << QJsonArray{};
}

void TestGameController::leftKickedOrRemoved()
{
    QFETCH(QString, trigger);
    QFETCH(QJsonArray, steps);
    QFETCH(QString, player);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(QStringList, requests);
    QFETCH(bool, watching);
    QFETCH(QJsonArray, disable);
    const QJsonObject scenario{{"trigger", trigger},
                               {"tables", QJsonArray{1001}},
                               {"empty_table", true},
                               {"disable", disable},
                               {"steps", steps}};
    QVERIFY(start({QStringLiteral("--scenario"), writeScenario(scenario)}));
    QSignalSpy destroyed(m_controller.get(), &GameController::tableViewDestroyed);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    // Held from its creation: a scenario that needs no answer may be over,
    // and the window gone, before the test looks.
    QPointer<GameWindow> window;
    QObject context;
    connect(m_controller.get(), &GameController::tableViewCreated, &context,
            [&window](qint32, GameWindow *created) { window = created; });
    if (trigger == QLatin1String("join"))
        m_session->join_table(1001, -1);
    else
        m_session->watch_table(1001);
    QTRY_VERIFY_WITH_TIMEOUT(window || destroyed.size() == 1, 10000);
    // Where the player acts, the window waits for the player.
    if (!player.isEmpty())
        QVERIFY2(window, "the table's window went before the player could act");

    if (player == QLatin1String("leave")) {
        QTRY_VERIFY_WITH_TIMEOUT(window && !window->waitingForPlayersWindow()->isHidden(), 10000);
        auto *leave = window->waitingForPlayersWindow()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
        QVERIFY(leave && leave->isEnabled());
        leave->click();
        QVERIFY(!window->findChild<QMessageBox *>());
    } else if (player == QLatin1String("close") || player == QLatin1String("ask")) {
        // The discard goes out and Leave asks first, as a hand runs; Yes
        // closes the window before any answer can be read, and the model
        // keeps following the hand.
        QTRY_VERIFY_WITH_TIMEOUT(window && window->handView()->isActive(), 20000);
        window->onTileClick(5);
        auto *leave = window->sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
        QVERIFY(leave && !leave->isHidden() && leave->isEnabled());
        leave->click();
        auto *question = window->findChild<QMessageBox *>();
        QVERIFY(question);
        QCOMPARE(question->windowTitle(), QStringLiteral("Leave Table"));
        QVERIFY(m_controller->view(1001));
        if (player == QLatin1String("close")) {
            question->button(QMessageBox::Yes)->click();
            QVERIFY(!m_controller->view(1001));
        }
        QVERIFY(m_controller->hasTable(1001));
    }
    if (title.isEmpty()) {
        QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    } else {
        // The notice is the only question left open.
        const auto shown = [&window] {
            QList<QMessageBox *> boxes = window ? window->findChildren<QMessageBox *>() : QList<QMessageBox *>();
            boxes.removeIf([](QMessageBox *b) { return b->isHidden(); });
            return boxes;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!shown().isEmpty() && shown().back()->windowTitle() == title, 10000);
        QVERIFY2(window, "the table's window went before its notice was read");
        QCOMPARE(shown().size(), 1);
        QMessageBox *box = shown().front();
        QCOMPARE(box->text(), text);
        // Nothing is given up before the player has read the notice, and
        // no panel offers to go on at the table meanwhile.
        QVERIFY(m_controller->hasTable(1001));
        QVERIFY(window->waitingForPlayersWindow()->isHidden());
        QVERIFY(window->seatedWindow()->isHidden());
        QVERIFY(window->watchingWindow()->isHidden());
        QVERIFY(!window->handView()->isActive());
        QAbstractButton *close = box->button(button);
        QVERIFY(close);
        close->click();
    }
    for (const QString &request : requests)
        QTRY_COMPARE_WITH_TIMEOUT(received(request), 1, 10000);
    if (watching) {
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->model(1001)->playerState(), GameModel::WATCHING, 10000);
        QCOMPARE(m_controller->view(1001), window.data());
        QTRY_VERIFY_WITH_TIMEOUT(window && !window->watchingWindow()->isHidden(), 10000);
        QCOMPARE(destroyed.size(), 0);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!m_controller->hasTable(1001), 10000);
        QCOMPARE(destroyed.size(), 1);
        QTRY_VERIFY(window.isNull());
    }
    // Nothing else is given up: a kick or a removal has already taken the
    // player off the table.
    const QString own = trigger == QLatin1String("join") ? QStringLiteral("join_table") : QStringLiteral("watch_table");
    for (const QString &request : {QStringLiteral("leave_table"), QStringLiteral("watch_table"),
                                   QStringLiteral("unwatch_table"), QStringLiteral("join_table")}) {
        if (request != own)
            QCOMPARE(received(request), int(requests.contains(request)));
    }
    QCOMPARE(errors.size(), 0);
}

GameWindow *TestGameController::seatedAfterFirstDiscard(const QSignalSpy &askedReady)
{
    GameWindow *window = joinTable(1001);
    if (!window)
        return nullptr;
    play(window,
         {{Move::Sit, 0, 0, QStringLiteral("join_table")}, {Move::Discard, 33, 0, QStringLiteral("discard_tile")}},
         askedReady);
    return QTest::currentTestFailed() ? nullptr : window;
}

void TestGameController::kickToWatchKeepsTheHand()
{
    QVERIFY(startScenario(QStringLiteral("kick-to-watch-hand.json")));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy destroyed(m_controller.get(), &GameController::tableViewDestroyed);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    // The kick must not take the window away; held so that a fault says so.
    QPointer<GameWindow> window = seatedAfterFirstDiscard(askedReady);
    QVERIFY(window);
    // Moved to the watchers: the watch request goes out, and the bot's draw
    // and discard that follow are shown on the table the player still sees.
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("watch_table"), QStringLiteral("\"tableId\":1001")), 1, 20000);
    QVERIFY2(window, "the kick to the watchers closed the table's window");
    QTRY_COMPARE_WITH_TIMEOUT(window ? window->discardView(1)->tileItems().size() : 0, size_t(1), 10000);
    QVERIFY2(window, "the table's window went after the kick");
    QCOMPARE(m_controller->model(1001)->playerState(), GameModel::KICKED);
    QCOMPARE(window->seatPlayerId(1), 901);
    QCOMPARE(window->discardView(0)->tileItems().size(), size_t(1));
    QVERIFY(!window->handView()->isActive());
    QVERIFY(!window->findChild<QMessageBox *>());
    QCOMPARE(errors.size(), 0);

    // The watch is answered with the hand as it stands, a bot in the seat.
    m_session->query_lobby_summary();
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QTRY_COMPARE_WITH_TIMEOUT(m_controller->model(1001)->playerState(), GameModel::WATCHING, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(window ? window->discardView(2)->tileItems().size() : 0, size_t(1), 10000);
    QVERIFY2(window, "the table's window went when the watch was answered");
    QCOMPARE(window->seatPlayerId(0), 904);
    QCOMPARE(window->seatPlayerId(2), 902);
    QCOMPARE(m_controller->view(1001), window.data());
    QCOMPARE(destroyed.size(), 0);
    QCOMPARE(errors.size(), 0);
    QCOMPARE(received(QStringLiteral("watch_table")), 1);
    QCOMPARE(received(QStringLiteral("leave_table")), 0);
}

void TestGameController::leaverThenKickToWatch_data()
{
    QTest::addColumn<QJsonArray>("then");
    // True: the player takes the freed seat back; false: the next hand is
    // watched.
    QTest::addColumn<bool>("join");

    const auto step = [](const char *message, QJsonObject fields) {
        fields.insert("tableId", "$table");
        return QJsonObject{{"send", message}, {"fields", fields}};
    };
    const auto player = [](qint32 id, int wind, bool ready) {
        return QJsonObject{{"id", id},          {"name", QStringLiteral("Bot %1").arg(id)},
                           {"wind", wind},      {"ready", ready},
                           {"hiddenTiles", 13}, {"riichiDiscardIndex", -1}};
    };
    const qint32 newcomer = 910;
    QJsonArray seat{step("player_joined", {{"player", player(newcomer, 3, false)}}),
                    step("player_is_ready", {{"playerId", newcomer}}),
                    step("table_info_update", {{"seated", 4}, {"updates", QJsonArray{}}})};
    // Watched on: the newcomer sits where the leaver sat and plays.
    QJsonArray watched = seat;
    watched.append(
        step("start_hand", {{"handId", 2},
                            {"seating", QJsonObject{{"east", 904}, {"south", 901}, {"west", 902}, {"north", newcomer}}},
                            {"tableState", QJsonObject{{"playerId", -1}, {"lastDiscarder", -1}}}}));
    for (const qint32 id : {904, 901, 902, newcomer})
        watched.append(step("hidden_tiles_from_wall", {{"playerId", id}, {"count", 13}}));
    watched.append(step("hidden_tiles_from_wall", {{"playerId", newcomer}, {"count", 1}}));
    watched.append(step("tile_discarded", {{"playerId", newcomer}, {"tile", 7}}));
    QTest::newRow("the next hand watched") << watched << false;
    // The stand-in goes and the lobby hears of the free seat.
    QJsonArray back = seat;
    back.append(step("player_left", {{"playerId", 904}}));
    back.append(step("table_info_update", {{"seated", 3}, {"updates", QJsonArray{}}}));
    back.append(QJsonObject{{"expect", "join_table"}, {"fields", QJsonObject{{"tableId", "$table"}}}});
    QTest::newRow("the seat taken back") << back << true;
}

void TestGameController::leaverThenKickToWatch()
{
    QFETCH(QJsonArray, then);
    QFETCH(bool, join);
    const auto step = [](const char *message, QJsonObject fields) {
        fields.insert("tableId", "$table");
        return QJsonObject{{"send", message}, {"fields", fields}};
    };
    const auto player = [](qint32 id, int wind) {
        return QJsonObject{{"id", id},
                           {"name", QStringLiteral("Bot %1").arg(id)},
                           {"wind", wind},
                           {"ready", true},
                           {"riichiDiscardIndex", -1}};
    };
    QJsonArray steps{step("player_is_ready", {{"playerId", "$pid"}})};
    for (int i = 1; i <= 3; ++i) {
        steps.append(step("player_joined", {{"player", player(900 + i, i)}}));
        steps.append(step("player_is_ready", {{"playerId", 900 + i}}));
    }
    steps.append(
        step("start_hand", {{"handId", 1},
                            {"seating", QJsonObject{{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 903}}},
                            {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", -1}}}}));
    steps.append(step(
        "private_player_data",
        {{"data", QJsonObject{{"tiles", QJsonArray{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}, {"active", true}}}}));
    for (const qint32 id : {901, 902, 903})
        steps.append(step("hidden_tiles_from_wall", {{"playerId", id}, {"count", 13}}));
    // A bot leaves during the hand; then the player is moved to the
    // watchers, and the watch's picture still lists the leaver, whose seat
    // the server plays to the hand's end.
    steps.append(step("player_left", {{"playerId", 903}}));
    steps.append(step("kick_player", {{"reason", 3}}));
    steps.append(QJsonObject{{"expect", "watch_table"}, {"fields", QJsonObject{{"tableId", "$table"}}}});
    steps.append(step("watch_ok", {}));
    QJsonObject standIn = player(904, 0);
    standIn.insert("hiddenTiles", 13);
    QJsonArray listed{standIn};
    for (const qint32 id : {901, 902, 903}) {
        QJsonObject p = player(id, id - 900);
        p.insert("hiddenTiles", 13);
        listed.append(p);
    }
    steps.append(step("game_data",
                      {{"handId", 1},
                       {"state", 4},
                       {"players", listed},
                       {"tableState", QJsonObject{{"playerId", -1}, {"lastDiscarder", -1}}},
                       {"wallState", QJsonObject{{"deadWallPosition", 4}, {"liveTiles", 80}, {"deadWallTiles", 14}}}}));
    steps.append(step("hidden_tiles_from_wall", {{"playerId", 903}, {"count", 1}}));
    steps.append(step("tile_discarded", {{"playerId", 903}, {"tile", 30}}));
    steps.append(step("hand_end_non_scoring", {{"reason", 0}, {"endOfGame", true}}));
    for (const QJsonValue &v : then)
        steps.append(v);
    const QJsonObject scenario{{"trigger", "join"},
                               {"tables", QJsonArray{1001}},
                               {"empty_table", true},
                               {"disable", QJsonArray{"watch_table"}},
                               {"steps", steps}};
    QVERIFY(start({QStringLiteral("--scenario"), writeScenario(scenario)}));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    // The kick must not take the window away; held so that a fault says so.
    QPointer<GameWindow> window = joinTable(1001);
    QVERIFY(window);
    QTRY_COMPARE_WITH_TIMEOUT(m_controller->model(1001)->playerState(), GameModel::WATCHING, 20000);
    QVERIFY2(window, "the kick to the watchers closed the table's window");
    if (join) {
        auto *button = window->watchingWindow()->findChild<QAbstractButton *>(QStringLiteral("joinButton"));
        QVERIFY(button);
        // The free seat is offered again once the lobby hears of it.
        QTRY_VERIFY_WITH_TIMEOUT(window && !window->watchingWindow()->isHidden() && button->isEnabled(), 20000);
        QCOMPARE(m_controller->model(1001)->players().size(), size_t(3));
        button->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->model(1001)->playerState(), GameModel::SEAT_OFFERED, 20000);
        QCOMPARE(received(QStringLiteral("join_table")), 2);
    } else {
        QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
        // The server has sent the next hand; the client may still be reading
        // the first one's end.
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->model(1001)->handId() == 2 && m_controller->model(1001)->isInPlay(),
                                 10000);
        QVERIFY2(window, "the watched table's window went before its next hand");
        window->actionQueue().flush();
        // The leaver is gone; the newcomer sits at the bottom's left, where
        // the hand's seating puts the north wind, and has discarded.
        QVERIFY(!m_controller->model(1001)->findPlayer(903));
        QCOMPARE(window->seatPlayerId(3), 910);
        QTRY_COMPARE_WITH_TIMEOUT(window ? window->discardView(3)->tileItems().size() : 0, size_t(1), 10000);
    }
    QCOMPARE(errors.size(), 0);
}

void TestGameController::badTournamentUpdateIsRefusedAtTheTable()
{
    TournamentsLobbyModel tournaments;
    tournaments.setSession(m_session.get());
    QVERIFY(start({QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + "/tournament-round-end.json"},
                  &tournaments));
    QSignalSpy joined(m_controller.get(), &GameController::tournamentTableJoined);
    QVERIFY(joined.wait(10000));
    QTRY_VERIFY_WITH_TIMEOUT(tournaments.hasTournament(7), 10000);
    GameModel *model = m_controller->model(7001);
    QVERIFY(model);
    const int registered = model->tournamentInfo().registeredPlayers;
    // A broken update of the table's tournament is refused by the lobby and
    // by the table alike, with a warning, and the next one is taken.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("update of tournament 7 refused")));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("update of tournament 7 at table 7001 refused")));
    emit m_session->tournamentInfoUpdate(
        7, TournamentInfoUpdates{tournamentInfoValueUpdate(TournamentInfo::REGISTERED_PLAYERS, 99),
                                 TournamentInfoUpdates::value_type()});
    QCOMPARE(model->tournamentInfo().registeredPlayers, registered);
    QCOMPARE(tournaments.tournamentInfo(7).registeredPlayers, registered);
    emit m_session->tournamentInfoUpdate(
        7, TournamentInfoUpdates{tournamentInfoValueUpdate(TournamentInfo::REGISTERED_PLAYERS, 12)});
    QCOMPARE(model->tournamentInfo().registeredPlayers, 12);
}

void TestGameController::passedReplacementLeavesADiscard()
{
    QVERIFY(startScenario(QStringLiteral("replacement-pass-hand.json")));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    GameWindow *window = joinTable(1001);
    QVERIFY(window);
    const QString pass = QStringLiteral("call_pass");
    play(window,
         {{Move::Sit, 0, 0, QStringLiteral("join_table")},
          {Move::Pass, 0, 0, pass, MeldAuction::ReplaceTiles},
          {Move::Discard, 35, 0, QStringLiteral("discard_tile")},
          {Move::Declare, 27, MELD_RIICHI, QStringLiteral("call_riichi")},
          {Move::Pass, 0, 0, pass, MeldAuction::ReplaceTiles}},
         askedReady);
    if (QTest::currentTestFailed())
        return;
    // In riichi the drawn tile goes out by itself after the pass.
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("discard_tile"), QStringLiteral("\"tile\":34")), 1, 20000);
    play(window, {{Move::Ready, 0, 0, QStringLiteral("ready")}}, askedReady);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QCOMPARE(received(QStringLiteral("call_bonus")), 0);
    QCOMPARE(received(QStringLiteral("discard_tile")), 2);
    window->actionQueue().flush();
    QCOMPARE(window->discardView(0)->tileItems().size(), size_t(3));
    QCOMPARE(errors.size(), 0);
}

void TestGameController::lateClaimAfterTheHandsEnd()
{
    QVERIFY(startScenario(QStringLiteral("late-claim-hand.json")));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    QSignalSpy lateTurn(m_session.get(), &ConnectionManager::playerShouldAct);
    GameWindow *window = seatedAfterFirstDiscard(askedReady);
    QVERIFY(window);
    // The readiness question comes after the late claim, turn and offer.
    QTRY_VERIFY_WITH_TIMEOUT(askedReady.size() == 1 && !window->washoutWindow()->isHidden(), 20000);
    QCOMPARE(lateTurn.size(), 2);
    window->actionQueue().flush();
    QVERIFY(!window->meldAuction());
    QVERIFY(window->concealedActionDialog()->isHidden());
    QVERIFY(!window->handView()->isActive());
    QVERIFY(window->bigTurnTimer()->isHidden());
    QCOMPARE(window->tileChoice(), 0);
    window->onTileClick(5);
    QTest::qWait(200);
    for (const QString &late : {QStringLiteral("call_pong"), QStringLiteral("call_kong"), QStringLiteral("call_pass")})
        QCOMPARE(received(late), 0);
    QCOMPARE(received(QStringLiteral("discard_tile")), 1);

    // The next hand asks again.
    play(window, {{Move::Ready, 0, 0, QStringLiteral("ready")}, {Move::Discard, 5, 0, QStringLiteral("discard_tile")}},
         askedReady);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QCOMPARE(errors.size(), 0);
}

// The server may put its questions in any order the protocol allows; the
// window keeps one at a time and sends only what the one open allows.
void TestGameController::questionsInEveryOrder()
{
    QVERIFY(startScenario(QStringLiteral("decision-orders-hand.json")));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy turns(m_session.get(), &ConnectionManager::playerShouldAct);
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    GameWindow *window = joinTable(1001);
    QVERIFY(window);
    play(window, {{Move::Sit, 0, 0, QStringLiteral("join_table")}}, askedReady);
    if (QTest::currentTestFailed())
        return;

    // Flowers offered, then the turn before an answer: the offer stands
    // beside the turn, so the flower is replaced, and the turn then goes on
    // with its replacement.
    QTRY_VERIFY_WITH_TIMEOUT(turns.size() == 1, 30000);
    QVERIFY(window->handView()->isActive() && window->meldAuction());
    QCOMPARE(window->tileChoice(), 64);
    window->onTileClick(34);
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("call_bonus"), QStringLiteral("\"tile\":34")), 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive() && !window->meldAuction(), 30000);
    window->onTileClick(4);
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("discard_tile"), QStringLiteral("\"tile\":4")), 1, 10000);
    QCOMPARE(received(QStringLiteral("discard_tile")), 1);

    // Declarations after the own discard are not shown; the pong offer on
    // the next discard is.
    QTRY_VERIFY_WITH_TIMEOUT(window->meldAuction() && !window->meldAuction()->isHidden(), 30000);
    QCOMPARE(window->meldAuction()->auctionType(), int(MeldAuction::Claim));
    QVERIFY(window->concealedActionDialog()->isHidden());
    QPointer<MeldAuction> pong = window->meldAuction();
    m_session->query_lobby_summary();

    // The next seat draws and discards without a time-out: the offer ended.
    QTRY_COMPARE_WITH_TIMEOUT(window->model()->lastDiscarderId(), 902, 30000);
    QVERIFY(!window->meldAuction());
    if (pong) {
        for (MeldChoice *row : pong->findChildren<MeldChoice *>())
            row->findChild<QAbstractButton *>(QStringLiteral("meldChoiceButton"))->click();
    } else {
        window->onMeldSelected(meld_offer(MELD_PONG, 31));
    }
    m_session->query_lobby_summary();

    // Riichi offered before the turn; in riichi the empty declarations
    // before the turn send the drawn tile by themselves.
    play(window, {{Move::Declare, 33, MELD_RIICHI, QStringLiteral("call_riichi")}}, askedReady);
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("discard_tile"), QStringLiteral("\"tile\":32")), 1, 30000);
    play(window, {{Move::Ready, 0, 0, QStringLiteral("ready")}}, askedReady);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    for (const QString &never : {QStringLiteral("call_pong"), QStringLiteral("call_mahjong"),
                                 QStringLiteral("call_kong"), QStringLiteral("call_pass")})
        QCOMPARE(received(never), 0);
    QCOMPARE(received(QStringLiteral("call_bonus")), 1);
    QCOMPARE(received(QStringLiteral("discard_tile")), 2);
    QCOMPARE(errors.size(), 0);
}

void TestGameController::tournamentRoundEndShowsTheTournamentsBoard()
{
    TournamentsLobbyModel tournaments;
    tournaments.setSession(m_session.get());
    QVERIFY(start({QStringLiteral("--scenario"), PeerProcess::scenarioDirectory() + "/tournament-round-end.json"},
                  &tournaments));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy joined(m_controller.get(), &GameController::tournamentTableJoined);
    QSignalSpy closed(m_controller.get(), &GameController::tournamentScoreDialogClosed);
    QVERIFY(joined.wait(10000));
    QVERIFY(tournaments.hasTournament(7));
    // The round's end must leave the table until its board is closed; held
    // so that a fault says so.
    QPointer<GameWindow> window = m_controller->view(7001);
    QVERIFY(window);
    window->resize(1280, 800);
    window->show();
    QTRY_VERIFY_WITH_TIMEOUT(window && window->playerInactiveWindow()->isVisible(), 10000);

    // Reactivate: the server takes the player back, then the round ends.
    window->playerInactiveWindow()->findChild<QAbstractButton *>(QStringLiteral("reactivateButton"))->click();
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV reactivate_table"), 10000).isNull());
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QVERIFY2(window, "the round's end closed the table before its board was read");
    RoundScoreBoard *board = window->roundScoreBoard();
    QTRY_VERIFY_WITH_TIMEOUT(window && board->isVisible() && board->rows().size() == 4, 10000);
    // The tournament's board: its name and round, not the table's.
    QCOMPARE(board->findChild<QLabel *>(QStringLiteral("titleLabel"))->text(), QStringLiteral("Sunday Classic"));
    QCOMPARE(board->findChild<QLabel *>(QStringLiteral("roundLabel"))->text(), QStringLiteral("Round 1/3"));
    const auto *log = window->sideBar()->findChild<QTextBrowser *>(QStringLiteral("chatOutput"));
    QVERIFY(log && log->toPlainText().contains(QStringLiteral("Tournament round ended")));
    QVERIFY(!window->playerInactiveWindow()->isVisible());
    // The standings' third 32-bit value, in half points.
    QTRY_COMPARE_WITH_TIMEOUT(window ? board->rows()[0]->tournamentPointsText() : QString(), QStringLiteral("5.5"),
                              10000);
    QCOMPARE(board->rows()[0]->roundResultText(), QStringLiteral("2.5"));
    QCOMPARE(board->rows()[1]->tournamentPointsText(), QStringLiteral("2"));
    QCOMPARE(errors.size(), 0);

    // Closing the board lets the finished round's table go.
    board->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
    QCOMPARE(closed.size(), 1);
    QCOMPARE(closed[0][0].toInt(), 7);
    QCOMPARE(closed[0][1].toInt(), 7001);
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->hasTable(7001), 10000);
}

// The full game at 1002 ends in its second hand with a washout, then the
// round's results. Leave, pressed on the washout notice before or after the
// results come, leaves the table at once.
void TestGameController::oneLeaveAtTheGamesEnd_data()
{
    QTest::addColumn<bool>("afterTheResults");
    QTest::newRow("before the round's results") << false;
    QTest::newRow("after the round's results") << true;
}

void TestGameController::oneLeaveAtTheGamesEnd()
{
    QFETCH(bool, afterTheResults);
    QVERIFY(start({}));
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    GameWindow *window = joinTable(1002);
    QVERIFY(window);
    play(window,
         {{Move::Sit, 0, 0, QStringLiteral("join_table")},
          {Move::Discard, 5, 0, QStringLiteral("discard_tile")},
          {Move::Declare, 33, MELD_RIICHI, QStringLiteral("call_riichi")},
          {Move::Claim, 27, MELD_MAHJONG, QStringLiteral("call_mahjong"), MeldAuction::Claim},
          {Move::Ready, 0, 0, QStringLiteral("ready")}},
         askedReady);
    if (QTest::currentTestFailed())
        return;
    // The game's end must leave the table until Leave; held so that a fault
    // says so.
    QPointer<GameWindow> shown(window);
    WashoutWindow *washout = window->washoutWindow();
    QTRY_VERIFY_WITH_TIMEOUT(shown && !washout->isHidden(), 20000);
    if (afterTheResults) {
        QTRY_VERIFY_WITH_TIMEOUT(shown && !window->roundScoreBoard()->isHidden(), 20000);
        QVERIFY(!washout->isHidden());
    }
    auto *leave = washout->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
    QVERIFY(leave && !leave->isHidden() && leave->isEnabled());
    leave->click();
    // Closed with the press, as Ready closes it: nothing is left to press
    // again under the round's results while the answer is on its way.
    QVERIFY(washout->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->hasTable(1002), 10000);
    QCOMPARE(received(QStringLiteral("leave_table")), 1);
    QTRY_VERIFY(shown.isNull());
}

void TestGameController::theFirstDrawLeavesTheWallDealt_data()
{
    QTest::addColumn<qint32>("tableId");
    QTest::addColumn<int>("liveTiles");
    // The wall less the 53 tiles of the deal and the dealer's first draw.
    QTest::newRow("classic") << 1001 << 77;
    QTest::newRow("riichi") << 1002 << 69;
    QTest::newRow("international") << 1003 << 91;
}

void TestGameController::theFirstDrawLeavesTheWallDealt()
{
    QFETCH(qint32, tableId);
    QFETCH(int, liveTiles);
    QVERIFY(start({}));
    GameWindow *window = joinTable(tableId);
    QVERIFY(window);
    QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 30000);
    const GameModel *model = m_controller->model(tableId);
    QCOMPARE(model->liveTiles(), liveTiles);
    window->actionQueue().flush();
    QCOMPARE(int(model->findOwnPlayer()->hand().size()), 14);
    QCOMPARE(int(window->handView()->tiles().size()), 14);
}

void TestGameController::aHandLeftMidwayPlaysOnWithoutThePlayer_data()
{
    QTest::addColumn<qint32>("tableId");
    QTest::addColumn<bool>("atTheClaim");
    QTest::newRow("classic, left on the own turn") << 1001 << false;
    QTest::newRow("international, left with a pong offered") << 1003 << true;
    QTest::newRow("riichi full game, left on the own turn") << 1002 << false;
}

// Leave pressed in the middle of a hand: the window goes, the table is
// followed to the hand's end, whose questions the server answers for the
// player when their time runs out; then the seat is given back, and the
// table can be joined again.
void TestGameController::aHandLeftMidwayPlaysOnWithoutThePlayer()
{
    QFETCH(qint32, tableId);
    QFETCH(bool, atTheClaim);
    // Short time windows for the questions, so that the hand ends soon.
    const QStringList args{QStringLiteral("--question-ms"), QStringLiteral("2500")};
    const int questionMs = int(PeerProcess::effectiveValue(args, QStringLiteral("--question-ms"), 0));
    QVERIFY(start(args));
    const int before = m_tables->tableInfo(tableId).seated();
    QSignalSpy timeouts(m_session.get(), &ConnectionManager::timeoutOccured);
    QSignalSpy active(m_session.get(), &ConnectionManager::activeChanged);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy turns(m_session.get(), &ConnectionManager::playerShouldAct);
    QSignalSpy offers(m_session.get(), &ConnectionManager::meldSuggestion);
    GameWindow *window = joinTable(tableId);
    QVERIFY(window);
    // The questions themselves are waited for: a short window may be over
    // before the hand or the panel shows them.
    QTRY_VERIFY_WITH_TIMEOUT(
        std::any_of(turns.begin(), turns.end(), [this](const QList<QVariant> &t) { return t[2].toInt() == m_own; }),
        30000);
    if (atTheClaim) {
        // Discarded by the player, or for the player when the turn ran out.
        window->onTileClick(33);
        QTRY_VERIFY_WITH_TIMEOUT(!offers.isEmpty(), 30000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_tables->tableInfo(tableId).seated(), 4, 10000);
    m_controller->onLeave(tableId);
    QVERIFY(!m_controller->view(tableId));
    QVERIFY(m_controller->hasTable(tableId));
    QCOMPARE(received(QStringLiteral("leave_table")), 0);

    // The hand plays on to its end; the player, twice timed out, is away.
    QTRY_VERIFY_WITH_TIMEOUT(received(QStringLiteral("leave_table")) == 1, 60000 + 12 * questionMs);
    QVERIFY(timeouts.size() >= 2);
    QVERIFY(std::any_of(active.begin(), active.end(), [](const QList<QVariant> &a) { return !a[1].toBool(); }));
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->hasTable(tableId), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_tables->tableInfo(tableId).seated(), before, 10000);
    QCOMPARE(errors.size(), 0);

    // The seat is free again: joined anew, the table's hand starts over.
    window = joinTable(tableId);
    QVERIFY(window);
    QTRY_COMPARE_WITH_TIMEOUT(window->seatPlayerId(3), 903, 20000);
    QVERIFY(m_peer->linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

GameWindow *TestGameController::joinWithSteps(qint32 tableId, const QJsonArray &steps)
{
    const QJsonObject scenario{
        {"trigger", "join"}, {"tables", QJsonArray{tableId}}, {"empty_table", true}, {"steps", steps}};
    if (!start({QStringLiteral("--scenario"), writeScenario(scenario)}))
        return nullptr;
    return joinTable(tableId);
}

void TestGameController::leaveMidHand(qint32 tableId)
{
    GameWindow *window = m_controller->view(tableId);
    QVERIFY(window);
    auto *leave = window->sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
    QVERIFY(leave && !leave->isHidden() && leave->isEnabled());
    leave->click();
    auto *question = window->findChild<QMessageBox *>();
    QVERIFY(question);
    question->button(QMessageBox::Yes)->click();
    QVERIFY(!m_controller->view(tableId));
    QVERIFY(m_controller->hasTable(tableId));
}

void TestGameController::comingBackOffersOnlyAnOpenQuestion_data()
{
    // The player's turn comes with a draw of 13; the player discards it, or
    // lets the turn be, and leaves. The steps follow, with a checkpoint
    // where the player comes back; another when the player is to leave
    // first.
    QTest::addColumn<bool>("discardFirst");
    QTest::addColumn<QJsonArray>("steps");
    // What has reached the table when the player comes back: "own discard",
    // "left discard" (the player before the own turn), "time-out", "second
    // own discard", nothing more (""), or only the own discard sent ("discard
    // sent": the server has it, the report has not come).
    QTest::addColumn<QString>("backAfter");
    // The question still open then: the turn, or none.
    QTest::addColumn<bool>("turnOpen");
    // The tile the next turn discards, or -1 when the hand ends first.
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("discards");

    const QJsonArray bots = joined(joined(drawAndDiscard(901, 27), drawAndDiscard(902, 28)), drawAndDiscard(903, 29));
    const QJsonObject ownDiscard = tableStep("tile_discarded", {{"playerId", "$pid"}, {"tile", 13}});
    const QJsonArray toNextTurn = joined(joined(bots, ownTurn(14)), discarded(14));

    QTest::newRow("after the own discard")
        << true << joined({expectDiscard(13), ownDiscard, checkpoint}, toNextTurn) << "own discard" << false << 14 << 2;
    QTest::newRow("after the left player's discard")
        << true
        << joined(joined(joined({expectDiscard(13), ownDiscard}, bots), {checkpoint}),
                  joined(ownTurn(14), discarded(14)))
        << "left discard" << false << 14 << 2;
    QTest::newRow("after a time-out") << false
                                      << joined({checkpoint, tableStep("timeout_occurred", {}), checkpoint, ownDiscard},
                                                toNextTurn)
                                      << "time-out" << false << 14 << 1;
    // Away after the time-out: the server answers the next turn itself.
    QTest::newRow("while away")
        << false
        << joined(joined(joined(joined({checkpoint, tableStep("timeout_occurred", {}), ownDiscard,
                                        tableStep("active_changed", {{"active", false}})},
                                       bots),
                                ownTurn(14)),
                         {tableStep("tile_discarded", {{"playerId", "$pid"}, {"tile", 14}}), checkpoint}),
                  joined(joined(joined(drawAndDiscard(901, 30), drawAndDiscard(902, 31)), drawAndDiscard(903, 32)),
                         joined(ownTurn(15), discarded(15))))
        << "second own discard" << false << 15 << 1;
    QTest::newRow("just before the hand's end")
        << true
        << QJsonArray{expectDiscard(13), ownDiscard, checkpoint,
                      tableStep("hand_end_non_scoring", {{"reason", 0}, {"endOfGame", false}})}
        << "own discard" << false << -1 << 1;
    QTest::newRow("with the turn still open") << false << discarded(13) << "" << true << 13 << 1;
    QTest::newRow("before the own discard is reported")
        << true << joined({expectDiscard(13), checkpoint, ownDiscard}, toNextTurn) << "discard sent" << false << 14
        << 2;
}

// A table left in the middle of a hand and shown again: only a question the
// server has asked and not settled is offered; a click on anything else
// sends nothing, and the next turn plays as it comes.
void TestGameController::comingBackOffersOnlyAnOpenQuestion()
{
    QFETCH(bool, discardFirst);
    QFETCH(QJsonArray, steps);
    QFETCH(QString, backAfter);
    QFETCH(bool, turnOpen);
    QFETCH(int, next);
    QFETCH(int, discards);
    const QJsonArray hand{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 18, 19, 20};
    GameWindow *window = joinWithSteps(
        1001,
        joined(joined(dealtHand(hand, 13), {tableStep("player_should_act", {{"ts", minute}, {"playerId", "$pid"}})}),
               steps));
    QVERIFY(window);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy timeouts(m_session.get(), &ConnectionManager::timeoutOccured);
    QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 20000);
    if (discardFirst)
        window->onTileClick(13);
    leaveMidHand(1001);
    if (QTest::currentTestFailed())
        return;
    const GameModel *model = m_controller->model(1001);
    if (!discardFirst && !backAfter.isEmpty())
        m_session->query_lobby_summary();
    const auto reached = [&] {
        const PlayerData *own = model->findOwnPlayer();
        if (backAfter == QLatin1String("own discard"))
            return own->discards().size() == 1;
        if (backAfter == QLatin1String("left discard"))
            return model->lastDiscarderId() == 903;
        if (backAfter == QLatin1String("time-out"))
            return timeouts.size() == 1;
        if (backAfter == QLatin1String("second own discard"))
            return own->discards().size() == 2;
        if (backAfter == QLatin1String("discard sent"))
            return received(QStringLiteral("discard_tile")) == 1 && own->discards().empty();
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(reached(), 20000);

    // Back at the table, as the strip of open tables or the lobby brings it.
    window = m_controller->getOrCreateView(1001);
    QVERIFY(window);
    QSignalSpy sent(window, &GameWindow::discardTile);
    window->actionQueue().flush();
    QCOMPARE(window->handView()->isActive(), turnOpen);
    QCOMPARE(window->turnTimer()->remaining() > 0, turnOpen);
    QCOMPARE(window->decision().subject(), turnOpen ? TableDecision::OwnTurn : TableDecision::None);
    if (!turnOpen) {
        window->onTileClick(5);
        QCOMPARE(sent.size(), 0);
    }
    // The table goes on.
    m_session->query_lobby_summary();
    if (next >= 0) {
        QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 20000);
        window->onTileClick(tile(next));
        QCOMPARE(sent.size(), 1);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!window->washoutWindow()->isHidden(), 20000);
        QCOMPARE(sent.size(), 0);
    }
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QCOMPARE(received(QStringLiteral("discard_tile")), discards);
    if (next >= 0)
        QCOMPARE(received(QStringLiteral("discard_tile"), QStringLiteral("\"tile\":%1").arg(next)), 1);
    // The own discards the table shows are the server's.
    window->actionQueue().flush();
    QTRY_COMPARE_WITH_TIMEOUT(window->discardView(0)->tileItems().size(),
                              model->findOwnPlayer() ? model->findOwnPlayer()->discards().size() : size_t(0), 10000);
    QVERIFY(m_peer->linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
    QCOMPARE(errors.size(), 0);
}

void TestGameController::everyOpenQuestionComesBack_data()
{
    // The player (East) is dealt and draws; then the steps ask one question,
    // answered by the move.
    QTest::addColumn<int>("drawn");
    QTest::addColumn<QJsonArray>("question");
    QTest::addColumn<Move>("answer");
    // Asked while the window is closed, or shown before the player leaves.
    QTest::addColumn<bool>("whileClosed");

    const QJsonObject turn = tableStep("player_should_act", {{"ts", minute}, {"playerId", "$pid"}});
    const auto offers = [](const char *message, std::initializer_list<std::pair<int, int>> list) {
        QJsonArray array;
        for (const auto &[type, t] : list)
            array.append(QJsonObject{{"meldType", type}, {"tile", t}});
        return tableStep(message, {{"ts", minute}, {"offers", array}});
    };
    // The own discard reported, then a bot's discard.
    const auto onDiscardOf = [](qint32 bot, int t) {
        QJsonArray steps{tableStep("tile_discarded", {{"playerId", "$pid"}, {"tile", 13}})};
        for (qint32 before = 901; before < bot; ++before)
            steps = joined(steps, drawAndDiscard(before, 30 + before - 901));
        return joined(steps, drawAndDiscard(bot, t));
    };
    const auto add = [](const char *name, int drawn, const QJsonArray &question, const Move &answer) {
        for (const bool whileClosed : {false, true})
            QTest::addRow("%s, %s", name, whileClosed ? "asked while away" : "asked before leaving")
                << drawn << question << answer << whileClosed;
    };
    add("the turn", 13, {turn}, {Move::Discard, 13, 0, QStringLiteral("discard_tile")});
    add("a pong", 13, joined(onDiscardOf(901, 27), {offers("meld_suggestion", {{2, 27}})}),
        {Move::Claim, 27, MELD_PONG, QStringLiteral("call_pong"), MeldAuction::Claim});
    add("a chow", 13, joined(onDiscardOf(903, 6), {offers("meld_suggestion", {{1, 4}})}),
        {Move::Claim, 4, MELD_CHOW, QStringLiteral("call_chow"), MeldAuction::Claim});
    add("a kong", 13, joined(onDiscardOf(901, 9), {offers("meld_suggestion", {{2, 9}, {8, 9}})}),
        {Move::Claim, 9, MELD_KONG, QStringLiteral("call_kong"), MeldAuction::Claim});
    add("a win on a discard", 13, joined(onDiscardOf(901, 3), {offers("meld_suggestion", {{16, 3}})}),
        {Move::Claim, 0, MELD_MAHJONG, QStringLiteral("call_mahjong"), MeldAuction::Claim});
    add("a robbed kong", 13,
        {tableStep("tile_discarded", {{"playerId", "$pid"}, {"tile", 13}}),
         tableStep("hidden_tiles_from_wall", {{"playerId", 901}, {"count", 1}}),
         offers("rob_the_kong_suggestion", {{16, 27}})},
        {Move::Claim, 0, MELD_MAHJONG, QStringLiteral("call_mahjong"), MeldAuction::RobKong});
    add("riichi", 13, {offers("concealed_meld_suggestion", {{128, 13}}), turn},
        {Move::Declare, 13, MELD_RIICHI, QStringLiteral("call_riichi")});
    add("a concealed kong", 9, {offers("concealed_meld_suggestion", {{8, 9}}), turn},
        {Move::Declare, 9, MELD_KONG, QStringLiteral("call_kong")});
    add("a self-drawn win", 13, {turn, offers("concealed_meld_suggestion", {{16, 13}})},
        {Move::Claim, 0, MELD_MAHJONG, QStringLiteral("call_mahjong"), MeldAuction::Declaration});
    add("a flower", 34, {offers("replacement_meld_suggestion", {{64, 34}})},
        {Move::Discard, 34, 0, QStringLiteral("call_bonus")});
}

// Leave pressed with a question open, or a question asked while the window
// is closed; back before its deadline, the question shows once with the
// time it has left, and its answer is all that reaches the server.
void TestGameController::everyOpenQuestionComesBack()
{
    QFETCH(int, drawn);
    QFETCH(QJsonArray, question);
    QFETCH(Move, answer);
    QFETCH(bool, whileClosed);
    const QJsonArray hand{0, 1, 2, 4, 5, 9, 9, 9, 18, 19, 20, 27, 27};
    QJsonArray steps = dealtHand(hand, drawn);
    if (whileClosed)
        steps.append(checkpoint);
    steps = joined(steps, question);
    steps.append(QJsonObject{{"expect", answer.request}, {"timeout_ms", 60000}});
    const int questions = int(std::count_if(question.begin(), question.end(), [](const QJsonValue &v) {
        const QString message = v.toObject().value("send").toString();
        return message == QLatin1String("player_should_act") || message.endsWith(QLatin1String("_suggestion"));
    }));
    // Every question's time window, in the order they came.
    QList<QDateTime> deadlines;
    const auto note = [&deadlines](qint32, const TimeSpan &ts) { deadlines << ts.end(); };
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    if (!start({QStringLiteral("--scenario"),
                writeScenario(
                    {{"trigger", "join"}, {"tables", QJsonArray{1001}}, {"empty_table", true}, {"steps", steps}})}))
        QFAIL("the scripted server did not start");
    using CM = ConnectionManager;
    connect(m_session.get(), &CM::playerShouldAct, this, note);
    for (auto signal :
         {&CM::meldSuggestion, &CM::concealedMeldSuggestion, &CM::robTheKongSuggestion, &CM::replacementMeldSuggestion})
        connect(m_session.get(), signal, this, [note](qint32 table, const TimeSpan &ts) { note(table, ts); });
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    GameWindow *window = joinTable(1001);
    QVERIFY(window);
    const auto offered = [&answer](GameWindow *w) {
        switch (answer.kind) {
        case Move::Claim: {
            const auto panels = w->findChildren<MeldAuction *>();
            return std::count_if(panels.begin(), panels.end(), [](MeldAuction *p) { return !p->isHidden(); }) == 1;
        }
        case Move::Declare:
            return !w->concealedActionDialog()->isHidden();
        default:
            return w->handView()->isActive();
        }
    };
    QTRY_COMPARE_WITH_TIMEOUT(window->seatPlayerId(3), 903, 20000);
    if (!whileClosed)
        QTRY_VERIFY_WITH_TIMEOUT(deadlines.size() == questions && offered(window), 20000);
    leaveMidHand(1001);
    if (QTest::currentTestFailed())
        return;
    if (whileClosed) {
        m_session->query_lobby_summary();
        QTRY_COMPARE_WITH_TIMEOUT(deadlines.size(), questions, 20000);
    }

    // Back at the table before the deadline.
    window = m_controller->getOrCreateView(1001);
    QVERIFY(window);
    window->actionQueue().flush();
    QVERIFY(offered(window));
    QCOMPARE(window->turnTimer()->deadline(), deadlines.back());
    QVERIFY(window->turnTimer()->remaining() > 0);
    play(window, {answer}, askedReady);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QCoreApplication::processEvents();
    int sent = 0;
    for (const char *request : {"discard_tile", "call_pass", "call_chow", "call_pong", "call_kong", "call_pong_to_kong",
                                "call_riichi", "call_bonus", "call_mahjong"})
        sent += received(QLatin1String(request));
    QCOMPARE(sent, 1);
    QCOMPARE(errors.size(), 0);
}

// Leave pressed mid-hand at a tournament table keeps the seat; the hand
// ends while the window is closed. Back before the next deal, the table
// shows the ended hand with its board.
void TestGameController::aTournamentHandEndedMeanwhileShowsItsBoard()
{
    const auto at7001 = [](const char *message, QJsonObject fields) {
        fields.insert("tableId", 7001);
        return QJsonObject{{"send", message}, {"fields", fields}};
    };
    QJsonArray players;
    for (const auto &[id, discards] :
         std::vector<std::pair<QJsonValue, QJsonArray>>{{"$pid", {31}}, {901, {8, 17}}, {902, {26}}, {903, {0}}})
        players.append(QJsonObject{{"id", id},
                                   {"wind", players.size()},
                                   {"hiddenTiles", id == "$pid" ? 0 : 13},
                                   {"discards", discards},
                                   {"riichiDiscardIndex", -1}});
    const QJsonArray scores{
        QJsonObject{
            {"playerId", 901}, {"result", 1}, {"handScore", 2000}, {"settlement", 2000}, {"currentScore", 27000}},
        QJsonObject{{"playerId", "$pid"}, {"settlement", -2000}, {"currentScore", 23000}}};
    const QJsonArray steps{
        QJsonObject{{"wait_ms", 500}},
        QJsonObject{{"send", "tournament_seated"}, {"fields", QJsonObject{{"tournamentId", 7}, {"tableId", 7001}}}},
        QJsonObject{{"expect", "join_table"}, {"fields", QJsonObject{{"tableId", 7001}}}},
        at7001("join_ok", {}),
        at7001("game_data", {{"handId", 4},
                             {"state", 4},
                             {"players", players},
                             {"tableState", QJsonObject{{"playerId", "$pid"}, {"lastDiscarder", 903}}},
                             {"wallState", QJsonObject{{"liveTiles", 40}, {"deadWallTiles", 14}}}}),
        at7001("private_player_data",
               {{"data", QJsonObject{{"tiles", QJsonArray{0, 1, 2, 9, 10, 11, 18, 19, 20, 27, 27, 28, 29}},
                                     {"active", true}}}}),
        checkpoint,
        at7001("hand_end_scoring", {{"scoring", QJsonObject{{"winKind", 3}, {"scores", scores}}}}),
        checkpoint};
    QVERIFY(start({QStringLiteral("--scenario"),
                   writeScenario({{"trigger", "login"}, {"disable", QJsonArray{"join_table"}}, {"steps", steps}})}));
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    QSignalSpy joined(m_controller.get(), &GameController::tournamentTableJoined);
    QSignalSpy scored(m_session.get(), &ConnectionManager::handEndScoring);
    QVERIFY(joined.wait(10000));
    QTRY_VERIFY_WITH_TIMEOUT(m_controller->model(7001) && m_controller->model(7001)->isInPlay(), 10000);
    leaveMidHand(7001);
    if (QTest::currentTestFailed())
        return;
    m_session->query_lobby_summary();
    QVERIFY(scored.wait(10000));
    QVERIFY(m_controller->hasTable(7001));

    GameWindow *window = m_controller->getOrCreateView(7001);
    QVERIFY(window);
    window->actionQueue().flush();
    QVERIFY(!window->scoreBoard()->isHidden());
    // The ended hand's ponds, each at its seat.
    const std::map<qint32, size_t> ponds{{m_own, 1}, {901, 2}, {902, 1}, {903, 1}};
    for (int seat = 0; seat < GameWindow::SeatCount; ++seat)
        QCOMPARE(window->discardView(seat)->tileItems().size(), ponds.at(window->seatPlayerId(seat)));
    QCOMPARE(window->handView()->tiles().size(), size_t(13));
    QVERIFY(!window->handView()->isActive());
    m_session->query_lobby_summary();
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QCOMPARE(errors.size(), 0);
}

void TestGameController::aRiichiTurnBeforeItsDrawDiscardsTheDraw_data()
{
    QTest::addColumn<bool>("declarationsFirst");
    QTest::newRow("the turn, then the declarations") << false;
    QTest::newRow("the declarations, then the turn") << true;
}

// In riichi an empty declaration offer lets the drawn tile go by itself;
// told with the turn before the draw, it does so once the draw lands.
void TestGameController::aRiichiTurnBeforeItsDrawDiscardsTheDraw()
{
    QFETCH(bool, declarationsFirst);
    const QJsonArray hand{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 18, 19, 20};
    QJsonArray steps = dealtHand(hand, 13);
    steps.append(tableStep("concealed_meld_suggestion",
                           {{"ts", minute}, {"offers", QJsonArray{QJsonObject{{"meldType", 128}, {"tile", 13}}}}}));
    steps.append(tableStep("player_should_act", {{"ts", minute}, {"playerId", "$pid"}}));
    steps.append(QJsonObject{{"expect", "call_riichi"},
                             {"fields", QJsonObject{{"tableId", "$table"}, {"tile", 13}}},
                             {"timeout_ms", 60000}});
    steps.append(tableStep("riichi_declared", {{"playerId", "$pid"}, {"tile", 13}}));
    steps = joined(joined(joined(steps, drawAndDiscard(901, 27)), drawAndDiscard(902, 28)), drawAndDiscard(903, 29));
    const QJsonObject turn = tableStep("player_should_act", {{"ts", minute}, {"playerId", "$pid"}});
    const QJsonObject declarations = tableStep("concealed_meld_suggestion", {{"ts", minute}, {"offers", QJsonArray{}}});
    steps.append(declarationsFirst ? declarations : turn);
    steps.append(declarationsFirst ? turn : declarations);
    steps.append(QJsonObject{{"wait_ms", 300}});
    steps.append(tableStep("tiles_from_wall", {{"tiles", QJsonArray{14}}}));
    steps.append(expectDiscard(14));
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    GameWindow *window = joinWithSteps(1002, steps);
    QVERIFY(window);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    play(window, {{Move::Declare, 13, MELD_RIICHI, QStringLiteral("call_riichi")}}, askedReady);
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("discard_tile"), QStringLiteral("\"tile\":14")), 1, 20000);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QCOMPARE(received(QStringLiteral("discard_tile")), 1);
    QVERIFY(!window->handView()->isActive());
    QCOMPARE(errors.size(), 0);
}

// The turn after an own claim may come before the claim's report: the
// tiles the claim takes are no discard until then, and look it.
void TestGameController::anOwnClaimsTilesWaitForItsReport()
{
    const QJsonArray hand{0, 1, 2, 3, 4, 5, 5, 9, 10, 11, 18, 19, 20};
    QJsonArray steps = dealtHand(hand, 27);
    steps.append(tableStep("player_should_act", {{"ts", minute}, {"playerId", "$pid"}}));
    steps.append(expectDiscard(27));
    steps.append(tableStep("tile_discarded", {{"playerId", "$pid"}, {"tile", 27}}));
    steps = joined(steps, drawAndDiscard(901, 5));
    steps.append(tableStep("meld_suggestion",
                           {{"ts", minute}, {"offers", QJsonArray{QJsonObject{{"meldType", 2}, {"tile", 5}}}}}));
    steps.append(QJsonObject{
        {"expect", "call_pong"}, {"fields", QJsonObject{{"tableId", "$table"}, {"tile", 5}}}, {"timeout_ms", 60000}});
    steps.append(tableStep("player_should_act", {{"ts", minute}, {"playerId", "$pid"}}));
    steps.append(checkpoint);
    steps.append(tableStep("tile_claimed", {{"playerId", "$pid"}}));
    steps.append(tableStep(
        "meld_declared",
        {{"playerId", "$pid"},
         {"meld",
          QJsonObject{
              {"meldType", 2}, {"visibility", 0}, {"firstTile", 5}, {"claimedFrom", -1}, {"claimedOffset", 0}}}}));
    steps.append(expectDiscard(9));
    QSignalSpy askedReady(m_session.get(), &ConnectionManager::areYouReady);
    GameWindow *window = joinWithSteps(1001, steps);
    QVERIFY(window);
    QSignalSpy errors(m_session.get(), &ConnectionManager::exceptionCaught);
    play(window,
         {{Move::Discard, 27, 0, QStringLiteral("discard_tile")},
          {Move::Claim, 5, MELD_PONG, QStringLiteral("call_pong"), MeldAuction::Claim}},
         askedReady);
    if (QTest::currentTestFailed())
        return;
    // The turn is told; the claim's report has not come.
    QTRY_VERIFY_WITH_TIMEOUT(window->handView()->isActive(), 20000);
    window->actionQueue().flush();
    HandView *rack = window->handView();
    QVERIFY(!rack->isAllowed(5));
    QVERIFY(rack->isAllowed(9));
    for (const HandTile *item : rack->tileItems())
        QCOMPARE(item->isEnabled(), item->getTile() != 5);
    QSignalSpy sent(window, &GameWindow::discardTile);
    rack->tilePressed(5);
    QCoreApplication::processEvents();
    QCOMPARE(sent.size(), 0);

    // The report takes the pair into the meld; until the meld's flight runs
    // the rack still shows its tiles, none of them playable.
    bool meldTilesPlayable = false;
    connect(window->model(), &GameModel::meldDeclared, this, [&meldTilesPlayable, rack] {
        meldTilesPlayable = rack->isAllowed(5);
        for (const HandTile *item : rack->tileItems())
            meldTilesPlayable = meldTilesPlayable || (item->getTile() == 5 && item->isEnabled());
    });
    m_session->query_lobby_summary();
    QTRY_COMPARE_WITH_TIMEOUT(window->model()->findOwnPlayer()->melds().size(), size_t(1), 20000);
    QVERIFY(!meldTilesPlayable);
    window->actionQueue().flush();
    QVERIFY(rack->isActive());
    QVERIFY(rack->isAllowed(9));
    window->onTileClick(9);
    QCOMPARE(sent.size(), 1);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("SCENARIO_DONE"), 20000).isNull());
    QCOMPARE(errors.size(), 0);
}

QTEST_MAIN(TestGameController)
#include "tst_gamecontroller.moc"
