#pragma once

#include "game/Tile.h"
#include "protocol/FieldName.h"
#include "protocol/MessageTable.h"
#include "protocol/WireValue.h"

#include <QString>
#include <QtGlobal>

// The decoded fields of one message, read by the names of its layout in the
// message table. The positions are found while compiling: a name the layout
// lacks does not compile, and a reordered layout moves every reader with it.
template <Codec::Space S, quint8 Id>
class MessageFields
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
    template <FieldName Name>
    tile tileValue() const
    {
        return tile(value<Name>().toInt());
    }

private:
    const WireValue::List &m_fields;
};
