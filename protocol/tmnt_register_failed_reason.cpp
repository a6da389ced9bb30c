#include "protocol/tmnt_register_failed_reason.h"

const char *tmnt_register_failed_reason::text(int value)
{
    static const char *const texts[] = {"Failed",           "Denied",        "Insufficient Funds", "Tournament is full",
                                        "Access Denied",    "Already Registered", "Tournament is running"};
    return value >= minValue && value <= maxValue ? texts[value] : "Failed";
}
