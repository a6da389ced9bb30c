#include "protocol/ClientConfig.h"

QString ClientConfig::xmppHost(const QString &defaultHost) const
{
    const QString host = m_xmppServer.section(QLatin1Char(':'), 0, 0).trimmed();
    return host.isEmpty() ? defaultHost : host;
}

quint16 ClientConfig::xmppPort(quint16 defaultPort) const
{
    const int colon = m_xmppServer.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return defaultPort;
    bool ok = false;
    const uint port = m_xmppServer.mid(colon + 1).trimmed().toUInt(&ok);
    return ok && port > 0 && port <= 65535 ? quint16(port) : defaultPort;
}
