#pragma once

#include "game/PlayerHandScore.h"
#include "game/Tile.h"

#include <QMetaType>

#include <map>

// The outcome of a hand that ended with a score, as the server reports it.
struct EndHandScoring
{
    enum WinKind { MAHJONG = 1, WIN_ON_DISCARD = 2, SELF_DRAWN = 3 };

    // This hand ended the game at the table.
    bool endOfGame = false;
    // One of WinKind for a won hand; other values name no win.
    qint32 winKind = 0;
    // Ordered by player id.
    std::map<qint32, PlayerHandScore> players;
    tile_vector doraTiles;
    tile_vector uraDoraTiles;

    bool isWon() const;

    bool operator==(const EndHandScoring &other) const = default;
};

Q_DECLARE_METATYPE(EndHandScoring)
