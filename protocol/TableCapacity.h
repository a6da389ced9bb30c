#pragma once

#include <QMetaType>
#include <QtGlobal>

// How full a lobby table is: seated players, seats and the bots among the
// seated players.
struct TableCapacity
{
    qint32 seated = 0;
    qint32 seats = 0;
    qint32 bots = 0;

    TableCapacity() = default;
    TableCapacity(qint32 seatedPlayers, qint32 seatCount, qint32 botCount = 0)
        : seated(seatedPlayers)
        , seats(seatCount)
        , bots(botCount)
    {
    }

    // By seated players, then by seats, then by bots in descending order.
    bool operator<(const TableCapacity &other) const
    {
        if (seated != other.seated)
            return seated < other.seated;
        if (seats != other.seats)
            return seats < other.seats;
        return bots > other.bots;
    }
    bool operator==(const TableCapacity &other) const = default;
};

Q_DECLARE_METATYPE(TableCapacity)
