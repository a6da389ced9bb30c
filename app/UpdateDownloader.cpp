#include "app/UpdateDownloader.h"

#include "app/Logging.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTemporaryFile>

UpdateDownloader::UpdateDownloader(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent)
    , m_network(network)
{
}

UpdateDownloader::~UpdateDownloader()
{
    abort();
}

void UpdateDownloader::download(const QUrl &url, qint64 expectedSize, const QByteArray &sha256Hex,
                                const QString &directory)
{
    abort();
    m_hash.reset();
    m_received = 0;
    m_expectedSize = expectedSize;
    m_expectedDigest = QByteArray::fromHex(sha256Hex);

    auto reportLater = [this](const QString &error) {
        QMetaObject::invokeMethod(
            this, [this, error] { emit finished(QString(), error); }, Qt::QueuedConnection);
    };
    if (!url.isValid() || url.scheme() != QLatin1String("https"))
        return reportLater(tr("The installer address is not an https:// address."));
    if (expectedSize <= 0 || expectedSize > maxInstallerSize || m_expectedDigest.size() != 32)
        return reportLater(tr("The installer's size or digest is missing."));

    const QString dir = directory.isEmpty() ? QDir::tempPath() : directory;
    QString suffix = QFileInfo(url.path()).fileName();
    suffix.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")));
    m_file = std::make_unique<QTemporaryFile>(QDir(dir).filePath(QStringLiteral("mahjong-update-XXXXXX-") + suffix));
    if (!m_file->open()) {
        const QString error = m_file->errorString();
        m_file.reset();
        return reportLater(tr("Cannot create the installer file: %1").arg(error));
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(60000);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateDownloader::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateDownloader::onFinished);
    connect(m_reply, &QNetworkReply::downloadProgress, this,
            [this](qint64 received, qint64) { emit progress(received, m_expectedSize); });
}

void UpdateDownloader::abort()
{
    if (m_reply) {
        QNetworkReply *reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    if (m_file) {
        m_file->setAutoRemove(true);
        m_file.reset(); // removes the partial file
    }
}

void UpdateDownloader::onReadyRead()
{
    if (!m_reply || !m_file)
        return;
    const QByteArray chunk = m_reply->readAll();
    m_received += chunk.size();
    if (m_received > m_expectedSize)
        return fail(tr("The installer is larger than announced."));
    m_hash.addData(chunk);
    if (m_file->write(chunk) != chunk.size())
        return fail(tr("Cannot write the installer file: %1").arg(m_file->errorString()));
}

void UpdateDownloader::onFinished()
{
    if (!m_reply || !m_file)
        return;
    onReadyRead();
    if (!m_reply || !m_file)
        return; // failed while reading the rest
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();

    if (reply->error() != QNetworkReply::NoError)
        return fail(tr("The download failed: %1").arg(reply->errorString()));
    if (reply->url().scheme() != QLatin1String("https"))
        return fail(tr("The download was redirected away from https."));
    if (m_received != m_expectedSize)
        return fail(tr("The download is incomplete (%1 of %2 bytes).").arg(m_received).arg(m_expectedSize));
    if (m_hash.result() != m_expectedDigest)
        return fail(tr("The downloaded installer is damaged (digest mismatch)."));
    if (!m_file->flush())
        return fail(tr("Cannot write the installer file: %1").arg(m_file->errorString()));

    m_file->setAutoRemove(false);
    m_file->setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString path = m_file->fileName();
    m_file->close();
    m_file.reset();
    emit finished(path, QString());
}

void UpdateDownloader::fail(const QString &error)
{
    abort();
    qCWarning(lcApp).noquote() << "Update download failed:" << error;
    emit finished(QString(), error);
}
