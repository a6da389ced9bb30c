#pragma once

// Size of one kind of tile picture in pixels: the top face takes `height`
// rows, the visible edge (or the stacked tiles below) `depth` rows under it.
// -1 in a field means "not set".
struct TileMetrics
{
    int width = -1;
    int height = -1;
    int depth = -1;

    TileMetrics() = default;
    TileMetrics(int w, int h, int d)
        : width(w)
        , height(h)
        , depth(d)
    {
    }

    bool isNull() const { return width == -1 && height == -1 && depth == -1; }

    // Each set field multiplied and truncated toward zero.
    TileMetrics operator*(double factor) const;

    bool operator==(const TileMetrics &o) const { return width == o.width && height == o.height && depth == o.depth; }
    bool operator!=(const TileMetrics &o) const { return !(*this == o); }
};
