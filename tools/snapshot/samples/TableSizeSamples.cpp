// Tables of fewer than four seats: a three-seat Riichi table watched in the
// middle of a hand.
#include "../Sample.h"

#include "game/GameModel.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"

namespace {

constexpr qint32 Own = 100, TableId = 1004;
const QSize Size(1280, 800);

PlayerData seat(qint32 id, const char *name, int wind, const tile_vector &discards = {}, int hidden = 0,
                const meld_vector &melds = {})
{
    PlayerData p(id, QString::fromLatin1(name));
    p.setWind(wind);
    p.setPoints(35000);
    p.setDiscards(discards, -1);
    p.setHiddenTiles(hidden);
    p.setMelds(melds);
    p.setReady(true);
    return p;
}

TableInfo tableOf(int seats)
{
    TableInfo info(TableId, QStringLiteral("101/Practice"));
    info.setRuleset(seats == 3 ? 2 : 0);
    info.setGameType(TableInfo::SINGLE_HAND);
    info.setCapacity(seats);
    info.setNameId(1);
    return info;
}

GameWindow *tableWindow(int seats, GameModel **model)
{
    useTiles();
    auto *window = new GameWindow(nullptr, Own);
    *model = new GameModel(TableId, tableOf(seats), Own, QStringLiteral("You"), window);
    GameController::connectModelToWindow(*model, window);
    window->resize(Size);
    return window;
}

// Watched from the lobby some turns in: East at the bottom, South to the
// right, West at the top, North's seat empty.
QWidget *watchedThreeSeats()
{
    GameModel *model = nullptr;
    GameWindow *window = tableWindow(3, &model);
    window->setModel(model);
    model->onWatching(true);
    // West declared riichi with its fourth discard.
    PlayerData west = seat(913, "Bot West", 2, {}, 13);
    west.setDiscards({28, 5, 12, 24, 16}, 3);
    WallState wall;
    wall.liveTiles = 60;
    wall.deadWallTiles = 14;
    wall.deadWallPosition = 4;
    wall.doraIndicators = {4};
    model->onGameData(5, server_game_state::TILE_DISCARDED_STATE,
                      {seat(911, "Bot East", 0, {33, 8, 0, 13, 30}, 13),
                       seat(912, "Bot South", 1, {29, 17, 2, 26}, 10, {meld_tuple{MELD_PONG, 0, 31, 911, 0}}), west},
                      TableState{-1, 0, 911, 913, 0, 0}, wall);
    model->onHiddenTilesFromWall(911, 1, false);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    model->onPlayerShouldAct(911, TimeSpan(now, now.addSecs(20)));
    window->show();
    window->actionQueue().flush();
    return window;
}

} // namespace

MAHJONG_SAMPLE(table_window_watched_three_seats,
               {"table-window-watched-three-seats", Size, [] { return watchedThreeSeats(); }});
