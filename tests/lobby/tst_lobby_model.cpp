// The filtered, sorted lobby views over the table model: subscriptions that
// follow the filter, live updates that keep order and selection, the lobby
// window's filter and the compact list.
#include "LobbyTestTables.h"

#include "lobby/CompactTableView.h"
#include "lobby/ItemRoles.h"
#include "lobby/LocalizationDb.h"
#include "lobby/LobbyFilter.h"
#include "lobby/LobbyModel.h"
#include "lobby/RulesetLobbyFilter.h"
#include "lobby/TableModel.h"
#include "lobby/VariantLessThan.h"
#include "protocol/ConnectionManager.h"

#include <QItemSelectionModel>
#include <QListWidget>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

namespace {
// Accepts the tables whose ids it holds, under the paths it names.
class IdFilter : public LobbyFilter
{
public:
    IdFilter(QStringList paths, QSet<qint32> ids)
        : m_paths(std::move(paths))
        , m_ids(std::move(ids))
    {
    }
    int lobbyPathCount() const override { return int(m_paths.size()); }
    QString lobbyPath(int index) const override { return m_paths.value(index); }
    bool acceptsRow(const QAbstractItemModel *model, int row) const override
    {
        return m_ids.contains(model->index(row, 0).data(ItemRoles::TableIdRole).toInt());
    }
    QStringList m_paths;
    QSet<qint32> m_ids;
};

// The text a tool tip shows for the given tip.
QString shownAsToolTip(const QString &tip)
{
    QTextDocument document;
    if (Qt::mightBeRichText(tip))
        document.setHtml(tip);
    else
        document.setPlainText(tip);
    return document.toPlainText();
}

QList<int> idsInOrder(const QAbstractItemModel &model)
{
    QList<int> ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids << model.index(row, 0).data(ItemRoles::TableIdRole).toInt();
    return ids;
}
} // namespace

class TestLobbyModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noRowsWithoutFilter();
    void filterOwnsItsSubscriptions();
    void sourceChangeMovesSubscriptions();
    void sortedViewFollowsUpdates();
    void lobbyWindowFilter();
    void compactViewFollowsTheModel();
    void batchedChangesKeepTheSortOrder();
    void serverNamesAreNeverMarkup();

private:
    void add(const TableInfo &info) { emit m_connection->tableInfoUpdate(info); }

    ConnectionManager *m_connection = nullptr;
    TableModel *m_tables = nullptr;
};

void TestLobbyModel::init()
{
    m_connection = new ConnectionManager(false);
    m_tables = new TableModel(m_connection);
    m_tables->setNotifyInterval(0); // these tests follow each change at once
}

void TestLobbyModel::cleanup()
{
    delete m_tables;
    delete m_connection;
}

void TestLobbyModel::noRowsWithoutFilter()
{
    m_tables->subscribe(QStringLiteral("101/Practice"));
    add(makeTable(1, QStringLiteral("101/Practice")));
    add(makeTable(2, QStringLiteral("101/Practice")));
    LobbyModel lobby;
    lobby.setSourceModel(m_tables);
    QCOMPARE(lobby.rowCount(), 0);

    IdFilter filter({}, {2});
    lobby.setFilter(&filter);
    QCOMPARE(idsInOrder(lobby), QList<int>{2});
    lobby.setFilter(nullptr);
    QCOMPARE(lobby.rowCount(), 0);
}

void TestLobbyModel::filterOwnsItsSubscriptions()
{
    const QString practice = QStringLiteral("101/Practice");
    const QString tournament = QStringLiteral("101/mtt/5");
    m_tables->subscribe(practice); // someone else's subscription of the same path

    IdFilter first({practice}, {1, 2});
    IdFilter second({tournament}, {3});
    {
        LobbyModel lobby;
        lobby.setSourceModel(m_tables);
        lobby.setFilter(&first);
        QCOMPARE(m_tables->subscriptionCount(practice), 2);
        add(makeTable(1, practice));
        add(makeTable(2, practice));
        QCOMPARE(lobby.rowCount(), 2);

        lobby.setFilter(&first); // the same filter again changes nothing
        QCOMPARE(m_tables->subscriptionCount(practice), 2);

        lobby.setFilter(&second);
        QCOMPARE(m_tables->subscriptionCount(practice), 1);
        QCOMPARE(m_tables->subscriptionCount(tournament), 1);
        QCOMPARE(lobby.rowCount(), 0);
        add(makeTable(3, QStringLiteral("101/mtt/5/1")));
        QCOMPARE(idsInOrder(lobby), QList<int>{3});
        // The other subscription keeps the practice tables in the table model.
        QVERIFY(m_tables->hasTable(1));

        // A filter that changes its paths later still gives back exactly
        // what was subscribed.
        second.m_paths = QStringList{QStringLiteral("101/other")};
    }
    QCOMPARE(m_tables->subscriptionCount(tournament), 0);
    QCOMPARE(m_tables->subscriptionCount(QStringLiteral("101/other")), 0);
    QCOMPARE(m_tables->subscriptionCount(practice), 1);
    QVERIFY(!m_tables->hasTable(3));
}

