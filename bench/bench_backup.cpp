// Backups on a large register: the automatic backup (a connection of its
// own and SQLite's online backup) against the sqlite3 shell's ".backup" of
// the same file, the check of a backup offered for restore, and the restore
// from the user's yes to a working register.
// Usage: bench_backup [residents]
#include "platform/QtPrinting.h"
#include "BenchSupport.h"
#include "app/RecordsSafety.h"
#include "data/Backup.h"
#include "data/TDM2.h"
#include "platform/Prompter.h"
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

// Wall time of one sqlite3 shell run on the file, in ms.
double shellWallMs(const QString& file, const QString& command)
{
    QElapsedTimer t;
    t.start();
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {file, command});
    if (!shell.waitForFinished(60000) || shell.exitCode() != 0)
        return -1;
    return t.nsecsElapsed() / 1e6;
}

// Answers Yes to every question and records the last message.
class YesPrompter : public Prompter {
public:
    void message(const QString& text, MessageKind, const QString&) override { last = text; }
    Answer ask(const QString&, Buttons, MessageKind, const QString&) override
    {
        answered.start();
        return Answer::Yes;
    }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QStringList&, const QString&) override { return {}; }
    bool chooseFont(QFont&) override { return false; }
    bool choosePrinter(QPrinter&) override { return false; }
    QString last;
    QElapsedTimer answered;
};

struct Silent : Sound, Launcher, Help {
    void beep() override {}
    void exclamation() override {}
    void playSync(const QString&, int) override {}
    bool start(Program) override { return false; }
    bool openFile(const QString&) override { return false; }
    void showTopic(int) override {}
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
    // only opens the file, so that neither counts the process start.
    const QString shellTarget = out.filePath(QStringLiteral("shell.sqlite"));
    const double shellStart = medianMs(5, [&] { shellWallMs(file, QStringLiteral(".databases")); });
    const double shellBackup = medianMs(5, [&] {
        QFile::remove(shellTarget);
        shellWallMs(file, QStringLiteral(".backup '%1'").arg(shellTarget));
    }) - shellStart;

    const QString target = out.filePath(QStringLiteral("zorp_yedek.sqlite"));
    const double backupMs = medianMs(5, [&] { copyDatabaseFile(file, target); });
    bench::report(QStringLiteral("backup (own connection, online backup)"), backupMs, shellBackup, shellBackup * 1.5);

    const double inspectMs = medianMs(3, [&] { inspectBackup(target); });
    std::printf("%-48s %9.3f ms   (integrity check, tables, count)\n", "check of a backup offered for restore",
                inspectMs);
    const double quickMs = medianMs(3, [&] { quickCheck(file); });
    std::printf("%-48s %9.3f ms   (beside the login window)\n", "quick check of the database", quickMs);

    // Restore through the command on a copy of the register, with its
    // datasets open: from the yes to the register open again.
    const QString work = out.filePath(QStringLiteral("veri"));
    QDir().mkpath(work);
    QFile::copy(file, work + QStringLiteral("/zorp.sqlite"));
    TDM2 dm(work);
    YesPrompter prompter;
    Silent silent;
    SystemClock clock;
    QtPrinting printing(prompter);
    const Services services{prompter, silent, silent, silent, clock, printing};
    RecordsSafety safety(dm, services, [] { return true; });
    QElapsedTimer whole;
    whole.start();
    double fromYes = 0;
    if (safety.restoreFrom(target)) {
        fromYes = prompter.answered.nsecsElapsed() / 1e6;
        std::printf("%-48s %9.3f ms   target %7.1f ms   %s\n", "restore, from the yes to the working register",
                    fromYes, 3000.0, fromYes <= 3000 ? "ok" : "OVER");
        std::printf("%-48s %9.3f ms   (%d residents in the register)\n", "restore, with the check before the question",
                    whole.nsecsElapsed() / 1e6, dm.Query2->recordCount());
    } else {
        std::printf("restore failed: %s\n", qPrintable(prompter.last));
        return 1;
    }
    return 0;
}
