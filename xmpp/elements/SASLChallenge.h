#pragma once

#include "xmpp/elements/StreamElement.h"

#include <QByteArray>

namespace xmpp {

class SASLChallenge : public StreamElement
{
public:
    SASLChallenge() = default;
    explicit SASLChallenge(const QByteArray &d)
        : data(d)
    {
    }
    int type() const override { return ElementType::SASLChallenge; }

    QByteArray data; // decoded bytes; base64 is the codec's business
};

} // namespace xmpp
