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
#include "table/SoundPlayer.h"
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
constexpr int tournamentGameType = 1;
constexpr const char *tabNameProperty = "mahjongTabName";
constexpr const char *generatedNamePrefix = "player-";

void centreOn(QWidget *widget, QWidget *parent)
{
    widget->adjustSize();
    widget->move(parent->rect().center() - widget->rect().center());
}
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
    m_ui.setupUi(this);
    setCentralWidget(m_ui.centralWidget);

    m_tournamentsController = new TournamentsController(&m_connection, this, &m_tournamentsHost);
    m_gameController = new GameController(&m_connection, m_playerDb, m_tournamentsController->model(), this);
    m_gameController->setCompactTableLayout(QSettings().value(QStringLiteral("game/compactView"), false).toBool());
    m_gameController->setWindowServices(m_localizationDb, &m_chat);
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
    JavascriptInterface::trustHost(m_webHost);
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

void MainWindow::setStatus(const QString &text)
{
    // One line: multi-line server and refusal texts are joined.
    QString line = text;
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

void MainWindow::onConnecting()
{
    m_wasConnected = false;
    m_ui.connectionNotice->hide();
    m_ui.retryButton->hide();
    setStatus(tr("Connecting to %1...").arg(serverText()));
}

void MainWindow::onConnected()
{
    qCDebug(lcMainwindow) << "connected to host";
    m_wasConnected = true;
    setStatus(tr("Connected to %1").arg(serverText()));
    if (m_reconnectState == 2) {
        // The login goes once the handshake is done (onVersionCheckComplete).
        m_reconnectState = 3;
        return;
    }
    // The debug window (option "debug") samples the open connection.
    if (auto *application = qobject_cast<MahjongApplication *>(QCoreApplication::instance()))
        application->setConnectionManager(&m_connection);
}

void MainWindow::onVersionCheckComplete()
{
    qCDebug(lcMainwindow) << "version check complete";
    m_ui.loginWindow->setLoginAllowed(true);
    m_connection.query_web_page(WebPageRequest::SidePage);
    if (m_reconnectState == 3) {
        m_connection.login(m_userName, m_password);
        return;
    }
    // Credentials from the command line log in by themselves.
    if (!m_loggedIn && !m_userName.isEmpty() && !m_password.isEmpty()) {
        login(m_userName, m_password);
        return;
    }
    setStatus(tr("Connected to %1. Please log in.").arg(serverText()));
}

void MainWindow::onDisconnected()
{
    qCDebug(lcMainwindow) << "disconnected";
    setBusy(false);
    if (m_reconnectState == 1) {
        m_reconnectState = 2;
        QTimer::singleShot(1000, this, &MainWindow::reconnectAfterScreenNameChange);
        return;
    }
    if (m_failed)
        return;
    const QString text = m_wasConnected ? tr("The server closed the connection")
                                        : tr("Cannot connect to %1").arg(serverText());
    setStatus(text);
    if (!m_loggedIn) {
        // Nothing is lost yet: the login page stays, with a way to try again.
        m_ui.connectionNotice->show();
        m_ui.retryButton->show();
        m_ui.centralWidget->setCurrentWidget(m_ui.loginWidget);
        return;
    }
    // What is on screen is no longer live; the session cannot be resumed.
    setSessionLive(false);
    // A refused frame aborts the socket before its error is reported: that
    // error, when one follows, is what the player is told.
    QTimer::singleShot(0, this, [this] {
        if (m_failed)
            return;
        m_failed = true;
        qCCritical(lcMainwindow, "The server closed the connection");
        QCoreApplication::exit(1);
    });
}

void MainWindow::on_retryButton_clicked()
{
    m_ui.retryButton->hide();
    m_connection.connectToHost(m_gameHost, m_gamePort);
}

void MainWindow::reconnectAfterScreenNameChange()
{
    m_connection.connectToHost(m_connection.host(), m_gamePort);
}

void MainWindow::login(const QString &userName, const QString &password)
{
    m_userName = userName;
    m_password = password;
    Log::addSecret(password);
    QSettings().setValue(QStringLiteral("login/userName"), userName);
    setBusy(true);
    setStatus(tr("Logging in as %1...").arg(userName));
    m_connection.login(userName, password);
}

QString MainWindow::loginFailureText(qint32 status)
{
    return login_status::text(status);
}

void MainWindow::onLoginFailed(qint32 status)
{
    // The login page has restored the cursor of this login already.
    m_busy = false;
    setStatus(tr("Login failed: %1").arg(loginFailureText(status)));
}

void MainWindow::onCreateUser()
{
    m_connection.query_web_page(WebPageRequest::CreateUser);
}

void MainWindow::onCreateUserCancel()
{
    restoreLoginPage(QString(), QString());
}

void MainWindow::onCreateUserTerms()
{
    m_connection.query_web_page(WebPageRequest::CreateUserTerms);
}

void MainWindow::onResetPassword()
{
    m_connection.query_web_page(WebPageRequest::ResetPassword);
}

void MainWindow::onCreateUserInfo(const QString &userName, const QString &password, const QString &email)
{
    m_playerDb->registerUser(userName, password, email, QString());
}

void MainWindow::loginSuccessful(qint32 pid, const QString &name, const QString &credentials, bool fullyRegistered)
{
    // The XMPP password, when the server gives one.
    Log::addSecret(credentials);
    m_fullyRegistered = fullyRegistered;
    qCDebug(lcMainwindow) << "logged in, pid:" << pid << " fully registered:" << fullyRegistered;
    m_ownId = pid;
    m_gameController->setPlayerId(pid);
    m_playerDb->setOwnPlayer(pid, name);

    if (name.startsWith(QLatin1String(generatedNamePrefix), Qt::CaseInsensitive)) {
        showSetScreennameDialog(QString());
        setBusy(false);
        m_ui.loginWindow->hide();
        return;
    }
    m_loggedIn = true;
    m_reconnectState = 0;
    m_connection.log_client_uuid(MachineId().text());
    m_connection.query_account_balance();
    m_connection.query_lobby_summary();
    m_localizationDb->requestTableNames();
    // Bound since the window was built (and pinged after the handshake): a
    // second ping before the first answer would be taken for bad data.
    if (ServerTime::instance().connectionManager() != &m_connection)
        ServerTime::instance().setConnectionManager(&m_connection);

    auto *comingEvents = new ComingEventsModel(&m_connection, m_tournamentsController->model(), this);
    auto *comingEventsView = new ComingEventsView(comingEvents, m_ui.loggedInWidget);
    comingEventsView->anchorBelow(m_ui.topBar, 0);

    m_credentials = credentials;
    m_connection.query_client_config();
    setPlayerName(name);
    setStatus(tr("Logged in as %1").arg(name));
    displayLobby();
    if (m_fullScreen)
        setWindowState(windowState() | Qt::WindowFullScreen);
    else
        setWindowState(windowState() & ~Qt::WindowFullScreen);

    m_localTimeTimer.setInterval(1000);
    m_localTimeTimer.disconnect(this);
    ServerTime::instance().disconnect(this);
    connect(&m_localTimeTimer, &QTimer::timeout, this, &MainWindow::onUpdateTimeout);
    connect(&ServerTime::instance(), &ServerTime::updatedEstimate, this, &MainWindow::onUpdateTimeout);
    connect(&ServerTime::instance(), &ServerTime::updatedPing, this, &MainWindow::onUpdatedPing);
    onUpdateTimeout();
    m_localTimeTimer.start();

    if (m_ui.createUserWindow->justRegistered())
        m_connection.query_web_page(WebPageRequest::None);
    if (!m_fullyRegistered)
        askToCompleteRegistration(0);
}

void MainWindow::showSetScreennameDialog(const QString &error)
{
    closeSetScreennameDialog();
    auto *dialog = new SetScreennameDialog(this);
    connect(dialog, &SetScreennameDialog::setScreenname, this, &MainWindow::onSetScreenname);
    if (!error.isEmpty())
        dialog->setErrorText(error);
    dialog->show();
    centreOn(dialog, this);
}

void MainWindow::closeSetScreennameDialog()
{
    delete findChild<SetScreennameDialog *>(QString(), Qt::FindDirectChildrenOnly);
}

void MainWindow::onSetScreenname(const QString &name)
{
    m_playerDb->setScreenname(name);
}

void MainWindow::onSetScreennameOk()
{
    closeSetScreennameDialog();
    m_reconnectState = 1;
    m_connection.logout();
}

void MainWindow::onSetScreennameFailed(const QString &reason, bool needsScreenname)
{
    if (needsScreenname) {
        showSetScreennameDialog(reason);
        return;
    }
    closeSetScreennameDialog();
    ModelessMsgBox::warning(this, tr("Failed"), reason);
}

void MainWindow::onClientConfig(const ClientConfig &config)
{
    m_clientConfig = config;
    const QString host = config.xmppHost(m_gameHost);
    const quint16 port = config.xmppPort(5222);
    const XMPPJid search = config.hasSearchService() ? XMPPJid(config.searchService())
                                                     : XMPPJid(QStringLiteral("search.") + host);
    if (m_friendsPage)
        m_friendsPage->setSearchService(search);
    const QString password = m_credentials.isEmpty() ? m_password : m_credentials;
    m_xmpp.authenticate(QString::number(m_ownId), password);
    m_xmpp.connectToHost(host, port, m_useSsl ? XMPPClient::TlsRequired : XMPPClient::TlsWhenOffered);
}

void MainWindow::onXMPPConnected()
{
    qCDebug(lcMainwindow) << "xmpp connected to host";
    if (!m_clientConfig.hasConferenceService()) {
        m_xmpp.discoverConference();
        return;
    }
    m_chat.setConferenceService(XMPPJid(m_clientConfig.conferenceService()));
    if (m_clientConfig.hasLobbyRoom()) {
        m_chat.setLobbyRoom(XMPPJid(m_clientConfig.lobbyRoom()));
        m_ui.lobbyChat->joinLobbyChat();
    } else {
        m_xmpp.requestConferenceRooms(m_chat.conferenceService());
    }
}

void MainWindow::onXMPPDisconnected()
{
    qCDebug(lcMainwindow) << "xmpp disconnected";
}

void MainWindow::onConferenceJID(const XMPPJid &jid)
{
    m_chat.setConferenceService(jid);
    m_xmpp.requestConferenceRooms(jid);
}

void MainWindow::onConferenceRooms(const QList<XMPPJid> &rooms)
{
    for (const XMPPJid &room : rooms) {
        if (room.node() == QLatin1String("lobby")) {
            m_chat.setLobbyRoom(room);
            m_ui.lobbyChat->joinLobbyChat();
            return;
        }
    }
}

void MainWindow::setPlayerName(const QString &name)
{
    m_gameController->setPlayerName(name);
    m_ui.loggedInAsLabel->setText(name);
}

void MainWindow::onPlayerNameUpdate(qint32 pid, const QString &name)
{
    if (pid == m_ownId) {
        setPlayerName(name);
        return;
    }
    const QList<qint32> tables = m_pendingInvitations.values(pid);
    m_pendingInvitations.remove(pid);
    // values() gives the newest first.
    for (auto it = tables.crbegin(); it != tables.crend(); ++it) {
        qCWarning(lcMainwindow) << "pending" << *it << pid;
        if (canShowInvitation(*it, pid))
            showInvitation(*it, pid);
        else
            qCDebug(lcMainwindow) << "won't show invite from " << pid;
    }
}

void MainWindow::onPlayerPictureUpdate(qint32 pid)
{
    if (pid != m_ownId)
        return;
    // The first update after start is the empty picture of the login.
    if (m_pictureUpdates++ == 0)
        return;
    const QPixmap picture = m_playerDb->picture(pid, true);
    m_ui.avatarLabel->setPixmap(picture);
    if (m_preferencesPage)
        m_preferencesPage->setAvatar(picture);
}

void MainWindow::onChangePictureOk() {}

void MainWindow::onChangePictureFailed()
{
    qCWarning(lcMainwindow) << "changing avatar picture failed :(";
}

void MainWindow::onCurrentAccountBalance(qint64 balance)
{
    m_accountBalance = balance;
    const QString money = Utils::moneyString(balance);
    m_ui.accountBalanceLabel->setText(tr("You have %1").arg(money));
    m_ui.topBarAccountBalanceLabel->setText(money);
}

void MainWindow::onSystemMessage(qint32, qint32, const QString &message)
{
    ModelessMsgBox::information(this, tr("System message"), message);
}

void MainWindow::onPlayerMessage(const QString &message)
{
    ModelessMsgBox::information(this, tr("Information"), message);
}

void MainWindow::onPlayerDiscardedFromTournament(qint32 tournamentId)
{
    ModelessMsgBox::information(
        this, tr("Information"),
        tr("Unfortunately you were among the last players to register for tournament %1 and you have been "
           "unregistered to make sure every\ntournament table has exactly four players. Your buy-in and fee will "
           "be repaid.")
            .arg(tournamentId));
}

void MainWindow::onPlayerTournamentAborted(qint32 tournamentId)
{
    ModelessMsgBox::information(this, tr("Information"),
                                tr("A server error occured during tournament %1 and the tournament was aborted.\n"
                                   "Check tournament rules for details regarding the distribution of the prize "
                                   "pool.")
                                    .arg(tournamentId));
}

void MainWindow::onForcedLogout()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget != this && widget->isVisible())
            widget->close();
    }
    if (auto *browser = findChild<EmbeddedBrowser *>())
        browser->hide();
    m_ui.centralWidget->hide();
    m_failed = true;
    m_connection.setQuitting(true);
    setBusy(false);
    // Modal from the start: a shown box that becomes modal is hidden again.
    auto *box = new QMessageBox(QMessageBox::Critical, tr("Forced logout"), tr("You were forcefully logged out!"),
                                QMessageBox::Ok, this);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QDialog::finished, this, [] { QCoreApplication::exit(1); });
    box->show();
}

