#include "lobby/TableTexts.h"

#include "core/TextFormat.h"

#include <QCoreApplication>

QString rulesetName(int ruleset)
{
    switch (ruleset) {
    case 0:
        return QCoreApplication::translate("TableInfo", "Classic");
    case 1:
        return QCoreApplication::translate("TableInfo", "MCR");
    case 2:
        return QCoreApplication::translate("TableInfo", "EMA Riichi");
    default:
        return QCoreApplication::translate("TableInfo", "<undefined>");
    }
}

QString gameTypeName(int gameType)
{
    switch (gameType) {
    case 0:
        return QCoreApplication::translate("TableInfo", "Single hand");
    case 1:
        return QCoreApplication::translate("TableInfo", "Tournament");
    case 2:
        return QCoreApplication::translate("TableInfo", "Full game");
    case 3:
        return QCoreApplication::translate("TableInfo", "East only");
    default:
        return QCoreApplication::translate("TableInfo", "<undefined>");
    }
}

int effectiveGameType(int gameType, int windRounds)
{
    if (gameType == 2 && windRounds == 1)
        return 3;
    return gameType;
}

QString effectiveGameTypeName(int gameType, int windRounds)
{
    return gameTypeName(effectiveGameType(gameType, windRounds));
}

QString formatTableValue(int cents)
{
    if (cents == 0)
        return QCoreApplication::translate("TableValue", "-");
    return QCoreApplication::translate("TableValue", "%1").arg(Utils::moneyString(cents, false));
}

QString formatTableValuePart(int cents)
{
    if (cents == 0)
        return QCoreApplication::translate("TableValue", "-", "buy-in part");
    return QCoreApplication::translate("TableValue", "%1").arg(Utils::moneyString(cents, false));
}
