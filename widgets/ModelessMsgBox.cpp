#include "widgets/ModelessMsgBox.h"

#include <QAbstractButton>
#include <QPointer>

#include <memory>

QMessageBox *ModelessMsgBox::information(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox *ModelessMsgBox::warning(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox *ModelessMsgBox::critical(QWidget *parent, const QString &title, const QString &text,
                                      QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Critical, parent, title, text, buttons, defaultButton);
}

QMessageBox *ModelessMsgBox::question(QWidget *parent, const QString &title, const QString &text,
                                      QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Question, parent, title, text, buttons, defaultButton);
}

QMessageBox *ModelessMsgBox::show(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
                                  QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    auto *box = new QMessageBox(icon, title, text, buttons, parent);
    box->setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(defaultButton);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    box->raise();
    if (parent) {
        const QWidget *window = parent->window();
        const QPoint centre = window->mapToGlobal(window->rect().center());
        box->move(centre - box->rect().center());
    }
    return box;
}

void ModelessMsgBox::onFinished(QMessageBox *box, std::function<void(int)> callback)
{
    if (!box || !callback)
        return;
    QPointer<QMessageBox> guard(box);
    auto called = std::make_shared<bool>(false);
    QObject::connect(box, &QDialog::finished, box, [guard, called, callback](int result) {
        if (*called)
            return;
        *called = true;
        int button = QMessageBox::NoButton;
        if (guard) {
            if (QAbstractButton *clicked = guard->clickedButton())
                button = guard->standardButton(clicked);
            else if (guard->button(QMessageBox::StandardButton(result)))
                button = result; // closed by done() with a standard button
        }
        callback(button);
    });
}
