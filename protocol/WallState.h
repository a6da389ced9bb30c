#pragma once

#include "game/Tile.h"

#include <QMetaType>
#include <QtGlobal>

struct WallState
{
    qint32 deadWallPosition = 0;
    tile_vector doraIndicators;
    qint32 liveTiles = 0;
    qint32 deadWallTiles = 0;
    qint32 deadWallTilesDealt = 0;

    bool operator==(const WallState &other) const = default;
};

Q_DECLARE_METATYPE(WallState)
