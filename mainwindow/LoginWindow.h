#pragma once

#include <QFrame>
#include <QString>
#include <QTimer>

#include <memory>

class TranslationsManager;

namespace Ui {
class LoginForm;
}

// The page on which the player logs in. It sends nothing itself: it asks
// the main window through login() and shows what the connection reports,
// the connection state on the button and a refusal as a message box or, for
// a wrong password, a short shake of the page.
class LoginWindow : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString urlStyle READ urlStyle WRITE setUrlStyle)

public:
    explicit LoginWindow(QWidget *parent = nullptr);
    ~LoginWindow() override;

    void setUserName(const QString &userName);
    void setPassword(const QString &password);
    void setTranslationsManager(TranslationsManager *translations);
    void focusFirstEmptyField();
    void setLoginAllowed(bool allowed);
    bool loginAllowed() const { return m_loginAllowed; }
    bool isOffline() const { return m_offline; }

    QString urlStyle() const { return m_urlStyle; }
    void setUrlStyle(const QString &style);

    // Pixels per shake move and the time between moves.
    static constexpr int shakeDistance = 8;
    static constexpr int shakeIntervalMs = 100;
    static constexpr int shakeMoves = 4;

    static QString loginFailureMessage(qint32 status);

signals:
    void login(QString username, QString password);
    // The connection is down and the player wants to try again.
    void retryConnection();
    void createUser();
    void resetPassword();

public slots:
    void onLoginFailed(qint32 loginResponseStatus);
    void onConnecting();
    void onConnected();
    void onDisconnected();

private slots:
    void on_loginButton_clicked();
    void on_createUserButton_clicked();
    void on_loginEdit_textChanged();
    void on_passwordEdit_textChanged();
    void onShakeTimer();
    void onLanguageSelectionCurrentIndexChanged(int index);

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateLoginButton();
    void retranslate();

    std::unique_ptr<Ui::LoginForm> m_ui;
    bool m_loginAllowed = false;
    // A login was asked for and not answered yet: typing must not enable a
    // second one.
    bool m_loginPending = false;
    // No connection: the button offers to try again instead of a login.
    bool m_offline = false;
    bool m_connecting = false;
    QTimer m_shakeTimer;
    int m_shakeStep = 0;
    TranslationsManager *m_translations = nullptr;
    QString m_urlStyle;
};
