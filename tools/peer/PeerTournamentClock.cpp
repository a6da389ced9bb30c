#include "tools/peer/PeerTournamentClock.h"

#include "protocol/MessageIds.h"
#include "protocol/WireConversions.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerSession.h"

#include <algorithm>

PeerTournamentClock::PeerTournamentClock(PeerConfig &config, QObject *parent)
    : QObject(parent)
    , m_config(config)
{
    for (const TournamentInfo &t : config.tournaments)
        if (t.id == config.shortTournamentId)
            m_template = t;
    connect(&m_timer, &QTimer::timeout, this, &PeerTournamentClock::onTick);
    m_timer.start(250);
}

void PeerTournamentClock::onTick()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    std::vector<TournamentInfo> &tournaments = m_config.tournaments;
    for (size_t i = 0; i < tournaments.size(); ++i) {
        if (tournaments[i].id == m_config.shortTournamentId && tournaments[i].start <= now) {
            // The next one opens as this one starts, as the first one opened.
            TournamentInfo next = m_template;
            qint32 id = 0;
            for (const TournamentInfo &t : tournaments)
                id = std::max(id, t.id);
            next.id = id + 1;
            next.persistentId = next.id * 10;
            const qint64 shift = next.start.secsTo(now) + m_config.shortTournamentSecs;
            next.start = next.start.addSecs(shift);
            next.closeRegister = next.closeRegister.addSecs(shift);
            for (QDateTime &round : next.roundsStart)
                round = round.addSecs(shift);
            m_config.shortTournamentId = next.id;
            tournaments.push_back(next);
            PeerSession::broadcastTournament(msg::TOURNAMENT_INFO, WireValue::List{wire::fromTournamentInfo(next)});
        }
        TournamentInfo &t = tournaments[i];
        // A registered session seats its player and runs the rounds itself.
        const bool due = t.status == TournamentInfo::Open && t.start <= now && !t.roundsLength.empty();
        if (due && !PeerSession::anyRegistered(t.id)) {
            m_started.insert(t.id);
            t.status = TournamentInfo::Playing;
            PeerSession::broadcastTournament(
                msg::TOURNAMENT_INFO_UPDATE,
                WireValue::List{t.id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(t.status)}})});
        }
        if (t.status == TournamentInfo::Playing && m_started.count(t.id)) {
            // Its rounds follow each other by the schedule.
            int round = 0;
            while (round + 1 < int(t.roundsStart.size()) && t.roundsStart[size_t(round) + 1] <= now)
                ++round;
            if (round != t.currentRound) {
                t.currentRound = round;
                PeerSession::broadcastTournament(
                    msg::TOURNAMENT_INFO_UPDATE,
                    WireValue::List{t.id, wire::fromKeyedValues({{TournamentInfo::CURRENT_ROUND, round}})});
            }
        }
        const bool over = t.status == TournamentInfo::Playing && m_started.count(t.id) && !t.roundsStart.empty()
                          && t.roundsStart.size() == t.roundsLength.size()
                          && t.roundsStart.back().addSecs(t.roundsLength.back()) <= now;
        if (over) {
            t.status = TournamentInfo::Done;
            PeerSession::broadcastTournament(
                msg::TOURNAMENT_INFO_UPDATE,
                WireValue::List{t.id, wire::fromKeyedValues({{TournamentInfo::STATUS, int(t.status)}})});
        }
    }
}
