#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

namespace tiletest {

// The embedded sets as the application finds them.
inline void useEmbeddedResources()
{
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
}

inline QString sourceTileSets()
{
    return qEnvironmentVariable("MAHJONG_SOURCE_DIR") + QStringLiteral("/resources/tilesets");
}

} // namespace tiletest
