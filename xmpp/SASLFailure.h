#pragma once

#include "xmpp/ErrorConditions.h"
#include "xmpp/StreamElement.h"

namespace xmpp {

class SASLFailure : public StreamElement
{
public:
    int type() const override { return ElementType::SASLFailure; }

    int condition = SASLFailureCondition::Unknown;
};

} // namespace xmpp
