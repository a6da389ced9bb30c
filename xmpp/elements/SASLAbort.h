#pragma once

#include "xmpp/elements/StreamElement.h"

namespace xmpp {

class SASLAbort : public StreamElement
{
public:
    int type() const override { return ElementType::SASLAbort; }
};

} // namespace xmpp
