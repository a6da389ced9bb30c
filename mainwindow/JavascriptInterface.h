#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QUrl;
class QWebChannel;
class QWebEnginePage;

// The object that embedded pages see as "client": a page can switch the
// client's tab, open a table, a tournament or an address, or close its
// window. Each call becomes the signal of the same meaning, but only for the
// service's own pages: the origin of the page's main frame is checked when
// the call arrives, since the channel outlives navigations.
class JavascriptInterface : public QObject
{
    Q_OBJECT
    // Pages read both at once, from the script that defines "client" (the
    // channel only answers later); a new host applies to the next page.
    Q_PROPERTY(bool isDebug READ isDebug CONSTANT)
    Q_PROPERTY(QString mahjongHost READ mahjongHost CONSTANT)

public:
    explicit JavascriptInterface(QObject *parent = nullptr);
    ~JavascriptInterface() override;

    bool isDebug() const { return false; }
    QString mahjongHost() const { return m_mahjongHost; }
    // The game server's host: its http and https pages are trusted.
    void setMahjongHost(const QString &host);

    // Makes this object the page's "client" from the next load on.
    void attachTo(QWebEnginePage *page);

    // Trusts http and https on the default ports of host (the web host).
    static void trustHost(const QString &host);
    // Trusts the scheme, host and port of url (an address the game server
    // sent as a web page).
    static void trustOrigin(const QUrl &url);
    // Forgets every trusted origin (tests).
    static void clearTrustedOrigins();
    // Whether a page at url may make the client act.
    bool isTrusted(const QUrl &url) const;

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
    bool acceptCall(const char *call) const;
    void installScript();

    QString m_mahjongHost;
    QPointer<QWebEnginePage> m_page;
    QWebChannel *m_channel = nullptr;
};
