#pragma once

#include "lobby/ItemRoles.h"

// Item roles of the tournament models and the proxies over them.
namespace TournamentRoles {
// Every cell of a tournament row answers the tournament id, every cell of a
// ranking row the player id.
constexpr int IdRole = Qt::UserRole;
// The registration mark of a tournament row (bool).
constexpr int RegisteredRole = Qt::UserRole + 2;
// The raw value a cell is sorted and filtered on.
constexpr int RawValueRole = ItemRoles::RawValueRole;
} // namespace TournamentRoles
