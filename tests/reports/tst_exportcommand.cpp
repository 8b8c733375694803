// SPDX-License-Identifier: GPL-3.0-or-later
// The export buttons' command: what starts it, what it asks, where the file
// goes, what opens it and what the user hears and reads.
#include "DataFixture.h"
#include "ExportReading.h"
#include "TestRegistry.h"
#include "data/QueryDialect.h"
#include "platform/fakes/FakeServices.h"
#include "reports/ExportCommand.h"
#include "reports/GeneralReportsPage.h"
#include "reports/QueryReportsPage.h"
#include "reports/TAdres.h"
#include "ui/PleaseWaitWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;
using namespace zelvar::testing;

namespace {

using Target = ExportCommand::Target;

int pleaseWaitWindows()
{
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        n += qobject_cast<PleaseWaitWindow*>(w) != nullptr;
    return n;
}

QStringList filesIn(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files);
}

} // namespace

class ExportCommandTest : public QObject {
    Q_OBJECT
private slots:
    void nothingStartsWithoutRowsOrYes()
    {
        DataFixture f;
        FakeServices s;
        QTemporaryDir dir;
        ExportCommand command(s.services, nullptr, "Sorgu");
        Dataset* q = f.dm().Query7;

        // Query7 never opened: nothing at all.
        QCOMPARE(command.run(q, Target::Spreadsheet, ExportCommand::querySpreadsheetQuestion()), QString());
        QVERIFY(s.prompter.shown.isEmpty());
        QVERIFY(s.sound.events.isEmpty());

        // No rows: the default beep, no question.
        runFreeQuery(*q, "Adi", "");
        QCOMPARE(command.run(q, Target::Document, ExportCommand::queryDocumentQuestion()), QString());
        QCOMPARE(s.sound.events, QStringList{"beep"});
        QVERIFY(s.prompter.shown.isEmpty());

        // Cancel to the question, or to the save dialog: nothing written or opened.
        f.addResident("Ali", 1);
        runFreeQuery(*q, "Adi", "");
        s.sound.events.clear();
        s.prompter.answer(Answer::Cancel);
        QCOMPARE(command.run(q, Target::Spreadsheet, ExportCommand::querySpreadsheetQuestion()), QString());
        QCOMPARE(s.prompter.shown.size(), 1);
        QCOMPARE(s.prompter.shown[0].text, QString("Bu İşlem Zaman Alabilir !\r\nDevam Etmek İstiyor musunuz ?"));
        QCOMPARE(s.prompter.shown[0].buttons, Buttons::YesCancel);
        s.prompter.answer(Answer::Yes);
        s.prompter.file(QString());
        QCOMPARE(command.run(q, Target::Document, ExportCommand::queryDocumentQuestion()), QString());
        QVERIFY(s.launcher.opened.isEmpty());
        QVERIFY(s.sound.events.isEmpty());
        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(pleaseWaitWindows(), 0);
    }

