#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

class HttpsGet;
class QNetworkAccessManager;

// The server information file of the web host: downtime notices per brand.
// Its format is described in resources/server-files.md.
class ServerInfo : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *brand = "Brisquel";
    static constexpr qint64 maxFileSize = 256 * 1024;

    struct Notice
    {
        QString brand;                   // empty: every brand
        QMap<QString, QString> messages; // language code -> text
    };

    explicit ServerInfo(QNetworkAccessManager *network, QObject *parent = nullptr);
    ~ServerInfo() override;

    static QUrl defaultUrl(const QString &webHost);

    // Parses a file: the downtime notices in it, or nothing with error set.
    static std::optional<QList<Notice>> parse(const QByteArray &data, QString *error);

    // The text of the first notice that applies to brandName, in language
    // (then its base language, then English, then any), or nothing.
    static std::optional<QString> downtimeText(const QList<Notice> &notices, const QString &brandName,
                                               const QString &language);

    void setLanguage(const QString &language) { m_language = language; }
    void download(const QUrl &url);

signals:
    // The service is down; the program should show text and end.
    void downtime(const QString &text);
    // The file was read (ok) or could not be used (!ok); no downtime applies.
    void finished(bool ok);

private:
    void onFetched(const QByteArray &body, const QString &error);

    HttpsGet *m_get;
    QString m_language = QStringLiteral("en");
};
