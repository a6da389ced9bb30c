// The embedded web page, its "client" bridge and the browser dialog in a
// headless Qt WebEngine, against the local HTTPS test host.
#include "app/HttpsTestServer.h"
#include "app/TestCertificates.h"

#include "app/CaCertificates.h"
#include "app/ResourcePaths.h"
#include "mainwindow/CertificateVerifier.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/EmbeddedBrowser.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/JavascriptInterface.h"
#include "mainwindow/SystemBrowser.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
const QByteArray bridgePage = R"(<!DOCTYPE html>
<html><head><title>bridge</title>
<script>
var seen = [];
document.title = 'debug=' + client.isDebug + ';host=' + client.mahjongHost;
client.onDisplayTab.connect(function (tab) { seen.push(tab); });
</script></head><body>bridge</body></html>
)";

// A trusted page holding a frame of another origin that tries the channel.
QByteArray framedPage(const QUrl &frame)
{
    return "<!DOCTYPE html><html><head><title>framed</title><script>var frameRan = false;"
           "window.addEventListener('message', function (e) { if (e.data === 'frame-ran') frameRan = true; });"
           "</script></head><body><iframe src=\""
           + frame.toEncoded() + "\"></iframe></body></html>";
}

const QByteArray framePage = R"(<!DOCTYPE html>
<html><head><script>
try { client.displayTab('frame-client'); } catch (e) {}
try {
    qt.webChannelTransport.send(JSON.stringify({type: 3, id: 0}));
    qt.webChannelTransport.send(JSON.stringify({type: 6, object: 'client', method: 'displayTab', args: ['frame-raw'], id: 1}));
} catch (e) {}
parent.postMessage('frame-ran', '*');
</script></head><body>frame</body></html>
)";

// The listener asks at once: a request that outlives its page (a beacon)
// cannot rely on the page's accepted certificate.
const QByteArray closingPage = R"(<!DOCTYPE html>
<html><head><title>Account &amp; cashier</title>
<script>
if (window.client)
    client.closeEvent.connect(function () {
        var request = new XMLHttpRequest();
        request.open('GET', '/closed.png', false);
        request.send();
    });
</script></head><body>account</body></html>
)";

// A page of another origin that calls the client as fast as it can, through
// "client" when it has one and through the raw channel (with and without a
// token, by every name), and after a while does what go says with target.
QByteArray foreignPage(const QString &go, const QUrl &target)
{
    return R"(<!DOCTYPE html><html><head><title>foreign</title><script>
var rounds = 0;
function attack() {
    rounds++;
    try { if (window.client) { client.joinTable('/foreign/'); client.displayTab('foreign'); } } catch (e) {}
    try {
        var t = qt.webChannelTransport;
        t.send(JSON.stringify({type: 3, id: 0}));
        ['joinTable', 'displayTab', 'call', 'deleteLater'].forEach(function (m) {
            t.send(JSON.stringify({type: 6, object: 'client', method: m, args: ['/foreign/'], id: 1}));
        });
        t.send(JSON.stringify({type: 6, object: 'client', method: 'call', args: ['', 'joinTable', ['/foreign/']], id: 2}));
    } catch (e) {}
}
attack();
setInterval(attack, 2);
var go = ')"
           + go.toLatin1() + "', target = '" + target.toEncoded() + R"(';
setTimeout(function () {
    if (go === 'self') location.href = target;
    else if (go === 'history') history.back();
    else if (go === 'window') window.open(target);
}, 300);
</script></head><body>foreign</body></html>
)";
}

// A service page that uses the client once it has loaded.
const QByteArray trustedPage = R"(<!DOCTYPE html>
<html><head><title>trusted</title>
<script>client.joinTable('/trusted/');</script></head>
<body><a id="partner" href="PARTNER">partner</a></body></html>
)";

