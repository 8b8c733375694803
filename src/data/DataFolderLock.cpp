// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataFolderLock.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

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

QString DataFolderLock::failure() const
{
    // The lock file needs a few bytes; a disk with less than a block or two
    // free is full for every purpose of the program.
    constexpr qint64 kFullBelowBytes = qint64{64} * 1024;
    const QStorageInfo disk(QFileInfo(m_path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < kFullBelowBytes)
        return QStringLiteral("Diskte yer kalmadı; %1 kilit dosyası yazılamıyor.\nDolu disk: %2")
            .arg(fileName(), QDir::toNativeSeparators(disk.rootPath()));
    return QStringLiteral("%1 kilit dosyası yazılamıyor.").arg(fileName());
}

qint64 DataFolderLock::holder() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    return m_lock.getLockInfo(&pid, &host, &application) ? pid : 0;
}

} // namespace zelvar
