// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RecordsSafety: keeps the office's records safe while the program runs.
// Checks the database file at start, takes the day's first backup after the
// login (and on each new day of a long run) and one at exit when records
// changed, all beside the window at quiet moments. Every backup is checked
// in full before it counts, which makes it the day's full check of the file
// as well. "Yedek Al..." copies the database to a place the user chooses,
// "Yedekten Geri Yükle..." puts a checked backup in its place. Damage found
// is told once, with the newest sound backup offered; a failed automatic
// backup is told once, as a line for the hint panel.
#include "app/BackgroundScheduler.h"
#include "data/Backup.h"
#include "platform/Services.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

namespace zelvar {

class TDM2;

class RecordsSafety : public QObject {
    Q_OBJECT
public:
    // closeWindows closes the open document windows and tells whether all
    // of them went.
    RecordsSafety(TDM2& dm, const Services& services, std::function<bool()> closeWindows, QObject* parent = nullptr);
    ~RecordsSafety() override;

    // False for a database without a folder (in memory): nothing to back up.
    bool enabled() const { return !m_folder.isEmpty(); }

    // Starts SQLite's quick check on a connection of its own at the first
    // quiet moment. Called before the login window, which it never delays.
    void startIntegrityCheck();
    // After the login: tells a damaged database (offering the newest backup)
    // or takes the day's first backup.
    void afterLogin();
    // A long run's new day gets its backup too.
    void checkNewDay();
    // At a normal exit: a backup when records changed during the run. The
    // program waits for it before it ends.
    void atExit();

    // "Yedek Al..."
    void backupNowCommand();
    // "Yedekten Geri Yükle..."
    void restoreCommand();
    // Checks the file, asks with its date and resident count, backs the
    // current data up, closes the windows and restores. True when restored.
    bool restoreFrom(const QString& file);

    // Waits for work running beside the window and delivers its results.
    void waitForBackground();
    bool integrityChecked() const { return m_checkDone; }
    QStringList integrityProblems() const { return m_problems; }
    BackgroundScheduler& scheduler() { return m_scheduler; }
    // How often a long run looks for a new day.
    static constexpr int kNewDayCheckMs = 10 * 60 * 1000;

    static QString menuBackupText() { return QStringLiteral("Yedek Al..."); }
    static QString menuRestoreText() { return QStringLiteral("Yedekten Geri Yükle..."); }
    static QString automaticBackupFailed(const QString& why);

signals:
    // A line for the status bar's hint panel.
    void notice(const QString& text);
    // The database now holds a restored backup.
    void restored();

private:
    // What a check or a backup beside the window found.
    struct Finding {
        QStringList problems; // damage in the database file
        QString note;         // what became of the copy that found it
        QString failure;      // why a backup could not be written
        QString soundBackup;  // with damage: the newest sound backup
        BackupInfo soundInfo;
    };

    bool restore(const QString& file, const BackupInfo& info, bool ask);
    void checkFinished(const Finding& finding);
    void reportDamage(const Finding& finding);
    void startBackup(bool atExit);
    void backupFinished(const Finding& finding);
    bool keepCurrentData(const QDateTime& now);
    QString backupFolderPath() const;
    int currentResidents() const;

    TDM2& m_dm;
    Services m_services;
    std::function<bool()> m_closeWindows;
    QString m_folder;
    qint64 m_changesAtStart = 0;

    BackgroundScheduler m_scheduler;
    QTimer m_newDay;
    QDate m_backupTried;
    QPointer<BackgroundJob> m_check;
    QPointer<BackgroundJob> m_backup;
    bool m_checkDone = false;
    bool m_loggedIn = false;
    bool m_damageTold = false;
    bool m_failureTold = false;
    bool m_restoredDuringRun = false;
    QStringList m_problems;
    Finding m_damage; // the damage to tell after the login
};

} // namespace zelvar
