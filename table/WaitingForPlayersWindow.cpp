#include "table/WaitingForPlayersWindow.h"

#include "ui_WaitingForPlayersWidget.h"

#include <QEvent>
#include <QLayout>

WaitingForPlayersWindow::WaitingForPlayersWindow(QWidget *parent)
    : MahjongDialog(parent, 0)
    , m_ui(new Ui::WaitingForPlayersWidget)
{
    auto *content = new QWidget(this);
    m_ui->setupUi(content);
    setWidget(content);
    QWidget::layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ui->leaveButton, &QPushButton::clicked, this, &WaitingForPlayersWindow::leaveButtonClicked);
    connect(m_ui->inviteButton, &QPushButton::clicked, this, &WaitingForPlayersWindow::inviteButtonClicked);
}

WaitingForPlayersWindow::~WaitingForPlayersWindow()
{
    delete m_ui;
}

void WaitingForPlayersWindow::setLeaveEnabled(bool enabled)
{
    m_ui->leaveButton->setEnabled(enabled);
}

void WaitingForPlayersWindow::onSeatsRemaining(int seats)
{
    m_seats = seats;
    if (seats < 1) {
        hide();
        return;
    }
    applyText();
}

void WaitingForPlayersWindow::applyText()
{
    m_ui->mainText->setText(tr("Waiting for %n player(s) to join table.", nullptr, m_seats));
}

void WaitingForPlayersWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(widget());
        setWindowTitle(widget()->windowTitle());
        if (m_seats >= 1)
            applyText();
    }
    MahjongDialog::changeEvent(event);
}
