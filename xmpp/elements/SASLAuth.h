#pragma once

#include "xmpp/elements/StreamElement.h"

#include <QByteArray>
#include <QString>

namespace xmpp {

class SASLAuth : public StreamElement
{
public:
    SASLAuth() = default;
    SASLAuth(const QString &mechanism_, const QByteArray &data_)
        : mechanism(mechanism_)
        , data(data_)
    {
    }
    int type() const override { return ElementType::SASLAuth; }

    QString mechanism;
    QByteArray data; // initial response, raw bytes
};

} // namespace xmpp
