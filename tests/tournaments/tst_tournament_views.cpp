// The tournament views without a server: the controller's refusal boxes and
// dialogs, the join dialog's funds rule, the detail dialog's states and
// tables, the preview, the upcoming list and the coming events against a
// settable clock.
#include "TournamentTestData.h"
#include "TournamentsTestHost.h"

#include "core/TextFormat.h"
#include "protocol/TournamentInfoUpdates.h"
#include "lobby/TableModel.h"
#include "tournaments/ComingEventPopup.h"
#include "widgets/VisibleTimer.h"
#include "tournaments/ComingEventsModel.h"
#include "tournaments/ComingEventsView.h"
#include "tournaments/ComingTournamentsWidget.h"
#include "tournaments/JoinDialog.h"
#include "tournaments/TournamentDetailDialog.h"
#include "tournaments/TournamentPreview.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "widgets/UPushButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

UPushButton *watchButton(QWidget *dialog, qint32 tableId)
{
    for (UPushButton *button : dialog->findChildren<UPushButton *>())
        if (button->id() == tableId)
            return button;
    return nullptr;
}

QDateTime g_now = QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
QDateTime fixedNow()
{
    return g_now;
}

QMessageBox *onlyBox(QWidget *parent)
{
    const QList<QMessageBox *> boxes = parent->findChildren<QMessageBox *>();
    return boxes.size() == 1 ? boxes.first() : nullptr;
}

bool shown(QWidget *dialog, const char *name)
{
    auto *w = dialog->findChild<QWidget *>(QLatin1String(name));
    return w && w->isVisibleTo(dialog);
}

QString text(QWidget *parent, const char *name)
{
    return parent->findChild<QLabel *>(QLatin1String(name))->text();
}

} // namespace

class TestTournamentViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Utils::setServerClock(&fixedNow); }
    void refusalBoxes_data();
    void refusalBoxes();
    void joinFundsRule_data();
    void joinFundsRule();
    void detailStates_data();
    void detailStates();
    void detailTablesAndWatches();
    void detailSearchAndRemoval();
    void previewTexts();
    void upcomingOrderAndRebuild();
    void upcomingFollowsCoalescedChanges();
    void comingEventsMerge();
    void comingEventPopups();
};

void TestTournamentViews::refusalBoxes_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("held");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("completeKind");

    const QString join = QStringLiteral("Join tournament");
    QTest::newRow("failed") << 0 << true << join << "Join tournament failed!\nFailed" << -1;
    QTest::newRow("denied") << 1 << true << join << "Join tournament failed!\nDenied" << -1;
    QTest::newRow("funds") << 2 << true << join
                           << "You don't have enough money on your account to join the tournament.\nDo you want to "
                              "make a deposit now?"
                           << -1;
    QTest::newRow("full") << 3 << true << join << "Tournament <b>Cup</b> is full" << -1;
    QTest::newRow("full, gone") << 3 << false << QString() << QString() << -1;
    QTest::newRow("access") << 4 << true << QString() << QString() << 2;
    QTest::newRow("already") << 5 << true << QString() << QString() << -1;
    QTest::newRow("running") << 6 << true << join << "Join tournament failed!\nTournament is running" << -1;
    QTest::newRow("unknown") << 42 << true << join << "Join tournament failed!\n" << -1;
}

