#include "PoolStarts.h"

#include <QThreadPool>

#include <atomic>
#include <dlfcn.h>
#include <functional>

namespace {
std::atomic<long> starts{0};
}

long poolStarts()
{
    return starts.load();
}

// Defined here, it takes the place of Qt's own overload for the whole
// process (the raster engine's jobs all come through this one) and passes
// each job on to it.
void QThreadPool::start(std::function<void()> functionToRun, int priority)
{
    using Start = void (*)(QThreadPool *, std::function<void()>, int);
    static const auto qtStart = reinterpret_cast<Start>(
        dlvsym(RTLD_NEXT, "_ZN11QThreadPool5startESt8functionIFvvEEi", "Qt_6"));
    ++starts;
    qtStart(this, std::move(functionToRun), priority);
}
