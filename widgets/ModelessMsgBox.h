#pragma once

#include <QCoreApplication>
#include <QMessageBox>

#include <functional>

// Message boxes that never block the caller: each is shown, raised and
// centred on its parent at once and deletes itself when closed. Texts are
// shown as plain text, since they often come from a server or a player.
//
// A server may send many messages at once, and a box each would freeze the
// window and fill the memory. So a notice (a box whose only button is Ok)
// joins the notice still open in the same window with the same icon and
// title: its text stays the first message, below it stands how many more
// came, and its details list them, the newest MaxListed. A question asked
// again while the same question (text and buttons too) is open is that
// question.
class ModelessMsgBox
{
    Q_DECLARE_TR_FUNCTIONS(ModelessMsgBox)

public:
    static constexpr int MaxListed = 50;
    // A joined box shows what came within this time at once.
    static constexpr int RefreshMs = 100;

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

    // A Yes/No question (Yes the default) of a kind that may come many times
    // over with another table or player in it. While a question of the same
    // title is open in the same window, this one joins it: that box then
    // lists them all, each answered on its own (QuestionListBox). Asked
    // again while open, it is that question. At most MaxAskedBoxes such
    // boxes are open at once; further kinds, and questions past a full
    // list, wait for room, MaxWaiting at most. answer is called once: with
    // Yes or No, or with NoButton when the question went unanswered (its
    // box was closed, it was a repeat, or nothing could take it).
    static constexpr int MaxAskedBoxes = 4;
    static constexpr int MaxWaiting = 1000;
    static void ask(QWidget *parent, const QString &title, const QString &text, std::function<void(int)> answer);

    // Calls callback once, when the box closes, with the standard button that
    // closed it (QMessageBox::NoButton when none did). Every callback of a
    // notice hears its Ok; a question is answered once: its first callback
    // hears the answer, those of its repeats NoButton.
    static void onFinished(QMessageBox *box, std::function<void(int)> callback);

private:
    static QMessageBox *show(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
                             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);
};
