#include "xmpp/elements/Exception.h"

#include "xmpp/elements/LogText.h"

namespace xmpp {

// Messages carry peer text and end up in the log and in error reports.
Exception::Exception(const QString &message)
    : m_message(logText(message).toLocal8Bit())
{
}

const char *Exception::what() const noexcept
{
    return m_message.constData();
}

void Exception::setMessage(const QString &message)
{
    m_message = logText(message).toLocal8Bit();
}

} // namespace xmpp
