// The lobby window, the table preview and the in-window panels.
#include "LobbyTestTables.h"

#include "lobby/ItemRoles.h"
#include "lobby/LobbyController.h"
#include "lobby/LobbyModel.h"
#include "lobby/LobbySummary.h"
#include "lobby/LobbyWindow.h"
#include "lobby/SeatedWindow.h"
#include "widgets/VisibleTimer.h"
#include "lobby/SetScreennameDialog.h"
#include "lobby/TableModel.h"
#include "lobby/TablePreview.h"
#include "lobby/WatchingWindow.h"
#include "protocol/ConnectionManager.h"
#include "core/TimeSpan.h"
#include "core/TextFormat.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <memory>

namespace {
QDateTime g_now;
QDateTime testClock()
{
    return g_now;
}

template <typename T>
T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}
} // namespace

class TestLobbyWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lobbyWindowListsAndSelects();
    void lobbyWindowKeepsFilterSettings();
    void tablePreviewFollowsTheTable();
    void seatedWindowCountsDown();
    void watchingWindow();
    void setScreennameDialog();
    void lobbySummary();

private:
    void add(const TableInfo &info) { emit m_connection->tableInfoUpdate(info); }

    std::unique_ptr<ConnectionManager> m_connection;
    std::unique_ptr<LobbyController> m_controller;
};

void TestLobbyWidgets::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-lobby-test"));
    Utils::setServerClock(&testClock);
}

void TestLobbyWidgets::init()
{
    QSettings().clear();
    g_now = QDateTime(QDate(2026, 12, 7), QTime(5, 0), Qt::UTC);
    m_connection = std::make_unique<ConnectionManager>(false);
    m_controller = std::make_unique<LobbyController>(m_connection.get());
    m_controller->tableModel()->setNotifyInterval(0); // these tests follow each change at once
}

void TestLobbyWidgets::cleanup()
{
    m_controller.reset();
    m_connection.reset();
}

void TestLobbyWidgets::lobbyWindowListsAndSelects()
{
    TableModel *tables = m_controller->tableModel();
    const QString path = LobbyController::lobbyPaths().first();
    std::unique_ptr<LobbyWindow> window(m_controller->createWindow(nullptr));
    QCOMPARE(tables->subscriptionCount(path), 1);
    window->show();

    add(makeTable(1, path, 0, 4, 1));
    add(makeTable(2, path, 2, 4, 2));
    add(makeTable(3, path, 1, 4, 0));
    QTreeView *view = window->view();
    QCOMPARE(view->model()->rowCount(), 3);
    QVERIFY(view->isSortingEnabled());

    QSignalSpy selected(window.get(), &LobbyWindow::tableSelected);
    QSignalSpy activated(window.get(), &LobbyWindow::tableActivated);
    const QModelIndex second = view->model()->index(1, TableModel::RulesColumn);
    const qint32 secondId = second.data(ItemRoles::TableIdRole).toInt();
    view->setCurrentIndex(second);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.last().at(0).toInt(), secondId);
    QCOMPARE(window->selectedTableId(), secondId);

    // Live updates re-sort without losing the selection or re-announcing it.
    view->sortByColumn(TableModel::PlayersColumn, Qt::AscendingOrder);
    for (int seated : {4, 0, 3})
        emit m_connection->tableInfoUpdate(secondId, seated, TableInfoUpdates());
    QCOMPARE(view->currentIndex().data(ItemRoles::TableIdRole).toInt(), secondId);
    QCOMPARE(selected.count(), 1);
    // The rows on screen follow the moves.
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QModelIndex index = view->model()->index(row, TableModel::PlayersColumn);
        QCOMPARE(view->indexAt(view->visualRect(index).center()), index);
    }

    emit view->activated(view->currentIndex());
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.last().at(0).toInt(), secondId);

    // When the selected table leaves the list the view selects a neighbour,
    // and the lobby announces that table.
    TableInfo moved = tables->tableInfo(secondId);
    moved.setGameType(TableInfo::TOURNAMENT);
    add(moved);
    QCOMPARE(view->model()->rowCount(), 2);
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(selected.last().at(0).toInt(), rows.first().data(ItemRoles::TableIdRole).toInt());
    QVERIFY(window->selectedTableId() != secondId);

    // A filter that hides the selected table leaves nothing selected.
    child<QCheckBox>(window.get(), "classicBox")->setChecked(false);
    child<QCheckBox>(window.get(), "internationalBox")->setChecked(false);
    child<QCheckBox>(window.get(), "riichiBox")->setChecked(false);
    QCOMPARE(view->model()->rowCount(), 0);
    QCOMPARE(selected.last().at(0).toInt(), -1);
    QCOMPARE(window->selectedTableId(), -1);

    window.reset();
    QCOMPARE(tables->subscriptionCount(path), 0);
    QCOMPARE(tables->rowCount(), 0);
}

