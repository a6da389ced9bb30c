#include "scene/WallFill.h"

#include "game/RulesetInfo.h"
#include "scene/TileImages.h"

#include <algorithm>

namespace {
constexpr int Empty = TileImages::Unused;
constexpr int Double = TileImages::WallDouble;
} // namespace

int WallFill::modeOf(int ruleset)
{
    switch (ruleset) {
    case RULESET_CLASSIC:
        return ClassicMode;
    case RULESET_RIICHI:
        return RiichiMode;
    default:
        return InternationalMode;
    }
}

WallFill::WallFill(int stackCount, int use)
    : stacks(std::max(stackCount, 1), use)
{
}

int WallFill::wrap(qint64 stack) const
{
    const qint64 n = static_cast<qint64>(stacks.size());
    return static_cast<int>((stack % n + n) % n);
}

void WallFill::addOn(qint64 stack)
{
    int &use = stacks[wrap(stack)];
    if (use == Empty)
        use = TileImages::WallSingle;
    else if (use == TileImages::WallSingle || use == TileImages::WallDouble)
        ++use;
}

void WallFill::fill(qint64 fromHalf, qint64 count)
{
    const qint64 ring = 2 * static_cast<qint64>(stacks.size());
    count = std::clamp<qint64>(count, 0, 3 * static_cast<qint64>(stacks.size()));
    for (qint64 h = fromHalf; h < fromHalf + count; ++h)
        addOn(((h % ring + ring) % ring) / 2);
}

void WallFill::placeDoras(qint64 firstStack, const tile_vector &indicators, int limit)
{
    const int count = std::min(static_cast<int>(indicators.size()), limit);
    for (int j = 0; j < count; ++j)
        doras[wrap(firstStack + j)] = indicators[j];
}

WallFill WallFill::square(int mode, int stackCount, bool hasState, int liveTiles, int deadWallTiles,
                          int deadWallPosition, int deadWallTilesDealt, const tile_vector &indicators)
{
    if (!hasState)
        return WallFill(stackCount, Double);
    WallFill w(stackCount, Empty);
    const qint64 live = liveTiles, dead = deadWallTiles, pos = deadWallPosition, dealt = deadWallTilesDealt;
    const qint64 s = dealt / 2 + pos;
    switch (mode) {
    case RiichiMode: {
        const qint64 start = dealt + 2 * pos;
        w.fill(start, dead);
        w.placeDoras(pos + 2, indicators, static_cast<int>(w.stacks.size()));
        w.fill(start + dead, live);
        // The next live draw takes the last tile of the live run.
        w.liveNext = w.wrap((start + dead + live - 1) / 2);
        w.deadNext = w.wrap(s);
        break;
    }
    case ClassicMode: {
        const qint64 x = std::max<qint64>((dead + 1) / 2 - 1, 0);
        if (dead >= 13) {
            w.fill(2 * s, 2 * x);
            // The loose tiles lie on top of the dead wall.
            if (dead == 14)
                w.addOn(s + 1);
            w.addOn(s + 4);
        } else {
            w.fill(dealt + 2 * pos, dead);
        }
        w.fill(2 * (s + x) + 2, live);
        w.liveNext = w.wrap(s + (live + 1) / 2 + x);
        w.deadNext = w.wrap(dead == 13 ? s + 4 : dead == 14 ? s + 1 : s);
        break;
    }
    default:
        w.fill(dealt + 2 * pos, live);
        w.liveNext = w.wrap((dealt + live + 1) / 2 + pos - 1);
        w.deadNext = w.wrap(s);
        break;
    }
    return w;
}

WallFill WallFill::compact(int mode, bool hasState, int liveTiles, int deadWallTiles, int deadWallTilesDealt,
                           const tile_vector &indicators)
{
    if (!hasState)
        return WallFill(CompactStacks, Double);
    WallFill w(CompactStacks, Empty);
    const qint64 live = liveTiles, dead = deadWallTiles, dealt = deadWallTilesDealt;
    const qint64 nextLive = std::clamp<qint64>(live, 0, 4);
    switch (mode) {
    case RiichiMode:
        w.fill(dealt, 14 - dealt);
        w.placeDoras(2, indicators, CompactStacks - 2);
        w.fill(14, nextLive);
        break;
    case ClassicMode:
        if (dead >= 13) {
            w.fill(0, 12);
            if (dead == 14)
                w.addOn(1);
            w.addOn(4);
        } else {
            w.fill(0, dead);
        }
        w.fill(14, nextLive);
        break;
    default:
        w.fill(0, std::clamp<qint64>(live, 0, 18));
        break;
    }
    w.liveNext = CompactStacks - 1;
    w.deadNext = 0;
    return w;
}
