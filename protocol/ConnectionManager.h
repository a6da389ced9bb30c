#pragma once

#include "core/ReadTurns.h"
#include "game/EndHandScoring.h"
#include "game/Meld.h"
#include "game/PlayerData.h"
#include "game/Tile.h"
#include "protocol/ClientConfig.h"
#include "protocol/ComingEvent.h"
#include "protocol/FrameReader.h"
#include "protocol/MonetaryRoundScore.h"
#include "protocol/PrivatePlayerData.h"
#include "protocol/PrizeConfiguration.h"
#include "protocol/Seating.h"
#include "protocol/TableInfo.h"
#include "protocol/TableInfoUpdates.h"
#include "protocol/TableState.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentInfoUpdates.h"
#include "protocol/TournamentRanking.h"
#include "protocol/TournamentRoundScore.h"
#include "protocol/WaitCondition.h"
#include "protocol/WallState.h"
#include "protocol/WebPageRequest.h"
#include "protocol/WireValue.h"
#include "protocol/endhand_reason_t.h"
#include "protocol/join_failed_reason.h"
#include "protocol/kick_reason.h"
#include "protocol/lobby_summary_t.h"
#include "protocol/meld_offer.h"
#include "protocol/message_t.h"
#include "protocol/round_score_t.h"
#include "protocol/server_game_state.h"
#include "protocol/tmnt_register_failed_reason.h"
#include "core/TimeSpan.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QtGlobal>

#include <map>
#include <memory>
#include <string>
#include <vector>

class ConnectionManagerPrivate;
class QSslSocket;

// The session with the game server: one framed connection (TLS unless the
// use-SSL flag is off), the version handshake, login, every request as a
// slot and every server message as a typed signal.
class ConnectionManager : public QObject
{
    Q_OBJECT
    // Read by name by the debug dialog.
    Q_PROPERTY(qint64 bytesReceived READ bytesRead)
    Q_PROPERTY(qint64 bytesSent READ bytesWritten)

public:
    explicit ConnectionManager(bool useSsl = true, QObject *parent = nullptr);
    ~ConnectionManager() override;

    bool usesSsl() const { return m_useSsl; }
    int partnerId() const { return 2; }
    // After setQuitting(true) a disconnect is no longer reported.
    void setQuitting(bool quitting) { m_quitting = quitting; }

    const QString &host() const { return m_host; }
    quint16 port() const { return m_port; }
    bool isConnected() const;
    bool isVersionChecked() const { return m_versionChecked; }
    bool isLoggedIn() const { return m_loggedIn; }
    qint32 ownPlayerId() const { return m_ownPlayerId; }

    // Byte counters for the debug dialog (frame headers included).
    qint64 bytesRead() const { return m_bytesRead; }
    qint64 bytesWritten() const { return m_bytesWritten; }
    qint64 messagesRead() const { return m_messagesRead; }
    qint64 messagesWritten() const { return m_messagesWritten; }

    // The cached screen name of a player. For an id not yet known it caches
    // and returns the id in decimal and asks the server; playerNameUpdate
    // follows with the name.
    QString playerName(qint32 pid);

    // Handles one received frame body; public so that tests and benchmarks
    // can feed frames without a socket. Exceptions become exceptionCaught,
    // which ends the session: the connection is aborted first, and frames
    // still to be read from it are dropped.
    void handleMessage(const message_t &body);

