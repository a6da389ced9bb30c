#pragma once

// Records and helpers shared by the table model tests.

#include "game/GameModel.h"

#include <QDateTime>
#include <QString>

#include <stdexcept>

const qint32 TABLE = 7;
const qint32 OWN = 100;
const qint32 P1 = 101;
const qint32 P2 = 102;
const qint32 P3 = 103;

inline TableInfo makeTableInfo(int ruleset, int gameType, int capacity = 4)
{
    TableInfo info(TABLE, QStringLiteral("101/Practice"));
    info.setRuleset(ruleset);
    info.setGameType(gameType);
    info.setCapacity(capacity);
    return info;
}

inline PlayerData makePlayer(qint32 id, bool ready = false, int wind = 0)
{
    PlayerData p(id, QStringLiteral("player%1").arg(id));
    p.setReady(ready);
    p.setWind(wind);
    return p;
}

inline TableState makeTableState(qint32 lastDiscarder = -1, qint32 riichiSticks = 0, qint32 counterSticks = 0,
                                 qint32 prevailingWind = 0)
{
    TableState ts;
    ts.playerId = OWN;
    ts.prevailingWind = prevailingWind;
    ts.thirdValue = P1;
    ts.lastDiscarder = lastDiscarder;
    ts.riichiSticks = riichiSticks;
    ts.counterSticks = counterSticks;
    return ts;
}

inline WallState makeWallState(qint32 live, qint32 dead, qint32 position = 4, qint32 dealt = 0, tile_vector dora = {})
{
    WallState ws;
    ws.liveTiles = live;
    ws.deadWallTiles = dead;
    ws.deadWallPosition = position;
    ws.deadWallTilesDealt = dealt;
    ws.doraIndicators = dora;
    return ws;
}

inline Seating makeSeating(qint32 east, qint32 south, qint32 west, qint32 north)
{
    Seating s;
    s.players = {{east, south, west, north}};
    return s;
}

inline TimeSpan makeSpan(int seconds)
{
    const QDateTime start(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC);
    return TimeSpan(start, start.addSecs(seconds));
}

template <typename F>
QString exceptionText(F &&f)
{
    try {
        f();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

#define CHECK_WALL(model, live, dead, dealt) \
    do { \
        QCOMPARE((model).liveTiles(), live); \
        QCOMPARE((model).deadWallTiles(), dead); \
        QCOMPARE((model).deadWallTilesDealt(), dealt); \
    } while (0)
