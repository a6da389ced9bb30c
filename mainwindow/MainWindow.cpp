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
#include "game/GameModel.h"
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

namespace {
constexpr int lobbyMusic = 13;
// Loop, stopping every other sound.
constexpr int lobbyMusicFlags = 3;
} // namespace

MainWindow::MainWindow(const QString &gameHost, quint16 gamePort, const QString &userName, const QString &password,
                       bool useSsl, const QString &webHost, TranslationsManager *translationsManager)
    : QMainWindow(nullptr)
    , m_connection(useSsl)
    , m_roster(&m_xmpp)
    , m_playerDb(new PlayerDb(&m_connection, &m_xmpp, this))
    , m_chat(m_playerDb, &m_xmpp)
    , m_tournamentsHost(this)
    , m_translationsManager(translationsManager)
    , m_reloadStyleAction(this)
    , m_sampleDialogsAction(this)
    , m_gameHost(gameHost)
    , m_gamePort(gamePort)
    , m_userName(userName)
    , m_password(password)
    , m_useSsl(useSsl)
    , m_webHost(webHost)
    , m_localizationDb(new LocalizationDb(&m_connection, translationsManager, this))
    , m_trademarkStyle(QStringLiteral("font-size:8pt; font-weight:600; vertical-align:super;"))
{
    setObjectName(QStringLiteral("mainWindow"));
    m_passingStatusTimer.setSingleShot(true);
    connect(&m_passingStatusTimer, &QTimer::timeout, this, [this] {
        m_passingStatus = nullptr;
        showStatus();
    });
    m_ui.setupUi(this);
    setCentralWidget(m_ui.centralWidget);

    m_tournamentsController = new TournamentsController(&m_connection, this, &m_tournamentsHost);
    m_gameController = new GameController(&m_connection, m_playerDb, m_tournamentsController->model(), this);
    m_gameController->setCompactTableLayout(QSettings().value(QStringLiteral("game/compactView"), false).toBool());
    m_gameController->setWindowServices(m_localizationDb, &m_chat, &m_roster);
    m_lobbyController = new LobbyController(&m_connection, m_ui.centralWidget);
    m_tablePresence = new TablePresenceManager(m_gameController, &m_xmpp);
    setWindowTitle(QStringLiteral("Brisquel - ") + applicationVersion());

    LoginWindow *loginPage = m_ui.loginWindow;
    CreateUserWindow *accountPage = m_ui.createUserWindow;
    connect(&m_connection, &ConnectionManager::exceptionCaught, this, &MainWindow::onExceptionCaught);
    connect(&m_connection, &ConnectionManager::connected, this, &MainWindow::onConnected);
    connect(&m_connection, &ConnectionManager::disconnected, this, &MainWindow::onDisconnected);
    connect(&m_connection, &ConnectionManager::forcedLogout, this, &MainWindow::onForcedLogout);
    connect(&m_connection, &ConnectionManager::systemMessage, this, &MainWindow::onSystemMessage);
    connect(&m_connection, &ConnectionManager::versionCheckComplete, this, &MainWindow::onVersionCheckComplete);
    connect(&m_connection, &ConnectionManager::joinFailed, this, &MainWindow::onJoinFailed);
    connect(&m_connection, &ConnectionManager::watchFailed, this, &MainWindow::onWatchTableFailed);
    connect(&m_connection, &ConnectionManager::alreadySeated, this, &MainWindow::onAlreadySeated);
    connect(&m_connection, &ConnectionManager::notifyInvited, this,
            [this](qint32 tableId, qint32 inviterId, int) { onInvited(tableId, inviterId); });
    connect(&m_connection, &ConnectionManager::unwatchFailed, this, &MainWindow::onUnwatchTableFailed);
    connect(&m_connection, &ConnectionManager::leaveFailed, this, &MainWindow::onLeaveTableFailed);
    connect(m_playerDb, &PlayerDb::changePictureOk, this, &MainWindow::onChangePictureOk);
    connect(m_playerDb, &PlayerDb::changePictureFailed, this, &MainWindow::onChangePictureFailed);
    connect(m_playerDb, &PlayerDb::playerNameUpdate, this, &MainWindow::onPlayerNameUpdate);
    connect(m_playerDb, &PlayerDb::setScreennameOk, this, &MainWindow::onSetScreennameOk);
    connect(m_playerDb, &PlayerDb::setScreennameFailed, this, &MainWindow::onSetScreennameFailed);
    connect(m_playerDb, &PlayerDb::playerPictureUpdate, this, &MainWindow::onPlayerPictureUpdate);
    connect(&m_connection, qOverload<TableInfo>(&ConnectionManager::tableInfoUpdate), this,
            &MainWindow::onTableInfoUpdate);
    // The footer must not keep saying "Joined table" once the table is gone;
    // a closed connection has its own word there.
    connect(m_gameController, &GameController::gameModelAboutToBeDestroyed, this, [this](GameModel *model) {
        if (m_connection.isLoggedIn())
            setPassingStatus([tableId = model->tableId()] { return tr("Left table %1").arg(tableId); });
    });
    connect(m_gameController, &GameController::tableViewCreated, this, &MainWindow::onTableViewCreated);
    connect(m_gameController, &GameController::tableViewDestroyed, this, &MainWindow::onTableViewDestroyed);
    connect(m_gameController, &GameController::tableViewAboutToBeDestroyed, this,
            &MainWindow::onTableViewAboutToBeDestroyed);
    connect(m_gameController, &GameController::regularTableJoined, this, &MainWindow::onRegularTableJoined);
    connect(m_gameController, &GameController::tableWatched, this, &MainWindow::onTableWatched);
    connect(m_gameController, &GameController::tournamentTableJoined, this, &MainWindow::onTournamentTableJoined);
    connect(m_gameController, &GameController::tournamentScoreDialogClosed, this,
            &MainWindow::onTournamentScoreDialogClosed);
    connect(m_gameController, &GameController::invitePlayers, this, &MainWindow::onInvitePlayers);
    connect(m_tournamentsController, &TournamentsController::playerTournamentAborted, this,
            &MainWindow::onPlayerTournamentAborted);
    connect(loginPage, &LoginWindow::login, this, &MainWindow::login);
    connect(loginPage, &LoginWindow::retryConnection, this, &MainWindow::on_retryButton_clicked);
    connect(loginPage, &LoginWindow::createUser, this, &MainWindow::onCreateUser);
    connect(loginPage, &LoginWindow::resetPassword, this, &MainWindow::onResetPassword);
    connect(&m_connection, &ConnectionManager::loginFailed, loginPage, &LoginWindow::onLoginFailed);
    connect(&m_connection, &ConnectionManager::connecting, loginPage, &LoginWindow::onConnecting);
    connect(&m_connection, &ConnectionManager::connected, loginPage, &LoginWindow::onConnected);
    connect(&m_connection, &ConnectionManager::disconnected, loginPage, &LoginWindow::onDisconnected);
    connect(accountPage, &CreateUserWindow::cancelPressed, this, &MainWindow::onCreateUserCancel);
    connect(accountPage, &CreateUserWindow::termsPressed, this, &MainWindow::onCreateUserTerms);
    connect(accountPage, &CreateUserWindow::registerUser, this, &MainWindow::onCreateUserInfo);
    connect(m_playerDb, &PlayerDb::registerUserOk, accountPage, &CreateUserWindow::onRegisterSucceeded);
    connect(m_playerDb, &PlayerDb::registerUserFailed, accountPage, &CreateUserWindow::onRegisterFailed);
    // Through the window, so that the credentials are kept like any login's.
    connect(accountPage, &CreateUserWindow::doLogin, this, &MainWindow::login);
    connect(&m_connection, &ConnectionManager::loginSuccess, this, &MainWindow::loginSuccessful);
    connect(&m_connection, &ConnectionManager::clientConfig, this, &MainWindow::onClientConfig);
    connect(&m_connection, &ConnectionManager::notifySeated, this, &MainWindow::previouslySeated);
    connect(&m_connection, &ConnectionManager::notifyWatching, this, &MainWindow::previouslyWatching);
    connect(&m_connection, &ConnectionManager::currentAccountBalance, this, &MainWindow::onCurrentAccountBalance);
    connect(&m_connection, &ConnectionManager::playerMessage, this, &MainWindow::onPlayerMessage);
    connect(&m_connection, &ConnectionManager::playerDiscardedFromTournament, this,
            &MainWindow::onPlayerDiscardedFromTournament);
    connect(&m_connection, &ConnectionManager::lobbySummary, m_ui.lobbySummary, &LobbySummary::onLobbySummary);
    connect(&m_connection, &ConnectionManager::webPage, this, &MainWindow::onWebPage);
    // Not in the reference wiring, but what the status line reports.
    connect(&m_connection, &ConnectionManager::connecting, this, &MainWindow::onConnecting);
    connect(&m_connection, &ConnectionManager::loginFailed, this, &MainWindow::onLoginFailed);
    connect(&m_connection, &ConnectionManager::joinSuccessful, this, &MainWindow::onJoinSuccessful);
    connect(&m_connection, &ConnectionManager::watchSuccessful, this, &MainWindow::onWatchSuccessful);

    m_reloadStyleAction.setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
    if (auto *application = qobject_cast<MahjongApplication *>(QCoreApplication::instance()))
        connect(&m_reloadStyleAction, &QAction::triggered, application, &MahjongApplication::loadStyleSheet);
    addAction(&m_reloadStyleAction);
    m_sampleDialogsAction.setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    connect(&m_sampleDialogsAction, &QAction::triggered, this, &MainWindow::onDisplayMiscDialogs);
    addAction(&m_sampleDialogsAction);

    connect(&m_xmpp, &XMPPClient::connected, this, &MainWindow::onXMPPConnected);
    connect(&m_xmpp, &XMPPClient::disconnected, this, &MainWindow::onXMPPDisconnected);
    connect(&m_xmpp, &XMPPClient::conferenceRooms, this, &MainWindow::onConferenceRooms);
    connect(&m_xmpp, &XMPPClient::conferenceJID, this, &MainWindow::onConferenceJID);

    restoreLoginPage(m_userName, m_password);
    m_ui.adSidePage->setMahjongHost(m_gameHost);
    m_ui.adSidePage->setTopFrameHidden(true);
    m_ui.lobbySummary->setPlayerDb(m_playerDb);
    connect(m_ui.lobbySummary, &LobbySummary::userMenuRequested, this, &MainWindow::onUserMenuRequested);
    connectWebPage(m_ui.adSidePage);
    createAccountMenu();
    setSessionLive(true);

    // Countdowns and "time to start" texts follow the server's clock.
    ServerTime::instance().setConnectionManager(&m_connection);

    // The logout must be on its way before the connection is torn down.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, &m_connection, &ConnectionManager::prepareToQuit);
}

