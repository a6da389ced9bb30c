#include "app/ResourcePaths.h"
#include "app/Startup.h"

#include <QElapsedTimer>
#include <QPixmapCache>
#include <QSignalSpy>
#include <QSplashScreen>
#include <QtTest>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ResourcePaths::install({});
    }
    void init()
    {
        QPixmapCache::clear();
    }

    void waitsForTheMinimumSplashTime()
    {
        Startup startup;
        QSignalSpy finished(&startup, &Startup::finished);
        QElapsedTimer clock;
        clock.start();
        startup.start();
        QVERIFY(startup.splash());
        QVERIFY(startup.splash()->isVisible());
        QVERIFY(!startup.splash()->pixmap().isNull());
        startup.onVersionCheckFinished(); // the version check is quick
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
        QVERIFY(clock.elapsed() >= Startup::minimumSplashTime);
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(!startup.splash()->isVisible());
        QVERIFY(startup.isFinished());
    }

    void waitsForThePreload()
    {
        Startup startup;
        QSignalSpy finished(&startup, &Startup::finished);
        startup.start();
        startup.onVersionCheckFinished();
        QTest::qWait(Startup::preloadDelay / 2);
        QPixmap pixmap;
        QVERIFY(!QPixmapCache::find(Startup::preloadedImages().first(), &pixmap)); // not before its delay
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
        for (const QString &name : Startup::preloadedImages())
            QVERIFY2(QPixmapCache::find(name, &pixmap) && !pixmap.isNull(), qPrintable(name));
    }

    void waitsForTheVersionCheck()
    {
        Startup startup;
        QSignalSpy finished(&startup, &Startup::finished);
        startup.start();
        QTest::qWait(Startup::minimumSplashTime + 200);
        QCOMPARE(finished.count(), 0);
        QVERIFY(startup.splash()->isVisible());
        startup.onVersionCheckFinished();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), true);
        startup.onVersionCheckFinished();
        QCOMPARE(finished.count(), 1); // once only
    }

    void failureFinishesOnceWithFalse()
    {
        Startup startup;
        QSignalSpy finished(&startup, &Startup::finished);
        startup.start();
        startup.fail();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), false);
        QVERIFY(!startup.splash()->isVisible());
        startup.onVersionCheckFinished();
        QTest::qWait(Startup::minimumSplashTime + 100);
        QCOMPARE(finished.count(), 1);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
