#include "protocol/ProtocolMetaTypes.h"

#include "game/GameMetaTypes.h"
#include "protocol/ConnectionManager.h"
#include "protocol/Range.h"

#include <QMetaType>

void registerProtocolMetaTypes()
{
    static const bool done = [] {
        registerGameMetaTypes();
        qRegisterMetaType<Range<int>>("position_range_t");
        qRegisterMetaType<TableCapacity>("TableCapacity");
        qRegisterMetaType<ValueColumnType>("ValueColumnType");
        qRegisterMetaType<TableInfo>("TableInfo");
        qRegisterMetaType<TableInfoUpdates>("TableInfoUpdates");
        qRegisterMetaType<TournamentCost>("TournamentCost");
        qRegisterMetaType<TournamentInfo>("TournamentInfo");
        qRegisterMetaType<TournamentInfo::status_t>("TournamentInfo::status_t");
        qRegisterMetaType<TournamentInfoUpdates>("TournamentInfoUpdates");
        qRegisterMetaType<TournamentRanking>("TournamentRanking");
        qRegisterMetaType<TournamentRankings>("TournamentRankings");
        qRegisterMetaType<tournament_prize_configuration_t>("tournament_prize_configuration_t");
        qRegisterMetaType<pot_share_t>("pot_share_t");
        qRegisterMetaType<ComingEvent>("ComingEvent");
        qRegisterMetaType<ComingEvents>("ComingEvents");
        qRegisterMetaType<ClientConfig>("ClientConfig");
        qRegisterMetaType<TableState>("TableState");
        qRegisterMetaType<WallState>("WallState");
        qRegisterMetaType<Seating>("Seating");
        qRegisterMetaType<round_score_vector>("round_score_vector");
        qRegisterMetaType<MonetaryRoundScores>("MonetaryRoundScores");
        qRegisterMetaType<TournamentRoundScores>("TournamentRoundScores");
        qRegisterMetaType<PrivatePlayerData>("PrivatePlayerData");
        qRegisterMetaType<meld_offer>("meld_offer");
        qRegisterMetaType<meld_offer_vector>("meld_offer_vector");
        qRegisterMetaType<lobby_summary_t>("lobby_summary_t");
        qRegisterMetaType<server_game_state::enum_t>("server_game_state::enum_t");
        qRegisterMetaType<endhand_reason_t>("endhand_reason_t");
        qRegisterMetaType<join_failed_reason::enum_t>("join_failed_reason::enum_t");
        qRegisterMetaType<kick_reason::enum_t>("kick_reason::enum_t");
        qRegisterMetaType<WebPageRequest::enum_t>("WebPageRequest::enum_t");
        qRegisterMetaType<WaitCondition::enum_t>("WaitCondition::enum_t");
        qRegisterMetaType<tmnt_register_failed_reason::enum_t>("tmnt_register_failed_reason::enum_t");
        qRegisterMetaType<TimeSpan>("TimeSpan");
        qRegisterMetaType<std::string>("std::string");
        qRegisterMetaType<std::vector<qint32>>("std::vector<qint32>");
        qRegisterMetaType<std::vector<PlayerData>>("std::vector<PlayerData>");
        qRegisterMetaType<std::map<qint32, QString>>("std::map<qint32,QString>");
        return true;
    }();
    (void)done;
}
