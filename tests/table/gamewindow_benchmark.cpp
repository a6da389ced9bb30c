// How long a full repaint of a table window takes: a Riichi hand in play at
// 1920 x 1080, scene and side bar, drawn by the software raster engine into
// an image. Prints the median and the worst ms per repaint; asserts nothing.
//   table_gamewindow_benchmark [ROUNDS]

#include "game/GameModel.h"
#include "scene/TileGraphics.h"
#include "table/GameWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const qint32 OWN = 100;

PlayerData seat(qint32 id, int wind, const tile_vector &discards, int hidden, const meld_vector &melds)
{
    PlayerData p(id, QStringLiteral("player%1").arg(id));
    p.setWind(wind);
    p.setPoints(25000);
    p.setDiscards(discards, -1);
    p.setHiddenTiles(hidden);
    p.setMelds(melds);
    p.setSeated(true);
    return p;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    QDir::setSearchPaths(QStringLiteral("textimages"), {QStringLiteral(":/default/textimages")});
    TileGraphics &graphics = TileGraphics::instance();
    graphics.setTileSet(0, 0);

    TableInfo info(7, QStringLiteral("101/Practice"));
    info.setRuleset(2);
    info.setGameType(2);
    info.setCapacity(4);
    GameModel model(7, info, OWN, QStringLiteral("me"));
    TableState state;
    state.playerId = OWN;
    state.lastDiscarder = 101;
    WallState wall;
    wall.liveTiles = 50;
    wall.deadWallTiles = 14;
    wall.deadWallPosition = 5;
    wall.doraIndicators = {21};
    model.markJoined();
    model.onGameData(1, server_game_state::TILE_DISCARDED_STATE,
                     {seat(OWN, 1, {27, 33, 0, 17, 9, 20, 5, 6}, 0, {meld_tuple{MELD_PONG, 0, 31, 101, 0}}),
                      seat(101, 2, {28, 32, 8, 18, 2, 26, 7, 8}, 13, {}),
                      seat(102, 3, {30, 1, 16, 24, 11, 12, 13}, 10, {meld_tuple{MELD_CHOW, 0, 3, 101, 1}}),
                      seat(103, 0, {29, 10, 19, 25, 5, 14, 15}, 13, {})},
                     state, wall);
    model.onPrivatePlayerData(PrivatePlayerData{{2, 3, 4, 12, 13, 14, 21, 22, 23, 29, 29}, true, false});

    GameWindow window(nullptr, OWN);
    window.setModel(&model);
    window.resize(1920, 1080);
    window.show();
    // The resize worker renders the tiles at the new scale.
    while (graphics.hasWorker())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();

    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> ms;
    for (int i = 0; i < rounds + 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&image);
        window.render(&painter);
        painter.end();
        if (i >= 3) // the first repaints fill the caches
            ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("table window repaint 1920x1080 (raster), %d rounds: median %.2f ms, worst %.2f ms, scale %.3f\n",
                rounds, ms[ms.size() / 2], ms.back(), graphics.gameScale());
    if (qEnvironmentVariableIsSet("GAMEWINDOW_BENCHMARK_FRAME"))
        image.save(qEnvironmentVariable("GAMEWINDOW_BENCHMARK_FRAME"));
    return 0;
}
