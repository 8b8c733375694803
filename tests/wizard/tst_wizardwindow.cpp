// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard window driven as a clerk would: a file in, step by step, and a
// table out.
#include "FindChild.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "data/Database.h"
#include "platform/fakes/FakeServices.h"
#include "wizard/window/WizardPages.h"
#include "wizard/window/WizardWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace zelvar;
using namespace zelvar::testing;
using namespace zelvar::wizard;

class WizardWindowTest : public QObject {
    Q_OBJECT
private slots:
    void clerkImportsAFileStepByStep()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("mahalle listesi.csv"));
        writeBytes(file, "Sıra;Adı Soyadı;Baba Adı;Doğum Tarihi;Telefon Numarası\r\n"
                         "1;Fatma Şahin;Hüseyin;3.4.1950;0312 111 22 33\r\n"
                         "2;İbrahim Güneş;Osman;yok;\r\n");
        auto db = Database::openFolder(dir.filePath(QStringLiteral("veri")));
        FakePrompter prompter;
        FakeClock clock;
        WizardWindow wizard(*db, db->folder(), prompter, clock);
        wizard.show();
        wizard.next();
        QCOMPARE(wizard.currentId(), int(WizardWindow::SourcePage));
        static_cast<SourceWizardPage*>(wizard.currentPage())->setPath(file);
        wizard.next();
        QCOMPARE(wizard.currentId(), int(WizardWindow::SheetPage));
        wizard.next();

        // "Sıra" is no field's name: the clerk pairs it with the record number.
        auto* mapping = static_cast<MappingWizardPage*>(wizard.currentPage())->mappingList();
        auto field = [&](int row) { return static_cast<QComboBox*>(mapping->cellWidget(row, 1)); };
        QCOMPARE(field(0)->currentText(), QStringLiteral("— aktarılmaz —"));
        QCOMPARE(field(1)->currentText(), QStringLiteral("Adı - Soyadı (Adi)"));
        QCOMPARE(field(3)->currentText(), QStringLiteral("Doğum Tarihi (DogTar)"));
        QCOMPARE(mapping->item(1, 2)->text(), QStringLiteral("Fatma Şahin"));
        field(0)->setCurrentIndex(field(0)->findText(QStringLiteral("Kayıt No (KayitNo)")));
        emit field(0)->activated(field(0)->currentIndex());
        field(4)->setCurrentIndex(field(4)->findText(QStringLiteral("Ev Telefonu (Telefon)")));
        emit field(4)->activated(field(4)->currentIndex());
        wizard.next();

        auto* preview = static_cast<PreviewWizardPage*>(wizard.currentPage())->rows();
        QCOMPARE(preview->rowCount(), 2);
        QCOMPARE(preview->columnCount(), 5); // the fields the columns fill
        QCOMPARE(preview->horizontalHeaderItem(3)->text(), QStringLiteral("Doğum Tarihi"));
        QCOMPARE(preview->item(0, 3)->text(), QStringLiteral("03.04.1950"));
        wizard.next();

        auto* check = static_cast<CheckWizardPage*>(wizard.currentPage());
        QTRY_VERIFY(check->isComplete());
        QCOMPARE(check->kinds()->rowCount(), 1);
        QCOMPARE(check->kinds()->item(0, 0)->text(), QStringLiteral("Tarih olmayan tarih (tarih boş bırakılır)"));
        QCOMPARE(check->issueView()->model()->index(0, 3).data().toString(),
                 QStringLiteral("\"yok\" bir tarih değil; boş bırakılır."));
        QCOMPARE(check->summary()->text(), QStringLiteral("zelvarx: 2 satır okundu, 2 kaydedilecek, 0 atlanacak."));
        auto* choice = static_cast<QComboBox*>(check->kinds()->cellWidget(0, 2));
        choice->setCurrentIndex(choice->findText(QStringLiteral("Satırı atla")));
        emit choice->activated(choice->currentIndex());
        QCOMPARE(check->summary()->text(), QStringLiteral("zelvarx: 2 satır okundu, 1 kaydedilecek, 1 atlanacak."));

        prompter.answer(Answer::Yes);
        wizard.next();
        auto* write = static_cast<WriteWizardPage*>(wizard.currentPage());
        // While the rows commit the window cannot cancel them and must not
        // look as if it could.
        struct Seen {
            QPushButton* cancel;
            QLabel* state;
            bool cancelEnabled;
            QString stateText;
        } seen{child<QPushButton>(write, QStringLiteral("jobCancel")), child<QLabel>(write, QStringLiteral("jobState")),
               true, QString()};
        sqlite3_commit_hook(
            db->handle(),
            [](void* data) {
                auto* s = static_cast<Seen*>(data);
                s->cancelEnabled = s->cancel->isEnabled();
                s->stateText = s->state->text();
                return 0;
            },
            &seen);
        QTRY_VERIFY(write->isComplete());
        sqlite3_commit_hook(db->handle(), nullptr, nullptr);
        QVERIFY(!seen.cancelEnabled);
        QCOMPARE(seen.stateText, QStringLiteral("Kaydediliyor..."));
        QVERIFY2(
            write->result()->text().startsWith(QStringLiteral("zelvarx: 2 satır okundu, 1 kaydedildi, 1 atlandı.")),
            qPrintable(write->result()->text()));
        QCOMPARE(
            db->scalar(QStringLiteral("select Adi || '/' || KayitNo || '/' || DogTar || '/' || Telefon from zelvarx"))
                .toString(),
            QStringLiteral("Fatma Şahin/1.0/1950-04-03/0312 111 22 33"));
        QVERIFY(prompter.unexpected.isEmpty());
    }

    void exportPageWritesTheChosenTable()
    {
        QTemporaryDir dir;
        auto db = Database::openFolder(dir.filePath(QStringLiteral("veri")));
        db->exec(
            QStringLiteral("insert into zelvarx (Adi, KayitNo, Nakil) values ('Kalan', 1, '0'), ('Giden', 2, '1')"));
        FakePrompter prompter;
        FakeClock clock;
        WizardWindow wizard(*db, db->folder(), prompter, clock);
        wizard.show();
        static_cast<StartWizardPage*>(wizard.currentPage())->chooseExport(true);
        wizard.next();
        auto* page = static_cast<ExportWizardPage*>(wizard.currentPage());
        page->tableBox()->setCurrentIndex(page->tableBox()->findData(QStringLiteral("kalanlar")));
        page->formatBox()->setCurrentIndex(page->formatBox()->findData(QStringLiteral("csv")));
        const QString file = dir.filePath(QStringLiteral("kalanlar"));
        page->fileEdit()->setText(file);
        wizard.next();
        QCOMPARE(wizard.currentId(), int(WizardWindow::ExportDonePage));
        const QByteArray written = bytesOf(file + QStringLiteral(".csv"));
        QVERIFY(written.contains("\r\nKalan;"));
        QVERIFY(!written.contains("Giden"));
        QVERIFY(page->lastResult().contains(QStringLiteral("Fotoğraflar bu dosyada yok")));
    }
};

ZELVAR_TEST(WizardWindowTest)
#include "tst_wizardwindow.moc"
