#include "app/CaCertificates.h"

#include "app/Logging.h"

#include <QDebug>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>

namespace {
QList<QSslCertificate> &installedCertificates()
{
    static QList<QSslCertificate> certificates;
    return certificates;
}
} // namespace

QList<QSslCertificate> CaCertificates::installed()
{
    return installedCertificates();
}

QStringList CaCertificates::defaultFiles()
{
    return {QStringLiteral("resources:/ca-certs/ca-networksolutions.crt"),
            QStringLiteral("resources:/ca-certs/ca-addtrust.crt")};
}

int CaCertificates::install(const QStringList &files)
{
    QList<QSslCertificate> certificates;
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcApp).noquote() << "CA certificate not found:" << name;
            continue;
        }
        const QList<QSslCertificate> loaded = QSslCertificate::fromData(file.readAll(), QSsl::Pem);
        if (loaded.isEmpty())
            qCWarning(lcApp).noquote() << "No certificate in" << name;
        certificates += loaded;
    }
    if (certificates.isEmpty())
        return 0;
    for (const QSslCertificate &certificate : std::as_const(certificates)) {
        if (!installedCertificates().contains(certificate))
            installedCertificates().append(certificate);
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(certificates);
    QSslConfiguration::setDefaultConfiguration(configuration);
    return int(certificates.size());
}
