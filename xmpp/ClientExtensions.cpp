#include "xmpp/ClientExtensions.h"

namespace xmpp {

namespace {

template <typename Extension>
Extension* newExtension(XMPPClient* client, const QString& name)
{
    auto* extension = new Extension(client, client);
    extension->setObjectName(name);
    return extension;
}

} // namespace

ClientConference* ClientExtensions::conference(XMPPClient* client)
{
    auto* existing =
        client->findChild<ClientConference*>(QStringLiteral("conferenceExtension"), Qt::FindDirectChildrenOnly);
    if (existing)
        return existing;
    auto* extension = newExtension<ClientConference>(client, QStringLiteral("conferenceExtension"));
    QObject::connect(extension, &ClientConference::conferenceJID, client, &XMPPClient::conferenceJID);
    QObject::connect(extension, &ClientConference::conferenceRooms, client, &XMPPClient::conferenceRooms);
    return extension;
}

} // namespace xmpp
