// The table animations against a stand-in for the table window: tile sets
// between views, the wind markers' spiral and the deal, at game scale 1.0.

#include "TileTestSupport.h"

#include "scene/AnimationHost.h"
#include "scene/AssignWindAnimation.h"
#include "scene/DealStartHandAnimation.h"
#include "scene/DiscardView.h"
#include "scene/GameGraphicsScene.h"
#include "scene/HandTile.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/TileAnimation.h"
#include "scene/TileAnimationSet.h"
#include "scene/TileGraphics.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsSceneMouseEvent>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using Side = TileImages::Side;

namespace {

// A view that lends and receives tiles at fixed places and records what it
// was asked.
class PlacesView : public TileAnimationSource, public TileAnimationTarget
{
public:
    PlacesView(QPointF pos, Side side, TileImages::Use use)
        : m_pos(pos)
        , m_side(side)
        , m_use(use)
    {
    }

    int taken = 0;
    int added = 0;
    tile_vector addedTiles;

protected:
    std::vector<TilePlace> places(int count)
    {
        std::vector<TilePlace> result;
        for (int i = 0; i < count; ++i)
            result.push_back(TilePlace{m_pos + QPointF(40 * i, 0), m_use, m_side});
        return result;
    }
    std::vector<TilePlace> sourcePlaces(int count) override { return places(count); }
    void takeSourceTiles(int count) override { taken += count; }
    std::vector<TilePlace> targetPlaces(int count) override { return places(count); }
    void addTargetTiles(const tile_vector &tiles) override
    {
        addedTiles = tiles;
        added += int(tiles.size());
    }
    void addTargetTiles(int count) override { added += count; }

private:
    QPointF m_pos;
    Side m_side;
    TileImages::Use m_use;
};

// The table window as the animations see it.
class Host : public AnimationHost
{
public:
    explicit Host(int players, int bottomWind)
        : m_players(players)
        , m_bottomWind(bottomWind)
    {
        const QPointF seats[4] = {{400, 700}, {900, 500}, {500, 100}, {100, 300}};
        for (int i = 0; i < 4; ++i) {
            hands[i] = new HiddenHandView(Side(i));
            scene.addItem(hands[i]);
            hands[i]->setPos(seats[i]);
        }
    }

    GameGraphicsScene scene;
    std::array<HiddenHandView *, 4> hands{};
    PlacesView wall{QPointF(300, 300), TileImages::Top, TileImages::WallSingle};
    std::array<std::unique_ptr<TileAnimation>, DealSlotCount> dealSlots;
    bool shown = true;
    QList<int> sounds;

    QGraphicsScene *animationScene() override { return &scene; }
    bool isShownOnScreen() const override { return shown; }
    void playSound(int soundId) override { sounds << soundId; }
    QPointF windPosition(int position) const override
    {
        const QPointF positions[4] = {{0, 100}, {100, 0}, {0, -100}, {-100, 0}};
        return positions[position] + QPointF(500, 400);
    }
    int bottomWind() const override { return m_bottomWind; }
    int seatedPlayers() const override { return m_players; }
    TileAnimationSource *liveWallSource() override { return &wall; }
    HiddenHandView *hiddenHand(int position) override { return hands[position]; }
    void setDealSlot(int index, TileAnimation *animation) override { dealSlots.at(index).reset(animation); }

    int filledSlots() const
    {
        return int(std::count_if(dealSlots.begin(), dealSlots.end(), [](const auto &s) { return s != nullptr; }));
    }

private:
    int m_players;
    int m_bottomWind;
};

} // namespace

