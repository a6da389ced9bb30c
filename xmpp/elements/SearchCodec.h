#pragma once

#include "xmpp/elements/XMPPDataForm.h"
#include "xmpp/elements/XMPPDataReport.h"

#include <QDomElement>

#include <memory>

class QXmlStreamWriter;

namespace xmpp {

class IqSearch;

// Decoders of the search payload; refusals are stanza_error (iq, cancel,
// unexpected-request).
std::unique_ptr<IqSearch> parseIqSearch(const QDomElement& query);
void parseDataForm(const QDomElement& x, XMPPDataForm& form);
XMPPDataForm::Field* parseDataFormField(const QDomElement& field);
void parseDataReport(const QDomElement& x, XMPPDataReport& report);
void parseLegacySearchForm(const QDomElement& query, XMPPDataForm& form);
void parseLegacySearchItems(const QDomElement& query, XMPPDataReport& report);

// The payload of an outgoing search iq.
void writeIqSearch(QXmlStreamWriter& xml, const IqSearch& iq);
void writeLegacySearch(QXmlStreamWriter& xml, const XMPPDataForm& form);
void writeSearchForm(QXmlStreamWriter& xml, const XMPPDataForm& form);

} // namespace xmpp
