#pragma once

#include "scene/GraphicsNode.h"

#include <QPainterPath>
#include <QPolygonF>

// A group whose tile items cast shadows away from a light point. The union of
// the shadows (group coordinates) is kept in item data key 0; the scene fills
// all groups' shadows in one pass.
class ShadowedGroup : public GraphicsNode
{
public:
    enum { Type = SceneItem::ShadowedGroupType };

    explicit ShadowedGroup(QGraphicsItem *parent = nullptr);
    ~ShadowedGroup() override;

    void setLightPosition(const QPointF &scenePos);
    QPointF lightPosition() const { return m_light; }
    // Call after adding, removing or moving tile items.
    void updateShadow();

    QPainterPath shadowPath() const;
    int type() const override { return Type; }
    QRectF boundingRect() const override;

    // The shadow of one outline lit from `light`, cast by an object of the
    // given height.
    static QPainterPath shadowPath(const QPolygonF &outline, const QPointF &light, int height);

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    void rebuildShadow();
    void notifyScene(bool leaving = false);

    QPointF m_light;
    QRectF m_bounds;
};
