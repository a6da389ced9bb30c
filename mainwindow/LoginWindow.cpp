#include "mainwindow/LoginWindow.h"

#include "mainwindow/Logging.h"
#include "widgets/ModelessMsgBox.h"
#include "widgets/TranslationsManager.h"
#include "widgets/Utils.h"

#include "ui_LoginForm.h"

#include <QApplication>
#include <QEvent>

LoginWindow::LoginWindow(QWidget *parent)
    : QFrame(parent)
    , m_ui(std::make_unique<Ui::LoginForm>())
    , m_urlStyle(QStringLiteral("font-family: Verdana; font-weight: bold; font-size: 10px; color: rgb(255,244,189); "
                                "text-decoration: underline;"))
{
    connect(&m_shakeTimer, &QTimer::timeout, this, &LoginWindow::onShakeTimer);
    m_ui->setupUi(this);
    connect(m_ui->resetPasswordLabel, &QLabel::linkActivated, this, &LoginWindow::resetPassword);
    connect(m_ui->languageSelection, &QComboBox::currentIndexChanged, this,
            &LoginWindow::onLanguageSelectionCurrentIndexChanged);
    retranslate();
}

LoginWindow::~LoginWindow() = default;

void LoginWindow::setUserName(const QString &userName)
{
    m_ui->loginEdit->setText(userName);
    updateLoginButton();
}

void LoginWindow::setPassword(const QString &password)
{
    m_ui->passwordEdit->setText(password);
    updateLoginButton();
}

void LoginWindow::setTranslationsManager(TranslationsManager *translations)
{
    m_translations = translations;
    QComboBox *box = m_ui->languageSelection;
    // Filling the box must switch no language.
    disconnect(box, &QComboBox::currentIndexChanged, this, &LoginWindow::onLanguageSelectionCurrentIndexChanged);
    box->clear();
    bool matched = false;
    if (translations) {
        const QString current = translations->language();
        for (const TranslationsManager::Language &language : translations->availableLanguages()) {
            box->addItem(language.second, language.first);
            if (language.first == current) {
                box->setCurrentIndex(box->count() - 1);
                matched = true;
            }
        }
    }
    connect(box, &QComboBox::currentIndexChanged, this, &LoginWindow::onLanguageSelectionCurrentIndexChanged);
    if (!matched && box->count() > 0)
        box->setCurrentIndex(0);
}

void LoginWindow::focusFirstEmptyField()
{
    if (m_ui->loginEdit->text().isEmpty())
        m_ui->loginEdit->setFocus(Qt::OtherFocusReason);
    else
        m_ui->passwordEdit->setFocus(Qt::OtherFocusReason);
}

void LoginWindow::setLoginAllowed(bool allowed)
{
    m_loginAllowed = allowed;
    // A new handshake: whatever was pending is gone with the old connection.
    m_loginPending = false;
    updateLoginButton();
}

void LoginWindow::setUrlStyle(const QString &style)
{
    m_urlStyle = style;
    retranslate();
}

QString LoginWindow::loginFailureMessage(qint32 status)
{
    switch (status) {
    case 3:
        return tr("You are not allowed to login, please contact support.");
    case 4:
        return tr("Server error!");
    case 5:
        return tr("You need to verify your email first! Please check your inbox for verification email. Contact "
                  "support if problem persists.");
    case 6:
        return tr("You have excluded yourself from playing. Contact support if this is incorrect.");
    case 7:
        return tr("You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 "
                  "minutes.\nIf you do not remember your password please reset your password and wait for 10 "
                  "minutes. If you still have problems please contact support.");
    case 8:
        return tr("Your IP address is blacklisted, please contact support.");
    default:
        return tr("Unknown login failure!");
    }
}

