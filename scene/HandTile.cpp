#include "scene/HandTile.h"

#include "scene/HandView.h"

#include <QGraphicsSceneMouseEvent>

HandTile::HandTile(HandView *hand, tile t)
    : TileView(TileImages::Bottom, TileImages::Hand, t)
    , m_hand(hand)
{
    setAcceptHoverEvents(true);
}

void HandTile::lower()
{
    if (m_raise == 0)
        return;
    setTransform(QTransform::fromTranslate(0, m_raise), true);
    m_raise = 0;
}

void HandTile::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    if (m_raise != 0 || !m_hand->isAllowed(getTile()))
        return;
    m_raise = RaisePixels;
    setTransform(QTransform::fromTranslate(0, -m_raise), true);
    m_hand->tileHovered();
}

void HandTile::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    lower();
}

void HandTile::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    event->accept();
    m_hand->tilePressed(getTile());
}
