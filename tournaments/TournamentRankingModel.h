#pragma once

#include "protocol/TournamentRanking.h"
#include "tournaments/RankingRow.h"

#include <QStandardItemModel>

#include <map>

// The standings of one tournament: position, name and points per player, in
// the server's order. A new list is merged into the rows a player already
// has, so views keep their selection and scroll position.
class TournamentRankingModel : public QStandardItemModel
{
    Q_OBJECT

public:
    enum Column { PositionColumn, NameColumn, PointsColumn, ColumnCount };

    TournamentRankingModel(qint32 tournamentId, QObject *parent = nullptr);

    qint32 tournamentId() const { return m_tournamentId; }
    // The record of the row of index; null for an invalid index or a row
    // without a player. Valid until the next list is merged.
    const TournamentRanking *rankingAt(const QModelIndex &index) const;

    // Column titles; the points column names the parts of its texts.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Tells the views to fetch the titles again (after a language change).
    void retranslateHeaders();

public slots:
    // Lists of other tournaments are ignored.
    void onTournamentRankings(qint32 tournamentId, const TournamentRankings &rankings);

private:
    void addRanking(const TournamentRanking &ranking, int position, const QString &pointsText);
    void updateRanking(RankingRow &row, const TournamentRanking &ranking, int position, const QString &pointsText);

    std::map<qint32, RankingRow> m_rankingRows;
    const qint32 m_tournamentId;
    // The points texts carry the prizes.
    bool m_payouts = false;
};
