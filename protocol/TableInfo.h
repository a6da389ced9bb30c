#pragma once

#include "protocol/TableCapacity.h"
#include "protocol/ValueColumnType.h"

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <map>

// A lobby table as the server describes it. Besides id and lobby path every
// field travels as a keyed value, so full records and partial updates share
// one form (TableInfo::setValue). Keys this client does not know are kept as
// they came.
class TableInfo
{
public:
    enum key_t : qint32 {
        RULESET = 1,       // int: 0 Classic, 1 International, 2 Riichi
        CAPACITY = 2,      // int: number of seats
        SEATED = 3,        // int: seated players
        BOTS = 4,          // int: bots among the seated players
        GAME_TYPE = 5,     // int: 0 single hand, 1 tournament, 2 full game, 3 East only
        WIND_ROUNDS = 6,   // int: wind rounds of a full game
        TOURNAMENT_ID = 7, // int: the tournament of a tournament table, else -1
        SETTLEMENT = 8,    // int: settlement kind; 1-3 are money tables
        BET = 9,           // int64: cents
        FEE = 10,          // int64: cents
        NAME_ID = 11,      // int: key of the table's localized name template
        LOBBY_PATH = 12    // string: also a field of its own on the wire
    };

    enum game_type_t : qint32 { SINGLE_HAND = 0, TOURNAMENT = 1, FULL_GAME = 2, EAST_ONLY = 3 };

    TableInfo() = default;
    TableInfo(qint32 id, const QString &lobbyPath)
        : m_id(id)
        , m_lobbyPath(lobbyPath)
    {
    }

    qint32 id() const { return m_id; }
    void setId(qint32 id) { m_id = id; }
    const QString &lobbyPath() const { return m_lobbyPath; }
    void setLobbyPath(const QString &path) { m_lobbyPath = path; }

    qint32 ruleset() const { return m_ruleset; }
    void setRuleset(qint32 ruleset) { m_ruleset = ruleset; }
    // Number of seats.
    qint32 capacity() const { return m_capacity; }
    void setCapacity(qint32 seats) { m_capacity = seats; }
    qint32 seated() const { return m_seated; }
    void setSeated(qint32 seated) { m_seated = seated; }
    qint32 bots() const { return m_bots; }
    void setBots(qint32 bots) { m_bots = bots; }
    qint32 gameType() const { return m_gameType; }
    void setGameType(qint32 type) { m_gameType = type; }
    qint32 windRounds() const { return m_windRounds; }
    void setWindRounds(qint32 rounds) { m_windRounds = rounds; }
    qint32 tournamentId() const { return m_tournamentId; }
    void setTournamentId(qint32 id) { m_tournamentId = id; }
    qint32 nameId() const { return m_nameId; }
    void setNameId(qint32 id) { m_nameId = id; }
    const ValueColumnType &value() const { return m_value; }
    void setValue(const ValueColumnType &value) { m_value = value; }

    bool isTournamentTable() const { return m_gameType == TOURNAMENT; }
    bool isFull() const { return m_capacity > 0 && m_seated >= m_capacity; }
    TableCapacity tableCapacity() const { return TableCapacity(m_seated, m_capacity, m_bots); }

    // Wall sizes at the start of a hand for the table's ruleset.
    int deadWallTiles() const;
    int liveWallTiles() const;
    // The buy-in (bet + fee) as a money text; "-" for tables without one.
    QString buyInText() const;

    // Sets one keyed value. A value of the wrong type for a known key throws
    // server_error; unknown keys are kept in extraValues().
    void setValue(qint32 key, const QVariant &value);
    // The keyed value of a key (an invalid variant when unset or unknown).
    QVariant value(qint32 key) const;
    const std::map<qint32, QVariant> &extraValues() const { return m_extra; }

    bool operator==(const TableInfo &other) const;
    bool operator!=(const TableInfo &other) const { return !(*this == other); }

private:
    qint32 m_id = -1;
    QString m_lobbyPath;
    qint32 m_ruleset = 0;
    qint32 m_capacity = 0;
    qint32 m_seated = 0;
    qint32 m_bots = 0;
    qint32 m_gameType = 0;
    qint32 m_windRounds = 0;
    qint32 m_tournamentId = -1;
    qint32 m_nameId = -1;
    ValueColumnType m_value;
    std::map<qint32, QVariant> m_extra;
};

Q_DECLARE_METATYPE(TableInfo)
