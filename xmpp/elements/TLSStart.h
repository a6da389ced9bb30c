#pragma once

#include "xmpp/elements/StreamElement.h"

namespace xmpp {

class TLSStart : public StreamElement
{
public:
    int type() const override { return ElementType::TLSStart; }
};

} // namespace xmpp
