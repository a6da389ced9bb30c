#pragma once

#include "xmpp/ClientConference.h"
#include "xmpp/XMPPClient.h"

namespace xmpp {

// The room operations of a client, reached the same way whether the client
// offers them itself or not: when it does not, one conference extension is
// made as the client's child, with its signals relayed as the client's own.
class ConferenceAccess
{
public:
    static ClientConference* conference(XMPPClient* client);

    template <typename C = XMPPClient>
    static void discoverConference(C* client)
    {
        if constexpr (requires { client->discoverConference(); })
            client->discoverConference();
        else
            conference(client)->discoverConference();
    }

    template <typename C = XMPPClient>
    static void requestConferenceRooms(C* client, const XMPPJid& service)
    {
        if constexpr (requires { client->requestConferenceRooms(service); })
            client->requestConferenceRooms(service);
        else
            conference(client)->requestConferenceRooms(service);
    }

    template <typename C = XMPPClient>
    static void joinRoom(C* client, const XMPPJid& room, const QString& nick)
    {
        if constexpr (requires { client->joinRoom(room, nick); })
            client->joinRoom(room, nick);
        else
            conference(client)->joinRoom(room, nick);
    }

    template <typename C = XMPPClient>
    static void leaveRoom(C* client, const XMPPJid& room, const QString& nick)
    {
        if constexpr (requires { client->leaveRoom(room, nick); })
            client->leaveRoom(room, nick);
        else
            conference(client)->leaveRoom(room, nick);
    }

    template <typename C = XMPPClient>
    static void createInstantRoom(C* client, const XMPPJid& room)
    {
        if constexpr (requires { client->createInstantRoom(room); })
            client->createInstantRoom(room);
        else
            conference(client)->createInstantRoom(room);
    }

    template <typename C = XMPPClient>
    static void sendMessage(C* client, const XMPPMessage& message)
    {
        if constexpr (requires { client->sendMessage(message); })
            client->sendMessage(message);
        else
            conference(client)->sendMessage(message);
    }

};

} // namespace xmpp
