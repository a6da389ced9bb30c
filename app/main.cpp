#include "app/CaCertificates.h"
#include "app/CommandLineOptions.h"
#include "app/DebugDialog.h"
#include "app/Integration.h"
#include "app/Log.h"
#include "app/Logging.h"
#include "app/MahjongApplication.h"
#include "app/QuickBackend.h"
#include "app/ResourcePaths.h"
#include "app/ServerInfo.h"
#include "app/SingleInstanceGuard.h"
#include "app/Startup.h"
#include "app/UpdateProgressDialog.h"
#include "app/VersionChecker.h"
#include "mainwindow/MainWindow.h"
#include "core/ApplicationVersion.h"
#include "widgets/ModelessMsgBox.h"
#include "widgets/TranslationsManager.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QSplashScreen>
#include <QStyleFactory>

#include <cstdio>
#include <vector>

namespace {
// Exit codes besides 0 (normal end) and 1 (failed start-up or fatal error).
constexpr int exitBadOptions = 2;
constexpr int exitAlreadyRunning = 3;

void hideSplash(Startup &startup)
{
    if (QSplashScreen *splash = startup.splash())
        splash->hide();
}
} // namespace

int main(int argc, char **argv)
{
    // The settings scope; the default connection values live in CommandLineOptions.
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel"));
    QCoreApplication::setApplicationVersion(applicationVersion());

    // The application and the parser work on a copy: the arguments the
    // system shows in the process list lose the password first of all.
    std::vector<QByteArray> argumentTexts(argv, argv + argc);
    std::vector<char *> arguments;
    for (QByteArray &text : argumentTexts)
        arguments.push_back(text.data());
    arguments.push_back(nullptr);
    int argumentCount = argc;

    // Help needs no display: answered before the application (which needs
    // one) exists, when the arguments hold none of Qt's own options.
    try {
        const CommandLineOptions early = CommandLineOptions::parse(argc, argv);
        if (early.help) {
            std::fputs(CommandLineOptions::helpText().toLocal8Bit().constData(), stdout);
            return 0;
        }
        CommandLineOptions::erasePassword(argc, argv, early.password);
    } catch (const CommandLineOptions::OptionsError &) {
        // Perhaps one of Qt's options: judged once the application has taken them.
    }

    // The web pages (Qt WebEngine) need it before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    MahjongApplication app(argumentCount, arguments.data());
    QuickBackend::chooseForWebPages();

    CommandLineOptions options;
    try {
        // Qt's own options are gone by now.
        options = CommandLineOptions::parse(argumentCount, arguments.data());
    } catch (const CommandLineOptions::OptionsError &error) {
        std::fprintf(stderr, "mahjong: %s\nTry 'mahjong --help' for the options.\n", error.what());
        return exitBadOptions;
    }
    // Unless Qt's options hid it from the first look.
    CommandLineOptions::erasePassword(argc, argv, options.password);
    CommandLineOptions::erasePassword(argumentCount, arguments.data(), options.password);
    if (options.help) {
        std::fputs(CommandLineOptions::helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }

    ResourcePaths::install(options.searchPaths);
    if (options.install)
        return Integration::installData();

    TranslationsManager translations(ResourcePaths::roots(options.searchPaths));
    if (!options.language.isEmpty() && translations.findLanguage(options.language).isEmpty()) {
        std::fprintf(stderr, "mahjong: no translation for the language '%s'\nTry 'mahjong --help' for the options.\n",
                     qPrintable(options.language));
        return exitBadOptions;
    }

    // Taken before the log is rotated: a refused second client must not move
    // away the log that the running one is still writing.
    SingleInstanceGuard guard;
    if (!guard.acquire()) {
        std::fputs("mahjong: the client is already running\n", stderr);
        return exitAlreadyRunning;
    }

    if (!Log::open())
        std::fprintf(stderr, "mahjong: no log file: %s\n", qPrintable(Log::errorString()));
    Log::setMinLogLevel(options.minLogLevel);
    Log::addSecret(options.password);
    Log::install();
    Log::setDialogsEnabled(true);
    Log::logSessionStart();

    // The splash comes first: everything below runs while it is on screen.
    Startup startup;
    startup.start();
    QCoreApplication::processEvents();

    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.loadStyleSheet();

    const QString language = translations.chooseLanguage(options.language);
    if (!translations.setLanguage(language))
        qCWarning(lcApp).noquote() << "No translation loaded for" << language;

    CaCertificates::install();
    Integration::installServerClock();

    if (options.debug) {
        auto *debug = new DebugDialog;
        app.setDebugDialog(debug);
        debug->show();
    }

    QNetworkAccessManager network;
    MainWindow mainWindow(options.host, options.port, options.user, options.password, options.useSsl, options.httpHost,
                          &translations);
    ServerInfo serverInfo(&network);
    serverInfo.setLanguage(translations.language());
    VersionChecker versionChecker(&network);
    UpdateProgressDialog updateProgress(&versionChecker);

    QObject::connect(&startup, &Startup::finished, &mainWindow, &MainWindow::onStartupFinished);
    // A failed start-up must not leave a process without a window behind.
    QObject::connect(&startup, &Startup::finished, &app, [](bool success) {
        if (!success)
            QCoreApplication::exit(1);
    });
    QObject::connect(&serverInfo, &ServerInfo::downtime, &startup, [&startup](const QString &text) {
        hideSplash(startup);
        QMessageBox *box = ModelessMsgBox::information(nullptr, QCoreApplication::translate("main", "Downtime"), text);
        ModelessMsgBox::onFinished(box, [&startup](int) { startup.fail(); });
    });
    QObject::connect(&serverInfo, &ServerInfo::finished, &versionChecker,
                     [&] { versionChecker.check(VersionChecker::defaultUrl(options.httpHost)); });
    QObject::connect(&versionChecker, &VersionChecker::updateAvailable, &startup, [&startup] { hideSplash(startup); });
    QObject::connect(&versionChecker, &VersionChecker::finished, &startup, &Startup::onVersionCheckFinished);
    QObject::connect(&versionChecker, &VersionChecker::installerReady, &app, [&](const QString &path) {
        // The installer replaces this client: let it run, then end.
        guard.release();
        if (VersionChecker::launchInstaller(path)) {
            QCoreApplication::exit(0);
            return;
        }
        qCCritical(lcApp).noquote() << "Cannot start the installer" << path;
        QFile::remove(path);
        guard.acquire();
        startup.onVersionCheckFinished();
    });

    serverInfo.download(options.serverInfoUrl.isEmpty() ? ServerInfo::defaultUrl(options.httpHost)
                                                        : QUrl(options.serverInfoUrl));
    Integration::loadSounds(&mainWindow);

    return app.exec();
}
