#include "mainwindow/JavascriptInterface.h"

#include "mainwindow/Logging.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>
#include <QUrl>
#include <QWebEngineNewWindowRequest>
#include <QWebChannel>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <algorithm>
#include <array>

namespace {
const QString localScheme = QStringLiteral("localwww");

QSet<QString> &trustedOrigins()
{
    static QSet<QString> origins;
    return origins;
}

QList<QPointer<JavascriptInterface>> &liveInterfaces()
{
    static QList<QPointer<JavascriptInterface>> interfaces;
    return interfaces;
}

// The origin as a page's own location.origin spells it, or an empty text
// for an address that is not https.
QString httpsOrigin(const QUrl &url)
{
    if (!url.isValid() || url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0)
        return QString();
    QString host = url.host(QUrl::EncodeUnicode).toLower();
    if (host.isEmpty())
        return QString();
    if (host.contains(QLatin1Char(':')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    const int port = url.port(443);
    return QStringLiteral("https://") + host + (port == 443 ? QString() : QLatin1Char(':') + QString::number(port));
}

QString scriptSource(const QString &name)
{
    QFile file(QStringLiteral(":/mainwindow/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        qCCritical(lcMainwindow) << "the page script" << name << "is missing";
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

// The script as a function called with values, each written as JSON, so
// that no host text can break out of it.
QString scriptCall(const QString &name, const QString &parameters, const QJsonArray &values)
{
    return QStringLiteral("(function (") + parameters + QStringLiteral(") {\n") + scriptSource(name)
           + QStringLiteral("\n}).apply(null, ")
           + QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact)) + QStringLiteral(");\n");
}

QString newToken()
{
    std::array<quint32, 4> words;
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words.data()), sizeof(words)).toHex());
}
} // namespace

// What the channel shows pages: one call that carries the token, and the
// signals a page may listen to. The interface itself is not shown, so that
// none of its slots can be reached without the token.
class BridgeGate : public QObject
{
    Q_OBJECT

public:
    explicit BridgeGate(JavascriptInterface *bridge)
        : QObject(bridge)
        , m_bridge(bridge)
    {
        connect(bridge, &JavascriptInterface::onDisplayTab, this, &BridgeGate::onDisplayTab);
        connect(bridge, &JavascriptInterface::onJoinTable, this, &BridgeGate::onJoinTable);
        connect(bridge, &JavascriptInterface::onLaunchBrowser, this, &BridgeGate::onLaunchBrowser);
        connect(bridge, &JavascriptInterface::onDisplayTournament, this, &BridgeGate::onDisplayTournament);
        connect(bridge, &JavascriptInterface::onClose, this, &BridgeGate::onClose);
        connect(bridge, &JavascriptInterface::closeEvent, this, &BridgeGate::closeEvent);
    }

signals:
    void onDisplayTab(QString tab);
    void onJoinTable(QString adress);
    void onLaunchBrowser(QString adress);
    void onDisplayTournament(qint32 persistentId);
    void onClose();
    void closeEvent();

public slots:
    void call(const QString &token, const QString &name, const QVariantList &arguments)
    {
        m_bridge->receive(token, name, arguments);
    }

private:
    JavascriptInterface *m_bridge;
};

JavascriptInterface::JavascriptInterface(QObject *parent)
    : QObject(parent)
    , m_token(newToken())
{
    liveInterfaces().append(this);
}

JavascriptInterface::~JavascriptInterface()
{
    liveInterfaces().removeAll(this);
    liveInterfaces().removeAll(nullptr);
}

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
        m_gate = new BridgeGate(this);
        m_channel->registerObject(QStringLiteral("client"), m_gate);
    }
    // Only the client's own script world has the channel: no page script
    // can write to it.
    page->setWebChannel(m_channel, QWebEngineScript::ApplicationWorld);
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

    QStringList origins = trustedOrigins().values();
    origins.sort();
    const QJsonArray trusted = QJsonArray::fromStringList(origins);
    const auto add = [&](const QString &source, QWebEngineScript::ScriptWorldId world, bool mainFrame) {
        QWebEngineScript script;
        script.setName(name);
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(world);
        script.setRunsOnSubFrames(!mainFrame);
        script.setSourceCode(source);
        scripts.insert(script);
    };
    // The client's own world first, so that its listeners come before any
    // other. Frames get neither the token nor the trusted origins.
    const QString bridgeParameters = QStringLiteral("token, trustedOrigins");
    add(scriptCall(QStringLiteral("bridge.js"), bridgeParameters, {m_token, trusted}),
        QWebEngineScript::ApplicationWorld, true);
    add(scriptCall(QStringLiteral("bridge.js"), bridgeParameters, {QJsonValue(), QJsonValue()}),
        QWebEngineScript::ApplicationWorld, false);
    // The page's world: "client" itself, which holds nothing of the bridge's.
    const QString clientParameters = QStringLiteral("mahjongHost, trustedOrigins");
    add(scriptCall(QStringLiteral("client.js"), clientParameters, {m_mahjongHost, trusted}),
        QWebEngineScript::MainWorld, true);
    add(scriptCall(QStringLiteral("client.js"), clientParameters, {QString(), QJsonValue()}),
        QWebEngineScript::MainWorld, false);
    // In a world of the client's own, which no page script reaches: a mark
    // of the main frame's document, by which the client tells whether the
    // document it asks about is the one that called.
    QWebEngineScript mark;
    mark.setName(name);
    mark.setInjectionPoint(QWebEngineScript::DocumentCreation);
    mark.setWorldId(QWebEngineScript::ApplicationWorld);
    mark.setRunsOnSubFrames(false);
    mark.setSourceCode(QStringLiteral("var mahjongDocumentMark = (function () { var w = new Uint32Array(4);"
                                      " crypto.getRandomValues(w); return Array.from(w).join('.'); })();"));
    scripts.insert(mark);
}

