#pragma once

#include "xmpp/elements/stream_error.h"

namespace xmpp {

// Received XML that cannot be accepted; handled like any stream error.
class stream_parse_error : public stream_error
{
public:
    stream_parse_error(int condition, const QString &text);
};

} // namespace xmpp
