// A question the table asked comes back with the table's window: the claim
// offer the player left open, shown again with the time it has left.
#include "../Sample.h"

#include "game/GameModel.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"

namespace {

constexpr qint32 Own = 100, TableId = 9;

PlayerData seat(qint32 id, const char *name, int wind, const tile_vector &discards, int hidden)
{
    PlayerData p(id, QString::fromLatin1(name));
    p.setWind(wind);
    p.setDiscards(discards, -1);
    p.setHiddenTiles(hidden);
    p.setReady(true);
    return p;
}

// A pong of the left player's discard offered; the player left the table's
// window and came back before the offer ran out.
QWidget *claimOfferedOnComingBack()
{
    useTiles();
    auto *holder = new QObject;
    TableInfo info(TableId, QStringLiteral("101/Practice"));
    info.setRuleset(0);
    info.setGameType(TableInfo::FULL_GAME);
    info.setCapacity(4);
    info.setWindRounds(4);
    auto *model = new GameModel(TableId, info, Own, QStringLiteral("You"), holder);
    TableState state;
    state.playerId = Own;
    state.lastDiscarder = -1;
    WallState wall;
    wall.liveTiles = 81;
    wall.deadWallTiles = 14;
    model->markJoined();
    model->onGameData(5, server_game_state::TILE_DISCARDED_STATE,
                      {seat(Own, "You", 0, {33, 8}, 0), seat(912, "Bot South", 1, {30, 17}, 13),
                       seat(913, "Bot West", 2, {29, 5}, 13), seat(914, "Bot North", 3, {28, 26}, 13)},
                      state, wall);
    const PrivatePlayerData hand{{0, 1, 2, 9, 10, 11, 12, 18, 19, 20, 27, 27, 31}, true, false};
    model->onPrivatePlayerData(hand);

    auto *left = new GameWindow(nullptr, Own);
    GameController::connectModelToWindow(model, left);
    left->setModel(model);
    model->onHiddenTilesFromWall(914, 1, false);
    model->onTileDiscarded(914, 27, false);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    left->onMeldSuggestion({meld_offer(MELD_PONG, 27)}, 914, 27, TimeSpan(now.addSecs(-6), now.addSecs(9)));
    left->actionQueue().flush();
    // Leave: the table keeps what the window asked, and the window goes.
    const TableDecision kept = left->decision();
    delete left;

    auto *window = new GameWindow(nullptr, Own);
    holder->setParent(window);
    GameController::connectModelToWindow(model, window);
    window->setModel(model, &kept);
    model->onPrivatePlayerData(PrivatePlayerData{model->findOwnPlayer()->hand(), true, false});
    window->resize(1280, 800);
    window->show();
    window->actionQueue().flush();
    return window;
}

} // namespace

MAHJONG_SAMPLE(table_window_claim_on_coming_back,
               {"table-window-claim-on-coming-back", {1280, 800}, [] { return claimOfferedOnComingBack(); }});
