#pragma once

#include <QList>

class QSslCertificate;
class QString;
class QWebEngineCertificateError;

// Decides the certificate errors of the embedded web pages. Chromium checks
// certificates against its own store and never sees the CA certificates the
// client trusts for its other connections (Qt's default SSL configuration,
// where the client adds its own CAs at start), so it refuses a service whose
// certificate they issued. Such a certificate is accepted when its chain
// verifies against them for the page's host; everything else stays refused.
class CertificateVerifier
{
public:
    // Accepts or refuses the certificate now and logs why; true when accepted.
    static bool decide(QWebEngineCertificateError error);

    // Whether the client's CAs vouch for chain (the server's certificate
    // first) at host; if not, reason (when given) says why.
    static bool verify(const QList<QSslCertificate> &chain, const QString &host, QString *reason = nullptr);
};
