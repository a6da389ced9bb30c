#include "../Sample.h"

#include "mainwindow/MainWindow.h"

MAHJONG_SAMPLE(mainWindowLogin, {QStringLiteral("main-window-login"), {1024, 768}, [] {
                                     return new MainWindow(QStringLiteral("localhost"), 443, QStringLiteral("ann"),
                                                           QString(), true, QStringLiteral("localhost"), nullptr);
                                 }});
