#include "mainwindow/CreateUserWindow.h"

#include "mainwindow/Logging.h"
#include "widgets/ModelessMsgBox.h"

#include "ui_CreateUserForm.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QRegularExpression>

namespace {
// Keeps the label's height while there is nothing to say.
const QString blank = QStringLiteral(" ");
} // namespace

CreateUserWindow::CreateUserWindow(QWidget *parent)
    : QFrame(parent)
    , m_ui(std::make_unique<Ui::CreateUserForm>())
{
    m_ui->setupUi(this);
    for (QLabel *label : {m_ui->userNameValidationLabel, m_ui->emailValidationLabel, m_ui->passwordValidationLabel,
                          m_ui->repeatPasswordValidationLabel, m_ui->tcUrl})
        label->setTextFormat(label == m_ui->tcUrl ? Qt::RichText : Qt::PlainText);
    connect(m_ui->tcUrl, &QLabel::linkActivated, this, &CreateUserWindow::termsPressed);
    retranslate();
    for (int field = 0; field < FieldCount; ++field)
        messageLabel(Field(field))->setText(blank);
    updateCreateButton();
}

CreateUserWindow::~CreateUserWindow() = default;

QString CreateUserWindow::userNameError(const QString &userName)
{
    const qsizetype length = userName.trimmed().size();
    if (length >= minUserNameLength && length <= maxUserNameLength)
        return QString();
    return tr("User name must contain between %1 and %2 characters").arg(minUserNameLength).arg(maxUserNameLength);
}

QString CreateUserWindow::emailError(const QString &email)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("^.+@[^\\.].*\\.[a-z]{2,}$")));
    if (pattern.match(email.trimmed()).hasMatch())
        return QString();
    return QStringLiteral("Email address is invalid");
}

QString CreateUserWindow::passwordError(const QString &password)
{
    if (password.size() >= minPasswordLength && password.size() <= maxPasswordLength)
        return QString();
    return tr("Password must contain between %1 and %2 characters").arg(minPasswordLength).arg(maxPasswordLength);
}

QString CreateUserWindow::repeatPasswordError(const QString &password, const QString &repeated)
{
    return password == repeated ? QString() : tr("Repeated password doesn't match");
}

bool CreateUserWindow::allValid() const
{
    return userNameError(m_ui->loginEdit->text()).isEmpty() && emailError(m_ui->emailEdit->text()).isEmpty()
           && passwordError(m_ui->passwordEdit->text()).isEmpty()
           && repeatPasswordError(m_ui->passwordEdit->text(), m_ui->repeatPasswordEdit->text()).isEmpty()
           && m_ui->ageCheckBox->isChecked() && m_ui->tcCheckBox->isChecked();
}

QLabel *CreateUserWindow::messageLabel(Field field) const
{
    switch (field) {
    case UserName:
        return m_ui->userNameValidationLabel;
    case Email:
        return m_ui->emailValidationLabel;
    case Password:
        return m_ui->passwordValidationLabel;
    default:
        return m_ui->repeatPasswordValidationLabel;
    }
}

void CreateUserWindow::updateMessage(Field field)
{
    QString message;
    switch (field) {
    case UserName:
        message = userNameError(m_ui->loginEdit->text());
        break;
    case Email:
        message = emailError(m_ui->emailEdit->text());
        break;
    case Password:
        message = passwordError(m_ui->passwordEdit->text());
        break;
    default:
        message = repeatPasswordError(m_ui->passwordEdit->text(), m_ui->repeatPasswordEdit->text());
        break;
    }
    messageLabel(field)->setText(message.isEmpty() ? blank : message);
}

void CreateUserWindow::updateCreateButton()
{
    m_ui->createButton->setEnabled(allValid());
}

void CreateUserWindow::fieldLeft(Field field, const QString &text)
{
    // An empty field left for the first time says nothing yet.
    if (!m_touched[field] && text.isEmpty())
        return;
    m_touched[field] = true;
    updateMessage(field);
}

void CreateUserWindow::on_loginEdit_editingFinished()
{
    fieldLeft(UserName, m_ui->loginEdit->text());
}

void CreateUserWindow::on_emailEdit_editingFinished()
{
    fieldLeft(Email, m_ui->emailEdit->text());
}

