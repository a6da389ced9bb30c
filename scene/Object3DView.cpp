#include "scene/Object3DView.h"

#include "scene/Logging.h"

#include <QPainter>

#include <cmath>

Object3DView::Object3DView(int mode)
    : m_mode(mode)
    , m_pen(mode == Triangles ? QPen(Qt::NoPen) : QPen(Qt::white))
{
}

void Object3DView::setBrush(const QBrush &brush)
{
    m_brush = brush;
    update();
}

void Object3DView::setPen(const QPen &pen)
{
    prepareGeometryChange();
    m_pen = pen;
    update();
}

void Object3DView::setMatrix(const Matrix4::Values &matrix)
{
    prepareGeometryChange();
    m_matrix = matrix;
    update();
}

void Object3DView::setVertices(const QVector<Point4> &vertices)
{
    prepareGeometryChange();
    m_vertices = vertices;
    update();
}

void Object3DView::setTextureCoordinates(const QVector<QPointF> &coordinates)
{
    if (m_mode != Triangles)
        return;
    m_textureTransforms.clear();
    if (coordinates.size() % 3 == 0) {
        m_textureCoordinates = coordinates;
        for (qsizetype i = 0; i + 2 < coordinates.size(); i += 3) {
            const QPointF t0 = coordinates[i], t1 = coordinates[i + 1], t2 = coordinates[i + 2];
            // (u, v) -> t0 + u (t0 - t1) + v (t0 - t2), turned round.
            const QTransform forward(t0.x() - t1.x(), t0.y() - t1.y(), t0.x() - t2.x(), t0.y() - t2.y(), t0.x(),
                                     t0.y());
            bool invertible = false;
            const QTransform inverse = forward.inverted(&invertible);
            if (!invertible) {
                // A flat texture triangle: it and the later ones take the
                // plain brush.
                qCWarning(lcScene, "Texture triangle %lld has no area", static_cast<long long>(i / 3));
                break;
            }
            m_textureTransforms.append(inverse);
        }
    } else {
        m_textureCoordinates.clear();
    }
    update();
}

Object3DView::Point4 Object3DView::transformed(const Point4 &v) const
{
    Point4 q{};
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            q[j] += v[i] * m_matrix[i * 4 + j];
    return q;
}

std::optional<QPointF> Object3DView::project(const Point4 &v) const
{
    const Point4 q = transformed(v);
    if (q[3] == 0.0)
        return std::nullopt;
    const double x = q[0] / q[3], y = q[1] / q[3];
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return QPointF(x, y);
}

std::optional<QVector<QPointF>> Object3DView::projectAll() const
{
    QVector<QPointF> points;
    points.reserve(m_vertices.size());
    for (const Point4 &v : m_vertices) {
        const std::optional<QPointF> p = project(v);
        if (!p)
            return std::nullopt;
        points.append(*p);
    }
    return points;
}

QRectF Object3DView::boundingRect() const
{
    const std::optional<QVector<QPointF>> points = projectAll();
    if (!points || points->isEmpty())
        return QRectF();
    double left = points->front().x(), right = left, top = points->front().y(), bottom = top;
    for (const QPointF &p : *points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const double half = m_pen.style() == Qt::NoPen ? 0.0 : m_pen.widthF() / 2;
    return QRectF(QPointF(left, top), QPointF(right, bottom)).adjusted(-half, -half, half, half);
}

void Object3DView::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const std::optional<QVector<QPointF>> projected = projectAll();
    if (!projected || projected->isEmpty())
        return;
    const QVector<QPointF> &s = *projected;
    QPainter &p = *painter;
    switch (m_mode) {
    case Points:
        p.setPen(m_pen);
        p.drawPoints(s.constData(), static_cast<int>(s.size()));
        break;
    case Lines:
        if (s.size() % 2 != 0)
            return;
        p.setPen(m_pen);
        for (qsizetype i = 0; i < s.size(); i += 2)
            p.drawLine(s[i], s[i + 1]);
        break;
    case Triangles: {
        if (s.size() % 3 != 0)
            return;
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        QBrush working = m_brush;
        const QTransform t0 = m_brush.transform();
        for (qsizetype i = 0; i < s.size(); i += 3) {
            const QPointF s0 = s[i], s1 = s[i + 1], s2 = s[i + 2];
            // Back faces wind the other way on screen.
            if ((s0.y() - s2.y()) * (s0.x() - s1.x()) - (s0.y() - s1.y()) * (s0.x() - s2.x()) < 0)
                continue;
            const qsizetype triangle = i / 3;
            if (triangle < m_textureTransforms.size()) {
                const Point4 q0 = transformed(m_vertices[i]), q1 = transformed(m_vertices[i + 1]),
                             q2 = transformed(m_vertices[i + 2]);
                const QTransform projective(q0[0] - q1[0], q0[1] - q1[1], q0[3] - q1[3], q0[0] - q2[0], q0[1] - q2[1],
                                            q0[3] - q2[3], q0[0], q0[1], q0[3]);
                working.setTransform(t0 * m_textureTransforms[triangle] * projective);
                p.setBrush(working);
            } else {
                p.setBrush(m_brush);
            }
            const QPointF polygon[3] = {s0, s1, s2};
            p.drawPolygon(polygon, 3);
        }
        break;
    }
    }
}
