#include "protocol/ValueColumnType.h"

#include "core/TextFormat.h"

QString ValueColumnType::betAndFeeText() const
{
    return QStringLiteral("%1 + %2").arg(Utils::moneyString(bet, false), Utils::moneyString(fee, false));
}
