#pragma once

// What a test needs to reach the private XMPP server that a CTest fixture
// started (see README.md): read once in initTestCase, then connect to
// host() on port() after trust() has added the fixture's CA.

#include <QFile>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QStringList>

#include <signal.h>
#include <sys/types.h>

class XmppTestServer
{
public:
    // False (with error() telling why) when the fixture did not run.
    bool load()
    {
        m_dir = qEnvironmentVariable("MAHJONG_XMPP_SERVER_DIR");
        if (m_dir.isEmpty()) {
            m_error = QStringLiteral("MAHJONG_XMPP_SERVER_DIR is not set");
            return false;
        }
        bool ok = false;
        m_port = quint16(readFile(QStringLiteral("port")).trimmed().toUInt(&ok));
        if (!ok || m_port == 0) {
            m_error = QStringLiteral("no server port in %1").arg(m_dir);
            return false;
        }
        m_host = QString::fromUtf8(readFile(QStringLiteral("domain")).trimmed());
        m_ca = QSslCertificate::fromData(readFile(QStringLiteral("ca.crt")), QSsl::Pem);
        if (m_ca.isEmpty()) {
            m_error = QStringLiteral("no CA certificate in %1").arg(m_dir);
            return false;
        }
        m_users.clear();
        const QList<QByteArray> lines = readFile(QStringLiteral("users")).split('\n');
        for (const QByteArray &line : lines) {
            const int colon = line.indexOf(':');
            if (colon > 0)
                m_users.append({QString::fromUtf8(line.left(colon)), QString::fromUtf8(line.mid(colon + 1))});
        }
        return true;
    }

    // Adds the fixture's CA to the process-wide default TLS configuration.
    void trust() const
    {
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.addCaCertificates(m_ca);
        QSslConfiguration::setDefaultConfiguration(config);
    }

    // Kills the server at once (the fixture's cleanup then finds it gone).
    // With pause, the server is first stopped so that nothing sent to it
    // afterwards is answered.
    bool pause() const { return signalServer(SIGSTOP); }
    bool kill() const { return signalServer(SIGKILL); }

    QString host() const { return m_host; }
    quint16 port() const { return m_port; }
    QString dir() const { return m_dir; }
    QString error() const { return m_error; }
    const QList<QSslCertificate> &caCertificates() const { return m_ca; }
    // The registered accounts as (user, password), in registration order.
    const QList<QPair<QString, QString>> &users() const { return m_users; }
    QString password(const QString &user) const
    {
        for (const auto &u : m_users)
            if (u.first == user)
                return u.second;
        return QString();
    }

private:
    QByteArray readFile(const QString &name) const
    {
        QFile file(m_dir + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool signalServer(int sig) const
    {
        bool ok = false;
        const pid_t pid = pid_t(readFile(QStringLiteral("pid")).trimmed().toLongLong(&ok));
        return ok && pid > 0 && ::kill(pid, sig) == 0;
    }

    QString m_dir;
    QString m_host;
    quint16 m_port = 0;
    QString m_error;
    QList<QSslCertificate> m_ca;
    QList<QPair<QString, QString>> m_users;
};