void TestLobbyWidgets::lobbyWindowKeepsFilterSettings()
{
    const QString path = LobbyController::lobbyPaths().first();
    {
        std::unique_ptr<LobbyWindow> window(m_controller->createWindow(nullptr));
        add(makeTable(1, path, 0));
        add(makeTable(2, path, 2));
        add(makeTable(3, path, 2, 4, 4));
        QCOMPARE(window->view()->model()->rowCount(), 3);
        child<QCheckBox>(window.get(), "riichiBox")->setChecked(false);
        QCOMPARE(window->view()->model()->rowCount(), 1);
        QCOMPARE(QSettings().value(QStringLiteral("lobby/riichi")).toBool(), false);
        child<QCheckBox>(window.get(), "riichiBox")->setChecked(true);
        child<QCheckBox>(window.get(), "hideFullBox")->setChecked(true);
        QCOMPARE(window->view()->model()->rowCount(), 2);
        child<QCheckBox>(window.get(), "classicBox")->setChecked(false);
        QCOMPARE(window->view()->model()->rowCount(), 1);
    }
    // A new window starts from the stored choices.
    std::unique_ptr<LobbyWindow> window(m_controller->createWindow(nullptr));
    QVERIFY(!child<QCheckBox>(window.get(), "classicBox")->isChecked());
    QVERIFY(child<QCheckBox>(window.get(), "riichiBox")->isChecked());
    QVERIFY(child<QCheckBox>(window.get(), "hideFullBox")->isChecked());
    add(makeTable(1, path, 0));
    add(makeTable(2, path, 2));
    add(makeTable(3, path, 2, 4, 4));
    QCOMPARE(window->view()->model()->rowCount(), 1);
    QCOMPARE(window->view()->model()->index(0, 0).data(ItemRoles::TableIdRole).toInt(), 2);
}

void TestLobbyWidgets::tablePreviewFollowsTheTable()
{
    TableModel *tables = m_controller->tableModel();
    tables->subscribe(QStringLiteral("101/Practice"));
    TableInfo info = makeTable(8, QStringLiteral("101/Practice"), 2, 4, 3);
    info.setValue(ValueColumnType(1, 1000, 50));
    add(info);

    TablePreview preview;
    preview.setTableModel(tables);
    preview.setConnectionManager(m_connection.get());
    preview.setPlayerDb(nullptr);
    auto *join = child<QPushButton>(&preview, "joinButton");
    auto *watch = child<QPushButton>(&preview, "watchButton");
    QVERIFY(!join->isEnabled());

    preview.onPreviewTable(8);
    QVERIFY(join->isEnabled());
    QCOMPARE(child<QLabel>(&preview, "rulesLabel")->text(), QStringLiteral("Rules: EMA Riichi"));
    QVERIFY(child<QLabel>(&preview, "stakesLabel")->text().contains(info.value().betAndFeeText()));
    QVERIFY(child<QLabel>(&preview, "seatsLabel")->text().contains(QStringLiteral("3 of 4")));

    QSignalSpy joined(&preview, &TablePreview::joinTable);
    QSignalSpy watched(&preview, &TablePreview::watchTable);
    join->click();
    watch->click();
    QCOMPARE(joined.count(), 1);
    QCOMPARE(joined.at(0).at(0).toInt(), 8);
    QCOMPARE(watched.count(), 1);

    // The last seat is taken while the preview shows the table.
    emit m_connection->tableInfoUpdate(qint32(8), 4, TableInfoUpdates());
    QVERIFY(!join->isEnabled());
    QVERIFY(watch->isEnabled());
    QVERIFY(child<QLabel>(&preview, "seatsLabel")->text().contains(QStringLiteral("4 of 4")));

    tables->unsubscribe(QStringLiteral("101/Practice"));
    QVERIFY(!join->isEnabled());
    QVERIFY(!watch->isEnabled());
    QCOMPARE(child<QLabel>(&preview, "rulesLabel")->text(), QString());

    preview.onPreviewTable(99);
    QVERIFY(!watch->isEnabled());
}

