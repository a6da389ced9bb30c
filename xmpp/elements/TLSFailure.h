#pragma once

#include "xmpp/elements/StreamElement.h"

namespace xmpp {

class TLSFailure : public StreamElement
{
public:
    int type() const override { return ElementType::TLSFailure; }
};

} // namespace xmpp