void TestTournamentViews::refusalBoxes()
{
    QFETCH(int, reason);
    QFETCH(bool, held);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, completeKind);

    TournamentsTestHost host;
    TournamentsController controller(nullptr, nullptr, &host);
    if (held)
        controller.model()->addOrUpdateTournament(
            makeTournament(7, QStringLiteral("<b>Cup</b>"), TournamentInfo::Open, 0, 100, 10, 3));
    controller.onTournamentRegisterFailed(7, tmnt_register_failed_reason::enum_t(reason));
    QMessageBox *box = onlyBox(&host.main);
    QCOMPARE(host.completeKinds, completeKind < 0 ? QList<int>() : QList<int>{completeKind});
    if (title.isEmpty()) {
        QVERIFY(!box);
        return;
    }
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), title);
    QCOMPARE(box->text(), text);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    if (reason == 2) {
        // Yes opens the deposit page and says so.
        box->button(QMessageBox::Yes)->click();
        QCOMPARE(host.deposits, 1);
        QTRY_VERIFY(onlyBox(&host.main)
                    && onlyBox(&host.main)->text() == QStringLiteral("Your account is opened in a web browser"));
    }

    controller.onTournamentUnregisterFailed(7, tmnt_register_failed_reason::enum_t(reason));
    const QList<QMessageBox *> boxes = host.main.findChildren<QMessageBox *>();
    QCOMPARE(boxes.last()->windowTitle(), QStringLiteral("Unregister from tournament"));
    QCOMPARE(boxes.last()->text(), QStringLiteral("Unregister from tournament failed!\n%1")
                                       .arg(TournamentsController::registerFailedReasonText(reason)));
}

void TestTournamentViews::joinFundsRule_data()
{
    QTest::addColumn<qint32>("bet");
    QTest::addColumn<qint32>("fee");
    QTest::addColumn<qint64>("balance");
    QTest::addColumn<int>("type");

    QTest::newRow("exactly enough") << 1000 << 100 << qint64(1100) << int(JoinDialog::Confirm);
    QTest::newRow("a cent short") << 1000 << 100 << qint64(1099) << int(JoinDialog::NeedsDeposit);
    QTest::newRow("free, no money") << 0 << 0 << qint64(0) << int(JoinDialog::Confirm);
    QTest::newRow("no bet set") << -1 << 50 << qint64(49) << int(JoinDialog::NeedsDeposit);
    QTest::newRow("large") << 2000000000 << 2000000000 << qint64(3999999999) << int(JoinDialog::NeedsDeposit);
}

void TestTournamentViews::joinFundsRule()
{
    QFETCH(qint32, bet);
    QFETCH(qint32, fee);
    QFETCH(qint64, balance);
    QFETCH(int, type);

    TournamentsTestHost host;
    host.balance = balance;
    TournamentsController controller(nullptr, nullptr, &host);
    controller.model()->addOrUpdateTournament(
        makeTournament(7, QStringLiteral("<i>Cup</i>"), TournamentInfo::Open, 0, bet, fee, 3));
    controller.createJoinTournamentDialog(7);
    controller.createJoinTournamentDialog(7);
    controller.createJoinTournamentDialog(8); // not held: nothing
    const QList<JoinDialog *> dialogs = host.lobby.findChildren<JoinDialog *>();
    QCOMPARE(dialogs.size(), 1);
    JoinDialog *dialog = dialogs.first();
    QCOMPARE(dialog->objectName(), QStringLiteral("joinmtt7"));
    QCOMPARE(dialog->joinType(), type);
    QCOMPARE(shown(dialog, "acceptButton"), type == JoinDialog::Confirm);
    QCOMPARE(shown(dialog, "depositButton"), type == JoinDialog::NeedsDeposit);
    QCOMPARE(text(dialog, "nameLabel"), QStringLiteral("Name: <i>Cup</i>"));
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("nameLabel"))->textFormat(), Qt::PlainText);

    // Players registering meanwhile show in the count and the pot at once.
    controller.model()->addOrUpdateTournament(
        makeTournament(7, QStringLiteral("<i>Cup</i>"), TournamentInfo::Open, 0, bet, fee, 18));
    QCOMPARE(text(dialog, "registeredLabel"), QStringLiteral("Registered Players: 18/64"));
    QCOMPARE(text(dialog, "potLabel"), controller.model()
                                           ->indexOfTournament(7)
                                           .siblingAtColumn(TournamentsLobbyModel::PotColumn)
                                           .data()
                                           .toString()
                                           .prepend(QStringLiteral("Pot: ")));

    QSignalSpy registered(dialog, &JoinDialog::registerTournament);
    QSignalSpy deposit(dialog, &JoinDialog::deposit);
    QPointer<JoinDialog> guard(dialog);
    dialog->findChild<QPushButton *>(type == JoinDialog::Confirm ? "acceptButton" : "depositButton")->click();
    QCOMPARE(registered.size(), type == JoinDialog::Confirm ? 1 : 0);
    QCOMPARE(deposit.size(), type == JoinDialog::Confirm ? 0 : 1);
    if (type == JoinDialog::Confirm)
        QCOMPARE(registered.first().first().toInt(), 7);
    else
        QCOMPARE(host.deposits, 1);
    QTRY_VERIFY(!guard);

    // Without a lobby widget nothing opens.
    host.hasLobby = false;
    controller.model()->addOrUpdateTournament(
        makeTournament(9, QStringLiteral("Nine"), TournamentInfo::Open, 0, 0, 0, 1));
    controller.createJoinTournamentDialog(9);
    controller.createTournamentDetailDialog(9);
    QVERIFY(host.lobby.findChildren<MahjongDialog *>().isEmpty());
}

