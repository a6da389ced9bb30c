#include "app/Integration.h"

#include "protocol/ServerTime.h"
#include "scene/TileGraphics.h"
#include "sound/SoundPlayer.h"
#include "core/TextFormat.h"

#include <QDebug>
#include <QWidget>

namespace Integration {
void installServerClock()
{
    Utils::setServerClock([] { return ServerTime::instance().now(); });
}

int installData()
{
    return TileGraphics::buildTileSetCaches() ? 0 : 1;
}

void loadSounds(QWidget *mainWindow)
{
    SoundPlayer::instance().load(mainWindow);
}
} // namespace Integration
