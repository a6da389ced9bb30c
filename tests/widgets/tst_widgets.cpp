#include "widgets/AutoCenterToParent.h"
#include "widgets/BugfixWidget.h"
#include "widgets/MahjongDialog.h"
#include "widgets/ModelessMsgBox.h"
#include "widgets/QuestionListBox.h"
#include "widgets/RichTextLabel.h"
#include "widgets/ULabel.h"
#include "widgets/UPushButton.h"
#include "widgets/UStackedWidget.h"
#include "widgets/UTabWidget.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>
#include <QtTest>

namespace {
class StubbornDialog : public MahjongDialog
{
public:
    using MahjongDialog::MahjongDialog;
    bool allowClose = false;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        if (allowClose)
            event->accept();
        else
            event->ignore();
    }
};

QWidget *part(QWidget *dialog, const char *name)
{
    return dialog->findChild<QWidget *>(QLatin1String(name));
}
} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void dialogFlags()
    {
        QWidget parent;
        MahjongDialog withClose(&parent, MahjongDialog::ShowCloseButton);
        MahjongDialog plain(&parent, 0);
        MahjongDialog bare(&parent, MahjongDialog::ShowCloseButton | MahjongDialog::HideTitleBar);
        for (MahjongDialog *dialog : {&withClose, &plain, &bare}) {
            QVERIFY(part(dialog, "topBar"));
            QVERIFY(part(dialog, "titleText"));
            QVERIFY(part(dialog, "closeButton"));
        }
        QVERIFY(part(&withClose, "closeButton")->isVisibleTo(&withClose));
        QVERIFY(part(&withClose, "topBar")->isVisibleTo(&withClose));
        QVERIFY(!part(&plain, "closeButton")->isVisibleTo(&plain));
        QVERIFY(part(&plain, "topBar")->isVisibleTo(&plain));
        QVERIFY(!part(&bare, "topBar")->isVisibleTo(&bare));
        QVERIFY(!withClose.isWindow()); // drawn inside its parent
    }

    void dialogTitleAndContent()
    {
        QWidget parent;
        parent.resize(800, 600);
        parent.show();
        MahjongDialog dialog(&parent);
        auto *title = qobject_cast<QLabel *>(part(&dialog, "titleText"));
        dialog.setWindowTitle("Scores");
        QCOMPARE(title->text(), QStringLiteral("Scores"));

        auto *content = new QWidget;
        content->setWindowTitle("Washout");
        dialog.setWidget(content);
        QCOMPARE(content->parentWidget(), &dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Washout"));
        QCOMPARE(title->text(), QStringLiteral("Washout"));
        content->setWindowTitle("Washout!");
        QCOMPARE(title->text(), QStringLiteral("Washout!"));

        dialog.showDialog(false);
        QVERIFY(dialog.isVisible());
        content->hide();
        QVERIFY(!dialog.isVisible());
        dialog.showDialog(false);
        QVERIFY(dialog.isVisible());
        QVERIFY(content->isVisible());
        content->close();
        QVERIFY(!dialog.isVisible());
        dialog.showDialog(false);
        QVERIFY(content->isVisible());
    }

    void dialogCloseButtonGoesThroughCloseEvent()
    {
        QWidget parent;
        parent.resize(400, 300);
        parent.show();
        StubbornDialog dialog(&parent);
        dialog.showDialog();
        auto *close = qobject_cast<QPushButton *>(part(&dialog, "closeButton"));
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(dialog.isVisible()); // the subclass refused
        dialog.allowClose = true;
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void dialogCentresAndFollowsParent()
    {
        QWidget parent;
        parent.resize(801, 601);
        parent.show();
        MahjongDialog dialog(&parent);
        dialog.setFixedSize(200, 101);
        dialog.showDialog(true);
        QCOMPARE(dialog.pos(), QPoint(300, 250)); // integer halves
        new AutoCenterToParent(&dialog);
        parent.resize(1000, 700);
        QTRY_COMPARE(dialog.pos(), QPoint(400, 299));
        dialog.move(0, 0);
        dialog.showDialog(false);
        QCOMPARE(dialog.pos(), QPoint(0, 0));
    }

    void autoCenterWorksForPlainWidgets()
    {
        QWidget parent;
        parent.resize(300, 300);
        parent.show();
        QWidget child(&parent);
        child.setFixedSize(100, 50);
        child.show();
        new AutoCenterToParent(&child);
        parent.resize(500, 400);
        QTRY_COMPARE(child.pos(), QPoint(200, 175));
    }

    void dialogDragStaysInsideParent()
    {
        QWidget parent;
        parent.resize(600, 400);
        parent.show();
        MahjongDialog dialog(&parent);
        dialog.setFixedSize(200, 100);
        dialog.showDialog(true);
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QWidget *bar = part(&dialog, "topBar");
        const QPoint grip(5, 5);
        const QPoint start = dialog.pos();
        QTest::mousePress(bar, Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)),
                         QPointF(bar->mapToGlobal(grip + QPoint(30, 20))), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(bar, &move);
        QCOMPARE(dialog.pos(), start + QPoint(30, 20));
        QMouseEvent far(QEvent::MouseMove, QPointF(grip + QPoint(5000, 5000)),
                        QPointF(bar->mapToGlobal(grip) + QPoint(5000, 5000)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(bar, &far);
        QCOMPARE(dialog.pos(), QPoint(400, 300));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grip);
    }

    void messageBoxIsModelessAndPlain()
    {
        QWidget parent;
        parent.resize(400, 300);
        parent.show();
        QPointer<QMessageBox> box = ModelessMsgBox::warning(&parent, "Title", "<b>not bold</b>",
                                                            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->windowTitle(), QStringLiteral("Title"));
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
        QVERIFY(box->testAttribute(Qt::WA_DeleteOnClose));
        box->close();
        QTRY_VERIFY(box.isNull());

        QCOMPARE(ModelessMsgBox::information(nullptr, "t", "x")->icon(), QMessageBox::Information);
        QCOMPARE(ModelessMsgBox::critical(nullptr, "t", "x")->icon(), QMessageBox::Critical);
        QCOMPARE(ModelessMsgBox::question(nullptr, "t", "x")->icon(), QMessageBox::Question);
    }

    void messageBoxCallbackOnce()
    {
        QList<int> answers;
        QPointer<QMessageBox> box = ModelessMsgBox::question(nullptr, "Quit", "Really?");
        ModelessMsgBox::onFinished(box, [&answers](int button) { answers << button; });
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        QTRY_VERIFY(box.isNull());
        QCOMPARE(answers, QList<int>{QMessageBox::Yes});

        QPointer<QMessageBox> ok = ModelessMsgBox::information(nullptr, "Note", "Done");
        ModelessMsgBox::onFinished(ok, [&answers](int button) { answers << button; });
        QTest::mouseClick(ok->button(QMessageBox::Ok), Qt::LeftButton);
        QTRY_VERIFY(ok.isNull());
        QCOMPARE(answers, (QList<int>{QMessageBox::Yes, QMessageBox::Ok}));
        QCOMPARE(int(QMessageBox::Ok), 1024);
        QCOMPARE(int(QMessageBox::Yes), 16384);
    }

    // Repeats join the open box: every caller of a notice hears its Ok, a
    // question is answered once; another window, icon or text is another box.
    void repeatedBoxesJoinTheOpenOne()
    {
        QWidget window;
        auto *page = new QWidget(&window);
        QList<int> answers;
        QPointer<QMessageBox> note = ModelessMsgBox::information(&window, "Note", "one");
        ModelessMsgBox::onFinished(note, [&answers](int button) { answers << button; });
        QCOMPARE(ModelessMsgBox::information(page, "Note", "two"), note.data());
        ModelessMsgBox::onFinished(note, [&answers](int button) { answers << button; });
        QVERIFY(ModelessMsgBox::warning(&window, "Note", "three") != note);
        QWidget other;
        QVERIFY(ModelessMsgBox::information(&other, "Note", "four") != note);

        QPointer<QMessageBox> ask = ModelessMsgBox::question(&window, "Ask", "Sure?");
        QCOMPARE(ModelessMsgBox::question(&window, "Ask", "Sure?"), ask.data());
        QVERIFY(ModelessMsgBox::question(&window, "Ask", "Really sure?") != ask);
        for (int i = 0; i < 2; ++i)
            ModelessMsgBox::onFinished(ask, [&answers](int button) { answers << button; });
        QTest::mouseClick(ask->button(QMessageBox::Yes), Qt::LeftButton);
        QTRY_VERIFY(ask.isNull());
        QCOMPARE(answers, (QList<int>{QMessageBox::Yes, QMessageBox::NoButton}));
        QTRY_COMPARE(note->informativeText(), QStringLiteral("1 more message(s), listed in the details."));
        QCOMPARE(note->detailedText(), QStringLiteral("two"));
        QTest::mouseClick(note->button(QMessageBox::Ok), Qt::LeftButton);
        QTRY_VERIFY(note.isNull());
        QCOMPARE(answers, (QList<int>{QMessageBox::Yes, QMessageBox::NoButton, QMessageBox::Ok, QMessageBox::Ok}));
        // A closed box takes nothing more.
        QMessageBox *next = ModelessMsgBox::information(&window, "Note", "five");
        QCOMPARE(next->text(), QStringLiteral("five"));
        QCOMPARE(next->informativeText(), QString());
    }

    // Questions of one title in one window share a box that lists them,
    // each answered on its own; only so many boxes open at once, and the
    // questions that find no room wait for it.
    void askedQuestionsShareABoxAndWaitForRoom()
    {
        QWidget window;
        window.resize(600, 400);
        window.show();
        QMap<QString, int> answers;
        const auto ask = [&](const QString &title, const QString &text) {
            ModelessMsgBox::ask(&window, title, text, [&answers, text](int button) { answers[text] = button; });
        };
        const auto lists = [&window] { return window.findChildren<QuestionListBox *>(); };

        ask("Rejoin Table", "Rejoin 1?");
        QPointer<QMessageBox> single = window.findChild<QMessageBox *>();
        QVERIFY(single && single->isVisible());
        QCOMPARE(single->defaultButton(), single->button(QMessageBox::Yes));
        ask("Rejoin Table", "Rejoin 2?");
        ask("Rejoin Table", "Rejoin 3?");
        ask("Rejoin Table", "Rejoin 2?"); // a repeat is that question
        QCOMPARE(answers.value("Rejoin 2?", -1), int(QMessageBox::NoButton));
        answers.clear();
        QTRY_VERIFY(!single);
        QCOMPARE(lists().size(), 1);
        QPointer<QuestionListBox> list = lists().first();
        auto *rows = list->findChild<QListWidget *>(QStringLiteral("questionList"));
        QCOMPARE(rows->count(), 3);
        QCOMPARE(rows->item(0)->text(), QStringLiteral("Rejoin 1?"));

        // Yes and No answer the chosen ones; No to All the rest.
        auto *buttons = list->findChild<QDialogButtonBox *>();
        rows->clearSelection();
        rows->item(1)->setSelected(true);
        buttons->button(QDialogButtonBox::Yes)->click();
        QCOMPARE(answers, (QMap<QString, int>{{"Rejoin 2?", QMessageBox::Yes}}));
        rows->clearSelection();
        rows->item(0)->setSelected(true);
        buttons->button(QDialogButtonBox::No)->click();
        QCOMPARE(rows->count(), 1);
        buttons->button(QDialogButtonBox::NoToAll)->click();
        QCOMPARE(answers,
                 (QMap<QString, int>{
                     {"Rejoin 1?", QMessageBox::No}, {"Rejoin 2?", QMessageBox::Yes}, {"Rejoin 3?", QMessageBox::No}}));
        QTRY_VERIFY(!list);

        // Six kinds: four boxes; closing one lets the next kind in, and a
        // waiting question of an open kind joins it.
        answers.clear();
        for (int kind = 1; kind <= 6; ++kind)
            ask(QStringLiteral("Kind %1").arg(kind), QStringLiteral("Question %1a").arg(kind));
        ask("Kind 1", "Question 1b");
        ask("Kind 6", "Question 6b");
        const auto open = [&window] {
            QStringList titles;
            for (QWidget *box : window.findChildren<QDialog *>())
                if (box->isVisible())
                    titles << box->windowTitle();
            titles.sort();
            return titles;
        };
        QTRY_COMPARE(open(), (QStringList{"Kind 1", "Kind 2", "Kind 3", "Kind 4"}));
        QCOMPARE(lists().size(), 1); // kind 1 took its second question
        QMessageBox *second = nullptr;
        for (QMessageBox *box : window.findChildren<QMessageBox *>())
            second = box->windowTitle() == QLatin1String("Kind 2") ? box : second;
        QVERIFY(second);
        second->button(QMessageBox::No)->click();
        QTRY_COMPARE(open(), (QStringList{"Kind 1", "Kind 3", "Kind 4", "Kind 5"}));
        lists().first()->close(); // closed unanswered
        QTRY_COMPARE(open(), (QStringList{"Kind 3", "Kind 4", "Kind 5", "Kind 6"}));
        QTRY_COMPARE(lists().size(), 1);
        QCOMPARE(lists().first()->count(), 2);
        QCOMPARE(answers, (QMap<QString, int>{{"Question 1a", QMessageBox::NoButton},
                                              {"Question 1b", QMessageBox::NoButton},
                                              {"Question 2a", QMessageBox::No}}));
        for (QDialog *box : window.findChildren<QDialog *>())
            box->close();
    }

    void labelElides()
    {
        ULabel label;
        label.setFixedWidth(60);
        label.show();
        const QString text = QStringLiteral("A rather long table name that cannot fit");
        label.setText(text);
        QCOMPARE(label.fullText(), text);
        QCOMPARE(label.toolTip(), Qt::convertFromPlainText(text)); // never read as markup
        QVERIFY(label.text() != text);
        QVERIFY(label.text().endsWith(QChar(0x2026)));
        QVERIFY(label.fontMetrics().horizontalAdvance(label.text()) <= 60);

        label.setElideMode(Qt::ElideLeft);
        QVERIFY(label.text().startsWith(QChar(0x2026)));
        QCOMPARE(label.property("elideMode").value<Qt::TextElideMode>(), Qt::ElideLeft);

        label.setFixedWidth(label.fontMetrics().horizontalAdvance(text) + 10);
        QTRY_COMPARE(label.text(), text);
        ULabel withText("short", nullptr);
        QCOMPARE(withText.fullText(), QStringLiteral("short"));
    }

    void pushButtonCarriesId()
    {
        UPushButton button("Pong", nullptr);
        QCOMPARE(button.id(), -1);
        button.setId(8);
        QSignalSpy withId(&button, qOverload<qint32>(&UPushButton::clicked));
        QSignalSpy plain(&button, &QAbstractButton::clicked);
        button.click();
        QCOMPARE(withId.count(), 1);
        QCOMPARE(withId.first().first().toInt(), 8);
        QCOMPARE(plain.count(), 1);
        // String-based connections see the same signal.
        QSignalSpy byName(&button, SIGNAL(clicked(qint32)));
        button.click();
        QCOMPARE(byName.count(), 1);
    }

    void stackSizeFollowsCurrentPage()
    {
        UStackedWidget stack;
        auto *small = new QWidget;
        small->setFixedSize(50, 40);
        auto *large = new QWidget;
        large->setFixedSize(500, 400);
        stack.addWidget(small);
        stack.addWidget(large);
        QCOMPARE(stack.sizeHint(), small->sizeHint());
        stack.setCurrentIndex(1);
        QCOMPARE(stack.sizeHint(), large->sizeHint());
    }

    void tabs()
    {
        UTabWidget tabs;
        QSignalSpy changed(&tabs, &UTabWidget::currentChanged);
        QCOMPARE(tabs.addTab(new QWidget, "Lobby"), 0);
        QCOMPARE(tabs.addTab(new QWidget, "Tournaments"), 1);
        tabs.setCurrentIndex(1);
        QCOMPARE(tabs.currentIndex(), 1);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().first().toInt(), 1);
    }

    // The label that lays its rich text out once must answer the hints and
    // paint the pixels of a plain QLabel with the same text and settings.
    void richTextLabelMatchesQLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("styleSheet");
        const QString table = QStringLiteral(
            "<table border=\"0\" width=\"100%\"><tr><td align=\"left\">Settlement</td><td align=\"right\">"
            "-12,000</td></tr>\n<tr><td align=\"left\">Current Score</td><td align=\"right\">13,000</td></tr>\n"
            "<tr><td align=\"left\">Payment</td><td align=\"right\">$0</td></tr>\n</table>");
        const int leftCentred = int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("table, hint size") << table << 4 << leftCentred << QSize() << QString();
        QTest::newRow("table, wider and taller") << table << 4 << leftCentred << QSize(260, 90) << QString();
        QTest::newRow("table, styled") << table << 4 << leftCentred << QSize(200, 70)
                                       << QStringLiteral("color: #f3e9c6; background: #114c3a;");
        QTest::newRow("bold line at the bottom")
            << QStringLiteral("<b>One</b> line") << 0 << int(Qt::AlignRight | Qt::AlignBottom) << QSize(120, 40)
            << QString();
    }

    void richTextLabelMatchesQLabel()
    {
        QFETCH(QString, text);
        QFETCH(int, margin);
        QFETCH(int, alignment);
        QFETCH(QSize, size);
        QFETCH(QString, styleSheet);
        QLabel plain;
        RichTextLabel laidOut;
        for (QLabel *label : {&plain, static_cast<QLabel *>(&laidOut)}) {
            label->setTextFormat(Qt::RichText);
            label->setMargin(margin);
            label->setAlignment(Qt::Alignment(alignment));
            label->setStyleSheet(styleSheet);
            label->setText(text);
        }
        QCOMPARE(laidOut.sizeHint(), plain.sizeHint());
        QCOMPARE(laidOut.minimumSizeHint(), plain.minimumSizeHint());
        const QSize shown = size.isValid() ? size : plain.sizeHint();
        plain.resize(shown);
        laidOut.resize(shown);
        const QImage expected = plain.grab().toImage();
        QCOMPARE(laidOut.grab().toImage(), expected);
        // A new text is laid out anew.
        plain.setText(QStringLiteral("<i>Other</i>"));
        laidOut.setText(QStringLiteral("<i>Other</i>"));
        QCOMPARE(laidOut.sizeHint(), plain.sizeHint());
        QCOMPARE(laidOut.grab().toImage(), plain.grab().toImage());
    }

    void bugfixWidgetDrawsStyleSheetBackground()
    {
        BugfixWidget fixed;
        fixed.setStyleSheet("background-color: rgb(200, 10, 20);");
        fixed.resize(20, 20);
        const QImage image = fixed.grab().toImage();
        QCOMPARE(image.pixelColor(10, 10), QColor(200, 10, 20));
    }
};

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
