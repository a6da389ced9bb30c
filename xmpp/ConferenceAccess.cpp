#include "xmpp/ConferenceAccess.h"

namespace xmpp {

ClientConference* ConferenceAccess::conference(XMPPClient* client)
{
    const QString name = QStringLiteral("conferenceExtension");
    if (auto* existing = client->findChild<ClientConference*>(name, Qt::FindDirectChildrenOnly))
        return existing;
    auto* extension = new ClientConference(client, client);
    extension->setObjectName(name);
    QObject::connect(extension, &ClientConference::conferenceJID, client, &XMPPClient::conferenceJID);
    QObject::connect(extension, &ClientConference::conferenceRooms, client, &XMPPClient::conferenceRooms);
    return extension;
}

} // namespace xmpp