QVariant runJavaScript(QWebEnginePage *page, const QString &code)
{
    QVariant result;
    QEventLoop loop;
    page->runJavaScript(code, [&](const QVariant &value) {
        result = value;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

bool loadAndWait(QWebEngineView *view, const std::function<void()> &start)
{
    QSignalSpy finished(view, &QWebEngineView::loadFinished);
    start();
    return finished.wait(20000) || !finished.isEmpty();
}
} // namespace

class TestMainwindowWeb : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the system browser.
    void openedUrl(const QUrl &url) { m_opened << url; }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void bridgeInTrustedPage();
    void otherOriginRefused();
    void foreignDocumentNeverCalls_data();
    void foreignDocumentNeverCalls();
    void foreignLinksLeaveTheView();
    void onlyServerAddressesAreTrusted();
    void refusedAddressOpensNoDialog();
    void browserIconRecovers();
    void crossOriginFrameHasNoEffect();
    void localPageAndFallback();
    void refusedAddresses();
    void browserDialog();
    void browserDialogRefusesUnknownCertificate();
    void verifyChains();
    void certificateDecision_data();
    void certificateDecision();

private:
    TestCertificates m_certificates;
    std::unique_ptr<HttpsTestServer> m_server;
    std::unique_ptr<HttpsTestServer> m_rogue;
    QList<QUrl> m_opened;
    QUrl foreignUrl(const QString &path) const
    {
        return QUrl(QStringLiteral("https://127.0.0.1:%1%2").arg(m_server->port()).arg(path));
    }
    // A leaf of the client's CA for localhost that allows client
    // authentication only.
    QSslCertificate m_clientOnly;
    QSslKey m_clientOnlyKey;
};

void TestMainwindowWeb::initTestCase()
{
    QString error;
    QVERIFY2(m_certificates.create(&error), qPrintable(error));
    // Chromium must not know the test CA by itself (a store left by an older
    // run); the client trusts it as it trusts its own CAs, through Qt's
    // default configuration.
    QDir(QDir::home().filePath(QStringLiteral(".pki"))).removeRecursively();
    QVERIFY(!CertificateVerifier::verify({m_certificates.server}, QStringLiteral("localhost")));
    QCOMPARE(CaCertificates::install({m_certificates.caFile}), 1);
    // The self-signed certificate stands for a CA of the system's store:
    // trusted by Qt's default configuration, not one of the client's own.
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates({m_certificates.rogue});
    QSslConfiguration::setDefaultConfiguration(configuration);

    // A client-authentication certificate from the client's own CA.
    QTemporaryDir certDir;
    const QString caKey = QFileInfo(m_certificates.caFile).dir().filePath(QStringLiteral("ca.key"));
    QFile extensions(certDir.filePath(QStringLiteral("client.ext")));
    QVERIFY(extensions.open(QIODevice::WriteOnly));
    extensions.write("basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature,keyEncipherment\n"
                     "extendedKeyUsage=clientAuth\nsubjectAltName=DNS:localhost,IP:127.0.0.1\n");
    extensions.close();
    const auto openssl = [&](const QStringList &arguments) {
        QProcess process;
        process.setWorkingDirectory(certDir.path());
        process.start(QStringLiteral("openssl"), arguments);
        return process.waitForFinished(30000) && process.exitCode() == 0;
    };
    QVERIFY(openssl({"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost", "-keyout", "client.key", "-out",
                     "client.csr"}));
    QVERIFY(openssl({"x509", "-req", "-days", "30", "-in", "client.csr", "-CA", m_certificates.caFile, "-CAkey", caKey,
                     "-CAcreateserial", "-CAserial", certDir.filePath("ca.srl"), "-extfile", "client.ext", "-out",
                     "client.crt"}));
    QFile clientCrt(certDir.filePath(QStringLiteral("client.crt")));
    QFile clientKey(certDir.filePath(QStringLiteral("client.key")));
    QVERIFY(clientCrt.open(QIODevice::ReadOnly) && clientKey.open(QIODevice::ReadOnly));
    m_clientOnly = QSslCertificate(clientCrt.readAll());
    m_clientOnlyKey = QSslKey(clientKey.readAll(), QSsl::Rsa);
    QVERIFY(!m_clientOnly.isNull() && !m_clientOnlyKey.isNull());
    for (const char *scheme : {"http", "https", "mailto", "file", "localwww"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "openedUrl");
    // A name that reaches the trusted test host but is not in its certificate.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --host-resolver-rules=\"MAP wrong-host.test 127.0.0.1\"");

    ResourcePaths::install({});
    m_server = std::make_unique<HttpsTestServer>(m_certificates.server, m_certificates.serverKey);
    QVERIFY(m_server->listen());
    m_server->setBody(QStringLiteral("/bridge.html"), bridgePage);
    m_server->setBody(QStringLiteral("/framed.html"),
                      framedPage(QUrl(QStringLiteral("https://127.0.0.1:%1/frame.html").arg(m_server->port()))));
    m_server->setBody(QStringLiteral("/frame.html"), framePage);
    m_server->setBody(QStringLiteral("/account.html"), closingPage);
    QByteArray trusted = trustedPage;
    trusted.replace("PARTNER", foreignUrl(QStringLiteral("/partner.html")).toEncoded());
    m_server->setBody(QStringLiteral("/trusted.html"), trusted);
    m_server->setBody(QStringLiteral("/trusted.html?clientRedirectPage=DEPOSIT"), trusted);
    // A slow host: the view is on its address long before its page commits.
    m_server->setResponse(QStringLiteral("/slow-trusted.html"), HttpsTestServer::Response{200, trusted, -1, 1500});
    const QUrl slowTrusted = m_server->url(QStringLiteral("/slow-trusted.html"));
    for (const char *go : {"stay", "self", "history", "window"})
        m_server->setBody(QStringLiteral("/foreign-%1.html").arg(QLatin1String(go)),
                          foreignPage(QLatin1String(go), slowTrusted));
    m_server->setBody(QStringLiteral("/partner.html"), foreignPage(QStringLiteral("stay"), QUrl()));
    m_server->setBody(QStringLiteral("/partner.html?_Target=internal"), foreignPage(QStringLiteral("stay"), QUrl()));
    m_rogue = std::make_unique<HttpsTestServer>(m_certificates.rogue, m_certificates.rogueKey);
    QVERIFY(m_rogue->listen());
    m_rogue->setBody(QStringLiteral("/account.html"), closingPage);
}

void TestMainwindowWeb::cleanupTestCase()
{
    for (const char *scheme : {"http", "https", "mailto", "file", "localwww"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

void TestMainwindowWeb::init()
{
    JavascriptInterface::clearTrustedOrigins();
    m_opened.clear();
}

void TestMainwindowWeb::bridgeInTrustedPage()
{
    EmbeddedWebPage page;
    page.setMahjongHost(QStringLiteral("game.example\"';"));
    QVERIFY(loadAndWait(page.webView(), [&] { page.setUrl(m_server->url(QStringLiteral("/bridge.html"))); }));
    // The properties as the page read them while it loaded.
    QCOMPARE(page.webView()->title(), QStringLiteral("debug=false;host=game.example\"';"));
    QCOMPARE(runJavaScript(page.webView()->page(), QStringLiteral("client.isDebug = true; client.isDebug")),
             QVariant(false));

    // Calls reach the client, with their arguments.
    QSignalSpy tab(&page, &EmbeddedWebPage::displayTab);
    QSignalSpy join(&page, &EmbeddedWebPage::joinTable);
    QSignalSpy launch(&page, &EmbeddedWebPage::launchBrowser);
    QSignalSpy tournament(&page, &EmbeddedWebPage::displayTournament);
    runJavaScript(page.webView()->page(),
                  QStringLiteral("client.displayTab('lobby'); client.joinTable('/Practice/Riichi/4/');"
                                 "client.launchBrowser('client://help'); client.displayTournament(42);"));
    QTRY_COMPARE(tournament.size(), 1);
    QCOMPARE(tab.value(0).value(0).toString(), QStringLiteral("lobby"));
    QCOMPARE(join.value(0).value(0).toString(), QStringLiteral("/Practice/Riichi/4/"));
    QCOMPARE(launch.value(0).value(0).toString(), QStringLiteral("client://help"));
    QCOMPARE(tournament.value(0).value(0).toInt(), 42);

    // Signals reach the page's listeners.
    emit page.bridge()->onDisplayTab(QStringLiteral("from-client"));
    QTRY_COMPARE(runJavaScript(page.webView()->page(), QStringLiteral("seen.join(',')")).toString(),
                 QStringLiteral("lobby,from-client"));
}

void TestMainwindowWeb::otherOriginRefused()
{
    EmbeddedWebPage page;
    JavascriptInterface::trustOrigin(m_server->url(QStringLiteral("/")));
    // The same server under another host name is another origin, and not one
    // the game server sent: its page has no "client", and what it sends over
    // the channel itself is refused.
    const QUrl other(QStringLiteral("https://127.0.0.1:%1/bridge.html").arg(m_server->port()));
    QVERIFY(loadAndWait(page.webView(), [&] { page.webView()->setUrl(other); }));
    QCOMPARE(page.webView()->url(), other);
    QCOMPARE(runJavaScript(page.webView()->page(), QStringLiteral("typeof client")).toString(),
             QStringLiteral("undefined"));
    QSignalSpy tab(&page, &EmbeddedWebPage::displayTab);
    runJavaScript(page.webView()->page(),
                  QStringLiteral("qt.webChannelTransport.send(JSON.stringify({type: 6, object: 'client', "
                                 "method: 'call', args: ['', 'displayTab', ['lobby']], id: 1}))"));
    QTRY_VERIFY(page.bridge()->refusedCalls() > 0);
    QVERIFY(tab.isEmpty());
    QVERIFY(!page.bridge()->isTrusted(other));
    QVERIFY(page.bridge()->isTrusted(m_server->url(QStringLiteral("/any/page.html"))));
    // Plain http is never trusted, not even from the game server.
    JavascriptInterface::trustOrigin(QUrl(QStringLiteral("http://localhost/")));
    QVERIFY(!page.bridge()->isTrusted(QUrl(QStringLiteral("http://localhost/page.html"))));
}

void TestMainwindowWeb::foreignDocumentNeverCalls_data()
{
    QTest::addColumn<QString>("go");
    QTest::newRow("the client loads a trusted page") << "stay";
    QTest::newRow("the page navigates itself") << "self";
    QTest::newRow("the page goes back in history") << "history";
    QTest::newRow("the page opens a window") << "window";
}

void TestMainwindowWeb::foreignDocumentNeverCalls()
{
    QFETCH(QString, go);
    const QUrl slowTrusted = m_server->url(QStringLiteral("/slow-trusted.html"));
    JavascriptInterface::trustOrigin(slowTrusted);
    EmbeddedWebPage page;
    QSignalSpy join(&page, &EmbeddedWebPage::joinTable);
    QSignalSpy tab(&page, &EmbeddedWebPage::displayTab);
    if (go == QLatin1String("history")) {
        QVERIFY(loadAndWait(page.webView(), [&] { page.setUrl(slowTrusted); }));
        QTRY_COMPARE(join.size(), 1);
    }
    // A foreign page in the view: the client loaded an address it does not
    // trust (as a plain http page of the server would be).
    const QUrl foreign = foreignUrl(QStringLiteral("/foreign-%1.html").arg(go));
    QVERIFY(loadAndWait(page.webView(), [&] { page.webView()->setUrl(foreign); }));
    QTRY_VERIFY(page.bridge()->refusedCalls() > 0);
    if (go == QLatin1String("stay"))
        page.setUrl(slowTrusted);
    if (go == QLatin1String("window")) {
        // The new window's address goes to the system browser, not a view.
        QTRY_COMPARE_WITH_TIMEOUT(m_opened, QList<QUrl>{slowTrusted}, 10000);
        QTest::qWait(2000);
        QCOMPARE(page.webView()->url(), foreign);
    } else {
        // While the trusted page is on its way, the foreign one goes on.
        QTRY_COMPARE_WITH_TIMEOUT(page.webView()->url(), slowTrusted, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(page.webView()->title(), QStringLiteral("trusted"), 10000);
        QTest::qWait(300);
        QVERIFY(m_opened.isEmpty());
    }
    QStringList joined;
    for (const QList<QVariant> &call : std::as_const(join))
        joined << call.value(0).toString();
    QVERIFY2(!joined.contains(QStringLiteral("/foreign/")), qPrintable(joined.join(QLatin1Char(' '))));
    QVERIFY(tab.isEmpty());
    // The trusted page that followed still reaches the client.
    if (go != QLatin1String("window"))
        QVERIFY(joined.contains(QStringLiteral("/trusted/")));
}

void TestMainwindowWeb::foreignLinksLeaveTheView()
{
    const QUrl trusted = m_server->url(QStringLiteral("/trusted.html"));
    const QUrl partner = foreignUrl(QStringLiteral("/partner.html"));
    EmbeddedWebPage page;
    QVERIFY(loadAndWait(page.webView(), [&] { page.setUrl(trusted); }));
    // A link to another origin opens in the system browser; the view stays.
    runJavaScript(page.webView()->page(), QStringLiteral("document.getElementById('partner').click()"));
    QTRY_COMPARE(m_opened, QList<QUrl>{partner});
    // A page cannot flood the system browser: one address a second.
    const QString navigate = QStringLiteral("location.href = '%1'").arg(partner.toString());
    runJavaScript(page.webView()->page(), navigate);
    QTest::qWait(500);
    QCOMPARE(m_opened.size(), 1);
    QTest::qWait(600);
    runJavaScript(page.webView()->page(), navigate);
    QTRY_COMPARE(m_opened.size(), 2);
    QTest::qWait(500);
    QCOMPARE(page.webView()->url(), trusted);
    QCOMPARE(m_server->requestCount(QStringLiteral("/partner.html")), 0);
}

void TestMainwindowWeb::onlyServerAddressesAreTrusted()
{
    MainWindow window(QStringLiteral("127.0.0.1"), 1, QString(), QString(), false, QStringLiteral("web.example"),
                      nullptr);
    window.resize(1024, 768);
    // Neither the web host nor the game host is trusted by name, least of
    // all over http.
    for (const char *address : {"http://web.example/", "https://web.example/", "http://127.0.0.1/"})
        QVERIFY(!JavascriptInterface::isTrustedUrl(QUrl(QLatin1String(address))));

    // The account page the server sent opens in the browser dialog, trusted.
    const QUrl account = m_server->url(QStringLiteral("/trusted.html"));
    window.onWebPage(WebPageRequest::Account, account.toString());
    EmbeddedBrowser *browser = window.findChild<EmbeddedBrowser *>();
    QVERIFY(browser);
    QTRY_COMPARE_WITH_TIMEOUT(browser->webView()->title(), QStringLiteral("trusted"), 20000);
    QVERIFY(JavascriptInterface::isTrustedUrl(account));

    // The partner page it hands over for the dialog is shown, never trusted.
    const QUrl partner = foreignUrl(QStringLiteral("/partner.html?_Target=internal"));
    runJavaScript(browser->webView()->page(), QStringLiteral("client.launchBrowser('%1')").arg(partner.toString()));
    QTRY_COMPARE_WITH_TIMEOUT(browser->webView()->url(), partner, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(browser->webView()->title(), QStringLiteral("foreign"), 20000);
    QVERIFY(!JavascriptInterface::isTrustedUrl(partner));
    QCOMPARE(runJavaScript(browser->webView()->page(), QStringLiteral("typeof client")).toString(),
             QStringLiteral("undefined"));
    QTRY_VERIFY(browser->bridge()->refusedCalls() > 0);

    // A fresh page of the partner is no better off.
    EmbeddedWebPage page;
    QVERIFY(loadAndWait(page.webView(), [&] { page.webView()->setUrl(partner); }));
    QCOMPARE(runJavaScript(page.webView()->page(), QStringLiteral("typeof client")).toString(),
             QStringLiteral("undefined"));
}

void TestMainwindowWeb::refusedAddressOpensNoDialog()
{
    MainWindow window(QStringLiteral("127.0.0.1"), 1, QString(), QString(), false, QStringLiteral("web.example"),
                      nullptr);
    const struct
    {
        WebPageRequest::enum_t page;
        const char *url;
    } cases[] = {
        {WebPageRequest::Account, "javascript:alert(1)"},
        {WebPageRequest::Account, "data:text/html,account"},
        {WebPageRequest::Account, "file:///etc/passwd"},
        {WebPageRequest::Support, "file:///etc/passwd?_Target=internal"},
        {WebPageRequest::Help, "localwww:/welcome.html?_Target=internal"},
    };
    for (const auto &c : cases) {
        window.onWebPage(c.page, QLatin1String(c.url));
        QVERIFY2(!window.findChild<EmbeddedBrowser *>(), c.url);
    }
    QVERIFY(m_opened.isEmpty());
}

void TestMainwindowWeb::browserIconRecovers()
{
    QWidget window;
    window.resize(1024, 768);
    EmbeddedBrowser browser(&window);
    JavascriptInterface::trustOrigin(m_server->url(QStringLiteral("/")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("refused the certificate")));
    QVERIFY(loadAndWait(browser.webView(), [&] { browser.load(m_rogue->url(QStringLiteral("/account.html"))); }));
    QVERIFY(!browser.showsSecure());
    // A good page after a failed one is secure again.
    QVERIFY(loadAndWait(browser.webView(), [&] { browser.load(m_server->url(QStringLiteral("/account.html"))); }));
    QVERIFY(browser.showsSecure());
    QCOMPARE(browser.findChild<QLabel *>(QStringLiteral("encryptedIcon"))->toolTip(),
             QStringLiteral("Secure connection"));
}

void TestMainwindowWeb::crossOriginFrameHasNoEffect()
{
    EmbeddedWebPage page;
    QSignalSpy tab(&page, &EmbeddedWebPage::displayTab);
    QVERIFY(loadAndWait(page.webView(), [&] { page.setUrl(m_server->url(QStringLiteral("/framed.html"))); }));
    QTRY_VERIFY_WITH_TIMEOUT(runJavaScript(page.webView()->page(), QStringLiteral("frameRan")).toBool(), 20000);
    QCOMPARE(m_server->requestCount(QStringLiteral("/frame.html")), 1);
    QTest::qWait(500);
    QVERIFY(tab.isEmpty());
    // The main frame itself still may.
    runJavaScript(page.webView()->page(), QStringLiteral("client.displayTab('main')"));
    QTRY_COMPARE(tab.size(), 1);
    QCOMPARE(tab.at(0).at(0).toString(), QStringLiteral("main"));
}

void TestMainwindowWeb::localPageAndFallback()
{
    EmbeddedWebPage page;
    QSignalSpy tab(&page, &EmbeddedWebPage::displayTab);
    QVERIFY(loadAndWait(page.webView(), [&] { page.setUrl(QUrl(QStringLiteral("localwww:/welcome.html"))); }));
    QCOMPARE(page.webView()->title(), QStringLiteral("Welcome"));
    // The client's own pages are trusted and use the page functions.
    runJavaScript(page.webView()->page(), QStringLiteral("welcome.lobby()"));
    QTRY_COMPARE(tab.size(), 1);
    QCOMPARE(tab.at(0).at(0).toString(), QStringLiteral("lobby"));

    // A load that fails shows the fallback once; a failing fallback stays.
    page.setFallbackUrl(QUrl(QStringLiteral("localwww:/offline.html")));
    QSignalSpy finished(page.webView(), &QWebEngineView::loadFinished);
    page.setUrl(QUrl(QStringLiteral("https://localhost:1/welcome.html")));
    QTRY_COMPARE_WITH_TIMEOUT(page.webView()->url(), QUrl(QStringLiteral("localwww:/offline.html")), 20000);
    QTRY_COMPARE(finished.size(), 2);
    QVERIFY(finished.at(1).at(0).toBool());

    page.setFallbackUrl(QUrl(QStringLiteral("localwww:/missing.html")));
    finished.clear();
    page.setUrl(QUrl(QStringLiteral("localwww:/missing.html")));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 20000);
    QTest::qWait(500);
    QCOMPARE(finished.size(), 1);
    QVERIFY(!finished.at(0).at(0).toBool());

    // A refused certificate is a failed load: the fallback shows.
    page.setFallbackUrl(QUrl(QStringLiteral("localwww:/error.html")));
    page.setUrl(m_rogue->url(QStringLiteral("/account.html")));
    QTRY_COMPARE_WITH_TIMEOUT(page.webView()->url(), QUrl(QStringLiteral("localwww:/error.html")), 20000);
    QCOMPARE(m_rogue->requestCount(QStringLiteral("/account.html")), 0);
}

void TestMainwindowWeb::refusedAddresses()
{
    const struct
    {
        const char *url;
        bool page;
        bool browser;
        bool system;
    } cases[] = {
        {"https://localhost/a.html", true, true, true},
        {"http://localhost/a.html", true, true, true},
        {"mailto:help@example.com", false, false, true},
        {"localwww:/welcome.html", true, false, false},
        {"about:blank", true, false, false},
        {"file:///etc/passwd", false, false, false},
        {"javascript:alert(1)", false, false, false},
        {"client://help", false, false, false},
        {"data:text/html,x", false, false, false},
        {"smb://host/share", false, false, false},
    };
    for (const auto &c : cases) {
        const QUrl url(QString::fromLatin1(c.url));
        QCOMPARE(EmbeddedWebPage::isLoadableUrl(url), c.page);
        QCOMPARE(EmbeddedBrowser::isLoadableUrl(url), c.browser);
        m_opened.clear();
        if (!c.system)
            QTest::ignoreMessage(
                QtWarningMsg, QRegularExpression(QStringLiteral("refused to open the address in the system browser")));
        QCOMPARE(SystemBrowser::open(url), c.system);
        QCOMPARE(m_opened, c.system ? QList<QUrl>{url} : QList<QUrl>{});
    }
    EmbeddedWebPage page;
    page.setFallbackUrl(QUrl(QStringLiteral("localwww:/error.html")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("refused to show the address")));
    QVERIFY(loadAndWait(page.webView(), [&] { page.setUrl(QUrl(QStringLiteral("file:///etc/passwd"))); }));
    QCOMPARE(page.webView()->url(), QUrl(QStringLiteral("localwww:/error.html")));
    // A refused address never becomes trusted.
    QVERIFY(!page.bridge()->isTrusted(QUrl(QStringLiteral("file:///etc/passwd"))));
}

void TestMainwindowWeb::browserDialog()
{
    QWidget window;
    window.resize(1024, 768);
    window.show();
    QPointer<EmbeddedBrowser> browser = new EmbeddedBrowser(&window);
    browser->setAttribute(Qt::WA_DeleteOnClose);
    auto *icon = browser->findChild<QLabel *>(QStringLiteral("encryptedIcon"));
    QVERIFY(icon);
    QVERIFY(!browser->showsSecure());
    QCOMPARE(icon->toolTip(), QStringLiteral("Insecure connection"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("refused to open the address")));
    QVERIFY(!browser->load(QUrl(QStringLiteral("localwww:/welcome.html"))));

    JavascriptInterface::trustOrigin(m_server->url(QStringLiteral("/")));
    QSignalSpy launch(browser.data(), &EmbeddedBrowser::launchBrowser);
    QVERIFY(loadAndWait(browser->webView(),
                        [&] { QVERIFY(browser->load(m_server->url(QStringLiteral("/account.html")))); }));
    browser->showDialog(true);
    QTRY_COMPARE(browser->windowTitle(), QStringLiteral("Account & cashier"));
    QVERIFY(browser->showsSecure());
    QCOMPARE(icon->toolTip(), QStringLiteral("Secure connection"));
    QVERIFY(!browser->findChild<QWidget *>(QStringLiteral("progressBar"))->isVisible());

    // The page may open addresses and close its dialog, telling its own
    // listeners first.
    runJavaScript(browser->webView()->page(), QStringLiteral("client.launchBrowser('client://my-account/withdraw');"));
    QTRY_COMPARE(launch.size(), 1);
    QCOMPARE(launch.at(0).at(0).toString(), QStringLiteral("client://my-account/withdraw"));
    QSignalSpy closing(browser->bridge(), &JavascriptInterface::closeEvent);
    runJavaScript(browser->webView()->page(), QStringLiteral("client.close()"));
    QTRY_VERIFY(browser.isNull());
    QCOMPARE(closing.size(), 1);
    QTRY_COMPARE(m_server->requestCount(QStringLiteral("/closed.png")), 1);
}

void TestMainwindowWeb::browserDialogRefusesUnknownCertificate()
{
    QWidget window;
    window.resize(1024, 768);
    EmbeddedBrowser browser(&window);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("refused the certificate")));
    QVERIFY(loadAndWait(browser.webView(), [&] { browser.load(m_rogue->url(QStringLiteral("/account.html"))); }));
    QVERIFY(!browser.showsSecure());
    QCOMPARE(m_rogue->requestCount(QStringLiteral("/account.html")), 0);
}

void TestMainwindowWeb::verifyChains()
{
    const QSslCertificate &server = m_certificates.server;
    const struct
    {
        QList<QSslCertificate> chain;
        const char *host;
        bool trusted;
    } cases[] = {
        {{server}, "localhost", true},
        {{server}, "127.0.0.1", true},
        {{server, m_certificates.ca}, "LOCALHOST", true},
        {{server}, "wrong-host.test", false},
        {{server}, "", false},
        // Trusted by the default configuration, as the system's CAs are.
        {{m_certificates.rogue}, "localhost", false},
        {{m_certificates.ca}, "localhost", false},
        {{m_clientOnly}, "localhost", false},
        {{m_clientOnly, m_certificates.ca}, "localhost", false},
        {{}, "localhost", false},
        {{QSslCertificate()}, "localhost", false},
    };
    for (const auto &c : cases) {
        QString reason;
        QCOMPARE(CertificateVerifier::verify(c.chain, QLatin1String(c.host), &reason), c.trusted);
        QCOMPARE(reason.isEmpty(), c.trusted);
    }
}

void TestMainwindowWeb::certificateDecision_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("trusted CA") << "ours"
                                << "localhost" << true;
    QTest::newRow("trusted CA, address") << "ours"
                                         << "127.0.0.1" << true;
    QTest::newRow("wrong host") << "ours"
                                << "wrong-host.test" << false;
    QTest::newRow("system CA only") << "rogue"
                                    << "localhost" << false;
    QTest::newRow("client authentication only") << "client"
                                                << "localhost" << false;
}

void TestMainwindowWeb::certificateDecision()
{
    QFETCH(QString, server);
    QFETCH(QString, host);
    QFETCH(bool, accepted);
    HttpsTestServer clientOnlyServer(m_clientOnly, m_clientOnlyKey);
    QVERIFY(clientOnlyServer.listen());
    HttpsTestServer &https = server == QLatin1String("rogue")    ? *m_rogue
                             : server == QLatin1String("client") ? clientOnlyServer
                                                                 : *m_server;
    QUrl url = https.url(QStringLiteral("/decided.html"));
    url.setHost(host);
    https.setBody(url.path(), "<!DOCTYPE html><html><head><title>decided</title></head><body>decided</body></html>");
    const int before = https.requestCount(url.path());
    const QUrl fallback(QStringLiteral("localwww:/error.html"));
    if (!accepted)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("refused the certificate of")));

    EmbeddedWebPage page;
    page.setFallbackUrl(fallback);
    page.setUrl(url);
    QTRY_COMPARE_WITH_TIMEOUT(page.webView()->url(), accepted ? url : fallback, 20000);
    const QString title = accepted ? QStringLiteral("decided") : QStringLiteral("Page not available");
    QTRY_COMPARE_WITH_TIMEOUT(page.webView()->title(), title, 20000);
    QCOMPARE(https.requestCount(url.path()) - before, accepted ? 1 : 0);

    QWidget window;
    EmbeddedBrowser browser(&window);
    if (!accepted)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("refused the certificate of")));
    QVERIFY(loadAndWait(browser.webView(), [&] { browser.load(url); }));
    QCOMPARE(browser.showsSecure(), accepted);
}

QTEST_MAIN(TestMainwindowWeb)
#include "tst_mainwindow_web.moc"
