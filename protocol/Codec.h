#pragma once

#include "protocol/WireValue.h"
#include "protocol/message_t.h"

#include <QtGlobal>

#include <map>
#include <memory>
#include <string>
#include <vector>

// Encoding and decoding by the message table (protocol/MessageTable.h), from
// which the peer's scenario files and the protocol reference follow too.
//
// Field types: bool (1 byte 0/1), i8, u8, i16, u16, i32, i64 (big-endian,
// two's complement), tile (1 byte: 0-41 or 255), str (u32 byte length +
// UTF-8), time (i64 ms since the epoch, UTC; INT64_MIN for none), [T] (u32
// count + elements), records by name (their fields in order), var (u8 tag +
// a bool, i32, i64, str, time, [i32] or [time]), any (u8 value tag, 0 for
// empty, + that value's record), inner:tournament / inner:service (u8 inner
// class id + that class's fields). An integer type may carry a range, as in
// i32(0..7), and a list the number of elements the game allows, as in
// [tile](0..144); a value outside it is refused before anything is built.
namespace message_table {
struct MessageRow;
}

class Codec
{
public:
    enum Space { Frame = 0, Tournament = 1, Service = 2, Value = 3 };
    enum Direction { ToServer, ToClient, Both };

    struct Type;
    struct Record;
    struct Field
    {
        std::string name;
        const Type *type = nullptr;
    };
    struct Record
    {
        std::string name;
        std::vector<Field> fields;
        size_t minSize = 0;
    };
    struct Type
    {
        enum Kind { Bool, I8, U8, I16, U16, I32, I64, Tile, Str, Time, List, RecordRef, Var, Any, Inner };
        Kind kind = I32;
        bool ranged = false; // min..max: of the value, or of a list's element count
        qint64 min = 0;
        qint64 max = 0;
        const Type *element = nullptr;  // List
        const Record *record = nullptr; // RecordRef
        Space space = Frame;            // Inner
        std::string text;               // as written in the table
    };
    struct Message
    {
        Space space = Frame;
        quint8 id = 0;
        std::string name;
        Direction direction = Both;
        // Service classes: the service that carries them (0: any).
        quint16 service = 0;
        Record body;
        std::string note;
    };

    // Nesting of records, lists and inner messages deeper than this is refused.
    static constexpr int maxDepth = 16;
    // Longest list a var may hold (the rounds of a tournament).
    static constexpr quint32 maxValueListSize = 1024;

    static const Codec &instance();

    const Message *message(Space space, quint8 id) const;
    const Message *messageByName(const std::string &name) const;
    const Record *record(const std::string &name) const;
    const std::vector<std::unique_ptr<Message>> &messages() const { return m_messages; }
    const std::vector<std::unique_ptr<Record>> &records() const { return m_records; }

    // Encodes a frame body (class id first). Fields that do not fit the
    // layout throw std::invalid_argument.
    message_t encode(quint8 classId, const WireValue::List &fields) const;
    // Decodes a frame body into its fields. Anything that does not follow
    // the layout exactly (unknown class, short body, trailing bytes, bad
    // UTF-8, a value out of range) throws server_error.
    WireValue::List decode(const message_t &body) const;
    WireValue::List decode(const quint8 *data, size_t size) const;

private:
    Codec();
    const Type *parseType(const std::string &text);
    Record parseRecord(const std::string &name, const std::string &layout);
    void addRecord(const char *name, const char *layout);
    void addMessage(const message_table::MessageRow &row);

    std::vector<std::unique_ptr<Record>> m_records;
    std::vector<std::unique_ptr<Type>> m_types;
    std::vector<std::unique_ptr<Message>> m_messages;
    std::map<std::string, const Record *> m_recordByName;
    std::map<std::string, const Message *> m_messageByName;
    const Message *m_index[4][256] = {};
};
