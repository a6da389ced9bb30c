#pragma once

#include <QStringList>

// The trusted root certificates of both TLS connections, added to the
// process-wide default SSL configuration at start.
class CaCertificates
{
public:
    static QStringList defaultFiles();

    // Adds the certificates (PEM) in files; returns how many were added.
    // Missing or unreadable files are logged and skipped.
    static int install(const QStringList &files = defaultFiles());
};
