#pragma once

#include "xmpp/elements/XMPPJid.h"

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>
#include <variant>
#include <vector>

// A search form: the plain fields of a search query (kind 0) or a data form
// (kind 1). Copying copies every field.
class XMPPDataForm
{
public:
    enum Kind { PlainForm = 0, DataForm = 1 };
    enum FieldType {
        Boolean = 0,
        Fixed,
        Hidden,
        JidSingle,
        JidMulti,
        ListSingle,
        ListMulti,
        TextSingle,
        TextMulti,
        TextPrivate,
        FieldTypeCount
    };

    using Value = std::variant<bool, QString, QStringList, XMPPJid, QList<XMPPJid>>;
    using Option = QPair<QString, QString>; // label, value

    struct Field
    {
        Field(int type, const QString &var, const QString &label = QString(),
              const QList<Option> &options = QList<Option>());

        int type;
        QString var;
        QString label;
        QString description;
        bool required = false;
        Value value;
        QList<Option> options;
    };

    explicit XMPPDataForm(int kind = PlainForm);
    XMPPDataForm(const XMPPDataForm &other);
    XMPPDataForm &operator=(const XMPPDataForm &other);
    XMPPDataForm(XMPPDataForm &&) noexcept = default;
    XMPPDataForm &operator=(XMPPDataForm &&) noexcept = default;
    ~XMPPDataForm();

    int kind() const { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    const QString &title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    const QString &instructions() const { return m_instructions; }
    void setInstructions(const QString &instructions) { m_instructions = instructions; }

    // Takes ownership; a field whose name is already present replaces the
    // index entry, so lookups find the later one.
    void addField(Field *field);

    const QStringList &vars() const { return m_vars; }
    int fieldCount() const { return int(m_fields.size()); }
    Field *fieldAt(int i) { return m_fields.at(size_t(i)).get(); }
    const Field *fieldAt(int i) const { return m_fields.at(size_t(i)).get(); }
    Field *field(const QString &var);
    const Field *field(const QString &var) const;

    static QString fieldTypeName(int type);            // empty outside the table
    static int fieldTypeFromName(const QString &name); // -1 when unknown
    static Value initialValue(int type);

private:
    int m_kind;
    QString m_title;
    QString m_instructions;
    QStringList m_vars;
    std::vector<std::unique_ptr<Field>> m_fields;
    QMap<QString, int> m_index;
};

Q_DECLARE_METATYPE(XMPPDataForm)
