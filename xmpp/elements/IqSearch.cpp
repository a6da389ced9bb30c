#include "xmpp/elements/IqSearch.h"

namespace xmpp {

IqSearch::IqSearch(const QString &id, const XMPPJid &to)
    : Iq(id, to, Get)
{
}

IqSearch::IqSearch(const QString &id, const XMPPJid &to, const XMPPDataForm &form_)
    : Iq(id, to, Set)
    , form(std::make_unique<XMPPDataForm>(form_))
{
}

} // namespace xmpp
