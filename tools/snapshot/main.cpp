// Renders windows and panels with sample data to PNG files, in a chosen
// language, so they can be looked at without a server or a display:
//   mahjong-snapshot [--lang en|ja|zh_CN|zh_TW] [--out DIR] [--list] [--help] [NAME...]
#include "Sample.h"

#include "app/MahjongApplication.h"
#include "app/ResourcePaths.h"
#include "scene/TileGraphics.h"
#include "widgets/TranslationsManager.h"

#include <QDir>
#include <QMainWindow>
#include <QStyleFactory>
#include <QWidget>

#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {
const char kUsage[] = "Usage: mahjong-snapshot [--lang en|ja|zh_CN|zh_TW] [--out DIR] [--list] [NAME...]\n"
                      "Draws windows and panels with sample data and writes NAME-<lang>.png files.\n"
                      "\n"
                      "  --lang CODE  the user-interface language (default en)\n"
                      "  --out DIR    the folder for the pictures (default snapshots)\n"
                      "  --list       prints the names of the samples\n"
                      "  -h, --help   prints this text\n"
                      "Without NAME every sample is drawn.\n";

std::vector<Sample> &registry()
{
    static std::vector<Sample> samples;
    return samples;
}
} // namespace

bool SampleRegistry::add(Sample sample)
{
    registry().push_back(std::move(sample));
    return true;
}

const std::vector<Sample> &SampleRegistry::all()
{
    return registry();
}

void useTiles()
{
    TileGraphics &graphics = TileGraphics::instance();
    graphics.setTileSet(0, 0);
    while (graphics.hasWorker())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QWidget *asMainWindowPage(QWidget *page)
{
    auto *frame = new QMainWindow;
    frame->setCentralWidget(page);
    return frame;
}

int main(int argc, char **argv)
{
    // Before the application object: help needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Chromium behind the web-page samples refuses its sandbox as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    MahjongApplication app(argc, argv);
    QString language = QStringLiteral("en");
    QString outDir = QStringLiteral("snapshots");
    QStringList names;
    bool list = false;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const bool takesValue = args[i] == QLatin1String("--lang") || args[i] == QLatin1String("--out");
        if (takesValue && i + 1 >= args.size()) {
            std::fprintf(stderr, "mahjong-snapshot: %s needs a value\nTry 'mahjong-snapshot --help'.\n",
                         qPrintable(args[i]));
            return 2;
        }
        if (args[i] == QLatin1String("--lang"))
            language = args[++i];
        else if (args[i] == QLatin1String("--out"))
            outDir = args[++i];
        else if (args[i] == QLatin1String("--list"))
            list = true;
        else if (args[i].startsWith(QLatin1String("-"))) {
            std::fprintf(stderr, "mahjong-snapshot: unknown option %s\nTry 'mahjong-snapshot --help'.\n",
                         qPrintable(args[i]));
            return 2;
        } else
            names << args[i];
    }
    if (list) {
        for (const Sample &sample : SampleRegistry::all())
            std::printf("%s\n", qPrintable(sample.name));
        return 0;
    }

    ResourcePaths::install({});
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.loadStyleSheet();
    TranslationsManager translations(ResourcePaths::roots({}));
    if (!translations.setLanguage(language)) {
        std::fprintf(stderr, "mahjong-snapshot: no translation for %s\n", qPrintable(language));
        return 2;
    }
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "mahjong-snapshot: cannot create %s\n", qPrintable(outDir));
        return 1;
    }

    int written = 0;
    for (const Sample &sample : SampleRegistry::all()) {
        if (!names.isEmpty() && !names.contains(sample.name))
            continue;
        QWidget *widget = sample.make();
        widget->resize(sample.size.isEmpty() ? widget->sizeHint() : sample.size);
        widget->show();
        // Let layouts, style sheets and queued updates settle before the picture.
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        const QString path = QDir(outDir).filePath(sample.name + QLatin1Char('-') + language + QStringLiteral(".png"));
        if (!widget->grab().save(path)) {
            std::fprintf(stderr, "mahjong-snapshot: cannot write %s\n", qPrintable(path));
            delete widget;
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
        delete widget;
        ++written;
    }
    if (written == 0 && !names.isEmpty()) {
        std::fprintf(stderr, "mahjong-snapshot: no sample of that name (see --list)\n");
        return 2;
    }
    return 0;
}
