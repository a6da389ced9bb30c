#pragma once

// Sides of the table as the local player sees them. The one definition of the
// four sides: the tile pictures and table views use it too.
struct Orientation
{
    // Fixed underlying type: a side read from outside can be checked against
    // Count before it is trusted.
    enum enum_t : int { BOTTOM = 0, RIGHT = 1, TOP = 2, LEFT = 3 };
    static constexpr int Count = 4;
};

// The side n quarter turns from BOTTOM; any n, negative too (C++ % keeps the
// sign, so a bare modulo would give a side of -1).
constexpr Orientation::enum_t orientationOf(int n)
{
    return static_cast<Orientation::enum_t>((n % Orientation::Count + Orientation::Count) % Orientation::Count);
}

// "BOTTOM", "RIGHT", "TOP", "LEFT"; "<undefined>" outside 0-3.
const char *orientationName(int orientation);
