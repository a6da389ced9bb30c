#include "tools/peer/ScenarioJson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <stdexcept>

namespace {
ScenarioJson::Clock g_clock = &QDateTime::currentDateTimeUtc;

[[noreturn]] void bad(const QString &where, const QString &what)
{
    throw std::invalid_argument((where + ": " + what).toStdString());
}

qint64 toInteger(const QJsonValue &j, const ScenarioJson::Variables &vars, const QString &where)
{
    if (j.isDouble())
        return qint64(j.toDouble());
    if (j.isString()) {
        const QString s = j.toString();
        if (s.startsWith(QLatin1Char('$'))) {
            auto it = vars.constFind(s.mid(1));
            if (it == vars.constEnd())
                bad(where, "unknown variable " + s);
            return it.value();
        }
        bool ok = false;
        const qint64 v = s.toLongLong(&ok);
        if (ok)
            return v;
    }
    if (j.isNull() || j.isUndefined())
        return 0;
    bad(where, "expected an integer");
}

QDateTime toTime(const QJsonValue &j, const QDateTime &now, const QString &where)
{
    if (j.isNull() || j.isUndefined())
        return QDateTime();
    if (!j.isString())
        bad(where, "expected a time text");
    const QString s = j.toString();
    static const QRegularExpression relative(QStringLiteral("^now(?:([+-])(\\d+))?$"));
    const auto m = relative.match(s);
    if (m.hasMatch()) {
        qint64 offset = m.captured(2).toLongLong();
        if (m.captured(1) == QLatin1String("-"))
            offset = -offset;
        return now.addMSecs(offset);
    }
    QDateTime t = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!t.isValid())
        bad(where, "not a time: " + s);
    return t.toUTC();
}

const Codec::Message *innerMessage(Codec::Space space, const QJsonValue &cls, const QString &where)
{
    const Codec &codec = Codec::instance();
    const Codec::Message *m = nullptr;
    if (cls.isDouble())
        m = codec.message(space, quint8(cls.toInt()));
    else
        m = codec.messageByName(cls.toString().toStdString());
    if (!m || m->space != space)
        bad(where, "unknown inner class");
    return m;
}
} // namespace

void ScenarioJson::setClock(Clock clock)
{
    g_clock = clock ? clock : &QDateTime::currentDateTimeUtc;
}

WireValue ScenarioJson::toWire(const Codec::Type &type, const QJsonValue &json, const Variables &vars,
                               const QString &where)
{
    return toWireAt(type, json, vars, g_clock(), where);
}

WireValue::List ScenarioJson::recordToWire(const Codec::Record &record, const QJsonValue &json, const Variables &vars,
                                           const QString &where)
{
    return recordToWireAt(record, json, vars, g_clock(), where);
}

