#pragma once

#include <QSet>
#include <QSortFilterProxyModel>
#include <QString>

// The player list of a tournament's detail dialog: sorted by position, ties
// by name, and searched by words that must each occur in some column.
class TournamentPlayerFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit TournamentPlayerFilter(QObject *parent = nullptr);

    // Words split at blanks; none accepts every row.
    void setFreeText(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QSet<QString> m_words;
};