void JavascriptInterface::refreshAll()
{
    for (const QPointer<JavascriptInterface> &bridge : std::as_const(liveInterfaces())) {
        if (bridge)
            bridge->installScript();
    }
}

void JavascriptInterface::trustOrigin(const QUrl &url)
{
    const QString key = httpsOrigin(url);
    if (key.isEmpty() || trustedOrigins().contains(key))
        return;
    trustedOrigins().insert(key);
    refreshAll();
}

void JavascriptInterface::clearTrustedOrigins()
{
    trustedOrigins().clear();
    refreshAll();
}

bool JavascriptInterface::isTrustedUrl(const QUrl &url)
{
    if (url.scheme() == localScheme)
        return url.isValid();
    const QString key = httpsOrigin(url);
    return !key.isEmpty() && trustedOrigins().contains(key);
}

void JavascriptInterface::refuse(const QString &call, const char *why, const QUrl &url)
{
    ++m_refused;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastRefusalLog >= 1000) {
        m_lastRefusalLog = now;
        qCWarning(lcMainwindow).noquote() << "refused" << call << "from a page" << why << url.toDisplayString() << "("
                                          << m_refused << "refused so far)";
    }
}

void JavascriptInterface::receive(const QString &token, const QString &call, const QVariantList &arguments)
{
    const QUrl url = m_page ? m_page->url() : QUrl();
    // A new trusted document announces its own token with the view's; from
    // then on only its calls count, not those of the document before it.
    const bool announcing = call == QLatin1String("#document");
    const QString &expected = announcing ? m_token : m_documentToken;
    // The token says which document calls; the address that the view is on
    // (or going to) must be trusted as well.
    const bool tokenOk = !expected.isEmpty() && token.size() == expected.size() && token == expected;
    if (!tokenOk || !isTrustedUrl(url)) {
        refuse(call, tokenOk ? "while the view is on" : "that is not the service's, view on", url);
        return;
    }
    if (announcing) {
        const QString documentToken = arguments.value(0).toString();
        static const QRegularExpression form(QStringLiteral("^[0-9a-f]{32}$"));
        if (!form.match(documentToken).hasMatch())
            return;
        m_documentToken = documentToken;
        m_documentMark.clear();
        // Asked now, while the announcing document is the view's: no other
        // can run before it has committed, and announced itself.
        QPointer<JavascriptInterface> self(this);
        m_page->runJavaScript(QStringLiteral("typeof mahjongDocumentMark === 'string' ? mahjongDocumentMark : ''"),
                              QWebEngineScript::ApplicationWorld, [self, documentToken](const QVariant &mark) {
                                  if (self && self->m_documentToken == documentToken)
                                      self->m_documentMark = mark.toString();
                              });
        return;
    }
    // The page's script sends no call once its document has widened its
    // domain, but a document that got hold of its token can write to the
    // channel itself: the document is asked from a world of the client's
    // own, which no page script reaches. The answers come in order, and the
    // mark tells whether the document asked is still the one that called.
    QPointer<JavascriptInterface> self(this);
    const QString documentToken = m_documentToken;
    m_page->runJavaScript(QStringLiteral("[typeof mahjongDocumentMark === 'string' ? mahjongDocumentMark : '',"
                                         " document.domain === location.hostname]"),
                          QWebEngineScript::ApplicationWorld,
                          [self, call, arguments, url, documentToken](const QVariant &answer) {
        if (!self)
            return;
        const QVariantList values = answer.toList();
        const QString mark = values.value(0).toString();
        if (self->m_documentToken != documentToken || mark.isEmpty() || mark != self->m_documentMark)
            self->refuse(call, "that has gone, view on", url);
        else if (values.value(1).typeId() != QMetaType::Bool || !values.value(1).toBool())
            self->refuse(call, "that has widened its domain, view on", url);
        else
            self->dispatch(call, arguments.value(0));
    });
}

