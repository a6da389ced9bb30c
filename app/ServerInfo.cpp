#include "app/ServerInfo.h"

#include "app/HttpsGet.h"
#include "app/Logging.h"

#include <QDebug>
#include <QXmlStreamReader>

ServerInfo::ServerInfo(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent)
    , m_get(new HttpsGet(network, this))
{
    connect(m_get, &HttpsGet::finished, this, &ServerInfo::onFetched);
}

ServerInfo::~ServerInfo() = default;

QUrl ServerInfo::defaultUrl(const QString &webHost)
{
    return QUrl(QStringLiteral("https://%1/client/server_info.xml").arg(webHost));
}

std::optional<QList<ServerInfo::Notice>> ServerInfo::parse(const QByteArray &data, QString *error)
{
    QXmlStreamReader xml(data);
    QList<Notice> notices;
    auto failWith = [&](const QString &text) -> std::optional<QList<Notice>> {
        if (error)
            *error = text;
        return std::nullopt;
    };

    if (!xml.readNextStartElement())
        return failWith(xml.hasError() ? xml.errorString() : QStringLiteral("empty document"));
    if (xml.name() != QLatin1String("serverinfo"))
        return failWith(QStringLiteral("unexpected root element <%1>").arg(xml.name().toString()));

    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("downtime")) {
            xml.skipCurrentElement(); // room for later additions
            continue;
        }
        Notice notice;
        notice.brand = xml.attributes().value(QLatin1String("brand")).toString();
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("message")) {
                const QString lang = xml.attributes().value(QLatin1String("lang")).toString();
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                notice.messages.insert(lang.isEmpty() ? QStringLiteral("en") : lang, text);
            } else {
                xml.skipCurrentElement();
            }
        }
        notices << notice;
    }
    if (xml.hasError())
        return failWith(QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString()));
    // Nothing may follow the root element but comments and white space.
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() || (xml.isCharacters() && !xml.isWhitespace()))
            return failWith(QStringLiteral("content after the root element"));
    }
    if (xml.hasError())
        return failWith(QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString()));
    return notices;
}

std::optional<QString> ServerInfo::downtimeText(const QList<Notice> &notices, const QString &brandName,
                                                const QString &language)
{
    for (const Notice &notice : notices) {
        if (!notice.brand.isEmpty() && notice.brand.compare(brandName, Qt::CaseInsensitive) != 0)
            continue;
        const QString base = language.section(QLatin1Char('_'), 0, 0);
        for (const QString &lang : {language, base, QStringLiteral("en")}) {
            const QString text = notice.messages.value(lang);
            if (!text.isEmpty())
                return text;
        }
        for (const QString &text : notice.messages) {
            if (!text.isEmpty())
                return text;
        }
        return tr("The service is down for maintenance. Please try again later.");
    }
    return std::nullopt;
}

void ServerInfo::download(const QUrl &url)
{
    qCDebug(lcApp).noquote() << "Fetching server information from" << url.toDisplayString();
    m_get->get(url, maxFileSize);
}

void ServerInfo::onFetched(const QByteArray &body, const QString &error)
{
    if (!error.isEmpty()) {
        qCWarning(lcApp).noquote() << "Server information not available:" << error;
        emit finished(false);
        return;
    }
    QString parseError;
    const std::optional<QList<Notice>> notices = parse(body, &parseError);
    if (!notices) {
        qCWarning(lcApp).noquote() << "Server information not readable:" << parseError;
        emit finished(false);
        return;
    }
    if (const std::optional<QString> text = downtimeText(*notices, QLatin1String(brand), m_language)) {
        qCInfo(lcApp).noquote() << "Downtime notice:" << *text;
        emit downtime(*text);
        return;
    }
    emit finished(true);
}
