// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DataFolderLock: one program per data folder. The running program holds a
// lock file in the folder; a second copy started on the same folder finds
// it held and ends without touching the data. A lock left by a run that
// crashed names a process that no longer exists and does not block. Each
// companion program holds a lock of its own name beside it, so that the
// programs may run together but each only once.
#include <QLockFile>
#include <QString>

namespace zelvar {

class DataFolderLock {
public:
    // lockName: the lock file's name in the folder; the main program's by default.
    explicit DataFolderLock(const QString& dataFolder, const QString& lockName = fileName());

    enum class Result { Taken, HeldByAnother, Failed };
    // Takes the lock for as long as this object lives.
    Result take();
    // The process that holds the lock, after HeldByAnother; 0 if unknown.
    qint64 holder() const;
    // Why the lock could not be written, after Failed, in Turkish: a full
    // disk is named with the place where it is mounted.
    QString failure() const;

    static QString fileName() { return QStringLiteral("zorp.lock"); }
    QString path() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace zelvar
