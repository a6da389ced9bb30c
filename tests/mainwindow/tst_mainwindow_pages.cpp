// The login, account-creation and preferences pages and the machine
// identifier.
#include "app/ResourcePaths.h"
#include "mainwindow/CreateUserWindow.h"
#include "mainwindow/LoginWindow.h"
#include "mainwindow/MachineId.h"
#include "mainwindow/PreferencesWindow.h"
#include "scene/TileGraphics.h"
#include "sound/SoundPlayer.h"
#include "widgets/TranslationsManager.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {
template <typename T>
T *child(QWidget *page, const char *name)
{
    T *widget = page->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

// The message boxes open now, closing none.
QList<QMessageBox *> openBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::allWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            boxes << box;
    }
    return boxes;
}

void closeBoxes()
{
    for (QMessageBox *box : openBoxes())
        box->done(QMessageBox::Ok);
    QCoreApplication::processEvents();
}

// Leaves a field: what the page sees when the focus moves on.
void typeAndLeave(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    emit edit->editingFinished();
}

QImage rendered(const QLabel *label)
{
    QImage image(80, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    label->picture().play(&p);
    return image;
}
} // namespace

class TestMainwindowPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void loginEnableRule();
    void loginPendingStaysDisabled();
    void loginFailureTexts_data();
    void loginFailureTexts();
    void loginShake();
    void loginLanguageAndLink();

    void accountRules_data();
    void accountRules();
    void accountTouchedFlags();
    void accountRegistration();

    void preferencesSettings();
    void preferencesTileSet();
    void preferencesSound();

    void machineId();

private:
    std::unique_ptr<TranslationsManager> m_translations;
};

void TestMainwindowPages::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_mainwindow_pages"));
    QSettings().clear();
    ResourcePaths::install({});
    m_translations = std::make_unique<TranslationsManager>(ResourcePaths::roots({}));
    QVERIFY(m_translations->setLanguage(QStringLiteral("en")));
}

