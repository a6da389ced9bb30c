// Start-up benchmark (not a test): starts the real client several times and
// measures, from process start, the time until the splash (the first window)
// and the main window are shown, as the client's own log reports them. The
// anchor is a bare Qt window (this program started again with --bare-window
// FILE), detected the same way: a line written to a file after show().
// Usage: startup_benchmark [runs]   (MAHJONG_CLIENT=path measures another build)

#include "ClientHome.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace {
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

qint64 waitForLine(const QString &path, const QByteArray &line, const QElapsedTimer &clock)
{
    while (clock.elapsed() < 20000) {
        if (readLog(path).contains(line))
            return clock.elapsed();
        QThread::msleep(1);
    }
    return -1;
}

int bareWindow(int argc, char **argv, const char *path)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    window.show();
    QFile file(QString::fromLocal8Bit(path));
    if (file.open(QIODevice::WriteOnly))
        file.write("Window shown\n");
    file.close();
    QTimer::singleShot(200, &app, &QCoreApplication::quit);
    return app.exec();
}

qint64 measureBareWindow()
{
    QTemporaryDir home;
    const QString path = home.filePath("shown.txt");
    QProcess bare;
    bare.setProcessEnvironment(clientEnvironment(home.path()));
    bare.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    bare.start(QCoreApplication::applicationFilePath(), {"--bare-window", path});
    const qint64 shown = waitForLine(path, "Window shown", clock);
    bare.waitForFinished(5000);
    return shown;
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
    client.start(qEnvironmentVariable("MAHJONG_CLIENT", QStringLiteral(MAHJONG_EXECUTABLE)),
                 {"--httphost", "127.0.0.1:1", "127.0.0.1:1"});
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
    if (argc == 3 && QByteArray(argv[1]) == "--bare-window")
        return bareWindow(argc, argv, argv[2]);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 10;
    QList<qint64> bare;
    QList<qint64> splash;
    QList<qint64> mainWindow;
    for (int i = 0; i < runs; ++i) {
        // Interleaved, so that both see the same machine load.
        const qint64 anchor = measureBareWindow();
        if (anchor < 0) {
            std::fprintf(stderr, "run %d: the bare window did not show\n", i + 1);
            return 1;
        }
        bare << anchor;
        const Run run = measureOnce();
        if (run.splash < 0 || run.mainWindow < 0) {
            std::fprintf(stderr, "run %d: the client did not report its windows\n", i + 1);
            return 1;
        }
        splash << run.splash;
        mainWindow << run.mainWindow;
    }
    std::printf("Start-up of the client over %d runs (offline, 750 ms minimum splash):\n", runs);
    report("process start -> bare window", bare);
    report("process start -> splash", splash);
    report("process start -> main window", mainWindow);
    std::sort(bare.begin(), bare.end());
    std::sort(splash.begin(), splash.end());
    std::printf("splash / bare window (medians): %.2fx\n",
                double(splash[splash.size() / 2]) / double(qMax<qint64>(1, bare[bare.size() / 2])));
    return 0;
}
