#include "xmpp/ClientExtension.h"

#include "xmpp/XMPPClient.h"

namespace xmpp {

QString ClientExtension::nextId()
{
    return m_client->nextId();
}

void ClientExtension::send(const StreamElement& element)
{
    m_client->send(element);
}

void ClientExtension::registerIqHandler(const QString& id, std::function<void(StreamElement*)> handler)
{
    m_client->registerIqHandler(id, std::move(handler));
}

void ClientExtension::setPhotoHash(const QByteArray& hash)
{
    m_client->setPhotoHash(hash);
}

bool ClientExtension::isConnected() const
{
    return m_client->state() == XMPPClient::ConnectedState;
}

} // namespace xmpp
