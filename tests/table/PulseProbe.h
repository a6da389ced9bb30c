#pragma once

#include <QString>

// Asks the sound server (pactl) about the playback streams of this process.
class PulseProbe
{
public:
    // Streams of this process that are connected and not paused.
    int runningStreams() const;
};
