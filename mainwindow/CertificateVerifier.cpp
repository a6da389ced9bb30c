#include "mainwindow/CertificateVerifier.h"

#include "mainwindow/Logging.h"

#include "app/CaCertificates.h"

#include <QHostAddress>
#include <QSslCertificate>
#include <QUrl>
#include <QWebEngineCertificateError>

#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {
struct X509Free
{
    void operator()(X509 *certificate) const { X509_free(certificate); }
};
using X509Ptr = std::unique_ptr<X509, X509Free>;

X509Ptr toX509(const QSslCertificate &certificate)
{
    const QByteArray der = certificate.toDer();
    const auto *data = reinterpret_cast<const unsigned char *>(der.constData());
    return X509Ptr(d2i_X509(nullptr, &data, long(der.size())));
}
} // namespace

bool CertificateVerifier::decide(QWebEngineCertificateError error)
{
    const QUrl url = error.url();
    QString reason;
    bool accepted = false;
    // An unknown issuer is the one objection the client's own CAs can answer;
    // anything else Chromium finds (revoked, weak, wrong name ...) stands.
    // The chain is still checked in full: Chromium names only its worst finding.
    if (error.type() != QWebEngineCertificateError::CertificateAuthorityInvalid)
        reason = QStringLiteral("not an unknown issuer");
    else if (!error.isOverridable())
        reason = QStringLiteral("the host allows no exception");
    else
        accepted = verify(error.certificateChain(), url.host(QUrl::EncodeUnicode), &reason);

    if (accepted) {
        qCInfo(lcMainwindow).noquote() << "accepted the certificate of" << url.toDisplayString()
                                       << "issued by a CA of the client";
        error.acceptCertificate();
    } else {
        qCWarning(lcMainwindow).noquote()
            << "refused the certificate of" << url.toDisplayString() << "-" << error.description() << "-" << reason;
        error.rejectCertificate();
    }
    return accepted;
}

bool CertificateVerifier::verify(const QList<QSslCertificate> &chain, const QString &host, QString *reason)
{
    return verify(chain, host, CaCertificates::installed(), reason);
}

bool CertificateVerifier::verify(const QList<QSslCertificate> &chain, const QString &host,
                                 const QList<QSslCertificate> &anchors, QString *reason)
{
    const auto refuse = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    // Without a host name the name check would be skipped.
    if (host.isEmpty())
        return refuse(QStringLiteral("no host name"));
    if (chain.isEmpty()
        || std::any_of(chain.cbegin(), chain.cend(), [](const QSslCertificate &c) { return c.isNull(); }))
        return refuse(QStringLiteral("no certificate"));
    if (anchors.isEmpty())
        return refuse(QStringLiteral("the client has no CA of its own"));

    // OpenSSL directly: Qt's check would also take the system's CAs and
    // accept a certificate meant for anything but a TLS server.
    std::unique_ptr<X509_STORE, decltype(&X509_STORE_free)> store(X509_STORE_new(), &X509_STORE_free);
    for (const QSslCertificate &anchor : anchors) {
        X509Ptr x509 = toX509(anchor);
        if (x509)
            X509_STORE_add_cert(store.get(), x509.get());
    }
    std::vector<X509Ptr> certificates;
    for (const QSslCertificate &certificate : chain) {
        certificates.push_back(toX509(certificate));
        if (!certificates.back())
            return refuse(QStringLiteral("unreadable certificate"));
    }
    std::unique_ptr<STACK_OF(X509), void (*)(STACK_OF(X509) *)> intermediates(
        sk_X509_new_null(), [](STACK_OF(X509) * stack) { sk_X509_free(stack); });
    for (size_t i = 1; i < certificates.size(); ++i)
        sk_X509_push(intermediates.get(), certificates[i].get());

    std::unique_ptr<X509_STORE_CTX, decltype(&X509_STORE_CTX_free)> context(X509_STORE_CTX_new(), &X509_STORE_CTX_free);
    if (!store || !intermediates || !context
        || X509_STORE_CTX_init(context.get(), store.get(), certificates.front().get(), intermediates.get()) != 1)
        return refuse(QStringLiteral("cannot check the chain"));
    X509_STORE_CTX_set_purpose(context.get(), X509_PURPOSE_SSL_SERVER);
    X509_VERIFY_PARAM *parameters = X509_STORE_CTX_get0_param(context.get());
    const QByteArray hostBytes = host.toLatin1();
    const bool hostSet = QHostAddress(host).isNull()
                             ? X509_VERIFY_PARAM_set1_host(parameters, hostBytes.constData(), size_t(hostBytes.size()))
                             : X509_VERIFY_PARAM_set1_ip_asc(parameters, hostBytes.constData());
    if (!hostSet)
        return refuse(QStringLiteral("unusable host name"));
    if (X509_verify_cert(context.get()) == 1)
        return true;
    return refuse(QString::fromLatin1(X509_verify_cert_error_string(X509_STORE_CTX_get_error(context.get()))));
}
