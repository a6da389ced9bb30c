#pragma once

#include "tools/peer/PeerConfig.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <random>
#include <vector>

class PeerSession;

// Plays random hands at the table the client joins: the bots and the wall
// are the peer's, every event is well formed for the seats at the table
// (tiles the players hold, wall counts, whose turn it is), and every request
// the client sends is checked against what the peer offered it. Prints
// SOAK_* lines: SOAK_HAND per hand, SOAK_VIOLATION for a request that was not
// offered, SOAK_LATE for an answer racing its own time-out, SOAK_DONE at the
// end with the totals.
class PeerRandomTable : public QObject
{
    Q_OBJECT

public:
    typedef RandomTableOptions Options;

    PeerRandomTable(PeerSession *session, const PeerConfig &config, const Options &options);

    // Whether the request is the random table's to answer; those are
    // answered (or counted as not offered) here. ownId and ownName: the
    // logged-in player.
    bool takes(const QString &name, const QJsonObject &fields, qint32 ownId, const QString &ownName);
    // Logged in: with a tournament table to play at, the player is seated
    // there as a tournament would.
    void loggedIn(qint32 ownId, const QString &ownName);

private:
    struct Meld
    {
        int type = 0;
        int first = 0;
        int visibility = 0;
        qint32 claimedFrom = -1;
    };
    struct Seat
    {
        qint32 id = 0;
        QString name;
        std::vector<int> hand;
        std::vector<Meld> melds;
        std::vector<int> bonus;
        std::vector<int> discards;
        int riichiIndex = -1;
        int points = 25000;
        int wins = 0;
        int drawn = -1;
    };
    // What the client may answer now.
    struct Offer
    {
        QString what;
        // Request name and tile; tile -1: any tile of the own hand (discard),
        // -2: no tile field.
        std::vector<std::pair<QString, int>> allowed;
        bool open = false;
        qint64 closedAt = -1;
        // The ping whose pong ends late answers to this closed offer (0: not sent yet).
        qint32 fenceSeq = 0;
        // The last ping sent before this offer: until its pong, the client
        // had not seen the offer.
        qint32 pingBefore = 0;
        // The own seat as it was when the offer closed.
        Seat seen;
    };

    bool on(const char *kind) const { return !m_options.off.contains(QLatin1String(kind)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    void send(const char *name, QJsonObject fields);
    // The offer ran out: answers that fit it still count as crossing the
    // time-out on the wire until the client answers the ping sent after the
    // first event that ends it.
    void fence(const Offer &closed);
    // The ping whose pong ends the late answers to the offers closed since
    // the last one.
    void sendFencePing();
    // The lobby learns the table's seat count whenever it changes.
    void announceSeats();
    int seatedCount() const;
    QJsonObject ts() const;
    void offer(const QString &what, std::vector<std::pair<QString, int>> allowed, int ms,
               std::function<void()> onTimeout);
    void closeOffer();
    void violation(const QString &name, const QJsonObject &fields, const QString &why);

    void joinFromLobby(qint32 tableId);
    void sendSeatedGameData(int gameState);
    // seated: the player's own picture (after a reconnection), else a
    // watcher's.
    void sendWatchGameData(bool seated = false);
    void replaceSeat(int seat);
    QJsonObject playerJson(int seat, bool ready) const;
    void askReady();
    void startHand();
    void deal();
    int drawTile();
    bool wallEmpty() const;
    void countDraw(int count, bool dead);
    void turn(int seat, bool draw);
    void drawFor(int seat, bool dead);
    void bonusFor(int seat);
    void ownTurn();
    // The player's turn announced ahead of its draw or of its claim's report.
    void tellOwnTurn();
    void timeOutTurn();
    void offerSeatBack();
    void botTurn(int seat);
    void discard(int seat, int tile, bool riichi);
    void afterDiscard(int seat, int tile);
    void botClaims(int seat, int tile);
    void claim(int seat, int from, int tile, int type, int first);
    void declareKong(int seat, int tile, int type);
    void win(int seat, int from);
    void washout();
    void handEnded();
    QString counts() const;
    void maybeKick();
    void leaveDuringHand(int seat);
    void kickToWatchers();
    void changeSeats();
    void seatForTournament();
    void autoPlay(int seat);
    void sendLateEvents();
    void finish();
    void onOwnRequest(const QString &name, int tile);
    std::vector<std::pair<QString, int>> ownClaimOffers(int from, int tile);
    std::vector<std::pair<QString, int>> ownTurnOffers();
    int seatOf(qint32 id) const;
    int ownSeat() const;
    // The wind of a seat: east, south and west at three seats, east and
    // west at two.
    int windOf(int seat) const { return m_seatCount == 2 ? seat * 2 : seat; }
    static void removeOne(std::vector<int> &tiles, int t);
    static int count(const std::vector<int> &tiles, int t);

    PeerSession *m_session;
    const PeerConfig &m_config;
    Options m_options;
    std::mt19937 m_rng;
    qint32 m_ownId = 0;
    QString m_ownName;
    qint32 m_table = 0;
    int m_ruleset = 0;
    // The table's seats, two to four.
    int m_seatCount = 4;
    QElapsedTimer m_clock;

    std::vector<Seat> m_seats; // in wind order, east first
    std::vector<int> m_wall;
    qint32 m_live = 0, m_dead = 0, m_dealt = 0;
    std::vector<int> m_dora;
    int m_handsPlayed = 0;
    qint64 m_handId = 0;
    int m_turns = 0;
    int m_kickAt = -1;
    bool m_inHand = false;
    bool m_watching = false; // kicked to the watchers
    bool m_standIn = false;  // the own seat is played by a bot after a kick
    bool m_gameOver = false;
    bool m_tournament = false;
    qint32 m_tournamentId = 0;
    bool m_inactive = false; // stood down after a time-out
    int m_nextBotId = 910;
    int m_leaver = -1;  // the seat whose player left during the hand
    int m_leaveAt = -1; // the turn at which a bot leaves before the kick
    int m_announcedSeated = -1;
    // A ping goes out with the next event that ends offers.
    bool m_fencePending = false;
    qint32 m_pingSeq = 1000000;
    bool m_furiten = false;
    bool m_turnTold = false;
    // Newcomers without a ready notice: the hand's seating seats them.
    QSet<qint32> m_seatedByHand;
    // Accepted answers by request name.
    std::map<QString, int> m_answers;
    int m_lastDiscarder = -1;
    std::function<void()> m_afterWatch;

    Offer m_offer;
    // Closed offers whose late answers are still taken: several can close
    // before the client has seen the first one end.
    std::vector<Offer> m_closedOffers;
    std::function<void(const QString &, int)> m_onAnswer;
    QTimer m_deadline;
    std::function<void()> m_onTimeout;

    qint64 m_events = 0;
    int m_violations = 0;
    int m_late = 0;
    int m_timeouts = 0;
    int m_kicks = 0;
    int m_lateEvents = 0;
    int m_ignoredReady = 0; // ready during a tournament hand
    bool m_done = false;
};
