#include "game/RulesetInfo.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

class ClassicRuleset final : public RulesetInfo
{
public:
    qint32 deadWall() const override { return 14; }
    qint32 liveWall() const override { return 130; }
};

class InternationalRuleset final : public RulesetInfo
{
public:
    qint32 deadWall() const override { return 0; }
    qint32 liveWall() const override { return 144; }
};

class RiichiRuleset final : public RulesetInfo
{
public:
    qint32 deadWall() const override { return 14; }
    qint32 liveWall() const override { return 122; }
};

qint32 saturate(qint64 value)
{
    return static_cast<qint32>(
        std::clamp<qint64>(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

// Classic: every tile comes off the dead wall, which is topped up from the
// live wall two tiles at a time once it is down to (size - 2). Worked in
// whole runs rather than tile by tile so that a huge count costs nothing.
void classicDeadWallDraw(qint64 count, qint64 &live, qint64 &dead)
{
    const qint64 topUpAt = rulesetInfo(RULESET_CLASSIC).deadWall() - 2; // 12
    qint64 remaining = count;
    while (remaining > 0) {
        if (live < 2) {
            // Nothing left to top up with.
            dead -= remaining;
            return;
        }
        if (dead > topUpAt + 1) {
            // These draws stay above the top-up mark.
            const qint64 step = std::min(remaining, dead - (topUpAt + 1));
            dead -= step;
            remaining -= step;
        } else if (dead == topUpAt + 1) {
            if (remaining >= 2) {
                // Steady cycle: a draw to the mark, a top-up, a draw back.
                const qint64 pairs = std::min(remaining / 2, live / 2);
                live -= 2 * pairs;
                remaining -= 2 * pairs;
            } else {
                live -= 2;
                dead += 1;
                remaining = 0;
            }
        } else {
            // Below the mark: each draw takes one and tops up two.
            const qint64 step = std::min({remaining, topUpAt + 1 - dead, live / 2});
            dead += step;
            live -= 2 * step;
            remaining -= step;
        }
    }
}

} // namespace

const RulesetInfo &rulesetInfo(int rulesetId)
{
    static const ClassicRuleset classic;
    static const InternationalRuleset international;
    static const RiichiRuleset riichi;
    switch (rulesetId) {
    case RULESET_CLASSIC:
        return classic;
    case RULESET_INTERNATIONAL:
        return international;
    case RULESET_RIICHI:
        return riichi;
    default:
        throw std::runtime_error("Ruleset not supported");
    }
}

void updateWallCounts(int rulesetId, qint32 count, bool fromDeadWall, qint32 &liveTiles, qint32 &deadWallTiles,
                      qint32 &deadWallTilesDealt)
{
    qint64 live = liveTiles;
    qint64 dead = deadWallTiles;
    qint64 dealt = deadWallTilesDealt;

    if (!fromDeadWall) {
        live -= count;
    } else {
        switch (rulesetId) {
        case RULESET_INTERNATIONAL:
            if (count > 0)
                live -= count;
            break;
        case RULESET_RIICHI:
            // The dead wall keeps its size by taking from the end of the
            // live wall; it shrinks only when the live wall is empty.
            if (count > 0) {
                const qint64 fromLive = live >= 1 ? std::min<qint64>(count, live) : 0;
                live -= fromLive;
                dead -= count - fromLive;
            }
            break;
        case RULESET_CLASSIC:
            classicDeadWallDraw(count, live, dead);
            break;
        default:
            break;
        }
        dealt += count;
    }

    liveTiles = saturate(live);
    deadWallTiles = saturate(dead);
    deadWallTilesDealt = saturate(dealt);
}
