#pragma once

#include <QMetaType>
#include <QtGlobal>

#include <vector>

// A player's standing at the start of a hand.
struct round_score_t
{
    qint32 playerId = 0;
    qint32 points = 0;
    qint32 wins = 0;

    bool operator==(const round_score_t &other) const = default;
};

typedef std::vector<round_score_t> round_score_vector;

Q_DECLARE_METATYPE(round_score_vector)
