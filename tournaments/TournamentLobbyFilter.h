#pragma once

#include <QSet>
#include <QSortFilterProxyModel>
#include <QString>

#include <set>

// Sorts and filters the tournament lobby: tournaments the player is
// registered for stay on top in either order, the rest sort by their raw
// values; rows are hidden by ruleset, buy-in level, fullness and the words of
// a search text.
//
// Each test has a mode: 0 hides every row, 1 keeps a row whose value is in
// the set (fullness: a full tournament), 2 keeps one whose value is not,
// 3 (or any other value) does not test.
class TournamentLobbyFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit TournamentLobbyFilter(QObject *parent = nullptr);

    // 0 for free tournaments (0 or less), 1 up to $10.99, 2 up to $50.99,
    // 3 above.
    static int buyInLevel(qint64 cents);

    void setRulesetFilterEnabled(bool on);
    void setBuyInFilterEnabled(bool on);
    // The mode of the fullness test.
    void setFilterMode(int mode);
    void addRuleset(int ruleset);
    void removeRuleset(int ruleset);
    void addBuyInLevel(int level);
    void removeBuyInLevel(int level);
    // Words are separated by spaces; each must appear in some column.
    void setFreeText(const QString &text);

    const std::set<int> &rulesets() const { return m_rulesets; }
    const std::set<int> &buyInLevels() const { return m_buyInLevels; }
    int rulesetMode() const { return m_rulesetMode; }
    int buyInMode() const { return m_buyInMode; }
    int filterMode() const { return m_registrationMode; }
    const QSet<QString> &words() const { return m_words; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    static bool passes(int mode, bool inSet);

    int m_registrationMode = 3;
    std::set<int> m_rulesets;
    int m_rulesetMode = 3;
    std::set<int> m_buyInLevels;
    int m_buyInMode = 3;
    QSet<QString> m_words;
};
