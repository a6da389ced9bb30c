// Display texts, cell values and their order, and lobby-path matching.
#include "lobby/CustomItem.h"
#include "lobby/ItemRoles.h"
#include "lobby/LobbyPath.h"
#include "lobby/TableTexts.h"
#include "lobby/VariantLessThan.h"
#include "protocol/TableCapacity.h"
#include "protocol/TournamentCost.h"
#include "protocol/ValueColumnType.h"
#include "core/TextFormat.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include <functional>

class TestLobbyValues : public QObject
{
    Q_OBJECT

private slots:
    void tableTexts();
    void tableValues();
    void lobbyPaths_data();
    void lobbyPaths();
    void orderOfLobbyValues();
    void orderOfPlainValues();
    void customItem();
};

void TestLobbyValues::tableTexts()
{
    QCOMPARE(rulesetName(0), QStringLiteral("Classic"));
    QCOMPARE(rulesetName(1), QStringLiteral("MCR"));
    QCOMPARE(rulesetName(2), QStringLiteral("EMA Riichi"));
    QCOMPARE(rulesetName(3), QStringLiteral("<undefined>"));
    QCOMPARE(rulesetName(-1), QStringLiteral("<undefined>"));

    QCOMPARE(gameTypeName(0), QStringLiteral("Single hand"));
    QCOMPARE(gameTypeName(1), QStringLiteral("Tournament"));
    QCOMPARE(gameTypeName(2), QStringLiteral("Full game"));
    QCOMPARE(gameTypeName(3), QStringLiteral("East only"));
    QCOMPARE(gameTypeName(4), QStringLiteral("<undefined>"));

    // Only a full game of exactly one wind round is played as East only.
    QCOMPARE(effectiveGameType(2, 1), 3);
    QCOMPARE(effectiveGameType(2, 2), 2);
    QCOMPARE(effectiveGameType(2, 0), 2);
    QCOMPARE(effectiveGameType(0, 1), 0);
    QCOMPARE(effectiveGameTypeName(2, 1), QStringLiteral("East only"));
    QCOMPARE(effectiveGameTypeName(2, 4), QStringLiteral("Full game"));
}

void TestLobbyValues::tableValues()
{
    QCOMPARE(formatTableValue(0), QStringLiteral("-"));
    QCOMPARE(formatTableValuePart(0), QStringLiteral("-"));
    QCOMPARE(formatTableValue(12345), Utils::moneyString(12345, false));
    QCOMPARE(formatTableValuePart(500), Utils::moneyString(500, false));
    QCOMPARE(formatTableValue(-200), Utils::moneyString(-200, false));

    const ValueColumnType money(1, 1000, 50);
    QCOMPARE(money.total(), qint64(1050));
    QCOMPARE(money.betAndFeeText(),
             QStringLiteral("%1 + %2").arg(Utils::moneyString(1000, false), Utils::moneyString(50, false)));
    QCOMPARE(ValueColumnType(0, 1000, 50).total(), qint64(0));
    QCOMPARE(ValueColumnType(4, 1000, 50).total(), qint64(0));
}

void TestLobbyValues::lobbyPaths_data()
{
    QTest::addColumn<QString>("subscribed");
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("covered");
    QTest::newRow("same") << "101/Practice"
                          << "101/Practice" << true;
    QTest::newRow("below") << "101/mtt/12"
                           << "101/mtt/12/3" << true;
    QTest::newRow("sibling with longer id") << "101/mtt/12"
                                            << "101/mtt/123/4" << false;
    QTest::newRow("sibling exact") << "101/mtt/12"
                                   << "101/mtt/123" << false;
    QTest::newRow("parent") << "101/mtt/12"
                            << "101/mtt" << false;
    QTest::newRow("trailing slash") << "101/mtt/12/"
                                    << "101/mtt/12/7" << true;
    QTest::newRow("trailing slash sibling") << "101/mtt/12/"
                                            << "101/mtt/123" << false;
    QTest::newRow("other game") << "101/Practice"
                                << "102/Practice" << false;
    QTest::newRow("case matters") << "101/practice"
                                  << "101/Practice" << false;
    QTest::newRow("empty subscription") << ""
                                        << "101/Practice" << false;
}

void TestLobbyValues::lobbyPaths()
{
    QFETCH(QString, subscribed);
    QFETCH(QString, table);
    QFETCH(bool, covered);
    QCOMPARE(lobbyPathCovers(subscribed, table), covered);
}

