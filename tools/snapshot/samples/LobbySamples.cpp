#include "../Sample.h"

#include "lobby/LobbySummary.h"
#include "lobby/SetScreennameDialog.h"

MAHJONG_SAMPLE(lobbySummary, {QStringLiteral("lobby-summary"), {}, [] { return new LobbySummary; }});
MAHJONG_SAMPLE(screenName,
               {QStringLiteral("set-screenname-dialog"), {}, [] { return new SetScreennameDialog(nullptr); }});
