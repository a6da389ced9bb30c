#pragma once

#include "protocol/PrizeConfiguration.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentRanking.h"
#include "protocol/WireValue.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <map>
#include <vector>

class PeerSession;
struct PeerConfig;

// The tournaments the run's sessions play, one world for all of them. At a
// tournament's start every session registered for it is seated, each at a
// table of its own with three bots of its own; the standings count every
// registered player (the other tables' players stand in as "Player 3001"
// ...) and add up each table's results as its round ends; once every table
// of the round is over and its player has moved on, the next round seats
// everyone at new tables; after the last round every place in the money is
// paid and the tournament is done. A round's table goes from the lobby when
// its player moves on.
class PeerTournamentHall : public QObject
{
    Q_OBJECT

public:
    explicit PeerTournamentHall(PeerConfig &config, QObject *parent = nullptr);
    ~PeerTournamentHall() override;
    // The run's hall (null when no server runs).
    static PeerTournamentHall *instance();

    // The tournament starts: every session registered for it is seated.
    void start(qint32 tournamentId);
    // A player sat down at a table of the tournament: it is playing.
    void tableJoined(qint32 tournamentId);
    // The bots at the session's tables in the tournament (the demo's own
    // three for the first session seated).
    std::array<qint32, 3> bots(qint32 tournamentId, const PeerSession *session) const;
    // A table's round is over (the fields of end_of_tournament_round): the
    // standings add its results and go to every session seated in the
    // tournament; after the last round of every table the pot is paid out.
    void roundEnded(PeerSession *session, const WireValue::List &fields);
    // The session's player leaves the round's table for the next round.
    void nextRound(PeerSession *session, qint32 tournamentId, qint32 fromTable);
    // The session's connection ended: its tables count as played.
    void sessionGone(PeerSession *session);
    // The standings of a tournament played here, or null.
    const TournamentRankings *standings(qint32 tournamentId) const;
    // The payout tables by number of registered players, as answered to the
    // client and paid out.
    static tournament_prize_configuration_t prizeConfiguration();

private:
    struct Seat
    {
        QPointer<PeerSession> session;
        QString user;
        qint32 playerId = 0;
        std::array<qint32, 3> bots{};
        qint32 table = 0;
        bool reported = false;
        bool movedOn = false;
    };
    struct Play
    {
        std::vector<Seat> seats;
        TournamentRankings standings;
        // The round whose results the other tables' players have.
        int othersScored = -1;
        bool paid = false;
    };

    TournamentInfo *tournament(qint32 id);
    // Everyone registered is in the standings from the start.
    void enterField(const TournamentInfo &t, Play &play);
    void seatAtNewTables(TournamentInfo &t, Play &play);
    // The players of the tables without a session play their round as the
    // places go round: each moves on by one place every round. Once a round.
    void scoreOthers(const TournamentInfo &t, Play &play);
    void scorePlayers(Play &play, int round, std::vector<qint32> players);
    static void sortStandings(TournamentRankings &standings);
    void addResult(Play &play, qint32 playerId, qint32 result, qint32 mahjongPoints);
    // After every table reported: the last round pays out and ends the
    // tournament; otherwise, once everyone moved on, the next round starts.
    void advance(TournamentInfo &t, Play &play);
    void payOut(const TournamentInfo &t, Play &play);
    void sendStandings(qint32 id, const Play &play);
    void removeTable(qint32 tableId);
    void setStatus(TournamentInfo &t, TournamentInfo::status_t status);

    PeerConfig &m_config;
    std::map<qint32, Play> m_plays;
    qint32 m_nextTableId = 70001;
};