void JavascriptInterface::dispatch(const QString &call, const QVariant &argument)
{
    if (call == QLatin1String("launchBrowser")) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (now - m_lastLaunch < launchIntervalMs) {
            ++m_droppedLaunches;
            if (now - m_lastLaunchLog >= 1000) {
                m_lastLaunchLog = now;
                qCWarning(lcMainwindow).noquote() << "a page opens addresses too often; dropped" << argument.toString()
                                                  << "(" << m_droppedLaunches << "dropped so far)";
            }
            return;
        }
        m_lastLaunch = now;
    }
    if (call == QLatin1String("displayTab"))
        displayTab(argument.toString());
    else if (call == QLatin1String("joinTable"))
        joinTable(argument.toString());
    else if (call == QLatin1String("launchBrowser"))
        launchBrowser(argument.toString());
    else if (call == QLatin1String("displayTournament"))
        displayTournament(argument.toInt());
    else if (call == QLatin1String("close"))
        close();
}

void JavascriptInterface::displayTab(const QString &tab)
{
    emit onDisplayTab(tab);
}

void JavascriptInterface::joinTable(const QString &adress)
{
    emit onJoinTable(adress);
}

void JavascriptInterface::launchBrowser(const QString &adress)
{
    emit onLaunchBrowser(adress);
}

void JavascriptInterface::displayTournament(qint32 persistentId)
{
    emit onDisplayTournament(persistentId);
}

void JavascriptInterface::close()
{
    emit onClose();
}

BridgePage::BridgePage(QObject *parent)
    : QWebEnginePage(parent)
{
    // Asked for every new window, since createWindow() gives none; only the
    // request tells whether the player asked for it.
    connect(this, &QWebEnginePage::newWindowRequested, this, &BridgePage::onNewWindowRequested);
}

void BridgePage::warnThrottled(const QString &text)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastWarning < 1000) {
        ++m_warningsHeld;
        return;
    }
    m_lastWarning = now;
    if (m_warningsHeld > 0)
        qCWarning(lcMainwindow).noquote() << text << "(and" << m_warningsHeld << "more like it)";
    else
        qCWarning(lcMainwindow).noquote() << text;
    m_warningsHeld = 0;
}

bool BridgePage::mayNavigate(const QUrl &url, NavigationType type)
{
    // The client's own loads (server addresses and fallbacks) were vetted by
    // the caller; no page can start a typed load.
    if (type == NavigationTypeTyped)
        return true;
    return JavascriptInterface::isTrustedUrl(url);
}

bool BridgePage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // Frames get no "client"; what they show is the web engine's business.
    if (!isMainFrame || mayNavigate(url, type))
        return true;
    if (type == NavigationTypeLinkClicked) {
        qCInfo(lcMainwindow).noquote() << "a page link goes to the system browser:" << url.toDisplayString();
        handOut(url);
    } else {
        warnThrottled(QStringLiteral("refused to take a page with the client to ") + url.toDisplayString());
    }
    return false;
}

namespace {
// Stands in for a new window: its first address goes to the system browser.
class NewWindowCatcher : public QWebEnginePage
{
public:
    explicit NewWindowCatcher(BridgePage *opener)
        : QWebEnginePage(opener->profile(), opener)
        , m_opener(opener)
    {
        // A window that never navigates is dropped all the same.
        QTimer::singleShot(BridgePage::newWindowLifeMs, this, &QObject::deleteLater);
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        // A blank window may be given its address later by its opener.
        if (url.scheme() == QLatin1String("about"))
            return false;
        if (isMainFrame && !m_done && m_opener) {
            m_done = true;
            qCInfo(lcMainwindow).noquote() << "a new window goes to the system browser:" << url.toDisplayString();
            m_opener->handOut(url);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<BridgePage> m_opener;
    bool m_done = false;
};
} // namespace

void BridgePage::handOut(const QUrl &url)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastHandedOut < 1000) {
        warnThrottled(QStringLiteral("too many addresses for the system browser; dropped ") + url.toDisplayString());
        return;
    }
    m_lastHandedOut = now;
    emit externalLink(url);
}

void BridgePage::onNewWindowRequested(QWebEngineNewWindowRequest &request)
{
    // A window that a script opens on its own (in a loop, from a frame of
    // anyone's, by clicking a link itself) is no one's wish.
    if (!request.isUserInitiated()) {
        ++m_droppedWindows;
        warnThrottled(QStringLiteral("a page opened a window without a click of the player's; dropped %1 so far, on %2")
                          .arg(m_droppedWindows)
                          .arg(url().toDisplayString()));
        return;
    }
    // Each catcher is a page of the engine: a page that opens windows in a
    // loop gets no more than a few at a time, and none for the rest.
    m_newWindows.removeAll(nullptr);
    if (m_newWindows.size() >= maxNewWindows) {
        ++m_droppedWindows;
        warnThrottled(QStringLiteral("a page opens too many windows; dropped %1 so far, on %2")
                          .arg(m_droppedWindows)
                          .arg(url().toDisplayString()));
        return;
    }
    auto *catcher = new NewWindowCatcher(this);
    m_newWindows.append(catcher);
    request.openIn(catcher);
}

#include "JavascriptInterface.moc"
