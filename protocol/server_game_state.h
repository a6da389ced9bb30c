#pragma once

#include <QMetaType>

// The table's game state as the server reports it with game data.
struct server_game_state
{
    enum enum_t {
        INITIAL_STATE = 0,
        START_HAND_STATE = 1,
        DECLARING_BONUS_TILES_STATE = 2,
        TILE_CLAIMED_STATE = 3,
        TILE_DISCARDED_STATE = 4,
        ROBBING_THE_KONG_STATE = 5,
        HAND_ENDED_STATE = 6,
        // Sent by the server after a hand; the table treats it like HAND_ENDED_STATE.
        HAND_ENDED_WAITING_STATE = 7
    };
    static constexpr int minValue = 0;
    static constexpr int maxValue = 7;
    static const char *name(int value); // "INITIAL_STATE" ..., "<undefined>"
};

Q_DECLARE_METATYPE(server_game_state::enum_t)
