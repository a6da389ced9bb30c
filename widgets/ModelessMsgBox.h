#pragma once

#include <QMessageBox>

#include <functional>

// Message boxes that never block the caller: each is shown, raised and
// centred on its parent at once and deletes itself when closed. Texts are
// shown as plain text, since they often come from a server or a player.
class ModelessMsgBox
{
public:
    static QMessageBox *information(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox *warning(QWidget *parent, const QString &title, const QString &text,
                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox *critical(QWidget *parent, const QString &title, const QString &text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox *question(QWidget *parent, const QString &title, const QString &text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::StandardButtons(QMessageBox::Yes
                                                                                                     | QMessageBox::No),
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    // Calls callback once, when the box closes, with the standard button that
    // closed it (QMessageBox::NoButton when none did).
    static void onFinished(QMessageBox *box, std::function<void(int)> callback);

private:
    static QMessageBox *show(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
                             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);
};
