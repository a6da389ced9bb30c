// The table window at moments a hand's events leave it in: a hand that ends
// before anyone draws, and a table built again from the model mid-hand.
#include "../Sample.h"

#include "game/GameModel.h"
#include "scene/TileGraphics.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

constexpr qint32 Own = 100, TableId = 7;
const QSize Size(1280, 800);

PlayerData seat(qint32 id, const char *name, int wind, int hidden)
{
    PlayerData p(id, QString::fromLatin1(name));
    p.setWind(wind);
    p.setPoints(25000);
    p.setHiddenTiles(hidden);
    p.setSeated(true);
    p.setReady(true);
    return p;
}

TableInfo classicTable(int gameType)
{
    TableInfo info(TableId, QStringLiteral("101/Practice"));
    info.setRuleset(gameType == TableInfo::FULL_GAME ? 2 : 0);
    info.setGameType(gameType);
    info.setCapacity(4);
    return info;
}

// The window with its model, fed as the table controller feeds it.
GameWindow *tableWindow(const TableInfo &info, GameModel **model)
{
    useTiles();
    auto *window = new GameWindow(nullptr, Own);
    *model = new GameModel(TableId, info, Own, QStringLiteral("You"), window);
    GameController::connectModelToWindow(*model, window);
    window->resize(Size);
    return window;
}

// The second hand of a full game ends at once in nine terminals and honours:
// the deal has landed, nobody has drawn.
QWidget *washoutBeforeTheFirstDraw()
{
    GameModel *model = nullptr;
    GameWindow *window = tableWindow(classicTable(TableInfo::FULL_GAME), &model);
    TableState state;
    state.playerId = Own;
    state.lastDiscarder = -1;
    model->markJoined();
    model->onGameData(1, server_game_state::INITIAL_STATE,
                      {seat(Own, "You", 3, 0), seat(901, "Bot East", 0, 0), seat(902, "Bot South", 1, 0),
                       seat(903, "Bot West", 2, 0)},
                      state, WallState{});
    window->setModel(model);
    Seating seating;
    seating.players = {{901, 902, 903, Own}};
    WallState wall;
    wall.doraIndicators = {20};
    model->onStartHand(2, seating, {}, false, TableState{Own, 0, Own, -1, 0, 0}, wall);
    model->onPrivatePlayerData(PrivatePlayerData{{0, 8, 9, 17, 18, 26, 27, 28, 29, 30, 31, 32, 4}, true, false});
    model->onHiddenTilesFromWall(901, 13, false);
    model->onHiddenTilesFromWall(902, 13, false);
    model->onHiddenTilesFromWall(903, 13, false);
    // The deal's flights land where they end.
    window->actionQueue().flush();
    model->onHandEndNonScoring(endhand_reason_t(6), true);
    window->actionQueue().flush();
    return window;
}

// A bot showed two flowers and a pong; the player comes back to the table
// and the window is built again from the model the client kept.
QWidget *rebuiltWithFlowers()
{
    GameModel *model = nullptr;
    auto *first = tableWindow(classicTable(TableInfo::SINGLE_HAND), &model);
    TableState state;
    state.playerId = Own;
    state.lastDiscarder = -1;
    model->markJoined();
    PlayerData west = seat(902, "Bot West", 2, 13);
    west.setBonusTiles({34});
    WallState wall;
    wall.liveTiles = 70;
    wall.deadWallTiles = 14;
    wall.deadWallPosition = 4;
    model->onGameData(1, server_game_state::TILE_DISCARDED_STATE,
                      {seat(Own, "You", 0, 0), seat(901, "Bot South", 1, 13), west, seat(903, "Bot North", 3, 13)},
                      state, wall);
    model->onPrivatePlayerData(PrivatePlayerData{{1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 31, 32}, true, false});
    first->setModel(model);
    model->onHiddenTilesFromWall(901, 1, false);
    model->onDeclareBonus(901, {35});
    model->onHiddenTilesFromWall(901, 1, true);
    model->onTileDiscarded(901, 5, false);
    model->onTileClaimed(902);
    model->onMeldDeclared(902, meld_tuple{MELD_PONG, 0, 5, 901, 0});
    model->onDeclareBonus(902, {38});
    model->onTileDiscarded(902, 30, false);
    first->actionQueue().flush();
    // Left mid-hand: the window goes, the model stays.
    auto *again = new GameWindow(nullptr, Own);
    model->setParent(again);
    delete first;
    GameController::connectModelToWindow(model, again);
    again->resize(Size);
    again->setModel(model);
    again->actionQueue().flush();
    return again;
}

} // namespace

MAHJONG_SAMPLE(tableWashoutBeforeTheFirstDraw, {QStringLiteral("table-washout-before-the-first-draw"), Size,
                                                [] { return washoutBeforeTheFirstDraw(); }});
MAHJONG_SAMPLE(tableRebuiltWithFlowers,
               {QStringLiteral("table-rebuilt-with-flowers"), Size, [] { return rebuiltWithFlowers(); }});
