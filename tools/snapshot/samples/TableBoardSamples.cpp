// The hand and round score boards of each ruleset as the client shows them:
// over a table page of the logged-in main window, under its top bar and the
// maintenance notice, at the smallest window (1024x768) and at full HD.
#include "../Sample.h"

#include "game/GameModel.h"
#include "mainwindow/MainWindow.h"
#include "protocol/ComingEvent.h"
#include "scene/TileGraphics.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "tournaments/ComingEventPopup.h"

#include <QCoreApplication>
#include <QStackedWidget>

namespace {

constexpr qint32 Own = 100, TableId = 7;
const QSize Small(1024, 768), Large(1920, 1080);

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

const char *const Names[] = {"You", "Kaede", "Marco", "Ines"};

PlayerData seat(qint32 id, int wind, int points)
{
    PlayerData p(id, QString::fromLatin1(Names[id - Own]));
    p.setWind(wind);
    p.setPoints(points);
    p.setHiddenTiles(id == Own ? 0 : 13);
    p.setSeated(true);
    return p;
}

QPixmap picture(qint32 id)
{
    static const char *const pictures[] = {"1", "2", "blue", "1"};
    return QPixmap(QStringLiteral("resources:/avatar-default-%1.png").arg(QLatin1String(pictures[(id - Own) & 3])));
}

// The logged-in main window of the given size with one table page shown,
// and the countdown to a maintenance in its corner, as a player meets them.
struct Client
{
    MainWindow *main;
    GameWindow *table;
    GameModel *model;
};

Client client(const TableInfo &info, QSize size, int startPoints)
{
    useTiles();
    auto *main = new MainWindow(QStringLiteral("localhost"), 443, QStringLiteral("ann"), QString(), true,
                                QStringLiteral("localhost"), nullptr);
    main->displayLobby();
    main->setPlayerName(QStringLiteral("Ann"));
    main->onCurrentAccountBalance(123456);
    main->onUpdateTimeout();
    auto *table = new GameWindow(nullptr, Own);
    auto *model = new GameModel(info.id(), info, Own, QStringLiteral("You"), table);
    TableState state;
    state.playerId = Own;
    state.lastDiscarder = -1;
    WallState wall;
    wall.liveTiles = 40;
    wall.deadWallTiles = 14;
    wall.deadWallPosition = 5;
    model->markJoined();
    model->onGameData(
        31, server_game_state::TILE_DISCARDED_STATE,
        {seat(Own, 0, startPoints), seat(101, 1, startPoints), seat(102, 2, startPoints), seat(103, 3, startPoints)},
        state, wall);
    table->setModel(model);
    main->onTableViewCreated(info.id(), table);
    // Shown as the strip shows a table, without a game controller behind it.
    if (auto *stack = main->findChild<QStackedWidget *>(QStringLiteral("loggedInStack")))
        stack->setCurrentWidget(table);
    main->resize(size);
    main->show();
    settle();
    if (QWidget *frame = main->findChild<QWidget *>(QStringLiteral("loggedInWidget"))) {
        const QWidget *bar = main->findChild<QWidget *>(QStringLiteral("topBar"));
        auto *notice = new ComingEventPopup(frame, ComingEvent{0, QDateTime::currentDateTimeUtc().addSecs(4 * 3600)});
        notice->move(bar ? bar->mapTo(frame, QPoint(0, bar->height())) : QPoint());
        notice->onTimeout();
        notice->show();
        notice->raise();
    }
    return {main, table, model};
}

TableInfo tableOf(int ruleset, int gameType, bool money)
{
    TableInfo info(TableId, QStringLiteral("101/Practice"));
    info.setRuleset(ruleset);
    info.setGameType(gameType);
    info.setCapacity(4);
    info.setNameId(1);
    if (money)
        info.setValue(ValueColumnType(1, 500, 25));
    return info;
}

PlayerHandScore entry(qint32 id, int result, int settlement, int current, qint64 payment = 0)
{
    PlayerHandScore score;
    score.playerId = id;
    score.screenName = QString::fromLatin1(Names[id - Own]);
    score.result = result;
    score.settlement = settlement;
    score.currentScore = current;
    score.payment = payment;
    return score;
}

// The demo server's hands of each ruleset, the longest way they score.
EndHandScoring scoringOf(int ruleset)
{
    EndHandScoring scoring;
    if (ruleset == 0) {
        scoring.winKind = EndHandScoring::MAHJONG;
        PlayerHandScore winner = entry(Own, 1, 384, 2384, 1575);
        winner.pointsLines = {{QStringLiteral("Mahjong"), 20},          {QStringLiteral("Pung of dragons"), 4},
                              {QStringLiteral("Pair of seat wind"), 2}, {QStringLiteral("Pair of prevailing wind"), 2},
                              {QStringLiteral("Self-drawn"), 2},        {QStringLiteral("Waiting on the pair"), 2}};
        winner.pointsTotal = 32;
        winner.doublesLines = {{QStringLiteral("Pung of dragons"), 1}};
        winner.doublesTotal = 1;
        winner.handScore = 64;
        winner.tileGroups = {
            {{0, 1, 2}, -1}, {{9, 10, 11}, -1}, {{18, 19, 20}, -1}, {{31, 31, 31}, -1}, {{27, 27}, 27}};
        scoring.players[Own] = winner;
        for (qint32 id : {101, 102, 103})
            scoring.players[id] = entry(id, 0, -128, 1872, -525);
    } else if (ruleset == 1) {
        scoring.winKind = EndHandScoring::MAHJONG;
        PlayerHandScore winner = entry(101, 1, 66, 66);
        winner.pointsLines = {{QStringLiteral("Mixed Double Chow"), 1},    {QStringLiteral("All Types"), 6},
                              {QStringLiteral("Fully Concealed Hand"), 4}, {QStringLiteral("Dragon Pung"), 2},
                              {QStringLiteral("Single Wait"), 1},          {QStringLiteral("Flower Tiles"), 1}};
        winner.pointsTotal = 15;
        winner.handScore = 15;
        winner.tileGroups = {{{3, 4, 5}, -1},    {{12, 13, 14}, -1}, {{19, 20, 21}, -1},
                             {{32, 32, 32}, -1}, {{30, 30}, 30},     {{35}, -1}};
        scoring.players[101] = winner;
        scoring.players[Own] = entry(Own, 0, -23, -23);
        scoring.players[102] = entry(102, 0, -23, -23);
        scoring.players[103] = entry(103, 0, -23, -23);
    } else {
        scoring.winKind = EndHandScoring::SELF_DRAWN;
        PlayerHandScore winner = entry(Own, 1, 12000, 37000);
        winner.pointsLines = {{QStringLiteral("Fu"), 30}};
        winner.pointsTotal = 30;
        winner.doublesLines = {{QStringLiteral("Riichi"), 1},       {QStringLiteral("Ippatsu"), 1},
                               {QStringLiteral("Menzen tsumo"), 1}, {QStringLiteral("Pinfu"), 1},
                               {QStringLiteral("Dora"), 2},         {QStringLiteral("Ura dora"), 1}};
        winner.doublesTotal = 7;
        winner.handScore = 12000;
        winner.tileGroups = {{{1, 2, 3}, -1}, {{11, 12, 13}, -1}, {{21, 22, 23}, 21}, {{4, 5, 6}, -1}, {{14, 14}, -1}};
        scoring.players[Own] = winner;
        scoring.players[101] = entry(101, 0, -6000, 19000);
        scoring.players[102] = entry(102, 0, -3000, 22000);
        scoring.players[103] = entry(103, 0, -3000, 22000);
        scoring.doraTiles = {3, 28};
        scoring.uraDoraTiles = {17};
    }
    return scoring;
}

// A hand of the ruleset has just been scored: its board over the table, the
// countdown to the next hand running.
QWidget *handBoard(int ruleset, QSize size)
{
    const bool riichi = ruleset == 2;
    Client c = client(tableOf(ruleset, riichi ? TableInfo::FULL_GAME : TableInfo::SINGLE_HAND, ruleset == 0), size,
                      riichi         ? 25000
                      : ruleset == 0 ? 2000
                                     : 0);
    const EndHandScoring scoring = scoringOf(ruleset);
    c.model->onHandEndScoring(scoring);
    c.table->onHandEndScoring(scoring);
    for (const auto &[id, score] : scoring.players)
        c.table->scoreBoard()->setPlayerPicture(id, picture(id));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    c.table->onAreYouReady(TimeSpan(now, now.addSecs(30)), false);
    settle();
    return c.main;
}

// A full game's first hand was scored and Ready pressed while its countdown
// ran; the next hand ends the game at once: the board offers to play again
// or leave, and counts down to nothing.
QWidget *gameEndBoard(QSize size)
{
    Client c = client(tableOf(2, TableInfo::FULL_GAME, true), size, 25000);
    EndHandScoring scoring = scoringOf(2);
    c.model->onHandEndScoring(scoring);
    c.table->onHandEndScoring(scoring);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    c.table->onAreYouReady(TimeSpan(now, now.addSecs(30)), false);
    c.table->onReadyButtonClick();
    scoring.endOfGame = true;
    c.model->onHandEndScoring(scoring);
    c.table->onHandEndScoring(scoring);
    // The game controller's wiring: the hand's end offers to play again.
    c.table->onGameStateChanged();
    for (const auto &[id, score] : scoring.players)
        c.table->scoreBoard()->setPlayerPicture(id, picture(id));
    settle();
    return c.main;
}

// The round has ended: a money table's balances, a free table's points or a
// tournament round's results; for a tournament, also after the tournament's
// next round has started at another table.
enum class Round { Money, Free, Tournament, TournamentMovedOn };

QWidget *roundBoard(Round kind, QSize size)
{
    const bool tournament = kind == Round::Tournament || kind == Round::TournamentMovedOn;
    TableInfo info = tableOf(tournament ? 2 : 0, tournament ? TableInfo::TOURNAMENT : TableInfo::SINGLE_HAND,
                             kind == Round::Money);
    if (tournament)
        info.setTournamentId(9);
    Client c = client(info, size, tournament ? 25000 : 2000);
    c.table->roundScoreBoard()->setPlayerLookup([](qint32 id) { return QString::fromLatin1(Names[(id - Own) & 3]); },
                                                picture);
    if (tournament) {
        TournamentInfo t;
        t.id = 9;
        t.name = QStringLiteral("Monday Riichi Freeroll");
        t.numberOfRounds = 4;
        t.currentRound = 1;
        c.model->onTournamentInfo(t);
        c.table->onTournamentInfo(t);
        const TournamentRoundScores scores{{Own, 31200, 12}, {101, 22400, -5}, {102, 27300, 3}, {103, 19100, -10}};
        c.model->onEndOfTournamentRound(false, scores);
        c.table->onEndOfTournamentRound(false, scores);
        c.table->roundScoreBoard()->setTournamentRankings(
            {{Own, QString(), 9, 23}, {102, QString(), 4, 14}, {101, QString(), 2, 9}, {103, QString(), 0, 4}});
        if (kind == Round::TournamentMovedOn) {
            const QDateTime now = QDateTime::currentDateTimeUtc();
            t.currentRound = 2;
            t.status = TournamentInfo::Playing;
            t.roundsStart = {now.addSecs(-3000), now.addSecs(-1500), now};
            t.roundsLength = {1200, 1200, 1200, 1200};
            c.model->onTournamentInfo(t);
            c.table->onTournamentInfo(t);
        }
    } else {
        const qint64 won = kind == Round::Money ? 1500 : 0, lost = kind == Round::Money ? -500 : 0;
        c.table->onEndOfRound({{Own, 2384, won}, {101, 1872, lost}, {102, 1904, lost}, {103, 1840, lost}});
    }
    settle();
    return c.main;
}

// A hand some turns in, the claim countdown running beside the last
// discard: how the table fits the page.
QWidget *tableInPlay(int ruleset, QSize size, bool compact, bool fullWall = false)
{
    const bool riichi = ruleset == 2;
    const int start = riichi ? 25000 : 0;
    Client c = client(tableOf(ruleset, TableInfo::FULL_GAME, false), size, start);
    c.table->setCompactTableLayout(compact);
    PlayerData own = seat(Own, 1, start + 1200);
    own.setDiscards({27, 33, 0, 17, 9, 20, 5}, -1);
    own.setMelds({meld_tuple{MELD_PONG, 0, 31, 101, 0}});
    PlayerData right = seat(101, 2, start - 800);
    right.setDiscards({28, 32, 8, 18, 2, 26, 3}, riichi ? 4 : -1);
    PlayerData top = seat(102, 3, start + 300);
    top.setDiscards({30, 1, 16, 24, 11, 6}, -1);
    top.setMelds({meld_tuple{MELD_CHOW, 0, 3, 101, 1}, meld_tuple{MELD_PONG, 0, 29, 103, 0}});
    top.setHiddenTiles(7);
    PlayerData left = seat(103, 0, start - 700);
    left.setDiscards({29, 10, 19, 25, 5, 14}, -1);
    TableState state;
    state.playerId = Own;
    state.lastDiscarder = 101;
    WallState wall;
    wall.liveTiles = fullWall ? 0 : 58;
    wall.deadWallTiles = fullWall ? 0 : 14;
    wall.deadWallPosition = fullWall ? 0 : 5;
    wall.doraIndicators = riichi ? tile_vector{21} : tile_vector{};
    if (fullWall)
        for (PlayerData *p : {&right, &top, &left})
            p->setHiddenTiles(13);
    c.model->onGameData(31, server_game_state::TILE_DISCARDED_STATE, {own, right, top, left}, state, wall);
    const PrivatePlayerData hand{{2, 3, 4, 12, 13, 14, 21, 22, 23, 29}, true, false};
    c.model->onPrivatePlayerData(hand);
    c.table->setModel(c.model);
    c.table->onPrivatePlayerData(hand);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    c.table->onWaitingFor(WaitCondition::CLAIMS, TimeSpan(now, now.addSecs(8)), {Own});
    c.table->actionQueue().flush();
    settle();
    return c.main;
}

} // namespace

