#include "TestCertificates.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>

namespace
{
QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

bool TestCertificates::run(const QStringList &arguments, QString *error)
{
    QProcess openssl;
    openssl.setWorkingDirectory(m_dir.path());
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        *error = QStringLiteral("openssl %1 failed: %2 %3")
                     .arg(arguments.join(' '), openssl.errorString(), QString::fromLocal8Bit(openssl.readAllStandardError()));
        return false;
    }
    return true;
}

bool TestCertificates::create(QString *error)
{
    if (!m_dir.isValid()) {
        *error = QStringLiteral("no temporary directory");
        return false;
    }
    const QStringList ecKey = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    QFile ext(m_dir.filePath("server.ext"));
    if (!ext.open(QIODevice::WriteOnly))
        return false;
    ext.write("basicConstraints=CA:FALSE\nkeyUsage=digitalSignature,keyEncipherment\n"
              "extendedKeyUsage=serverAuth\nsubjectAltName=DNS:localhost,IP:127.0.0.1\n");
    ext.close();
    const bool ok =
        run(QStringList{"req", "-x509"} + ecKey
                + QStringList{"-keyout", "ca.key", "-out", "ca.crt", "-days", "2", "-subj", "/CN=Mahjong Test CA",
                              "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
                              "keyUsage=critical,keyCertSign,cRLSign"},
            error)
        && run(QStringList{"req"} + ecKey
                   + QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=localhost"},
               error)
        && run({"x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key", "-CAcreateserial", "-out",
                "server.crt", "-days", "2", "-extfile", "server.ext"},
               error)
        && run(QStringList{"req", "-x509"} + ecKey
                   + QStringList{"-keyout", "rogue.key", "-out", "rogue.crt", "-days", "2", "-subj", "/CN=localhost",
                                 "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1"},
               error);
    if (!ok)
        return false;
    caFile = m_dir.filePath("ca.crt");
    ca = QSslCertificate(readFile(caFile));
    server = QSslCertificate(readFile(m_dir.filePath("server.crt")));
    serverKey = QSslKey(readFile(m_dir.filePath("server.key")), QSsl::Ec);
    rogue = QSslCertificate(readFile(m_dir.filePath("rogue.crt")));
    rogueKey = QSslKey(readFile(m_dir.filePath("rogue.key")), QSsl::Ec);
    if (ca.isNull() || server.isNull() || serverKey.isNull() || rogue.isNull() || rogueKey.isNull()) {
        *error = QStringLiteral("could not load the generated certificates");
        return false;
    }
    return true;
}

void TestCertificates::trustCa() const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates({ca});
    QSslConfiguration::setDefaultConfiguration(configuration);
}
