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

// A name or text from a server or another player as it may stand inside a
// sentence: without control characters (line breaks become blanks) and
// without direction marks, embeddings, overrides and isolates of its own.
// A text that holds right-to-left letters or digits is isolated as a whole
// (FSI ... PDI) behind a mark of the interface's direction: the text views
// choose a paragraph's direction by its first letter, isolated or not. So
// it cannot reorder the words around it, nor they it.
QString isolated(const QString &text);

Qt::CheckState settingsCheckState(QSettings &settings, const QString &key, bool defaultValue);

// The first top-level widget that is a MainWindow, or null.
QWidget *findMainWindow();
} // namespace Utils
