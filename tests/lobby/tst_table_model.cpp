// The table model fed through the session's signals: subscriptions, rows,
// updates, removal and the lookups other modules rely on. The session here is
// a real ConnectionManager that is not connected; its signals are emitted
// directly (the scripted-server tests cover the wire).
#include "LobbyTestTables.h"

#include "lobby/ItemRoles.h"
#include "lobby/LocalizationDb.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestTableModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void subscriptionsAreCounted();
    void tablesOfSubscribedPathsOnly();
    void fullRecordAndPartialUpdate();
    void updatesAnnounceOnlyChangedCells();
    void badUpdatesLeaveTheTable();
    void unsubscribeDropsThePathsTables();
    void unsubscribeKeepsTablesOfOtherPaths();
    void removalReceiversMayChangeTheModel();
    void busyTablesAreAnnouncedTogether();
    void cellsCarryIdAndRawValues();

private:
    ConnectionManager *m_connection = nullptr;
    TableModel *m_model = nullptr;
};

void TestTableModel::init()
{
    m_connection = new ConnectionManager(false);
    m_model = new TableModel(m_connection);
}

void TestTableModel::cleanup()
{
    delete m_model;
    delete m_connection;
}

void TestTableModel::subscriptionsAreCounted()
{
    m_model->subscribe(QStringLiteral("101/Practice"));
    m_model->subscribe(QStringLiteral("101/Practice"));
    QCOMPARE(m_model->subscriptionCount(QStringLiteral("101/Practice")), 2);
    m_model->unsubscribe(QStringLiteral("101/Practice"));
    QCOMPARE(m_model->subscriptionCount(QStringLiteral("101/Practice")), 1);
    m_model->unsubscribe(QStringLiteral("101/Practice"));
    QCOMPARE(m_model->subscriptionCount(QStringLiteral("101/Practice")), 0);

    // A path without subscription only warns; nothing goes negative.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unsubscribe of lobby path without subscription"));
    m_model->unsubscribe(QStringLiteral("101/Practice"));
    QCOMPARE(m_model->subscriptionCount(QStringLiteral("101/Practice")), 0);
    m_model->subscribe(QStringLiteral("101/Practice"));
    QCOMPARE(m_model->subscriptionCount(QStringLiteral("101/Practice")), 1);
}

void TestTableModel::tablesOfSubscribedPathsOnly()
{
    QSignalSpy added(m_model, &TableModel::tableAdded);
    emit m_connection->tableInfoUpdate(makeTable(5, QStringLiteral("101/Practice")));
    QCOMPARE(m_model->rowCount(), 0);
    QVERIFY(!m_model->hasTable(5));

    m_model->subscribe(QStringLiteral("101/mtt/12"));
    emit m_connection->tableInfoUpdate(makeTable(6, QStringLiteral("101/mtt/123/1")));
    QVERIFY(!m_model->hasTable(6)); // a sibling path is not ours
    emit m_connection->tableInfoUpdate(makeTable(7, QStringLiteral("101/mtt/12/1")));
    QVERIFY(m_model->hasTable(7));
    QCOMPARE(added.count(), 1);
    QCOMPARE(added.at(0).at(0).toInt(), 7);

    // Ids below 1 are no tables.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("invalid table id"));
    emit m_connection->tableInfoUpdate(makeTable(0, QStringLiteral("101/mtt/12/1")));
    QCOMPARE(m_model->rowCount(), 1);
}

