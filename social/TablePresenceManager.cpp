#include "social/TablePresenceManager.h"

#include "game/GameModel.h"
#include "xmpp/client/XMPPClient.h"

TablePresenceManager::TablePresenceManager(QObject *gameController, XMPPClient *client)
    : m_gameController(gameController)
    , m_client(client)
{
    // Named connections: the controller belongs to the table code, which
    // this library does not link.
    connect(m_gameController, SIGNAL(gameModelCreated(GameModel *)), this, SLOT(onGameModelCreated(GameModel *)));
    connect(m_gameController, SIGNAL(gameModelAboutToBeDestroyed(GameModel *)), this,
            SLOT(onGameModelAboutToBeDestroyed(GameModel *)));
}

QString TablePresenceManager::tablePath(const GameModel *model)
{
    return model->tableInfo().lobbyPath() + QStringLiteral("/%1").arg(model->tableId());
}

bool TablePresenceManager::isOwnPlayer(qint32 playerId) const
{
    return m_gameController && playerId == m_gameController->property("ownPlayerId").toInt();
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
