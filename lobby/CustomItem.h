#pragma once

#include "lobby/ItemRoles.h"

#include <QStandardItem>
#include <QVariant>

#include <functional>
#include <utility>

// A standard item that keeps a typed value and shows it through a formatter;
// proxies sort on the raw value, views show the text.
template <typename T>
class CustomItem : public QStandardItem
{
public:
    using Formatter = std::function<QString(const T &)>;

    CustomItem(const T &value, Formatter formatter)
        : m_value(value)
        , m_formatter(std::move(formatter))
    {
    }

    QVariant data(int role = Qt::UserRole + 1) const override
    {
        if (role == ItemRoles::RawValueRole)
            return QVariant::fromValue(m_value);
        if (role == Qt::DisplayRole)
            return m_formatter(m_value); // an empty formatter throws std::bad_function_call
        return QStandardItem::data(role);
    }

    const T &value() const { return m_value; }

    void setValue(const T &value)
    {
        m_value = value;
        emitDataChanged();
    }

    QStandardItem *clone() const override { return new CustomItem<T>(*this); }

protected:
    CustomItem(const CustomItem &other)
        : QStandardItem(other)
        , m_value(other.m_value)
        , m_formatter(other.m_formatter)
    {
    }

private:
    T m_value;
    Formatter m_formatter;
};