MainWindow::~MainWindow()
{
    saveWindowSettings();
    if (m_ui.mainTabs->count() > 0)
        QSettings().setValue(QStringLiteral("game/lobbyTab"), m_ui.mainTabs->currentIndex());
    // The application-wide clock outlives this window and its session.
    if (ServerTime::instance().connectionManager() == &m_connection)
        ServerTime::instance().setConnectionManager(nullptr);
    setBusy(false);
    // Nothing may reach this half-destroyed window. The table controller
    // goes first, then the pages and the other controllers, while both
    // sessions are still whole: views before the models they show, the
    // lobby controller (and its table model) last.
    m_connection.setQuitting(true);
    m_connection.disconnect(this);
    m_xmpp.disconnect(this);
    delete m_tablePresence;
    delete m_gameController;
    m_gameController = nullptr;
    delete m_ui.centralWidget;
    // Dialogs, boxes and the browser dialog on the window.
    qDeleteAll(findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
    qDeleteAll(findChildren<ComingEventsModel *>(QString(), Qt::FindDirectChildrenOnly));
    delete m_tournamentsController;
    delete m_playerDb;
    delete m_localizationDb;
}

void MainWindow::centreOnWindow(QWidget *widget)
{
    widget->adjustSize();
    widget->move(rect().center() - widget->rect().center());
}

void MainWindow::restoreLoginPage(const QString &userName, const QString &password)
{
    LoginWindow *page = m_ui.loginWindow;
    page->setUserName(userName.isEmpty() ? QSettings().value(QStringLiteral("login/userName")).toString() : userName);
    page->setPassword(password);
    page->setTranslationsManager(m_translationsManager);
    page->focusFirstEmptyField();
    page->show();
    m_ui.centralWidget->setCurrentWidget(m_ui.loginWidget);
}

void MainWindow::onStartupFinished(bool success)
{
    if (!success)
        return;
    m_connection.connectToHost(m_gameHost, m_gamePort);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(1024, 768);
    if (size.width() >= 1024 && size.height() >= 768) {
        restoreWindowSettings();
    } else {
        ModelessMsgBox::warning(this, tr("Resolution too low!"),
                                tr("You should have a resolution of at least 1024x768, you currently have %L1x%L2")
                                    .arg(size.width())
                                    .arg(size.height()));
    }
    show();
    qCInfo(lcMainwindow, "Main window shown");
}

void MainWindow::restoreWindowSettings()
{
    QSettings settings;
    resize(settings.value(QStringLiteral("game/windowSize"), QSize(1024, 768)).toSize());
    m_fullScreen = settings.value(QStringLiteral("game/windowFullscreen"), m_fullScreen).toBool();
    updateToggleText();
}

void MainWindow::saveWindowSettings()
{
    QSettings settings;
    if (!isFullScreen())
        settings.setValue(QStringLiteral("game/windowSize"), size());
    settings.setValue(QStringLiteral("game/windowFullscreen"), m_fullScreen);
}

QString MainWindow::serverText() const
{
    return QStringLiteral("%1:%2").arg(m_gameHost).arg(m_gamePort);
}

void MainWindow::setStatus(StatusText text)
{
    m_status = std::move(text);
    m_passingStatus = nullptr;
    m_passingStatusTimer.stop();
    showStatus();
}

void MainWindow::setPassingStatus(StatusText text)
{
    m_passingStatus = std::move(text);
    m_passingStatusTimer.start(PassingStatusMs);
    showStatus();
}

void MainWindow::showStatus()
{
    const StatusText &text = m_passingStatus ? m_passingStatus : m_status;
    // One line: multi-line server and refusal texts are joined.
    QString line = text ? text() : QString();
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_ui.statusLine->setText(line);
    m_ui.connectionNotice->setText(line);
    qCDebug(lcMainwindow).noquote() << "status:" << line;
}

void MainWindow::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindow::setSessionLive(bool live)
{
    for (GameWindow *table : m_ui.loggedInStack->findChildren<GameWindow *>(QString(), Qt::FindDirectChildrenOnly))
        table->setEnabled(live);
    if (m_lobbyWindow)
        m_lobbyWindow->setEnabled(live);
    m_ui.tablePreview->setEnabled(live);
    m_ui.adSidePage->setEnabled(live);
    if (m_welcomePage)
        m_welcomePage->setEnabled(live);
}

void MainWindow::on_quitButton_clicked()
{
    if (m_quitQuestion)
        return;
    m_ui.quitButton->setEnabled(false);
    m_quitQuestion = ModelessMsgBox::question(this, tr("Quit"), tr("Are you sure you want to quit?"),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    ModelessMsgBox::onFinished(m_quitQuestion, [this](int button) {
        if (button == QMessageBox::Yes) {
            // Not quit(): it asks every window to close first, and closing
            // this one asks this very question again, so nothing would end.
            QCoreApplication::exit(0);
            return;
        }
        m_quitQuestion = nullptr;
        m_ui.quitButton->setEnabled(true);
    });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    on_quitButton_clicked();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui.retranslateUi(this);
        createAccountMenu();
        updateFooter();
        retranslateTabs();
        updateToggleText();
        showStatus();
        if (m_accountBalance != 0 || m_loggedIn)
            onCurrentAccountBalance(m_accountBalance);
        if (m_connection.isLoggedIn()) {
            m_connection.query_web_page(WebPageRequest::Welcome);
            m_connection.query_web_page(WebPageRequest::HowTo);
            m_connection.query_web_page(WebPageRequest::SidePage);
        }
    } else if (event->type() == QEvent::WindowStateChange) {
        updateToggleText();
    }
    QMainWindow::changeEvent(event);
}

bool MainWindow::showsFullScreen() const
{
    // The window manager may refuse full screen: once logged in (when the
    // mode is applied) the window's real state counts, not the wish.
    return m_loggedIn ? isFullScreen() : m_fullScreen;
}

void MainWindow::toggleWindowed()
{
    m_fullScreen = !showsFullScreen();
    if (m_fullScreen)
        setWindowState(windowState() | Qt::WindowFullScreen);
    else
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    updateToggleText();
    emit setToggleWindowedText(m_ui.toggleFullscreenButton->text());
}

void MainWindow::updateToggleText()
{
    m_ui.toggleFullscreenButton->setText(showsFullScreen() ? tr("Windowed") : tr("Fullscreen"));
}

void MainWindow::setTrademarkStyle(const QString &style)
{
    m_trademarkStyle = style;
    updateFooter();
}

void MainWindow::updateFooter()
{
    const QString mark = QStringLiteral("<span style=\"%1\">%2</span>")
                             .arg(m_trademarkStyle.toHtmlEscaped(), tr("TM", "Trademark abbreviation").toHtmlEscaped());
    m_ui.kestrovaLogo->setText(tr("Powered by Kestrova%1").arg(mark));
}

void MainWindow::startLobbyMusic()
{
    SoundPlayer::instance().play(lobbyMusic, lobbyMusicFlags);
}

void MainWindow::stopLobbyMusic()
{
    SoundPlayer::instance().stop(lobbyMusic);
}

void MainWindow::onUpdateTimeout()
{
    const QDateTime now = ServerTime::instance().now().toLocalTime();
    m_ui.serverTime->setText(tr("Local time is %1").arg(QLocale().toString(now, QLocale::ShortFormat)));
}

void MainWindow::onUpdatedPing() {}
