#pragma once

#include "protocol/FieldName.h"
#include "protocol/FieldReaders.h"
#include "protocol/MessageTable.h"
#include "protocol/WireValue.h"

#include <QtGlobal>

// The decoded fields of one shared record of the message table, read by
// their names: RecordFields<"TableState">(v).i32<"playerId">(). As with
// MessageFields, the positions are found while compiling.
template <FieldName Record>
class RecordFields : public FieldReaders<RecordFields<Record>>
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

private:
    const WireValue &m_record;
};
