#pragma once

#include <QMetaType>

// A share of a tournament's pot in tenths of a percent (1000 = the whole pot).
struct pot_share_t
{
    int share = 0;

    bool operator==(const pot_share_t &other) const = default;
};

Q_DECLARE_METATYPE(pot_share_t)
