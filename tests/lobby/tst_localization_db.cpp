// Localized table names: templates per language, the tournament-table name,
// and the table model's names following the cache.
#include "LobbyTestTables.h"

#include "lobby/ItemRoles.h"
#include "lobby/LocalizationDb.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "widgets/TranslationsManager.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

class TestLocalizationDb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void namesInTwoLanguages();
    void namesByIdFollowTheModel();

private:
    using Names = std::map<qint32, QString>;
};

void TestLocalizationDb::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-lobby-test"));
    QDir::setSearchPaths(QStringLiteral("translations"), {QStringLiteral(LOBBY_TEST_QM_DIR)});
}

void TestLocalizationDb::namesInTwoLanguages()
{
    ConnectionManager connection(false);
    TranslationsManager translations;
    QVERIFY(translations.setLanguage(QStringLiteral("en")));
    LocalizationDb names(&connection, &translations);
    QSignalSpy updated(&names, &LocalizationDb::tableNamesUpdated);

    const TableInfo table = makeTable(5, QStringLiteral("101/Practice"), 0, 4, 0, 1);
    QCOMPARE(names.tableName(table), QString());

    emit connection.tableNames(QStringLiteral("en"), Names{{1, QStringLiteral("Beginners {tableId}")},
                                                           {2, QStringLiteral("{tableId}: East {tableId}")}});
    QCOMPARE(updated.count(), 1);
    QCOMPARE(names.tableName(table), QStringLiteral("Beginners 5"));
    QCOMPARE(names.tableName(makeTable(7, QStringLiteral("101/Practice"), 0, 4, 0, 2)), QStringLiteral("7: East 7"));
    QCOMPARE(names.tableName(makeTable(7, QStringLiteral("101/Practice"), 0, 4, 0, 3)), QString());

    // Names of another language wait for that language.
    emit connection.tableNames(QStringLiteral("ja"), Names{{1, QStringLiteral("初心者 {tableId}")}});
    QCOMPARE(updated.count(), 1);
    QCOMPARE(names.tableName(table), QStringLiteral("Beginners 5"));

    TableInfo tournamentTable = makeTable(9, QStringLiteral("101/mtt/4/1"), 0, 4, 0, 1);
    tournamentTable.setGameType(TableInfo::TOURNAMENT);
    QCOMPARE(names.tableName(tournamentTable), QStringLiteral("Table(9)"));

    QVERIFY(translations.setLanguage(QStringLiteral("ja")));
    QCOMPARE(updated.count(), 2);
    QCOMPARE(names.language(), QStringLiteral("ja"));
    QCOMPARE(names.tableName(table), QStringLiteral("初心者 5"));
    QCOMPARE(names.tableName(tournamentTable), QStringLiteral("テーブル(9)"));
    QCOMPARE(names.tableName(makeTable(7, QStringLiteral("101/Practice"), 0, 4, 0, 2)), QString());

    // New names for the language in use replace the old ones.
    emit connection.tableNames(QStringLiteral("ja"), Names{{2, QStringLiteral("東 {tableId}")}});
    QCOMPARE(updated.count(), 3);
    QCOMPARE(names.tableName(table), QString());

    QVERIFY(translations.setLanguage(QStringLiteral("en")));
    QCOMPARE(names.tableName(table), QStringLiteral("Beginners 5"));
}

void TestLocalizationDb::namesByIdFollowTheModel()
{
    ConnectionManager connection(false);
    TranslationsManager translations;
    QVERIFY(translations.setLanguage(QStringLiteral("en")));
    LocalizationDb names(&connection, &translations);
    TableModel tables(&connection);
    tables.setLocalizationDb(&names);
    names.setTableModel(&tables);

    tables.subscribe(QStringLiteral("101/Practice"));
    emit connection.tableInfoUpdate(makeTable(5, QStringLiteral("101/Practice"), 0, 4, 0, 1));
    QCOMPARE(names.tableNameById(5), QString());
    QCOMPARE(names.tableNameById(6), QString());

    QSignalSpy changed(&tables, &QAbstractItemModel::dataChanged);
    emit connection.tableNames(QStringLiteral("en"), Names{{1, QStringLiteral("Beginners {tableId}")}});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(names.tableNameById(5), QStringLiteral("Beginners 5"));
    QCOMPARE(tables.tableNameById(5), QStringLiteral("Beginners 5"));
    QCOMPARE(tables.index(0, TableModel::NameColumn).data().toString(), QStringLiteral("Beginners 5"));
    QCOMPARE(names.tableNameById(6), QString());
}

QTEST_MAIN(TestLocalizationDb)
#include "tst_localization_db.moc"
