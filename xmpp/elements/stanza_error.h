#pragma once

#include "xmpp/elements/Exception.h"

namespace xmpp {

// One stanza is refused while the stream goes on; whoever catches it
// answers with an error stanza of the same kind and id.
class stanza_error : public Exception
{
public:
    enum Kind { MessageKind = 0, IqKind = 1, PresenceKind = 2 };

    stanza_error(int kind, int errorType, int errorCondition, const QString &id);

    int kind() const { return m_kind; }
    int errorType() const { return m_errorType; }
    int errorCondition() const { return m_errorCondition; }
    const QString &id() const { return m_id; }

    static QString kindName(int kind);

private:
    int m_kind;
    int m_errorType;
    int m_errorCondition;
    QString m_id;
};

} // namespace xmpp