void TestTableModel::fullRecordAndPartialUpdate()
{
    m_model->subscribe(QStringLiteral("101/Practice"));
    QSignalSpy added(m_model, &TableModel::tableAdded);
    emit m_connection->tableInfoUpdate(makeTable(10, QStringLiteral("101/Practice"), 2, 4, 1));
    emit m_connection->tableInfoUpdate(makeTable(11, QStringLiteral("101/Practice"), 0, 4, 4));
    QCOMPARE(added.count(), 2);
    QCOMPARE(m_model->rowCount(), 2);
    QVERIFY(!m_model->isTableFull(10));
    QVERIFY(m_model->isTableFull(11));

    // A full record for a known table replaces it without a new row.
    TableInfo changed = makeTable(10, QStringLiteral("101/Practice"), 1, 4, 3);
    emit m_connection->tableInfoUpdate(changed);
    QCOMPARE(added.count(), 2);
    QCOMPARE(m_model->rowCount(), 2);
    QCOMPARE(m_model->tableInfo(10).ruleset(), 1);
    QCOMPARE(m_model->tableInfo(10).seated(), 3);

    // A partial update sets the seated count and applies its functions in order.
    TableInfoUpdates updates;
    updates.push_back(tableInfoValueUpdate(TableInfo::BOTS, 1));
    updates.push_back([](TableInfo &info) { info.setWindRounds(2); });
    updates.push_back([](TableInfo &info) { info.setWindRounds(info.windRounds() + 1); });
    emit m_connection->tableInfoUpdate(qint32(10), 4, updates);
    QCOMPARE(m_model->tableInfo(10).seated(), 4);
    QCOMPARE(m_model->tableInfo(10).bots(), 1);
    QCOMPARE(m_model->tableInfo(10).windRounds(), 3);
    QVERIFY(m_model->isTableFull(10));

    emit m_connection->tableInfoUpdate(qint32(10), 2, TableInfoUpdates());
    QVERIFY(!m_model->isTableFull(10));
    QCOMPARE(m_model->tableInfo(10).ruleset(), 1);

    // The seated count goes first, as at the table: a keyed value in the list wins.
    emit m_connection->tableInfoUpdate(qint32(10), 2, {tableInfoValueUpdate(TableInfo::SEATED, 3)});
    QCOMPARE(m_model->tableInfo(10).seated(), 3);
}

void TestTableModel::updatesAnnounceOnlyChangedCells()
{
    m_model->subscribe(QStringLiteral("101/Practice"));
    for (int id = 1; id <= 3; ++id)
        emit m_connection->tableInfoUpdate(makeTable(id, QStringLiteral("101/Practice")));
    QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
    QSignalSpy layout(m_model, &QAbstractItemModel::layoutChanged);

    emit m_connection->tableInfoUpdate(qint32(2), 3, TableInfoUpdates());
    QCOMPARE(changed.count(), 1);
    const auto topLeft = changed.at(0).at(0).value<QModelIndex>();
    const auto bottomRight = changed.at(0).at(1).value<QModelIndex>();
    QCOMPARE(topLeft.row(), 1);
    QCOMPARE(bottomRight.row(), 1);
    QCOMPARE(topLeft.column(), int(TableModel::PlayersColumn));
    QCOMPARE(bottomRight.column(), int(TableModel::PlayersColumn));

    // The same state again announces nothing.
    emit m_connection->tableInfoUpdate(qint32(2), 3, TableInfoUpdates());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(layout.count(), 0);
}

void TestTableModel::badUpdatesLeaveTheTable()
{
    m_model->subscribe(QStringLiteral("101/Practice"));
    emit m_connection->tableInfoUpdate(makeTable(20, QStringLiteral("101/Practice"), 2, 4, 1));

    // An update that fails half-way changes nothing, not even its first part.
    TableInfoUpdates broken;
    broken.push_back([](TableInfo &info) { info.setRuleset(0); });
    broken.push_back(std::function<void(TableInfo &)>());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("update of table 20 refused"));
    emit m_connection->tableInfoUpdate(qint32(20), 3, broken);
    QCOMPARE(m_model->tableInfo(20).ruleset(), 2);
    QCOMPARE(m_model->tableInfo(20).seated(), 1);

    TableInfoUpdates wrongType;
    wrongType.push_back(tableInfoValueUpdate(TableInfo::CAPACITY, QStringLiteral("four")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("update of table 20 refused"));
    emit m_connection->tableInfoUpdate(qint32(20), 2, wrongType);
    QCOMPARE(m_model->tableInfo(20).capacity(), 4);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("with -1 seated players refused"));
    emit m_connection->tableInfoUpdate(qint32(20), -1, TableInfoUpdates());
    QCOMPARE(m_model->tableInfo(20).seated(), 1);

    // An update for a table the lobby does not hold makes no row.
    emit m_connection->tableInfoUpdate(qint32(21), 2, TableInfoUpdates());
    QVERIFY(!m_model->hasTable(21));
    QCOMPARE(m_model->rowCount(), 1);
}

