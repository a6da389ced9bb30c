#include "mainwindow/EmbeddedBrowser.h"

#include "mainwindow/CertificateVerifier.h"
#include "mainwindow/JavascriptInterface.h"
#include "mainwindow/LocalPageSchemeHandler.h"
#include "mainwindow/Logging.h"
#include "mainwindow/SystemBrowser.h"

#include "ui_EmbeddedBrowser.h"

#include <QCloseEvent>
#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <QWebEngineCertificateError>
#include <QWebEngineProfile>
#include <QWebEngineView>

EmbeddedBrowser::EmbeddedBrowser(QWidget *parent)
    : MahjongDialog(parent, MahjongDialog::ShowCloseButton)
    , m_bridge(new JavascriptInterface(this))
    , m_ui(std::make_unique<Ui::EmbeddedBrowser>())
{
    CertificateVerifier::shareWithEngine();
    LocalPageSchemeHandler::installOn(QWebEngineProfile::defaultProfile());
    auto *content = new QFrame;
    m_ui->setupUi(content);
    setWidget(content);
    setWindowTitle(QString());

    QWebEngineView *view = m_ui->webView;
    auto *page = new BridgePage(view);
    view->setPage(page);
    connect(page, &BridgePage::externalLink, this, [](const QUrl &url) { SystemBrowser::open(url); });
    connect(view, &QWebEngineView::titleChanged, this, &EmbeddedBrowser::onTitleChanged);
    connect(view, &QWebEngineView::loadProgress, this, &EmbeddedBrowser::onLoadProgress);
    connect(view, &QWebEngineView::loadStarted, this, &EmbeddedBrowser::onLoadStarted);
    connect(view, &QWebEngineView::loadFinished, this, &EmbeddedBrowser::onLoadFinished);
    connect(view, &QWebEngineView::urlChanged, this, &EmbeddedBrowser::onUrlChanged);
    connect(view->page(), &QWebEnginePage::certificateError, this, &EmbeddedBrowser::onCertificateError);
    connect(m_bridge, &JavascriptInterface::onClose, this, &QWidget::close);
    connect(m_bridge, &JavascriptInterface::onLaunchBrowser, this, &EmbeddedBrowser::launchBrowser);
    m_bridge->attachTo(page);

    // Escape closes it, as it does a dialog, wherever the focus is inside.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    m_ui->url->hide();
    m_ui->bottomFrameLayout->insertStretch(0);
    m_ui->progressBar->hide();
    updateIcon();
    // Not in a layout of its parent: take the size of the fixed-size page.
    adjustSize();
}

EmbeddedBrowser::~EmbeddedBrowser() = default;

bool EmbeddedBrowser::isLoadableUrl(const QUrl &url)
{
    // This view carries the bridge: no local files, no script addresses.
    return url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

bool EmbeddedBrowser::load(const QUrl &url)
{
    if (!isLoadableUrl(url)) {
        qCWarning(lcMainwindow) << "refused to open the address in the browser dialog:" << url.toDisplayString();
        return false;
    }
    m_ui->url->setText(url.toString());
    const int load = ++m_loads;
    CertificateVerifier::checkServer(url, this, [this, url, load](bool accepted) {
        if (load != m_loads)
            return;
        if (accepted) {
            m_ui->webView->setUrl(url);
            return;
        }
        // Not the page of a refused host, nor the one before it.
        m_ui->webView->setUrl(QUrl(QStringLiteral("about:blank")));
        m_loadFailed = true;
        updateIcon();
    });
    return true;
}

QWebEngineView *EmbeddedBrowser::webView() const
{
    return m_ui->webView;
}

void EmbeddedBrowser::onTitleChanged(const QString &title)
{
    setWindowTitle(title);
}

void EmbeddedBrowser::onLoadProgress(int progress)
{
    m_ui->progressBar->setValue(progress);
}

void EmbeddedBrowser::onUrlChanged(const QUrl &url)
{
    updateIcon();
    m_ui->url->setText(url.toString());
}

void EmbeddedBrowser::onLoadStarted()
{
    m_loadFailed = false;
    updateIcon();
    m_ui->progressBar->show();
}

void EmbeddedBrowser::onLoadFinished(bool ok)
{
    m_ui->progressBar->hide();
    // The address field is hidden: the icon is the player's only cue.
    if (!ok)
        m_loadFailed = true;
    updateIcon();
}

void EmbeddedBrowser::onCertificateError(const QWebEngineCertificateError &error)
{
    // A refused certificate is an insecure page.
    if (CertificateVerifier::decide(error))
        return;
    m_loadFailed = true;
    updateIcon();
}

void EmbeddedBrowser::updateIcon()
{
    m_secure = !m_loadFailed && m_ui->webView->url().scheme() == QLatin1String("https");
    m_ui->encryptedIcon->setPixmap(
        QPixmap(m_secure ? QStringLiteral("resources:/safe.png") : QStringLiteral("resources:/unsafe.png")));
    m_ui->encryptedIcon->setToolTip(m_secure ? tr("Secure connection") : tr("Insecure connection"));
}

void EmbeddedBrowser::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        // The page's listeners hear of it over the channel, which is not
        // immediate: the dialog goes once the page has answered a script
        // sent after the signal, or after a short grace.
        m_closing = true;
        emit m_bridge->closeEvent();
        event->ignore();
        QPointer<EmbeddedBrowser> self(this);
        const auto closeNow = [self] {
            if (self && self->m_closing && !self->m_closed) {
                self->m_closed = true;
                self->close();
            }
        };
        m_ui->webView->page()->runJavaScript(QStringLiteral("void 0"), [closeNow](const QVariant &) { closeNow(); });
        QTimer::singleShot(closeGraceMs, this, closeNow);
        return;
    }
    MahjongDialog::closeEvent(event);
}

void EmbeddedBrowser::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->webView->setLocale(QLocale());
        m_ui->retranslateUi(qobject_cast<QFrame *>(widget()));
    }
    MahjongDialog::changeEvent(event);
}
