#include "HttpsTestServer.h"

#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>

HttpsTestServer::HttpsTestServer(const QSslCertificate &certificate, const QSslKey &key, QObject *parent)
    : QObject(parent)
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(certificate);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    m_server.setSslConfiguration(configuration);
    connect(&m_server, &QSslServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection())
            serve(qobject_cast<QSslSocket *>(socket));
    });
}

bool HttpsTestServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl HttpsTestServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("https://localhost:%1%2").arg(port()).arg(path));
}

void HttpsTestServer::serve(QSslSocket *socket)
{
    if (!socket)
        return;
    auto *buffer = new QByteArray;
    connect(socket, &QObject::destroyed, this, [buffer] { delete buffer; });
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QSslSocket::readyRead, socket, [this, socket, buffer] {
        *buffer += socket->readAll();
        const qsizetype end = buffer->indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
        buffer->clear();
        const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
        ++m_requests[path];
        const auto found = m_responses.constFind(path);
        const Response response = found != m_responses.constEnd() ? *found : Response{404, "not found", -1};
        const qint64 length = response.announcedLength >= 0 ? response.announcedLength : response.body.size();
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status)
                           + (response.status == 200 ? " OK" : " Error") + "\r\nContent-Length: "
                           + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n" + response.body;
        const auto send = [socket, reply] {
            socket->write(reply);
            socket->flush();
            socket->disconnectFromHost();
        };
        if (response.delayMs > 0)
            QTimer::singleShot(response.delayMs, socket, send);
        else
            send();
    });
    if (socket->bytesAvailable() > 0)
        emit socket->readyRead();
}
