#pragma once

#include "core/TextFormat.h"

#include <QColor>
#include <QString>

class QSettings;
class QWidget;

// The widget-side text helpers: HTML colour wrappers, settings check states
// and the main window lookup. The plain text helpers come from core.
namespace Utils {
// <font color="#rrggbb">text</font>; no attribute for an invalid colour.
QString fontColored(const QString &text, const QColor &color);

// <a href="url" style="color: #rrggbb">text</a>; no style for an invalid colour.
QString coloredLink(const QString &url, const QString &text, const QColor &color);

Qt::CheckState settingsCheckState(QSettings &settings, const QString &key, bool defaultValue);

// The first top-level widget that is a MainWindow, or null.
QWidget *findMainWindow();
} // namespace Utils