void TestTournamentViews::detailStates_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("registered");
    QTest::addColumn<int>("round");
    QTest::addColumn<bool>("join");
    QTest::addColumn<bool>("leave");
    QTest::addColumn<QString>("starts");
    QTest::addColumn<QString>("roundLine");
    QTest::addColumn<QString>("players");
    QTest::addColumn<bool>("tables");

    // The tournament starts at 13:00 by the test clock (12:00), in three
    // rounds of 20 minutes, 30 minutes apart.
    QTest::newRow("open") << 0 << false << 0 << true << false << "Starts in: 1h 00m 00s - time to start"
                          << ""
                          << "Players" << false;
    QTest::newRow("open, registered") << 0 << true << 0 << false << true << "Starts in: 1h 00m 00s - time to start"
                                      << ""
                                      << "Players" << false;
    QTest::newRow("closed") << 1 << true << 0 << false << false << "Starts in: 1h 00m 00s - time to start"
                            << ""
                            << "Players" << false;
    QTest::newRow("seating") << 2 << true << 0 << false << false << ""
                             << ""
                             << "Standings" << true;
    QTest::newRow("playing, first") << 3 << true << 0 << false << false << ""
                                    << "Round 1|Next break in: 1h 20m 00s"
                                    << "Standings" << true;
    QTest::newRow("playing, last") << 3 << true << 2 << false << false << ""
                                   << "Round 3|Ends in: 2h 20m 00s"
                                   << "Standings" << true;
    QTest::newRow("paused") << 4 << true << 0 << false << false << ""
                            << "Round 1|Next round in: 1h 30m 00s - time to start"
                            << "Standings" << false;
    QTest::newRow("playing, no schedule") << 3 << true << 7 << false << false << ""
                                          << "Round 8|"
                                          << "Standings" << true;
    QTest::newRow("done") << 5 << true << 0 << false << false << ""
                          << ""
                          << "Standings" << false;
    QTest::newRow("cancelled") << 6 << true << 0 << false << false << ""
                               << ""
                               << "Players" << false;
}

