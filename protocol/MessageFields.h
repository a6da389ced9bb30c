#pragma once

#include "protocol/FieldName.h"
#include "protocol/FieldReaders.h"
#include "protocol/MessageTable.h"
#include "protocol/WireValue.h"

#include <QtGlobal>

// The decoded fields of one message, read by the names of its layout in the
// message table. The positions are found while compiling: a name the layout
// lacks does not compile, and a reordered layout moves every reader with it.
template <Codec::Space S, quint8 Id>
class MessageFields : public FieldReaders<MessageFields<S, Id>>
{
public:
    explicit MessageFields(const WireValue::List &fields)
        : m_fields(fields)
    {
    }

    template <FieldName Name>
    const WireValue &value() const
    {
        constexpr size_t index = message_table::fieldIndex(S, Id, Name.view());
        return m_fields.at(index);
    }

private:
    const WireValue::List &m_fields;
};
