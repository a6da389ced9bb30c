#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>

// The build's throw-away test certificates (made by scripts/test-certs.sh):
// a CA, a server certificate it signed for localhost/127.0.0.1, and a
// self-signed "rogue" certificate for the same names that nobody trusts.
class TestCertificates
{
public:
    // Returns false with error set when the files are missing or unreadable.
    bool create(QString *error);

    // Adds the CA to the process-wide default SSL configuration.
    void trustCa() const;

    QSslCertificate ca;
    QSslCertificate server;
    QSslKey serverKey;
    QSslCertificate rogue;
    QSslKey rogueKey;
    QString caFile;
};
