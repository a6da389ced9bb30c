// The chat log on its own: date lines by the local day, plain text from
// players, links that carry any nick, the bounded log, whole lines on the
// screen after scrolls, and the conference pane's texts for what the room
// reports (masks, kicks, bans, errors).
#include "protocol/ServerTime.h"
#include "social/ChatOutputWidget.h"
#include "social/ConferenceWidget.h"
#include "widgets/Utils.h"
#include "xmpp/elements/DelayedDeliveryInfo.h"
#include "xmpp/elements/XMPPMessage.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <functional>

class TestChatOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dateLines_data();
    void dateLines();
    void textFromPlayersIsPlain();
    void nickLinks_data();
    void nickLinks();
    void boundedLog();
    void heldSliderKeepsView();
    void scrolledViewIsFreshPaint_data();
    void scrolledViewIsFreshPaint();
    void notices_data();
    void notices();
    void errors_data();
    void errors();
    void receivedMessages();
    void inputLine();

private:
    static QStringList lines(const ChatOutputWidget &out) { return out.toPlainText().split(QLatin1Char('\n')); }
};

void TestChatOutput::initTestCase()
{
    // Days are the reader's: a zone far from UTC shows the difference.
    qputenv("TZ", "Asia/Tokyo");
    ServerTime::instance().setEstimate(QDateTime(QDate(2026, 5, 10), QTime(12, 0), Qt::UTC));
}

void TestChatOutput::dateLines_data()
{
    QTest::addColumn<QList<QDateTime>>("times");
    QTest::addColumn<int>("dateLines");
    const auto utc = [](int day, int hour) { return QDateTime(QDate(2026, 5, day), QTime(hour, 0), Qt::UTC); };
    QTest::newRow("first line") << QList<QDateTime>{utc(10, 1)} << 1;
    QTest::newRow("same local day") << QList<QDateTime>{utc(10, 1), utc(10, 12)} << 1;
    // 14:00 UTC is the next morning in Tokyo.
    QTest::newRow("local day changes before UTC's") << QList<QDateTime>{utc(10, 1), utc(10, 16)} << 2;
    QTest::newRow("next day") << QList<QDateTime>{utc(10, 1), utc(11, 1)} << 2;
    QTest::newRow("history from earlier days") << QList<QDateTime>{utc(10, 1), utc(8, 1), utc(9, 1)} << 1;
}

void TestChatOutput::dateLines()
{
    QFETCH(QList<QDateTime>, times);
    QFETCH(int, dateLines);
    ChatOutputWidget out;
    for (const QDateTime &time : times)
        out.appendMessage(time, QStringLiteral("amy"), QStringLiteral("hi"));
    QCOMPARE(out.document()->blockCount(), times.size() + dateLines);
    QCOMPARE(lines(out).first(), Utils::localDateTimeString(times.first()));
}

void TestChatOutput::textFromPlayersIsPlain()
{
    ChatOutputWidget out;
    const QString nick = QStringLiteral("<img src=\"/etc/passwd\">");
    const QString text = QStringLiteral("<b>bold</b> & <img src=\"file:///etc/hostname\"> &amp;");
    const QDateTime time(QDate(2026, 5, 10), QTime(3, 0), Qt::UTC);
    out.appendMessage(time, nick, text);
    QCOMPARE(lines(out).at(1), QStringLiteral("(%1) %2: %3").arg(Utils::localTimeString(time), nick, text));
    // Nothing was read as markup: no image, no bold.
    QVERIFY(!out.toHtml().contains(QStringLiteral("<img")));
    QVERIFY(!out.toHtml().contains(QStringLiteral("font-weight:700")));

    // Notices are rich text by contract.
    out.appendSystemMessage(time, QStringLiteral("<b>server</b> notice"));
    QCOMPARE(lines(out).last(), QStringLiteral("server notice"));
    QVERIFY(out.toHtml().contains(QStringLiteral("font-weight:700")));
}

