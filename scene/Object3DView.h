#pragma once

#include "scene/Matrix4.h"
#include "scene/SceneItem.h"

#include <QBrush>
#include <QGraphicsItem>
#include <QPen>
#include <QPointF>
#include <QTransform>
#include <QVector>

#include <array>
#include <optional>

// A small 3-D object drawn without a 3-D library: homogeneous points turned
// by one 4 x 4 matrix and drawn as points, line segments or textured
// triangles.
class Object3DView : public QGraphicsItem
{
public:
    enum { Type = SceneItem::Object3DViewType };
    enum Mode { Points = 0, Lines = 1, Triangles = 2 };
    using Point4 = std::array<double, 4>;

    explicit Object3DView(int mode);

    void setBrush(const QBrush &brush);
    void setMatrix(const Matrix4::Values &matrix);
    void setVertices(const QVector<Point4> &vertices);
    // Three per triangle, in the brush's pixmap; another count clears them.
    void setTextureCoordinates(const QVector<QPointF> &coordinates);

    int mode() const { return m_mode; }
    const Matrix4::Values &matrix() const { return m_matrix; }
    const QVector<QPointF> &textureCoordinates() const { return m_textureCoordinates; }
    const QVector<QTransform> &textureTransforms() const { return m_textureTransforms; }
    QPen pen() const { return m_pen; }
    void setPen(const QPen &pen);

    // v x matrix, before the division by w.
    Point4 transformed(const Point4 &v) const;
    // The scene point of a vertex; none when w is 0 or the result is not a
    // finite number.
    std::optional<QPointF> project(const Point4 &v) const;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    // Every vertex projected, or nothing when one cannot be.
    std::optional<QVector<QPointF>> projectAll() const;

    int m_mode;
    Matrix4::Values m_matrix{};
    QVector<Point4> m_vertices;
    QVector<QPointF> m_textureCoordinates;
    QVector<QTransform> m_textureTransforms;
    QBrush m_brush{Qt::white};
    QPen m_pen;
};
