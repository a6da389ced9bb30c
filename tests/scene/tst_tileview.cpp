// The tile item: geometry, tool tip, shadow data, repaint rules, painting by
// use, and following its painter's images.

#include "TileTestSupport.h"

#include "game/Tile.h"
#include "scene/TileGraphics.h"
#include "scene/TileImages.h"
#include "scene/TileView.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
QImage paintItem(TileView &item, const QSize &size = QSize(80, 90), const QPoint &at = QPoint(20, 20))
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.translate(at);
    item.paint(&p, nullptr, nullptr);
    p.end();
    return img;
}

QImage paintWith(const std::function<void(QPainter &)> &draw, const QSize &size = QSize(80, 90),
                 const QPoint &at = QPoint(20, 20))
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.translate(at);
    draw(p);
    p.end();
    return img;
}

double meanLuminance(const QImage &img)
{
    double sum = 0;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) == 255) {
                sum += qGray(c);
                ++n;
            }
        }
    return n ? sum / n : 0;
}

bool isEmpty(const QImage &img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 0)
                return false;
    return true;
}
} // namespace

class TstTileView : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cwd;

    static const TileImages &images() { return *TileGraphics::instance().scaledPainter().images(); }

private slots:
    void initTestCase()
    {
        tiletest::useEmbeddedResources();
        QVERIFY(QDir::setCurrent(m_cwd.path()));
        TileGraphics::instance().setTileSet(0, 0);
        QVERIFY(QTest::qWaitFor([] { return !TileGraphics::instance().hasWorker(); }, 60000));
        QVERIFY(images().isValid());
    }

    void constructionAppliesUse()
    {
        TileView hand(TileImages::Bottom, TileImages::Hand, 24);
        QCOMPARE(hand.use(), 3);
        QCOMPARE(hand.getTile(), tile(24));
        QCOMPARE(hand.cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(hand.toolTip(), tileName(24));
        QCOMPARE(hand.boundingRect(), images().rect(TileImages::Bottom, TileImages::Hand));
        const QVariant shadow = hand.data(1);
        QCOMPARE(shadow.metaType().name(), "ShadowGeometry");
        QVERIFY(shadow.value<ShadowGeometry>() == images().shadow(TileImages::Bottom, TileImages::Hand));

        TileView wall(TileImages::Left, TileImages::WallTriple);
        QCOMPARE(wall.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(wall.getTile(), tile(0));
        QCOMPARE(wall.imageMetrics(), images().metrics(TileImages::Left, TileImages::WallTriple));
        QCOMPARE(&wall.tilePainter(), &TileGraphics::instance().scaledPainter());

        // Items are told apart by type, not by a dynamic_cast.
        QGraphicsItem *item = &wall;
        QCOMPARE(qgraphicsitem_cast<TileView *>(item), &wall);
        QVERIFY(!qgraphicsitem_cast<QGraphicsRectItem *>(item));
    }

    void toolTips()
    {
        TileView item(TileImages::Right, TileImages::Declared, 33);
        QCOMPARE(item.toolTip(), QStringLiteral("White Dragon"));
        for (const auto use : {TileImages::DeclaredFaceDown, TileImages::DeclaredTurned, TileImages::WallDora}) {
            item.setUse(use);
            QCOMPARE(item.toolTip(), tileName(33));
        }
        for (const auto use : {TileImages::Hidden, TileImages::WallSingle, TileImages::WallDouble,
                               TileImages::WallTriple, TileImages::Unused}) {
            item.setUse(use);
            QVERIFY2(item.toolTip().isEmpty(), qPrintable(QString::number(use)));
        }
        item.setUse(TileImages::Declared);
        item.setTile(CONCEALED_TILE);
        QCOMPARE(item.toolTip(), tileName(CONCEALED_TILE));
    }

    void unusedHasNoShadow()
    {
        TileView item(TileImages::Top, TileImages::Unused);
        QVERIFY(!item.data(1).isValid());
        item.setUse(TileImages::Declared);
        QVERIFY(item.data(1).isValid());
        item.setSide(TileImages::Left);
        QVERIFY(item.data(1).value<ShadowGeometry>() == images().shadow(TileImages::Left, TileImages::Declared));
        QCOMPARE(item.boundingRect(), images().rect(TileImages::Left, TileImages::Declared));
    }

    void markedHandTileMakesRoomForTheMarker()
    {
        TileView item(TileImages::Bottom, TileImages::Hand, 3);
        const QRectF plain = item.boundingRect();
        const qreal marker = QImage(QStringLiteral("resources:/last-tile-marker.png")).height() * images().scale();
        QVERIFY(marker > 0);
        item.setMarked(true);
        QCOMPARE(item.boundingRect(), plain.adjusted(0, -marker, 0, 0));
        item.setMarked(false);
        QCOMPARE(item.boundingRect(), plain);
        // Lying tiles show the highlight instead and keep their rectangle.
        TileView lying(TileImages::Bottom, TileImages::Declared, 3);
        const QRectF r = lying.boundingRect();
        lying.setMarked(true);
        QCOMPARE(lying.boundingRect(), r);
    }

    void sameValuesScheduleNoRepaint()
    {
        QGraphicsScene scene;
        auto *item = new TileView(TileImages::Bottom, TileImages::Declared, 5);
        scene.addItem(item);
        QSignalSpy changed(&scene, &QGraphicsScene::changed);
        QTest::qWait(20);
        changed.clear();
        item->setTile(5);
        item->setUse(TileImages::Declared);
        item->setSide(TileImages::Bottom);
        item->setMarked(false);
        QTest::qWait(20);
        QCOMPARE(changed.count(), 0);
        item->setTile(6);
        QVERIFY(changed.wait(1000));
    }

    void paintingByUse()
    {
        const TilePainter &painter = TileGraphics::instance().scaledPainter();
        // A face-up concealed tile is drawn face down; marked adds the
        // highlight at the item's origin.
        TileView lying(TileImages::Top, TileImages::Declared, CONCEALED_TILE);
        QCOMPARE(paintItem(lying), paintWith([&](QPainter &p) { painter.drawFaceDown(p, QPoint(), TileImages::Top); }));
        lying.setMarked(true);
        QCOMPARE(paintItem(lying), paintWith([&](QPainter &p) {
                     painter.drawFaceDown(p, QPoint(), TileImages::Top);
                     p.drawImage(QPoint(), images().highlight(TileImages::Top));
                 }));
        // A dora indicator without a tile draws nothing; with one it does.
        TileView dora(TileImages::Right, TileImages::WallDora, CONCEALED_TILE);
        QVERIFY(isEmpty(paintItem(dora)));
        dora.setTile(30);
        QVERIFY(!isEmpty(paintItem(dora)));
        // Use 8 draws nothing.
        TileView unused(TileImages::Bottom, TileImages::Unused, 4);
        QVERIFY(isEmpty(paintItem(unused)));
        // A disabled hand tile is dimmed.
        TileView hand(TileImages::Bottom, TileImages::Hand, 20);
        const double bright = meanLuminance(paintItem(hand));
        hand.setEnabled(false);
        const double dim = meanLuminance(paintItem(hand));
        QVERIFY2(dim < bright * 0.8, qPrintable(QStringLiteral("%1 vs %2").arg(dim).arg(bright)));
        // The last-tile marker is drawn above the tile.
        hand.setEnabled(true);
        hand.setMarked(true);
        const QImage marked = paintItem(hand, QSize(80, 90), QPoint(20, 30));
        bool above = false;
        for (int x = 0; x < marked.width(); ++x)
            for (int y = 0; y < 30; ++y)
                above = above || qAlpha(marked.pixel(x, y)) > 0;
        QVERIFY(above);
        // Any other use is a programming error.
        TileView bad(TileImages::Bottom, static_cast<TileImages::Use>(12), 4);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, paintItem(bad));
    }

    void followsItsPainter()
    {
        TilePainter &scaled = TileGraphics::instance().scaledPainter();
        TilePainter &unscaled = TileGraphics::instance().unscaledPainter();
        const std::size_t before = scaled.listenerCount();
        {
            TileView item(TileImages::Bottom, TileImages::Declared, 9);
            QCOMPARE(scaled.listenerCount(), before + 1);
            item.setPainter(unscaled);
            QCOMPARE(scaled.listenerCount(), before);
            QCOMPARE(unscaled.listenerCount(), std::size_t(1));
            QCOMPARE(item.boundingRect(), unscaled.images()->rect(TileImages::Bottom, TileImages::Declared));
            item.setPainter(scaled);
        }
        QCOMPARE(scaled.listenerCount(), before);
        QCOMPARE(unscaled.listenerCount(), std::size_t(0));

        // A new game scale reaches the item without being told.
        TileView item(TileImages::Bottom, TileImages::WallDouble);
        TileGraphics::instance().setGameScale(1.5);
        QCOMPARE(item.boundingRect(), images().rect(TileImages::Bottom, TileImages::WallDouble));
        QCOMPARE(item.boundingRect().width(), 42.0);
        QVERIFY(QTest::qWaitFor([] { return !TileGraphics::instance().hasWorker(); }, 60000));
        QVERIFY(item.data(1).value<ShadowGeometry>() == images().shadow(TileImages::Bottom, TileImages::WallDouble));
        QCOMPARE(item.tilePlace().use, int(TileImages::WallDouble));
    }
};

QTEST_MAIN(TstTileView)
#include "tst_tileview.moc"
