#include "xmpp/elements/ErrorConditions.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ElementCodec.h"
#include "xmpp/elements/Namespaces.h"
#include "xmpp/elements/SASLFailure.h"
#include "xmpp/elements/Stanza.h"
#include "xmpp/elements/StreamError.h"
#include "xmpp/elements/XmlElement.h"
#include "xmpp/elements/stream_parse_error.h"

#include <QDebug>
#include <QXmlStreamWriter>

#include <algorithm>
#include <vector>

namespace xmpp {

namespace {

using NameTable = std::vector<QString>;

// Each table is sorted by name, so the index is both the code and the
// position for a binary search.
const NameTable &streamConditions()
{
    static const NameTable table = {"bad-format",
                                    "bad-namespace-prefix",
                                    "conflict",
                                    "connection-timeout",
                                    "host-gone",
                                    "host-unknown",
                                    "improper-addressing",
                                    "internal-server-error",
                                    "invalid-from",
                                    "invalid-id",
                                    "invalid-namespace",
                                    "invalid-xml",
                                    "not-authorized",
                                    "policy-violation",
                                    "remote-connection-failed",
                                    "resource-constraint",
                                    "restricted-xml",
                                    "see-other-host",
                                    "system-shutdown",
                                    "undefined-condition",
                                    "unsupported-encoding",
                                    "unsupported-stanza-type",
                                    "unsupported-version",
                                    "xml-not-well-formed"};
    return table;
}

const NameTable &saslConditions()
{
    static const NameTable table = {
        "aborted",        "incorrect-encoding",    "invalid-authzid", "invalid-mechanism", "mechanism-too-weak",
        "not-authorized", "temporary-auth-failure"};
    return table;
}

const NameTable &stanzaErrorTypes()
{
    static const NameTable table = {"", "cancel", "continue", "modify", "auth", "wait"};
    return table;
}

const NameTable &stanzaConditions()
{
    static const NameTable table = {"bad-request",
                                    "conflict",
                                    "feature-not-implemented",
                                    "forbidden",
                                    "gone",
                                    "internal-server-error",
                                    "item-not-found",
                                    "jid-malformed",
                                    "not-acceptable",
                                    "not-allowed",
                                    "not-authorized",
                                    "payment-required",
                                    "recipient-unavailable",
                                    "redirect",
                                    "registration-required",
                                    "remote-server-not-found",
                                    "remote-server-timeout",
                                    "resource-constraint",
                                    "service-unavailable",
                                    "subscription-required",
                                    "undefined-condition",
                                    "unexpected-request"};
    return table;
}

int findSorted(const NameTable &table, const QString &name)
{
    const auto it = std::lower_bound(table.begin(), table.end(), name);
    if (it == table.end() || *it != name)
        return -1;
    return int(it - table.begin());
}

QString nameAt(const NameTable &table, int index)
{
    if (index < 0 || index >= int(table.size()))
        return QString();
    return table[size_t(index)];
}

bool isStreamErrorNamespace(const QString &ns)
{
    return ns == QLatin1String(ns::streamErrors) || ns == QLatin1String(ns::stream);
}

} // namespace

QString streamErrorConditionName(int code)
{
    return nameAt(streamConditions(), code);
}
QString saslFailureConditionName(int code)
{
    return nameAt(saslConditions(), code);
}
QString stanzaErrorTypeName(int code)
{
    return nameAt(stanzaErrorTypes(), code);
}
QString stanzaErrorConditionName(int code)
{
    return code <= 0 ? QString() : nameAt(stanzaConditions(), code - 1);
}

int streamErrorConditionFromName(const QString &name)
{
    return findSorted(streamConditions(), name);
}
int saslFailureConditionFromName(const QString &name)
{
    return findSorted(saslConditions(), name);
}

int stanzaErrorTypeFromName(const QString &name)
{
    // Not sorted; a plain scan of five names.
    const NameTable &table = stanzaErrorTypes();
    for (int i = 1; i < int(table.size()); ++i) {
        if (table[size_t(i)] == name)
            return i;
    }
    return 0;
}

int stanzaErrorConditionFromName(const QString &name)
{
    const int i = findSorted(stanzaConditions(), name);
    return i < 0 ? 0 : i + 1;
}

StreamError *parseStreamError(const XmlElement &element)
{
    auto error = std::make_unique<StreamError>();
    // Servers put the condition and text in the stream-errors namespace;
    // children in any other namespace are application-specific extras.
    for (XmlElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (!isStreamErrorNamespace(child.namespaceURI()))
            continue;
        const QString name = child.localName();
        if (name == QLatin1String("text")) {
            error->text = child.text();
            continue;
        }
        int code = streamErrorConditionFromName(name);
        if (code < 0) {
            // Conditions newer than our table ("reset", "not-well-formed"...)
            // still end the stream with the peer's text intact.
            qCWarning(lcXmpp) << "xmpp: unknown stream error" << name << "read as undefined-condition";
            code = StreamErrorCondition::UndefinedCondition;
        }
        error->condition = code;
        error->otherHost = code == StreamErrorCondition::SeeOtherHost ? child.text() : QString();
    }
    return error.release();
}

SASLFailure *parseSASLFailure(const XmlElement &element)
{
    auto failure = std::make_unique<SASLFailure>();
    const XmlElement child = element.firstChildElement();
    if (!child.isNull()) {
        const QString name = child.localName();
        const int code = saslFailureConditionFromName(name);
        if (code < 0)
            throw stream_parse_error(StreamErrorCondition::BadFormat,
                                     QStringLiteral("unknown SASL failure code <%1>").arg(name));
        failure->condition = code;
    }
    return failure.release();
}

void parseStanzaError(const XmlElement &element, Stanza &stanza)
{
    const XmlElement error = firstChildElementLocal(element, QStringLiteral("error"));
    if (stanza.typeText != QLatin1String("error")) {
        if (!error.isNull())
            throw stream_parse_error(StreamErrorCondition::InvalidXml,
                                     QStringLiteral("non-error stanza included an error tag"));
        return;
    }
    if (error.isNull())
        throw stream_parse_error(StreamErrorCondition::InvalidXml,
                                 QStringLiteral("error stanza didn't include an error tag"));

    const QString typeName = error.attribute(QStringLiteral("type"));
    const int errorType = stanzaErrorTypeFromName(typeName);
    if (errorType == 0)
        throw stream_parse_error(StreamErrorCondition::BadFormat,
                                 QStringLiteral("unknown stanza error type %1").arg(typeName));

    XmlElement conditionElement = error.firstChildElement();
    if (!conditionElement.isNull() && conditionElement.localName() == QLatin1String("text"))
        conditionElement = conditionElement.nextSiblingElement();
    if (conditionElement.isNull())
        throw stream_parse_error(StreamErrorCondition::BadFormat, QStringLiteral("unknown stanza error condition <>"));
    const QString conditionName = conditionElement.localName();
    int condition = stanzaErrorConditionFromName(conditionName);
    if (condition == 0) {
        // A condition our table lacks ("policy-violation" from a room, say)
        // is still an error answer; it must not cost the session.
        qCWarning(lcXmpp) << "xmpp: unknown stanza error condition" << conditionName << "read as undefined-condition";
        condition = StanzaErrorCondition::UndefinedCondition;
    }

    stanza.errorType = errorType;
    stanza.errorCondition = condition;
}

void writeStreamError(QXmlStreamWriter &xml, const StreamError &error)
{
    // "stream:error" through the prefix the stream header declared.
    xml.writeStartElement(QLatin1String(ns::stream), QStringLiteral("error"));
    QString condition = streamErrorConditionName(error.condition);
    if (condition.isEmpty())
        condition = streamErrorConditionName(StreamErrorCondition::UndefinedCondition);
    if (error.condition == StreamErrorCondition::SeeOtherHost && !error.otherHost.isEmpty()) {
        xml.writeStartElement(condition);
        xml.writeDefaultNamespace(QLatin1String(ns::streamErrors));
        xml.writeCharacters(xmlSafeText(error.otherHost));
        xml.writeEndElement();
    } else {
        xml.writeEmptyElement(condition);
        xml.writeDefaultNamespace(QLatin1String(ns::streamErrors));
    }
    if (!error.text.isEmpty()) {
        xml.writeStartElement(QStringLiteral("text"));
        xml.writeDefaultNamespace(QLatin1String(ns::streamErrors));
        xml.writeCharacters(xmlSafeText(error.text));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void writeStanzaError(QXmlStreamWriter &xml, const Stanza &stanza)
{
    if (stanza.errorCondition == 0)
        return;
    xml.writeStartElement(QStringLiteral("error"));
    xml.writeAttribute(QStringLiteral("type"), stanzaErrorTypeName(stanza.errorType));
    QString condition = stanzaErrorConditionName(stanza.errorCondition);
    if (condition.isEmpty())
        condition = stanzaErrorConditionName(StanzaErrorCondition::UndefinedCondition);
    xml.writeEmptyElement(condition);
    xml.writeDefaultNamespace(QLatin1String(ns::stanzas));
    xml.writeEndElement();
}

} // namespace xmpp
