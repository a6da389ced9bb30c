#pragma once

#include "protocol/FrameReader.h"
#include "protocol/WireValue.h"
#include "protocol/lobby_summary_t.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerHandRecord.h"
#include "tools/peer/ScenarioJson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <map>
#include <optional>
#include <set>
#include <vector>

class PeerRandomTable;
class PeerTournamentDesk;
class QSslSocket;

// One client connection of the peer: answers the protocol's requests with
// the configured lobby and accounts, and plays the scenario.
class PeerSession : public QObject
{
    Q_OBJECT

public:
    PeerSession(QSslSocket *socket, PeerConfig &config, bool verbose, bool tls, QObject *parent = nullptr);
    ~PeerSession() override;

    void send(quint8 classId, const WireValue::List &fields);
    // The player's money in cents; a change is reported to the client.
    qint64 balance() const { return m_balance; }
    void changeBalance(qint64 cents);
    // Sends a new table to every session that subscribed its lobby path.
    void announceTable(const TableInfo &t);
    // A table's seat count to this session and to every other one that
    // subscribed the table's lobby path: the lobby is the same for all.
    void tellSeats(const TableInfo &t);
    // A tournament's news to this session and to every other one that
    // subscribed the tournament lobby.
    void tellTournament(quint8 classId, const WireValue::List &fields);
    // A tournament seat: the player's join of that table succeeds, full as
    // the tournament table is.
    void addTournamentSeat(qint32 tableId) { m_tournamentSeats.insert(tableId); }
    void removeTournamentSeat(qint32 tableId);
    qint32 playerId() const { return qint32(m_vars.value(QStringLiteral("pid"))); }
    // The name the peer knows for a player id (the scenarios' bots, accounts).
    QString playerName(qint32 playerId) const;
    // Sends to every session that subscribed the tournament lobby.
    static void broadcastTournament(quint8 classId, const WireValue::List &fields);
    // Whether any session's player registered for the tournament.
    static bool anyRegistered(qint32 tournamentId);

private slots:
    void onReady();
    void onReadyRead();
    void onDisconnected();
    void runSteps();
    void onExpectTimeout();
    // The question the scenario waits on ran out: the peer answers for the
    // player as a server does.
    void onDeadline();

private:
    void handle(quint8 classId, const WireValue::List &f);
    void handleService(const WireValue::List &f);
    void handleTournament(const WireValue::List &f);
    bool enabled(const char *name) const;
    // tableId: the table joined or watched, -1 for session events.
    void trigger(const QString &event, qint32 tableId = -1);
    // byPeer: the peer answered for the player at a deadline.
    void checkExpect(const QString &name, const QJsonValue &fields, bool byPeer = false);
    // Follows the questions sent to the player: their time windows end the
    // waits that carry "on_deadline".
    void questionSent(const QString &name, const QJsonObject &fields);
    void scenarioFailed(const QString &reason);
    // Writes bytes the given number of times (floods for tests).
    void writeRepeated(const QByteArray &bytes, int times);
    void sendService(quint16 service, qint32 seq, quint8 innerId, const WireValue::List &fields);
    TableInfo *findTable(qint32 id);
    // Seats the player (after the buy-in of a money table) and starts the
    // table's scenario.
    void joinTable(TableInfo &t);
    // A table of the kind a quick-join path names ("/Practice/Riichi/4/"),
    // with a free seat; a new one when every such table is full. Null when
    // the path names no kind the lobby plays.
    TableInfo *quickJoinTable(const QString &path);
    // Pays the player's round result of a money table.
    void settleRound(const WireValue::List &fields);
    bool subscribed(const TableInfo &t) const;
    // A scenario seated or unseated a bot at a table the player sits at:
    // the lobby counts it.
    void botSeatChanged(quint8 classId, const WireValue::List &fields);
    // Gives the seats of the bots at the table back and tells the lobby.
    void botsLeave(qint32 tableId);
    // Ends the running scenario where it stands: the table's hand plays
    // again from its start at the next join or watch.
    void endScenario();
    // Whether the running scenario waits for the request now or later: then
    // it answers the request itself.
    bool scenarioExpects(const QString &request) const;
    lobby_summary_t lobbySummary() const;
    // Sends the lobby summary when it changed since the last one sent.
    void sendLobbySummary(bool always);
    // onlyOwn: the game data lists the local player alone (the scenario
    // seats the others).
    void sendGameData(const TableInfo &t, bool seated, bool onlyOwn = false);
    // Whether the event may start a scenario now (none runs, or the player
    // sits down at another table than the running one's).
    bool startsScenario(const QString &event, qint32 tableId) const;
    // The first scenario that the event starts, or null.
    const QJsonObject *findScenario(const QString &event, qint32 tableId) const;

    QSslSocket *m_socket;
    PeerConfig &m_config;
    bool m_verbose;
    FrameReader m_reader;
    bool m_started = false;
    std::optional<PeerConfig::Account> m_account;
    QString m_name;
    ScenarioJson::Variables m_vars;
    std::set<qint32> m_registered;
    bool m_tournamentLobby = false;
    PeerTournamentDesk *m_desk;
    // Set when the peer plays random hands at the joined table.
    PeerRandomTable *m_random = nullptr;
    qint32 m_nextWaitingSeq = 1;
    qint64 m_balance = 0;
    // Lobby paths the client subscribed.
    QStringList m_lobbyPaths;
    // The stake each joined money table holds until its round ends.
    std::map<qint32, qint64> m_stakes;
    // The tables the player sits at, the last joined last, and the one kept
    // from an earlier connection (-1 for none).
    std::vector<qint32> m_seats;
    qint32 m_keptTable = -1;
    // Tournament tables at which the player holds a seat.
    std::set<qint32> m_tournamentSeats;
    // The bots the scenarios seated, by table.
    std::map<qint32, std::set<qint32>> m_bots;
    std::optional<lobby_summary_t> m_lastSummary;
    QTimer m_summaryTimer;

    // Scenario state.
    QJsonArray m_steps;
    QSet<QString> m_disabled;
    int m_step = 0;
    bool m_running = false;
    // The table the running scenario was triggered for: its "$table" stays
    // that table when the player joins or watches another meanwhile.
    qint32 m_scenarioTable = 0;
    QString m_scenarioEvent;
    // The scenario's hand as told, for sending the table again.
    PeerHandRecord m_hand;
    // A riichi declaration's deposit leaves the declarer's points at once:
    // the table is sent again, as no hand event carries points.
    void takeRiichiDeposit(qint32 playerId);
    ScenarioJson::Variables scenarioVars() const;
    bool m_waiting = false;
    // Counts the scenarios started; a wait of one left behind does not
    // resume the next.
    int m_generation = 0;
    // Any of these requests ends the wait.
    QStringList m_expectNames;
    QJsonValue m_expectFields;
    // Request name -> steps played next when that request ended the wait.
    QJsonObject m_reply;
    // Field name -> variable name, filled from the expected message.
    QJsonObject m_capture;
    QTimer m_expectTimer;
    // The end of the time window of the last question to the player.
    QDateTime m_questionEnd;
    // The request the peer plays for the player when the wait's deadline passes.
    QString m_onDeadline;
    QTimer m_deadlineTimer;
    // Questions that ran out one after another; after two the player is
    // away (stood down) until reactivate_table.
    int m_timeouts = 0;
    bool m_away = false;
    // Answers to a question the peer already answered: late, and not taken.
    QStringList m_lateNames;
};
