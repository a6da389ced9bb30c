#pragma once

#include "mainwindow/MainTournamentsHost.h"
#include "mainwindow/MainView.h"
#include "protocol/ClientConfig.h"
#include "protocol/ConnectionManager.h"
#include "protocol/TableInfo.h"
#include "protocol/WebPageRequest.h"
#include "social/ChatController.h"
#include "widgets/VisibleTimer.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPRosterModel.h"

#include <QAction>
#include <QDateTime>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMultiMap>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <set>
#include <string>

class ComingEventsModel;
class EmbeddedWebPage;
class FriendsWindow;
class TablePresenceManager;
class GameController;
class GameWindow;
class LobbyController;
class LobbyWindow;
class LocalizationDb;
class PlayerDb;
class PreferencesWindow;
class QMessageBox;
class TournamentsController;
class TournamentsLobbyModel;
class TournamentsLobbyWindow;
class TranslationsManager;

// The program's one top-level window: it owns both server sessions and the
// controllers, holds the login, account and logged-in pages and joins them.
class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(QString trademarkStyle READ trademarkStyle WRITE setTrademarkStyle)

public:
    enum AccountAction {
        Deposit = 0,
        Withdraw = 1,
        Statement = 2,
        MyProfile = 3,
        HandHistory = 4,
        PlayerProtection = 5,
        ChangePassword = 6
    };

    MainWindow(const QString &gameHost, quint16 gamePort, const QString &userName, const QString &password, bool useSsl,
               const QString &webHost, TranslationsManager *translationsManager);
    ~MainWindow() override;

    QString gameHost() const { return m_gameHost; }
    quint16 gamePort() const { return m_gamePort; }
    bool useSsl() const { return m_useSsl; }
    QString webHost() const { return m_webHost; }

    ConnectionManager &connectionManager() { return m_connection; }
    XMPPClient &xmppClient() { return m_xmpp; }
    ChatController &chatController() { return m_chat; }
    PlayerDb *playerDb() const { return m_playerDb; }
    const ClientConfig &clientConfig() const { return m_clientConfig; }
    // Null until the first successful login.
    LobbyController *lobbyController() const { return m_lobbyController; }
    GameController *gameController() const { return m_gameController; }
    LocalizationDb *localizationDb() const { return m_localizationDb; }
    const MainView &view() const { return m_ui; }
    int pendingAccountAction() const { return m_accountAction; }
    qint64 accountBalance() const { return m_accountBalance; }
    TournamentsController *tournamentsController() const { return m_tournamentsController; }

    QString trademarkStyle() const { return m_trademarkStyle; }
    void setTrademarkStyle(const QString &style);

    // An address of the server (or its fallback) with the placeholders filled in.
    QUrl makeUrl(const QString &url, const QString &fallback) const;
    // Opens an address: mode 0 in the system browser, 1 in the in-window browser.
    // fromServer: the game server sent the address, so its https origin is
    // trusted; an address from a page or a link never is.
    void openUrl(const QUrl &url, int mode, bool fromServer = false);
    void askToCompleteRegistration(int context);

    // The words the client uses for a refused login or join.
    static QString loginFailureText(qint32 status);
    static QString joinFailureText(join_failed_reason::enum_t reason);
    static int accountActionFromLink(const QString &link);
    static QString accountActionName(int action);
    // The table id at the end of a lobby path, -1 when there is none.
    static qint32 tableIdFromPath(const QString &path);

signals:
    void setToggleWindowedText(QString text);

