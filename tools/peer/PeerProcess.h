#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the scripted game-server peer (mahjong-peer) for a test: on a free
// loopback port, with TLS and the build's test certificate unless told
// otherwise, and collects what it prints.
//
//     PeerProcess peer;
//     QVERIFY2(peer.start(), qPrintable(peer.errorString()));
//     PeerProcess::installTestCa();          // once, before connecting
//     connection.connectToHost("localhost", peer.port());
//     QVERIFY(peer.waitForLine("RECV login"));
class PeerProcess : public QObject
{
    Q_OBJECT

public:
    explicit PeerProcess(QObject *parent = nullptr);
    ~PeerProcess() override;

    // Starts the peer and waits until it listens. extraArguments go to the
    // peer as they are (--scenario FILE, --account u:p:id, --plain ...),
    // except the delays MAHJONG_PEER_DELAYS ("option=ms,...") replaces.
    bool start(const QStringList &extraArguments = {}, int timeoutMs = 15000);
    void stop();
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    quint16 port() const { return m_port; }
    bool usesTls() const { return m_tls; }
    QString errorString() const { return m_error; }

    // Every line the peer printed so far.
    QStringList lines();
    // Lines starting with prefix.
    QStringList linesStartingWith(const QString &prefix);
    // Runs the event loop until a line starting with prefix arrives (counting
    // only lines after the first `skip` such lines); returns it, or a null
    // text after the timeout.
    QString waitForLine(const QString &prefix, int timeoutMs = 10000, int skip = 0);

    static QString executable();
    static QString certificateDirectory();
    static QString caCertificateFile();
    static QString scenarioDirectory();
    // Adds the test CA to the process-wide default TLS configuration, so that
    // sockets created afterwards trust the peer's certificate.
    static void installTestCa();

    static QStringList withDelaysFromEnvironment(const QStringList &arguments);
    // The number an option ("--question-ms") of these arguments gives the
    // peer once MAHJONG_PEER_DELAYS has had its say; fallback when not given.
    // Tests wait by it, not by the number they wrote.
    static qint64 effectiveValue(const QStringList &arguments, const QString &option, qint64 fallback);

private:
    void readOutput();

    QProcess m_process;
    QStringList m_lines;
    QByteArray m_partial;
    quint16 m_port = 0;
    bool m_tls = true;
    QString m_error;
};
