#include "../Sample.h"

#include "game/Meld.h"
#include "protocol/ServerTime.h"
#include "protocol/TableInfo.h"
#include "scene/CompactCityView.h"
#include "scene/DeclaredView.h"
#include "scene/DiscardView.h"
#include "scene/GameGraphicsScene.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/Matrix4.h"
#include "scene/MeldView.h"
#include "scene/Object3DView.h"
#include "scene/PlayerActionView.h"
#include "scene/PrevalentWindView.h"
#include "scene/RiichiStickView.h"
#include "scene/SquareCityView.h"
#include "scene/TileGraphics.h"
#include "scene/TimerView.h"
#include "scene/WindView.h"

#include <QCoreApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

#include <cmath>

namespace {
using Side = TileImages::Side;

constexpr QSize TableSize(1024, 768);
const QPointF Centre(512, 384);

// A view on a fresh table scene with the felt under it; the view owns the
// scene.
QGraphicsView *tableView(GameGraphicsScene *&scene)
{
    useTiles();
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
    const QPointF markers[4] = {Centre + QPointF(200, 200), Centre + QPointF(200, -262), Centre + QPointF(-262, -262),
                                Centre + QPointF(-262, 200)};
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
// The wall of a ruleset after the deal: the square wall in the middle, the
// compact one below it. The city views live as long as the scene.
void addWalls(GameGraphicsScene *scene, int ruleset)
{
    TableInfo info(1, QStringLiteral("101"));
    info.setRuleset(ruleset);
    const int dealt = 53;
    const int live = info.liveWallTiles() - dealt, dead = info.deadWallTiles();
    auto *city = new SquareCityView(scene);
    city->setParent(scene);
    city->setTableInfo(info);
    city->setLightPosition(Centre);
    city->setWallState(1, live, dead, 11, ruleset == 0 ? 2 : 1, {31});
    if (ruleset == 2)
        city->addDora(9);
    city->layoutWalls((Centre - QPointF(city->width() / 2.0, city->boundingRect().height() / 2.0 + 40)).toPoint());
    auto *compact = new CompactCityView(scene);
    compact->setParent(scene);
    compact->setTableInfo(info);
    compact->setLightPosition(Centre);
    compact->setWallState(1, live, dead, 11, 1, {31});
    compact->relayout();
    compact->setPos(QPoint(int(Centre.x()) - compact->width() / 2, 680));
}

// Melds of every kind on the four seats, and bonus tiles.
void addMelds(GameGraphicsScene *scene)
{
    using M = DeclaredView::Meld;
    const std::vector<M> sets[4] = {
        {M{MELD_CHOW, 3, 1, 2, 0}, M{MELD_PONG, 27, 2, 0, 0}, M{MELD_KONG, 31, -1, 0, 1}},
        {M{MELD_PONG, 20, 0, 0, 0}, M{MELD_KONG, 12, 1, 0, 0}, M{MELD_PAIR, 33, -1, 0, 0}},
        {M{MELD_CHOW, 18, 0, 0, 0}, M{MELD_KONG, 5, -1, 0, 2}, M{MELD_PONG, 29, -1, 0, 2}},
        {M{MELD_PONG, 32, 1, 0, 0}, M{MELD_CHOW, 10, -1, 0, 0}},
    };
    const QPointF places[4] = {Centre + QPointF(-250, 250), Centre + QPointF(300, 230), Centre + QPointF(250, -250),
                               Centre + QPointF(-300, -230)};
    for (int side = 0; side < 4; ++side) {
        auto *view = new DeclaredView(side, side % 2 ? 460.0 : 420.0);
        scene->addItem(view);
        view->setPos(places[side]);
        view->setLightPosition(Centre);
        view->setMelds(sets[side], side == 0 ? tile_vector{34, 39} : tile_vector{});
    }
    // The right seat's pong becomes a kong, the left seat draws a flower
    // after its melds.
    for (QGraphicsItem *item : scene->items()) {
        if (auto *view = qgraphicsitem_cast<DeclaredView *>(item)) {
            if (view->side() == TileImages::Right)
                view->addMeld(MELD_PONG_TO_KONG, 20, -1, 0, 0);
            if (view->side() == TileImages::Left) {
                view->addBonusTile(36);
                view->addMeld(MELD_PONG, 2, 2, 0, 0);
            }
        }
    }
    auto *row = new MeldView(0, MELD_MAHJONG, tile_vector{0, 1, 2, 13, 14, 15, 22, 22, 22, 30, 30, 30, 33, 33});
    scene->addItem(row);
    row->setPos(Centre - QPointF(row->extent().width() / 2, row->extent().height() / 2));
}

// Every banner of a ruleset's table: the four seats' corner placement round
// the middle, the rest centred in a grid.
void addBanners(GameGraphicsScene *scene, int ruleset)
{
    const struct
    {
        int action, kind;
    } actions[] = {{MELD_CHOW, 0},    {MELD_PONG, 0},    {MELD_KONG, 0},  {MELD_MAHJONG, 2},
                   {MELD_MAHJONG, 3}, {MELD_MAHJONG, 1}, {MELD_RIICHI, 0}};
    const QPointF corners[4] = {Centre + QPointF(-20, 120), Centre + QPointF(160, -20), Centre + QPointF(20, -120),
                                Centre + QPointF(-160, 20)};
    for (int side = 0; side < 4; ++side) {
        auto *banner = new PlayerActionView(side);
        scene->addItem(banner);
        banner->setRuleset(ruleset);
        banner->setPos(corners[side]);
        banner->setScale(0.6);
        banner->showAction(actions[side].action, actions[side].kind);
    }
    for (int i = 0; i < 7; ++i) {
        auto *banner = new PlayerActionView(0);
        scene->addItem(banner);
        banner->setRuleset(ruleset);
        banner->setPlacement(PlayerActionView::CentredPlacement);
        banner->setScale(0.6);
        banner->setPos(i < 4 ? QPointF(150 + 240 * i, 80) : QPointF(270 + 240 * (i - 4), 640));
        banner->showAction(actions[i].action, actions[i].kind);
    }
    const QString notices[2] = {QStringLiteral("textimages:/timeout.png"), QStringLiteral("textimages:/furiten.png")};
    for (int i = 0; i < 2; ++i) {
        auto *item = new QGraphicsPixmapItem(QPixmap(notices[i]));
        item->setTransformationMode(Qt::SmoothTransformation);
        scene->addItem(item);
        item->setPos(i == 0 ? 40.0 : TableSize.width() - 40.0 - item->boundingRect().width(), 700);
    }
}

QWidget *timerPanel()
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("timerSamples"));
    panel->setStyleSheet(QStringLiteral("#timerSamples { background: #114c3a; } QLabel { color: #f3e9c6; }"));
    panel->setAttribute(Qt::WA_StyledBackground);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setSpacing(12);
    const QDateTime now = ServerTime::instance().now();
    const struct
    {
        const char *label;
        const char *style;
        int secondsLeft, secondsTotal;
    } timers[] = {
        {QT_TRANSLATE_NOOP("TimerSamples", "Pie, 3/4 left"), "qproperty-displayType: DEC_PIE;", 15, 20},
        {QT_TRANSLATE_NOOP("TimerSamples", "Pie, 1/4 left"), "qproperty-displayType: DEC_PIE;", 5, 20},
        {QT_TRANSLATE_NOOP("TimerSamples", "Colour, shadow 5"),
         "qproperty-displayType: DEC_PIE; qproperty-pieType: PIE_COLOR; qproperty-solidColor: #c9b77a; "
         "qproperty-shadowOffset: 5;",
         12, 20},
        {QT_TRANSLATE_NOOP("TimerSamples", "Counter"),
         "qproperty-displayType: DEC_COUNTER; color: #f3e9c6; "
         "font: bold 22pt;",
         1234, 2000},
        {QT_TRANSLATE_NOOP("TimerSamples", "Counter, 9 s"),
         "qproperty-displayType: DEC_COUNTER; color: #f3e9c6; "
         "font: bold 22pt;",
         9, 20},
        {QT_TRANSLATE_NOOP("TimerSamples", "Ended"), "qproperty-displayType: DEC_PIE;", 0, 20},
    };
    int column = 0;
    for (const auto &t : timers) {
        auto *timer = new TimerView(panel);
        timer->setStyleSheet(QStringLiteral("TimerView { %1 }").arg(QLatin1String(t.style)));
        timer->setFixedSize(96, 96);
        timer->ensurePolished();
        timer->setTimeSpan(TimeSpan(now.addSecs(t.secondsLeft - t.secondsTotal), now.addSecs(t.secondsLeft)));
        grid->addWidget(timer, 0, column, Qt::AlignCenter);
        auto *label = new QLabel(QCoreApplication::translate("TimerSamples", t.label), panel);
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, 1, column);
        ++column;
    }
    return panel;
}

