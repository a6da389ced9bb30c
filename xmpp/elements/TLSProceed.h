#pragma once

#include "xmpp/elements/StreamElement.h"

namespace xmpp {

class TLSProceed : public StreamElement
{
public:
    int type() const override { return ElementType::TLSProceed; }
};

} // namespace xmpp
