#include "widgets/QuestionListBox.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
constexpr int idRole = Qt::UserRole;
constexpr int textRole = Qt::UserRole + 1;
// The list shows this many rows before it scrolls.
constexpr int shownRows = 8;
} // namespace

QuestionListBox::QuestionListBox(QWidget *parent, const QString &title)
    : QDialog(parent)
    , m_icon(new QLabel(this))
    , m_heading(new QLabel(this))
    , m_list(new QListWidget(this))
    , m_buttons(new QDialogButtonBox(this))
{
    setObjectName(QStringLiteral("questionListBox"));
    setWindowTitle(title);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(side, side));
    m_icon->setAlignment(Qt::AlignTop);
    m_heading->setObjectName(QStringLiteral("questionListHeading"));
    m_heading->setWordWrap(true);
    m_heading->setTextFormat(Qt::PlainText);
    m_list->setObjectName(QStringLiteral("questionList"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setAlternatingRowColors(true);
    m_list->setWordWrap(true);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setMinimumWidth(440);

    m_buttons->setStandardButtons(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::NoToAll);
    m_buttons->button(QDialogButtonBox::Yes)->setDefault(true);
    connect(m_buttons->button(QDialogButtonBox::Yes), &QAbstractButton::clicked, this,
            [this] { answerChosen(QMessageBox::Yes, false); });
    connect(m_buttons->button(QDialogButtonBox::No), &QAbstractButton::clicked, this,
            [this] { answerChosen(QMessageBox::No, false); });
    connect(m_buttons->button(QDialogButtonBox::NoToAll), &QAbstractButton::clicked, this,
            [this] { answerChosen(QMessageBox::No, true); });
    // Yes and No answer what is chosen: with nothing chosen they wait.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const bool chosen = !m_list->selectedItems().isEmpty();
        m_buttons->button(QDialogButtonBox::Yes)->setEnabled(chosen);
        m_buttons->button(QDialogButtonBox::No)->setEnabled(chosen);
    });

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addWidget(m_icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(m_heading, 0, 1);
    grid->addWidget(m_list, 1, 1);
    grid->addWidget(m_buttons, 2, 0, 1, 2);
    retranslate();
}

QuestionListBox::~QuestionListBox() = default;

bool QuestionListBox::add(const QString &text, Answer answer)
{
    if (count() >= MaxListed)
        return false;
    const quint64 id = m_nextId++;
    // One question a row, however many lines it has in a box of its own.
    auto *item = new QListWidgetItem(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')), m_list);
    item->setData(idRole, id);
    item->setData(textRole, text);
    m_texts.insert(text);
    m_answers.emplace(id, std::move(answer));
    // The first stays chosen, so that Yes answers it as in a single box.
    if (m_list->count() == 1) {
        m_list->setCurrentItem(item);
        item->setSelected(true);
    }
    // Many come at once: the count is written once they are in.
    if (!m_headingPending) {
        m_headingPending = true;
        QTimer::singleShot(0, this, [this] {
            m_headingPending = false;
            retranslate();
        });
    }
    return true;
}

bool QuestionListBox::lists(const QString &text) const
{
    return m_texts.contains(text);
}

int QuestionListBox::count() const
{
    return m_list->count();
}

void QuestionListBox::answerChosen(int button, bool everything)
{
    std::vector<Answer> answers;
    int next = -1;
    for (int row = m_list->count() - 1; row >= 0; --row) {
        QListWidgetItem *item = m_list->item(row);
        if (!everything && !item->isSelected())
            continue;
        next = row;
        m_texts.remove(item->data(textRole).toString());
        const auto it = m_answers.find(item->data(idRole).toULongLong());
        if (it != m_answers.end()) {
            answers.push_back(std::move(it->second));
            m_answers.erase(it);
        }
        delete item;
    }
    // What is left to answer next is where the answered ones were.
    if (m_list->count() > 0) {
        QListWidgetItem *item = m_list->item(std::clamp(next, 0, m_list->count() - 1));
        m_list->setCurrentItem(item);
        item->setSelected(true);
    }
    retranslate();
    const bool empty = m_list->count() == 0;
    if (empty)
        QDialog::done(button == QMessageBox::Yes ? Accepted : Rejected);
    // In the order they were asked; an answer may open a table page or a
    // box of its own.
    for (auto it = answers.rbegin(); it != answers.rend(); ++it)
        (*it)(button);
    emit answered();
}

void QuestionListBox::done(int result)
{
    // Closed without an answer (the window's close button, Escape): the
    // rest stays unanswered.
    if (m_list->count() > 0) {
        std::vector<Answer> answers;
        for (int row = 0; row < m_list->count(); ++row) {
            const auto it = m_answers.find(m_list->item(row)->data(idRole).toULongLong());
            if (it != m_answers.end())
                answers.push_back(std::move(it->second));
        }
        m_answers.clear();
        m_texts.clear();
        m_list->clear();
        QDialog::done(result);
        for (const Answer &answer : answers)
            answer(QMessageBox::NoButton);
        emit answered();
        return;
    }
    QDialog::done(result);
}

void QuestionListBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void QuestionListBox::retranslate()
{
    m_heading->setText(tr("%n question(s) wait for your answer. Choose one or more, then answer Yes or No.", nullptr,
                          m_list->count()));
    // As high as its rows, up to a few: no empty space below two questions.
    int height = 2 * m_list->frameWidth();
    for (int row = 0; row < std::min(m_list->count(), shownRows); ++row)
        height += m_list->sizeHintForRow(row);
    m_list->setFixedHeight(std::max(height, m_list->fontMetrics().height() * 3));
    adjustSize();
}
