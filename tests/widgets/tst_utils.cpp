#include "widgets/Utils.h"

#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <limits>

// A top-level window that Utils::findMainWindow must recognise by class name.
class MainWindow : public QWidget
{
    Q_OBJECT
};

namespace {
QDateTime g_fixedNow;
QDateTime fixedNow()
{
    return g_fixedNow;
}
} // namespace

class UtilsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { Utils::setServerClock(nullptr); }

    void moneyString_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<bool>("alwaysDecimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << qint64(0) << false << "$0";
        QTest::newRow("whole") << qint64(500) << false << "$5";
        QTest::newRow("grouped") << qint64(123456700) << false << "$1,234,567";
        QTest::newRow("cents") << qint64(12345) << false << "$123.45";
        QTest::newRow("one cent") << qint64(1) << false << "$0.01";
        QTest::newRow("always decimals") << qint64(500) << true << "$5.00";
        QTest::newRow("grouped decimals") << qint64(123456789) << true << "$1,234,567.89";
        QTest::newRow("negative") << qint64(-150) << false << "-$1.50";
        QTest::newRow("negative whole") << qint64(-100000) << false << "-$1,000";
    }
    void moneyString()
    {
        QFETCH(qint64, cents);
        QFETCH(bool, alwaysDecimals);
        QFETCH(QString, expected);
        QCOMPARE(Utils::moneyString(cents, alwaysDecimals), expected);
    }
    void moneyStringExtremes()
    {
        // The most negative amount has no positive counterpart in qint64.
        QCOMPARE(Utils::moneyString(std::numeric_limits<qint64>::min(), false),
                 QStringLiteral("-$92,233,720,368,547,758.08"));
        QCOMPARE(Utils::moneyString(std::numeric_limits<qint64>::max(), true),
                 QStringLiteral("$92,233,720,368,547,758.07"));
    }

    void percentString_data()
    {
        QTest::addColumn<qint64>("tenths");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << qint64(0) << "0%";
        QTest::newRow("whole") << qint64(120) << "12%";
        QTest::newRow("hundred") << qint64(1000) << "100%";
        QTest::newRow("tenths") << qint64(125) << "12.50%";
        QTest::newRow("small") << qint64(5) << "0.50%";
        QTest::newRow("negative") << qint64(-15) << "-1.50%";
    }
    void percentString()
    {
        QFETCH(qint64, tenths);
        QFETCH(QString, expected);
        QCOMPARE(Utils::percentString(tenths), expected);
    }

    void htmlWrappers()
    {
        QCOMPARE(Utils::fontColored("hi", QColor(255, 255, 0)), QStringLiteral("<font color=\"#ffff00\">hi</font>"));
        QCOMPARE(Utils::fontColored("hi", QColor()), QStringLiteral("<font>hi</font>"));
        QCOMPARE(Utils::coloredLink("user://7", "Ann", QColor(Qt::red)),
                 QStringLiteral("<a href=\"user://7\" style=\"color: #ff0000\">Ann</a>"));
        QCOMPARE(Utils::coloredLink("user://7", "Ann", QColor()), QStringLiteral("<a href=\"user://7\">Ann</a>"));
    }

    void elideMiddleExamples()
    {
        QCOMPARE(Utils::elideMiddle("abcdefghij", 10), QStringLiteral("abcdefghij"));
        QCOMPARE(Utils::elideMiddle("abcdefghij", 7), QStringLiteral("ab...ij"));
        QCOMPARE(Utils::elideMiddle("abcdefghij", 8), QStringLiteral("abc...ij"));
        QCOMPARE(Utils::elideMiddle("abcdefghij", 3), QStringLiteral("abc"));
        QCOMPARE(Utils::elideMiddle("abcdefghij", 0), QString());
        QCOMPARE(Utils::elideMiddle("abcdefghij", -4), QString());
        QCOMPARE(Utils::elideMiddle(QString(), 5), QString());
    }
    void elideMiddleNeverExceedsMaximum()
    {
        const QString source = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz");
        for (int length = 0; length <= source.size(); ++length) {
            const QString text = source.left(length);
            for (int maximum = -1; maximum <= length + 2; ++maximum) {
                const QString result = Utils::elideMiddle(text, maximum);
                const QByteArray where =
                    QStringLiteral("length %1 maximum %2: '%3'").arg(length).arg(maximum).arg(result).toUtf8();
                if (length <= maximum) {
                    QVERIFY2(result == text, where.constData());
                    continue;
                }
                QVERIFY2(result.size() <= qMax(0, maximum), where.constData());
                if (maximum > 3) {
                    // Exactly the maximum, the ends kept, the dots in between.
                    QVERIFY2(result.size() == maximum, where.constData());
                    const int dots = int(result.indexOf(QLatin1String("...")));
                    QVERIFY2(dots >= 0, where.constData());
                    QVERIFY2(text.startsWith(result.left(dots)), where.constData());
                    QVERIFY2(text.endsWith(result.mid(dots + 3)), where.constData());
                    QVERIFY2(qAbs(dots - (result.size() - dots - 3)) <= 1, where.constData());
                }
            }
        }
    }

    void durationText_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << qint64(0) << "0s";
        QTest::newRow("seconds") << qint64(59) << "59s";
        QTest::newRow("minute") << qint64(61) << "1m 01s";
        QTest::newRow("hour") << qint64(3600) << "1h 00m 00s";
        QTest::newRow("day") << qint64(86400 + 3600 + 60 + 1) << "1d 01h 01m 01s";
        QTest::newRow("days") << qint64(12 * 86400 + 5) << "12d 00h 00m 05s";
        QTest::newRow("negative") << qint64(-61) << "-1m 01s";
    }
    void durationText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, expected);
        QCOMPARE(Utils::durationText(seconds), expected);
    }
    void durationBetween()
    {
        const QDateTime from(QDate(2026, 1, 1), QTime(23, 59, 30), Qt::UTC);
        QCOMPARE(Utils::durationBetween(from, from.addSecs(90)), QStringLiteral("1m 30s"));
        // Across a date and with different time specs: the real distance counts.
        QCOMPARE(Utils::durationBetween(from, from.addDays(2).toOffsetFromUtc(3600)), QStringLiteral("2d 00h 00m 00s"));
    }

    void timeToStartFollowsServerClock()
    {
        g_fixedNow = QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
        Utils::setServerClock(&fixedNow);
        QCOMPARE(Utils::serverNow(), g_fixedNow);
        QCOMPARE(Utils::timeToStartText(g_fixedNow.addMSecs(999)), QStringLiteral("now"));
        QCOMPARE(Utils::timeToStartText(g_fixedNow.addSecs(-3600)), QStringLiteral("now"));
        QCOMPARE(Utils::timeToStartText(g_fixedNow.addSecs(1)), QStringLiteral("1s - time to start"));
        QCOMPARE(Utils::timeToStartText(g_fixedNow.addSecs(3 * 3600 + 7)),
                 QStringLiteral("3h 00m 07s - time to start"));
        Utils::setServerClock(nullptr);
        const qint64 drift = qAbs(Utils::serverNow().secsTo(QDateTime::currentDateTimeUtc()));
        QVERIFY(drift <= 1);
    }

    void minutesString()
    {
        // Without a translation the plural placeholder stays generic.
        QCOMPARE(Utils::minutesString(0), QStringLiteral("0 min(s)"));
        QCOMPARE(Utils::minutesString(119), QStringLiteral("1 min(s)"));
        QCOMPARE(Utils::minutesString(7200), QStringLiteral("120 min(s)"));
    }

    void localDateTimes()
    {
        const QDateTime when(QDate(2026, 7, 4), QTime(18, 5, 9), Qt::UTC);
        // The language's format (the default locale), not the system's (C here).
        const struct
        {
            const char *locale;
            const char *dateTime;
            const char *time;
        } cases[] = {{"ja", "2026/07/04 18:05", "18:05"},
                     {"en_US", "7/4/26 6:05 PM", "6:05 PM"},
                     {"zh_CN", "2026/7/4 18:05", "18:05"}};
        const QLocale before;
        for (const auto &c : cases) {
            QLocale::setDefault(QLocale(QLatin1String(c.locale)));
            QCOMPARE(Utils::localDateTimeString(when), QString::fromUtf8(c.dateTime));
            QCOMPARE(Utils::localTimeString(when), QString::fromUtf8(c.time));
        }
        QLocale::setDefault(before);
        QCOMPARE(Utils::localDateTimeString(QDateTime()), QString());
        QCOMPARE(Utils::localTimeString(QDateTime()), QString());
    }

    void settingsCheckState()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
        QCOMPARE(Utils::settingsCheckState(settings, "game/sound", true), Qt::Checked);
        QCOMPARE(Utils::settingsCheckState(settings, "game/sound", false), Qt::Unchecked);
        settings.setValue("game/sound", false);
        QCOMPARE(Utils::settingsCheckState(settings, "game/sound", true), Qt::Unchecked);
        settings.setValue("game/sound", "true");
        QCOMPARE(Utils::settingsCheckState(settings, "game/sound", false), Qt::Checked);
    }

    void findMainWindow()
    {
        QWidget other;
        other.show();
        QCOMPARE(Utils::findMainWindow(), nullptr);
        MainWindow window;
        auto *child = new MainWindow;
        child->setParent(&other); // not top-level: never the answer
        QCOMPARE(Utils::findMainWindow(), &window);
    }
};

QTEST_MAIN(UtilsTest)
#include "tst_utils.moc"
