// The hidden cube: the matrix, the projection of its points, its bounding
// rectangle, the texture transforms, and points that cannot be projected.

#include "scene/Matrix4.h"
#include "scene/Object3DView.h"

#include <QPainter>
#include <QtTest>

#include <cmath>
#include <limits>

using P = Object3DView::Point4;

class TstObject3D : public QObject
{
    Q_OBJECT

private slots:
    void scaledIdentity()
    {
        Matrix4::Values m;
        m.fill(7);
        Matrix4::setScaledIdentity(m, 40);
        const Matrix4::Values expected{40, 0, 0, 0, 0, 40, 0, 0, 0, 0, 40, 0, 0, 0, 0, 1};
        QCOMPARE(m, expected);
        // A unit cube's corner lands 40 pixels out, not one.
        Object3DView cube(Object3DView::Points);
        cube.setMatrix(m);
        QCOMPARE(*cube.project(P{1, -1, 1, 1}), QPointF(40, -40));
    }

    void projection()
    {
        // x' = 2x + w, y' = 3y, w' = z + 2w, by hand.
        const Matrix4::Values m{2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2};
        Object3DView view(Object3DView::Lines);
        view.setMatrix(m);
        QCOMPARE(view.transformed(P{1, 2, 3, 1}), (P{3, 6, 0, 5}));
        QCOMPARE(*view.project(P{1, 2, 3, 1}), QPointF(0.6, 1.2));
        view.setVertices({P{1, 2, 3, 1}, P{-1, -2, 0, 1}});
        // (0.6, 1.2) and (-0.5, -3), grown by half the white 1-pixel pen.
        QCOMPARE(view.boundingRect(), QRectF(QPointF(-1.0, -3.5), QPointF(1.1, 1.7)));
        view.setPen(QPen(Qt::white, 4));
        QCOMPARE(view.boundingRect(), QRectF(QPointF(-2.5, -5), QPointF(2.6, 3.2)));
        const Matrix4::Values product = Matrix4::multiplied(m, m);
        QCOMPARE(product[0], 4.0);
        QCOMPARE(product[12], 4.0);
        QCOMPARE(product[15], 4.0);
    }

    void unprojectablePointsDrawNothing_data()
    {
        QTest::addColumn<double>("w");
        QTest::newRow("w 0") << 0.0;
        QTest::newRow("w nan") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("w tiny") << 1e-320;
    }
    void unprojectablePointsDrawNothing()
    {
        QFETCH(double, w);
        Matrix4::Values m;
        Matrix4::setScaledIdentity(m, 1e300);
        Object3DView view(Object3DView::Points);
        view.setMatrix(m);
        view.setVertices({P{1, 1, 1, 1}, P{2, 2, 2, w}});
        QVERIFY(!view.project(P{2, 2, 2, w}));
        QVERIFY(view.boundingRect().isEmpty());
        QImage image(20, 20, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        view.paint(&p, nullptr, nullptr);
        p.end();
        QCOMPARE(image, [] {
            QImage blank(20, 20, QImage::Format_ARGB32);
            blank.fill(Qt::transparent);
            return blank;
        }());
        // Nothing at all before the matrix is set.
        Object3DView fresh(Object3DView::Lines);
        fresh.setVertices({P{1, 1, 1, 1}, P{2, 2, 2, 1}});
        QVERIFY(fresh.boundingRect().isEmpty());
    }

    void textureTransforms()
    {
        Object3DView view(Object3DView::Triangles);
        // Maps (u, v) to t0 + u (t0 - t1) + v (t0 - t2): t1 at (-1, 0) and
        // t2 at (0, -1).
        view.setTextureCoordinates({QPointF(10, 20), QPointF(0, 20), QPointF(10, 0)});
        QCOMPARE(view.textureTransforms().size(), 1);
        const QTransform &inverse = view.textureTransforms().front();
        QCOMPARE(inverse.map(QPointF(10, 20)), QPointF(0, 0));
        QCOMPARE(inverse.map(QPointF(0, 20)), QPointF(-1, 0));
        QCOMPARE(inverse.map(QPointF(10, 0)), QPointF(0, -1));
        view.setTextureCoordinates(QVector<QPointF>(35));
        QVERIFY(view.textureCoordinates().isEmpty());
        QVERIFY(view.textureTransforms().isEmpty());
        // Other modes ignore texture coordinates.
        Object3DView lines(Object3DView::Lines);
        lines.setTextureCoordinates({QPointF(10, 20), QPointF(0, 20), QPointF(10, 0)});
        QVERIFY(lines.textureCoordinates().isEmpty());
    }

    // A square of two triangles facing the viewer and the same two turned
    // away: only the front pair is filled, each with its own part of a
    // two-colour texture.
    void frontFacesOnly()
    {
        QImage texture(2, 1, QImage::Format_ARGB32);
        texture.setPixel(0, 0, qRgb(255, 0, 0));
        texture.setPixel(1, 0, qRgb(0, 0, 255));
        Object3DView view(Object3DView::Triangles);
        view.setBrush(QBrush(texture));
        Matrix4::Values m;
        Matrix4::setScaledIdentity(m, 10);
        view.setMatrix(m);
        const P a{0, 0, 0, 1}, b{4, 0, 0, 1}, c{4, 4, 0, 1}, d{0, 4, 0, 1};
        view.setVertices({a, b, c, a, c, d, a, c, b, a, d, c});
        // Both front triangles take the red texel; the third would be blue.
        view.setTextureCoordinates({QPointF(0, 0), QPointF(0.5, 0), QPointF(0.5, 0.5), QPointF(0, 0), QPointF(0.5, 0.5),
                                    QPointF(0, 0.5), QPointF(1, 0), QPointF(2, 1), QPointF(2, 0)});
        QImage image(40, 40, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        view.paint(&p, nullptr, nullptr);
        p.end();
        QCOMPARE(image.pixelColor(30, 10), QColor(Qt::red));
        QCOMPARE(image.pixelColor(10, 30), QColor(Qt::red));
        // Odd vertex counts draw nothing in line mode.
        Object3DView lines(Object3DView::Lines);
        lines.setMatrix(m);
        lines.setVertices({a, b, c});
        QImage blank(40, 40, QImage::Format_ARGB32);
        blank.fill(Qt::transparent);
        QImage drawn = blank;
        QPainter q(&drawn);
        lines.paint(&q, nullptr, nullptr);
        q.end();
        QCOMPARE(drawn, blank);
    }
};

QTEST_MAIN(TstObject3D)
#include "tst_object3d.moc"
