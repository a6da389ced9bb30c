#include "xmpp/elements/LogText.h"

#include "xmpp/elements/Stanza.h"

#include <iterator>

namespace xmpp {

namespace {

bool needsEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

const char *kindName(int type)
{
    static const char *const names[] = {"stream-error",   "features",   "starttls",     "proceed",
                                        "tls-failure",    "auth",       "challenge",    "response",
                                        "abort",          "success",    "sasl-failure", "stanza",
                                        "message",        "presence",   "iq",           "iq-bind",
                                        "iq-vcard",       "iq-session", "iq-roster",    "iq-disco-info",
                                        "iq-disco-items", "iq-search",  "muc-presence", "iq-instant-room"};
    return type >= 0 && type < int(std::size(names)) ? names[type] : "unknown";
}

} // namespace

QString logText(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && !needsEscape(text[i].unicode()))
        ++i;
    if (i == text.size())
        return text.toString();

    QString escaped;
    escaped.reserve(text.size() + 8);
    escaped.append(text.left(i));
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!needsEscape(c))
            escaped.append(QChar(c));
        else if (c == '\n')
            escaped.append(QLatin1String("\\n"));
        else if (c == '\r')
            escaped.append(QLatin1String("\\r"));
        else if (c == '\t')
            escaped.append(QLatin1String("\\t"));
        else
            escaped.append(QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0')));
    }
    return escaped;
}

QString logSummary(const StreamElement &element)
{
    QString summary = QLatin1String(kindName(element.type()));
    const auto *stanza = dynamic_cast<const Stanza *>(&element);
    if (!stanza)
        return summary;
    auto add = [&summary](const char *name, const QString &value) {
        if (!value.isEmpty())
            summary += QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + logText(value);
    };
    add("id", stanza->id);
    add("type", stanza->typeText);
    add("from", stanza->from.text());
    add("to", stanza->to.text());
    if (stanza->hasError())
        summary += QStringLiteral(" error=%1/%2").arg(stanza->errorType).arg(stanza->errorCondition);
    return summary;
}

} // namespace xmpp