void TestMainwindowPages::cleanup()
{
    closeBoxes();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TestMainwindowPages::loginEnableRule()
{
    LoginWindow page;
    auto *button = child<QPushButton>(&page, "loginButton");
    const struct
    {
        bool allowed;
        const char *user;
        const char *password;
        bool enabled;
    } cases[] = {
        {false, "ann", "pw", false}, {true, "", "pw", false},   {true, "ann", "", false},
        {true, "", "", false},       {true, "ann", "pw", true},
    };
    for (const auto &c : cases) {
        page.setLoginAllowed(false);
        page.setUserName(QString::fromLatin1(c.user));
        page.setPassword(QString::fromLatin1(c.password));
        page.setLoginAllowed(c.allowed);
        QCOMPARE(button->isEnabled(), c.enabled);
    }
    // The button says what is true: waiting for the connection, a login
    // after the handshake, or another try when there is no connection.
    QSignalSpy retry(&page, &LoginWindow::retryConnection);
    page.onConnecting();
    QCOMPARE(button->text(), QStringLiteral("Connecting..."));
    QVERIFY(!button->isEnabled());
    page.onConnected();
    QCOMPARE(button->text(), QStringLiteral("Log in"));
    QVERIFY(!button->isEnabled());
    page.setLoginAllowed(true);
    QVERIFY(button->isEnabled());
    page.onDisconnected();
    QVERIFY(!page.loginAllowed());
    QCOMPARE(button->text(), QStringLiteral("Try again"));
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(retry.size(), 1);
    QCOMPARE(button->text(), QStringLiteral("Connecting..."));
    QVERIFY(!button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(retry.size(), 1);
}

void TestMainwindowPages::loginPendingStaysDisabled()
{
    LoginWindow page;
    auto *button = child<QPushButton>(&page, "loginButton");
    QSignalSpy login(&page, &LoginWindow::login);
    page.setUserName(QStringLiteral(" ann "));
    page.setPassword(QStringLiteral("pw"));
    page.setLoginAllowed(true);

    // Enter in the name moves on; Enter in the password clicks.
    page.show();
    child<QLineEdit>(&page, "loginEdit")->setFocus();
    QTest::keyClick(child<QLineEdit>(&page, "loginEdit"), Qt::Key_Return);
    QTRY_VERIFY(child<QLineEdit>(&page, "passwordEdit")->hasFocus());
    QTest::keyClick(child<QLineEdit>(&page, "passwordEdit"), Qt::Key_Return);
    QTRY_COMPARE(login.size(), 1);
    QCOMPARE(login.at(0), (QVariantList{QStringLiteral(" ann "), QStringLiteral("pw")}));

    // Typing while the answer is awaited starts no second login.
    QVERIFY(!button->isEnabled());
    QTest::keyClick(child<QLineEdit>(&page, "passwordEdit"), Qt::Key_X);
    QVERIFY(!button->isEnabled());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    page.onLoginFailed(4);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(button->isEnabled());
    QCOMPARE(child<QLineEdit>(&page, "passwordEdit")->text(), QStringLiteral("pwx"));
}

void TestMainwindowPages::loginFailureTexts_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QString unknown = QStringLiteral("Unknown login failure!");
    QTest::newRow("disallowed") << 3 << QStringLiteral("You are not allowed to login, please contact support.");
    QTest::newRow("server") << 4 << QStringLiteral("Server error!");
    QTest::newRow("not verified")
        << 5
        << QStringLiteral(
               "You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.");
    QTest::newRow("excluded") << 6
                              << QStringLiteral(
                                     "You have excluded yourself from playing. Contact support if this is incorrect.");
    QTest::newRow("temporary")
        << 7
        << QStringLiteral(
               "You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.\nIf you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.");
    QTest::newRow("blacklisted") << 8 << QStringLiteral("Your IP address is blacklisted, please contact support.");
    for (int status : {0, 1, 9, -1})
        QTest::newRow(qPrintable(QStringLiteral("unknown %1").arg(status))) << status << unknown;
}

void TestMainwindowPages::loginFailureTexts()
{
    QFETCH(int, status);
    QFETCH(QString, message);
    LoginWindow page;
    page.setUserName(QStringLiteral("ann"));
    page.setPassword(QStringLiteral("pw"));
    page.setLoginAllowed(true);
    page.show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    page.onLoginFailed(status);
    const QList<QMessageBox *> boxes = openBoxes();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0]->windowTitle(), QStringLiteral("Login failed"));
    QCOMPARE(boxes[0]->text(), message);
    QCOMPARE(boxes[0]->icon(), QMessageBox::Critical);
    QCOMPARE(boxes[0]->textFormat(), Qt::PlainText);
    QVERIFY(child<QPushButton>(&page, "loginButton")->isEnabled());
    QCOMPARE(child<QLineEdit>(&page, "passwordEdit")->text(), QStringLiteral("pw"));
}

void TestMainwindowPages::loginShake()
{
    QWidget parent;
    parent.resize(400, 300);
    auto *page = new LoginWindow(&parent);
    page->move(20, 30);
    parent.show();
    page->setUserName(QStringLiteral("ann"));
    page->setPassword(QStringLiteral("wrong"));
    page->setLoginAllowed(true);

    QList<QPoint> moves;
    struct Recorder : QObject
    {
        QList<QPoint> *moves;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Move)
                *moves << static_cast<QWidget *>(watched)->pos();
            return false;
        }
    } recorder;
    recorder.moves = &moves;
    page->installEventFilter(&recorder);

    page->onLoginFailed(2);
    QVERIFY(openBoxes().isEmpty());
    QVERIFY(child<QLineEdit>(page, "passwordEdit")->text().isEmpty());
    QVERIFY(!child<QPushButton>(page, "loginButton")->isEnabled());
    QTRY_COMPARE(moves.size(), 4);
    QCOMPARE(moves, (QList<QPoint>{{28, 30}, {20, 30}, {28, 30}, {20, 30}}));

    // A second refusal during the shake continues the count and still ends
    // where the page started.
    moves.clear();
    page->onLoginFailed(2);
    QTRY_COMPARE(moves.size(), 2);
    page->onLoginFailed(2);
    QTRY_COMPARE(moves.size(), 4);
    QTest::qWait(3 * LoginWindow::shakeIntervalMs);
    QCOMPARE(moves.size(), 4);
    QCOMPARE(page->pos(), QPoint(20, 30));
}

