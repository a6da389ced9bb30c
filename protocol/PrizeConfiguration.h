#pragma once

#include "protocol/Range.h"
#include "protocol/pot_share_t.h"

#include <QMetaType>

#include <any>
#include <map>

// For each range of finishing positions the prize it wins; the value holds a
// pot_share_t (anything else, or nothing, only comes from malformed data).
typedef std::map<Range<int>, std::any> prize_structure_t;

// For each range of numbers of registered players the payout table that
// applies.
typedef std::map<Range<int>, prize_structure_t> tournament_prize_configuration_t;

Q_DECLARE_METATYPE(tournament_prize_configuration_t)