void TestTableModel::unsubscribeDropsThePathsTables()
{
    m_model->subscribe(QStringLiteral("101/mtt/12"));
    m_model->subscribe(QStringLiteral("101/mtt/123"));
    m_model->subscribe(QStringLiteral("101/mtt/12"));
    // Interleaved so that the removed rows are not one block.
    emit m_connection->tableInfoUpdate(makeTable(1, QStringLiteral("101/mtt/12/1")));
    emit m_connection->tableInfoUpdate(makeTable(2, QStringLiteral("101/mtt/123/1")));
    emit m_connection->tableInfoUpdate(makeTable(3, QStringLiteral("101/mtt/12/2")));
    emit m_connection->tableInfoUpdate(makeTable(4, QStringLiteral("101/mtt/12/2")));
    emit m_connection->tableInfoUpdate(makeTable(5, QStringLiteral("101/mtt/123/2")));
    QCOMPARE(m_model->rowCount(), 5);

    QSignalSpy removed(m_model, &TableModel::tableRemoved);
    m_model->unsubscribe(QStringLiteral("101/mtt/12"));
    QCOMPARE(removed.count(), 0); // still counted once
    QCOMPARE(m_model->rowCount(), 5);

    // The rows left are found at their place while the runs are announced.
    int lookups = 0;
    const auto check = connect(m_model, &QAbstractItemModel::rowsRemoved, this, [&] {
        for (int id : {2, 5}) {
            const int row = m_model->rowOfTable(id);
            lookups += m_model->index(row, 0).data(ItemRoles::TableIdRole).toInt() == id;
        }
    });
    m_model->unsubscribe(QStringLiteral("101/mtt/12"));
    disconnect(check);
    QCOMPARE(lookups, 4); // two runs, two tables each
    QList<int> removedIds;
    for (const auto &args : removed)
        removedIds << args.at(0).toInt();
    std::sort(removedIds.begin(), removedIds.end());
    QCOMPARE(removedIds, (QList<int>{1, 3, 4}));
    QCOMPARE(m_model->rowCount(), 2);
    for (int id : {2, 5}) {
        QVERIFY(m_model->hasTable(id));
        const int row = m_model->rowOfTable(id);
        QCOMPARE(m_model->index(row, 0).data(ItemRoles::TableIdRole).toInt(), id);
    }
    for (int id : {1, 3, 4})
        QVERIFY(!m_model->hasTable(id));

    // A late record of the dropped path does not bring the table back.
    emit m_connection->tableInfoUpdate(makeTable(1, QStringLiteral("101/mtt/12/1")));
    QVERIFY(!m_model->hasTable(1));

    // Many scattered tables leave in one reset rather than run by run.
    m_model->subscribe(QStringLiteral("101/b"));
    const int scattered = int(TableModel::MaxRemovalRuns) + 1;
    for (int i = 0; i < 2 * scattered; ++i)
        emit m_connection->tableInfoUpdate(
            makeTable(100 + i, i % 2 ? QStringLiteral("101/b") : QStringLiteral("101/mtt/123")));
    QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
    QSignalSpy runs(m_model, &QAbstractItemModel::rowsRemoved);
    removed.clear();
    m_model->unsubscribe(QStringLiteral("101/b"));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(runs.count(), 0);
    QCOMPARE(removed.count(), scattered);
    QCOMPARE(m_model->rowCount(), 2 + scattered);
    for (int id : {2, 5, 100, 100 + 2 * scattered - 2}) {
        const int row = m_model->rowOfTable(id);
        QCOMPARE(m_model->index(row, 0).data(ItemRoles::TableIdRole).toInt(), id);
    }
    QVERIFY(!m_model->hasTable(101));
}