void TestMainwindowPages::loginLanguageAndLink()
{
    LoginWindow page;
    QSignalSpy reset(&page, &LoginWindow::resetPassword);
    auto *link = child<QLabel>(&page, "resetPasswordLabel");
    page.setUrlStyle(QString());
    QVERIFY(link->text().contains(QStringLiteral("style=\"\"")));
    page.setUrlStyle(QStringLiteral("color: red; \"><b>x</b>"));
    QVERIFY(link->text().contains(QStringLiteral("style=\"color: red; &quot;&gt;&lt;b&gt;x&lt;/b&gt;\"")));
    emit link->linkActivated(QStringLiteral("https://anything.example/"));
    QCOMPARE(reset.size(), 1);

    auto *box = child<QComboBox>(&page, "languageSelection");
    page.setTranslationsManager(m_translations.get());
    const auto languages = m_translations->availableLanguages();
    QCOMPARE(box->count(), languages.size());
    QCOMPARE(box->currentData().toString(), QStringLiteral("en"));
    const int japanese = box->findData(QStringLiteral("ja"));
    QVERIFY(japanese >= 0);
    box->setCurrentIndex(japanese);
    QCOMPARE(m_translations->language(), QStringLiteral("ja"));
    QCoreApplication::processEvents();
    QVERIFY(child<QPushButton>(&page, "loginButton")->text() != QStringLiteral("Log in"));
    box->setCurrentIndex(box->findData(QStringLiteral("en")));
    QCOMPARE(m_translations->language(), QStringLiteral("en"));
    QCoreApplication::processEvents();
    QCOMPARE(child<QPushButton>(&page, "loginButton")->text(), QStringLiteral("Log in"));
}

void TestMainwindowPages::accountRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("name 2 in spaces") << "name"
                                      << "  ab  " << false;
    QTest::newRow("name 3 in spaces") << "name"
                                      << "  abc  " << true;
    QTest::newRow("name 16") << "name" << QString(16, QLatin1Char('n')) << true;
    QTest::newRow("name 17") << "name" << QString(17, QLatin1Char('n')) << false;
    QTest::newRow("password 5") << "password"
                                << "12345" << false;
    QTest::newRow("password 6") << "password"
                                << "123456" << true;
    QTest::newRow("password 20") << "password" << QString(20, QLatin1Char('p')) << true;
    QTest::newRow("password 21") << "password" << QString(21, QLatin1Char('p')) << false;
    QTest::newRow("password untrimmed") << "password"
                                        << "     x" << true;
    QTest::newRow("mail shortest") << "email"
                                   << "a@b.cd" << true;
    QTest::newRow("mail dot after at") << "email"
                                       << "a@.b.cd" << false;
    QTest::newRow("mail no dot") << "email"
                                 << "a@bcd" << false;
    QTest::newRow("mail one letter end") << "email"
                                         << "a@b.c" << false;
    QTest::newRow("mail upper end") << "email"
                                    << "a@b.CD" << false;
    QTest::newRow("mail in spaces") << "email"
                                    << "  a@b.cd " << true;
    QTest::newRow("mail two lines") << "email"
                                    << "a@b.cd\nx@y.zz" << false;
}

