// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's record lifecycle: New with its record numbers and
// carry-over, Add, Save, Cancel, Delete with the photographs, and leaving
// page 3 with a new record open.
#include "TestRegistry.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "tst_register_fixture.h"
#include "ui/bound/DBRadioGroup.h"

#include "ui/bound/DBGrid.h"
#include "ui/bound/DBImage.h"
#include "ui/bound/DBNavigator.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QRadioButton>
#include <QTabWidget>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

QString todayText(RegisterFixture& f)
{
    return f.fakes.clock.today().toString("dd.MM.yyyy");
}

// A household's first member with the address and civil-registry data that
// New carries over to the next.
void addHousehold(RegisterFixture& f)
{
    f.data.addResident("Hasan Kaya", 57,
                       {{"Apartman", "Güneş Apt."},
                        {"OncekiAdresi", "Eski Sok. 1"},
                        {"Oncekiadres2", "Konak"},
                        {"GittigiAdres", "Yeni Sok. 2"},
                        {"Gittigiadres2", "Bornova"},
                        {"YokTar", "2001-03-15"},
                        {"Sokak", "Lale Sok."},
                        {"EvNo", "12/3"},
                        {"EvDurum1", "Kiracı"},
                        {"IlKodu", "34"},
                        {"Vilayeti", "İstanbul"},
                        {"Kazasi", "Kadıköy"},
                        {"MahalleKoyu", "Moda"},
                        {"Cilt", "7"},
                        {"Hane", "88"},
                        {"Sayfa", "12"},
                        {"Konuturu", "E"},
                        {"BabaAdi", "Ali"}});
}

} // namespace

class RegisterLifecycleTest : public QObject {
    Q_OBJECT
private slots:
    void newNumbersFromTheHighestRecord()
    {
        {
            RegisterFixture f;
            TForm2& w = f.open();
            w.newRecord();
            QVERIFY(f.q()->isInserting());
            QCOMPARE(f.number(), 1);
            QCOMPARE(w.colorState(), ColorState::Entry);
            QCOMPARE(w.currentPage(), TForm2::EntryPage);
            // The moving-in date box has the focus and today's date.
            QVERIFY(edit(w, "YokTar")->hasFocus());
            QCOMPARE(edit(w, "YokTar")->text(), todayText(f));
            QCOMPARE(f.q()->displayText("YokTar"), todayText(f));
            QCOMPARE(f.data.residentCount(), 0); // nothing stored yet
        }
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        f.data.addResident("Ayşe Veli", 2);
        f.data.addResident("Can Veli", 57);
        TForm2& w = f.open();
        w.newRecord();
        QCOMPARE(f.number(), 58); // free numbers below are not used

        // Deleting the highest number frees it for the next new record.
        w.cancelRecord();
        f.q()->last();
        QCOMPARE(f.number(), 57);
        f.fakes.prompter.answer(Answer::Yes);
        w.deleteRecord();
        QCOMPARE(f.data.residentCount(), 2);
        w.newRecord();
        QCOMPARE(f.number(), 3); // the highest that is left, plus one

        // The number just freed is given again.
        retype(edit(w, "Adi"), "Deniz Veli");
        w.saveRecord();
        QCOMPARE(f.count("select count(*) from zelvarx where KayitNo = 3"), 1);
        f.fakes.prompter.answer(Answer::Yes);
        w.deleteRecord();
        w.newRecord();
        QCOMPARE(f.number(), 3);
    }

    void newTwiceKeepsOneRecordOpen()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        w.newRecord();
        const int rows = f.q()->rowCount();
        w.showPage(TForm2::RecordCheckPage);
        w.newRecord(); // the name is still empty: only the page changes
        QCOMPARE(f.q()->rowCount(), rows);
        QVERIFY(f.q()->isInserting());
        QCOMPARE(w.currentPage(), TForm2::EntryPage);
        QCOMPARE(f.data.residentCount(), 1);

