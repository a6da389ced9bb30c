#include "app/ResourcePaths.h"

#include <QCoreApplication>
#include <QDir>

QStringList ResourcePaths::roots(const QStringList &optionDirs)
{
    QStringList result;
    for (const QString &dir : optionDirs)
        result << QDir::cleanPath(QDir::current().absoluteFilePath(dir));
    result << QLatin1String(brandRoot) << QLatin1String(defaultRoot);
    return result;
}

void ResourcePaths::install(const QStringList &optionDirs)
{
    const QStringList all = roots(optionDirs);
    QDir::setSearchPaths(QStringLiteral("resources"), all);
    for (const char *kind : {"translations", "avatars", "textimages", "localwww"}) {
        QStringList paths;
        for (const QString &root : all)
            paths << root + QLatin1Char('/') + QLatin1String(kind);
        QDir::setSearchPaths(QLatin1String(kind), paths);
    }
    // Sounds are files on disk next to the program, not embedded: only the
    // option's directories of the roots apply. The program's own folders are
    // named absolutely, so that nothing is loaded from wherever it started.
    QStringList sounds = all.first(optionDirs.size());
    const QDir program(QCoreApplication::applicationDirPath());
    for (const char *dir : {"sounds", "resources/external/sounds/wav", "resources/external/sounds/wma"})
        sounds << program.filePath(QLatin1String(dir));
    QDir::setSearchPaths(QStringLiteral("sounds"), sounds);
}
