// Declared melds: the tiles of each meld type in row order with their turned
// and face-down tiles (worked out from the claim rules by hand), the row on
// each side, and a seat's rows of melds.

#include "TileTestSupport.h"

#include "game/Meld.h"
#include "scene/DeclaredView.h"
#include "scene/GameGraphicsScene.h"
#include "scene/MeldView.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"

#include <QtTest>

namespace {
constexpr int D = TileImages::Declared, F = TileImages::DeclaredFaceDown, T = TileImages::DeclaredTurned;

std::vector<int> usesOf(const MeldView &meld)
{
    std::vector<int> uses;
    for (const TileView *item : meld.tileItems())
        uses.push_back(item->use());
    return uses;
}

// How far along its row a tile lies, growing in row order on every side.
double along(const TileView *item, int side)
{
    const QPointF p = item->pos();
    switch (side) {
    case 0:
        return p.x();
    case 1:
        return -p.y();
    case 2:
        return -p.x();
    default:
        return p.y();
    }
}
} // namespace

class TstMelds : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { tiletest::loadDefaultTileSet(); }

    void meldTiles_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("visibility");
        QTest::addColumn<tile_vector>("faces");
        QTest::addColumn<std::vector<int>>("uses");
        using U = std::vector<int>;
        QTest::newRow("chow") << 1 << -1 << 0 << 0 << tile_vector{3, 4, 5} << U{D, D, D};
        QTest::newRow("chow low at 0") << 1 << 0 << 0 << 0 << tile_vector{3, 4, 5} << U{T, D, D};
        QTest::newRow("chow low at 1") << 1 << 1 << 0 << 0 << tile_vector{4, 3, 5} << U{D, T, D};
        QTest::newRow("chow low at 2") << 1 << 2 << 0 << 0 << tile_vector{4, 5, 3} << U{D, D, T};
        QTest::newRow("chow middle at 0") << 1 << 0 << 1 << 0 << tile_vector{4, 3, 5} << U{T, D, D};
        QTest::newRow("chow middle at 1") << 1 << 1 << 1 << 0 << tile_vector{3, 4, 5} << U{D, T, D};
        QTest::newRow("chow middle at 2") << 1 << 2 << 1 << 0 << tile_vector{3, 5, 4} << U{D, D, T};
        QTest::newRow("chow high at 0") << 1 << 0 << 2 << 0 << tile_vector{5, 3, 4} << U{T, D, D};
        QTest::newRow("chow high at 1") << 1 << 1 << 2 << 0 << tile_vector{3, 5, 4} << U{D, T, D};
        QTest::newRow("chow high at 2") << 1 << 2 << 2 << 0 << tile_vector{3, 4, 5} << U{D, D, T};
        QTest::newRow("chow, offset 3") << 1 << 1 << 3 << 0 << tile_vector{3, 4, 5} << U{D, D, D};
        QTest::newRow("chow, offset -1") << 1 << 0 << -1 << 0 << tile_vector{3, 4, 5} << U{D, D, D};
        QTest::newRow("chow, position 5") << 1 << 5 << 1 << 0 << tile_vector{3, 4, 5} << U{D, D, D};
        QTest::newRow("pong") << 2 << -1 << 0 << 0 << tile_vector{9, 9, 9} << U{D, D, D};
        QTest::newRow("pong from 1") << 2 << 1 << 0 << 0 << tile_vector{9, 9, 9} << U{D, T, D};
        QTest::newRow("pong concealed") << 2 << -1 << 0 << 1 << tile_vector{9, 9, 9} << U{D, D, F};
        QTest::newRow("pong hidden") << 2 << -1 << 0 << 2 << tile_vector{9, 9, 9} << U{F, F, F};
        QTest::newRow("kong") << 8 << -1 << 0 << 0 << tile_vector{27, 27, 27, 27} << U{D, D, D, D};
        QTest::newRow("kong from 0") << 8 << 0 << 0 << 0 << tile_vector{27, 27, 27, 27} << U{T, D, D, D};
        QTest::newRow("kong from 1") << 8 << 1 << 0 << 0 << tile_vector{27, 27, 27, 27} << U{D, T, D, D};
        QTest::newRow("kong from 2") << 8 << 2 << 0 << 0 << tile_vector{27, 27, 27, 27} << U{D, D, D, T};
        QTest::newRow("kong concealed") << 8 << -1 << 0 << 1 << tile_vector{27, 27, 27, 27} << U{F, D, D, F};
        QTest::newRow("kong hidden") << 8 << -1 << 0 << 2 << tile_vector{27, 27, 27, 27} << U{F, F, F, F};
        QTest::newRow("pong to kong 0") << 4 << 0 << 0 << 0 << tile_vector{31, 31, 31, 31} << U{T, T, D, D};
        QTest::newRow("pong to kong 1") << 4 << 1 << 0 << 0 << tile_vector{31, 31, 31, 31} << U{D, T, T, D};
        QTest::newRow("pong to kong 2") << 4 << 2 << 0 << 0 << tile_vector{31, 31, 31, 31} << U{D, D, T, T};
        QTest::newRow("pair") << 32 << -1 << 0 << 0 << tile_vector{20, 20} << U{D, D};
        QTest::newRow("pair from 1") << 32 << 1 << 0 << 0 << tile_vector{20, 20} << U{D, T};
        QTest::newRow("bonus") << 64 << -1 << 0 << 0 << tile_vector{35} << U{D};
        QTest::newRow("riichi") << 128 << -1 << 0 << 0 << tile_vector{12} << U{D};
    }
    void meldTiles()
    {
        QFETCH(int, type);
        QFETCH(int, position);
        QFETCH(int, offset);
        QFETCH(int, visibility);
        QFETCH(tile_vector, faces);
        QFETCH(std::vector<int>, uses);
        for (int side = 0; side < 4; ++side) {
            MeldView meld(side, type, faces.front() < 9 ? tile(3) : faces.front(), position, offset, visibility);
            QCOMPARE(meld.tiles(), faces);
            QCOMPARE(usesOf(meld), uses);
            // Row order on every side; a tile laid on another shares its
            // place along the row and lies further in.
            const auto &items = meld.tileItems();
            for (std::size_t i = 1; i < items.size(); ++i) {
                if (uses[i] == T && uses[i - 1] == T) {
                    QCOMPARE(along(items[i], side), along(items[i - 1], side));
                    QVERIFY(items[i]->pos() != items[i - 1]->pos());
                } else {
                    QVERIFY2(along(items[i], side) > along(items[i - 1], side), qPrintable(QString::number(side)));
                }
            }
            // Every tile's face lies inside the meld's extent.
            for (const TileView *item : items) {
                const TileMetrics m = item->imageMetrics();
                QVERIFY(meld.extent().contains(QRectF(item->pos(), QSizeF(m.width, m.height))));
            }
        }
    }

    void unhandledTypesThrow()
    {
        for (const int type : {0, 3, 16, 256}) {
            try {
                MeldView meld(0, type, 3, -1, 0, 0);
                QFAIL("no error");
            } catch (const std::runtime_error &e) {
                QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("can't create view for unhandled meld-type"));
            }
        }
        MeldView row(0, MELD_MAHJONG, tile_vector{1, 2, 3, 33, 33});
        QCOMPARE(row.tiles(), (tile_vector{1, 2, 3, 33, 33}));
        QCOMPARE(usesOf(row), (std::vector<int>(5, D)));
    }

    void bonusTilesStayLast()
    {
        GameGraphicsScene scene;
        auto *view = new DeclaredView(0, 420.0);
        scene.addItem(view);
        view->addMeld(MELD_PONG, 9, 1, 0, 0);
        view->addBonusTile(35);
        view->addMeld(MELD_CHOW, 3, 0, 0, 0);
        view->addMeld(MELD_BONUS, 36, -1, 0, 0);
        // A hand's row as the score board shows it, its winning tile marked.
        view->addTileRow({1, 2, 2}, 2);
        std::vector<int> types;
        for (const MeldView *m : view->melds())
            types.push_back(m->meldType());
        QCOMPARE(types, (std::vector<int>{MELD_PONG, MELD_CHOW, MELD_MAHJONG, MELD_BONUS, MELD_BONUS}));
        const MeldView *row = *std::next(view->melds().begin(), 2);
        QCOMPARE(row->tiles(), (tile_vector{1, 2, 2}));
        std::vector<bool> marked;
        for (const TileView *item : row->tileItems())
            marked.push_back(item->isMarked());
        QCOMPARE(marked, (std::vector<bool>{false, true, false}));
        // Laid left to right with half a tile between melds.
        double x = -1;
        for (const MeldView *m : view->melds()) {
            QVERIFY(m->x() > x);
            x = m->x() + m->extent().width();
        }
    }

    void pongBecomesKongInPlace()
    {
        GameGraphicsScene scene;
        auto *view = new DeclaredView(1, 420.0);
        scene.addItem(view);
        view->addMeld(MELD_PONG, 9, 2, 0, 0);
        view->addMeld(MELD_PONG, 20, 0, 0, 0);
        const QPointF before = view->melds().back()->pos();
        view->addMeld(MELD_PONG_TO_KONG, 20, -1, 0, 0);
        QCOMPARE(view->melds().size(), std::size_t(2));
        const MeldView *kong = view->melds().back();
        QCOMPARE(kong->meldType(), int(MELD_PONG_TO_KONG));
        QCOMPARE(kong->pos(), before);
        QCOMPARE(usesOf(*kong), (std::vector<int>{T, T, D, D}));
    }

    void rowsWrapOutwards_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QPointF>("outwards");
        QTest::newRow("bottom") << 0 << QPointF(0, 1);
        QTest::newRow("right") << 1 << QPointF(1, 0);
        QTest::newRow("top") << 2 << QPointF(0, -1);
        QTest::newRow("left") << 3 << QPointF(-1, 0);
    }
    void rowsWrapOutwards()
    {
        QFETCH(int, side);
        QFETCH(QPointF, outwards);
        GameGraphicsScene scene;
        auto *view = new DeclaredView(side, 150.0);
        scene.addItem(view);
        // An empty seat (every seat of a new table) lays out and offers a
        // place for a claimed tile.
        view->relayout();
        const std::vector<TilePlace> empty = static_cast<TileAnimationTarget *>(view)->tilePlaces(2);
        QCOMPARE(empty.size(), std::size_t(2));
        QCOMPARE(empty[0].side, TileImages::Side(side));
        QCOMPARE(empty[0].use, TileImages::Declared);
        view->addMeld(MELD_PONG, 9, -1, 0, 0);
        view->addMeld(MELD_KONG, 18, -1, 0, 0);
        const auto first = view->melds().front(), second = view->melds().back();
        const QPointF step = second->sceneBoundingRect().center() - first->sceneBoundingRect().center();
        // The second meld starts a new row further from the table's centre.
        QVERIFY(QPointF::dotProduct(step, outwards) > 0);
        QVERIFY(!first->sceneBoundingRect().intersects(second->sceneBoundingRect()));
        // The claimed tile flies to where a next meld begins.
        const TilePlace next = static_cast<TileAnimationTarget *>(view)->tilePlaces(1).at(0);
        QVERIFY(next.pos != empty[0].pos);
        view->clear();
        QVERIFY(view->melds().empty());
        QCOMPARE(static_cast<TileAnimationTarget *>(view)->tilePlaces(1).at(0).pos, empty[0].pos);
    }
};

QTEST_MAIN(TstMelds)
#include "tst_melds.moc"
