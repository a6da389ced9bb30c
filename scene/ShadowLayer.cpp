#include "scene/ShadowLayer.h"

#include "scene/GameGraphicsScene.h"

#include <QGraphicsScene>
#include <QPainterPath>

#include <limits>
#include <map>

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
    std::map<const QGraphicsItem *, QPainterPath> shadows;
    for (const QGraphicsItem *item : shadowItems()) {
        bounds |= item->sceneBoundingRect();
        shadows[item] = item->sceneTransform().map(item->data(SceneItem::ShadowPathKey).value<QPainterPath>());
    }
    // Only the shadows that changed are drawn again.
    QRectF dirty;
    for (const auto &[item, path] : shadows) {
        const auto old = m_shadows.find(item);
        if (old == m_shadows.end())
            dirty |= path.boundingRect();
        else if (old->second != path)
            dirty |= path.boundingRect() | old->second.boundingRect();
    }
    for (const auto &[item, path] : m_shadows) {
        if (shadows.find(item) == shadows.end())
            dirty |= path.boundingRect();
    }
    m_shadows = std::move(shadows);
    apply(bounds, dirty);
}

void ShadowLayer::refresh(const QGraphicsItem *source, bool leaving)
{
    // One group changed: a discard or a drawn tile must cost neither a look
    // through every item of the table nor a fill of the whole shade.
    const QVariant shadow = source->data(SceneItem::ShadowPathKey);
    const bool casts = !leaving && source->scene() == scene() && source->isVisible()
                       && shadow.metaType() == QMetaType::fromType<QPainterPath>();
    const auto old = m_shadows.find(source);
    QRectF dirty;
    QRectF bounds;
    if (old != m_shadows.end())
        dirty = old->second.boundingRect();
    if (casts) {
        QPainterPath path = source->sceneTransform().map(shadow.value<QPainterPath>());
        if (old != m_shadows.end() && old->second == path)
            return;
        dirty |= path.boundingRect();
        bounds = source->sceneBoundingRect();
        m_shadows[source] = std::move(path);
    } else {
        if (old == m_shadows.end())
            return;
        m_shadows.erase(old);
    }
    apply(bounds, dirty);
}

void ShadowLayer::apply(const QRectF &bounds, const QRectF &dirty)
{
    QPainterPath shade;
    shade.setFillRule(Qt::WindingFill);
    for (const auto &entry : m_shadows)
        shade.addPath(entry.second);
    m_shade = shade;
    // The area only grows: a new size would draw everything again.
    if (!bounds.isEmpty() && !m_bounds.contains(bounds)) {
        prepareGeometryChange();
        m_bounds |= bounds;
        update();
        return;
    }
    if (!dirty.isEmpty())
        update(dirty.adjusted(-1, -1, 1, 1));
}

QRectF ShadowLayer::boundingRect() const
{
    return m_bounds;
}

void ShadowLayer::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    GameGraphicsScene::fillShade(painter, m_shade);
}
