#include "scene/ShadowedGroup.h"

#include "scene/GameGraphicsScene.h"
#include "scene/ShadowGeometry.h"

#include <QTransform>

namespace {

struct Caster
{
    QPolygonF outline;
    int height;
};

void collect(const QGraphicsItem *item, const QTransform &t, QList<Caster> &out)
{
    for (const QGraphicsItem *c : item->childItems()) {
        if (!c->isVisible())
            continue;
        // The child's full mapping into its parent (position, transform,
        // rotation and scale), so shadows stay under what is drawn.
        const QTransform tc = c->itemTransform(item) * t;
        const QVariant v = c->data(SceneItem::ShadowGeometryKey);
        if (v.canConvert<ShadowGeometry>()) {
            const ShadowGeometry g = v.value<ShadowGeometry>();
            out.append(Caster{tc.map(g.outline), g.height});
            continue;
        }
        collect(c, tc, out);
    }
}

bool facesLight(const QPointF &a, const QPointF &b, const QPointF &l)
{
    return (b.x() - a.x()) * (l.y() - a.y()) - (b.y() - a.y()) * (l.x() - a.x()) < 0;
}

} // namespace

ShadowedGroup::ShadowedGroup(QGraphicsItem *parent)
    : GraphicsNode(parent)
{
    ShadowGeometry::registerMetaTypes();
    // The scene's shade must follow the group wherever it is moved.
    setFlag(ItemSendsScenePositionChanges);
}

ShadowedGroup::~ShadowedGroup()
{
    // The scene's shade is drawn once and kept: a group that goes takes its
    // shadow with it.
    if (auto *s = qobject_cast<GameGraphicsScene *>(scene())) {
        setData(SceneItem::ShadowPathKey, QVariant());
        s->shadowCasterGone(this);
    }
}

QVariant ShadowedGroup::itemChange(GraphicsItemChange change, const QVariant &value)
{
    switch (change) {
    case ItemSceneChange: // leaving: the old scene redraws without it
        notifyScene(true);
        break;
    case ItemSceneHasChanged:
    case ItemScenePositionHasChanged:
    case ItemVisibleHasChanged:
        notifyScene(false);
        break;
    default:
        break;
    }
    return GraphicsNode::itemChange(change, value);
}

void ShadowedGroup::notifyScene(bool leaving)
{
    if (auto *s = qobject_cast<GameGraphicsScene *>(scene()))
        s->shadowsChanged(this, leaving);
}

void ShadowedGroup::setLightPosition(const QPointF &scenePos)
{
    if (qFuzzyCompare(scenePos.x(), m_light.x()) && qFuzzyCompare(scenePos.y(), m_light.y()))
        return;
    m_light = scenePos;
    updateShadow();
}

void ShadowedGroup::updateShadow()
{
    rebuildShadow();
}

QPainterPath ShadowedGroup::shadowPath() const
{
    return data(SceneItem::ShadowPathKey).value<QPainterPath>();
}

QRectF ShadowedGroup::boundingRect() const
{
    return m_bounds;
}

QPainterPath ShadowedGroup::shadowPath(const QPolygonF &outline, const QPointF &light, int height)
{
    QPolygonF p = outline;
    if (p.size() > 1 && p.isClosed())
        p.removeLast();
    QPainterPath path;
    const int n = p.size();
    if (n < 3 || height >= 150)
        return path;
    const qreal k = qreal(height) / (150 - height);
    auto project = [&](const QPointF &v) { return v + (v - light) * k; };
    bool started = false;
    auto emitPoint = [&](const QPointF &q) {
        if (started) {
            path.lineTo(q);
        } else {
            path.moveTo(q);
            started = true;
        }
    };
    // Vertices in the order Pn-1, P0, ..., Pn-2.
    for (int step = 0; step < n; ++step) {
        const int i = (step + n - 1) % n;
        const QPointF &v = p[i];
        const QPointF &prev = p[(i + n - 1) % n];
        const QPointF &next = p[(i + 1) % n];
        const bool inLit = facesLight(prev, v, light);
        const bool outLit = facesLight(v, next, light);
        if (inLit) {
            emitPoint(project(v));
            if (!outLit)
                emitPoint(v);
        } else {
            emitPoint(v);
            if (outLit)
                emitPoint(project(v));
        }
    }
    path.closeSubpath();
    return path;
}

void ShadowedGroup::rebuildShadow()
{
    QList<Caster> casters;
    collect(this, QTransform(), casters);
    const QPointF light = mapFromScene(m_light);
    QPainterPath path;
    for (const Caster &c : casters)
        path.addPath(shadowPath(c.outline, light, c.height));
    // The group draws nothing itself: the scene's shade repaints what the
    // shadow changed. Telling the view of a new extent repaints every tile
    // of the group, so it is told only when the extent changed.
    const QRectF bounds = path.boundingRect();
    if (bounds != m_bounds) {
        prepareGeometryChange();
        m_bounds = bounds;
    }
    setData(SceneItem::ShadowPathKey, QVariant::fromValue(path));
    notifyScene();
}
