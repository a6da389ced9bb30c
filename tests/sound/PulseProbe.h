#pragma once

#include <QString>
#include <QStringList>

// Asks the sound server (pactl) about the playback streams of this process.
class PulseProbe
{
public:
    // Streams of this process that are connected and not paused.
    int runningStreams() const;
    // Runs a pactl command; true when it succeeded.
    static bool command(const QStringList &arguments);
};
