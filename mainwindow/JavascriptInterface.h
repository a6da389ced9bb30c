#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QWebEnginePage>

class QUrl;
class QWebChannel;
class QWebEngineNewWindowRequest;

// The object that embedded pages see as "client": a page can switch the
// client's tab, open a table, a tournament or an address, or close its
// window. Each call becomes the signal of the same meaning, but only for the
// service's own documents.
//
// The page's "client" holds nothing of the bridge's: it hands each call to a
// script world of the client's own, which alone has the channel and which
// no page script can reach. That world watches the page's frames (no
// document of the page's origin may widen its domain, see bridge.js) and
// sends the call on with its document's token.
//
// The view's address cannot tell who calls: it changes as soon as a load
// starts, while the old document runs on until the new one commits. So each
// call carries a token: the client's world of every new main-frame document
// gets the view's token only when the document's own origin is trusted, and
// with it announces a token of the document's own, which its calls carry.
// Calls without the current document's token, while the view is not on a
// trusted address, or from a document that has widened its domain, are
// refused.
class JavascriptInterface : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isDebug READ isDebug CONSTANT)
    Q_PROPERTY(QString mahjongHost READ mahjongHost CONSTANT)

public:
    explicit JavascriptInterface(QObject *parent = nullptr);
    ~JavascriptInterface() override;

    bool isDebug() const { return false; }
    QString mahjongHost() const { return m_mahjongHost; }
    void setMahjongHost(const QString &host);

    // Makes this object the page's "client" from the next document on.
    void attachTo(QWebEnginePage *page);

    // Trusts the https origin of an address the game server sent as a web
    // page; other schemes are never trusted.
    static void trustOrigin(const QUrl &url);
    // Forgets every trusted origin (tests).
    static void clearTrustedOrigins();
    // Whether a document at url may make the client act: the client's own
    // pages and the trusted https origins.
    static bool isTrustedUrl(const QUrl &url);
    bool isTrusted(const QUrl &url) const { return isTrustedUrl(url); }

    // Calls refused so far (they are logged at most once a second).
    int refusedCalls() const { return m_refused; }
    // Addresses a page may open through client.launchBrowser: one a second,
    // so that no page can flood the player with browsers or message boxes.
    static constexpr int launchIntervalMs = 1000;
    int droppedLaunches() const { return m_droppedLaunches; }
    // The token of the document whose calls count now (tests).
    QString documentToken() const { return m_documentToken; }

    static constexpr const char *scriptName = "mahjong-client-bridge";

signals:
    void onDisplayTab(QString tab);
    void onJoinTable(QString adress);
    void onLaunchBrowser(QString adress);
    void onDisplayTournament(qint32 persistentId);
    void onClose();
    void closeEvent();

public slots:
    void displayTab(const QString &tab);
    void joinTable(const QString &adress);
    void launchBrowser(const QString &adress);
    void displayTournament(qint32 persistentId);
    void close();

private:
    friend class BridgeGate;
    // A call that arrived over the channel.
    void receive(const QString &token, const QString &call, const QVariantList &arguments);
    // Acts on a call that passed every check.
    void dispatch(const QString &call, const QVariant &argument);
    // Counts and logs (at most once a second) a refused call.
    void refuse(const QString &call, const char *why, const QUrl &url);
    void installScript();
    static void refreshAll();

    QString m_mahjongHost;
    QString m_token;
    QString m_documentToken;
    // The mark that the client's own world gave that document.
    QString m_documentMark;
    QPointer<QWebEnginePage> m_page;
    QWebChannel *m_channel = nullptr;
    QObject *m_gate = nullptr;
    int m_refused = 0;
    qint64 m_lastRefusalLog = 0;
    qint64 m_lastLaunch = 0;
    int m_droppedLaunches = 0;
    qint64 m_lastLaunchLog = 0;
};

// The page of a view that carries the bridge. Its main frame goes only to
// the service's own documents: the client's own loads, trusted addresses and
// about:blank. A link (or a redirect, or a new window) to any other address
// goes to the system browser instead, so no foreign document ever runs in
// the view unless the client itself loaded it.
class BridgePage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit BridgePage(QObject *parent = nullptr);

    // Whether the main frame may go to url by a navigation of that type.
    static bool mayNavigate(const QUrl &url, NavigationType type);
    // Hands url on through externalLink, at most once a second, so that no
    // page can flood the system browser.
    void handOut(const QUrl &url);

    // New windows that wait for their first address at the same time; a
    // window that gets none is dropped after newWindowLifeMs.
    static constexpr int maxNewWindows = 4;
    static constexpr int newWindowLifeMs = 10000;
    // New windows refused so far: opened by a script on its own, or too many.
    int droppedWindows() const { return m_droppedWindows; }

signals:
    // An address a page wanted in the view or a new window, not shown here.
    void externalLink(QUrl url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    // Only a window the player asked for (a click, a key) opens, and its
    // address goes to the system browser.
    void onNewWindowRequested(QWebEngineNewWindowRequest &request);
    // Logs at most once a second, whatever a page does in a loop.
    void warnThrottled(const QString &text);

    qint64 m_lastHandedOut = 0;
    QList<QPointer<QWebEnginePage>> m_newWindows;
    int m_droppedWindows = 0;
    qint64 m_lastWarning = 0;
    int m_warningsHeld = 0;
};
