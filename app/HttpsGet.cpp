#include "app/HttpsGet.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

HttpsGet::HttpsGet(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent)
    , m_network(network)
{
}

HttpsGet::~HttpsGet()
{
    abort();
}

void HttpsGet::get(const QUrl &url, qint64 maxBytes)
{
    abort();
    m_body.clear();
    m_maxBytes = maxBytes;
    if (!url.isValid() || url.scheme() != QLatin1String("https")) {
        // Report asynchronously like every other outcome.
        QMetaObject::invokeMethod(
            this,
            [this, url] {
            emit finished(QByteArray(), tr("refusing to fetch %1: not an https:// address").arg(url.toDisplayString()));
            },
            Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(defaultTimeout);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, [this] {
        m_body += m_reply->readAll();
        if (m_body.size() > m_maxBytes)
            fail(tr("%1 is larger than %2 bytes").arg(m_reply->url().toDisplayString()).arg(m_maxBytes));
    });
    connect(m_reply, &QNetworkReply::finished, this, [this] {
        QNetworkReply *reply = m_reply;
        if (!reply)
            return;
        m_reply = nullptr;
        reply->deleteLater();
        m_body += reply->readAll();
        if (reply->error() != QNetworkReply::NoError) {
            emit finished(QByteArray(), tr("%1: %2").arg(reply->url().toDisplayString(), reply->errorString()));
        } else if (reply->url().scheme() != QLatin1String("https")) {
            emit finished(QByteArray(), tr("%1 was redirected away from https").arg(reply->url().toDisplayString()));
        } else if (m_body.size() > m_maxBytes) {
            emit finished(QByteArray(),
                          tr("%1 is larger than %2 bytes").arg(reply->url().toDisplayString()).arg(m_maxBytes));
        } else {
            emit finished(m_body, QString());
        }
        m_body.clear();
    });
}

void HttpsGet::abort()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void HttpsGet::fail(const QString &error)
{
    abort();
    m_body.clear();
    emit finished(QByteArray(), error);
}
