#include "xmpp/elements/XMPPRosterItem.h"

const XMPPPresence *XMPPRosterItem::bestPresence() const
{
    auto best = presences.cbegin();
    for (auto it = presences.cbegin(); it != presences.cend(); ++it) {
        if (XMPPPresence::rankLess(*best, *it))
            best = it;
    }
    return best == presences.cend() ? nullptr : &*best;
}

int XMPPRosterItem::availability() const
{
    const XMPPPresence *best = bestPresence();
    return best ? best->availability() : int(XMPPPresence::Unavailable);
}
