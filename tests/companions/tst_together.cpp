// SPDX-License-Identifier: GPL-3.0-or-later
// The programs on one data folder: an older database gets the companions'
// tables once; each program runs once and all of them together; a moment's
// lock is waited out; another program's commit, a restore among them, is
// noticed; the main program's reminder rings for an appointment the diary
// wrote in another process.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/AppointmentReminder.h"
#include "companions/addressbook/AddressBookWindow.h"
#include "companions/common/CompanionFolder.h"
#include "companions/common/DataChangeWatch.h"
#include "companions/common/LockWait.h"
#include "companions/diary/AppointmentBook.h"
#include "companions/diary/DiaryWindow.h"
#include "data/Backup.h"
#include "data/DataFolderLock.h"
#include "data/Database.h"
#include "data/TDM2.h"
#include "platform/fakes/FakeServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <stdexcept>
#include <thread>

using namespace zelvar;

namespace {

const QString kPrograms = QStringLiteral(ZELVAR_PROGRAM_DIR);

// A database as the first version left it: the register's tables only.
void makeFirstVersion(const QString& folder)
{
    auto db = Database::openFolder(folder);
    db->exec("drop table \"Adresler\"");
    db->exec("drop table \"Notlar\"");
    db->exec("PRAGMA user_version=1");
}

bool hasTable(Database& db, const QString& name)
{
    return db.scalar("select count(*) from sqlite_master where type = 'table' and name = ?", {name}).toInt() == 1;
}

// A companion program started on the folder, without a display.
QProcess* startProgram(const QString& name, const QString& folder, const QStringList& more = {})
{
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p->setProcessEnvironment(env);
    p->start(QDir(kPrograms).filePath(name), QStringList{"--data-dir", folder} + more);
    return p;
}

bool waitForFile(const QString& path, int ms = 15000)
{
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(path) && t.elapsed() < ms)
        QTest::qWait(50);
    return QFile::exists(path);
}

} // namespace

class TogetherTest : public QObject {
    Q_OBJECT
private slots:
    void anOlderDatabaseGetsTheCompanionsTablesOnce()
    {
        QTemporaryDir dir;
        makeFirstVersion(dir.path());
        const QString v1 = dir.filePath("ilk.sqlite");
        QVERIFY(QFile::copy(dir.filePath(Database::fileName()), v1));

        // Two programs opening it: the second finds the work done.
        auto first = Database::openFolder(dir.path());
        auto second = Database::openFolder(dir.path());
        for (Database* db : {first.get(), second.get()}) {
            QVERIFY(hasTable(*db, "Adresler") && hasTable(*db, "Notlar"));
            QCOMPARE(db->schemaVersion(), Database::kSchemaVersion);
        }
        // A backup of the first version is a good backup, and restoring it
        // while the companions run brings their tables back at once.
        QVERIFY(inspectBackup(v1).taken.isValid());
        FakeErrors errors;
        DataChangeWatch watch(*second, errors, 60000);
        restoreBackup(*first, v1);
        QVERIFY(hasTable(*first, "Adresler"));
        QVERIFY(watch.check());
        QVERIFY(!watch.check());

        // What a change sets off at the timer's tick fails: the error is
        // told, not thrown into Qt's event loop, and the watch goes on.
        DataChangeWatch ticking(*second, errors, 10);
        int changes = 0;
        QObject::connect(&ticking, &DataChangeWatch::changed, [&changes] {
            if (++changes == 1)
                throw std::runtime_error("okunamadı");
        });
        first->exec(QStringLiteral("CREATE TABLE Deneme (a)"));
        QTRY_COMPARE(errors.texts, QStringList{QStringLiteral("okunamadı")});
        first->exec(QStringLiteral("DROP TABLE Deneme"));
        QTRY_COMPARE(changes, 2);
        QCOMPARE(errors.texts.size(), 1);
    }

