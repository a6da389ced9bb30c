#include "protocol/server_game_state.h"

const char *server_game_state::name(int value)
{
    static const char *const names[] = {"INITIAL_STATE",      "START_HAND_STATE",     "DECLARING_BONUS_TILES_STATE",
                                        "TILE_CLAIMED_STATE", "TILE_DISCARDED_STATE", "ROBBING_THE_KONG_STATE",
                                        "HAND_ENDED_STATE",   "HAND_ENDED_STATE"};
    return value >= minValue && value <= maxValue ? names[value] : "<undefined>";
}
