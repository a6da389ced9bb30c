#include "mainwindow/MainWindow.h"

#include "mainwindow/Logging.h"

#include "app/Log.h"
#include "app/MahjongApplication.h"

#include "lobby/LobbyController.h"
#include "lobby/LobbySummary.h"
#include "lobby/LobbyWindow.h"
#include "lobby/LocalizationDb.h"
#include "lobby/TableModel.h"
#include "lobby/TablePreview.h"
#include "protocol/ServerTime.h"
#include "core/ApplicationVersion.h"
#include "protocol/login_status.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"

#include <QCoreApplication>
#include <QTabWidget>
#include <QDebug>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

MainWindow::MainWindow(const QString &gameHost, quint16 gamePort, const QString &userName,
                       const QString &password, bool useSsl, const QString &webHost,
                       TranslationsManager *translationsManager)
    : QMainWindow(nullptr)
    , m_connection(useSsl)
    , m_gameHost(gameHost)
    , m_gamePort(gamePort)
    , m_userName(userName)
    , m_password(password)
    , m_useSsl(useSsl)
    , m_webHost(webHost)
    , m_translationsManager(translationsManager)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Brisquel - ") + applicationVersion());

    m_pages = new QStackedWidget(this);
    setCentralWidget(m_pages);
    buildLoginPage();

    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setTextFormat(Qt::PlainText); // texts may come from the server
    statusBar()->addWidget(m_statusLine, 1);

    connect(&m_connection, &ConnectionManager::connecting, this, &MainWindow::onConnecting);
    connect(&m_connection, &ConnectionManager::connected, this, &MainWindow::onConnected);
    connect(&m_connection, &ConnectionManager::disconnected, this, &MainWindow::onDisconnected);
    connect(&m_connection, &ConnectionManager::versionCheckComplete, this, &MainWindow::onVersionCheckComplete);
    connect(&m_connection, &ConnectionManager::loginFailed, this, &MainWindow::onLoginFailed);
    connect(&m_connection, &ConnectionManager::loginSuccess, this, &MainWindow::onLoginSuccess);
    connect(&m_connection, &ConnectionManager::exceptionCaught, this, &MainWindow::onExceptionCaught);
    connect(&m_connection, &ConnectionManager::joinSuccessful, this, &MainWindow::onJoinSuccessful);
    connect(&m_connection, &ConnectionManager::joinFailed, this, &MainWindow::onJoinFailed);
    connect(&m_connection, &ConnectionManager::watchSuccessful, this, &MainWindow::onWatchSuccessful);
    connect(&m_connection, &ConnectionManager::watchFailed, this, &MainWindow::onWatchFailed);
    connect(&m_connection, &ConnectionManager::alreadySeated, this, &MainWindow::onAlreadySeated);

    // Countdowns and "time to start" texts follow the server's clock.
    ServerTime::instance().setConnectionManager(&m_connection);

    // The logout must be on its way before the connection is torn down.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, &m_connection, &ConnectionManager::prepareToQuit);

    resize(1024, 768);
}

MainWindow::~MainWindow()
{
    // The application-wide clock outlives this window and its session.
    if (ServerTime::instance().connectionManager() == &m_connection)
        ServerTime::instance().setConnectionManager(nullptr);
    // The connection is a member and goes before the child widgets: nothing
    // may reach this half-destroyed window, and the lobby objects that hold
    // the connection or the table model go first, views before their model.
    m_connection.setQuitting(true);
    m_connection.disconnect(this);
    delete m_lobbyPage;
    delete m_localizationDb;
    delete m_lobbyController;
}

void MainWindow::buildLoginPage()
{
    m_loginPage = new QWidget(m_pages);
    m_loginPage->setObjectName(QStringLiteral("loginPage"));
    auto *layout = new QVBoxLayout(m_loginPage);
    layout->addStretch(1);

    m_welcomeLabel = new QLabel(tr("Welcome to Brisquel Mahjong."), m_loginPage);
    m_welcomeLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_welcomeLabel);

    m_loginForm = new QWidget(m_loginPage);
    m_loginForm->setObjectName(QStringLiteral("loginForm"));
    auto *form = new QFormLayout(m_loginForm);
    m_userNameEdit = new QLineEdit(m_userName, m_loginForm);
    m_userNameEdit->setObjectName(QStringLiteral("userNameEdit"));
    m_passwordEdit = new QLineEdit(m_password, m_loginForm);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_loginButton = new QPushButton(tr("Log in"), m_loginForm);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setDefault(true);
    form->addRow(tr("User name:"), m_userNameEdit);
    form->addRow(tr("Password:"), m_passwordEdit);
    form->addRow(QString(), m_loginButton);
    m_loginForm->setMaximumWidth(360);
    layout->addWidget(m_loginForm, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    connect(m_userNameEdit, &QLineEdit::textChanged, this, &MainWindow::updateLoginButton);
    connect(m_passwordEdit, &QLineEdit::textChanged, this, &MainWindow::updateLoginButton);
    connect(m_loginButton, &QPushButton::clicked, this, &MainWindow::onLoginButtonClicked);
    connect(m_userNameEdit, &QLineEdit::returnPressed, m_passwordEdit, qOverload<>(&QWidget::setFocus));
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_loginButton->isEnabled())
            onLoginButtonClicked();
    });

    // With both credentials on the command line the login needs no form.
    m_loginForm->setVisible(m_userName.isEmpty() || m_password.isEmpty());
    updateLoginButton();
    m_pages->addWidget(m_loginPage);
}

