#include "xmpp/elements/stream_error.h"

namespace xmpp {

stream_error::stream_error(int condition, const QString &text)
    : stream_error(condition, text, "stream_error")
{
}

stream_error::stream_error(int condition, const QString &text, const char *kindName)
    : Exception(QString())
    , m_condition(condition)
    , m_text(text)
{
    setMessage(QStringLiteral("%1, code: %2, what: %3").arg(QLatin1String(kindName)).arg(condition).arg(text));
}

} // namespace xmpp
