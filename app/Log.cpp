#include "app/Log.h"

#include "app/Logging.h"

#include "core/ApplicationVersion.h"
#include "widgets/ModelessMsgBox.h"
#include "widgets/Utils.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRecursiveMutex>
#include <QRegularExpression>
#include <QStringList>
#include <QMessageBox>
#include <QStandardPaths>
#include <QThread>
#include <QTime>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {
struct LogState
{
    QRecursiveMutex mutex; // Qt may warn from inside a file operation done under it
    QFile file;
    QString errorString;
    Log::Level minLevel = Log::Level::Warning;
    QRegularExpression filter; // valid and non-empty when a line must match
    QStringList secrets;
    bool dialogs = false;
    bool installed = false;
    QtMessageHandler previous = nullptr;
    // The last message written, to fold its repeats into one line.
    QtMsgType lastType = QtDebugMsg;
    QString lastMessage;
    int lastLines = 0;
    bool lastTagged = false;
    qint64 repeats = 0;
    QTime lastRepeat;
    // What this session wrote, and what it left out past the bound.
    qint64 written = 0;
    bool bounded = false;
    qint64 leftOut = 0;
};

LogState &state()
{
    static LogState s;
    return s;
}

const QString infoTag = QStringLiteral(" [INFO ] ");

Log::Level levelOf(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return Log::Level::Debug;
    case QtInfoMsg:
    case QtWarningMsg:
        return Log::Level::Warning;
    case QtCriticalMsg:
        return Log::Level::Critical;
    case QtFatalMsg:
        return Log::Level::Fatal;
    }
    return Log::Level::Warning;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Whether secret stands in message as a word of its own (or a whole field
// such as "password":"secret"), not as a part of a longer word.
bool containsAsWord(const QString &message, const QString &secret)
{
    for (qsizetype at = message.indexOf(secret); at >= 0; at = message.indexOf(secret, at + 1)) {
        const qsizetype end = at + secret.size();
        const bool startsWord = at == 0 || !isWordCharacter(message.at(at - 1)) || !isWordCharacter(secret.front());
        const bool endsWord = end == message.size() || !isWordCharacter(message.at(end))
                              || !isWordCharacter(secret.back());
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

// A secret may well be an ordinary word: stars in its place would show which
// word of a known line it is. A line holding one as a word is left out as a
// whole; a longer word that merely contains its letters is no secret.
QString masked(const QStringList &secrets, const QString &message)
{
    for (const QString &secret : secrets) {
        if (containsAsWord(message, secret))
            return QStringLiteral("(text left out: it contained a password)");
    }
    return message;
}

// While the handler is installed, a category's debug (and, above the warning
// level, warning and info) output is switched off unless it would be
// written, so that callers can skip building lines nobody keeps.
QLoggingCategory::CategoryFilter defaultCategoryFilter = nullptr;
std::atomic<int> enabledFrom{int(Log::Level::Warning)};
std::atomic<bool> filtering{false};

void categoryFilter(QLoggingCategory *category)
{
    if (defaultCategoryFilter)
        defaultCategoryFilter(category);
    if (!filtering)
        return;
    if (enabledFrom > int(Log::Level::Debug))
        category->setEnabled(QtDebugMsg, false);
    if (enabledFrom > int(Log::Level::Warning)) {
        category->setEnabled(QtInfoMsg, false);
        category->setEnabled(QtWarningMsg, false);
    }
}

void updateCategories(Log::Level minLevel, bool enabled)
{
    enabledFrom = int(minLevel);
    filtering = enabled;
    // Installing the filter again applies it to every existing category.
    QLoggingCategory::CategoryFilter previous = QLoggingCategory::installFilter(&categoryFilter);
    if (previous != &categoryFilter)
        defaultCategoryFilter = previous;
}

// Set while a message whose box the caller shows itself is logged.
thread_local bool ownBox = false;

// Writes text as it stands (bytes: its UTF-8), to the file or, without
// one, to stderr.
void put(LogState &s, const QString &text, const QByteArray &bytes)
{
    s.written += bytes.size();
    if (s.file.isOpen()) {
        s.file.write(bytes);
        s.file.flush();
    } else {
        std::fputs(text.toLocal8Bit().constData(), stderr);
    }
}

void put(LogState &s, const QString &text)
{
    put(s, text, text.toUtf8());
}

// Writes the lines of one message unless the session has written its
// share; errors have a reserve of their own past it.
void putBounded(LogState &s, const QString &text, QtMsgType type, int lines)
{
    const QByteArray bytes = text.toUtf8();
    const bool error = type == QtCriticalMsg || type == QtFatalMsg;
    const qint64 limit = Log::maxSessionBytes + (error ? Log::errorReserveBytes : 0);
    if (s.written + bytes.size() <= limit && (!s.bounded || error)) {
        put(s, text, bytes);
        return;
    }
    if (!s.bounded) {
        s.bounded = true;
        put(s, Log::formatLine(QtWarningMsg,
                               QStringLiteral("this session's log reached %1 MiB: further debug, warning and info "
                                              "lines are left out, errors only while they fit")
                                   .arg(Log::maxSessionBytes / (1024 * 1024)),
                               QTime::currentTime())
                   + QLatin1Char('\n'));
    }
    s.leftOut += lines;
}

// The count of the last message's repeats, as a line of its level.
void putRepeats(LogState &s)
{
    if (s.repeats == 0)
        return;
    const QString what = s.lastLines == 1 ? QStringLiteral("the line above")
                                          : QStringLiteral("the %1 lines above").arg(s.lastLines);
    const QString text = s.repeats == 1 ? QStringLiteral("%1 repeated once more").arg(what)
                                        : QStringLiteral("%1 repeated %2 more times").arg(what).arg(s.repeats);
    const QString line = Log::formatLine(s.lastType, s.lastTagged ? infoTag + text : text, s.lastRepeat);
    s.repeats = 0;
    putBounded(s, line + QLatin1Char('\n'), s.lastType, 1);
}

// What the session still owes the file: the last repeats and how much was
// left out.
void putPending(LogState &s)
{
    putRepeats(s);
    s.lastMessage.clear();
    s.lastLines = 0;
    if (s.leftOut > 0) {
        put(s, Log::formatLine(QtWarningMsg, QStringLiteral("%1 lines left out past the log's bound").arg(s.leftOut),
                               QTime::currentTime())
                   + QLatin1Char('\n'));
        s.leftOut = 0;
    }
}

void resetSession(LogState &s)
{
    s.lastMessage.clear();
    s.lastLines = 0;
    s.repeats = 0;
    s.written = 0;
    s.bounded = false;
    s.leftOut = 0;
}

void putPendingAtExit()
{
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    putPending(s);
}

bool onGuiThread()
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    return app && QThread::currentThread() == app->thread();
}
} // namespace

QString Log::defaultDirectory()
{
    // Per user, so that nobody else can pre-create or link the file.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.mahjong");
    return dir + QStringLiteral("/logs");
}

bool Log::open(const QString &directory)
{
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    if (s.file.isOpen())
        putPending(s);
    s.file.close();
    resetSession(s);
    if (!QDir().mkpath(directory)) {
        s.errorString = QStringLiteral("cannot create the log directory %1").arg(directory);
        return false;
    }
    QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QDir dir(directory);
    const QString path = dir.filePath(QLatin1String(fileName));
    const QString oldPath = dir.filePath(QLatin1String(oldFileName));
    if (QFileInfo(path).isSymLink() || QFileInfo(oldPath).isSymLink()) {
        s.errorString = QStringLiteral("refusing to write the log through a symbolic link in %1").arg(directory);
        return false;
    }
    if (QFile::exists(path)) {
        QFile::remove(oldPath);
        QFile::rename(path, oldPath);
    }
    s.file.setFileName(path);
    if (!s.file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        s.errorString = s.file.errorString();
        return false;
    }
    s.file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    s.errorString.clear();
    return true;
}

void Log::close()
{
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    if (s.file.isOpen())
        putPending(s);
    s.file.close();
}

QString Log::filePath()
{
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    return s.file.fileName();
}

QString Log::errorString()
{
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    return s.errorString;
}

bool Log::setMinLogLevel(const QString &value)
{
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    s.filter = QRegularExpression();
    if (value == QLatin1String("debug")) {
        s.minLevel = Level::Debug;
    } else if (value == QLatin1String("warning")) {
        s.minLevel = Level::Warning;
    } else if (value == QLatin1String("critical")) {
        s.minLevel = Level::Critical;
    } else if (value == QLatin1String("fatal")) {
        s.minLevel = Level::Fatal;
    } else {
        const QRegularExpression filter(value);
        if (!filter.isValid())
            return false;
        s.minLevel = Level::Debug;
        s.filter = filter;
    }
    updateCategories(s.minLevel, s.installed);
    return true;
}

void Log::addSecret(const QString &secret)
{
    if (secret.isEmpty())
        return;
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    if (!s.secrets.contains(secret))
        s.secrets << secret;
}

void Log::install()
{
    LogState &s = state();
    QtMessageHandler previous = qInstallMessageHandler(&Log::handler);
    QMutexLocker lock(&s.mutex);
    if (previous != &Log::handler)
        s.previous = previous;
    s.installed = true;
    updateCategories(s.minLevel, true);
    // The program may end without closing the log: what is still owed is
    // written when the application object goes.
    static bool atExit = false;
    if (!atExit && QCoreApplication::instance()) {
        atExit = true;
        qAddPostRoutine(&putPendingAtExit);
    }
}

void Log::uninstall()
{
    LogState &s = state();
    QtMessageHandler previous;
    {
        QMutexLocker lock(&s.mutex);
        previous = s.previous;
        s.previous = nullptr;
        s.installed = false;
        updateCategories(s.minLevel, false);
    }
    qInstallMessageHandler(previous);
}

void Log::setDialogsEnabled(bool enabled)
{
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    s.dialogs = enabled;
}

void Log::criticalAndExit(const QString &logText, const QString &shownText, int exitCode)
{
    ownBox = true;
    qCCritical(lcApp).noquote() << logText;
    ownBox = false;
    bool dialogs = false;
    QString shown;
    {
        LogState &s = state();
        QMutexLocker lock(&s.mutex);
        dialogs = s.dialogs;
        shown = masked(s.secrets, shownText.isEmpty() ? logText : shownText);
    }
    if (!dialogs || !onGuiThread()) {
        QCoreApplication::exit(exitCode);
        return;
    }
    // Modal, so that it is read, but without an event loop of its own: the
    // caller may be deep in a network handler.
    auto *box = new QMessageBox(QMessageBox::Critical, QCoreApplication::translate("Log", "Error"), shown,
                                QMessageBox::Ok, Utils::findMainWindow());
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QDialog::finished, box, [exitCode] { QCoreApplication::exit(exitCode); });
    box->show();
    box->raise();
    box->activateWindow();
}

