#include "xmpp/elements/SearchCodec.h"

#include "xmpp/elements/ElementCodec.h"
#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/IqSearch.h"
#include "xmpp/elements/Namespaces.h"
#include "xmpp/elements/stanza_error.h"

#include <QXmlStreamWriter>

#include <iterator>

namespace xmpp {

namespace {

struct LegacyField
{
    const char *var;
    const char *label;
};

const LegacyField legacyFields[] = {
    {"first", "Given name"}, {"last", "Family name"}, {"nick", "Nickname"}, {"email", "Email address"}};

QString str(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

[[noreturn]] void refuse()
{
    // The iq's id is filled in by the iq decoder, which knows it.
    throw stanza_error(stanza_error::IqKind, StanzaErrorType::Cancel, StanzaErrorCondition::UnexpectedRequest,
                       QString());
}

QString firstValueText(const XmlElement &field)
{
    const XmlElement value = firstChildElementLocal(field, QStringLiteral("value"));
    return value.isNull() ? QString() : value.text();
}

QStringList allValueTexts(const XmlElement &field)
{
    QStringList texts;
    for (XmlElement v = firstChildElementLocal(field, QStringLiteral("value")); !v.isNull();
         v = nextSiblingElementLocal(v, QStringLiteral("value"))) {
        texts.append(v.text());
    }
    return texts;
}

void addColumn(XMPPDataReport &report, const QString &var, const QString &label)
{
    if (!report.reported.contains(var))
        report.reported.add(var, label);
}

void writeValue(QXmlStreamWriter &xml, const QString &text)
{
    xml.writeTextElement(QStringLiteral("value"), xmlSafeText(text));
}

} // namespace

std::unique_ptr<IqSearch> parseIqSearch(const XmlElement &query)
{
    auto iq = std::make_unique<IqSearch>();
    const XmlElement x = firstChildElementNS(query, QStringLiteral("x"), str(ns::dataForms));
    if (x.isNull()) {
        iq->form = std::make_unique<XMPPDataForm>(XMPPDataForm::PlainForm);
        if (!firstChildElementNS(query, QStringLiteral("item"), str(ns::search)).isNull()) {
            iq->report = std::make_unique<XMPPDataReport>();
            parseLegacySearchItems(query, *iq->report);
        } else {
            parseLegacySearchForm(query, *iq->form);
        }
        return iq;
    }

    iq->form = std::make_unique<XMPPDataForm>(XMPPDataForm::DataForm);
    const QString type = x.attribute(QStringLiteral("type"));
    if (type == QLatin1String("form")) {
        parseDataForm(x, *iq->form);
    } else if (type == QLatin1String("result")) {
        parseDataForm(x, *iq->form);
        iq->report = std::make_unique<XMPPDataReport>();
        parseDataReport(x, *iq->report);
    } else {
        refuse();
    }
    return iq;
}

void parseLegacySearchForm(const XmlElement &query, XMPPDataForm &form)
{
    const XmlElement instructions = firstChildElementLocal(query, QStringLiteral("instructions"));
    if (!instructions.isNull())
        form.setInstructions(instructions.text());
    for (const LegacyField &f : legacyFields) {
        if (!firstChildElementLocal(query, str(f.var)).isNull())
            form.addField(new XMPPDataForm::Field(XMPPDataForm::TextSingle, str(f.var), str(f.label)));
    }
}

void parseLegacySearchItems(const XmlElement &query, XMPPDataReport &report)
{
    addColumn(report, QStringLiteral("jid"), QString());
    const QString searchNs = str(ns::search);
    for (XmlElement item = firstChildElementNS(query, QStringLiteral("item"), searchNs); !item.isNull();
         item = nextSiblingElementNS(item, QStringLiteral("item"), searchNs)) {
        if (!item.hasAttribute(QStringLiteral("jid")))
            refuse();
        XMPPDataReport::Row row;
        row.add(QStringLiteral("jid"), item.attribute(QStringLiteral("jid")));
        for (const LegacyField &f : legacyFields) {
            const XmlElement child = firstChildElementLocal(item, str(f.var));
            if (child.isNull())
                continue;
            const QString text = child.text();
            row.add(str(f.var), text);
            if (!text.isEmpty())
                addColumn(report, str(f.var), str(f.label));
        }
        report.items.append(row);
    }
}

void parseDataForm(const XmlElement &x, XMPPDataForm &form)
{
    const XmlElement title = firstChildElementLocal(x, QStringLiteral("title"));
    if (!title.isNull())
        form.setTitle(title.text());
    const XmlElement instructions = firstChildElementLocal(x, QStringLiteral("instructions"));
    if (!instructions.isNull())
        form.setInstructions(instructions.text());
    const QString formsNs = str(ns::dataForms);
    for (XmlElement field = firstChildElementNS(x, QStringLiteral("field"), formsNs); !field.isNull();
         field = nextSiblingElementNS(field, QStringLiteral("field"), formsNs)) {
        form.addField(parseDataFormField(field));
    }
}

XMPPDataForm::Field *parseDataFormField(const XmlElement &element)
{
    int type = XMPPDataForm::fieldTypeFromName(element.attribute(QStringLiteral("type")));
    if (type < 0)
        type = XMPPDataForm::TextMulti;

    QList<XMPPDataForm::Option> options;
    if (type == XMPPDataForm::ListSingle || type == XMPPDataForm::ListMulti) {
        for (XmlElement option = firstChildElementLocal(element, QStringLiteral("option")); !option.isNull();
             option = nextSiblingElementLocal(option, QStringLiteral("option"))) {
            const XmlElement value = firstChildElementLocal(option, QStringLiteral("value"));
            if (!option.hasAttribute(QStringLiteral("label")) || value.isNull())
                refuse();
            options.append({option.attribute(QStringLiteral("label")), value.text()});
        }
    }

    auto field = std::make_unique<XMPPDataForm::Field>(type, element.attribute(QStringLiteral("var")),
                                                       element.attribute(QStringLiteral("label")), options);
    const bool hasValue = !firstChildElementLocal(element, QStringLiteral("value")).isNull();
    if (hasValue) {
        switch (type) {
        case XMPPDataForm::Boolean:
            field->value = firstValueText(element).toInt(nullptr, 10) != 0;
            break;
        case XMPPDataForm::JidSingle:
            field->value = parseJid(firstValueText(element));
            break;
        case XMPPDataForm::JidMulti: {
            QList<XMPPJid> jids;
            for (const QString &text : allValueTexts(element))
                jids.append(parseJid(text));
            field->value = jids;
            break;
        }
        case XMPPDataForm::ListMulti:
        case XMPPDataForm::TextMulti:
            field->value = allValueTexts(element);
            break;
        default:
            field->value = firstValueText(element);
            break;
        }
    }
    field->required = !firstChildElementLocal(element, QStringLiteral("required")).isNull();
    const XmlElement desc = firstChildElementLocal(element, QStringLiteral("desc"));
    if (!desc.isNull())
        field->description = desc.text();
    return field.release();
}

void parseDataReport(const XmlElement &x, XMPPDataReport &report)
{
    const XmlElement reported = firstChildElementLocal(x, QStringLiteral("reported"));
    for (XmlElement field = firstChildElementLocal(reported, QStringLiteral("field")); !field.isNull();
         field = nextSiblingElementLocal(field, QStringLiteral("field"))) {
        if (!field.hasAttribute(QStringLiteral("var")))
            refuse();
        addColumn(report, field.attribute(QStringLiteral("var")), field.attribute(QStringLiteral("label")));
    }
    for (XmlElement item = firstChildElementLocal(x, QStringLiteral("item")); !item.isNull();
         item = nextSiblingElementLocal(item, QStringLiteral("item"))) {
        XMPPDataReport::Row row;
        for (XmlElement field = firstChildElementLocal(item, QStringLiteral("field")); !field.isNull();
             field = nextSiblingElementLocal(field, QStringLiteral("field"))) {
            if (!field.hasAttribute(QStringLiteral("var")))
                refuse();
            const QString var = field.attribute(QStringLiteral("var"));
            const QString text = firstValueText(field);
            row.add(var, text);
            if (!text.isEmpty())
                addColumn(report, var, QString());
        }
        report.items.append(row);
    }
}

void writeIqSearch(QXmlStreamWriter &xml, const IqSearch &iq)
{
    if (iq.typeText == QLatin1String("get")) {
        xml.writeEmptyElement(QStringLiteral("query"));
        xml.writeDefaultNamespace(str(ns::search));
        return;
    }
    if (iq.typeText != QLatin1String("set") || !iq.form)
        return;
    if (iq.form->kind() == XMPPDataForm::PlainForm)
        writeLegacySearch(xml, *iq.form);
    else
        writeSearchForm(xml, *iq.form);
}

void writeLegacySearch(QXmlStreamWriter &xml, const XMPPDataForm &form)
{
    xml.writeStartElement(QStringLiteral("query"));
    xml.writeDefaultNamespace(str(ns::search));
    for (const LegacyField &f : legacyFields) {
        const XMPPDataForm::Field *field = form.field(str(f.var));
        if (!field)
            continue;
        const QString *text = std::get_if<QString>(&field->value);
        if (text && !text->isEmpty())
            xml.writeTextElement(str(f.var), xmlSafeText(*text));
    }
    xml.writeEndElement();
}

void writeSearchForm(QXmlStreamWriter &xml, const XMPPDataForm &form)
{
    xml.writeStartElement(QStringLiteral("query"));
    xml.writeDefaultNamespace(str(ns::search));
    xml.writeStartElement(QStringLiteral("x"));
    xml.writeDefaultNamespace(str(ns::dataForms));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("submit"));

