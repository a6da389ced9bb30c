#include "ClientHome.h"

#include "app/SingleInstanceGuard.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

class InstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void secondGuardIsRefused()
    {
        SingleInstanceGuard first("tst-guard");
        SingleInstanceGuard second("tst-guard");
        QVERIFY(first.acquire());
        QVERIFY(first.acquire()); // holding it already
        QVERIFY(!second.acquire());
        QVERIFY(!second.isHeld());
        first.release();
        QVERIFY(second.acquire());
        QVERIFY(second.isHeld());
        QVERIFY(second.lockFilePath().startsWith(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)));
    }

    void lockOfADeadProcessIsTakenOver()
    {
        SingleInstanceGuard probe("tst-stale");
        // A lock file left behind by a process that no longer runs.
        QFile stale(probe.lockFilePath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("999999\nmahjong\n" + QSysInfo::machineHostName().toLocal8Bit() + "\n");
        stale.close();
        QVERIFY(probe.acquire());
    }

    // Two real clients: the second ends at once with its own exit code while
    // the first keeps running.
    void secondProgramEnds()
    {
        QTemporaryDir home;
        const QProcessEnvironment environment = clientEnvironment(home.path());
        // Nothing listens on port 1: the server files fail fast.
        const QStringList arguments = {"--httphost", "127.0.0.1:1", "127.0.0.1:1"};

        QProcess first;
        first.setProcessEnvironment(environment);
        first.start(QStringLiteral(MAHJONG_EXECUTABLE), arguments);
        QVERIFY(first.waitForStarted());
        const QString log = home.filePath("data/Kestrova/Kestrova-Brisquel/logs/mahjong.log");
        auto logText = [&log] {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        QTRY_VERIFY_WITH_TIMEOUT(logText().contains(QLatin1String("Main window shown")), 20000);
        QVERIFY(logText().contains(QLatin1String("[INFO ] Session started at")));

        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(MAHJONG_EXECUTABLE), arguments);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 3);
        QVERIFY(second.readAllStandardError().contains("already running"));
        QCOMPARE(first.state(), QProcess::Running);
        // The refused client leaves the running client's log where it is.
        QVERIFY(logText().contains(QLatin1String("Main window shown")));
        QVERIFY(!QFile::exists(log + ".old"));

        first.terminate();
        QVERIFY(first.waitForFinished(10000));
    }
};

QTEST_GUILESS_MAIN(InstanceTest)
#include "tst_instance.moc"
