#pragma once

#include <QMetaType>
#include <QString>

// An XMPP address kept as its text; the parts are cut out on demand.
// Comparison is by exact text: no normalisation, case-sensitive.
class XMPPJid
{
public:
    static constexpr int MaxPartLength = 1023;

    XMPPJid() = default;
    // Throws std::invalid_argument when a part is longer than MaxPartLength.
    XMPPJid(const QString& domain, const QString& node = QString(), const QString& resource = QString());
    // The address whose text is exactly this, for a reader that has already
    // checked the parts; the text is shared, not rebuilt.
    static XMPPJid fromCheckedText(const QString& text)
    {
        XMPPJid jid;
        jid.m_text = text;
        return jid;
    }

    QString node() const;
    QString domain() const;
    QString resource() const;
    XMPPJid bare() const;

    const QString& text() const { return m_text; }
    QString toString() const { return m_text; }
    bool isNull() const { return m_text.isNull(); }
    bool isEmpty() const { return m_text.isEmpty(); }

    friend bool operator==(const XMPPJid& a, const XMPPJid& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const XMPPJid& a, const XMPPJid& b) { return !(a == b); }
    friend bool operator<(const XMPPJid& a, const XMPPJid& b) { return a.m_text < b.m_text; }

private:
    QString m_text;
};

inline size_t qHash(const XMPPJid& jid, size_t seed = 0) { return qHash(jid.text(), seed); }

Q_DECLARE_METATYPE(XMPPJid)
