#include "social/FriendsFilter.h"

#include "social/Logging.h"
#include "social/XMPPRosterModelProxy.h"
#include "xmpp/client/XMPPRosterModel.h"
#include "xmpp/elements/XMPPRosterItem.h"

#include <algorithm>

FriendsFilter::FriendsFilter(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
    setSortLocaleAware(true);
    connect(this, &QSortFilterProxyModel::sortRoleChanged, this, [this] { m_keys.clear(); });
}

int FriendsFilter::friendCount(const XMPPRosterModel *roster)
{
    if (!roster)
        return 0;
    int count = 0;
    for (int row = 0, rows = roster->rowCount(); row < rows; ++row) {
        const XMPPRosterItem *item = roster->item(roster->index(row, 0));
        if (item && isFriend(quint8(item->flags)))
            ++count;
    }
    return count;
}

void FriendsFilter::setSourceModel(QAbstractItemModel *model)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_keyConnections))
        disconnect(connection);
    m_keyConnections.clear();
    m_keys.clear();
    if (model) {
        // Connected before the base class connects its own: a changed row's
        // value is forgotten before the row is sorted again.
        m_keyConnections << connect(model, &QAbstractItemModel::dataChanged, this, &FriendsFilter::keysChanged)
                         << connect(model, &QAbstractItemModel::rowsInserted, this, &FriendsFilter::keysInserted)
                         << connect(model, &QAbstractItemModel::rowsRemoved, this, &FriendsFilter::keysRemoved);
        const auto forgetAll = [this] { m_keys.clear(); };
        m_keyConnections << connect(model, &QAbstractItemModel::rowsMoved, this, forgetAll)
                         << connect(model, &QAbstractItemModel::layoutChanged, this, forgetAll)
                         << connect(model, &QAbstractItemModel::modelReset, this, forgetAll);
    }
    QSortFilterProxyModel::setSourceModel(model);
}

void FriendsFilter::keysChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (topLeft.parent().isValid() || topLeft.column() != 0)
        return;
    const int end = std::min(bottomRight.row() + 1, int(m_keys.size()));
    for (int row = std::max(0, topLeft.row()); row < end; ++row)
        m_keys[size_t(row)].known = false;
}

void FriendsFilter::keysInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid() || m_keys.empty())
        return;
    if (size_t(first) > m_keys.size())
        m_keys.clear();
    else
        m_keys.insert(m_keys.begin() + first, size_t(last - first + 1), SortKey());
}

void FriendsFilter::keysRemoved(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid() || m_keys.empty())
        return;
    if (size_t(last) >= m_keys.size())
        m_keys.clear();
    else
        m_keys.erase(m_keys.begin() + first, m_keys.begin() + last + 1);
}

const FriendsFilter::SortKey *FriendsFilter::sortKey(const QModelIndex &sourceIndex) const
{
    // The roster is a flat list: every row is top-level.
    const QAbstractItemModel *model = sourceModel();
    if (!model || sourceIndex.model() != model || sourceIndex.column() != 0)
        return nullptr;
    if (m_keys.empty())
        m_keys.resize(size_t(model->rowCount()));
    if (size_t(sourceIndex.row()) >= m_keys.size())
        return nullptr;
    SortKey &key = m_keys[size_t(sourceIndex.row())];
    if (!key.known) {
        const QVariant value = model->data(sourceIndex, sortRole());
        key.isText = value.metaType() == QMetaType::fromType<QString>();
        key.text = key.isText ? value.toString() : QString();
        key.known = true;
    }
    return &key;
}

QVariant FriendsFilter::data(const QModelIndex &index, int role) const
{
    if (role == sortRole() && index.isValid() && index.model() == this && index.column() == 0) {
        if (const SortKey *key = sortKey(mapToSource(index)); key && key->isText)
            return key->text;
    }
    return QSortFilterProxyModel::data(index, role);
}

bool FriendsFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const SortKey *leftKey = sortKey(left);
    const SortKey *rightKey = sortKey(right);
    if (!leftKey || !rightKey || !leftKey->isText || !rightKey->isText)
        return QSortFilterProxyModel::lessThan(left, right);
    // As the base class compares text.
    if (isSortLocaleAware())
        return leftKey->text.localeAwareCompare(rightKey->text) < 0;
    return leftKey->text.compare(rightKey->text, sortCaseSensitivity()) < 0;
}

bool FriendsFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const auto *proxy = qobject_cast<const XMPPRosterModelProxy *>(sourceModel());
    if (!proxy) {
        qCWarning(lcSocial) << "not XMPPRosterModelProxy";
        return true;
    }
    const QModelIndex index = proxy->index(sourceRow, 0, sourceParent);
    const XMPPRosterItem *item = proxy->item(index);
    if (!item) {
        qCWarning(lcSocial) << "no item at index " << index;
        return false;
    }
    return isFriend(quint8(item->flags));
}
