#include "xmpp/client/ClientExtension.h"

#include "xmpp/client/XMPPClient.h"

#include <stdexcept>

namespace xmpp {

QString ClientExtension::nextId()
{
    return m_client->nextId();
}

void ClientExtension::send(const StreamElement &element)
{
    m_client->send(element);
}

void ClientExtension::registerIqHandler(const QString &id, std::function<void(StreamElement *)> handler)
{
    m_client->registerIqHandler(id, std::move(handler));
}

void ClientExtension::setPhotoHash(const QByteArray &hash)
{
    m_client->setPhotoHash(hash);
}

void ClientExtension::requireConnected() const
{
    if (m_client->state() != XMPPClient::ConnectedState)
        throw std::runtime_error("not connected");
}

} // namespace xmpp
