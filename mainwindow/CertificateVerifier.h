#pragma once

#include <QList>

#include <functional>

class QObject;
class QSslCertificate;
class QString;
class QUrl;
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
    // Once the engine trusts the client's CAs it also takes a leaf of theirs
    // that is marked as a CA's, and asks no one. So before the client loads
    // an https address in a view, it looks at the host's certificate itself:
    // done(false) (logged) for such a leaf, done(true) otherwise, also for a
    // host it cannot reach (the engine's own check stands). At once when the
    // host's verdict is known; never once context is gone. The engine then
    // loads no document of a refused host.
    static void checkServer(const QUrl &url, QObject *context, const std::function<void(bool)> &done);

    // Where that database goes: the user's runtime folder, or an empty text
    // when there is none that is usable.
    static QString storeFolder();
    // The database of this run; empty when the engine has none.
    static QString storePath();
    // Removes the databases in folder that no running client holds (a crash
    // leaves its own behind); returns how many.
    static int removeStaleStores(const QString &folder);

    // Whether the client's own CAs vouch for chain (the server's certificate
    // first) as a TLS server at host; if not, reason (when given) says why.
    static bool verify(const QList<QSslCertificate> &chain, const QString &host, QString *reason = nullptr);
    // The same against the given anchors only.
    static bool verify(const QList<QSslCertificate> &chain, const QString &host, const QList<QSslCertificate> &anchors,
                       QString *reason = nullptr);
};
