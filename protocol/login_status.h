#pragma once

#include "protocol/ReasonText.h"

#include <QString>

// Why a login was refused (login_failed). Other values may come; they get
// the text for an unknown failure.
struct login_status
{
    // Fixed underlying type: the server may send values this client does not
    // know, and they must stay representable.
    enum enum_t : qint32 {
        WRONG_CREDENTIALS = 2,
        NOT_ALLOWED = 3,
        SERVER_ERROR = 4,
        EMAIL_NOT_VERIFIED = 5,
        SELF_EXCLUDED = 6,
        TEMPORARILY_DENIED = 7,
        BLACKLISTED = 8
    };

    // The login page shows these texts.
    static constexpr const char *context = "MainWindow";
    static constexpr ReasonText texts[] = {
        {WRONG_CREDENTIALS, "wrong user name or password", QT_TRANSLATE_NOOP("MainWindow", "Authentication failed!")},
        {NOT_ALLOWED, "login not allowed for the account",
         QT_TRANSLATE_NOOP("MainWindow", "You are not allowed to login, please contact support.")},
        {SERVER_ERROR, "server error", QT_TRANSLATE_NOOP("MainWindow", "Server error!")},
        {EMAIL_NOT_VERIFIED, "e-mail address not verified",
         QT_TRANSLATE_NOOP("MainWindow", "You need to verify your email first! Please check your inbox for "
                                         "verification email. Contact support if problem persists.")},
        {SELF_EXCLUDED, "the player excluded himself",
         QT_TRANSLATE_NOOP("MainWindow",
                           "You have excluded yourself from playing. Contact support if this is incorrect.")},
        {TEMPORARILY_DENIED, "temporarily denied after repeated wrong logins",
         QT_TRANSLATE_NOOP("MainWindow", "You have made 6 wrong login attempts. For security reasons your account "
                                         "will be inactive for 10 minutes.\nIf you do not remember your password "
                                         "please reset your password and wait for 10 minutes. If you still have "
                                         "problems please contact support.")},
        {BLACKLISTED, "the address is blacklisted",
         QT_TRANSLATE_NOOP("MainWindow", "Your IP address is blacklisted, please contact support.")},
    };
    static constexpr const char *unknownText = QT_TRANSLATE_NOOP("MainWindow", "Unknown login failure!");

    static QString text(int value)
    {
        const ReasonText *r = ReasonText::find(texts, value);
        return ReasonText::translated(context, r ? r->text : unknownText);
    }
};
