#pragma once

#include "protocol/FieldName.h"
#include "protocol/MessageTable.h"
#include "protocol/WireValue.h"

#include <QString>
#include <QtGlobal>

// The decoded fields of one shared record of the message table, read by
// their names: RecordFields<"TableState">(v).i32<"playerId">(). As with
// MessageFields, the positions are found while compiling.
template <FieldName Record>
class RecordFields
{
public:
    explicit RecordFields(const WireValue &record)
        : m_record(record)
    {
    }

    template <FieldName Name>
    const WireValue &value() const
    {
        constexpr size_t index = message_table::recordFieldIndex(Record.view(), Name.view());
        return m_record.at(index);
    }
    template <FieldName Name>
    qint32 i32() const
    {
        return value<Name>().toInt32();
    }
    template <FieldName Name>
    qint64 i64() const
    {
        return value<Name>().toInt();
    }
    template <FieldName Name>
    bool flag() const
    {
        return value<Name>().toBool();
    }
    template <FieldName Name>
    const QString &text() const
    {
        return value<Name>().toString();
    }

private:
    const WireValue &m_record;
};
