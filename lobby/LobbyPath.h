#pragma once

#include <QString>

// Whether a table's lobby path lies at or below a subscribed lobby path.
// "101/mtt/12" covers "101/mtt/12" and "101/mtt/12/3" but not the sibling
// "101/mtt/123/4".
bool lobbyPathCovers(const QString &subscribedPath, const QString &tablePath);
