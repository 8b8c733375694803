// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DamagedDatabaseRecovery: start-up's way out of a database file too
// damaged to open. Finds the newest backup in the folder's "yedek" that is
// itself sound, asks whether to put it in place and, on yes, first sets the
// damaged file (with its -wal and -shm) aside under a dated name in the data
// folder, then writes the backup as the database file. Nothing is deleted:
// when the copy fails the damaged file goes back where it was.
#include "data/Backup.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"

#include <QString>

namespace zelvar {

class DamagedDatabaseRecovery {
public:
    DamagedDatabaseRecovery(const QString& dataFolder, Prompter& prompter, const Clock& clock);

    enum class Result {
        NoBackup, // no sound backup: nothing asked
        Declined, // the user said no: nothing touched
        Restored, // the backup is the database file now
        Failed,   // the copy failed: the damaged file is back, problem() says why
    };

    // Offers the newest sound backup with `failure`, the open's message, at
    // the head of the question.
    Result offer(const QString& failure);
    // Tells the user which backup is in use now and where the damaged file
    // was kept; called once the restored database has opened.
    void tellRestored();

    QString problem() const { return m_problem; }
    // The damaged database's new path after a restore.
    QString setAsidePath() const { return m_setAside; }
    // "zorp_bozuk_2026-12-09_09-30-15.sqlite"
    static QString setAsideName(const QDateTime& when);
    static QString question(const QString& failure, const QString& backupFile, const BackupInfo& info);

private:
    bool findSoundBackup();
    bool setDamagedFileAside();
    void putDamagedFileBack();
    QString databaseFile() const;

    QString m_folder;
    Prompter& m_prompter;
    const Clock& m_clock;
    QString m_backup;
    BackupInfo m_info;
    QString m_setAside;
    QString m_problem;
};

} // namespace zelvar
