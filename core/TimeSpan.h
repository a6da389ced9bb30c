#pragma once

#include <QDateTime>
#include <QMetaType>

// A time window given by two UTC date-times; every server time-out is one.
// The default window has both ends null (empty).
class TimeSpan
{
public:
    TimeSpan() = default;
    TimeSpan(const QDateTime &start, const QDateTime &end)
        : m_start(start)
        , m_end(end)
    {
    }

    const QDateTime &start() const { return m_start; }
    const QDateTime &end() const { return m_end; }
    bool isNull() const { return m_start.isNull() && m_end.isNull(); }

    bool operator==(const TimeSpan &other) const { return m_start == other.m_start && m_end == other.m_end; }

private:
    QDateTime m_start;
    QDateTime m_end;
};

Q_DECLARE_METATYPE(TimeSpan)
