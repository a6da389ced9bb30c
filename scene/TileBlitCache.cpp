#include "scene/TileBlitCache.h"

#include <QPainter>
#include <QTransform>

#include <cmath>

namespace {
constexpr double QuarterTurn = 1.5707963267948966; // radians
} // namespace

bool TileBlitCache::snap(const QTransform &t, int *quarterTurns, int *scaleStep)
{
    if (!t.isAffine())
        return false;
    const double a = t.m11(), b = t.m12(), c = t.m21(), d = t.m22();
    const double sx = std::hypot(a, b), sy = std::hypot(c, d);
    if (!(sx > 0 && sy > 0) || std::abs(sx - sy) > 0.01 * sx || a * d - b * c <= 0
        || std::abs(a * c + b * d) > 0.01 * sx * sy)
        return false;
    const long step = std::lround((sx + sy) / 2 * ScaleSteps);
    if (step < 1 || step > 8 * ScaleSteps)
        return false;
    const long quarters = std::lround(std::atan2(b, a) / QuarterTurn);
    *quarterTurns = static_cast<int>(((quarters % 4) + 4) % 4);
    *scaleStep = static_cast<int>(step);
    return true;
}

const TileBlitCache::Picture &TileBlitCache::picture(const Key &key, const QRect &bounds,
                                                     const std::function<void(QPainter &)> &draw)
{
    if (const auto found = m_pictures.find(key); found != m_pictures.end())
        return found->second;
    if (size() >= MaxPictures)
        clear();
    Picture picture;
    if (!bounds.isEmpty()) {
        QImage plain(bounds.size(), QImage::Format_ARGB32_Premultiplied);
        plain.fill(Qt::transparent);
        {
            QPainter p(&plain);
            p.translate(-bounds.topLeft());
            draw(p);
        }
        const double s = double(key.scaleStep) / ScaleSteps;
        if (key.scaleStep != ScaleSteps)
            plain = plain.scaled(std::max(1, int(std::lround(plain.width() * s))),
                                 std::max(1, int(std::lround(plain.height() * s))), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        const QTransform turn = QTransform().rotate(90.0 * key.quarterTurns);
        // Whole quarter turns move pixels without resampling them.
        picture.image = key.quarterTurns == 0 ? plain : plain.transformed(turn);
        picture.offset = (QTransform::fromScale(s, s) * turn).mapRect(QRectF(bounds)).topLeft();
    }
    return m_pictures.emplace(key, std::move(picture)).first->second;
}
