#include "xmpp/elements/XMPPJid.h"

#include <stdexcept>

XMPPJid::XMPPJid(const QString &domain, const QString &node, const QString &resource)
{
    if (domain.size() > MaxPartLength)
        throw std::invalid_argument("domainId too long");
    if (node.size() > MaxPartLength)
        throw std::invalid_argument("nodeId too long");
    if (resource.size() > MaxPartLength)
        throw std::invalid_argument("resourceId too long");

    m_text = node.isEmpty() ? domain : QStringLiteral("%1@%2").arg(node, domain);
    if (!resource.isEmpty())
        m_text += QLatin1Char('/') + resource;
}

QString XMPPJid::node() const
{
    return m_text.section(QLatin1Char('@'), 0, 0);
}

QString XMPPJid::domain() const
{
    const QString beforeSlash = m_text.section(QLatin1Char('/'), 0, 0);
    const int at = beforeSlash.indexOf(QLatin1Char('@'));
    return at < 0 ? beforeSlash : beforeSlash.mid(at + 1);
}

QString XMPPJid::resource() const
{
    const int slash = m_text.indexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : m_text.mid(slash + 1);
}

XMPPJid XMPPJid::bare() const
{
    if (isNull())
        return XMPPJid();
    // Node and domain already passed their checks; their sum may be longer
    // than one part, and a received address must not throw here.
    XMPPJid jid;
    jid.m_text = m_text.section(QLatin1Char('/'), 0, 0);
    return jid;
}

QString XMPPJid::comparable() const
{
    const int slash = m_text.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return m_text.toCaseFolded();
    return m_text.left(slash).toCaseFolded() + m_text.mid(slash);
}

int XMPPJid::compare(const XMPPJid &other) const
{
    if (m_text == other.m_text)
        return 0;
    return comparable().compare(other.comparable());
}
