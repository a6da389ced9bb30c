#include "social/TablePresenceManager.h"

#include "game/GameModel.h"
#include "xmpp/client/XMPPClient.h"

TablePresenceManager::TablePresenceManager(XMPPClient *client, std::function<qint32()> ownPlayerId)
    : m_client(client)
    , m_ownPlayerId(std::move(ownPlayerId))
{
}

QString TablePresenceManager::tablePath(const GameModel *model)
{
    return model->tableInfo().lobbyPath() + QStringLiteral("/%1").arg(model->tableId());
}

bool TablePresenceManager::isOwnPlayer(qint32 playerId) const
{
    // Before login the id is 0, which no seated player has.
    const qint32 own = m_ownPlayerId ? m_ownPlayerId() : 0;
    return own > 0 && playerId == own;
}

void TablePresenceManager::onGameModelCreated(GameModel *model)
{
    connect(model, &GameModel::playerSeated, this, &TablePresenceManager::onPlayerSeated, Qt::UniqueConnection);
}

void TablePresenceManager::onGameModelAboutToBeDestroyed(GameModel *model)
{
    m_client->removeTablePath(tablePath(model));
}

void TablePresenceManager::onPlayerSeated(qint32 playerId)
{
    auto *model = qobject_cast<GameModel *>(sender());
    if (!model || !isOwnPlayer(playerId))
        return;
    m_client->addTablePath(tablePath(model));
    disconnect(model, &GameModel::playerSeated, this, &TablePresenceManager::onPlayerSeated);
    connect(model, &GameModel::playerUnseated, this, &TablePresenceManager::onPlayerUnseated, Qt::UniqueConnection);
}

void TablePresenceManager::onPlayerUnseated(qint32 playerId)
{
    auto *model = qobject_cast<GameModel *>(sender());
    if (!model || !isOwnPlayer(playerId))
        return;
    m_client->removeTablePath(tablePath(model));
    disconnect(model, &GameModel::playerUnseated, this, &TablePresenceManager::onPlayerUnseated);
    connect(model, &GameModel::playerSeated, this, &TablePresenceManager::onPlayerSeated, Qt::UniqueConnection);
}
