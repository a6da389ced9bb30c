// The login and account pages wired to a real connection, against the
// scripted game server: registration refused and accepted, the new account
// logged in, a wrong password shaking the page.
#include "mainwindow/CreateUserWindow.h"
#include "mainwindow/LoginWindow.h"
#include "peer/PeerProcess.h"
#include "protocol/ConnectionManager.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestAccountPeer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void registrationAgainstServer();
    void loginPageAgainstServer();

private:
    std::unique_ptr<PeerProcess> m_peer;
    std::unique_ptr<ConnectionManager> m_connection;
};

void TestAccountPeer::initTestCase()
{
    PeerProcess::installTestCa();
}

void TestAccountPeer::init()
{
    m_peer = std::make_unique<PeerProcess>();
    QVERIFY2(m_peer->start({QStringLiteral("--account"), QStringLiteral("ann:secret:1001:Ann")}),
             qPrintable(m_peer->errorString()));
    m_connection = std::make_unique<ConnectionManager>(true);
    QSignalSpy ready(m_connection.get(), &ConnectionManager::versionCheckComplete);
    m_connection->connectToHost(QStringLiteral("localhost"), m_peer->port());
    QVERIFY(ready.wait(15000));
}

void TestAccountPeer::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget))
            box->close();
    }
    m_connection.reset();
    m_peer.reset();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TestAccountPeer::registrationAgainstServer()
{
    CreateUserWindow page;
    page.show();
    // As the main window wires it (the registration goes out with an empty
    // affiliate code).
    connect(&page, &CreateUserWindow::registerUser, m_connection.get(),
            [this](const QString &user, const QString &password, const QString &email) {
        m_connection->register_user(user, password, email, QString());
    });
    connect(m_connection.get(), &ConnectionManager::registerUserOk, &page, &CreateUserWindow::onRegisterSucceeded);
    connect(m_connection.get(), &ConnectionManager::registerUserFailed, &page, &CreateUserWindow::onRegisterFailed);
    connect(&page, &CreateUserWindow::doLogin, m_connection.get(), &ConnectionManager::login);
    QSignalSpy failed(m_connection.get(), &ConnectionManager::registerUserFailed);
    QSignalSpy loggedIn(m_connection.get(), &ConnectionManager::loginSuccess);

    auto fill = [&](const QString &name) {
        page.findChild<QLineEdit *>(QStringLiteral("loginEdit"))->setText(name);
        page.findChild<QLineEdit *>(QStringLiteral("emailEdit"))->setText(QStringLiteral(" new@example.com "));
        page.findChild<QLineEdit *>(QStringLiteral("passwordEdit"))->setText(QStringLiteral("password1"));
        page.findChild<QLineEdit *>(QStringLiteral("repeatPasswordEdit"))->setText(QStringLiteral("password1"));
        page.findChild<QCheckBox *>(QStringLiteral("ageCheckBox"))->setChecked(true);
        page.findChild<QCheckBox *>(QStringLiteral("tcCheckBox"))->setChecked(true);
        page.findChild<QPushButton *>(QStringLiteral("createButton"))->click();
    };

    fill(QStringLiteral("ann"));
    QVERIFY(failed.wait());
    QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("The user name is already taken."));
    QMessageBox *box = page.findChild<QMessageBox *>(QStringLiteral("registerFailedBox"));
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral("The user name is already taken."));
    box->done(QMessageBox::Ok);
    QTRY_VERIFY(page.findChild<QLineEdit *>(QStringLiteral("loginEdit"))->isEnabled());
    QVERIFY(!page.justRegistered());

    fill(QStringLiteral(" carol "));
    QVERIFY(loggedIn.wait());
    QVERIFY(page.justRegistered());
    QCOMPARE(loggedIn.at(0).at(1).toString(), QStringLiteral("carol"));
}

void TestAccountPeer::loginPageAgainstServer()
{
    LoginWindow page;
    page.show();
    connect(m_connection.get(), &ConnectionManager::loginFailed, &page, &LoginWindow::onLoginFailed);
    connect(&page, &LoginWindow::login, m_connection.get(), &ConnectionManager::login);
    QSignalSpy failed(m_connection.get(), &ConnectionManager::loginFailed);
    QSignalSpy loggedIn(m_connection.get(), &ConnectionManager::loginSuccess);
    page.setLoginAllowed(true);
    page.setUserName(QStringLiteral("ann"));
    page.setPassword(QStringLiteral("wrong"));
    auto *button = page.findChild<QPushButton *>(QStringLiteral("loginButton"));
    button->click();
    QVERIFY(failed.wait());
    QCOMPARE(failed.at(0).at(0).toInt(), 2);
    QVERIFY(page.findChild<QLineEdit *>(QStringLiteral("passwordEdit"))->text().isEmpty());
    QVERIFY(!button->isEnabled());

    page.setPassword(QStringLiteral("secret"));
    QVERIFY(button->isEnabled());
    button->click();
    QVERIFY(loggedIn.wait());
    QCOMPARE(loggedIn.at(0).at(0).toInt(), 1001);
}

QTEST_MAIN(TestAccountPeer)
#include "tst_mainwindow_account_peer.moc"
