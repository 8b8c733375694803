#pragma once
// Backups of the database: consistent copies made with SQLite's online
// backup while the program keeps working, the "yedek" folder that holds the
// automatic ones, the check that a file is a good backup, the restore, and
// SQLite's quick check of the database file.
#include "data/Errors.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace zelvar {

class Database;

// A backup or restore that could not be done; the message is Turkish.
class BackupError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

// The automatic backups of one data folder: <data folder>/yedek, one file
// per backup named by its date and time, the newest 30 kept.
class BackupFolder {
public:
    explicit BackupFolder(const QString& dataFolder);

    static constexpr int kKeep = 30;
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
    // a connection of its own, then keeps the newest kKeep. Returns the new
    // file. Throws BackupError.
    QString backUp(const QDateTime& now) const;
    // Deletes all but the newest `keep` backups.
    void prune(int keep = kKeep) const;

private:
    QString m_dataFolder;
    QString m_path;
};

// What a file offered for a restore holds.
struct BackupInfo {
    QDateTime taken; // from the file name, or the file's time
    int residents = 0;
};

// Copies the database open on `source` into the file `target` with the
// online backup. The copy is written beside the target and renamed into
// place, so that a failure (disk full, folder not writable) leaves no half
// copy and an older file of that name unchanged. Throws BackupError.
void copyDatabase(sqlite3* source, const QString& target);

// Copies the database file `databaseFile` through a connection of its own.
void copyDatabaseFile(const QString& databaseFile, const QString& target);

// Writes the backup `backupFile` as the database file `databaseFile`, read
// through a read-only connection; the copy is written beside the target and
// renamed into place. For a start where the database file is missing or set
// aside; a running database is restored with restoreBackup. Throws BackupError.
void installBackup(const QString& backupFile, const QString& databaseFile);

// Checks that `file` is a Zelvar database that passes SQLite's integrity
// check and has every table and field; reads its date and resident count.
// Only reads the file. Throws BackupError naming the problem in Turkish.
BackupInfo inspectBackup(const QString& file);

// Replaces the whole content of the live database with the backup's, in one
// write transaction: all of it or nothing. The caller closes its datasets
// first and opens them again after. Throws BackupError.
void restoreBackup(Database& live, const QString& file);

// SQLite's quick check of a database file through a connection of its own:
// the problems found, none when the file is sound.
QStringList quickCheck(const QString& databaseFile);

} // namespace zelvar
