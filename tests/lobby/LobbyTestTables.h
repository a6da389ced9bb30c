#pragma once

#include "protocol/TableInfo.h"

// Table records for the lobby tests.
inline TableInfo makeTable(qint32 id, const QString &path, qint32 ruleset = 0, qint32 seats = 4, qint32 seated = 0,
                           qint32 nameId = 1)
{
    TableInfo info(id, path);
    info.setRuleset(ruleset);
    info.setCapacity(seats);
    info.setSeated(seated);
    info.setNameId(nameId);
    info.setGameType(TableInfo::SINGLE_HAND);
    return info;
}
