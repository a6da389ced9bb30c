#include "game/EndHandScoring.h"

bool EndHandScoring::isWon() const
{
    return winKind == MAHJONG || winKind == WIN_ON_DISCARD || winKind == SELF_DRAWN;
}
