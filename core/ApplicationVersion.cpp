#include "core/ApplicationVersion.h"

#include <QtGlobal>

QString applicationVersion()
{
    return QStringLiteral(MAHJONG_VERSION);
}

QString buildText()
{
    return QStringLiteral("version %1, Qt %2, built %3")
        .arg(applicationVersion(), QString::fromLatin1(qVersion()), QStringLiteral(MAHJONG_BUILD_DATE));
}
