#pragma once

#include "scene/TilePainter.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QThread;
class ResizeWorker;

// The one application-wide holder of the chosen tile sets: images at scale
// 1.0 (previews, panels, boards) and at the game scale (the table scene).
// A new scale is served at once by scaling the base images; the exact
// rendering follows from a worker thread.
class TileGraphics : public QObject
{
    Q_OBJECT
public:
    static TileGraphics &instance();
    ~TileGraphics() override;

    static constexpr int ChoiceCount = 5;

    void setTileSet(int blank, int face);
    void setGameScale(double scale);

    QString tileBlank() const { return m_blank; }
    QString tileFace() const { return m_face; }
    double gameScale() const { return m_scale; }
    TilePainter &unscaledPainter() { return m_unscaled; }
    TilePainter &scaledPainter() { return m_scaled; }

    static QStringList blankNames();
    static QStringList faceNames();
    static QList<QPair<QString, QString>> blankChoices();
    static QList<QPair<QString, QString>> faceChoices();

    // Pre-builds the cache of every blank and face pair at scale 1.0 in the
    // given directory, by default the program's own "tilesets" (read first
    // by every later start). True when all were written.
    static bool buildTileSetCaches(const QString &directory = QString());

    // Diagnostics: workers started so far, and whether one exists now.
    int workerRuns() const { return m_workerRuns; }
    bool hasWorker() const { return m_worker != nullptr; }
    const QThread *workerThread() const;

signals:
    void tileGraphicsChanged();
    void gameScaleChanged();

public slots:
    void onThreadFinished();
    void onAboutToQuit();

private:
    TileGraphics();
    void startWorker();
    void discardWorker();

    QString m_blank;
    QString m_face;
    double m_scale = 1.0;
    bool m_busy = false;
    TilePainter m_unscaled;
    TilePainter m_scaled;
    ResizeWorker *m_worker = nullptr;
    int m_workerRuns = 0;
};
