#include "lobby/WatchingWindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

WatchingWindow::WatchingWindow(QWidget *parent)
    : MahjongDialog(parent, 0)
{
    setObjectName(QStringLiteral("watchingWindow"));
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("watchingContent"));
    auto *layout = new QVBoxLayout(content);

    m_infoLabel = new QLabel(content);
    m_infoLabel->setObjectName(QStringLiteral("infoLabel"));
    m_infoLabel->setWordWrap(true);
    layout->addWidget(m_infoLabel);

    auto *buttons = new QHBoxLayout;
    m_joinButton = new QPushButton(content);
    m_joinButton->setObjectName(QStringLiteral("joinButton"));
    m_leaveButton = new QPushButton(content);
    m_leaveButton->setObjectName(QStringLiteral("leaveButton"));
    buttons->addStretch(1);
    buttons->addWidget(m_joinButton);
    buttons->addWidget(m_leaveButton);
    layout->addLayout(buttons);

    connect(m_joinButton, &QPushButton::clicked, this, &WatchingWindow::joinButtonClicked);
    connect(m_leaveButton, &QPushButton::clicked, this, &WatchingWindow::leaveButtonClicked);

    setWidget(content);
    // Drawn inside the table window without a layout around it: the frame
    // follows the size its content asks for.
    QWidget::layout()->setSizeConstraint(QLayout::SetFixedSize);
    retranslate();
    m_joinButton->setEnabled(false);
    hide();
}

void WatchingWindow::setJoinEnabled(bool enabled)
{
    m_joinButton->setEnabled(enabled);
}

void WatchingWindow::setInfoHidden(bool hidden)
{
    m_infoLabel->setHidden(hidden);
}

void WatchingWindow::onJoinableChanged(bool joinable)
{
    setJoinEnabled(joinable);
}

void WatchingWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MahjongDialog::changeEvent(event);
}

void WatchingWindow::retranslate()
{
    setWindowTitle(tr("Watching"));
    m_infoLabel->setText(tr("You are watching this table. Join to take a free seat."));
    m_joinButton->setText(tr("Join"));
    m_leaveButton->setText(tr("Leave"));
}
