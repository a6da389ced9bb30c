#pragma once

#include "scene/GameWindowAnimation.h"

#include <array>

class AnimationHost;

// The deal at the start of a hand: 13 tiles to each seated player and one
// more to East fly from the wall to the hidden hands, four at a time. The
// flights stay where they land; the window hides them later.
class DealStartHandAnimation : public GameWindowAnimation
{
    Q_OBJECT
public:
    static constexpr int DurationMs = 1500;
    static constexpr int MaxTiles = 53;

    // Reads the bottom seat's wind and the number of seated players now.
    explicit DealStartHandAnimation(AnimationHost *host);

    void start(bool immediate) override;
    void finish(bool immediate) override;

    // Tiles dealt at a table of that many players: 13 each and one more,
    // 0 for a count that is not 2 to 4.
    static int tileCount(int players);
    // The wind that deal step i goes to (0 east ... 3 north), -1 past the end.
    static int dealWind(int players, int step);
    // The fractions of the time line at which step i flies.
    static double startTime(int step);
    static double endTime(int step);

private:
    AnimationHost *m_host;
    int m_bottomWind;
    int m_players;
};
