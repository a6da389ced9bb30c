#pragma once

#include <QString>

// Display texts of lobby tables. Ruleset and game type names are translated
// in the context "TableInfo".

// 0 "Classic", 1 "MCR", 2 "EMA Riichi", anything else "<undefined>".
QString rulesetName(int ruleset);

// 0 "Single hand", 1 "Tournament", 2 "Full game", 3 "East only",
// anything else "<undefined>".
QString gameTypeName(int gameType);

// A full game (2) of a single wind round is played as East only (3).
int effectiveGameType(int gameType, int windRounds);
QString effectiveGameTypeName(int gameType, int windRounds);

// "-" for 0, otherwise the money text of the amount (in cents).
QString formatTableValue(int cents);
// The same for a part of a buy-in, with a "-" of its own.
QString formatTableValuePart(int cents);
