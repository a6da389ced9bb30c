#include "app/CommandLineOptions.h"

#include "ClientHome.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

using Options = CommandLineOptions;

class OptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void defaults()
    {
        const Options options = Options::parse(QStringList());
        QCOMPARE(options.host, QStringLiteral("game.kestrova-mahjong.net"));
        QCOMPARE(options.port, quint16(443));
        QCOMPARE(options.httpHost, QStringLiteral("www.kestrova-mahjong.net"));
        QVERIFY(options.useSsl);
        QCOMPARE(options.minLogLevel, QStringLiteral("warning"));
        QVERIFY(options.searchPaths.isEmpty());
        QVERIFY(!options.install && !options.debug && !options.help);
        QVERIFY(options.user.isEmpty() && options.password.isEmpty() && options.language.isEmpty());
    }

    void everyOption()
    {
        const Options options = Options::parse({"--host", "play.example.org:8443", "--httphost", "web.example.org",
                                                "-u", "ann", "-p", "s3cret", "-l", "zh_TW", "-m", "critical", "-s",
                                                "/a;;/b c;", "-n", "-S", "https://info.example.org/x.xml", "-d"});
        QCOMPARE(options.host, QStringLiteral("play.example.org"));
        QCOMPARE(options.port, quint16(8443));
        QCOMPARE(options.httpHost, QStringLiteral("web.example.org"));
        QCOMPARE(options.user, QStringLiteral("ann"));
        QCOMPARE(options.password, QStringLiteral("s3cret"));
        QCOMPARE(options.language, QStringLiteral("zh_TW"));
        QCOMPARE(options.minLogLevel, QStringLiteral("critical"));
        QCOMPARE(options.searchPaths, (QStringList{"/a", "/b c"}));
        QVERIFY(!options.useSsl);
        QCOMPARE(options.serverInfoUrl, QStringLiteral("https://info.example.org/x.xml"));
        QVERIFY(options.debug);
        QVERIFY(Options::parse({"-i"}).install);
        QVERIFY(Options::parse({"-h"}).help);
    }

    void positionalHost_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("name") << "localhost"
                              << "localhost" << 443;
        QTest::newRow("name:port") << "localhost:7000"
                                   << "localhost" << 7000;
        QTest::newRow("address") << "127.0.0.1:1"
                                 << "127.0.0.1" << 1;
        QTest::newRow("v6") << "[::1]:65535"
                            << "::1" << 65535;
    }
    void positionalHost()
    {
        QFETCH(QString, argument);
        QFETCH(QString, host);
        QFETCH(int, port);
        const Options options = Options::parse({argument});
        QCOMPARE(options.host, host);
        QCOMPARE(int(options.port), port);
    }

    void badValues_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{"--colour"};
        QTest::newRow("missing value") << QStringList{"--user"};
        QTest::newRow("port zero") << QStringList{"localhost:0"};
        QTest::newRow("port too large") << QStringList{"localhost:65536"};
        QTest::newRow("port not a number") << QStringList{"localhost:http"};
        QTest::newRow("empty host") << QStringList{":443"};
        QTest::newRow("two hosts") << QStringList{"a.example", "b.example"};
        QTest::newRow("host twice") << QStringList{"--host", "a.example", "b.example"};
        QTest::newRow("bad web host") << QStringList{"--httphost", "https://web.example/"};
        QTest::newRow("bad language") << QStringList{"--lang", "../../etc"};
        QTest::newRow("bad log filter") << QStringList{"--minloglevel", "(unclosed"};
        QTest::newRow("plain serverinfo") << QStringList{"-S", "http://info.example/x.xml"};
    }
    void badValues()
    {
        QFETCH(QStringList, arguments);
        try {
            Options::parse(arguments);
            QFAIL("accepted");
        } catch (const Options::OptionsError &error) {
            QVERIFY(std::string(error.what()).size() > 5);
        }
    }

    void passwordLeavesTheArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("short") << QStringList{"-u", "ann", "-p", "pw-1"};
        QTest::newRow("sticky") << QStringList{"-ppw-1", "-u", "ann"};
        QTest::newRow("long") << QStringList{"--password", "pw-1"};
        QTest::newRow("long with =") << QStringList{"--password=pw-1"};
        QTest::newRow("abbreviated") << QStringList{"--pass", "pw-1"};
    }
    void passwordLeavesTheArguments()
    {
        QFETCH(QStringList, arguments);
        arguments.prepend("mahjong");
        std::vector<QByteArray> storage;
        for (const QString &argument : arguments)
            storage.push_back(argument.toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &argument : storage)
            argv.push_back(argument.data());
        const Options options = Options::parse(int(argv.size()), argv.data());
        QCOMPARE(options.password, QStringLiteral("pw-1"));
        Options::erasePassword(int(argv.size()), argv.data(), options.password);
        for (char *argument : argv)
            QVERIFY2(!QByteArray(argument).contains("pw-1"), argument);
        QCOMPARE(QByteArray(argv[0]), QByteArray("mahjong"));
    }

    // The process list of the running program no longer shows it.
    void programHidesThePassword()
    {
        QTemporaryDir home;
        QProcess program;
        program.setProcessEnvironment(clientEnvironment(home.path()));
        program.start(QStringLiteral(MAHJONG_EXECUTABLE),
                      {"--httphost", "127.0.0.1:1", "-u", "ann", "-p", "pw-in-list", "127.0.0.1:1"});
        QVERIFY(program.waitForStarted());
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(program.processId()));
        auto arguments = [&cmdline] {
            cmdline.open(QIODevice::ReadOnly);
            const QByteArray text = cmdline.readAll();
            cmdline.close();
            return text;
        };
        // Right after exec the list can still be empty (or not yet rewritten), so wait for both at once.
        QTRY_VERIFY_WITH_TIMEOUT(arguments().contains("ann") && !arguments().contains("pw-in-list"), 10000);
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
    }

    // While the application is still being built (here it waits for a
    // display that never answers), the process list shows one star in place
    // of the password, whatever its length.
    void passwordLeavesTheListBeforeTheApplication()
    {
        QTcpServer display;
        int number = 60;
        while (number < 160 && !display.listen(QHostAddress::LocalHost, quint16(6000 + number)))
            ++number;
        QVERIFY(display.isListening());
        QList<QTcpSocket *> held;
        connect(&display, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket *socket = display.nextPendingConnection())
                held << socket;
        });
        QList<QByteArray> shown;
        for (const char *password : {"pw-in-list", "a-much-longer-password-in-the-list"}) {
            QTemporaryDir home;
            QProcessEnvironment environment = clientEnvironment(home.path());
            environment.insert("QT_QPA_PLATFORM", "xcb");
            environment.insert("DISPLAY", QStringLiteral("127.0.0.1:%1").arg(number));
            QProcess program;
            program.setProcessEnvironment(environment);
            const qsizetype before = held.size();
            program.start(QStringLiteral(MAHJONG_EXECUTABLE),
                          {"--httphost", "127.0.0.1:1", "-u", "ann", "-p", password, "127.0.0.1:1"});
            QVERIFY(program.waitForStarted());
            // The application is being built once the display is asked.
            QTRY_VERIFY_WITH_TIMEOUT(held.size() > before, 20000);
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(program.processId()));
            QVERIFY(cmdline.open(QIODevice::ReadOnly));
            QByteArray arguments = cmdline.readAll();
            QCOMPARE(program.state(), QProcess::Running);
            while (arguments.endsWith('\0'))
                arguments.chop(1);
            QVERIFY2(!arguments.contains(password), arguments.constData());
            QVERIFY2(arguments.contains(QByteArray("-p\0*\0")), arguments.constData());
            shown << arguments;
            program.kill();
            QVERIFY(program.waitForFinished(10000));
        }
        QCOMPARE(shown.value(0), shown.value(1));
        qDeleteAll(held);
    }

    void logFilterMayBeAnExpression()
    {
        QCOMPARE(Options::parse({"-m", "CRIT|FATAL"}).minLogLevel, QStringLiteral("CRIT|FATAL"));
    }

    void helpHidesDebug()
    {
        const QString help = Options::helpText();
        for (const char *name : {"--host", "--httphost", "--user", "--password", "--lang", "--minloglevel",
                                 "--searchpath", "--nossl", "--serverinfo", "--install", "--help"})
            QVERIFY2(help.contains(QLatin1String(name)), name);
        QVERIFY(!help.contains(QLatin1String("--debug")));
        QVERIFY(!help.contains(QLatin1String("-d ")));
    }

    // The real program: a clear message and exit code, no crash, no window.
    void programRejectsBadOptions()
    {
        QProcess program;
        program.start(QStringLiteral(MAHJONG_EXECUTABLE), {"--port", "12"});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 2);
        const QString error = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(error.contains(QLatin1String("port")), qPrintable(error));
        QVERIFY(error.contains(QLatin1String("--help")));

        program.start(QStringLiteral(MAHJONG_EXECUTABLE), {"localhost:99999"});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 2);

        // A well-formed code without a translation is refused as well.
        program.start(QStringLiteral(MAHJONG_EXECUTABLE), {"--lang", "xx"});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 2);
        const QString language = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(language.contains(QLatin1String("'xx'")), qPrintable(language));
    }

    // Also in a terminal without any display (over ssh, say).
    void programPrintsHelp()
    {
        QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            headless.remove(QString::fromLatin1(name));
        for (const QProcessEnvironment &environment : {QProcessEnvironment::systemEnvironment(), headless}) {
            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(MAHJONG_EXECUTABLE), {"--help"});
            QVERIFY(program.waitForFinished(20000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            QVERIFY(program.readAllStandardOutput().startsWith("Usage: mahjong"));
        }
    }
};

QTEST_GUILESS_MAIN(OptionsTest)
#include "tst_options.moc"
