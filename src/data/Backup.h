// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Backups of the database: consistent copies made with SQLite's online
// backup while the program keeps working, each checked in full before it
// counts; the "yedek" folder that holds the automatic ones and its rotation;
// the check that a file is a good backup, the restore, and SQLite's checks
// of the database file.
#include "data/Errors.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;

namespace zelvar {

class Database;

// A backup or restore that could not be done; the message is Turkish.
class BackupError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

// A copy that failed its full check: the database it was taken from is
// damaged. The copy has been deleted.
class DamagedCopyError : public BackupError {
public:
    explicit DamagedCopyError(const QStringList& problems);
    QStringList problems() const { return m_problems; }

private:
    QStringList m_problems;
};

// Called often by long work beside the window (a backup, a check of the
// file): it may sleep, so that the work gives way to the user.
using Pause = std::function<void()>;

// What a backup was made for and how.
struct CopyOptions {
    Pause pause;         // copy in small steps, calling this between them
    bool verify = false; // check the copy in full before it takes the target's place
};

// What a file offered for a restore holds.
struct BackupInfo {
    QDateTime taken; // from the file name, or the file's time
    int residents = 0;
};

// The automatic backups of one data folder: <data folder>/yedek, one file
// per backup named by its date and time. The rotation keeps the newest
// backup of each of the 30 newest days and of each of the 12 newest months
// that have one, as the common backup tools do; and while the register has
// shrunk to none or under half of what a backup holds, the newest sound
// backup holding more than twice as many is never deleted.
class BackupFolder {
public:
    explicit BackupFolder(const QString& dataFolder);

    static constexpr int kDaysKept = 30;
    static constexpr int kMonthsKept = 12;
    static QString folderName() { return QStringLiteral("yedek"); }
    // "zorp_2026-12-09_09-30-15.sqlite"
    static QString fileNameFor(const QDateTime& taken);
    // The date and time in a backup's file name; invalid for other names.
    static QDateTime takenFromFileName(const QString& fileName);

    QString path() const { return m_path; }
    // The backups, newest first.
    QStringList files() const;
    QString newest() const;
    bool hasBackupOn(const QDate& day) const;

    // Copies the database file of the data folder into a new backup through
    // a connection of its own, checks the copy in full and then rotates the
    // folder. Returns the new file. Throws BackupError; DamagedCopyError when
    // the copy failed its check, which is then deleted and never rotated in.
    QString backUp(const QDateTime& now, const Pause& pause = {}) const;
    // The rotation, for a register that now holds `currentResidents`.
    void prune(int currentResidents) const;
    // The newest backup that passes inspectBackup, with what it holds;
    // empty when there is none. Checks the backups newest first.
    QString newestSound(BackupInfo* info = nullptr, const Pause& pause = {}) const;

private:
    QString m_dataFolder;
    QString m_path;
};

// Copies the database open on `source` into the file `target` with the
// online backup. The copy is written beside the target and renamed into
// place, so that a failure (disk full, folder not writable, a copy that
// fails its check) leaves no half copy and an older file of that name
// unchanged. Throws BackupError, or DamagedCopyError.
void copyDatabase(sqlite3* source, const QString& target, const CopyOptions& options = {});

// Copies the database file `databaseFile` through a connection of its own,
// which reads one snapshot however long the copy takes.
void copyDatabaseFile(const QString& databaseFile, const QString& target, const CopyOptions& options = {});

// Writes the backup `backupFile` as the database file `databaseFile`, read
// through a read-only connection; the copy is written beside the target and
// renamed into place. For a start where the database file is missing or set
// aside; a running database is restored with restoreBackup. Throws BackupError.
void installBackup(const QString& backupFile, const QString& databaseFile);

// Checks that `file` is a Zelvar database that passes SQLite's integrity
// check and has every table and field; reads its date and resident count.
// Only reads the file. Throws BackupError naming the problem in Turkish.
BackupInfo inspectBackup(const QString& file, const Pause& pause = {});

// Replaces the whole content of the live database with the backup's, in one
// write transaction: all of it or nothing. The caller closes its datasets
// first and opens them again after. Throws BackupError.
void restoreBackup(Database& live, const QString& file);

// SQLite's checks of a database file through a connection of its own: the
// problems found, none when the file is sound. The quick check reads every
// page but does not compare the indexes with their tables; the full check
// does.
QStringList quickCheck(const QString& databaseFile, const Pause& pause = {});
QStringList integrityCheck(const QString& databaseFile, const Pause& pause = {});

} // namespace zelvar
