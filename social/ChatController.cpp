#include "social/ChatController.h"

ChatController::ChatController(PlayerDb *playerDb, XMPPClient *client)
    : m_client(client)
    , m_playerDb(playerDb)
{
}

void ChatController::setConferenceService(const XMPPJid &service)
{
    m_conferenceService = service;
    if (!service.isEmpty())
        emit conferenceServiceChanged();
}
