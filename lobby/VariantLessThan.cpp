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

// Table names carry numbers: "Practice 9" sorts before "Practice 10", and
// case does not decide the order.
bool naturalLess(const QString &left, const QString &right)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < left.size() && j < right.size()) {
        if (left[i].isDigit() && right[j].isDigit()) {
            const qsizetype startI = i;
            const qsizetype startJ = j;
            while (i < left.size() && left[i].isDigit())
                ++i;
            while (j < right.size() && right[j].isDigit())
                ++j;
            // Compare digit runs by value without converting: strip leading
            // zeros, then the longer run is larger, else compare as text.
            QStringView a = QStringView(left).mid(startI, i - startI);
            QStringView b = QStringView(right).mid(startJ, j - startJ);
            while (a.size() > 1 && a.front() == u'0')
                a = a.mid(1);
            while (b.size() > 1 && b.front() == u'0')
                b = b.mid(1);
            if (a.size() != b.size())
                return a.size() < b.size();
            const int order = a.compare(b);
            if (order != 0)
                return order < 0;
            continue;
        }
        const int order = QString::compare(left.mid(i, 1), right.mid(j, 1), Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
        ++i;
        ++j;
    }
    if ((left.size() - i) != (right.size() - j))
        return (left.size() - i) < (right.size() - j);
    return left < right;
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
        if (right.metaType().id() == QMetaType::QString)
            return naturalLess(left.toString(), right.toString());
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
