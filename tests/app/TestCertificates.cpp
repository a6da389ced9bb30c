#include "TestCertificates.h"

#include <QFile>
#include <QSslConfiguration>

namespace {
QByteArray readFile(const QString &name)
{
    QFile file(QStringLiteral(MAHJONG_TEST_CERT_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

bool TestCertificates::create(QString *error)
{
    caFile = QStringLiteral(MAHJONG_TEST_CERT_DIR "/ca.crt");
    ca = QSslCertificate(readFile("ca.crt"));
    server = QSslCertificate(readFile("server.crt"));
    serverKey = QSslKey(readFile("server.key"), QSsl::Rsa);
    rogue = QSslCertificate(readFile("rogue.crt"));
    rogueKey = QSslKey(readFile("rogue.key"), QSsl::Rsa);
    if (ca.isNull() || server.isNull() || serverKey.isNull() || rogue.isNull() || rogueKey.isNull()) {
        *error = QStringLiteral("could not load the test certificates from " MAHJONG_TEST_CERT_DIR);
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
