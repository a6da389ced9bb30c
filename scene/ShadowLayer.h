#pragma once

#include "scene/SceneItem.h"

#include <QGraphicsObject>
#include <QPainterPath>

#include <map>

// The shade under every item of a table scene: the union of the shadows of
// all shadowed groups, filled once in translucent black. It lies below all
// other items, so views draw it after their background whatever their
// painting mode.
class ShadowLayer : public QGraphicsObject
{
    Q_OBJECT
public:
    enum { Type = SceneItem::ShadowLayerType };

    ShadowLayer();

    // Recomputes the shade from every group of the scene.
    void refresh();
    // After one group's shadow, place or visibility changed, or when it
    // leaves the scene.
    void refresh(const QGraphicsItem *source, bool leaving);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QList<QGraphicsItem *> shadowItems() const;
    void apply(const QRectF &bounds, const QRectF &dirty);

    QRectF m_bounds;
    // The union as of the last refresh: a frame of an animation repaints
    // part of the table without building it again.
    QPainterPath m_shade;
    // Each group's shadow in the scene as of the last refresh.
    std::map<const QGraphicsItem *, QPainterPath> m_shadows;
};
