#include "../Sample.h"

#include "lobby/LobbyController.h"
#include "lobby/LocalizationDb.h"
#include "lobby/TableModel.h"
#include "lobby/LobbySummary.h"
#include "mainwindow/MainView.h"
#include "mainwindow/MainWindow.h"
#include "widgets/UPushButton.h"
#include "protocol/lobby_summary_t.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "protocol/TableInfo.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

MAHJONG_SAMPLE(mainWindowLogin, {QStringLiteral("main-window-login"), {1024, 768}, [] {
                                     return new MainWindow(QStringLiteral("localhost"), 443, QStringLiteral("ann"),
                                                           QString(), true, QStringLiteral("localhost"), nullptr);
                                 }});

// The login page when the game server cannot be reached: the notice, and
// the form's button offering to try again.
MAHJONG_SAMPLE(mainWindowCannotConnect, {QStringLiteral("main-window-cannot-connect"), {1024, 768}, [] {
                                             auto *window = new MainWindow(QStringLiteral("localhost"), 443,
                                                                           QStringLiteral("ann"), QString(), true,
                                                                           QStringLiteral("localhost"), nullptr);
                                             emit window->connectionManager().connecting();
                                             emit window->connectionManager().disconnected();
                                             return window;
                                         }});

// The logged-in frame without a server, one picture per tab: tabs, side
// column, top bar and footer.
namespace {
MainWindow *loggedInFrame(const char *tab)
{
    auto *window = new MainWindow(QStringLiteral("localhost"), 443, QStringLiteral("ann"), QString(), true,
                                  QStringLiteral("localhost"), nullptr);
    window->displayLobby();
    window->setPlayerName(QStringLiteral("Ann"));
    window->onCurrentAccountBalance(123456);
    window->onUpdateTimeout();
    window->onDisplayTab(QString::fromLatin1(tab));
    return window;
}

// A lobby as the demo server fills it: every ruleset and kind of game,
// some tables full, names in the tool's language.
void fillLobby(MainWindow *window)
{
    // The window has no translations manager here: the server's names are
    // filed under its default language, in the language the tool runs in.
    const bool japanese = QCoreApplication::translate("TableModel", "Table") != QLatin1String("Table");
    window->localizationDb()->onTableNames(
        window->localizationDb()->language(),
        {{1, japanese ? QStringLiteral("練習 {tableId}") : QStringLiteral("Practice {tableId}")}});
    TableModel *tables = window->lobbyController()->tableModel();
    const QString path = LobbyController::lobbyPaths().constFirst();
    struct Row
    {
        qint32 ruleset, gameType, seated, bots;
    };
    const Row rows[] = {{0, TableInfo::SINGLE_HAND, 1, 0}, {2, TableInfo::FULL_GAME, 3, 1},
                        {1, TableInfo::EAST_ONLY, 0, 0},   {0, TableInfo::FULL_GAME, 4, 0},
                        {2, TableInfo::SINGLE_HAND, 2, 2}, {1, TableInfo::FULL_GAME, 2, 0},
                        {0, TableInfo::EAST_ONLY, 3, 0},   {2, TableInfo::EAST_ONLY, 4, 1}};
    qint32 id = 1001;
    for (const Row &row : rows) {
        TableInfo info(id++, path);
        info.setRuleset(row.ruleset);
        info.setCapacity(4);
        info.setSeated(row.seated);
        info.setBots(row.bots);
        info.setGameType(row.gameType);
        info.setWindRounds(row.gameType == TableInfo::EAST_ONLY ? 1 : 4);
        info.setNameId(1);
        tables->onTableInfoUpdate(info);
    }
    tables->flushChanges();
    if (auto *view = window->findChild<QAbstractItemView *>(QStringLiteral("lobbyTableView")))
        view->setCurrentIndex(view->model()->index(1, 0));
}

// The side column of the start tab as the demo server fills it.
void fillStartColumn(MainWindow *window)
{
    lobby_summary_t summary;
    summary.playersOnline = 42;
    summary.playersSeated = 11;
    summary.tablesOpen = 6;
    summary.tournamentsRunning = 1;
    summary.topWinners = {{1, QStringLiteral("Lucky"), 250000}, {2, QStringLiteral("Bamboo"), 120050}};
    window->view().lobbySummary->onLobbySummary(summary);
    TournamentsLobbyModel *model = window->tournamentsController()->model();
    const char *names[] = {"Coffee Break Sprint", "Sunday Classic", "Full House Cup", "Late Riichi"};
    for (qint32 id = 1; id <= 4; ++id) {
        TournamentInfo t;
        t.id = id;
        t.name = QString::fromLatin1(names[id - 1]);
        t.status = TournamentInfo::Open;
        t.closeRegister = QDateTime::currentDateTimeUtc().addSecs(600 * id);
        t.start = t.closeRegister;
        model->addOrUpdateTournament(t);
    }
}
} // namespace

MAHJONG_SAMPLE(mainWindowStart, {QStringLiteral("main-window-start"), {1024, 768}, [] {
                                     MainWindow *window = loggedInFrame("welcome");
                                     fillStartColumn(window);
                                     return window;
                                 }});
