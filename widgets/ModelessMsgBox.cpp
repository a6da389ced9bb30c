#include "widgets/ModelessMsgBox.h"

#include "widgets/Logging.h"
#include "widgets/QuestionListBox.h"

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

// Questions asked with ask(): the box of each kind open, and those waiting
// for room.
struct Asked
{
    QPointer<QWidget> parent;
    QString title;
    QString text;
    std::function<void(int)> answer;
};

struct AskedBox
{
    const QWidget *window = nullptr;
    QString title;
    // One question: a plain question box.
    QPointer<QMessageBox> single;
    QString singleText;
    std::function<void(int)> singleAnswer;
    // Several: the list they moved to.
    QPointer<QuestionListBox> list;
};

std::vector<std::unique_ptr<AskedBox>> &askedBoxes()
{
    static auto *boxes = new std::vector<std::unique_ptr<AskedBox>>;
    return *boxes;
}

std::deque<Asked> &waitingQuestions()
{
    static auto *waiting = new std::deque<Asked>;
    return *waiting;
}

void forget(AskedBox *entry)
{
    auto &boxes = askedBoxes();
    for (auto it = boxes.begin(); it != boxes.end(); ++it) {
        if (it->get() == entry) {
            boxes.erase(it);
            return;
        }
    }
}

void askWaiting();

// Later, when the box that made room has finished its own work.
void askWaitingSoon()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] { askWaiting(); });
}

void centre(QWidget *box, QWidget *parent)
{
    if (!parent)
        return;
    const QWidget *window = parent->window();
    const QPoint middle = window->mapToGlobal(window->rect().center());
    box->move(middle - box->rect().center());
}

// The single question of entry and the new one move to a list in its place.
void moveToList(AskedBox *entry, QWidget *parent, const QString &text, std::function<void(int)> answer)
{
    QPointer<QMessageBox> single = entry->single;
    auto *list = new QuestionListBox(parent, entry->title);
    list->add(entry->singleText, std::move(entry->singleAnswer));
    list->add(text, std::move(answer));
    entry->single = nullptr;
    entry->list = list;
    QObject::connect(list, &QuestionListBox::answered, list, [] { askWaitingSoon(); });
    QObject::connect(list, &QObject::destroyed, [entry] {
        forget(entry);
        askWaitingSoon();
    });
    list->show();
    list->adjustSize();
    if (single && single->isVisible()) {
        const QPoint middle = single->frameGeometry().center();
        list->move(middle - list->rect().center());
    } else {
        centre(list, parent);
    }
    list->raise();
    if (single) {
        // Gone without an answer: its question and its entry live on in
        // the list.
        QObject::disconnect(single, &QDialog::finished, nullptr, nullptr);
        QObject::disconnect(single, &QObject::destroyed, nullptr, nullptr);
        single->hide();
        single->deleteLater();
    }
}

// False when the question needs room that is not there.
bool tryAsk(Asked &asked)
{
    QWidget *parent = asked.parent;
    const QWidget *window = parent ? parent->window() : nullptr;
    for (const auto &open : askedBoxes()) {
        if (open->window != window || open->title != asked.title)
            continue;
        if (open->single) {
            if (open->singleText == asked.text)
                asked.answer(QMessageBox::NoButton);
            else
                moveToList(open.get(), parent, asked.text, std::move(asked.answer));
            return true;
        }
        if (open->list) {
            if (open->list->lists(asked.text)) {
                asked.answer(QMessageBox::NoButton);
                return true;
            }
            if (open->list->count() >= QuestionListBox::MaxListed)
                return false;
            open->list->add(asked.text, std::move(asked.answer));
            return true;
        }
    }
    if (askedBoxes().size() >= size_t(ModelessMsgBox::MaxAskedBoxes))
        return false;

    auto *box = new QMessageBox(QMessageBox::Question, asked.title, asked.text, QMessageBox::Yes | QMessageBox::No,
                                parent);
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Yes);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    auto entry = std::make_unique<AskedBox>();
    entry->window = window;
    entry->title = asked.title;
    entry->single = box;
    entry->singleText = asked.text;
    entry->singleAnswer = std::move(asked.answer);
    AskedBox *kept = entry.get();
    askedBoxes().push_back(std::move(entry));
    QPointer<QMessageBox> guard(box);
    QObject::connect(box, &QDialog::finished, box, [kept, guard](int result) {
        int button = QMessageBox::NoButton;
        if (guard) {
            if (QAbstractButton *clicked = guard->clickedButton())
                button = guard->standardButton(clicked);
            else if (guard->button(QMessageBox::StandardButton(result)))
                button = result;
        }
        std::function<void(int)> answer = std::move(kept->singleAnswer);
        kept->single = nullptr;
        if (answer)
            answer(button);
    });
    QObject::connect(box, &QObject::destroyed, [kept] {
        forget(kept);
        askWaitingSoon();
    });
    box->show();
    box->raise();
    centre(box, parent);
    return true;
}

void askWaiting()
{
    auto &waiting = waitingQuestions();
    while (!waiting.empty()) {
        Asked &next = waiting.front();
        if (!next.parent) {
            // Its window is gone: nobody is left to ask.
            std::function<void(int)> answer = std::move(next.answer);
            waiting.pop_front();
            answer(QMessageBox::NoButton);
            continue;
        }
        if (!tryAsk(next))
            return;
        waiting.pop_front();
    }
}
} // namespace

void ModelessMsgBox::ask(QWidget *parent, const QString &title, const QString &text, std::function<void(int)> answer)
{
    Asked asked{parent, title, text, std::move(answer)};
    // A question joins the open box of its kind at once; one that needs a
    // box of its own comes after those that waited first.
    const QWidget *window = parent ? parent->window() : nullptr;
    bool kindOpen = false;
    for (const auto &open : askedBoxes())
        kindOpen = kindOpen || (open->window == window && open->title == title && (open->single || open->list));
    if ((kindOpen || waitingQuestions().empty()) && tryAsk(asked))
        return;
    // Said once for each run of questions that find no room.
    static qint64 notAsked = 0;
    if (waitingQuestions().size() >= size_t(MaxWaiting)) {
        if (notAsked++ == 0)
            qCWarning(lcWidgets) << "too many questions wait for an answer: not asking" << title << ":" << text
                                 << "nor any other until there is room";
        asked.answer(QMessageBox::NoButton);
        return;
    }
    if (notAsked > 0) {
        qCWarning(lcWidgets) << notAsked << "questions were not asked for want of room";
        notAsked = 0;
    }
    waitingQuestions().push_back(std::move(asked));
}

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
