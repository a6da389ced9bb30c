#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

// The stakes of a lobby table: settlement kind and the bet and fee in cents.
// Settlement kinds 1 to 3 are played for money; any other kind has no buy-in.
struct ValueColumnType
{
    qint32 settlement = 0;
    qint64 bet = 0;
    qint64 fee = 0;

    ValueColumnType() = default;
    ValueColumnType(qint32 settlementKind, qint64 betCents, qint64 feeCents)
        : settlement(settlementKind)
        , bet(betCents)
        , fee(feeCents)
    {
    }

    bool hasBuyIn() const { return settlement >= 1 && settlement <= 3; }
    // The buy-in: bet + fee for money tables, 0 otherwise.
    qint64 total() const { return hasBuyIn() ? bet + fee : 0; }
    // "%1 + %2" with the money texts of bet and fee.
    QString betAndFeeText() const;

    bool operator==(const ValueColumnType &other) const = default;
};

Q_DECLARE_METATYPE(ValueColumnType)
