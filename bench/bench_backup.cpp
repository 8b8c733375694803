// SPDX-License-Identifier: GPL-3.0-or-later
// Backups on a large register: the automatic backup (a connection of its
// own and SQLite's online backup) against the sqlite3 shell's ".backup" of
// the same file, the check of a backup offered for restore, and the restore
// from the user's yes to a working register.
// Usage: bench_backup [residents]
#include "BenchSupport.h"
#include "SilentServices.h"
#include "app/BackgroundScheduler.h"
#include "app/RecordsSafety.h"
#include "data/Backup.h"
#include "data/TDM2.h"
#include "platform/Prompter.h"
#include "platform/QtPrinting.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

// One sqlite3 shell run on the file: its wall time and its own CPU time.
Sample shellRun(const QString& file, const QString& command)
{
    return childRun(QStringLiteral("sqlite3"), {file, command});
}

// Answers Yes to every question and records the last message.
class YesPrompter : public SilentPrompter {
public:
    void message(const QString& text, MessageKind, const QString&) override { last = text; }
    Answer ask(const QString&, Buttons, MessageKind, const QString&) override
    {
        answered.start();
        return Answer::Yes;
    }
    QString last;
    QElapsedTimer answered;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int residents = argc > 1 ? atoi(argv[1]) : 100000;
    const QString folder = generatedFolder(residents);
    const QString file = folder + QStringLiteral("/zorp.sqlite");
    QTemporaryDir out;
    std::printf("Register of %d residents, %.1f MB, in %s\n", residents, QFileInfo(file).size() / 1e6,
                qPrintable(folder));

    // The floor: the shell's whole run with ".backup", less its run that
    // only opens the file, so that neither counts the process start; wall
    // and CPU time each less its own.
    const QString shellTarget = out.filePath(QStringLiteral("shell.sqlite"));
    const QString target = out.filePath(QStringLiteral("zorp_yedek.sqlite"));
    Samples floor, ours;
    for (int i = 0; i < 5; ++i) {
        QFile::remove(shellTarget);
        const Sample start = shellRun(file, QStringLiteral(".databases"));
        const Sample backup = shellRun(file, QStringLiteral(".backup '%1'").arg(shellTarget));
        floor.add(Sample{backup.wallMs - start.wallMs, std::max(0.0, backup.cpuMs - start.cpuMs)});
        ours.add(measure([&] { copyDatabaseFile(file, target); }));
    }
    runRow(QStringLiteral("backup (own connection, online backup)"), residents, ours, floor, Goal::ratio(1.5));

    // The day's automatic backup as the program takes it: after a quiet
    // moment, on a thread at idle priority, in small steps, checked in full
    // and rotated in; against the same copy and full check at full speed.
    const QString backupFolder = out.filePath(QStringLiteral("gunluk"));
    QDir().mkpath(backupFolder);
    QFile::copy(file, backupFolder + QStringLiteral("/zorp.sqlite"));
    Samples automatic, direct;
    BackgroundScheduler scheduler(0);
    for (int i = 0; i < 3; ++i) {
        direct.add(measure([&] {
            copyDatabaseFile(file, target);
            integrityCheck(target);
        }));
        automatic.add(measure([&] {
            const QDateTime taken = QDateTime::currentDateTime().addDays(i);
            BackgroundJob* job = scheduler.whenIdle(
                [&](const Pause& pause) { BackupFolder(backupFolder).backUp(taken, pause); }, nullptr);
            while (!job->isStarted())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            job->wait();
            delete job;
        }));
    }
    runRow(QStringLiteral("day's backup, idle priority, checked in full"), residents, automatic, direct,
           Goal::ratio(1.5));

    Samples inspect, quick;
    for (int i = 0; i < 3; ++i) {
        inspect.add(measure([&] { inspectBackup(target); }));
        quick.add(measure([&] { quickCheck(file); }));
    }
    const double inspectMs = inspect.wall(0.5);
    std::printf("%-48s %9.3f ms   (integrity check, tables, count)\n", "check of a backup offered for restore",
                inspectMs);
    const double quickMs = quick.wall(0.5);
    std::printf("%-48s %9.3f ms   (beside the login window)\n", "quick check of the database", quickMs);

    // Restore through the command on a copy of the register, with its
    // datasets open: from the yes to the register open again.
    const QString work = out.filePath(QStringLiteral("veri"));
    QDir().mkpath(work);
    QFile::copy(file, work + QStringLiteral("/zorp.sqlite"));
    TDM2 dm(work);
    YesPrompter prompter;
    SilentSound sound;
    NoLauncher launcher;
    NoHelp help;
    SystemClock clock;
    QtPrinting printing(prompter);
    LoggedErrors errors;
    const Services services{prompter, sound, launcher, help, clock, printing, errors};
    RecordsSafety safety(dm, services, [] { return true; });
    QElapsedTimer whole;
    whole.start();
    double fromYes = 0;
    if (safety.restoreFrom(target)) {
        fromYes = prompter.answered.nsecsElapsed() / 1e6;
        std::printf("%-48s %9.3f ms   target %7.1f ms   %s\n", "restore, from the yes to the working register", fromYes,
                    3000.0, fromYes <= 3000 ? "ok" : "OVER");
        std::printf("%-48s %9.3f ms   (%d residents in the register)\n", "restore, with the check before the question",
                    whole.nsecsElapsed() / 1e6, dm.Query2->recordCount());
    } else {
        std::printf("restore failed: %s\n", qPrintable(prompter.last));
        return 1;
    }
    return 0;
}
