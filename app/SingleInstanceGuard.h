#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Refuses a second running client of the same user: a lock file in the
// user's runtime directory that a second instance finds taken. A lock left by
// a crashed process is taken over.
class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString &name = QStringLiteral("mahjong"));
    ~SingleInstanceGuard();

    // True when this process now holds the guard.
    bool acquire();
    // Lets another instance start (e.g. the update installer).
    void release();
    bool isHeld() const;

    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
