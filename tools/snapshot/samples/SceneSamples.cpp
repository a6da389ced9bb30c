#include "../Sample.h"

#include "scene/DiscardView.h"
#include "scene/GameGraphicsScene.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/PrevalentWindView.h"
#include "scene/RiichiStickView.h"
#include "scene/TileGraphics.h"
#include "scene/WindView.h"

#include <QCoreApplication>
#include <QGraphicsView>

namespace
{
using Side = TileImages::Side;

constexpr QSize TableSize(1024, 768);
const QPointF Centre(512, 384);

// A view on a fresh table scene with the felt under it; the view owns the
// scene.
QGraphicsView *tableView(GameGraphicsScene *&scene)
{
    TileGraphics &graphics = TileGraphics::instance();
    graphics.setTileSet(0, 0);
    // The tool ends without an event loop: let the re-rendering finish.
    while (graphics.hasWorker())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    auto *view = new QGraphicsView;
    scene = new GameGraphicsScene(view);
    scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(TableSize)));
    scene->setBackgroundBrush(QPixmap(QStringLiteral("resources:/game-bg-pattern.jpg")));
    view->setScene(scene);
    view->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setFrameShape(QFrame::NoFrame);
    return view;
}

void addDiscards(GameGraphicsScene *scene)
{
    const QPointF places[4] = {Centre + QPointF(-84, 190), Centre + QPointF(190, 84), Centre + QPointF(84, -190),
                               Centre + QPointF(-190, -84)};
    const tile_vector tiles{0, 9, 18, 27, 31, 33, 4, 13, 22, 28, 35};
    for (int side = 0; side < 4; ++side) {
        auto *discards = new DiscardView(Side(side));
        scene->addItem(discards);
        discards->setPos(places[side]);
        discards->setTiles(tile_vector(tiles.begin(), tiles.begin() + 7 + side), side == 1 ? 3 : side == 2 ? 7 : -1);
        discards->setLightPosition(Centre);
        if (side == 3)
            discards->setLastTileMarked(true);
    }
}

void addHiddenHands(GameGraphicsScene *scene, bool bottomToo)
{
    const QPointF places[4] = {Centre + QPointF(210, 330), {930, 150}, Centre + QPointF(-182, -330), {94, 620}};
    for (int side = bottomToo ? 0 : 1; side < 4; ++side) {
        auto *hand = new HiddenHandView(Side(side));
        scene->addItem(hand);
        hand->setPos(places[side]);
        hand->setTileCount(13 - side);
        hand->setLightPosition(Centre);
    }
}

HandView *addHand(GameGraphicsScene *scene)
{
    auto *hand = new HandView;
    scene->addItem(hand);
    hand->setPos(Centre.x() + 7 * HandView::tileAdvance(), 680);
    hand->setTiles({0, 1, 2, 12, 13, 14, 20, 20, 27, 27, 27, 31, 32, 33});
    hand->setActive(true);
    hand->setAllowedTiles({12, 13, 14, 20, 27, 31, 32, 33});
    hand->markTile(33);
    return hand;
}

void addWinds(GameGraphicsScene *scene)
{
    const QPointF markers[4] = {Centre + QPointF(200, 200), Centre + QPointF(200, -262),
                                Centre + QPointF(-262, -262), Centre + QPointF(-262, 200)};
    const QPointF sticks[4] = {Centre + QPointF(60, 245), Centre + QPointF(245, -60), Centre + QPointF(-60, -245),
                               Centre + QPointF(-245, 60)};
    for (int side = 0; side < 4; ++side) {
        auto *wind = new WindView(Side(side));
        scene->addItem(wind);
        wind->setPos(markers[side]);
        wind->setWind((side + 1) % 4);
        wind->setActive(side == 3);
        auto *riichi = new RiichiStickView(Side(side));
        scene->addItem(riichi);
        riichi->setPos(sticks[side]);
        riichi->setStickCount(side + 1);
    }
    auto *prevailing = new PrevalentWindView;
    scene->addItem(prevailing);
    prevailing->setScale(1.5);
    prevailing->setWind(1);
    prevailing->setPos(Centre - QPointF(prevailing->width() / 2.0, prevailing->height() / 2.0));
}
} // namespace

MAHJONG_SAMPLE(sceneDiscards, {QStringLiteral("scene-discards"), TableSize, [] {
                                   GameGraphicsScene *scene = nullptr;
                                   QGraphicsView *view = tableView(scene);
                                   addDiscards(scene);
                                   return view;
                               }});
MAHJONG_SAMPLE(sceneHiddenHands, {QStringLiteral("scene-hidden-hands"), TableSize, [] {
                                      GameGraphicsScene *scene = nullptr;
                                      QGraphicsView *view = tableView(scene);
                                      addHiddenHands(scene, true);
                                      return view;
                                  }});
MAHJONG_SAMPLE(sceneHand, {QStringLiteral("scene-hand"), TableSize, [] {
                               GameGraphicsScene *scene = nullptr;
                               QGraphicsView *view = tableView(scene);
                               addHand(scene);
                               return view;
                           }});
MAHJONG_SAMPLE(sceneWinds, {QStringLiteral("scene-winds-and-sticks"), TableSize, [] {
                                GameGraphicsScene *scene = nullptr;
                                QGraphicsView *view = tableView(scene);
                                addWinds(scene);
                                return view;
                            }});
MAHJONG_SAMPLE(sceneTable, {QStringLiteral("scene-table"), TableSize, [] {
                                GameGraphicsScene *scene = nullptr;
                                QGraphicsView *view = tableView(scene);
                                addDiscards(scene);
                                addHiddenHands(scene, false);
                                addHand(scene);
                                addWinds(scene);
                                return view;
                            }});
