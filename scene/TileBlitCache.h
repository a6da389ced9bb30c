#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

#include <functional>
#include <map>
#include <tuple>

class QTransform;

// Tile pictures already scaled and turned, so that a tile drawn under a
// rotation or scale (a tile in flight, a view that scales) is copied as a
// plain blit. A smoothly transformed drawing costs the raster engine far
// more than its pixels: it splits the work over its thread pool, and on a
// busy machine the GUI thread waits for a free core. GUI thread only; the
// owning painter empties it when its images change.
class TileBlitCache
{
public:
    // Scales are taken in steps of 1/ScaleSteps.
    static constexpr int ScaleSteps = 64;
    // Beyond this many pictures the cache starts afresh: memory stays
    // bounded whatever the scales drawn.
    static constexpr int MaxPictures = 512;

    // What an item shows, as far as its picture depends on it.
    struct Key
    {
        int use = 0;
        int side = 0;
        int tile = 0;
        int flags = 0;
        int quarterTurns = 0;
        int scaleStep = ScaleSteps;
        bool operator<(const Key &o) const
        {
            return std::tie(use, side, tile, flags, quarterTurns, scaleStep)
                   < std::tie(o.use, o.side, o.tile, o.flags, o.quarterTurns, o.scaleStep);
        }
    };

    // The nearest whole quarter turns and scale step of a transform that
    // turns and scales the same in both directions; false for any other
    // (shear, mirror, perspective, uneven or extreme scale).
    static bool snap(const QTransform &t, int *quarterTurns, int *scaleStep);

    // The picture that `draw` paints (item coordinates) inside `bounds`,
    // scaled by scaleStep / ScaleSteps and turned by the quarter turns, and
    // where its top-left corner lies relative to the item's origin.
    struct Picture
    {
        QImage image;
        QPointF offset;
    };
    const Picture &picture(const Key &key, const QRect &bounds, const std::function<void(QPainter &)> &draw);

    void clear() { m_pictures.clear(); }
    int size() const { return static_cast<int>(m_pictures.size()); }

private:
    std::map<Key, Picture> m_pictures;
};
