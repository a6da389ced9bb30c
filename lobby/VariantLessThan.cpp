#include "lobby/VariantLessThan.h"

#include "protocol/TableCapacity.h"
#include "protocol/TournamentCost.h"
#include "protocol/ValueColumnType.h"

#include <QDateTime>
#include <QVariant>

namespace {

template <typename T>
bool holds(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<T>();
}

template <typename T>
bool lessAs(const QVariant &left, const QVariant &right)
{
    return left.value<T>() < right.value<T>();
}

} // namespace

bool variantLessThan(const QVariant &left, const QVariant &right)
{
    // Invalid values sort first and equal among themselves, so that the
    // order stays a strict weak ordering.
    if (!left.isValid() || !right.isValid())
        return !left.isValid() && right.isValid();
    if (holds<ValueColumnType>(left) && holds<ValueColumnType>(right))
        return left.value<ValueColumnType>().total() < right.value<ValueColumnType>().total();
    if (holds<TournamentCost>(left) && holds<TournamentCost>(right))
        return lessAs<TournamentCost>(left, right);
    if (holds<TableCapacity>(left) && holds<TableCapacity>(right))
        return lessAs<TableCapacity>(left, right);

    switch (left.metaType().id()) {
    case QMetaType::Int:
        return lessAs<int>(left, right);
    case QMetaType::UInt:
        return lessAs<uint>(left, right);
    case QMetaType::LongLong:
        return lessAs<qlonglong>(left, right);
    case QMetaType::ULongLong:
        return lessAs<qulonglong>(left, right);
    case QMetaType::Double:
        return lessAs<double>(left, right);
    case QMetaType::Char:
        return lessAs<QChar>(left, right);
    case QMetaType::QDate:
        return lessAs<QDate>(left, right);
    case QMetaType::QTime:
        return lessAs<QTime>(left, right);
    case QMetaType::QDateTime:
        return lessAs<QDateTime>(left, right);
    case QMetaType::QString:
        // Plain code-point order, upper case first: the same for every
        // lobby column, whatever the player's locale.
        if (right.metaType().id() == QMetaType::QString)
            return left.toString() < right.toString();
        break;
    default:
        break;
    }

    // Value types of other modules (tournament costs, registrations ...)
    // bring their own operator<; toString() would make them all equal.
    if (left.metaType() == right.metaType() && left.metaType().id() >= QMetaType::User) {
        const QPartialOrdering order = left.metaType().compare(left.constData(), right.constData());
        if (order != QPartialOrdering::Unordered)
            return order == QPartialOrdering::Less;
    }
    return left.toString() < right.toString();
}