void TestTableModel::unsubscribeKeepsTablesOfOtherPaths()
{
    m_model->subscribe(QStringLiteral("101"));
    m_model->subscribe(QStringLiteral("101/Practice"));
    emit m_connection->tableInfoUpdate(makeTable(1, QStringLiteral("101/Practice")));
    QSignalSpy removed(m_model, &TableModel::tableRemoved);
    m_model->unsubscribe(QStringLiteral("101/Practice"));
    QCOMPARE(removed.count(), 0);
    QVERIFY(m_model->hasTable(1));
    m_model->unsubscribe(QStringLiteral("101"));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(m_model->rowCount(), 0);

    // A table whose path moves out of every subscription leaves the lobby.
    m_model->subscribe(QStringLiteral("101/Practice"));
    emit m_connection->tableInfoUpdate(makeTable(2, QStringLiteral("101/Practice")));
    emit m_connection->tableInfoUpdate(makeTable(2, QStringLiteral("101/Money")));
    QVERIFY(!m_model->hasTable(2));
    QCOMPARE(removed.count(), 2);
}

void TestTableModel::removalReceiversMayChangeTheModel()
{
    const QString a = QStringLiteral("101/A");
    const QString b = QStringLiteral("101/B");
    m_model->subscribe(a);
    m_model->subscribe(b);
    // Interleaved, so that the tables of a leave in several steps.
    for (int id = 1; id <= 5; ++id)
        emit m_connection->tableInfoUpdate(makeTable(id, id % 2 ? a : b));
    QList<int> removed;
    connect(m_model, &TableModel::tableRemoved, this, [&](qint32 id) {
        removed << id;
        if (removed.size() == 1)
            m_model->unsubscribe(b); // e.g. a view closing on the news
    });
    bool rowsExisted = true;
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, [&](const QModelIndex &, int first, int last) {
        rowsExisted = rowsExisted && first >= 0 && first <= last && last < m_model->rowCount();
    });
    m_model->unsubscribe(a);
    QVERIFY(rowsExisted);
    std::sort(removed.begin(), removed.end());
    QCOMPARE(removed, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(m_model->rowCount(), 0);
    for (int id = 1; id <= 5; ++id)
        QVERIFY(!m_model->hasTable(id));
}

