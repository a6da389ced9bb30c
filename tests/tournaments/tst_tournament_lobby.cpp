// The tournament lobby filter (levels, modes, search words, order) and the
// lobby window with its settings under "mttlobby/".
#include "TournamentTestData.h"

#include "tournaments/TournamentLobbyFilter.h"
#include "tournaments/TournamentRoles.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <random>

class TestTournamentLobby : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void buyInLevels_data();
    void buyInLevels();
    void modes();
    void searchWords();
    void registeredFirst();

    void settingsDefaultsAndReadBack();
    void columnsOfAnEmptyModel();
    void amountsStayWholeInANarrowList();
    void hiddenWindowSizesColumnsWhenShown();
    void grownColumnsMatchAFullMeasure();
    void selectionAndActivation();
    void busyListShowsWhatItHolds();

private:
    // Ids of the rows the filter shows, in its order.
    static QList<qint32> shown(const QAbstractItemModel &model);
    void fill(TournamentsLobbyModel &model);
};

void TestTournamentLobby::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-tournaments-test"));
}

void TestTournamentLobby::init()
{
    QSettings().clear();
}

QList<qint32> TestTournamentLobby::shown(const QAbstractItemModel &model)
{
    QList<qint32> ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids << model.index(row, 0).data(TournamentRoles::IdRole).toInt();
    return ids;
}

void TestTournamentLobby::fill(TournamentsLobbyModel &model)
{
    model.addOrUpdateTournament(makeTournament(1, "Free Riichi", TournamentInfo::Open, 2, 0, 0, 10));
    model.addOrUpdateTournament(makeTournament(2, "Classic Five", TournamentInfo::Open, 0, 450, 50, 64));
    model.addOrUpdateTournament(makeTournament(3, "MCR Eleven", TournamentInfo::Playing, 1, 1000, 100, 63));
    model.addOrUpdateTournament(makeTournament(4, "Riichi High", TournamentInfo::Closed, 2, 5000, 100, 5));
}

void TestTournamentLobby::buyInLevels_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<int>("level");
    QTest::newRow("free") << qint64(0) << 0;
    QTest::newRow("none set") << qint64(-1) << 0;
    QTest::newRow("1") << qint64(1) << 1;
    QTest::newRow("1099") << qint64(1099) << 1;
    QTest::newRow("1100") << qint64(1100) << 2;
    QTest::newRow("5099") << qint64(5099) << 2;
    QTest::newRow("5100") << qint64(5100) << 3;
}

void TestTournamentLobby::buyInLevels()
{
    QFETCH(qint64, cents);
    QTEST(TournamentLobbyFilter::buyInLevel(cents), "level");
}

void TestTournamentLobby::modes()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    fill(model);
    TournamentLobbyFilter filter;
    filter.setSourceModel(&model);
    filter.sort(TournamentsLobbyModel::StartColumn);
    QCOMPARE(shown(filter), (QList<qint32>{1, 2, 3, 4}));

    filter.setRulesetFilterEnabled(true); // empty set: nothing passes
    QCOMPARE(shown(filter), QList<qint32>{});
    filter.addRuleset(2);
    QCOMPARE(shown(filter), (QList<qint32>{1, 4}));
    filter.setRulesetFilterEnabled(false);
    QCOMPARE(shown(filter).size(), 4);

    // 1,100 cents is level 2; the free tournament is level 0.
    filter.setBuyInFilterEnabled(true);
    filter.addBuyInLevel(2);
    QCOMPARE(shown(filter), (QList<qint32>{3}));
    filter.addBuyInLevel(0);
    QCOMPARE(shown(filter), (QList<qint32>{1, 3}));
    filter.removeBuyInLevel(2);
    QCOMPARE(shown(filter), (QList<qint32>{1}));
    filter.setBuyInFilterEnabled(false);

    // Full tournaments: 64 of 64 is hidden by mode 2; 63 of 64 is not.
    filter.setFilterMode(2);
    QCOMPARE(shown(filter), (QList<qint32>{1, 3, 4}));
    filter.setFilterMode(1);
    QCOMPARE(shown(filter), (QList<qint32>{2}));
    filter.setFilterMode(3);
    QCOMPARE(shown(filter).size(), 4);
    filter.setFilterMode(0);
    QCOMPARE(shown(filter).size(), 0);
    filter.setFilterMode(3);

    // The filter follows the model: a tournament that fills up goes.
    filter.setFilterMode(2);
    model.updateTournamentInfo(3, {tournamentInfoValueUpdate(TournamentInfo::REGISTERED_PLAYERS, 64)});
    QCOMPARE(shown(filter), (QList<qint32>{1, 4}));
    // One that reports more players than it allows has no room either.
    model.updateTournamentInfo(3, {tournamentInfoValueUpdate(TournamentInfo::REGISTERED_PLAYERS, 65)});
    QCOMPARE(shown(filter), (QList<qint32>{1, 4}));
    filter.setFilterMode(1);
    QCOMPARE(shown(filter), (QList<qint32>{2, 3}));
}

