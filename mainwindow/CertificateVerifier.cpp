#include "mainwindow/CertificateVerifier.h"

#include "mainwindow/Logging.h"

#include "app/CaCertificates.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHostAddress>
#include <QSslCertificate>
#include <QStandardPaths>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEngineCertificateError>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

// NSS names a field "slots", which Qt defines as a word of its own.
#pragma push_macro("slots")
#undef slots
#include <cert.h>
#include <certdb.h>
#include <nss.h>
#include <pk11pub.h>
#include <secmod.h>
#pragma pop_macro("slots")

#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <vector>

#include <signal.h>
#include <unistd.h>

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

// A certificate that says it is a CA's, or may sign others, is never a
// server's, whatever its basic constraints say.
bool isCaCertificate(X509 *certificate)
{
    const uint32_t flags = X509_get_extension_flags(certificate);
    if ((flags & EXFLAG_CA) != 0 || X509_check_ca(certificate) != 0)
        return true;
    return (flags & EXFLAG_KUSAGE) != 0 && (X509_get_key_usage(certificate) & KU_KEY_CERT_SIGN) != 0;
}

// "host:port" of an https address, or an empty text.
QString serverKey(const QUrl &url)
{
    if (url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0 || url.host().isEmpty())
        return QString();
    return url.host(QUrl::EncodeUnicode).toLower() + QLatin1Char(':') + QString::number(url.port(443));
}

// Whether each server's certificate passed checkServer.
QHash<QString, bool> &serverVerdicts()
{
    static QHash<QString, bool> verdicts;
    return verdicts;
}

void logRefusedLeaf(const QUrl &url)
{
    qCWarning(lcMainwindow).noquote() << "refused the certificate of" << url.toDisplayString()
                                      << "- the server's certificate is a CA's";
}

// Keeps the engine from documents of a host whose certificate checkServer
// refused, whoever asks for them (a link, a redirect, a frame).
class RefusedServerGuard : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const auto type = info.resourceType();
        if (type != QWebEngineUrlRequestInfo::ResourceTypeMainFrame
            && type != QWebEngineUrlRequestInfo::ResourceTypeSubFrame)
            return;
        const QString key = serverKey(info.requestUrl());
        if (!key.isEmpty() && !serverVerdicts().value(key, true)) {
            logRefusedLeaf(info.requestUrl());
            info.block(true);
        }
    }
};

QString &storePathInUse()
{
    static QString path;
    return path;
}
constexpr int serverCheckTimeoutMs = 10000;
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
    // Browsers look for the name in subjectAltName only (a name that is only
    // the subject's common name names no server), and take a wildcard only
    // as a whole label.
    X509_VERIFY_PARAM_set_hostflags(parameters,
                                    X509_CHECK_FLAG_NEVER_CHECK_SUBJECT | X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    // 112 bits, as browsers ask: no RSA key under 2048 bits, no SHA-1.
    X509_VERIFY_PARAM_set_auth_level(parameters, 2);
    if (X509_verify_cert(context.get()) == 1) {
        X509 *leaf = certificates.front().get();
        if (isCaCertificate(leaf))
            return refuse(QStringLiteral("the server's certificate is a CA's"));
        return true;
    }
    return refuse(QString::fromLatin1(X509_verify_cert_error_string(X509_STORE_CTX_get_error(context.get()))));
}

void CertificateVerifier::checkServer(const QUrl &url, QObject *context, const std::function<void(bool)> &done)
{
    const QString key = serverKey(url);
    // Where the engine was not told, it asks decide() about such a leaf.
    if (key.isEmpty() || !shareWithEngine()) {
        done(true);
        return;
    }
    const auto known = serverVerdicts().constFind(key);
    if (known != serverVerdicts().constEnd()) {
        if (!*known)
            logRefusedLeaf(url);
        done(*known);
        return;
    }
    auto *socket = new QSslSocket(context);
    // Only the certificate is wanted here; the engine checks the chain.
    QSslConfiguration configuration = socket->sslConfiguration();
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    socket->setSslConfiguration(configuration);
    const auto finished = std::make_shared<bool>(false);
    const auto finish = [socket, finished, key, url, done](std::optional<bool> verdict) {
        if (*finished)
            return;
        *finished = true;
        socket->abort();
        socket->deleteLater();
        if (verdict)
            serverVerdicts().insert(key, *verdict);
        if (verdict == false)
            logRefusedLeaf(url);
        done(verdict.value_or(true));
    };
    QObject::connect(socket, &QSslSocket::encrypted, socket, [socket, finish] {
        const QSslCertificate leaf = socket->peerCertificate();
        X509Ptr x509 = toX509(leaf);
        finish(!x509 || !isCaCertificate(x509.get()));
    });
    QObject::connect(socket, &QAbstractSocket::errorOccurred, socket, [finish] { finish(std::nullopt); });
    QTimer::singleShot(serverCheckTimeoutMs, socket, [finish] { finish(std::nullopt); });
    socket->connectToHostEncrypted(url.host(QUrl::EncodeUnicode), quint16(url.port(443)));
}

QString CertificateVerifier::storeFolder()
{
    // Without XDG_RUNTIME_DIR the runtime folder is made in the temp folder;
    // an unusable TMPDIR makes that an empty path, and the folder would be
    // made in "/".
    const QString temp = QDir::tempPath();
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && (temp.isEmpty() || !QFileInfo(temp).isDir()))
        return QString();
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QFileInfo info(runtime);
    if (runtime.isEmpty() || !info.isAbsolute() || !info.isDir() || !info.isWritable()
        || info.canonicalFilePath() == QDir::rootPath())
        return QString();
    return info.canonicalFilePath();
}

