#include "data/DataFolderLock.h"

#include <QDir>

namespace zelvar {

DataFolderLock::DataFolderLock(const QString& dataFolder, const QString& lockName)
    : m_path(QDir(dataFolder).filePath(lockName)),
      m_lock(m_path)
{
    // A lock is stale only when its process is gone, never by its age: the
    // program may run for weeks.
    m_lock.setStaleLockTime(0);
}

DataFolderLock::Result DataFolderLock::take()
{
    if (m_lock.tryLock(0))
        return Result::Taken;
    return m_lock.error() == QLockFile::LockFailedError ? Result::HeldByAnother : Result::Failed;
}

qint64 DataFolderLock::holder() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    return m_lock.getLockInfo(&pid, &host, &application) ? pid : 0;
}

} // namespace zelvar
