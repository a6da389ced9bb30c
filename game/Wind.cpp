#include "game/Wind.h"

#include <QCoreApplication>

#include <stdexcept>

namespace {

const char *const windNames[] = {
    QT_TRANSLATE_NOOP("Mahjong", "East"),
    QT_TRANSLATE_NOOP("Mahjong", "South"),
    QT_TRANSLATE_NOOP("Mahjong", "West"),
    QT_TRANSLATE_NOOP("Mahjong", "North"),
};
const char *const prevalentWindNames[] = {
    QT_TRANSLATE_NOOP("Mahjong", "Prevalent wind: East"),
    QT_TRANSLATE_NOOP("Mahjong", "Prevalent wind: South"),
    QT_TRANSLATE_NOOP("Mahjong", "Prevalent wind: West"),
    QT_TRANSLATE_NOOP("Mahjong", "Prevalent wind: North"),
};

bool isWind(int wind)
{
    return wind >= 0 && wind <= 3;
}

} // namespace

const char *windName(int wind)
{
    static const char *const names[] = {"EAST", "SOUTH", "WEST", "NORTH"};
    return isWind(wind) ? names[wind] : "<undefined>";
}

QString translatedWindName(int wind)
{
    // A wind from the server outside 0-3 must not read past the table.
    if (!isWind(wind))
        return QString();
    return QCoreApplication::translate("Mahjong", windNames[wind]);
}

QString translatedPrevalentWindName(int wind)
{
    if (!isWind(wind))
        return QString();
    return QCoreApplication::translate("Mahjong", prevalentWindNames[wind]);
}

int nextWind(int wind)
{
    if (!isWind(wind))
        throw std::runtime_error("invalid wind");
    return (wind + 1) % 4;
}

int wrapWind(int value)
{
    const int r = value % 4;
    return r < 0 ? r + 4 : r;
}
