#include "app/Log.h"
#include "app/Logging.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QStringList logLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Run in a child process: a fatal message must end the program cleanly.
int childMain(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Log::open(qEnvironmentVariable("MAHJONG_LOG_CHILD"));
    Log::install();
    qCritical("still running");
    qFatal("Unhandled Runtime Error.\nError text: %s", "boom");
    return 0; // not reached
}
} // namespace

class LogTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void init()
    {
        QVERIFY2(Log::open(m_dir.path()), qPrintable(Log::errorString()));
        Log::setMinLogLevel("warning");
        Log::install();
    }
    void cleanup()
    {
        Log::uninstall();
        Log::close();
    }

    void lineFormat()
    {
        const QTime time(9, 5, 7, 42);
        QCOMPARE(Log::formatLine(QtDebugMsg, "a", time), QStringLiteral("09:05:07.042 [DEBUG] a"));
        QCOMPARE(Log::formatLine(QtWarningMsg, "b", time), QStringLiteral("09:05:07.042 [WARN ] b"));
        QCOMPARE(Log::formatLine(QtCriticalMsg, "c", time), QStringLiteral("09:05:07.042 [CRIT ] c"));
        QCOMPARE(Log::formatLine(QtFatalMsg, "d", time), QStringLiteral("09:05:07.042 [FATAL] d"));
        // Informational lines are warnings that bring their own tag.
        QCOMPARE(Log::formatLine(QtWarningMsg, " [INFO ] e", time), QStringLiteral("09:05:07.042 [INFO ] e"));
        QCOMPARE(Log::formatLine(QtInfoMsg, "f", time), QStringLiteral("09:05:07.042 [INFO ] f"));
    }

    void writesThroughTheHandler()
    {
        qDebug("hidden at warning level");
        qWarning("a warning");
        qWarning(" [INFO ] some news");
        qCritical("a critical");
        qCInfo(lcApp, "news of a library");
        const QStringList lines = logLines(Log::filePath());
        QCOMPARE(lines.size(), 4);
        static const QRegularExpression stamp(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} "));
        for (const QString &line : lines)
            QVERIFY2(stamp.match(line).hasMatch(), qPrintable(line));
        QVERIFY(lines[0].endsWith(QLatin1String(" [WARN ] a warning")));
        QVERIFY(lines[1].endsWith(QLatin1String(" [INFO ] some news")));
        QVERIFY(!lines[1].contains(QLatin1String("WARN")));
        QVERIFY(lines[2].endsWith(QLatin1String(" [CRIT ] a critical")));
        QVERIFY(lines[3].endsWith(QLatin1String(" [INFO ] news of a library")));
        QCOMPARE(QFileInfo(Log::filePath()).fileName(), QStringLiteral("mahjong.log"));
    }

    // A report of many lines (the web engine's at its start): one stamped
    // entry per line of text, no blank or indented lines.
    void oneEntryPerLine()
    {
        qCInfo(lcApp, "\n\nGL Type: disabled\nInit Parameters:\n  *  application-name x \n\n");
        qWarning(" [INFO ] first\n  second");
        const QStringList lines = logLines(Log::filePath());
        static const QRegularExpression entry(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\[INFO \\] \\S"));
        QCOMPARE(lines.size(), 5);
        for (const QString &line : lines)
            QVERIFY2(entry.match(line).hasMatch(), qPrintable(line));
        QVERIFY(lines[1].endsWith(QLatin1String("] Init Parameters:")));
        QVERIFY(lines[2].endsWith(QLatin1String("] *  application-name x")));
        QVERIFY(lines[4].endsWith(QLatin1String("] second")));
    }

    void levels()
    {
        QVERIFY(Log::setMinLogLevel("debug"));
        qDebug("d1");
        QVERIFY(Log::setMinLogLevel("critical"));
        qWarning("w1");
        qCritical("c1");
        QVERIFY(Log::setMinLogLevel("fatal"));
        qCritical("c2");
        const QStringList lines = logLines(Log::filePath());
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].endsWith(QLatin1String("[DEBUG] d1")));
        QVERIFY(lines[1].endsWith(QLatin1String("[CRIT ] c1")));
    }

    // Lines below the level are not even built by the callers that ask.
    void categoriesFollowTheLevel()
    {
        QVERIFY(!lcApp().isDebugEnabled());
        QVERIFY(lcApp().isInfoEnabled() && lcApp().isWarningEnabled());
        QVERIFY(Log::setMinLogLevel("debug"));
        QVERIFY(lcApp().isDebugEnabled());
        QVERIFY(Log::setMinLogLevel("critical"));
        QVERIFY(!lcApp().isWarningEnabled() && !lcApp().isInfoEnabled());
        QVERIFY(lcApp().isCriticalEnabled());
        QVERIFY(Log::setMinLogLevel("table"));
        QVERIFY(lcApp().isDebugEnabled());
        Log::uninstall();
        QVERIFY(Log::setMinLogLevel("warning"));
        QVERIFY(lcApp().isDebugEnabled()); // not ours to switch off without the handler
        Log::install();
        QVERIFY(!lcApp().isDebugEnabled());
    }

    void expressionFilter()
    {
        QVERIFY(Log::setMinLogLevel("table \\d+"));
        qDebug("joined table 12");
        qWarning("lobby refreshed");
        qCritical("left table 7");
        QVERIFY(!Log::setMinLogLevel("(broken"));
        const QStringList lines = logLines(Log::filePath());
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].endsWith(QLatin1String("[DEBUG] joined table 12")));
        QVERIFY(lines[1].endsWith(QLatin1String("[CRIT ] left table 7")));
        // The whole line counts, tag included.
        QVERIFY(Log::setMinLogLevel("\\[CRIT \\]"));
        qWarning("w");
        qCritical("c");
        QCOMPARE(logLines(Log::filePath()).size(), 3);
    }

    void rotation()
    {
        qWarning("first session");
        QVERIFY(Log::open(m_dir.path()));
        qWarning("second session");
        QVERIFY(Log::open(m_dir.path()));
        const QStringList old = logLines(m_dir.filePath("mahjong.log.old"));
        QCOMPARE(old.size(), 1);
        QVERIFY(old[0].endsWith(QLatin1String("second session")));
        QVERIFY(logLines(m_dir.filePath("mahjong.log")).isEmpty());
    }

    void privateFiles()
    {
        QFileDevice::Permissions permissions = QFileInfo(Log::filePath()).permissions();
        QVERIFY(!(permissions & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther)));
        // The per-user data location, never the shared temporary directory
        // itself (the test's HOME may well lie below it).
        QCOMPARE(Log::defaultDirectory(),
                 QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/logs"));
        QVERIFY(QDir(Log::defaultDirectory()).absolutePath() != QDir(QDir::tempPath()).absolutePath());
    }

    void refusesLinkedLogFile()
    {
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("victim");
        QFile victim(target);
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.write("keep me");
        victim.close();
        QVERIFY(QFile::link(target, dir.filePath("mahjong.log")));
        QVERIFY(!Log::open(dir.path()));
        QVERIFY(!Log::errorString().isEmpty());
        QVERIFY(victim.open(QIODevice::ReadOnly));
        QCOMPARE(victim.readAll(), QByteArray("keep me"));
    }

    void secretsNeverReachTheFile()
    {
        // A password that is an ordinary word must not be told by the gap
        // it leaves in a line whose other words are known.
        Log::addSecret("hunter2");
        Log::addSecret("window");
        qWarning("login with password hunter2 for ann");
        qWarning("Main window shown");
        qWarning("lobby refreshed");
        const QStringList lines = logLines(Log::filePath());
        QCOMPARE(lines.size(), 3);
        for (const QString &line : lines.mid(0, 2)) {
            QVERIFY2(!line.contains(QLatin1String("hunter2")) && !line.contains(QLatin1String("window"))
                         && !line.contains(QLatin1String("ann")) && !line.contains(QLatin1String("Main")),
                     qPrintable(line));
            QVERIFY(line.contains(QLatin1String("[WARN ] ")));
        }
        QVERIFY(lines[2].endsWith(QLatin1String("[WARN ] lobby refreshed")));
    }

    void secretsAreWithheldAsWordsOnly()
    {
        Log::addSecret("in");
        Log::addSecret("p@ss");
        const struct
        {
            const char *line;
            bool kept;
        } cases[] = {
            {"Main page shown", true},
            {"Joining table 1001", true},
            {"logged in as ann", false},
            {"SEND login {\"user\":\"ann\",\"password\":\"in\"}", false},
            {"in", false},
            {"password p@ss.", false},
            {"xp@ssy kept", true},
        };
        for (const auto &c : cases)
            qWarning("%s", c.line);
        const QStringList lines = logLines(Log::filePath());
        QCOMPARE(lines.size(), int(std::size(cases)));
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i].endsWith(QLatin1String(cases[i].line)), cases[i].kept);
            QCOMPARE(lines[i].contains(QLatin1String("text left out")), !cases[i].kept);
        }
    }

    void sessionStartLine()
    {
        Log::logSessionStart();
        const QStringList lines = logLines(Log::filePath());
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].contains(QRegularExpression(QStringLiteral(
                     "^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\[INFO \\] Session started at \\d{4}-\\d\\d-\\d\\d"))),
                 qPrintable(lines[0]));
        QVERIFY(lines[0].contains(QLatin1String("version ")));
    }

    void threadsWriteWholeLines()
    {
        QVERIFY(Log::setMinLogLevel("debug"));
        QList<QThread *> threads;
        for (int t = 0; t < 4; ++t) {
            threads << QThread::create([t] {
                for (int i = 0; i < 200; ++i)
                    qDebug("thread %d line %d", t, i);
            });
            threads.last()->start();
        }
        for (QThread *thread : threads) {
            thread->wait();
            delete thread;
        }
        const QStringList lines = logLines(Log::filePath());
        QCOMPARE(lines.size(), 800);
        static const QRegularExpression whole(QStringLiteral("^\\S+ \\[DEBUG\\] thread \\d line \\d+$"));
        for (const QString &line : lines)
            QVERIFY2(whole.match(line).hasMatch(), qPrintable(line));
    }

    // A message that comes again and again is one line and a count, in the
    // log's own form; a session writes up to its bound, says so, and
    // afterwards lets errors through while they fit; closing the log
    // counts what was left out.
    void repeatsFoldAndTheSessionIsBounded()
    {
        for (int i = 0; i < 1000; ++i)
            qWarning("unwatch table 5 failed");
        qWarning(" [INFO ] news\nof two lines");
        qWarning(" [INFO ] news\nof two lines");
        qCritical("after the news");
        for (int i = 0; i < 3; ++i)
            qWarning("last words");
        Log::close();
        QStringList lines = logLines(Log::filePath());
        static const QRegularExpression stamp(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} "));
        for (QString &line : lines) {
            QVERIFY2(stamp.match(line).hasMatch(), qPrintable(line));
            line.remove(stamp);
        }
        QCOMPARE(lines, (QStringList{"[WARN ] unwatch table 5 failed", "[WARN ] the line above repeated 999 more times",
                                     "[INFO ] news", "[INFO ] of two lines",
                                     "[INFO ] the 2 lines above repeated once more", "[CRIT ] after the news",
                                     "[WARN ] last words", "[WARN ] the line above repeated 2 more times"}));

        QVERIFY(Log::open(m_dir.path()));
        const QString filler(200, QLatin1Char('x'));
        const int sent = int(Log::maxSessionBytes / filler.size()) + 1000;
        for (int i = 1; i <= sent; ++i)
            qWarning("table %d: %s", i, qPrintable(filler));
        qCritical("an error past the bound");
        const qint64 size = QFileInfo(Log::filePath()).size();
        QVERIFY2(size <= Log::maxSessionBytes + Log::errorReserveBytes, qPrintable(QString::number(size)));
        Log::close();
        lines = logLines(Log::filePath());
        const qsizetype tables = lines.filter(QStringLiteral("[WARN ] table ")).size();
        QVERIFY(tables > sent / 2 && tables < sent);
        QCOMPARE(
            lines.filter(QStringLiteral("reached 16 MiB: further debug, warning and info lines are left out")).size(),
            1);
        QVERIFY(lines.value(lines.size() - 2).endsWith(QLatin1String(" [CRIT ] an error past the bound")));
        QVERIFY2(
            lines.last().endsWith(QStringLiteral(" [WARN ] %1 lines left out past the log's bound").arg(sent - tables)),
            qPrintable(lines.last()));
    }

    void fatalEndsTheProgram()
    {
        QTemporaryDir dir;
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("MAHJONG_LOG_CHILD", dir.path());
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit); // no abort, no core
        QCOMPARE(child.exitCode(), 1);
        const QStringList lines = logLines(QDir(dir.path()).filePath("mahjong.log"));
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith(QLatin1String("[CRIT ] still running")));
        QVERIFY(lines[1].endsWith(QLatin1String("[FATAL] Unhandled Runtime Error.")));
        QVERIFY(lines[2].endsWith(QLatin1String("[FATAL] Error text: boom")));
    }
};

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("MAHJONG_LOG_CHILD"))
        return childMain(argc, argv);
    QCoreApplication app(argc, argv);
    LogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_log.moc"
