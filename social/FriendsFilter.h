#pragma once

#include <QList>
#include <QMetaObject>
#include <QSortFilterProxyModel>
#include <QString>

#include <vector>

class XMPPRosterModel;

// Keeps the roster rows of the player's friends: contacts whose presence
// the player receives or has asked for.
//
// Sorted on the sort column, each row's value is read once after each
// change of the row and kept: reading a screen name means parsing the
// address and asking the directory, too dear for every comparison of a
// list of thousands.
class FriendsFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit FriendsFilter(QObject *parent = nullptr);

    static bool isFriend(quint8 subscriptionFlags) { return (subscriptionFlags & 5) != 0; }
    static int friendCount(const XMPPRosterModel *roster);

    void setSourceModel(QAbstractItemModel *model) override;
    // The sort role of a row is the value kept for sorting, so that what the
    // list shows and where it stands always agree.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    struct SortKey
    {
        QString text;
        bool known = false;
        // The value is text: others are compared by the base class.
        bool isText = false;
    };

    // Null when the index is not one of the kept rows.
    const SortKey *sortKey(const QModelIndex &sourceIndex) const;
    void keysChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void keysInserted(const QModelIndex &parent, int first, int last);
    void keysRemoved(const QModelIndex &parent, int first, int last);

    // By source row; empty when none is known.
    mutable std::vector<SortKey> m_keys;
    QList<QMetaObject::Connection> m_keyConnections;
};
