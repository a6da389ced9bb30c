#include "widgets/Utils.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSettings>
#include <QWidget>

namespace Utils {
QString fontColored(const QString &text, const QColor &color)
{
    if (!color.isValid())
        return QStringLiteral("<font>") + text + QStringLiteral("</font>");
    return QStringLiteral("<font color=\"") + color.name() + QStringLiteral("\">") + text + QStringLiteral("</font>");
}

QString coloredLink(const QString &url, const QString &text, const QColor &color)
{
    QString link = QStringLiteral("<a href=\"") + url + QStringLiteral("\"");
    if (color.isValid())
        link += QStringLiteral(" style=\"color: ") + color.name() + QStringLiteral("\"");
    return link + QStringLiteral(">") + text + QStringLiteral("</a>");
}

QString isolated(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    bool rightToLeft = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t u = text.at(i).unicode();
        const bool pair = QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (pair)
            u = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
        // Breaks of lines and paragraphs would end the isolation as well.
        if (u == '\t' || u == '\n' || u == '\r' || u == 0x0085 || u == 0x2028 || u == 0x2029) {
            out += QLatin1Char(' ');
            continue;
        }
        // Control characters, and the marks: left-to-right, right-to-left
        // and the Arabic letter mark.
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x200e || u == 0x200f || u == 0x061c)
            continue;
        switch (QChar::direction(u)) {
        case QChar::DirLRE:
        case QChar::DirRLE:
        case QChar::DirLRO:
        case QChar::DirRLO:
        case QChar::DirPDF:
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            if (pair)
                ++i;
            continue;
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
            rightToLeft = true;
            break;
        default:
            break;
        }
        out += text.at(i);
        if (pair)
            out += text.at(++i);
    }
    if (!rightToLeft)
        return out;
    const QChar mark = QGuiApplication::layoutDirection() == Qt::RightToLeft ? QChar(0x200f) : QChar(0x200e);
    return QString(mark) + QChar(0x2068) + out + QChar(0x2069);
}

Qt::CheckState settingsCheckState(QSettings &settings, const QString &key, bool defaultValue)
{
    return settings.value(key, defaultValue).toBool() ? Qt::Checked : Qt::Unchecked;
}

QWidget *findMainWindow()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    // By class name, so that this library does not depend on the main window.
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        if (widget->inherits("MainWindow"))
            return widget;
    }
    return nullptr;
}
} // namespace Utils
