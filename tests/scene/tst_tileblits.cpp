// Tiles under a turn or a scale (in flight) are copied from pictures made
// once per quarter turn and scale step: they must look like the smoothly
// transformed drawing they replace, at every side, turn and scale.

#include "TileTestSupport.h"

#include "scene/TileAnimation.h"
#include "scene/TileBlitCache.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QTimeLine>
#include <QtTest>

#include <cmath>

namespace {

const QColor Cloth(30, 90, 60);
constexpr QSize Canvas(320, 320);

// The scene as a view draws it: one plain translation from scene to canvas.
QImage renderScene(QGraphicsScene &scene)
{
    QImage img(Canvas, QImage::Format_ARGB32_Premultiplied);
    img.fill(Cloth);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    scene.render(&p, QRectF(QPointF(0, 0), QSizeF(Canvas)), QRectF(QPointF(0, 0), QSizeF(Canvas)));
    return img;
}

// The drawing the blits replace: the item's own picture, drawn through its
// full scene transform with smooth resampling.
QImage smoothlyTransformed(TileView &item)
{
    const QRect bounds = item.boundingRect().toAlignedRect();
    QImage plain(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    plain.fill(Qt::transparent);
    {
        QPainter p(&plain);
        p.translate(-bounds.topLeft());
        item.paint(&p, nullptr, nullptr);
    }
    QImage img(Canvas, QImage::Format_ARGB32_Premultiplied);
    img.fill(Cloth);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    p.setTransform(item.sceneTransform());
    p.drawImage(bounds.topLeft(), plain);
    return img;
}

struct Difference
{
    double mean = 0; // per channel, over the pixels either image changed
    int far = 0;     // pixels off by more than a quarter of the range
    int changed = 0;
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference d;
    double sum = 0;
    const QRgb cloth = Cloth.rgba();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p == cloth && q == cloth)
                continue;
            ++d.changed;
            const int diff = std::max(
                {qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q))});
            sum += (qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q))) / 3.0;
            d.far += diff > 64 ? 1 : 0;
        }
    d.mean = d.changed ? sum / d.changed : 0;
    return d;
}

// Places the item so that its turned and scaled picture starts at a whole
// pixel near the middle of the canvas, where both drawings agree on the
// grid; what remains are the resampling and the rounding of the size.
void placeOnGrid(TileView &item)
{
    const QPointF corner = item.transform().mapRect(item.boundingRect()).topLeft();
    const QPointF middle(Canvas.width() / 2 - 40, Canvas.height() / 2 - 40);
    item.setPos(middle - corner + QPointF(std::round(corner.x()), std::round(corner.y())));
}

void verifyLooksTheSame(QGraphicsScene &scene, TileView &item)
{
    const QImage blitted = renderScene(scene);
    const QImage smooth = smoothlyTransformed(item);
    const Difference d = compare(blitted, smooth);
    // A tile shows hundreds of pixels. Resampled once (the blit) or at
    // drawing (the smooth transform), thin strokes and edges differ by
    // a fraction of a pixel: a mean difference of up to about 12 and a tenth
    // of the pixels far off. A tile turned a quarter wrong, or half-way
    // through its turn, differs by 45 to 110 on average.
    QVERIFY2(d.changed > 200, qPrintable(QStringLiteral("only %1 pixels drawn").arg(d.changed)));
    QVERIFY2(d.mean < 16.0, qPrintable(QStringLiteral("mean difference %1").arg(d.mean)));
    QVERIFY2(d.far < d.changed / 5, qPrintable(QStringLiteral("%1 of %2 pixels far off").arg(d.far).arg(d.changed)));
}

} // namespace

