#pragma once

#include "xmpp/elements/StreamElement.h"
#include "xmpp/elements/XMPPJid.h"

#include <QString>

namespace xmpp {

// The envelope shared by message, presence and iq.
class Stanza : public StreamElement
{
public:
    Stanza() = default;
    Stanza(const QString &id_, const QString &typeText_)
        : id(id_)
        , typeText(typeText_)
    {
    }
    Stanza(const QString &id_, const XMPPJid &to_, const QString &typeText_)
        : to(to_)
        , id(id_)
        , typeText(typeText_)
    {
    }

    int type() const override { return ElementType::Stanza; }
    bool hasError() const { return errorCondition != 0; }

    XMPPJid to;   // null when absent
    XMPPJid from; // null when absent
    QString id;
    QString typeText;       // the "type" attribute exactly as received or to be sent
    QString lang;           // xml:lang
    int errorType = 0;      // StanzaErrorType, 0 = no error
    int errorCondition = 0; // StanzaErrorCondition, 0 = no error
};

} // namespace xmpp