void TestMainwindowPages::accountRules()
{
    QFETCH(QString, rule);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QString message;
    if (rule == QLatin1String("name"))
        message = CreateUserWindow::userNameError(text);
    else if (rule == QLatin1String("password"))
        message = CreateUserWindow::passwordError(text);
    else
        message = CreateUserWindow::emailError(text);
    QCOMPARE(message.isEmpty(), valid);
}

void TestMainwindowPages::accountTouchedFlags()
{
    CreateUserWindow page;
    auto *name = child<QLineEdit>(&page, "loginEdit");
    auto *nameMessage = child<QLabel>(&page, "userNameValidationLabel");
    auto *password = child<QLineEdit>(&page, "passwordEdit");
    auto *passwordMessage = child<QLabel>(&page, "passwordValidationLabel");
    auto *repeat = child<QLineEdit>(&page, "repeatPasswordEdit");
    auto *repeatMessage = child<QLabel>(&page, "repeatPasswordValidationLabel");
    const QString blank = QStringLiteral(" ");
    QCOMPARE(nameMessage->text(), blank);

    // An untouched field says nothing while typing, nor when left empty.
    name->setText(QStringLiteral("ab"));
    QCOMPARE(nameMessage->text(), blank);
    name->clear();
    emit name->editingFinished();
    QCOMPARE(nameMessage->text(), blank);
    typeAndLeave(name, QStringLiteral("ab"));
    QCOMPARE(nameMessage->text(), CreateUserWindow::userNameError(QStringLiteral("ab")));
    name->setText(QStringLiteral("abc"));
    QCOMPARE(nameMessage->text(), blank);
    name->clear();
    emit name->editingFinished();
    QCOMPARE(nameMessage->text(), CreateUserWindow::userNameError(QString()));

    // The repeat message follows the password only when both were touched.
    typeAndLeave(repeat, QStringLiteral("secret1"));
    QCOMPARE(repeatMessage->text(), QStringLiteral("Repeated password doesn't match"));
    password->setText(QStringLiteral("secret1"));
    QCOMPARE(repeatMessage->text(), QStringLiteral("Repeated password doesn't match"));
    QCOMPARE(passwordMessage->text(), blank);
    typeAndLeave(password, QStringLiteral("secret"));
    QCOMPARE(passwordMessage->text(), blank);
    password->setText(QStringLiteral("secret1"));
    QCOMPARE(repeatMessage->text(), blank);

    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&page, &languageChange);
    QCOMPARE(nameMessage->text(), blank);
    name->setText(QStringLiteral("a"));
    QCOMPARE(nameMessage->text(), CreateUserWindow::userNameError(QStringLiteral("a")));
}

