#pragma once

#include <QList>
#include <QSslCertificate>
#include <QStringList>

// The trusted root certificates of both TLS connections, added to the
// process-wide default SSL configuration at start.
class CaCertificates
{
public:
    static QStringList defaultFiles();

    // Adds the certificates (PEM) in files; returns how many were added.
    // Missing or unreadable files are logged and skipped.
    static int install(const QStringList &files = defaultFiles());

    // Every certificate install() added, the client's own CAs (without the
    // system's); the embedded pages accept no other issuer.
    static QList<QSslCertificate> installed();
};
