#pragma once

#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

// Serves "localwww:" addresses (the pages the client ships) from the
// "localwww" search path, so that the page of the language in use is found.
class LocalPageSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    static constexpr const char *scheme = "localwww";
    // Largest file served; a page of the client is far smaller.
    static constexpr qint64 maxFileSize = 8 * 1024 * 1024;

    explicit LocalPageSchemeHandler(QObject *parent = nullptr);

    // Declares the scheme to Qt WebEngine. Must run before the first web
    // engine object exists; done when the application object is built.
    static void registerScheme();
    // Installs one handler on the profile (once).
    static void installOn(QWebEngineProfile *profile);

    void requestStarted(QWebEngineUrlRequestJob *job) override;
};