void TestMainwindowPages::accountRegistration()
{
    CreateUserWindow page;
    page.show();
    auto *create = child<QPushButton>(&page, "createButton");
    QSignalSpy registerUser(&page, &CreateUserWindow::registerUser);
    QSignalSpy doLogin(&page, &CreateUserWindow::doLogin);
    QSignalSpy cancel(&page, &CreateUserWindow::cancelPressed);
    typeAndLeave(child<QLineEdit>(&page, "loginEdit"), QStringLiteral("  ann "));
    typeAndLeave(child<QLineEdit>(&page, "emailEdit"), QStringLiteral(" ann@example.com "));
    typeAndLeave(child<QLineEdit>(&page, "passwordEdit"), QStringLiteral(" pass word"));
    typeAndLeave(child<QLineEdit>(&page, "repeatPasswordEdit"), QStringLiteral(" pass word"));
    child<QCheckBox>(&page, "ageCheckBox")->setChecked(true);
    QVERIFY(!create->isEnabled());
    child<QCheckBox>(&page, "tcCheckBox")->setChecked(true);
    QVERIFY(create->isEnabled());

    create->click();
    QCOMPARE(registerUser.size(), 1);
    // Name and address trimmed as they were checked; the password as typed.
    QCOMPARE(registerUser.at(0),
             (QVariantList{QStringLiteral("ann"), QStringLiteral(" pass word"), QStringLiteral("ann@example.com")}));
    QVERIFY(!create->isEnabled());
    QVERIFY(!child<QLineEdit>(&page, "loginEdit")->isEnabled());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    // A refusal shows the server's text as it is and gives everything back.
    page.onRegisterFailed(QStringLiteral("<b>Name</b> taken"));
    QVERIFY(!QApplication::overrideCursor());
    QList<QMessageBox *> boxes = openBoxes();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0]->text(), QStringLiteral("<b>Name</b> taken"));
    QCOMPARE(boxes[0]->textFormat(), Qt::PlainText);
    QCOMPARE(boxes[0]->windowTitle(), QStringLiteral("Register User"));
    QVERIFY(!child<QLineEdit>(&page, "loginEdit")->isEnabled());
    closeBoxes();
    QVERIFY(child<QLineEdit>(&page, "loginEdit")->isEnabled());
    QVERIFY(create->isEnabled());
    QVERIFY(child<QPushButton>(&page, "cancelButton")->isEnabled());

    // An account that must be activated first leads back to the login page.
    create->click();
    page.onRegisterSucceeded(false);
    QCOMPARE(cancel.size(), 1);
    QCOMPARE(openBoxes().size(), 1);
    QCOMPARE(openBoxes().at(0)->icon(), QMessageBox::Information);
    QVERIFY(doLogin.isEmpty());
    QVERIFY(!page.justRegistered());
    closeBoxes();

    create->click();
    page.onRegisterSucceeded(true);
    QVERIFY(page.justRegistered());
    QCOMPARE(doLogin.size(), 1);
    QCOMPARE(doLogin.at(0), (QVariantList{QStringLiteral("ann"), QStringLiteral(" pass word")}));
}

void TestMainwindowPages::preferencesSettings()
{
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("game/autoPass"), false);
    settings.setValue(QStringLiteral("game/compactView"), true);
    settings.sync();
    PreferencesWindow page(m_translations.get());
    QSignalSpy compact(&page, &PreferencesWindow::compactViewChanged);

    const struct
    {
        const char *box;
        const char *key;
        bool stored;
    } boxes[] = {
        {"autoPassCheckBox", "game/autoPass", false},
        {"autoPopdownScoreDialog", "game/autoPopdownScoreDialog", false},
        {"animationsCheckBox", "game/animations", true},
        {"compactViewBox", "game/compactView", true},
        {"tableInvitesCheckBox", "game/showtableinvites", true},
    };
    for (const auto &b : boxes) {
        auto *box = child<QCheckBox>(&page, b.box);
        QCOMPARE(box->isChecked(), b.stored);
        box->setChecked(!b.stored);
        QCOMPARE(QSettings().value(QLatin1String(b.key)).toBool(), !b.stored);
        box->setChecked(b.stored);
        QCOMPARE(QSettings().value(QLatin1String(b.key)).toBool(), b.stored);
    }
    QCOMPARE(compact.size(), 2);
    QCOMPARE(compact.at(0).at(0).toBool(), false);
    QCOMPARE(compact.at(1).at(0).toBool(), true);

    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    page.setAvatar(picture);
    QCOMPARE(child<QLabel>(&page, "avatarLabel")->pixmap().size(), QSize(16, 16));

    auto *language = child<QComboBox>(&page, "languageSelection");
    QCOMPARE(language->count(), m_translations->availableLanguages().size());
    QCOMPARE(language->currentData().toString(), m_translations->language());
}

