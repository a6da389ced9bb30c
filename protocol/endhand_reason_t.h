#pragma once

#include <QMetaType>

// Why a hand ended without a score (the washout type). Only 6-9 have reason
// texts; the server may send other values.
enum endhand_reason_t : int {
    ENDHAND_NO_REASON = 0,
    ENDHAND_NINE_TERMINALS_HONOURS = 6,
    ENDHAND_FOUR_KONGS = 7,
    ENDHAND_SAME_WIND_DISCARD = 8,
    ENDHAND_FOUR_RIICHI = 9
};

Q_DECLARE_METATYPE(endhand_reason_t)
