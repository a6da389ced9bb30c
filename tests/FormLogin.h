#pragma once

#include "mainwindow/LoginWindow.h"
#include "mainwindow/MainView.h"
#include "mainwindow/MainWindow.h"

#include <QPushButton>
#include <QTest>

// Credentials given to the window only fill the login form: the player still
// presses "Log in", once the handshake allows it.
inline bool logInWithTheForm(MainWindow &window, int timeoutMs = 15000)
{
    auto *button = window.view().loginWindow->findChild<QPushButton *>(QStringLiteral("loginButton"));
    if (!button)
        return false;
    const bool ready = QTest::qWaitFor(
        [button] { return button->isEnabled() && button->text() == QStringLiteral("Log in"); }, timeoutMs);
    if (ready)
        QTest::mouseClick(button, Qt::LeftButton);
    return ready;
}
