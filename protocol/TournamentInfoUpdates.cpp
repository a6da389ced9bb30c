#include "protocol/TournamentInfoUpdates.h"

void applyUpdates(TournamentInfo &info, const TournamentInfoUpdates &updates)
{
    for (const auto &update : updates)
        update(info); // an empty function throws std::bad_function_call
}

std::function<void(TournamentInfo &)> tournamentInfoValueUpdate(qint32 key, const QVariant &value)
{
    return [key, value](TournamentInfo &info) { info.setValue(key, value); };
}
