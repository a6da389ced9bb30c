#include "tournaments/TournamentItems.h"

#include "tournaments/TournamentTexts.h"

namespace {

template <typename Item>
Item *prepared(Item *item, const QString &toolTip, Qt::Alignment alignment)
{
    item->setEditable(false);
    item->setToolTip(toolTip);
    item->setTextAlignment(alignment);
    return item;
}

constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

QStandardItem *createStandardItem(const QString &text, const QString &toolTip, Qt::Alignment alignment)
{
    return prepared(new QStandardItem(text), toolTip, alignment);
}

QStandardItem *createNumberItem(int value, const QString &toolTip, Qt::Alignment alignment)
{
    auto *item = new QStandardItem;
    item->setData(value, Qt::DisplayRole);
    return prepared(item, toolTip, alignment);
}

CustomItem<int> *createIntItem(const int &value, const QString &toolTip, std::function<QString(const int &)> formatter)
{
    return prepared(new CustomItem<int>(value, std::move(formatter)), toolTip, Left);
}

CustomItem<qint64> *createAmountItem(const qint64 &value, const QString &toolTip,
                                     std::function<QString(const qint64 &)> formatter)
{
    return prepared(new CustomItem<qint64>(value, std::move(formatter)), toolTip, Left);
}

CustomItem<QDateTime> *createDateTimeItem(const QDateTime &value, const QString &toolTip,
                                          std::function<QString(const QDateTime &)> formatter)
{
    return prepared(new CustomItem<QDateTime>(value, std::move(formatter)), toolTip, Left);
}

CustomItem<TournamentRegisteredInfo> *createRegisteredInfoItem(const TournamentRegisteredInfo &value,
                                                               const QString &toolTip)
{
    return prepared(new CustomItem<TournamentRegisteredInfo>(value, &registeredInfoText), toolTip, Left);
}

CustomItem<Range<int>> *createRangeItem(const Range<int> &value, const QString &toolTip,
                                        std::function<QString(const Range<int> &)> formatter)
{
    return prepared(new CustomItem<Range<int>>(value, std::move(formatter)), toolTip, Left);
}