MAHJONG_SAMPLE(tableClassicSmall, {"table-play-classic", Small, [] { return tableInPlay(0, Small, false); }});
MAHJONG_SAMPLE(tableInternationalSmall,
               {"table-play-international", Small, [] { return tableInPlay(1, Small, false); }});
MAHJONG_SAMPLE(tableRiichiSmall, {"table-play-riichi", Small, [] { return tableInPlay(2, Small, false); }});
MAHJONG_SAMPLE(tableRiichiCompactSmall,
               {"table-play-riichi-compact", Small, [] { return tableInPlay(2, Small, true); }});
MAHJONG_SAMPLE(tableClassicFullSmall,
               {"table-play-classic-full-wall", Small, [] { return tableInPlay(0, Small, false, true); }});
MAHJONG_SAMPLE(tableRiichiLarge, {"table-play-riichi-large", Large, [] { return tableInPlay(2, Large, false); }});

MAHJONG_SAMPLE(boardClassic, {"board-hand-classic", Small, [] { return handBoard(0, Small); }});
MAHJONG_SAMPLE(boardInternational, {"board-hand-international", Small, [] { return handBoard(1, Small); }});
MAHJONG_SAMPLE(boardRiichi, {"board-hand-riichi", Small, [] { return handBoard(2, Small); }});
MAHJONG_SAMPLE(boardClassicLarge, {"board-hand-classic-large", Large, [] { return handBoard(0, Large); }});
MAHJONG_SAMPLE(boardInternationalLarge, {"board-hand-international-large", Large, [] { return handBoard(1, Large); }});
MAHJONG_SAMPLE(boardRiichiLarge, {"board-hand-riichi-large", Large, [] { return handBoard(2, Large); }});
MAHJONG_SAMPLE(boardGameEnd, {"board-hand-game-end", Small, [] { return gameEndBoard(Small); }});
MAHJONG_SAMPLE(boardRoundTournamentMovedOn,
               {"board-round-tournament-moved-on", Small, [] { return roundBoard(Round::TournamentMovedOn, Small); }});
MAHJONG_SAMPLE(boardRoundMoney, {"board-round-money", Small, [] { return roundBoard(Round::Money, Small); }});
MAHJONG_SAMPLE(boardRoundFree, {"board-round-free", Small, [] { return roundBoard(Round::Free, Small); }});
MAHJONG_SAMPLE(boardRoundTournament,
               {"board-round-tournament", Small, [] { return roundBoard(Round::Tournament, Small); }});
MAHJONG_SAMPLE(boardRoundMoneyLarge,
               {"board-round-money-large", Large, [] { return roundBoard(Round::Money, Large); }});
MAHJONG_SAMPLE(boardRoundFreeLarge, {"board-round-free-large", Large, [] { return roundBoard(Round::Free, Large); }});
MAHJONG_SAMPLE(boardRoundTournamentLarge,
               {"board-round-tournament-large", Large, [] { return roundBoard(Round::Tournament, Large); }});
