// Taking the single-copy lock in the profile directory.
#include "desktop/InstanceLock.h"

#include <QDir>
#include <QFileInfo>

namespace desktop {

QString InstanceLockPath(const QString& settingsFilePath)
{
    return settingsFilePath + QStringLiteral(".lock");
}

InstanceLock::InstanceLock(const QString& lockPath) : lock_(lockPath)
{
    // Never stale by age: a game may run for days. A lock whose process is
    // gone is stale all the same, and QLockFile takes it over.
    lock_.setStaleLockTime(0);
    const QDir directory = QFileInfo(lockPath).absoluteDir();
    if (!directory.exists() && !QDir().mkpath(directory.absolutePath())) return;
    if (lock_.tryLock(0)) {
        outcome_ = Outcome::Held;
    } else if (lock_.error() == QLockFile::LockFailedError) {
        outcome_ = Outcome::AlreadyRunning;
    }
}

}  // namespace desktop
