#include "tournaments/TournamentTexts.h"

#include "core/TextFormat.h"
#include "lobby/TableTexts.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

QString tournamentStatusName(int status)
{
    switch (status) {
    case TournamentInfo::Open:
        return QCoreApplication::translate("TournamentInfo", "Open");
    case TournamentInfo::Closed:
        return QCoreApplication::translate("TournamentInfo", "Closed");
    case TournamentInfo::Seating:
        return QCoreApplication::translate("TournamentInfo", "Seating");
    case TournamentInfo::Playing:
        return QCoreApplication::translate("TournamentInfo", "Playing");
    case TournamentInfo::Paused:
        return QCoreApplication::translate("TournamentInfo", "Paused");
    case TournamentInfo::Done:
        return QCoreApplication::translate("TournamentInfo", "Done");
    case TournamentInfo::Cancelled:
        return QCoreApplication::translate("TournamentInfo", "Cancelled");
    case TournamentInfo::Aborted:
        return QCoreApplication::translate("TournamentInfo", "Aborted");
    default:
        return QCoreApplication::translate("TournamentInfo", "<undefined>");
    }
}

QString registeredInfoText(const TournamentRegisteredInfo &info)
{
    return QCoreApplication::translate("TournamentInfo", "%1/%2",
                                       "%1 is number of registered players, %2 is max number of players in tournament")
        .arg(info.registered)
        .arg(info.maximum);
}

qint64 tournamentPot(const TournamentInfo &info)
{
    return qint64(std::max(info.cost.bet, 0)) * info.registeredPlayers + info.additionalPayoutAmount;
}

qint64 tournamentBuyIn(const TournamentInfo &info)
{
    return qint64(std::max(info.cost.bet, 0)) + info.cost.fee;
}

bool isTournamentActive(const TournamentInfo &info)
{
    switch (info.status) {
    case TournamentInfo::Unknown:
    case TournamentInfo::Done:
    case TournamentInfo::Cancelled:
    case TournamentInfo::Aborted:
        return false;
    default:
        return true;
    }
}

QString tournamentDurationText(const TournamentInfo &info)
{
    const int rounds = info.numberOfRounds;
    // Before it is scheduled a tournament knows fewer lengths than rounds.
    const size_t known = std::min(size_t(std::max(rounds, 0)), info.roundsLength.size());
    if (known == 0)
        return QString();
    const auto first = info.roundsLength.begin();
    const bool equal = std::all_of(first, first + known, [&](int length) { return length == *first; });
    if (rounds > 1 && !equal) {
        qint64 total = 0;
        for (size_t i = 0; i < known; ++i)
            total += info.roundsLength[i];
        return Utils::minutesString(int(std::min<qint64>(total, std::numeric_limits<int>::max())));
    }
    return QCoreApplication::translate("TournamentInfo", "%1x%2", "i.e. 4x20 minutes, %1='4'', %2='20 minutes'")
        .arg(rounds)
        .arg(Utils::minutesString(*first));
}

QString tournamentAmountText(qint64 cents)
{
    if (cents == 0)
        return QCoreApplication::translate("TableValue", "-");
    return QCoreApplication::translate("TableValue", "%1").arg(Utils::moneyString(cents, false));
}

QString tournamentBuyInText(qint64 cents)
{
    return cents == 0 ? formatTableValuePart(0) : tournamentAmountText(cents);
}

qint64 tournamentPrize(qint64 pot, int share)
{
    if (pot < 0 || share < 0 || share > 1000)
        return -1;
    // Split so that the product stays within 64 bits for any pot.
    const qint64 amount = pot / 1000 * share + pot % 1000 * share / 1000;
    return amount - amount % 10;
}

QString positionRangeText(const Range<int> &range)
{
    if (range.from == range.to)
        return QStringLiteral("#%1").arg(range.from);
    return QCoreApplication::translate("TournamentPrizeStructureModel", "#%1-#%2").arg(range.from).arg(range.to);
}

namespace {
// Half points exactly: 7 is "3.5", 8 is "4". Both figures of a line come in
// half points; the tournament points halved read as the round board's.
QString halfPoints(qint32 points)
{
    return QString::number(points * 0.5, 'f', points % 2 != 0 ? 1 : 0);
}
} // namespace

QString rankingPointsText(const TournamentRanking &ranking)
{
    return QCoreApplication::translate("TournamentRankingModel", "%1/%2")
        .arg(halfPoints(ranking.tablePoints))
        .arg(halfPoints(ranking.competitionPoints));
}

QString rankingPointsPayoutText(const TournamentRanking &ranking)
{
    return QCoreApplication::translate("TournamentRankingModel", "%1/%2/%3")
        .arg(halfPoints(ranking.tablePoints))
        .arg(halfPoints(ranking.competitionPoints))
        .arg(Utils::moneyString(ranking.payout, false));
}
