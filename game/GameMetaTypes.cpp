#include "game/GameMetaTypes.h"

#include "game/EndHandScoring.h"
#include "game/Meld.h"
#include "game/PlayerData.h"
#include "game/Tile.h"

#include <QMetaType>

void registerGameMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<tile>("tile");
        qRegisterMetaType<tile_vector>("tile_vector");
        qRegisterMetaType<meld_tuple>("meld_tuple");
        qRegisterMetaType<meld_vector>("meld_vector");
        qRegisterMetaType<PlayerData>("PlayerData");
        qRegisterMetaType<std::vector<PlayerData>>("std::vector<PlayerData>");
        qRegisterMetaType<PlayerHandScore>("PlayerHandScore");
        qRegisterMetaType<EndHandScoring>("EndHandScoring");
        return true;
    }();
    Q_UNUSED(registered);
}
