#include "widgets/BugfixWidget.h"

#include <QPainter>
#include <QStyleOption>

BugfixWidget::BugfixWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
}

void BugfixWidget::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
