#pragma once

#include "xmpp/elements/Stanza.h"

namespace xmpp {

class Iq : public Stanza
{
public:
    enum IqType { Get = 0, Set = 1, Result = 2, Error = 3 };

    Iq() = default;
    Iq(const QString &id, const XMPPJid &to, int iqType)
        : Stanza(id, to, iqTypeText(iqType))
    {
    }

    int type() const override { return ElementType::Iq; }

    // "get", "set", "result", "error"; null for any other code.
    static QString iqTypeText(int iqType);
    // -1 for anything but the four exact texts.
    static int iqTypeFromText(const QString &text);
};

} // namespace xmpp
