#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <vector>

// One player's line of a tournament's standings.
struct TournamentRanking
{
    qint32 playerId = 0;
    QString name;
    qint32 tablePoints = 0; // meaning not given; shown nowhere
    // The player's tournament points in half points (the third 32-bit
    // value): what the round score board shows.
    qint32 competitionPoints = 0;
    qint64 payout = 0;       // cents
    bool eliminated = false; // copied with the record, shown nowhere

    bool operator==(const TournamentRanking &other) const = default;
};

// In the server's order.
typedef std::vector<TournamentRanking> TournamentRankings;

Q_DECLARE_METATYPE(TournamentRanking)
Q_DECLARE_METATYPE(TournamentRankings)
