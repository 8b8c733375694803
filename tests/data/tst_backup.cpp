// SPDX-License-Identifier: GPL-3.0-or-later
// Backups, their checking and restore, the quick check, the data-folder
// lock and the storage problems a save can meet.
#include "DataFixture.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "data/Backup.h"
#include "data/DataFolderLock.h"
#include "data/Errors.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace zelvar;
using zelvar::testing::bytesOf;
using zelvar::testing::DataFixture;
using zelvar::testing::writeBytes;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(9, 30, 15));

// Overwrites the middle of a database file, where the residents' pages lie,
// leaving the header and the schema page readable.
void damageMiddle(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const qint64 size = f.size();
    QVERIFY(size > qint64{40} * 4096);
    f.seek((size / 4096 / 2) * 4096);
    f.write(QByteArray(qsizetype{3} * 4096, '\x5a'));
}

// Runs SQL on a file through a connection of its own.
void execOn(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

void fillResidents(DataFixture& f, int count)
{
    Database::Transaction tx(f.dm().database());
    for (int n = 1; n <= count; ++n)
        f.addResident(QStringLiteral("Kişi %1").arg(n), n,
                      {{QStringLiteral("Belgeler"), QStringLiteral("İkametgah Belgesi 01.02.2003 ").repeated(8)}});
    tx.commit();
}

} // namespace

class BackupTest : public QObject {
    Q_OBJECT
private slots:
    void aBackupIsAConsistentStandAloneCopy()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Ayşe Çınar", 2);
        // A change still open in the program's own connection is not copied
        // half-way: the backup holds the last committed state.
        Database::Transaction open(f.dm().database());
        f.addResident("Yarım Kayıt", 3);
        const QString file = BackupFolder(f.folder()).backUp(kNow);
        open.commit();

        QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("zorp_2026-12-09_09-30-15.sqlite"));
        QCOMPARE(QFileInfo(file).dir().dirName(), QStringLiteral("yedek"));
        const QByteArray bytes = bytesOf(file);
        QCOMPARE(bytes.left(16), QByteArray("SQLite format 3\0", 16));
        QCOMPARE(int(bytes[18]), 1); // rollback journal: one file, no log beside it
        QVERIFY(!QFileInfo::exists(file + ".part"));

        const BackupInfo info = inspectBackup(file);
        QCOMPARE(info.residents, 2);
        QCOMPARE(info.taken, kNow);
        QVERIFY(!BackupFolder(f.folder()).hasBackupOn(kNow.date().addDays(-1)));
        QVERIFY(BackupFolder(f.folder()).hasBackupOn(kNow.date()));
    }

    void theRotationKeepsDaysMonthsAndTheLastFullRegister()
    {
        QTemporaryDir dir;
        const auto registerOf = [&dir](int residents) {
            DataFixture f;
            for (int n = 1; n <= residents; ++n)
                f.addResident(QStringLiteral("Kişi %1").arg(n), n);
            QString file = dir.filePath(QStringLiteral("kayit%1.sqlite").arg(residents));
            copyDatabase(f.dm().database().handle(), file);
            return file;
        };
        const QString full = registerOf(3);
        const QString empty = registerOf(0);
        DataFixture f;
        BackupFolder folder(f.folder());
        QDir().mkpath(folder.path());
        const auto place = [&folder](const QString& from, const QDateTime& taken) {
            QVERIFY(QFile::copy(from, QDir(folder.path()).filePath(BackupFolder::fileNameFor(taken))));
        };
        const auto name = [](const QDateTime& taken) { return BackupFolder::fileNameFor(taken); };
        const auto keptNames = [&folder] {
            QStringList names;
            for (const QString& file : folder.files())
                names << QFileInfo(file).fileName();
            return names;
        };

        // One backup each evening for almost a year, two on the last days.
        const QDateTime evening(kNow.date(), QTime(18, 0));
        for (int day = 0; day < 360; ++day)
            place(full, evening.addDays(-day));
        place(full, evening.addDays(-1).addSecs(qint64{-9} * 3600));
        place(full, evening.addSecs(qint64{-9} * 3600));
        folder.prune(3);
        const QStringList kept = keptNames();
        // The 30 newest days, then the newest of each month back to the
        // twelfth newest (December 2026 to January 2026).
        QCOMPARE(kept.size(), 30 + 10);
        QCOMPARE(kept.first(), name(evening));
        QVERIFY(kept.contains(name(evening.addDays(-29))));
        QVERIFY(!kept.contains(name(evening.addDays(-30))));
        QVERIFY(kept.contains(name(QDateTime(QDate(2026, 10, 31), QTime(18, 0)))));
        QCOMPARE(kept.last(), name(QDateTime(QDate(2026, 1, 31), QTime(18, 0))));

        // An emptied register backed up day after day keeps the newest
        // sound backup of the full one while it holds under half as many.
        for (const QString& file : folder.files())
            QFile::remove(file);
        place(full, kNow.addDays(-600));
        place(full, kNow.addDays(-500));
        for (int day = 0; day < 30; ++day)
            place(empty, evening.addDays(-day));
        for (int month = 1; month <= 14; ++month)
            place(empty, kNow.addMonths(-month));
        for (int residents : {0, 1}) {
            folder.prune(residents);
            QVERIFY(keptNames().contains(name(kNow.addDays(-500))));
            QVERIFY(!keptNames().contains(name(kNow.addDays(-600))));
        }
        folder.prune(2);
        QCOMPARE(keptNames().size(), 30 + 10);
        QVERIFY(!keptNames().contains(name(kNow.addDays(-500))));
    }

    void aCopyThatFailsTheFullCheckNeverCountsAsABackup()
    {
        DataFixture f;
        fillResidents(f, 300);
        BackupFolder folder(f.folder());
        const QString good = folder.backUp(kNow.addDays(-1));
        f.addResidentMissingFromIndex("Ayşe Çınar", 301);
        const QString live = QDir(f.folder()).filePath(Database::fileName());
        QVERIFY(quickCheck(live).isEmpty()); // what the start-up check sees
        QVERIFY(integrityCheck(live).join('\n').contains("missing from index zelvarx_KayitNo"));

        QTemporaryDir dir;
        const QString usb = dir.filePath("usb.sqlite");
        int pauses = 0;
        for (const auto& copy :
             std::vector<std::function<void()>>{[&] { folder.backUp(kNow, [&pauses] { ++pauses; }); },
                                                [&] {
                                                    copyDatabase(f.dm().database().handle(), usb, {Pause(), true});
                                                }}) {
            try {
                copy();
                QFAIL("a damaged copy was kept");
            } catch (const DamagedCopyError& e) {
                QVERIFY2(e.problems().first().contains("missing from index zelvarx_KayitNo"),
                         qPrintable(e.problems().join('\n')));
            }
        }
        QVERIFY(pauses > 0); // the check gives way while it runs
        // Nothing written, nothing rotated out.
        QCOMPARE(folder.files(), QStringList{good});
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QFileInfo(good).fileName()});
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void aBackupThatCannotBeWrittenLeavesNothingBehind()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        QTemporaryDir dir;
        // An older copy of the same name stays as it was.
        const QString target = dir.filePath("yedek.sqlite");
        writeBytes(target, "eski yedek");
        writeBytes(dir.filePath("dosya"), "bir dosya");
        const QString impossible = dir.filePath("dosya/yedek.sqlite");
        try {
            copyDatabase(f.dm().database().handle(), impossible);
            QFAIL("a backup into a file's place succeeded");
        } catch (const BackupError& e) {
            QVERIFY2(e.message().startsWith("Yedek"), qPrintable(e.message()));
        }
        QCOMPARE(bytesOf(target), QByteArray("eski yedek"));
        copyDatabase(f.dm().database().handle(), target);
        QCOMPARE(inspectBackup(target).residents, 1);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);

        // The automatic backup cannot make its folder: told, nothing written.
        writeBytes(QDir(f.folder()).filePath("yedek"), "yer tutucu");
        QVERIFY_THROWS_EXCEPTION(BackupError, BackupFolder(f.folder()).backUp(kNow));
    }

    void filesThatAreNotGoodBackupsAreRefusedUnchanged()
    {
        QTemporaryDir dir;
        DataFixture f;
        fillResidents(f, 800);
        const QString good = dir.filePath("iyi.sqlite");
        copyDatabase(f.dm().database().handle(), good);
        const QByteArray goodBytes = bytesOf(good);

        QStringList bad;
        bad << dir.filePath("yok.sqlite");
        writeBytes(dir.filePath("bos.sqlite"), {});
        bad << dir.filePath("bos.sqlite");
        writeBytes(dir.filePath("metin.sqlite"), "Bu bir veritabanı değil");
        bad << dir.filePath("metin.sqlite");
        writeBytes(dir.filePath("kesik.sqlite"), goodBytes.left(goodBytes.size() / 3));
        bad << dir.filePath("kesik.sqlite");
        QFile::copy(good, dir.filePath("bozuk.sqlite"));
        damageMiddle(dir.filePath("bozuk.sqlite"));
        bad << dir.filePath("bozuk.sqlite");
        QFile::copy(good, dir.filePath("tablosuz.sqlite"));
        execOn(dir.filePath("tablosuz.sqlite"), "drop table Nakil");
        bad << dir.filePath("tablosuz.sqlite");
        QFile::copy(good, dir.filePath("alansiz.sqlite"));
        execOn(dir.filePath("alansiz.sqlite"), "alter table zelvarx drop column Meslek");
        bad << dir.filePath("alansiz.sqlite");

        for (const QString& file : bad) {
            const QByteArray before = bytesOf(file);
            try {
                inspectBackup(file);
                QFAIL(qPrintable("accepted: " + file));
            } catch (const BackupError& e) {
                QVERIFY2(e.message().startsWith("Seçilen dosya geçerli bir Zelvar yedeği değil.\n"),
                         qPrintable(e.message()));
            }
            QCOMPARE(bytesOf(file), before);
        }
        QCOMPARE(inspectBackup(good).residents, 800);
        QCOMPARE(bytesOf(good), goodBytes);
    }

    void restoreReplacesEverythingAtOnce()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Ayşe Çınar", 2);
        f.dm().database().exec("update GRUP1 set Sayi = 7");
        const QString backup = dir.filePath("yedek.sqlite");
        copyDatabase(f.dm().database().handle(), backup);

        f.addResident("Sonra Gelen", 3);
        f.dm().database().exec("delete from zelvarx where KayitNo = 1");
        f.dm().database().exec("update GRUP1 set Sayi = 9");
        f.dm().database().exec("insert into Nakil (ADI_SOYADI) values ('Giden')");
        f.dm().closeAll();
        restoreBackup(f.dm().database(), backup);
        f.dm().reopenAll();

        QCOMPARE(f.dm().Query2->recordCount(), 2);
        QCOMPARE(f.dm().Query2->value("Adi").toString(), QStringLiteral("Ali Kaya"));
        QCOMPARE(f.dm().database().scalar("select sum(Sayi) from GRUP1").toInt(), 70);
        QCOMPARE(f.dm().database().scalar("select count(*) from Nakil").toInt(), 0);
        QCOMPARE(f.dm().tbnakil->recordCount(), 0);
        QCOMPARE(f.dm().nextRecordNumber(), 3);
        // The restored database stays the program's: saves work, and the
        // next start finds it sound.
        f.dm().Query2->insert();
        f.dm().Query2->setValue("Adi", "Yeni Kişi");
        f.dm().Query2->setValue("KayitNo", 3);
        f.dm().Query2->post();
        f.restart();
        QCOMPARE(f.residentCount(), 3);
        QVERIFY(quickCheck(QDir(f.folder()).filePath(Database::fileName())).isEmpty());
    }

    void quickCheckFindsDamage()
    {
        DataFixture f;
        fillResidents(f, 400);
        const QString file = QDir(f.folder()).filePath(Database::fileName());
        QVERIFY(quickCheck(file).isEmpty());
        f.dm().database().exec("PRAGMA wal_checkpoint(TRUNCATE)");
        damageMiddle(file);
        const QStringList problems = quickCheck(file);
        QVERIFY(!problems.isEmpty());
        QVERIFY(!problems.first().isEmpty());
    }

    void oneProgramPerDataFolder()
    {
        QTemporaryDir dir;
        {
            DataFolderLock first(dir.path());
            QCOMPARE(first.take(), DataFolderLock::Result::Taken);
            DataFolderLock second(dir.path());
            QCOMPARE(second.take(), DataFolderLock::Result::HeldByAnother);
            QCOMPARE(second.holder(), QCoreApplication::applicationPid());
        }
        // Let go at the end of the run.
        DataFolderLock again(dir.path());
        QCOMPARE(again.take(), DataFolderLock::Result::Taken);
    }

    void aStaleLockFromACrashedRunDoesNotBlock()
    {
        QTemporaryDir dir;
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForFinished());
        const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
        writeBytes(QDir(dir.path()).filePath(DataFolderLock::fileName()),
                   QByteArray::number(deadPid) + "\nzelvar\n" + QSysInfo::machineHostName().toLocal8Bit() + "\n");
        DataFolderLock lock(dir.path());
        QCOMPARE(lock.take(), DataFolderLock::Result::Taken);
    }

    void storageProblemsKeepTheTypedRecord()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.restart();
        Database& db = f.dm().database();
        Dataset* q = f.dm().Query2;
        const auto typeNewResident = [q](const QString& name) {
            q->insert();
            q->setValue("Adi", name);
            q->setValue("KayitNo", 2);
            q->setValue("Belgeler", QString(3000, QChar(u'ş')));
        };
        const auto refusedAs = [q](StorageProblem expected) {
            try {
                q->post();
            } catch (const StorageError& e) {
                QCOMPARE(int(e.problem()), int(expected));
                QVERIFY(e.userMessage().endsWith("kaydedilemedi !"));
                return;
            }
            QFAIL("the save was not refused");
        };

        // The disk is full.
        const int pages = db.scalar("PRAGMA page_count").toInt();
        db.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
        typeNewResident("Dolu Disk");
        refusedAs(StorageProblem::DiskFull);
        QCOMPARE(q->state(), Dataset::State::Insert);
        QCOMPARE(q->value("Adi").toString(), QStringLiteral("Dolu Disk"));
        db.exec("PRAGMA max_page_count = 1000000");
        q->post();
        QCOMPARE(f.residentCount(), 2);

        // Another program holds the write lock.
        sqlite3* other = nullptr;
        sqlite3_open(QDir(f.folder()).filePath(Database::fileName()).toUtf8().constData(), &other);
        QCOMPARE(sqlite3_exec(other, "begin immediate", nullptr, nullptr, nullptr), SQLITE_OK);
        db.setBusyTimeout(50);
        q->edit();
        q->setValue("Adi", "Kilitli");
        refusedAs(StorageProblem::Locked);
        QCOMPARE(q->state(), Dataset::State::Edit);
        sqlite3_exec(other, "rollback", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        q->post();
        QCOMPARE(db.scalar("select Adi from zelvarx where KayitNo = 2").toString(), QStringLiteral("Kilitli"));

        // The file cannot be written.
        db.exec("PRAGMA query_only = 1");
        q->edit();
        q->setValue("Adi", "Salt Okunur");
        refusedAs(StorageProblem::ReadOnly);
        QCOMPARE(q->value("Adi").toString(), QStringLiteral("Salt Okunur"));
        db.exec("PRAGMA query_only = 0");
        q->post();

        // A refused value is still the engine's own refusal, not storage.
        db.exec("insert into zelvarx (Adi, KayitNo) values ('Çift', 5)");
        QVERIFY_THROWS_EXCEPTION(EngineError, db.exec("insert into zelvarx (Adi, KayitNo) values ('Çift', 5)"));
        try {
            db.exec("insert into zelvarx (Adi, KayitNo) values ('Çift', 5)");
        } catch (const StorageError&) {
            QFAIL("a duplicate number was taken for a storage problem");
        } catch (const EngineError&) {
        }
    }
};

ZELVAR_TEST(BackupTest)
#include "tst_backup.moc"
