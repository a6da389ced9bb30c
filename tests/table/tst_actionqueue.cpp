#include "scene/GameWindowAnimation.h"
#include "table/CallbackGameWindowAction.h"
#include "table/GameWindowActionQueue.h"

#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <QtTest>

#include <stdexcept>

namespace {
// Writes what the queue does with it into a shared log.
class ProbeAnimation : public GameWindowAnimation
{
public:
    ProbeAnimation(const QString &name, QStringList &log, int durationMs = 10000, bool endsInStart = false)
        : GameWindowAnimation(durationMs)
        , m_name(name)
        , m_log(log)
        , m_endsInStart(endsInStart)
    {
    }
    ~ProbeAnimation() override { m_log << m_name + QStringLiteral(" deleted"); }

    void start(bool immediate) override
    {
        m_log << QStringLiteral("%1 start %2").arg(m_name).arg(immediate);
        // A zero-length animation ends inside its own start.
        if (m_endsInStart)
            emit finished();
        else if (!immediate)
            m_timeLine.start();
    }
    void finish(bool immediate) override { m_log << QStringLiteral("%1 finish %2").arg(m_name).arg(immediate); }

private:
    QString m_name;
    QStringList &m_log;
    bool m_endsInStart;
};
} // namespace

class tst_ActionQueue : public QObject
{
    Q_OBJECT

private:
    QStringList m_log;

    GameWindowAction *step(const QString &name)
    {
        return makeCallbackAction([this, name] { m_log << name; });
    }
    void setAnimations(bool on) { QSettings().setValue(QStringLiteral("game/animations"), on); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_actionqueue"));
    }
    void init()
    {
        m_log.clear();
        setAnimations(true);
    }

    void animationsOffRunAtOnce()
    {
        GameWindowActionQueue queue;
        auto *first = new ProbeAnimation(QStringLiteral("a"), m_log);
        queue.enqueueAnimation(first);
        queue.enqueueAction(step(QStringLiteral("waiting")));
        setAnimations(false);
        queue.enqueueAnimation(new ProbeAnimation(QStringLiteral("b"), m_log));
        // What waited runs first; the new animation starts and ends at once.
        QCOMPARE(m_log, (QStringList{"a start 0", "a finish 0", "waiting", "b start 1", "b finish 1", "b deleted"}));
        QVERIFY(!queue.isBusy());
        QCOMPARE(queue.waiting(), 0);
    }

    void callbacksWaitForTheAnimation()
    {
        GameWindowActionQueue queue;
        queue.enqueueAction(step(QStringLiteral("idle")));
        QCOMPARE(m_log, QStringList{"idle"});
        QPointer<ProbeAnimation> first = new ProbeAnimation(QStringLiteral("a"), m_log);
        queue.enqueueAnimation(first);
        for (const char *name : {"1", "2", "3"})
            queue.enqueueAction(step(QString::fromLatin1(name)));
        auto *second = new ProbeAnimation(QStringLiteral("b"), m_log);
        queue.enqueueAnimation(second);
        queue.enqueueAction(step(QStringLiteral("4")));
        QCOMPARE(m_log, (QStringList{"idle", "a start 0"}));
        QVERIFY(queue.isBusy());

        emit first->finished();
        QCOMPARE(m_log, (QStringList{"idle", "a start 0", "a finish 0", "1", "2", "3", "b start 0"}));
        QVERIFY(queue.isBusy());
        emit second->finished();
        QCOMPARE(m_log.mid(7), (QStringList{"b finish 0", "4"}));
        QVERIFY(!queue.isBusy());
        // Released through the event loop.
        QTRY_VERIFY(first.isNull());
    }

    void zeroDurationAnimation()
    {
        GameWindowActionQueue queue;
        queue.enqueueAnimation(new ProbeAnimation(QStringLiteral("z"), m_log, 1, true));
        queue.enqueueAction(step(QStringLiteral("after")));
        QCOMPARE(m_log, (QStringList{"z start 0", "z finish 0", "after"}));
        QVERIFY(!queue.isBusy());
    }

    void flushLimit_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("flushed");
        QTest::newRow("20 waiting") << 19 << false; // the animation's end is one of them
        QTest::newRow("21 waiting") << 20 << true;
    }
    void flushLimit()
    {
        QFETCH(int, steps);
        QFETCH(bool, flushed);
        GameWindowActionQueue queue;
        queue.enqueueAnimation(new ProbeAnimation(QStringLiteral("a"), m_log));
        for (int i = 0; i < steps; ++i)
            queue.enqueueAction(step(QString::number(i)));
        QCOMPARE(queue.waiting(), flushed ? 0 : steps + 1);
        QCOMPARE(queue.isBusy(), !flushed);
        QCOMPARE(m_log.contains(QStringLiteral("a finish 0")), flushed);
    }

    void flushWhileTicking()
    {
        GameWindowActionQueue queue;
        QPointer<ProbeAnimation> first = new ProbeAnimation(QStringLiteral("a"), m_log, 60);
        queue.enqueueAnimation(first);
        QCOMPARE(first->timeLine().state(), QTimeLine::Running);
        queue.flush();
        QVERIFY(!queue.isBusy());
        QCOMPARE(first->timeLine().state(), QTimeLine::NotRunning);

        auto *second = new ProbeAnimation(QStringLiteral("b"), m_log);
        queue.enqueueAnimation(second);
        queue.enqueueAction(step(QStringLiteral("after b")));
        // A late end of the flushed animation must not end the next one.
        if (first)
            emit first->finished();
        QVERIFY(queue.isBusy());
        QCOMPARE(m_log, (QStringList{"a start 0", "a finish 0", "b start 0"}));
        QTRY_VERIFY(first.isNull());
        emit second->finished();
        QCOMPARE(m_log.mid(4), (QStringList{"b finish 0", "after b"}));
    }

    void destroyedWithWaitingAnimation()
    {
        {
            GameWindowActionQueue queue;
            queue.enqueueAnimation(new ProbeAnimation(QStringLiteral("a"), m_log));
            queue.enqueueAnimation(new ProbeAnimation(QStringLiteral("b"), m_log));
        }
        QCOMPARE(m_log, (QStringList{"a start 0", "a deleted", "b deleted"}));
    }

    void throwingStepLeavesTheQueue()
    {
        GameWindowActionQueue queue;
        auto *first = new ProbeAnimation(QStringLiteral("a"), m_log);
        queue.enqueueAnimation(first);
        queue.enqueueAction(makeCallbackAction([] { throw std::runtime_error("unknown player id 9"); }));
        queue.enqueueAction(step(QStringLiteral("later")));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, emit first->finished());
        // The step that threw is gone; the rest still runs.
        QCOMPARE(queue.waiting(), 1);
        queue.nextAction();
        QCOMPARE(m_log.last(), QStringLiteral("later"));
    }
};

QTEST_MAIN(tst_ActionQueue)
#include "tst_actionqueue.moc"
