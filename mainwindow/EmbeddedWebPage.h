#pragma once

#include <QFrame>
#include <QUrl>

#include <memory>

class JavascriptInterface;
class QLabel;
class QWebEngineView;

namespace Ui {
class EmbeddedView;
}

// A web page inside a tab or the lobby's side panel: an optional title bar
// over a web view whose pages see the object "client". A page that fails to
// load is replaced once by the fallback address.
class EmbeddedWebPage : public QFrame
{
    Q_OBJECT

public:
    explicit EmbeddedWebPage(QWidget *parent = nullptr);
    ~EmbeddedWebPage() override;

    // Loads an address that the game server sent, once its host's
    // certificate passed CertificateVerifier::checkServer (else the fallback
    // shows): its https origin becomes trusted.
    // Only http, https, "localwww:" and about: addresses are loaded; anything
    // else is refused and the fallback shown.
    void setUrl(const QUrl &url);
    void setFallbackUrl(const QUrl &url) { m_fallbackUrl = url; }
    QUrl fallbackUrl() const { return m_fallbackUrl; }
    void setMahjongHost(const QString &host);
    void setTopFrameHidden(bool hidden);

    QLabel *titleLabel() const;
    QLabel *subTitleLabel() const;
    QWebEngineView *webView() const;
    JavascriptInterface *bridge() const { return m_bridge; }

    // Whether an address may be shown in a page that carries the bridge.
    static bool isLoadableUrl(const QUrl &url);

signals:
    void displayTab(QString tab);
    void joinTable(QString adress);
    void launchBrowser(QString adress);
    void displayTournament(qint32 persistentId);

private slots:
    void onLoadFinished(bool ok);
    void onError();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void repaintView();

    JavascriptInterface *m_bridge;
    QUrl m_fallbackUrl;
    // The address last given to setUrl, and whether its fallback was shown.
    QUrl m_requestedUrl;
    bool m_fallbackShown = false;
    // Counts setUrl calls: a host's certificate verdict that comes after
    // the next call loads nothing.
    int m_loads = 0;
    std::unique_ptr<Ui::EmbeddedView> m_ui;
};
