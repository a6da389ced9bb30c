#pragma once

#include "tools/peer/PeerConfig.h"

#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>

// Listens on loopback and starts a PeerSession for every connection, with
// TLS when a certificate and key are given.
class PeerServer : public QTcpServer
{
    Q_OBJECT

public:
    explicit PeerServer(const PeerConfig &config, QObject *parent = nullptr);

    // Throws std::runtime_error when the files cannot be read.
    void setTls(const QString &certificateFile, const QString &keyFile);
    bool usesTls() const { return !m_certificate.isNull(); }
    void setVerbose(bool verbose) { m_verbose = verbose; }

    // Writes one line to standard output at once; tests read these lines.
    static void log(const QString &line);

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    PeerConfig m_config;
    QSslCertificate m_certificate;
    QSslKey m_key;
    bool m_verbose = true;
};
