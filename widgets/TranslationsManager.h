#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

class QTranslator;

// Chooses, installs and switches the user-interface translation. Translation
// files are "mahjong_<code>.qm" under the "translations" search path; Qt's
// own ("qt_<code>.qm": standard buttons and dialogs) come from there or from
// Qt's translations folder. The default locale (dates, numbers) and the
// language-dependent search paths "textimages" and "localwww" follow the
// language in use.
class TranslationsManager : public QObject
{
    Q_OBJECT

public:
    using Language = QPair<QString, QString>; // code, display name

    // resourceRoots: the trees searched for language folders, in order (the
    // search-path option's directories, the brand tree, the default tree).
    explicit TranslationsManager(const QStringList &resourceRoots = {}, QObject *parent = nullptr);
    ~TranslationsManager() override;

    // One entry per translation file, ordered by code; the display name is the
    // language's own name as its translation gives it.
    QList<Language> availableLanguages() const;

    QString language() const { return m_language; }

    // The available language that code names ("ja_JP" finds "ja"), or an
    // empty text; reads no translation file.
    QString findLanguage(const QString &code) const;

    // Installs the translation of code, and Qt's own for that language when
    // there is one, in place of the previous ones; makes the language's
    // locale the default; points "textimages" and "localwww" at its folders
    // and stores the choice under "game/language". Returns false (and changes
    // nothing) when there is no such translation.
    bool setLanguage(const QString &code);

    // The language to start with: the explicit choice when given, else the
    // stored one, else the installer's, else the system's; each only when a
    // translation for it exists, falling back to English.
    QString chooseLanguage(const QString &explicitChoice = QString()) const;

    // The installer's language setting ("Installer" store) as a language code.
    static QString installerLanguage();
    // A Windows locale id, as the installer stores it, as a language code.
    static QString localeIdToLanguage(int localeId);

    static QString translationFile(const QString &code);
    // The folders searched for Qt's own translations, in order.
    static QStringList qtTranslationDirs();

signals:
    void languageChanged(const QString &code);

private:
    static QString matchAvailable(const QString &wanted, const QList<Language> &languages);
    void updateSearchPaths();

    QStringList m_roots;
    QString m_language;
    QTranslator *m_translator = nullptr;
    QTranslator *m_qtTranslator = nullptr;
};
