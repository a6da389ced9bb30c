#include "PulseProbe.h"

#include <QCoreApplication>
#include <QProcess>

namespace {
QString pactl(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

int PulseProbe::runningStreams() const
{
    const QString pid = QString::number(QCoreApplication::applicationPid());
    int running = 0;
    const QStringList inputs = pactl({QStringLiteral("list"), QStringLiteral("sink-inputs")})
                                   .split(QStringLiteral("Sink Input #"), Qt::SkipEmptyParts);
    for (const QString &input : inputs) {
        if (input.contains(QStringLiteral("application.process.id = \"%1\"").arg(pid))
            && input.contains(QStringLiteral("Corked: no")))
            ++running;
    }
    return running;
}

bool PulseProbe::command(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
