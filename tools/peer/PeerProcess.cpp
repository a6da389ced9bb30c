#include "tools/peer/PeerProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>

PeerProcess::PeerProcess(QObject *parent)
    : QObject(parent)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &PeerProcess::readOutput);
}

PeerProcess::~PeerProcess()
{
    stop();
}

QString PeerProcess::executable()
{
    return QStringLiteral(MAHJONG_PEER_EXECUTABLE);
}

QString PeerProcess::certificateDirectory()
{
    return QStringLiteral(MAHJONG_TEST_CERT_DIR);
}

QString PeerProcess::caCertificateFile()
{
    return certificateDirectory() + QStringLiteral("/ca.crt");
}

QString PeerProcess::scenarioDirectory()
{
    return QStringLiteral(MAHJONG_PEER_SCENARIO_DIR);
}

void PeerProcess::installTestCa()
{
    const QList<QSslCertificate> ca = QSslCertificate::fromPath(caCertificateFile(), QSsl::Pem);
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.addCaCertificates(ca);
    QSslConfiguration::setDefaultConfiguration(config);
}

QStringList PeerProcess::withDelaysFromEnvironment(const QStringList &arguments)
{
    // A test that passes a delay must hold for any value of it; a run with
    // MAHJONG_PEER_DELAYS="seat-after-ms=300,question-ms=900" shows whether it does.
    const QString delays = qEnvironmentVariable("MAHJONG_PEER_DELAYS");
    QStringList result = arguments;
    for (const QString &pair : delays.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString option = QStringLiteral("--") + pair.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = pair.section(QLatin1Char('='), 1).trimmed();
        for (qsizetype i = 0; i + 1 < result.size(); ++i) {
            if (result.at(i) == option)
                result[i + 1] = value;
        }
    }
    return result;
}

qint64 PeerProcess::effectiveValue(const QStringList &arguments, const QString &option, qint64 fallback)
{
    const QStringList effective = withDelaysFromEnvironment(arguments);
    const qsizetype at = effective.indexOf(option);
    bool ok = false;
    const qint64 value = at >= 0 && at + 1 < effective.size() ? effective.at(at + 1).toLongLong(&ok) : 0;
    return ok ? value : fallback;
}

bool PeerProcess::start(const QStringList &extraArguments, int timeoutMs)
{
    stop();
    m_lines.clear();
    m_partial.clear();
    m_port = 0;
    m_tls = !extraArguments.contains(QStringLiteral("--plain"));
    QStringList args{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--exit-with-stdin")};
    if (m_tls)
        args << QStringLiteral("--cert") << certificateDirectory() + QStringLiteral("/server.crt")
             << QStringLiteral("--key") << certificateDirectory() + QStringLiteral("/server.key");
    args << withDelaysFromEnvironment(extraArguments);
    if (qEnvironmentVariableIsSet("MAHJONG_PEER_DELAYS"))
        qInfo("mahjong-peer %s", qPrintable(args.join(QLatin1Char(' '))));
    m_process.start(executable(), args);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(executable(), m_process.errorString());
        return false;
    }
    const QString line = waitForLine(QStringLiteral("LISTENING "), timeoutMs);
    if (line.isNull()) {
        m_error = QStringLiteral("peer did not listen: %1").arg(QString::fromUtf8(m_process.readAllStandardError()));
        stop();
        return false;
    }
    m_port = quint16(line.section(QLatin1Char(' '), 1, 1).toUInt());
    return m_port != 0;
}

void PeerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void PeerProcess::readOutput()
{
    m_partial += m_process.readAllStandardOutput();
    int nl;
    while ((nl = m_partial.indexOf('\n')) >= 0) {
        m_lines << QString::fromUtf8(m_partial.left(nl));
        m_partial.remove(0, nl + 1);
    }
}

QStringList PeerProcess::lines()
{
    readOutput();
    return m_lines;
}

QStringList PeerProcess::linesStartingWith(const QString &prefix)
{
    QStringList out;
    for (const QString &l : lines())
        if (l.startsWith(prefix))
            out << l;
    return out;
}

QString PeerProcess::waitForLine(const QString &prefix, int timeoutMs, int skip)
{
    QElapsedTimer timer;
    timer.start();
    while (true) {
        const QStringList found = linesStartingWith(prefix);
        if (found.size() > skip)
            return found.at(skip);
        if (timer.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning)
            return QString();
        m_process.waitForReadyRead(10);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}
