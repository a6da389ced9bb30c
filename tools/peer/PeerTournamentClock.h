#pragma once

#include "protocol/TournamentInfo.h"

#include <QObject>
#include <QTimer>

#include <set>

struct PeerConfig;

// Starts the scheduled tournaments of a run at their time. A short one stays
// open for registration at all times: when it starts, another like it opens,
// starting the same while later. A tournament that no session registered for
// plays without the player and is done at the end of its last round.
class PeerTournamentClock : public QObject
{
    Q_OBJECT

public:
    PeerTournamentClock(PeerConfig &config, QObject *parent = nullptr);

private slots:
    void onTick();

private:
    PeerConfig &m_config;
    // The tournaments this clock started without the player.
    std::set<qint32> m_started;
    // The short tournament as it first opened.
    TournamentInfo m_template;
    QTimer m_timer;
};
