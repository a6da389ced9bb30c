// The process-wide tile graphics: choices, scale rounding, the resize worker's
// restart rule, the GUI thread staying free while it renders, and quitting.
// The cases share the one instance and run in order.

#include "TileTestSupport.h"

#include "scene/TileGraphics.h"
#include "scene/TileImages.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

class TstTileGraphics : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cwd;

    static TileGraphics &tg() { return TileGraphics::instance(); }

    // Waits until no worker is left (each finish emits gameScaleChanged).
    static bool settle()
    {
        return QTest::qWaitFor([] { return !tg().hasWorker(); }, 60000);
    }

    static void clearCache() { QDir(tileSetCacheDirectory()).removeRecursively(); }

private slots:
    void initTestCase()
    {
        tiletest::useEmbeddedResources();
        // No stray "tilesets/" directory from elsewhere.
        QVERIFY(m_cwd.isValid());
        QVERIFY(QDir::setCurrent(m_cwd.path()));
        clearCache();
    }

    void choices()
    {
        QCOMPARE(TileGraphics::blankNames(),
                 QStringList({QStringLiteral("Bamboo"), QStringLiteral("Green 1"), QStringLiteral("Red"),
                              QStringLiteral("Green 2"), QStringLiteral("Dark wood")}));
        QCOMPARE(TileGraphics::faceNames().size(), 5);
        QCOMPARE(TileGraphics::faceNames().at(3), QStringLiteral("Rustic numbered"));
        QCOMPARE(TileGraphics::faceChoices().at(3).second, QStringLiteral("resources:/tiles-fg.png"));
    }

    void scaleBeforeAnyTileSet()
    {
        QSignalSpy scale(&tg(), &TileGraphics::gameScaleChanged);
        tg().setGameScale(1.0); // already 1.0
        QCOMPARE(scale.count(), 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring tile scale")));
        tg().setGameScale(0.02); // rounds to 0
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring tile scale")));
        tg().setGameScale(-3);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring tile scale")));
        tg().setGameScale(1e12);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring tile scale")));
        tg().setGameScale(qQNaN());
        QCOMPARE(tg().gameScale(), 1.0);
        QCOMPARE(scale.count(), 0);
        // Nothing to scale yet: only the value changes.
        tg().setGameScale(0.5);
        QCOMPARE(tg().gameScale(), 0.5);
        QCOMPARE(scale.count(), 1);
        QVERIFY(!tg().scaledPainter().images());
        QVERIFY(!tg().hasWorker());
        tg().setGameScale(1.0);
        QCOMPARE(tg().gameScale(), 1.0);
    }

    void firstChoiceBuildsBothPainters()
    {
        QSignalSpy changed(&tg(), &TileGraphics::tileGraphicsChanged);
        QSignalSpy scale(&tg(), &TileGraphics::gameScaleChanged);
        tg().setTileSet(3, 4);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(tg().tileBlank(), QStringLiteral("resources:/tiles-blank-green.svg"));
        QCOMPARE(tg().tileFace(), QStringLiteral("resources:/tiles-fg-simple.svg"));
        QVERIFY(tg().unscaledPainter().images()->isValid());
        QCOMPARE(tg().unscaledPainter().images()->scale(), 1.0);
        QCOMPARE(tg().scaledPainter().images()->scale(), 1.0);
        QVERIFY(settle());
        QCOMPARE(scale.count(), 1);
    }

    void sameChoiceDoesNothing()
    {
        QSignalSpy changed(&tg(), &TileGraphics::tileGraphicsChanged);
        const TileImages *before = tg().unscaledPainter().images();
        const int runs = tg().workerRuns();
        tg().setTileSet(3, 4);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(tg().unscaledPainter().images(), before);
        QCOMPARE(tg().workerRuns(), runs);
    }

    void scaleRounding()
    {
        QSignalSpy scale(&tg(), &TileGraphics::gameScaleChanged);
        tg().setGameScale(1.03); // 1.0: unchanged
        QCOMPARE(scale.count(), 0);
        tg().setGameScale(0.99);
        QCOMPARE(tg().gameScale(), 0.96875);
        QCOMPARE(scale.count(), 1);
        QVERIFY(settle());
        QCOMPARE(tg().scaledPainter().images()->scale(), 0.96875);
    }

    // Changes during one run only update the fields; the finished run is out
    // of date and starts exactly one more, for the last scale.
    void workerRestartRule()
    {
        QVERIFY(settle());
        QSignalSpy scale(&tg(), &TileGraphics::gameScaleChanged);
        const int runs = tg().workerRuns();
        tg().setGameScale(0.75);
        QVERIFY(tg().hasWorker());
        tg().setGameScale(0.8);
        tg().setGameScale(0.85);
        QCOMPARE(tg().gameScale(), 0.84375);
        QCOMPARE(scale.count(), 3);
        QCOMPARE(tg().workerRuns(), runs + 1);
        // Served at once by scaling the base set: 30 deep stacks scale to 25.
        QCOMPARE(tg().scaledPainter().images()->metrics(TileImages::Right, TileImages::WallTriple).depth, 25);
        QVERIFY(settle());
        QCOMPARE(tg().workerRuns(), runs + 2);
        QCOMPARE(scale.count(), 5);
        // The exact rendering: depth scaled per tile, then stacked.
        const TileImages *exact = tg().scaledPainter().images();
        QCOMPARE(exact->scale(), 0.84375);
        QCOMPARE(exact->metrics(TileImages::Right, TileImages::WallTriple).depth, 24);
        QVERIFY(exact->isValid());
    }

    // A new choice of sets while the worker renders the old ones: its result
    // is dropped and one more run renders the new sets.
    void workerRestartsOnNewTileSet()
    {
        QVERIFY(settle());
        clearCache();
        const int runs = tg().workerRuns();
        tg().setGameScale(0.90625);
        QVERIFY(tg().hasWorker());
        tg().setTileSet(4, 0);
        QCOMPARE(tg().workerRuns(), runs + 1);
        QVERIFY(settle());
        QCOMPARE(tg().workerRuns(), runs + 2);
        const TileImages *images = tg().scaledPainter().images();
        QCOMPARE(images->scale(), 0.90625);
        const TileImages expected(tg().tileBlank(), tg().tileFace(),
                                  QStringLiteral("resources:/tile-highlights-red.png"), 0.90625);
        QCOMPARE(images->blank(TileImages::Bottom, TileImages::Declared),
                 expected.blank(TileImages::Bottom, TileImages::Declared));
        QCOMPARE(images->face(TileImages::Left, 20), expected.face(TileImages::Left, 20));
    }

    void guiThreadRunsWhileWorkerRenders()
    {
        QVERIFY(settle());
        clearCache(); // force a real rendering
        int ticks = 0;
        int ticksAtFinish = -1;
        QTimer timer;
        timer.setInterval(1);
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        const auto conn = connect(&tg(), &TileGraphics::gameScaleChanged, this, [&] {
            if (!tg().hasWorker() && ticksAtFinish < 0)
                ticksAtFinish = ticks;
        });
        timer.start();
        tg().setGameScale(1.65625);
        QVERIFY(tg().hasWorker());
        QVERIFY(tg().workerThread() != QThread::currentThread());
        QVERIFY(settle());
        disconnect(conn);
        // The event loop kept serving timers while the set was rendered.
        QVERIFY2(ticksAtFinish > 0, qPrintable(QString::number(ticksAtFinish)));
        QCOMPARE(tg().scaledPainter().images()->scale(), 1.65625);
        QCOMPARE(tg().scaledPainter().images()->metrics(TileImages::Bottom, TileImages::Declared),
                 TileImages::renderedMetrics(TileImages::Bottom, TileImages::Declared, 1.65625));
    }

    void outOfRangeChoiceFallsBackToDefault()
    {
        QVERIFY(settle());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("back choice 7")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("face choice -1")));
        tg().setTileSet(7, -1);
        QCOMPARE(tg().tileBlank(), TileGraphics::blankChoices().at(0).second);
        QCOMPARE(tg().tileFace(), TileGraphics::faceChoices().at(0).second);
        QVERIFY(tg().unscaledPainter().images()->isValid());
        QVERIFY(settle());
    }

    void quitWaitsForTheWorker()
    {
        QVERIFY(settle());
        clearCache();
        QSignalSpy scale(&tg(), &TileGraphics::gameScaleChanged);
        tg().setGameScale(1.21875);
        const QPointer<const QThread> worker(tg().workerThread());
        QVERIFY(worker);
        QCOMPARE(scale.count(), 1);
        const TileImages *served = tg().scaledPainter().images();
        // Let it end without running the event loop, so that its finish
        // notice is surely still queued.
        QDeadlineTimer deadline(60000);
        while (!worker->isFinished() && !deadline.hasExpired())
            QThread::msleep(1);
        QVERIFY(worker->isFinished());
        tg().onAboutToQuit();
        QVERIFY(!tg().hasWorker());
        QVERIFY(worker.isNull()); // waited for and released
        // The discarded worker's notice arrives now and changes nothing.
        QCoreApplication::processEvents();
        QCOMPARE(scale.count(), 1);
        QCOMPARE(tg().scaledPainter().images(), served);
    }
};

QTEST_MAIN(TstTileGraphics)
#include "tst_tilegraphics.moc"
