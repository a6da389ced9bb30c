#include "scene/WallTileAnimationSource.h"

#include "scene/CityView.h"

#include <algorithm>

namespace {
// No draw takes more tiles than a wall holds; a larger count from the
// server gets no more places than that.
constexpr int MaxPlaces = 144;
} // namespace

std::vector<TilePlace> WallTileAnimationSource::sourcePlaces(int count)
{
    TilePlace place = m_city.nextPlace(m_deadWall);
    place.use = TileImages::WallSingle;
    return std::vector<TilePlace>(static_cast<std::size_t>(std::clamp(count, 0, MaxPlaces)), place);
}

void WallTileAnimationSource::takeSourceTiles(int count)
{
    m_city.drawTiles(count, m_deadWall);
}