void MainWindow::onStartupFinished(bool success)
{
    if (!success)
        return;
    show();
    qCInfo(lcMainwindow, "Main window shown");
    m_connection.connectToHost(m_gameHost, m_gamePort);
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
    m_statusLine->setText(line);
    qCDebug(lcMainwindow).noquote() << "status:" << line;
}

void MainWindow::onConnecting()
{
    m_wasConnected = false;
    m_loginAllowed = false;
    updateLoginButton();
    setStatus(tr("Connecting to %1...").arg(serverText()));
}

void MainWindow::onConnected()
{
    m_wasConnected = true;
    // The debug window (option "debug") samples the open connection.
    if (auto *application = qobject_cast<MahjongApplication *>(QCoreApplication::instance()))
        application->setConnectionManager(&m_connection);
    setStatus(tr("Connected to %1").arg(serverText()));
}

void MainWindow::onDisconnected()
{
    m_loginAllowed = false;
    m_loginPending = false;
    updateLoginButton();
    if (m_wasConnected)
        setStatus(tr("The server closed the connection"));
    else
        setStatus(tr("Cannot connect to %1").arg(serverText()));
}

void MainWindow::onVersionCheckComplete()
{
    m_loginAllowed = true;
    // Credentials from the command line (or of the session before) log in
    // by themselves; the form is for everything else.
    if (!m_userName.isEmpty() && !m_password.isEmpty() && m_loginForm->isHidden()) {
        login(m_userName, m_password);
        return;
    }
    setStatus(tr("Connected to %1. Please log in.").arg(serverText()));
    showLoginForm();
}

void MainWindow::login(const QString &userName, const QString &password)
{
    m_userName = userName;
    m_password = password;
    Log::addSecret(password);
    m_loginPending = true;
    updateLoginButton();
    setStatus(tr("Logging in as %1...").arg(userName));
    m_connection.login(userName, password);
}

void MainWindow::onLoginButtonClicked()
{
    login(m_userNameEdit->text(), m_passwordEdit->text());
}

void MainWindow::updateLoginButton()
{
    m_loginButton->setEnabled(m_loginAllowed && !m_loginPending && !m_userNameEdit->text().isEmpty()
                              && !m_passwordEdit->text().isEmpty());
}

void MainWindow::showLoginForm()
{
    m_loginForm->show();
    m_pages->setCurrentWidget(m_loginPage);
    updateLoginButton();
    if (m_userNameEdit->text().isEmpty())
        m_userNameEdit->setFocus();
    else
        m_passwordEdit->setFocus();
}

QString MainWindow::loginFailureText(qint32 status)
{
    return login_status::text(status);
}

void MainWindow::onLoginFailed(qint32 status)
{
    qCDebug(lcMainwindow) << "login failed with status" << status;
    m_loginPending = false;
    // A wrong password is typed again; other refusals keep it for a retry.
    if (status == 2)
        m_password.clear();
    m_userNameEdit->setText(m_userName);
    m_passwordEdit->setText(m_password);
    setStatus(tr("Login failed: %1").arg(loginFailureText(status)));
    if (m_lobbyController == nullptr)
        showLoginForm();
}

void MainWindow::onLoginSuccess(qint32 playerId, const QString &name, const QString &credentials)
{
    // The XMPP password, when the server gives one.
    Log::addSecret(credentials);
    qCDebug(lcMainwindow) << "logged in, pid:" << playerId;
    m_loginPending = false;
    m_loginForm->hide();
    if (m_lobbyController == nullptr)
        buildLobby();
    m_gameController->setPlayerId(playerId);
    m_gameController->setPlayerName(name);
    m_pages->setCurrentWidget(m_lobbyPage);
    setStatus(tr("Logged in as %1").arg(name));
    m_connection.query_lobby_summary();
    m_localizationDb->requestTableNames();
}