    // Requests a table or tournament throttle waits before it lets the same
    // request for the same id through again (3000 ms).
    static constexpr int throttleMs = 3000;
    // Longest wait from connecting() to the end of the version handshake
    // before the attempt is given up (and disconnected() reported).
    static constexpr int defaultHandshakeTimeoutMs = 30000;
    void setHandshakeTimeout(int ms) { m_handshakeTimer.setInterval(ms); }
    // Version of the wire protocol this client speaks.
    static constexpr int protocolVersion = 1;
    // Received bytes held at most: by the socket, and in frames not yet
    // handled (room for the largest frame); the server waits beyond that.
    static constexpr qint64 socketReadBufferBytes = 1024 * 1024;
    static constexpr qint64 readAheadBytes = 2 * 1024 * 1024;
    // Unsent bytes beyond which a server that does not read is dropped.
    static constexpr qint64 maxPendingOutputBytes = 1024 * 1024;
    // Time the read handler spends on received frames per turn of the event
    // loop before it lets other events in (0: one frame per turn).
    static constexpr int defaultReadBudgetMs = ReadTurns::defaultBudgetMs;
    void setReadBudget(int ms) { m_readTurns.setBudget(ms); }

public slots:
    void connectToHost(const QString &host, quint16 port);
    void connectToServer();
    void disconnectFromServer();
    void login(const QString &userName, const QString &password);
    void logout();
    void prepareToQuit();

    // Lobby and tables.
    void lobby_subscribe(const QString &lobbyPath);
    void lobby_unsubscribe(const QString &lobbyPath);
    void query_table_names(const QString &language);
    void join_table(qint32 tableId, qint8 seat = -1);
    void watch_table(qint32 tableId);
    void unwatch_table(qint32 tableId);
    void leave_table(qint32 tableId);
    void ready(qint32 tableId, qint32 playerId);
    void reactivate_table(qint32 tableId);
    void filter_join(const QString &lobbyPath);
    void cancel_filter_join(int seq);
    void invite_players(qint32 tableId, const std::vector<qint32> &invitees);

    // Play.
    void discard_tile(qint32 tableId, qint32 playerId, tile t);
    void call_pass(qint32 tableId, qint32 playerId, bool autoPass);
    void call_chow(qint32 tableId, qint32 playerId, tile t);
    void call_pong(qint32 tableId, qint32 playerId, tile t);
    void call_pong_to_kong(qint32 tableId, qint32 playerId, tile t);
    void call_kong(qint32 tableId, qint32 playerId, tile t);
    void call_riichi(qint32 tableId, qint32 playerId, tile t);
    void call_bonus(qint32 tableId, qint32 playerId, tile t);
    void call_mahjong(qint32 tableId, qint32 playerId);

    // Account and information.
    void query_client_config();
    void query_account_balance();
    void query_lobby_summary();
    void query_web_page(WebPageRequest::enum_t page);
    void log_client_uuid(const std::string &machineId);
    void register_user(const QString &username, const QString &password, const QString &email,
                       const QString &affiliate_code);
    void change_password(const QString &oldPassword, const QString &newPassword);
    void set_screenname(const QString &screenname);
    void query_screenname_info(const QString &screenname);
    void query_coming_events();
    void ping();

    // Tournaments.
    void tournaments_lobby_subscribe();
    void register_tournament_request(qint32 tournamentId);
    void unregister_tournament_request(qint32 tournamentId);
    void get_tournament_ranking_list(int tournamentId);
    void query_tournament_prize_configuration(qint32 tournamentId);

signals:
    // Connection and session.
    void exceptionCaught(std::string message);
    void connecting();
    void connected();
    void disconnected();
    void versionCheckComplete();
    void loginFailed(qint32 status);
    void loginSuccess(qint32 playerId, QString name, QString credentials, bool fullyRegistered);
    void forcedLogout();
    void systemMessage(qint32 kind, qint32 id, QString text);
    void playerMessage(QString text);
    void clientConfig(ClientConfig config);
    void currentAccountBalance(qint64 cents);
    void lobbySummary(lobby_summary_t summary);
    void webPage(WebPageRequest::enum_t page, QString url);
    // A ping was answered: the server's time and the round trip in ms.
    void pingReply(QDateTime serverTime, qint64 roundTripMs);

