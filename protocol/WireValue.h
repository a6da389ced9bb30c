#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <vector>

// One decoded field of a message: an integer of any width, a flag, a text, a
// date-time, or a list (also used for records, whose fields are kept in
// order). A value read from an "any" field also carries the tag it came with.
class WireValue
{
public:
    typedef std::vector<WireValue> List;

    enum Kind : quint8 { Null, Bool, Int, String, DateTime, ListKind };

    WireValue() = default;
    WireValue(bool b)
        : m_kind(Bool)
        , m_int(b ? 1 : 0)
    {
    }
    WireValue(int i)
        : m_kind(Int)
        , m_int(i)
    {
    }
    WireValue(qint64 i)
        : m_kind(Int)
        , m_int(i)
    {
    }
    WireValue(const QString &s)
        : m_kind(String)
        , m_string(s)
    {
    }
    WireValue(const char *s)
        : m_kind(String)
        , m_string(QString::fromUtf8(s))
    {
    }
    WireValue(const QDateTime &t)
        : m_kind(DateTime)
        , m_time(t)
    {
    }
    WireValue(List l, int tag = -1)
        : m_kind(ListKind)
        , m_list(std::move(l))
        , m_tag(tag)
    {
    }

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Null; }
    bool isBool() const { return m_kind == Bool; }
    bool isInt() const { return m_kind == Int; }
    bool isString() const { return m_kind == String; }
    bool isDateTime() const { return m_kind == DateTime; }
    bool isList() const { return m_kind == ListKind; }

    // The accessors throw server_error when the value is of another kind.
    bool toBool() const;
    qint64 toInt() const;
    qint32 toInt32() const;
    const QString &toString() const;
    const QDateTime &toDateTime() const;
    const List &toList() const;
    // Field or element i of a list; server_error when out of range.
    const WireValue &at(size_t i) const;
    size_t size() const;

    // Tag of a value read from an "any" field (-1 otherwise, 0 for empty).
    int tag() const { return m_tag; }

    bool operator==(const WireValue &other) const;
    bool operator!=(const WireValue &other) const { return !(*this == other); }

private:
    Kind m_kind = Null;
    qint64 m_int = 0;
    QString m_string;
    QDateTime m_time;
    List m_list;
    int m_tag = -1;
};
