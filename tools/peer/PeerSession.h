#pragma once

#include "protocol/FrameReader.h"
#include "protocol/WireValue.h"
#include "protocol/lobby_summary_t.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/ScenarioJson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <map>
#include <optional>
#include <set>
#include <vector>

class PeerRandomTable;
class PeerScenarioRun;
class PeerTournamentDesk;
class QSslSocket;

// One client connection of the peer: answers the protocol's requests with
// the configured lobby and accounts, and plays the scenarios: one at each
// table the player sits at or watches, and one for the session's own events.
class PeerSession : public QObject
{
    Q_OBJECT

public:
    PeerSession(QSslSocket *socket, PeerConfig &config, bool verbose, bool tls, QObject *parent = nullptr);
    ~PeerSession() override;

    // Every live session of this peer.
    static const QList<PeerSession *> &all();

    void send(quint8 classId, const WireValue::List &fields);
    // Writes a line of the peer's output, naming the session and its player.
    void log(const QString &line) const;
    const PeerConfig &config() const { return m_config; }
    // The player's money in cents; a change is reported to the client.
    qint64 balance() const { return m_balance; }
    void changeBalance(qint64 cents);
    // Credits an account: at once to its live session, else kept for its next login.
    static void creditAccount(const QString &user, qint64 cents);
    // Sends a new table to every session that subscribed its lobby path.
    static void announceTable(const TableInfo &t);
    // A table left the lobby: every session that subscribed its lobby path
    // or sits there is told.
    static void tableGone(const TableInfo &t);
    // A table's seat count to this session and to every other one that
    // subscribed the table's lobby path: the lobby is the same for all.
    void tellSeats(const TableInfo &t);
    // A tournament's news to this session and to every other one that
    // subscribed the tournament lobby.
    void tellTournament(quint8 classId, const WireValue::List &fields);
    // A tournament's news to every session that subscribed the tournament
    // lobby or is registered for it.
    static void tellTournamentNews(qint32 tournamentId, quint8 classId, const WireValue::List &fields);
    // A tournament seat: the player's join of that table succeeds, full as
    // the tournament table is.
    void addTournamentSeat(qint32 tableId) { m_tournamentSeats.insert(tableId); }
    void removeTournamentSeat(qint32 tableId);
    bool isRegistered(qint32 tournamentId) const { return m_registered.count(tournamentId) > 0; }
    qint32 playerId() const { return qint32(m_vars.value(QStringLiteral("pid"))); }
    // The account's user name (empty before the login).
    QString userName() const;
    // The name the peer knows for a player id (the scenarios' bots, accounts).
    QString playerName(qint32 playerId) const;
    // Sends to every session that subscribed the tournament lobby.
    static void broadcastTournament(quint8 classId, const WireValue::List &fields);
    // Whether any session's player registered for the tournament.
    static bool anyRegistered(qint32 tournamentId);
    TableInfo *findTable(qint32 id);

    // For the scenarios: the session's variables ("$pid", "$seq", "$table"
    // last joined or watched ...).
    const ScenarioJson::Variables &variables() const { return m_vars; }
    // A scenario sent this: the lobby, the money and the tournament follow.
    void scenarioSent(quint8 classId, const WireValue::List &fields);
    // A tournament table's round is over for the player: on to the next one.
    void nextRound(qint32 tournamentId, qint32 fromTable);
    // Writes bytes the given number of times (floods for tests).
    void writeRepeated(const QByteArray &bytes, int times);
    // From now on the client's data is left unread.
    void stopReading();
    void closeConnection();

private slots:
    void onReady();
    void onReadyRead();
    void onDisconnected();

private:
    void handle(quint8 classId, const WireValue::List &f);
    void handleService(const WireValue::List &f);
    void handleTournament(const WireValue::List &f);
    bool enabled(const char *name) const;
    // tableId: the table joined or watched, -1 for session events.
    void trigger(const QString &event, qint32 tableId = -1);
    // Hands a request of the client to the scenarios it may concern: those
    // of its table (every one when it names none) and the session's own.
    void deliver(const QString &name, const QJsonValue &fields);
    // The running scenario at the table (-1: the session's own), or null.
    PeerScenarioRun *runAt(qint32 tableId) const;
    void sendService(quint16 service, qint32 seq, quint8 innerId, const WireValue::List &fields);
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
    // A watched hand's players sit at its table while it is watched: the
    // lobby counts them, and no longer once the watch ends.
    void watchedHandSeated(const WireValue::List &gameData);
    void watchEnds(qint32 tableId);
    // Ends the table's scenario where it stands, unless it waits for the
    // request itself.
    void leaveScenario(qint32 tableId, const QString &request);
    lobby_summary_t lobbySummary() const;
    // Sends the lobby summary when it changed since the last one sent.
    void sendLobbySummary(bool always);
    // onlyOwn: the game data lists the local player alone (the scenario
    // seats the others).
    void sendGameData(const TableInfo &t, bool seated, bool onlyOwn = false);
    // The first scenario that the event starts, or null.
    const QJsonObject *findScenario(const QString &event, qint32 tableId) const;
    // The texts of a scenario's steps: the player's name and those of the
    // bots at a tournament table.
    QMap<QString, QString> scenarioTexts() const;

    QSslSocket *m_socket;
    PeerConfig &m_config;
    bool m_verbose;
    // Counts the sessions of the run, for the log.
    int m_number;
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
    // Watched tables -> their count before the watched hand sat down (-1
    // until it did).
    std::map<qint32, int> m_watched;
    std::optional<lobby_summary_t> m_lastSummary;
    QTimer m_summaryTimer;

    // The scenarios playing, in the order they started.
    std::vector<PeerScenarioRun *> m_runs;
    // The requests the scenarios answer themselves, from their start on.
    QSet<QString> m_disabled;
};
