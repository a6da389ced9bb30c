#include "widgets/RichTextLabel.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QStyleOption>
#include <QTextDocument>
#include <QTextFrame>

#include <cmath>

RichTextLabel::RichTextLabel(QWidget *parent, Qt::WindowFlags flags)
    : QLabel(parent, flags)
{
}

RichTextLabel::~RichTextLabel() = default;

bool RichTextLabel::ownsLayout() const
{
    // What QLabel would lay out as one unwrapped document with no indent.
    return textFormat() == Qt::RichText && !wordWrap() && !text().isEmpty() && isEnabled()
           && (indent() == 0 || (indent() < 0 && frameWidth() == 0));
}

QTextDocument &RichTextLabel::document() const
{
    if (!m_document || m_text != text() || m_font != font() || m_alignment != alignment()) {
        // Set up as QLabel sets up its own document, so that the pixels are
        // the same.
        m_document = std::make_unique<QTextDocument>();
        m_document->setUndoRedoEnabled(false);
        m_document->setDefaultFont(font());
        m_document->setHtml(text());
        QTextOption option = m_document->defaultTextOption();
        option.setAlignment(alignment());
        option.setWrapMode(QTextOption::ManualWrap);
        m_document->setDefaultTextOption(option);
        QTextFrameFormat frame = m_document->rootFrame()->frameFormat();
        frame.setMargin(0);
        m_document->rootFrame()->setFrameFormat(frame);
        m_text = text();
        m_font = font();
        m_alignment = alignment();
        // The first layout, at the text's own width.
        m_naturalSize = m_document->size();
        m_laidOutWidth = -1;
    }
    return *m_document;
}

QSize RichTextLabel::sizeHint() const
{
    if (!ownsLayout())
        return QLabel::sizeHint();
    ensurePolished();
    document();
    const QSize text(int(std::ceil(m_naturalSize.width())), int(std::ceil(m_naturalSize.height())));
    const QMargins contents = contentsMargins();
    const QSize size = text
                       + QSize(2 * margin() + contents.left() + contents.right(),
                               2 * margin() + contents.top() + contents.bottom());
    return size.expandedTo(minimumSize());
}

QSize RichTextLabel::minimumSizeHint() const
{
    // Unwrapped, the text needs its whole size.
    return ownsLayout() ? sizeHint() : QLabel::minimumSizeHint();
}

QRect RichTextLabel::documentRect() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

void RichTextLabel::paintEvent(QPaintEvent *event)
{
    if (!ownsLayout()) {
        QLabel::paintEvent(event);
        return;
    }
    QTextDocument &text = document();
    const QRect area = documentRect();
    if (m_laidOutWidth != area.width()) {
        text.setTextWidth(area.width());
        m_laidOutWidth = area.width();
    }
    // Placed and coloured as QLabel places and colours its rich text.
    const qreal height = text.documentLayout()->documentSize().height();
    qreal top = 0;
    if (alignment() & Qt::AlignVCenter)
        top = std::max((area.height() - height) / 2, qreal(0));
    else if (alignment() & Qt::AlignBottom)
        top = std::max(area.height() - height, qreal(0));
    const QRect laidOut = QRectF(area.x(), top + area.y(), area.width(), area.height()).toAlignedRect();

    QPainter painter(this);
    drawFrame(&painter);
    QStyleOption option;
    option.initFrom(this);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = option.palette;
    if (foregroundRole() != QPalette::Text)
        context.palette.setColor(QPalette::Text, context.palette.color(foregroundRole()));
    painter.translate(laidOut.topLeft());
    painter.setClipRect(laidOut.translated(-laidOut.topLeft()));
    text.documentLayout()->draw(&painter, context);
}
