#include "app/VersionChecker.h"

#include "app/HttpsGet.h"
#include "app/Logging.h"
#include "app/UpdateDownloader.h"
#include "core/ApplicationVersion.h"
#include "widgets/ModelessMsgBox.h"

#include <QDebug>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {
void askWithMessageBox(const VersionChecker::Release &release, std::function<void(bool)> answer)
{
    QMessageBox *box = VersionChecker::showQuestion(release);
    ModelessMsgBox::onFinished(box, [answer](int button) { answer(button == QMessageBox::Yes); });
}

void reportWithMessageBox(const QString &error)
{
    QMessageBox *box = ModelessMsgBox::warning(nullptr, VersionChecker::tr("Update failed"),
                                               VersionChecker::tr("The update could not be installed:\n%1").arg(error));
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
}
} // namespace

VersionChecker::VersionChecker(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent)
    , m_get(new HttpsGet(network, this))
    , m_downloader(new UpdateDownloader(network, this))
    , m_current(QVersionNumber::fromString(applicationVersion()))
    , m_prompt(&askWithMessageBox)
    , m_report(&reportWithMessageBox)
{
    connect(m_get, &HttpsGet::finished, this, &VersionChecker::onFetched);
    connect(m_downloader, &UpdateDownloader::finished, this, &VersionChecker::onDownloaded);
    connect(m_downloader, &UpdateDownloader::progress, this, &VersionChecker::downloadProgress);
}

VersionChecker::~VersionChecker() = default;

QUrl VersionChecker::defaultUrl(const QString &webHost)
{
    return QUrl(QStringLiteral("https://%1/client/%2/client_versions.xml").arg(webHost, QLatin1String(sku)));
}

std::optional<VersionChecker::Release> VersionChecker::parse(const QByteArray &data, const QString &platformName,
                                                             QString *error)
{
    QXmlStreamReader xml(data);
    auto failWith = [&](const QString &text) -> std::optional<Release> {
        if (error)
            *error = xml.lineNumber() > 0 ? QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(text) : text;
        return std::nullopt;
    };
    if (!xml.readNextStartElement())
        return failWith(xml.hasError() ? xml.errorString() : QStringLiteral("empty document"));
    if (xml.name() != QLatin1String("clientversions"))
        return failWith(QStringLiteral("unexpected root element <%1>").arg(xml.name().toString()));

    static const QRegularExpression hex64(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    Release newest;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("release")) {
            xml.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString versionText = attributes.value(QLatin1String("version")).toString();
        const QString releasePlatform = attributes.value(QLatin1String("platform")).toString();
        qsizetype suffixIndex = 0;
        const QVersionNumber version = QVersionNumber::fromString(versionText, &suffixIndex);
        if (version.isNull() || suffixIndex != versionText.size())
            return failWith(QStringLiteral("invalid version '%1'").arg(versionText));

        Release release;
        release.version = version;
        bool haveInstaller = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("installer")) {
                const QXmlStreamAttributes installer = xml.attributes();
                release.installer = QUrl(installer.value(QLatin1String("url")).toString(), QUrl::StrictMode);
                bool sizeOk = false;
                release.size = installer.value(QLatin1String("size")).toLongLong(&sizeOk);
                release.sha256 = installer.value(QLatin1String("sha256")).toString().toLatin1().toLower();
                if (!release.installer.isValid() || release.installer.scheme() != QLatin1String("https"))
                    return failWith(QStringLiteral("installer of %1 is not an https:// address").arg(versionText));
                if (!sizeOk || release.size <= 0 || release.size > UpdateDownloader::maxInstallerSize)
                    return failWith(QStringLiteral("invalid installer size for %1").arg(versionText));
                if (!hex64.match(QString::fromLatin1(release.sha256)).hasMatch())
                    return failWith(QStringLiteral("invalid installer sha256 for %1").arg(versionText));
                haveInstaller = true;
            }
            xml.skipCurrentElement();
        }
        if (xml.hasError())
            break;
        if (!haveInstaller)
            return failWith(QStringLiteral("release %1 has no installer").arg(versionText));
        const bool forUs = releasePlatform.isEmpty() || releasePlatform == platformName;
        if (forUs && (newest.version.isNull() || release.version > newest.version))
            newest = release;
    }
    if (xml.hasError())
        return failWith(xml.errorString());
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return failWith(xml.errorString());
    return newest;
}

void VersionChecker::check(const QUrl &url)
{
    qCDebug(lcApp).noquote() << "Checking client versions at" << url.toDisplayString();
    m_get->get(url, maxFileSize);
}

void VersionChecker::onFetched(const QByteArray &body, const QString &error)
{
    if (!error.isEmpty()) {
        qCWarning(lcApp).noquote() << "Client versions not available:" << error;
        emit finished();
        return;
    }
    QString parseError;
    const std::optional<Release> release = parse(body, QLatin1String(platform), &parseError);
    if (!release) {
        qCWarning(lcApp).noquote() << "Client versions not readable:" << parseError;
        emit finished();
        return;
    }
    if (release->version.isNull() || release->version <= m_current) {
        qCInfo(lcApp).noquote() << "The client is up to date:" << m_current.toString();
        emit finished();
        return;
    }
    qCInfo(lcApp).noquote() << "Client version" << release->version.toString() << "available";
    emit updateAvailable(release->version);
    const Release chosen = *release;
    QPointer<VersionChecker> self(this);
    m_prompt(chosen, [self, chosen](bool update) {
        if (!self)
            return;
        if (!update) {
            emit self->finished();
            return;
        }
        self->m_downloading = true;
        emit self->downloadStarted(chosen.version.toString(), chosen.size);
        self->m_downloader->download(chosen.installer, chosen.size, chosen.sha256, self->m_downloadDir);
    });
}

void VersionChecker::cancelDownload()
{
    if (!m_downloading)
        return;
    m_downloading = false;
    m_downloader->abort();
    qCInfo(lcApp, "Update download cancelled");
    emit finished();
}

void VersionChecker::onDownloaded(const QString &path, const QString &error)
{
    m_downloading = false;
    if (path.isEmpty()) {
        m_report(error);
        emit finished();
        return;
    }
    qCInfo(lcApp).noquote() << "Update installer ready:" << path;
    emit installerReady(path);
}

QMessageBox *VersionChecker::showQuestion(const Release &release)
{
    QMessageBox *box = ModelessMsgBox::question(nullptr, tr("Update available"),
                                                tr("Version %1 of the client is available; you have version %2.\n"
                                                   "Do you want to download and install it now?")
                                                    .arg(release.version.toString(), applicationVersion()),
                                                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
    return box;
}

bool VersionChecker::launchInstaller(const QString &path)
{
    return QProcess::startDetached(path, {QLatin1String(installerArgument)});
}
