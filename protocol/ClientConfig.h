#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

// What the game server tells the client after login about the XMPP side.
class ClientConfig
{
public:
    ClientConfig() = default;
    ClientConfig(const QString &xmppServer, const QString &conferenceService, const QString &lobbyRoom,
                 const QString &searchService)
        : m_xmppServer(xmppServer)
        , m_conferenceService(conferenceService)
        , m_lobbyRoom(lobbyRoom)
        , m_searchService(searchService)
    {
    }

    // "host" or "host:port".
    const QString &xmppServer() const { return m_xmppServer; }
    // The host part; defaultHost when the server text is empty.
    QString xmppHost(const QString &defaultHost = QString()) const;
    // The port part; defaultPort when there is none or it is not a port number.
    quint16 xmppPort(quint16 defaultPort = 5222) const;

    bool hasConferenceService() const { return !m_conferenceService.isEmpty(); }
    const QString &conferenceService() const { return m_conferenceService; }
    bool hasLobbyRoom() const { return !m_lobbyRoom.isEmpty(); }
    const QString &lobbyRoom() const { return m_lobbyRoom; }
    bool hasSearchService() const { return !m_searchService.isEmpty(); }
    const QString &searchService() const { return m_searchService; }

    bool operator==(const ClientConfig &other) const = default;

private:
    QString m_xmppServer;
    QString m_conferenceService;
    QString m_lobbyRoom;
    QString m_searchService;
};

Q_DECLARE_METATYPE(ClientConfig)
