#pragma once

#include "lobby/LobbyFilter.h"

#include <QSet>
#include <QStringList>

// The lobby window's filter: tables under its lobby paths whose ruleset is
// chosen, optionally without the full ones. Tournament tables are seated by
// the tournament, so the lobby never lists them.
class RulesetLobbyFilter : public LobbyFilter
{
public:
    explicit RulesetLobbyFilter(const QStringList &lobbyPaths);

    int lobbyPathCount() const override;
    QString lobbyPath(int index) const override;
    bool acceptsRow(const QAbstractItemModel *model, int row) const override;

    void setRulesetShown(int ruleset, bool shown);
    bool isRulesetShown(int ruleset) const { return m_rulesets.contains(ruleset); }
    void setFullTablesHidden(bool hidden) { m_hideFull = hidden; }
    bool fullTablesHidden() const { return m_hideFull; }

private:
    QStringList m_paths;
    QSet<int> m_rulesets;
    bool m_hideFull = false;
};