void TestLobbyModel::sourceChangeMovesSubscriptions()
{
    TableModel other(m_connection);
    IdFilter filter({QStringLiteral("101/Practice")}, {1});
    LobbyModel lobby;
    lobby.setFilter(&filter);
    lobby.setSourceModel(m_tables);
    QCOMPARE(m_tables->subscriptionCount(QStringLiteral("101/Practice")), 1);
    lobby.setSourceModel(&other);
    QCOMPARE(m_tables->subscriptionCount(QStringLiteral("101/Practice")), 0);
    QCOMPARE(other.subscriptionCount(QStringLiteral("101/Practice")), 1);
    lobby.setSourceModel(nullptr);
    QCOMPARE(other.subscriptionCount(QStringLiteral("101/Practice")), 0);
}

void TestLobbyModel::sortedViewFollowsUpdates()
{
    const QString path = QStringLiteral("101/Practice");
    IdFilter filter({path}, {1, 2, 3, 4});
    LobbyModel lobby;
    lobby.setSourceModel(m_tables);
    lobby.setFilter(&filter);
    add(makeTable(1, path, 0, 4, 2));
    add(makeTable(2, path, 0, 4, 0));
    add(makeTable(3, path, 0, 4, 3));
    add(makeTable(4, path, 0, 4, 1));
    add(makeTable(5, path, 0, 4, 1)); // not accepted by the filter
    lobby.sort(TableModel::PlayersColumn, Qt::AscendingOrder);
    QCOMPARE(idsInOrder(lobby), (QList<int>{2, 4, 1, 3}));

    QItemSelectionModel selection(&lobby);
    selection.setCurrentIndex(lobby.index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QSignalSpy reset(&lobby, &QAbstractItemModel::modelReset);

    // Table 4 fills up: it moves to the end and stays selected.
    emit m_connection->tableInfoUpdate(qint32(4), 4, TableInfoUpdates());
    QCOMPARE(idsInOrder(lobby), (QList<int>{2, 1, 3, 4}));
    QCOMPARE(selection.currentIndex().data(ItemRoles::TableIdRole).toInt(), 4);
    QCOMPARE(selection.selectedRows().size(), 1);
    QCOMPARE(selection.selectedRows().first().data(ItemRoles::TableIdRole).toInt(), 4);

    // Stakes sort by buy-in total; ties keep a stable order.
    TableInfo dear = makeTable(2, path, 0, 4, 0);
    dear.setValue(ValueColumnType(1, 5000, 100));
    add(dear);
    lobby.sort(TableModel::StakesColumn, Qt::DescendingOrder);
    QCOMPARE(idsInOrder(lobby).first(), 2);

    // A new table is placed by the current sort.
    TableInfo dearest = makeTable(1, path, 0, 4, 0);
    dearest.setValue(ValueColumnType(1, 9000, 100));
    add(dearest);
    QCOMPARE(idsInOrder(lobby).first(), 1);
    QCOMPARE(reset.count(), 0);
}

void TestLobbyModel::lobbyWindowFilter()
{
    const QString practice = QStringLiteral("101/Practice");
    RulesetLobbyFilter filter({practice});
    filter.setRulesetShown(0, true);
    filter.setRulesetShown(2, true);
    LobbyModel lobby;
    lobby.setSourceModel(m_tables);
    lobby.setFilter(&filter);
    QCOMPARE(m_tables->subscriptionCount(practice), 1);

    m_tables->subscribe(QStringLiteral("101/mtt/9"));
    add(makeTable(1, practice, 0));
    add(makeTable(2, practice, 1));
    add(makeTable(3, practice, 2, 4, 4));
    add(makeTable(4, QStringLiteral("101/mtt/9/1"), 0)); // another user's path
    TableInfo tournamentTable = makeTable(5, practice, 0);
    tournamentTable.setGameType(TableInfo::TOURNAMENT);
    add(tournamentTable);
    lobby.sort(0);
    const QList<int> first = idsInOrder(lobby);
    QCOMPARE(QSet<int>(first.begin(), first.end()), (QSet<int>{1, 3}));

    filter.setRulesetShown(1, true);
    filter.setFullTablesHidden(true);
    lobby.refilter();
    const QList<int> shown = idsInOrder(lobby);
    QCOMPARE(QSet<int>(shown.begin(), shown.end()), (QSet<int>{1, 2}));

    // A table that fills up leaves the list at once, and comes back.
    emit m_connection->tableInfoUpdate(qint32(1), 4, TableInfoUpdates());
    QCOMPARE(idsInOrder(lobby), QList<int>{2});
    emit m_connection->tableInfoUpdate(qint32(1), 3, TableInfoUpdates());
    QCOMPARE(lobby.rowCount(), 2);
}

void TestLobbyModel::compactViewFollowsTheModel()
{
    const QString path = QStringLiteral("101/Practice");
    IdFilter filter({path}, {1, 2, 3});
    LobbyModel lobby;
    lobby.setSourceModel(m_tables);
    lobby.setFilter(&filter);
    add(makeTable(1, path, 0, 4, 1));

    CompactTableView view;
    view.setModel(&lobby);
    QCOMPARE(view.count(), 1);
    QCOMPARE(view.selectedTableId(), -1);

    add(makeTable(2, path, 2, 4, 0));
    add(makeTable(3, path, 1, 3, 0));
    QCOMPARE(view.count(), 3);
    QList<int> ids;
    for (int i = 0; i < view.count(); ++i)
        ids << view.listWidget()->item(i)->data(ItemRoles::TableIdRole).toInt();
    QCOMPARE(ids, (QList<int>{1, 2, 3}));
    QVERIFY(view.listWidget()->item(1)->text().contains(QStringLiteral("EMA Riichi")));

    emit m_connection->tableInfoUpdate(qint32(2), 3, TableInfoUpdates());
    QVERIFY(view.listWidget()->item(1)->text().contains(QStringLiteral("3/4")));

    view.listWidget()->setCurrentRow(2);
    QCOMPARE(view.selectedTableId(), 3);
    QSignalSpy doubleClicked(&view, &CompactTableView::tableDoubleClicked);
    emit view.listWidget()->itemDoubleClicked(view.listWidget()->item(2));
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(doubleClicked.at(0).at(0).toInt(), 3);

    filter.m_ids.remove(1);
    lobby.refilter();
    QCOMPARE(view.count(), 2);
    QCOMPARE(view.selectedTableId(), 3);
    lobby.setFilter(nullptr);
    QCOMPARE(view.count(), 0);
    QCOMPARE(view.selectedTableId(), -1);
}

void TestLobbyModel::batchedChangesKeepTheSortOrder()
{
    // Many tables change within one notify interval; once announced, the
    // sorted view must be in order again, not just the rows announced last.
    const QString path = QStringLiteral("101/Practice");
    QSet<qint32> ids;
    for (qint32 id = 1; id <= 200; ++id)
        ids.insert(id);
    IdFilter filter({path}, ids);
    LobbyModel lobby;
    lobby.setSourceModel(m_tables);
    lobby.setFilter(&filter);
    lobby.sort(TableModel::PlayersColumn, Qt::AscendingOrder);
    for (qint32 id = 1; id <= 150; ++id)
        add(makeTable(id, path, 0, 4, id % 5));
    m_tables->setNotifyInterval(10000);
    quint32 seed = 7;
    auto next = [&seed](quint32 n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int i = 0; i < 400; ++i) {
        if (i % 20 == 0)
            add(makeTable(qint32(151 + i / 20), path, 0, 4, qint32(next(5))));
        else
            emit m_connection->tableInfoUpdate(qint32(1 + next(150)), int(next(5)), TableInfoUpdates());
    }
    m_tables->flushChanges();
    QCOMPARE(lobby.rowCount(), 170);
    for (int row = 1; row < lobby.rowCount(); ++row) {
        const QVariant before = lobby.index(row - 1, TableModel::PlayersColumn).data(ItemRoles::RawValueRole);
        const QVariant after = lobby.index(row, TableModel::PlayersColumn).data(ItemRoles::RawValueRole);
        QVERIFY2(!variantLessThan(after, before), qPrintable(QString::number(row)));
    }
}

void TestLobbyModel::serverNamesAreNeverMarkup()
{
    const QString path = QStringLiteral("101/Practice");
    LocalizationDb names(m_connection, nullptr);
    names.setTableModel(m_tables);
    m_tables->setLocalizationDb(&names);
    names.onTableNames(names.language(), {{1, QStringLiteral("<b>Bold</b> & {tableId}")}});
    IdFilter filter({path}, {7});
    LobbyModel lobby;
    lobby.setSourceModel(m_tables);
    lobby.setFilter(&filter);
    add(makeTable(7, path));
    CompactTableView view;
    view.setLocalizationDb(&names);
    view.setModel(&lobby);

    const QString name = QStringLiteral("<b>Bold</b> & 7");
    QCOMPARE(m_tables->tableNameById(7), name);
    QCOMPARE(lobby.index(0, TableModel::NameColumn).data().toString(), name);
    QCOMPARE(shownAsToolTip(lobby.index(0, TableModel::NameColumn).data(Qt::ToolTipRole).toString()), name);
    QCOMPARE(view.count(), 1);
    QCOMPARE(shownAsToolTip(view.listWidget()->item(0)->toolTip()), name);
}

QTEST_MAIN(TestLobbyModel)
#include "tst_lobby_model.moc"
