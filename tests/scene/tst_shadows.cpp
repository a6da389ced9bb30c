// Shadows: projection of one outline, gathering a group's tile outlines, and
// the scene's single translucent shade under the items.

#include "scene/GameGraphicsScene.h"
#include "scene/GraphicsNode.h"
#include "scene/ShadowGeometry.h"
#include "scene/ShadowedGroup.h"

#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QScreen>
#include <QPainter>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
QPolygonF square(qreal x, qreal y, qreal size)
{
    // Same orientation as the tile outlines: down the left edge first.
    return QPolygonF({QPointF(x, y), QPointF(x, y + size), QPointF(x + size, y + size), QPointF(x + size, y)});
}

// A plain item that casts the shadow of its own rectangle.
QGraphicsRectItem *caster(qreal x, qreal y, qreal size, int height, QGraphicsItem *parent)
{
    auto *item = new QGraphicsRectItem(0, 0, size, size, parent);
    item->setPos(x, y);
    item->setPen(Qt::NoPen);
    item->setBrush(Qt::NoBrush);
    item->setData(1, QVariant::fromValue(ShadowGeometry(square(0, 0, size), height)));
    return item;
}

QImage renderScene(QGraphicsScene &scene, const QRectF &rect)
{
    QImage img(rect.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    scene.render(&p, QRectF(QPointF(0, 0), rect.size()), rect);
    p.end();
    return img;
}
} // namespace