    // Lobby and tables.
    void tableInfoUpdate(TableInfo info);
    void tableInfoUpdate(qint32 tableId, int seated, TableInfoUpdates updates);
    // Localized table-name templates by name id (TableInfo::nameId).
    void tableNames(QString language, std::map<qint32, QString> templates);
    void joinSuccessful(qint32 tableId);
    void joinFailed(qint32 tableId, join_failed_reason::enum_t reason);
    void alreadySeated(qint32 tableId);
    void watchSuccessful(qint32 tableId);
    void watchFailed(qint32 tableId, QString reason);
    void unwatchSuccessful(qint32 tableId);
    void unwatchFailed(qint32 tableId);
    void leaveSuccessful(qint32 tableId);
    void leaveFailed(qint32 tableId, QString reason);
    void notifySeated(qint32 tableId, qint32 playerId, qint32 seat);
    void notifyWatching(qint32 tableId);
    void notifyInvited(qint32 tableId, qint32 inviterId, int kind);
    void waitingList(int seq);

    // Per-table game events; the table id comes first.
    void gameData(qint32 tableId, qint64 handId, server_game_state::enum_t state, std::vector<PlayerData> players,
                  TableState tableState, WallState wallState);
    void privatePlayerData(qint32 tableId, PrivatePlayerData data);
    void playerJoined(qint32 tableId, PlayerData player);
    void playerLeft(qint32 tableId, qint32 playerId);
    void startHand(qint32 tableId, qint64 handId, Seating seating, round_score_vector scores, bool newRound,
                   TableState tableState, WallState wallState);
    void tilesFromWall(qint32 tableId, tile_vector tiles, bool fromDeadWall);
    void hiddenTilesFromWall(qint32 tableId, qint32 playerId, qint32 count, bool fromDeadWall);
    void tileDiscarded(qint32 tableId, qint32 playerId, tile t);
    void riichiDeclared(qint32 tableId, qint32 playerId, tile t);
    void tileClaimed(qint32 tableId, qint32 claimingPlayer);
    void meldDeclared(qint32 tableId, qint32 playerId, meld_tuple meld);
    void kanDora(qint32 tableId, tile t);
    void meldSuggestion(qint32 tableId, TimeSpan ts, meld_offer_vector offers);
    void concealedMeldSuggestion(qint32 tableId, TimeSpan ts, meld_offer_vector offers);
    void robTheKongSuggestion(qint32 tableId, TimeSpan ts, meld_offer_vector offers);
    void replacementMeldSuggestion(qint32 tableId, TimeSpan ts, meld_offer_vector offers);
    void playerShouldAct(qint32 tableId, TimeSpan ts, qint32 playerId);
    void waitingFor(qint32 tableId, WaitCondition::enum_t condition, TimeSpan ts, std::vector<qint32> players);
    void waitingOver(qint32 tableId);
    void declareBonus(qint32 tableId, qint32 playerId, tile_vector tiles);
    void handEndNonScoring(qint32 tableId, endhand_reason_t washoutType, bool endOfGame);
    void handEndScoring(qint32 tableId, EndHandScoring scoring);
    void endOfRound(qint32 tableId, MonetaryRoundScores scores);
    void areYouReady(qint32 tableId, TimeSpan ts);
    void timeoutOccured(qint32 tableId);
    void kickPlayer(qint32 tableId, kick_reason::enum_t reason);
    void tableRemoved(qint32 tableId);
    void someoneDeclaredMahjong(qint32 tableId, qint32 playerId);
    void playerIsReady(qint32 tableId, qint32 playerId);
    void furitenChanged(qint32 tableId, bool furiten);
    void activeChanged(qint32 tableId, bool active);
    void someoneDeclaredMeld(qint32 tableId, qint32 playerId, qint32 meldType, tile t);

