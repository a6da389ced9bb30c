#pragma once

#include <QCoreApplication>

class ConferenceWidget;
class CreateUserWindow;
class EmbeddedWebPage;
class LobbySummary;
class LoginWindow;
class QFrame;
class QHBoxLayout;
class QLabel;
class QMainWindow;
class QStackedWidget;
class QVBoxLayout;
class QWidget;
class TablePreview;
class TableSelector;
class UPushButton;
class UTabWidget;

// The widgets of the main window: the login and account pages and the
// logged-in frame with its top bar, tabs, side column and footer. The style
// sheets address them by object name.
class MainView
{
    Q_DECLARE_TR_FUNCTIONS(MainView)

public:
    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);

    QStackedWidget *centralWidget = nullptr;

    QFrame *loginWidget = nullptr;
    LoginWindow *loginWindow = nullptr;
    // Shown while the game server cannot be reached, with a way to try again.
    QLabel *connectionNotice = nullptr;
    UPushButton *retryButton = nullptr;

    QFrame *createUserWidget = nullptr;
    CreateUserWindow *createUserWindow = nullptr;

    QFrame *loggedInWidget = nullptr;
    QFrame *topBar = nullptr;
    QLabel *topBarAccountBalanceLabel = nullptr;
    TableSelector *tableSelector = nullptr;
    UPushButton *accountButton = nullptr;
    UPushButton *supportButton = nullptr;
    UPushButton *toggleFullscreenButton = nullptr;
    UPushButton *quitButton = nullptr;

    QStackedWidget *loggedInStack = nullptr;
    QFrame *lobbyWidget = nullptr;
    QLabel *logo = nullptr;
    QFrame *accountInfo = nullptr;
    QLabel *avatarLabel = nullptr;
    QLabel *loggedInAsLabel = nullptr;
    UPushButton *cashierButton = nullptr;
    QLabel *accountBalanceLabel = nullptr;

    UTabWidget *mainTabs = nullptr;
    QFrame *sideFrame = nullptr;
    EmbeddedWebPage *adSidePage = nullptr;
    QWidget *containerWidget = nullptr;
    QWidget *lobbySummaryContainer = nullptr;
    LobbySummary *lobbySummary = nullptr;
    QWidget *tablePreviewContainer = nullptr;
    TablePreview *tablePreview = nullptr;
    QWidget *tournamentPreviewContainer = nullptr;
    QWidget *comingTournamentsContainer = nullptr;
    QFrame *lobbyChatFrame = nullptr;
    QFrame *chatHeader = nullptr;
    QLabel *label = nullptr;
    QFrame *chatIcon = nullptr;
    ConferenceWidget *lobbyChat = nullptr;

    QLabel *kestrovaLogo = nullptr;
    // What the client knows about the connection (lost, refused, ...).
    QLabel *statusLine = nullptr;
    QLabel *serverTime = nullptr;

private:
    void setupLoginPages();
    void setupTopBar();
    void setupLobby();
    void setupSideFrame(QHBoxLayout *parent);
};
