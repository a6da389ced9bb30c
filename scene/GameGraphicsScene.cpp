#include "scene/GameGraphicsScene.h"

#include "scene/SceneItem.h"
#include "scene/ShadowGeometry.h"
#include "scene/ShadowLayer.h"

#include <QGraphicsItem>
#include <QPainter>
#include <QPainterPath>

GameGraphicsScene::GameGraphicsScene(QObject *parent)
    : QGraphicsScene(parent)
{
    ShadowGeometry::registerMetaTypes();
}

GameGraphicsScene::~GameGraphicsScene()
{
    m_closing = true;
    // Items held by value (the moving tiles of animations) are their
    // holders' to destroy, whichever goes first.
    const QList<QGraphicsItem *> all = items();
    for (QGraphicsItem *item : all)
        if (!item->parentItem() && item->data(SceneItem::HeldByValueKey).toBool())
            removeItem(item);
    clear();
}

QPainterPath GameGraphicsScene::shadeOf(const QList<QGraphicsItem *> &items)
{
    QPainterPath shade;
    shade.setFillRule(Qt::WindingFill);
    for (const QGraphicsItem *item : items) {
        const QVariant v = item->data(SceneItem::ShadowPathKey);
        if (v.metaType() != QMetaType::fromType<QPainterPath>())
            continue;
        shade.addPath(item->sceneTransform().map(v.value<QPainterPath>()));
    }
    return shade;
}

void GameGraphicsScene::fillShade(QPainter *painter, const QPainterPath &shade)
{
    if (shade.isEmpty())
        return;
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 0, 0, 48));
    painter->drawPath(shade);
    painter->restore();
}

void GameGraphicsScene::drawShadows(QPainter *painter, const QList<QGraphicsItem *> &items)
{
    fillShade(painter, shadeOf(items));
}

void GameGraphicsScene::shadowCasterGone(const QGraphicsItem *group)
{
    // Not while the scene clears: the shade goes with everything else.
    if (!m_closing && m_layer)
        m_layer->refresh(group, true);
}

void GameGraphicsScene::shadowsChanged(const QGraphicsItem *group, bool leaving)
{
    if (m_closing)
        return;
    if (!m_layer) {
        m_layer = new ShadowLayer;
        addItem(m_layer);
        m_layer->refresh();
        return;
    }
    if (group)
        m_layer->refresh(group, leaving);
    else
        m_layer->refresh();
}