WireValue ScenarioJson::toWireAt(const Codec::Type &t, const QJsonValue &j, const Variables &vars, const QDateTime &now,
                                 const QString &where)
{
    switch (t.kind) {
    case Codec::Type::Bool:
        if (j.isNull() || j.isUndefined())
            return WireValue(false);
        // "$lastRound": a variable, true when not 0.
        if (j.isString() && j.toString().startsWith(QLatin1Char('$')))
            return WireValue(toInteger(j, vars, where) != 0);
        if (!j.isBool())
            bad(where, "expected true or false");
        return WireValue(j.toBool());
    case Codec::Type::I8:
    case Codec::Type::U8:
    case Codec::Type::I16:
    case Codec::Type::U16:
    case Codec::Type::I32:
    case Codec::Type::I64:
    case Codec::Type::Tile:
        return WireValue(toInteger(j, vars, where));
    case Codec::Type::Str:
        if (j.isNull() || j.isUndefined())
            return WireValue(QString());
        if (!j.isString())
            bad(where, "expected a text");
        return WireValue(j.toString());
    case Codec::Type::Time:
        return WireValue(toTime(j, now, where));
    case Codec::Type::List: {
        WireValue::List items;
        if (j.isNull() || j.isUndefined())
            return WireValue(items);
        if (!j.isArray())
            bad(where, "expected an array");
        int i = 0;
        for (const QJsonValue &item : j.toArray())
            items.push_back(toWireAt(*t.element, item, vars, now, where + "[" + QString::number(i++) + "]"));
        return WireValue(std::move(items));
    }
    case Codec::Type::RecordRef:
        return WireValue(recordToWireAt(*t.record, j, vars, now, where));
    case Codec::Type::Var:
        if (j.isNull() || j.isUndefined())
            return WireValue();
        if (j.isBool())
            return WireValue(j.toBool());
        if (j.isDouble())
            return WireValue(qint64(j.toDouble()));
        if (j.isString()) {
            if (j.toString().startsWith(QLatin1Char('$')))
                return WireValue(toInteger(j, vars, where));
            return WireValue(j.toString());
        }
        if (j.isObject() && j.toObject().contains(QStringLiteral("time")))
            return WireValue(toTime(j.toObject().value(QStringLiteral("time")), now, where));
        if (j.isArray()) {
            WireValue::List items;
            for (const QJsonValue &item : j.toArray()) {
                if (item.isObject())
                    items.push_back(WireValue(toTime(item.toObject().value(QStringLiteral("time")), now, where)));
                else
                    items.push_back(WireValue(toInteger(item, vars, where)));
            }
            return WireValue(std::move(items));
        }
        bad(where, "unsupported keyed value");
    case Codec::Type::Any:
    case Codec::Type::Inner: {
        if (t.kind == Codec::Type::Any && (j.isNull() || j.isUndefined()))
            return WireValue(WireValue::List(), 0);
        if (!j.isObject())
            bad(where, "expected {\"class\": ..., \"fields\": ...}");
        const QJsonObject o = j.toObject();
        const Codec::Message *m = innerMessage(t.kind == Codec::Type::Any ? Codec::Value : t.space,
                                               o.value(QStringLiteral("class")), where);
        return WireValue(recordToWireAt(m->body, o.value(QStringLiteral("fields")), vars, now,
                                        where + "." + QString::fromStdString(m->name)),
                         m->id);
    }
    }
    bad(where, "unknown type");
}

WireValue::List ScenarioJson::recordToWireAt(const Codec::Record &r, const QJsonValue &j, const Variables &vars,
                                             const QDateTime &now, const QString &where)
{
    WireValue::List fields;
    if (j.isArray()) {
        const QJsonArray a = j.toArray();
        if (size_t(a.size()) != r.fields.size())
            bad(where, QStringLiteral("expected %1 fields").arg(r.fields.size()));
        for (size_t i = 0; i < r.fields.size(); ++i)
            fields.push_back(toWireAt(*r.fields[i].type, a.at(qsizetype(i)), vars, now,
                                      where + "." + QString::fromStdString(r.fields[i].name)));
        return fields;
    }
    if (!j.isObject() && !j.isNull() && !j.isUndefined())
        bad(where, "expected an object or an array");
    const QJsonObject o = j.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool known = false;
        for (const Codec::Field &f : r.fields)
            known = known || it.key() == QString::fromStdString(f.name);
        if (!known)
            bad(where, "no field " + it.key() + " in " + QString::fromStdString(r.name));
    }
    for (const Codec::Field &f : r.fields) {
        const QString name = QString::fromStdString(f.name);
        fields.push_back(toWireAt(*f.type, o.value(name), vars, now, where + "." + name));
    }
    return fields;
}

