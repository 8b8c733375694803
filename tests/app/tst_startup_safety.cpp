// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up on a data folder that is not fit to use: every case gets a
// Turkish message led by "Veritabanı açılamadı." and exit code 2 (or a
// normal start), never a crash, and the database file keeps its bytes.
// A second copy of the program on a folder in use is turned away.
#include "DataFixture.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "app/DataFolderOpening.h"
#include "data/Backup.h"
#include "data/DataFolderLock.h"
#include "data/Database.h"
#include "platform/fakes/FakeServices.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <sys/mount.h>

using namespace zelvar;
using zelvar::testing::bytesOf;
using zelvar::testing::writeBytes;

namespace {

void execOn(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// A folder holding a good database with a few residents, closed.
QString goodFolder(QTemporaryDir& dir, const QString& name)
{
    QString folder = dir.filePath(name);
    zelvar::testing::DataFixture f;
    f.addResident("Ali Kaya", 1);
    f.addResident("Ayşe Çınar", 2);
    f.dm().database().exec("PRAGMA wal_checkpoint(TRUNCATE)");
    QDir().mkpath(folder);
    QFile::copy(QDir(f.folder()).filePath(Database::fileName()), QDir(folder).filePath(Database::fileName()));
    return folder;
}

QString dbFile(const QString& folder)
{
    return QDir(folder).filePath(Database::fileName());
}

} // namespace

class StartupSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void unfitDataFoldersAreRefusedUntouched()
    {
        QTemporaryDir dir;
        struct Case {
            QString name;
            QString folder;
            QString reason; // part of the message
        };
        QList<Case> cases;

        QString folder = dir.filePath("metin");
        QDir().mkpath(folder);
        writeBytes(dbFile(folder), QByteArray("Bu bir veritabanı değil, bir mektup.\n").repeated(200));
        cases << Case{"not a database", folder, "veritabanı değil"};

        folder = goodFolder(dir, "kesik");
        writeBytes(dbFile(folder), bytesOf(dbFile(folder)).left(4096 + 100));
        cases << Case{"truncated", folder, "zorp.sqlite"};

        folder = goodFolder(dir, "tablosuz");
        execOn(dbFile(folder), "drop table Randevu");
        cases << Case{"missing table", folder, "Randevu tablosu bulunamadı."};

        folder = goodFolder(dir, "alansiz");
        execOn(dbFile(folder), "alter table zelvarx drop column Telefon");
        cases << Case{"missing field", folder, "zelvarx tablosunda Telefon alanı bulunamadı."};

