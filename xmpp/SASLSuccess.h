#pragma once

#include "xmpp/StreamElement.h"

namespace xmpp {

class SASLSuccess : public StreamElement
{
public:
    int type() const override { return ElementType::SASLSuccess; }
};

} // namespace xmpp