MAHJONG_SAMPLE(mainWindowLobby, {QStringLiteral("main-window-lobby"), {1024, 768}, [] {
                                     MainWindow *window = loggedInFrame("lobby");
                                     fillLobby(window);
                                     return window;
                                 }});
MAHJONG_SAMPLE(mainWindowTournaments,
               {QStringLiteral("main-window-tournaments"), {1024, 768}, [] { return loggedInFrame("tournament"); }});
MAHJONG_SAMPLE(mainWindowSettings,
               {QStringLiteral("main-window-settings"), {1024, 768}, [] { return loggedInFrame("preferences"); }});
MAHJONG_SAMPLE(mainWindowFriends,
               {QStringLiteral("main-window-friends"), {1024, 768}, [] { return loggedInFrame("friends"); }});
MAHJONG_SAMPLE(mainWindowGuide,
               {QStringLiteral("main-window-guide"), {1024, 768}, [] { return loggedInFrame("howto"); }});

#include "app/ResourcePaths.h"
#include "mainwindow/CreateUserWindow.h"
#include "mainwindow/EmbeddedBrowser.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/LoginWindow.h"
#include "mainwindow/PreferencesWindow.h"
#include "widgets/TranslationsManager.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGridLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QWebEngineView>

namespace {
// The language the tool was started in, for the language boxes.
TranslationsManager *sampleTranslations()
{
    static TranslationsManager *translations = [] {
        auto *manager = new TranslationsManager(ResourcePaths::roots({}), QCoreApplication::instance());
        manager->setLanguage(QSettings().value(QStringLiteral("game/language")).toString());
        return manager;
    }();
    return translations;
}

// A main window holding page in the middle of its felt, at the page's width.
QMainWindow *centredInWindow(QWidget *page, int width)
{
    auto *window = new QMainWindow;
    auto *central = new QWidget(window);
    central->setObjectName(QStringLiteral("sampleBackground"));
    central->setStyleSheet(QStringLiteral("QWidget#sampleBackground { background-color: #0b3d2e; }"));
    auto *layout = new QGridLayout(central);
    page->setParent(central);
    page->setFixedWidth(width);
    layout->addWidget(page, 0, 0, Qt::AlignCenter);
    window->setCentralWidget(central);
    return window;
}

// Shows the window and waits until the web view has loaded and painted.
void waitForPage(QWidget *window, QWebEngineView *view)
{
    window->resize(1024, 768);
    window->show();
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    const QDeadlineTimer paint(1500);
    while (!paint.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

QPixmap sampleAvatar()
{
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xc9, 0xb7, 0x7a));
    p.setPen(QPen(QColor(0xf3, 0xe9, 0xc6), 2));
    p.drawEllipse(2, 2, 60, 60);
    p.setPen(QColor(0x0b, 0x3d, 0x2e));
    QFont font = p.font();
    font.setPixelSize(28);
    font.setBold(true);
    p.setFont(font);
    p.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("A"));
    return picture;
}
} // namespace

MAHJONG_SAMPLE(loginPage, {QStringLiteral("login-page"), {1024, 768}, [] {
                               auto *page = new LoginWindow;
                               page->setObjectName(QStringLiteral("loginWindow"));
                               page->setTranslationsManager(sampleTranslations());
                               page->setUserName(QStringLiteral("ann"));
                               page->setPassword(QStringLiteral("secret"));
                               page->setLoginAllowed(true);
                               return centredInWindow(page, 300);
                           }});

MAHJONG_SAMPLE(createUserPage, {QStringLiteral("create-user-page"), {1024, 768}, [] {
                                    auto *page = new CreateUserWindow;
                                    page->setObjectName(QStringLiteral("createUserWindow"));
                                    // A name too short and a password not repeated, each field left once.
                                    auto *name = page->findChild<QLineEdit *>(QStringLiteral("loginEdit"));
                                    name->setText(QStringLiteral("an"));
                                    emit name->editingFinished();
                                    auto *email = page->findChild<QLineEdit *>(QStringLiteral("emailEdit"));
                                    email->setText(QStringLiteral("ann@example.com"));
                                    emit email->editingFinished();
                                    auto *password = page->findChild<QLineEdit *>(QStringLiteral("passwordEdit"));
                                    password->setText(QStringLiteral("secret1"));
                                    emit password->editingFinished();
                                    auto *repeat = page->findChild<QLineEdit *>(QStringLiteral("repeatPasswordEdit"));
                                    repeat->setText(QStringLiteral("secret2"));
                                    emit repeat->editingFinished();
                                    page->findChild<QCheckBox *>(QStringLiteral("ageCheckBox"))->setChecked(true);
                                    return centredInWindow(page, 340);
                                }});

MAHJONG_SAMPLE(preferencesPage, {QStringLiteral("preferences-page"), {1024, 768}, [] {
                                     auto *page = new PreferencesWindow(sampleTranslations());
                                     page->setAvatar(sampleAvatar());
                                     page->setMinimumHeight(740);
                                     return centredInWindow(page, 560);
                                 }});