void TestTournamentViews::detailStates()
{
    QFETCH(int, status);
    QFETCH(bool, registered);
    QFETCH(int, round);
    QFETCH(bool, join);
    QFETCH(bool, leave);
    QFETCH(QString, starts);
    QFETCH(QString, roundLine);
    QFETCH(QString, players);
    QFETCH(bool, tables);

    TableModel tableModel(nullptr);
    TournamentDetailDialog dialog;
    TournamentInfo t = makeTournament(1, QStringLiteral("One"), TournamentInfo::status_t(status), 0, 100, 10, 12);
    t.playerRegistered = registered;
    t.currentRound = round;
    t.roundsStart = {t.start, t.start.addSecs(1800), t.start.addSecs(3600)};
    dialog.setTournamentInfo(t);
    dialog.setTableModel(&tableModel);

    QCOMPARE(shown(&dialog, "joinButton"), join);
    QCOMPARE(shown(&dialog, "leaveButton"), leave);
    QCOMPARE(shown(&dialog, "startsLabel"), !starts.isEmpty());
    if (!starts.isEmpty())
        QCOMPARE(text(&dialog, "startsLabel"), starts);
    QCOMPARE(shown(&dialog, "tournamentInPlayContainer"), !roundLine.isEmpty());
    if (!roundLine.isEmpty())
        QCOMPARE(text(&dialog, "currentRoundLabel") + QLatin1Char('|') + text(&dialog, "nextBreakLabel"), roundLine);
    QCOMPARE(text(&dialog, "playersHeader"), players);
    QCOMPARE(shown(&dialog, "tableListScrollArea"), tables);
    QCOMPARE(tableModel.subscriptionCount(QStringLiteral("101/mtt/1")), tables ? 1 : 0);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("One"));
}

void TestTournamentViews::detailTablesAndWatches()
{
    TournamentsTestHost host;
    TableModel tableModel(nullptr);
    tableModel.setNotifyInterval(0);
    tableModel.subscribe(QStringLiteral("101/mtt"));
    TournamentsController controller(nullptr, nullptr, &host);
    controller.setTableModel(&tableModel);
    controller.model()->addOrUpdateTournament(
        makeTournament(12, QStringLiteral("Twelve"), TournamentInfo::Seating, 0, 0, 0, 8));
    // Held before the dialog: listed when it subscribes.
    tableModel.onTableInfoUpdate(TableInfo(501, QStringLiteral("101/mtt/12")));
    controller.createTournamentDetailDialog(12);
    controller.createTournamentDetailDialog(12);
    QCOMPARE(host.lobby.findChildren<TournamentDetailDialog *>().size(), 1);
    QPointer<TournamentDetailDialog> dialog = host.lobby.findChild<TournamentDetailDialog *>(
        QStringLiteral("detailmtt12"));
    QVERIFY(dialog);

    tableModel.onTableInfoUpdate(TableInfo(502, QStringLiteral("101/mtt/12/2")));
    tableModel.onTableInfoUpdate(TableInfo(503, QStringLiteral("101/mtt/123")));
    tableModel.onTableInfoUpdate(TableInfo(504, QStringLiteral("101/mtt/1")));
    tableModel.onTableInfoUpdate(TableInfo(502, QStringLiteral("101/mtt/12/2")));
    QCOMPARE(dialog->listedTables(), (QList<qint32>{501, 502}));

    // Closed while a watch is pending: hidden until the answer.
    dialog->show();
    watchButton(dialog, 502)->click();
    QCOMPARE(host.watched, (QList<qint32>{502}));
    dialog->close();
    QVERIFY(dialog && dialog->isHidden());
    dialog->onTableWatched(502);
    QTRY_VERIFY(!dialog);

    // A watch that goes nowhere is no reason to wait.
    host.watchAnswers = false;
    controller.createTournamentDetailDialog(12);
    dialog = host.lobby.findChild<TournamentDetailDialog *>(QStringLiteral("detailmtt12"));
    watchButton(dialog, 501)->click();
    QVERIFY(!dialog->isWatchPending());
    dialog->close();
    QTRY_VERIFY(!dialog);
    QCOMPARE(tableModel.subscriptionCount(QStringLiteral("101/mtt/12")), 0);
}

