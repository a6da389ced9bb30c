#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// The values of the command line, with the default connection values filled
// in. parse() throws OptionsError with a message fit for the user.
class CommandLineOptions
{
public:
    // Where the client connects unless told otherwise.
    static const char *const defaultGameHost;
    static const quint16 defaultGamePort = 443;
    static const char *const defaultWebHost;

    class OptionsError : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    QString host = QString::fromLatin1(defaultGameHost);
    quint16 port = defaultGamePort;
    QString httpHost = QString::fromLatin1(defaultWebHost);
    QString user;
    QString password;
    QString language;
    QString minLogLevel = QStringLiteral("warning");
    QStringList searchPaths;
    bool useSsl = true;
    QString serverInfoUrl; // empty: the web host's standard address
    bool install = false;
    bool debug = false;
    bool help = false;

    static CommandLineOptions parse(const QStringList &arguments);
    static CommandLineOptions parse(int argc, char **argv);

    // Puts one star in place of the password in the program's own argument
    // vector, so that the process list shows neither it nor its length.
    static void erasePassword(int argc, char **argv, const QString &password);

    // The text printed for --help (hidden options left out).
    static QString helpText();

    // Splits "host" or "host:port" (also "[v6]:port"); throws OptionsError.
    static void splitHostPort(const QString &text, QString &host, quint16 &port);
};
