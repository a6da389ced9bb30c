// What a player's screen costs in a real table window at 1920 x 1080, drawn
// by the software raster engine with the view's own render hints:
//  - full repaint: the whole window (scene and side bar) of a Riichi hand in
//    play, median, 90th percentile and worst ms;
//  - deal frame: one frame of the four-player deal in the same window, with
//    the hand on its tray: the animation step, the scene's update processing
//    and the view's repaint of what changed, median and 90th percentile ms;
//  - where a full repaint goes: the cloth alone, the scene without the cloth.
// Beside each figure its ratio to the same drawing by a bare Qt program
// (BareTable: a view with the table view's settings and cloth, one plain
// pixmap per tile at the table's places, the deal's tiles moved frame by
// frame where the table's flew), measured in the same run, rounds
// interleaved, so that the ratios hold on an idle and on a busy machine.
// Asserts nothing.
//   table_gamewindow_benchmark [ROUNDS]
// GAMEWINDOW_BENCHMARK_FRAME=file.png saves a full repaint to look at.

#include "BareTable.h"

#include "game/GameModel.h"
#include "scene/DealStartHandAnimation.h"
#include "scene/HiddenHandView.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"
#include "table/GameWindow.h"
#include "table/SideBar.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSettings>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
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

struct Figures
{
    double median = 0, p90 = 0, worst = 0;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    if (ms.empty())
        return {};
    return {ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back()};
}

