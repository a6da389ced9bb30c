#include "tools/peer/PeerServer.h"

#include "tools/peer/PeerSession.h"
#include "tools/peer/PeerTournamentClock.h"
#include "tools/peer/PeerTournamentHall.h"
#include "tools/peer/PeerTournamentTicker.h"

#include <QFile>
#include <QSslSocket>

#include <cstdio>
#include <stdexcept>

PeerServer::PeerServer(const PeerConfig &config, QObject *parent)
    : QTcpServer(parent)
    , m_config(config)
{
    if (m_config.shortTournamentId > 0)
        new PeerTournamentClock(m_config, this);
    new PeerTournamentHall(m_config, this);
    if (m_config.tournamentUpdateMs > 0)
        new PeerTournamentTicker(m_config, this);
}

void PeerServer::setTls(const QString &certificateFile, const QString &keyFile)
{
    QFile cert(certificateFile);
    QFile key(keyFile);
    if (!cert.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read certificate " + certificateFile.toStdString());
    if (!key.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read key " + keyFile.toStdString());
    m_certificate = QSslCertificate(&cert, QSsl::Pem);
    m_key = QSslKey(&key, QSsl::Rsa, QSsl::Pem);
    if (m_certificate.isNull() || m_key.isNull())
        throw std::runtime_error("certificate or key is not valid PEM");
}

void PeerServer::log(const QString &line)
{
    const QByteArray utf8 = line.toUtf8();
    fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

void PeerServer::incomingConnection(qintptr socketDescriptor)
{
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    if (usesTls()) {
        socket->setLocalCertificate(m_certificate);
        socket->setPrivateKey(m_key);
        socket->setPeerVerifyMode(QSslSocket::VerifyNone);
    }
    new PeerSession(socket, m_config, m_verbose, usesTls(), socket);
    if (usesTls())
        socket->startServerEncryption();
}
