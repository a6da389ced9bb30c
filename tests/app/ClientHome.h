#pragma once

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QString>

// A private home for one real client process, so that its settings, log and
// single-instance lock never meet another test's (or the user's).
inline QProcessEnvironment clientEnvironment(const QString &home)
{
    QDir().mkpath(home + "/run");
    QFile::setPermissions(home + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.insert("XDG_RUNTIME_DIR", home + "/run");
    environment.insert("XDG_DATA_HOME", home + "/data");
    environment.insert("XDG_CONFIG_HOME", home + "/config");
    if (!environment.contains("QT_QPA_PLATFORM"))
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}
