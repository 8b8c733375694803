// SPDX-License-Identifier: GPL-3.0-or-later
// The check before writing (every reason, by row, with the choice per
// kind), the all-or-nothing writing (a failure or a cancel in the middle, a
// kill -9 of the importing process) and the command line.
#include "DataFixture.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "WizardTestSupport.h"
#include "data/Backup.h"
#include "wizard/engine/ExportRun.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/SourceFiles.h"
#include "wizard/engine/WizardCommand.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using namespace zelvar::testing;
using namespace zelvar::wizard;

namespace {

const QByteArray kCheckedFile = "Kayıt No;Adı Soyadı;Doğum Tarihi;Cinsiyeti;Medeni Hali\r\n"
                                "1;Mehmet Demir;;;\r\n"
                                "10;AYŞE  yılmaz;05.05.1970;;\r\n"
                                "10;Veli Can;;;\r\n"
                                ";Zeynep Ak;;;\r\n"
                                "11;Hasan Öz;31.02.1970;Bay;Nişanlı\r\n"
                                "12;Abdurrahman Nurettin Ali Kaya;;;\r\n"
                                "13;;;;\r\n";

QStringList issueLines(const ImportRun& run)
{
    QStringList lines;
    for (const Issue& i : run.issues())
        lines << QStringLiteral("%1 %2: %3").arg(i.line).arg(i.field, i.detail);
    return lines;
}

QStringList residents(Database& db)
{
    QStringList list;
    Statement st(db.handle(), QStringLiteral("select KayitNo, Adi from zelvarx order by KayitNo"));
    while (st.step())
        list << QStringLiteral("%1 %2").arg(st.column(0).toInt()).arg(st.columnText(1));
    return list;
}

} // namespace

