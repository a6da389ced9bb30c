#pragma once

#include "protocol/TournamentInfo.h"

#include <QDateTime>

// A tournament record for tests: 64 places, three rounds of 20 minutes.
inline TournamentInfo makeTournament(qint32 id, const QString &name, TournamentInfo::status_t status, int ruleset,
                                     qint32 bet, qint32 fee, int registered, int maximum = 64)
{
    TournamentInfo t;
    t.id = id;
    t.persistentId = id * 10;
    t.status = status;
    t.name = name;
    t.ruleset = ruleset;
    t.cost = TournamentCost(bet, fee);
    t.registeredPlayers = registered;
    t.maxPlayers = maximum;
    t.start = QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC).addSecs(3600 * id);
    t.numberOfRounds = 3;
    t.roundsLength = {1200, 1200, 1200};
    return t;
}
