#include "table/EmptySeatWidget.h"

#include "ui_EmptySeatWidget.h"

#include <QEvent>

EmptySeatWidget::EmptySeatWidget(QWidget *parent)
    : QFrame(parent)
    , m_ui(new Ui::EmptySeatWidget)
{
    m_ui->setupUi(this);
}

EmptySeatWidget::~EmptySeatWidget()
{
    delete m_ui;
}

void EmptySeatWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QFrame::changeEvent(event);
}
