// The table's views at game scale 1.0: discard rows, hidden hands, the local
// hand, wind markers and riichi sticks, and the drawings they read. The
// expected places are worked out from the tile sizes of the tile sets
// (declared 28 x 35 upright and 38 x 26 on the sides, hidden backs 28 x 20
// (+10 deep on Top) and 21 x 18 (+21), hand tiles 32 wide and 51 high).

#include "PoolStarts.h"
#include "TileTestSupport.h"

#include "game/Wind.h"
#include "scene/DiscardView.h"
#include "scene/GameGraphicsScene.h"
#include "scene/HandTile.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/PrevalentWindView.h"
#include "scene/RiichiStickView.h"
#include "scene/TableGraphicsView.h"
#include "scene/TableArt.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"
#include "scene/WindView.h"

#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSvgItem>
#include <QPainter>
#include <QPixmapCache>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>

using Side = TileImages::Side;

namespace {
void press(QGraphicsScene &scene, const QPointF &at)
{
    QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMousePress);
    event.setScenePos(at);
    event.setButton(Qt::LeftButton);
    event.setButtons(Qt::LeftButton);
    QCoreApplication::sendEvent(&scene, &event);
    QGraphicsSceneMouseEvent release(QEvent::GraphicsSceneMouseRelease);
    release.setScenePos(at);
    release.setButton(Qt::LeftButton);
    QCoreApplication::sendEvent(&scene, &release);
}

void hover(QGraphicsScene &scene, QGraphicsItem *item, QEvent::Type type)
{
    QGraphicsSceneHoverEvent event(type);
    event.setScenePos(item->sceneBoundingRect().center());
    scene.sendEvent(item, &event);
}

QPointF centreOf(const QGraphicsItem *item)
{
    return item->sceneBoundingRect().center();
}
} // namespace

class TstTableViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { tiletest::loadDefaultTileSet(); }

    void drawingsHaveTheirElements()
    {
        QVERIFY(TableArt::hasElements(TableArt::frame(), {"frame", "frameArea"}));
        QVERIFY(TableArt::hasElements(TableArt::riichiStick(), {"stick"}));
        QVERIFY(TableArt::hasElements(TableArt::windIndicators(),
                                      {"east", "south", "west", "north", "blank", "glow", "prevalentEast",
                                       "prevalentSouth", "prevalentWest", "prevalentNorth"}));
        QVERIFY(!QPixmap(QStringLiteral("resources:/last-tile-marker.png")).isNull());
        // A broken drawing is refused, with one warning however often asked.
        QSvgRenderer broken(QByteArray("<svg this is not"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("item is hidden")));
        QVERIFY(!TableArt::hasElements(broken, {"frame"}));
        QVERIFY(!TableArt::hasElements(broken, {"frame"}));
        QSvgRenderer flat(QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><g id=\"frame\"/></svg>"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("\"frame\"; the item is hidden")));
        QVERIFY(!TableArt::hasElements(flat, {"frame"}));
    }

    void discardRows_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QList<QPointF>>("places"); // tiles 0, 5, 6
        QTest::addColumn<QList<double>>("z");
        QTest::addColumn<QPointF>("offset7");
        QTest::addColumn<QList<QPointF>>("riichi"); // tiles 3, 4 with the riichi index 3
        QTest::newRow("bottom") << 0 << QList<QPointF>{{0, -35}, {140, -35}, {0, 0}} << QList<double>{0, 5, 6}
                                << QPointF(0, -35) << QList<QPointF>{{84, -35}, {122, -35}};
        QTest::newRow("right") << 1 << QList<QPointF>{{-38, -26}, {-38, -156}, {0, -26}} << QList<double>{6, 1, 6}
                               << QPointF(-38, 0) << QList<QPointF>{{-38, -113}, {-38, -139}};
        QTest::newRow("top") << 2 << QList<QPointF>{{-28, 0}, {-168, 0}, {-28, -35}} << QList<double>{0, -5, -6}
                             << QPointF(0, 35) << QList<QPointF>{{-122, 9}, {-150, 0}};
        QTest::newRow("left") << 3 << QList<QPointF>{{0, 0}, {0, 130}, {-38, 0}} << QList<double>{0, 5, 0}
                              << QPointF(38, 0) << QList<QPointF>{{10, 78}, {0, 113}};
    }

    void discardRows()
    {
        QFETCH(int, side);
        QFETCH(QList<QPointF>, places);
        QFETCH(QList<double>, z);
        QFETCH(QPointF, offset7);
        QFETCH(QList<QPointF>, riichi);
        GameGraphicsScene scene;
        auto *view = new DiscardView(Side(side));
        scene.addItem(view);
        for (int i = 0; i < 6; ++i)
            view->addTile(tile(i));
        QCOMPARE(view->transform(), QTransform());
        view->addTile(tile(6)); // the seventh starts a row and moves the group
        QCOMPARE(view->transform(), QTransform::fromTranslate(offset7.x(), offset7.y()));
        const auto &items = view->tileItems();
        const int probe[] = {0, 5, 6};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(items[probe[k]]->pos(), places[k]);
            QCOMPARE(items[probe[k]]->zValue(), z[k]);
            QCOMPARE(items[probe[k]]->side(), Side(side));
        }
        QVERIFY(!view->shadowPath().isEmpty());
        QCOMPARE(view->takeLastTile(), tile(6));
        QCOMPARE(view->transform(), QTransform());

        view->setTiles({1, 2, 3, 4, 5, 6, 7}, 3);
        QCOMPARE(view->tileItems()[3]->use(), TileImages::DeclaredTurned);
        QCOMPARE(view->tileItems()[3]->pos(), riichi[0]);
        QCOMPARE(view->tileItems()[4]->pos(), riichi[1]);
        QCOMPARE(view->tileItems()[6]->pos(), places[2]); // next row: no shift
        view->clear();
        QCOMPARE(view->riichiIndex(), -1);
        view->addTile(9);
        QCOMPARE(view->tileItems()[0]->use(), TileImages::Declared);
    }

    void discardEdgeCases()
    {
        GameGraphicsScene scene;
        auto *view = new DiscardView(TileImages::Right);
        scene.addItem(view);
        view->setPos(200, 300);
        TileAnimationTarget &target = *view;
        TileAnimationSource &source = *view;
        // Empty: nothing to read, 255 for "no tile" (0 is one bamboo).
        QCOMPARE(quint8(view->takeLastTile()), quint8(255));
        view->markLastAsRiichi();
        QVERIFY(view->tileItems().empty());
        const std::vector<TilePlace> into = target.tilePlaces(tile_vector{4});
        QCOMPARE(into.size(), std::size_t(1));
        QCOMPARE(into[0].pos, QPointF(200 - 38, 300 - 26));
        QCOMPARE(source.tilePlaces(1)[0].pos, into[0].pos);
        QVERIFY(target.tilePlaces(2).empty());

        for (int i = 0; i < 6; ++i)
            view->addTile(tile(i));
        view->setLastTileMarked(true);
        QVERIFY(view->tileItems().back()->isMarked());
        view->markLastAsRiichi(); // the sixth turns in place, the row stays
        QCOMPARE(view->riichiIndex(), 5);
        QCOMPARE(view->tileItems().back()->use(), TileImages::DeclaredTurned);
        QCOMPARE(view->transform(), QTransform());
        // A discard flies in as a lying tile even when it will lie turned.
        view->markRiichi();
        QCOMPARE(target.tilePlaces(tile_vector{1})[0].use, TileImages::Declared);
        target.addTiles(tile_vector{8, 9}); // only the first is a discard
        QCOMPARE(view->tileItems().size(), std::size_t(7));
        QCOMPARE(view->tileItems().back()->use(), TileImages::DeclaredTurned);
        QCOMPARE(source.tilePlaces(3)[0].pos, view->tileItems().back()->scenePos());
        source.takeTiles(3); // one discard, whatever the count
        QCOMPARE(view->tileItems().size(), std::size_t(6));
    }

    void hiddenHands_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QPointF>("back0");
        QTest::addColumn<QPointF>("back2");
        QTest::addColumn<double>("z2");
        QTest::newRow("bottom") << 0 << QPointF(-28, 0) << QPointF(-84, 0) << 0.0;
        QTest::newRow("right") << 1 << QPointF(0, 0) << QPointF(0, 36) << 2.0;
        QTest::newRow("top") << 2 << QPointF(0, -30) << QPointF(56, -30) << 0.0;
        QTest::newRow("left") << 3 << QPointF(-21, -18) << QPointF(-21, -54) << -2.0;
    }

    void hiddenHands()
    {
        QFETCH(int, side);
        QFETCH(QPointF, back0);
        QFETCH(QPointF, back2);
        QFETCH(double, z2);
        GameGraphicsScene scene;
        auto *view = new HiddenHandView(Side(side));
        scene.addItem(view);
        view->setPos(500, 400);
        view->setTileCount(13);
        QCOMPARE(view->tileItems()[0]->pos(), back0);
        QCOMPARE(view->tileItems()[2]->pos(), back2);
        QCOMPARE(view->tileItems()[2]->zValue(), z2);
        QCOMPARE(view->tileItems()[2]->use(), TileImages::Hidden);
        QCOMPARE(view->tilePosition(2), QPointF(500, 400) + back2);
        QVERIFY(!view->shadowPath().isEmpty());

        TileAnimationSource &source = *view;
        TileAnimationTarget &target = *view;
        const std::vector<TilePlace> taken = source.tilePlaces(2);
        QCOMPARE(taken.size(), std::size_t(2));
        QCOMPARE(taken[0].pos, view->tilePosition(12));
        QCOMPARE(taken[1].pos, view->tilePosition(11));
        const std::vector<TilePlace> added = target.tilePlaces(tile_vector{1, 2});
        QCOMPARE(added[0].pos, view->tilePosition(13));
        QCOMPARE(added[1].pos, view->tilePosition(14));
        QCOMPARE(added[1].side, Side(side));

        source.takeTiles(2);
        QCOMPARE(view->tileCount(), 11);
        target.addTiles(3);
        QCOMPARE(view->tileCount(), 14);
        // Never more than 14 backs, never fewer than none.
        QTest::ignoreMessage(QtWarningMsg, "Ignoring a hidden hand of 15 tiles");
        target.addTiles(1);
        QTest::ignoreMessage(QtWarningMsg, "Ignoring a hidden hand of -1 tiles");
        view->setTileCount(-1);
        QTest::ignoreMessage(QtWarningMsg, "Ignoring a hidden hand of -6 tiles");
        source.takeTiles(20);
        QCOMPARE(view->tileCount(), 14);
        view->setTileCount(0);
        QVERIFY(view->shadowPath().isEmpty());
    }

    void handLayoutAndTray()
    {
        GameGraphicsScene scene;
        auto *hand = new HandView;
        scene.addItem(hand);
        hand->setPos(600, 700);
        QCOMPARE(HandView::tileAdvance(), 32);
        QCOMPARE(HandView::handTileHeight(), 51);
        QCOMPARE(HandView::handRowHeight(), 59);
        QCOMPARE(HandView::baseHandRowHeight(), 59);
        QVERIFY(!hand->frameItem().isVisible());

        hand->setTiles({22, 3, 9, 3, 14});
        // Item 0 at the right end shows the largest tile.
        QCOMPARE(hand->tiles(), (tile_vector{22, 14, 9, 3, 3}));
        QCOMPARE(hand->tileItems()[0]->pos(), QPointF(-32, 0));
        QCOMPARE(hand->tileItems()[4]->pos(), QPointF(-160, 0));
        QCOMPARE(hand->leftmostTilePos(), QPointF(600 - 64, 700));
        // The tray spans half a tile beyond both ends, a sixth of a tile below
        // the tiles' top, one tile high.
        const QSvgRenderer &r = TableArt::frame();
        const QRectF area = r.boundsOnElement("frameArea").translated(-r.boundsOnElement("frame").topLeft());
        const QGraphicsSvgItem &frame = hand->frameItem();
        QVERIFY(frame.isVisible());
        QCOMPARE(frame.zValue(), -1.0);
        QCOMPARE(frame.mapToParent(area.topLeft()), QPointF(-(5 * 32 + 16), 51 / 6));
        QCOMPARE(frame.mapToParent(area.bottomRight()), QPointF(16, 51 / 6 + 51));

        // Animation places are top-left corners: the item takeTiles removes
        // (the leftmost of equal tiles), or the slot where a new tile sorts in.
        TileAnimationSource &source = *hand;
        const std::vector<TilePlace> places = source.tilePlaces(tile_vector{3, 10, 30});
        QCOMPARE(places[0].pos, QPointF(600 - 5 * 32, 700));
        QCOMPARE(places[1].pos, QPointF(600 - 3 * 32, 700)); // after 22 and 14
        QCOMPARE(places[2].pos, QPointF(600 - 32, 700));
        QCOMPARE(places[0].use, TileImages::Hand);
        QVERIFY(source.tilePlaces(2).empty());

        source.takeTiles(tile_vector{3, 7});
        QCOMPARE(hand->tiles(), (tile_vector{22, 14, 9, 3}));
        TileAnimationTarget &target = *hand;
        target.addTiles(tile_vector{5});
        QCOMPARE(hand->tiles(), (tile_vector{22, 14, 9, 5, 3}));
        target.addTiles(4);
        QCOMPARE(hand->tileItems().size(), std::size_t(5));
        hand->markTile(3);
        hand->markTile(3); // no second 3 left to mark
        QCOMPARE(hand->tileItems()[4]->isMarked(), true);
        hand->clearMarks();
        QVERIFY(!hand->tileItems()[4]->isMarked());
        hand->clear();
        QVERIFY(!hand->frameItem().isVisible());
    }

    void handHoverAndClicks()
    {
        GameGraphicsScene scene;
        auto *hand = new HandView;
        scene.addItem(hand);
        hand->setPos(400, 300);
        int sounds = 0;
        hand->setHoverSound([&] { ++sounds; });
        QSignalSpy clicked(hand, &HandView::tileClicked);
        hand->setTiles({1, 2, 3});
        HandTile *tile1 = hand->tileItems()[2];

        // Inactive: nothing enabled, lifted or clicked.
        QVERIFY(!tile1->isEnabled());
        hover(scene, tile1, QEvent::GraphicsSceneHoverEnter);
        QCOMPARE(tile1->raise(), 0);
        press(scene, centreOf(tile1));
        QTest::qWait(1);
        QCOMPARE(clicked.count(), 0);

        hand->setActive(true);
        QVERIFY(tile1->isEnabled());
        hover(scene, tile1, QEvent::GraphicsSceneHoverEnter);
        hover(scene, tile1, QEvent::GraphicsSceneHoverEnter);
        QCOMPARE(tile1->raise(), 5);
        QCOMPARE(tile1->transform(), QTransform::fromTranslate(0, -5));
        QCOMPARE(sounds, 1);
        hover(scene, tile1, QEvent::GraphicsSceneHoverLeave);
        QCOMPARE(tile1->transform(), QTransform());

        // Allowed tiles only; a click arrives once the press has returned.
        hand->setAllowedTiles({2});
        QVERIFY(!tile1->isEnabled());
        press(scene, centreOf(tile1));
        press(scene, centreOf(hand->tileItems()[1]));
        QCOMPARE(clicked.count(), 0);
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).value<tile>(), tile(2));

        // Turning off clears the allowed list; on again allows every tile.
        hand->setActive(false);
        hand->setActive(true);
        QVERIFY(tile1->isEnabled());
    }

    // The receiver of a click takes the tile away at once, and with it the
    // item whose press handler delivered the click.
    void clickedTileCanBeTakenAtOnce()
    {
        GameGraphicsScene scene;
        auto *hand = new HandView;
        scene.addItem(hand);
        hand->setTiles({4, 8, 12});
        hand->setActive(true);
        connect(hand, &HandView::tileClicked, hand,
                [hand](tile t) { static_cast<TileAnimationSource &>(*hand).takeTiles(tile_vector{t}); });
        QSignalSpy clicked(hand, &HandView::tileClicked);
        press(scene, centreOf(hand->tileItems().back())); // the leftmost, deleted first
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(hand->tiles(), (tile_vector{12, 8}));
    }

    void windMarkers()
    {
        WindView marker(TileImages::Right);
        QVERIFY(marker.isVisible());
        QCOMPARE(marker.toolTip(), QStringLiteral("East"));
        marker.setScale(0.5);
        QCOMPARE(marker.boundingRect(), QRectF(0, 0, 31, 31));
        marker.setScale(0.51);
        QCOMPARE(marker.width(), 32);
        marker.setWind(2);
        QCOMPARE(marker.toolTip(), QStringLiteral("West"));
        QTest::ignoreMessage(QtWarningMsg, "Ignoring wind 4 for a seat marker");
        marker.setWind(4);
        QTest::ignoreMessage(QtWarningMsg, "Ignoring wind -1 for a seat marker");
        marker.setWind(-1);
        QCOMPARE(marker.wind(), 2);
        QCOMPARE(WindView::elementSize(), QSizeF(64, 64));

        // Drawn: the token, its letter and, when active, the glow around it.
        marker.setScale(1.0);
        auto paint = [&marker] {
            QImage img(62, 62, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter p(&img);
            marker.paint(&p, nullptr, nullptr);
            return img;
        };
        const QImage quiet = paint();
        QVERIFY(qAlpha(quiet.pixel(31, 31)) == 255);
        QCOMPARE(qAlpha(quiet.pixel(1, 31)), 0);
        marker.setActive(true);
        QVERIFY(qAlpha(paint().pixel(1, 31)) > 0);
        QPixmap cached;
        QVERIFY(QPixmapCache::find(QStringLiteral("detailPainter:glow:3ff0000000000000:1"), &cached));
        QCOMPARE(cached.size(), QSize(62, 62));

        PrevalentWindView prevailing;
        QCOMPARE(prevailing.toolTip(), translatedPrevalentWindName(0));
        prevailing.setWind(3);
        QCOMPARE(prevailing.toolTip(), translatedPrevalentWindName(3));
        QTest::ignoreMessage(QtWarningMsg, "Ignoring prevailing wind 7");
        prevailing.setWind(7);
        QCOMPARE(prevailing.wind(), 3);
        prevailing.setScale(2);
        QCOMPARE(prevailing.height(), 124);
    }

    // Rendering a drawing in a paint stalls a frame: the markers render every
    // picture they may show when they are given their scale (the table
    // window does so when it is made and laid out), and a paint renders
    // nothing, even when the pixmap cache was emptied since.
    void windMarkersRenderBeforeTheyArePainted_data()
    {
        QTest::addColumn<int>("side"); // -1: the prevailing wind
        QTest::addColumn<double>("scale");
        QTest::newRow("seat marker, bottom, 1.0") << 0 << 1.0;
        QTest::newRow("seat marker, left, 1.3125") << 3 << 1.3125;
        QTest::newRow("prevailing wind, 1.96875") << -1 << 1.96875;
    }

    void windMarkersRenderBeforeTheyArePainted()
    {
        QFETCH(int, side);
        QFETCH(double, scale);
        quint64 bits = 0;
        std::memcpy(&bits, &scale, sizeof bits);
        QStringList keys;
        const QStringList elements = side < 0 ? QStringList{"prevalentEast", "prevalentSouth", "prevalentWest",
                                                            "prevalentNorth"}
                                              : QStringList{"blank", "east", "south", "west", "north", "glow"};
        for (const QString &e : elements)
            keys << QStringLiteral("detailPainter:%1:%2:%3").arg(e).arg(bits, 0, 16).arg(std::max(side, 0));
        const auto cached = [&keys] {
            int n = 0;
            QPixmap p;
            for (const QString &key : keys)
                n += QPixmapCache::find(key, &p) ? 1 : 0;
            return n;
        };
        QPixmapCache::clear();
        std::unique_ptr<QGraphicsItem> marker;
        if (side < 0) {
            auto *prevailing = new PrevalentWindView;
            prevailing->setWind(2);
            prevailing->setScale(scale);
            marker.reset(prevailing);
        } else {
            auto *seat = new WindView(TileImages::Side(side));
            seat->setWind(1);
            seat->setActive(true);
            seat->setScale(scale);
            marker.reset(seat);
        }
        QCOMPARE(cached(), int(keys.size()));

        QPixmapCache::clear();
        const QSize size = marker->boundingRect().size().toSize();
        QImage img(size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        marker->paint(&p, nullptr, nullptr);
        p.end();
        QCOMPARE(cached(), 0);
        // On a window's surface, in a repaint of two pieces, the pictures
        // are copied by no thread.
        QImage surface(size, QImage::Format_RGB32);
        p.begin(&surface);
        p.setClipRegion(QRegion(0, 0, size.width() / 2, size.height())
                        + QRegion(size.width() / 2 + 1, 0, size.width() / 2 - 1, size.height() / 2));
        const long starts = poolStarts();
        marker->paint(&p, nullptr, nullptr);
        p.end();
        QCOMPARE(poolStarts() - starts, 0L);
        QCOMPARE(qAlpha(img.pixel(size.width() / 2, size.height() / 2)), 255);
    }

    void riichiSticks_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QPointF>("stick1"); // where stick 1 lies, turned with the seat
        // 15 pixels thick, 120 long (the drawing is 160 x 20).
        QTest::newRow("bottom") << 0 << QPointF(-120, 15);
        QTest::newRow("right") << 1 << QPointF(15, 120);
        QTest::newRow("top") << 2 << QPointF(120, -15);
        QTest::newRow("left") << 3 << QPointF(-15, -120);
    }

    void riichiSticks()
    {
        QFETCH(int, side);
        QFETCH(QPointF, stick1);
        RiichiStickView view{Side(side)};
        view.setStickCount(2);
        const auto sticks = view.stickItems();
        QCOMPARE(sticks.size(), std::size_t(2));
        QCOMPARE(sticks[1]->pos(), stick1);
        QCOMPARE(sticks[1]->scale(), 0.75);
        QCOMPARE(sticks[1]->elementId(), QStringLiteral("stick"));
        // The stick ends at the view's origin.
        const QRectF drawn = sticks[0]->mapRectToParent(sticks[0]->boundingRect());
        QCOMPARE(qMax(qAbs(drawn.width()), qAbs(drawn.height())), 120.0);
        view.setStickCount(1);
        QCOMPARE(view.stickItems(), sticks);
        QVERIFY(!sticks[1]->isVisible());
        view.setStickCount(2);
        QCOMPARE(view.stickItems(), sticks);
        QVERIFY(sticks[1]->isVisible());
        view.setScale(2.0);
        QCOMPARE(sticks[1]->scale(), 1.5);
    }

    void trayLooksAsCachedAndWakesNoThreads_data()
    {
        QTest::addColumn<int>("tiles");
        QTest::addColumn<QPointF>("pos");
        QTest::addColumn<double>("zoom");
        QTest::newRow("14 tiles") << 14 << QPointF(600, 700) << 1.0;
        QTest::newRow("13 tiles, between pixels") << 13 << QPointF(600.5, 700.25) << 1.0;
        QTest::newRow("1 tile") << 1 << QPointF(300, 200) << 1.0;
        QTest::newRow("14 tiles, zoomed") << 14 << QPointF(420, 300) << 1.6;
    }

    // The hand's tray, drawn from its own banded picture, shows what Qt's
    // device coordinate cache of the same drawing shows, and neither its
    // first paint nor one after the hand's width changed starts a thread.
    void trayLooksAsCachedAndWakesNoThreads()
    {
        QFETCH(int, tiles);
        QFETCH(QPointF, pos);
        QFETCH(double, zoom);
        QGraphicsScene handScene(0, 0, 1000, 800);
        QGraphicsScene cachedScene(0, 0, 1000, 800);
        auto *hand = new HandView;
        handScene.addItem(hand);
        hand->setPos(pos);
        auto *cached = new QGraphicsSvgItem;
        cached->setSharedRenderer(&TableArt::frame());
        cached->setElementId(QStringLiteral("frame"));
        cached->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
        cachedScene.addItem(cached);
        const auto shown = [zoom](QGraphicsScene &scene) {
            QGraphicsView view(&scene);
            view.setFrameShape(QFrame::NoFrame);
            view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            view.setTransformationAnchor(QGraphicsView::NoAnchor);
            view.resize(1000, 800);
            view.setTransform(QTransform::fromScale(zoom, zoom));
            view.setBackgroundBrush(QColor(30, 90, 60));
            QImage image(view.viewport()->size(), QImage::Format_RGB32);
            image.fill(Qt::magenta);
            view.viewport()->render(&image);
            return image;
        };
        for (const int n : {tiles + 1, tiles}) {
            tile_vector handTiles;
            for (int k = 0; k < n; ++k)
                handTiles.push_back(tile(k % 27));
            hand->setTiles(handTiles);
            for (HandTile *item : hand->tileItems())
                item->hide();
            cached->setTransform(hand->frameItem().sceneTransform());
            const long before = poolStarts();
            const QImage banded = shown(handScene);
            QCOMPARE(poolStarts() - before, 0L);
            QCOMPARE(banded, shown(cachedScene));
        }
    }

    // The table's view copies its kept cloth one rectangle at a time; what
    // it shows must be what a view with Qt's background cache shows, for a
    // whole repaint and for a region of several rectangles, also after the
    // cloth or the view's size changed.
    void tableViewShowsTheCachedCloth()
    {
        QImage cloth(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < cloth.height(); ++y)
            for (int x = 0; x < cloth.width(); ++x)
                cloth.setPixel(x, y, qRgb(20 + x * 3, 60 + y * 2, (x * y) % 255));
        QBrush brush(cloth);
        brush.setTransform(QTransform::fromScale(1.7, 1.3));
        QGraphicsScene scene(0, 0, 320, 200);
        scene.setBackgroundBrush(brush);
        scene.addRect(QRectF(40.5, 30.5, 50, 70), QPen(Qt::yellow), QBrush(QColor(200, 30, 30, 128)));
        scene.addEllipse(QRectF(200, 90, 80, 60), Qt::NoPen, QBrush(QColor(20, 20, 220, 160)));
        QGraphicsView cached(&scene);
        TableGraphicsView table;
        table.setScene(&scene);
        for (QGraphicsView *view : {&cached, static_cast<QGraphicsView *>(&table)}) {
            view->setFrameShape(QFrame::NoFrame);
            view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            view->resize(320, 200);
        }
        cached.setCacheMode(QGraphicsView::CacheBackground);
        const auto shown = [](QGraphicsView &view, const QRegion &region) {
            QImage image(view.viewport()->size(), QImage::Format_RGB32);
            image.fill(Qt::magenta);
            view.viewport()->render(&image, QPoint(), region);
            return image;
        };
        const QRegion pieces = QRegion(10, 10, 60, 40) + QRegion(150, 80, 120, 90) + QRegion(0, 180, 320, 20);
        for (int step = 0; step < 3; ++step) {
            if (step == 1) {
                brush.setTransform(QTransform::fromScale(0.8, 2.1));
                scene.setBackgroundBrush(brush);
            } else if (step == 2) {
                cached.resize(300, 190);
                table.resize(300, 190);
            }
            const QRegion whole(cached.viewport()->rect());
            QCOMPARE(shown(table, whole), shown(cached, whole));
            QCOMPARE(shown(table, pieces), shown(cached, pieces));
        }
    }
};

QTEST_MAIN(TstTableViews)
#include "tst_tableviews.moc"
