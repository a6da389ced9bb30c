#include "mainwindow/CertificateVerifier.h"

#include "mainwindow/Logging.h"

#include <QSslCertificate>
#include <QSslError>
#include <QStringList>
#include <QUrl>
#include <QWebEngineCertificateError>

#include <algorithm>

bool CertificateVerifier::decide(QWebEngineCertificateError error)
{
    const QUrl url = error.url();
    QString reason;
    bool accepted = false;
    // An unknown issuer is the one objection the client's own CAs can answer;
    // anything else Chromium finds (revoked, weak, pinned ...) stands. The
    // chain is still checked in full: Chromium names only its worst finding.
    if (error.type() != QWebEngineCertificateError::CertificateAuthorityInvalid)
        reason = QStringLiteral("not an unknown issuer");
    else if (!error.isOverridable())
        reason = QStringLiteral("the host allows no exception");
    else
        accepted = verify(error.certificateChain(), url.host(QUrl::EncodeUnicode), &reason);

    if (accepted) {
        qCInfo(lcMainwindow).noquote() << "accepted the certificate of" << url.toDisplayString()
                                       << "issued by a CA the client trusts";
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
    // Qt checks against the CA certificates of its default configuration,
    // where the client's own are, and those of the system.
    const QList<QSslError> errors = QSslCertificate::verify(chain, host);
    if (errors.isEmpty())
        return true;
    QStringList texts;
    for (const QSslError &e : errors)
        texts << e.errorString();
    return refuse(texts.join(QStringLiteral("; ")));
}