    // Tournaments.
    void tournamentInfoUpdate(TournamentInfo info);
    void tournamentInfoUpdate(qint32 tournamentId, TournamentInfoUpdates updates);
    void tournamentRemoved(qint32 tournamentId);
    void notifyRegistered(std::vector<qint32> tournamentIds);
    void tournamentRegisterSuccess(qint32 tournamentId);
    void tournamentUnregisterSuccess(qint32 tournamentId);
    void tournamentLeaveSuccess(qint32 tournamentId);
    void tournamentRegisterFailed(qint32 tournamentId, tmnt_register_failed_reason::enum_t reason);
    void tournamentUnregisterFailed(qint32 tournamentId, tmnt_register_failed_reason::enum_t reason);
    void playerDiscardedFromTournament(qint32 tournamentId);
    void tournamentSeated(qint32 tournamentId, qint32 tableId);
    void endOfTournamentRound(qint32 tournamentId, qint32 tableId, bool lastRound, TournamentRoundScores scores);
    void tournamentRankings(qint32 tournamentId, TournamentRankings rankings);
    void tournamentPrizeConfiguration(qint32 tournamentId, tournament_prize_configuration_t configuration);
    void tournamentPickedUp(qint32 tournamentId, qint32 tableId, bool keepWatching);
    void comingEvents(ComingEvents events);

    // Player database and account services.
    void playerNameUpdate(const qint32 pid, const QString &nick);
    void registerUserOk(bool active);
    void registerUserFailed(const QString &reason);
    void setScreennameOk();
    void setScreennameFailed(const QString &reason, bool needsScreenname);
    void queryScreennameOk(const QString &screenname, qint32 pid, bool active);
    void queryScreennameFailed(const QString &reason);
    void changePasswordOk();
    void changePasswordFailed(const QString &reason);

private slots:
    void onSocketConnected();
    void onSocketEncrypted();
    void onSocketDisconnected();
    void onSocketError();
    void onReadyRead();
    void onHandshakeTimeout();

private:
    friend class ConnectionManagerPrivate;
    // Defined with the registries in ConnectionManagerPrivate.h.
    enum class ServiceCall;

    void send(quint8 classId, WireValue::List fields);
    void sendService(quint8 innerId, WireValue::List fields, ServiceCall call, qint32 key = 0);
    void sendTournament(qint32 tournamentId, quint8 innerId);
    bool throttled(quint8 classId, qint32 id);
    // An answered request may be repeated at once (a retry after a refusal).
    void forgetRequest(quint8 classId, qint32 id);
    // Takes the join that an answer about tableId settles: the join of that
    // table, else a quick join, else (with anyJoin) the oldest join still
    // unanswered. False when none waits.
    bool takeJoinAnswer(qint32 tableId, bool anyJoin);
    void takeQuickJoinAnswer();
    // In ConnectionManagerDispatch.cpp: one server message to its signal.
    void dispatch(quint8 classId, const WireValue::List &f);
    void dispatchService(const WireValue::List &f);
    void dispatchTournament(const WireValue::List &f);
    // The connection ended from the server's side (or failed).
    void onServerClosed();
    // One turn of reading: true when more may wait for the next.
    bool readTurn();
    // Handles received frames for up to the read budget; true when one was
    // handled and more may wait.
    bool readSlice();
    // Reports a fatal error of the session after aborting the connection.
    void fail(const std::string &message);
    void resetSession();
    void reportDisconnected();

    bool m_useSsl;
    bool m_quitting = false;
    QString m_host;
    quint16 m_port = 0;
    QSslSocket *m_socket = nullptr;
    FrameReader m_reader;
    ReadTurns m_readTurns{this, [this] { return readTurn(); }};
    // Set when the session ends on our side (a fatal error, a server that
    // does not read), until the next connect: nothing more is read.
    bool m_sessionFailed = false;
    // The server closed the connection; what it sent before is still being
    // handled, and the close is reported after it.
    bool m_serverClosed = false;
    bool m_versionChecked = false;
    bool m_loggedIn = false;
    // Between connecting() and the disconnected() that ends it.
    bool m_reportedConnected = false;
    // A login asked for before the version handshake completed.
    std::unique_ptr<std::pair<QString, QString>> m_pendingLogin;
    qint32 m_ownPlayerId = -1;

    qint64 m_bytesRead = 0;
    qint64 m_bytesWritten = 0;
    qint64 m_messagesRead = 0;
    qint64 m_messagesWritten = 0;

    // The request registries, the throttle and their lock.
    std::unique_ptr<ConnectionManagerPrivate> d;
    QElapsedTimer m_clock;
    QTimer m_handshakeTimer;
};
