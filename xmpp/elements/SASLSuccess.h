#pragma once

#include "xmpp/elements/StreamElement.h"

namespace xmpp {

class SASLSuccess : public StreamElement
{
public:
    int type() const override { return ElementType::SASLSuccess; }
};

} // namespace xmpp
