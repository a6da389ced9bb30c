#include "mainwindow/EmbeddedWebPage.h"

#include "mainwindow/CertificateVerifier.h"
#include "mainwindow/JavascriptInterface.h"
#include "mainwindow/LocalPageSchemeHandler.h"
#include "mainwindow/Logging.h"
#include "mainwindow/SystemBrowser.h"

#include "ui_EmbeddedView.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWebEngineCertificateError>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

EmbeddedWebPage::EmbeddedWebPage(QWidget *parent)
    : QFrame(parent)
    , m_bridge(new JavascriptInterface(this))
    , m_ui(std::make_unique<Ui::EmbeddedView>())
{
    CertificateVerifier::shareWithEngine();
    LocalPageSchemeHandler::installOn(QWebEngineProfile::defaultProfile());
    m_ui->setupUi(this);
    auto *page = new BridgePage(m_ui->webView);
    m_ui->webView->setPage(page);
    // A failed load shows the fallback, not the engine's error page in
    // between (in the engine's language, not the player's).
    page->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    connect(page, &BridgePage::externalLink, this, [](const QUrl &url) { SystemBrowser::open(url); });
    // The header keeps its own height; the page gets the rest.
    m_ui->vboxLayout->setStretchFactor(m_ui->webView, 1);
    m_bridge->attachTo(page);
    connect(m_ui->webView, &QWebEngineView::loadFinished, this, &EmbeddedWebPage::onLoadFinished);
    // A refused certificate fails the load, which shows the fallback.
    connect(m_ui->webView->page(), &QWebEnginePage::certificateError, this,
            [](const QWebEngineCertificateError &error) { CertificateVerifier::decide(error); });
    connect(m_bridge, &JavascriptInterface::onJoinTable, this, &EmbeddedWebPage::joinTable);
    connect(m_bridge, &JavascriptInterface::onDisplayTab, this, &EmbeddedWebPage::displayTab);
    connect(m_bridge, &JavascriptInterface::onLaunchBrowser, this, &EmbeddedWebPage::launchBrowser);
    connect(m_bridge, &JavascriptInterface::onDisplayTournament, this, &EmbeddedWebPage::displayTournament);

    // Pages without a background of their own show the frame's.
    m_ui->webView->page()->setBackgroundColor(Qt::transparent);
    QPalette palette = m_ui->webView->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(Qt::transparent));
    palette.setBrush(QPalette::All, QPalette::Base, QBrush(Qt::transparent));
    m_ui->webView->setPalette(palette);
    m_ui->webView->setAttribute(Qt::WA_OpaquePaintEvent, false);
}

EmbeddedWebPage::~EmbeddedWebPage() = default;

bool EmbeddedWebPage::isLoadableUrl(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid()
           && (scheme == QLatin1String("http") || scheme == QLatin1String("https")
               || scheme == QLatin1String(LocalPageSchemeHandler::scheme)
               || url == QUrl(QStringLiteral("about:blank")));
}

void EmbeddedWebPage::setUrl(const QUrl &url)
{
    m_requestedUrl = url;
    m_fallbackShown = false;
    if (!isLoadableUrl(url)) {
        qCWarning(lcMainwindow) << "refused to show the address" << url.toDisplayString();
        onError();
        return;
    }
    const int load = ++m_loads;
    CertificateVerifier::checkServer(url, this, [this, url, load](bool accepted) {
        if (load != m_loads)
            return;
        if (!accepted) {
            onError();
            return;
        }
        JavascriptInterface::trustOrigin(url);
        m_ui->webView->setUrl(url);
    });
}

void EmbeddedWebPage::setMahjongHost(const QString &host)
{
    m_bridge->setMahjongHost(host);
}

void EmbeddedWebPage::setTopFrameHidden(bool hidden)
{
    m_ui->embeddedTopFrame->setHidden(hidden);
}

QLabel *EmbeddedWebPage::titleLabel() const
{
    return m_ui->title;
}

QLabel *EmbeddedWebPage::subTitleLabel() const
{
    return m_ui->subTitle;
}

QWebEngineView *EmbeddedWebPage::webView() const
{
    return m_ui->webView;
}

void EmbeddedWebPage::onLoadFinished(bool ok)
{
    if (!ok) {
        QTimer::singleShot(0, this, &EmbeddedWebPage::onError);
        return;
    }
    if (m_ui->webView->url() != m_fallbackUrl)
        m_fallbackShown = false;
    if (isVisible())
        repaintView();
}

void EmbeddedWebPage::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    repaintView();
}

void EmbeddedWebPage::repaintView()
{
    // Qt 6.4 leaves a view with a transparent page empty when it is first
    // shown, or gets its first page while shown, until it is hidden and
    // shown again; the first frame comes some time after either, and no
    // signal tells when. Hiding and showing a shown view costs nothing.
    for (const int delay : {300, 1500}) {
        QTimer::singleShot(delay, m_ui->webView, [view = m_ui->webView] {
            if (!view->isVisible())
                return;
            const bool focused = view->isAncestorOf(QApplication::focusWidget());
            view->hide();
            view->show();
            if (focused)
                view->setFocus();
        });
    }
}

void EmbeddedWebPage::onError()
{
    // A failing fallback is not loaded again and again: the view's address
    // cannot tell, since after a failed load it is the last page shown. The
    // fallback is the client's own choice: it is not trusted for being loaded.
    if (m_fallbackShown || !m_fallbackUrl.isValid() || m_fallbackUrl == m_requestedUrl || !isLoadableUrl(m_fallbackUrl))
        return;
    m_fallbackShown = true;
    m_ui->webView->setUrl(m_fallbackUrl);
}

void EmbeddedWebPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->webView->setLocale(QLocale());
        // The next requests ask for pages in the new language.
        m_ui->webView->page()->profile()->setHttpAcceptLanguage(QLocale().bcp47Name());
    }
    QFrame::changeEvent(event);
}
