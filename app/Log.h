#pragma once

#include <QString>
#include <QTime>
#include <QtGlobal>

// The log file and the process-wide message handler. Lines read
// "hh:mm:ss.zzz [LEVEL] text"; informational lines (qCInfo) are written at
// the warning level with the tag " [INFO ] ", as are warnings whose text
// begins with that tag. While installed, the handler switches off the
// categories' levels that it would not write.
class Log
{
public:
    enum class Level { Debug, Warning, Critical, Fatal };

    static constexpr const char *fileName = "mahjong.log";
    static constexpr const char *oldFileName = "mahjong.log.old";

    // What one session writes at most: past it only critical and fatal
    // lines, within a reserve of their own; the log says where it stopped
    // and how many lines it left out. A message that comes again right
    // after itself is written once and then counted ("the line above
    // repeated N more times").
    static constexpr qint64 maxSessionBytes = 16 * 1024 * 1024;
    static constexpr qint64 errorReserveBytes = 1024 * 1024;

    // The per-user directory of the log files.
    static QString defaultDirectory();

    // Moves an existing log to the ".old" name and opens a fresh one in
    // directory. Returns false (with the reason in errorString) on failure.
    static bool open(const QString &directory = defaultDirectory());
    static void close();
    static QString filePath();
    static QString errorString();

    // "debug", "warning", "critical", "fatal", or a regular expression that a
    // line must match to be written. Returns false for an invalid expression.
    static bool setMinLogLevel(const QString &value);

    // Texts that never reach the log file (passwords, credentials): a line
    // that holds one as a word of its own (or a whole field) is replaced as a
    // whole; a longer word that merely contains its letters is kept.
    static void addSecret(const QString &secret);

    static void install();
    static void uninstall();

    // Error boxes for critical and fatal messages; off unless enabled, so
    // that tools and tests never block on a dialog.
    static void setDialogsEnabled(bool enabled);

    // An error the program cannot go on after: logs logText as critical and
    // shows shownText (logText when empty) in a modal "Error" box; the
    // program ends with exitCode once the player has closed it (at once
    // without dialogs). Returns without waiting.
    static void criticalAndExit(const QString &logText, const QString &shownText = QString(), int exitCode = 1);

    // Formats one line (without its line feed); exposed for tests.
    static QString formatLine(QtMsgType type, const QString &message, const QTime &time);

    // " [INFO ] Session started at <date> - <build text>"
    static void logSessionStart();

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);
};
