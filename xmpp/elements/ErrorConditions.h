#pragma once

#include <QString>

class QXmlStreamWriter;

namespace xmpp {

class XmlElement;
class StreamError;
class SASLFailure;
class Stanza;

// Stream error conditions; the value is the index in the name table.
struct StreamErrorCondition
{
    enum enum_t {
        BadFormat = 0,
        BadNamespacePrefix,
        Conflict,
        ConnectionTimeout,
        HostGone,
        HostUnknown,
        ImproperAddressing,
        InternalServerError,
        InvalidFrom,
        InvalidId,
        InvalidNamespace,
        InvalidXml,
        NotAuthorized,
        PolicyViolation,
        RemoteConnectionFailed,
        ResourceConstraint,
        RestrictedXml,
        SeeOtherHost,
        SystemShutdown,
        UndefinedCondition,
        UnsupportedEncoding,
        UnsupportedStanzaType,
        UnsupportedVersion,
        XmlNotWellFormed,
        Count
    };
};

// SASL failure conditions; Unknown marks a failure element without any
// condition child (never one of the conditions that allow a retry).
struct SASLFailureCondition
{
    enum enum_t {
        Unknown = -1,
        Aborted = 0,
        IncorrectEncoding,
        InvalidAuthzid,
        InvalidMechanism,
        MechanismTooWeak,
        NotAuthorized,
        TemporaryAuthFailure,
        Count
    };
};

struct StanzaErrorType
{
    enum enum_t { None = 0, Cancel, Continue, Modify, Auth, Wait, Count };
};

// Stanza error conditions; 0 is "no error", names count from 1.
struct StanzaErrorCondition
{
    enum enum_t {
        None = 0,
        BadRequest,
        Conflict,
        FeatureNotImplemented,
        Forbidden,
        Gone,
        InternalServerError,
        ItemNotFound,
        JidMalformed,
        NotAcceptable,
        NotAllowed,
        NotAuthorized,
        PaymentRequired,
        RecipientUnavailable,
        Redirect,
        RegistrationRequired,
        RemoteServerNotFound,
        RemoteServerTimeout,
        ResourceConstraint,
        ServiceUnavailable,
        SubscriptionRequired,
        UndefinedCondition,
        UnexpectedRequest,
        Count
    };
};

// Name of a code; empty for a code outside the table.
QString streamErrorConditionName(int code);
QString saslFailureConditionName(int code);
QString stanzaErrorTypeName(int code);
QString stanzaErrorConditionName(int code);

// Code of a name (exact, case-sensitive); -1 when the name is unknown
// (0 for the stanza tables, whose 0 means "none").
int streamErrorConditionFromName(const QString &name);
int saslFailureConditionFromName(const QString &name);
int stanzaErrorTypeFromName(const QString &name);
int stanzaErrorConditionFromName(const QString &name);

// Decoders; both throw stream_parse_error for an unknown condition.
StreamError *parseStreamError(const XmlElement &element);
SASLFailure *parseSASLFailure(const XmlElement &element);

// Reads the error part of a stanza envelope into the stanza.
void parseStanzaError(const XmlElement &element, Stanza &stanza);

// Writers (into an element already opened by the caller for the stanza).
void writeStreamError(QXmlStreamWriter &xml, const StreamError &error);
void writeStanzaError(QXmlStreamWriter &xml, const Stanza &stanza);

} // namespace xmpp
