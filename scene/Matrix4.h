#pragma once

#include <array>

// A 4 x 4 matrix of doubles, row-major; points are row vectors (p x M).
class Matrix4
{
public:
    using Values = std::array<double, 16>;

    // Scales x, y and z by s and keeps w at 1 (a scale on w too would
    // cancel in the division by w).
    static void setScaledIdentity(Values &m, double s);
    static Values multiplied(const Values &a, const Values &b);
};
