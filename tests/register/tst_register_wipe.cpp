// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's wipe button: Cancel, No and Yes through the window,
// and what the grids, the record-number panel, the count, the colour state,
// the filter and the page show afterwards.
#include "TestRegistry.h"
#include "tst_register_fixture.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBText.h"

#include <QAction>
#include <QLineEdit>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

void addRegister(RegisterFixture& f, bool withNameless)
{
    f.data.addResident("Ali Kaya", 1);
    f.data.addResident("Veli Gider", 2, {{"Nakil", "1"}});
    f.data.addResident("Ayşe Kaya", 3);
    if (withNameless)
        f.data.addResident("", 4);
    Database& db = f.data.dm().database();
    db.exec("insert into Foto (Kayitno, Foto) values (1, x'89504e47')");
    db.exec("insert into Foto (Kayitno, Foto) values (2, x'89504e47')");
    db.exec("insert into Foto (Kayitno, Foto) values (99, x'89504e47')"); // nobody's
    db.exec("insert into Nakil (Tarih, ADI_SOYADI) values ('2020-01-02', 'Veli Gider')");
    f.data.dm().tbnakil->refresh();
}

void pressWipe(TForm2& w)
{
    child<QAction>(w, "wipe")->trigger();
}

} // namespace

class RegisterWipeTest : public QObject {
    Q_OBJECT
private slots:
    void cancelAndNoDeleteNothing()
    {
        RegisterFixture f;
        addRegister(f, false);
        TForm2& w = f.open();
        // A row stored behind the window's back shows whether it reloaded.
        f.data.addResident("Can Yeni", 5);

        f.fakes.prompter.answer(Answer::Cancel);
        pressWipe(w);
        QCOMPARE(f.fakes.sound.events, QStringList{"exclamation"});
        QCOMPARE(f.fakes.prompter.shown.size(), 2);
        QCOMPARE(f.fakes.prompter.shown[1].title, QString("Dikkat !"));
        QCOMPARE(f.q()->recordCount(), 3); // not reloaded
        QCOMPARE(f.count("select count(*) from zelvarx"), 4);
        QCOMPARE(f.count("select count(*) from Foto"), 3);

        f.fakes.prompter.answer(Answer::No);
        pressWipe(w);
        QCOMPARE(f.q()->recordCount(), 4); // reloaded
        QCOMPARE(child<QLineEdit>(w, "recordCount")->text(), QString("4"));
        QCOMPARE(child<DBGrid>(w, "residentGrid")->model()->rowCount(), 4);
        QCOMPARE(f.count("select count(*) from zelvarx"), 4);
        QCOMPARE(f.count("select count(*) from Foto"), 3);
        QVERIFY(f.fakes.prompter.unexpected.isEmpty());
    }

    void yesLeavesTheNamelessRowsAndTheMoveOutFile()
    {
        RegisterFixture f;
        addRegister(f, true);
        TForm2& w = f.open();
        navigator(w, TForm2::RecordCheckPage)->click(DBNavigator::Next);
        QCOMPARE(w.colorState(), ColorState::MovedOut);
        w.showPage(TForm2::DetailedViewPage);

        f.fakes.prompter.answer(Answer::Yes);
        pressWipe(w);
        QCOMPARE(f.count("select count(*) from zelvarx"), 1);
        QCOMPARE(f.count("select count(*) from Foto"), 0);
        QCOMPARE(f.count("select count(*) from Nakil"), 1);
        QCOMPARE(child<DBGrid>(w, "moveOutGrid")->model()->rowCount(), 1);
        // The window shows what is left: the nameless row.
        QCOMPARE(child<QLineEdit>(w, "recordCount")->text(), QString("1"));
        QCOMPARE(child<DBGrid>(w, "residentGrid")->model()->rowCount(), 1);
        QCOMPARE(child<DBGrid>(w, "detailGrid")->model()->rowCount(), 1);
        QCOMPARE(child<DBText>(w, "recordNumber")->text(), QString("4"));
        // Page and colour state stay as they were.
        QCOMPARE(w.currentPage(), TForm2::DetailedViewPage);
        QCOMPARE(w.colorState(), ColorState::MovedOut);
    }

    void yesEmptiesTheRegisterAndNewStartsAtOne()
    {
        RegisterFixture f;
        addRegister(f, false);
        TForm2& w = f.open();
        // A surname filter in force stays in force over the emptied table.
        type(child<QLineEdit>(w, "searchBox"), "Kaya");
        child<QAbstractButton>(w, "surnameFilter")->click();
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
        QCOMPARE(f.q()->recordCount(), 2);

        f.fakes.prompter.answer(Answer::Yes);
        pressWipe(w);
        QCOMPARE(f.count("select count(*) from zelvarx"), 0);
        QCOMPARE(f.q()->recordCount(), 0);
        QCOMPARE(child<QLineEdit>(w, "recordCount")->text(), QString("0"));
        QCOMPARE(child<DBGrid>(w, "residentGrid")->model()->rowCount(), 0);
        QCOMPARE(child<DBGrid>(w, "nameList")->model()->rowCount(), 0);
        QVERIFY(child<DBText>(w, "recordNumber")->text().isEmpty());
        QVERIFY(child<QAbstractButton>(w, "surnameFilter")->isChecked());
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
        QCOMPARE(w.currentPage(), TForm2::RecordCheckPage);
        QVERIFY(f.q()->sql().contains("like"));

        child<QAbstractButton>(w, "wholeTable")->click();
        w.newRecord();
        QCOMPARE(f.number(), 1);
        QCOMPARE(child<DBText>(w, "recordNumber")->text(), QString("1"));
    }
};

ZELVAR_TEST(RegisterWipeTest)
#include "tst_register_wipe.moc"
