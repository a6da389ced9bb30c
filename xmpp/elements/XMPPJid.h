#pragma once

#include <QMetaType>
#include <QString>

// An XMPP address kept as its text; the parts are cut out on demand.
// Servers fold the case of node and domain, so two addresses are equal when
// those match case aside and the resource matches exactly.
class XMPPJid
{
public:
    static constexpr int MaxPartLength = 1023;

    XMPPJid() = default;
    // Throws std::invalid_argument when a part is longer than MaxPartLength.
    XMPPJid(const QString &domain, const QString &node = QString(), const QString &resource = QString());
    // The address whose text is exactly this, for a reader that has already
    // checked the parts; the text is shared, not rebuilt.
    static XMPPJid fromCheckedText(const QString &text)
    {
        XMPPJid jid;
        jid.m_text = text;
        return jid;
    }

    QString node() const;
    QString domain() const;
    QString resource() const;
    XMPPJid bare() const;

    const QString &text() const { return m_text; }
    QString toString() const { return m_text; }
    bool isNull() const { return m_text.isNull(); }
    bool isEmpty() const { return m_text.isEmpty(); }

    friend bool operator==(const XMPPJid &a, const XMPPJid &b) { return a.compare(b) == 0; }
    friend bool operator!=(const XMPPJid &a, const XMPPJid &b) { return !(a == b); }
    friend bool operator<(const XMPPJid &a, const XMPPJid &b) { return a.compare(b) < 0; }
    friend size_t qHash(const XMPPJid &jid, size_t seed = 0) { return qHash(jid.comparable(), seed); }

private:
    int compare(const XMPPJid &other) const;
    // Node and domain case-folded, then the resource as it is.
    QString comparable() const;

    QString m_text;
};

Q_DECLARE_METATYPE(XMPPJid)