void TestLobbyWidgets::seatedWindowCountsDown()
{
    QWidget table;
    SeatedWindow seated(nullptr, &table);
    auto *countdown = child<QLabel>(&seated, "countdownLabel");

    TableInfo info = makeTable(12, QStringLiteral("101/Practice"), 1);
    seated.onTableInfo(info);
    QVERIFY(child<QLabel>(&seated, "tableLabel")->text().contains(QStringLiteral("12")));
    QVERIFY(child<QLabel>(&seated, "descriptionLabel")->text().contains(QStringLiteral("MCR")));

    seated.startCountdown(TimeSpan(g_now, g_now.addSecs(30)));
    QVERIFY(seated.isCountingDown());
    QVERIFY(countdown->text().contains(Utils::durationText(30)));
    g_now = g_now.addSecs(12);
    QVERIFY(QMetaObject::invokeMethod(&seated, "updateCountdown"));
    QVERIFY(countdown->text().contains(Utils::durationText(18)));
    g_now = g_now.addSecs(60);
    QVERIFY(QMetaObject::invokeMethod(&seated, "updateCountdown"));
    QVERIFY(countdown->text().contains(Utils::durationText(0)));
    QVERIFY(!seated.isCountingDown());

    seated.startCountdown(TimeSpan(g_now, g_now.addSecs(5)));
    QVERIFY(seated.isCountingDown());
    seated.stopCountdown();
    QVERIFY(!seated.isCountingDown());
    QCOMPARE(countdown->text(), QString());

    // While the panel is hidden its countdown does not tick; shown, it does,
    // showing the time left at once.
    seated.startCountdown(TimeSpan(g_now, g_now.addSecs(20)));
    auto *timer = seated.findChild<VisibleTimer *>(QStringLiteral("countdownTimer"));
    QVERIFY(timer && !timer->isTicking());
    g_now = g_now.addSecs(5);
    table.show();
    seated.show();
    QVERIFY(timer->isTicking());
    QVERIFY(countdown->text().contains(Utils::durationText(15)));
    seated.hide();
    QVERIFY(!timer->isTicking());
    QVERIFY(seated.isCountingDown());
    seated.stopCountdown();

    // An empty time window starts nothing.
    seated.startCountdown(TimeSpan());
    QVERIFY(!seated.isCountingDown());

    QSignalSpy play(&seated, &SeatedWindow::playButtonClicked);
    QSignalSpy leave(&seated, &SeatedWindow::leaveButtonClicked);
    child<QPushButton>(&seated, "playButton")->click();
    child<QPushButton>(&seated, "leaveButton")->click();
    QCOMPARE(play.count(), 1);
    QCOMPARE(leave.count(), 1);
}