// Counts the view's paints, so that a frame that drew nothing is told apart.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// CPU time of the whole process (the raster engine's helper threads too):
// the work of a frame, whatever else the machine runs.
double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void waitForTiles()
{
    // The resize worker renders the tiles at the new scale.
    while (TileGraphics::instance().hasWorker())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

// The picture a bare program would blit for a tile of the table.
QPixmap plainPicture(const TileView &tile)
{
    const TileImages *images = tile.tilePainter().images();
    if (!images)
        return QPixmap();
    return QPixmap::fromImage(tile.use() == TileImages::Hand ? images->handImage(false)
                                                             : images->blank(tile.side(), tile.use()));
}

// Every tile the table scene shows; `flying` picks the animated ones (items
// of their own, not children of a table view).
std::vector<TileView *> shownTiles(QGraphicsScene &scene, bool flying)
{
    std::vector<TileView *> tiles;
    for (QGraphicsItem *item : scene.items(Qt::AscendingOrder)) {
        auto *tile = dynamic_cast<TileView *>(item);
        if (tile && tile->isVisible() && tile->use() != TileImages::Unused && (tile->parentItem() == nullptr) == flying)
            tiles.push_back(tile);
    }
    return tiles;
}

double ratio(double figure, double anchor)
{
    return anchor > 0 ? figure / anchor : 0.0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("mahjong-benchmarks"));
    QCoreApplication::setApplicationName(QStringLiteral("table_gamewindow_benchmark"));
    QSettings().setValue(QStringLiteral("game/animations"), true);
    QSettings().setValue(QStringLiteral("game/sound"), false);
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
    waitForTiles();
    QGraphicsView *view = window.graphicsView();

    // The bare program: the same view settings and cloth, one plain pixmap
    // per tile the table shows, at the same places.
    BareTable bare(BareTable::ViewSettings::of(*view), window.tableScene().backgroundBrush(), window.size());
    int tableTiles = 0;
    for (TileView *tile : shownTiles(window.tableScene(), false)) {
        bare.addTile(plainPicture(*tile), tile->sceneBoundingRect().topLeft(), tableTiles);
        ++tableTiles;
    }
    bare.show();
    QCoreApplication::processEvents();

    // Full repaint of the window, and of the bare window, interleaved.
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    QImage bareImage(bare.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> repaint, repaintCpu, bareRepaint;
    for (int i = 0; i < rounds + 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        QPainter barePainter(&bareImage);
        bare.render(&barePainter);
        barePainter.end();
        const double bareMs = timer.nsecsElapsed() / 1e6;
        timer.restart();
        const double cpu = processCpuMs();
        QPainter painter(&image);
        window.render(&painter);
        painter.end();
        if (i >= 3) { // the first repaints fill the caches
            repaint.push_back(timer.nsecsElapsed() / 1e6);
            repaintCpu.push_back(processCpuMs() - cpu);
            bareRepaint.push_back(bareMs);
        }
    }
    if (qEnvironmentVariableIsSet("GAMEWINDOW_BENCHMARK_FRAME"))
        image.save(qEnvironmentVariable("GAMEWINDOW_BENCHMARK_FRAME"));

    // Where it goes: the cloth as the view draws it, and the scene's items
    // over a cloth already there.
    std::vector<double> cloth, items, sideBar;

    QImage viewImage(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const QRectF scene = view->mapToScene(view->viewport()->rect()).boundingRect();
    for (int i = 0; i < rounds + 3; ++i) {
        QPainter painter(&viewImage);
        painter.setRenderHints(view->renderHints());
        QElapsedTimer timer;
        timer.start();
        painter.fillRect(viewImage.rect(), window.tableScene().backgroundBrush());
        const double c = timer.nsecsElapsed() / 1e6;
        timer.restart();
        const QBrush brush = window.tableScene().backgroundBrush();
        window.tableScene().setBackgroundBrush(Qt::NoBrush);
        window.tableScene().render(&painter, QRectF(viewImage.rect()), scene);
        window.tableScene().setBackgroundBrush(brush);
        const double it = timer.nsecsElapsed() / 1e6;
        painter.end();
        QImage barImage(window.sideBar()->size(), QImage::Format_ARGB32_Premultiplied);
        timer.restart();
        window.sideBar()->render(&barImage);
        const double bar = timer.nsecsElapsed() / 1e6;
        if (i >= 3) {
            cloth.push_back(c);
            items.push_back(it);
            sideBar.push_back(bar);
        }
    }

    // The deal, frame by frame, in the window's own scene and view; the bare
    // program moves one plain pixmap per flying tile to where the table's
    // tile is at that frame. A first round of each is not counted: it
    // records the flights and fills the caches.
    for (int seatIndex = 1; seatIndex < GameWindow::SeatCount; ++seatIndex)
        window.hiddenHandView(seatIndex)->setTileCount(0);
    QCoreApplication::processEvents();
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    std::vector<double> deal, dealCpu, bareDeal;
    int frames = 0;
    const int steps = DealStartHandAnimation::DurationMs / GameWindowAnimation::TickMs;
    // Per frame, the top-left corner of each flying tile.
    std::vector<std::vector<QPointF>> flights(steps + 1);
    std::vector<QGraphicsPixmapItem *> bareFlying;
    std::map<const TileView *, int> flyingIndex;
    const auto step = [](const std::function<void()> &move) {
        QElapsedTimer timer;
        timer.start();
        move();
        // The scene reports its changes, the view repaints them.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        return timer.nsecsElapsed() / 1e6;
    };
    const int dealRounds = std::max(1, rounds / 10);
    for (int round = 0; round <= dealRounds; ++round) {
        if (round > 0) {
            for (QGraphicsPixmapItem *item : bareFlying)
                item->show();
            for (int f = 0; f <= steps; ++f) {
                const double ms = step([&] {
                    for (std::size_t k = 0; k < bareFlying.size() && k < flights[f].size(); ++k)
                        bareFlying[k]->setPos(flights[f][k]);
                });
                bareDeal.push_back(ms);
            }
            for (QGraphicsPixmapItem *item : bareFlying)
                item->hide();
            QCoreApplication::processEvents();
        }
        DealStartHandAnimation animation(&window);
        animation.start(false);
        animation.timeLine().stop(); // stepped by hand below
        for (int f = 0; f <= steps; ++f) {
            const double cpu = processCpuMs();
            const double ms = step([&] { animation.timeLine().setCurrentTime(f * GameWindowAnimation::TickMs); });
            if (round == 0) {
                for (TileView *tile : shownTiles(window.tableScene(), true)) {
                    if (f == 0) {
                        flyingIndex[tile] = int(bareFlying.size());
                        bareFlying.push_back(bare.addTile(plainPicture(*tile), tile->sceneBoundingRect().topLeft(),
                                                          1000 + double(bareFlying.size())));
                    }
                    flights[f].resize(bareFlying.size());
                    if (const auto k = flyingIndex.find(tile); k != flyingIndex.end())
                        flights[f][k->second] = tile->sceneBoundingRect().topLeft();
                }
                continue;
            }
            deal.push_back(ms);
            dealCpu.push_back(processCpuMs() - cpu);
            ++frames;
        }
        if (round == 0) {
            for (QGraphicsPixmapItem *item : bareFlying)
                item->hide();
            counter.paints = 0;
        }
        animation.finish(true);
        for (int seatIndex = 0; seatIndex < GameWindow::SeatCount; ++seatIndex)
            window.hiddenHandView(seatIndex)->setTileCount(0);
        for (int slot = 0; slot < DealStartHandAnimation::MaxTiles; ++slot)
            window.setDealSlot(slot, nullptr);
        window.onWallStateChanged(); // the wall as the model has it again
        QCoreApplication::processEvents();
    }

    const Figures r = figures(repaint), d = figures(deal), br = figures(bareRepaint), bd = figures(bareDeal);
    std::printf("table window 1920x1080, raster, scale %.3f, view hints 0x%x, view cache %d, %d tiles shown\n",
                graphics.gameScale(), unsigned(view->renderHints()), int(view->cacheMode()), tableTiles);
    std::printf("full repaint, %d rounds: median %.2f ms (%.1fx bare), 90th percentile %.2f ms (%.1fx bare), "
                "worst %.2f ms (goal: median 8 ms)\n",
                rounds, r.median, ratio(r.median, br.median), r.p90, ratio(r.p90, br.p90), r.worst);
    std::printf("  bare Qt window, same view settings and %d tile pixmaps: median %.2f ms, 90th percentile %.2f ms\n",
                tableTiles, br.median, br.p90);
    std::printf("  CPU time (all threads): median %.2f ms, 90th percentile %.2f ms\n", figures(repaintCpu).median,
                figures(repaintCpu).p90);
    std::printf("  uncached, of it: cloth %.2f ms, scene items %.2f ms, side bar %.2f ms (medians)\n",
                figures(cloth).median, figures(items).median, figures(sideBar).median);
    std::printf(
        "deal frame, %d frames (%d painted): median %.2f ms (%.1fx bare), 90th percentile %.2f ms (%.1fx bare), "
        "worst %.2f ms (goal: 90th percentile at most 2x bare)\n",
        frames, counter.paints, d.median, ratio(d.median, bd.median), d.p90, ratio(d.p90, bd.p90), d.worst);
    std::printf(
        "  bare Qt scene, %zu pixmaps moved the same way: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms\n",
        bareFlying.size(), bd.median, bd.p90, bd.worst);
    std::printf("  CPU time (all threads): median %.2f ms, 90th percentile %.2f ms\n", figures(dealCpu).median,
                figures(dealCpu).p90);
    QSettings().clear();
    return 0;
}