QString CertificateVerifier::storePath()
{
    return storePathInUse();
}

int CertificateVerifier::removeStaleStores(const QString &folder)
{
    if (folder.isEmpty())
        return 0;
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList({QStringLiteral("mahjong-cas-*")},
                                                             QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        if (entry.ownerId() != ::geteuid() || entry.absoluteFilePath() == storePathInUse())
            continue;
        // "mahjong-cas-PID-XXXXXX"; older clients left "mahjong-cas-XXXXXX".
        const QStringList parts = entry.fileName().split(QLatin1Char('-'));
        bool numeric = false;
        const qint64 pid = parts.size() == 4 ? parts.at(2).toLongLong(&numeric) : 0;
        const bool held = numeric && pid > 0 && pid != QCoreApplication::applicationPid()
                          && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
        if (held)
            continue;
        if (QDir(entry.absoluteFilePath()).removeRecursively())
            ++removed;
    }
    if (removed > 0)
        qCInfo(lcMainwindow) << "removed" << removed << "certificate stores left by earlier runs in" << folder;
    return removed;
}

bool CertificateVerifier::shareWithEngine()
{
    static const bool shared = [] {
        const QList<QSslCertificate> anchors = CaCertificates::installed();
        if (anchors.isEmpty())
            return false;
        // The engine starts NSS itself on its first certificate, with the
        // user's database; when it has not yet, it is started here as the
        // engine would, so that its own start finds the same.
        if (!NSS_IsInitialized()) {
            const QString userDb = QDir::home().filePath(QStringLiteral(".pki/nssdb"));
            if (!QFileInfo::exists(userDb) && QDir().mkpath(userDb)) {
                for (const QString &made : {QDir::home().filePath(QStringLiteral(".pki")), userDb})
                    QFile::setPermissions(made,
                                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            }
            const QByteArray config = "sql:" + QFile::encodeName(userDb);
            if (NSS_Initialize(config.constData(), "", "", "secmod.db", NSS_INIT_NOROOTINIT | NSS_INIT_OPTIMIZESPACE)
                    != SECSuccess
                && NSS_NoDB_Init(nullptr) != SECSuccess) {
                qCWarning(lcMainwindow) << "the web engine's certificate store cannot be opened";
                return false;
            }
        }
        // A fresh database of this run: nothing outlives the process, not
        // even a CA that a later version of the client dropped. In the
        // runtime folder, which the system empties at logout, and named after
        // the process, so that the next start finds one a crash left.
        const QString folder = storeFolder();
        for (const QString &stale : {folder, QDir::tempPath()})
            removeStaleStores(stale);
        if (folder.isEmpty()) {
            qCWarning(lcMainwindow) << "no room for the client's certificate store for the web engine";
            return false;
        }
        static QTemporaryDir directory(
            QStringLiteral("%1/mahjong-cas-%2-XXXXXX").arg(folder).arg(QCoreApplication::applicationPid()));
        if (!directory.isValid() || directory.path().contains(QLatin1Char('\''))) {
            qCWarning(lcMainwindow) << "no room for the client's certificate store for the web engine";
            return false;
        }
        storePathInUse() = directory.path();
        const QByteArray spec = "configDir='sql:" + QFile::encodeName(directory.path())
                                + "' tokenDescription='Mahjong client CAs'";
        PK11SlotInfo *slot = SECMOD_OpenUserDB(spec.constData());
        if (!slot) {
            qCWarning(lcMainwindow) << "the client's certificate store cannot be made for the web engine";
            return false;
        }
        if (PK11_NeedUserInit(slot))
            PK11_InitPin(slot, nullptr, nullptr);
        int added = 0;
        for (const QSslCertificate &anchor : anchors) {
            QByteArray der = anchor.toDer();
            SECItem item{siBuffer, reinterpret_cast<unsigned char *>(der.data()),
                         static_cast<unsigned int>(der.size())};
            CERTCertificate *certificate = CERT_NewTempCertificate(CERT_GetDefaultCertDB(), &item, nullptr, PR_FALSE,
                                                                   PR_TRUE);
            if (!certificate)
                continue;
            const QByteArray nickname = "mahjong-ca-" + anchor.digest(QCryptographicHash::Sha256).toHex().left(16);
            CERTCertTrust trust{};
            // A CA for servers only: not for mail or code.
            if (PK11_ImportCert(slot, certificate, CK_INVALID_HANDLE, nickname.constData(), PR_FALSE) == SECSuccess
                && CERT_DecodeTrustString(&trust, "C,,") == SECSuccess
                && CERT_ChangeCertTrust(CERT_GetDefaultCertDB(), certificate, &trust) == SECSuccess)
                ++added;
            CERT_DestroyCertificate(certificate);
        }
        // The database stays open for the rest of the run.
        PK11_FreeSlot(slot);
        auto *profile = QWebEngineProfile::defaultProfile();
        profile->setUrlRequestInterceptor(new RefusedServerGuard(profile));
        qCInfo(lcMainwindow) << "the web engine trusts" << added << "CA certificates of the client";
        return added > 0;
    }();
    return shared;
}
