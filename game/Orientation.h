#pragma once

// Sides of the table as the local player sees them.
struct Orientation
{
    enum enum_t { BOTTOM = 0, RIGHT = 1, TOP = 2, LEFT = 3 };
};

// "BOTTOM", "RIGHT", "TOP", "LEFT"; "<undefined>" outside 0-3.
const char *orientationName(int orientation);
