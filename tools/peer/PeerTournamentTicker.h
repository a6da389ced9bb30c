#pragma once

#include <QObject>
#include <QTimer>

struct PeerConfig;

// Keeps the tournament lobby moving in local runs, one for every session: at
// every tick one open tournament gains a player until one seat is left (for
// the run's own players), sent as a partial update to every session that
// subscribed the tournament lobby. Counts only grow.
class PeerTournamentTicker : public QObject
{
    Q_OBJECT

public:
    PeerTournamentTicker(PeerConfig &config, QObject *parent = nullptr);

private slots:
    void onTick();

private:
    PeerConfig &m_config;
    QTimer m_timer;
    size_t m_next = 0;
};
