// Tables of fewer than four seats: a three-seat Riichi table watched in the
// middle of a hand, and hands of three and two players just dealt, the
// player East, the deal landed and nobody drawn yet.
#include "../Sample.h"

#include "game/GameModel.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>

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

// The deal of a hand for that many players has flown and landed.
QWidget *dealt(int seats)
{
    GameModel *model = nullptr;
    GameWindow *window = tableWindow(seats, &model);
    const char *names[] = {"You", "Bot South", "Bot West", "Bot North"};
    const std::vector<int> winds = seats == 2   ? std::vector<int>{0, 2}
                                   : seats == 3 ? std::vector<int>{0, 1, 2}
                                                : std::vector<int>{0, 1, 2, 3};
    std::vector<PlayerData> players;
    Seating seating;
    for (int wind : winds) {
        const qint32 id = wind == 0 ? Own : 900 + wind;
        players.push_back(seat(id, names[wind], wind));
        seating.players[size_t(wind)] = id;
    }
    model->markJoined();
    model->onGameData(1, server_game_state::INITIAL_STATE, players, TableState{Own, 0, Own, -1, 0, 0}, WallState{});
    window->setModel(model);
    window->show();
    // The deal is seen flying: animations on for it, as the player has them.
    QSettings settings;
    const QVariant kept = settings.value(QStringLiteral("game/animations"));
    settings.setValue(QStringLiteral("game/animations"), true);
    WallState wall;
    wall.deadWallPosition = 4;
    wall.doraIndicators = {4};
    model->onStartHand(1, seating, {}, true, TableState{Own, 0, Own, -1, 0, 0}, wall);
    const tile_vector hand{0, 1, 2, 9, 10, 11, 24, 25, 26, 31, 31, 18, 19};
    model->onTilesFromWall(hand, false);
    for (int wind : winds)
        if (wind != 0)
            model->onHiddenTilesFromWall(900 + wind, 13, false);
    model->onPrivatePlayerData(PrivatePlayerData{hand, true, false});
    QElapsedTimer clock;
    clock.start();
    while (window->actionQueue().isBusy() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (kept.isValid())
        settings.setValue(QStringLiteral("game/animations"), kept);
    else
        settings.remove(QStringLiteral("game/animations"));
    return window;
}

} // namespace

MAHJONG_SAMPLE(table_window_watched_three_seats,
               {"table-window-watched-three-seats", Size, [] { return watchedThreeSeats(); }});
MAHJONG_SAMPLE(table_window_dealt_three_seats, {"table-window-dealt-three-seats", Size, [] { return dealt(3); }});
MAHJONG_SAMPLE(table_window_dealt_two_seats, {"table-window-dealt-two-seats", Size, [] { return dealt(2); }});