    void writesRingsAndOpens()
    {
        DataFixture f;
        f.addResident("Şükrü Öztürk", 1, {{"Sokak", "İğde"}});
        f.addResident("Ayşe Işık", 2);
        FakeServices s;
        QTemporaryDir dir;
        ExportCommand command(s.services, nullptr, "Sorgu");
        command.setDocumentsFolder(dir.path());
        QCOMPARE(command.suggestedPath(Target::Spreadsheet), dir.filePath("Sorgu 09.12.2026.xlsx"));
        QCOMPARE(command.suggestedPath(Target::Document), dir.filePath("Sorgu 09.12.2026.odt"));
        runFreeQuery(*f.dm().Query7, "Adi, Sokak", "");

        s.prompter.answer(Answer::Yes);
        s.prompter.file(dir.filePath("liste")); // the suffix is added
        const QString written = command.run(f.dm().Query7, Target::Document, ExportCommand::queryDocumentQuestion());
        QCOMPARE(written, dir.filePath("liste.odt"));
        QCOMPARE(odtParagraphs(written), (QStringList{"Şükrü Öztürk İğde ", "Ayşe Işık  "}));
        QCOMPARE(s.sound.events, QStringList{"play ring.wav x1"});
        QCOMPARE(s.launcher.opened, QStringList{written});
        QCOMPARE(s.prompter.lastFilters, QStringList{"OpenDocument Metin Belgesi (*.odt)"});
        QCOMPARE(pleaseWaitWindows(), 0);

        // No program for it: the document's own message, the file stays.
        s.launcher.openFails = true;
        s.sound.events.clear();
        s.prompter.clear();
        s.prompter.answer(Answer::Yes);
        s.prompter.file(dir.filePath("ikinci.odt"));
        command.run(f.dm().Query7, Target::Document, ExportCommand::queryDocumentQuestion());
        QCOMPARE(s.prompter.texts().last(), QString("Word Programı Bulunamadı !"));
        QCOMPARE(s.prompter.shown.last().kind, MessageKind::Information);
        QVERIFY(QFile::exists(dir.filePath("ikinci.odt")));
        // The spreadsheet only beeps after the bell.
        s.sound.events.clear();
        s.prompter.clear();
        s.prompter.answer(Answer::Yes);
        s.prompter.file(dir.filePath("tablo.xlsx"));
        command.run(f.dm().Query7, Target::Spreadsheet, ExportCommand::querySpreadsheetQuestion());
        QCOMPARE(s.sound.events, (QStringList{"play ring.wav x1", "beep"}));
        QCOMPARE(s.prompter.texts(),
                 (QStringList{ExportCommand::querySpreadsheetQuestion(), "Excel Dosyası Olarak Kaydet"}));
        QCOMPARE(xlsxRows(dir.filePath("tablo.xlsx")).size(), 3);

        // A file that cannot be written is reported, not announced with the bell.
        s.sound.events.clear();
        s.prompter.clear();
        s.prompter.answer(Answer::Yes);
        s.prompter.file(dir.filePath("yok/tablo.xlsx"));
        QCOMPARE(command.run(f.dm().Query7, Target::Spreadsheet, ExportCommand::querySpreadsheetQuestion()), QString());
        QVERIFY(s.prompter.texts().last().startsWith("Dosya Kaydedilemedi !"));
        QCOMPARE(s.sound.events, QStringList{"beep"});
        QCOMPARE(pleaseWaitWindows(), 0);
    }

    void theFourButtons()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1, {{"DogTar", QDate(1980, 1, 1)}});
        FakeServices s;
        QTemporaryDir dir;
        TAdres w(f.dm(), s.services);
        GeneralReportsPage* general = w.generalReportsPage();
        QueryReportsPage* query = w.queryReportsPage();

        // The general page exports Query1: all 44 fields of the found residents.
        TDM2::reopen(f.dm().Query1, TDM2::residentSelect());
        s.prompter.answer(Answer::Yes);
        s.prompter.file(dir.filePath("genel.xlsx"));
        general->excelButton()->click();
        const QList<QStringList> rows = xlsxRows(dir.filePath("genel.xlsx"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].size(), 44);
        QCOMPARE(rows[1][0], QString("Ali Kaya"));
        s.prompter.answer(Answer::Cancel);
        general->wordButton()->click();

        // The query page exports Query7 after a run.
        query->query();
        s.prompter.answer(Answer::Cancel);
        query->excelButton()->click();
        s.prompter.answer(Answer::Cancel);
        query->wordButton()->click();
        QCOMPARE(s.prompter.texts(), (QStringList{"Bu İşlem Zaman Alabilir !\r\nDevam etmek İstiyor musunuz ?",
                                                  "Excel Dosyası Olarak Kaydet",
                                                  "Bu İşlem Zaman Alabilir !\r\nDevam etmek İstiyor musunuz ?",
                                                  "Bu İşlem Zaman Alabilir !\r\nDevam Etmek İstiyor musunuz ?",
                                                  "Bu işlem zaman alabilir !\r\nDevam etmek İstiyor musunuz ?"}));
        QCOMPARE(filesIn(dir), QStringList{"genel.xlsx"});
    }

    void runningCount()
    {
        PleaseWaitWindow wait;
        QCOMPARE(wait.countText(), QString());
        wait.showCount(512);
        QCOMPARE(wait.countText(), QString("512"));
    }
};

ZELVAR_TEST(ExportCommandTest)
#include "tst_exportcommand.moc"
