#include "tournaments/TournamentPlayerFilter.h"

#include "lobby/VariantLessThan.h"

#include <QStringList>

TournamentPlayerFilter::TournamentPlayerFilter(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
    setSortLocaleAware(true);
    sort(0, Qt::AscendingOrder);
}

void TournamentPlayerFilter::setFreeText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    m_words = QSet<QString>(parts.begin(), parts.end());
    invalidateFilter();
}

bool TournamentPlayerFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (m_words.isEmpty())
        return true;
    const QAbstractItemModel *model = sourceModel();
    QSet<QString> found;
    for (int column = 0; column < model->columnCount(sourceParent); ++column) {
        const QString text = model->index(sourceRow, column, sourceParent).data().toString();
        for (const QString &word : m_words)
            if (text.contains(word, Qt::CaseInsensitive))
                found.insert(word);
    }
    return found.size() == m_words.size();
}

bool TournamentPlayerFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const QVariant l = left.data();
    const QVariant r = right.data();
    if (!l.isValid() || !r.isValid())
        return QSortFilterProxyModel::lessThan(left, right);
    const int li = l.toInt();
    const int ri = r.toInt();
    if (li != ri)
        return li < ri;
    return variantLessThan(left.siblingAtColumn(1).data(), right.siblingAtColumn(1).data());
}
