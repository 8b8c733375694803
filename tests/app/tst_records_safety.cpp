// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the records safe from the main window: the two "&Dosya" items,
// the automatic backups, the start-up check with its offer to restore, and
// the storage messages of the error handler.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/BackgroundScheduler.h"
#include "app/MainWindow.h"
#include "app/RecordsSafety.h"
#include "data/Backup.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"
#include "ui/ErrorHandler.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <sched.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

WindowFactories registerStandIn()
{
    WindowFactories f;
    f.registerWindow = [](MainCommands&) {
        auto* w = new QWidget;
        w->setWindowTitle("Bilgi Bankası");
        return w;
    };
    return f;
}

QStringList backupsIn(const QString& folder)
{
    return BackupFolder(folder).files();
}

} // namespace

class RecordsSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void theFileMenuOffersBackupAndRestoreBeforeExit()
    {
        DataFixture f;
        FakeServices s;
        MainWindow w(f.dm(), s.services, {});
        QMenu* file = w.menuBar()->actions().first()->menu();
        QCOMPARE(w.menuBar()->actions().first()->text(), QStringLiteral("&Dosya"));
        QStringList items;
        for (QAction* a : file->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, QStringList({"Yedek Al...", "Yedekten Geri Yükle...", "-", "Çık"}));
    }

    void backupNowWritesTheChosenFile()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        FakeServices s;
        RecordsSafety safety(f.dm(), s.services, {});

        s.prompter.file(QString()); // cancelled
        safety.backupNowCommand();
        QCOMPARE(s.prompter.texts(), QStringList{"Yedek Al"}); // the file dialog alone

        const QString target = dir.filePath("usb/zelvar.sqlite");
        QDir().mkpath(dir.filePath("usb"));
        s.prompter.file(target);
        safety.backupNowCommand();
        QCOMPARE(s.prompter.lastText(), QStringLiteral("Yedek alındı:\n%1").arg(target));
        QCOMPARE(inspectBackup(target).residents, 1);

        // A place that cannot be written is named; nothing is left there.
        s.prompter.file(dir.filePath("yok/yedek.sqlite"));
        safety.backupNowCommand();
        QCOMPARE(s.prompter.shown.last().kind, MessageKind::Warning);
        QVERIFY(s.prompter.lastText().startsWith("Yedek yazılamadı"));
        // The database's own file is never overwritten by its copy.
        s.prompter.file(QDir(f.folder()).filePath("zorp.sqlite"));
        safety.backupNowCommand();
        QCOMPARE(s.prompter.lastText(), QStringLiteral("Yedek, veritabanının kendi dosyasının üzerine yazılamaz !"));
        QVERIFY(s.prompter.unexpected.isEmpty());
    }

    void restoreThroughTheMenu()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Ayşe Çınar", 2);
        f.addResident("Veli Can", 3);
        const QString backup = dir.filePath("zorp_2026-12-01_17-45-00.sqlite");
        copyDatabase(f.dm().database().handle(), backup);
        f.addResident("Sonra Gelen", 4);
        f.dm().Query2->refresh();

        FakeServices s;
        MainWindow w(f.dm(), s.services, registerStandIn());
        // The menu answers only after the login, which also takes the day's
        // first backup.
        QVERIFY(w.startUp());
        w.recordsSafety().waitForBackground();
        const int backupsBefore = backupsIn(f.folder()).size();
        QWidget* reg = w.registerCommand();
        QVERIFY(reg);
        const QString question = QStringLiteral(
            "01.12.2026 17:45 tarihli yedekte 3 kişi kayıtlı.\nŞimdiki bilgilerin yerine bu yedek yüklensin mi?\n"
            "(Şimdiki bilgiler önce yedeklenir.)");

        // No: nothing changes, the window stays.
        s.prompter.file(backup);
        s.prompter.answer(Answer::No);
        w.findAction("Yedekten Geri Yükle...")->trigger();
        QCOMPARE(s.prompter.lastText(), question);
        QCOMPARE(f.residentCount(), 4);
        QCOMPARE(w.documentWindows().size(), 1);

        // A file that is not a backup is refused before any question.
        const QString letter = dir.filePath("mektup.sqlite");
        QFile l(letter);
        QVERIFY(l.open(QIODevice::WriteOnly));
        l.write("Sayın Muhtar,");
        l.close();
        s.prompter.clear();
        s.prompter.file(letter);
        w.findAction("Yedekten Geri Yükle...")->trigger();
        QCOMPARE(s.prompter.shown.size(), 2); // the file dialog and the refusal
        QCOMPARE(s.prompter.lastText(), QStringLiteral("Seçilen dosya geçerli bir Zelvar yedeği değil.\nDosya bir "
                                                       "veritabanı değil.\nŞimdiki bilgiler değiştirilmedi."));
        QCOMPARE(f.residentCount(), 4);

        // Yes: the current data is kept in yedek/, the windows close and the
        // program goes on with the backup's residents.
        s.prompter.clear();
        s.prompter.file(backup);
        s.prompter.answer(Answer::Yes);
        w.findAction("Yedekten Geri Yükle...")->trigger();
        QCOMPARE(s.prompter.lastText(),
                 QStringLiteral("Yedek geri yüklendi: 01.12.2026 17:45 tarihli yedekteki 3 kişi ile çalışmaya devam "
                                "ediliyor."));
        QCOMPARE(w.documentWindows().size(), 0);
        QCOMPARE(f.residentCount(), 3);
        QCOMPARE(f.dm().Query2->recordCount(), 3);
        QCOMPARE(f.dm().nextRecordNumber(), 4);
        const QStringList kept = backupsIn(f.folder());
        QCOMPARE(kept.size(), backupsBefore + 1);
        for (const QString& copy : kept)
            QCOMPARE(inspectBackup(copy).residents, 4);
        // The register opens again on the restored data.
        QVERIFY(w.registerCommand());
        QVERIFY(s.prompter.unexpected.isEmpty());
    }

    void automaticBackupsOnceADayAndAtExitAfterChanges()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        FakeServices s;
        {
            RecordsSafety safety(f.dm(), s.services, {});
            safety.startIntegrityCheck();
            safety.afterLogin();
            safety.waitForBackground();
            safety.waitForBackground();
            QVERIFY(safety.integrityChecked());
            QVERIFY(safety.integrityProblems().isEmpty());
            QCOMPARE(backupsIn(f.folder()).size(), 1);
            // Nothing changed: no backup at exit.
            s.clock.set(s.clock.now().addSecs(3600));
            safety.atExit();
        }
        QCOMPARE(backupsIn(f.folder()).size(), 1);

        // A second start the same day takes none; a change is backed up at exit.
        {
            RecordsSafety safety(f.dm(), s.services, {});
            safety.startIntegrityCheck();
            safety.afterLogin();
            safety.waitForBackground();
            safety.waitForBackground();
            QCOMPARE(backupsIn(f.folder()).size(), 1);
            f.addResident("Yeni Kişi", 2);
            s.clock.set(s.clock.now().addSecs(60));
            safety.atExit();
        } // waits for the backup
        // One backup a day is kept: the newest.
        const QStringList kept = backupsIn(f.folder());
        QCOMPARE(kept.size(), 1);
        QCOMPARE(inspectBackup(kept.first()).residents, 2);

        // The next day starts with a backup again, and so does a new day
        // of a long run.
        s.clock.set(s.clock.now().addDays(1));
        RecordsSafety safety(f.dm(), s.services, {});
        safety.startIntegrityCheck();
        safety.afterLogin();
        safety.waitForBackground();
        safety.waitForBackground();
        QCOMPARE(backupsIn(f.folder()).size(), 2);
        s.clock.set(s.clock.now().addDays(1));
        safety.checkNewDay();
        safety.waitForBackground();
        QCOMPARE(backupsIn(f.folder()).size(), 3);
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void indexDamageIsFoundByTheDaysBackupAndToldOnce()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        FakeServices s;
        const QString yesterday = BackupFolder(f.folder()).backUp(s.clock.now().addDays(-1));
        f.addResidentMissingFromIndex("Ayşe Çınar", 2);

        RecordsSafety safety(f.dm(), s.services, {});
        safety.startIntegrityCheck();
        s.prompter.answer(Answer::No);
        safety.afterLogin();
        safety.waitForBackground();
        safety.waitForBackground();
        QVERIFY(safety.integrityChecked());
        QCOMPARE(s.prompter.shown.size(), 1);
        const QString question = s.prompter.lastText();
        QVERIFY2(question.startsWith("Veritabanı dosyasında bozukluk bulundu:\nrow 2 missing from index "
                                     "zelvarx_KayitNo\n"),
                 qPrintable(question));
        QVERIFY(question.contains("\n\nGünün yedeği bu bozukluğu taşıdığı için silindi; önceki yedekler korunuyor."));
        QVERIFY(question.contains(QStringLiteral("En yeni yedek: %1 (1 kişi)\n%2")
                                      .arg(s.clock.now().addDays(-1).toString("dd.MM.yyyy hh:mm"), yesterday)));
        QVERIFY(question.endsWith("Bu yedek geri yüklensin mi?"));

        // Declined: the damaged register goes into no backup, not on a new
        // day, not at exit after changes.
        s.clock.set(s.clock.now().addDays(1));
        safety.checkNewDay();
        f.addResident("Veli Can", 3);
        safety.atExit();
        safety.waitForBackground();
        QCOMPARE(backupsIn(f.folder()), QStringList{yesterday});
        QCOMPARE(s.prompter.shown.size(), 1);
    }

    void aFailedAutomaticBackupIsToldOnceInTheHintPanel()
    {
        DataFixture f;
        QFile blocker(QDir(f.folder()).filePath("yedek"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        FakeServices s;
        MainWindow w(f.dm(), s.services, {});
        QSignalSpy notices(&w.recordsSafety(), &RecordsSafety::notice);
        QVERIFY(w.startUp());
        w.recordsSafety().waitForBackground();
        w.recordsSafety().waitForBackground();
        QCOMPARE(notices.size(), 1);
        QVERIFY(w.hintText().startsWith("Otomatik yedek alınamadı: Yedek klasörü oluşturulamıyor"));
        f.addResident("Ali Kaya", 1);
        w.recordsSafety().atExit();
        w.recordsSafety().waitForBackground();
        QCOMPARE(notices.size(), 1);
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void aDamagedDatabaseIsToldAfterTheLoginWithTheNewestBackup()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("veri");
        const QString file = QDir(folder).filePath("zorp.sqlite");
        {
            // Damage in the photographs of one resident: the program starts
            // and shows the register as if nothing were wrong.
            TDM2 dm(folder);
            Database::Transaction tx(dm.database());
            for (int n = 1; n <= 8; ++n)
                dm.database().exec("insert into zelvarx (Adi, KayitNo) values (?, ?)",
                                   {QStringLiteral("Kişi %1").arg(n), n});
            for (int i = 0; i < 200; ++i)
                dm.database().exec("insert into Foto (Kayitno, Foto) values (5, ?)", {QByteArray(6000, char(i))});
            tx.commit();
            dm.database().exec("PRAGMA wal_checkpoint(TRUNCATE)");
            BackupFolder(folder).backUp(QDateTime(QDate(2026, 12, 8), QTime(18, 0)));
        }
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek((f.size() / 4096 / 2) * 4096);
            f.write(QByteArray(qsizetype{3} * 4096, '\x5a'));
        }
        const QByteArray damaged = [&] {
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();

        FakeServices s;
        for (Answer answer : {Answer::No, Answer::Yes}) {
            TDM2 dm(folder);
            RecordsSafety safety(dm, s.services, {});
            safety.startIntegrityCheck();
            safety.waitForBackground();
            // Nothing is shown before the login.
            QVERIFY(s.prompter.shown.isEmpty());
            s.prompter.answer(answer);
            safety.afterLogin();
            const QString question = s.prompter.shown.first().text;
            QVERIFY(question.startsWith("Veritabanı dosyasında bozukluk bulundu:\n"));
            QVERIFY2(question.contains("En yeni yedek: 08.12.2026 18:00 (8 kişi)"), qPrintable(question));
            QVERIFY(question.endsWith("Bu yedek geri yüklensin mi?"));
            if (answer == Answer::No) {
                // Not a byte is changed, and the damaged file is no backup.
                safety.atExit();
                safety.waitForBackground();
                QCOMPARE(backupsIn(folder).size(), 1);
                QFile f(file);
                f.open(QIODevice::ReadOnly);
                QVERIFY(f.readAll() == damaged);
            } else {
                QVERIFY(s.prompter.lastText().startsWith("Yedek geri yüklendi: 08.12.2026 18:00"));
                QCOMPARE(dm.Query2->recordCount(), 8);
            }
            s.prompter.clear();
        }
        QVERIFY(quickCheck(file).isEmpty());
        // The damaged data was kept beside the backups, as it was.
        QVERIFY(QDir(BackupFolder(folder).path()).entryList(QDir::Files).size() >= 2);
    }

    void backgroundWorkWaitsForAQuietMomentAndGivesWay()
    {
        QWidget window;
        window.show();
        BackgroundScheduler scheduler(300);
        QElapsedTimer clock;
        clock.start();
        std::atomic<qint64> startedAt{-1};
        std::atomic<int> policy{-1};
        std::atomic<int> ioClass{-1};
        BackgroundJob* job = scheduler.whenIdle(
            [&](const Pause&) {
                startedAt = clock.elapsed();
                policy = sched_getscheduler(0);
                ioClass = int(syscall(SYS_ioprio_get, 1 /* this thread */, 0)) >> 13;
            },
            &window);
        // A key pressed meanwhile puts the start off until a quiet moment
        // after it.
        qint64 keyAt = -1;
        QTimer::singleShot(100, &window, [&] {
            keyAt = clock.elapsed();
            QTest::keyClick(&window, Qt::Key_A);
        });
        QTRY_VERIFY_WITH_TIMEOUT(startedAt >= 0, 10000);
        QVERIFY(keyAt >= 0);
        QVERIFY2(startedAt >= keyAt + 300, qPrintable(QStringLiteral("%1 %2").arg(startedAt).arg(keyAt)));
        job->wait();
        QCOMPARE(policy.load(), SCHED_IDLE);
        QCOMPARE(ioClass.load(), 3); // the idle class
        // Work already running stands still while the user is at work.
        scheduler.userActed();
        QElapsedTimer paused;
        paused.start();
        std::thread([&scheduler] { scheduler.pause(); }).join();
        QVERIFY(paused.elapsed() >= BackgroundScheduler::kYieldMs - 100);
    }

    void storageProblemsHaveTheirOwnMessages()
    {
        FakeServices s;
        ErrorHandler handler(s.prompter, s.sound);
        const QList<std::pair<StorageProblem, QString>> cases{
            {StorageProblem::ReadOnly, "Veritabanı dosyası salt okunur, bilgi kaydedilemedi !"},
            {StorageProblem::DiskFull, "Diskte yer kalmadı, bilgi kaydedilemedi !"},
            {StorageProblem::Locked, "Veritabanını başka bir program kullanıyor, bilgi kaydedilemedi !"},
        };
        for (const auto& [problem, text] : cases) {
            handler.report(std::make_exception_ptr(StorageError(problem, "disk I/O")));
            QCOMPARE(s.prompter.lastText(), text);
        }
        handler.report(std::make_exception_ptr(EngineError("UNIQUE constraint failed")));
        QCOMPARE(s.prompter.lastText(), ErrorHandler::engineMessage());
        QCOMPARE(s.sound.events.count("exclamation"), 4);
    }
};

ZELVAR_TEST(RecordsSafetyTest)
#include "tst_records_safety.moc"
