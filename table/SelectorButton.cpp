#include "table/SelectorButton.h"

#include "core/TextFormat.h"
#include "scene/TimerView.h"

#include <QLabel>
#include <QPixmap>
#include <QResizeEvent>
#include <QTextDocument>

SelectorButton::SelectorButton(QWidget *parent)
    : QPushButton(parent)
    , m_timer(new TimerView(this, {}, TimerView::DEC_PIE, TimerView::PIE_GRADIENT))
    , m_inactive(new QLabel(this))
{
    setCheckable(true);
    m_timer->setObjectName(QStringLiteral("tableTimeout"));
    m_inactive->setObjectName(QStringLiteral("inactiveMarker"));
    m_inactive->setPixmap(QPixmap(QStringLiteral("resources:/inactive-table-icon.png")));
    m_inactive->hide();
    setKind(Play);
}

QString SelectorButton::kindIcon(int kind)
{
    switch (kind) {
    case Play:
        return QStringLiteral("resources:/smiley-normal.png");
    case Money:
        return QStringLiteral("resources:/dollar-normal.png");
    case Tournament:
        return QStringLiteral("resources:/trophy-normal.png");
    default:
        return QString();
    }
}

void SelectorButton::setTableName(const QString &name)
{
    setText(Utils::elideMiddle(name, MaxNameLength));
    // A name is the server's text: never markup in the tool tip.
    setToolTip(Qt::convertFromPlainText(name));
}

void SelectorButton::setKind(int kind)
{
    m_kind = kind;
    const QString icon = kindIcon(kind);
    setIcon(icon.isEmpty() ? QIcon() : QIcon(QPixmap(icon)));
}

void SelectorButton::setActive(bool active)
{
    m_active = active;
    m_timer->setVisible(active);
    m_inactive->setVisible(!active);
}

void SelectorButton::setTimeSpan(const TimeSpan &span)
{
    m_timer->setTimeSpan(span);
}

void SelectorButton::wantsAttention(bool) {}

void SelectorButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    m_timer->setGeometry(width() - 20, (height() - 12) / 2, 12, 12);
    const QSize marker = m_inactive->sizeHint();
    m_inactive->setGeometry(width() - 8 - marker.width(), (height() - marker.height()) / 2, marker.width(),
                            marker.height());
}
