#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTemporaryDir>

// A throw-away certificate authority for tests, made with the openssl tool:
// a CA, a server certificate it signed for localhost/127.0.0.1, and a
// self-signed "rogue" certificate for the same names that nobody trusts.
class TestCertificates
{
public:
    // Returns false with error set when openssl is missing or fails.
    bool create(QString *error);

    // Adds the CA to the process-wide default SSL configuration.
    void trustCa() const;

    QSslCertificate ca;
    QSslCertificate server;
    QSslKey serverKey;
    QSslCertificate rogue;
    QSslKey rogueKey;
    QString caFile;

private:
    bool run(const QStringList &arguments, QString *error);
    QTemporaryDir m_dir;
};
