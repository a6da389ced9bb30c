#include "scene/ResizeWorker.h"

#include "scene/TileImages.h"

ResizeWorker::ResizeWorker(const QString &blank, const QString &face, double scale, QObject *parent)
    : QThread(parent)
    , m_blank(blank)
    , m_face(face)
    , m_scale(scale)
{
}

ResizeWorker::~ResizeWorker()
{
    wait();
    delete m_result;
}

TileImages *ResizeWorker::takeResult()
{
    TileImages *r = m_result;
    m_result = nullptr;
    return r;
}

void ResizeWorker::run()
{
    m_result = loadOrRenderTileImages(m_blank, m_face, m_scale);
}
