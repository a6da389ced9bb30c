#include "mainwindow/MainWindow.h"

#include "mainwindow/CreateUserWindow.h"
#include "mainwindow/EmbeddedBrowser.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/JavascriptInterface.h"
#include "mainwindow/Logging.h"
#include "mainwindow/LoginWindow.h"
#include "mainwindow/MachineId.h"
#include "mainwindow/PreferencesWindow.h"
#include "mainwindow/SystemBrowser.h"

#include "app/Log.h"
#include "app/MahjongApplication.h"
#include "core/ApplicationVersion.h"
#include "core/TextFormat.h"
#include "lobby/LobbyController.h"
#include "lobby/LobbySummary.h"
#include "lobby/LobbyWindow.h"
#include "lobby/LocalizationDb.h"
#include "lobby/SetScreennameDialog.h"
#include "lobby/TableModel.h"
#include "lobby/TablePreview.h"
#include "protocol/ServerTime.h"
#include "protocol/login_status.h"
#include "social/ConferenceWidget.h"
#include "social/FriendsWindow.h"
#include "social/TablePresenceManager.h"
#include "social/PlayerDb.h"
#include "scene/TileGraphics.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/MeldAuction.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "sound/SoundPlayer.h"
#include "table/TableSelector.h"
#include "tournaments/ComingEventPopup.h"
#include "tournaments/ComingEventsModel.h"
#include "tournaments/ComingEventsView.h"
#include "tournaments/ComingTournamentsWidget.h"
#include "tournaments/TournamentPreview.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"
#include "widgets/ModelessMsgBox.h"
#include "widgets/TranslationsManager.h"
#include "widgets/UPushButton.h"
#include "widgets/UTabWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QUrlQuery>
#include <QWebEngineView>

EmbeddedWebPage *MainWindow::createWebPage(const char *name)
{
    auto *page = new EmbeddedWebPage(this);
    page->setObjectName(QString::fromLatin1(name));
    page->setMahjongHost(m_gameHost);
    connectWebPage(page);
    return page;
}

void MainWindow::connectWebPage(EmbeddedWebPage *page)
{
    connect(page, &EmbeddedWebPage::displayTab, this, &MainWindow::onDisplayTab);
    connect(page, &EmbeddedWebPage::joinTable, this, &MainWindow::onQuickJoinTable);
    connect(page, &EmbeddedWebPage::launchBrowser, this, &MainWindow::onLaunchBrowser);
    connect(page, &EmbeddedWebPage::displayTournament, this, &MainWindow::onDisplayTournament);
}

QUrl MainWindow::makeUrl(const QString &url, const QString &fallback) const
{
    QString text = url.isEmpty() ? fallback : url;
    text.replace(QLatin1String("{host}"), m_webHost);
    text.replace(QLatin1String("{locale}"), m_translationsManager ? m_translationsManager->language() : QString());
    text.replace(QLatin1String("{sku}"), QLatin1String("Brisquel"));
    text.replace(QLatin1String("{partnerId}"), QString::number(m_connection.partnerId()));
    return QUrl(text);
}