QString Log::formatLine(QtMsgType type, const QString &message, const QTime &time)
{
    QString line = time.toString(QStringLiteral("hh:mm:ss.zzz"));
    switch (type) {
    case QtDebugMsg:
        line += QStringLiteral(" [DEBUG] ");
        break;
    case QtInfoMsg:
        line += infoTag;
        break;
    case QtWarningMsg:
        if (!message.startsWith(infoTag))
            line += QStringLiteral(" [WARN ] ");
        break;
    case QtCriticalMsg:
        line += QStringLiteral(" [CRIT ] ");
        break;
    case QtFatalMsg:
        line += QStringLiteral(" [FATAL] ");
        break;
    }
    return line + message;
}

void Log::logSessionStart()
{
    qCInfo(lcApp).noquote() << QStringLiteral("Session started at ")
                                   + QDateTime::currentDateTime().toString(Qt::ISODate) + QStringLiteral(" - ")
                                   + buildText();
}

void Log::handler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    LogState &s = state();
    bool dialogs = false;
    QString shown;
    {
        QMutexLocker lock(&s.mutex);
        dialogs = s.dialogs;
        // Most debug lines of a normal run are dropped: decide that before
        // paying for the masking and the formatting.
        const bool levelOk = levelOf(type) >= s.minLevel;
        const bool needed = levelOk || (dialogs && (type == QtCriticalMsg || type == QtFatalMsg));
        if (!needed)
            return;
        shown = masked(s.secrets, message);
        // The message as it came: different ones that each held a secret
        // read the same, but are no repeats.
        const bool repeated = levelOk && s.lastLines > 0 && type == s.lastType && message == s.lastMessage;
        if (repeated) {
            // A message that comes again and again (a server repeating
            // itself) is one line and a count.
            ++s.repeats;
            s.lastRepeat = QTime::currentTime();
        } else if (levelOk) {
            // One entry a line: a report of many lines (the web engine's at
            // its start) becomes one stamped entry per line of text, without
            // its blank lines and indentation.
            const QTime now = QTime::currentTime();
            const bool tagged = type == QtWarningMsg && shown.startsWith(infoTag);
            const QStringView body = QStringView(shown).mid(tagged ? infoTag.size() : 0);
            QStringList entries;
            for (QStringView part : body.split(QLatin1Char('\n'))) {
                if (!part.trimmed().isEmpty())
                    entries << (tagged ? infoTag : QString()) + part.trimmed().toString();
            }
            if (entries.isEmpty())
                entries << shown;
            QString text;
            int lines = 0;
            for (const QString &entry : entries) {
                const QString line = formatLine(type, entry, now);
                if (s.filter.pattern().isEmpty() || s.filter.match(line).hasMatch()) {
                    text += line + QLatin1Char('\n');
                    ++lines;
                }
            }
            if (!text.isEmpty()) {
                putRepeats(s);
                putBounded(s, text, type, lines);
                s.lastType = type;
                s.lastMessage = message;
                s.lastLines = lines;
                s.lastTagged = tagged;
            }
        }
    }

    if (type == QtCriticalMsg && dialogs && onGuiThread() && !ownBox) {
        ModelessMsgBox::critical(Utils::findMainWindow(), QCoreApplication::translate("Log", "Error"), shown);
    } else if (type == QtFatalMsg) {
        if (dialogs && onGuiThread()) {
            QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("Log", "Error"),
                            QCoreApplication::translate("Log",
                                                        "%1\n\nThe program has to end. Please send the log file %2 "
                                                        "to the support team.")
                                .arg(shown, QDir::toNativeSeparators(filePath())),
                            QMessageBox::Ok);
            box.setTextFormat(Qt::PlainText);
            box.exec();
        }
        close();
        // End here rather than abort: a fatal error is reported, not a crash.
        std::_Exit(EXIT_FAILURE);
    }
}
