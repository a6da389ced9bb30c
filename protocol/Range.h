#pragma once

#include <QMetaType>

// A closed range of two values (from and to inclusive). Ranges order by
// position: a lies before b when it ends before b starts, so a look-up of the
// range {n, n} in an ordered map finds the range that contains n.
template <typename T>
struct Range
{
    T from{};
    T to{};

    Range() = default;
    Range(const T &f, const T &t)
        : from(f)
        , to(t)
    {
    }

    bool operator<(const Range &other) const { return from < other.from && to < other.from; }
    bool operator==(const Range &other) const { return from == other.from && to == other.to; }
    bool operator!=(const Range &other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(Range<int>)
