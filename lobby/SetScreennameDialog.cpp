#include "lobby/SetScreennameDialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SetScreennameDialog::SetScreennameDialog(QWidget *parent)
    : MahjongDialog(parent, 0)
{
    setObjectName(QStringLiteral("setScreennameDialog"));
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("setScreennameContent"));
    auto *layout = new QVBoxLayout(content);

    m_promptLabel = new QLabel(content);
    m_promptLabel->setObjectName(QStringLiteral("promptLabel"));
    m_promptLabel->setWordWrap(true);
    layout->addWidget(m_promptLabel);

    m_nameEdit = new QLineEdit(content);
    m_nameEdit->setObjectName(QStringLiteral("screennameEdit"));
    m_nameEdit->setMaxLength(MaximumLength);
    layout->addWidget(m_nameEdit);

    m_errorLabel = new QLabel(content);
    m_errorLabel->setObjectName(QStringLiteral("errorLabel"));
    m_errorLabel->setTextFormat(Qt::PlainText); // the server's text, never markup
    m_errorLabel->setWordWrap(true);
    m_errorLabel->hide();
    layout->addWidget(m_errorLabel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_okButton = new QPushButton(content);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    buttons->addWidget(m_okButton);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &SetScreennameDialog::onAccept);
    connect(m_nameEdit, &QLineEdit::returnPressed, this, &SetScreennameDialog::onAccept);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &SetScreennameDialog::onTextChanged);

    setWidget(content);
    // Drawn inside the table window without a layout around it: the frame
    // follows the size its content asks for.
    QWidget::layout()->setSizeConstraint(QLayout::SetFixedSize);
    retranslate();
    onTextChanged();
}

void SetScreennameDialog::setErrorText(const QString &text)
{
    m_errorLabel->setText(text);
    m_errorLabel->setHidden(text.isEmpty());
}

void SetScreennameDialog::onAccept()
{
    const QString name = m_nameEdit->text().trimmed();
    if (name.isEmpty())
        return;
    emit setScreenname(name);
}

void SetScreennameDialog::onTextChanged()
{
    m_okButton->setEnabled(!m_nameEdit->text().trimmed().isEmpty());
}

void SetScreennameDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MahjongDialog::changeEvent(event);
}

void SetScreennameDialog::retranslate()
{
    setWindowTitle(tr("Choose a screen name"));
    m_promptLabel->setText(tr("Please choose the name other players will see at the tables."));
    m_nameEdit->setPlaceholderText(tr("Screen name"));
    m_okButton->setText(tr("OK"));
}
