#include "widgets/UStackedWidget.h"

UStackedWidget::UStackedWidget(QWidget *parent)
    : QStackedWidget(parent)
{
    connect(this, &QStackedWidget::currentChanged, this, [this] { updateGeometry(); });
}

QSize UStackedWidget::sizeHint() const
{
    if (const QWidget *page = currentWidget())
        return page->sizeHint();
    return QStackedWidget::sizeHint();
}

QSize UStackedWidget::minimumSizeHint() const
{
    if (const QWidget *page = currentWidget())
        return page->minimumSizeHint();
    return QStackedWidget::minimumSizeHint();
}
