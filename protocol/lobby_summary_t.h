#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <vector>

// The lobby at a glance, as the server counts it.
struct lobby_summary_t
{
    struct winner_t
    {
        qint32 playerId = 0;
        QString name;
        qint64 amount = 0; // cents won today
        bool operator==(const winner_t &other) const = default;
    };

    qint32 playersOnline = 0;
    qint32 playersSeated = 0;
    qint32 tablesOpen = 0;
    qint32 tournamentsRunning = 0;
    // Today's biggest winners, best first.
    std::vector<winner_t> topWinners;

    bool operator==(const lobby_summary_t &other) const = default;
};

Q_DECLARE_METATYPE(lobby_summary_t)
