#pragma once

#include "protocol/TournamentInfo.h"

#include <QDateTime>

#include <vector>

// A tournament of the samples, its start counted from the samples' evening.
inline TournamentInfo sampleTournament(qint32 id, const char *name, TournamentInfo::status_t status, int ruleset,
                                       qint32 bet, qint32 fee, int registered, int maximum, int startInHours,
                                       std::vector<int> rounds = {1200, 1200, 1200})
{
    TournamentInfo t;
    t.id = id;
    t.persistentId = id * 10;
    t.status = status;
    t.name = QString::fromUtf8(name);
    t.ruleset = ruleset;
    t.cost = TournamentCost(bet, fee);
    t.registeredPlayers = registered;
    t.maxPlayers = maximum;
    t.start = QDateTime(QDate(2026, 12, 7), QTime(18, 0), Qt::UTC).addSecs(3600 * startInHours);
    t.numberOfRounds = int(rounds.size());
    t.roundsLength = std::move(rounds);
    return t;
}
