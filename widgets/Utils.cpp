#include "widgets/Utils.h"

#include <QApplication>
#include <QCoreApplication>
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
