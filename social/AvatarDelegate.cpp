#include "social/AvatarDelegate.h"

#include "social/Avatar.h"

#include <QPainter>

AvatarDelegate::AvatarDelegate(QObject *parent)
    : QItemDelegate(parent)
{
}

void AvatarDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant data = index.data(Qt::DisplayRole);
    if (!data.canConvert<Avatar>() || data.metaType() != QMetaType::fromType<Avatar>()) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    const Avatar avatar = data.value<Avatar>();
    const QRect &r = option.rect;
    const QPoint topLeft(r.left() + (r.width() / 2 - avatar.image.width() / 2),
                         r.top() + (r.height() / 2 - avatar.image.height() / 2));
    painter->drawImage(topLeft, avatar.image);
    if (option.state & QStyle::State_Selected)
        painter->drawPixmap(topLeft, avatar.selectedOverlay);
}

QSize AvatarDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant data = index.data(Qt::DisplayRole);
    if (data.metaType() != QMetaType::fromType<Avatar>())
        return QItemDelegate::sizeHint(option, index);
    return data.value<Avatar>().image.size() + QSize(4, 4);
}
