#include "tournaments/TournamentRankingModel.h"

#include "tournaments/Logging.h"
#include "tournaments/TournamentItems.h"
#include "tournaments/TournamentRoles.h"
#include "tournaments/TournamentTexts.h"

#include <algorithm>

namespace {
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
} // namespace

TournamentRankingModel::TournamentRankingModel(qint32 tournamentId, QObject *parent)
    : QStandardItemModel(parent)
    , m_tournamentId(tournamentId)
{
}

const TournamentRanking *TournamentRankingModel::rankingAt(const QModelIndex &index) const
{
    if (!index.isValid())
        return nullptr;
    const QVariant id = this->index(index.row(), PositionColumn, index.parent()).data(TournamentRoles::IdRole);
    if (!id.isValid())
        return nullptr;
    const auto it = m_rankingRows.find(id.toInt());
    return it == m_rankingRows.end() ? nullptr : &it->second.ranking;
}

QVariant TournamentRankingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QStandardItemModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return int(section == PositionColumn ? Right : Left);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (section) {
    case PositionColumn:
        return tr("#", "position in the standings");
    case NameColumn:
        return tr("Player");
    case PointsColumn:
        if (role == Qt::ToolTipRole)
            return m_payouts ? tr("Table points / competition points / prize")
                             : tr("Table points / competition points");
        // In the order of the texts below it ("24/3/$500").
        return m_payouts ? tr("Points/Comp./Prize") : tr("Points/Comp.");
    default:
        return QVariant();
    }
}

void TournamentRankingModel::retranslateHeaders()
{
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void TournamentRankingModel::onTournamentRankings(qint32 tournamentId, const TournamentRankings &rankings)
{
    if (tournamentId != m_tournamentId)
        return;
    std::map<qint32, RankingRow> oldRows;
    oldRows.swap(m_rankingRows);

    const bool payouts = std::any_of(rankings.begin(), rankings.end(),
                                     [](const TournamentRanking &r) { return r.payout > 0; });
    if (payouts != m_payouts) {
        m_payouts = payouts;
        // Without columns yet there is no section to tell about.
        if (columnCount() > PointsColumn)
            emit headerDataChanged(Qt::Horizontal, PointsColumn, PointsColumn);
    }
    int position = 0;
    const TournamentRanking *previous = nullptr;
    int n = 0;
    for (const TournamentRanking &ranking : rankings) {
        ++n;
        // Equal table and competition points share the position.
        if (!previous || ranking.tablePoints != previous->tablePoints
            || ranking.competitionPoints != previous->competitionPoints)
            position = n;
        previous = &ranking;
        const QString points = payouts ? rankingPointsPayoutText(ranking) : rankingPointsText(ranking);

        if (m_rankingRows.count(ranking.playerId)) {
            // Listed twice: the first line stands.
            qCWarning(lcTournaments) << "player" << ranking.playerId << "listed twice in the standings of tournament"
                                     << tournamentId;
            continue;
        }
        const auto old = oldRows.find(ranking.playerId);
        if (old == oldRows.end()) {
            addRanking(ranking, position, points);
        } else {
            RankingRow &row = m_rankingRows[ranking.playerId];
            row = std::move(old->second);
            oldRows.erase(old);
            updateRanking(row, ranking, position, points);
        }
    }

    for (auto &[playerId, row] : oldRows) {
        const QModelIndex index = indexFromItem(row.cells.value(PositionColumn));
        if (index.isValid())
            removeRow(index.row());
        else
            qCWarning(lcTournaments) << "invalid index returned";
    }
}

void TournamentRankingModel::addRanking(const TournamentRanking &ranking, int position, const QString &pointsText)
{
    QStandardItem *positionCell = createNumberItem(position, QString(), Right);
    positionCell->setData(ranking.playerId, TournamentRoles::IdRole);
    QList<QStandardItem *> cells{positionCell, createStandardItem(ranking.name, QString(), Left),
                                 createStandardItem(pointsText, QString(), Left)};
    m_rankingRows[ranking.playerId] = RankingRow{ranking, cells};
    appendRow(cells);
}

void TournamentRankingModel::updateRanking(RankingRow &row, const TournamentRanking &ranking, int position,
                                           const QString &pointsText)
{
    // Setting a value emits itemChanged; only what differs is set.
    if (row.cells[PositionColumn]->data(Qt::DisplayRole).toInt() != position)
        row.cells[PositionColumn]->setData(position, Qt::DisplayRole);
    if (row.ranking.name != ranking.name)
        row.cells[NameColumn]->setText(ranking.name);
    if (row.cells[PointsColumn]->text() != pointsText)
        row.cells[PointsColumn]->setText(pointsText);
    row.ranking = ranking;
}