void MainWindow::buildLobby()
{
    m_lobbyController = new LobbyController(&m_connection, this);
    TableModel *tables = m_lobbyController->tableModel();
    m_localizationDb = new LocalizationDb(&m_connection, m_translationsManager, this);
    tables->setLocalizationDb(m_localizationDb);
    m_localizationDb->setTableModel(tables);

    m_lobbyPage = new QWidget(m_pages);
    m_lobbyPage->setObjectName(QStringLiteral("lobbyPage"));
    auto *layout = new QHBoxLayout(m_lobbyPage);
    auto *tabs = new QTabWidget(m_lobbyPage);
    tabs->setObjectName(QStringLiteral("lobbyTabs"));
    m_lobbyWindow = m_lobbyController->createWindow(tabs);
    tabs->addTab(m_lobbyWindow, tr("Tables"));
    m_tournaments = new TournamentsLobbyModel(this);
    m_tournaments->setSession(&m_connection);
    auto *tournamentLobby = new TournamentsLobbyWindow(tabs);
    tournamentLobby->setModel(m_tournaments);
    tabs->addTab(tournamentLobby, tr("Tournaments"));
    layout->addWidget(tabs, 1);

    auto *side = new QVBoxLayout;
    m_lobbySummary = new LobbySummary(m_lobbyPage);
    m_lobbySummary->setObjectName(QStringLiteral("lobbySummary"));
    m_tablePreview = new TablePreview(m_lobbyPage);
    m_tablePreview->setObjectName(QStringLiteral("tablePreview"));
    m_tablePreview->setTableModel(tables);
    m_tablePreview->setConnectionManager(&m_connection);
    side->addWidget(m_lobbySummary);
    side->addWidget(m_tablePreview);
    side->addStretch(1);
    layout->addLayout(side);
    m_pages->addWidget(m_lobbyPage);

    connect(&m_connection, &ConnectionManager::lobbySummary, m_lobbySummary, &LobbySummary::onLobbySummary);
    connect(m_lobbyWindow, &LobbyWindow::tableActivated, this, &MainWindow::joinTable);
    connect(m_lobbyWindow, &LobbyWindow::tableSelected, m_tablePreview, &TablePreview::onPreviewTable);
    connect(m_tablePreview, &TablePreview::joinTable, this, &MainWindow::joinTable);
    connect(m_tablePreview, &TablePreview::watchTable, this, &MainWindow::watchTable);

    // A joined or watched table opens as a page of its own; leaving it
    // returns to the lobby.
    m_gameController = new GameController(&m_connection, nullptr, m_tournaments, this);
    m_gameController->setTableModel(tables);
    m_gameController->setWindowServices(m_localizationDb, nullptr);
    connect(m_gameController, &GameController::tableViewCreated, this, [this](qint32, GameWindow *window) {
        m_pages->addWidget(window);
        m_pages->setCurrentWidget(window);
    });
    connect(m_gameController, &GameController::tableViewDestroyed, this,
            [this](qint32) { m_pages->setCurrentWidget(m_lobbyPage); });

    for (const QString &path : LobbyController::lobbyPaths())
        tables->subscribe(path);
}

void MainWindow::joinTable(qint32 tableId)
{
    if (tableId < 1 || m_lobbyController == nullptr)
        return;
    // A full table can only be watched.
    if (m_lobbyController->tableModel()->isTableFull(tableId)) {
        qCDebug(lcMainwindow) << "watching table" << tableId;
        m_connection.watch_table(tableId);
        return;
    }
    qCDebug(lcMainwindow) << "joining table" << tableId;
    m_connection.join_table(tableId, -1);
}

void MainWindow::watchTable(qint32 tableId)
{
    if (tableId < 1 || m_lobbyController == nullptr)
        return;
    if (!m_lobbyController->tableModel()->hasTable(tableId)) {
        qCWarning(lcMainwindow) << "won't watch table without subscription" << tableId;
        return;
    }
    qCDebug(lcMainwindow) << "watching table" << tableId;
    m_connection.watch_table(tableId);
}

QString MainWindow::joinFailureText(join_failed_reason::enum_t reason)
{
    return join_failed_reason::text(reason);
}

void MainWindow::onJoinSuccessful(qint32 tableId)
{
    setStatus(tr("Joined table %1").arg(tableId));
}

void MainWindow::onJoinFailed(qint32 tableId, join_failed_reason::enum_t reason)
{
    qCDebug(lcMainwindow) << "join of table" << tableId << "failed, reason" << int(reason);
    const QString text = joinFailureText(reason);
    setStatus(text.isEmpty() ? tr("Join Failed") : tr("Join Failed: %1").arg(text));
}

void MainWindow::onWatchSuccessful(qint32 tableId)
{
    setStatus(tr("Watching table %1").arg(tableId));
}

void MainWindow::onWatchFailed(qint32 tableId, const QString &reason)
{
    qCDebug(lcMainwindow) << "watching table" << tableId << "failed";
    setStatus(reason.isEmpty() ? tr("Watch Failed") : tr("Watch Failed: %1").arg(reason));
}

void MainWindow::onAlreadySeated(qint32 tableId)
{
    setStatus(tr("You are already seated at table %L1.").arg(tableId));
}

void MainWindow::onExceptionCaught(const std::string &message)
{
    // The session cannot go on after unacceptable server data (the
    // connection has already ended it). A second report adds no box.
    if (m_failed)
        return;
    m_failed = true;
    m_connection.setQuitting(true);
    setStatus(tr("Error"));
    // Modal, but shown without a nested event loop: this runs inside the
    // connection's read handler. The text comes from the server.
    auto *box = new QMessageBox(QMessageBox::Critical, tr("Error"), QString::fromStdString(message),
                                QMessageBox::Ok, this);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QDialog::finished, this, [] { QCoreApplication::exit(1); });
    box->show();
}
