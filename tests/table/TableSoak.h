#pragma once

#include <QString>
#include <QStringList>

#include <map>

// Random hands at a real table: the scripted game server plays them
// (mahjong-peer --random-table), the real GameController and GameWindow
// show them over a real ConnectionManager on loopback, and a random player
// answers through the window's panels, buttons and hand as a person would,
// sometimes too slowly. Shared by the soak test and the soak benchmark.
struct TableSoakRun
{
    qint32 tableId = 1001;
    // The table is a tournament's: the server seats the player there and
    // ends a round every three hands.
    bool tournament = false;
    quint32 seed = 1;
    int hands = 4;
    // The server's time for each answer; the player sometimes waits longer.
    int answerMs = 1500;
    // Event kinds the server leaves out (mahjong-peer --random-off).
    QStringList off;
    // How long the table may go without an event before the run is given up.
    int timeoutMs = 120000;
    // The server prints every message (RECV/SENT lines) into log, and the
    // log is written to logFile even when nothing went wrong.
    bool verbose = false;

    // Results.
    bool finished = false; // the server played every hand
    QString failure;       // why the run stopped early
    int handsPlayed = 0;
    qint64 events = 0;      // table events the server sent
    QStringList violations; // requests the server had not offered
    int late = 0;           // answers that crossed their time-out
    int timeouts = 0;
    int kicks = 0;
    int lateEvents = 0;   // offers sent after a hand's end
    int ignoredReady = 0; // ready at a tournament table during a hand
    int roundEnds = 0;    // tournament rounds ended
    QString answers;      // accepted answers by request, as the server counted them
    int clientErrors = 0; // bad server data reported by the client
    bool disconnected = false;
    int playerActions = 0;           // clicks of the random player
    int claimClicks = 0;             // of those, rack clicks while the own claim flew
    QStringList unexplainedTimeouts; // time-outs the player did not choose
    // Hands whose end the client showed with other wall or hand counts than
    // the server's.
    QStringList inconsistencies;
    int playerSleeps = 0; // offers the player let run out on purpose
    qint64 elapsedMs = 0;
    QStringList log; // what the server printed
    // What the client read and sent, each line with the window's question
    // (see the log file).
    QStringList trace;
    // The server's log and the client's warnings, written to a file of its
    // own in the temporary folder when verbose or when the run found a fault.
    QString logFile;
    // The client's warnings during the run, digits masked, with their counts.
    std::map<QString, int> warnings;

    // Plays the run to its end. Needs a QApplication.
    void play();

private:
    void writeLog(const QStringList &clientLog);
};
