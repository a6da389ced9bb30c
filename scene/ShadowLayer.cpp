#include "scene/ShadowLayer.h"

#include "scene/GameGraphicsScene.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>

#include <cmath>
#include <limits>
#include <map>

namespace {
// Bands of the shade filled again, each with only the shadows reaching into it.
constexpr int FillBand = 64;
} // namespace

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

ShadowLayer::Shadow ShadowLayer::shadowOf(const QPainterPath &path)
{
    Shadow shadow;
    shadow.path = path;
    const QList<QPolygonF> parts = path.toSubpathPolygons();
    shadow.parts.assign(parts.begin(), parts.end());
    shadow.extents.reserve(shadow.parts.size());
    for (const QPolygonF &part : shadow.parts)
        shadow.extents.push_back(part.boundingRect());
    return shadow;
}

QRectF ShadowLayer::changedArea(const Shadow &before, const Shadow &after)
{
    // Parts match one to one; a tile's shadow usually keeps its place in
    // the list, so the same index is tried first.
    std::vector<bool> matched(after.parts.size(), false);
    QRectF area;
    for (std::size_t i = 0; i < before.parts.size(); ++i) {
        bool found = false;
        for (std::size_t k = 0; k < after.parts.size() && !found; ++k) {
            const std::size_t j = (i + k) % after.parts.size();
            if (!matched[j] && after.parts[j] == before.parts[i])
                matched[j] = found = true;
        }
        if (!found)
            area |= before.extents[i];
    }
    for (std::size_t j = 0; j < after.parts.size(); ++j)
        if (!matched[j])
            area |= after.extents[j];
    return area;
}

void ShadowLayer::refresh()
{
    QRectF bounds;
    std::map<const QGraphicsItem *, Shadow> shadows;
    for (const QGraphicsItem *item : shadowItems()) {
        bounds |= item->sceneBoundingRect();
        shadows[item] = shadowOf(
            item->sceneTransform().map(item->data(SceneItem::ShadowPathKey).value<QPainterPath>()));
    }
    // Only the shadows that changed are drawn again.
    static const Shadow none;
    QRectF dirty;
    for (const auto &[item, shadow] : shadows) {
        const auto old = m_shadows.find(item);
        dirty |= changedArea(old == m_shadows.end() ? none : old->second, shadow);
    }
    for (const auto &[item, shadow] : m_shadows) {
        if (shadows.find(item) == shadows.end())
            dirty |= shadow.path.boundingRect();
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
    if (casts) {
        QPainterPath path = source->sceneTransform().map(shadow.value<QPainterPath>());
        if (old != m_shadows.end() && old->second.path == path)
            return;
        Shadow now = shadowOf(path);
        static const Shadow none;
        dirty = changedArea(old == m_shadows.end() ? none : old->second, now);
        bounds = source->sceneBoundingRect();
        m_shadows[source] = std::move(now);
    } else {
        if (old == m_shadows.end())
            return;
        dirty = old->second.path.boundingRect();
        m_shadows.erase(old);
    }
    apply(bounds, dirty);
}

void ShadowLayer::apply(const QRectF &bounds, const QRectF &dirty)
{
    if (!bounds.isEmpty() && !m_bounds.contains(bounds)) {
        // The area only grows: the picture keeps what it holds and only the
        // new part is filled.
        prepareGeometryChange();
        m_bounds |= bounds;
        update();
        // Made when the table is laid out, not in its first paint.
        ensurePicture();
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
    for (const auto &entry : m_shadows) {
        const Shadow &shadow = entry.second;
        for (std::size_t i = 0; i < shadow.parts.size(); ++i)
            if (shadow.extents[i].intersects(reach))
                shade.addPolygon(shadow.parts[i]);
    }
    return shade;
}

void ShadowLayer::ensurePicture()
{
    const QRect needed = m_bounds.toAlignedRect();
    if (needed.isEmpty()) {
        m_picture = QImage();
        m_stale = QRegion();
        m_fresh = QRegion();
        return;
    }
    const QRect held(m_origin, m_picture.size());
    if (!m_picture.isNull() && held.contains(needed))
        return;
    // The picture covers what the views show from the start, so that a
    // shadow reaching where none was before (a hand dealt) fills only its
    // own part.
    QRectF shown;
    if (scene())
        for (const QGraphicsView *view : scene()->views())
            shown |= view->sceneRect();
    const QRect area = needed | shown.toAlignedRect() | (m_picture.isNull() ? QRect() : held);
    QImage grown(area.size(), QImage::Format_ARGB32_Premultiplied);
    grown.fill(Qt::transparent);
    if (!m_picture.isNull()) {
        QPainter p(&grown);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(m_origin - area.topLeft(), m_picture);
    }
    const QRegion added = QRegion(area).subtracted(m_picture.isNull() ? QRegion() : QRegion(held));
    m_fresh += added;
    m_stale += added;
    m_picture = grown;
    m_origin = area.topLeft();
}

void ShadowLayer::redrawPicture()
{
    ensurePicture();
    if (m_stale.isEmpty())
        return;
    QPainter p(&m_picture);
    p.translate(-m_origin);
    p.setRenderHint(QPainter::Antialiasing);
    // Each band is clear when its shade is filled, and the shade covers
    // each pixel once: Source gives the pixels SourceOver would, and the
    // raster engine fills Source spans itself, where it hands SourceOver
    // spans of a translucent brush to its thread pool, which costs more
    // than the fill.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &r : m_stale.intersected(QRect(m_origin, m_picture.size()))) {
        // In bands, each with the shadows that reach into it.
        for (int y = r.top(); y <= r.bottom(); y += FillBand) {
            const QRect band(r.left(), y, r.width(), std::min(FillBand, r.bottom() + 1 - y));
            // Cleared unless all of it was made clear since: a region
            // "contains" a rectangle that it merely overlaps, and a band
            // half in a part just grown keeps the old shade in its other
            // half (the shadows of a table before a resize).
            if (!QRegion(band).subtracted(m_fresh).isEmpty())
                p.fillRect(band, Qt::transparent);
            const QPainterPath shade = shadeWithin(band);
            if (shade.isEmpty())
                continue;
            p.setClipRect(band);
            GameGraphicsScene::fillShade(&p, shade);
            p.setClipping(false);
        }
    }
    m_stale = QRegion();
    m_fresh = QRegion();
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
            shade.addPath(entry.second.path);
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