class ImportCheckTest : public QObject {
    Q_OBJECT
private slots:
    void checkReportsEveryReasonAndFollowsTheChoices()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("liste.csv"));
        writeBytes(file, kCheckedFile);
        DataFixture fixture;
        fixture.addResident(QStringLiteral("Ayşe Yılmaz"), 1,
                            {{QStringLiteral("DogTar"), QStringLiteral("1970-05-05")}});
        fixture.addResident(QStringLiteral("Ali Kaya"), 2);
        Database& db = fixture.dm().database();

        ImportRun run(db);
        addAutomatic(run, file);
        run.check();
        QCOMPARE(
            issueLines(run),
            (QStringList{
                QStringLiteral("2 Kayıt No: 1 numarası kayıtlarda zaten var."),
                QStringLiteral(
                    "3 : AYŞE  yılmaz, 05.05.1970: kayıtlarda aynı ad ve doğum tarihli biri var (Kayıt No 1)."),
                QStringLiteral("4 Kayıt No: 10 numarası dosyanın 3. satırında da var."),
                QStringLiteral("5 Kayıt No: kayıt numarası yok."),
                QStringLiteral("6 Doğum Tarihi: \"31.02.1970\" bir tarih değil; boş bırakılır."),
                QStringLiteral("6 Medeni Hali: \"Nişanlı\" tanınan bir değer değil (Evli, Bekar, Dul); yazıldığı gibi "
                               "kaydedilir."),
                // Cut before a blank: the blank goes too, in the report as in the register.
                QStringLiteral("7 Adı - Soyadı: 29 karakter; 25 karaktere kısaltılır: \"Abdurrahman Nurettin Ali\""),
                QStringLiteral("8 Adı - Soyadı: ad boş; ad olmadan kayıt yapılamaz."),
            }));
        const QVector<TableSummary> expected = run.checkSummary();
        QCOMPARE(expected.first().written, 5);
        QCOMPARE(expected.first().skipped, 2);
        QCOMPARE(expected.first().renumbered, 3);

        // The report goes to a file a spreadsheet opens.
        const QString report = dir.filePath(QStringLiteral("rapor.csv"));
        run.saveReport(report);
        QVERIFY(bytesOf(report).startsWith("\xEF\xBB\xBF")); // so that a spreadsheet program reads it as UTF-8
        const QString saved = QString::fromUtf8(bytesOf(report).mid(3));
        QVERIFY(saved.startsWith(QStringLiteral("Tablo;Dosya;Satır;Alan;Sorun;Açıklama;Yapılacak\r\n")));
        QVERIFY(saved.contains(
            QStringLiteral("zelvarx;liste.csv;6;Doğum Tarihi;Tarih olmayan tarih (tarih boş "
                           "bırakılır);\"\"\"31.02.1970\"\" bir tarih değil; boş bırakılır.\";Yine de kaydet")));

        // The other choices: a taken number skips the row, a probable
        // duplicate is stored anyway.
        run.setDecision(IssueKind::NumberTaken, Decision::Skip);
        run.setDecision(IssueKind::ProbableDuplicate, Decision::Store);
        run.setDecision(IssueKind::ProbableDuplicate, Decision::Renumber); // not a choice of this kind
        QCOMPARE(run.decision(IssueKind::ProbableDuplicate), Decision::Store);
        const QVector<TableSummary> written = run.write(fixture.folder(), QDateTime(QDate(2026, 3, 4), QTime(9, 30)));
        QCOMPARE(written.first().written, 5);
        QCOMPARE(residents(db), (QStringList{QStringLiteral("1 Ayşe Yılmaz"), QStringLiteral("2 Ali Kaya"),
                                             QStringLiteral("10 AYŞE  yılmaz"), QStringLiteral("11 Hasan Öz"),
                                             QStringLiteral("12 Abdurrahman Nurettin Ali"),
                                             QStringLiteral("14 Veli Can"), QStringLiteral("15 Zeynep Ak")}));
        QCOMPARE(db.scalar(QStringLiteral(
                               "select coalesce(DogTar, '-') || Cinsiyeti || Medeni from zelvarx where KayitNo = 11"))
                     .toString(),
                 QStringLiteral("-ErkekNişanlı"));
        // A backup of the register as it was came first.
        QCOMPARE(inspectBackup(BackupFolder(fixture.folder()).newest()).residents, 2);

        // A list without a record-number column numbers its rows anew
        // without a line per row in the report.
        const QString unnumbered = dir.filePath(QStringLiteral("numarasiz.csv"));
        writeBytes(unnumbered, "Ad\xC4\xB1 Soyad\xC4\xB1;Baba Ad\xC4\xB1\r\nSelim Ak;Kemal\r\nNur Ak;Kemal\r\n");
        ImportRun second(db);
        addAutomatic(second, unnumbered);
        second.check();
        QVERIFY(second.issues().isEmpty());
        QCOMPARE(second.checkSummary().first().renumbered, 2);

        // A resident the main program adds between the check and the write
        // takes a number the check found free: the write finds the register
        // changed, checks the rows again and gives that row a new number.
        const QString later = dir.filePath(QStringLiteral("sonra.csv"));
        writeBytes(later, "Kay\xC4\xB1t No;Ad\xC4\xB1 Soyad\xC4\xB1\r\n30;Can Er\r\n31;Ece Er\r\n");
        ImportRun third(db);
        addAutomatic(third, later);
        third.check();
        QVERIFY(third.issues().isEmpty());
        Database::openFolder(fixture.folder())
            ->exec(QStringLiteral("insert into zelvarx (Adi, KayitNo) values ('Başka Biri', 30)"));
        QCOMPARE(third.write(fixture.folder(), QDateTime(QDate(2026, 3, 4), QTime(9, 45))).first().renumbered, 1);
        QCOMPARE(db.scalar(QStringLiteral("select group_concat(KayitNo || ' ' || Adi, ', ') from "
                                          "(select * from zelvarx where KayitNo >= 30 order by KayitNo)"))
                     .toString(),
                 QStringLiteral("30.0 Başka Biri, 31.0 Ece Er, 32.0 Can Er"));
    }

    void failureOrCancelInTheMiddleChangesNothing()
    {
        QTemporaryDir dir;
        auto source = sampleRegister(dir.filePath(QStringLiteral("source")), 3000);
        const QString file = dir.filePath(QStringLiteral("kisiler.csv"));
        exportTable(*source, *exportChoice(QStringLiteral("zelvarx")), file, ExportFormat::Csv);
        const QString victim =
            source->scalar(QStringLiteral("select Adi from zelvarx where KayitNo = 2000")).toString();

        DataFixture fixture;
        fixture.addResident(QStringLiteral("Ayşe Yılmaz"), 90000);
        Database& db = fixture.dm().database();
        const QStringList before = tableRows(db, QStringLiteral("zelvarx"), QStringLiteral("KayitNo"));

        // Cancelled after 1500 rows were written.
        ImportRun cancelled(db);
        addAutomatic(cancelled, file);
        cancelled.check();
        QVERIFY_THROWS_EXCEPTION(ImportCancelled,
                                 cancelled.write(fixture.folder(), QDateTime::currentDateTime(),
                                                 [](const QString&, qint64 done, qint64) { return done < 1500; }));
        QCOMPARE(tableRows(db, QStringLiteral("zelvarx"), QStringLiteral("KayitNo")), before);

        // The engine refuses the 2000th row.
        db.exec(QStringLiteral("create temp trigger refuse before insert on zelvarx when new.Adi = '%1' "
                               "begin select raise(abort, 'refused'); end")
                    .arg(victim));
        ImportRun failed(db);
        addAutomatic(failed, file);
        failed.check();
        QVERIFY_THROWS_EXCEPTION(EngineError, failed.write(fixture.folder(), QDateTime::currentDateTime()));
        QCOMPARE(tableRows(db, QStringLiteral("zelvarx"), QStringLiteral("KayitNo")), before);
        db.exec(QStringLiteral("drop trigger refuse"));
        QCOMPARE(importAll(db, file).value(QStringLiteral("zelvarx")), 3000);
    }

    void killedImportLeavesAllOrNothing()
    {
        QTemporaryDir dir;
        auto source = sampleRegister(dir.filePath(QStringLiteral("source")), 10000);
        const QString file = dir.filePath(QStringLiteral("kisiler.csv"));
        exportTable(*source, *exportChoice(QStringLiteral("zelvarx")), file, ExportFormat::Csv);
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int committed = 0;
        qint64 writingMs = 0;
        for (int kill = 0; kill < 8; ++kill) {
            const QString folder = dir.filePath(QStringLiteral("target-%1").arg(kill));
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QStringLiteral(ZELVAR_IMPORT_WRITER), {folder, file});
            QVERIFY(child.waitForStarted(5000));
            QByteArray output;
            while (!output.contains("writing\n")) {
                QVERIFY2(child.waitForReadyRead(60000), "the import child did not start writing");
                output += child.readAllStandardOutput();
            }
            QElapsedTimer writing;
            writing.start();
            if (kill == 0) {
                // The first import runs to its end: how long a write takes.
                QVERIFY(child.waitForFinished(120000));
                writingMs = writing.elapsed();
            } else {
                QTest::qWait(int(random.bounded(qint64(0), writingMs * 6 / 5 + 1)));
                child.kill();
                child.waitForFinished(5000);
                QCOMPARE(child.state(), QProcess::NotRunning);
            }
            output += child.readAllStandardOutput();
            const bool reported = output.contains("committed\n");
            committed += reported;

            auto db = Database::openFolder(folder);
            const QString context = QStringLiteral("kill %1, seed %2").arg(kill).arg(seed);
            QCOMPARE(db->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
            const int count = db->scalar(QStringLiteral("select count(*) from zelvarx")).toInt();
            QVERIFY2(count == 0 || count == 10000, qPrintable(context + QStringLiteral(": %1 rows").arg(count)));
            if (reported)
                QVERIFY2(count == 10000, qPrintable(context));
        }
        qInfo("import kill test seed %u: %d of 8 imports committed before the kill", seed, committed);
    }

    void commandLineChecksImportsAndExports()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("liste.csv"));
        writeBytes(file, kCheckedFile);
        const QString folder = dir.filePath(QStringLiteral("veri"));
        const auto run = [&](const QStringList& arguments, QString* printed = nullptr) {
            const WizardCommand command(QStringList{QStringLiteral("zelvar-sihirbaz")} + arguments,
                                        QLocale(QLocale::Turkish));
            if (command.mode() == WizardCommand::Mode::Answered) {
                if (printed)
                    *printed = command.output() + command.error();
                return command.exitCode();
            }
            QString out;
            QString err;
            QTextStream outStream(&out);
            QTextStream errStream(&err);
            const int code = command.run(outStream, errStream, QDateTime(QDate(2026, 3, 4), QTime(9, 30)));
            outStream.flush();
            errStream.flush();
            if (printed)
                *printed = out + err;
            return code;
        };
        QString printed;
        QCOMPARE(
            run({QStringLiteral("--data-dir"), folder, QStringLiteral("--import"), file, QStringLiteral("--dry-run")},
                &printed),
            0);
        QVERIFY2(printed.contains(QStringLiteral("liste.csv, satır 6, Doğum Tarihi: \"31.02.1970\" bir tarih değil; "
                                                 "boş bırakılır. → Yine de kaydet")),
                 qPrintable(printed));
        QVERIFY(printed.contains(QStringLiteral("zelvarx: 7 satır okundu, 6 kaydedilecek, 1 atlandı")));
        QVERIFY(printed.endsWith(QStringLiteral("Deneme: hiçbir şey kaydedilmedi.\n")));
        QCOMPARE(Database::openFolder(folder)->scalar(QStringLiteral("select count(*) from zelvarx")).toInt(), 0);

        QCOMPARE(run({QStringLiteral("--data-dir"), folder, QStringLiteral("--import"), file}, &printed), 0);
        QVERIFY(
            printed.contains(QStringLiteral("zelvarx: 7 satır okundu, 6 kaydedildi, 1 atlandı, 2 yeni numara aldı.")));
        QVERIFY(printed.contains(QStringLiteral("Aktarmadan önceki yedek: ")));
        // The same file again: the numbers now taken get new ones, the
        // probable duplicate is skipped.
        QCOMPARE(run({QStringLiteral("--data-dir"), folder, QStringLiteral("--import"), file}, &printed), 0);
        QCOMPARE(
            run({QStringLiteral("--data-dir"), folder, QStringLiteral("--import"), dir.filePath("yok.csv")}, &printed),
            WizardCommand::kNothingDone);
        QCOMPARE(printed, QStringLiteral("%1 dosyası bulunamadı.\n").arg(dir.filePath("yok.csv")));

        const QString exported = dir.filePath(QStringLiteral("cikti.ods"));
        QCOMPARE(
            run({QStringLiteral("--data-dir"), folder, QStringLiteral("--export"), QStringLiteral("ZELVARX"), exported},
                &printed),
            0);
        QVERIFY(printed.startsWith(QStringLiteral("Kişiler (nakil gidenler dahil): ")));
        QVERIFY(QFileInfo(exported).size() > 0);
        QCOMPARE(run({QStringLiteral("--export"), QStringLiteral("kisiler"), exported}, &printed),
                 WizardCommand::kUsageError);
        QVERIFY(
            printed.contains(QStringLiteral("Bilinmeyen tablo: kisiler (zelvarx, kalanlar, Nakil, Randevu, Mahalle)")));
        QCOMPARE(run({QStringLiteral("--import"), file, QStringLiteral("--export"), QStringLiteral("Nakil"), exported}),
                 WizardCommand::kUsageError);
        QCOMPARE(run({QStringLiteral("--help")}, &printed), 0);
        QVERIFY(printed.contains(QStringLiteral("--import YOL")));
    }
};

ZELVAR_TEST(ImportCheckTest)
#include "tst_importcheck.moc"
