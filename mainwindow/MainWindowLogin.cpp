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
#include "widgets/Utils.h"
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
constexpr const char *generatedNamePrefix = "player-";
} // namespace
// Login, connection and session flow.

void MainWindow::onConnecting()
{
    m_wasConnected = false;
    m_ui.connectionNotice->hide();
    m_ui.retryButton->hide();
    setStatus([this] { return tr("Connecting to %1...").arg(serverText()); });
}

void MainWindow::onConnected()
{
    qCDebug(lcMainwindow) << "connected to host";
    m_wasConnected = true;
    setStatus([this] { return tr("Connected to %1").arg(serverText()); });
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
        m_loginPending = true;
        m_connection.login(m_userName, m_password);
        return;
    }
    // Credentials from the command line only fill in the login page.
    setStatus([this] { return tr("Connected to %1. Please log in.").arg(serverText()); });
}

void MainWindow::onDisconnected()
{
    qCDebug(lcMainwindow) << "disconnected";
    m_loginPending = false;
    // Questions of this connection are answered by none.
    m_menuQueries.clear();
    setBusy(false);
    if (m_reconnectState == 1) {
        m_reconnectState = 2;
        QTimer::singleShot(1000, this, &MainWindow::reconnectAfterScreenNameChange);
        return;
    }
    if (m_failed)
        return;
    if (m_wasConnected)
        setStatus([] { return tr("The server closed the connection"); });
    else
        setStatus([this] { return tr("Cannot connect to %1").arg(serverText()); });
    if (!m_loggedIn) {
        // Nothing is lost yet: the login page stays, its button offering to
        // try again right beside the notice.
        m_ui.connectionNotice->show();
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
        // The player reads why before the window goes.
        Log::criticalAndExit(QStringLiteral("The server closed the connection"),
                             tr("The server closed the connection"));
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
    // One login at a time, and none once logged in, whichever page asks.
    if (m_loginPending || m_loggedIn) {
        qCWarning(lcMainwindow) << "a login is already under way or done: no second one";
        return;
    }
    m_loginPending = true;
    m_userName = userName;
    m_password = password;
    Log::addSecret(password);
    QSettings().setValue(QStringLiteral("login/userName"), userName);
    setBusy(true);
    setStatus([userName] { return tr("Logging in as %1...").arg(userName); });
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
    m_loginPending = false;
    setStatus([status] { return tr("Login failed: %1").arg(loginFailureText(status)); });
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
    m_loginPending = false;
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

    // Once per run: a later login answer keeps the events and their popups.
    if (!m_comingEvents) {
        m_comingEvents = new ComingEventsModel(&m_connection, m_tournamentsController->model(), this);
        auto *comingEventsView = new ComingEventsView(m_comingEvents, m_ui.loggedInWidget);
        comingEventsView->anchorBelow(m_ui.topBar, 0);
    }

    m_credentials = credentials;
    m_connection.query_client_config();
    setPlayerName(name);
    setStatus([name] { return tr("Logged in as %1").arg(Utils::isolated(name)); });
    displayLobby();
    if (m_fullScreen)
        setWindowState(windowState() | Qt::WindowFullScreen);
    else
        setWindowState(windowState() & ~Qt::WindowFullScreen);

    m_localTimeTimer.setObjectName(QStringLiteral("localTimeTimer"));
    m_localTimeTimer.setInterval(1000);
    m_localTimeTimer.setWidget(m_ui.serverTime);
    m_localTimeTimer.disconnect(this);
    ServerTime::instance().disconnect(this);
    connect(&m_localTimeTimer, &VisibleTimer::timeout, this, &MainWindow::onUpdateTimeout);
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
    centreOnWindow(dialog);
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
    // The service lists only rooms someone is in: without a listed lobby
    // the service's own "lobby" room is entered (and made when empty).
    XMPPJid lobby(m_chat.conferenceService().text(), QStringLiteral("lobby"));
    for (const XMPPJid &room : rooms) {
        if (room.node() == QLatin1String("lobby")) {
            lobby = room;
            break;
        }
    }
    m_chat.setLobbyRoom(lobby);
    m_ui.lobbyChat->joinLobbyChat();
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
    setStatus([] { return tr("Error"); });
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