void TestTournamentViews::detailSearchAndRemoval()
{
    TournamentDetailDialog dialog;
    dialog.setTournamentInfo(makeTournament(3, QStringLiteral("Three"), TournamentInfo::Playing, 0, 100, 0, 3));
    dialog.onTournamentRankings(3, {{1001, QStringLiteral("Lucky Star"), 48, 3, 0, false},
                                    {1002, QStringLiteral("Bamboo"), 31, 2, 0, false},
                                    {1003, QStringLiteral("Red Dragon"), -5, 0, 0, false}});
    auto *list = dialog.findChild<QTreeView *>(QStringLiteral("playerList"));
    auto *search = dialog.findChild<QLineEdit *>(QStringLiteral("freeTextSearch"));
    QCOMPARE(list->model()->rowCount(), 3);
    search->setText(QStringLiteral("star LUCKY"));
    QCOMPARE(list->model()->rowCount(), 1);
    search->setText(QStringLiteral("nobody"));
    QCOMPARE(list->model()->rowCount(), 0);
    search->setText(QStringLiteral("  "));
    QCOMPARE(list->model()->rowCount(), 3);
    QVERIFY(list->isVisibleTo(&dialog));

    dialog.onTournamentRemoved(3);
    QVERIFY(shown(&dialog, "removedContainer"));
    QVERIFY(!shown(&dialog, "contentContainer"));
    // Another tournament's record changes nothing; its own (a new session's)
    // brings it back.
    dialog.onTournamentUpdated(makeTournament(4, QStringLiteral("Other"), TournamentInfo::Open, 0, 0, 0, 3));
    QVERIFY(!shown(&dialog, "contentContainer"));
    dialog.onTournamentUpdated(makeTournament(3, QStringLiteral("Back"), TournamentInfo::Open, 0, 0, 0, 3));
    QVERIFY(shown(&dialog, "contentContainer"));
    QVERIFY(!shown(&dialog, "removedContainer"));
}

void TestTournamentViews::previewTexts()
{
    TournamentsTestHost host;
    TournamentsController controller(nullptr, nullptr, &host);
    TournamentsLobbyModel *model = controller.model();
    model->addOrUpdateTournament(
        makeTournament(4, QStringLiteral("<b>Four</b>"), TournamentInfo::Open, 2, 1000, 100, 12));
    model->addOrUpdateTournament(makeTournament(5, QStringLiteral("Five"), TournamentInfo::Playing, 0, 0, 0, 12));
    TournamentPreview preview;
    preview.setTournamentsController(&controller);
    preview.setModel(model);

    preview.onPreviewTournament(99);
    QCOMPARE(text(&preview, "tournamentPreviewHeaderLabel"), QStringLiteral("Tournament"));
    QVERIFY(!shown(&preview, "joinButton") && !shown(&preview, "infoButton"));
    QVERIFY(!preview.isCountingDown());

    preview.onPreviewTournament(4);
    auto *header = preview.findChild<QLabel *>(QStringLiteral("tournamentPreviewHeaderLabel"));
    QCOMPARE(header->textFormat(), Qt::PlainText);
    QCOMPARE(header->toolTip(), Qt::convertFromPlainText(QStringLiteral("<b>Four</b>")));
    QCOMPARE(text(&preview, "statusLabel"), QStringLiteral("Status: Open"));
    QCOMPARE(text(&preview, "buyInLabel"), QStringLiteral("Buy-in: $11"));
    QCOMPARE(text(&preview, "potLabel"), QStringLiteral("Pot: $120"));
    QCOMPARE(text(&preview, "rulesLabel"), QStringLiteral("Rules: EMA Riichi"));
    QCOMPARE(text(&preview, "durationLabel"), QStringLiteral("Duration: 3x20 min(s)"));
    QCOMPARE(text(&preview, "registeredLabel"), QStringLiteral("Registered Players: 12/64"));
    QCOMPARE(text(&preview, "startsLabel"), QStringLiteral("Starts in: 4h 00m 00s - time to start"));
    QVERIFY(shown(&preview, "joinButton") && !shown(&preview, "leaveButton") && shown(&preview, "infoButton"));
    // The start counts down each second only while the preview is on screen.
    auto *startsIn = preview.findChild<VisibleTimer *>(QStringLiteral("startsInTimer"));
    QVERIFY(preview.isCountingDown() && !startsIn->isTicking());
    preview.show();
    QVERIFY(startsIn->isTicking());
    preview.hide();
    QVERIFY(!startsIn->isTicking());

    model->onTournamentRegisterSuccess(4);
    QVERIFY(!shown(&preview, "joinButton") && shown(&preview, "leaveButton"));
    QSignalSpy unregister(&preview, &TournamentPreview::unregisterTournament);
    preview.findChild<QPushButton *>(QStringLiteral("leaveButton"))->click();
    QCOMPARE(unregister.size(), 1);

    preview.onPreviewTournament(5);
    QVERIFY(!shown(&preview, "joinButton") && !shown(&preview, "leaveButton") && !shown(&preview, "startsLabel"));
    model->onTournamentRemoved(4);
    QCOMPARE(preview.currentTournament(), 5);
    model->onTournamentRemoved(5);
    QCOMPARE(preview.currentTournament(), -1);
    QVERIFY(!preview.isCountingDown());
}