void MainWindow::onExceptionCaught(const std::string &message)
{
    // The session cannot go on after unacceptable server data (the
    // connection has already ended it). A second report adds no box.
    if (m_failed)
        return;
    m_failed = true;
    m_connection.setQuitting(true);
    setBusy(false);
    setSessionLive(false);
    setStatus(tr("Error"));
    // Modal, but shown without a nested event loop: this runs inside the
    // connection's read handler. The text comes from the server.
    auto *box = new QMessageBox(QMessageBox::Critical, tr("Error"), QString::fromStdString(message), QMessageBox::Ok,
                                this);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QDialog::finished, this, [] { QCoreApplication::exit(1); });
    box->show();
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
        updateFooter();
        retranslateTabs();
        updateToggleText();
        if (m_accountBalance != 0 || m_loggedIn)
            onCurrentAccountBalance(m_accountBalance);
        if (m_connection.isLoggedIn()) {
            m_connection.query_web_page(WebPageRequest::Welcome);
            m_connection.query_web_page(WebPageRequest::HowTo);
            m_connection.query_web_page(WebPageRequest::SidePage);
        }
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::toggleWindowed()
{
    m_fullScreen = !m_fullScreen;
    if (m_fullScreen)
        setWindowState(windowState() | Qt::WindowFullScreen);
    else
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    updateToggleText();
    emit setToggleWindowedText(m_ui.toggleFullscreenButton->text());
}

