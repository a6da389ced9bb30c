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
    // Half points. The tournament's standings (TournamentRankingModel) show
    // it halved, before the slash of "%1/%2".
    qint32 tablePoints = 0;
    // The player's tournament points in half points, the entry's third
    // 32-bit value: the round score board of a tournament table shows it
    // halved as "Tournament points"; the standings show it as it is, after
    // the slash.
    qint32 competitionPoints = 0;
    qint64 payout = 0; // cents; the standings add it as a third part when any line has one
    // Copied with the record; no view reads it.
    bool eliminated = false;

    bool operator==(const TournamentRanking &other) const = default;
};

// In the server's order.
typedef std::vector<TournamentRanking> TournamentRankings;

Q_DECLARE_METATYPE(TournamentRanking)
Q_DECLARE_METATYPE(TournamentRankings)
