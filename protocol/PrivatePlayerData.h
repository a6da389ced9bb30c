#pragma once

#include "game/Tile.h"

#include <QMetaType>

// What only the local player sees of himself at a table.
struct PrivatePlayerData
{
    tile_vector tiles; // concealed tiles
    bool active = true;
    bool furiten = false;

    bool operator==(const PrivatePlayerData &other) const = default;
};

Q_DECLARE_METATYPE(PrivatePlayerData)
