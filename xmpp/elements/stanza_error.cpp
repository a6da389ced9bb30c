#include "xmpp/elements/stanza_error.h"

namespace xmpp {

stanza_error::stanza_error(int kind, int errorType, int errorCondition, const QString &id)
    : Exception(QString())
    , m_kind(kind)
    , m_errorType(errorType)
    , m_errorCondition(errorCondition)
    , m_id(id)
{
    setMessage(QStringLiteral("%1_error, type: %2, error: %3, id: %4")
                   .arg(kindName(kind))
                   .arg(errorType)
                   .arg(errorCondition)
                   .arg(id));
}

QString stanza_error::kindName(int kind)
{
    switch (kind) {
    case MessageKind:
        return QStringLiteral("message");
    case IqKind:
        return QStringLiteral("iq");
    case PresenceKind:
        return QStringLiteral("presence");
    default:
        return QStringLiteral("unknown");
    }
}

} // namespace xmpp