void TestChatOutput::nickLinks_data()
{
    QTest::addColumn<QString>("nick");
    QTest::newRow("plain") << QStringLiteral("Alice");
    QTest::newRow("at sign") << QStringLiteral("bob@alice");
    QTest::newRow("space and case") << QStringLiteral("Big Bob");
    QTest::newRow("CJK") << QStringLiteral("美咲");
    QTest::newRow("markup and quotes") << QStringLiteral("<a href=\"x\">'&'</a>");
    QTest::newRow("slashes and colon") << QStringLiteral("a/b:c?d#e%41");
}

void TestChatOutput::nickLinks()
{
    QFETCH(QString, nick);
    ChatOutputWidget out;
    out.resize(400, 200);
    out.show();
    QVERIFY(QTest::qWaitForWindowExposed(&out));
    out.appendMessage(QDateTime::currentDateTimeUtc(), nick, QStringLiteral("hello"));
    QSignalSpy menu(&out, &ChatOutputWidget::userMenuRequested);

    // The link as the document keeps it, clicked.
    QTextBlock block = out.document()->lastBlock();
    QString href;
    int at = -1;
    for (auto it = block.begin(); !it.atEnd() && href.isEmpty(); ++it) {
        href = it.fragment().charFormat().anchorHref();
        at = it.fragment().position();
    }
    QVERIFY(!href.isEmpty());
    emit out.anchorClicked(QUrl(href));
    QCOMPARE(menu.size(), 1);
    QCOMPARE(menu.at(0).at(0).toString(), nick);

    // A right click on the nick asks for the same menu at the event's place.
    QTextCursor cursor(out.document());
    cursor.setPosition(at + 1);
    const QPoint onNick = out.cursorRect(cursor).center() - QPoint(2, 0);
    QCOMPARE(out.anchorAt(onNick), href);
    QContextMenuEvent event(QContextMenuEvent::Mouse, onNick, out.viewport()->mapToGlobal(onNick));
    QApplication::sendEvent(out.viewport(), &event);
    QCOMPARE(menu.size(), 2);
    QCOMPARE(menu.at(1).at(0).toString(), nick);
    QCOMPARE(menu.at(1).at(1).toPoint(), out.viewport()->mapToGlobal(onNick));

    QCOMPARE(ChatOutputWidget::nickFromUrl(QUrl(QStringLiteral("https://example.org/"))), QString());
}

void TestChatOutput::boundedLog()
{
    ChatOutputWidget out;
    const QDateTime time = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < ChatOutputWidget::MaxLines + 50; ++i)
        out.appendMessage(time, QStringLiteral("amy"), QString::number(i));
    const int kept = out.document()->blockCount();
    QVERIFY2(kept <= ChatOutputWidget::MaxLines && kept >= ChatOutputWidget::MaxLines - ChatOutputWidget::TrimLines,
             qPrintable(QString::number(kept)));
    QCOMPARE(
        lines(out).first(),
        QStringLiteral("(%1) amy: %2").arg(Utils::localTimeString(time)).arg(ChatOutputWidget::MaxLines + 50 - kept));
    QVERIFY(lines(out).last().endsWith(QStringLiteral(": %1").arg(ChatOutputWidget::MaxLines + 49)));

    out.appendMessage(time, QStringLiteral("amy"), QString(5 * ChatOutputWidget::MaxMessageLength, QLatin1Char('x')));
    const QString last = lines(out).last();
    QVERIFY(last.endsWith(QString(ChatOutputWidget::MaxMessageLength, QLatin1Char('x')) + QChar(0x2026)));
}

void TestChatOutput::heldSliderKeepsView()
{
    ChatOutputWidget out;
    out.resize(300, 120);
    out.show();
    QVERIFY(QTest::qWaitForWindowExposed(&out));
    const QDateTime time = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < 40; ++i)
        out.appendMessage(time, QStringLiteral("amy"), QString::number(i));
    QScrollBar *bar = out.verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
    bar->setSliderDown(true);
    bar->setValue(0);
    out.appendMessage(time, QStringLiteral("amy"), QStringLiteral("while held"));
    QCOMPARE(bar->value(), 0);
    bar->setSliderDown(false);
    out.appendMessage(time, QStringLiteral("amy"), QStringLiteral("released"));
    QCOMPARE(bar->value(), bar->maximum());
}