void TestTournamentLobby::searchWords()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    fill(model);
    TournamentLobbyFilter filter;
    filter.setSourceModel(&model);
    filter.sort(TournamentsLobbyModel::StartColumn);

    filter.setFreeText(QStringLiteral("riichi  open"));
    QCOMPARE(filter.words(), (QSet<QString>{"riichi", "open"}));
    QCOMPARE(shown(filter), (QList<qint32>{1})); // 4 is Riichi but Closed
    filter.setFreeText(QStringLiteral("CLASSIC"));
    QCOMPARE(shown(filter), (QList<qint32>{2}));
    filter.setFreeText(QStringLiteral("   "));
    QCOMPARE(shown(filter).size(), 4);
    filter.setFreeText(QStringLiteral("63/64"));
    QCOMPARE(shown(filter), (QList<qint32>{3}));
}

void TestTournamentLobby::registeredFirst()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    fill(model);
    model.onRegisteredNotification({3});
    TournamentLobbyFilter filter;
    filter.setSourceModel(&model);

    filter.sort(TournamentsLobbyModel::NameColumn, Qt::AscendingOrder);
    QCOMPARE(shown(filter), (QList<qint32>{3, 2, 1, 4}));
    filter.sort(TournamentsLobbyModel::NameColumn, Qt::DescendingOrder);
    QCOMPARE(shown(filter), (QList<qint32>{3, 4, 1, 2}));

    // Amounts by value, not by text ($5 against $11).
    filter.sort(TournamentsLobbyModel::BuyInColumn, Qt::AscendingOrder);
    QCOMPARE(shown(filter), (QList<qint32>{3, 1, 2, 4}));

    // A registration that comes later moves the row up at once.
    model.onTournamentRegisterSuccess(4);
    QCOMPARE(shown(filter), (QList<qint32>{3, 4, 1, 2}));
    model.onTournamentUnregisterSuccess(3);
    QCOMPARE(shown(filter), (QList<qint32>{4, 1, 2, 3}));
}

void TestTournamentLobby::settingsDefaultsAndReadBack()
{
    {
        TournamentsLobbyWindow window;
        for (QCheckBox *box : window.findChildren<QCheckBox *>())
            QVERIFY2(box->isChecked(), qPrintable(box->objectName()));
        QCOMPARE(window.findChildren<QCheckBox *>().size(), 8);
        TournamentLobbyFilter *filter = window.filter();
        QCOMPARE(filter->rulesets(), (std::set<int>{0, 1, 2}));
        QCOMPARE(filter->buyInLevels(), (std::set<int>{0, 1, 2, 3}));
        QCOMPARE(filter->rulesetMode(), 1);
        QCOMPARE(filter->buyInMode(), 1);
        QCOMPARE(filter->filterMode(), 3);

        window.findChild<QCheckBox *>("internationalRules")->setChecked(false);
        window.findChild<QCheckBox *>("level3BuyIn")->setChecked(false);
        window.findChild<QCheckBox *>("viewAllAvailableTournamentsCheckBox")->setChecked(false);
        QCOMPARE(filter->rulesets(), (std::set<int>{0, 2}));
        QCOMPARE(filter->filterMode(), 2);
        window.findChild<QLineEdit *>("freeTextSearch")->setText(QStringLiteral("open"));
        QCOMPARE(filter->words(), QSet<QString>{"open"});
    }
    QSettings settings;
    QCOMPARE(settings.value("mttlobby/international").toBool(), false);
    QCOMPARE(settings.value("mttlobby/classic").toBool(), true);
    QCOMPARE(settings.value("mttlobby/level3buyin").toBool(), false);
    QCOMPARE(settings.value("mttlobby/viewallavailabletournaments").toBool(), false);

    TournamentsLobbyWindow window;
    QVERIFY(!window.findChild<QCheckBox *>("internationalRules")->isChecked());
    QVERIFY(window.findChild<QCheckBox *>("riichiRules")->isChecked());
    QCOMPARE(window.filter()->rulesets(), (std::set<int>{0, 2}));
    QCOMPARE(window.filter()->buyInLevels(), (std::set<int>{0, 1, 2}));
    QCOMPARE(window.filter()->filterMode(), 2);
    QVERIFY(window.findChild<QLineEdit *>("freeTextSearch")->text().isEmpty());
}

