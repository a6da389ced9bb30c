#pragma once

#include "protocol/TournamentCost.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <map>
#include <vector>

// A tournament as the server describes it. Like TableInfo, every field but
// the id travels as a keyed value (setValue), shared by full records and
// partial updates.
class TournamentInfo
{
public:
    enum status_t : qint32 {
        Unknown = -1,
        Open = 0,
        Closed = 1,
        Seating = 2,
        Playing = 3,
        Paused = 4,
        Done = 5,
        Cancelled = 6,
        Aborted = 7
    };

    enum key_t : qint32 {
        PERSISTENT_ID = 1,            // int
        STATUS = 2,                   // int: status_t 0-7
        NAME = 3,                     // string
        REGISTERED_PLAYERS = 4,       // int
        START = 5,                    // date-time
        CLOSE_REGISTER = 6,           // date-time
        MAX_PLAYERS = 7,              // int
        NUMBER_OF_ROUNDS = 8,         // int
        CURRENT_ROUND = 9,            // int, counted from 0
        ROUNDS_START = 10,            // list of date-times
        ROUNDS_LENGTH = 11,           // list of ints, seconds
        RULESET = 12,                 // int
        BET = 13,                     // int, cents
        FEE = 14,                     // int, cents
        ADDITIONAL_PAYOUT_AMOUNT = 15 // int, cents
    };

    qint32 id = -1;
    qint32 persistentId = -1;
    status_t status = Unknown;
    // Kept by the tournament lobby model; the server does not send it.
    bool playerRegistered = false;
    QString name;
    int registeredPlayers = 0;
    QDateTime start;
    QDateTime closeRegister;
    int maxPlayers = 0;
    int numberOfRounds = 0;
    int currentRound = 0;
    std::vector<QDateTime> roundsStart;
    std::vector<int> roundsLength;
    int ruleset = 0;
    TournamentCost cost;
    int additionalPayoutAmount = 0;

    // Sets one keyed value. A wrong type for a known key or a status outside
    // 0-7 throws server_error; unknown keys are kept in extraValues.
    void setValue(qint32 key, const QVariant &value);
    QVariant value(qint32 key) const;
    std::map<qint32, QVariant> extraValues;

    bool operator==(const TournamentInfo &other) const;
    bool operator!=(const TournamentInfo &other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(TournamentInfo)
Q_DECLARE_METATYPE(TournamentInfo::status_t)
