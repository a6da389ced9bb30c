#pragma once

#include "game/Tile.h"
#include "scene/TilePlace.h"

#include <vector>

// A view that receives tiles from an animation: where they will lie, and
// taking them. See TileAnimationSource for why the calls forward.
class TileAnimationTarget
{
public:
    virtual ~TileAnimationTarget() = default;

    std::vector<TilePlace> tilePlaces(const tile_vector &tiles) { return targetPlaces(tiles); }
    std::vector<TilePlace> tilePlaces(int count) { return targetPlaces(count); }
    void addTiles(const tile_vector &tiles) { addTargetTiles(tiles); }
    void addTiles(int count) { addTargetTiles(count); }

protected:
    virtual std::vector<TilePlace> targetPlaces(const tile_vector &tiles)
    {
        return targetPlaces(static_cast<int>(tiles.size()));
    }
    virtual std::vector<TilePlace> targetPlaces(int count) = 0;
    virtual void addTargetTiles(const tile_vector &tiles) { addTargetTiles(static_cast<int>(tiles.size())); }
    virtual void addTargetTiles(int count) = 0;
};
