#include "widgets/AutoCenterToParent.h"

#include "widgets/MahjongDialog.h"

#include <QEvent>
#include <QWidget>

AutoCenterToParent::AutoCenterToParent(QObject *dialog)
    : QObject(dialog)
{
    if (QWidget *widget = this->dialog()) {
        if (QWidget *parent = widget->parentWidget())
            parent->installEventFilter(this);
        widget->installEventFilter(this);
    }
}

QWidget *AutoCenterToParent::dialog() const
{
    return qobject_cast<QWidget *>(parent());
}

bool AutoCenterToParent::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *widget = dialog();
    if (!widget)
        return false;
    if (watched == widget && event->type() == QEvent::ParentChange) {
        // Follow the dialog to its new parent.
        if (QWidget *parent = widget->parentWidget())
            parent->installEventFilter(this);
    } else if (watched == widget->parentWidget() && event->type() == QEvent::Resize) {
        if (auto *frame = qobject_cast<MahjongDialog *>(widget))
            frame->centerInParent();
        else
            MahjongDialog::centerWidgetInParent(widget);
    }
    return false;
}
