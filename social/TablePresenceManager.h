#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class GameModel;
class XMPPClient;

// Keeps the table paths of the own presence equal to the tables the player
// is seated at, so that friends see where the player plays.
class TablePresenceManager : public QObject
{
    Q_OBJECT

public:
    // The own player id is asked for at every seating: it is known only
    // after login. Table models are then announced through the slots.
    TablePresenceManager(XMPPClient *client, std::function<qint32()> ownPlayerId);

    // Follows a table controller (the table code's GameController, which
    // this library does not link): its gameModelCreated(GameModel *) and
    // gameModelAboutToBeDestroyed(GameModel *) signals and its
    // ownPlayerId(), all checked by the compiler where this is built.
    template <typename Controller>
    TablePresenceManager(Controller *controller, XMPPClient *client)
        : TablePresenceManager(client, [controller = QPointer<Controller>(controller)] {
            return controller ? qint32(controller->ownPlayerId()) : qint32(0);
        })
    {
        connect(controller, &Controller::gameModelCreated, this, &TablePresenceManager::onGameModelCreated);
        connect(controller, &Controller::gameModelAboutToBeDestroyed, this,
                &TablePresenceManager::onGameModelAboutToBeDestroyed);
    }

    // The lobby path of the model's table, a slash and the table id.
    static QString tablePath(const GameModel *model);

public slots:
    void onGameModelCreated(GameModel *model);
    void onGameModelAboutToBeDestroyed(GameModel *model);
    void onPlayerSeated(qint32 playerId);
    void onPlayerUnseated(qint32 playerId);

private:
    bool isOwnPlayer(qint32 playerId) const;

    XMPPClient *m_client;
    std::function<qint32()> m_ownPlayerId;
};
