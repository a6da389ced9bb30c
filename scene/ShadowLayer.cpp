#include "scene/ShadowLayer.h"

#include "scene/GameGraphicsScene.h"

#include <QGraphicsScene>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>

#include <cmath>
#include <limits>
#include <map>

ShadowLayer::ShadowLayer()
{
    setZValue(std::numeric_limits<qreal>::lowest());
    // A frame copies only the part of the picture it repaints.
    setFlag(ItemUsesExtendedStyleOption);
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
    // The area only grows: a new size would draw everything again.
    if (!bounds.isEmpty() && !m_bounds.contains(bounds)) {
        prepareGeometryChange();
        m_bounds |= bounds;
        m_picture = QImage();
        update();
        return;
    }
    if (!dirty.isEmpty()) {
        const QRectF area = dirty.adjusted(-1, -1, 1, 1);
        m_stale += area.toAlignedRect();
        update(area);
    }
}

QPainterPath ShadowLayer::shadeWithin(const QRect &area) const
{
    // Every shadow reaching into the area, so that overlaps there are
    // filled once as before.
    const QRectF reach = QRectF(area).adjusted(-1, -1, 1, 1);
    QPainterPath shade;
    shade.setFillRule(Qt::WindingFill);
    for (const auto &entry : m_shadows)
        if (entry.second.boundingRect().intersects(reach))
            shade.addPath(entry.second);
    return shade;
}

void ShadowLayer::redrawPicture()
{
    const QRect area = m_bounds.toAlignedRect();
    if (area.isEmpty()) {
        m_picture = QImage();
        m_stale = QRegion();
        return;
    }
    if (m_picture.isNull() || m_picture.size() != area.size() || m_origin != area.topLeft()) {
        m_picture = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        m_origin = area.topLeft();
        m_stale = area;
    }
    if (m_stale.isEmpty())
        return;
    QPainter p(&m_picture);
    p.translate(-m_origin);
    p.setRenderHint(QPainter::Antialiasing);
    for (const QRect &r : m_stale.intersected(area)) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(r, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setClipRect(r);
        GameGraphicsScene::fillShade(&p, shadeWithin(r));
        p.setClipping(false);
    }
    m_stale = QRegion();
}

QRectF ShadowLayer::boundingRect() const
{
    return m_bounds;
}

void ShadowLayer::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    const QTransform t = painter->worldTransform();
    if (t.type() > QTransform::TxTranslate) {
        // Drawn scaled or turned (a picture of the table): the outline
        // itself, sharp at any size.
        QPainterPath shade;
        shade.setFillRule(Qt::WindingFill);
        for (const auto &entry : m_shadows)
            shade.addPath(entry.second);
        GameGraphicsScene::fillShade(painter, shade);
        return;
    }
    redrawPicture();
    if (m_picture.isNull())
        return;
    const QRect source = QRectF(option->exposedRect).toAlignedRect() & QRect(m_origin, m_picture.size());
    if (source.isEmpty())
        return;
    // A plain copy at whole pixels: no resampling.
    painter->save();
    const QPoint shift(int(std::round(t.dx())), int(std::round(t.dy())));
    painter->setWorldTransform(QTransform::fromTranslate(shift.x(), shift.y()));
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    // A view repaints a region of many rectangles; the raster engine copies
    // an image straight only inside one rectangle, and otherwise blends it
    // line by line on its thread pool. So one copy per rectangle.
    const QRegion system = painter->paintEngine() ? painter->paintEngine()->systemClip() : QRegion();
    if (painter->hasClipping() || system.rectCount() <= 1) {
        painter->drawImage(source.topLeft(), m_picture, source.translated(-m_origin));
    } else {
        for (const QRect &device : system) {
            const QRect part = device.translated(-shift) & source;
            if (part.isEmpty())
                continue;
            painter->setClipRect(part);
            painter->drawImage(part.topLeft(), m_picture, part.translated(-m_origin));
        }
    }
    painter->restore();
}
