#include "tournaments/TournamentLobbyFilter.h"

#include "lobby/VariantLessThan.h"
#include "tournaments/Logging.h"
#include "tournaments/TournamentRegisteredInfo.h"
#include "tournaments/TournamentRoles.h"
#include "tournaments/TournamentsLobbyModel.h"

TournamentLobbyFilter::TournamentLobbyFilter(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
    setSortLocaleAware(true);
}

int TournamentLobbyFilter::buyInLevel(qint64 cents)
{
    if (cents <= 0)
        return 0;
    if (cents < 1100)
        return 1;
    if (cents < 5100)
        return 2;
    return 3;
}

void TournamentLobbyFilter::setRulesetFilterEnabled(bool on)
{
    m_rulesetMode = on ? 1 : 3;
    invalidateFilter();
}

void TournamentLobbyFilter::setBuyInFilterEnabled(bool on)
{
    m_buyInMode = on ? 1 : 3;
    invalidateFilter();
}

void TournamentLobbyFilter::setFilterMode(int mode)
{
    m_registrationMode = mode;
    invalidateFilter();
}

void TournamentLobbyFilter::addRuleset(int ruleset)
{
    m_rulesets.insert(ruleset);
    if (m_rulesetMode != 3)
        invalidateFilter();
}

void TournamentLobbyFilter::removeRuleset(int ruleset)
{
    m_rulesets.erase(ruleset);
    if (m_rulesetMode != 3)
        invalidateFilter();
}

void TournamentLobbyFilter::addBuyInLevel(int level)
{
    m_buyInLevels.insert(level);
    if (m_buyInMode != 3)
        invalidateFilter();
}

void TournamentLobbyFilter::removeBuyInLevel(int level)
{
    m_buyInLevels.erase(level);
    if (m_buyInMode != 3)
        invalidateFilter();
}

void TournamentLobbyFilter::setFreeText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    m_words = QSet<QString>(parts.begin(), parts.end());
    invalidateFilter();
}

bool TournamentLobbyFilter::passes(int mode, bool inSet)
{
    switch (mode) {
    case 0:
        return false;
    case 1:
        return inSet;
    case 2:
        return !inSet;
    default:
        return true;
    }
}

bool TournamentLobbyFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QAbstractItemModel *model = sourceModel();
    const auto value = [&](int column) {
        return model->index(sourceRow, column, sourceParent).data(TournamentRoles::RawValueRole);
    };

    if (m_rulesetMode != 3) {
        const QVariant ruleset = value(TournamentsLobbyModel::RulesColumn);
        bool ok = false;
        const int id = ruleset.toInt(&ok);
        if (!ok)
            qCWarning(lcTournaments).nospace() << "got other than ruleset IntItem variant: " << ruleset;
        else if (!passes(m_rulesetMode, m_rulesets.count(id) != 0))
            return false;
    }

    if (m_buyInMode != 3) {
        const QVariant buyIn = value(TournamentsLobbyModel::BuyInColumn);
        bool ok = false;
        const qint64 cents = buyIn.toLongLong(&ok);
        if (!ok)
            qCWarning(lcTournaments).nospace() << "got other than IntItem variant: " << buyIn;
        else if (!passes(m_buyInMode, m_buyInLevels.count(buyInLevel(cents)) != 0))
            return false;
    }

    if (m_registrationMode == 0 || m_registrationMode == 1 || m_registrationMode == 2) {
        const QVariant players = value(TournamentsLobbyModel::PlayersColumn);
        if (players.metaType() != QMetaType::fromType<TournamentRegisteredInfo>())
            qCWarning(lcTournaments) << "got other than TournamentRegisteredInfo variant:" << players;
        else if (!passes(m_registrationMode, players.value<TournamentRegisteredInfo>().isFull()))
            return false;
    }

    if (m_words.isEmpty())
        return true;
    QSet<QString> found;
    const int columns = model->columnCount(sourceParent);
    for (int column = 0; column < columns && found.size() < m_words.size(); ++column) {
        const QString text = model->index(sourceRow, column, sourceParent).data(Qt::DisplayRole).toString();
        for (const QString &word : m_words) {
            if (text.contains(word, Qt::CaseInsensitive))
                found.insert(word);
        }
    }
    return found.size() == m_words.size();
}

bool TournamentLobbyFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const QAbstractItemModel *model = sourceModel();
    const bool leftRegistered = model->index(left.row(), TournamentsLobbyModel::MarkColumn, left.parent())
                                    .data(TournamentRoles::RegisteredRole)
                                    .toBool();
    const bool rightRegistered = model->index(right.row(), TournamentsLobbyModel::MarkColumn, right.parent())
                                     .data(TournamentRoles::RegisteredRole)
                                     .toBool();
    // Registered tournaments stay on top in both orders.
    if (leftRegistered != rightRegistered)
        return sortOrder() == Qt::AscendingOrder ? leftRegistered : rightRegistered;

    const QVariant leftValue = left.data(TournamentRoles::RawValueRole);
    const QVariant rightValue = right.data(TournamentRoles::RawValueRole);
    if (leftValue.isValid() && rightValue.isValid())
        return variantLessThan(leftValue, rightValue);
    return QSortFilterProxyModel::lessThan(left, right);
}
