#include "mainwindow/MainWindow.h"

#include "widgets/ApplicationVersion.h"

#include <QDebug>
#include <QLabel>

MainWindow::MainWindow(const QString &gameHost, quint16 gamePort, const QString &userName,
                       const QString &password, bool useSsl, const QString &webHost,
                       TranslationsManager *translationsManager)
    : QMainWindow(nullptr)
    , m_gameHost(gameHost)
    , m_gamePort(gamePort)
    , m_userName(userName)
    , m_password(password)
    , m_useSsl(useSsl)
    , m_webHost(webHost)
    , m_translationsManager(translationsManager)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Brisquel - ") + applicationVersion());
    auto *label = new QLabel(tr("Welcome to Brisquel Mahjong."), this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    resize(1024, 768);
}

void MainWindow::onStartupFinished(bool success)
{
    if (!success)
        return;
    show();
    qWarning(" [INFO ] Main window shown");
}
