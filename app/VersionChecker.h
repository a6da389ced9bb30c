#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>
#include <QVersionNumber>

#include <functional>
#include <optional>

class HttpsGet;
class QMessageBox;
class QNetworkAccessManager;
class UpdateDownloader;

// Fetches the list of client versions, and when a newer version exists for
// this platform asks the user whether to update, downloads the installer and
// reports it ready to start. The file format is in resources/server-files.md.
class VersionChecker : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *sku = "brisquel";
    static constexpr const char *platform = "linux";
    static constexpr const char *installerArgument = "/DoDelete=Yes";
    static constexpr qint64 maxFileSize = 256 * 1024;

    struct Release
    {
        QVersionNumber version;
        QUrl installer;
        qint64 size = 0;
        QByteArray sha256; // hex
    };

    // Asks the user about release; answer(true) to update.
    using Prompt = std::function<void(const Release &release, std::function<void(bool)> answer)>;
    // Tells the user that the update failed.
    using ErrorReport = std::function<void(const QString &error)>;

    explicit VersionChecker(QNetworkAccessManager *network, QObject *parent = nullptr);
    ~VersionChecker() override;

    static QUrl defaultUrl(const QString &webHost);

    // The newest release listed for platformName, or nothing with error set
    // (a file without any release for the platform is valid: empty release).
    static std::optional<Release> parse(const QByteArray &data, const QString &platformName, QString *error);

    void setCurrentVersion(const QVersionNumber &version) { m_current = version; }
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }
    void setErrorReport(ErrorReport report) { m_report = std::move(report); }
    void setDownloadDirectory(const QString &dir) { m_downloadDir = dir; }

    void check(const QUrl &url);

    // The default prompt: a question box, shown at once; deletes itself.
    static QMessageBox *showQuestion(const Release &release);

    // Starts the installer detached with its clean-up argument.
    static bool launchInstaller(const QString &path);

    bool isDownloading() const { return m_downloading; }

public slots:
    // Stops a running download, removes the partial file and ends the check.
    void cancelDownload();

signals:
    void updateAvailable(const QVersionNumber &version);
    void downloadStarted(const QString &version, qint64 total);
    void downloadProgress(qint64 received, qint64 total);
    // A verified installer is ready; the program should start it and end.
    void installerReady(const QString &path);
    // The check is over and the program goes on (no update, declined,
    // failed or the list was unavailable).
    void finished();

private:
    void onFetched(const QByteArray &body, const QString &error);
    void onDownloaded(const QString &path, const QString &error);

    HttpsGet *m_get;
    UpdateDownloader *m_downloader;
    QVersionNumber m_current;
    Prompt m_prompt;
    ErrorReport m_report;
    QString m_downloadDir;
    bool m_downloading = false;
};
