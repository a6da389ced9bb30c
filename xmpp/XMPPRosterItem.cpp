#include "xmpp/XMPPRosterItem.h"

XMPPPresence XMPPRosterItem::bestPresence() const
{
    auto best = presences.cbegin();
    for (auto it = presences.cbegin(); it != presences.cend(); ++it) {
        if (XMPPPresence::rankLess(*best, *it))
            best = it;
    }
    return best == presences.cend() ? XMPPPresence() : *best;
}

int XMPPRosterItem::availability() const
{
    return presences.isEmpty() ? int(XMPPPresence::Unavailable) : bestPresence().availability();
}
