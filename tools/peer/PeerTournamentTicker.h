#pragma once

#include <QObject>
#include <QTimer>

class PeerSession;
struct PeerConfig;

// Keeps a subscribed tournament lobby moving in local runs: at every tick one
// open tournament gains a player (an almost full one loses a few), sent as a
// partial update. Lives as long as its session.
class PeerTournamentTicker : public QObject
{
    Q_OBJECT

public:
    PeerTournamentTicker(PeerSession *session, PeerConfig &config);

private slots:
    void onTick();

private:
    PeerSession *m_session;
    PeerConfig &m_config;
    QTimer m_timer;
    size_t m_next = 0;
};