class TstAnimations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { tiletest::loadDefaultTileSet(); }

    void turns_data()
    {
        QTest::addColumn<int>("use");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("degrees");
        QTest::newRow("declared 3 to 0") << 0 << 3 << 0 << 90;
        QTest::newRow("declared 0 to 3") << 0 << 0 << 3 << -90;
        QTest::newRow("declared 0 to 2") << 0 << 0 << 2 << 180;
        QTest::newRow("hand 1 to 1") << 3 << 1 << 1 << 0;
        QTest::newRow("back 1 to 0") << 1 << 1 << 0 << 90;
        QTest::newRow("back 0 to 2") << 1 << 0 << 2 << 0;
        QTest::newRow("wall 2 to 1") << 5 << 2 << 1 << 90;
    }

    void turns()
    {
        QFETCH(int, use);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, degrees);
        QCOMPARE(TileAnimation::startTurn(TileImages::Use(use), Side(from), Side(to)), degrees);
    }

    // A known tile from the left side's row to the bottom: it shows the
    // bottom picture at once, turned a quarter so it still looks as seen
    // from the left, and turns back while it flies.
    void knownTilesFly()
    {
        GameGraphicsScene scene;
        PlacesView from(QPointF(100, 200), TileImages::Left, TileImages::Declared);
        PlacesView to(QPointF(500, 600), TileImages::Bottom, TileImages::Declared);
        TileAnimationSet set(&scene, &from, &to, 300, tile_vector{7, 8});
        QSignalSpy finished(&set, &GameWindowAnimation::finished);
        set.start(false);
        QCOMPARE(from.taken, 2);
        QCOMPARE(set.moving().size(), std::size_t(2));
        QCOMPARE(set.timeLine().state(), QTimeLine::Running);
        QCOMPARE(set.timeLine().updateInterval(), 20);
        TileAnimation &a = *set.moving()[1];
        QCOMPARE(a.tileItem().getTile(), tile(8));
        QCOMPARE(a.tileItem().scene(), &scene);
        // Left lying tiles are pictures of 38 x 36, bottom ones 28 x 45:
        // start centre (140 + 19, 200 + 18), end centre (540 + 14, 600 + 22.5).
        a.setStep(0);
        QCOMPARE(a.tileItem().side(), TileImages::Bottom);
        QCOMPARE(a.tileItem().pos(), QPointF(159, 218));
        QCOMPARE(a.tileItem().zValue(), 300.0);
        a.setStep(0.5);
        QCOMPARE(a.tileItem().pos(), QPointF((159 + 554) / 2.0, (218 + 622.5) / 2.0));
        QCOMPARE(a.rotationAt(0.5), 45.0);
        // Scale from the left row's extent (26) to the bottom's (28).
        QCOMPARE(a.horizontalScaleAt(0), 26.0 / 28);
        QCOMPARE(a.horizontalScaleAt(1), 1.0);
        // Centred on its position: the picture's middle is at pos.
        QCOMPARE(a.tileItem().mapToScene(a.tileItem().boundingRect().center()), a.tileItem().pos());
        a.setStep(1);
        QCOMPARE(a.tileItem().pos(), QPointF(554, 622.5));
        QCOMPARE(a.tileItem().transform(), QTransform::fromTranslate(-14, -22.5));

        set.finish(false);
        QCOMPARE(to.addedTiles, (tile_vector{7, 8}));
        QVERIFY(!a.tileItem().isVisible());
        QCOMPARE(set.timeLine().state(), QTimeLine::NotRunning);
        QTest::qWait(400);
        QCOMPARE(finished.count(), 0); // finished early: no notice
    }

    void hiddenTilesAndTheEndNotice()
    {
        GameGraphicsScene scene;
        PlacesView from(QPointF(0, 0), TileImages::Top, TileImages::WallSingle);
        PlacesView to(QPointF(300, 0), TileImages::Right, TileImages::Hidden);
        TileAnimationSet set(&scene, &from, &to, 60, 2);
        QSignalSpy finished(&set, &GameWindowAnimation::finished);
        set.start(false);
        QCOMPARE(set.moving().size(), std::size_t(2));
        QCOMPARE(set.moving()[0]->tileItem().use(), TileImages::DeclaredFaceDown);
        QCOMPARE(set.moving()[0]->tileItem().zValue(), 100.0); // no z for backs
        QVERIFY(finished.wait(2000));
        set.finish(false);
        QCOMPARE(to.added, 2);
    }

    // Animations off: the tiles still move between the views, and nothing
    // is ever shown.
    void finishedAtOnce()
    {
        GameGraphicsScene scene;
        PlacesView from(QPointF(0, 0), TileImages::Bottom, TileImages::Hand);
        PlacesView to(QPointF(0, 0), TileImages::Bottom, TileImages::Declared);
        TileAnimationSet set(&scene, &from, &to, 300, tile_vector{5});
        set.start(true);
        QVERIFY(set.moving().empty());
        QCOMPARE(from.taken, 1);
        set.finish(true);
        QCOMPARE(to.added, 1);
        QVERIFY(scene.items().isEmpty());
    }

    // Whatever goes first, the scene or the animation, nothing is freed
    // twice.
    void sceneMayGoFirst()
    {
        auto scene = std::make_unique<GameGraphicsScene>();
        PlacesView from(QPointF(0, 0), TileImages::Bottom, TileImages::Hand);
        PlacesView to(QPointF(0, 0), TileImages::Right, TileImages::Declared);
        auto set = std::make_unique<TileAnimationSet>(scene.get(), &from, &to, 300, tile_vector{5, 6});
        set->start(false);
        scene.reset();
        QVERIFY(!set->moving()[0]->tileItem().scene());
        set.reset();
    }

    // A click on the hand discards at once: the hand gives up the tile item
    // whose press delivered the click, with animations on and off.
    void discardFromTheHand_data()
    {
        QTest::addColumn<bool>("animated");
        QTest::newRow("animations on") << true;
        QTest::newRow("animations off") << false;
    }

    void discardFromTheHand()
    {
        QFETCH(bool, animated);
        GameGraphicsScene scene;
        auto *hand = new HandView;
        auto *discards = new DiscardView(TileImages::Bottom);
        scene.addItem(hand);
        scene.addItem(discards);
        hand->setPos(500, 700);
        discards->setPos(300, 400);
        hand->setTiles({3, 9, 27});
        hand->setActive(true);
        std::unique_ptr<TileAnimationSet> discard;
        connect(hand, &HandView::tileClicked, hand, [&](tile t) {
            discard = std::make_unique<TileAnimationSet>(&scene, hand, discards, 200, tile_vector{t});
            discard->start(!animated);
            if (!animated)
                discard->finish(true);
        });
        HandTile *leftmost = hand->tileItems().back();
        QGraphicsSceneMouseEvent press(QEvent::GraphicsSceneMousePress);
        press.setScenePos(leftmost->sceneBoundingRect().center());
        press.setButton(Qt::LeftButton);
        press.setButtons(Qt::LeftButton);
        QCoreApplication::sendEvent(&scene, &press);
        QTRY_VERIFY(discard);
        QCOMPARE(hand->tiles(), (tile_vector{27, 9}));
        if (animated) {
            QCOMPARE(discard->moving().size(), std::size_t(1));
            discard->finish(false);
        }
        QCOMPARE(discards->tileItems().size(), std::size_t(1));
        QCOMPARE(discards->tileItems()[0]->getTile(), tile(3));
    }

    void windsSpiralToTheirSeats()
    {
        Host host(4, 0);
        std::array<QGraphicsItem *, 4> markers{};
        for (auto &m : markers) {
            m = new QGraphicsEllipseItem(0, 0, 10, 10);
            host.scene.addItem(m);
        }
        AssignWindAnimation spiral(&host, markers);
        QCOMPARE(spiral.centre(), QPointF(500, 400));
        QCOMPARE(markers[2]->pos(), QPointF(500, 400));
        QCOMPARE(spiral.markerPosAt(0, 0), QPointF(500, 400));
        QCOMPARE(spiral.markerPosAt(0, 1), QPointF(500, 500));
        // A quarter of the way: a quarter turn back, a quarter of the way out.
        const QPointF quarter = spiral.markerPosAt(0, 0.25);
        QVERIFY(qAbs(quarter.x() - 525) < 1e-9 && qAbs(quarter.y() - 400) < 1e-9);
        spiral.timeLine().setCurrentTime(500);
        // Half way: half a turn, half way out.
        QVERIFY(qAbs(markers[1]->pos().x() - 450) < 1e-6 && qAbs(markers[1]->pos().y() - 400) < 1e-6);

        spiral.start(false);
        QCOMPARE(host.sounds, QList<int>{12});
        spiral.finish(false);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(markers[i]->pos(), host.windPosition(i));

        host.shown = false;
        AssignWindAnimation quiet(&host, markers);
        quiet.start(true);
        quiet.finish(true);
        QCOMPARE(host.sounds.size(), 1);
        QCOMPARE(markers[3]->pos(), host.windPosition(3));
    }

    void dealOrder_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("tiles");
        QTest::addColumn<QList<int>>("winds"); // of steps 0, 4, 8, last - 1, last
        QTest::newRow("two") << 2 << 27 << QList<int>{0, 2, 0, 2, 0};
        QTest::newRow("three") << 3 << 40 << QList<int>{0, 1, 2, 2, 0};
        QTest::newRow("four") << 4 << 53 << QList<int>{0, 1, 2, 3, 0};
        QTest::newRow("one") << 1 << 0 << QList<int>{-1, -1, -1, -1, -1};
        QTest::newRow("five") << 5 << 0 << QList<int>{-1, -1, -1, -1, -1};
    }

    void dealOrder()
    {
        QFETCH(int, players);
        QFETCH(int, tiles);
        QFETCH(QList<int>, winds);
        QCOMPARE(DealStartHandAnimation::tileCount(players), tiles);
        const int steps[] = {0, 4, 8, tiles - 2, tiles - 1};
        for (int k = 0; k < 5; ++k)
            QCOMPARE(DealStartHandAnimation::dealWind(players, steps[k]), winds[k]);
        QCOMPARE(DealStartHandAnimation::dealWind(players, tiles), -1);
        // Groups of four, each flight a third of the time.
        QCOMPARE(DealStartHandAnimation::startTime(7), 4 * 0.667 / 53);
        QCOMPARE(DealStartHandAnimation::endTime(52), 52 * 0.667 / 53 + 0.333);

        Host host(players, 3);
        DealStartHandAnimation deal(&host);
        if (tiles == 0)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No deal shown")));
        deal.start(false);
        QCOMPARE(host.filledSlots(), tiles);
        QCOMPARE(host.wall.taken, tiles);
        if (tiles == 0)
            return;
        // The bottom seat is North: East (0) sits to its right.
        TileAnimation &first = *host.dealSlots[0];
        QCOMPARE(first.toSide(), TileImages::Right);
        QCOMPARE(first.fromSide(), TileImages::Top);
        QCOMPARE(first.tileItem().use(), TileImages::WallSingle);
        // Each seat's backs are filled in order: East's fifth tile (step 16
        // for four players, 12 for three, 8 for two) lands on its back 4.
        const int fifth = 4 * players;
        TileAnimation &a = *host.dealSlots[fifth];
        QCOMPARE(a.startTime(), DealStartHandAnimation::startTime(fifth));
        const QSizeF back = TileAnimation::imageSize(TileImages::Hidden, TileImages::Right);
        QCOMPARE(a.posAt(a.endTime()), host.hands[1]->tilePosition(4) + QPointF(back.width() / 2, back.height() / 2));
        a.setStep(a.endTime());
        QCOMPARE(a.tileItem().zValue(), host.hands[1]->tileZ(4));
        a.setStep((a.startTime() + a.endTime()) / 2);
        QCOMPARE(a.tileItem().zValue(), 1000.0 + fifth);
        const TileAnimation &last = *host.dealSlots[tiles - 1];
        QVERIFY(last.endTime() < 1.0);
        QCOMPARE(deal.timeLine().state(), QTimeLine::Running);
        deal.finish(true);
        QCOMPARE(deal.timeLine().state(), QTimeLine::NotRunning);
    }

    void dealFinishedAtOnceShowsNothing()
    {
        Host host(4, 0);
        DealStartHandAnimation deal(&host);
        deal.start(true);
        deal.finish(true);
        QCOMPARE(host.filledSlots(), 0);
        QCOMPARE(host.wall.taken, 0);
    }
};

QTEST_MAIN(TstAnimations)
#include "tst_animations.moc"
