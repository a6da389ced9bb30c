#include "protocol/Codec.h"

#include "protocol/MessageTable.h"
#include "protocol/ServerError.h"

#include <QStringDecoder>

#include <limits>
#include <sstream>
#include <stdexcept>

const Codec &Codec::instance()
{
    static const Codec codec;
    return codec;
}

Codec::Codec()
{
    for (const message_table::RecordRow &r : message_table::records)
        addRecord(r.name, r.layout);
    for (const message_table::MessageRow &m : message_table::messages)
        addMessage(m);
}

void Codec::addRecord(const char *name, const char *layout)
{
    auto record = std::make_unique<Record>(parseRecord(name, layout));
    m_recordByName[record->name] = record.get();
    m_records.push_back(std::move(record));
}

void Codec::addMessage(const message_table::MessageRow &row)
{
    if (m_index[row.space][row.id] || m_messageByName.count(row.name))
        throw std::logic_error(std::string("duplicate message ") + row.name);
    auto m = std::make_unique<Message>();
    m->space = row.space;
    m->id = row.id;
    m->name = row.name;
    m->direction = row.direction;
    m->service = row.service;
    m->body = parseRecord(row.name, row.layout);
    m->note = row.note;
    m_index[row.space][row.id] = m.get();
    m_messageByName[m->name] = m.get();
    m_messages.push_back(std::move(m));
}

