#pragma once

#include "widgets/MahjongDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the player for a screen name; shows the server's refusal, if any.
class SetScreennameDialog : public MahjongDialog
{
    Q_OBJECT

public:
    // The longest name the dialog accepts.
    static constexpr int MaximumLength = 32;

    explicit SetScreennameDialog(QWidget *parent);

    // Shown as plain text; hidden when empty.
    void setErrorText(const QString &text);

signals:
    void setScreenname(const QString &name);

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void onAccept();
    void onTextChanged();

private:
    void retranslate();

    QLabel *m_promptLabel = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    QLabel *m_errorLabel = nullptr;
    QPushButton *m_okButton = nullptr;
};
