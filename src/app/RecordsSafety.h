#pragma once
// RecordsSafety: keeps the office's records safe while the program runs.
// Checks the database file at start (beside the login window), takes the
// day's first backup after the login and one at exit when records changed,
// both beside the window; "Yedek Al..." copies the database to a place the
// user chooses, "Yedekten Geri Yükle..." puts a checked backup in its place.
// A failed automatic backup is told once, as a line for the hint panel.
#include "platform/Services.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

namespace zelvar {

class BackgroundJob;
struct BackupInfo;
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

    // Starts SQLite's quick check on a connection of its own. Called before
    // the login window, which it never delays.
    void startIntegrityCheck();
    // After the login: tells a damaged database (offering the newest backup)
    // or takes the day's first backup.
    void afterLogin();
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

    static QString menuBackupText() { return QStringLiteral("Yedek Al..."); }
    static QString menuRestoreText() { return QStringLiteral("Yedekten Geri Yükle..."); }
    static QString automaticBackupFailed(const QString& why);

signals:
    // A line for the status bar's hint panel.
    void notice(const QString& text);
    // The database now holds a restored backup.
    void restored();

private:
    bool restore(const QString& file, const BackupInfo& info, bool ask);
    void checkFinished(const QStringList& problems);
    void reportDamage();
    void startBackup();
    void backupFinished(const QStringList& problems);
    bool keepCurrentData(const QDateTime& now);
    QString backupFolderPath() const;

    TDM2& m_dm;
    Services m_services;
    std::function<bool()> m_closeWindows;
    QString m_folder;
    qint64 m_changesAtStart = 0;

    QPointer<BackgroundJob> m_check;
    QPointer<BackgroundJob> m_backup;
    bool m_checkDone = false;
    bool m_loggedIn = false;
    bool m_damageTold = false;
    bool m_failureTold = false;
    bool m_restoredDuringRun = false;
    QStringList m_problems;
};

} // namespace zelvar