public slots:
    void onDeposit();
    void displayLobby();
    void setPlayerName(const QString &name);
    void toggleWindowed();
    void onStartupFinished(bool success);
    void onSystemMessage(qint32 type, qint32 level, const QString &message);
    void onExceptionCaught(const std::string &message);
    void login(const QString &userName, const QString &password);
    void onCreateUser();
    void onCreateUserCancel();
    void onCreateUserTerms();
    void onCreateUserInfo(const QString &userName, const QString &password, const QString &email);
    void onConnected();
    void onVersionCheckComplete();
    void onDisconnected();
    void onForcedLogout();
    void reconnectAfterScreenNameChange();
    void onXMPPConnected();
    void onXMPPDisconnected();
    void loginSuccessful(qint32 pid, const QString &name, const QString &credentials, bool fullyRegistered);
    void onClientConfig(const ClientConfig &config);
    void joinTable(qint32 tableId, bool previouslySeated);
    void joinTable(qint32 tableId);
    void watchTable(qint32 tableId);
    void onJoinFailed(qint32 tableId, join_failed_reason::enum_t reason);
    void previouslySeated(qint32 tableId, qint32 tournamentId, qint32 seat);
    void previouslyWatching(qint32 tableId);
    void on_quitButton_clicked();
    void onTableClicked(int tableId);
    void onLeaveTableFailed(qint32 tableId, const QString &reason);
    void onWatchTableFailed(qint32 tableId, const QString &reason);
    void onAlreadySeated(qint32 tableId);
    void onUnwatchTableFailed(qint32 tableId);
    void onSetScreenname(const QString &name);
    void onSetScreennameOk();
    void onSetScreennameFailed(const QString &reason, bool needsScreenname);
    void onPlayerNameUpdate(qint32 pid, const QString &name);
    void onPlayerPictureUpdate(qint32 pid);
    void onCurrentAccountBalance(qint64 balance);
    void onChangePictureOk();
    void onChangePictureFailed();
    void onWaitingList(int seq);
    void onCurrentTabChanged(int index);
    void onDisplayTab(const QString &tab);
    void onLaunchBrowser(const QString &url);
    void onQuickJoinTable(const QString &lobbyPath);
    void onDisplayTournament(qint32 persistentId);
    void onHelp();
    void onSupport();
    void onExternSupport();
    void onWithdraw();
    void onStatement();
    void onMyProfile();
    void onHandHistory();
    void onPlayerProtection();
    void onChangePassword();
    void onResetPassword();
    void onWebPage(WebPageRequest::enum_t page, const QString &url);
    void startLobbyMusic();
    void stopLobbyMusic();
    void onUpdateTimeout();
    void onUpdatedPing();
    void onTableInfoUpdate(const TableInfo &info);
    void onConferenceRooms(const QList<XMPPJid> &rooms);
    void onConferenceJID(const XMPPJid &jid);
    void onPlayerMessage(const QString &message);
    void onPlayerDiscardedFromTournament(qint32 tournamentId);
    void onPlayerTournamentAborted(qint32 tournamentId);
    void onInvited(qint32 tableId, qint32 playerId);
    void onDisplayMiscDialogs();
    void onTableViewCreated(qint32 tableId, GameWindow *window);
    void onTableViewDestroyed(qint32 tableId);
    void onTableViewAboutToBeDestroyed(qint32 tableId);
    void onRegularTableJoined(qint32 tableId);
    void onTableWatched(qint32 tableId, bool show);
    void onTournamentTableJoined(qint32 tournamentId, qint32 tableId, int reason);
    void onTournamentScoreDialogClosed(qint32 tournamentId, qint32 tableId, bool lastRound);
    void onInvitePlayers(qint32 tableId, const std::vector<qint32> &invitees);
    void onUserMenuRequested(const QString &name, const QPoint &pos);
    // A chat room's nick whose player the room showed.
    void onPlayerMenuRequested(const XMPPJid &jid, const QPoint &pos);
    void onSearchJidResult(const XMPPJid &jid);
    void onSearchJidError(const QString &error);
    void onAddFriendAction();
    void onWatchTableAction();