// The hidden cube, textured with tile faces and turned a little.
void addCube(GameGraphicsScene *scene)
{
    QImage texture(256, 128, QImage::Format_ARGB32_Premultiplied);
    texture.fill(QColor(0xf3, 0xe9, 0xc6));
    {
        QPainter p(&texture);
        p.scale(2, 2);
        TileGraphics::instance().unscaledPainter().drawHandTile(p, QPoint(16, 8), 31, false, true);
        TileGraphics::instance().unscaledPainter().drawHandTile(p, QPoint(80, 8), 27, false, true);
    }
    auto *cube = new Object3DView(Object3DView::Triangles);
    scene->addItem(cube);
    cube->setPos(Centre);
    cube->setBrush(QBrush(texture));
    using P = Object3DView::Point4;
    const P c[8] = {P{-1, -1, -1, 1}, P{1, -1, -1, 1}, P{1, 1, -1, 1}, P{-1, 1, -1, 1},
                    P{-1, -1, 1, 1},  P{1, -1, 1, 1},  P{1, 1, 1, 1},  P{-1, 1, 1, 1}};
    // Faces as corner quadruples, wound so that their fronts face outwards.
    const int faces[6][4] = {{0, 1, 2, 3}, {5, 4, 7, 6}, {4, 0, 3, 7}, {1, 5, 6, 2}, {4, 5, 1, 0}, {3, 2, 6, 7}};
    QVector<P> vertices;
    QVector<QPointF> uv;
    for (int f = 0; f < 6; ++f) {
        const int *q = faces[f];
        const double x0 = f % 2 ? 128 : 0;
        vertices << c[q[0]] << c[q[1]] << c[q[2]] << c[q[0]] << c[q[2]] << c[q[3]];
        uv << QPointF(x0, 0) << QPointF(x0 + 128, 0) << QPointF(x0 + 128, 128) << QPointF(x0, 0)
           << QPointF(x0 + 128, 128) << QPointF(x0, 128);
    }
    cube->setVertices(vertices);
    cube->setTextureCoordinates(uv);
    const double a = 0.6, b = 0.45;
    const Matrix4::Values turnY{std::cos(a), 0, -std::sin(a), 0, 0, 1, 0, 0,
                                std::sin(a), 0, std::cos(a),  0, 0, 0, 0, 1};
    const Matrix4::Values turnX{1, 0, 0, 0, 0, std::cos(b), std::sin(b), 0, 0, -std::sin(b), std::cos(b),
                                0, 0, 0, 0, 1};
    Matrix4::Values scale;
    Matrix4::setScaledIdentity(scale, 90);
    // A weak perspective: w grows with depth.
    Matrix4::Values perspective{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0.002, 0, 0, 0, 1};
    cube->setMatrix(Matrix4::multiplied(Matrix4::multiplied(Matrix4::multiplied(turnY, turnX), scale), perspective));
    auto *edges = new Object3DView(Object3DView::Lines);
    scene->addItem(edges);
    edges->setPos(Centre + QPointF(300, 0));
    QVector<P> lines;
    for (int f = 0; f < 6; ++f)
        for (int k = 0; k < 4; ++k)
            lines << c[faces[f][k]] << c[faces[f][(k + 1) % 4]];
    edges->setVertices(lines);
    edges->setPen(QPen(QColor(0xc9, 0xb7, 0x7a), 2));
    edges->setMatrix(Matrix4::multiplied(Matrix4::multiplied(turnY, turnX), scale));
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
MAHJONG_SAMPLE(sceneWallClassic, {QStringLiteral("scene-wall-classic"), TableSize, [] {
                                      GameGraphicsScene *scene = nullptr;
                                      QGraphicsView *view = tableView(scene);
                                      addWalls(scene, 0);
                                      return view;
                                  }});
MAHJONG_SAMPLE(sceneWallInternational, {QStringLiteral("scene-wall-international"), TableSize, [] {
                                            GameGraphicsScene *scene = nullptr;
                                            QGraphicsView *view = tableView(scene);
                                            addWalls(scene, 1);
                                            return view;
                                        }});
MAHJONG_SAMPLE(sceneWallRiichi, {QStringLiteral("scene-wall-riichi"), TableSize, [] {
                                     GameGraphicsScene *scene = nullptr;
                                     QGraphicsView *view = tableView(scene);
                                     addWalls(scene, 2);
                                     return view;
                                 }});
MAHJONG_SAMPLE(sceneMelds, {QStringLiteral("scene-melds"), TableSize, [] {
                                GameGraphicsScene *scene = nullptr;
                                QGraphicsView *view = tableView(scene);
                                addMelds(scene);
                                return view;
                            }});
MAHJONG_SAMPLE(sceneBanners, {QStringLiteral("scene-banners"), TableSize, [] {
                                  GameGraphicsScene *scene = nullptr;
                                  QGraphicsView *view = tableView(scene);
                                  addBanners(scene, 1);
                                  return view;
                              }});
MAHJONG_SAMPLE(sceneBannersRiichi, {QStringLiteral("scene-banners-riichi"), TableSize, [] {
                                        GameGraphicsScene *scene = nullptr;
                                        QGraphicsView *view = tableView(scene);
                                        addBanners(scene, 2);
                                        return view;
                                    }});
MAHJONG_SAMPLE(sceneTimers, {QStringLiteral("scene-timers"), {}, [] { return timerPanel(); }});
MAHJONG_SAMPLE(sceneCube, {QStringLiteral("scene-cube"), TableSize, [] {
                               GameGraphicsScene *scene = nullptr;
                               QGraphicsView *view = tableView(scene);
                               addCube(scene);
                               return view;
                           }});
