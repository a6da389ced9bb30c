#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

// One window or panel drawn with sample data, for a picture of it. make()
// returns a new top-level widget (the tool owns and deletes it); size is the
// window size of the picture, or empty for the widget's own size hint.
struct Sample
{
    QString name;
    QSize size;
    std::function<QWidget *()> make;
};

class SampleRegistry
{
public:
    static bool add(Sample sample);
    static const std::vector<Sample> &all();
};

// A page that the client shows inside its main window, framed by one for the
// picture so that it takes the main window's style as it does there.
QWidget *asMainWindowPage(QWidget *page);

// Picks the first tile set and waits for its drawings: the tool ends without
// an event loop, so the re-rendering must finish first.
void useTiles();

// Registers a sample from its own source file, compiled into the tool:
//   MAHJONG_SAMPLE(lobby, {"lobby-window", {1024, 768}, [] { return new LobbyWindow(...); }});
#define MAHJONG_SAMPLE(id, ...) \
    namespace { \
    const bool sample_##id = SampleRegistry::add(Sample __VA_ARGS__); \
    }
