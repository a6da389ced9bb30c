#include "social/ChatOutputWidget.h"

#include "social/Logging.h"
#include "widgets/Utils.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QScrollBar>
#include <QTextCursor>
#include <QUrl>

namespace {
const QString userScheme = QStringLiteral("user");
} // namespace

ChatOutputWidget::ChatOutputWidget(QWidget *parent)
    : QTextBrowser(parent)
{
    setReadOnly(true);
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ChatOutputWidget::onAnchorClicked);
}

QString ChatOutputWidget::nickUrl(const QString &nick)
{
    // Percent-encoded as an opaque path: as a host, "bob@alice" would name
    // alice, and spaces or CJK letters would not survive.
    return userScheme + QLatin1Char(':') + QString::fromLatin1(QUrl::toPercentEncoding(nick));
}

QString ChatOutputWidget::nickFromUrl(const QUrl &url)
{
    if (url.scheme() != userScheme)
        return QString();
    return QUrl::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}

void ChatOutputWidget::appendDateLine(const QDateTime &time)
{
    // The reader's day, not UTC's; a line from an earlier day (room
    // history) writes none.
    if (!m_lastDateStamp.isNull() && time.toLocalTime().date() <= m_lastDateStamp.toLocalTime().date())
        return;
    appendLine(Utils::fontColored(Utils::localDateTimeString(time), m_dateSeparatorColor));
    m_lastDateStamp = time;
}

void ChatOutputWidget::appendLine(const QString &html)
{
    QScrollBar *bar = verticalScrollBar();
    append(html);
    // A log that only grows would take the whole memory of a long session.
    // Old lines go in batches: each cut at the top lays out the whole log
    // again, which one line at a time would do for every message.
    if (document()->blockCount() > MaxLines) {
        QTextCursor cut(document());
        cut.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor,
                         document()->blockCount() - MaxLines + TrimLines);
        cut.removeSelectedText();
    }
    if (!bar->isSliderDown())
        bar->setValue(bar->maximum());
}

void ChatOutputWidget::appendMessage(const QDateTime &time, const QString &nick, const QString &text)
{
    appendDateLine(time);
    const QString timePart = Utils::fontColored(tr("(%1)").arg(Utils::localTimeString(time)), m_timeColor);
    const QString nickPart = Utils::coloredLink(nickUrl(nick), nick.toHtmlEscaped(), m_nickColor);
    QString shown = text.left(MaxMessageLength);
    if (shown.size() < text.size())
        shown += QChar(0x2026);
    const QString textPart = Utils::fontColored(shown.toHtmlEscaped(), m_chatMessageColor);
    appendLine(tr("%1 %2: %3").arg(timePart, nickPart, textPart));
}

void ChatOutputWidget::appendSystemMessage(const QDateTime &time, const QString &text)
{
    appendDateLine(time);
    appendLine(Utils::fontColored(text, m_systemMessageColor));
}

void ChatOutputWidget::onAnchorClicked(const QUrl &url)
{
    qCDebug(lcSocial) << "Anchor clicked, url: " << url;
    const QString nick = nickFromUrl(url);
    if (!nick.isNull())
        emit userMenuRequested(nick, QCursor::pos());
}

void ChatOutputWidget::contextMenuEvent(QContextMenuEvent *event)
{
    const QString nick = nickFromUrl(QUrl(anchorAt(event->pos())));
    if (!nick.isNull()) {
        emit userMenuRequested(nick, event->globalPos());
        return;
    }
    QTextBrowser::contextMenuEvent(event);
}
