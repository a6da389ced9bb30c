#pragma once

#include "scene/GraphicsNode.h"
#include "scene/TileImages.h"

#include <QTransform>

#include <vector>

class QGraphicsSvgItem;

// The riichi sticks a seat has put down, side by side, turned with the seat.
class RiichiStickView : public GraphicsNode
{
public:
    enum { Type = SceneItem::RiichiStickViewType };

    explicit RiichiStickView(TileImages::Side side);

    // Stick items are made as needed and only hidden when fewer are shown.
    void setStickCount(int count);
    void setScale(double scale);

    int stickCount() const { return m_count; }
    const std::vector<QGraphicsSvgItem *> &stickItems() const { return m_sticks; }
    int type() const override { return Type; }

private:
    void layoutSticks();

    QTransform m_rotation;
    double m_scale = 1.0;
    int m_count = 0;
    std::vector<QGraphicsSvgItem *> m_sticks;
};
