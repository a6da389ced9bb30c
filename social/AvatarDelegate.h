#pragma once

#include <QItemDelegate>

// Draws an avatar of the grid centred in its cell, with the selection
// overlay over it while selected.
class AvatarDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit AvatarDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
