#pragma once

#include "xmpp/elements/StreamElement.h"

#include <QStringList>

namespace xmpp {

class StreamFeatures : public StreamElement
{
public:
    int type() const override { return ElementType::StreamFeatures; }

    bool startTlsOffered = false;
    bool startTlsRequired = false;
    bool bindOffered = false;
    bool sessionOffered = false;
    bool sessionOptional = false; // <optional/> in the session feature: no request needed
    QStringList mechanisms;       // SASL mechanism names in document order
};

} // namespace xmpp
