#include "../Sample.h"

#include "game/GameModel.h"
#include "scene/TileGraphics.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/SideBar.h"
#include "table/WashoutWindow.h"

#include <QAbstractButton>
#include <QCoreApplication>

namespace {

constexpr qint32 Own = 100;

PlayerData seat(qint32 id, const char *name, int wind, int points, const tile_vector &discards, int riichiAt,
                int hidden, const meld_vector &melds, const tile_vector &bonus = {})
{
    PlayerData p(id, QString::fromLatin1(name));
    p.setWind(wind);
    p.setPoints(points);
    p.setDiscards(discards, riichiAt);
    p.setHiddenTiles(hidden);
    p.setMelds(melds);
    p.setBonusTiles(bonus);
    p.setSeated(true);
    return p;
}

// A hand some turns in, as the server's game data and the own hand describe
// it: melds on two seats, a riichi on a Riichi table, flowers elsewhere.
QWidget *midHand(int ruleset, bool compact, QSize size = QSize(1280, 800))
{
    useTiles();
    TableInfo info(7, QStringLiteral("101/Practice"));
    info.setRuleset(ruleset);
    info.setGameType(2);
    info.setCapacity(4);
    const bool riichi = ruleset == 2;
    const int start = riichi ? 25000 : 0;
    auto *window = new GameWindow(nullptr, Own);
    auto *model = new GameModel(7, info, Own, QStringLiteral("You"), window);
    const tile_vector bonus = riichi ? tile_vector{} : tile_vector{34};
    const std::vector<PlayerData> players{
        seat(Own, "You", 1, start + 1200, {27, 33, 0, 17, 9, 20}, -1, 0, {meld_tuple{MELD_PONG, 0, 31, 101, 0}}, bonus),
        seat(101, "Kaede", 2, start - 800, {28, 32, 8, 18, 2, 26}, riichi ? 4 : -1, 13, {}),
        seat(102, "Marco", 3, start + 300, {30, 1, 16, 24, 11}, -1, 10, {meld_tuple{MELD_CHOW, 0, 3, 101, 1}}),
        seat(103, "Ines", 0, start - 700, {29, 10, 19, 25, 5, 14}, -1, 13, {},
             riichi ? tile_vector{} : tile_vector{38}),
    };
    TableState state;
    state.playerId = Own;
    state.prevailingWind = 0;
    state.lastDiscarder = 101;
    state.riichiSticks = riichi ? 1 : 0;
    state.counterSticks = riichi ? 1 : 0;
    WallState wall;
    wall.liveTiles = 58;
    wall.deadWallTiles = 14;
    wall.deadWallPosition = 5;
    wall.deadWallTilesDealt = 0;
    wall.doraIndicators = riichi ? tile_vector{21} : tile_vector{};
    model->markJoined();
    model->onGameData(31, server_game_state::TILE_DISCARDED_STATE, players, state, wall);
    model->onPrivatePlayerData(PrivatePlayerData{{2, 3, 4, 12, 13, 14, 21, 22, 23, 29, 29}, true, false});
    window->setCompactTableLayout(compact);
    window->setModel(model);
    window->onPrivatePlayerData(PrivatePlayerData{{2, 3, 4, 12, 13, 14, 21, 22, 23, 29, 29}, true, false});
    window->resize(size);
    window->sideBar()->appendNotice(QCoreApplication::translate("GameWindow", "Hand started"));
    window->sideBar()->appendNotice(QStringLiteral("Marco: good luck <everyone>"));
    return window;
}

PlayerHandScore handScore(qint32 id, const char *name, int result, int handScore, int settlement)
{
    PlayerHandScore score;
    score.playerId = id;
    score.screenName = QString::fromLatin1(name);
    score.result = result;
    score.handScore = handScore;
    score.settlement = settlement;
    score.currentScore = 25000 + settlement;
    return score;
}

// The Riichi hand won on a discard, its score board shown over the table.
QWidget *scoredHand(QSize size)
{
    auto *window = static_cast<GameWindow *>(midHand(2, false, size));
    // The hand ends at a table already on screen, laid out at its size.
    window->show();
    EndHandScoring scoring;
    scoring.winKind = EndHandScoring::WIN_ON_DISCARD;
    PlayerHandScore winner = handScore(Own, "You", 1, 7700, 7700);
    winner.pointsLines = {{QStringLiteral("Base"), 20}, {QStringLiteral("Closed ron"), 10}};
    winner.pointsTotal = 30;
    winner.doublesLines = {
        {QStringLiteral("Riichi"), 1}, {QStringLiteral("All simples"), 1}, {QStringLiteral("Dora"), 2}};
    winner.doublesTotal = 4;
    winner.tileGroups = {{{1, 2, 3}, 2}, {{11, 12, 13}, 12}, {{21, 22, 23}, 21}, {{4, 4, 4}, 4}, {{14, 14}, 14}};
    scoring.players[Own] = winner;
    scoring.players[101] = handScore(101, "Kaede", 0, 0, -7700);
    scoring.players[102] = handScore(102, "Marco", 0, 0, 0);
    scoring.players[103] = handScore(103, "Ines", 0, 0, 0);
    scoring.doraTiles = {3, 28};
    scoring.uraDoraTiles = {17};
    window->onHandEndScoring(scoring);
    window->scoreBoard()->setPlayerPicture(Own, QPixmap(QStringLiteral("resources:/avatar-default-1.png")));
    window->scoreBoard()->setPlayerPicture(101, QPixmap(QStringLiteral("resources:/avatar-default-2.png")));
    window->scoreBoard()->setPlayerPicture(102, QPixmap(QStringLiteral("resources:/avatar-default-blue.png")));
    return window;
}

// A Riichi table before its first hand: two players wait for two more, the
// wall stands full.
QWidget *waitingTable(bool compact)
{
    useTiles();
    TableInfo info(7, QStringLiteral("101/Practice"));
    info.setRuleset(2);
    info.setGameType(2);
    info.setCapacity(4);
    auto *window = new GameWindow(nullptr, Own);
    auto *model = new GameModel(7, info, Own, QStringLiteral("You"), window);
    GameController::connectModelToWindow(model, window);
    window->setCompactTableLayout(compact);
    window->setModel(model);
    window->resize(1280, 800);
    model->markJoined();
    PlayerData kaede(101, QStringLiteral("Kaede"));
    kaede.setReady(true);
    TableState state;
    state.playerId = Own;
    state.lastDiscarder = -1;
    WallState wall;
    wall.liveTiles = 70;
    wall.deadWallTiles = 14;
    model->onGameData(0, server_game_state::INITIAL_STATE, {kaede}, state, wall);
    model->onPlayerIsReady(Own);
    window->show();
    return window;
}

// The last hand of a tournament round is over: the round's board over the
// table, with the tournament's name and round and the standings' points.
QWidget *tournamentRoundEnd()
{
    useTiles();
    TableInfo info(31, QStringLiteral("101/mtt/9"));
    info.setRuleset(2);
    info.setGameType(1);
    info.setCapacity(4);
    info.setTournamentId(9);
    auto *window = new GameWindow(nullptr, Own);
    auto *model = new GameModel(31, info, Own, QStringLiteral("You"), window);
    TournamentInfo tournament;
    tournament.id = 9;
    tournament.name = QStringLiteral("Monday Riichi Freeroll");
    tournament.numberOfRounds = 4;
    tournament.currentRound = 1;
    model->onTournamentInfo(tournament);
    const std::vector<PlayerData> players{
        seat(Own, "You", 1, 31200, {27, 33, 0, 17, 9, 20}, -1, 0, {}),
        seat(101, "Kaede", 2, 22400, {28, 32, 8, 18, 2, 26}, 4, 13, {}),
        seat(102, "Marco", 3, 27300, {30, 1, 16, 24, 11}, -1, 13, {}),
        seat(103, "Ines", 0, 19100, {29, 10, 19, 25, 5, 14}, -1, 13, {}),
    };
    TableState state;
    state.playerId = Own;
    state.lastDiscarder = 101;
    WallState wall;
    wall.liveTiles = 12;
    wall.deadWallTiles = 14;
    wall.deadWallPosition = 5;
    model->markJoined();
    model->onGameData(31, server_game_state::TILE_DISCARDED_STATE, players, state, wall);
    model->onPrivatePlayerData(PrivatePlayerData{{2, 3, 4, 12, 13, 14, 21, 22, 23, 29, 29, 6, 7}, true, false});
    GameController::connectModelToWindow(model, window);
    window->setModel(model);
    window->resize(1280, 800);
    window->show();
    // The names and pictures the player database would give.
    window->roundScoreBoard()->setPlayerLookup(
        [](qint32 id) {
        switch (id) {
        case Own:
            return QStringLiteral("You");
        case 101:
            return QStringLiteral("Kaede");
        case 102:
            return QStringLiteral("Marco");
        default:
            return QStringLiteral("Ines");
        }
        },
        [](qint32 id) {
        return QPixmap(id == 102 ? QStringLiteral("avatars:avatar-default-blue.png")
                                 : QStringLiteral("avatars:avatar-default-%1.png").arg(id % 2 + 1));
    });
    model->onHandEndNonScoring(endhand_reason_t(0), true);
    window->washoutWindow()->hide();
    model->onEndOfTournamentRound(false, {{Own, 31200, 12}, {101, 22400, -5}, {102, 27300, 3}, {103, 19100, -10}});
    model->onTournamentRankings({{Own, QStringLiteral("You"), 9, 23},
                                 {102, QStringLiteral("Marco"), 4, 14},
                                 {101, QStringLiteral("Kaede"), 2, 9},
                                 {103, QStringLiteral("Ines"), 0, 4}});
    return window;
}

// A claim offer on the last discard, up once the discard has landed.
QWidget *claimOffer()
{
    auto *window = static_cast<GameWindow *>(midHand(0, false));
    GameModel *model = window->model();
    GameController::connectModelToWindow(model, window);
    window->show();
    model->onHiddenTilesFromWall(101, 1, false);
    model->onTileDiscarded(101, 29, false);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    window->onMeldSuggestion({meld_offer(MELD_PONG, 29)}, 101, 29, TimeSpan(now, now.addSecs(15)));
    window->actionQueue().flush();
    return window;
}

// The won hand's board closed with Ready: the table is left without the
// hand's banners.
QWidget *boardClosed()
{
    auto *window = static_cast<GameWindow *>(scoredHand(QSize(1280, 800)));
    if (auto *ready = window->scoreBoard()->findChild<QAbstractButton *>(QStringLiteral("readyPushButton")))
        ready->click();
    return window;
}

} // namespace

