#include "widgets/ModelessMsgBox.h"

#include <QAbstractButton>
#include <QPointer>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include <deque>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace {
// A box still open, what makes another box the same, and the messages that
// joined it.
struct OpenBox
{
    QPointer<QMessageBox> box;
    const QWidget *window = nullptr;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    bool finished = false;
    bool answerTaken = false;
    bool refreshPending = false;
    // How often the first message came in a row.
    int firstRepeats = 1;
    // The later messages, each with how often it came in a row.
    std::deque<std::pair<QString, int>> listed;
    int unlisted = 0;
    int later = 0;

    bool isNotice() const { return buttons == QMessageBox::Ok; }
};

std::vector<std::unique_ptr<OpenBox>> &openBoxes()
{
    // Never destroyed: a box without a parent may outlive the statics.
    static auto *boxes = new std::vector<std::unique_ptr<OpenBox>>;
    return *boxes;
}

OpenBox *openBox(const QMessageBox *box)
{
    if (!box)
        return nullptr;
    for (const auto &open : openBoxes()) {
        if (open->box == box)
            return open.get();
    }
    return nullptr;
}

// Counts are shown, not summed further, once they could overflow.
void countUp(int &count)
{
    if (count < std::numeric_limits<int>::max())
        ++count;
}

QString timesText(int count)
{
    return ModelessMsgBox::tr("(%Ln times)", nullptr, count);
}

void refresh(OpenBox &open)
{
    open.refreshPending = false;
    if (!open.box)
        return;
    QString text = open.text;
    if (open.firstRepeats > 1)
        text += QStringLiteral("\n\n") + timesText(open.firstRepeats);
    open.box->setText(text);
    if (open.later == 0)
        return;
    open.box->setInformativeText(
        ModelessMsgBox::tr("%Ln more message(s), listed in the details.", nullptr, open.later));
    QStringList parts;
    if (open.unlisted > 0)
        parts << ModelessMsgBox::tr("%Ln earlier message(s) not listed.", nullptr, open.unlisted);
    for (const auto &[message, count] : open.listed)
        parts << (count > 1 ? message + QLatin1Char('\n') + timesText(count) : message);
    // Where the player reads the details stays in place.
    auto *details = open.box->findChild<QTextEdit *>();
    const int position = details ? details->verticalScrollBar()->value() : 0;
    open.box->setDetailedText(parts.join(QStringLiteral("\n\n")));
    if (!details)
        details = open.box->findChild<QTextEdit *>();
    if (details)
        details->verticalScrollBar()->setValue(position);
}

void add(OpenBox &open, const QString &text)
{
    if (open.later == 0 && text == open.text) {
        countUp(open.firstRepeats);
    } else {
        countUp(open.later);
        if (!open.listed.empty() && open.listed.back().first == text) {
            countUp(open.listed.back().second);
        } else {
            open.listed.emplace_back(text, 1);
            if (open.listed.size() > size_t(ModelessMsgBox::MaxListed)) {
                open.unlisted += open.listed.front().second;
                open.listed.pop_front();
            }
        }
    }
    if (open.refreshPending)
        return;
    open.refreshPending = true;
    QTimer::singleShot(ModelessMsgBox::RefreshMs, open.box, [box = open.box] {
        if (OpenBox *again = openBox(box))
            refresh(*again);
    });
}
} // namespace

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
    const QWidget *window = parent ? parent->window() : nullptr;
    for (const auto &open : openBoxes()) {
        if (!open->box || open->finished || open->window != window || open->icon != icon || open->title != title
            || open->buttons != buttons)
            continue;
        if (open->isNotice()) {
            add(*open, text);
            return open->box;
        }
        if (open->text == text)
            return open->box;
    }

    auto *box = new QMessageBox(icon, title, text, buttons, parent);
    box->setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(defaultButton);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);

    auto open = std::make_unique<OpenBox>();
    open->box = box;
    open->window = window;
    open->icon = icon;
    open->title = title;
    open->text = text;
    open->buttons = buttons;
    OpenBox *entry = open.get();
    openBoxes().push_back(std::move(open));
    // Connected before any callback: what closes now takes no new message.
    QObject::connect(box, &QDialog::finished, box, [entry] { entry->finished = true; });
    QObject::connect(box, &QObject::destroyed, [entry] {
        auto &boxes = openBoxes();
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            if (it->get() == entry) {
                boxes.erase(it);
                break;
            }
        }
    });

    box->show();
    box->raise();
    if (parent) {
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
        if (OpenBox *open = openBox(guard); open && !open->isNotice()) {
            if (open->answerTaken)
                button = QMessageBox::NoButton;
            open->answerTaken = true;
        }
        callback(button);
    });
}