private slots:
    void on_retryButton_clicked();
    void onJoinSuccessful(qint32 tableId);
    void onWatchSuccessful(qint32 tableId);
    void onLoginFailed(qint32 status);
    void onConnecting();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Dialogs that float over the window sit in its middle.
    void centreOnWindow(QWidget *widget);
    void restoreLoginPage(const QString &userName, const QString &password);
    void restoreWindowSettings();
    void saveWindowSettings();
    void showSetScreennameDialog(const QString &error);
    void closeSetScreennameDialog();
    void createAccountMenu();
    void startAccountAction(AccountAction action);
    void updateFooter();
    void updateToggleText();
    // What the full-screen button offers: true while it offers "Windowed".
    bool showsFullScreen() const;
    void retranslateTabs();
    void connectWebPage(EmbeddedWebPage *page);
    EmbeddedWebPage *createWebPage(const char *name);
    int tabIndex(const QString &linkName) const;
    bool canShowInvitation(qint32 tableId, qint32 inviterId);
    void showInvitation(qint32 tableId, qint32 inviterId);
    QString tableTitle(qint32 tableId) const;
    void showTable(qint32 tableId);
    void showUserMenu(const XMPPJid &jid, const QPoint &pos);
    // Status texts are kept as the way to word them, so that they follow
    // the language. A lasting one (connection, login) stays until the next;
    // a passing one (a join, a refusal) gives way to it after a while.
    using StatusText = std::function<QString()>;
    void setStatus(StatusText text);
    void setPassingStatus(StatusText text);
    void showStatus();
    QString serverText() const;
    // One busy cursor: set once, restored once, whatever ends the work.
    void setBusy(bool busy);
    // The lobby takes no more join or watch clicks once the session is gone.
    void setSessionLive(bool live);

    QPointer<EmbeddedWebPage> m_welcomePage;
    PreferencesWindow *m_preferencesPage = nullptr;
    FriendsWindow *m_friendsPage = nullptr;
    TablePresenceManager *m_tablePresence = nullptr;
    TournamentsController *m_tournamentsController = nullptr;
    QPointer<EmbeddedWebPage> m_howtoPage;
    ConnectionManager m_connection;
    XMPPClient m_xmpp;
    XMPPRosterModel m_roster;
    PlayerDb *m_playerDb = nullptr;
    ChatController m_chat;
    MainTournamentsHost m_tournamentsHost;
    GameController *m_gameController = nullptr;
    LobbyController *m_lobbyController = nullptr;
    TranslationsManager *m_translationsManager;
    QPointer<QMessageBox> m_quitQuestion;
    std::set<qint32> m_previouslySeated;
    std::set<qint32> m_previouslyWatched;
    QString m_credentials;
    ClientConfig m_clientConfig;
    MainView m_ui;
    QAction m_reloadStyleAction;
    QAction m_sampleDialogsAction;
    // Ticks only while the local time is on screen.
    VisibleTimer m_localTimeTimer{this};
    QString m_gameHost;
    quint16 m_gamePort;
    QString m_userName;
    QString m_password;
    bool m_useSsl;
    bool m_fullyRegistered = false;
    int m_reconnectState = 0;
    QString m_webHost;
    QMenu m_userMenu;
    // The names of the player menus the server is asked about, oldest first.
    QStringList m_menuQueries;
    QMenu m_accountMenu;
    LocalizationDb *m_localizationDb = nullptr;
    QString m_trademarkStyle;
    bool m_fullScreen = true;
    qint64 m_accountBalance = 0;
    // Starts as the deposit: a page 1 opened before any account action.
    int m_accountAction = Deposit;
    QMap<qint32, QDateTime> m_lastInvitationTimes;
    int m_invitationInterval = 10;
    QMultiMap<qint32, qint32> m_pendingInvitations;

    LobbyWindow *m_lobbyWindow = nullptr;
    TournamentsLobbyWindow *m_tournamentsWindow = nullptr;
    qint32 m_ownId = -1;
    bool m_busy = false;
    bool m_loggedIn = false;
    // A login was sent and not answered yet.
    bool m_loginPending = false;
    // Tells a lost connection from one that never came up.
    bool m_wasConnected = false;
    // Set by the first fatal session error; the program is ending.
    bool m_failed = false;
    int m_pictureUpdates = 0;
    StatusText m_status;
    StatusText m_passingStatus;
    QTimer m_passingStatusTimer;
    ComingEventsModel *m_comingEvents = nullptr;

public:
    // How long a passing status text stays.
    static constexpr int PassingStatusMs = 10000;
};
