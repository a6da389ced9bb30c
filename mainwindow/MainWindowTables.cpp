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
#include "game/GameModel.h"
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
#include "table/SideBar.h"
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
#include "widgets/Utils.h"

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
constexpr int tournamentGameType = 1;
constexpr const char *tabNameProperty = "mahjongTabName";
} // namespace
// Tables, tabs, invitations and the user menu.

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

        m_preferencesPage = new PreferencesWindow(m_translationsManager, m_playerDb, m_ui.lobbyWidget);
        m_preferencesPage->setObjectName(QStringLiteral("preferencesPage"));
        connect(m_preferencesPage, &PreferencesWindow::compactViewChanged, m_gameController,
                &GameController::setCompactTableLayout);
        addTab(m_preferencesPage, "preferences", "resources:tabicons/preferences.png");

        // Join, leave and kick notices stay out of the lobby chat.
        m_ui.lobbyChat->setNoticeMask(11);
        m_ui.lobbyChat->setChatController(&m_chat);
        connect(m_ui.lobbyChat, &ConferenceWidget::userMenuRequested, this, &MainWindow::onUserMenuRequested);
        connect(m_ui.lobbyChat, &ConferenceWidget::playerMenuRequested, this, &MainWindow::onPlayerMenuRequested);
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
    setPassingStatus([tableId] { return tr("Joined table %1").arg(tableId); });
}

void MainWindow::onWatchSuccessful(qint32 tableId)
{
    setBusy(false);
    setPassingStatus([tableId] { return tr("Watching table %1").arg(tableId); });
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
    setPassingStatus([reason] {
        const QString text = joinFailureText(reason);
        return text.isEmpty() ? tr("Join Failed") : tr("Join Failed: %1").arg(text);
    });
    // These two are questions: the box asks, and Yes opens the account page.
    if (reason == join_failed_reason::INSUFFICIENT_FUNDS) {
        QMessageBox *box = ModelessMsgBox::question(
            this, tr("Join Failed"),
            tr("You don't have enough money on your account to join the table.\nDo you want to make a deposit now?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        ModelessMsgBox::onFinished(box, [this](int button) {
            if (button == QMessageBox::Yes)
                m_connection.query_web_page(WebPageRequest::Account);
        });
        return;
    }
    if (reason == join_failed_reason::NOT_FULLY_REGISTERED) {
        askToCompleteRegistration(1);
        return;
    }
    ModelessMsgBox::critical(this, tr("Join Failed"), joinFailureText(reason));
}

void MainWindow::onLeaveTableFailed(qint32, const QString &reason)
{
    ModelessMsgBox::critical(this, tr("Leave Failed"), reason);
}

void MainWindow::onWatchTableFailed(qint32 tableId, const QString &reason)
{
    qCDebug(lcMainwindow) << "watching table" << tableId << "failed";
    setBusy(false);
    setPassingStatus([reason] {
        return reason.isEmpty() ? tr("Watch Failed") : tr("Watch Failed: %1").arg(Utils::isolated(reason));
    });
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
    return name.isEmpty() ? QString::number(tableId) : Utils::isolated(name);
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
        ModelessMsgBox::ask(this, tr("Rejoin Table"), tr("Do you want to rejoin table %1?").arg(tableTitle(tableId)),
                            [this, tableId](int button) {
            if (button == QMessageBox::Yes)
                joinTable(tableId, true);
        });
    }
    if (m_previouslyWatched.erase(tableId) > 0) {
        ModelessMsgBox::ask(this, tr("Watch Table"),
                            tr("Do you want to continue watching table %1?").arg(tableTitle(tableId)),
                            [this, tableId](int button) {
            if (button == QMessageBox::Yes)
                watchTable(tableId);
        });
    }
}

