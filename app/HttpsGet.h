#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// One bounded GET over verified HTTPS. Emits finished() once, with the body
// or with an error text (never both). Plain HTTP, redirects to a less safe
// scheme, bodies over the limit and certificate errors are failures.
class HttpsGet : public QObject
{
    Q_OBJECT

public:
    static constexpr int defaultTimeout = 20000;

    explicit HttpsGet(QNetworkAccessManager *network, QObject *parent = nullptr);
    ~HttpsGet() override;

    void get(const QUrl &url, qint64 maxBytes);
    void abort();

signals:
    void finished(const QByteArray &body, const QString &error);

private:
    void fail(const QString &error);

    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    qint64 m_maxBytes = 0;
};