void LoginWindow::onLoginFailed(qint32 loginResponseStatus)
{
    switch (loginResponseStatus) {
    case 2:
        qCDebug(lcMainwindow) << "Authentication failed!";
        break;
    case 3:
        qCDebug(lcMainwindow) << "Login disallowed!";
        break;
    case 4:
        qCDebug(lcMainwindow) << "Server error!";
        break;
    case 5:
        qCDebug(lcMainwindow) << "Email not verified!";
        break;
    case 6:
        qCDebug(lcMainwindow) << "User self excluded!";
        break;
    case 7:
        qCDebug(lcMainwindow) << "Temporary denied!";
        break;
    case 8:
        qCDebug(lcMainwindow) << "IP blacklisted!";
        break;
    default:
        qCDebug(lcMainwindow) << "Unknown login failure!";
        break;
    }
    QApplication::restoreOverrideCursor();
    m_loginPending = false;

    if (loginResponseStatus == 2) {
        // Clearing the password disables the button until the player types.
        m_ui->passwordEdit->clear();
        m_shakeTimer.start(shakeIntervalMs);
        return;
    }
    QWidget *parent = Utils::findMainWindow();
    ModelessMsgBox::critical(parent ? parent : window(), tr("Login failed"), loginFailureMessage(loginResponseStatus),
                             QMessageBox::Ok, QMessageBox::NoButton);
    focusFirstEmptyField();
    updateLoginButton();
}

void LoginWindow::onConnecting()
{
    // A new connection: no login before its handshake.
    m_loginAllowed = false;
    m_offline = false;
    m_connecting = true;
    updateLoginButton();
}

void LoginWindow::onConnected()
{
    m_offline = false;
    m_connecting = false;
    updateLoginButton();
}

void LoginWindow::onDisconnected()
{
    m_loginAllowed = false;
    m_loginPending = false;
    m_offline = true;
    m_connecting = false;
    updateLoginButton();
}

void LoginWindow::on_loginButton_clicked()
{
    if (m_offline) {
        m_offline = false;
        m_connecting = true;
        updateLoginButton();
        emit retryConnection();
        return;
    }
    m_loginPending = true;
    m_ui->loginButton->setEnabled(false);
    emit login(m_ui->loginEdit->text(), m_ui->passwordEdit->text());
}

void LoginWindow::on_createUserButton_clicked()
{
    emit createUser();
}

void LoginWindow::on_loginEdit_textChanged()
{
    updateLoginButton();
}

void LoginWindow::on_passwordEdit_textChanged()
{
    updateLoginButton();
}

void LoginWindow::onShakeTimer()
{
    const int dx = m_shakeStep % 2 == 0 ? shakeDistance : -shakeDistance;
    move(pos() + QPoint(dx, 0));
    ++m_shakeStep;
    if (m_shakeStep < shakeMoves) {
        m_shakeTimer.start(shakeIntervalMs);
    } else {
        m_shakeStep = 0;
        m_shakeTimer.stop();
    }
}

void LoginWindow::onLanguageSelectionCurrentIndexChanged(int index)
{
    if (!m_translations || index < 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_translations->setLanguage(m_ui->languageSelection->itemData(index, Qt::UserRole).toString());
    QApplication::restoreOverrideCursor();
}

void LoginWindow::updateLoginButton()
{
    // The button says what it does now: connect again, wait, or log in.
    if (m_offline) {
        // The same words as the main window's, translated once.
        m_ui->loginButton->setText(QCoreApplication::translate("MainView", "Try again"));
        m_ui->loginButton->setEnabled(true);
        return;
    }
    m_ui->loginButton->setText(m_connecting ? tr("Connecting...") : tr("Log in"));
    m_ui->loginButton->setEnabled(m_loginAllowed && !m_loginPending && !m_ui->loginEdit->text().isEmpty()
                                  && !m_ui->passwordEdit->text().isEmpty());
}

void LoginWindow::retranslate()
{
    m_ui->retranslateUi(this);
    updateLoginButton();
    // The link's address is never opened: activating it asks the main window
    // for the reset page.
    m_ui->resetPasswordLabel->setText(tr("<a style=\"%1\" href=\"https://reset-password.invalid/\">Reset password</a>")
                                          .arg(m_urlStyle.toHtmlEscaped()));
}

void LoginWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QFrame::changeEvent(event);
}
