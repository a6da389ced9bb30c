#pragma once

#include "xmpp/elements/StreamElement.h"

#include <QByteArray>

namespace xmpp {

class SASLResponse : public StreamElement
{
public:
    SASLResponse() = default;
    explicit SASLResponse(const QByteArray &d)
        : data(d)
    {
    }
    int type() const override { return ElementType::SASLResponse; }

    QByteArray data; // decoded bytes; base64 is the codec's business
};

} // namespace xmpp
