#pragma once

#include "protocol/ReasonText.h"

#include <QMetaType>
#include <QString>

// Why a join was refused. The server may send values not listed; they are
// passed on as they are and shown without a text.
struct join_failed_reason
{
    // Fixed underlying type: the server may send values this client does not
    // know, and they must stay representable.
    enum enum_t : qint32 {
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

    // The main window shows these texts.
    static constexpr const char *context = "MainWindow";
    static constexpr ReasonText texts[] = {
        {UNSPECIFIED, "unspecified", QT_TRANSLATE_NOOP("MainWindow", "Not allowed to join table")},
        {JOIN_ERROR, "error", QT_TRANSLATE_NOOP("MainWindow", "Join Error")},
        {TABLE_FULL, "table full", QT_TRANSLATE_NOOP("MainWindow", "Table Full")},
        {TABLE_IN_PLAY, "in play", QT_TRANSLATE_NOOP("MainWindow", "Table In Play")},
        {INSUFFICIENT_FUNDS, "insufficient funds",
         QT_TRANSLATE_NOOP("MainWindow", "You don't have enough money on your account to join the table.")},
        {SAME_IP_ADDRESS, "same IP address",
         QT_TRANSLATE_NOOP("MainWindow", "A player with the same IP address as you has already joined the table.\n"
                                         "Please contact the support to remedy the situation.")},
        {NO_MONEY_TABLES, "no money tables",
         QT_TRANSLATE_NOOP("MainWindow", "You are not allowed to play on money tables.")},
        {NOT_FULLY_REGISTERED, "not fully registered",
         QT_TRANSLATE_NOOP("MainWindow", "You are not fully registered and therefore not allowed to play for money.")},
        {MAINTENANCE, "maintenance",
         QT_TRANSLATE_NOOP("MainWindow",
                           "You are not allowed to play, server will be unavailable due to maintenance.")},
    };

    // The translated text for a reason; empty for a value not listed.
    static QString text(int value)
    {
        const ReasonText *r = ReasonText::find(texts, value);
        return r ? ReasonText::translated(context, r->text) : QString();
    }
};

Q_DECLARE_METATYPE(join_failed_reason::enum_t)