void TestTableModel::busyTablesAreAnnouncedTogether()
{
    m_model->setNotifyInterval(50);
    m_model->subscribe(QStringLiteral("101/Practice"));
    for (int id = 1; id <= 3; ++id)
        emit m_connection->tableInfoUpdate(makeTable(id, QStringLiteral("101/Practice"), 0, 4, 0, id));
    QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);

    // The first change goes out at once ...
    emit m_connection->tableInfoUpdate(qint32(1), 1, TableInfoUpdates());
    QCOMPARE(changed.count(), 1);
    // ... the following ones of the interval wait, merged per table, while
    // the record is current at once and views see the row as announced.
    emit m_connection->tableInfoUpdate(qint32(1), 2, TableInfoUpdates());
    emit m_connection->tableInfoUpdate(qint32(1), 3, TableInfoUpdates());
    TableInfo renamed = makeTable(2, QStringLiteral("101/Practice"), 2, 4, 1, 2);
    emit m_connection->tableInfoUpdate(renamed);
    emit m_connection->tableInfoUpdate(qint32(3), 2, TableInfoUpdates());
    QCOMPARE(m_model->tableInfo(1).seated(), 3);
    const QModelIndex players1 = m_model->index(m_model->rowOfTable(1), TableModel::PlayersColumn);
    QCOMPARE(players1.data().toString(), QStringLiteral("1/4"));
    QCOMPARE(changed.count(), 1);

    // A table that leaves meanwhile is not announced as changed.
    m_model->unsubscribe(QStringLiteral("101/Practice"));
    m_model->subscribe(QStringLiteral("101/Practice"));
    emit m_connection->tableInfoUpdate(makeTable(1, QStringLiteral("101/Practice"), 0, 4, 3, 1));
    emit m_connection->tableInfoUpdate(makeTable(2, QStringLiteral("101/Practice"), 2, 4, 1, 2));
    emit m_connection->tableInfoUpdate(qint32(2), 4, TableInfoUpdates());
    QCOMPARE(changed.count(), 1);
    QTRY_COMPARE(changed.count(), 2);
    const auto topLeft = changed.last().at(0).value<QModelIndex>();
    const auto bottomRight = changed.last().at(1).value<QModelIndex>();
    QCOMPARE(topLeft.data(ItemRoles::TableIdRole).toInt(), 2);
    QCOMPARE(bottomRight.row(), topLeft.row());
    QCOMPARE(bottomRight.column(), int(TableModel::PlayersColumn));

    // After a quiet interval the next change is immediate again.
    const QTimer *interval = m_model->findChild<QTimer *>();
    QVERIFY(interval);
    QTRY_VERIFY(!interval->isActive());
    QCOMPARE(changed.count(), 2);
    emit m_connection->tableInfoUpdate(qint32(2), 3, TableInfoUpdates());
    QCOMPARE(changed.count(), 3);

    // Going to 0 announces what waits and then every change at once.
    emit m_connection->tableInfoUpdate(qint32(2), 2, TableInfoUpdates());
    QCOMPARE(changed.count(), 3);
    const QModelIndex players2 = m_model->index(m_model->rowOfTable(2), TableModel::PlayersColumn);
    QCOMPARE(players2.data().toString(), QStringLiteral("3/4"));
    m_model->setNotifyInterval(0);
    QCOMPARE(changed.count(), 4);
    QCOMPARE(players2.data().toString(), QStringLiteral("2/4"));
    emit m_connection->tableInfoUpdate(qint32(2), 1, TableInfoUpdates());
    QCOMPARE(changed.count(), 5);
}

void TestTableModel::cellsCarryIdAndRawValues()
{
    m_model->subscribe(QStringLiteral("101/Practice"));
    TableInfo info = makeTable(42, QStringLiteral("101/Practice"), 2, 4, 3);
    info.setBots(1);
    info.setValue(ValueColumnType(1, 500, 25));
    info.setGameType(TableInfo::FULL_GAME);
    info.setWindRounds(1);
    emit m_connection->tableInfoUpdate(info);

    for (int column = 0; column < m_model->columnCount(); ++column)
        QCOMPARE(m_model->index(0, column).data(ItemRoles::TableIdRole).toInt(), 42);
    QCOMPARE(m_model->index(0, TableModel::RulesColumn).data().toString(), QStringLiteral("EMA Riichi"));
    QCOMPARE(m_model->index(0, TableModel::RulesColumn).data(ItemRoles::RawValueRole).toInt(), 2);
    QCOMPARE(m_model->index(0, TableModel::GameTypeColumn).data().toString(), QStringLiteral("East only"));
    QCOMPARE(m_model->index(0, TableModel::PlayersColumn).data().toString(), QStringLiteral("3/4"));
    QCOMPARE(m_model->index(0, TableModel::PlayersColumn).data(ItemRoles::RawValueRole).value<TableCapacity>(),
             TableCapacity(3, 4, 1));
    QCOMPARE(m_model->index(0, TableModel::StakesColumn).data(ItemRoles::RawValueRole).value<ValueColumnType>(),
             ValueColumnType(1, 500, 25));
    QCOMPARE(m_model->index(0, TableModel::StakesColumn).data().toString(), info.buyInText());
    // Without a name cache the list still names the table.
    QCOMPARE(m_model->tableName(info), QString());
    QVERIFY(m_model->index(0, TableModel::NameColumn).data().toString().contains(QStringLiteral("42")));
}

QTEST_MAIN(TestTableModel)
#include "tst_table_model.moc"
