#pragma once

#include "protocol/ReasonText.h"

#include <QMetaType>

// Why a tournament registration or unregistration was refused. The server
// may send values not listed; they are passed on and read as "Failed".
struct tmnt_register_failed_reason
{
    // Fixed underlying type: the server may send values this client does not
    // know, and they must stay representable.
    enum enum_t : qint32 {
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

    static constexpr const char *context = "tmnt_register_failed_reason";
    static constexpr ReasonText texts[] = {
        {Failed, "failed", QT_TRANSLATE_NOOP("tmnt_register_failed_reason", "Failed")},
        {Denied, "denied", QT_TRANSLATE_NOOP("tmnt_register_failed_reason", "Denied")},
        {InsufficientFunds, "insufficient funds",
         QT_TRANSLATE_NOOP("tmnt_register_failed_reason", "Insufficient Funds")},
        {TournamentFull, "tournament full", QT_TRANSLATE_NOOP("tmnt_register_failed_reason", "Tournament is full")},
        {AccessDenied, "access denied", QT_TRANSLATE_NOOP("tmnt_register_failed_reason", "Access Denied")},
        {AlreadyRegistered, "already registered",
         QT_TRANSLATE_NOOP("tmnt_register_failed_reason", "Already Registered")},
        {TournamentRunning, "tournament running",
         QT_TRANSLATE_NOOP("tmnt_register_failed_reason", "Tournament is running")},
    };

    // "Failed", "Denied", "Insufficient Funds" ...; "Failed" for any other value.
    static const char *text(int value);
};

Q_DECLARE_METATYPE(tmnt_register_failed_reason::enum_t)
