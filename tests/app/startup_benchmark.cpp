// Start-up benchmark (not a test): starts the real client several times and
// measures, from process start, the time until the splash (the first window)
// and the main window are shown, as the client's own log reports them.
// Usage: startup_benchmark [runs]

#include "ClientHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace
{
struct Run
{
    qint64 splash = -1;
    qint64 mainWindow = -1;
};

QByteArray readLog(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Run measureOnce()
{
    QTemporaryDir home;
    const QProcessEnvironment environment = clientEnvironment(home.path());
    const QString log = home.filePath("data/Kestrova/Kestrova-Brisquel/logs/mahjong.log");

    QProcess client;
    client.setProcessEnvironment(environment);
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    // Nothing listens on port 1: the server files fail at once, as offline.
    client.start(QStringLiteral(MAHJONG_EXECUTABLE), {"--httphost", "127.0.0.1:1", "127.0.0.1:1"});
    Run run;
    while (clock.elapsed() < 20000 && run.mainWindow < 0) {
        const QByteArray text = readLog(log);
        if (run.splash < 0 && text.contains("Splash shown"))
            run.splash = clock.elapsed();
        if (text.contains("Main window shown"))
            run.mainWindow = clock.elapsed();
        QThread::msleep(1);
    }
    client.terminate();
    client.waitForFinished(5000);
    return run;
}

void report(const char *what, QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%-28s min %5lld ms   median %5lld ms   max %5lld ms\n", what, values.first(),
                values[values.size() / 2], values.last());
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 10;
    QList<qint64> splash;
    QList<qint64> mainWindow;
    for (int i = 0; i < runs; ++i) {
        const Run run = measureOnce();
        if (run.splash < 0 || run.mainWindow < 0) {
            std::fprintf(stderr, "run %d: the client did not report its windows\n", i + 1);
            return 1;
        }
        splash << run.splash;
        mainWindow << run.mainWindow;
    }
    std::printf("Start-up of the client over %d runs (offline, 750 ms minimum splash):\n", runs);
    report("process start -> splash", splash);
    report("process start -> main window", mainWindow);
    return 0;
}
