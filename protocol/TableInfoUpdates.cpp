#include "protocol/TableInfoUpdates.h"

void applyUpdates(TableInfo &info, const TableInfoUpdates &updates)
{
    for (const auto &update : updates)
        update(info); // an empty function throws std::bad_function_call
}

std::function<void(TableInfo &)> tableInfoValueUpdate(qint32 key, const QVariant &value)
{
    return [key, value](TableInfo &info) { info.setValue(key, value); };
}
