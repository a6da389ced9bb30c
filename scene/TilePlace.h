#pragma once

#include <QPointF>

// Where a tile lies: its scene position, use and side.
struct TilePlace
{
    QPointF pos;
    int use = 0;
    int side = 0;
};
