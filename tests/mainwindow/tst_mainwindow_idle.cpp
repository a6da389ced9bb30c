// The main window left alone at the lobby, logged in to the scripted game
// server (which announces a maintenance, so a countdown is on screen): only
// what changes is repainted, and the clocks of hidden widgets stop.
#include "lobby/LobbyModel.h"
#include "lobby/LobbyWindow.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "tournaments/ComingEventPopup.h"
#include "widgets/VisibleTimer.h"

#include <QEventLoop>
#include <QLabel>
#include <QPaintEvent>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Every painted region, in the window's coordinates.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *window)
        : m_window(window)
    {
    }
    QRegion painted;
    QStringList widgets;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->window() == m_window) {
                painted += static_cast<QPaintEvent *>(event)->region().translated(widget->mapTo(m_window, QPoint()));
                widgets << QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ')
                               + widget->objectName();
            }
        }
        return false;
    }

private:
    QWidget *m_window;
};

void idle(int msecs)
{
    // An event loop that sleeps: the clocks' own timers drive what happens.
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}

QRect windowRect(QWidget *widget)
{
    return QRect(widget->mapTo(widget->window(), QPoint()), widget->size());
}

} // namespace

class MainWindowIdleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void idleLobbyRepaintsOnlyWhatChanges();
    void hiddenClocksStop();

private:
    void logIn();

    std::unique_ptr<PeerProcess> m_peer;
    std::unique_ptr<MainWindow> m_window;
    QPointer<ComingEventPopup> m_popup;
    QLabel *m_clock = nullptr;
};

void MainWindowIdleTest::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-idle-test"));
    // A desktop's short time has no seconds (the C locale's has): the clock
    // changes once a minute.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    PeerProcess::installTestCa();
}

void MainWindowIdleTest::cleanup()
{
    m_window.reset();
    m_peer.reset();
}

void MainWindowIdleTest::logIn()
{
    m_peer = std::make_unique<PeerProcess>();
    QVERIFY2(m_peer->start({QStringLiteral("--demo")}), qPrintable(m_peer->errorString()));
    m_window = std::make_unique<MainWindow>(QStringLiteral("localhost"), m_peer->port(), QStringLiteral("idle"),
                                            QStringLiteral("secret"), true, QStringLiteral("127.0.0.1:1"), nullptr);
    m_window->onStartupFinished(true);
    auto *login = m_window->findChild<QPushButton *>(QStringLiteral("loginButton"));
    QVERIFY(login);
    QTRY_VERIFY_WITH_TIMEOUT(login->isVisible() && login->isEnabled(), 20000);
    QTest::mouseClick(login, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->findChild<LobbyWindow *>()
                                 && m_window->findChild<LobbyWindow *>()->lobbyModel()->rowCount() > 0,
                             30000);
    m_window->onDisplayTab(QStringLiteral("lobby"));
    // The maintenance the server announced counts down on screen.
    QTRY_VERIFY_WITH_TIMEOUT((m_popup = m_window->findChild<ComingEventPopup *>()) && m_popup->isVisible(), 15000);
    m_clock = m_window->findChild<QLabel *>(QStringLiteral("serverTime"));
    QVERIFY(m_clock && m_clock->isVisible());
    QVERIFY(m_clock->text().startsWith(QStringLiteral("Local time is ")));
}

void MainWindowIdleTest::idleLobbyRepaintsOnlyWhatChanges()
{
    logIn();
    if (QTest::currentTestFailed())
        return;
    // Pages and pictures settle first.
    idle(3000);

    PaintRecorder recorder(m_window.get());
    qApp->installEventFilter(&recorder);
    const QString clockBefore = m_clock->text();
    const QString countdownBefore = m_popup->text();
    idle(3500);
    qApp->removeEventFilter(&recorder);

    // The countdown still ticks each second while shown.
    QVERIFY(m_popup);
    QVERIFY(m_popup->text() != countdownBefore);
    // Nothing else was repainted: the countdown's own place, and the clock's
    // when its minute turned meanwhile.
    QRegion changed = windowRect(m_popup);
    if (m_clock->text() != clockBefore)
        changed += windowRect(m_clock);
    const QRegion needless = recorder.painted - changed;
    QVERIFY2(needless.isEmpty(),
             qPrintable(QStringLiteral("repainted without a change: %1 (widgets: %2)")
                            .arg(QDebug::toString(needless), QStringList(recorder.widgets).join(QLatin1String(", ")))));
}

void MainWindowIdleTest::hiddenClocksStop()
{
    logIn();
    if (QTest::currentTestFailed())
        return;
    auto *clockTimer = m_window->findChild<VisibleTimer *>(QStringLiteral("localTimeTimer"));
    auto *countdown = m_popup->findChild<VisibleTimer *>(QStringLiteral("countdownTimer"));
    QVERIFY(clockTimer && countdown);
    QVERIFY(clockTimer->isTicking());
    QVERIFY(countdown->isTicking());

    // A table's page covers the lobby and its footer clock, as a joined
    // table does; the countdown stays on top of every page.
    auto *stack = m_window->findChild<QStackedWidget *>(QStringLiteral("loggedInStack"));
    QVERIFY(stack);
    auto *page = new QWidget;
    stack->addWidget(page);
    stack->setCurrentWidget(page);
    QVERIFY(!m_clock->isVisible());
    QVERIFY(!clockTimer->isTicking());
    QVERIFY(clockTimer->isActive());
    QVERIFY(countdown->isTicking());

    // A stale clock is set right as soon as it shows again.
    m_clock->setText(QStringLiteral("stale"));
    stack->setCurrentIndex(0);
    QVERIFY(clockTimer->isTicking());
    QVERIFY(m_clock->text().startsWith(QStringLiteral("Local time is ")));

    // The whole logged-in frame hidden: nothing ticks.
    m_window->hide();
    QVERIFY(!clockTimer->isTicking());
    QVERIFY(!countdown->isTicking());
    m_window->show();
    QVERIFY(clockTimer->isTicking());
    QVERIFY(countdown->isTicking());
}

QTEST_MAIN(MainWindowIdleTest)
#include "tst_mainwindow_idle.moc"
