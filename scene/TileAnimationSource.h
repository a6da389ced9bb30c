#pragma once

#include "game/Tile.h"
#include "scene/TilePlace.h"

#include <vector>

// A view that lends tiles to an animation: where they lie now, and giving
// them up. Views that both give and receive tiles answer differently in each
// role, so the public calls forward to role-named virtuals; call them through
// this interface.
class TileAnimationSource
{
public:
    virtual ~TileAnimationSource() = default;

    // One place per tile, in the order of the tiles.
    std::vector<TilePlace> tilePlaces(const tile_vector &tiles) { return sourcePlaces(tiles); }
    // Places of that many hidden tiles; empty when the view has none.
    std::vector<TilePlace> tilePlaces(int count) { return sourcePlaces(count); }
    void takeTiles(const tile_vector &tiles) { takeSourceTiles(tiles); }
    void takeTiles(int count) { takeSourceTiles(count); }

protected:
    virtual std::vector<TilePlace> sourcePlaces(const tile_vector &tiles)
    {
        return sourcePlaces(static_cast<int>(tiles.size()));
    }
    virtual std::vector<TilePlace> sourcePlaces(int count) = 0;
    virtual void takeSourceTiles(const tile_vector &tiles) { takeSourceTiles(static_cast<int>(tiles.size())); }
    virtual void takeSourceTiles(int count) = 0;
};