void TestLobbyValues::orderOfLobbyValues()
{
    const auto v = [](const auto &value) { return QVariant::fromValue(value); };

    // Stakes by their buy-in total; a table without buy-in counts as 0.
    QVERIFY(variantLessThan(v(ValueColumnType(1, 100, 10)), v(ValueColumnType(2, 100, 20))));
    QVERIFY(!variantLessThan(v(ValueColumnType(2, 100, 20)), v(ValueColumnType(1, 100, 10))));
    QVERIFY(variantLessThan(v(ValueColumnType(0, 99999, 0)), v(ValueColumnType(1, 1, 0))));

    // Names: plain code-point order, case-sensitive (upper case first), no
    // numbers read out of the text.
    const auto name = [](const char *text) { return QVariant(QString::fromUtf8(text)); };
    QVERIFY(variantLessThan(name("B"), name("b")));
    QVERIFY(!variantLessThan(name("b"), name("B")));
    QVERIFY(variantLessThan(name("Riichi 1"), name("practice 2")));
    QVERIFY(variantLessThan(name("Practice 10"), name("Practice 9")));
    QVERIFY(variantLessThan(name("Table 2"), name("Table 2b")));
    QVERIFY(!variantLessThan(name("Table 2"), name("Table 2")));

    // Capacities: seated, then seats, then more bots first.
    QVERIFY(variantLessThan(v(TableCapacity(1, 4, 0)), v(TableCapacity(2, 4, 0))));
    QVERIFY(variantLessThan(v(TableCapacity(2, 3, 0)), v(TableCapacity(2, 4, 0))));
    QVERIFY(variantLessThan(v(TableCapacity(2, 4, 2)), v(TableCapacity(2, 4, 1))));
    QVERIFY(!variantLessThan(v(TableCapacity(2, 4, 1)), v(TableCapacity(2, 4, 1))));

    // Tournament costs by bet + fee: {1000, 100} is 1100, {1050, 0} is 1050.
    QVERIFY(variantLessThan(v(TournamentCost(1050, 0)), v(TournamentCost(1000, 100))));
    QVERIFY(!variantLessThan(v(TournamentCost(1000, 100)), v(TournamentCost(1050, 0))));
}

void TestLobbyValues::orderOfPlainValues()
{
    QVERIFY(variantLessThan(QVariant(2), QVariant(10))); // not as strings
    QVERIFY(!variantLessThan(QVariant(10), QVariant(2)));
    QVERIFY(variantLessThan(QVariant(qint64(-5)), QVariant(qint64(3))));
    QVERIFY(variantLessThan(QVariant(1.5), QVariant(1.75)));
    const QDateTime early(QDate(2026, 1, 1), QTime(10, 0), Qt::UTC);
    QVERIFY(variantLessThan(QVariant(early), QVariant(early.addSecs(1))));
    // Plain case-sensitive string order: "B" before "b".
    QVERIFY(variantLessThan(QVariant(QStringLiteral("B")), QVariant(QStringLiteral("b"))));
    QVERIFY(!variantLessThan(QVariant(QStringLiteral("b")), QVariant(QStringLiteral("B"))));
    // Invalid values are equal among themselves and sort first.
    QVERIFY(!variantLessThan(QVariant(), QVariant()));
    QVERIFY(variantLessThan(QVariant(), QVariant(1)));
    QVERIFY(!variantLessThan(QVariant(1), QVariant()));
}

void TestLobbyValues::customItem()
{
    QStandardItemModel model;
    auto *item = new CustomItem<int>(1234, [](const int &cents) { return formatTableValue(cents); });
    item->setData(QStringLiteral("tip"), Qt::ToolTipRole);
    model.appendRow(item);
    const QModelIndex index = model.index(0, 0);
    QCOMPARE(index.data(Qt::DisplayRole).toString(), formatTableValue(1234));
    QCOMPARE(index.data(ItemRoles::RawValueRole), QVariant(1234));
    QCOMPARE(index.data(Qt::ToolTipRole).toString(), QStringLiteral("tip"));

    // Changing the value notifies views and changes both texts.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    item->setValue(0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(index.data().toString(), QStringLiteral("-"));

    std::unique_ptr<QStandardItem> copy(item->clone());
    QCOMPARE(copy->data(ItemRoles::RawValueRole), QVariant(0));
    QCOMPARE(copy->data(Qt::DisplayRole).toString(), QStringLiteral("-"));
    QCOMPARE(copy->data(Qt::ToolTipRole).toString(), QStringLiteral("tip"));

    const QDateTime when(QDate(2026, 12, 7), QTime(5, 0), Qt::UTC);
    CustomItem<QDateTime> dateItem(when, [](const QDateTime &t) { return t.toString(Qt::ISODate); });
    QCOMPARE(dateItem.data(ItemRoles::RawValueRole).toDateTime(), when);
    QCOMPARE(dateItem.data(Qt::DisplayRole).toString(), QStringLiteral("2026-12-07T05:00:00Z"));

    CustomItem<int> unformatted(1, {});
    QVERIFY_THROWS_EXCEPTION(std::bad_function_call, unformatted.data(Qt::DisplayRole));
}

QTEST_MAIN(TestLobbyValues)
#include "tst_lobby_values.moc"
