#pragma once

#include <QMetaType>
#include <QtGlobal>

#include <vector>

// One player's result of a tournament round.
struct TournamentRoundScore
{
    qint32 playerId = 0;
    qint32 mahjongPoints = 0;
    qint32 result = 0; // half points

    bool operator==(const TournamentRoundScore &other) const = default;
};

typedef std::vector<TournamentRoundScore> TournamentRoundScores;

Q_DECLARE_METATYPE(TournamentRoundScores)
