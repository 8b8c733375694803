// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a composed certificate from the editor and its line in the
// issued-documents log: only when the job was sent, only to the resident it
// was composed for, never for files or typed text, and without touching the
// register's unsaved edits.
#include "DeskFixture.h"
#include "TestRegistry.h"

#include <QFile>
#include <QTextEdit>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

// Composes a certificate for a resident, then moves the register elsewhere.
TEditor& compose(Desk& desk, const char* button, int forResident, int thenCurrent)
{
    desk.goTo(forResident);
    desk.press(button);
    desk.goTo(thenCurrent);
    return *desk.editor();
}

// Answers the question, then (when asked) the printing service: printed or
// the printer dialog cancelled.
void answerPrint(Desk& desk, Answer question, std::optional<bool> printed)
{
    desk.fakes.prompter.answer(question);
    if (printed)
        desk.fakes.printing.answerText(*printed ? TextPrintResult::Printed : TextPrintResult::Cancelled);
}

} // namespace

class CertificatePrintTest : public QObject {
    Q_OBJECT
private slots:
    void printedCertificateIsLoggedToTheComposedResident()
    {
        Desk desk;
        desk.addOffice();
        desk.addResidents();
        desk.registerWindow();
        TEditor& editor = compose(desk, "moveOutCertificate", Desk::kFull, Desk::kEmpty);

        answerPrint(desk, Answer::No, std::nullopt);
        QCOMPARE(editor.printDocument(), EditorPrint::Result::Declined);
        QVERIFY(desk.fakes.printing.printedTexts.isEmpty());
        answerPrint(desk, Answer::Yes, false);
        QCOMPARE(editor.printDocument(), EditorPrint::Result::Cancelled);
        QCOMPARE(desk.log(Desk::kFull), QString());

        answerPrint(desk, Answer::Yes, true);
        editor.toolAction(TEditor::PrintItem)->trigger();
        QCOMPARE(desk.fakes.printing.printedTexts,
                 QStringList(2, editor.textArea()->toPlainText())); // the cancelled and the printed one
        QCOMPARE(desk.log(Desk::kFull), QStringLiteral("Nakil Belgesi 09.12.2026"));
        QCOMPARE(desk.log(Desk::kEmpty), QString());
        // Each print adds its own line.
        answerPrint(desk, Answer::Yes, true);
        editor.printDocument();
        QCOMPARE(desk.log(Desk::kFull), QStringLiteral("Nakil Belgesi 09.12.2026\nNakil Belgesi 09.12.2026"));

        const QList<ShownDialog>& shown = desk.fakes.prompter.shown;
        QCOMPARE(shown.size(), 4);
        for (const ShownDialog& d : shown) {
            QCOMPARE(d.text, QStringLiteral("Belge Yazdırılsın mı?"));
            QCOMPARE(d.buttons, Buttons::YesNo);
        }
        QVERIFY(desk.fakes.prompter.scriptUsedUp() && desk.fakes.prompter.unexpected.isEmpty());

        // The register shows the line on the resident's page.
        desk.goTo(Desk::kFull);
        QCOMPARE(desk.dm().Query2->displayText(QStringLiteral("Belgeler")).count(QStringLiteral("Nakil Belgesi")), 2);

        // Poverty and status titles; the back page logs nothing, even after
        // a move-out certificate.
        compose(desk, "povertyCertificate", Desk::kEmpty, Desk::kFull);
        answerPrint(desk, Answer::Yes, true);
        desk.editor()->printDocument();
        compose(desk, "statusCertificate", Desk::kEmpty, Desk::kFull);
        answerPrint(desk, Answer::Yes, true);
        desk.editor()->printDocument();
        QCOMPARE(desk.log(Desk::kEmpty), QStringLiteral("Fakirlik Belgesi 09.12.2026\nİlmuhaber (Belge) 09.12.2026"));
        compose(desk, "idCardChangeBack", Desk::kEmpty, Desk::kEmpty);
        answerPrint(desk, Answer::Yes, true);
        QCOMPARE(desk.editor()->printDocument(), EditorPrint::Result::Printed);
        QCOMPARE(desk.log(Desk::kEmpty).count(QLatin1Char('\n')), 1);
    }

