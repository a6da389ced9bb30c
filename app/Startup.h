#pragma once

#include <QObject>

#include <memory>

class QSplashScreen;

// The start-up sequencer: shows the splash and emits finished(true) once the
// splash has been up for its minimum time, the game background is preloaded
// and the version check has ended; finished(false) when start-up fails.
// Until then, closing the last open window (the splash, a notice, the update
// question) does not end the program.
class Startup : public QObject
{
    Q_OBJECT

public:
    static constexpr int minimumSplashTime = 750;
    static constexpr int preloadDelay = 100;
    static constexpr const char *splashImage = "resources:/splash.png";

    explicit Startup(QObject *parent = nullptr);
    ~Startup() override;

    void start();
    bool isFinished() const { return m_finished; }
    QSplashScreen *splash() const { return m_splash.get(); }

    // The images the table needs first, loaded into the pixmap cache.
    static QStringList preloadedImages();

public slots:
    void onVersionCheckFinished();
    void fail();

signals:
    void finished(bool success);

private slots:
    void onMinimumTimeElapsed();
    void preload();

private:
    void finishIfReady();
    void finish(bool success);

    std::unique_ptr<QSplashScreen> m_splash;
    bool m_quitOnLastWindowClosed = true;
    bool m_started = false;
    bool m_minimumTimeElapsed = false;
    bool m_preloaded = false;
    bool m_versionChecked = false;
    bool m_finished = false;
};