void TestTournamentViews::upcomingOrderAndRebuild()
{
    TournamentsTestHost host;
    TournamentsController controller(nullptr, nullptr, &host);
    TournamentsLobbyModel *model = controller.model();
    model->setNotifyInterval(0);
    const QDateTime base = QDateTime(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC);
    // Registration closes in the order 5, 3, 1, 4, 2 (hours after base).
    const int closesIn[] = {0, 3, 5, 2, 4, 1};
    for (qint32 id = 1; id <= 5; ++id) {
        TournamentInfo t = makeTournament(id, QStringLiteral("T%1").arg(id), TournamentInfo::Open, 0, 0, 0, 1);
        t.closeRegister = base.addSecs(3600 * closesIn[id]);
        model->addOrUpdateTournament(t);
    }
    ComingTournamentsWidget widget;
    widget.setModel(model);
    widget.setTournamentsController(&controller);
    QCOMPARE(widget.listedIds(), (std::vector<qint32>{5, 3, 1}));
    const int built = widget.rebuildCount();

    // A new name or player count alone keeps the rows.
    TournamentInfo five = model->tournamentInfo(5);
    five.name = QStringLiteral("Renamed");
    five.registeredPlayers = 9;
    model->addOrUpdateTournament(five);
    QCOMPARE(widget.rebuildCount(), built);

    // Registering turns the button; Unregister then asks to leave.
    model->onTournamentRegisterSuccess(3);
    QCOMPARE(widget.rebuildCount(), built + 1);
    QPushButton *leave = nullptr;
    for (QPushButton *button : widget.findChildren<QPushButton *>())
        if (button->text() == QStringLiteral("Unregister"))
            leave = button;
    QVERIFY(leave);
    QSignalSpy unregister(&widget, &ComingTournamentsWidget::unregisterTournament);
    leave->click();
    QCOMPARE(unregister.size(), 1);
    QCOMPARE(unregister.first().first().toInt(), 3);
    QVERIFY(host.lobby.findChildren<JoinDialog *>().isEmpty());

    // One closes: the next open one moves in.
    five.status = TournamentInfo::Closed;
    model->addOrUpdateTournament(five);
    QCOMPARE(widget.listedIds(), (std::vector<qint32>{3, 1, 4}));

    // In a crowded column the rows keep their height: no buttons overlap.
    QWidget column;
    auto *layout = new QVBoxLayout(&column);
    auto *greedy = new QWidget;
    greedy->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    greedy->setMinimumHeight(60);
    layout->addWidget(greedy);
    auto *crowded = new ComingTournamentsWidget;
    crowded->setModel(model);
    layout->addWidget(crowded);
    column.resize(300, 150);
    column.show();
    QVERIFY(QTest::qWaitForWindowExposed(&column));
    const QList<QPushButton *> buttons = crowded->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 6);
    for (QPushButton *a : buttons) {
        QVERIFY(a->height() >= a->minimumSizeHint().height());
        for (QPushButton *b : buttons) {
            const QRect ra(a->mapTo(crowded, QPoint()), a->size()), rb(b->mapTo(crowded, QPoint()), b->size());
            QVERIFY(a == b || !ra.intersects(rb));
        }
    }
}

