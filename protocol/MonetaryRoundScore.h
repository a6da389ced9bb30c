#pragma once

#include <QMetaType>
#include <QtGlobal>

#include <vector>

// One player's result of a round played for money.
struct MonetaryRoundScore
{
    qint32 playerId = 0;
    qint32 mahjongPoints = 0;
    qint64 result = 0; // cents

    bool operator==(const MonetaryRoundScore &other) const = default;
};

typedef std::vector<MonetaryRoundScore> MonetaryRoundScores;

Q_DECLARE_METATYPE(MonetaryRoundScores)