    for (int i = 0; i < form.fieldCount(); ++i) {
        const XMPPDataForm::Field &field = *form.fieldAt(i);
        QStringList values;
        bool write = false;
        switch (field.type) {
        case XMPPDataForm::Boolean:
            write = true;
            values << (std::get_if<bool>(&field.value) && *std::get_if<bool>(&field.value) ? QStringLiteral("1")
                                                                                           : QStringLiteral("0"));
            break;
        case XMPPDataForm::Fixed:
            break;
        case XMPPDataForm::Hidden:
            write = true;
            values << (std::get_if<QString>(&field.value) ? *std::get_if<QString>(&field.value) : QString());
            break;
        case XMPPDataForm::ListSingle:
        case XMPPDataForm::TextSingle:
        case XMPPDataForm::TextPrivate:
            if (const QString *text = std::get_if<QString>(&field.value); text && !text->isEmpty()) {
                write = true;
                values << *text;
            }
            break;
        case XMPPDataForm::ListMulti:
        case XMPPDataForm::TextMulti:
            if (const QStringList *list = std::get_if<QStringList>(&field.value); list && !list->isEmpty()) {
                write = true;
                values = *list;
            }
            break;
        case XMPPDataForm::JidSingle:
            if (const XMPPJid *jid = std::get_if<XMPPJid>(&field.value); jid && !jid->isNull()) {
                write = true;
                values << jid->text();
            }
            break;
        case XMPPDataForm::JidMulti:
            if (const QList<XMPPJid> *jids = std::get_if<QList<XMPPJid>>(&field.value); jids && !jids->isEmpty()) {
                write = true;
                for (const XMPPJid &jid : *jids)
                    values << jid.text();
            }
            break;
        default:
            break;
        }
        if (!write)
            continue;
        xml.writeStartElement(QStringLiteral("field"));
        xml.writeAttribute(QStringLiteral("var"), xmlSafeText(field.var));
        xml.writeAttribute(QStringLiteral("type"), XMPPDataForm::fieldTypeName(field.type));
        for (const QString &value : values)
            writeValue(xml, value);
        xml.writeEndElement();
    }

    xml.writeEndElement(); // x
    xml.writeEndElement(); // query
}

} // namespace xmpp
