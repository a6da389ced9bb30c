#pragma once

#include "xmpp/elements/Exception.h"

namespace xmpp {

// The stream cannot go on: whoever catches it sends the condition to the
// peer and closes the stream. The code indexes StreamErrorCondition.
class stream_error : public Exception
{
public:
    stream_error(int condition, const QString &text);

    int condition() const { return m_condition; }
    int code() const { return m_condition; }
    const QString &text() const { return m_text; }

protected:
    stream_error(int condition, const QString &text, const char *kindName);

private:
    int m_condition;
    QString m_text;
};

} // namespace xmpp
