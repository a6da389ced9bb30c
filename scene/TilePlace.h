#pragma once

#include "scene/TileImages.h"

#include <QPointF>

// Where a tile lies: its scene position, use and side.
struct TilePlace
{
    QPointF pos;
    TileImages::Use use = TileImages::Declared;
    TileImages::Side side = TileImages::Bottom;
};