void TestChatOutput::scrolledViewIsFreshPaint_data()
{
    QTest::addColumn<bool>("clientStyle");
    QTest::newRow("without a style sheet") << false;
    QTest::newRow("client style sheet") << true;
}

void TestChatOutput::scrolledViewIsFreshPaint()
{
    QFETCH(bool, clientStyle);
    if (clientStyle) {
        QFile css(QStringLiteral(":/default/defaultui.css"));
        QVERIFY(css.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(css.readAll()));
    }
    const auto plain = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    QWidget window;
    auto *out = new ChatOutputWidget(&window);
    // No whole number of lines fits: the view always cuts one somewhere.
    out->setGeometry(0, 0, 300, 157);
    window.resize(300, 157);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QDateTime time = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < 40; ++i)
        out->appendMessage(time, QStringLiteral("amy"), QStringLiteral("line %1").arg(i));

    // What the screen holds of the log, against the log drawn afresh.
    const auto sameAsFresh = [&] {
        const QWidget *port = out->viewport();
        const QRect area(port->mapTo(&window, QPoint(0, 0)), port->size());
        const QImage shown = window.screen()
                                 ->grabWindow(window.winId(), area.x(), area.y(), area.width(), area.height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QImage fresh = window.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        return !shown.isNull() && shown == fresh;
    };
    QVERIFY(QTest::qWaitFor(sameAsFresh, 10000));

    QScrollBar *bar = out->verticalScrollBar();
    const QList<std::pair<QString, std::function<void()>>> steps{
        {QStringLiteral("up 5 px"), [&] { bar->setValue(bar->value() - 5); }},
        {QStringLiteral("up 7 px"), [&] { bar->setValue(bar->value() - 7); }},
        {QStringLiteral("a line up"), [&] { bar->triggerAction(QAbstractSlider::SliderSingleStepSub); }},
        {QStringLiteral("a page up"), [&] { bar->triggerAction(QAbstractSlider::SliderPageStepSub); }},
        {QStringLiteral("down 3 px"), [&] { bar->setValue(bar->value() + 3); }},
        {QStringLiteral("to the top"), [&] { bar->setValue(0); }},
        {QStringLiteral("down 11 px"), [&] { bar->setValue(11); }},
        {QStringLiteral("a page down"), [&] { bar->triggerAction(QAbstractSlider::SliderPageStepAdd); }},
        {QStringLiteral("to the end"), [&] { bar->setValue(bar->maximum()); }},
        {QStringLiteral("a new line"), [&] { out->appendMessage(time, QStringLiteral("amy"), QStringLiteral("new")); }},
        {QStringLiteral("a long new line"),
         [&] { out->appendMessage(time, QStringLiteral("amy"), QString(90, QLatin1Char('w'))); }},
        {QStringLiteral("a notice"), [&] { out->appendSystemMessage(time, QStringLiteral("someone joined")); }},
    };
    QStringList torn;
    for (const auto &[name, step] : steps) {
        step();
        if (!QTest::qWaitFor(sameAsFresh, 2000))
            torn << name;
    }
    QVERIFY2(torn.isEmpty(), qPrintable(torn.join(QStringLiteral(", "))));
}

void TestChatOutput::notices_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{
        QStringLiteral("<i>x</i> joined the chat"), QStringLiteral("<i>x</i> has been kicked from the chat"),
        QStringLiteral("<i>x</i> has been banned from the chat"), QStringLiteral("<i>x</i> left the chat")};
    QTest::newRow("all shown") << 0 << all;
    QTest::newRow("own only hidden") << 5 << all;
    QTest::newRow("no comings and goings") << 2 << all.mid(1, 2);
    // What the lobby and the tables use: only the own kicks and bans.
    QTest::newRow("mask 11") << 11 << QStringList();
}