        // On an empty register the open new row counts as a record too, so
        // the second New does not store a nameless resident.
        RegisterFixture empty;
        TForm2& e = empty.open();
        e.newRecord();
        e.newRecord();
        QVERIFY(empty.q()->isInserting());
        QCOMPARE(empty.q()->rowCount(), 1);
        QCOMPARE(empty.data.residentCount(), 0);
        QVERIFY(empty.fakes.prompter.shown.isEmpty());
    }

    void newAfterTypingStoresTheFirstAndCarriesItsData()
    {
        RegisterFixture f;
        addHousehold(f);
        TForm2& w = f.open();
        w.newRecord();
        const CarryOver& carry = f.memory.carryOver;
        // Remembered from the resident who was current: texts as the boxes
        // showed them, and the house flag.
        QCOMPARE(carry.texts.value(CarryOver::fields().indexOf("Sokak")), QString("Lale Sok."));
        QCOMPARE(carry.texts.value(CarryOver::fields().indexOf("YokTar")), QString("15.03.2001"));
        QCOMPARE(carry.texts.value(CarryOver::fields().indexOf("EvDurum1")), QString("Kiracı"));
        QVERIFY(carry.house);

        retype(edit(w, "Adi"), "Zeynep Kaya");
        w.newRecord();
        // The first new record is stored under 58, the second opened as 59.
        QCOMPARE(f.stored("select Adi from zelvarx where KayitNo = 58"), QString("Zeynep Kaya"));
        QCOMPARE(f.stored("select YokTar from zelvarx where KayitNo = 58"),
                 f.fakes.clock.today().toString("yyyy-MM-dd"));
        QVERIFY(f.q()->isInserting());
        QCOMPARE(f.number(), 59);
        // The carry-over now comes from the first new record.
        QCOMPARE(carry.texts.value(CarryOver::fields().indexOf("Sokak")), QString());
        QCOMPARE(carry.texts.value(CarryOver::fields().indexOf("YokTar")), todayText(f));
        QVERIFY(!carry.house);
        QVERIFY(f.fakes.prompter.shown.isEmpty());
    }

    void addCopiesTheHousehold()
    {
        RegisterFixture f;
        addHousehold(f);
        TForm2& w = f.open();
        w.newRecord();
        retype(edit(w, "Adi"), "Zeynep Kaya");
        w.addRecord();
        QVERIFY(!f.q()->isEditing());
        QCOMPARE(f.data.residentCount(), 2);
        const QString row = "select %1 from zelvarx where KayitNo = 58";
        QCOMPARE(f.stored(row.arg("Adi")), QString("Zeynep Kaya"));
        for (const QString& field : CarryOver::fields()) {
            if (field == "YokTar")
                continue;
            QCOMPARE(f.stored(row.arg(field)),
                     f.stored(QString("select %1 from zelvarx where KayitNo = 57").arg(field)));
        }
        QCOMPARE(f.stored(row.arg("YokTar")), QString("2001-03-15"));
        QCOMPARE(f.stored(row.arg("Konuturu")), QString("E"));
        QVERIFY(f.stored(row.arg("BabaAdi")).isEmpty()); // identity is not copied
        QCOMPARE(w.colorState(), ColorState::Entry);     // Add does not repaint
        QCOMPARE(child<DBRadioGroup>(w, "houseType")->itemIndex(), 0);

        // A province code typed before Add: nothing is stored, nothing said.
        w.newRecord();
        retype(edit(w, "Adi"), "Ece Kaya");
        retype(edit(w, "IlKodu"), "06");
        w.addRecord();
        QVERIFY(f.q()->isInserting());
        QCOMPARE(f.data.residentCount(), 2);
        QVERIFY(f.fakes.prompter.shown.isEmpty());
    }

    void addThatFailsIsCancelled()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        w.newRecord();
        retype(edit(w, "Adi"), "Veli Can");
        // A carried date that cannot be read makes the post fail.
        f.memory.carryOver.texts[CarryOver::fields().indexOf("YokTar")] = "31.02.2001";
        w.addRecord();
        QCOMPARE(f.fakes.prompter.texts(), QStringList{RegisterRecords::addFailedMessage()});
        QVERIFY(!f.q()->isEditing());
        QCOMPARE(f.data.residentCount(), 1);
    }

    void saveChecksTheName()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        w.newRecord();
        w.showPage(TForm2::CivilRegistryPage);
        w.saveRecord();
        QCOMPARE(f.fakes.sound.events, QStringList{"beep"});
        QCOMPARE(f.fakes.prompter.texts(), QStringList{RegisterRecords::enterNameFirstMessage()});
        QCOMPARE(f.fakes.prompter.shown.first().kind, MessageKind::Plain);
        QCOMPARE(w.currentPage(), TForm2::EntryPage);
        QVERIFY(edit(w, "Adi")->hasFocus());
        QVERIFY(f.q()->isInserting());
        QCOMPARE(f.data.residentCount(), 1);

        // With a name it is stored, the colours go white and "&Yeni" has the focus.
        type(edit(w, "Adi"), "Veli Can");
        w.saveRecord();
        QCOMPARE(f.stored("select Adi from zelvarx where KayitNo = 2"), QString("Veli Can"));
        QCOMPARE(w.colorState(), ColorState::Normal);
        QVERIFY(child<QPushButton>(w, "newButton")->hasFocus());
    }

    void saveOnAnEmptyResultOpensARecord()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 7);
        TForm2& w = f.open();
        w.alphabetFilter("X");
        QCOMPARE(f.q()->recordCount(), 0);
        w.saveRecord();
        QCOMPARE(f.fakes.prompter.texts(), QStringList{RegisterRecords::openRecordFirstMessage()});
        QCOMPARE(f.fakes.prompter.shown.first().kind, MessageKind::Warning);
        QVERIFY(f.q()->isInserting());
        QCOMPARE(f.number(), 8);
        QCOMPARE(w.colorState(), ColorState::Entry);
    }

    void incompleteDateIsRefusedAndTheRecordStaysInEdit()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        w.showPage(TForm2::EntryPage);
        retype(edit(w, "DogTar"), "1203");
        QVERIFY_THROWS_EXCEPTION(DateEntryError, w.saveRecord());
        QVERIFY(f.q()->isEditing());
        QVERIFY(f.stored("select DogTar from zelvarx").isEmpty());
    }

    void noNewResidentMeetsADeletedOnesPhotographs()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 5);
        f.data.addResident("Can Veli", 6);
        Database& db = f.data.dm().database();
        db.exec("insert into Foto (Kayitno, Foto) values (5, x'01'), (6, x'02'), (6, x'03')");
        TForm2& w = f.open();
        QVERIFY(f.q()->locate("KayitNo", 6));
        QCOMPARE(f.data.dm().tbfoto->recordCount(), 2);

        // The navigator of page 4 takes the photographs with the resident.
        w.showPage(TForm2::DetailedViewPage);
        f.fakes.prompter.answer(Answer::Yes);
        navigator(w, TForm2::DetailedViewPage)->click(DBNavigator::Delete);
        QCOMPARE(f.fakes.prompter.texts(), QStringList{DBNavigator::deleteQuestion()});
        QCOMPARE(f.count("select count(*) from zelvarx where KayitNo = 6"), 0);
        QCOMPARE(f.count("select count(*) from Foto where Kayitno = 6"), 0);
        QCOMPARE(f.count("select count(*) from Foto where Kayitno = 5"), 1);

        // Rows left behind by an older program run under the number New
        // gives again are gone before the new resident shows.
        db.exec("insert into Foto (Kayitno, Foto) values (6, x'04')");
        w.newRecord();
        QCOMPARE(f.number(), 6);
        QCOMPARE(f.data.dm().tbfoto->recordCount(), 0);
        QVERIFY(child<DBImage>(w, "photo")->picture().isNull());
        QCOMPARE(f.count("select count(*) from Foto where Kayitno = 6"), 0);
        QCOMPARE(f.count("select count(*) from Foto where Kayitno = 5"), 1);
    }

    void deleteRemovesThePhotosWithTheResident()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 5);
        f.data.addResident("Can Veli", 6);
        Database& db = f.data.dm().database();
        for (int i = 0; i < 3; ++i)
            db.exec("insert into Foto (Kayitno, \"Not\") values (5, ?)", {QString::number(i)});
        db.exec("insert into Foto (Kayitno) values (6)");
        TForm2& w = f.open();
        QCOMPARE(f.data.dm().tbfoto->recordCount(), 3);

        f.fakes.prompter.answer(Answer::No);
        w.deleteRecord();
        QCOMPARE(f.data.residentCount(), 2);
        const ShownDialog question = f.fakes.prompter.shown.last();
        QCOMPARE(question.text, QString("Bu Kayıt Silinsin mi?"));
        QCOMPARE(question.title, QString("Zelvar 2001"));
        QCOMPARE(question.kind, MessageKind::Question);
        QCOMPARE(question.buttons, Buttons::YesNo);

        // A delete that the database refuses takes nothing: the photographs
        // stay with the resident.
        db.exec("create trigger keep before delete on zelvarx begin select raise(abort, 'kept'); end");
        f.fakes.prompter.answer(Answer::Yes);
        QVERIFY_THROWS_EXCEPTION(EngineError, w.deleteRecord());
        QCOMPARE(f.count("select count(*) from Foto where Kayitno = 5"), 3);
        QCOMPARE(f.data.residentCount(), 2);
        db.exec("drop trigger keep");

        w.paint(ColorState::Entry);
        f.fakes.prompter.answer(Answer::Yes);
        w.deleteRecord();
        QCOMPARE(f.count("select count(*) from zelvarx where KayitNo = 5"), 0);
        QCOMPARE(f.count("select count(*) from Foto where Kayitno = 5"), 0);
        QCOMPARE(f.count("select count(*) from Foto where Kayitno = 6"), 1);
        QCOMPARE(f.number(), 6);
        QCOMPARE(f.data.dm().tbfoto->recordCount(), 1);
        QCOMPARE(w.colorState(), ColorState::Normal);

        // Without photographs, and then with nothing left to delete.
        f.fakes.prompter.answer(Answer::Yes);
        w.deleteRecord();
        QCOMPARE(f.data.residentCount(), 0);
        f.fakes.prompter.clear();
        w.deleteRecord();
        QCOMPARE(f.fakes.prompter.texts(), QStringList{RegisterRecords::nothingToDeleteMessage()});
        QCOMPARE(f.fakes.sound.events.last(), QString("beep"));
    }

    void cancelDropsANewRecordOrAnEdit()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1, {{"BabaAdi", "Hasan"}, {"Nakil", "1"}});
        TForm2& w = f.open();
        w.newRecord();
        retype(edit(w, "Adi"), "Yeni Kişi");
        w.cancelRecord();
        QVERIFY(!f.q()->isEditing());
        QCOMPARE(f.q()->rowCount(), 1);
        QCOMPARE(w.colorState(), ColorState::Normal);
        QCOMPARE(edit(w, "Adi")->text(), QString("Ali Veli"));

        // Editing a stored resident: the stored values come back, the
        // colours stay as they were.
        w.paintByFlag();
        QCOMPARE(w.colorState(), ColorState::MovedOut);
        retype(edit(w, "BabaAdi"), "Yanlış");
        w.cancelRecord();
        QCOMPARE(edit(w, "BabaAdi")->text(), QString("Hasan"));
        QCOMPARE(f.stored("select BabaAdi from zelvarx"), QString("Hasan"));
        QCOMPARE(w.colorState(), ColorState::MovedOut);
    }

    void cancelAfterNewReturnsToTheResidentBefore()
    {
        RegisterFixture f;
        f.data.addResident("Ayşe Turan", 1);
        f.data.addResident("Fatma Turan", 2);
        f.data.addResident("", 3); // a nameless resident right after her
        f.data.addResident("Hacer Turan", 4);
        TForm2& w = f.open();
        // Every grid of the window hears the changes in Qt's order.
        std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
        for (DBGrid* grid : {child<DBGrid>(w, "residentGrid"), child<DBGrid>(w, "nameList"),
                             child<DBGrid>(w, "detailGrid"), child<DBGrid>(w, "moveOutGrid")})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest));
        QVERIFY(f.q()->locate("Adi", "Fatma Turan"));
        for (TForm2::Page page : {TForm2::RecordCheckPage, TForm2::EntryPage, TForm2::DetailedViewPage}) {
            w.showPage(page);
            w.newRecord();
            QVERIFY(f.q()->isInserting());
            w.cancelRecord();
            QCOMPARE(f.name(), QString("Fatma Turan"));
            QCOMPARE(f.number(), 2);
            QCOMPARE(child<DBGrid>(w, "residentGrid")->currentIndex().row(), f.q()->recNo());
        }
        // A second New then opens a record as the first did; the name typed
        // goes into it, not into the nameless resident.
        w.newRecord();
        QVERIFY(f.q()->isInserting());
        QCOMPARE(f.number(), 5);
        retype(edit(w, "Adi"), "Zeynep Turan");
        w.saveRecord();
        QCOMPARE(f.stored("select Adi from zelvarx where KayitNo = 5"), QString("Zeynep Turan"));
        QCOMPARE(f.stored("select coalesce(Adi, '') from zelvarx where KayitNo = 3"), QString());
        QCOMPARE(f.data.residentCount(), 5);
    }

    void textPutInThroughAccessibilityIsStored()
    {
        // Dictation and on-screen keyboards set a box's text through the
        // accessibility interface; the box stores what it shows.
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        w.newRecord();
        QAccessibleInterface* name = QAccessible::queryAccessibleInterface(edit(w, "Adi"));
        QVERIFY(name);
        name->setText(QAccessible::Value, QStringLiteral("Ayşe Kaya"));
        QCOMPARE(edit(w, "Adi")->text(), QString("Ayşe Kaya"));
        w.saveRecord();
        QVERIFY(f.fakes.prompter.shown.isEmpty());
        QCOMPARE(f.stored("select Adi from zelvarx where KayitNo = 2"), QString("Ayşe Kaya"));
        // The editable-text path too, on a stored resident.
        QAccessibleInterface* father = QAccessible::queryAccessibleInterface(edit(w, "BabaAdi"));
        QVERIFY(father && father->editableTextInterface());
        father->editableTextInterface()->insertText(0, QStringLiteral("Hasan"));
        w.saveRecord();
        QCOMPARE(f.stored("select BabaAdi from zelvarx where KayitNo = 2"), QString("Hasan"));
    }

    void leavingPageThreeAsksAboutANewRecord()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        w.newRecord();
        retype(edit(w, "Adi"), "Yeni Kişi");
        f.fakes.prompter.answer(Answer::Cancel);
        QTest::keyClick(&w, Qt::Key_F5);
        QCOMPARE(f.fakes.prompter.texts(), QStringList{RegisterRecords::unsavedQuestion()});
        QCOMPARE(f.fakes.prompter.shown.first().buttons, Buttons::YesCancel);
        QVERIFY(!f.q()->isEditing());
        QCOMPARE(f.data.residentCount(), 1);
        QCOMPARE(w.currentPage(), TForm2::RecordCheckPage);
        QCOMPARE(w.colorState(), ColorState::Normal);

        // Yes stores without the name check; no question in the normal state.
        w.newRecord();
        f.fakes.prompter.answer(Answer::Yes);
        w.showPage(TForm2::CivilRegistryPage);
        child<QAbstractButton>(w, "civilToCheck")->click();
        QCOMPARE(f.data.residentCount(), 2);
        QCOMPARE(f.count("select count(*) from zelvarx where Adi is null and KayitNo = 2"), 1);
        f.fakes.prompter.clear();
        w.leaveToRecordCheck();
        QVERIFY(f.fakes.prompter.shown.isEmpty());

        // "Bilgi Giriş": Yes runs the whole Save with its name check.
        QVERIFY(f.q()->locate("Adi", "Ali Veli"));
        w.newRecord();
        f.fakes.prompter.answer(Answer::Yes);
        w.showPage(TForm2::CivilRegistryPage);
        child<QAbstractButton>(w, "civilToEntry")->click();
        QCOMPARE(f.fakes.prompter.texts(),
                 (QStringList{RegisterRecords::unsavedQuestion(), RegisterRecords::enterNameFirstMessage()}));
        QCOMPARE(f.data.residentCount(), 2);
        QCOMPARE(w.currentPage(), TForm2::EntryPage);
        QVERIFY(f.fakes.prompter.unexpected.isEmpty());
    }

    void keysRunTheOperationsFromAnyPage()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        w.showPage(TForm2::DocumentsPage);
        QTest::keyClick(&w, Qt::Key_F8);
        QVERIFY(f.q()->isInserting());
        QCOMPARE(w.currentPage(), TForm2::EntryPage);
        QTest::keyClick(&w, Qt::Key_F12);
        QVERIFY(!f.q()->isEditing());
        QTest::keyClick(&w, Qt::Key_F7);
        QCOMPARE(w.currentPage(), TForm2::CivilRegistryPage);
        QTest::keyClick(&w, Qt::Key_F6);
        QCOMPARE(w.currentPage(), TForm2::EntryPage);
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(f.fakes.help.topics, QList<int>{102});
        f.fakes.prompter.answer(Answer::No);
        QTest::keyClick(edit(w, "BabaAdi"), Qt::Key_F11);
        QCOMPARE(f.fakes.prompter.lastText(), RegisterRecords::deleteQuestion());
        QTest::keyClick(edit(w, "BabaAdi"), Qt::Key_F10);
        QVERIFY(!f.q()->isEditing());

        // Closing leaves a pending new record as it is: neither saved nor dropped.
        w.newRecord();
        retype(edit(w, "Adi"), "Yarım Kalan");
        QTest::keyClick(edit(w, "Adi"), Qt::Key_Escape);
        QTRY_VERIFY(f.window.isNull());
        QVERIFY(f.q()->isInserting());
        QCOMPARE(f.data.residentCount(), 1);
        f.q()->cancel();
    }
};

ZELVAR_TEST(RegisterLifecycleTest)
#include "tst_register_lifecycle.moc"