// "Choose avatar..." clicked on the preferences page: the dialog over it.
MAHJONG_SAMPLE(preferencesAvatar, {QStringLiteral("preferences-avatar"), {1024, 768}, [] {
                                       auto *page = new PreferencesWindow(sampleTranslations());
                                       page->setAvatar(sampleAvatar());
                                       page->setMinimumHeight(740);
                                       QWidget *window = centredInWindow(page, 560);
                                       window->resize(1024, 768);
                                       page->findChild<QPushButton *>(QStringLiteral("setAvatarButton"))->click();
                                       return window;
                                   }});

MAHJONG_SAMPLE(welcomeWebPage, {QStringLiteral("web-page-welcome"), {1024, 768}, [] {
                                    auto *window = new QMainWindow;
                                    auto *page = new EmbeddedWebPage(window);
                                    page->setTopFrameHidden(true);
                                    window->setCentralWidget(page);
                                    page->setUrl(QUrl(QStringLiteral("localwww:/welcome.html")));
                                    waitForPage(window, page->webView());
                                    return window;
                                }});

MAHJONG_SAMPLE(browserDialog,
               {QStringLiteral("browser-dialog"), {1024, 768}, [] {
                    auto *window = new QMainWindow;
                    auto *central = new QWidget(window);
                    central->setObjectName(QStringLiteral("sampleBackground"));
                    central->setStyleSheet(QStringLiteral("QWidget#sampleBackground { background-color: #0b3d2e; }"));
                    window->setCentralWidget(central);
                    auto *browser = new EmbeddedBrowser(window);
                    // A page the client ships, shown as the service's pages are.
                    browser->webView()->setUrl(QUrl(QStringLiteral("localwww:/howto.html")));
                    browser->showDialog(true);
                    waitForPage(window, browser->webView());
                    browser->centerInParent();
                    return window;
                }});

// The start and guide tabs with their pages loaded, as a player sees them.
namespace {
QWidget *tabWithPage(const char *tab, const char *pageName, const char *url)
{
    MainWindow *window = loggedInFrame(tab);
    fillStartColumn(window);
    auto *page = window->findChild<EmbeddedWebPage *>(QLatin1String(pageName));
    page->setUrl(QUrl(QLatin1String(url)));
    waitForPage(window, page->webView());
    return window;
}
} // namespace

MAHJONG_SAMPLE(mainWindowStartPage, {QStringLiteral("main-window-start-page"), {1024, 768}, [] {
                                         return tabWithPage("welcome", "welcomePage", "localwww:/welcome.html");
                                     }});
MAHJONG_SAMPLE(mainWindowGuidePage, {QStringLiteral("main-window-guide-page"), {1024, 768}, [] {
                                         return tabWithPage("howto", "howtoPage", "localwww:/howto.html");
                                     }});

// The account menu open under its button. A menu is a window of its own,
// so the picture is the main window's with the menu's drawn where it opens.
MAHJONG_SAMPLE(mainWindowAccountMenu, {QStringLiteral("main-window-account-menu"), {1024, 768}, [] {
                                           MainWindow *window = loggedInFrame("welcome");
                                           fillStartColumn(window);
                                           window->resize(1024, 768);
                                           window->show();
                                           QPushButton *button = window->view().accountButton;
                                           QMenu *menu = button->menu();
                                           const QPoint at = button->mapTo(window, QPoint(0, button->height()));
                                           menu->popup(button->mapToGlobal(QPoint(0, button->height())));
                                           for (int i = 0; i < 5; ++i)
                                               QCoreApplication::processEvents();
                                           QPixmap picture = window->grab();
                                           QPainter(&picture).drawPixmap(at, menu->grab());
                                           menu->hide();
                                           delete window;
                                           auto *label = new QLabel;
                                           label->setPixmap(picture);
                                           return label;
                                       }});

// The lobby with the web host down: the side panel shows the client's own
// page in place of the service's.
namespace {
QWidget *webHostDown(const QSize &size)
{
    MainWindow *window = loggedInFrame("lobby");
    fillLobby(window);
    window->resize(size);
    window->show();
    auto *side = window->findChild<EmbeddedWebPage *>(QStringLiteral("adSidePage"));
    // Port 1 of the loopback: nobody answers there.
    window->onWebPage(WebPageRequest::SidePage, QStringLiteral("https://127.0.0.1:1/side.html"));
    QDeadlineTimer loaded(15000);
    while (!loaded.hasExpired() && side->webView()->url().scheme() != QLatin1String("localwww"))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const QDeadlineTimer paint(2500);
    while (!paint.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return window;
}
} // namespace

MAHJONG_SAMPLE(mainWindowWebHostDown, {QStringLiteral("main-window-web-host-down"), {1024, 768}, [] {
                                           return webHostDown({1024, 768});
                                       }});
MAHJONG_SAMPLE(mainWindowWebHostDownLarge, {QStringLiteral("main-window-web-host-down-1920"), {1920, 1080}, [] {
                                                return webHostDown({1920, 1080});
                                            }});
