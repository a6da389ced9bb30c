#pragma once

#include <QMetaType>

// What a table waits for while a time window runs.
struct WaitCondition
{
    enum enum_t {
        // Claims on the last discard.
        CLAIMS = 0,
        // The first listed player's turn.
        PLAYER_TURN = 1
    };
    static constexpr int minValue = 0;
    static constexpr int maxValue = 1;
};

Q_DECLARE_METATYPE(WaitCondition::enum_t)
