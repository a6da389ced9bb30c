#include "core/TextFormat.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

namespace {
QDateTime localUtcNow()
{
    return QDateTime::currentDateTimeUtc();
}

Utils::Clock g_serverClock = &localUtcNow;

// |value| without overflow for the most negative value.
quint64 magnitude(qint64 value)
{
    return value < 0 ? quint64(0) - quint64(value) : quint64(value);
}
} // namespace

namespace Utils {
QString moneyString(qint64 cents, bool alwaysDecimals)
{
    const QLocale locale;
    const quint64 abs = magnitude(cents);
    const quint64 units = abs / 100;
    const quint64 rest = abs % 100;
    QString amount = locale.toString(qulonglong(units));
    if (alwaysDecimals || rest != 0)
        amount += locale.decimalPoint() + QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
    return QCoreApplication::translate("Utils", "%1$%L2").arg(cents < 0 ? QStringLiteral("-") : QString(), amount);
}

QString percentString(qint64 tenthsOfPercent)
{
    const QString percent = QLocale().percent();
    if (tenthsOfPercent % 10 == 0)
        return QStringLiteral("%1%2").arg(tenthsOfPercent / 10).arg(percent);
    return QStringLiteral("%1%2").arg(double(tenthsOfPercent) / 10.0, 0, 'f', 2).arg(percent);
}

QString elideMiddle(const QString &text, int maximum)
{
    const qsizetype length = text.length();
    if (length <= maximum)
        return text;
    if (maximum <= 0)
        return QString();
    static const QString dots = QStringLiteral("...");
    if (maximum <= dots.length())
        return text.left(maximum);
    // Remove exactly enough characters around the middle for the dots to fit.
    const qsizetype half = length / 2;
    const qsizetype remove = length - maximum + dots.length();
    const qsizetype removeLeft = remove / 2;
    const qsizetype removeRight = remove - removeLeft;
    return text.left(half - removeLeft) + dots + text.mid(half + removeRight);
}

QString durationText(qint64 seconds)
{
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    quint64 rest = magnitude(seconds);
    const quint64 days = rest / 86400;
    rest %= 86400;
    const quint64 hours = rest / 3600;
    rest %= 3600;
    const quint64 minutes = rest / 60;
    const quint64 secs = rest % 60;

    QStringList parts;
    auto add = [&parts](const char *format, quint64 value) {
        // After a larger unit, pad to two digits so the columns read evenly.
        const int width = parts.isEmpty() ? 0 : 2;
        parts << QCoreApplication::translate("Utils", format).arg(value, width, 10, QLatin1Char('0'));
    };
    if (days > 0)
        add(QT_TRANSLATE_NOOP("Utils", "%1d"), days);
    if (days > 0 || hours > 0)
        add(QT_TRANSLATE_NOOP("Utils", "%1h"), hours);
    if (days > 0 || hours > 0 || minutes > 0)
        add(QT_TRANSLATE_NOOP("Utils", "%1m"), minutes);
    add(QT_TRANSLATE_NOOP("Utils", "%1s"), secs);
    return sign + parts.join(QLatin1Char(' '));
}

QString durationBetween(const QDateTime &from, const QDateTime &to)
{
    return durationText(from.secsTo(to));
}

QString timeToStartText(const QDateTime &start)
{
    const qint64 msecs = serverNow().msecsTo(start);
    if (msecs < 1000)
        return QCoreApplication::translate("Utils", "now");
    return QCoreApplication::translate("Utils", "%1 - time to start").arg(durationText(msecs / 1000));
}

QString minutesString(int seconds)
{
    const int minutes = seconds / 60;
    return QCoreApplication::translate("Utils", "%Ln min(s)", "", minutes);
}

QString localDateTimeString(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return QString();
    return QLocale().toString(dateTime.toLocalTime(), QLocale::ShortFormat);
}

QString localTimeString(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return QString();
    return QLocale().toString(dateTime.toLocalTime().time(), QLocale::ShortFormat);
}

void setServerClock(Clock clock)
{
    g_serverClock = clock ? clock : &localUtcNow;
}

QDateTime serverNow()
{
    return g_serverClock();
}
} // namespace Utils
