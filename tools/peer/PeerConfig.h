#pragma once

#include "protocol/TableInfo.h"
#include "protocol/TournamentInfo.h"

#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>
#include <QString>
#include <QtGlobal>

#include <map>
#include <vector>

// The random hands a session plays at the table the client joins (see
// PeerRandomTable).
struct RandomTableOptions
{
    quint32 seed = 1;
    int hands = 10;
    // The time the client gets for each offer; then it times out.
    int answerMs = 1500;
    // Event kinds left out: kick (to the watchers mid-hand), watch (to the
    // watchers between hands), late, replacement, riichi, kong, chow, pong,
    // win, bonus, inactive, seats, tournament, resync, furiten.
    QSet<QString> off;
    // A tournament table the player is seated at after the login (0: none;
    // the player joins a table from the lobby).
    qint32 tournamentTable = 0;
    // The turn of every hand at which the player is moved to the watchers
    // (0: now and then, at a turn of its own).
    int kickTurn = 0;
};

// Everything one run of the peer serves: accounts, the lobby, tournaments,
// answers, and the scenario that each session plays.
struct PeerConfig
{
    struct Account
    {
        QString user;
        QString password;
        qint32 playerId = 0;
        QString name;
        // 0: the login succeeds; otherwise the login_failed status sent.
        qint32 loginStatus = 0;
    };

    std::vector<Account> accounts;
    std::vector<TableInfo> tables;
    std::vector<TournamentInfo> tournaments;
    // Any user name logs in; an unknown one becomes a new account.
    bool openAccounts = false;
    // Added to the peer's clock in pong answers (for clock tests).
    qint64 clockOffsetMs = 0;
    // Interval of the partial updates of open tournaments; 0 sends none.
    int tournamentUpdateMs = 0;
    // Tournament registrations refused with this reason, by tournament id.
    std::map<qint32, int> registerRefusals;
    // The XMPP port announced in the client configuration (on localhost). The
    // peer holds it without listening, so a client's chat connection is
    // refused at once instead of reaching whatever else serves 5222.
    quint16 xmppPort = 5222;
    // The account balance in cents answered to every account.
    qint64 balance = 123456;
    // The maintenance announced in the coming events, the same for every
    // session; invalid for none.
    QDateTime maintenanceAt;
    // Registered players are seated this long after registering; below 0 at
    // the tournament's start.
    qint64 seatAfterMs = -1;
    // The short tournament kept open for registration (0: none), and how
    // long after the peer's start, and after each other, they start.
    qint32 shortTournamentId = 0;
    qint64 shortTournamentSecs = 150;
    // The time window of every question a scenario asks the player, in
    // place of the scenario's own (0: the scenario's).
    qint64 questionMs = 0;
    // A player who is away (stood down after two time-outs) is answered for
    // this long after each question.
    qint64 awayAnswerMs = 1000;
    // Where the peer tells the chat server's player search the names it
    // gives its players (empty: nowhere), so that both name a player alike.
    QString namesDir;
    // Player names answered to name queries, besides the accounts'.
    std::map<qint32, QString> names;
    // Table-name templates by language, then by name id.
    std::map<QString, std::map<qint32, QString>> tableNames;
    // The scenario files' contents, in loading order. A session plays the
    // first whose trigger (and "tables", when given) fits the event.
    std::vector<QJsonObject> scenarios;
    // Steps marked "hold" (a test's checkpoint, waiting for a request only a
    // test sends) are passed over: the scenarios play on by themselves.
    bool skipHolds = false;
    // When set, joining a table plays random hands there.
    bool randomTable = false;
    RandomTableOptions random;

    // Accounts file lines: "user password playerId [name [loginStatus]]";
    // '#' starts a comment. Throws std::runtime_error on a bad line.
    void loadAccounts(const QString &fileName);
    // "user:password[:playerId[:name[:loginStatus]]]".
    void addAccount(const QString &account);
    // Appends the file's scenario. Throws std::runtime_error when the file
    // is missing or not JSON.
    void loadScenario(const QString &fileName);
    // Learns the names of the players the scenario seats.
    void addPlayerNames(const QJsonValue &value);
    // A small lobby: practice and money tables, a full table, a tournament
    // table, two tournaments, names in English and Japanese.
    void addDefaultLobby();

    // Writes every account's player id and name ("<id>\t<name>" lines) to
    // this peer's file in namesDir.
    void publishNames() const;

    const Account *findAccount(const QString &user) const;
    const Account *findAccount(qint32 playerId) const;
};
