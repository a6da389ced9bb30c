#include "app/ResourcePaths.h"
#include "app/Startup.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QPixmapCache>
#include <QProcess>
#include <QSignalSpy>
#include <QSplashScreen>
#include <QtTest>

#include <cstdio>

namespace {
// Run in a child process, inside a real event loop: the splash goes, a
// question comes and is answered, and for a while no window is open at all
// (as while the update installer downloads). The program must live on until
// start-up ends, and end normally once its main window is closed.
int childMain(int argc, char **argv)
{
    QApplication app(argc, argv);
    ResourcePaths::install({});
    Startup startup;
    QMainWindow window;
    QObject::connect(&startup, &Startup::finished, &window, [&window](bool success) {
        std::printf("finished %d\n", int(success));
        window.show();
        QTimer::singleShot(50, &window, &QWidget::close);
    });
    startup.start();
    QTimer::singleShot(Startup::minimumSplashTime + 50, &app, [&startup] {
        startup.splash()->hide();
        auto *box = new QMessageBox(QMessageBox::Question, "Update", "Update now?", QMessageBox::Yes | QMessageBox::No);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
        QTimer::singleShot(50, box, [box] { box->button(QMessageBox::Yes)->click(); });
    });
    QTimer::singleShot(Startup::minimumSplashTime + 600, &startup, &Startup::onVersionCheckFinished);
    QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(3); });
    const int result = app.exec();
    std::printf("exec returned %d\n", result);
    return result;
}
} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ResourcePaths::install({}); }
    void init() { QPixmapCache::clear(); }

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

    void programLivesWithoutWindowsUntilFinished()
    {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("MAHJONG_STARTUP_CHILD", "1");
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(20000));
        const QByteArray output = child.readAllStandardOutput();
        QCOMPARE(output, QByteArray("finished 1\nexec returned 0\n"));
        QCOMPARE(child.exitCode(), 0);
    }
};

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("MAHJONG_STARTUP_CHILD"))
        return childMain(argc, argv);
    QApplication app(argc, argv);
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
