#pragma once

#include "scene/TileView.h"

class HandView;

// A tile of the local hand: lifted under the mouse when it may be chosen,
// and clicked to choose it.
class HandTile : public TileView
{
public:
    enum { Type = SceneItem::HandTileType };
    static constexpr int RaisePixels = 5;

    HandTile(HandView *hand, tile t);

    int raise() const { return m_raise; }
    // Undoes a lift.
    void lower();
    int type() const override { return Type; }

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void shift(int dy);

    HandView *m_hand;
    int m_raise = 0;
};
