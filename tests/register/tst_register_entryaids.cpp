// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's entry aids: the province name from the province
// code, "T.C." in the nationality box, the moving-in date from the picker,
// and Enter moving on like Tab.
#include "TestRegistry.h"
#include "tst_register_fixture.h"
#include "ui/bound/DBMemo.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QTabWidget>

using namespace zelvar;
using namespace zelvar::testing;

class RegisterEntryAidsTest : public QObject {
    Q_OBJECT
private slots:
    void provinceNameFollowsTheCode()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1, {{"Vilayeti", "Eski"}});
        TForm2& w = f.open();
        w.showPage(TForm2::CivilRegistryPage);
        DBEdit* code = edit(w, "IlKodu");
        DBEdit* name = edit(w, "Vilayeti");
        code->setFocus();
        type(code, "3");
        QCOMPARE(name->text(), QString("Afyonkarahisar"));
        type(code, "5");
        QCOMPARE(code->text(), QString("35")); // typing is not disturbed
        QCOMPARE(name->text(), QString("İzmir"));

        const QList<QPair<QString, QString>> cases = {
            {"06", "Ankara"}, {"33", "İçel"}, {"80", "Osmaniye"}, {"81", "Düzce"}};
        for (const auto& [typed, province] : cases) {
            retype(code, typed);
            QCOMPARE(name->text(), province);
        }
        // Codes without a province leave the name, but the record is in
        // editing. (Typed digit by digit, "82" would pass through "8".)
        for (const QString text : {"0", "82", "99", "x"}) {
            code->setText(text);
            QCOMPARE(name->text(), QString("Düzce"));
        }
        f.q()->cancel();
        code->setText("82");
        QVERIFY(f.q()->isEditing());
        QCOMPARE(name->text(), QString("Eski"));
        QVERIFY(f.fakes.prompter.shown.isEmpty());
    }

    void browsingCorrectsTheStoredName()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1, {{"IlKodu", "06"}, {"Vilayeti", "Ankara"}});
        f.data.addResident("Can Veli", 2, {{"IlKodu", "34"}, {"Vilayeti", "Istanbul"}});
        f.data.addResident("Cem Veli", 3, {{"IlKodu", "34"}, {"Vilayeti", "ISTANBUL"}});
        f.data.addResident("Can Kaya", 4, {{"IlKodu", "99"}, {"Vilayeti", "Yok"}});
        TForm2& w = f.open();
        DBNavigator* nav = navigator(w, TForm2::RecordCheckPage);
        nav->click(DBNavigator::Next);
        QCOMPARE(edit(w, "Vilayeti")->text(), QString("İstanbul"));
        QCOMPARE(f.stored("select Vilayeti from zelvarx where KayitNo = 2"), QString("Istanbul"));
        // The next resident shows the same code: his name is corrected too,
        // and the move stores the correction of the one before.
        nav->click(DBNavigator::Next);
        QCOMPARE(f.stored("select Vilayeti from zelvarx where KayitNo = 2"), QString("İstanbul"));
        QCOMPARE(edit(w, "Vilayeti")->text(), QString("İstanbul"));
        nav->click(DBNavigator::Next);
        QCOMPARE(f.stored("select Vilayeti from zelvarx where KayitNo = 3"), QString("İstanbul"));
        QCOMPARE(edit(w, "Vilayeti")->text(), QString("Yok"));
        nav->click(DBNavigator::First);
        QCOMPARE(f.stored("select Vilayeti from zelvarx where KayitNo = 4"), QString("Yok"));
        QCOMPARE(f.stored("select Vilayeti from zelvarx where KayitNo = 1"), QString("Ankara"));
        // A name that needs no correction leaves the row browsing.
        QCOMPARE(f.q()->state(), Dataset::State::Browse);
        // Saving the current row does not count as another becoming current.
        w.saveRecord();
        QCOMPARE(f.q()->state(), Dataset::State::Browse);
    }

    void nationalityIsWrittenOnEntry()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1, {{"Tabiyeti", "Alman"}});
        TForm2& w = f.open();
        w.showPage(TForm2::EntryPage);
        edit(w, "DogTar")->setFocus();
        QTest::keyClick(edit(w, "DogTar"), Qt::Key_Tab);
        QVERIFY(edit(w, "Tabiyeti")->hasFocus());
        QCOMPARE(edit(w, "Tabiyeti")->text(), QString("T.C."));
        QVERIFY(f.q()->isEditing());
        // The user may overwrite it while the box has the focus.
        retype(edit(w, "Tabiyeti"), "K.K.T.C.");
        w.saveRecord();
        QCOMPARE(f.stored("select Tabiyeti from zelvarx"), QString("K.K.T.C."));
    }

    void pickedDateGoesIntoANewRecordOnly()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1, {{"YokTar", "2000-01-01"}});
        TForm2& w = f.open();
        QCOMPARE(child<QDateEdit>(w, "entryDate")->date(), f.fakes.clock.today());
        const QDate chosen(2024, 5, 17);
        w.entryDatePicked(chosen);
        QCOMPARE(edit(w, "YokTar")->text(), QString("01.01.2000"));
        w.newRecord();
        QCOMPARE(edit(w, "YokTar")->text(), f.fakes.clock.today().toString("dd.MM.yyyy"));
        // The choice in the drop-down calendar is what counts.
        emit child<QDateEdit>(w, "entryDate")->calendarWidget()->clicked(chosen);
        QCOMPARE(edit(w, "YokTar")->text(), QString("17.05.2024"));
    }

    void dateBoxesTakeTheMask()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        for (const char* field : {"YokTar", "DogTar", "NC_Tarihi"}) {
            DBEdit* box = edit(w, field);
            QVERIFY(box->isDateBox());
            QCOMPARE(box->inputMask(), DBEdit::dateInputMask());
        }
        w.showPage(TForm2::EntryPage);
        retype(edit(w, "DogTar"), "0102199012345");
        QCOMPARE(edit(w, "DogTar")->text(), QString("01.02.1990"));
    }

    void enterMovesOnLikeTab()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        w.showPage(TForm2::EntryPage);
        DBMemo* work = memo(w, "IsAdresi");
        work->setFocus();
        type(work, "Sanayi");
        QTest::keyClick(work, Qt::Key_Return);
        QVERIFY(!work->hasFocus());
        QCOMPARE(work->toPlainText(), QString("Sanayi"));
        QCOMPARE(f.q()->displayText("IsAdresi"), QString("Sanayi")); // written on leaving

        // Through the identity boxes in their order.
        edit(w, "Adi")->setFocus();
        QTest::keyClick(edit(w, "Adi"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), combo(w, "Yakinlik"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), combo(w, "Medeni"));
    }
};

ZELVAR_TEST(RegisterEntryAidsTest)
#include "tst_register_entryaids.moc"
