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

// The parts are cut out on every lookup of a contact, a room or a player:
// by position, without splitting the text.
QString XMPPJid::node() const
{
    const qsizetype at = m_text.indexOf(QLatin1Char('@'));
    return at < 0 ? m_text : m_text.left(at);
}

QString XMPPJid::domain() const
{
    const qsizetype slash = m_text.indexOf(QLatin1Char('/'));
    const qsizetype end = slash < 0 ? m_text.size() : slash;
    const qsizetype at = QStringView(m_text).left(end).indexOf(QLatin1Char('@'));
    return m_text.mid(at + 1, end - at - 1);
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
    const qsizetype slash = m_text.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return *this;
    XMPPJid jid;
    jid.m_text = m_text.left(slash);
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
