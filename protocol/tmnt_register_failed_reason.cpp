#include "protocol/tmnt_register_failed_reason.h"

const char *tmnt_register_failed_reason::text(int value)
{
    const ReasonText *r = ReasonText::find(texts, value);
    return r ? r->text : texts[Failed].text;
}