void TestChatOutput::notices()
{
    QFETCH(int, mask);
    QFETCH(QStringList, expected);
    ConferenceWidget pane(nullptr, 0);
    pane.setNoticeMask(mask);
    auto *chat = pane.findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"));
    QVERIFY(chat);
    const QString nick = QStringLiteral("<i>x</i>");
    const XMPPJid actor(QStringLiteral("localhost"), QStringLiteral("boss"));
    pane.onParticipantJoined(nullptr, nick);
    pane.onParticipantKicked(nullptr, nick, actor, QStringLiteral("spam"));
    pane.onParticipantBanned(nullptr, nick, actor, QStringLiteral("spam"));
    pane.onParticipantLeft(nullptr, nick);
    const QStringList shown = chat->document()->isEmpty() ? QStringList() : lines(*chat).mid(1);
    QCOMPARE(shown, expected);
}

void TestChatOutput::errors_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::newRow("banned") << 2 << 1 << QStringLiteral("You've been banned from this room");
    QTest::newRow("conflict") << 5 << 2 << QStringLiteral("Your nickname is already in use in this room");
    QTest::newRow("8 in the lobby") << 8 << 1 << QStringLiteral("Lobby chat unavailable");
    QTest::newRow("8 at a table") << 8 << 2 << QStringLiteral("Table chat only available to players");
    QTest::newRow("8 never joined") << 8 << 0 << QStringLiteral("The room doesn't exist");
    QTest::newRow("unknown") << 42 << 1 << QString();
}

void TestChatOutput::errors()
{
    QFETCH(int, error);
    QFETCH(int, mode);
    QFETCH(QString, text);
    QCOMPARE(ConferenceWidget::errorText(error, mode), text);
}

void TestChatOutput::receivedMessages()
{
    ConferenceWidget pane(nullptr, 0);
    auto *chat = pane.findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"));
    const QDateTime now = ServerTime::instance().now();
    const auto message = [](const QString &from, const QString &body, const QDateTime &delay) {
        XMPPMessage m(XMPPJid(), XMPPMessage::GroupChat);
        m.setFrom(XMPPJid(from));
        m.setBody(body);
        if (delay.isValid())
            m.stanza().delay = xmpp::DelayedDeliveryInfo{XMPPJid(), delay};
        return m;
    };
    pane.onMessage(message(QStringLiteral("r@conference.localhost/a/b"), QStringLiteral("slash"), QDateTime()));
    pane.onMessage(message(QStringLiteral("r@conference.localhost/amy"), QString(), QDateTime()));
    const QDateTime past = now.addSecs(-3 * 3600);
    pane.onMessage(message(QStringLiteral("r@conference.localhost/amy"), QStringLiteral("old"), past));
    pane.onMessage(message(QStringLiteral("r@conference.localhost/amy"), QStringLiteral("future"), now.addDays(3)));
    // The empty body (a subject, a chat state) is no line; a future stamp is now.
    QCOMPARE(lines(*chat), (QStringList{Utils::localDateTimeString(now),
                                        QStringLiteral("(%1) a/b: slash").arg(Utils::localTimeString(now)),
                                        QStringLiteral("(%1) amy: old").arg(Utils::localTimeString(past)),
                                        QStringLiteral("(%1) amy: future").arg(Utils::localTimeString(now))}));
}

void TestChatOutput::inputLine()
{
    ConferenceWidget pane(nullptr, 0);
    auto *input = pane.findChild<QLineEdit *>(QStringLiteral("chatInput"));
    QVERIFY(input);
    QVERIFY(!input->isEnabled());
    input->setEnabled(true);
    QTest::keyClicks(input, QString(130, QLatin1Char('a')));
    QCOMPARE(input->text().size(), 120);
    // Not joined: nothing is sent and the text stays.
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(input->text().size(), 120);
}

QTEST_MAIN(TestChatOutput)
#include "tst_chat_output.moc"
