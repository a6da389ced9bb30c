#include "scene/TileMetrics.h"

namespace {
int scaled(int v, double factor)
{
    return v == -1 ? -1 : static_cast<int>(v * factor);
}
} // namespace

TileMetrics TileMetrics::operator*(double factor) const
{
    return TileMetrics(scaled(width, factor), scaled(height, factor), scaled(depth, factor));
}
