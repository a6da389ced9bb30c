#include "mainwindow/SystemBrowser.h"

#include "mainwindow/Logging.h"

#include <QDesktopServices>
#include <QUrl>

bool SystemBrowser::isAllowedUrl(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid()
           && (scheme == QLatin1String("http") || scheme == QLatin1String("https")
               || scheme == QLatin1String("mailto"));
}

bool SystemBrowser::open(const QUrl &url)
{
    if (!isAllowedUrl(url)) {
        qCWarning(lcMainwindow) << "refused to open the address in the system browser:" << url.toDisplayString();
        return false;
    }
    return QDesktopServices::openUrl(url);
}