    void eachProgramRunsOnceAndAllTogether()
    {
        QTemporaryDir dir;
        const QString folder = dir.path();
        DataFolderLock mainProgram(folder);
        QCOMPARE(mainProgram.take(), DataFolderLock::Result::Taken);

        std::unique_ptr<QProcess> diary(startProgram("zelvar-takvim", folder));
        QVERIFY(waitForFile(QDir(folder).filePath("zorp-takvim.lock")));
        std::unique_ptr<QProcess> book(startProgram("zelvar-adres", folder));
        std::unique_ptr<QProcess> notes(startProgram("zelvar-defter", folder));
        QVERIFY(waitForFile(QDir(folder).filePath("zorp-adres.lock")));
        QVERIFY(waitForFile(QDir(folder).filePath("zorp-defter.lock")));

        // A second diary hands its day over to the first and ends at once.
        std::unique_ptr<QProcess> again(startProgram("zelvar-takvim", folder, {"--date", "2026-12-09"}));
        QVERIFY(again->waitForFinished(15000));
        QCOMPARE(again->exitCode(), 0);
        for (QProcess* running : {diary.get(), book.get(), notes.get()})
            QCOMPARE(running->state(), QProcess::Running);
        // The main program's own lock stays its own.
        DataFolderLock secondMain(folder);
        QCOMPARE(secondMain.take(), DataFolderLock::Result::HeldByAnother);
        CompanionFolder secondBook(folder, AddressBookWindow::info());
        QCOMPARE(secondBook.open(), CompanionFolder::Result::AlreadyRunning);

        for (QProcess* running : {diary.get(), book.get(), notes.get()}) {
            running->kill();
            running->waitForFinished(5000);
        }
        // Killed, they leave stale locks that do not keep them out.
        CompanionFolder diaryAgain(folder, DiaryWindow::info());
        QCOMPARE(diaryAgain.open(), CompanionFolder::Result::Opened);
    }

    void theReminderRingsForAnAppointmentAnotherProgramWrote()
    {
        testing::DataFixture main;
        FakeServices s;
        AppointmentReminder reminder(main.dm().tbrandevu, s.sound, s.launcher);
        const QDateTime at(QDate(2026, 12, 9), QTime(14, 30));
        QVERIFY(!reminder.tick(at, true));

        QProcess writer;
        writer.start(ZELVAR_APPOINTMENT_WRITER, {main.folder(), "2026-12-09", "14:30", "Ayşe Demir"});
        QVERIFY(writer.waitForFinished(15000));
        QCOMPARE(writer.exitCode(), 0);

        QVERIFY(reminder.tick(at, true));
        QCOMPARE(s.sound.events, QStringList{"play ring.wav x4"});
        QCOMPARE(s.launcher.started, QList<Program>{Program::Diary});
        QCOMPARE(s.launcher.startArguments.value(0),
                 (QStringList{"--data-dir", main.folder(), "--date", "2026-12-09", "--time", "14:30"}));
    }

    void aMomentsLockIsWaitedOutAndALongOneNamed()
    {
        QTemporaryDir dir;
        auto db = Database::openFolder(dir.path());
        AppointmentBook book(*db);
        // Another program holds the write lock for a moment, longer than the
        // connection's own busy timeout.
        const auto holdLock = [&dir](int ms) {
            return std::thread([path = dir.filePath(Database::fileName()).toStdString(), ms] {
                sqlite3* other = nullptr;
                sqlite3_open(path.c_str(), &other);
                sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
                sqlite3_close(other);
            });
        };
        std::thread moment = holdLock(Database::kBusyTimeoutMs + 700);
        QTest::qWait(100);
        Appointment a;
        a.date = QDate(2026, 12, 9);
        a.start = QStringLiteral("09:30");
        book.save(a);
        moment.join();
        QCOMPARE(book.count(), 1);

        // Held past the wait, the lock is told as the lock it is, not as
        // wrong input.
        std::thread longer = holdLock(3000);
        QTest::qWait(100);
        db->setBusyTimeout(100);
        try {
            writeTransaction(
                *db, [&db] { db->exec("delete from \"Randevu\""); }, 500);
            QFAIL("a lock held past the wait went unnoticed");
        } catch (const StorageError& e) {
            QCOMPARE(e.problem(), StorageProblem::Locked);
        }
        longer.join();
        QCOMPARE(book.count(), 1);
    }
};

ZELVAR_TEST(TogetherTest)
#include "tst_together.moc"
