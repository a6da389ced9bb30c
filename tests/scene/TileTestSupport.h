#pragma once

#include "scene/TileGraphics.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QtTest>

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

// The set the view tests draw with, rendered at scale 1 before the first test.
// No worker may still render when the test program ends.
inline void loadDefaultTileSet()
{
    useEmbeddedResources();
    TileGraphics::instance().setTileSet(3, 4);
    QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
    QVERIFY(TileGraphics::instance().scaledPainter().images());
    QCOMPARE(TileGraphics::instance().gameScale(), 1.0);
}

} // namespace tiletest
