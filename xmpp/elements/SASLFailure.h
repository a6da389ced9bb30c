#pragma once

#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/StreamElement.h"

namespace xmpp {

class SASLFailure : public StreamElement
{
public:
    int type() const override { return ElementType::SASLFailure; }

    int condition = SASLFailureCondition::Unknown;
};

} // namespace xmpp
