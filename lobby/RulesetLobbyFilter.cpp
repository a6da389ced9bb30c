#include "lobby/RulesetLobbyFilter.h"

#include "lobby/LobbyPath.h"
#include "lobby/TableModel.h"

RulesetLobbyFilter::RulesetLobbyFilter(const QStringList &lobbyPaths)
    : m_paths(lobbyPaths)
{
}

int RulesetLobbyFilter::lobbyPathCount() const
{
    return int(m_paths.size());
}

QString RulesetLobbyFilter::lobbyPath(int index) const
{
    return m_paths.value(index);
}

bool RulesetLobbyFilter::acceptsRow(const QAbstractItemModel *model, int row) const
{
    const auto *tableModel = qobject_cast<const TableModel *>(model);
    if (!tableModel || row < 0 || row >= tableModel->rowCount())
        return false;
    const TableInfo &info = tableModel->tableInfoAt(row);
    if (info.isTournamentTable() || !m_rulesets.contains(info.ruleset()))
        return false;
    if (m_hideFull && info.isFull())
        return false;
    // Other users of the table model subscribe paths of their own (a
    // friend's tables, a tournament's tables): only ours are listed.
    for (const QString &path : m_paths) {
        if (lobbyPathCovers(path, info.lobbyPath()))
            return true;
    }
    return false;
}

void RulesetLobbyFilter::setRulesetShown(int ruleset, bool shown)
{
    if (shown)
        m_rulesets.insert(ruleset);
    else
        m_rulesets.remove(ruleset);
}
