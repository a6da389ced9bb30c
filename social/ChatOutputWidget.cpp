#include "social/ChatOutputWidget.h"

#include "social/Logging.h"
#include "widgets/Utils.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QInputMethod>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>
#include <cmath>

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
    // Neither the nick nor the text can turn the line around or pass for
    // another speaker.
    const QString nickPart = Utils::coloredLink(nickUrl(nick), Utils::isolated(nick).toHtmlEscaped(), m_nickColor);
    QString shown = Utils::isolated(text.left(MaxMessageLength));
    if (text.size() > MaxMessageLength)
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

QRect ChatOutputWidget::wholeLinesRect() const
{
    const QRect shown = viewport()->rect();
    const int offset = verticalScrollBar()->value();
    const int top = offset, bottom = offset + shown.height();
    int clipTop = top, clipBottom = bottom;
    const QAbstractTextDocumentLayout *layout = document()->documentLayout();
    QTextBlock block = cursorForPosition(QPoint(0, 0)).block();
    if (block.previous().isValid())
        block = block.previous();
    for (; block.isValid(); block = block.next()) {
        const QRectF area = layout->blockBoundingRect(block);
        if (area.top() >= bottom)
            break;
        const QTextLayout *lines = block.layout();
        if (!block.isVisible() || !lines)
            continue;
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const int lineTop = int(std::floor(area.top() + line.y()));
            const int lineBottom = int(std::ceil(area.top() + line.y() + line.height()));
            if (lineTop < top && lineBottom > top)
                clipTop = std::max(clipTop, lineBottom);
            if (lineTop < bottom && lineBottom > bottom)
                clipBottom = std::min(clipBottom, lineTop);
        }
    }
    if (clipBottom <= clipTop)
        return QRect();
    return QRect(shown.left(), clipTop - offset, shown.width(), clipBottom - clipTop);
}

void ChatOutputWidget::paintEvent(QPaintEvent *event)
{
    // A pane whose height is no whole number of lines would show half a
    // line at its edge: that line is left out until it is scrolled in.
    const QRect whole = wholeLinesRect();
    if (whole == viewport()->rect()) {
        QTextBrowser::paintEvent(event);
        return;
    }
    const QRegion region = event->region().intersected(whole);
    if (region.isEmpty())
        return;
    QPaintEvent clipped(region);
    QTextBrowser::paintEvent(&clipped);
}

void ChatOutputWidget::scrollContentsBy(int dx, int dy)
{
    // Moving the drawn pixels would carry the edges of the old view along:
    // the blank left for a cut line, and lines cut by the new edges. Only
    // whole lines are drawn, so the whole view is drawn again.
    Q_UNUSED(dx);
    Q_UNUSED(dy);
    viewport()->update();
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImAnchorRectangle);
}
