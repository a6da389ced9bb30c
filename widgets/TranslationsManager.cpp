#include "widgets/TranslationsManager.h"

#include "widgets/Logging.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <map>

namespace {
const char kFilePrefix[] = "mahjong_";
const char kSettingKey[] = "game/language";
// Each translation gives its language's own name as the translation of this.
const char *const kLanguageName[] = QT_TRANSLATE_NOOP3("TranslationsManager", "English",
                                                       "the name of this translation's language, in that language");
} // namespace

TranslationsManager::TranslationsManager(const QStringList &resourceRoots, QObject *parent)
    : QObject(parent)
    , m_roots(resourceRoots)
{
}

TranslationsManager::~TranslationsManager()
{
    for (QTranslator *translator : {m_translator, m_qtTranslator}) {
        if (translator)
            QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QStringList TranslationsManager::qtTranslationDirs()
{
    // Ours first, so that a shipped copy wins over the system's.
    return QDir::searchPaths(QStringLiteral("translations")) << QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

QString TranslationsManager::translationFile(const QString &code)
{
    return QStringLiteral("translations:") + QLatin1String(kFilePrefix) + code + QStringLiteral(".qm");
}

QList<TranslationsManager::Language> TranslationsManager::availableLanguages() const
{
    // A file in an earlier directory hides one of the same name in a later one.
    std::map<QString, QString> byCode;
    const QStringList dirs = QDir::searchPaths(QStringLiteral("translations"));
    for (const QString &dirPath : dirs) {
        const QDir dir(dirPath);
        const QStringList files = dir.entryList({QLatin1String(kFilePrefix) + QStringLiteral("*.qm")}, QDir::Files,
                                                QDir::Name);
        for (const QString &file : files) {
            const QString code = QFileInfo(file).completeBaseName().mid(int(sizeof(kFilePrefix)) - 1);
            if (code.isEmpty() || byCode.count(code))
                continue;
            QTranslator translator;
            QString name;
            if (translator.load(dir.filePath(file)))
                name = translator.translate("TranslationsManager", kLanguageName[0], kLanguageName[1]);
            byCode[code] = name.isEmpty() ? QStringLiteral("English") : name;
        }
    }
    QList<Language> languages;
    for (const auto &[code, name] : byCode)
        languages.append({code, name});
    return languages;
}

bool TranslationsManager::setLanguage(const QString &code)
{
    if (code.isEmpty())
        return false;
    auto translator = new QTranslator(this);
    if (!translator->load(translationFile(code))) {
        qCWarning(lcWidgets).noquote() << "No translation for language" << code;
        delete translator;
        return false;
    }
    // Exactly that language's file: a looser match ("qt_zh" for "zh_TW",
    // plain "qt") would show another script or nothing better. Without one,
    // Qt's words stay English.
    QTranslator *qtTranslator = nullptr;
    for (const QString &dir : qtTranslationDirs()) {
        const QString file = QDir(dir).filePath(QStringLiteral("qt_") + code + QStringLiteral(".qm"));
        if (!QFileInfo::exists(file))
            continue;
        qtTranslator = new QTranslator(this);
        if (qtTranslator->load(file))
            break;
        delete qtTranslator;
        qtTranslator = nullptr;
    }
    if (!qtTranslator)
        qCWarning(lcWidgets).noquote() << "No Qt translation for language" << code;
    for (QTranslator *old : {m_translator, m_qtTranslator}) {
        if (old)
            QCoreApplication::removeTranslator(old);
        delete old;
    }
    m_translator = translator;
    m_qtTranslator = qtTranslator;
    m_language = code;
    // Before the language-change events: their handlers format dates anew.
    QLocale::setDefault(QLocale(code));
    updateSearchPaths();
    // Installing sends every widget a language-change event. The translator
    // installed last is asked first: ours may override Qt's words.
    if (m_qtTranslator)
        QCoreApplication::installTranslator(m_qtTranslator);
    QCoreApplication::installTranslator(m_translator);
    QSettings().setValue(QLatin1String(kSettingKey), code);
    emit languageChanged(code);
    return true;
}

void TranslationsManager::updateSearchPaths()
{
    for (const QString &kind : {QStringLiteral("textimages"), QStringLiteral("localwww")}) {
        QStringList paths;
        for (const QString &root : m_roots)
            paths << root + QLatin1Char('/') + kind + QLatin1Char('/') + m_language;
        for (const QString &root : m_roots)
            paths << root + QLatin1Char('/') + kind;
        QDir::setSearchPaths(kind, paths);
    }
}

QString TranslationsManager::matchAvailable(const QString &wanted, const QList<Language> &languages)
{
    if (wanted.isEmpty())
        return QString();
    const QString normal = QString(wanted).replace(QLatin1Char('-'), QLatin1Char('_'));
    for (const Language &language : languages) {
        if (language.first.compare(normal, Qt::CaseInsensitive) == 0)
            return language.first;
    }
    // "ja_JP" matches "ja"; a bare "zh" matches no particular script.
    const QString base = normal.section(QLatin1Char('_'), 0, 0);
    for (const Language &language : languages) {
        if (language.first.compare(base, Qt::CaseInsensitive) == 0)
            return language.first;
    }
    return QString();
}

QString TranslationsManager::findLanguage(const QString &code) const
{
    QList<Language> languages;
    const QStringList dirs = QDir::searchPaths(QStringLiteral("translations"));
    for (const QString &dirPath : dirs) {
        const QStringList files = QDir(dirPath).entryList({QLatin1String(kFilePrefix) + QStringLiteral("*.qm")},
                                                          QDir::Files);
        for (const QString &file : files)
            languages.append({QFileInfo(file).completeBaseName().mid(int(sizeof(kFilePrefix)) - 1), QString()});
    }
    return matchAvailable(code, languages);
}

QString TranslationsManager::chooseLanguage(const QString &explicitChoice) const
{
    const QStringList candidates = {
        explicitChoice,
        QSettings().value(QLatin1String(kSettingKey)).toString(),
        installerLanguage(),
        QLocale::system().name(),
    };
    // Listing loads every translation file: once is enough.
    const QList<Language> languages = availableLanguages();
    for (const QString &candidate : candidates) {
        const QString match = matchAvailable(candidate, languages);
        if (!match.isEmpty())
            return match;
    }
    return QStringLiteral("en");
}

QString TranslationsManager::installerLanguage()
{
    QSettings installer(QCoreApplication::organizationName(), QStringLiteral("Installer"));
    bool ok = false;
    const int localeId = installer.value(QStringLiteral("language")).toInt(&ok);
    return ok ? localeIdToLanguage(localeId) : QString();
}

QString TranslationsManager::localeIdToLanguage(int localeId)
{
    // The installer offers only these languages.
    switch (localeId) {
    case 0x0409: // English (United States)
    case 0x0809: // English (United Kingdom)
        return QStringLiteral("en");
    case 0x0411: // Japanese
        return QStringLiteral("ja");
    case 0x0804: // Chinese (PRC)
    case 0x1004: // Chinese (Singapore)
        return QStringLiteral("zh_CN");
    case 0x0404: // Chinese (Taiwan)
    case 0x0C04: // Chinese (Hong Kong)
    case 0x1404: // Chinese (Macao)
        return QStringLiteral("zh_TW");
    default:
        return QString();
    }
}
