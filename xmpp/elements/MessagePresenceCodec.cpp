#include "xmpp/elements/MessagePresenceCodec.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ElementCodec.h"
#include "xmpp/elements/MessageStanza.h"
#include "xmpp/elements/MucPresenceStanza.h"
#include "xmpp/elements/Namespaces.h"
#include "xmpp/elements/PresenceStanza.h"

#include <QDebug>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamWriter>

#include <algorithm>

namespace xmpp {

namespace {

const QString undetermined = QStringLiteral("UND");

QString str(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

QString languageOf(const XmlElement &e)
{
    const QString lang = xmlLang(e);
    return lang.isEmpty() ? undetermined : lang;
}

void readTexts(const XmlElement &parent, const QString &name, QMap<QString, QString> &texts)
{
    for (XmlElement e = firstChildElementLocal(parent, name); !e.isNull(); e = nextSiblingElementLocal(e, name))
        texts.insert(languageOf(e), e.text());
}

int indexIn(const QString &text, std::initializer_list<const char *> names)
{
    int i = 0;
    for (const char *name : names) {
        if (text == QLatin1String(name))
            return i;
        ++i;
    }
    return -1;
}

QDateTime utcDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, msec);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

void writeLanguageTexts(QXmlStreamWriter &xml, const char *name, const QMap<QString, QString> &texts,
                        const MessageStanza &message)
{
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it) {
        xml.writeStartElement(str(name));
        if (it.key() != undetermined) {
            xml.writeAttribute(QStringLiteral("xml:lang"), xmlSafeText(it.key()));
        } else if (texts.size() > 1) {
            xml.writeAttribute(QStringLiteral("xml:lang"),
                               xmlSafeText(message.lang.isEmpty() ? message.defaultLanguage : message.lang));
        }
        xml.writeCharacters(xmlSafeText(it.value()));
        xml.writeEndElement();
    }
}

void writePhotoUpdate(QXmlStreamWriter &xml, const PresenceStanza &presence)
{
    if (presence.photoHash.isNull()) {
        xml.writeEmptyElement(QStringLiteral("x"));
        xml.writeDefaultNamespace(str(ns::vcardUpdate));
        return;
    }
    xml.writeStartElement(QStringLiteral("x"));
    xml.writeDefaultNamespace(str(ns::vcardUpdate));
    xml.writeTextElement(QStringLiteral("photo"), QString::fromLatin1(presence.photoHash.toHex()));
    xml.writeEndElement();
}

} // namespace

QDateTime parseDelayStamp(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})(?:\\.(\\d+))?(?:Z|([+-])(\\d{2}):(\\d{2}))$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return QDateTime();
    // Only milliseconds are kept of any number of fraction digits.
    const QString fraction = (m.captured(7) + QStringLiteral("000")).left(3);
    QDateTime stamp = utcDateTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                                  m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(),
                                  fraction.toInt());
    if (!stamp.isValid() || m.captured(8).isEmpty())
        return stamp;
    const int hours = m.captured(9).toInt();
    const int minutes = m.captured(10).toInt();
    if (hours > 23 || minutes > 59)
        return QDateTime();
    const int offset = (hours * 60 + minutes) * 60;
    return stamp.addSecs(m.captured(8) == QLatin1String("+") ? -offset : offset);
}

bool parseDelay(const XmlElement &delay, DelayedDeliveryInfo &info)
{
    const QDateTime stamp = parseDelayStamp(delay.attribute(QStringLiteral("stamp")));
    if (!stamp.isValid())
        return false;
    info.from = parseJid(delay.attribute(QStringLiteral("from")));
    info.stamp = stamp;
    return true;
}

bool parseLegacyDelay(const XmlElement &x, DelayedDeliveryInfo &info)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})$"));
    const QString text = x.attribute(QStringLiteral("stamp"));
    QDateTime stamp;
    const QRegularExpressionMatch m = pattern.match(text);
    if (m.hasMatch()) {
        stamp = utcDateTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt(),
                            m.captured(5).toInt(), m.captured(6).toInt(), 0);
    }
    if (!stamp.isValid())
        stamp = parseDelayStamp(text);
    if (!stamp.isValid())
        return false;
    info.from = parseJid(x.attribute(QStringLiteral("from")));
    info.stamp = stamp;
    return true;
}

