#pragma once

#include "game/Tile.h"
#include "protocol/FieldName.h"
#include "protocol/WireValue.h"

#include <QString>
#include <QtGlobal>

// The typed readers shared by MessageFields and RecordFields; Fields gives
// value<Name>(), which finds the field's position while compiling.
template <typename Fields>
class FieldReaders
{
public:
    template <FieldName Name>
    qint32 i32() const
    {
        return fields().template value<Name>().toInt32();
    }
    template <FieldName Name>
    qint64 i64() const
    {
        return fields().template value<Name>().toInt();
    }
    template <FieldName Name>
    bool flag() const
    {
        return fields().template value<Name>().toBool();
    }
    template <FieldName Name>
    const QString &text() const
    {
        return fields().template value<Name>().toString();
    }
    template <FieldName Name>
    tile tileValue() const
    {
        return tile(fields().template value<Name>().toInt());
    }

private:
    const Fields &fields() const { return static_cast<const Fields &>(*this); }
};
