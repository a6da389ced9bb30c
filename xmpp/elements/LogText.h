#pragma once

#include <QString>
#include <QStringView>

namespace xmpp {

class StreamElement;

// A peer's text as a log line may show it: control characters and line
// separators are escaped, so the text can neither start a forged line of
// its own nor drive the terminal that shows the log.
QString logText(QStringView text);

// One element as the traffic log shows it: its kind and, for a stanza, the
// id, type, addresses and error; never a body, a status or credentials.
QString logSummary(const StreamElement &element);

} // namespace xmpp
