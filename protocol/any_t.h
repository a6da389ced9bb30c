#pragma once

#include "protocol/WireValue.h"

#include <QtGlobal>

// The decoded body of one inner message (of an envelope or a service), tagged
// by its class id, or empty.
class any_t
{
public:
    any_t() = default;
    any_t(quint8 classId, WireValue::List fields)
        : m_classId(classId)
        , m_empty(false)
        , m_fields(std::move(fields))
    {
    }
    // From a decoded inner or any field: its tag is the class id (0: empty).
    explicit any_t(const WireValue &inner)
        : m_classId(quint8(inner.tag() > 0 ? inner.tag() : 0))
        , m_empty(inner.tag() <= 0)
        , m_fields(inner.tag() > 0 ? inner.toList() : WireValue::List())
    {
    }

    bool empty() const { return m_empty; }
    quint8 classId() const { return m_classId; }
    const WireValue::List &fields() const { return m_fields; }
    // Field i; server_error when the body has fewer fields.
    const WireValue &at(size_t i) const;

    bool operator==(const any_t &other) const = default;

private:
    quint8 m_classId = 0;
    bool m_empty = true;
    WireValue::List m_fields;
};
