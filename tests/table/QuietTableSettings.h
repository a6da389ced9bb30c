#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QString>

// A table window test's own settings store, with animations and sound off so
// that each event's steps run at once and the views can be read right after
// it; the embedded resources are found as the client finds them.
inline void useQuietTableSettings(const QString &testName)
{
    QCoreApplication::setOrganizationName(QStringLiteral("mahjong-tests"));
    QCoreApplication::setApplicationName(testName);
    QSettings().clear();
    QSettings().setValue(QStringLiteral("game/animations"), false);
    QSettings().setValue(QStringLiteral("game/sound"), false);
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    QDir::setSearchPaths(QStringLiteral("textimages"), {QStringLiteral(":/default/textimages")});
}