void TestLobbyWidgets::watchingWindow()
{
    QWidget table;
    table.show();
    WatchingWindow watching(&table);
    auto *join = child<QPushButton>(&watching, "joinButton");
    auto *info = child<QLabel>(&watching, "infoLabel");
    QVERIFY(!join->isEnabled());
    watching.onJoinableChanged(true);
    QVERIFY(join->isEnabled());
    watching.setJoinEnabled(false);
    QVERIFY(!join->isEnabled());

    watching.showDialog();
    QVERIFY(info->isVisible());
    watching.setInfoHidden(true);
    QVERIFY(!info->isVisible());
    watching.setInfoHidden(false);
    QVERIFY(info->isVisible());

    QSignalSpy joined(&watching, &WatchingWindow::joinButtonClicked);
    QSignalSpy left(&watching, &WatchingWindow::leaveButtonClicked);
    watching.setJoinEnabled(true);
    join->click();
    child<QPushButton>(&watching, "leaveButton")->click();
    QCOMPARE(joined.count(), 1);
    QCOMPARE(left.count(), 1);
}

void TestLobbyWidgets::setScreennameDialog()
{
    QWidget window;
    window.show();
    SetScreennameDialog dialog(&window);
    dialog.showDialog();
    auto *error = child<QLabel>(&dialog, "errorLabel");
    auto *edit = child<QLineEdit>(&dialog, "screennameEdit");
    auto *ok = child<QPushButton>(&dialog, "okButton");
    QVERIFY(!error->isVisible());

    dialog.setErrorText(QStringLiteral("<b>taken</b>"));
    QVERIFY(error->isVisible());
    QCOMPARE(error->textFormat(), Qt::PlainText);
    dialog.setErrorText(QString());
    QVERIFY(!error->isVisible());

    QSignalSpy chosen(&dialog, &SetScreennameDialog::setScreenname);
    QVERIFY(!ok->isEnabled());
    edit->setText(QStringLiteral("   "));
    QVERIFY(!ok->isEnabled());
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(chosen.count(), 0);
    edit->setText(QStringLiteral("  Lucky Dragon "));
    ok->click();
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("Lucky Dragon"));
}

void TestLobbyWidgets::lobbySummary()
{
    LobbySummary summary;
    summary.setPlayerDb(nullptr);
    summary.show();
    QVERIFY(!summary.winnerList()->isVisible());

    lobby_summary_t data;
    data.playersOnline = 1234;
    data.playersSeated = 56;
    data.tablesOpen = 7;
    data.tournamentsRunning = 2;
    data.topWinners.push_back({17, QStringLiteral("<i>Ann</i>"), 150000});
    data.topWinners.push_back({18, QStringLiteral("Bo %1"), 2500});
    summary.onLobbySummary(data);

    QVERIFY(child<QLabel>(&summary, "playersOnlineLabel")->text().contains(QLocale().toString(1234)));
    QVERIFY(child<QLabel>(&summary, "tablesOpenLabel")->text().contains(QStringLiteral("7")));
    QListWidget *winners = summary.winnerList();
    QVERIFY(winners->isVisible());
    QCOMPARE(winners->count(), 2);
    QVERIFY(winners->item(0)->text().contains(QStringLiteral("<i>Ann</i>")));
    QVERIFY(winners->item(0)->text().contains(Utils::moneyString(150000, false)));
    QVERIFY(winners->item(1)->text().contains(QStringLiteral("Bo %1")));

    QSignalSpy menu(&summary, &LobbySummary::userMenuRequested);
    const QPoint at = winners->visualItemRect(winners->item(1)).center();
    emit winners->customContextMenuRequested(at);
    QCOMPARE(menu.count(), 1);
    QCOMPARE(menu.at(0).at(0).toString(), QStringLiteral("Bo %1"));
    QCOMPARE(menu.at(0).at(1).toPoint(), winners->viewport()->mapToGlobal(at));
    emit winners->customContextMenuRequested(QPoint(-5, -5));
    QCOMPARE(menu.count(), 1);
}

QTEST_MAIN(TestLobbyWidgets)
#include "tst_lobby_widgets.moc"