class TstTileBlits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        tiletest::loadDefaultTileSet();
        TileGraphics::instance().setGameScale(1.3125);
        QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
    }

    void snapsToQuarterTurnsAndScaleSteps_data()
    {
        QTest::addColumn<QTransform>("transform");
        QTest::addColumn<bool>("snaps");
        QTest::addColumn<int>("quarterTurns");
        QTest::addColumn<int>("scaleStep");
        QTest::newRow("identity") << QTransform() << true << 0 << 64;
        QTest::newRow("moved") << QTransform::fromTranslate(10.5, -3) << true << 0 << 64;
        QTest::newRow("quarter turn") << QTransform().rotate(90) << true << 1 << 64;
        QTest::newRow("minus a quarter") << QTransform().rotate(-90) << true << 3 << 64;
        QTest::newRow("half turn, scaled") << QTransform().rotate(180).scale(0.75, 0.75) << true << 2 << 48;
        QTest::newRow("turning, nearest quarter") << QTransform().rotate(50).scale(1.3, 1.3) << true << 1 << 83;
        QTest::newRow("uneven scale") << QTransform::fromScale(1.0, 0.5) << false << 0 << 0;
        QTest::newRow("mirrored") << QTransform::fromScale(-1.0, 1.0) << false << 0 << 0;
        QTest::newRow("sheared") << QTransform().shear(0.3, 0) << false << 0 << 0;
        QTest::newRow("vanishing") << QTransform::fromScale(0.001, 0.001) << false << 0 << 0;
        QTest::newRow("perspective") << QTransform(1, 0, 0.001, 0, 1, 0, 0, 0, 1) << false << 0 << 0;
    }

    void snapsToQuarterTurnsAndScaleSteps()
    {
        QFETCH(QTransform, transform);
        QFETCH(bool, snaps);
        QFETCH(int, quarterTurns);
        QFETCH(int, scaleStep);
        int turns = -1, step = -1;
        QCOMPARE(TileBlitCache::snap(transform, &turns, &step), snaps);
        if (snaps) {
            QCOMPARE(turns, quarterTurns);
            QCOMPARE(step, scaleStep);
        }
    }

    void turnedAndScaledTilesLookAsDrawnSmoothly_data()
    {
        QTest::addColumn<int>("use");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("quarterTurns");
        QTest::addColumn<double>("scale");
        const struct
        {
            const char *name;
            TileImages::Use use;
        } uses[] = {{"wall stack", TileImages::WallSingle}, {"wall pair", TileImages::WallDouble},
                    {"hidden", TileImages::Hidden},         {"face up", TileImages::Declared},
                    {"turned", TileImages::DeclaredTurned}, {"face down", TileImages::DeclaredFaceDown}};
        const double scales[] = {0.5, 0.8, 1.0, 1.35};
        for (const auto &u : uses)
            for (int side = 0; side < 4; ++side)
                for (int turns = 0; turns < 4; ++turns) {
                    const double scale = scales[(side + turns) % 4];
                    QTest::addRow("%s, side %d, %d quarter turns, scale %.2f", u.name, side, turns, scale)
                        << int(u.use) << side << turns << scale;
                }
    }

    void turnedAndScaledTilesLookAsDrawnSmoothly()
    {
        QFETCH(int, use);
        QFETCH(int, side);
        QFETCH(int, quarterTurns);
        QFETCH(double, scale);
        QGraphicsScene scene;
        auto *item = new TileView(TileImages::Side(side), TileImages::Use(use), tile(21));
        scene.addItem(item);
        item->setTransform(QTransform().rotate(90.0 * quarterTurns).scale(scale, scale));
        placeOnGrid(*item);
        verifyLooksTheSame(scene, *item);
    }

    // A tile dealt from the wall to a seat, at the start and end of its
    // flight and at the step of its quarter turn: what the deal shows.
    void flyingTilesLookAsDrawnSmoothly_data()
    {
        QTest::addColumn<int>("fromSide");
        QTest::addColumn<int>("toSide");
        QTest::addColumn<int>("use");
        QTest::addColumn<double>("step");
        // Half-way through a turn the tile is drawn at the nearest quarter
        // turn, so the middle of a flight is compared only without a turn.
        const auto turns = [](TileImages::Use use, int from, int to) {
            return TileAnimation::startTurn(use, TileImages::Side(from), TileImages::Side(to)) != 0;
        };
        for (const double step : {0.0, 0.5, 1.0})
            for (const int from : {0, 1, 3})
                for (const int to : {0, 2, 3}) {
                    if (step == 0.5 && turns(TileImages::WallSingle, from, to))
                        continue;
                    QTest::addRow("wall %d to seat %d at %.1f", from, to, step)
                        << from << to << int(TileImages::WallSingle) << step;
                    if (step == 0.5 && turns(TileImages::Declared, from, to))
                        continue;
                    QTest::addRow("discard %d to %d at %.1f", from, to, step)
                        << from << to << int(TileImages::Declared) << step;
                }
    }

    void flyingTilesLookAsDrawnSmoothly()
    {
        QFETCH(int, fromSide);
        QFETCH(int, toSide);
        QFETCH(int, use);
        QFETCH(double, step);
        QGraphicsScene scene;
        QTimeLine timeLine(1000);
        TileAnimation flight(&scene, &timeLine, TileImages::Use(use), TileImages::Side(fromSide),
                             TileImages::Side(toSide), 0.0, 1.0);
        flight.tileItem().setTile(tile(5));
        flight.setStartPlace({QPointF(100, 100), TileImages::Use(use), TileImages::Side(fromSide)});
        flight.setEndPlace({QPointF(140, 120), TileImages::Use(use), TileImages::Side(toSide)});
        flight.setStartScale(1.2);
        flight.setEndScale(0.8);
        flight.setStep(step);
        // The item sits where the animation put it; only its whole-pixel
        // place is chosen here.
        TileView &item = flight.tileItem();
        const QPointF corner = item.sceneTransform().mapRect(item.boundingRect()).topLeft();
        item.setPos(item.pos() - corner + QPointF(std::round(corner.x()), std::round(corner.y())));
        verifyLooksTheSame(scene, item);
    }

    // A view repaints, for an item, only its bounding rectangle as mapped to
    // the view: whatever a tile paints beyond it when it moves on stays on
    // the cloth. Every step of every flight, turning or not, stays inside.
    void flyingTilesPaintOnlyTheirArea_data()
    {
        QTest::addColumn<int>("use");
        for (const TileImages::Use use : {TileImages::WallSingle, TileImages::Declared, TileImages::Hidden})
            QTest::addRow("use %d", int(use)) << int(use);
    }

    void flyingTilesPaintOnlyTheirArea()
    {
        QFETCH(int, use);
        constexpr int Steps = 24;
        int turning = 0;
        for (int from = 0; from < 4; ++from)
            for (int to = 0; to < 4; ++to) {
                QGraphicsScene scene;
                QTimeLine timeLine(1000);
                TileAnimation flight(&scene, &timeLine, TileImages::Use(use), TileImages::Side(from),
                                     TileImages::Side(to), 0.0, 1.0);
                flight.tileItem().setTile(tile(5));
                flight.setStartPlace({QPointF(60, 70), TileImages::Use(use), TileImages::Side(from)});
                flight.setEndPlace({QPointF(190, 170), TileImages::Use(use), TileImages::Side(to)});
                flight.setStartScale(1.25);
                flight.setEndScale(0.85);
                turning += TileAnimation::startTurn(TileImages::Use(use), TileImages::Side(from), TileImages::Side(to))
                           != 0;
                TileView &item = flight.tileItem();
                for (int k = 0; k <= Steps; ++k) {
                    flight.setStep(double(k) / Steps);
                    const QRect area = item.sceneBoundingRect().toAlignedRect();
                    const QImage drawn = renderScene(scene);
                    int inside = 0, outside = 0;
                    for (int y = 0; y < drawn.height(); ++y)
                        for (int x = 0; x < drawn.width(); ++x)
                            if (drawn.pixel(x, y) != Cloth.rgba())
                                ++(area.contains(x, y) ? inside : outside);
                    QVERIFY2(inside > 100 && outside == 0,
                             qPrintable(QStringLiteral("side %1 to %2, step %3/%4: %5 pixels outside %6,%7 %8x%9")
                                            .arg(from)
                                            .arg(to)
                                            .arg(k)
                                            .arg(Steps)
                                            .arg(outside)
                                            .arg(area.x())
                                            .arg(area.y())
                                            .arg(area.width())
                                            .arg(area.height())));
                }
            }
        QVERIFY(turning >= 8);
    }

    // Every quarter turn and scale step is made once; new images empty the
    // pictures made from the old ones.
    void picturesAreMadeOncePerImages()
    {
        TilePainter &painter = TileGraphics::instance().scaledPainter();
        QGraphicsScene scene;
        auto *a = new TileView(TileImages::Right, TileImages::WallSingle);
        auto *b = new TileView(TileImages::Right, TileImages::WallSingle);
        scene.addItem(a);
        scene.addItem(b);
        a->setTransform(QTransform().rotate(90).scale(0.9, 0.9));
        b->setTransform(QTransform().rotate(90).scale(0.9, 0.9));
        a->setPos(100, 100);
        b->setPos(200, 100);
        painter.blitCache().clear();
        renderScene(scene);
        QCOMPARE(painter.blitCache().size(), 1);
        b->setTransform(QTransform().rotate(-90).scale(0.9, 0.9));
        renderScene(scene);
        QCOMPARE(painter.blitCache().size(), 2);
        TileGraphics::instance().setGameScale(1.0);
        QCOMPARE(painter.blitCache().size(), 0);
        const QImage blitted = renderScene(scene);
        QCOMPARE(painter.blitCache().size(), 2);
        QVERIFY(compare(blitted, smoothlyTransformed(*a)).changed > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
        TileGraphics::instance().setGameScale(1.3125);
        QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
    }
};

QTEST_MAIN(TstTileBlits)
#include "tst_tileblits.moc"