QJsonValue ScenarioJson::toJson(const Codec::Type &t, const WireValue &v)
{
    switch (t.kind) {
    case Codec::Type::Bool:
        return v.toBool();
    case Codec::Type::I64:
    case Codec::Type::I8:
    case Codec::Type::U8:
    case Codec::Type::I16:
    case Codec::Type::U16:
    case Codec::Type::I32:
    case Codec::Type::Tile:
        return double(v.toInt());
    case Codec::Type::Str:
        return v.toString();
    case Codec::Type::Time:
        return v.toDateTime().isValid() ? QJsonValue(v.toDateTime().toString(Qt::ISODateWithMs)) : QJsonValue();
    case Codec::Type::List: {
        QJsonArray a;
        for (const WireValue &item : v.toList())
            a.append(toJson(*t.element, item));
        return a;
    }
    case Codec::Type::RecordRef:
        return recordToJson(*t.record, v.toList());
    case Codec::Type::Var: {
        if (v.isNull())
            return QJsonValue();
        if (v.isBool())
            return v.toBool();
        if (v.isInt())
            return double(v.toInt());
        if (v.isString())
            return v.toString();
        if (v.isDateTime())
            return QJsonObject{{QStringLiteral("time"), v.toDateTime().toString(Qt::ISODateWithMs)}};
        QJsonArray a;
        for (const WireValue &item : v.toList())
            a.append(item.isDateTime() ? QJsonValue(
                         QJsonObject{{QStringLiteral("time"), item.toDateTime().toString(Qt::ISODateWithMs)}})
                                       : QJsonValue(double(item.toInt())));
        return a;
    }
    case Codec::Type::Any:
    case Codec::Type::Inner: {
        if (t.kind == Codec::Type::Any && v.tag() <= 0)
            return QJsonValue();
        const Codec::Message *m = Codec::instance().message(t.kind == Codec::Type::Any ? Codec::Value : t.space,
                                                            quint8(v.tag()));
        if (!m)
            return QJsonValue();
        return QJsonObject{{QStringLiteral("class"), QString::fromStdString(m->name)},
                           {QStringLiteral("fields"), recordToJson(m->body, v.toList())}};
    }
    }
    return QJsonValue();
}

QJsonValue ScenarioJson::recordToJson(const Codec::Record &r, const WireValue::List &fields)
{
    QJsonObject o;
    for (size_t i = 0; i < r.fields.size() && i < fields.size(); ++i)
        o.insert(QString::fromStdString(r.fields[i].name), toJson(*r.fields[i].type, fields[i]));
    return o;
}

QJsonValue ScenarioJson::substitute(const QJsonValue &json, const Variables &vars)
{
    if (json.isString() && json.toString().startsWith(QLatin1Char('$'))) {
        auto it = vars.constFind(json.toString().mid(1));
        return it == vars.constEnd() ? json : QJsonValue(double(it.value()));
    }
    if (json.isArray()) {
        QJsonArray a;
        for (const QJsonValue &item : json.toArray())
            a.append(substitute(item, vars));
        return a;
    }
    if (json.isObject()) {
        QJsonObject o;
        const QJsonObject in = json.toObject();
        for (auto it = in.begin(); it != in.end(); ++it)
            o.insert(it.key(), substitute(it.value(), vars));
        return o;
    }
    return json;
}

bool ScenarioJson::matches(const QJsonValue &expected, const QJsonValue &actual)
{
    if (expected.isString() && expected.toString() == QLatin1String("*"))
        return true;
    if (expected.isObject()) {
        if (!actual.isObject())
            return false;
        const QJsonObject e = expected.toObject();
        const QJsonObject a = actual.toObject();
        for (auto it = e.begin(); it != e.end(); ++it) {
            if (!a.contains(it.key()) || !matches(it.value(), a.value(it.key())))
                return false;
        }
        return true;
    }
    if (expected.isArray()) {
        if (!actual.isArray() || expected.toArray().size() != actual.toArray().size())
            return false;
        for (qsizetype i = 0; i < expected.toArray().size(); ++i) {
            if (!matches(expected.toArray().at(i), actual.toArray().at(i)))
                return false;
        }
        return true;
    }
    return expected == actual;
}
