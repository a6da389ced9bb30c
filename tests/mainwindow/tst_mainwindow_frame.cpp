#include "mainwindow/MainWindow.h"
#include "widgets/ApplicationVersion.h"
#include "widgets/Utils.h"

#include <QtTest>

class MainWindowFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void showsOnlyAfterSuccessfulStartup()
    {
        MainWindow window("game.example", 7443, "ann", "pw", false, "web.example", nullptr);
        QCOMPARE(window.gameHost(), QStringLiteral("game.example"));
        QCOMPARE(window.gamePort(), quint16(7443));
        QVERIFY(!window.useSsl());
        QCOMPARE(window.windowTitle(), QStringLiteral("Brisquel - ") + applicationVersion());
        QCOMPARE(Utils::findMainWindow(), &window);
        window.onStartupFinished(false);
        QVERIFY(!window.isVisible());
        window.onStartupFinished(true);
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(MainWindowFrameTest)
#include "tst_mainwindow_frame.moc"