MAHJONG_SAMPLE(table_window_classic, {"table-window-classic", {1280, 800}, [] { return midHand(0, false); }});
MAHJONG_SAMPLE(table_window_international,
               {"table-window-international", {1280, 800}, [] { return midHand(1, false); }});
MAHJONG_SAMPLE(table_window_riichi, {"table-window-riichi", {1280, 800}, [] { return midHand(2, false); }});
MAHJONG_SAMPLE(table_window_classic_compact,
               {"table-window-classic-compact", {1280, 800}, [] { return midHand(0, true); }});
MAHJONG_SAMPLE(table_window_international_compact,
               {"table-window-international-compact", {1280, 800}, [] { return midHand(1, true); }});
MAHJONG_SAMPLE(table_window_riichi_compact,
               {"table-window-riichi-compact", {1280, 800}, [] { return midHand(2, true); }});
MAHJONG_SAMPLE(table_window_score_board,
               {"table-window-score-board", {1024, 768}, [] { return scoredHand(QSize(1024, 768)); }});
MAHJONG_SAMPLE(table_window_score_board_large,
               {"table-window-score-board-large", {1920, 1080}, [] { return scoredHand(QSize(1920, 1080)); }});
MAHJONG_SAMPLE(table_window_waiting, {"table-window-waiting", {1280, 800}, [] { return waitingTable(false); }});
MAHJONG_SAMPLE(table_window_waiting_compact,
               {"table-window-waiting-compact", {1280, 800}, [] { return waitingTable(true); }});
MAHJONG_SAMPLE(table_window_tournament_round,
               {"table-window-tournament-round", {1280, 800}, [] { return tournamentRoundEnd(); }});
MAHJONG_SAMPLE(table_window_claim_offer, {"table-window-claim-offer", {1280, 800}, [] { return claimOffer(); }});
MAHJONG_SAMPLE(table_window_board_closed, {"table-window-board-closed", {1280, 800}, [] { return boardClosed(); }});
