#include "xmpp/elements/XMPPDataForm.h"

#include <iterator>
#include <utility>

namespace {
// Indexed by the field type code (not alphabetical).
const char *const fieldTypeNames[] = {"boolean",     "fixed",      "hidden",      "jid-single", "jid-multi",
                                      "list-single", "list-multi", "text-single", "text-multi", "text-private"};
static_assert(std::size(fieldTypeNames) == XMPPDataForm::FieldTypeCount);
} // namespace

XMPPDataForm::Field::Field(int type_, const QString &var_, const QString &label_, const QList<Option> &options_)
    : type(type_)
    , var(var_)
    , label(label_)
    , value(initialValue(type_))
    , options(options_)
{
}

XMPPDataForm::XMPPDataForm(int kind)
    : m_kind(kind)
{
}

XMPPDataForm::XMPPDataForm(const XMPPDataForm &other)
    : m_kind(other.m_kind)
    , m_title(other.m_title)
    , m_instructions(other.m_instructions)
    , m_vars(other.m_vars)
    , m_index(other.m_index)
{
    m_fields.reserve(other.m_fields.size());
    for (const auto &field : other.m_fields)
        m_fields.push_back(std::make_unique<Field>(*field));
}

XMPPDataForm &XMPPDataForm::operator=(const XMPPDataForm &other)
{
    if (this != &other) {
        XMPPDataForm copy(other);
        *this = std::move(copy);
    }
    return *this;
}

XMPPDataForm::~XMPPDataForm() = default;

void XMPPDataForm::addField(Field *field)
{
    std::unique_ptr<Field> owned(field);
    m_vars.append(owned->var);
    m_index.insert(owned->var, int(m_fields.size()));
    m_fields.push_back(std::move(owned));
}

XMPPDataForm::Field *XMPPDataForm::field(const QString &var)
{
    return const_cast<Field *>(std::as_const(*this).field(var));
}

const XMPPDataForm::Field *XMPPDataForm::field(const QString &var) const
{
    const auto it = m_index.constFind(var);
    return it == m_index.constEnd() ? nullptr : m_fields.at(size_t(*it)).get();
}

QString XMPPDataForm::fieldTypeName(int type)
{
    if (type < 0 || type >= FieldTypeCount)
        return QString();
    return QString::fromLatin1(fieldTypeNames[type]);
}

int XMPPDataForm::fieldTypeFromName(const QString &name)
{
    for (int i = 0; i < FieldTypeCount; ++i) {
        if (name == QLatin1String(fieldTypeNames[i]))
            return i;
    }
    return -1;
}

XMPPDataForm::Value XMPPDataForm::initialValue(int type)
{
    switch (type) {
    case Boolean:
        return false;
    case JidSingle:
        return XMPPJid();
    case JidMulti:
        return QList<XMPPJid>();
    case ListMulti:
    case TextMulti:
        return QStringList();
    default:
        return QString();
    }
}