// A busy lobby: the list is chosen once per batch the model shows, not once
// per update, and ends up as the last update leaves it.
void TestTournamentViews::upcomingFollowsCoalescedChanges()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(200);
    const QDateTime base = QDateTime(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC);
    for (qint32 id = 1; id <= 50; ++id) {
        TournamentInfo t = makeTournament(id, QStringLiteral("T%1").arg(id), TournamentInfo::Open, 0, 0, 0, 1);
        t.closeRegister = base.addSecs(60 * id);
        model.addOrUpdateTournament(t);
    }
    ComingTournamentsWidget widget;
    widget.setModel(&model);
    QTRY_COMPARE(widget.listedIds(), (std::vector<qint32>{1, 2, 3}));
    QTest::qWait(300);
    const int refreshes = widget.refreshCount();

    // 200 updates in one go, the last of which closes tournament 1 and
    // adds one that closes first.
    for (int i = 0; i < 200; ++i)
        model.updateTournamentInfo(1 + i % 50,
                                   {tournamentInfoValueUpdate(TournamentInfo::REGISTERED_PLAYERS, 2 + i % 7)});
    model.updateTournamentInfo(1, {tournamentInfoValueUpdate(TournamentInfo::STATUS, int(TournamentInfo::Closed))});
    TournamentInfo early = makeTournament(99, QStringLiteral("Early"), TournamentInfo::Open, 0, 0, 0, 1);
    early.closeRegister = base;
    model.addOrUpdateTournament(early);
    // The first change and the first new tournament show at once, the rest
    // with the end of the interval.
    QVERIFY(widget.refreshCount() - refreshes <= 2);
    QTRY_COMPARE(widget.listedIds(), (std::vector<qint32>{99, 2, 3}));
    QTest::qWait(300);
    QVERIFY(widget.refreshCount() - refreshes <= 4);

    // A removal shows too.
    model.onTournamentRemoved(99);
    QTRY_COMPARE(widget.listedIds(), (std::vector<qint32>{2, 3, 4}));
}

void TestTournamentViews::comingEventsMerge()
{
    TournamentsLobbyModel lobby;
    lobby.onRegisteredNotification({1, 2});
    TournamentInfo one = makeTournament(1, QStringLiteral("One"), TournamentInfo::Open, 0, 0, 0, 1);
    one.roundsStart = {one.start, one.start.addSecs(1800), one.start.addSecs(3600)};
    lobby.addOrUpdateTournament(one);
    lobby.addOrUpdateTournament(makeTournament(3, QStringLiteral("Three"), TournamentInfo::Open, 0, 0, 0, 1));

    // Taken at construction: only the registered, active one.
    ComingEventsModel model(nullptr, &lobby);
    const auto kinds = [&] {
        QList<int> k;
        for (const ComingEvent &e : model.events())
            k.append(e.kind);
        return k;
    };
    QCOMPARE(kinds(), (QList<int>{1, 3, 2, 3, 2, 3}));
    QCOMPARE(model.events()[1].when, one.start.addSecs(1200));

    // A maintenance at a round's end comes before it (kind 0 before 3).
    QSignalSpy changed(&model, &ComingEventsModel::comingEventsChanged);
    model.onComingServerEvents({{0, one.start.addSecs(3600 + 1200)}, {0, one.start.addSecs(1200)}});
    QCOMPARE(kinds(), (QList<int>{1, 0, 3, 2, 3, 2, 0, 3}));

    // Unchanged rounds emit nothing; a finished tournament goes.
    lobby.addOrUpdateTournament(one);
    QCOMPARE(changed.size(), 1);
    one.status = TournamentInfo::Done;
    lobby.addOrUpdateTournament(one);
    QCOMPARE(kinds(), (QList<int>{0, 0}));

    // A registered tournament with a round but no length yet.
    TournamentInfo two = makeTournament(2, QStringLiteral("Two"), TournamentInfo::Open, 0, 0, 0, 1);
    two.roundsStart = {two.start};
    two.roundsLength.clear();
    lobby.addOrUpdateTournament(two);
    QCOMPARE(kinds(), (QList<int>{0, 1, 0}));
}