void MainWindow::updateToggleText()
{
    m_ui.toggleFullscreenButton->setText(m_fullScreen ? tr("Windowed") : tr("Fullscreen"));
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

void MainWindow::displayLobby()
{
    UTabWidget *tabs = m_ui.mainTabs;
    if (tabs->count() == 0) {
        updateFooter();
        m_ui.tableSelector->setLocalizationDb(m_localizationDb);
        connect(tabs, &QTabWidget::currentChanged, this, &MainWindow::onCurrentTabChanged);
        connect(&m_connection, &ConnectionManager::waitingList, this, &MainWindow::onWaitingList);

        auto addTab = [tabs](QWidget *page, const char *name, const char *icon) {
            page->setProperty(tabNameProperty, QString::fromLatin1(name));
            tabs->addTab(page, QIcon(QString::fromLatin1(icon)), QString());
        };

        m_welcomePage = createWebPage("welcomePage");
        addTab(m_welcomePage, "welcome", "resources:tabicons/startpage.png");
        m_connection.query_web_page(WebPageRequest::Welcome);

        TableModel *tables = m_lobbyController->tableModel();
        m_lobbyWindow = m_lobbyController->createWindow(m_ui.lobbyWidget);
        m_lobbyWindow->show();
        for (const QString &path : LobbyController::lobbyPaths())
            tables->subscribe(path);
        tables->setLocalizationDb(m_localizationDb);
        m_localizationDb->setTableModel(tables);
        m_gameController->setTableModel(tables);
        connect(m_lobbyWindow, &LobbyWindow::tableActivated, this, qOverload<qint32>(&MainWindow::joinTable));
        connect(m_lobbyWindow, &LobbyWindow::tableSelected, m_ui.tablePreview, &TablePreview::onPreviewTable);
        m_ui.tablePreview->setTableModel(tables);
        m_ui.tablePreview->setConnectionManager(&m_connection);
        m_ui.tablePreview->setPlayerDb(m_playerDb);
        connect(m_ui.tablePreview, &TablePreview::joinTable, this, qOverload<qint32>(&MainWindow::joinTable));
        connect(m_ui.tablePreview, &TablePreview::watchTable, this, &MainWindow::watchTable);
        connect(m_ui.tablePreview, &TablePreview::userMenuRequested, this, &MainWindow::onUserMenuRequested);
        addTab(m_lobbyWindow, "lobby", "resources:tabicons/lobby.png");

        TournamentsLobbyModel *tournaments = m_tournamentsController->model();
        m_tournamentsController->setTableModel(tables);
        auto *coming = new ComingTournamentsWidget(m_ui.comingTournamentsContainer);
        coming->setObjectName(QStringLiteral("comingTournaments"));
        coming->setModel(tournaments);
        coming->setTournamentsController(m_tournamentsController);
        m_ui.comingTournamentsContainer->layout()->addWidget(coming);
        connect(coming, &ComingTournamentsWidget::unregisterTournament, &m_connection,
                &ConnectionManager::unregister_tournament_request);
        m_tournamentsWindow = m_tournamentsController->createWindow();
        m_tournamentsWindow->setParent(m_ui.lobbyWidget);
        auto *preview = new TournamentPreview(m_ui.tournamentPreviewContainer);
        preview->setObjectName(QStringLiteral("tournamentPreview"));
        m_ui.tournamentPreviewContainer->layout()->addWidget(preview);
        connect(preview, &TournamentPreview::unregisterTournament, &m_connection,
                &ConnectionManager::unregister_tournament_request);
        connect(preview, &TournamentPreview::deposit, this, &MainWindow::onDeposit);
        connect(m_tournamentsWindow, &TournamentsLobbyWindow::tournamentSelected, preview,
                &TournamentPreview::onPreviewTournament);
        connect(m_tournamentsWindow, &TournamentsLobbyWindow::tournamentActivated, m_tournamentsController,
                &TournamentsController::createTournamentDetailDialog);
        preview->setTournamentsController(m_tournamentsController);
        preview->setModel(tournaments);
        addTab(m_tournamentsWindow, "tournament", "resources:tabicons/tournament.png");

        m_preferencesPage = new PreferencesWindow(m_translationsManager, m_ui.lobbyWidget);
        m_preferencesPage->setObjectName(QStringLiteral("preferencesPage"));
        connect(m_playerDb, &PlayerDb::playerPictureUpdate, m_preferencesPage, [this](qint32 pid) {
            if (pid == m_ownId)
                m_preferencesPage->setAvatar(m_playerDb->picture(pid, true));
        });
        connect(m_preferencesPage, &PreferencesWindow::compactViewChanged, m_gameController,
                &GameController::setCompactTableLayout);
        addTab(m_preferencesPage, "preferences", "resources:tabicons/preferences.png");

        // Join, leave and kick notices stay out of the lobby chat.
        m_ui.lobbyChat->setNoticeMask(11);
        m_ui.lobbyChat->setChatController(&m_chat);
        connect(m_ui.lobbyChat, &ConferenceWidget::userMenuRequested, this, &MainWindow::onUserMenuRequested);
        connect(m_playerDb, &PlayerDb::searchJidResult, this, &MainWindow::onSearchJidResult);
        connect(m_playerDb, &PlayerDb::searchJidError, this, &MainWindow::onSearchJidError);

        m_friendsPage = new FriendsWindow(&m_xmpp, &m_roster, m_playerDb, m_localizationDb, m_ui.lobbyWidget);
        m_friendsPage->setObjectName(QStringLiteral("friendsPage"));
        m_friendsPage->setTableModel(tables);
        connect(m_friendsPage, &FriendsWindow::joinTable, this, qOverload<qint32>(&MainWindow::joinTable));
        connect(m_friendsPage, &FriendsWindow::watchTable, this, &MainWindow::watchTable);
        addTab(m_friendsPage, "friends", "resources:tabicons/friends.png");

        m_howtoPage = createWebPage("howtoPage");
        addTab(m_howtoPage, "howto", "resources:tabicons/help.png");
        m_connection.query_web_page(WebPageRequest::HowTo);
        retranslateTabs();

        connect(m_ui.tableSelector, &TableSelector::tableClicked, this, &MainWindow::onTableClicked);
        connect(m_gameController, &GameController::tableActivity, m_ui.tableSelector, &TableSelector::onTableActivity);
        connect(m_gameController, &GameController::tableActiveChanged, m_ui.tableSelector,
                &TableSelector::onTableActiveChanged);
        connect(m_ui.toggleFullscreenButton, &QPushButton::clicked, this, &MainWindow::toggleWindowed);
        connect(m_ui.supportButton, &QPushButton::clicked, this, &MainWindow::onSupport);
        m_ui.accountButton->setMenu(&m_accountMenu);
        connect(m_ui.cashierButton, &QPushButton::clicked, this, &MainWindow::onDeposit);
        const int tab = QSettings().value(QStringLiteral("game/lobbyTab"), 0).toInt();
        tabs->setCurrentIndex(tab >= 0 && tab < tabs->count() ? tab : 0);
        onCurrentTabChanged(tabs->currentIndex());
    }
    m_ui.tableSelector->setActiveTable(-1);
    m_ui.loggedInStack->setCurrentWidget(m_ui.lobbyWidget);
    m_ui.centralWidget->setCurrentWidget(m_ui.loggedInWidget);
    startLobbyMusic();
    setBusy(false);
}

void MainWindow::retranslateTabs()
{
    UTabWidget *tabs = m_ui.mainTabs;
    for (int i = 0; i < tabs->count(); ++i) {
        const QString name = tabs->widget(i)->property(tabNameProperty).toString();
        QString text;
        if (name == QLatin1String("welcome"))
            text = tr("Start");
        else if (name == QLatin1String("lobby"))
            text = tr("Play");
        else if (name == QLatin1String("tournament"))
            text = tr("Tournaments");
        else if (name == QLatin1String("preferences"))
            text = tr("Settings");
        else if (name == QLatin1String("friends"))
            text = tr("Friends");
        else if (name == QLatin1String("howto"))
            text = tr("Game Guide");
        tabs->setTabText(i, text);
    }
    if (m_welcomePage) {
        m_welcomePage->titleLabel()->setPixmap(QPixmap(QStringLiteral("textimages:welcome.png")));
        m_welcomePage->subTitleLabel()->setText(
            tr("Make your choice below or go to the Lobby for more rules and table options"));
    }
    if (m_howtoPage) {
        m_howtoPage->titleLabel()->setPixmap(QPixmap(QStringLiteral("textimages:howto.png")));
        m_howtoPage->subTitleLabel()->setText(QString());
    }
}

int MainWindow::tabIndex(const QString &linkName) const
{
    for (int i = 0; i < m_ui.mainTabs->count(); ++i) {
        if (m_ui.mainTabs->widget(i)->property(tabNameProperty).toString() == linkName)
            return i;
    }
    return -1;
}

void MainWindow::onCurrentTabChanged(int index)
{
    QWidget *page = m_ui.mainTabs->widget(index);
    const QString name = page ? page->property(tabNameProperty).toString() : QString();
    const bool friends = name == QLatin1String("friends");
    const bool lobby = name == QLatin1String("lobby");
    const bool tournaments = name == QLatin1String("tournament");
    m_ui.lobbyChatFrame->setVisible(friends);
    m_ui.containerWidget->setVisible(!friends);
    m_ui.tablePreviewContainer->setVisible(lobby);
    m_ui.tournamentPreviewContainer->setVisible(tournaments);
    m_ui.lobbySummaryContainer->setVisible(!lobby && !tournaments);
    m_ui.comingTournamentsContainer->setVisible(!lobby && !tournaments);
}

void MainWindow::onDisplayTab(const QString &tab)
{
    if (m_ui.mainTabs->count() == 0) {
        qCWarning(lcMainwindow) << "no tabs yet to display" << tab;
        return;
    }
    const int index = tabIndex(tab);
    if (index >= 0)
        m_ui.mainTabs->setCurrentIndex(index);
}

void MainWindow::onDisplayTournament(qint32 persistentId)
{
    if (!m_tournamentsWindow) {
        qCWarning(lcMainwindow) << "no tournament lobby yet to show tournament" << persistentId;
        return;
    }
    m_ui.mainTabs->setCurrentIndex(tabIndex(QStringLiteral("tournament")));
    m_tournamentsWindow->selectTournament(persistentId);
}

void MainWindow::joinTable(qint32 tableId)
{
    joinTable(tableId, false);
}

void MainWindow::joinTable(qint32 tableId, bool previouslySeated)
{
    if (tableId < 1)
        return;
    if (!m_connection.isLoggedIn()) {
        qCWarning(lcMainwindow) << "not logged in: won't join table" << tableId;
        return;
    }
    if (m_gameController->hasTable(tableId)) {
        showTable(tableId);
        return;
    }
    TableModel *tables = m_lobbyController->tableModel();
    // A table the lobby does not hold is only joined when the server says
    // the player still sits there.
    if (!previouslySeated && !tables->hasTable(tableId)) {
        qCWarning(lcMainwindow) << "won't join table without subscription" << tableId;
        return;
    }
    setBusy(true);
    if (!previouslySeated && tables->isTableFull(tableId)) {
        qCDebug(lcMainwindow) << "watching table" << tableId;
        m_connection.watch_table(tableId);
        return;
    }
    qCDebug(lcMainwindow) << "joining table" << tableId;
    m_connection.join_table(tableId, -1);
}

void MainWindow::watchTable(qint32 tableId)
{
    if (tableId < 1)
        return;
    if (!m_connection.isLoggedIn()) {
        qCWarning(lcMainwindow) << "not logged in: won't watch table" << tableId;
        return;
    }
    if (!m_lobbyController->tableModel()->hasTable(tableId)) {
        qCWarning(lcMainwindow) << "won't watch table without subscription" << tableId;
        return;
    }
    if (m_gameController->hasTable(tableId)) {
        showTable(tableId);
        return;
    }
    setBusy(true);
    qCDebug(lcMainwindow) << "watching table" << tableId;
    m_connection.watch_table(tableId);
}

void MainWindow::onJoinSuccessful(qint32 tableId)
{
    setBusy(false);
    setStatus(tr("Joined table %1").arg(tableId));
}

void MainWindow::onWatchSuccessful(qint32 tableId)
{
    setBusy(false);
    setStatus(tr("Watching table %1").arg(tableId));
}

void MainWindow::onQuickJoinTable(const QString &lobbyPath)
{
    if (!m_connection.isLoggedIn()) {
        qCWarning(lcMainwindow) << "not logged in: won't quick-join" << lobbyPath;
        return;
    }
    m_connection.filter_join(lobbyPath);
    setBusy(true);
}

void MainWindow::onWaitingList(int seq)
{
    m_connection.cancel_filter_join(seq);
    setBusy(false);
    ModelessMsgBox::warning(this, tr("Join game failed!"),
                            tr("Failed to join game.\nPlease try again in a little while.\nIf problem persists "
                               "please contact support"));
}

QString MainWindow::joinFailureText(join_failed_reason::enum_t reason)
{
    return join_failed_reason::text(reason);
}

void MainWindow::onJoinFailed(qint32 tableId, join_failed_reason::enum_t reason)
{
    qCDebug(lcMainwindow) << "join of table" << tableId << "failed, reason" << int(reason);
    setBusy(false);
    const QString text = joinFailureText(reason);
    setStatus(text.isEmpty() ? tr("Join Failed") : tr("Join Failed: %1").arg(text));
    if (reason == 4 || reason == 7) {
        QMessageBox *box = ModelessMsgBox::question(this, tr("Join Failed"), text, QMessageBox::Yes | QMessageBox::No,
                                                    QMessageBox::Yes);
        ModelessMsgBox::onFinished(box, [this](int button) {
            if (button == QMessageBox::Yes)
                m_connection.query_web_page(WebPageRequest::Account);
        });
        return;
    }
    ModelessMsgBox::critical(this, tr("Join Failed"), text);
}

void MainWindow::onLeaveTableFailed(qint32, const QString &reason)
{
    ModelessMsgBox::critical(this, tr("Leave Failed"), reason);
}

void MainWindow::onWatchTableFailed(qint32 tableId, const QString &reason)
{
    qCDebug(lcMainwindow) << "watching table" << tableId << "failed";
    setBusy(false);
    setStatus(reason.isEmpty() ? tr("Watch Failed") : tr("Watch Failed: %1").arg(reason));
    ModelessMsgBox::critical(this, tr("Watch Failed"), reason);
}

void MainWindow::onUnwatchTableFailed(qint32 tableId)
{
    qCWarning(lcMainwindow) << "unwatch table" << tableId << "failed";
    if (m_ui.tableSelector->checkedTableId() == tableId)
        displayLobby();
}

void MainWindow::onTableClicked(int tableId)
{
    if (tableId == -1)
        displayLobby();
    else
        showTable(tableId);
}

QString MainWindow::tableTitle(qint32 tableId) const
{
    const QString name = m_localizationDb->tableNameById(tableId);
    return name.isEmpty() ? QString::number(tableId) : name;
}

void MainWindow::previouslySeated(qint32 tableId, qint32 tournamentId, qint32)
{
    if (tournamentId == -1)
        m_previouslySeated.insert(tableId);
    else
        m_gameController->onTournamentSeated(tournamentId, tableId, 1);
}

void MainWindow::previouslyWatching(qint32 tableId)
{
    m_previouslyWatched.insert(tableId);
}

void MainWindow::onTableInfoUpdate(const TableInfo &info)
{
    setBusy(false);
    const qint32 tableId = info.id();
    if (m_previouslySeated.erase(tableId) > 0 && info.gameType() != tournamentGameType) {
        QMessageBox *box = ModelessMsgBox::question(this, tr("Rejoin Table"),
                                                    tr("Do you want to rejoin table %1?").arg(tableTitle(tableId)),
                                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        ModelessMsgBox::onFinished(box, [this, tableId](int button) {
            if (button == QMessageBox::Yes)
                joinTable(tableId, true);
        });
    }
    if (m_previouslyWatched.erase(tableId) > 0) {
        QMessageBox *box = ModelessMsgBox::question(
            this, tr("Watch Table"), tr("Do you want to continue watching table %1?").arg(tableTitle(tableId)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        ModelessMsgBox::onFinished(box, [this, tableId](int button) {
            if (button == QMessageBox::Yes)
                watchTable(tableId);
        });
    }
}

void MainWindow::onAlreadySeated(qint32 tableId)
{
    setBusy(false);
    setStatus(tr("You are already seated at table %L1.").arg(tableId));
    QMessageBox *box = ModelessMsgBox::question(
        this, tr("Rejoin Table"), tr("You are already seated at table %L1.\nDo you want to rejoin?").arg(tableId),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    ModelessMsgBox::onFinished(box, [this, tableId](int button) {
        if (button != QMessageBox::Yes)
            return;
        TableModel *tables = m_lobbyController->tableModel();
        if (tables->hasTable(tableId) && tables->tableInfo(tableId).gameType() == tournamentGameType) {
            m_gameController->onTournamentSeated(tables->tableInfo(tableId).tournamentId(), tableId, 2);
            return;
        }
        // A table outside the lobby is joined by its id.
        joinTable(tableId, true);
    });
}

void MainWindow::onInvited(qint32 tableId, qint32 playerId)
{
    const QString name = m_playerDb->screenname(playerId);
    // The session shows the id in decimal until the real name arrives.
    if (name == QString::number(playerId)) {
        m_pendingInvitations.insert(playerId, tableId);
        return;
    }
    if (canShowInvitation(tableId, playerId))
        showInvitation(tableId, playerId);
    else
        qCDebug(lcMainwindow) << "won't show invite from " << playerId;
}

bool MainWindow::canShowInvitation(qint32 tableId, qint32 inviterId)
{
    const int state = QSettings().value(QStringLiteral("game/showtableinvites"), int(Qt::Checked)).toInt();
    if (state == Qt::Unchecked)
        return false;
    if (!m_lobbyController->tableModel()->hasTable(tableId))
        return false;
    if (m_ui.loggedInStack->currentWidget() != m_ui.lobbyWidget)
        return false;
    const auto last = m_lastInvitationTimes.constFind(inviterId);
    if (last != m_lastInvitationTimes.constEnd()) {
        const qint64 seconds = last.value().secsTo(QDateTime::currentDateTimeUtc());
        const qint64 limit = qint64(m_invitationInterval) * 60;
        if (seconds <= limit) {
            qCDebug(lcMainwindow) << "Too short since last table invite:" << seconds << limit;
            return false;
        }
    }
    return true;
}

void MainWindow::showInvitation(qint32 tableId, qint32 inviterId)
{
    m_lastInvitationTimes.insert(inviterId, QDateTime::currentDateTimeUtc());
    QString table = m_lobbyController->tableModel()->tableNameById(tableId);
    if (table.isEmpty())
        table = QString::number(tableId);
    QMessageBox *box = ModelessMsgBox::question(
        this, tr("Table invitation"),
        tr("%1 has invited you to table %2, do you want to join?").arg(m_playerDb->screenname(inviterId), table),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    ModelessMsgBox::onFinished(box, [this, tableId](int button) {
        if (button == QMessageBox::Yes)
            joinTable(tableId, false);
    });
}

void MainWindow::askToCompleteRegistration(int context)
{
    QString title;
    switch (context) {
    case 0:
        title = tr("Registration");
        break;
    case 1:
        title = tr("Join Failed");
        break;
    case 2:
        title = tr("Tournament registration");
        break;
    default:
        break;
    }
    QMessageBox *box = ModelessMsgBox::question(
        this, title,
        tr("You are not fully registered and therefore not allowed to play for money.\nDo you want to complete "
           "your registration now?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    ModelessMsgBox::onFinished(box, [this](int button) {
        if (button == QMessageBox::Yes)
            m_connection.query_web_page(WebPageRequest::Account);
    });
}

qint32 MainWindow::tableIdFromPath(const QString &path)
{
    bool ok = false;
    const qint32 id = path.section(QLatin1Char('/'), -1).toInt(&ok);
    return ok ? id : -1;
}

// Web pages, links and account actions.

QUrl MainWindow::makeUrl(const QString &url, const QString &fallback) const
{
    QString text = url.isEmpty() ? fallback : url;
    text.replace(QLatin1String("{host}"), m_webHost);
    text.replace(QLatin1String("{locale}"), m_translationsManager ? m_translationsManager->language() : QString());
    text.replace(QLatin1String("{sku}"), QLatin1String("Brisquel"));
    text.replace(QLatin1String("{partnerId}"), QString::number(m_connection.partnerId()));
    return QUrl(text);
}

void MainWindow::openUrl(const QUrl &url, int mode)
{
    if (url.isEmpty())
        return;
    const QString target = QUrlQuery(url).queryItemValue(QStringLiteral("_Target"));
    if (target == QLatin1String("internal"))
        mode = 1;
    else if (target == QLatin1String("external"))
        mode = 0;
    if (mode == 0) {
        if (!SystemBrowser::open(url)) {
            ModelessMsgBox::warning(
                this, tr("Web browser"),
                tr("The web browser could not be started. The address is:\n%1").arg(url.toDisplayString()));
        }
        return;
    }
    EmbeddedBrowser *browser = findChild<EmbeddedBrowser *>(QString(), Qt::FindDirectChildrenOnly);
    if (!browser) {
        browser = new EmbeddedBrowser(this);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        connect(browser, &EmbeddedBrowser::launchBrowser, this, &MainWindow::onLaunchBrowser);
    }
    JavascriptInterface::trustOrigin(url);
    browser->load(url);
    browser->show();
    centreOn(browser, this);
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
            openUrl(makeUrl(url, QString()), 0);
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
            openUrl(address, 1);
        }
        // A page opened later without an account action is the deposit.
        m_accountAction = Deposit;
        break;
    }
    case WebPageRequest::CreateUser:
        m_ui.accountButton->setEnabled(true);
        openUrl(makeUrl(url, QString()), 0);
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
        openUrl(makeUrl(url, QStringLiteral("http://{host}/support.html")), 0);
        break;
    case WebPageRequest::Help:
    case WebPageRequest::RulesClassic:
    case WebPageRequest::RulesInternational:
    case WebPageRequest::RulesRiichi:
        openUrl(makeUrl(url, QStringLiteral("http://{host}/about_rules.html")), 0);
        break;
    case WebPageRequest::CreateUserTerms:
    case WebPageRequest::ResetPassword:
        openUrl(makeUrl(url, QString()), 0);
        break;
    case WebPageRequest::SidePage:
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

void MainWindow::onUpdateTimeout()
{
    const QDateTime now = ServerTime::instance().now().toLocalTime();
    m_ui.serverTime->setText(tr("Local time is %1").arg(QLocale::system().toString(now, QLocale::ShortFormat)));
}

void MainWindow::onUpdatedPing() {}

// The in-game dialogs with fixed sample data, to compare their look with the
// style sheets without a server.
namespace {
PlayerHandScore sampleScore(qint32 id, const QString &name, int result, int settlement)
{
    PlayerHandScore score;
    score.playerId = id;
    score.screenName = name;
    score.result = result;
    score.handScore = result == 1 ? settlement : 0;
    score.settlement = settlement;
    score.currentScore = 25000 + settlement;
    return score;
}

TableInfo sampleTable()
{
    TableInfo info(4711, QStringLiteral("101/Practice"));
    info.setRuleset(2);
    info.setCapacity(4);
    info.setSeated(4);
    info.setGameType(TableInfo::FULL_GAME);
    info.setWindRounds(2);
    return info;
}
} // namespace

void MainWindow::onDisplayMiscDialogs()
{
    // The current tile set again, so that tile pictures exist.
    QSettings settings;
    const int blank = settings.value(QStringLiteral("game/tileblank"), 0).toInt();
    const int face = settings.value(QStringLiteral("game/tileface"), 0).toInt();
    TileGraphics::instance().setTileSet(blank >= 0 && blank < TileGraphics::blankNames().size() ? blank : 0,
                                        face >= 0 && face < TileGraphics::faceNames().size() ? face : 0);

    EndHandScoring scoring;
    scoring.winKind = EndHandScoring::WIN_ON_DISCARD;
    PlayerHandScore winner = sampleScore(1, QStringLiteral("Ayame"), 1, 7700);
    winner.doublesLines = {
        {QStringLiteral("Riichi"), 1}, {QStringLiteral("All simples"), 1}, {QStringLiteral("Dora"), 2}};
    winner.doublesTotal = 4;
    winner.pointsLines = {{QStringLiteral("Base"), 20}, {QStringLiteral("Closed ron"), 10}};
    winner.pointsTotal = 30;
    winner.payment = 1540;
    winner.tileGroups = {{{1, 2, 3}, 2}, {{11, 12, 13}, 12}, {{21, 22, 23}, 21}, {{4, 4, 4}, 4}, {{14, 14}, 14}};
    scoring.players[1] = winner;
    PlayerHandScore loser = sampleScore(2, QStringLiteral("Kurosawa"), 0, -7700);
    loser.payment = -1540;
    scoring.players[2] = loser;
    scoring.players[3] = sampleScore(3, QStringLiteral("Li Wei"), 0, 0);
    scoring.players[4] = sampleScore(4, QStringLiteral("Bob"), 0, 0);
    scoring.doraTiles = {3, 28};
    scoring.uraDoraTiles = {17};
    auto *board = new ScoreBoard(this);
    board->setAttribute(Qt::WA_DeleteOnClose);
    board->setScoring(scoring, 1, sampleTable());
    board->setPlayerPicture(1, QPixmap(QStringLiteral("resources:/avatar-default-1.png")));
    board->setPlayerPicture(2, QPixmap(QStringLiteral("resources:/avatar-default-2.png")));
    board->setPlayerPicture(3, QPixmap(QStringLiteral("resources:/avatar-default-blue.png")));
    board->show();

    auto *claim = new MeldAuction(this);
    claim->setAttribute(Qt::WA_DeleteOnClose);
    claim->enablePass();
    for (const meld_offer &offer : {meld_offer(1, 2), meld_offer(1, 3), meld_offer(2, 4), meld_offer(16, 0)})
        claim->addOffer(offer, 4);
    claim->setAuctionType(MeldAuction::Claim);
    claim->show();
    centreOn(claim, this);

    auto *declaration = new MeldAuction(this);
    declaration->setAttribute(Qt::WA_DeleteOnClose);
    declaration->showCloseButton();
    declaration->enablePass();
    for (const meld_offer &offer : {meld_offer(1, 5), meld_offer(2, 6), meld_offer(16, 0)})
        declaration->addOffer(offer, 6);
    declaration->setAuctionType(MeldAuction::Claim);
    declaration->show();
    centreOn(declaration, this);

    auto *rounds = new RoundScoreBoard(m_localizationDb, this);
    rounds->setAttribute(Qt::WA_DeleteOnClose);
    rounds->setWindowFlag(Qt::Dialog);
    rounds->setPlayerLookup(
        [](qint32 id) {
        static const char *const names[] = {"Ayame", "Kurosawa", "Li Wei", "Bob"};
        return QString::fromLatin1(names[(id - 1) & 3]);
        },
        [](qint32) { return QPixmap(); });
    rounds->setTournamentInfo(TournamentInfo());
    rounds->setRoundScores({{1, 32000, 3}, {2, 18000, -1}, {3, 41000, 3}, {4, 9000, -5}});
    rounds->show();

    ComingEvent event;
    event.kind = 1;
    event.when = ServerTime::instance().now().addSecs(180);
    auto *popup = new ComingEventPopup(this, event);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->move(20, 60);
    popup->show();
}

// Table pages.

void MainWindow::showTable(qint32 tableId)
{
    stopLobbyMusic();
    GameWindow *window = m_gameController->getOrCreateView(tableId);
    if (!window)
        return;
    m_ui.tableSelector->setActiveTable(tableId);
    m_ui.loggedInStack->setCurrentWidget(window);
}

void MainWindow::onTableViewCreated(qint32 tableId, GameWindow *window)
{
    qCDebug(lcMainwindow) << "creating game page" << tableId;
    m_ui.loggedInStack->addWidget(window);
    try {
        m_ui.tableSelector->addTable(window->tableInfo());
    } catch (const std::exception &e) {
        qCWarning(lcMainwindow) << "no strip button for table" << tableId << e.what();
    }
    connect(window, &GameWindow::linkActivated, this, &MainWindow::onLaunchBrowser);
    connect(window, &GameWindow::userMenuRequested, this, &MainWindow::onUserMenuRequested);
}

void MainWindow::onTableViewDestroyed(qint32 tableId)
{
    qCDebug(lcMainwindow) << "table view" << tableId << "destroyed, destroying game page";
    m_ui.tableSelector->removeTable(tableId);
}

void MainWindow::onTableViewAboutToBeDestroyed(qint32 tableId)
{
    if (m_ui.tableSelector->checkedTableId() == tableId)
        displayLobby();
}

void MainWindow::onRegularTableJoined(qint32 tableId)
{
    setBusy(false);
    if (m_ui.tableSelector->checkedTableId() != tableId)
        showTable(tableId);
}

void MainWindow::onTableWatched(qint32 tableId, bool show)
{
    setBusy(false);
    if (m_ui.tableSelector->checkedTableId() != tableId) {
        if (show)
            showTable(tableId);
        emit tableWatched(tableId);
    }
}

void MainWindow::onTournamentTableJoined(qint32 tournamentId, qint32 tableId, int reason)
{
    if (m_ui.tableSelector->checkedTableId() == tableId)
        return;
    if (reason != 0 && reason != 1) {
        showTable(tableId);
        return;
    }
    const TournamentInfo &info = m_tournamentsController->model()->tournamentInfo(tournamentId);
    const QString title = reason == 0 ? tr("New tournament round - %1").arg(info.name)
                                      : tr("Continuing tournament round - %1").arg(info.name);
    const QString text = reason == 0 ? tr("You have been assigned to tournament table %1. Show now?").arg(tableId)
                                     : tr("You are assigned to tournament table %1. Show now?").arg(tableId);
    QMessageBox *box = ModelessMsgBox::question(this, title, text, QMessageBox::Yes | QMessageBox::No,
                                                QMessageBox::Yes);
    ModelessMsgBox::onFinished(box, [this, tableId](int button) {
        if (button == QMessageBox::Yes && m_gameController->hasTable(tableId))
            showTable(tableId);
    });
}

void MainWindow::onTournamentScoreDialogClosed(qint32 tournamentId, qint32, bool)
{
    m_tournamentsController->createTournamentDetailDialog(tournamentId);
}

void MainWindow::onInvitePlayers(qint32 tableId, const std::vector<qint32> &invitees)
{
    m_connection.invite_players(tableId, invitees);
}

// The menu on player names.

void MainWindow::onUserMenuRequested(const QString &name, const QPoint &pos)
{
    qCDebug(lcMainwindow) << "Received onUserMenuRequested, name " << name << ", pos " << pos;
    if (m_xmpp.state() != XMPPClient::ConnectedState || !m_friendsPage)
        return;
    if (m_playerDb->hasScreenname(name))
        showUserMenu(m_playerDb->jidForScreenname(name), pos);
    else
        m_playerDb->queryScreennameInfo(name);
}

void MainWindow::onSearchJidResult(const XMPPJid &jid)
{
    showUserMenu(jid, QCursor::pos());
}

void MainWindow::onSearchJidError(const QString &error)
{
    m_userMenu.clear();
    m_userMenu.addAction(error)->setEnabled(false);
    m_userMenu.popup(QCursor::pos());
}

void MainWindow::showUserMenu(const XMPPJid &jid, const QPoint &pos)
{
    m_userMenu.clear();
    bool ok = false;
    const qint32 pid = jid.node().toInt(&ok);
    const XMPPRosterItem *item = m_friendsPage ? m_friendsPage->findFriend(jid) : nullptr;
    if (ok && pid == m_ownId) {
        m_userMenu.addAction(tr("This is you"))->setEnabled(false);
    } else if (!item || (item->flags & 5) == 0) {
        QAction *add = m_userMenu.addAction(tr("Add to friends"));
        add->setData(QVariant::fromValue(jid));
        connect(add, &QAction::triggered, this, &MainWindow::onAddFriendAction);
    } else {
        const XMPPPresence *presence = item->bestPresence();
        const qint32 inFront = m_ui.tableSelector->checkedTableId();
        bool onlyHere = false;
        if (presence) {
            for (const QString &path : presence->tables()) {
                const qint32 tableId = tableIdFromPath(path);
                if (tableId == -1)
                    continue;
                if (tableId == inFront) {
                    onlyHere = true;
                    continue;
                }
                if (!m_lobbyController->tableModel()->hasTable(tableId))
                    continue;
                QAction *watch = m_userMenu.addAction(
                    tr("Watch table %1", "%1 is table name").arg(tableTitle(tableId)));
                watch->setData(tableId);
                connect(watch, &QAction::triggered, this, &MainWindow::onWatchTableAction);
            }
        }
        if (m_userMenu.isEmpty()) {
            const QString text = !presence  ? tr("Friend is offline")
                                 : onlyHere ? tr("Friend is only playing at this table")
                                            : tr("Friend is not playing");
            m_userMenu.addAction(text)->setEnabled(false);
        }
    }
    if (!m_userMenu.isEmpty())
        m_userMenu.popup(pos);
}

void MainWindow::onAddFriendAction()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action) {
        qCWarning(lcMainwindow) << "bad sender of add friend action";
        return;
    }
    if (action->data().canConvert<XMPPJid>() && m_friendsPage) {
        m_friendsPage->addFriend(action->data().value<XMPPJid>());
        return;
    }
    if (m_friendsPage) {
        m_friendsPage->openFriendSearch(action->data().toString());
        m_ui.mainTabs->setCurrentIndex(tabIndex(QStringLiteral("friends")));
    }
}

void MainWindow::onWatchTableAction()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action) {
        qCWarning(lcMainwindow) << "bad sender of watch table action";
        return;
    }
    bool ok = false;
    const int tableId = action->data().toInt(&ok);
    if (!ok) {
        qCWarning(lcMainwindow) << "invalid table id data in watch table action";
        return;
    }
    watchTable(tableId);
}
