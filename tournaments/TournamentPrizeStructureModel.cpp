#include "tournaments/TournamentPrizeStructureModel.h"

#include "core/TextFormat.h"
#include "protocol/ProtocolMetaTypes.h"
#include "tournaments/Logging.h"
#include "tournaments/TournamentItems.h"
#include "tournaments/TournamentTexts.h"

namespace {
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
} // namespace

TournamentPrizeStructureModel::TournamentPrizeStructureModel(QObject *parent)
    : QStandardItemModel(parent)
{
    registerProtocolMetaTypes(); // Range<int> as "position_range_t"
}

QList<QStandardItem *> TournamentPrizeStructureModel::createPrizeItems(const std::any &value,
                                                                       const TournamentInfo &info)
{
    const pot_share_t *share = std::any_cast<pot_share_t>(&value);
    if (!share)
        return {};
    QList<QStandardItem *> cells{createStandardItem(Utils::percentString(share->share), QString(), Right)};
    const qint64 pot = tournamentPot(info);
    if (pot <= 0)
        return cells;
    const qint64 amount = tournamentPrize(pot, share->share);
    if (amount < 0) {
        qCWarning(lcTournaments) << "share" << share->share << "of tournament" << info.id << "is not a share of a pot";
        return cells;
    }
    cells.append(createStandardItem(tr("(%1)").arg(Utils::moneyString(amount, true)), QString(), Right));
    return cells;
}

void TournamentPrizeStructureModel::onTournamentPrizeStructure(const prize_structure_t &prizeStructure,
                                                               const TournamentInfo &info)
{
    clear();
    for (const auto &[range, value] : prizeStructure) {
        QList<QStandardItem *> row{createRangeItem(range, QString(), &positionRangeText)};
        row.first()->setTextAlignment(Right);
        row.append(createPrizeItems(value, info));
        appendRow(row);
    }
}
