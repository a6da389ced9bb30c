#pragma once

#include "xmpp/elements/Iq.h"
#include "xmpp/elements/XMPPDataForm.h"
#include "xmpp/elements/XMPPDataReport.h"

#include <memory>

namespace xmpp {

class IqSearch : public Iq
{
public:
    IqSearch() = default;
    IqSearch(const QString &id, const XMPPJid &to);                           // "get": ask for the form
    IqSearch(const QString &id, const XMPPJid &to, const XMPPDataForm &form); // "set": a filled form

    int type() const override { return ElementType::IqSearch; }

    std::unique_ptr<XMPPDataForm> form;     // null when none
    std::unique_ptr<XMPPDataReport> report; // null when none
};

} // namespace xmpp