    void nothingIsLoggedForADeletedResidentAFileOrTypedText()
    {
        Desk desk;
        desk.addOffice();
        desk.addResidents();
        desk.registerWindow();
        TEditor& editor = compose(desk, "povertyCertificate", Desk::kEmpty, Desk::kFull);
        desk.dm().database().exec(QStringLiteral("delete from zelvarx where KayitNo = ?"), {Desk::kEmpty});
        answerPrint(desk, Answer::Yes, true);
        QCOMPARE(editor.printDocument(), EditorPrint::Result::Printed);
        QCOMPARE(desk.data.residentCount(), 1);
        QCOMPARE(desk.log(Desk::kFull), QString());

        // A file opened after a certificate is no certificate.
        compose(desk, "moveOutCertificate", Desk::kFull, Desk::kFull);
        QVERIFY(editor.pendingLog());
        QFile file(desk.files.filePath(QStringLiteral("mektup.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Sayın Müdürlüğe");
        file.close();
        desk.fakes.prompter.file(file.fileName());
        editor.openFile();
        QVERIFY(!editor.pendingLog());
        answerPrint(desk, Answer::Yes, true);
        editor.printDocument();
        QCOMPARE(desk.log(Desk::kFull), QString());

        // "Sil" and typed text.
        compose(desk, "moveOutCertificate", Desk::kFull, Desk::kFull);
        editor.deleteAll();
        editor.textArea()->setPlainText(QStringLiteral("elle yazılan"));
        answerPrint(desk, Answer::Yes, true);
        editor.printDocument();
        QCOMPARE(desk.log(Desk::kFull), QString());
        QCOMPARE(DocumentKind, 3);

        // A fresh editor window after closing the old one.
        compose(desk, "moveOutCertificate", Desk::kFull, Desk::kFull);
        editor.closeWindow();
        QTRY_VERIFY(!desk.editor());
        auto* fresh = qobject_cast<TEditor*>(desk.main->editorCommand());
        QVERIFY(fresh);
        QCOMPARE(fresh->windowTitle(), QStringLiteral("Editor"));
        QCOMPARE(fresh->baseFont().family(), QStringLiteral("Courier New"));
        fresh->textArea()->setPlainText(QStringLiteral("yeni pencere"));
        answerPrint(desk, Answer::Yes, true);
        fresh->printDocument();
        QCOMPARE(desk.log(Desk::kFull), QString());
        QCOMPARE(DocumentKind, 3);
        QVERIFY(desk.fakes.prompter.unexpected.isEmpty());
    }

    void theRegistersUnsavedEditIsNeitherSavedNorDropped()
    {
        Desk desk;
        desk.addOffice();
        desk.addResidents();
        TForm2& reg = desk.registerWindow();
        TEditor& editor = compose(desk, "statusCertificate", Desk::kFull, Desk::kEmpty);
        Dataset* q = desk.dm().Query2;

        // Editing another resident.
        q->edit();
        q->setValue(QStringLiteral("Meslek"), QStringLiteral("Çiftçi"));
        answerPrint(desk, Answer::Yes, true);
        editor.printDocument();
        QCOMPARE(desk.log(Desk::kFull), QStringLiteral("İlmuhaber (Belge) 09.12.2026"));
        QVERIFY(q->isEditing());
        QCOMPARE(q->value(QStringLiteral("Meslek")).toString(), QStringLiteral("Çiftçi"));
        QCOMPARE(desk.dm().database().scalar(QStringLiteral("select Meslek from zelvarx where KayitNo = 2")).toString(),
                 QString());
        q->cancel();

        // Editing the very resident: both his edit and the line survive his save.
        desk.goTo(Desk::kFull);
        q->edit();
        q->setValue(QStringLiteral("Meslek"), QStringLiteral("Emekli"));
        answerPrint(desk, Answer::Yes, true);
        editor.printDocument();
        QVERIFY(q->isEditing());
        reg.saveRecord();
        QCOMPARE(desk.dm().database().scalar(QStringLiteral("select Meslek from zelvarx where KayitNo = 1")).toString(),
                 QStringLiteral("Emekli"));
        QCOMPARE(desk.log(Desk::kFull), QStringLiteral("İlmuhaber (Belge) 09.12.2026\nİlmuhaber (Belge) 09.12.2026"));
        QTRY_COMPARE(q->displayText(QStringLiteral("Belgeler")).count(QStringLiteral("İlmuhaber")), 2);
    }

    void aFailedJobLogsNothing()
    {
        Desk desk;
        desk.addOffice();
        desk.addResidents();
        desk.registerWindow();
        TEditor& editor = compose(desk, "moveOutCertificate", Desk::kFull, Desk::kFull);
        answerPrint(desk, Answer::Yes, true);
        editor.printDocument();

        // A printer that cannot take the job: a message, no log line.
        const qsizetype sounds = desk.fakes.sound.events.size();
        desk.fakes.prompter.answer(Answer::Yes);
        desk.fakes.printing.answerText(TextPrintResult::Failed);
        QCOMPARE(editor.printDocument(), EditorPrint::Result::Failed);
        QCOMPARE(desk.fakes.prompter.lastText(), QStringLiteral("Belge Yazdırılamadı !"));
        QCOMPARE(desk.fakes.sound.events.mid(sounds), QStringList{QStringLiteral("exclamation")});
        QCOMPARE(desk.log(Desk::kFull), QStringLiteral("Nakil Belgesi 09.12.2026"));
    }

    void oneEditorWindowFoundByItsCaption()
    {
        Desk desk;
        desk.addOffice();
        desk.addResidents();
        desk.registerWindow();
        QWidget* first = desk.main->editorCommand();
        QCOMPARE(desk.main->editorCommand(), first);
        desk.press("statusCertificate");
        QCOMPARE(first->windowTitle(), QStringLiteral("Editor [İlmuhaber]"));
        QCOMPARE(desk.main->editorCommand(), first);
        desk.press("moveOutCertificate");
        QCOMPARE(desk.editorWindows(), 1);
        QCOMPARE(desk.editor(), first);
    }
};

ZELVAR_TEST(CertificatePrintTest)
#include "tst_editor_print_log.moc"
