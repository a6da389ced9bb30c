#pragma once

#include <QStringList>

// The named search paths through which every resource is found: the
// directories of the search-path option first, then the brand's tree, then
// the default tree.
class ResourcePaths
{
public:
    static constexpr const char *brandRoot = ":/Brisquel";
    static constexpr const char *defaultRoot = ":/default";

    // The resource roots in search order.
    static QStringList roots(const QStringList &optionDirs);

    // Sets "resources", "translations", "avatars", "textimages", "localwww"
    // and "sounds". The language folders of "textimages" and "localwww" are
    // added when a language is chosen (TranslationsManager).
    static void install(const QStringList &optionDirs);
};
