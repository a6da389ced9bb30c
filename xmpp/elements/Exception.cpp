#include "xmpp/elements/Exception.h"

namespace xmpp {

Exception::Exception(const QString& message)
    : m_message(message.toLocal8Bit())
{
}

const char* Exception::what() const noexcept
{
    return m_message.constData();
}

void Exception::setMessage(const QString& message)
{
    m_message = message.toLocal8Bit();
}

} // namespace xmpp
