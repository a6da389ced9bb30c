#pragma once

class QUrl;

// Hands addresses to the system's web browser or mail program: only http,
// https and mailto, since a page or a server could otherwise make the
// system open local files or start programs through their handlers.
class SystemBrowser
{
public:
    static bool isAllowedUrl(const QUrl &url);
    // Opens the address, or refuses and logs it; true when handed on.
    static bool open(const QUrl &url);
};