void TestTournamentLobby::columnsOfAnEmptyModel()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    TournamentsLobbyWindow window;
    window.setModel(&model);
    QList<int> widths;
    for (int column = 0; column < TournamentsLobbyModel::ColumnCount; ++column)
        widths << window.view()->header()->sectionSize(column);
    QCOMPARE(widths, (QList<int>{20, 45, 100, 90, 80, 80, 60, 60}));
}

void TestTournamentLobby::amountsStayWholeInANarrowList()
{
    // The list as wide as in a 1024 x 768 window; the pots grow after the
    // columns were sized, as registrations come in.
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    model.addOrUpdateTournament(
        makeTournament(1, QStringLiteral("Monday Riichi Freeroll"), TournamentInfo::Open, 2, 0, 0, 40, 100));
    model.addOrUpdateTournament(
        makeTournament(2, QStringLiteral("Grand Prix Riichi"), TournamentInfo::Open, 2, 250000, 10000, 1, 64));
    model.addOrUpdateTournament(
        makeTournament(3, QStringLiteral("New Year Special"), TournamentInfo::Open, 0, 2500, 250, 3, 256));
    TournamentsLobbyWindow window;
    window.setModel(&model);
    window.resize(600, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.onResizeColumnsTimeout();
    model.addOrUpdateTournament(
        makeTournament(2, QStringLiteral("Grand Prix Riichi"), TournamentInfo::Open, 2, 250000, 10000, 40, 64));
    model.addOrUpdateTournament(
        makeTournament(3, QStringLiteral("New Year Special"), TournamentInfo::Open, 0, 2500, 250, 250, 256));

    QTreeView *view = window.view();
    QTRY_COMPARE(view->horizontalScrollBar()->maximum(), 0);
    const QAbstractItemModel *shown = view->model();
    for (int row = 0; row < shown->rowCount(); ++row) {
        for (int column : {int(TournamentsLobbyModel::PlayersColumn), int(TournamentsLobbyModel::BuyInColumn),
                           int(TournamentsLobbyModel::PotColumn)}) {
            const QModelIndex cell = shown->index(row, column);
            const QString text = cell.data().toString();
            QVERIFY2(view->fontMetrics().horizontalAdvance(text) < view->visualRect(cell).width(), qPrintable(text));
            QVERIFY(view->viewport()->rect().contains(view->visualRect(cell)));
        }
    }
}

void TestTournamentLobby::hiddenWindowSizesColumnsWhenShown()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    TournamentsLobbyWindow window;
    window.setModel(&model);
    // Added while the window is hidden (another tab): no timer runs for it,
    // and the columns fit as soon as it shows.
    model.addOrUpdateTournament(makeTournament(1, QStringLiteral("A tournament with a name far wider than the column"),
                                               TournamentInfo::Open, 2, 0, 0, 10));
    QCoreApplication::processEvents();
    const int column = TournamentsLobbyModel::NameColumn;
    QCOMPARE(window.view()->header()->sectionSize(column), 90);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.view()->header()->sectionSize(column) > 90);
}

namespace {
// Counts the cells measured.
class CountingDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        ++measured;
        return QStyledItemDelegate::sizeHint(option, index);
    }
    mutable int measured = 0;
};
} // namespace