void MainWindow::openUrl(const QUrl &url, int mode, bool fromServer)
{
    if (url.isEmpty())
        return;
    const QString target = QUrlQuery(url).queryItemValue(QStringLiteral("_Target"));
    if (target == QLatin1String("internal"))
        mode = 1;
    else if (target == QLatin1String("external"))
        mode = 0;
    // The dialog looks like the service's own window: a page may put only
    // the service's addresses there, and everything else goes where its
    // links go.
    if (mode == 1 && !fromServer && !JavascriptInterface::isTrustedUrl(url)) {
        qCInfo(lcMainwindow).noquote() << "a page's address for the browser dialog goes to the system browser:"
                                       << url.toDisplayString();
        mode = 0;
    }
    if (mode == 0) {
        // A refused address is only logged (by open); the box is for a
        // browser that did not start.
        const bool allowed = SystemBrowser::isAllowedUrl(url);
        if (!SystemBrowser::open(url) && allowed) {
            // One box at a time: a page that keeps asking gets no pile of them.
            const QLatin1String boxName("browserNotStartedBox");
            if (findChild<QMessageBox *>(boxName, Qt::FindDirectChildrenOnly)) {
                qCWarning(lcMainwindow).noquote()
                    << "the web browser could not be started for" << url.toDisplayString();
                return;
            }
            QMessageBox *box = ModelessMsgBox::warning(
                this, tr("Web browser"),
                tr("The web browser could not be started. The address is:\n%1").arg(url.toDisplayString()));
            box->setObjectName(boxName);
        }
        return;
    }
    // Refused before any dialog is made: the dialog carries the bridge.
    if (!EmbeddedBrowser::isLoadableUrl(url)) {
        qCWarning(lcMainwindow) << "refused to open the address in the browser dialog:" << url.toDisplayString();
        return;
    }
    EmbeddedBrowser *browser = findChild<EmbeddedBrowser *>(QString(), Qt::FindDirectChildrenOnly);
    if (!browser) {
        browser = new EmbeddedBrowser(this);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        connect(browser, &EmbeddedBrowser::launchBrowser, this, &MainWindow::onLaunchBrowser);
    }
    if (fromServer)
        JavascriptInterface::trustOrigin(url);
    browser->load(url);
    browser->show();
    centreOnWindow(browser);
    // The player's keys (Escape) go to the page opened for them.
    browser->raise();
    browser->webView()->setFocus(Qt::OtherFocusReason);
}

QString MainWindow::accountActionName(int action)
{
    static const char *const names[] = {"DEPOSIT",      "WITHDRAW",          "STATEMENT",      "MY_PROFILE",
                                        "HAND_HISTORY", "PLAYER_PROTECTION", "CHANGE_PASSWORD"};
    return action >= 0 && action <= ChangePassword ? QString::fromLatin1(names[action]) : QString();
}

int MainWindow::accountActionFromLink(const QString &link)
{
    static const char *const words[] = {"deposit",      "withdraw",          "statement",      "my_profile",
                                        "hand_history", "player_protection", "change_password"};
    const QStringList parts = link.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return Deposit;
    for (int i = 0; i <= ChangePassword; ++i) {
        if (parts.first() == QLatin1String(words[i]))
            return i;
    }
    return Deposit;
}

void MainWindow::onWebPage(WebPageRequest::enum_t page, const QString &url)
{
    switch (page) {
    case WebPageRequest::None:
        if (!url.isEmpty())
            openUrl(makeUrl(url, QString()), 0, true);
        break;
    case WebPageRequest::Account: {
        m_ui.accountButton->setEnabled(true);
        m_ui.cashierButton->setEnabled(true);
        QUrl address = makeUrl(url, QString());
        if (address.isEmpty()) {
            qCWarning(lcMainwindow) << "the server gave no account page";
        } else {
            QUrlQuery query(address);
            query.addQueryItem(QStringLiteral("clientRedirectPage"), accountActionName(m_accountAction));
            address.setQuery(query);
            openUrl(address, 1, true);
        }
        // A page opened later without an account action is the deposit.
        m_accountAction = Deposit;
        break;
    }
    case WebPageRequest::CreateUser:
        m_ui.accountButton->setEnabled(true);
        openUrl(makeUrl(url, QString()), 0, true);
        break;
    case WebPageRequest::Welcome:
        if (m_welcomePage) {
            const QUrl fallback(QStringLiteral("localwww:/welcome.html"));
            m_welcomePage->setFallbackUrl(fallback);
            m_welcomePage->setUrl(makeUrl(url, fallback.toString()));
        }
        break;
    case WebPageRequest::HowTo:
        if (m_howtoPage) {
            const QUrl fallback(QStringLiteral("localwww:/howto.html"));
            m_howtoPage->setFallbackUrl(fallback);
            m_howtoPage->setUrl(makeUrl(url, fallback.toString()));
        }
        break;
    case WebPageRequest::Support:
        openUrl(makeUrl(url, QStringLiteral("http://{host}/support.html")), 0, true);
        break;
    case WebPageRequest::Help:
    case WebPageRequest::RulesClassic:
    case WebPageRequest::RulesInternational:
    case WebPageRequest::RulesRiichi:
        openUrl(makeUrl(url, QStringLiteral("http://{host}/about_rules.html")), 0, true);
        break;
    case WebPageRequest::CreateUserTerms:
    case WebPageRequest::ResetPassword:
        openUrl(makeUrl(url, QString()), 0, true);
        break;
    case WebPageRequest::SidePage:
        // Not the engine's own error page: the client's, in the player's language.
        m_ui.adSidePage->setFallbackUrl(QUrl(QStringLiteral("localwww:/offline.html")));
        m_ui.adSidePage->setUrl(makeUrl(url, QStringLiteral("about:blank")));
        break;
    default:
        break;
    }
}