void TestMainwindowPages::preferencesTileSet()
{
    QSettings().setValue(QStringLiteral("game/tileface"), 99);
    QSettings().setValue(QStringLiteral("game/tileblank"), -1);
    PreferencesWindow page(m_translations.get());
    auto *face = child<QComboBox>(&page, "tileFaceSelection");
    auto *blank = child<QComboBox>(&page, "tileBlankSelection");
    QCOMPARE(face->count(), TileGraphics::faceNames().size());
    QCOMPARE(face->currentIndex(), 0);
    QCOMPARE(blank->currentIndex(), 0);
    QCOMPARE(TileGraphics::instance().tileFace(), TileGraphics::faceChoices().at(0).second);
    // Shown as the first, but not written until the player chooses.
    QCOMPARE(QSettings().value(QStringLiteral("game/tileface")).toInt(), 99);

    auto *front = child<QLabel>(&page, "tileFront");
    auto *back = child<QLabel>(&page, "tileBack");
    auto *hidden = child<QLabel>(&page, "hiddenTileRight");
    for (QLabel *label : {front, back, hidden})
        QVERIFY(!label->picture().boundingRect().isEmpty());
    const QImage frontBefore = rendered(front);
    const QImage backBefore = rendered(back);

    face->setCurrentIndex(2);
    QCOMPARE(QSettings().value(QStringLiteral("game/tileface")).toInt(), 2);
    QCOMPARE(TileGraphics::instance().tileFace(), TileGraphics::faceChoices().at(2).second);
    QVERIFY(rendered(front) != frontBefore);
    QCOMPARE(rendered(back), backBefore);

    blank->setCurrentIndex(2);
    QCOMPARE(QSettings().value(QStringLiteral("game/tileblank")).toInt(), 2);
    QCOMPARE(TileGraphics::instance().tileBlank(), TileGraphics::blankChoices().at(2).second);
    QVERIFY(rendered(back) != backBefore);
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainwindowPages::preferencesSound()
{
    QSettings().remove(QStringLiteral("game/sound"));
    SoundPlayer &player = SoundPlayer::instance();
    player.stop(SoundPlayer::LobbyMusic);
    PreferencesWindow page(m_translations.get());
    auto *sound = child<QCheckBox>(&page, "inGameSoundCheckBox");
    QVERIFY(sound->isChecked());
    // Checked by default: the lobby music plays on.
    QCOMPARE(player.loopingId(), int(SoundPlayer::LobbyMusic));
    sound->setChecked(false);
    QCOMPARE(QSettings().value(QStringLiteral("game/sound")).toBool(), false);
    QCOMPARE(player.loopingId(), -1);
    sound->setChecked(true);
    QCOMPARE(QSettings().value(QStringLiteral("game/sound")).toBool(), true);
    QCOMPARE(player.loopingId(), int(SoundPlayer::LobbyMusic));
    player.stop(SoundPlayer::LobbyMusic);
}

void TestMainwindowPages::machineId()
{
    QCOMPARE(MachineId::fromHardwareAddresses({}), std::string("2jmj7l5rSw0yVb/vlWAYkK/YBwk="));
    const QStringList addresses{QStringLiteral("00:11:22:33:44:55"), QString(), QStringLiteral("AA:BB:CC:DD:EE:FF")};
    const std::string id = MachineId::fromHardwareAddresses(addresses);
    QCOMPARE(id.size(), size_t(28));
    QCOMPARE(MachineId::fromHardwareAddresses(addresses), id);
    // Order and every address count; nothing separates them.
    QVERIFY(MachineId::fromHardwareAddresses({addresses[2], addresses[1], addresses[0]}) != id);
    QVERIFY(MachineId::fromHardwareAddresses({addresses[0], addresses[1], QStringLiteral("AA:BB:CC:DD:EE:FE")}) != id);
    QCOMPARE(MachineId::fromHardwareAddresses({QStringLiteral("ab"), QStringLiteral("c")}),
             MachineId::fromHardwareAddresses({QStringLiteral("a"), QStringLiteral("bc")}));

    const std::string &first = ::machineId();
    QCOMPARE(first, MachineId::fromHardwareAddresses(MachineId::currentHardwareAddresses()));
    QCOMPARE(&::machineId(), &first);
}

QTEST_MAIN(TestMainwindowPages)
#include "tst_mainwindow_pages.moc"
