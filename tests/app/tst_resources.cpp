#include "app/CaCertificates.h"
#include "app/MahjongApplication.h"
#include "app/ResourcePaths.h"
#include "widgets/TranslationsManager.h"
#include "core/TextFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray read(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("<missing>");
}

void write(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

class LanguageWatcher : public QWidget
{
public:
    int changes = 0;

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            ++changes;
        QWidget::changeEvent(event);
    }
};
} // namespace

class ResourcesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_first;
    QTemporaryDir m_second;

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("Kestrova");
        QCoreApplication::setApplicationName("Kestrova-Brisquel");
        write(m_first.filePath("hidden.txt"), "first");
        write(m_second.filePath("hidden.txt"), "second");
        write(m_second.filePath("second.txt"), "second only");
        write(m_second.filePath("avatars/pig.png"), "pig");
        ResourcePaths::install({m_first.path(), m_second.path()});
    }

    void searchOrder()
    {
        const QStringList resources = QDir::searchPaths("resources");
        QCOMPARE(resources, (QStringList{m_first.path(), m_second.path(), ":/Brisquel", ":/default"}));
        QCOMPARE(read("resources:hidden.txt"), QByteArray("first"));
        QCOMPARE(read("resources:/second.txt"), QByteArray("second only"));
        QCOMPARE(read("resources:only.txt"), QByteArray("default only"));
        QVERIFY(QFileInfo("resources:/second.txt").exists());
        QVERIFY(!QFileInfo("resources:/none.txt").exists());
        QCOMPARE(read("avatars:/pig.png"), QByteArray("pig"));
        for (const char *kind : {"translations", "avatars", "textimages", "localwww"}) {
            const QStringList paths = QDir::searchPaths(kind);
            QCOMPARE(paths.size(), 4);
            QCOMPARE(paths.first(), m_first.path() + "/" + kind);
            QCOMPARE(paths.last(), QStringLiteral(":/default/") + kind);
        }
        const QString program = QCoreApplication::applicationDirPath();
        QCOMPARE(QDir::searchPaths("sounds"),
                 (QStringList{m_first.path(), m_second.path(), program + "/sounds",
                              program + "/resources/external/sounds/wav", program + "/resources/external/sounds/wma"}));

        // Never from the directory the program was started in.
        QTemporaryDir elsewhere;
        write(elsewhere.filePath("sounds/hover.wav"), "planted");
        const QString started = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        const bool planted = QFileInfo::exists("sounds:/hover.wav");
        QDir::setCurrent(started);
        QVERIFY(!planted);
    }

    void brandHidesDefault()
    {
        ResourcePaths::install({});
        QCOMPARE(read("resources:hidden.txt"), QByteArray("brand"));
        QCOMPARE(QDir::searchPaths("sounds").first(), QCoreApplication::applicationDirPath() + "/sounds");
        ResourcePaths::install({m_first.path(), m_second.path()});
    }

    void embeddedFrameResources()
    {
        for (const char *name : {"resources:/defaultui.css", "resources:/customui.css", "resources:/splash.png",
                                 "resources:/game-bg-image.png", "resources:/game-bg-pattern.jpg",
                                 "resources:/ca-certs/ca-networksolutions.crt", "resources:/ca-certs/ca-addtrust.crt"})
            QVERIFY2(QFileInfo(name).exists(), name);
    }

    void styleSheets()
    {
        auto *app = qobject_cast<MahjongApplication *>(qApp);
        QVERIFY(app);
        app->loadStyleSheet();
        QVERIFY(app->styleSheet().startsWith(QString::fromUtf8(read(":/default/defaultui.css")).left(40)));
        write(m_first.filePath("defaultui.css"), "QLabel { color: red; }");
        write(m_first.filePath("customui.css"), "QLabel { color: blue; }");
        app->loadStyleSheet();
        QCOMPARE(app->styleSheet(), QStringLiteral("QLabel { color: red; }QLabel { color: blue; }"));
        QFile::remove(m_first.filePath("customui.css"));
        QFile::remove(m_first.filePath("defaultui.css"));
        app->setStyleSheet(QString());
    }

    void caCertificates()
    {
        const qsizetype before = QSslConfiguration::defaultConfiguration().caCertificates().size();
        QCOMPARE(CaCertificates::install(), 2);
        const QList<QSslCertificate> after = QSslConfiguration::defaultConfiguration().caCertificates();
        QVERIFY(after.size() >= before); // already-known roots are not doubled
        QFile file(":/default/ca-certs/ca-addtrust.crt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(after.contains(QSslCertificate(file.readAll())));
        // Missing or broken files are skipped, not fatal.
        write(m_first.filePath("broken.crt"), "not a certificate");
        QCOMPARE(CaCertificates::install({"resources:/ca-certs/none.crt", "resources:/broken.crt"}), 0);
    }

    void availableLanguages()
    {
        TranslationsManager manager(ResourcePaths::roots({m_first.path(), m_second.path()}));
        const QList<TranslationsManager::Language> languages = manager.availableLanguages();
        QCOMPARE(languages.size(), 4);
        QCOMPARE(languages[0], (TranslationsManager::Language{"en", "English"}));
        QCOMPARE(languages[1], (TranslationsManager::Language{"ja", QString::fromUtf8("日本語")}));
        QCOMPARE(languages[2], (TranslationsManager::Language{"zh_CN", QString::fromUtf8("简体中文")}));
        QCOMPARE(languages[3], (TranslationsManager::Language{"zh_TW", QString::fromUtf8("繁體中文")}));
    }

    void switchingLanguage()
    {
        QSettings().remove("game/language");
        TranslationsManager manager(ResourcePaths::roots({m_first.path()}));
        LanguageWatcher watcher;
        QVERIFY(manager.setLanguage("en"));
        QCOMPARE(manager.language(), QStringLiteral("en"));
        // The English translation exists for its plural forms.
        QCOMPARE(Utils::minutesString(60), QStringLiteral("1 min"));
        QCOMPARE(Utils::minutesString(300), QStringLiteral("5 mins"));

        const int changesBefore = watcher.changes;
        QVERIFY(manager.setLanguage("ja"));
        QCoreApplication::processEvents();
        QVERIFY(watcher.changes > changesBefore);
        QCOMPARE(manager.language(), QStringLiteral("ja"));
        QCOMPARE(QSettings().value("game/language").toString(), QStringLiteral("ja"));
        QCOMPARE(Utils::timeToStartText(QDateTime::currentDateTimeUtc().addSecs(-5)), QString::fromUtf8("まもなく"));
        QCOMPARE(QDir::searchPaths("textimages"),
                 (QStringList{m_first.path() + "/textimages/ja", ":/Brisquel/textimages/ja", ":/default/textimages/ja",
                              m_first.path() + "/textimages", ":/Brisquel/textimages", ":/default/textimages"}));
        QCOMPARE(QDir::searchPaths("localwww").first(), m_first.path() + "/localwww/ja");

        // An unknown language changes nothing.
        QVERIFY(!manager.setLanguage("xx"));
        QVERIFY(!manager.setLanguage(QString()));
        QCOMPARE(manager.language(), QStringLiteral("ja"));
        QCOMPARE(QSettings().value("game/language").toString(), QStringLiteral("ja"));
        QVERIFY(manager.setLanguage("en"));
        QCOMPARE(Utils::timeToStartText(QDateTime::currentDateTimeUtc().addSecs(-5)), QStringLiteral("now"));
    }

    void choosingLanguage()
    {
        TranslationsManager manager(ResourcePaths::roots({}));
        QSettings().remove("game/language");
        QSettings installer("Kestrova", "Installer");
        installer.remove("language");
        QCOMPARE(manager.chooseLanguage("zh-tw"), QStringLiteral("zh_TW"));
        QCOMPARE(manager.chooseLanguage("ja_JP"), QStringLiteral("ja"));
        QCOMPARE(manager.chooseLanguage("fr"), QStringLiteral("en")); // C locale in tests
        QCOMPARE(manager.findLanguage("ja_JP"), QStringLiteral("ja"));
        QCOMPARE(manager.findLanguage("zh-tw"), QStringLiteral("zh_TW"));
        QVERIFY(manager.findLanguage("fr").isEmpty());
        installer.setValue("language", 0x0804);
        installer.sync();
        QCOMPARE(manager.chooseLanguage(), QStringLiteral("zh_CN"));
        QSettings().setValue("game/language", "ja");
        QCOMPARE(manager.chooseLanguage(), QStringLiteral("ja"));     // the stored choice wins
        QCOMPARE(manager.chooseLanguage("en"), QStringLiteral("en")); // the option wins over all
        installer.remove("language");
        QSettings().remove("game/language");
    }

    void installerLocales()
    {
        QCOMPARE(TranslationsManager::localeIdToLanguage(0x0409), QStringLiteral("en"));
        QCOMPARE(TranslationsManager::localeIdToLanguage(0x0411), QStringLiteral("ja"));
        QCOMPARE(TranslationsManager::localeIdToLanguage(0x0804), QStringLiteral("zh_CN"));
        QCOMPARE(TranslationsManager::localeIdToLanguage(0x0404), QStringLiteral("zh_TW"));
        QCOMPARE(TranslationsManager::localeIdToLanguage(0x0C04), QStringLiteral("zh_TW"));
        QCOMPARE(TranslationsManager::localeIdToLanguage(0x040C), QString());
    }
};

int main(int argc, char **argv)
{
    MahjongApplication app(argc, argv);
    ResourcesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_resources.moc"
