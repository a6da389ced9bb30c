#pragma once

#include "xmpp/elements/XMPPJid.h"

#include <QDateTime>

namespace xmpp {

// When and by whom a stored message was first sent.
struct DelayedDeliveryInfo
{
    XMPPJid from;
    QDateTime stamp; // UTC
};

} // namespace xmpp
