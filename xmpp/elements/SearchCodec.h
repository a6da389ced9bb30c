#pragma once

#include "xmpp/elements/XMPPDataForm.h"
#include "xmpp/elements/XMPPDataReport.h"
#include "xmpp/elements/XmlElement.h"

#include <memory>

class QXmlStreamWriter;

namespace xmpp {

class IqSearch;

// Decoders of the search payload; refusals are stanza_error (iq, cancel,
// unexpected-request).
std::unique_ptr<IqSearch> parseIqSearch(const XmlElement &query);
void parseDataForm(const XmlElement &x, XMPPDataForm &form);
XMPPDataForm::Field *parseDataFormField(const XmlElement &field);
void parseDataReport(const XmlElement &x, XMPPDataReport &report);
void parseLegacySearchForm(const XmlElement &query, XMPPDataForm &form);
void parseLegacySearchItems(const XmlElement &query, XMPPDataReport &report);

// The payload of an outgoing search iq.
void writeIqSearch(QXmlStreamWriter &xml, const IqSearch &iq);
void writeLegacySearch(QXmlStreamWriter &xml, const XMPPDataForm &form);
void writeSearchForm(QXmlStreamWriter &xml, const XMPPDataForm &form);

} // namespace xmpp
