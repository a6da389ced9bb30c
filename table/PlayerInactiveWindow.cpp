#include "table/PlayerInactiveWindow.h"

#include "ui_PlayerInactiveWidget.h"

#include <QEvent>
#include <QLayout>

PlayerInactiveWindow::PlayerInactiveWindow(QWidget *parent)
    : MahjongDialog(parent, 0)
    , m_ui(new Ui::PlayerInactiveWidget)
{
    auto *content = new QWidget(this);
    m_ui->setupUi(content);
    setWidget(content);
    QWidget::layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ui->reactivateButton, &QPushButton::clicked, this, &PlayerInactiveWindow::onReactivateButtonClicked);
    connect(m_ui->leaveButton, &QPushButton::clicked, this, &PlayerInactiveWindow::leaveButtonClicked);
}

PlayerInactiveWindow::~PlayerInactiveWindow()
{
    delete m_ui;
}

void PlayerInactiveWindow::onReactivateButtonClicked()
{
    // One request per showing: the button comes back with the next show.
    m_ui->reactivateButton->setEnabled(false);
    emit reactivateButtonClicked();
}

void PlayerInactiveWindow::setVisible(bool visible)
{
    MahjongDialog::setVisible(visible);
    if (visible)
        m_ui->reactivateButton->setEnabled(true);
}

void PlayerInactiveWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(widget());
        setWindowTitle(widget()->windowTitle());
    }
    MahjongDialog::changeEvent(event);
}
