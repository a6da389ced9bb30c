#pragma once

#include "protocol/PrizeConfiguration.h"
#include "protocol/TournamentInfo.h"

#include <QList>
#include <QStandardItemModel>

#include <any>

// One payout table of a tournament: per range of finishing positions the
// share of the pot and, once the pot is positive, the amount it is worth.
class TournamentPrizeStructureModel : public QStandardItemModel
{
    Q_OBJECT

public:
    enum Column { PositionColumn, ShareColumn, AmountColumn };

    explicit TournamentPrizeStructureModel(QObject *parent = nullptr);

    // The share cell and, for a positive pot, the amount cell of a value
    // that holds a pot_share_t; no cells for anything else.
    static QList<QStandardItem *> createPrizeItems(const std::any &value, const TournamentInfo &info);

public slots:
    void onTournamentPrizeStructure(const prize_structure_t &prizeStructure, const TournamentInfo &info);
};
