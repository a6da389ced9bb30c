#pragma once

#include <QList>

class QSslCertificate;
class QString;
class QWebEngineCertificateError;

// Decides the certificate errors of the embedded web pages. Chromium checks
// certificates against its own store and never sees the CA certificates the
// client installs at start, so it refuses a service whose certificate they
// issued. Such an "unknown issuer" is accepted only when the chain ends in
// one of those CAs (not the system's), names the page's host in its
// subjectAltName, is meant for a TLS server and is no CA itself; every other
// finding stays refused.
class CertificateVerifier
{
public:
    // Accepts or refuses the certificate now and logs why; true when accepted.
    static bool decide(QWebEngineCertificateError error);

    // Gives the web engine the client's own CAs, once, before its first
    // page: an "unknown issuer" fails the engine's handshake (and is logged
    // by it) before decide() can accept it. Done through a certificate
    // database of the client's own, open only in this process; the user's
    // database is left as it is. True when the engine has them.
    static bool shareWithEngine();

    // Whether the client's own CAs vouch for chain (the server's certificate
    // first) as a TLS server at host; if not, reason (when given) says why.
    static bool verify(const QList<QSslCertificate> &chain, const QString &host, QString *reason = nullptr);
    // The same against the given anchors only.
    static bool verify(const QList<QSslCertificate> &chain, const QString &host, const QList<QSslCertificate> &anchors,
                       QString *reason = nullptr);
};