void MainWindow::onLaunchBrowser(const QString &url)
{
    if (url.startsWith(QLatin1String("http://")) || url.startsWith(QLatin1String("https://"))) {
        openUrl(makeUrl(url, QString()), 0);
        return;
    }
    const QLatin1String account("client://my-account");
    if (url.startsWith(account)) {
        startAccountAction(AccountAction(accountActionFromLink(url.mid(account.size()))));
        return;
    }
    struct Link
    {
        const char *prefix;
        WebPageRequest::enum_t page;
    };
    static const Link links[] = {{"client://help", WebPageRequest::Help},
                                 {"client://support", WebPageRequest::Support},
                                 {"client://rules/classic", WebPageRequest::RulesClassic},
                                 {"client://rules/riichi", WebPageRequest::RulesRiichi},
                                 {"client://rules/international", WebPageRequest::RulesInternational},
                                 {"client://externsupport", WebPageRequest::Support}};
    for (const Link &link : links) {
        if (url.startsWith(QLatin1String(link.prefix))) {
            if (!m_connection.isLoggedIn()) {
                qCWarning(lcMainwindow) << "not logged in: won't open" << url;
                return;
            }
            m_connection.query_web_page(link.page);
            return;
        }
    }
}

void MainWindow::startAccountAction(AccountAction action)
{
    if (!m_connection.isLoggedIn()) {
        qCWarning(lcMainwindow) << "not logged in: no account page for action" << int(action);
        return;
    }
    m_ui.accountButton->setEnabled(false);
    m_ui.cashierButton->setEnabled(false);
    m_accountAction = action;
    m_connection.query_web_page(WebPageRequest::Account);
}

void MainWindow::createAccountMenu()
{
    struct Entry
    {
        const char *text;
        void (MainWindow::*slot)();
    };
    static const Entry entries[] = {{QT_TR_NOOP("Deposit"), &MainWindow::onDeposit},
                                    {QT_TR_NOOP("Withdraw"), &MainWindow::onWithdraw},
                                    {QT_TR_NOOP("Statement"), &MainWindow::onStatement},
                                    {QT_TR_NOOP("My profile"), &MainWindow::onMyProfile},
                                    {QT_TR_NOOP("Hand history"), &MainWindow::onHandHistory},
                                    {QT_TR_NOOP("Player protection"), &MainWindow::onPlayerProtection},
                                    {QT_TR_NOOP("Change password"), &MainWindow::onChangePassword}};
    m_accountMenu.clear();
    for (const Entry &entry : entries) {
        QAction *action = m_accountMenu.addAction(tr(entry.text));
        connect(action, &QAction::triggered, this, entry.slot);
    }
}

void MainWindow::onDeposit()
{
    startAccountAction(Deposit);
}
void MainWindow::onWithdraw()
{
    startAccountAction(Withdraw);
}
void MainWindow::onStatement()
{
    startAccountAction(Statement);
}
void MainWindow::onMyProfile()
{
    startAccountAction(MyProfile);
}
void MainWindow::onHandHistory()
{
    startAccountAction(HandHistory);
}
void MainWindow::onPlayerProtection()
{
    startAccountAction(PlayerProtection);
}
void MainWindow::onChangePassword()
{
    startAccountAction(ChangePassword);
}

void MainWindow::onHelp()
{
    m_connection.query_web_page(WebPageRequest::Help);
}

void MainWindow::onSupport()
{
    m_connection.query_web_page(WebPageRequest::Support);
}

void MainWindow::onExternSupport()
{
    m_connection.query_web_page(WebPageRequest::Support);
}
