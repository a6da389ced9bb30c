#pragma once

#include "xmpp/StreamElement.h"

namespace xmpp {

class TLSProceed : public StreamElement
{
public:
    int type() const override { return ElementType::TLSProceed; }
};

} // namespace xmpp
