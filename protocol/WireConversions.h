#pragma once

#include "game/EndHandScoring.h"
#include "game/Meld.h"
#include "game/PlayerData.h"
#include "game/Tile.h"
#include "protocol/ComingEvent.h"
#include "protocol/MonetaryRoundScore.h"
#include "protocol/PrivatePlayerData.h"
#include "protocol/PrizeConfiguration.h"
#include "protocol/Seating.h"
#include "protocol/TableInfo.h"
#include "protocol/TableInfoUpdates.h"
#include "protocol/TableState.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentInfoUpdates.h"
#include "protocol/TournamentRanking.h"
#include "protocol/TournamentRoundScore.h"
#include "protocol/WallState.h"
#include "protocol/WireValue.h"
#include "protocol/lobby_summary_t.h"
#include "protocol/meld_offer.h"
#include "protocol/round_score_t.h"
#include "core/TimeSpan.h"

#include <QVariant>

#include <map>
#include <utility>
#include <vector>

// Conversions between decoded message fields (in the layouts of the Codec
// table) and the client's records. The to* functions read server data and
// throw server_error for anything unacceptable; the from* functions build
// fields for encoding.
namespace wire {
typedef std::vector<std::pair<qint32, QVariant>> KeyedValues;

// A text from the server cut to at most maxLength characters (never inside
// a surrogate pair), with a warning naming what it is: every view of it
// shapes and logs it whole, and a long word without a break costs a text
// layout far more than its length.
QString boundedText(const QString &text, qsizetype maxLength, const char *what);
// A player's, a table's or a tournament's name and a score line's name.
constexpr qsizetype maxNameLength = 128;
QString boundedName(const QString &name);
// A message or a refusal's reason that a box or a page shows.
constexpr qsizetype maxMessageLength = 1000;
QString boundedMessage(const QString &text);
// A table's lobby path: the client echoes it in lobby_subscribe and
// publishes it in its XMPP presence.
constexpr qsizetype maxLobbyPathLength = 256;
QString boundedLobbyPath(const QString &path);

tile_vector toTiles(const WireValue &v);
WireValue fromTiles(const tile_vector &tiles);
std::vector<qint32> toInts(const WireValue &v);
WireValue fromInts(const std::vector<qint32> &ints);

TimeSpan toTimeSpan(const WireValue &v);
meld_tuple toMeld(const WireValue &v);
WireValue fromMeld(const meld_tuple &m);
meld_offer_vector toMeldOffers(const WireValue &v);
PlayerData toPlayerData(const WireValue &v);
WireValue fromPlayerData(const PlayerData &p);
std::vector<PlayerData> toPlayers(const WireValue &v);
PrivatePlayerData toPrivatePlayerData(const WireValue &v);
TableState toTableState(const WireValue &v);
WireValue fromTableState(const TableState &s);
WallState toWallState(const WireValue &v);
WireValue fromWallState(const WallState &s);
Seating toSeating(const WireValue &v);
round_score_vector toRoundScores(const WireValue &v);
MonetaryRoundScores toMonetaryRoundScores(const WireValue &v);
TournamentRoundScores toTournamentRoundScores(const WireValue &v);
EndHandScoring toEndHandScoring(const WireValue &v);
WireValue fromEndHandScoring(const EndHandScoring &s);

// Keyed values ("var" on the wire) and the records built from them.
QVariant toVariant(const WireValue &v);
WireValue fromVariant(const QVariant &v);
KeyedValues toKeyedValues(const WireValue &v);
WireValue fromKeyedValues(const KeyedValues &values);
TableInfo toTableInfo(const WireValue &v);
WireValue fromTableInfo(const TableInfo &info);
TableInfoUpdates toTableInfoUpdates(const WireValue &v);
TournamentInfo toTournamentInfo(const WireValue &v);
WireValue fromTournamentInfo(const TournamentInfo &info);
TournamentInfoUpdates toTournamentInfoUpdates(const WireValue &v);
TournamentRankings toTournamentRankings(const WireValue &v);
WireValue fromTournamentRankings(const TournamentRankings &rankings);
tournament_prize_configuration_t toPrizeConfiguration(const WireValue &v);
WireValue fromPrizeConfiguration(const tournament_prize_configuration_t &config);
ComingEvents toComingEvents(const WireValue &v);
lobby_summary_t toLobbySummary(const WireValue &v);
WireValue fromLobbySummary(const lobby_summary_t &summary);
} // namespace wire
