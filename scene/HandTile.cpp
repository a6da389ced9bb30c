#include "scene/HandTile.h"

#include "scene/HandView.h"

#include <QGraphicsScene>
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
    shift(m_raise);
    m_raise = 0;
}

void HandTile::shift(int dy)
{
    // The view does not always repaint where the tile stood before the
    // move: the top of a lifted tile stayed above the tray once the hand
    // changed under it.
    const QRectF before = sceneBoundingRect();
    setTransform(QTransform::fromTranslate(0, dy), true);
    if (QGraphicsScene *s = scene())
        s->update(before);
}

void HandTile::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    if (m_raise != 0 || !m_hand->isAllowed(getTile()))
        return;
    m_raise = RaisePixels;
    shift(-m_raise);
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