std::unique_ptr<MessageStanza> parseMessage(const XmlElement &element)
{
    auto message = std::make_unique<MessageStanza>();

    DelayedDeliveryInfo info;
    const XmlElement delay = firstChildElementNS(element, QStringLiteral("delay"), str(ns::delay));
    const XmlElement legacy = firstChildElementNS(element, QStringLiteral("x"), str(ns::legacyDelay));
    if (!delay.isNull() && parseDelay(delay, info)) {
        message->delay = info;
    } else if (!legacy.isNull() && parseLegacyDelay(legacy, info)) {
        message->delay = info;
    } else if (!delay.isNull() || !legacy.isNull()) {
        qCWarning(lcXmpp) << "xmpp: invalid format for 'stamp' attribute, delay ignored";
    }

    readTexts(element, QStringLiteral("body"), message->bodies);
    readTexts(element, QStringLiteral("subject"), message->subjects);
    const XmlElement thread = firstChildElementLocal(element, QStringLiteral("thread"));
    message->thread = thread.isNull() ? QString() : thread.text();
    return message;
}

int parseShow(const QString &text)
{
    const int i = indexIn(text, {"away", "chat", "dnd", "xa"});
    return i < 0 ? -1 : i + 1;
}

int parseMucAffiliation(const QString &text)
{
    if (text.isEmpty())
        return MucUserInfo::AffiliationNone;
    return indexIn(text, {"none", "admin", "member", "outcast", "owner"});
}

int parseMucRole(const QString &text)
{
    if (text.isEmpty())
        return MucUserInfo::RoleNone;
    return indexIn(text, {"none", "moderator", "participant", "visitor"});
}

QByteArray parsePhotoHash(const XmlElement &x)
{
    const XmlElement photo = firstChildElementLocal(x, QStringLiteral("photo"));
    if (photo.isNull())
        return QByteArray();
    QByteArray hash = QByteArray::fromHex(photo.text().toLatin1());
    if (hash.isNull())
        hash = QByteArray(""); // an empty photo element: "no picture", not "unknown"
    return hash;
}

MucUserInfo parseMucUserInfo(const XmlElement &x)
{
    MucUserInfo info;
    const XmlElement item = firstChildElementLocal(x, QStringLiteral("item"));
    if (!item.isNull()) {
        const QString jid = item.attribute(QStringLiteral("jid"));
        if (!jid.isEmpty())
            info.jid = parseJid(jid);
        const int affiliation = parseMucAffiliation(item.attribute(QStringLiteral("affiliation")));
        if (affiliation < 0)
            qCWarning(lcXmpp) << "xmpp: invalid muc affiliation data, ignored:"
                              << item.attribute(QStringLiteral("affiliation"));
        else
            info.affiliation = affiliation;
        const int role = parseMucRole(item.attribute(QStringLiteral("role")));
        if (role < 0)
            qCWarning(lcXmpp) << "xmpp: invalid muc role data, ignored:" << item.attribute(QStringLiteral("role"));
        else
            info.role = role;
        info.nick = item.attribute(QStringLiteral("nick"));
        const XmlElement actor = firstChildElementLocal(item, QStringLiteral("actor"));
        if (!actor.isNull() && !actor.attribute(QStringLiteral("jid")).isEmpty())
            info.actor = parseJid(actor.attribute(QStringLiteral("jid")));
        const XmlElement reason = firstChildElementLocal(item, QStringLiteral("reason"));
        if (!reason.isNull())
            info.reason = reason.text();
        const XmlElement cont = firstChildElementLocal(item, QStringLiteral("continue"));
        if (!cont.isNull())
            info.continueThread = cont.attribute(QStringLiteral("thread"));
    }
    for (XmlElement status = firstChildElementLocal(x, QStringLiteral("status")); !status.isNull();
         status = nextSiblingElementLocal(status, QStringLiteral("status"))) {
        bool ok = false;
        const int code = status.attribute(QStringLiteral("code")).toInt(&ok, 10);
        if (ok)
            info.statusCodes.append(code);
        else
            qCWarning(lcXmpp) << "xmpp: invalid muc status code, ignored:" << status.attribute(QStringLiteral("code"));
    }
    return info;
}

