#include "app/QuickBackend.h"

#include <QByteArray>
#include <QDebug>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>

namespace {

bool g_software = false;

bool openGLIsSoftware()
{
    QOpenGLContext context;
    if (!context.create())
        return false; // no OpenGL at all: Qt Quick finds its own way
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return false;
    const auto *name = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
    const QByteArray renderer = QByteArray(name ? name : "").toLower();
    context.doneCurrent();
    return renderer.contains("llvmpipe") || renderer.contains("softpipe") || renderer.contains("swrast")
           || renderer.contains("software");
}

} // namespace

void QuickBackend::chooseForWebPages()
{
    if (!qGuiApp || qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        return;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return;
    if (openGLIsSoftware()) {
        g_software = true;
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        qDebug() << "OpenGL is a software rasteriser: web pages draw in software";
    }
}

bool QuickBackend::softwareChosen()
{
    return g_software;
}
