#include "widgets/UTabWidget.h"

UTabWidget::UTabWidget(QWidget *parent)
    : QTabWidget(parent)
{
}