std::unique_ptr<PresenceStanza> parsePresence(const XmlElement &element)
{
    std::unique_ptr<PresenceStanza> presence;
    if (element.elementsByTagNameNS(str(ns::muc), QStringLiteral("x")).isEmpty())
        presence = std::make_unique<PresenceStanza>();
    else
        presence = std::make_unique<MucPresenceStanza>();

    const XmlElement mucUser = firstChildElementNS(element, QStringLiteral("x"), str(ns::mucUser));
    if (!mucUser.isNull()) {
        presence->mucUser = parseMucUserInfo(mucUser);
        presence->hasMucUser = true;
    }

    const XmlElement tables = firstChildElementNS(element, QStringLiteral("tables"), str(ns::tablePresence));
    for (XmlElement path = firstChildElementLocal(tables, QStringLiteral("path")); !path.isNull();
         path = nextSiblingElementLocal(path, QStringLiteral("path"))) {
        presence->tablePaths.insert(path.text());
    }

    const XmlElement update = firstChildElementNS(element, QStringLiteral("x"), str(ns::vcardUpdate));
    if (!update.isNull())
        presence->photoHash = parsePhotoHash(update);

    const XmlElement show = firstChildElementLocal(element, QStringLiteral("show"));
    if (!show.isNull()) {
        const int code = parseShow(show.text());
        if (code < 0)
            qCWarning(lcXmpp) << "xmpp: invalid presence show data, ignored:" << show.text();
        else
            presence->show = code;
    }

    readTexts(element, QStringLiteral("status"), presence->statuses);

    const XmlElement priority = firstChildElementLocal(element, QStringLiteral("priority"));
    const QString priorityText = priority.isNull() ? QString() : priority.text();
    if (!priorityText.isEmpty()) {
        bool ok = false;
        const int value = priorityText.toInt(&ok, 10);
        if (ok && value >= -128 && value <= 127)
            presence->priority = value;
        else
            qCWarning(lcXmpp) << "xmpp: invalid presence priority, ignored:" << priorityText;
    }
    return presence;
}

void writeMessageContent(QXmlStreamWriter &xml, const MessageStanza &message)
{
    writeLanguageTexts(xml, "subject", message.subjects, message);
    writeLanguageTexts(xml, "body", message.bodies, message);
    if (!message.thread.isEmpty())
        xml.writeTextElement(QStringLiteral("thread"), xmlSafeText(message.thread));
}

void writePresenceContent(QXmlStreamWriter &xml, const PresenceStanza &presence)
{
    const QString show = PresenceStanza::showText(presence.show);
    if (!show.isEmpty())
        xml.writeTextElement(QStringLiteral("show"), show);
    for (auto it = presence.statuses.constBegin(); it != presence.statuses.constEnd(); ++it) {
        if (it.value().isEmpty())
            continue;
        xml.writeStartElement(QStringLiteral("status"));
        if (it.key() != undetermined)
            xml.writeAttribute(QStringLiteral("xml:lang"), xmlSafeText(it.key()));
        xml.writeCharacters(xmlSafeText(it.value()));
        xml.writeEndElement();
    }
    if (presence.priority != 0)
        xml.writeTextElement(QStringLiteral("priority"), QString::number(presence.priority));
    if (!presence.tablePaths.isEmpty()) {
        // Sorted, so the same set always gives the same bytes.
        QStringList paths(presence.tablePaths.cbegin(), presence.tablePaths.cend());
        std::sort(paths.begin(), paths.end());
        xml.writeStartElement(QStringLiteral("tables"));
        xml.writeDefaultNamespace(str(ns::tablePresence));
        for (const QString &path : paths)
            xml.writeTextElement(QStringLiteral("path"), xmlSafeText(path));
        xml.writeEndElement();
    }
    writePhotoUpdate(xml, presence);
}

void writeMucPresenceContent(QXmlStreamWriter &xml, const PresenceStanza &presence)
{
    xml.writeEmptyElement(QStringLiteral("x"));
    xml.writeDefaultNamespace(str(ns::muc));
    writePhotoUpdate(xml, presence);
}

} // namespace xmpp
