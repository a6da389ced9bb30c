#include "mainwindow/LocalPageSchemeHandler.h"

#include "mainwindow/Logging.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

LocalPageSchemeHandler::LocalPageSchemeHandler(QObject *parent)
    : QWebEngineUrlSchemeHandler(parent)
{
}

void LocalPageSchemeHandler::registerScheme()
{
    if (QWebEngineUrlScheme::schemeByName(scheme).name() == scheme)
        return;
    QWebEngineUrlScheme localWww(scheme);
    localWww.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    localWww.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme
                      | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(localWww);
}

namespace {
void registerLocalScheme()
{
    LocalPageSchemeHandler::registerScheme();
}
} // namespace

// Before any web engine object can exist, in every program that links the pages.
Q_COREAPP_STARTUP_FUNCTION(registerLocalScheme)

void LocalPageSchemeHandler::installOn(QWebEngineProfile *profile)
{
    if (profile->urlSchemeHandler(scheme))
        return;
    profile->installUrlSchemeHandler(scheme, new LocalPageSchemeHandler(profile));
}

void LocalPageSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QUrl url = job->requestUrl();
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    // Only names below the search path's folders: no way up and out of them.
    const QString path = QDir::cleanPath(QLatin1Char('/') + url.path());
    if (path.contains(QLatin1String("/..")) || path == QLatin1String("/")) {
        qCWarning(lcMainwindow) << "no local page at" << url.toDisplayString();
        job->fail(QWebEngineUrlRequestJob::UrlInvalid);
        return;
    }
    const QString name = QLatin1String(scheme) + QLatin1Char(':') + path;
    const QFileInfo info(name);
    if (!info.isFile() || info.size() > maxFileSize) {
        qCWarning(lcMainwindow) << "no local page at" << url.toDisplayString();
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcMainwindow) << "cannot read the local page" << url.toDisplayString() << file.errorString();
        job->fail(QWebEngineUrlRequestJob::RequestFailed);
        return;
    }
    auto *buffer = new QBuffer(job);
    buffer->setData(file.read(maxFileSize));
    buffer->open(QIODevice::ReadOnly);
    job->reply(QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).name().toUtf8(), buffer);
}