class TstShadows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ShadowGeometry::registerMetaTypes(); }

    void projectionOfOneOutline()
    {
        // Light far to the left: the shadow reaches right by (x - L.x) * k.
        const QPointF light(-100, 20);
        const QPainterPath p15 = ShadowedGroup::shadowPath(square(0, 0, 40), light, 15);
        QCOMPARE(p15.boundingRect().left(), 0.0);
        QCOMPARE(p15.boundingRect().right(), 40 + 140.0 / 9);
        const QPainterPath p5 = ShadowedGroup::shadowPath(square(0, 0, 40), light, 5);
        QCOMPARE(p5.boundingRect().right(), 40 + 140.0 * 5 / 145);
        // The lit side stays where it is; the far corners are pushed away.
        QVERIFY(p15.contains(QPointF(45, 20)));
        QVERIFY(!p15.contains(QPointF(-2, 20)));
        // A vertex on the light projects onto itself.
        const QPainterPath self = ShadowedGroup::shadowPath(square(0, 0, 40), QPointF(0, 0), 10);
        bool found = false;
        for (int i = 0; i < self.elementCount(); ++i)
            found = found || QPointF(self.elementAt(i)) == QPointF(0, 0);
        QVERIFY(found);
        // Fewer than three points, or a closed polygon's repeated point.
        QVERIFY(ShadowedGroup::shadowPath(QPolygonF({QPointF(0, 0), QPointF(1, 1)}), light, 5).isEmpty());
        QPolygonF closed = square(0, 0, 40);
        closed << closed.first();
        QCOMPARE(ShadowedGroup::shadowPath(closed, light, 15).boundingRect(), p15.boundingRect());
        // Heights at or beyond the light's own height cast no shadow.
        QVERIFY(ShadowedGroup::shadowPath(square(0, 0, 40), light, 150).isEmpty());
    }

    void groupGathersVisibleCasters()
    {
        GameGraphicsScene scene;
        auto *group = new ShadowedGroup;
        scene.addItem(group);
        group->updateShadow();
        QVERIFY(group->shadowPath().isEmpty());
        QVERIFY(group->boundingRect().isEmpty());

        group->setPos(100, 100);
        caster(0, 0, 20, 10, group);
        // Nested in a plain node: its outline is mapped through the node.
        auto *node = new GraphicsNode(group);
        node->setPos(50, 0);
        caster(0, 0, 20, 10, node);
        auto *hidden = caster(0, 50, 20, 10, group);
        hidden->setVisible(false);
        group->setLightPosition(QPointF(135, 90)); // scene coordinates: above the middle
        const QRectF r = group->boundingRect();
        QCOMPARE(r.top(), 0.0);
        QVERIFY(r.left() < 0 && r.left() > -5);
        QVERIFY(r.right() > 70 && r.right() < 75);
        QVERIFY(r.bottom() > 20 && r.bottom() < 25);
        QVERIFY(group->shadowPath().contains(QPointF(60, 10)));
        QVERIFY(!group->shadowPath().contains(QPointF(10, 60)));
        QCOMPARE(group->data(0).metaType().name(), "QPainterPath");
        QCOMPARE(qgraphicsitem_cast<ShadowedGroup *>(node->parentItem()), group);
        QCOMPARE(qgraphicsitem_cast<GraphicsNode *>(static_cast<QGraphicsItem *>(node)), node);
    }

    // The animations turn tiles about their own origin: the shadow must follow
    // the turned tile, not the place it would have unturned.
    void rotatedChildCastsUnderItself()
    {
        GameGraphicsScene scene;
        auto *group = new ShadowedGroup;
        scene.addItem(group);
        group->setPos(30, 20);
        QGraphicsRectItem *tile = caster(100, 50, 20, 5, group);
        tile->setRotation(90);                     // now covers x 80..100, y 50..70 of the group
        group->setLightPosition(QPointF(120, 80)); // the middle of the turned tile, in the scene
        const QPainterPath shadow = group->shadowPath();
        const QPolygonF under = tile->mapToParent(QPolygonF(QRectF(1, 1, 18, 18)));
        for (const QPointF &p : under)
            QVERIFY2(shadow.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        QVERIFY(!shadow.contains(QPointF(110, 60))); // where it would lie unturned
        QVERIFY(group->boundingRect().right() < 101);
    }

    void sameLightDoesNotRebuild()
    {
        ShadowedGroup group;
        group.setLightPosition(QPointF(0, -500));
        caster(0, 0, 20, 10, &group);
        group.setLightPosition(QPointF(0, -500));
        QVERIFY(group.shadowPath().isEmpty()); // not rebuilt
        group.setLightPosition(QPointF(0, -400));
        QVERIFY(!group.shadowPath().isEmpty());
    }

    void sceneFillsOneShade()
    {
        GameGraphicsScene scene;
        scene.setSceneRect(0, 0, 200, 100);
        auto *a = new ShadowedGroup;
        auto *b = new ShadowedGroup;
        scene.addItem(a);
        scene.addItem(b);
        caster(20, 20, 40, 10, a);
        caster(40, 20, 40, 10, b); // overlaps a's outline
        a->setLightPosition(QPointF(0, 40));
        b->setLightPosition(QPointF(0, 40));
        const QImage img = renderScene(scene, scene.sceneRect());
        const int shade = 255 - (255 * 48 + 127) / 255;
        auto grey = [&](int x, int y) { return qRed(img.pixel(x, y)); };
        QCOMPARE(grey(5, 5), 255);
        QVERIFY(qAbs(grey(30, 40) - shade) <= 1);
        QVERIFY(qAbs(grey(50, 40) - shade) <= 1); // inside both: no darker
        QVERIFY(qAbs(grey(83, 40) - shade) <= 1); // the cast part beyond b
        QCOMPARE(grey(150, 40), 255);

        // A view paints the same shade over its own background, with no
        // legacy painting flag.
        QGraphicsView view(&scene);
        view.setFrameShape(QFrame::NoFrame);
        view.setBackgroundBrush(Qt::white);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(200, 100);
        view.show();
        const QImage shot = view.grab().toImage();
        QVERIFY(qAbs(qRed(shot.pixel(shot.width() / 2 - 50, shot.height() / 2)) - shade) <= 1);

        // Hidden groups cast nothing.
        a->setVisible(false);
        const QImage onlyB = renderScene(scene, scene.sceneRect());
        QCOMPARE(qRed(onlyB.pixel(30, 40)), 255);
        QVERIFY(qAbs(qRed(onlyB.pixel(50, 40)) - shade) <= 1);
        b->setVisible(false);
        const QImage none = renderScene(scene, scene.sceneRect());
        QCOMPARE(qRed(none.pixel(50, 40)), 255);

        // Moving a group moves its shadow; clearing the scene and building
        // again brings the shade back.
        b->setVisible(true);
        b->setPos(60, 0);
        QCOMPARE(qRed(renderScene(scene, scene.sceneRect()).pixel(50, 40)), 255);
        QVERIFY(qAbs(qRed(renderScene(scene, scene.sceneRect()).pixel(110, 40)) - shade) <= 1);
        scene.clear();
        auto *c = new ShadowedGroup;
        scene.addItem(c);
        caster(20, 20, 40, 10, c);
        c->setLightPosition(QPointF(0, 40));
        QVERIFY(qAbs(qRed(renderScene(scene, scene.sceneRect()).pixel(30, 40)) - shade) <= 1);
    }

    // A view keeps its drawing of the shade between changes: after each
    // change it shows the shade of the groups as they are now.
    void viewKeepsTheShadeCurrent()
    {
        GameGraphicsScene scene;
        scene.setSceneRect(0, 0, 300, 150);
        QGraphicsView view(&scene);
        view.setFrameShape(QFrame::NoFrame);
        view.setBackgroundBrush(Qt::white);
        view.setRenderHints(QPainter::Antialiasing);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(300, 150);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        // What the view last put on the screen, and the shade drawn afresh
        // from every group's shadow as it is now.
        auto onScreen = [&view] {
            QCoreApplication::processEvents();
            view.viewport()->repaint();
            return view.screen()->grabWindow(view.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        };
        auto expected = [&scene] {
            QImage img(300, 150, QImage::Format_RGB32);
            img.fill(Qt::white);
            QPainter p(&img);
            p.setRenderHints(QPainter::Antialiasing);
            QList<QGraphicsItem *> casters;
            for (QGraphicsItem *item : scene.items())
                if (item->isVisible())
                    casters << item;
            GameGraphicsScene::drawShadows(&p, casters);
            return img;
        };
        auto differs = [](const QImage &a, const QImage &b) {
            int count = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    count += qAbs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y))) > 8;
            return count;
        };
        auto *a = new ShadowedGroup;
        auto *b = new ShadowedGroup;
        auto *corner = new ShadowedGroup; // holds the shade's area wide open
        for (ShadowedGroup *g : {a, b, corner})
            scene.addItem(g);
        caster(20, 20, 40, 10, a);
        caster(40, 20, 40, 10, b);
        caster(250, 110, 30, 10, corner);
        for (ShadowedGroup *g : {a, b, corner})
            g->setLightPosition(QPointF(150, 75));
        QCOMPARE(differs(onScreen(), expected()), 0);
        const std::function<void()> changes[] = {
            [&] {
            b->setPos(100, 30);
            },
            [&] {
            caster(60, 60, 30, 20, a);
            a->updateShadow();
        },
                                    [&] { a->setVisible(false); }, [&] { a->setVisible(true); }, [&] { delete b; },
                                    };
        int step = 0;
        for (const auto &change : changes) {
            change();
            const int wrong = differs(onScreen(), expected());
            QVERIFY2(wrong == 0, qPrintable(QStringLiteral("change %1: %2 pixels wrong").arg(step).arg(wrong)));
            ++step;
        }
    }

    // The shade is kept as a picture that a change fills again only where
    // groups changed, and a view copies only the rectangles it repaints:
    // after any change, what the view shows without a full repaint is the
    // shade filled afresh from every group, overlaps filled once.
    void shadePictureMatchesAFullFill_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("a group moves over another") << 0;
        QTest::newRow("a tile joins a group where it overlaps another") << 1;
        QTest::newRow("a group is hidden") << 2;
        QTest::newRow("a group goes") << 3;
        QTest::newRow("groups far apart change at once") << 4;
        QTest::newRow("the light moves") << 5;
    }

    void shadePictureMatchesAFullFill()
    {
        QFETCH(int, change);
        GameGraphicsScene scene;
        scene.setSceneRect(0, 0, 400, 200);
        QGraphicsView view(&scene);
        view.setFrameShape(QFrame::NoFrame);
        view.setBackgroundBrush(Qt::white);
        view.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(400, 200);
        ShadowedGroup *groups[4];
        for (ShadowedGroup *&g : groups) {
            g = new ShadowedGroup;
            scene.addItem(g);
        }
        caster(20, 20, 40, 10, groups[0]);
        caster(50, 30, 40, 15, groups[1]); // overlaps the first
        caster(300, 120, 30, 10, groups[2]);
        caster(330, 60, 30, 5, groups[3]);
        for (ShadowedGroup *g : groups)
            g->setLightPosition(QPointF(200, 100));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCoreApplication::processEvents();

        switch (change) {
        case 0:
            groups[2]->setPos(-250, -80);
            break;
        case 1:
            caster(60, 50, 30, 10, groups[0]);
            groups[0]->updateShadow();
            break;
        case 2:
            groups[1]->hide();
            break;
        case 3:
            delete groups[0];
            break;
        case 4:
            groups[0]->setPos(10, 100);
            groups[3]->setPos(-20, 20);
            break;
        case 5:
            for (ShadowedGroup *g : groups)
                g->setLightPosition(QPointF(100, 180));
            break;
        }
        // Only what changed is repainted; then bands across the view, as a
        // view repaints a region of many rectangles.
        QCoreApplication::processEvents();
        QRegion bands;
        for (int y = 0; y < 200; y += 10)
            bands += QRect(0, y, 400, 7);
        view.viewport()->repaint(bands);
        const QImage shown = view.screen()->grabWindow(view.winId()).toImage().convertToFormat(QImage::Format_RGB32);

        QImage expected(400, 200, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.setRenderHints(QPainter::Antialiasing);
            QList<QGraphicsItem *> casters;
            for (QGraphicsItem *item : scene.items())
                if (item->isVisible())
                    casters << item;
            GameGraphicsScene::drawShadows(&p, casters);
        }
        int wrong = 0, shaded = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x) {
                wrong += qAbs(qRed(shown.pixel(x, y)) - qRed(expected.pixel(x, y))) > 2;
                shaded += qRed(expected.pixel(x, y)) < 255;
            }
        QVERIFY(shaded > 1000);
        QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1 pixels wrong").arg(wrong)));
    }

    // The shade lies under everything, including items stacked below the
    // groups, and is drawn where a view repaints.
    void shadeLiesUnderAllItems()
    {
        GameGraphicsScene scene;
        scene.setSceneRect(0, 0, 100, 100);
        auto *floor = scene.addRect(0, 0, 100, 100, Qt::NoPen, QBrush(Qt::blue));
        floor->setZValue(-1000);
        auto *g = new ShadowedGroup;
        scene.addItem(g);
        caster(20, 20, 40, 10, g);
        g->setLightPosition(QPointF(0, 40));
        const QImage img = renderScene(scene, scene.sceneRect());
        QCOMPARE(img.pixel(30, 40), QColor(Qt::blue).rgb()); // covered by the floor item
    }
};

QTEST_MAIN(TstShadows)
#include "tst_shadows.moc"
