#pragma once

#include "game/Tile.h"

#include <QMetaType>
#include <QString>

#include <utility>
#include <vector>

// One scoring line: its name (already translated by the server) and value.
typedef std::pair<QString, qint32> score_line;
typedef std::vector<score_line> score_lines;
// A group of the winning hand and the tile to mark in it.
typedef std::pair<tile_vector, tile> tile_group;
typedef std::vector<tile_group> tile_groups;

// One player's part of a scored hand, exactly as the server reports it.
struct PlayerHandScore
{
    qint32 playerId = 0;
    QString screenName;
    // 1 the player won the hand, 0 lost it.
    qint32 result = 0;
    score_lines pointsLines;
    score_lines doublesLines;
    score_lines limitHandLines;
    qint32 pointsTotal = 0;
    qint32 doublesTotal = 0;
    // Carried with the record; no view shows it.
    qint32 extraValue = 0;
    qint32 handScore = 0;
    qint32 settlement = 0;
    // Score after the settlement: the table stores it as the player's points.
    qint32 currentScore = 0;
    // Money in cents.
    qint32 payment = 0;
    tile_groups tileGroups;

    bool operator==(const PlayerHandScore &other) const = default;
};

Q_DECLARE_METATYPE(PlayerHandScore)
