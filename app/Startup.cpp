#include "app/Startup.h"

#include "app/Logging.h"

#include <QDebug>
#include <QGuiApplication>
#include <QPixmap>
#include <QPixmapCache>
#include <QSplashScreen>
#include <QTimer>

Startup::Startup(QObject *parent)
    : QObject(parent)
{
}

Startup::~Startup()
{
    if (m_started && !m_finished)
        QGuiApplication::setQuitOnLastWindowClosed(m_quitOnLastWindowClosed);
}

QStringList Startup::preloadedImages()
{
    return {QStringLiteral("resources:/game-bg-image.png"), QStringLiteral("resources:/game-bg-pattern.jpg")};
}

void Startup::start()
{
    if (m_started)
        return;
    m_started = true;
    // While the update installer downloads no window may be open at all.
    m_quitOnLastWindowClosed = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    // Named format: no image plugin is loaded (or probed) before the splash.
    const QPixmap image(QString::fromLatin1(splashImage), "PNG");
    if (image.isNull())
        qCWarning(lcApp).noquote() << "Splash image missing:" << splashImage;
    m_splash = std::make_unique<QSplashScreen>(image);
    m_splash->setObjectName(QStringLiteral("splash"));
    m_splash->show();
    qCInfo(lcApp, "Splash shown");
    QTimer::singleShot(minimumSplashTime, this, &Startup::onMinimumTimeElapsed);
    // Let the splash paint before the heavier loading starts.
    QTimer::singleShot(preloadDelay, this, &Startup::preload);
}

void Startup::onMinimumTimeElapsed()
{
    m_minimumTimeElapsed = true;
    finishIfReady();
}

void Startup::preload()
{
    for (const QString &name : preloadedImages()) {
        QPixmap pixmap;
        if (!QPixmapCache::find(name, &pixmap)) {
            if (pixmap.load(name))
                QPixmapCache::insert(name, pixmap);
            else
                qCWarning(lcApp).noquote() << "Cannot preload" << name;
        }
    }
    m_preloaded = true;
    finishIfReady();
}

void Startup::onVersionCheckFinished()
{
    m_versionChecked = true;
    finishIfReady();
}

void Startup::fail()
{
    finish(false);
}

void Startup::finishIfReady()
{
    if (m_minimumTimeElapsed && m_preloaded && m_versionChecked)
        finish(true);
}

void Startup::finish(bool success)
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_splash)
        m_splash->close();
    qCInfo(lcApp, "Start-up %s", success ? "finished" : "failed");
    emit finished(success);
    // The receivers have shown the main window by now.
    if (m_started)
        QGuiApplication::setQuitOnLastWindowClosed(m_quitOnLastWindowClosed);
}
