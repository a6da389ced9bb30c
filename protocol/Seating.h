#pragma once

#include <QMetaType>
#include <QtGlobal>

#include <array>

// The players' ids in wind order: east, south, west, north.
struct Seating
{
    std::array<qint32, 4> players{{-1, -1, -1, -1}};

    qint32 east() const { return players[0]; }
    qint32 south() const { return players[1]; }
    qint32 west() const { return players[2]; }
    qint32 north() const { return players[3]; }

    bool operator==(const Seating &other) const = default;
};

Q_DECLARE_METATYPE(Seating)
