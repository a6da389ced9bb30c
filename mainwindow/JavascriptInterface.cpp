#include "mainwindow/JavascriptInterface.h"

#include "mainwindow/Logging.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QUrl>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {
const QString localScheme = QStringLiteral("localwww");

QSet<QString> &trustedOrigins()
{
    static QSet<QString> origins;
    return origins;
}

int defaultPort(const QString &scheme)
{
    if (scheme == QLatin1String("http"))
        return 80;
    if (scheme == QLatin1String("https"))
        return 443;
    return -1;
}

// "scheme://host:port", or an empty text for an address without a host.
QString originKey(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return QString();
    const QString scheme = url.scheme().toLower();
    return scheme + QStringLiteral("://") + url.host().toLower() + QLatin1Char(':')
           + QString::number(url.port(defaultPort(scheme)));
}

QString bridgeSource()
{
    QFile file(QStringLiteral(":/mainwindow/bridge.js"));
    if (!file.open(QIODevice::ReadOnly)) {
        qCCritical(lcMainwindow) << "the page bridge script is missing";
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}
} // namespace

JavascriptInterface::JavascriptInterface(QObject *parent)
    : QObject(parent)
{
}

JavascriptInterface::~JavascriptInterface() = default;

void JavascriptInterface::setMahjongHost(const QString &host)
{
    m_mahjongHost = host;
    installScript();
}

void JavascriptInterface::attachTo(QWebEnginePage *page)
{
    m_page = page;
    if (!m_channel) {
        m_channel = new QWebChannel(this);
        m_channel->registerObject(QStringLiteral("client"), this);
    }
    page->setWebChannel(m_channel);
    installScript();
}

void JavascriptInterface::installScript()
{
    if (!m_page)
        return;
    QWebEngineScriptCollection &scripts = m_page->scripts();
    const QString name = QLatin1String(scriptName);
    for (const QWebEngineScript &old : scripts.find(name))
        scripts.remove(old);

    // The host goes in as a JSON string, so no host text can break out of it.
    const QByteArray host = QJsonDocument(QJsonArray{m_mahjongHost}).toJson(QJsonDocument::Compact);
    QWebEngineScript script;
    script.setName(name);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    // Frames other than the main frame get no "client".
    script.setRunsOnSubFrames(false);
    script.setSourceCode(QStringLiteral("(function (mahjongHost) {\n") + bridgeSource() + QStringLiteral("\n})(")
                         + QString::fromUtf8(host) + QStringLiteral("[0]);\n"));
    scripts.insert(script);
}

void JavascriptInterface::trustHost(const QString &host)
{
    if (host.isEmpty())
        return;
    for (const char *scheme : {"http", "https"}) {
        QUrl url;
        url.setScheme(QLatin1String(scheme));
        url.setHost(host);
        trustOrigin(url);
    }
}

void JavascriptInterface::trustOrigin(const QUrl &url)
{
    const QString key = originKey(url);
    if (!key.isEmpty())
        trustedOrigins().insert(key);
}

void JavascriptInterface::clearTrustedOrigins()
{
    trustedOrigins().clear();
}

bool JavascriptInterface::isTrusted(const QUrl &url) const
{
    if (url.scheme() == localScheme)
        return true;
    const QString key = originKey(url);
    if (key.isEmpty())
        return false;
    if (trustedOrigins().contains(key))
        return true;
    const QString scheme = url.scheme().toLower();
    return !m_mahjongHost.isEmpty() && defaultPort(scheme) != -1 && url.port(defaultPort(scheme)) == defaultPort(scheme)
           && url.host().compare(m_mahjongHost, Qt::CaseInsensitive) == 0;
}

bool JavascriptInterface::acceptCall(const char *call) const
{
    const QUrl url = m_page ? m_page->url() : QUrl();
    if (isTrusted(url))
        return true;
    qCWarning(lcMainwindow) << "refused" << call << "from the page" << url.toDisplayString();
    return false;
}

void JavascriptInterface::displayTab(const QString &tab)
{
    if (acceptCall("displayTab"))
        emit onDisplayTab(tab);
}

void JavascriptInterface::joinTable(const QString &adress)
{
    if (acceptCall("joinTable"))
        emit onJoinTable(adress);
}

void JavascriptInterface::launchBrowser(const QString &adress)
{
    if (acceptCall("launchBrowser"))
        emit onLaunchBrowser(adress);
}

void JavascriptInterface::displayTournament(qint32 persistentId)
{
    if (acceptCall("displayTournament"))
        emit onDisplayTournament(persistentId);
}

void JavascriptInterface::close()
{
    if (acceptCall("close"))
        emit onClose();
}
