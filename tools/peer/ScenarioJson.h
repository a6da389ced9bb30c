#pragma once

#include "protocol/Codec.h"
#include "protocol/WireValue.h"

#include <QDateTime>
#include <QJsonValue>
#include <QMap>
#include <QString>

// Message fields written as JSON, for scenario files and the peer's log.
// Records are objects keyed by field name (missing fields take their zero
// value) or arrays in field order; times are ISO 8601 texts or "now",
// "now+5000", "now-200" (milliseconds from the peer's clock); integers may
// be "$name" variables; inner and any values are {"class": name or id,
// "fields": {...}}; var values are JSON scalars, arrays, or {"time": ...}.
class ScenarioJson
{
public:
    typedef QMap<QString, qint64> Variables;
    using Clock = QDateTime (*)();

    // Where "now" comes from (the system's UTC clock unless set; null
    // restores it). Read once per call below, so that every relative time
    // of one record has the same origin.
    static void setClock(Clock clock);

    // Throws std::invalid_argument naming the field that does not fit.
    static WireValue toWire(const Codec::Type &type, const QJsonValue &json, const Variables &vars,
                            const QString &where);
    static WireValue::List recordToWire(const Codec::Record &record, const QJsonValue &json, const Variables &vars,
                                        const QString &where);
    static QJsonValue toJson(const Codec::Type &type, const WireValue &value);
    static QJsonValue recordToJson(const Codec::Record &record, const WireValue::List &fields);
    // Replaces "$name" texts by their values, everywhere in a JSON tree.
    static QJsonValue substitute(const QJsonValue &json, const Variables &vars);
    // Whether actual contains expected: objects by their keys, arrays element
    // by element, "*" matches anything.
    static bool matches(const QJsonValue &expected, const QJsonValue &actual);

private:
    static WireValue toWireAt(const Codec::Type &type, const QJsonValue &json, const Variables &vars,
                              const QDateTime &now, const QString &where);
    static WireValue::List recordToWireAt(const Codec::Record &record, const QJsonValue &json, const Variables &vars,
                                          const QDateTime &now, const QString &where);
};
