#pragma once

#include <QMetaType>
#include <QtGlobal>

// Per-table counters sent with game data and at each start of a hand.
struct TableState
{
    // The seats are arranged around this player.
    qint32 playerId = -1;
    qint32 prevailingWind = 0; // 0-3
    // Sent by the server, its meaning not given: kept as received, read by
    // no view.
    qint32 thirdValue = -1;
    qint32 lastDiscarder = -1; // -1: none
    qint32 riichiSticks = 0;
    qint32 counterSticks = 0;

    bool operator==(const TableState &other) const = default;
};

Q_DECLARE_METATYPE(TableState)
