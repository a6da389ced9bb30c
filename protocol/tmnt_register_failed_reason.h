#pragma once

#include <QMetaType>

// Why a tournament registration or unregistration was refused.
struct tmnt_register_failed_reason
{
    enum enum_t {
        Failed = 0,
        Denied = 1,
        InsufficientFunds = 2,
        TournamentFull = 3,
        AccessDenied = 4,
        AlreadyRegistered = 5,
        TournamentRunning = 6
    };
    static constexpr int minValue = 0;
    static constexpr int maxValue = 6;
    static const char *text(int value); // "Failed", "Denied", "Insufficient Funds" ...
};

Q_DECLARE_METATYPE(tmnt_register_failed_reason::enum_t)
