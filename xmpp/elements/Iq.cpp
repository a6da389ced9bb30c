#include "xmpp/elements/Iq.h"

namespace xmpp {

namespace {
const char *const iqTypeNames[] = {"get", "set", "result", "error"};
} // namespace

QString Iq::iqTypeText(int iqType)
{
    if (iqType < 0 || iqType > Error)
        return QString();
    return QString::fromLatin1(iqTypeNames[iqType]);
}

int Iq::iqTypeFromText(const QString &text)
{
    for (int i = 0; i <= Error; ++i) {
        if (text == QLatin1String(iqTypeNames[i]))
            return i;
    }
    return -1;
}

} // namespace xmpp
