#pragma once

#include "xmpp/elements/XMPPJid.h"

#include <QObject>

class PlayerDb;
class XMPPClient;

// What every chat pane shares: the XMPP client, the player directory and the
// addresses of the conference service and of the lobby room, which the main
// window sets when the XMPP session is up.
class ChatController : public QObject
{
    Q_OBJECT

public:
    ChatController(PlayerDb *playerDb, XMPPClient *client);

    XMPPClient *client() const { return m_client; }
    PlayerDb *playerDb() const { return m_playerDb; }

    XMPPJid conferenceService() const { return m_conferenceService; }
    void setConferenceService(const XMPPJid &service);
    XMPPJid lobbyRoom() const { return m_lobbyRoom; }
    void setLobbyRoom(const XMPPJid &room) { m_lobbyRoom = room; }

signals:
    // A service was set: rooms that could not be entered without one can
    // be now.
    void conferenceServiceChanged();

private:
    XMPPClient *m_client;
    PlayerDb *m_playerDb;
    XMPPJid m_conferenceService;
    XMPPJid m_lobbyRoom;
};
