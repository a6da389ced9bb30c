#pragma once

#include <QDialog>
#include <QSet>

#include <functional>
#include <unordered_map>

class QDialogButtonBox;
class QLabel;
class QListWidget;

// Questions of one kind that came while the first was still open (rejoin
// this table? join that player's table?), in one box. Each is listed and
// answered on its own: the player chooses one or more and answers Yes or
// No; "No to All" or closing the box answers the rest. The box closes
// when nothing is left to answer.
class QuestionListBox : public QDialog
{
    Q_OBJECT

public:
    // A box lists at most this many questions; the caller keeps the rest.
    static constexpr int MaxListed = 1000;
    // Called once with QMessageBox::Yes or No, or NoButton when the box was
    // closed without an answer.
    using Answer = std::function<void(int)>;

    QuestionListBox(QWidget *parent, const QString &title);
    ~QuestionListBox() override;

    // False when the box is full.
    bool add(const QString &text, Answer answer);
    bool lists(const QString &text) const;
    int count() const;

    void done(int result) override;

signals:
    // Some of the questions were answered: there is room again.
    void answered();

protected:
    void changeEvent(QEvent *event) override;

private:
    // Answers the chosen questions (all with everything) with button.
    void answerChosen(int button, bool everything);
    void retranslate();

    QLabel *m_icon;
    QLabel *m_heading;
    QListWidget *m_list;
    QDialogButtonBox *m_buttons;
    quint64 m_nextId = 0;
    bool m_headingPending = false;
    std::unordered_map<quint64, Answer> m_answers;
    QSet<QString> m_texts;
};
