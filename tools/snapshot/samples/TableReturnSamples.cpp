// The table window a player watches or comes back to: an East-only hand
// watched mid-way, a seat's window shown again after the player's turn,
// before the next draw, and the turn told before an own claim's report.
#include "../Sample.h"

#include "game/GameModel.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/SideBar.h"

#include <QCoreApplication>

namespace {

constexpr qint32 Own = 100, TableId = 9;
const QSize Size(1280, 800);

PlayerData seat(qint32 id, const char *name, int wind, const tile_vector &discards, int hidden,
                const meld_vector &melds = {})
{
    PlayerData p(id, QString::fromLatin1(name));
    p.setWind(wind);
    p.setDiscards(discards, -1);
    p.setHiddenTiles(hidden);
    p.setMelds(melds);
    p.setReady(true);
    return p;
}

GameModel *eastOnlyModel(QObject *parent)
{
    TableInfo info(TableId, QStringLiteral("101/Practice"));
    info.setRuleset(1);
    info.setGameType(TableInfo::EAST_ONLY);
    info.setCapacity(4);
    return new GameModel(TableId, info, Own, QStringLiteral("You"), parent);
}

TableState tableState(qint32 around, qint32 lastDiscarder)
{
    TableState state;
    state.playerId = around;
    state.prevailingWind = 0;
    state.lastDiscarder = lastDiscarder;
    return state;
}

WallState wall(int live)
{
    WallState w;
    w.liveTiles = live;
    w.deadWallTiles = 0;
    return w;
}

// An East-only International table watched from the lobby, its hand some
// turns in: four seats, East at the bottom.
QWidget *watchedEastOnly()
{
    useTiles();
    auto *window = new GameWindow(nullptr, Own);
    GameModel *model = eastOnlyModel(window);
    GameController::connectModelToWindow(model, window);
    window->setModel(model);
    window->resize(Size);
    model->onWatching(true);
    model->onGameData(5, server_game_state::TILE_DISCARDED_STATE,
                      {seat(911, "Bot East", 0, {33, 8, 0, 13}, 13),
                       seat(912, "Bot South", 1, {30, 17, 2}, 10, {meld_tuple{MELD_PONG, 0, 24, 911, 0}}),
                       seat(913, "Bot West", 2, {29, 5, 12}, 13), seat(914, "Bot North", 3, {28, 26, 3}, 13)},
                      tableState(911, 911), wall(77));
    model->onHiddenTilesFromWall(912, 1, false);
    window->show();
    window->actionQueue().flush();
    return window;
}

// The player discarded, left the table's window and came back after the
// three others' discards: nothing is asked until the player's own draw.
QWidget *backBeforeTheOwnDraw()
{
    useTiles();
    // The model follows the table while no window shows it.
    auto *holder = new QObject;
    GameModel *model = eastOnlyModel(holder);
    model->markJoined();
    model->onGameData(5, server_game_state::TILE_DISCARDED_STATE,
                      {seat(Own, "You", 0, {33, 8}, 0), seat(912, "Bot South", 1, {30, 17}, 13),
                       seat(913, "Bot West", 2, {29, 5}, 13), seat(914, "Bot North", 3, {28, 26}, 13)},
                      tableState(Own, 914), wall(79));
    model->onPrivatePlayerData(PrivatePlayerData{{0, 1, 2, 9, 10, 11, 12, 18, 19, 20, 27, 27, 31}, true, false});
    model->onTilesFromWall({6}, false);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    model->onPlayerShouldAct(Own, TimeSpan(now, now.addSecs(20)));
    model->onTileDiscarded(Own, 6, false);
    int discard = 21;
    for (qint32 bot : {912, 913, 914}) {
        model->onHiddenTilesFromWall(bot, 1, false);
        model->onTileDiscarded(bot, tile(discard++), false);
    }
    // Shown again, as the table controller shows it.
    auto *window = new GameWindow(nullptr, Own);
    holder->setParent(window);
    GameController::connectModelToWindow(model, window);
    window->setModel(model);
    const PlayerData *own = model->findOwnPlayer();
    model->onPrivatePlayerData(PrivatePlayerData{own->hand(), own->isActive(), own->isFuriten()});
    window->resize(Size);
    window->sideBar()->appendNotice(QCoreApplication::translate("GameWindow", "Hand started"));
    window->show();
    window->actionQueue().flush();
    return window;
}

// A pong of the left player's discard sent; the turn comes before the
// claim's report: the pair the pong takes is not playable yet.
QWidget *claimBeforeItsReport()
{
    useTiles();
    auto *window = new GameWindow(nullptr, Own);
    GameModel *model = eastOnlyModel(window);
    GameController::connectModelToWindow(model, window);
    model->markJoined();
    model->onGameData(5, server_game_state::TILE_DISCARDED_STATE,
                      {seat(Own, "You", 0, {33, 8}, 0), seat(912, "Bot South", 1, {30, 17}, 13),
                       seat(913, "Bot West", 2, {29, 5}, 13), seat(914, "Bot North", 3, {28, 26}, 13)},
                      tableState(Own, -1), wall(79));
    model->onPrivatePlayerData(PrivatePlayerData{{0, 1, 2, 9, 10, 11, 12, 18, 19, 20, 27, 27, 31}, true, false});
    window->setModel(model);
    window->resize(Size);
    window->show();
    model->onHiddenTilesFromWall(914, 1, false);
    model->onTileDiscarded(914, 27, false);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    window->onMeldSuggestion({meld_offer(MELD_PONG, 27)}, 914, 27, TimeSpan(now, now.addSecs(15)));
    window->actionQueue().flush();
    window->onMeldSelected(meld_offer(MELD_PONG, 27));
    model->onPlayerShouldAct(Own, TimeSpan(now, now.addSecs(20)));
    window->actionQueue().flush();
    return window;
}

} // namespace

MAHJONG_SAMPLE(table_window_watched_east_only,
               {"table-window-watched-east-only", {1280, 800}, [] { return watchedEastOnly(); }});
MAHJONG_SAMPLE(table_window_back_before_the_draw,
               {"table-window-back-before-the-draw", {1280, 800}, [] { return backBeforeTheOwnDraw(); }});
MAHJONG_SAMPLE(table_window_claim_before_its_report,
               {"table-window-claim-before-its-report", {1280, 800}, [] { return claimBeforeItsReport(); }});
