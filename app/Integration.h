#pragma once

class QWidget;

// The places where start-up meets modules that are built on top of the
// application frame. Each hook is one small call so the wiring stays visible.
namespace Integration {
// Lets the "time to start" texts follow the estimate of the server's clock.
void installServerClock();

// The "install" option: prepares the data files (tile-set caches) and
// returns the exit code.
int installData();

// Loads the game sounds once the main window exists.
void loadSounds(QWidget *mainWindow);
} // namespace Integration
