#pragma once

#include "xmpp/elements/MessageStanza.h"
#include "xmpp/elements/XMPPJid.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>

// One chat message, received or to be sent.
class XMPPMessage
{
public:
    enum Type { Error = 0, Chat = 1, GroupChat = 2, Headline = 3, Normal = 4 };

    XMPPMessage()
        : XMPPMessage(XMPPJid(), Normal)
    {
    }
    // A new message to send.
    XMPPMessage(const XMPPJid &to, int type);
    // A received message; defaultLanguage is the stream's language.
    XMPPMessage(const xmpp::MessageStanza &stanza, const QString &defaultLanguage);

    static int typeFromText(const QString &text);
    static QString typeText(int type); // null outside 0..4

    int type() const { return m_type; }
    void setType(int type);

    XMPPJid to() const { return m_stanza.to; }
    XMPPJid from() const { return m_stanza.from; }
    void setFrom(const XMPPJid &from) { m_stanza.from = from; }

    void setBody(const QString &language, const QString &text);
    void setBody(const QString &text) { setBody(QStringLiteral("UND"), text); }
    QString body(const QString &language) const;
    QString body() const { return body(QStringLiteral("UND")); }

    bool hasDelay() const { return m_stanza.hasDelay(); }
    // Throws std::bad_any_cast when there is no delay information.
    xmpp::DelayedDeliveryInfo delayInfo() const;
    QDateTime delayStamp() const;

    const xmpp::MessageStanza &stanza() const { return m_stanza; }
    xmpp::MessageStanza &stanza() { return m_stanza; }

private:
    // The stanza's xml:lang, else the stream's language.
    QString ownLanguage() const { return m_stanza.lang.isEmpty() ? m_stanza.defaultLanguage : m_stanza.lang; }
    // The key a language is stored under: "UND" for the message's own one.
    QString languageKey(const QString &language) const;

    int m_type = Normal;
    xmpp::MessageStanza m_stanza;
};

Q_DECLARE_METATYPE(XMPPMessage)