static std::string trimmed(const std::string &s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

static size_t minSizeOf(const Codec::Type *t)
{
    switch (t->kind) {
    case Codec::Type::Bool:
    case Codec::Type::I8:
    case Codec::Type::U8:
    case Codec::Type::Tile:
    case Codec::Type::Var:
    case Codec::Type::Any:
    case Codec::Type::Inner:
        return 1;
    case Codec::Type::I16:
    case Codec::Type::U16:
        return 2;
    case Codec::Type::I32:
    case Codec::Type::Str:
    case Codec::Type::List:
        return 4;
    case Codec::Type::I64:
    case Codec::Type::Time:
        return 8;
    case Codec::Type::RecordRef:
        return t->record->minSize;
    }
    return 1;
}

const Codec::Type *Codec::parseType(const std::string &text)
{
    auto t = std::make_unique<Type>();
    t->text = text;
    const auto close = text.rfind(']');
    if (text.size() > 2 && text.front() == '[' && close != std::string::npos) {
        t->kind = Type::List;
        t->element = parseType(text.substr(1, close - 1));
        // "[T](a..b)": the number of elements the game allows
        const std::string count = text.substr(close + 1);
        if (!count.empty()) {
            const auto dots = count.find("..");
            if (count.front() != '(' || count.back() != ')' || dots == std::string::npos)
                throw std::logic_error("bad list bound in protocol table: " + text);
            t->ranged = true;
            t->min = std::stoll(count.substr(1, dots - 1));
            t->max = std::stoll(count.substr(dots + 2, count.size() - dots - 3));
        }
    } else if (text == "inner:tournament" || text == "inner:service") {
        t->kind = Type::Inner;
        t->space = text == "inner:tournament" ? Tournament : Service;
    } else {
        std::string base = text;
        const auto paren = text.find('(');
        if (paren != std::string::npos) {
            base = text.substr(0, paren);
            const auto dots = text.find("..", paren);
            t->ranged = true;
            t->min = std::stoll(text.substr(paren + 1, dots - paren - 1));
            t->max = std::stoll(text.substr(dots + 2, text.size() - dots - 3));
        }
        static const std::map<std::string, Type::Kind> kinds = {
            {"bool", Type::Bool}, {"i8", Type::I8},     {"u8", Type::U8},   {"i16", Type::I16},
            {"u16", Type::U16},   {"i32", Type::I32},   {"i64", Type::I64}, {"tile", Type::Tile},
            {"str", Type::Str},   {"time", Type::Time}, {"var", Type::Var}, {"any", Type::Any}};
        auto k = kinds.find(base);
        if (k != kinds.end()) {
            t->kind = k->second;
        } else {
            auto r = m_recordByName.find(base);
            if (r == m_recordByName.end())
                throw std::logic_error("unknown type in protocol table: " + text);
            t->kind = Type::RecordRef;
            t->record = r->second;
        }
    }
    m_types.push_back(std::move(t));
    return m_types.back().get();
}

Codec::Record Codec::parseRecord(const std::string &name, const std::string &layout)
{
    Record record;
    record.name = name;
    std::stringstream ss(layout);
    std::string item;
    while (std::getline(ss, item, ',')) {
        item = trimmed(item);
        if (item.empty())
            continue;
        const auto space = item.rfind(' ');
        Field f;
        f.name = item.substr(space + 1);
        f.type = parseType(trimmed(item.substr(0, space)));
        record.minSize += minSizeOf(f.type);
        record.fields.push_back(f);
    }
    return record;
}

const Codec::Message *Codec::message(Space space, quint8 id) const
{
    return m_index[space][id];
}

const Codec::Message *Codec::messageByName(const std::string &name) const
{
    auto it = m_messageByName.find(name);
    return it == m_messageByName.end() ? nullptr : it->second;
}

const Codec::Record *Codec::record(const std::string &name) const
{
    auto it = m_recordByName.find(name);
    return it == m_recordByName.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- encoding

namespace {
constexpr qint64 noTime = std::numeric_limits<qint64>::min();

class Writer
{
public:
    explicit Writer(message_t &out)
        : m_out(out)
    {
    }

    template <typename T>
    void put(T v)
    {
        using U = std::make_unsigned_t<T>;
        const U u = U(v);
        for (int shift = int(sizeof(T) - 1) * 8; shift >= 0; shift -= 8)
            m_out.push_back(quint8(u >> shift));
    }

    void record(const Codec &codec, const Codec::Record &r, const WireValue::List &fields, int depth)
    {
        if (fields.size() != r.fields.size())
            throw std::invalid_argument(r.name + ": expected " + std::to_string(r.fields.size()) + " fields, got "
                                        + std::to_string(fields.size()));
        for (size_t i = 0; i < fields.size(); ++i)
            value(codec, *r.fields[i].type, fields[i], r, r.fields[i], depth);
    }

    // The record and field are for error messages only: the text naming
    // them is built when something fails, not for every field written.
    void value(const Codec &codec, const Codec::Type &t, const WireValue &v, const Codec::Record &r,
               const Codec::Field &f, int depth)
    {
        if (depth > Codec::maxDepth)
            throw std::invalid_argument(r.name + "." + f.name + ": nested too deep");
        try {
            switch (t.kind) {
            case Codec::Type::Bool:
                put<quint8>(v.toBool() ? 1 : 0);
                break;
            case Codec::Type::I8:
                put<qint8>(qint8(checked(t, v.toInt(), -128, 127)));
                break;
            case Codec::Type::U8:
                put<quint8>(quint8(checked(t, v.toInt(), 0, 255)));
                break;
            case Codec::Type::Tile: {
                const qint64 i = v.toInt();
                // tile bytes are signed in memory: -1 is the concealed tile 255
                if (!((i >= 0 && i <= 41) || i == 255 || i == -1))
                    throw std::invalid_argument("tile out of range: " + std::to_string(i));
                put<quint8>(quint8(i));
                break;
            }
            case Codec::Type::I16:
                put<qint16>(qint16(checked(t, v.toInt(), -32768, 32767)));
                break;
            case Codec::Type::U16:
                put<quint16>(quint16(checked(t, v.toInt(), 0, 65535)));
                break;
            case Codec::Type::I32:
                put<qint32>(qint32(
                    checked(t, v.toInt(), std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max())));
                break;
            case Codec::Type::I64:
                put<qint64>(
                    checked(t, v.toInt(), std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()));
                break;
            case Codec::Type::Str:
                putString(v.toString());
                break;
            case Codec::Type::Time:
                putTime(v.toDateTime());
                break;
            case Codec::Type::List: {
                const WireValue::List &items = v.toList();
                if (t.ranged && (qint64(items.size()) < t.min || qint64(items.size()) > t.max))
                    throw std::invalid_argument("list of " + std::to_string(items.size()) + " elements for " + t.text);
                put<quint32>(quint32(items.size()));
                for (const WireValue &item : items)
                    value(codec, *t.element, item, r, f, depth + 1);
                break;
            }
            case Codec::Type::RecordRef:
                record(codec, *t.record, v.toList(), depth + 1);
                break;
            case Codec::Type::Var:
                var(v);
                break;
            case Codec::Type::Any:
            case Codec::Type::Inner: {
                const Codec::Space space = t.kind == Codec::Type::Any ? Codec::Value : t.space;
                if (t.kind == Codec::Type::Any && (v.isNull() || v.tag() == 0)) {
                    put<quint8>(0);
                    break;
                }
                if (v.tag() < 0 || v.tag() > 255)
                    throw std::invalid_argument("inner value without a class id");
                const Codec::Message *m = codec.message(space, quint8(v.tag()));
                if (!m)
                    throw std::invalid_argument("unknown inner class " + std::to_string(v.tag()));
                put<quint8>(quint8(v.tag()));
                record(codec, m->body, v.toList(), depth + 1);
                break;
            }
            }
        } catch (const server_error &e) {
            throw std::invalid_argument(r.name + "." + f.name + ": " + e.what());
        }
    }

private:
    void putString(const QString &s)
    {
        const QByteArray utf8 = s.toUtf8();
        put<quint32>(quint32(utf8.size()));
        m_out.insert(m_out.end(), utf8.begin(), utf8.end());
    }

    void putTime(const QDateTime &t) { put<qint64>(t.isValid() ? t.toMSecsSinceEpoch() : noTime); }

    static qint64 checked(const Codec::Type &t, qint64 v, qint64 min, qint64 max)
    {
        if (t.ranged) {
            min = std::max(min, t.min);
            max = std::min(max, t.max);
        }
        if (v < min || v > max)
            throw std::invalid_argument("value " + std::to_string(v) + " out of range for " + t.text);
        return v;
    }

    void var(const WireValue &v)
    {
        if (v.isNull()) {
            put<quint8>(0);
        } else if (v.isBool()) {
            put<quint8>(1);
            put<quint8>(v.toBool());
        } else if (v.isInt()) {
            const qint64 i = v.toInt();
            if (i >= std::numeric_limits<qint32>::min() && i <= std::numeric_limits<qint32>::max()) {
                put<quint8>(2);
                put<qint32>(qint32(i));
            } else {
                put<quint8>(3);
                put<qint64>(i);
            }
        } else if (v.isString()) {
            put<quint8>(4);
            putString(v.toString());
        } else if (v.isDateTime()) {
            put<quint8>(5);
            putTime(v.toDateTime());
        } else {
            const WireValue::List &items = v.toList();
            const bool times = !items.empty() && items.front().isDateTime();
            put<quint8>(times ? 7 : 6);
            put<quint32>(quint32(items.size()));
            for (const WireValue &item : items) {
                if (times)
                    putTime(item.toDateTime());
                else
                    put<qint32>(item.toInt32());
            }
        }
    }

    message_t &m_out;
};

// ---------------------------------------------------------------- decoding

class Reader
{
public:
    Reader(const quint8 *data, size_t size)
        : m_p(data)
        , m_end(data + size)
    {
    }

    size_t remaining() const { return size_t(m_end - m_p); }

    template <typename T>
    T get()
    {
        if (remaining() < sizeof(T))
            throw server_error("message ends inside a field");
        using U = std::make_unsigned_t<T>;
        U u = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            u = U((u << 8) | m_p[i]);
        m_p += sizeof(T);
        return T(u);
    }

    WireValue::List record(const Codec &codec, const Codec::Record &r, int depth)
    {
        WireValue::List fields;
        fields.reserve(r.fields.size());
        for (const Codec::Field &f : r.fields) {
            try {
                fields.push_back(value(codec, *f.type, depth));
            } catch (const server_error &e) {
                const std::string what = e.what();
                // name the innermost field only once
                if (what.find(" in ") == std::string::npos)
                    throw server_error(what + " in " + r.name + "." + f.name);
                throw;
            }
        }
        return fields;
    }

    WireValue value(const Codec &codec, const Codec::Type &t, int depth)
    {
        if (depth > Codec::maxDepth)
            throw server_error("message nested too deep");
        switch (t.kind) {
        case Codec::Type::Bool: {
            const quint8 b = get<quint8>();
            if (b > 1)
                throw server_error("flag value " + std::to_string(b) + " is neither 0 nor 1");
            return WireValue(b == 1);
        }
        case Codec::Type::I8:
            return ranged(t, get<qint8>());
        case Codec::Type::U8:
            return ranged(t, get<quint8>());
        case Codec::Type::Tile: {
            const quint8 b = get<quint8>();
            if (b > 41 && b != 255)
                throw server_error("tile value " + std::to_string(b) + " out of range");
            return WireValue(qint64(qint8(b)));
        }
        case Codec::Type::I16:
            return ranged(t, get<qint16>());
        case Codec::Type::U16:
            return ranged(t, get<quint16>());
        case Codec::Type::I32:
            return ranged(t, get<qint32>());
        case Codec::Type::I64:
            return ranged(t, get<qint64>());
        case Codec::Type::Str:
            return WireValue(string());
        case Codec::Type::Time:
            return WireValue(time());
        case Codec::Type::List: {
            const quint32 count = get<quint32>();
            if (t.ranged && (qint64(count) < t.min || qint64(count) > t.max))
                throw server_error("list of " + std::to_string(count) + " elements where " + std::to_string(t.min)
                                   + ".." + std::to_string(t.max) + " are allowed");
            const size_t least = std::max<size_t>(1, minSizeOf(t.element));
            if (count > remaining() / least)
                throw server_error("list of " + std::to_string(count) + " elements runs past the end of the message");
            WireValue::List items;
            items.reserve(count);
            for (quint32 i = 0; i < count; ++i)
                items.push_back(value(codec, *t.element, depth + 1));
            return WireValue(std::move(items));
        }
        case Codec::Type::RecordRef:
            return WireValue(record(codec, *t.record, depth + 1));
        case Codec::Type::Var:
            return var();
        case Codec::Type::Any:
        case Codec::Type::Inner: {
            const quint8 id = get<quint8>();
            if (t.kind == Codec::Type::Any && id == 0)
                return WireValue(WireValue::List(), 0);
            const Codec::Space space = t.kind == Codec::Type::Any ? Codec::Value : t.space;
            const Codec::Message *m = codec.message(space, id);
            if (!m)
                throw server_error("unknown inner class id " + std::to_string(id));
            return WireValue(record(codec, m->body, depth + 1), id);
        }
        }
        throw server_error("unknown field type");
    }

private:
    static WireValue ranged(const Codec::Type &t, qint64 v)
    {
        if (t.ranged && (v < t.min || v > t.max))
            throw server_error("value " + std::to_string(v) + " out of range " + std::to_string(t.min) + ".."
                               + std::to_string(t.max));
        return WireValue(v);
    }

    QString string()
    {
        const quint32 length = get<quint32>();
        if (length > remaining())
            throw server_error("text of " + std::to_string(length) + " bytes runs past the end of the message");
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        QString s = decoder(QByteArrayView(reinterpret_cast<const char *>(m_p), qsizetype(length)));
        if (decoder.hasError())
            throw server_error("text is not valid UTF-8");
        m_p += length;
        return s;
    }

    QDateTime time()
    {
        const qint64 ms = get<qint64>();
        if (ms == noTime)
            return QDateTime();
        // Keep to years 1..9999 so every later computation stays defined.
        constexpr qint64 limit = 253402300799999LL;
        constexpr qint64 lowest = -62135596800000LL;
        if (ms < lowest || ms > limit)
            throw server_error("date-time out of range: " + std::to_string(ms));
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    }

    WireValue var()
    {
        const quint8 tag = get<quint8>();
        switch (tag) {
        case 0:
            return WireValue();
        case 1: {
            const quint8 b = get<quint8>();
            if (b > 1)
                throw server_error("flag value out of range");
            return WireValue(b == 1);
        }
        case 2:
            return WireValue(qint64(get<qint32>()));
        case 3:
            return WireValue(get<qint64>());
        case 4:
            return WireValue(string());
        case 5:
            return WireValue(time());
        case 6:
        case 7: {
            const quint32 count = get<quint32>();
            if (count > Codec::maxValueListSize)
                throw server_error("value list of " + std::to_string(count) + " elements");
            const size_t least = tag == 6 ? 4 : 8;
            if (count > remaining() / least)
                throw server_error("list runs past the end of the message");
            WireValue::List items;
            items.reserve(count);
            for (quint32 i = 0; i < count; ++i)
                items.push_back(tag == 6 ? WireValue(qint64(get<qint32>())) : WireValue(time()));
            return WireValue(std::move(items));
        }
        default:
            throw server_error("unknown value tag " + std::to_string(tag));
        }
    }

    const quint8 *m_p;
    const quint8 *m_end;
};
} // namespace

message_t Codec::encode(quint8 classId, const WireValue::List &fields) const
{
    const Message *m = message(Frame, classId);
    if (!m)
        throw std::invalid_argument("unknown class id " + std::to_string(classId));
    message_t out{classId};
    Writer w(out);
    w.record(*this, m->body, fields, 0);
    if (out.size() > 1024 * 1024)
        throw std::invalid_argument(m->name + ": message too large");
    return out;
}

WireValue::List Codec::decode(const message_t &body) const
{
    return decode(body.data(), body.size());
}

WireValue::List Codec::decode(const quint8 *data, size_t size) const
{
    if (size == 0)
        throw server_error("empty message");
    const Message *m = message(Frame, data[0]);
    if (!m)
        throw server_error("unknown message class id " + std::to_string(data[0]));
    Reader r(data + 1, size - 1);
    WireValue::List fields = r.record(*this, m->body, 0);
    if (r.remaining() != 0)
        throw server_error(m->name + ": " + std::to_string(r.remaining()) + " unexpected bytes after the last field");
    return fields;
}
