#pragma once

#include "protocol/ReasonText.h"

#include <QMetaType>

// Why the player was taken off a seat. The server may send values not
// listed; they are passed on as they are and show nothing.
struct kick_reason
{
    // Fixed underlying type: the server may send values this client does not
    // know, and they must stay representable.
    enum enum_t : qint32 {
        KICKED = 0,
        INACTIVE = 1,
        INSUFFICIENT_FUNDS = 2,
        // The player stays at the table as a watcher.
        MOVED_TO_WATCHERS = 3,
        SERVER_ERROR = 4,
        MAINTENANCE = 5
    };

    // The table window shows these boxes; moving to the watchers shows none.
    static constexpr const char *context = "GameWindow";
    static constexpr ReasonText texts[] = {
        {KICKED, "kicked", QT_TRANSLATE_NOOP("GameWindow", "You were kicked from the table."),
         QT_TRANSLATE_NOOP("GameWindow", "Kicked")},
        {INACTIVE, "inactive", QT_TRANSLATE_NOOP("GameWindow", "You were kicked from the table."),
         QT_TRANSLATE_NOOP("GameWindow", "Kicked")},
        {INSUFFICIENT_FUNDS, "insufficient funds",
         QT_TRANSLATE_NOOP("GameWindow", "You do not have enough funds to play another hand.\n"
                                         "Do you want to make a deposit now?"),
         QT_TRANSLATE_NOOP("GameWindow", "Kicked")},
        {MOVED_TO_WATCHERS, "moved to the watchers"},
        {SERVER_ERROR, "server error",
         QT_TRANSLATE_NOOP("GameWindow", "A server error occured and the game was aborted.\n"
                                         "Your bet and fee will be repaid."),
         QT_TRANSLATE_NOOP("GameWindow", "Server error"),
         QT_TRANSLATE_NOOP("GameWindow", "A server error occured and the tournament will be aborted.\n"
                                         "Check tournament rules for details regarding the distribution of the "
                                         "prize pool.")},
        {MAINTENANCE, "maintenance",
         QT_TRANSLATE_NOOP("GameWindow", "You were kicked from the table as the server will be unavailable due to "
                                         "mainenance."),
         QT_TRANSLATE_NOOP("GameWindow", "Kicked")},
    };
};

Q_DECLARE_METATYPE(kick_reason::enum_t)
