#pragma once

#include <QMetaType>

// Why the player was taken off a seat; the codec refuses any other value on
// arrival.
struct kick_reason
{
    enum enum_t {
        KICKED = 0,
        INACTIVE = 1,
        INSUFFICIENT_FUNDS = 2,
        // The player stays at the table as a watcher.
        MOVED_TO_WATCHERS = 3,
        SERVER_ERROR = 4,
        MAINTENANCE = 5
    };
};

Q_DECLARE_METATYPE(kick_reason::enum_t)
