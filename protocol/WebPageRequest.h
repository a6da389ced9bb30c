#pragma once

#include <QMetaType>

// The web pages whose addresses the server gives out (ids 0-13).
struct WebPageRequest
{
    enum enum_t {
        None = 0,
        Account = 1,
        CreateUser = 2,
        Welcome = 3,
        HowTo = 4,
        Support = 5,
        Help = 6,
        RulesClassic = 7,
        RulesInternational = 8,
        RulesRiichi = 9,
        CreateUserTerms = 10,
        ResetPassword = 11,
        SidePage = 12,
        Reserved = 13
    };
    static constexpr int minValue = 0;
    static constexpr int maxValue = 13;
};

Q_DECLARE_METATYPE(WebPageRequest::enum_t)
