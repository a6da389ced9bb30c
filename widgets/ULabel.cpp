#include "widgets/ULabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QTextDocument>

ULabel::ULabel(QWidget *parent, Qt::WindowFlags flags)
    : QLabel(parent, flags)
{
}

ULabel::ULabel(const QString &text, QWidget *parent, Qt::WindowFlags flags)
    : QLabel(parent, flags)
{
    setText(text);
}

void ULabel::setElideMode(Qt::TextElideMode mode)
{
    if (m_elideMode == mode)
        return;
    m_elideMode = mode;
    updateElided();
}

void ULabel::setText(const QString &text)
{
    m_fullText = text;
    // Names from the server or players: the tool tip must not read markup.
    setToolTip(Qt::convertFromPlainText(text));
    updateGeometry();
    updateElided();
}

QSize ULabel::minimumSizeHint() const
{
    // Elision lets the label shrink to the dots.
    const QSize hint = QLabel::minimumSizeHint();
    const QMargins margins = contentsMargins();
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("...")) + margins.left() + margins.right()
                     + 2 * margin(),
                 hint.height());
}

QSize ULabel::sizeHint() const
{
    const QSize hint = QLabel::sizeHint();
    const QMargins margins = contentsMargins();
    return QSize(fontMetrics().horizontalAdvance(m_fullText) + margins.left() + margins.right() + 2 * margin() + 1,
                 hint.height());
}

void ULabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    updateElided();
}

void ULabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateElided();
}

void ULabel::updateElided()
{
    const int available = contentsRect().width() - 2 * margin();
    const QString shown = fontMetrics().elidedText(m_fullText, m_elideMode, qMax(0, available));
    if (shown != QLabel::text())
        QLabel::setText(shown);
}
