#include "scene/TileAnimationSet.h"

#include "scene/Logging.h"
#include "scene/TileAnimation.h"
#include "scene/TileAnimationSource.h"
#include "scene/TileAnimationTarget.h"

TileAnimationSet::TileAnimationSet(QGraphicsScene *scene, TileAnimationSource *source, TileAnimationTarget *target,
                                   int durationMs, const tile_vector &tiles)
    : GameWindowAnimation(durationMs)
    , m_scene(scene)
    , m_source(source)
    , m_target(target)
    , m_count(0)
    , m_tiles(tiles)
{
}

TileAnimationSet::TileAnimationSet(QGraphicsScene *scene, TileAnimationSource *source, TileAnimationTarget *target,
                                   int durationMs, int count)
    : GameWindowAnimation(durationMs)
    , m_scene(scene)
    , m_source(source)
    , m_target(target)
    , m_count(count)
{
}

TileAnimationSet::~TileAnimationSet() = default;

void TileAnimationSet::buildMoving()
{
    const bool known = m_count == 0;
    const std::vector<TilePlace> from = known ? m_source->tilePlaces(m_tiles) : m_source->tilePlaces(m_count);
    const std::vector<TilePlace> to = known ? m_target->tilePlaces(m_tiles) : m_target->tilePlaces(m_count);
    const std::size_t wanted = known ? m_tiles.size() : static_cast<std::size_t>(qMax(0, m_count));
    const std::size_t n = std::min({wanted, from.size(), to.size()});
    if (n < wanted)
        qCWarning(lcScene, "Tile animation: %d of %d tiles have places; the others jump", int(n), int(wanted));
    const TileImages::Use use = known ? TileImages::Declared : TileImages::DeclaredFaceDown;
    for (std::size_t i = 0; i < n; ++i) {
        const TilePlace &a = from[i];
        const TilePlace &b = to[i];
        auto animation = std::make_unique<TileAnimation>(m_scene, &m_timeLine, use, a.side, b.side, 0.0, 1.0);
        const double base = TileAnimation::rowExtent(use, b.side);
        const double startScale = base > 0 ? TileAnimation::rowExtent(a.use, a.side) / base : 1.0;
        const double endScale = base > 0 ? TileAnimation::rowExtent(b.use, b.side) / base : 1.0;
        if (known) {
            animation->tileItem().setTile(m_tiles[i]);
            animation->setStartPlace(a);
            animation->setMovingZ(a.pos.y() + 100);
            animation->setStartScale(startScale);
            animation->setEndPlace(b);
            animation->setLandedZ(a.pos.y() + 100);
            animation->setEndScale(endScale);
        } else {
            animation->setStartPlace(a);
            animation->setStartScale(startScale);
            animation->setEndPlace(b);
            animation->setEndScale(endScale);
        }
        m_moving.push_back(std::move(animation));
    }
}

void TileAnimationSet::start(bool immediate)
{
    // Nothing moves when the set is finished at once.
    if (!immediate) {
        buildMoving();
        m_timeLine.start();
    }
    if (m_count == 0)
        m_source->takeTiles(m_tiles);
    else
        m_source->takeTiles(m_count);
}

void TileAnimationSet::finish(bool)
{
    // An early finish must not tick on, nor announce an end later.
    m_timeLine.stop();
    for (const auto &animation : m_moving)
        animation->tileItem().hide();
    if (m_count == 0)
        m_target->addTiles(m_tiles);
    else
        m_target->addTiles(m_count);
}
