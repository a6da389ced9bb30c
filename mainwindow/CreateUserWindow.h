#pragma once

#include <QFrame>
#include <QString>

#include <memory>

class QLabel;

namespace Ui {
class CreateUserForm;
}

// The page on which a new player chooses a name, an e-mail address and a
// password. Every field is checked as the player types; a field's message
// shows once the field was left with text in it. The request goes to the
// main window; an active new account is logged in at once.
class CreateUserWindow : public QFrame
{
    Q_OBJECT

public:
    explicit CreateUserWindow(QWidget *parent = nullptr);
    ~CreateUserWindow() override;

    bool justRegistered() const { return m_registered; }

    static constexpr int minUserNameLength = 3;
    static constexpr int maxUserNameLength = 16;
    static constexpr int minPasswordLength = 6;
    static constexpr int maxPasswordLength = 20;
    static constexpr int minimumAge = 18;

    // The field rules; each gives the message to show, or an empty text.
    static QString userNameError(const QString &userName);
    static QString emailError(const QString &email);
    static QString passwordError(const QString &password);
    static QString repeatPasswordError(const QString &password, const QString &repeated);
    bool allValid() const;

signals:
    void doLogin(QString user, QString password);
    void cancelPressed();
    void registerUser(QString username, QString password, QString email);
    void termsPressed();

public slots:
    void onRegisterSucceeded(bool active);
    void onRegisterFailed(const QString &reason);

private slots:
    void on_createButton_clicked();
    void on_cancelButton_clicked();
    void on_ageCheckBox_stateChanged();
    void on_tcCheckBox_stateChanged();
    void on_loginEdit_textChanged();
    void on_passwordEdit_textChanged();
    void on_repeatPasswordEdit_textChanged();
    void on_emailEdit_textChanged();
    void on_loginEdit_editingFinished();
    void on_emailEdit_editingFinished();
    void on_passwordEdit_editingFinished();
    void on_repeatPasswordEdit_editingFinished();

protected:
    void changeEvent(QEvent *event) override;

private:
    enum Field { UserName, Email, Password, RepeatPassword, FieldCount };

    void retranslate();
    void updateCreateButton();
    void updateMessage(Field field);
    void fieldLeft(Field field, const QString &text);
    void setInputEnabled(bool enabled);
    QLabel *messageLabel(Field field) const;

    std::unique_ptr<Ui::CreateUserForm> m_ui;
    bool m_touched[FieldCount] = {false, false, false, false};
    bool m_registered = false;
};
