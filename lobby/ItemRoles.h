#pragma once

#include <Qt>

// Item roles shared by the lobby's models and the proxies that sort them.
namespace ItemRoles {
// Every cell of a table row answers the table id under this role.
constexpr int TableIdRole = Qt::UserRole;
// The raw value a cell is sorted and filtered on.
constexpr int RawValueRole = Qt::UserRole + 100;
} // namespace ItemRoles
