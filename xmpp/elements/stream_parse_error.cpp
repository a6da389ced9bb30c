#include "xmpp/elements/stream_parse_error.h"

namespace xmpp {

stream_parse_error::stream_parse_error(int condition, const QString &text)
    : stream_error(condition, text, "stream_parse_error")
{
}

} // namespace xmpp
