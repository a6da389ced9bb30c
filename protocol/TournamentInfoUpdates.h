#pragma once

#include "protocol/TournamentInfo.h"

#include <QMetaType>

#include <functional>
#include <vector>

// A partial update of a tournament: functions applied to a TournamentInfo in
// list order. Calling an empty function throws std::bad_function_call.
typedef std::vector<std::function<void(TournamentInfo &)>> TournamentInfoUpdates;

void applyUpdates(TournamentInfo &info, const TournamentInfoUpdates &updates);

// The update that sets one keyed value (TournamentInfo::setValue).
std::function<void(TournamentInfo &)> tournamentInfoValueUpdate(qint32 key, const QVariant &value);

Q_DECLARE_METATYPE(TournamentInfoUpdates)