void MainWindow::onAlreadySeated(qint32 tableId)
{
    setBusy(false);
    setPassingStatus([tableId] { return tr("You are already seated at table %L1.").arg(tableId); });
    ModelessMsgBox::ask(this, tr("Rejoin Table"),
                        tr("You are already seated at table %L1.\nDo you want to rejoin?").arg(tableId),
                        [this, tableId](int button) {
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
    // Written as a bool, which the settings file gives back as "true".
    QSettings settings;
    if (Utils::settingsCheckState(settings, QStringLiteral("game/showtableinvites"), true) == Qt::Unchecked)
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
    // Names chosen by players and the server's table names stand in the
    // sentence as they are, without turning it around.
    ModelessMsgBox::ask(this, tr("Table invitation"),
                        tr("%1 has invited you to table %2, do you want to join?")
                            .arg(Utils::isolated(m_playerDb->screenname(inviterId)), Utils::isolated(table)),
                        [this, tableId](int button) {
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
    // The table's chat names the player behind a nick where the room shows it.
    if (window->sideBar() && window->sideBar()->conference())
        connect(window->sideBar()->conference(), &ConferenceWidget::playerMenuRequested, this,
                &MainWindow::onPlayerMenuRequested);
    // A later record of the table (another name, another kind) reaches its
    // button, while it has one.
    if (GameModel *model = m_gameController->model(tableId)) {
        TableSelector *selector = m_ui.tableSelector;
        connect(model, static_cast<void (GameModel::*)(TableInfo)>(&GameModel::tableInfo), selector,
                [selector](const TableInfo &info) {
            if (selector->button(info.id()))
                selector->onTableInfo(info);
        });
    }
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
    // The tournament detail dialogs follow the session's watch answers
    // themselves.
    if (show && m_ui.tableSelector->checkedTableId() != tableId)
        showTable(tableId);
}

void MainWindow::onTournamentTableJoined(qint32 tournamentId, qint32 tableId, int reason)
{
    if (m_ui.tableSelector->checkedTableId() == tableId)
        return;
    if (reason != 0 && reason != 1) {
        showTable(tableId);
        return;
    }
    // A seat rejoined at login can come before the tournament list: the
    // question goes without the name then.
    TournamentsLobbyModel *tournaments = m_tournamentsController->model();
    QString title;
    if (tournaments->hasTournament(tournamentId)) {
        const QString name = Utils::isolated(tournaments->tournamentInfo(tournamentId).name);
        title = reason == 0 ? tr("New tournament round - %1").arg(name)
                            : tr("Continuing tournament round - %1").arg(name);
    } else {
        title = reason == 0 ? tr("New tournament round") : tr("Continuing tournament round");
    }
    const QString text = reason == 0 ? tr("You have been assigned to tournament table %1. Show now?").arg(tableId)
                                     : tr("You are assigned to tournament table %1. Show now?").arg(tableId);
    ModelessMsgBox::ask(this, title, text, [this, tableId](int button) {
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

void MainWindow::onUserMenuRequested(const QString &nick, const QPoint &pos)
{
    qCDebug(lcMainwindow) << "Received onUserMenuRequested, name " << nick << ", pos " << pos;
    if (m_xmpp.state() != XMPPClient::ConnectedState || !m_friendsPage)
        return;
    // The known index matches names regardless of case, and a room's nick
    // may be another's name in another case: only an exact name counts.
    const qint32 pid = m_playerDb->pidForNick(nick);
    if (pid != -1) {
        showUserMenu(m_playerDb->jidForPid(pid), pos);
        return;
    }
    // The server knows the exact name; only where it knows none is the nick
    // taken for a known name as a room spells it.
    m_menuQueries.append(nick);
    m_playerDb->queryScreennameInfo(nick);
}

void MainWindow::onPlayerMenuRequested(const XMPPJid &jid, const QPoint &pos)
{
    if (m_xmpp.state() == XMPPClient::ConnectedState && m_friendsPage)
        showUserMenu(jid, pos);
}

void MainWindow::onSearchJidResult(const XMPPJid &jid)
{
    if (!m_menuQueries.isEmpty())
        m_menuQueries.removeFirst();
    showUserMenu(jid, QCursor::pos());
}

void MainWindow::onSearchJidError(const QString &error)
{
    const QString nick = m_menuQueries.isEmpty() ? QString() : m_menuQueries.takeFirst();
    if (const qint32 pid = nick.isNull() ? -1 : m_playerDb->pidForRoomSpelling(nick); pid != -1) {
        showUserMenu(m_playerDb->jidForPid(pid), QCursor::pos());
        return;
    }
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
