#pragma once

#include "widgets/MahjongDialog.h"

#include <QUrl>

#include <memory>

class JavascriptInterface;
class QWebEngineCertificateError;
class QWebEngineView;

namespace Ui {
class EmbeddedBrowser;
}

// The small in-window browser for the service's pages that the client shows
// itself (account, help, rules). The page's title is the dialog's, an icon
// says whether the connection is secure, and the page's "client" may close
// the dialog or open an address.
class EmbeddedBrowser : public MahjongDialog
{
    Q_OBJECT

public:
    explicit EmbeddedBrowser(QWidget *parent = nullptr);
    ~EmbeddedBrowser() override;

    // Loads an http or https address once its host's certificate passed
    // CertificateVerifier::checkServer (else about:blank, insecure); any
    // other address is refused (false).
    bool load(const QUrl &url);
    static bool isLoadableUrl(const QUrl &url);

    QWebEngineView *webView() const;
    JavascriptInterface *bridge() const { return m_bridge; }
    // Whether the icon shows a secure connection.
    bool showsSecure() const { return m_secure; }

    // Longest wait for the page to hear that its dialog closes.
    static constexpr int closeGraceMs = 500;

signals:
    void launchBrowser(QString adress);

private slots:
    void onTitleChanged(const QString &title);
    void onLoadProgress(int progress);
    void onUrlChanged(const QUrl &url);
    void onLoadStarted();
    void onLoadFinished(bool ok);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void onCertificateError(const QWebEngineCertificateError &error);
    void updateIcon();

    JavascriptInterface *m_bridge;
    std::unique_ptr<Ui::EmbeddedBrowser> m_ui;
    // A failed load or a refused certificate makes the page insecure until
    // the next load starts.
    bool m_loadFailed = false;
    bool m_secure = false;
    // Counts load calls: a host's certificate verdict that comes after the
    // next call loads nothing.
    int m_loads = 0;
    // Closing waits for the page to have heard of it.
    bool m_closing = false;
    bool m_closed = false;
};
