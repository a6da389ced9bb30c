#include "scene/ShadowLayer.h"

#include "scene/GameGraphicsScene.h"

#include <QGraphicsScene>
#include <QPainterPath>

#include <limits>

ShadowLayer::ShadowLayer()
{
    setZValue(std::numeric_limits<qreal>::lowest());
    // The shade changes only when a group does; the frames between draw it
    // from the view's copy instead of filling the whole outline again.
    setCacheMode(DeviceCoordinateCache);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

QList<QGraphicsItem *> ShadowLayer::shadowItems() const
{
    QList<QGraphicsItem *> found;
    if (!scene())
        return found;
    for (QGraphicsItem *item : scene()->items())
        if (item != this && item->isVisible()
            && item->data(SceneItem::ShadowPathKey).metaType() == QMetaType::fromType<QPainterPath>())
            found.append(item);
    return found;
}

void ShadowLayer::refresh()
{
    QRectF bounds;
    const QList<QGraphicsItem *> items = shadowItems();
    for (const QGraphicsItem *item : items)
        bounds |= item->sceneBoundingRect();
    m_shade = GameGraphicsScene::shadeOf(items);
    if (bounds != m_bounds) {
        prepareGeometryChange();
        m_bounds = bounds;
    }
    update();
}

QRectF ShadowLayer::boundingRect() const
{
    return m_bounds;
}

void ShadowLayer::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    GameGraphicsScene::fillShade(painter, m_shade);
}