void TestTournamentLobby::grownColumnsMatchAFullMeasure()
{
    // Rounds of changes to a few rows (counts, amounts, marks, new rows, rows
    // the filter lets in again): after each, the columns are as wide as the
    // measure of every row would make them (a column widens to its widest
    // cell, never narrower than its caption, and never narrows), and the
    // window measured only the rows that changed.
    TournamentsLobbyModel model;
    std::mt19937 random(7);
    // Amounts and counts of more digits as the rounds go on.
    int digits = 2;
    const auto record = [&](qint32 id) {
        const qint32 bet = qint32(random() % qint32(std::pow(10, digits)));
        const int registered = int(random() % qint32(std::pow(10, digits / 2)));
        return makeTournament(id, QStringLiteral("Tournament %1").arg(id), TournamentInfo::status_t(random() % 4),
                              int(id % 3), bet, bet / 10, registered, registered + int(random() % 64));
    };
    for (qint32 id = 1; id <= 60; ++id)
        model.addOrUpdateTournament(record(id));
    TournamentsLobbyWindow window;
    CountingDelegate delegate;
    int measuredByWindow = 0;
    // Around the window's own handler: what it measures when changes show.
    connect(&model, &TournamentsLobbyModel::changesShown, this, [&] { delegate.measured = 0; });
    window.setModel(&model);
    connect(&model, &TournamentsLobbyModel::changesShown, this, [&] { measuredByWindow += delegate.measured; });
    window.resize(700, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.onResizeColumnsTimeout();
    QTreeView *view = window.view();
    view->setItemDelegate(&delegate);
    QList<int> expected;
    for (int column = 0; column < TournamentsLobbyModel::ColumnCount; ++column)
        expected << view->columnWidth(column);
    auto *riichi = window.findChild<QCheckBox *>(QStringLiteral("riichiRules"));

    qint32 nextId = 61;
    int widened = 0;
    for (int round = 0; round < 40; ++round) {
        measuredByWindow = 0;
        int changes = 0;
        digits = std::min(9, 2 + round / 4);
        if (round % 5 == 1) {
            riichi->setChecked(!riichi->isChecked());
            // Rows let in again are new to the list.
            if (riichi->isChecked())
                changes += int(model.tournamentIds().size());
        }
        for (int i = 0; i < 3; ++i, ++changes)
            model.addOrUpdateTournament(record(round % 7 == 3 && i == 0 ? nextId++ : qint32(1 + random() % 60)));
        if (round % 6 == 2) {
            model.onTournamentRegisterSuccess(qint32(1 + random() % 60));
            ++changes;
        }
        model.flushChanges();
        const int cells = TournamentsLobbyModel::ColumnCount - 1;
        QVERIFY2(measuredByWindow <= changes * cells,
                 qPrintable(QStringLiteral("round %1: %2 cells measured").arg(round).arg(measuredByWindow)));

        for (int column = 0; column < TournamentsLobbyModel::ColumnCount; ++column) {
            if (column == TournamentsLobbyModel::NameColumn)
                continue;
            const int contents = static_cast<const QAbstractItemView *>(view)->sizeHintForColumn(column);
            if (contents > expected[column]) {
                expected[column] = qMax(contents, view->header()->sectionSizeHint(column));
                ++widened;
            }
            QCOMPARE(view->columnWidth(column), expected[column]);
        }
    }
    QVERIFY(widened >= 3);
}

void TestTournamentLobby::selectionAndActivation()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    fill(model);
    TournamentsLobbyWindow window;
    window.setModel(&model);
    QSignalSpy selected(&window, &TournamentsLobbyWindow::tournamentSelected);
    QSignalSpy activated(&window, &TournamentsLobbyWindow::tournamentActivated);

    window.selectTournament(12345);
    QCOMPARE(selected.size(), 0);
    window.selectTournament(30); // tournament 3
    QVERIFY(!selected.isEmpty());
    QCOMPARE(selected.last().at(0).toInt(), 3);
    QCOMPARE(window.view()->currentIndex().data(TournamentRoles::IdRole).toInt(), 3);

    // A hidden row is announced but not selected.
    window.findChild<QLineEdit *>("freeTextSearch")->setText(QStringLiteral("Classic"));
    selected.clear();
    window.selectTournament(40);
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), 4);
    QVERIFY(window.view()->currentIndex().data(TournamentRoles::IdRole).toInt() != 4);

    // Any column of a row names its tournament.
    const QModelIndex pot = window.view()->model()->index(0, TournamentsLobbyModel::PotColumn);
    window.onTournamentActivated(pot);
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 2);
}

