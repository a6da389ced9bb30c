#pragma once

#include "protocol/ConnectionManager.h"

#include <QMainWindow>
#include <QString>

#include <string>

class GameController;
class LobbyController;
class LobbySummary;
class LobbyWindow;
class LocalizationDb;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QWidget;
class TablePreview;
class TournamentsLobbyModel;
class TranslationsManager;

// The program's top-level window. For now it connects to the game server,
// logs in (asking for the credentials when the command line gave none) and
// shows the live lobby with its summary and table preview; what happens is
// reported in the status line. Tables, pages and chat come later.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(const QString &gameHost, quint16 gamePort, const QString &userName, const QString &password,
               bool useSsl, const QString &webHost, TranslationsManager *translationsManager);
    ~MainWindow() override;

    QString gameHost() const { return m_gameHost; }
    quint16 gamePort() const { return m_gamePort; }
    bool useSsl() const { return m_useSsl; }
    QString webHost() const { return m_webHost; }

    ConnectionManager &connectionManager() { return m_connection; }
    // Null until the first successful login.
    LobbyController *lobbyController() const { return m_lobbyController; }
    LocalizationDb *localizationDb() const { return m_localizationDb; }

    // The words the client uses for a refused login or join.
    static QString loginFailureText(qint32 status);
    static QString joinFailureText(join_failed_reason::enum_t reason);

public slots:
    void onStartupFinished(bool success);
    void login(const QString &userName, const QString &password);
    void joinTable(qint32 tableId);
    void watchTable(qint32 tableId);

private slots:
    void onConnecting();
    void onConnected();
    void onDisconnected();
    void onVersionCheckComplete();
    void onLoginFailed(qint32 status);
    void onLoginSuccess(qint32 playerId, const QString &name, const QString &credentials);
    void onExceptionCaught(const std::string &message);
    void onJoinSuccessful(qint32 tableId);
    void onJoinFailed(qint32 tableId, join_failed_reason::enum_t reason);
    void onWatchSuccessful(qint32 tableId);
    void onWatchFailed(qint32 tableId, const QString &reason);
    void onAlreadySeated(qint32 tableId);
    void onLoginButtonClicked();
    void updateLoginButton();

private:
    void buildLoginPage();
    void buildLobby();
    void showLoginForm();
    void setStatus(const QString &text);
    QString serverText() const;

    ConnectionManager m_connection;
    QString m_gameHost;
    quint16 m_gamePort;
    QString m_userName;
    QString m_password;
    bool m_useSsl;
    QString m_webHost;
    TranslationsManager *m_translationsManager;

    // Tells a lost connection from one that never came up.
    bool m_wasConnected = false;
    bool m_loginAllowed = false;
    bool m_loginPending = false;
    // Set by the first fatal session error; the program is ending.
    bool m_failed = false;

    QStackedWidget *m_pages = nullptr;
    QWidget *m_loginPage = nullptr;
    QLabel *m_welcomeLabel = nullptr;
    QWidget *m_loginForm = nullptr;
    QLineEdit *m_userNameEdit = nullptr;
    QLineEdit *m_passwordEdit = nullptr;
    QPushButton *m_loginButton = nullptr;
    QWidget *m_lobbyPage = nullptr;
    QLabel *m_statusLine = nullptr;

    LobbyController *m_lobbyController = nullptr;
    GameController *m_gameController = nullptr;
    LocalizationDb *m_localizationDb = nullptr;
    LobbyWindow *m_lobbyWindow = nullptr;
    TournamentsLobbyModel *m_tournaments = nullptr;
    LobbySummary *m_lobbySummary = nullptr;
    TablePreview *m_tablePreview = nullptr;
};
