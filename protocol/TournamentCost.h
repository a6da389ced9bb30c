#pragma once

#include <QMetaType>
#include <QtGlobal>

// The buy-in of a tournament in cents; bet -1 means that none is set.
struct TournamentCost
{
    qint32 bet = -1;
    qint32 fee = 0;

    TournamentCost() = default;
    TournamentCost(qint32 betCents, qint32 feeCents)
        : bet(betCents)
        , fee(feeCents)
    {
    }

    // Ordered by the sum of bet and fee.
    bool operator<(const TournamentCost &other) const { return qint64(bet) + fee < qint64(other.bet) + other.fee; }
    bool operator==(const TournamentCost &other) const = default;
};

Q_DECLARE_METATYPE(TournamentCost)
