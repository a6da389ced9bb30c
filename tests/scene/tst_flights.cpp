// Tile flights between the real table views: a flight ends exactly where the
// receiving view then draws the tile, and starts where the giving view drew it.

#include "TileTestSupport.h"

#include "scene/DiscardView.h"
#include "scene/GameGraphicsScene.h"
#include "scene/HandTile.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/TileAnimation.h"
#include "scene/TileAnimationSet.h"

#include <QtTest>

#include <memory>

using Side = TileImages::Side;

namespace {

// Far enough apart that no flight starts where it ends.
const QPointF DiscardsAt[4] = {{500, 520}, {760, 420}, {500, 260}, {260, 420}};
const QPointF HandsAt[4] = {{900, 760}, {980, 620}, {300, 60}, {60, 200}};

bool sameRect(const QRectF &a, const QRectF &b)
{
    const double tolerance = 0.5;
    return std::abs(a.left() - b.left()) <= tolerance && std::abs(a.top() - b.top()) <= tolerance
           && std::abs(a.right() - b.right()) <= tolerance && std::abs(a.bottom() - b.bottom()) <= tolerance;
}

QString describe(const QRectF &r)
{
    return QStringLiteral("(%1, %2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Where the flying tile lies at the given step of its flight.
QRectF flyingRect(TileAnimation &flight, double step)
{
    flight.setStep(step);
    return flight.tileItem().sceneBoundingRect();
}

// The thirteen-tile hand every test starts from, with room for draws in
// every position: below the smallest, above the largest, beside equal tiles.
const tile_vector StartHand{2, 4, 4, 9, 13, 17, 20, 22, 23, 23, 27, 30, 31};

} // namespace

class TstFlights : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { tiletest::loadDefaultTileSet(); }

    // Discards 1 to 24 of every seat, from the local hand or a row of backs.
    void discardsLandWhereTheyLie_data()
    {
        QTest::addColumn<int>("side");
        QTest::newRow("bottom") << int(TileImages::Bottom);
        QTest::newRow("right") << int(TileImages::Right);
        QTest::newRow("top") << int(TileImages::Top);
        QTest::newRow("left") << int(TileImages::Left);
    }
    void discardsLandWhereTheyLie()
    {
        QFETCH(int, side);
        GameGraphicsScene scene;
        auto *discards = new DiscardView(Side(side));
        scene.addItem(discards);
        discards->setPos(DiscardsAt[side]);
        auto *hand = new HandView;
        auto *backs = new HiddenHandView(Side(side));
        scene.addItem(hand);
        scene.addItem(backs);
        hand->setPos(HandsAt[0]);
        backs->setPos(HandsAt[side]);
        for (int k = 1; k <= 24; ++k) {
            const tile t = tile((k * 7) % 34);
            TileAnimationSource *source = nullptr;
            QRectF startExpected;
            if (side == TileImages::Bottom) {
                tile_vector tiles = StartHand;
                tiles.push_back(t);
                hand->setTiles(tiles);
                for (const HandTile *item : hand->tileItems()) {
                    if (item->getTile() == t)
                        startExpected = item->sceneBoundingRect();
                }
                source = hand;
            } else {
                backs->setTileCount(14);
                startExpected = backs->tileItems().back()->sceneBoundingRect();
                source = backs;
            }
            TileAnimationSet flight(&scene, source, discards, 200, tile_vector{t});
            flight.start(false);
            QCOMPARE(flight.moving().size(), std::size_t(1));
            TileAnimation &moving = *flight.moving().front();
            const QRectF start = flyingRect(moving, 0.0);
            const QRectF end = flyingRect(moving, 1.0);
            flight.finish(false);
            const QRectF landed = discards->tileItems().back()->sceneBoundingRect();
            QVERIFY2(
                sameRect(end, landed),
                qPrintable(
                    QStringLiteral("discard %1 ends at %2, lies at %3").arg(k).arg(describe(end), describe(landed))));
            if (side != TileImages::Bottom) {
                // From a row of backs the discard shows its face at once: it
                // starts over the back it leaves, centred on it.
                const QPointF off = start.center() - startExpected.center();
                QVERIFY2(off.manhattanLength() <= 1.0,
                         qPrintable(
                             QStringLiteral("discard %1 starts %2, %3 off its back").arg(k).arg(off.x()).arg(off.y())));
            } else {
                QVERIFY2(sameRect(start, startExpected),
                         qPrintable(QStringLiteral("discard %1 starts at %2, lay at %3")
                                        .arg(k)
                                        .arg(describe(start), describe(startExpected))));
            }
        }
        QCOMPARE(discards->tileItems().size(), std::size_t(24));
    }

    // A drawn tile lands on its slot in the sorted hand, wherever it sorts.
    void drawsLandWhereTheyLie_data()
    {
        QTest::addColumn<int>("drawn");
        QTest::newRow("below the smallest") << 0;
        QTest::newRow("above the largest") << 33;
        QTest::newRow("in the middle") << 15;
        QTest::newRow("beside a pair") << 4;
        QTest::newRow("beside one equal") << 9;
        QTest::newRow("third of a kind") << 23;
    }
    void drawsLandWhereTheyLie()
    {
        QFETCH(int, drawn);
        GameGraphicsScene scene;
        auto *hand = new HandView;
        auto *wall = new HiddenHandView(TileImages::Top);
        scene.addItem(hand);
        scene.addItem(wall);
        hand->setPos(HandsAt[0]);
        wall->setPos(HandsAt[2]);
        wall->setTileCount(4);
        hand->setTiles(StartHand);
        TileAnimationSet flight(&scene, wall, hand, 200, tile_vector{tile(drawn)});
        flight.start(false);
        QCOMPARE(flight.moving().size(), std::size_t(1));
        const QRectF end = flyingRect(*flight.moving().front(), 1.0);
        flight.finish(false);
        QCOMPARE(hand->tileItems().size(), StartHand.size() + 1);
        QStringList candidates;
        bool found = false;
        for (const HandTile *item : hand->tileItems()) {
            if (item->getTile() != tile(drawn))
                continue;
            candidates << describe(item->sceneBoundingRect());
            found = found || sameRect(end, item->sceneBoundingRect());
        }
        QVERIFY2(found, qPrintable(QStringLiteral("ends at %1, lies at %2").arg(describe(end), candidates.join(' '))));
    }

    // Two equal tiles drawn at once land on two slots, not on one.
    void equalTilesLandApart()
    {
        GameGraphicsScene scene;
        auto *hand = new HandView;
        auto *wall = new HiddenHandView(TileImages::Top);
        scene.addItem(hand);
        scene.addItem(wall);
        hand->setPos(HandsAt[0]);
        wall->setPos(HandsAt[2]);
        wall->setTileCount(4);
        hand->setTiles({2, 9, 30});
        TileAnimationSet flight(&scene, wall, hand, 200, tile_vector{9, 9});
        flight.start(false);
        QCOMPARE(flight.moving().size(), std::size_t(2));
        const QRectF first = flyingRect(*flight.moving()[0], 1.0);
        const QRectF second = flyingRect(*flight.moving()[1], 1.0);
        flight.finish(false);
        QVERIFY(!sameRect(first, second));
        int landed = 0;
        for (const HandTile *item : hand->tileItems()) {
            if (item->getTile() == 9
                && (sameRect(first, item->sceneBoundingRect()) || sameRect(second, item->sceneBoundingRect())))
                ++landed;
        }
        QCOMPARE(landed, 2);
    }
};

QTEST_MAIN(TstFlights)
#include "tst_flights.moc"
