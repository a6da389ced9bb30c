// The wall from the model's counts. Each ruleset is played from a full wall
// to an empty one by random draws through the wall's animation sources,
// beside a model of the physical wall: a run of tiles around the ring that
// live draws shorten at one end and dead-wall draws at the other (Riichi,
// International), or whose drawn stack loses a tile (Classic, whose dead
// wall is topped up from the live wall). Every state must show the model's
// tiles, turned by the bottom seat's wind, and name the stacks the next
// draws take.

#include "TileTestSupport.h"

#include "game/RulesetInfo.h"
#include "protocol/TableInfo.h"
#include "scene/CompactCityView.h"
#include "scene/GameGraphicsScene.h"
#include "scene/SquareCityView.h"
#include "scene/TileAnimationSource.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"
#include "scene/WallView.h"

#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>
#include <limits>

namespace {
constexpr int Empty = TileImages::Unused, One = TileImages::WallSingle, Two = TileImages::WallDouble,
              Three = TileImages::WallTriple, Dora = TileImages::WallDora;

int tilesOn(int use)
{
    return use == Empty ? 0 : use == One ? 1 : use == Three ? 3 : 2;
}

TableInfo table(int ruleset)
{
    TableInfo info(1, QStringLiteral("101"));
    info.setRuleset(ruleset);
    return info;
}

// The uses of the global stacks, read from the four rows.
std::vector<int> globalStacks(const SquareCityView &city, int bottomWind)
{
    const int perSide = city.stacksPerSide();
    std::vector<int> uses(4 * perSide);
    for (int g = 0; g < 4 * perSide; ++g) {
        const int row = ((g / perSide - bottomWind) % 4 + 4) % 4;
        uses[g] = city.wall(row)->stackItems()[g % perSide]->use();
    }
    return uses;
}

int floorMod(int a, int n)
{
    return (a % n + n) % n;
}
} // namespace

class TstWallViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { tiletest::loadDefaultTileSet(); }

    void stacksPerRuleset_data()
    {
        QTest::addColumn<int>("ruleset");
        QTest::addColumn<int>("perSide");
        QTest::newRow("Classic") << 0 << 18;
        QTest::newRow("International") << 1 << 18;
        QTest::newRow("Riichi") << 2 << 17;
    }
    void stacksPerRuleset()
    {
        QFETCH(int, ruleset);
        QFETCH(int, perSide);
        GameGraphicsScene scene;
        SquareCityView city(&scene);
        city.setTableInfo(table(ruleset));
        QCOMPARE(city.stacksPerSide(), perSide);
        for (int side = 0; side < 4; ++side)
            QCOMPARE(city.wall(side)->stackCount(), perSide);
        // Before any state every stack holds two tiles.
        QVERIFY(!city.hasWallState());
        for (const int use : globalStacks(city, 0))
            QCOMPARE(use, Two);
        // The centred square of 17 is as wide as the bottom row and two side
        // rows; the pinwheel of 18 as one of each.
        const int w = city.wall(0)->width() + (perSide < 18 ? 2 : 1) * city.wall(1)->width();
        QCOMPARE(city.width(), w);
        QCOMPARE(city.boundingRect().height(), city.height() + city.stackOffset());
    }

    // Classic, 130 live and 14 dead from stack 4: six double stacks 4-9
    // with the loose tiles on 5 and 8, stack 10 bare (its two tiles are the
    // loose ones), then 65 live stacks from 11 round to 3.
    void classicFullWall()
    {
        GameGraphicsScene scene;
        SquareCityView city(&scene);
        city.setTableInfo(table(0));
        city.setWallState(0, 130, 14, 4, 0, {5});
        std::vector<int> expected(72, Two);
        expected[5] = expected[8] = Three;
        expected[10] = Empty;
        QCOMPARE(globalStacks(city, 0), expected);
        QCOMPARE(city.liveNextStack(), 3);
        QCOMPARE(city.deadNextStack(), 5);
    }

    // Riichi, 122 live and 14 dead from stack 4: the dead wall on 4-10 with
    // the dora indicator face up on its third stack, the live wall 11 round
    // to 3, whose stack 3 the next draw takes (not stack 4, the dead wall's
    // first).
    void riichiFullWall()
    {
        GameGraphicsScene scene;
        SquareCityView city(&scene);
        city.setTableInfo(table(2));
        city.setWallState(0, 122, 14, 4, 0, {22});
        std::vector<int> expected(68, Two);
        expected[6] = Dora;
        QCOMPARE(globalStacks(city, 0), expected);
        QCOMPARE(city.wall(0)->stackItems()[6]->getTile(), tile(22));
        QCOMPARE(city.liveNextStack(), 3);
        QCOMPARE(city.deadNextStack(), 4);
        // Other rulesets show no dora indicator.
        SquareCityView classic(&scene);
        classic.setTableInfo(table(1));
        classic.setWallState(0, 144, 0, 4, 0, {22});
        for (const int use : globalStacks(classic, 0))
            QVERIFY(use != Dora);
    }

    void bottomWindTurnsTheWall()
    {
        GameGraphicsScene scene;
        SquareCityView city(&scene);
        city.setTableInfo(table(1));
        // Only the east segment's first stacks are empty.
        city.setWallState(2, 140, 0, 2, 0, {});
        const WallView *top = city.wall(TileImages::Top);
        const WallView *bottom = city.wall(TileImages::Bottom);
        QCOMPARE(top->stackItems()[0]->use(), Empty);
        QCOMPARE(top->stackItems()[1]->use(), Empty);
        QCOMPARE(top->stackItems()[2]->use(), Two);
        for (const TileView *stack : bottom->stackItems())
            QCOMPARE(stack->use(), Two);
        // The live wall ends on stack 71 (north, on the right); the dead end
        // is the east segment's stack 2, at the top.
        const TilePlace live = city.nextPlace(false);
        const WallView *right = city.wall(TileImages::Right);
        QCOMPARE(live.side, TileImages::Right);
        QCOMPARE(live.pos, right->scenePos() + right->stackPos(17));
        QCOMPARE(live.use, TileImages::WallSingle);
        const TilePlace dead = city.nextPlace(true);
        QCOMPARE(dead.side, TileImages::Top);
        QCOMPARE(dead.pos, top->scenePos() + top->stackPos(2));
    }

    void drawsFollowTheWall_data()
    {
        QTest::addColumn<int>("ruleset");
        QTest::addColumn<int>("deadPosition");
        QTest::addColumn<int>("bottomWind");
        for (int ruleset = 0; ruleset < 3; ++ruleset) {
            for (const int pos : {0, 4, 13, 35, 71}) {
                for (int wind = 0; wind < 4; ++wind) {
                    QTest::addRow("ruleset %d, dead wall at %d, bottom wind %d", ruleset, pos, wind)
                        << ruleset << pos << wind;
                }
            }
        }
    }
    void drawsFollowTheWall()
    {
        QFETCH(int, ruleset);
        QFETCH(int, deadPosition);
        QFETCH(int, bottomWind);
        GameGraphicsScene scene;
        SquareCityView city(&scene);
        city.setTableInfo(table(ruleset));
        const RulesetInfo &info = rulesetInfo(ruleset);
        const int n = 4 * city.stacksPerSide();
        const int pos = deadPosition % n;
        city.setWallState(bottomWind, info.liveWall(), info.deadWall(), pos, 0, {});

        // The physical run of tiles: [first, end) around a ring of 2n.
        int first = 2 * pos, end = 2 * pos + info.liveWall() + info.deadWall();
        const bool run = ruleset != RULESET_CLASSIC;
        QRandomGenerator random(quint32(ruleset * 1000 + pos * 10 + bottomWind));
        std::vector<int> before = globalStacks(city, bottomWind);
        qint32 live = info.liveWall(), deadCount = info.deadWall(), dealt = 0;
        int draws = 0;
        while (true) {
            int shown = 0;
            for (const int use : before)
                shown += tilesOn(use);
            if (shown == 0)
                break;
            if (run) {
                std::vector<int> model(n, Empty);
                for (int h = first; h < end; ++h) {
                    int &use = model[floorMod(h, 2 * n) / 2];
                    use = use == Empty ? One : Two;
                }
                QCOMPARE(before, model);
                QCOMPARE(city.liveNextStack(), floorMod(end - 1, 2 * n) / 2);
                QCOMPARE(city.deadNextStack(), floorMod(first, 2 * n) / 2);
            }
            // No draw from an empty live wall, none from an empty Classic
            // dead wall.
            const bool dead = live <= 0 || ((ruleset != RULESET_CLASSIC || deadCount > 0) && random.bounded(6) == 0);
            updateWallCounts(ruleset, 1, dead, live, deadCount, dealt);
            const int predicted = dead ? city.deadNextStack() : city.liveNextStack();
            const TilePlace place = city.animationSource(dead)->tilePlaces(1).at(0);
            const int perSide = city.stacksPerSide();
            const WallView *row = city.wall(floorMod(predicted / perSide - bottomWind, 4));
            QCOMPARE(place.side, row->side());
            QCOMPARE(place.pos, row->scenePos() + row->stackPos(predicted % perSide));

            city.animationSource(dead)->takeTiles(1);
            ++draws;
            (dead ? first : end) += dead ? 1 : -1;
            const std::vector<int> after = globalStacks(city, bottomWind);
            int left = 0;
            for (const int use : after)
                left += tilesOn(use);
            QCOMPARE(left, shown - 1);
            // The stack named before the draw is the one it took from.
            QVERIFY2(tilesOn(after[predicted]) < tilesOn(before[predicted]),
                     qPrintable(QStringLiteral("draw %1 (%2) from stack %3").arg(draws).arg(dead).arg(predicted)));
            before = after;
        }
        QCOMPARE(draws, info.liveWall() + info.deadWall());
    }

    // A draw redraws only the row and the stack it changed: after a deal,
    // draws from both ends, a new dora and a new bottom seat, the wall and
    // its shade look as a wall built afresh from the same counts.
    void drawnWallLooksAsBuiltAfresh_data()
    {
        QTest::addColumn<int>("ruleset");
        QTest::newRow("Classic") << 0;
        QTest::newRow("International") << 1;
        QTest::newRow("Riichi") << 2;
    }
    void drawnWallLooksAsBuiltAfresh()
    {
        QFETCH(int, ruleset);
        const QRectF area(0, 0, 420, 420);
        const auto build = [&](GameGraphicsScene &scene, SquareCityView &city) {
            scene.setSceneRect(area);
            city.setTableInfo(table(ruleset));
            city.layoutWalls(QPoint(30, 30));
            city.setLightPosition(area.center());
        };
        const auto picture = [&](GameGraphicsScene &scene) {
            QImage image(area.size().toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            scene.render(&p, area, area);
            return image;
        };
        GameGraphicsScene scene;
        SquareCityView city(&scene);
        build(scene, city);
        const RulesetInfo &info = rulesetInfo(ruleset);
        qint32 live = info.liveWall(), dead = info.deadWall(), dealt = 0;
        int wind = 1;
        tile_vector doras{7};
        city.setWallState(wind, live, dead, 9, dealt, doras);
        picture(scene); // the shade as first drawn, kept from here on
        const auto draw = [&](int count, bool fromDead) {
            for (int i = 0; i < count; ++i) {
                city.animationSource(fromDead)->takeTiles(1);
                updateWallCounts(ruleset, 1, fromDead, live, dead, dealt);
            }
        };
        const std::function<void()> steps[] = {
            [&] { draw(53, false); },
            [&] { draw(1, true); },
            [&] {
            doras.push_back(12);
            city.addDora(12);
            },
            [&] { draw(5, false); },
            [&] {
            wind = 3;
            city.setWallState(wind, live, dead, 9, dealt, doras);
        },
                                    [&] { draw(2, true); },
                                    };
        for (std::size_t s = 0; s < std::size(steps); ++s) {
            steps[s]();
            picture(scene);
            GameGraphicsScene freshScene;
            SquareCityView fresh(&freshScene);
            build(freshScene, fresh);
            fresh.setWallState(wind, live, dead, 9, dealt, doras);
            for (int side = 0; side < 4; ++side) {
                const WallView *row = city.wall(side), *built = fresh.wall(side);
                for (int k = 0; k < row->stackCount(); ++k) {
                    const TileView *stack = row->stackItems()[k], *want = built->stackItems()[k];
                    QCOMPARE(stack->use(), want->use());
                    QCOMPARE(stack->pos(), want->pos());
                    if (want->use() == TileImages::WallDora)
                        QCOMPARE(stack->getTile(), want->getTile());
                }
                QCOMPARE(row->shadowPath(), built->shadowPath());
                QCOMPARE(row->boundingRect(), built->boundingRect());
            }
            const QImage shown = picture(scene), want = picture(freshScene);
            int wrong = 0;
            for (int y = 0; y < want.height(); ++y)
                for (int x = 0; x < want.width(); ++x)
                    wrong += qAbs(qRed(shown.pixel(x, y)) - qRed(want.pixel(x, y))) > 2;
            QVERIFY2(wrong == 0, qPrintable(QStringLiteral("step %1: %2 pixels differ").arg(s).arg(wrong)));
        }
    }

    void realEmptyWallIsNotAFreshOne()
    {
        GameGraphicsScene scene;
        SquareCityView city(&scene);
        city.setTableInfo(table(1));
        city.setWallState(1, 0, 0, 0, 0, {});
        QVERIFY(city.hasWallState());
        for (const int use : globalStacks(city, 1))
            QCOMPARE(use, Empty);
        city.clearWallState();
        for (const int use : globalStacks(city, 1))
            QCOMPARE(use, Two);
    }

    void serverCountsCostNothing()
    {
        GameGraphicsScene scene;
        SquareCityView city(&scene);
        CompactCityView compact(&scene);
        const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
        for (int ruleset = 0; ruleset < 4; ++ruleset) {
            city.setTableInfo(table(ruleset));
            compact.setTableInfo(table(ruleset));
            city.setWallState(-7, big, small, small, big, tile_vector(500, 3));
            compact.setWallState(-7, small, big, small, big, tile_vector(500, 3));
            for (const int use : globalStacks(city, -7 + 8))
                QVERIFY(use >= One && use <= Dora);
            city.animationSource(true)->takeTiles(big);
            QVERIFY(city.animationSource(false)->tilePlaces(big).size() <= 144);
        }
    }

    // The window may drop the scene or the walls first; walls held as the
    // scene's children go with it.
    void sceneMayGoFirst()
    {
        auto *scene = new GameGraphicsScene;
        SquareCityView square(scene);
        CompactCityView compact(scene);
        auto *child = new SquareCityView(scene);
        child->setParent(scene);
        QPointer<SquareCityView> watch(child);
        delete scene;
        QVERIFY(watch.isNull());
        square.setTableInfo(table(2));
        QCOMPARE(square.stacksPerSide(), 17);
        SquareCityView alone(nullptr);
        alone.setWallState(0, 10, 0, 0, 0, {});
    }

    void compactWall_data()
    {
        QTest::addColumn<int>("ruleset");
        QTest::addColumn<int>("live");
        QTest::addColumn<int>("dead");
        QTest::addColumn<int>("dealt");
        QTest::addColumn<std::vector<int>>("stacks");
        QTest::addColumn<QString>("counter");
        // Riichi: the dead wall on stacks 0-6 with the dora on 2, then the
        // next four live tiles.
        QTest::newRow("Riichi full") << 2 << 122 << 14 << 0
                                     << std::vector<int>{Two, Two, Dora, Two, Two, Two, Two, Two, Two}
                                     << QStringLiteral("122");
        QTest::newRow("Riichi one dealt, 3 live")
            << 2 << 3 << 14 << 1 << std::vector<int>{One, Two, Dora, Two, Two, Two, Two, Two, One}
            << QStringLiteral("3");
        // Classic: six stacks with the loose tiles on 1 and 4.
        QTest::newRow("Classic full") << 0 << 130 << 14 << 0
                                      << std::vector<int>{Two, Three, Two, Two, Three, Two, Empty, Two, Two}
                                      << QStringLiteral("130");
        QTest::newRow("Classic 13 dead") << 0 << 128 << 13 << 2
                                         << std::vector<int>{Two, Two, Two, Two, Three, Two, Empty, Two, Two}
                                         << QStringLiteral("128");
        QTest::newRow("Classic 5 dead") << 0 << 0 << 5 << 9
                                        << std::vector<int>{Two, Two, One, Empty, Empty, Empty, Empty, Empty, Empty}
                                        << QStringLiteral("0");
        QTest::newRow("International full") << 1 << 144 << 0 << 0 << std::vector<int>(9, Two) << QStringLiteral("144");
        QTest::newRow("International 3 left")
            << 1 << 3 << 0 << 7 << std::vector<int>{Two, One, Empty, Empty, Empty, Empty, Empty, Empty, Empty}
            << QStringLiteral("3");
        QTest::newRow("International exhausted")
            << 1 << 0 << 0 << 8 << std::vector<int>(9, Empty) << QStringLiteral("0");
    }
    void compactWall()
    {
        QFETCH(int, ruleset);
        QFETCH(int, live);
        QFETCH(int, dead);
        QFETCH(int, dealt);
        QFETCH(std::vector<int>, stacks);
        QFETCH(QString, counter);
        GameGraphicsScene scene;
        CompactCityView city(&scene);
        city.setTableInfo(table(ruleset));
        QCOMPARE(city.counter()->text(), QString());
        for (const TileView *stack : city.wall()->stackItems())
            QCOMPARE(stack->use(), Two);
        city.setWallState(3, live, dead, 9, dealt, {7});
        std::vector<int> shown;
        for (const TileView *stack : city.wall()->stackItems())
            shown.push_back(stack->use());
        QCOMPARE(shown, stacks);
        QCOMPARE(city.counter()->text(), counter);
        QCOMPARE(city.counterShadow()->text(), counter);
        const TilePlace next = city.nextPlace(false);
        QCOMPARE(next.pos, city.wall()->scenePos() + city.wall()->stackPos(8));
    }

    void compactDrawsCount()
    {
        GameGraphicsScene scene;
        CompactCityView city(&scene);
        city.setTableInfo(table(1));
        city.setWallState(0, 20, 0, 0, 0, {});
        city.animationSource(false)->takeTiles(3);
        QCOMPARE(city.counter()->text(), QStringLiteral("17"));
        city.animationSource(true)->takeTiles(1);
        QCOMPARE(city.counter()->text(), QStringLiteral("16"));
    }
};

QTEST_MAIN(TstWallViews)
#include "tst_wallviews.moc"
