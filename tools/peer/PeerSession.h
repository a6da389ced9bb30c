#pragma once

#include "protocol/FrameReader.h"
#include "protocol/WireValue.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/ScenarioJson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <optional>
#include <set>

class PeerTournamentDesk;
class QSslSocket;

// One client connection of the peer: answers the protocol's requests with
// the configured lobby and accounts, and plays the scenario.
class PeerSession : public QObject
{
    Q_OBJECT

public:
    PeerSession(QSslSocket *socket, PeerConfig &config, bool verbose, bool tls, QObject *parent = nullptr);

    void send(quint8 classId, const WireValue::List &fields);

private slots:
    void onReady();
    void onReadyRead();
    void onDisconnected();
    void runSteps();
    void onExpectTimeout();

private:
    void handle(quint8 classId, const WireValue::List &f);
    void handleService(const WireValue::List &f);
    void handleTournament(const WireValue::List &f);
    bool enabled(const char *name) const;
    void trigger(const QString &event);
    void checkExpect(const QString &name, const QJsonValue &fields);
    void scenarioFailed(const QString &reason);
    // Writes bytes the given number of times (floods for tests).
    void writeRepeated(const QByteArray &bytes, int times);
    void sendService(quint16 service, qint32 seq, quint8 innerId, const WireValue::List &fields);
    TableInfo *findTable(qint32 id);
    void sendGameData(const TableInfo &t, bool seated);

    QSslSocket *m_socket;
    PeerConfig &m_config;
    bool m_verbose;
    FrameReader m_reader;
    bool m_started = false;
    std::optional<PeerConfig::Account> m_account;
    QString m_name;
    ScenarioJson::Variables m_vars;
    std::set<qint32> m_registered;
    PeerTournamentDesk *m_desk;
    qint32 m_nextWaitingSeq = 1;

    // Scenario state.
    QJsonArray m_steps;
    QSet<QString> m_disabled;
    QString m_trigger;
    int m_step = 0;
    bool m_running = false;
    bool m_waiting = false;
    QString m_expectName;
    QJsonValue m_expectFields;
    // Field name -> variable name, filled from the expected message.
    QJsonObject m_capture;
    QTimer m_expectTimer;
};
