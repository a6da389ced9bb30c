#include "scene/Matrix4.h"

void Matrix4::setScaledIdentity(Values &m, double s)
{
    m.fill(0.0);
    m[0] = m[5] = m[10] = s;
    m[15] = 1.0;
}

Matrix4::Values Matrix4::multiplied(const Values &a, const Values &b)
{
    Values r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                r[i * 4 + j] += a[i * 4 + k] * b[k * 4 + j];
    return r;
}
