#pragma once

#include "tools/peer/PeerHandRecord.h"
#include "tools/peer/ScenarioJson.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <utility>

class PeerSession;

// One scenario playing for a session: at one table (the one whose join or
// watch started it), or at none for the session's own events (connect,
// login). Keeps its steps, the request it waits for, the time window of the
// last question to the player and the player's presence at that table, and
// the hand as told there. A session plays one at each of its tables at once,
// so that a table the player walked away from plays on by its deadlines.
class PeerScenarioRun : public QObject
{
    Q_OBJECT

public:
    // tableVars: the variables of the table when the run started ("table",
    // the stakes, the tournament's round); texts: the "$name" texts of the
    // steps' text fields.
    PeerScenarioRun(PeerSession &session, const QJsonObject &scenario, const QString &event, qint32 tableId,
                    const ScenarioJson::Variables &tableVars, const QMap<QString, QString> &texts);

    // Plays the steps from the event loop on.
    void start();
    // The table the run plays at; -1 for the session's own scenario.
    qint32 table() const { return m_table; }
    const QString &event() const { return m_event; }
    // Whether the run waits for the request now or later in its steps.
    bool expects(const QString &request) const;
    // A request of the client for this run's table (or for none): the answer
    // it waits for, or a late one to a question the peer answered already.
    void received(const QString &name, const QJsonValue &fields);
    // The player is back (reactivate_table): answers the questions again.
    void reactivate();
    // Ends the run where it stands: the player left the table, or sat down
    // there again and its hand starts over.
    void leave();

signals:
    // Done, failed or left: the session lets it go.
    void finished();

private:
    void runSteps();
    void sendStep(const QJsonObject &step, const QString &where);
    void expectStep(const QJsonObject &step);
    // Plays the steps given for the reply before the steps that follow.
    void insertSteps(const QJsonValue &steps);
    // byPeer: the peer answered for the player at a deadline.
    void checkExpect(const QString &name, const QJsonValue &fields, bool byPeer);
    void questionSent(const QString &name, const QJsonObject &fields);
    // The question the run waits on ran out: the peer answers for the
    // player as a server does.
    void onDeadline();
    void onExpectTimeout();
    void fail(const QString &reason);
    void stop();
    ScenarioJson::Variables variables() const;
    QJsonValue withTexts(const QJsonValue &v) const;
    // A riichi declaration's deposit leaves the declarer's points at once:
    // the table is sent again, as no hand event carries points.
    void takeRiichiDeposit(qint32 playerId);
    void setAway(bool away);

    PeerSession &m_session;
    QJsonArray m_steps;
    int m_step = 0;
    bool m_running = true;
    bool m_waiting = false;
    qint32 m_table;
    QString m_event;
    // The table's variables at the start, and what the run captured since.
    ScenarioJson::Variables m_vars;
    QMap<QString, QString> m_texts;
    PeerHandRecord m_hand;

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
    // away (stood down) until an answer of the player's own or
    // reactivate_table.
    int m_timeouts = 0;
    bool m_away = false;
    // Answers to a question the peer already answered: late, and not taken.
    QStringList m_lateNames;
    // Requests read in the same pass as the one that ended the wait, before
    // the steps after it ran: a fast client's answer to what those steps
    // ask, taken by the next expect met without waiting.
    bool m_resuming = false;
    QList<std::pair<QString, QJsonValue>> m_early;
};
