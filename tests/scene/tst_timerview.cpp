// The turn timer against the server clock (ServerTime's estimate set by the
// test): repaint intervals, the counter's rounding, the pie's span, and
// windows that hold nothing.

#include "protocol/ServerTime.h"
#include "scene/TimerView.h"

#include <QMetaEnum>
#include <QtTest>

namespace {
const QDateTime Noon(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

QDateTime now()
{
    return ServerTime::instance().now();
}
} // namespace

class TstTimerView : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // An hour behind the local clock, so nothing here follows it.
        ServerTime::instance().setEstimate(Noon);
    }

    void msecsBetween()
    {
        const QDateTime a(QDate(2026, 2, 28), QTime(23, 59, 59, 500), Qt::UTC);
        QCOMPARE(TimerView::msecsBetween(a, Noon), qint64(12 * 3600000 + 500));
        QCOMPARE(TimerView::msecsBetween(Noon, a), -qint64(12 * 3600000 + 500));
        // Another zone is the same instant.
        QCOMPARE(TimerView::msecsBetween(Noon.toOffsetFromUtc(3600), Noon.addSecs(1)), qint64(1000));
    }

    void intervals_data()
    {
        QTest::addColumn<int>("displayType");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("interval");
        QTest::newRow("pie 30 s") << int(TimerView::DEC_PIE) << 30 << 300;
        QTest::newRow("pie 5 s") << int(TimerView::DEC_PIE) << 5 << 100;
        QTest::newRow("pie 120 s") << int(TimerView::DEC_PIE) << 120 << 1200;
        QTest::newRow("counter 30 s") << int(TimerView::DEC_COUNTER) << 30 << 1000;
        QTest::newRow("counter 5 s") << int(TimerView::DEC_COUNTER) << 5 << 1000;
    }
    void intervals()
    {
        QFETCH(int, displayType);
        QFETCH(int, seconds);
        QFETCH(int, interval);
        TimerView view(nullptr, {}, TimerView::DisplayType(displayType));
        view.show();
        view.setTimeSpan(TimeSpan(now(), now().addSecs(seconds)));
        QCOMPARE(view.total(), qint64(seconds) * 1000);
        QVERIFY(view.isRunning());
        QCOMPARE(view.interval(), interval);
        // A null start is the server's now.
        view.setTimeSpan(TimeSpan(QDateTime(), now().addSecs(seconds)));
        QVERIFY(qAbs(view.total() - qint64(seconds) * 1000) < 50);
    }

    void counterRounds_data()
    {
        QTest::addColumn<int>("leftMs");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.4 s") << 1400 << QStringLiteral("1");
        QTest::newRow("1.55 s") << 1550 << QStringLiteral("2");
        QTest::newRow("0.4 s") << 400 << QString();
        QTest::newRow("over") << -2000 << QString();
        QTest::newRow("1234 s") << 1234400 << QLocale().toString(1234);
    }
    void counterRounds()
    {
        QFETCH(int, leftMs);
        QFETCH(QString, text);
        TimerView view(nullptr, {}, TimerView::DEC_COUNTER);
        view.show();
        view.setTimeSpan(TimeSpan(now().addSecs(-3000), now().addMSecs(leftMs)));
        QCOMPARE(view.counterText(), text);
    }

    void pieShrinks()
    {
        TimerView view;
        view.resize(40, 40);
        view.show();
        view.setTimeSpan(TimeSpan(now().addSecs(-15), now().addSecs(15)));
        QVERIFY(qAbs(view.pieSpan() - 2880) <= 5);
        // A window that has not begun shows a full circle, not more.
        view.setTimeSpan(TimeSpan(now().addSecs(10), now().addSecs(20)));
        QCOMPARE(view.pieSpan(), 5760);
        QImage image(view.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        view.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        QVERIFY(qAlpha(image.pixel(20, 5)) > 0);
        // A shadow offset of 5 narrows the pie by 5 and casts the shadow 5
        // right and down.
        view.setPieType(TimerView::PIE_COLOR);
        view.setShadowOffset(5);
        image.fill(Qt::transparent);
        view.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        QCOMPARE(image.pixelColor(3, 17), QColor(Qt::white));
        QCOMPARE(image.pixelColor(38, 22), QColor(0, 0, 0, 64));
        QCOMPARE(qAlpha(image.pixel(2, 39)), 0);
    }

    void emptyWindowsStopAtOnce_data()
    {
        QTest::addColumn<int>("displayType");
        QTest::newRow("pie") << int(TimerView::DEC_PIE);
        QTest::newRow("counter") << int(TimerView::DEC_COUNTER);
    }
    void emptyWindowsStopAtOnce()
    {
        QFETCH(int, displayType);
        TimerView view(nullptr, {}, TimerView::DisplayType(displayType));
        view.resize(40, 40);
        view.show();
        view.setTimeSpan(TimeSpan(now(), now().addSecs(30)));
        QVERIFY(view.isRunning());
        // An end before the start: nothing to show, though the end is still
        // ahead.
        view.setTimeSpan(TimeSpan(now().addSecs(60), now().addSecs(30)));
        QCOMPARE(view.total(), qint64(0));
        QVERIFY(!view.isRunning());
        QCOMPARE(view.counterText(), QString());
        QCOMPARE(view.pieSpan(), 0);
        QImage image(view.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        view.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(qAlpha(image.pixel(x, y)), 0);
        // So does an invalid end.
        view.setTimeSpan(TimeSpan(now(), now().addSecs(30)));
        view.setTimeSpan(TimeSpan(now(), QDateTime()));
        QVERIFY(!view.isRunning());
    }

    void endedWindowStopsAtItsPaint()
    {
        TimerView view;
        view.show();
        view.setTimeSpan(TimeSpan(now().addSecs(-30), now().addSecs(-1)));
        QVERIFY(view.isRunning());
        QCOMPARE(view.pieSpan(), 0);
        QImage image(20, 20, QImage::Format_ARGB32);
        view.render(&image);
        QVERIFY(!view.isRunning());
    }

    void hiddenTimerStops()
    {
        TimerView view;
        view.show();
        view.setEndTime(now().addSecs(30));
        QVERIFY(view.isRunning());
        view.hide();
        QVERIFY(!view.isRunning());
        view.show();
        QVERIFY(view.isRunning());
        // Never shown: never started.
        TimerView hidden;
        hidden.setEndTime(now().addSecs(30));
        QVERIFY(!hidden.isRunning());
    }

    void styleSheetNamesTheEnums()
    {
        TimerView view;
        view.setStyleSheet(QStringLiteral("TimerView { qproperty-displayType: DEC_COUNTER; "
                                          "qproperty-pieType: PIE_COLOR; qproperty-shadowOffset: 5; }"));
        view.ensurePolished();
        QCOMPARE(view.displayType(), TimerView::DEC_COUNTER);
        QCOMPARE(view.pieType(), TimerView::PIE_COLOR);
        QCOMPARE(view.shadowOffset(), 5);
    }
};

QTEST_MAIN(TstTimerView)
#include "tst_timerview.moc"
