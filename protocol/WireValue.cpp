#include "protocol/WireValue.h"

#include "protocol/ServerError.h"

#include <limits>

namespace {
[[noreturn]] void wrongKind(const char *wanted)
{
    throw server_error(std::string("message field is not ") + wanted);
}
} // namespace

bool WireValue::toBool() const
{
    if (m_kind == Bool)
        return m_int != 0;
    wrongKind("a flag");
}

qint64 WireValue::toInt() const
{
    if (m_kind == Int)
        return m_int;
    wrongKind("an integer");
}

qint32 WireValue::toInt32() const
{
    const qint64 i = toInt();
    if (i < std::numeric_limits<qint32>::min() || i > std::numeric_limits<qint32>::max())
        throw server_error("message field does not fit 32 bits");
    return qint32(i);
}

const QString &WireValue::toString() const
{
    if (m_kind == String)
        return m_string;
    wrongKind("a text");
}

const QDateTime &WireValue::toDateTime() const
{
    if (m_kind == DateTime)
        return m_time;
    wrongKind("a date-time");
}

const WireValue::List &WireValue::toList() const
{
    if (m_kind == ListKind)
        return m_list;
    wrongKind("a list");
}

const WireValue &WireValue::at(size_t i) const
{
    const List &l = toList();
    if (i >= l.size())
        throw server_error("message record has too few fields");
    return l[i];
}

size_t WireValue::size() const
{
    return toList().size();
}

bool WireValue::operator==(const WireValue &o) const
{
    if (m_kind != o.m_kind || m_tag != o.m_tag)
        return false;
    switch (m_kind) {
    case Null:
        return true;
    case Bool:
    case Int:
        return m_int == o.m_int;
    case String:
        return m_string == o.m_string;
    case DateTime:
        return m_time == o.m_time;
    case ListKind:
        return m_list == o.m_list;
    }
    return false;
}
