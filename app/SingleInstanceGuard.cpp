#include "app/SingleInstanceGuard.h"

#include <QDir>
#include <QStandardPaths>

SingleInstanceGuard::SingleInstanceGuard(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(dir);
    m_path = QDir(dir).filePath(name + QStringLiteral(".lock"));
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock only goes stale when its owner died; QLockFile checks that.
    m_lock->setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

bool SingleInstanceGuard::acquire()
{
    if (m_lock->isLocked())
        return true;
    return m_lock->tryLock(0);
}

void SingleInstanceGuard::release()
{
    if (m_lock->isLocked())
        m_lock->unlock();
}

bool SingleInstanceGuard::isHeld() const
{
    return m_lock->isLocked();
}
