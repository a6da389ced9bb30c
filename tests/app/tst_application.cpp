#include "app/DebugDialog.h"
#include "app/Log.h"
#include "app/MahjongApplication.h"
#include "protocol/ConnectionManager.h"
#include "protocol/ServerError.h"
#include "peer/PeerProcess.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

namespace {
class Thrower : public QObject
{
public:
    enum Kind { Server, Runtime, Other };
    Kind kind = Runtime;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        switch (kind) {
        case Server:
            throw server_error("table 12 does not exist");
        case Runtime:
            throw std::runtime_error("disk full");
        case Other:
            throw 42;
        }
        return true;
    }
};

int childMain(int argc, char **argv)
{
    MahjongApplication app(argc, argv);
    Log::open(qEnvironmentVariable("MAHJONG_APP_CHILD"));
    Log::install();
    Thrower thrower;
    thrower.kind = Thrower::Kind(qEnvironmentVariableIntValue("MAHJONG_APP_THROW"));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}

QString fatalLog(int kind)
{
    QTemporaryDir dir;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("MAHJONG_APP_CHILD", dir.path());
    environment.insert("MAHJONG_APP_THROW", QString::number(kind));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    if (!child.waitForFinished(20000) || child.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("<child did not end>");
    if (child.exitCode() != 1)
        return QStringLiteral("<exit code %1>").arg(child.exitCode());
    QFile file(QDir(dir.path()).filePath("mahjong.log"));
    file.open(QIODevice::ReadOnly);
    // Each line of the message is an entry of its own: without their times.
    QString text = QString::fromUtf8(file.readAll());
    text.remove(
        QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}"), QRegularExpression::MultilineOption));
    return text.mid(text.indexOf(QLatin1String(" [FATAL] ")));
}
} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

private slots:
    void exceptionTexts()
    {
        QCOMPARE(MahjongApplication::exceptionText(std::make_exception_ptr(server_error("bad seat"))),
                 QStringLiteral("Invalid server data.\nRefused with message: bad seat"));
        QCOMPARE(MahjongApplication::exceptionText(std::make_exception_ptr(std::invalid_argument("bad tile"))),
                 QStringLiteral("Unhandled Runtime Error.\nError text: bad tile"));
        QCOMPARE(MahjongApplication::exceptionText(std::make_exception_ptr(7)),
                 QStringLiteral("Unhandled Runtime Error."));
    }

    void escapingExceptionsEndTheProgram()
    {
        QCOMPARE(
            fatalLog(Thrower::Server),
            QStringLiteral(" [FATAL] Invalid server data.\n [FATAL] Refused with message: table 12 does not exist\n"));
        QCOMPARE(fatalLog(Thrower::Runtime),
                 QStringLiteral(" [FATAL] Unhandled Runtime Error.\n [FATAL] Error text: disk full\n"));
        QCOMPARE(fatalLog(Thrower::Other), QStringLiteral(" [FATAL] Unhandled Runtime Error.\n"));
    }

    void debugDialogSamplesTheConnection()
    {
        auto *app = qobject_cast<MahjongApplication *>(qApp);
        app->setConnectionManager(nullptr); // no debug window: nothing happens
        auto *dialog = new DebugDialog;
        app->setDebugDialog(dialog);
        QCOMPARE(app->debugDialog(), dialog);

        // The game-server session itself, handed over as the main window does.
        ConnectionManager session(true);
        app->setConnectionManager(&session);
        QCOMPARE(dialog->connection(), &session);
        QCOMPARE(dialog->lastReceived().value_or(-1), qint64(0));
        QCOMPARE(dialog->lastSent().value_or(-1), qint64(0));

        PeerProcess peer;
        QVERIFY2(peer.start(), qPrintable(peer.errorString()));
        PeerProcess::installTestCa();
        session.connectToHost(QStringLiteral("localhost"), peer.port());
        QTRY_VERIFY_WITH_TIMEOUT(session.bytesRead() > 0 && session.bytesWritten() > 0, 10000);
        dialog->sample();
        QCOMPARE(dialog->lastReceived().value_or(-1), session.bytesRead());
        QCOMPARE(dialog->lastSent().value_or(-1), session.bytesWritten());
        const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
        const QString shown = QLocale().toString(session.bytesRead());
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&shown](QLabel *l) { return l->text() == shown; }));

        app->setDebugDialog(nullptr);
    }
};

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("MAHJONG_APP_CHILD"))
        return childMain(argc, argv);
    MahjongApplication app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
