#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;

// Downloads an update installer over verified HTTPS into a new file of the
// temporary directory and checks its size and SHA-256 digest. Whatever goes
// wrong, the partial file is deleted: only a complete, verified installer is
// ever reported.
class UpdateDownloader : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 maxInstallerSize = qint64(1) << 30;

    explicit UpdateDownloader(QNetworkAccessManager *network, QObject *parent = nullptr);
    ~UpdateDownloader() override;

    void download(const QUrl &url, qint64 expectedSize, const QByteArray &sha256Hex,
                  const QString &directory = QString());
    void abort();

signals:
    void progress(qint64 received, qint64 total);
    // path of the verified installer, or an empty path and the error.
    void finished(const QString &path, const QString &error);

private:
    void onReadyRead();
    void onFinished();
    void fail(const QString &error);

    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QTemporaryFile> m_file;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    qint64 m_expectedSize = 0;
    qint64 m_received = 0;
    QByteArray m_expectedDigest;
};
