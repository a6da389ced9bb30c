#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class XMPPClient;

namespace xmpp {

class StreamElement;

// Common base of the client's protocol extensions: gives them the client's
// request services. The client is not owned; it owns the extensions.
class ClientExtension
{
public:
    explicit ClientExtension(XMPPClient *client)
        : m_client(client)
    {
    }
    virtual ~ClientExtension() = default;

    ClientExtension(const ClientExtension &) = delete;
    ClientExtension &operator=(const ClientExtension &) = delete;

    XMPPClient *client() const { return m_client; }

protected:
    QString nextId();
    void send(const StreamElement &element);
    void registerIqHandler(const QString &id, std::function<void(StreamElement *)> handler);
    void setPhotoHash(const QByteArray &hash);
    // Throws std::runtime_error("not connected") unless the client's session
    // is up (state 5).
    void requireConnected() const;

private:
    XMPPClient *m_client;
};

} // namespace xmpp
