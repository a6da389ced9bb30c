#pragma once

#include "scene/TileAnimationSource.h"

class CityView;

// The next tile of one end of a wall (live or dead), lent to an animation;
// taking tiles shrinks the wall at once.
class WallTileAnimationSource : public TileAnimationSource
{
public:
    WallTileAnimationSource(CityView &city, bool deadWall)
        : m_city(city)
        , m_deadWall(deadWall)
    {
    }

protected:
    std::vector<TilePlace> sourcePlaces(int count) override;
    void takeSourceTiles(int count) override;

private:
    CityView &m_city;
    bool m_deadWall;
};
