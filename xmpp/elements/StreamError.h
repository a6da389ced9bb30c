#pragma once

#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/StreamElement.h"

#include <QString>

namespace xmpp {

class StreamError : public StreamElement
{
public:
    StreamError() = default;
    StreamError(int condition_, const QString &text_)
        : condition(condition_)
        , text(text_)
    {
    }
    int type() const override { return ElementType::StreamError; }

    int condition = StreamErrorCondition::UndefinedCondition;
    QString text;
    QString otherHost; // only with SeeOtherHost
};

} // namespace xmpp