        folder = goodFolder(dir, "saltokunur");
        QFile::setPermissions(dbFile(folder), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        cases << Case{"read-only file", folder, "salt okunur"};

        folder = goodFolder(dir, "kilitliklasor");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
        cases << Case{"read-only folder", folder, "Klasör salt okunur"};

        folder = dir.filePath("bosvesaltokunur");
        QDir().mkpath(folder);
        writeBytes(dbFile(folder), {});
        QFile::setPermissions(dbFile(folder), QFile::ReadOwner);
        cases << Case{"empty read-only file", folder, "salt okunur"};

        for (const Case& c : cases) {
            const QByteArray before = bytesOf(dbFile(c.folder));
            const QStringList entries = QDir(c.folder).entryList(QDir::Files | QDir::Hidden);
            {
                DataFolderOpening opening(c.folder);
                QVERIFY2(opening.open() == DataFolderOpening::kCannotOpen, qPrintable(c.name));
                QVERIFY2(opening.message().startsWith("Veritabanı açılamadı.\nKlasör: "), qPrintable(c.name));
                QVERIFY2(opening.message().contains(c.reason), qPrintable(c.name + ": " + opening.message()));
                QCOMPARE(opening.messageKind(), MessageKind::Error);
                QVERIFY(!opening.dm());
            }
            QVERIFY2(bytesOf(dbFile(c.folder)) == before, qPrintable(c.name + ": the file changed"));
            // Nothing left behind but what was there (the lock goes too).
            QCOMPARE(QDir(c.folder).entryList(QDir::Files | QDir::Hidden), entries);
        }
        QFile::setPermissions(dir.filePath("kilitliklasor"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void aDatabaseLockedByAnotherProgramIsNamed()
    {
        QTemporaryDir dir;
        const QString folder = goodFolder(dir, "kilitli");
        sqlite3* other = nullptr;
        sqlite3_open(dbFile(folder).toUtf8().constData(), &other);
        sqlite3_exec(other, "PRAGMA locking_mode=EXCLUSIVE; begin exclusive; update GRUP1 set Sayi = 1;", nullptr,
                     nullptr, nullptr);
        DataFolderOpening opening(folder);
        QCOMPARE(opening.open(), DataFolderOpening::kCannotOpen);
        QVERIFY(opening.message().startsWith("Veritabanı açılamadı.\n"));
        QVERIFY2(opening.message().contains("başka bir program kullanıyor"), qPrintable(opening.message()));
        sqlite3_exec(other, "rollback", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }

    void aFullDiskIsNamedWithItsPlace()
    {
        // A small disk of its own, filled to the last byte.
        QTemporaryDir dir;
        const QString disk = dir.filePath("disk");
        QDir().mkpath(disk);
        if (::mount("tmpfs", disk.toUtf8().constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("mounting a small disk needs the right to mount");
        const QString folder = goodFolder(dir, "disk/veri");
        {
            QFile filler(QDir(disk).filePath("dolgu"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        DataFolderOpening opening(folder);
        const int result = opening.open();
        const QString message = opening.message();
        ::umount2(disk.toUtf8().constData(), MNT_DETACH);
        QCOMPARE(result, DataFolderOpening::kCannotOpen);
        QCOMPARE(message, Database::openFailureMessage(
                              folder, QStringLiteral("Diskte yer kalmadı; zorp.lock kilit dosyası yazılamıyor.\n"
                                                     "Dolu disk: %1")
                                          .arg(disk)));
    }

    void anEmptyFileBecomesANewDatabase()
    {
        QTemporaryDir dir;
        writeBytes(dbFile(dir.path()), {});
        DataFolderOpening opening(dir.path());
        QCOMPARE(opening.open(), DataFolderOpening::kOpened);
        QVERIFY(opening.dm());
        QCOMPARE(opening.dm()->database().scalar("select count(*) from GRUP1").toInt(), 10);
        QCOMPARE(opening.dm()->Query2->recordCount(), 0);
        QCOMPARE(opening.dm()->nextRecordNumber(), 1);
    }

    void aSecondCopyOnTheSameFolderEnds()
    {
        QTemporaryDir dir;
        const QString folder = goodFolder(dir, "ortak");
        auto first = std::make_unique<DataFolderOpening>(folder);
        QCOMPARE(first->open(), DataFolderOpening::kOpened);
        first->dm()->database().exec("PRAGMA wal_checkpoint(TRUNCATE)");
        const QByteArray before = bytesOf(dbFile(folder));
        {
            DataFolderOpening second(folder);
            QCOMPARE(second.open(), DataFolderOpening::kAlreadyRunning);
            QCOMPARE(second.message(), DataFolderOpening::alreadyRunningMessage(folder));
            QVERIFY(second.message().startsWith("Zelvar bu veri klasöründe zaten çalışıyor."));
            QCOMPARE(second.messageKind(), MessageKind::Warning);
            QVERIFY(!second.dm());
        }
        QCOMPARE(bytesOf(dbFile(folder)), before);
        // The first copy works on; once it has ended the folder is free.
        QCOMPARE(first->dm()->Query2->recordCount(), 2);
        first.reset();
        DataFolderOpening later(folder);
        QCOMPARE(later.open(), DataFolderOpening::kOpened);
    }
};

// A database file too damaged to open, with backups in "yedek": the newest
// sound backup is offered and, on yes, put in place with the damaged file
// kept aside; anything else leaves every file as it was.
class DamagedDatabaseRestoreTest : public QObject {
    Q_OBJECT

    // A folder whose database is garbage, with a sound backup of two
    // residents taken at 08:00 and a newer one cut short at 08:30.
    static QString damagedFolderWithBackups(QTemporaryDir& dir, const QString& name)
    {
        QString folder = goodFolder(dir, name);
        const BackupFolder backups(folder);
        const QString sound = backups.backUp(QDateTime(QDate(2026, 12, 8), QTime(8, 0, 0)));
        writeBytes(
            QDir(backups.path()).filePath(BackupFolder::fileNameFor(QDateTime(QDate(2026, 12, 8), QTime(8, 30, 0)))),
            bytesOf(sound).left(4096 + 100));
        writeBytes(dbFile(folder), QByteArray("bozuk veri ").repeated(500));
        writeBytes(dbFile(folder) + "-wal", QByteArray("eski günlük"));
        return folder;
    }

    static QMap<QString, QByteArray> snapshot(const QString& folder)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files[QDir(folder).relativeFilePath(path)] = bytesOf(path);
        }
        return files;
    }

private slots:
    void theNewestSoundBackupIsRestoredAndTheDamagedFileKept()
    {
        QTemporaryDir dir;
        const QString folder = damagedFolderWithBackups(dir, "bozuk");
        const QMap<QString, QByteArray> before = snapshot(folder);
        FakePrompter prompter;
        FakeClock clock;
        prompter.answer(Answer::Yes);
        {
            DataFolderOpening opening(folder);
            opening.offerRestore(prompter, clock);
            QCOMPARE(opening.open(), DataFolderOpening::kOpened);
            QVERIFY(prompter.unexpected.isEmpty());
            const QString question = prompter.shown.first().text;
            QVERIFY2(question.startsWith("Veritabanı açılamadı.\nKlasör: "), qPrintable(question));
            QVERIFY2(question.contains("En yeni sağlam yedek: 08.12.2026 08:00 (2 kişi)"), qPrintable(question));
            QCOMPARE(prompter.shown.first().buttons, Buttons::YesNo);
            QCOMPARE(opening.dm()->Query2->recordCount(), 2);
            QVERIFY(prompter.lastText().contains("zorp_bozuk_2026-12-09_09-00-00.sqlite"));
        }
        // The damaged file and its log are kept byte for byte, the backups too.
        const QMap<QString, QByteArray> after = snapshot(folder);
        QCOMPARE(after.value("zorp_bozuk_2026-12-09_09-00-00.sqlite"), before.value("zorp.sqlite"));
        QCOMPARE(after.value("zorp_bozuk_2026-12-09_09-00-00.sqlite-wal"), before.value("zorp.sqlite-wal"));
        for (const QString& name : before.keys())
            if (name.startsWith("yedek/"))
                QCOMPARE(after.value(name), before.value(name));
        QVERIFY(!after.contains("zorp.sqlite.part"));

        // The next start opens the restored register without a question.
        {
            DataFolderOpening next(folder);
            QCOMPARE(next.open(), DataFolderOpening::kOpened);
            QCOMPARE(next.dm()->database().scalar("select count(*) from zelvarx").toInt(), 2);
        }
        // Damaged again within the same second: the first kept file stays.
        writeBytes(dbFile(folder), "yine bozuk");
        prompter.answer(Answer::Yes);
        DataFolderOpening again(folder);
        again.offerRestore(prompter, clock);
        QCOMPARE(again.open(), DataFolderOpening::kOpened);
        QCOMPARE(bytesOf(QDir(folder).filePath("zorp_bozuk_2026-12-09_09-00-00.sqlite")), before.value("zorp.sqlite"));
        QCOMPARE(bytesOf(QDir(folder).filePath("zorp_bozuk_2026-12-09_09-00-01.sqlite")), QByteArray("yine bozuk"));
    }

    // An empty file opens as a new register; with backups beside it the
    // newest sound one is offered first, and declining keeps the old way.
    void anEmptyFileBesideBackupsIsOfferedTheNewest()
    {
        QTemporaryDir dir;
        const QString folder = damagedFolderWithBackups(dir, "bos");
        QFile::remove(dbFile(folder) + "-wal");
        writeBytes(dbFile(folder), QByteArray());
        FakePrompter prompter;
        FakeClock clock;
        prompter.answer(Answer::No);
        {
            DataFolderOpening opening(folder);
            opening.offerRestore(prompter, clock);
            QCOMPARE(opening.open(), DataFolderOpening::kOpened);
            QVERIFY(prompter.scriptUsedUp());
            QVERIFY2(prompter.lastText().contains("zorp.sqlite dosyası boş (0 bayt)."),
                     qPrintable(prompter.lastText()));
            QCOMPARE(opening.dm()->Query2->recordCount(), 0);
        }
        writeBytes(dbFile(folder), QByteArray());
        prompter.answer(Answer::Yes);
        {
            DataFolderOpening opening(folder);
            opening.offerRestore(prompter, clock);
            QCOMPARE(opening.open(), DataFolderOpening::kOpened);
            QCOMPARE(opening.dm()->Query2->recordCount(), 2);
            QVERIFY(prompter.lastText().startsWith("Yedek geri yüklendi"));
        }
        QCOMPARE(bytesOf(QDir(folder).filePath("zorp_bozuk_2026-12-09_09-00-00.sqlite")), QByteArray());
        // Without backups an empty file is a first start: nothing is asked.
        const QString first = dir.filePath("ilk");
        QDir().mkpath(first);
        writeBytes(dbFile(first), QByteArray());
        FakePrompter silent;
        DataFolderOpening opening(first);
        opening.offerRestore(silent, clock);
        QCOMPARE(opening.open(), DataFolderOpening::kOpened);
        QVERIFY(silent.shown.isEmpty());
    }

    void onlyDamageIsOfferedAndNoLeavesEverything()
    {
        QTemporaryDir dir;
        const auto withBackup = [&dir](const QString& name) {
            QString folder = goodFolder(dir, name);
            BackupFolder(folder).backUp(QDateTime(QDate(2026, 12, 8), QTime(8, 0, 0)));
            return folder;
        };
        struct Case {
            QString name;
            QString folder;
            bool offered;
        };
        QList<Case> cases;
        QString folder = damagedFolderWithBackups(dir, "metin");
        cases << Case{"not a database", folder, true};
        folder = withBackup("kesik");
        writeBytes(dbFile(folder), bytesOf(dbFile(folder)).left(4096 + 100));
        cases << Case{"truncated", folder, true};
        folder = withBackup("tablosuz");
        execOn(dbFile(folder), "drop table Randevu");
        cases << Case{"missing table", folder, true};
        folder = withBackup("alansiz");
        execOn(dbFile(folder), "alter table zelvarx drop column Telefon");
        cases << Case{"missing field", folder, true};
        folder = withBackup("yeni");
        execOn(dbFile(folder), "PRAGMA user_version=99");
        cases << Case{"newer program's database", folder, false};
        folder = withBackup("saltokunur");
        QFile::setPermissions(dbFile(folder), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        cases << Case{"read-only file", folder, false};
        folder = dir.filePath("bosklasor");
        QDir().mkpath(folder);
        writeBytes(dbFile(folder), "bozuk");
        cases << Case{"damaged without backups", folder, false};
        folder = damagedFolderWithBackups(dir, "kilitliklasor");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
        cases << Case{"read-only folder", folder, false};

        for (const Case& c : cases) {
            const QMap<QString, QByteArray> before = snapshot(c.folder);
            FakePrompter prompter;
            FakeClock clock;
            if (c.offered)
                prompter.answer(Answer::No);
            {
                DataFolderOpening opening(c.folder);
                opening.offerRestore(prompter, clock);
                QVERIFY2(opening.open() == DataFolderOpening::kCannotOpen, qPrintable(c.name));
                QVERIFY2(opening.message().startsWith("Veritabanı açılamadı.\nKlasör: "), qPrintable(c.name));
                QVERIFY2(prompter.unexpected.isEmpty(), qPrintable(c.name + ": " + prompter.unexpected.join("; ")));
                QVERIFY2(prompter.scriptUsedUp(), qPrintable(c.name + ": no question"));
                if (c.offered)
                    QVERIFY(prompter.lastText().startsWith(opening.message()));
                // A declined question carried the message: it is not shown twice.
                QCOMPARE(opening.messageShown(), c.offered);
            }
            QVERIFY2(snapshot(c.folder) == before, qPrintable(c.name + ": files changed"));
        }
        QFile::setPermissions(dir.filePath("kilitliklasor"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void lockedFoldersAreNeverOffered()
    {
        QTemporaryDir dir;
        const QString folder = damagedFolderWithBackups(dir, "ortak");
        // Another copy of the program holds the folder.
        auto lock = std::make_unique<DataFolderLock>(folder);
        QCOMPARE(lock->take(), DataFolderLock::Result::Taken);
        FakePrompter prompter;
        FakeClock clock;
        DataFolderOpening second(folder);
        second.offerRestore(prompter, clock);
        QCOMPARE(second.open(), DataFolderOpening::kAlreadyRunning);
        lock.reset();

        // A folder stands where the lock file goes: the lock cannot be taken.
        QDir().mkpath(QDir(folder).filePath(DataFolderLock::fileName()));
        DataFolderOpening third(folder);
        third.offerRestore(prompter, clock);
        QVERIFY(third.open() != DataFolderOpening::kOpened);
        QVERIFY(prompter.shown.isEmpty());
        QVERIFY(QFileInfo::exists(dbFile(folder)));
    }

    void aFailedCopyPutsTheDamagedFileBack()
    {
        QTemporaryDir dir;
        const QString folder = damagedFolderWithBackups(dir, "dolu");
        // The copy cannot be written: its temporary name is taken by a folder.
        QDir().mkpath(dbFile(folder) + ".part");
        const QMap<QString, QByteArray> before = snapshot(folder);
        FakePrompter prompter;
        FakeClock clock;
        prompter.answer(Answer::Yes);
        {
            DataFolderOpening opening(folder);
            opening.offerRestore(prompter, clock);
            QCOMPARE(opening.open(), DataFolderOpening::kCannotOpen);
            QVERIFY(opening.message().startsWith(prompter.shown.first().text.section("\n\n", 0, 0)));
            QVERIFY2(opening.message().contains("Yedek geri yüklenemedi"), qPrintable(opening.message()));
            QCOMPARE(prompter.shown.size(), 1);
        }
        QCOMPARE(snapshot(folder), before);
    }
};

ZELVAR_TEST(StartupSafetyTest)
ZELVAR_TEST(DamagedDatabaseRestoreTest)
#include "tst_startup_safety.moc"
