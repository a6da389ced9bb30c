#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace xmpp {

// Base of the XMPP library's protocol failures; the message is kept as
// 8-bit text in the local encoding so what() can hand it out directly.
class Exception : public std::exception
{
public:
    explicit Exception(const QString &message);

    const char *what() const noexcept override;

protected:
    void setMessage(const QString &message);

private:
    QByteArray m_message;
};

} // namespace xmpp
