#include "tournaments/CheckedItem.h"

#include "tournaments/TournamentRoles.h"

#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace {

// Without the image files (a brand that ships none) the marks are drawn, so
// that a registration never goes unseen.
QIcon drawnMark(bool checked)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Gold box, dark tick: readable on the dark lists and on light ones.
    const QColor gold(0xc9, 0xb7, 0x7a);
    painter.setPen(QPen(gold, 1.2));
    painter.setBrush(checked ? QBrush(gold) : QBrush(Qt::NoBrush));
    painter.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
    if (checked) {
        painter.setPen(QPen(QColor(0x1d, 0x1d, 0x1d), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF tick[] = {{5.0, 8.0}, {7.0, 10.5}, {11.0, 5.5}};
        painter.drawPolyline(tick, 3);
    }
    return QIcon(pixmap);
}

QIcon loadMark(const char *fileName, bool checked)
{
    const QString name = QString::fromLatin1(fileName);
    return QFile::exists(name) ? QIcon(name) : drawnMark(checked);
}

// One pair for every row: a lobby holds thousands of marks.
const QIcon &markIcon(bool checked)
{
    static const QIcon checkedIcon = loadMark("resources:/checkbox-checked-normal.png", true);
    static const QIcon emptyIcon = loadMark("resources:/empty-box.png", false);
    return checked ? checkedIcon : emptyIcon;
}

} // namespace

// The icons are made when first drawn: a model may be filled before (or
// without) a GUI application.
CheckedItem::CheckedItem(bool checked)
    : m_checked(checked)
{
}

void CheckedItem::setChecked(bool checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    emitDataChanged();
}

QVariant CheckedItem::data(int role) const
{
    // No display text: the mark is an icon, and a search finds no words in it.
    if (role == Qt::DisplayRole)
        return QVariant();
    if (role == Qt::DecorationRole)
        return markIcon(m_checked);
    if (role == TournamentRoles::RegisteredRole)
        return m_checked;
    return QStandardItem::data(role);
}

QStandardItem *CheckedItem::clone() const
{
    return new CheckedItem(*this);
}