void TestTournamentLobby::busyListShowsWhatItHolds()
{
    // A busy lobby: rounds of changes shown together, most of them moving
    // rows out of sight, some changing rows in sight that stay in place while
    // others move, a registration now and then, a new start, rows coming and
    // going, the list scrolled. After each round what the list shows on
    // screen is what a fresh paint of it shows: no row that changed or moved
    // is left as it was.
    TournamentsLobbyModel model;
    std::mt19937 random(11);
    const auto record = [&](qint32 id) {
        const qint32 bet = qint32(random() % 2000);
        return makeTournament(id, QStringLiteral("Tournament %1").arg(id), TournamentInfo::status_t(random() % 4),
                              int(id % 3), bet, bet / 10, int(random() % 64));
    };
    for (qint32 id = 1; id <= 300; ++id)
        model.addOrUpdateTournament(record(id));
    TournamentsLobbyWindow window;
    window.setModel(&model);
    window.resize(700, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTreeView *view = window.view();
    view->sortByColumn(TournamentsLobbyModel::PlayersColumn, Qt::DescendingOrder);
    view->setCurrentIndex(view->model()->index(3, 0));
    QWidget *port = view->viewport();

    const auto idsInSight = [&] {
        QList<qint32> ids;
        for (QModelIndex index = view->indexAt(QPoint(1, 1)); index.isValid(); index = view->indexBelow(index)) {
            if (view->visualRect(index).top() >= port->height())
                break;
            ids << index.data(TournamentRoles::IdRole).toInt();
        }
        return ids;
    };
    const auto sameOnScreen = [&] {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QPoint at = port->mapTo(&window, QPoint(0, 0));
        const QImage onScreen =
            window.screen()->grabWindow(window.winId(), at.x(), at.y(), port->width(), port->height()).toImage();
        const QImage painted = port->grab().toImage();
        return onScreen.convertToFormat(QImage::Format_RGB32) == painted.convertToFormat(QImage::Format_RGB32);
    };
    QVERIFY(sameOnScreen());

    qint32 nextId = 301;
    for (int round = 0; round < 60; ++round) {
        const QList<qint32> inSight = idsInSight();
        QVERIFY(inSight.size() > 10);
        const qint32 steady = inSight[2 + int(random() % 8)];
        // A row out of sight with a lower id is shown first and moves.
        for (qint32 id = 1; id < steady; ++id) {
            if (!inSight.contains(id) && model.hasTournament(id) && random() % 3 == 0) {
                TournamentInfo moved = model.tournamentInfo(id);
                moved.registeredPlayers = int(random() % 64);
                model.addOrUpdateTournament(moved);
                break;
            }
        }
        // The player scrolls or widens a column meanwhile.
        if (round % 4 == 1)
            view->verticalScrollBar()->setValue(int(random() % 30));
        if (round % 8 == 5)
            view->setColumnWidth(TournamentsLobbyModel::NameColumn, 120 + int(random() % 80));
        // A row in sight whose amounts change but not its place.
        TournamentInfo changed = model.tournamentInfo(steady);
        changed.cost = TournamentCost(qint32(random() % 5000), 10);
        changed.status = TournamentInfo::status_t(random() % 4);
        model.addOrUpdateTournament(changed);
        for (int i = 0; i < 6; ++i)
            model.addOrUpdateTournament(record(qint32(1 + random() % 300)));
        if (round % 5 == 2)
            model.onTournamentRegisterSuccess(inSight[int(random() % inSight.size())]);
        if (round % 7 == 3) {
            TournamentInfo later = model.tournamentInfo(inSight[int(random() % inSight.size())]);
            later.start = later.start.addDays(int(random() % 5) - 2);
            model.addOrUpdateTournament(later);
        }
        if (round % 9 == 4) {
            model.addOrUpdateTournament(record(nextId++));
            model.onTournamentRemoved(inSight[int(random() % inSight.size())]);
        }
        model.flushChanges();
        QVERIFY2(sameOnScreen(), qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

QTEST_MAIN(TestTournamentLobby)
#include "tst_tournament_lobby.moc"
