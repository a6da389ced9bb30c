#pragma once

#include <QtGlobal>

// Wall sizes of one ruleset at the start of a hand. One instance per
// ruleset, obtained through rulesetInfo().
class RulesetInfo
{
public:
    virtual ~RulesetInfo() = default;
    virtual qint32 deadWall() const = 0;
    virtual qint32 liveWall() const = 0;
};

// Ruleset ids as carried in the table description.
enum RulesetId { RULESET_CLASSIC = 0, RULESET_INTERNATIONAL = 1, RULESET_RIICHI = 2 };

// Throws std::runtime_error "Ruleset not supported" for ids other than 0-2.
const RulesetInfo &rulesetInfo(int rulesetId);

// Wall bookkeeping after `count` tiles were drawn, from the live wall or from
// the dead wall. Results saturate at the 32-bit range, so counts from the
// server can never overflow them.
void updateWallCounts(int rulesetId, qint32 count, bool fromDeadWall, qint32 &liveTiles, qint32 &deadWallTiles,
                      qint32 &deadWallTilesDealt);
