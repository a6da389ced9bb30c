#pragma once

#include "xmpp/client/ClientExtension.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPMessage.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

namespace xmpp {

class StreamElement;

// What the chat rooms need of the session: finding the multi-user-chat
// service, listing its rooms, entering and leaving a room, creating an
// instant room and sending messages.
class ClientConference : public QObject, public ClientExtension
{
    Q_OBJECT

public:
    explicit ClientConference(XMPPClient *client, QObject *parent = nullptr);

    // These three throw std::runtime_error("not connected") unless the
    // session is up.
    void discoverConference();
    void requestConferenceRooms(const XMPPJid &service);
    void sendMessage(const XMPPMessage &message);

    // Both throw std::runtime_error for a room address with a resource.
    void joinRoom(const XMPPJid &room, const QString &nick);
    void leaveRoom(const XMPPJid &room, const QString &nick);
    void createInstantRoom(const XMPPJid &room);

signals:
    void conferenceJID(XMPPJid jid);
    void conferenceRooms(QList<XMPPJid> jids);

private:
    struct Walk;

    void requestInfo(const std::shared_ptr<Walk> &walk, const XMPPJid &entity);
    void infoResult(const std::shared_ptr<Walk> &walk, const XMPPJid &asked, StreamElement *element);
    void itemsResult(const std::shared_ptr<Walk> &walk, StreamElement *element);
    void roomsResult(StreamElement *element);
    static XMPPJid occupant(const XMPPJid &room, const QString &nick);
};

} // namespace xmpp
