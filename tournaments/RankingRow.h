#pragma once

#include "protocol/TournamentRanking.h"

#include <QList>

class QStandardItem;

// One player's row of a tournament's standings: the last record and the
// row's three cells (position, name, points), which the model owns.
struct RankingRow
{
    TournamentRanking ranking;
    QList<QStandardItem *> cells;
};
