#pragma once

#include <QObject>
#include <QString>

class GameModel;
class XMPPClient;

// Keeps the table paths of the own presence equal to the tables the player
// is seated at, so that friends see where the player plays. The controller
// announces table models with gameModelCreated(GameModel*) and
// gameModelAboutToBeDestroyed(GameModel*) and holds the own player id in
// its property "ownPlayerId".
class TablePresenceManager : public QObject
{
    Q_OBJECT

public:
    TablePresenceManager(QObject *gameController, XMPPClient *client);

    // The lobby path of the model's table, a slash and the table id.
    static QString tablePath(const GameModel *model);

public slots:
    void onGameModelCreated(GameModel *model);
    void onGameModelAboutToBeDestroyed(GameModel *model);
    void onPlayerSeated(qint32 playerId);
    void onPlayerUnseated(qint32 playerId);

private:
    bool isOwnPlayer(qint32 playerId) const;

    QObject *m_gameController;
    XMPPClient *m_client;
};
