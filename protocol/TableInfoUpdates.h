#pragma once

#include "protocol/TableInfo.h"

#include <QMetaType>

#include <functional>
#include <vector>

// A partial update of a lobby table: functions applied to a TableInfo in list
// order. Calling an empty function throws std::bad_function_call.
typedef std::vector<std::function<void(TableInfo &)>> TableInfoUpdates;

void applyUpdates(TableInfo &info, const TableInfoUpdates &updates);

// The update that sets one keyed value (TableInfo::setValue).
std::function<void(TableInfo &)> tableInfoValueUpdate(qint32 key, const QVariant &value);

Q_DECLARE_METATYPE(TableInfoUpdates)