void TestTournamentViews::comingEventPopups()
{
    QWidget window;
    TournamentsLobbyModel lobby;
    ComingEventsModel model(nullptr, &lobby);
    ComingEventsView view(&model, &window);
    // Below a panel of the window, 4 px under it.
    auto *panel = new QLabel(&window);
    panel->setGeometry(10, 250, 100, 46);
    view.anchorBelow(panel, 4);
    window.resize(600, 400);
    window.show();
    // Already past, a round end, then a maintenance.
    model.onComingServerEvents({{0, g_now.addSecs(-5)}, {0, g_now.addSecs(7)}});
    lobby.onRegisteredNotification({1});
    TournamentInfo t = makeTournament(1, QStringLiteral("One"), TournamentInfo::Playing, 0, 0, 0, 1);
    t.roundsStart = {g_now.addSecs(-600)};
    t.roundsLength = {603};
    lobby.addOrUpdateTournament(t);

    // The round end only counts: nothing shows.
    QVERIFY(view.popup());
    QCOMPARE(view.popup()->kind(), 3);
    QVERIFY(view.popup()->isHidden());
    QTRY_COMPARE(window.findChildren<ComingEventPopup *>().size(), 1);
    // Hidden, it does not count each second; its moment is kept all the same.
    QVERIFY(!view.popup()->findChild<VisibleTimer *>(QStringLiteral("countdownTimer"))->isTicking());

    // The round ends: the maintenance shows, counting down.
    g_now = g_now.addSecs(3);
    QTRY_VERIFY(view.popup() && view.popup()->kind() == 0);
    // A change of the events would put another popup in its place.
    QPointer<ComingEventPopup> popup = view.popup();
    QVERIFY(!popup->isHidden());
    QCOMPARE(popup->pos(), QPoint(10, 300));
    panel->move(20, 250);
    QCOMPARE(popup->pos(), QPoint(20, 300));
    QCOMPARE(popup->text(), QStringLiteral("Server will go down for maintenance in 4s"));
    g_now = g_now.addSecs(2);
    QTRY_COMPARE(popup ? popup->text() : QString(), QStringLiteral("Server will go down for maintenance in 2s"));
    QVERIFY2(popup == view.popup(), "the countdown's popup was replaced");
    // Out of sight (its page hidden) it stops counting; back in sight it
    // shows the time left at once.
    auto *countdown = popup->findChild<VisibleTimer *>(QStringLiteral("countdownTimer"));
    QVERIFY(countdown->isTicking());
    window.hide();
    QVERIFY(!countdown->isTicking());
    QVERIFY(countdown->isActive());
    g_now = g_now.addSecs(-1);
    window.show();
    QVERIFY(countdown->isTicking());
    QCOMPARE(popup->text(), QStringLiteral("Server will go down for maintenance in 3s"));
    g_now = g_now.addSecs(1);

    // Its moment comes: expired once, and nothing is left.
    QSignalSpy expired(popup.data(), &ComingEventPopup::expired);
    g_now = g_now.addSecs(2);
    QTRY_VERIFY(!popup);
    QCOMPARE(expired.size(), 1);
    QVERIFY(!view.popup());
    QTRY_VERIFY(window.findChildren<ComingEventPopup *>().isEmpty());
}

QTEST_MAIN(TestTournamentViews)
#include "tst_tournament_views.moc"
