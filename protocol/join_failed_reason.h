#pragma once

#include <QMetaType>

// Why a join was refused; the codec refuses any other value on arrival.
struct join_failed_reason
{
    enum enum_t {
        UNSPECIFIED = 0,
        JOIN_ERROR = 1,
        TABLE_FULL = 2,
        TABLE_IN_PLAY = 3,
        INSUFFICIENT_FUNDS = 4,
        SAME_IP_ADDRESS = 5,
        NO_MONEY_TABLES = 6,
        NOT_FULLY_REGISTERED = 7,
        MAINTENANCE = 8
    };
};

Q_DECLARE_METATYPE(join_failed_reason::enum_t)
