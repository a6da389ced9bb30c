#include "social/ChatController.h"

ChatController::ChatController(PlayerDb *playerDb, XMPPClient *client)
    : m_client(client)
    , m_playerDb(playerDb)
{
}
