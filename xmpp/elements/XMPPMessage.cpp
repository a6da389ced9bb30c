#include "xmpp/elements/XMPPMessage.h"

#include <iterator>

namespace {
const char *const typeNames[] = {"error", "chat", "groupchat", "headline", "normal"};
const QString undetermined = QStringLiteral("UND");

// A text tagged with the message's own language is the untagged text.
void foldOwnLanguage(QMap<QString, QString> &texts, const QString &ownLanguage)
{
    if (ownLanguage.isEmpty() || ownLanguage == undetermined || texts.contains(undetermined))
        return;
    const auto it = texts.find(ownLanguage);
    if (it == texts.end())
        return;
    const QString text = it.value();
    texts.erase(it);
    texts.insert(undetermined, text);
}
} // namespace

XMPPMessage::XMPPMessage(const XMPPJid &to, int type)
{
    m_stanza.to = to;
    setType(type);
}

XMPPMessage::XMPPMessage(const xmpp::MessageStanza &stanza, const QString &defaultLanguage)
    : m_type(typeFromText(stanza.typeText))
    , m_stanza(stanza)
{
    m_stanza.defaultLanguage = defaultLanguage;
    const QString own = ownLanguage();
    foldOwnLanguage(m_stanza.bodies, own);
    foldOwnLanguage(m_stanza.subjects, own);
}

int XMPPMessage::typeFromText(const QString &text)
{
    for (int i = Error; i < Normal; ++i) {
        if (text == QLatin1String(typeNames[i]))
            return i;
    }
    return Normal;
}

QString XMPPMessage::typeText(int type)
{
    if (type < Error || type > Normal)
        return QString();
    return QString::fromLatin1(typeNames[type]);
}

void XMPPMessage::setType(int type)
{
    m_type = type;
    m_stanza.typeText = typeText(type);
}

QString XMPPMessage::languageKey(const QString &language) const
{
    if (language.isEmpty() || language == ownLanguage())
        return undetermined;
    return language;
}

void XMPPMessage::setBody(const QString &language, const QString &text)
{
    m_stanza.bodies.insert(languageKey(language), text);
}

QString XMPPMessage::body(const QString &language) const
{
    return m_stanza.bodies.value(languageKey(language));
}

xmpp::DelayedDeliveryInfo XMPPMessage::delayInfo() const
{
    return std::any_cast<xmpp::DelayedDeliveryInfo>(m_stanza.delay);
}

QDateTime XMPPMessage::delayStamp() const
{
    if (const auto *info = std::any_cast<xmpp::DelayedDeliveryInfo>(&m_stanza.delay))
        return info->stamp;
    return QDateTime();
}
