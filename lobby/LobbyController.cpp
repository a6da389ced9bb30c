#include "lobby/LobbyController.h"

#include "lobby/LobbyWindow.h"
#include "lobby/TableModel.h"

LobbyController::LobbyController(ConnectionManager *connection, QObject *parent)
    : QObject(parent)
    , m_tableModel(new TableModel(connection, this))
{
}

LobbyWindow *LobbyController::createWindow(QWidget *parent)
{
    return new LobbyWindow(m_tableModel, lobbyPaths(), parent);
}

QStringList LobbyController::lobbyPaths()
{
    return {QStringLiteral("101/Practice")};
}
