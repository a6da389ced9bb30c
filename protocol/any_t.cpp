#include "protocol/any_t.h"

#include "protocol/ServerError.h"

const WireValue &any_t::at(size_t i) const
{
    if (i >= m_fields.size())
        throw server_error("inner message has too few fields");
    return m_fields[i];
}
