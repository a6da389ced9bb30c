#include "xmpp/elements/XMPPDataReport.h"

void XMPPDataReport::Row::add(const QString &name, const QString &text)
{
    vars.append(name);
    if (!text.isEmpty())
        values.insert(name, text);
}