void CreateUserWindow::on_passwordEdit_editingFinished()
{
    fieldLeft(Password, m_ui->passwordEdit->text());
}

void CreateUserWindow::on_repeatPasswordEdit_editingFinished()
{
    fieldLeft(RepeatPassword, m_ui->repeatPasswordEdit->text());
}

void CreateUserWindow::on_loginEdit_textChanged()
{
    updateCreateButton();
    if (m_touched[UserName])
        updateMessage(UserName);
}

void CreateUserWindow::on_emailEdit_textChanged()
{
    updateCreateButton();
    if (m_touched[Email])
        updateMessage(Email);
}

void CreateUserWindow::on_passwordEdit_textChanged()
{
    updateCreateButton();
    if (m_touched[Password]) {
        updateMessage(Password);
        if (m_touched[RepeatPassword])
            updateMessage(RepeatPassword);
    }
}

void CreateUserWindow::on_repeatPasswordEdit_textChanged()
{
    updateCreateButton();
    if (m_touched[RepeatPassword]) {
        updateMessage(RepeatPassword);
        if (m_touched[Password])
            updateMessage(Password);
    }
}

void CreateUserWindow::on_ageCheckBox_stateChanged()
{
    updateCreateButton();
}

void CreateUserWindow::on_tcCheckBox_stateChanged()
{
    updateCreateButton();
}

void CreateUserWindow::setInputEnabled(bool enabled)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{m_ui->loginEdit, m_ui->passwordEdit,
                                                            m_ui->repeatPasswordEdit, m_ui->emailEdit})
        widget->setEnabled(enabled);
}

void CreateUserWindow::on_createButton_clicked()
{
    if (!allValid())
        return;
    m_ui->createButton->setEnabled(false);
    m_ui->cancelButton->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setInputEnabled(false);
    // The address is sent as it was checked: without surrounding spaces.
    emit registerUser(m_ui->loginEdit->text().trimmed(), m_ui->passwordEdit->text(), m_ui->emailEdit->text().trimmed());
}

void CreateUserWindow::on_cancelButton_clicked()
{
    emit cancelPressed();
    if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void CreateUserWindow::onRegisterSucceeded(bool active)
{
    qCDebug(lcMainwindow) << "new user successfully registered!";
    QApplication::restoreOverrideCursor();
    if (active) {
        m_registered = true;
        emit doLogin(m_ui->loginEdit->text().trimmed(), m_ui->passwordEdit->text());
        return;
    }
    // An account that must be activated first: say so and lead back to the
    // login page rather than leaving an empty page.
    ModelessMsgBox::information(window(), tr("Register User"),
                                tr("Your account has been created. Please activate it with the link in the e-mail "
                                   "we sent you, then log in."));
    setInputEnabled(true);
    m_ui->cancelButton->setEnabled(true);
    updateCreateButton();
    emit cancelPressed();
}

void CreateUserWindow::onRegisterFailed(const QString &reason)
{
    qCDebug(lcMainwindow) << "failed registering new user!";
    QApplication::restoreOverrideCursor();
    // Modal without blocking the caller; the server's text stays plain text.
    auto *box = new QMessageBox(QMessageBox::Critical, tr("Register User"), reason, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("registerFailedBox"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this, [this] {
        setInputEnabled(true);
        m_ui->createButton->setEnabled(true);
        m_ui->cancelButton->setEnabled(true);
    });
    box->open();
}

void CreateUserWindow::retranslate()
{
    m_ui->userNameLabel->setText(tr("User name"));
    m_ui->passwordLabel->setText(tr("Password"));
    m_ui->ageCheckBox->setText(tr("I'm over %L1 years old").arg(minimumAge));
    // The address is never opened: activating the link asks the main window
    // for the terms page.
    m_ui->tcUrl->setText(tr("I accept the <a style=\"font-family: Verdana; font-weight: bold; font-size: 12px; "
                            "color: rgb(255,244,189); text-decoration: underline;\" "
                            "href=\"https://terms.invalid/\">terms and conditions</a>"));
}

void CreateUserWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        retranslate();
        // A message in the old language says nothing until the field changes.
        for (int field = 0; field < FieldCount; ++field)
            messageLabel(Field(field))->setText(blank);
    }
    QFrame::changeEvent(event);
}
