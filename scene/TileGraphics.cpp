#include "scene/TileGraphics.h"

#include "scene/Logging.h"
#include "scene/ResizeWorker.h"
#include "scene/TileImages.h"

#include <QCoreApplication>
#include <QDir>

#include <memory>

namespace {
int checkedChoice(int index, const char *what)
{
    if (index >= 0 && index < TileGraphics::ChoiceCount)
        return index;
    // A setting stored by another version: fall back to the default set.
    qCWarning(lcScene, "Tile %s choice %d does not exist; using the default", what, index);
    return 0;
}

QStringList choiceNames(const QList<QPair<QString, QString>> &choices)
{
    QStringList names;
    for (const auto &c : choices)
        names << c.first;
    return names;
}
} // namespace

TileGraphics &TileGraphics::instance()
{
    static TileGraphics graphics;
    return graphics;
}

TileGraphics::TileGraphics()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &TileGraphics::onAboutToQuit);
}

TileGraphics::~TileGraphics()
{
    // Normally gone at aboutToQuit; without an event loop it may still run.
    discardWorker();
}

QList<QPair<QString, QString>> TileGraphics::blankChoices()
{
    return {
        {tr("Bamboo"), QStringLiteral("resources:/tiles-blank-default.png")},
        {tr("Green 1"), QStringLiteral("resources:/tiles-blank-green.png")},
        {tr("Red"), QStringLiteral("resources:/tiles-blank-red.png")},
        {tr("Green 2"), QStringLiteral("resources:/tiles-blank-green.svg")},
        {tr("Dark wood"), QStringLiteral("resources:/tiles-blank-darkwood.svg")},
    };
}

QList<QPair<QString, QString>> TileGraphics::faceChoices()
{
    return {
        {tr("Numbered"), QStringLiteral("resources:/tiles-fg.svg")},
        {tr("Mixed numbered"), QStringLiteral("resources:/tiles-fg-half-marked.svg")},
        {tr("Without numbers"), QStringLiteral("resources:/tiles-fg-no-marks.svg")},
        {tr("Rustic numbered"), QStringLiteral("resources:/tiles-fg.png")},
        {tr("Simple tiles"), QStringLiteral("resources:/tiles-fg-simple.svg")},
    };
}

QStringList TileGraphics::blankNames()
{
    return choiceNames(blankChoices());
}

QStringList TileGraphics::faceNames()
{
    return choiceNames(faceChoices());
}

const QThread *TileGraphics::workerThread() const
{
    return m_worker;
}

void TileGraphics::setTileSet(int blank, int face)
{
    const QString blankPath = blankChoices().at(checkedChoice(blank, "back")).second;
    const QString facePath = faceChoices().at(checkedChoice(face, "face")).second;
    if (blankPath == m_blank && facePath == m_face)
        return;
    m_blank = blankPath;
    m_face = facePath;
    m_unscaled.setImages(loadOrRenderTileImages(m_blank, m_face, 1.0));
    m_scaled.setImages(new TileImages(*m_unscaled.images(), m_scale));
    startWorker();
    emit tileGraphicsChanged();
}

void TileGraphics::setGameScale(double scale)
{
    // Beyond this the pictures would be absurdly large (and the rounding
    // below would overflow).
    constexpr double MaxScale = 16.0;
    const double rounded = scale > 0.0 && scale <= MaxScale ? static_cast<int>(scale * 32) * 0.03125 : 0.0;
    if (!(rounded > 0.0)) {
        qCWarning(lcScene, "Ignoring tile scale %g", scale);
        return;
    }
    if (rounded == m_scale || m_busy)
        return;
    m_busy = true;
    m_scale = rounded;
    // Before the first choice of sets there is nothing to scale; the choice
    // will build at this scale.
    if (m_unscaled.images()) {
        m_scaled.setImages(new TileImages(*m_unscaled.images(), m_scale));
        startWorker();
    }
    emit gameScaleChanged();
    m_busy = false;
}

void TileGraphics::startWorker()
{
    if (m_worker)
        return;
    m_worker = new ResizeWorker(m_blank, m_face, m_scale);
    connect(m_worker, &QThread::finished, this, &TileGraphics::onThreadFinished, Qt::QueuedConnection);
    ++m_workerRuns;
    m_worker->start(QThread::InheritPriority);
}

void TileGraphics::onThreadFinished()
{
    // A late notice after quitting.
    if (!m_worker)
        return;
    // finished() is emitted just before the thread is marked finished.
    m_worker->wait();
    ResizeWorker *worker = m_worker;
    m_worker = nullptr;
    const bool outOfDate = worker->blank() != m_blank || worker->face() != m_face || worker->scale() != m_scale;
    if (outOfDate) {
        delete worker->takeResult();
        startWorker();
    } else {
        m_scaled.setImages(worker->takeResult());
    }
    worker->deleteLater();
    emit gameScaleChanged();
}

void TileGraphics::onAboutToQuit()
{
    discardWorker();
}

void TileGraphics::discardWorker()
{
    if (!m_worker)
        return;
    m_worker->wait();
    // Deleted now: the event loop that would run deleteLater is ending.
    delete m_worker;
    m_worker = nullptr;
}

bool TileGraphics::buildTileSetCaches(const QString &directory)
{
    // Standalone use (the install option runs before any window exists):
    // make sure the embedded sets can be found.
    if (QDir::searchPaths(QStringLiteral("resources")).isEmpty())
        QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    const QString dir = directory.isEmpty() ? bundledTileSetCacheDirectory() : directory;
    if (dir.isEmpty() || !QDir().mkpath(dir)) {
        qCWarning(lcScene, "Cannot create the directory %s", qPrintable(dir));
        return false;
    }
    bool ok = true;
    for (const auto &blank : blankChoices()) {
        for (const auto &face : faceChoices()) {
            const std::unique_ptr<TileImages> images(loadOrRenderTileImages(blank.second, face.second, 1.0));
            ok = saveTileImages(*images, dir + QLatin1Char('/') + tileSetCacheName(blank.second, face.second, 1.0))
                 && ok;
        }
    }
    return ok;
}
