#pragma once

#include "game/Tile.h"

#include <map>
#include <vector>

// The stacks of a wall worked out from the model's wall counts: a tile use
// per stack (TileImages: 8 empty, 5/6/7 one to three tiles), the dora
// indicators by stack, and the stacks the next live and dead-wall draws take
// from. Tile h of the ring lies on stack h/2; every index wraps around.
class WallFill
{
public:
    // 0 Riichi, 1 Classic, 2 International (and any other ruleset).
    enum Mode { RiichiMode = 0, ClassicMode = 1, InternationalMode = 2 };
    static constexpr int CompactStacks = 9;

    static int modeOf(int ruleset);

    // The whole wall of `stackCount` stacks. Without a state yet every stack
    // holds two tiles.
    static WallFill square(int mode, int stackCount, bool hasState, int liveTiles, int deadWallTiles,
                           int deadWallPosition, int deadWallTilesDealt, const tile_vector &doras);
    // The nine stacks of the compact wall: the dead wall and the next live
    // tiles.
    static WallFill compact(int mode, bool hasState, int liveTiles, int deadWallTiles, int deadWallTilesDealt,
                            const tile_vector &doras);

    std::vector<int> stacks;
    std::map<int, tile> doras;
    int liveNext = 0;
    int deadNext = 0;

private:
    explicit WallFill(int stackCount, int use);
    // Adds `count` tiles from ring position `fromHalf` on; a count beyond
    // what the stacks can hold is cut, so server counts cost nothing.
    void fill(qint64 fromHalf, qint64 count);
    void addOn(qint64 stack);
    int wrap(qint64 stack) const;
    void placeDoras(qint64 firstStack, const tile_vector &indicators, int limit);
};
