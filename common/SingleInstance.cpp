#include "SingleInstance.h"

#include <QDir>

namespace gl {

SingleInstance::SingleInstance(const QString& title)
    : path_(QDir(QDir::tempPath()).absoluteFilePath(title + QStringLiteral(".lock")))
{
}

bool SingleInstance::tryAcquire()
{
    lock_ = std::make_unique<QLockFile>(path_);
    // No age limit: a running copy keeps its lock however long it runs. A lock whose
    // process has gone is still recognised as stale and removed by QLockFile.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    if (lock_->error() == QLockFile::LockFailedError && lock_->removeStaleLockFile())
        return lock_->tryLock(0);
    return false;
}

} // namespace gl
