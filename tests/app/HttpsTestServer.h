#pragma once

#include <QByteArray>
#include <QMap>
#include <QSslServer>
#include <QUrl>

class QSslCertificate;
class QSslKey;

// A small HTTPS/1.1 server on 127.0.0.1 for tests: answers GET requests
// from a table of paths; unknown paths get 404. A response may promise more
// bytes than it sends and then close (a broken download).
class HttpsTestServer : public QObject
{
    Q_OBJECT

public:
    struct Response
    {
        int status = 200;
        QByteArray body;
        qint64 announcedLength = -1; // -1: the body's length
        int delayMs = 0;             // before the answer goes out (a slow host)
    };

    HttpsTestServer(const QSslCertificate &certificate, const QSslKey &key, QObject *parent = nullptr);

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    QUrl url(const QString &path) const;

    void setResponse(const QString &path, const Response &response) { m_responses[path] = response; }
    void setBody(const QString &path, const QByteArray &body) { m_responses[path] = Response{200, body, -1}; }
    int requestCount(const QString &path) const { return m_requests.value(path); }

private:
    void serve(QSslSocket *socket);

    QSslServer m_server;
    QMap<QString, Response> m_responses;
    QMap<QString, int> m_requests;
};
