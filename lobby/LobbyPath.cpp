#include "lobby/LobbyPath.h"

bool lobbyPathCovers(const QString &subscribedPath, const QString &tablePath)
{
    QStringView base(subscribedPath);
    while (base.endsWith(u'/'))
        base.chop(1);
    if (base.isEmpty())
        return !subscribedPath.isEmpty(); // "/" covers everything
    if (!tablePath.startsWith(base))
        return false;
    return tablePath.size() == base.size() || tablePath.at(base.size()) == u'/';
}
