// SPDX-License-Identifier: GPL-3.0-or-later
// Finding residents in the register window: the incremental search in both
// modes, the quick find, the surname and alphabet filters, the whole table,
// the navigators' repaint and move-out lookup, and the record count.
#include "TestRegistry.h"
#include "data/Database.h"
#include "tst_register_fixture.h"
#include "ui/bound/DBGrid.h"

#include <QLineEdit>
#include <QTabWidget>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

void addResidents(RegisterFixture& f)
{
    const QStringList names = {"Ali Kaya",      "Ayşe Demir", "ayhan Yıldız",     "Ahmet Demirci", "Ahmet Demir",
                               "Kayahan Demir", "Şule Acar",  "Selim Sarı",       "İsmail Işık",   "Irmak Uz",
                               "Cem Öz",        "Çağla Er",   "Ali \"Deli\" Kaya"};
    for (int i = 0; i < names.size(); ++i)
        f.data.addResident(names[i], i + 1);
}

QStringList namesIn(Dataset* q)
{
    QStringList names;
    const int field = q->fieldIndex("Adi");
    for (int row = 0; row < q->rowCount(); ++row)
        names << q->displayTextAt(row, field);
    return names;
}

} // namespace

class RegisterSearchTest : public QObject {
    Q_OBJECT
private slots:
    void incrementalSearchByName()
    {
        RegisterFixture f;
        addResidents(f);
        TForm2& w = f.open();
        QVERIFY(child<QLineEdit>(w, "searchBox")->hasFocus()); // first in tab order
        type(child<QLineEdit>(w, "searchBox"), "ay");
        QCOMPARE(f.name(), QString("Ayşe Demir"));
        type(child<QLineEdit>(w, "searchBox"), "x"); // no "ayx": the record stays
        QCOMPARE(f.name(), QString("Ayşe Demir"));
        retype(child<QLineEdit>(w, "searchBox"), "AYH");
        QCOMPARE(f.name(), QString("ayhan Yıldız"));
        retype(child<QLineEdit>(w, "searchBox"), "ı"); // Turkish case: dotless ı is I, not İ
        QCOMPARE(f.name(), QString("Irmak Uz"));
        type(child<QLineEdit>(w, "searchBox"), "ş"); // nobody begins with "ış"
        QCOMPARE(f.name(), QString("Irmak Uz"));
        retype(child<QLineEdit>(w, "searchBox"), "is");
        QCOMPARE(f.name(), QString("İsmail Işık"));
        // The search moves only: no repaint, no dialog.
        QCOMPARE(w.colorState(), ColorState::Normal);
        QVERIFY(f.fakes.prompter.shown.isEmpty());
    }

    void searchModes()
    {
        RegisterFixture f;
        addResidents(f);
        TForm2& w = f.open();
        type(child<QLineEdit>(w, "searchBox"), "Se");
        QCOMPARE(f.name(), QString("Selim Sarı"));
        child<QAbstractButton>(w, "numberMode")->click();
        QCOMPARE(w.searchMode(), TForm2::SearchMode::RecordNumber);
        QVERIFY(child<QLineEdit>(w, "searchBox")->text().isEmpty());
        QCOMPARE(f.number(), 1); // the first record again
        QVERIFY(child<QAbstractButton>(w, "numberMode")->isChecked());
        QVERIFY(!child<QAbstractButton>(w, "nameMode")->isChecked());

        type(child<QLineEdit>(w, "searchBox"), "12");
        QCOMPARE(f.number(), 12);
        type(child<QLineEdit>(w, "searchBox"), "a"); // letters are ignored without a word
        QCOMPARE(f.number(), 12);
        QTest::keyClick(child<QLineEdit>(w, "searchBox"), Qt::Key_Backspace);
        type(child<QLineEdit>(w, "searchBox"), "3"); // no record 123
        QCOMPARE(f.number(), 12);
        QVERIFY(f.fakes.prompter.shown.isEmpty());

        // Emptying the box drops a pending edit and goes to the first record.
        edit(w, "BabaAdi")->setFocus();
        type(edit(w, "BabaAdi"), "Hasan");
        QVERIFY(f.q()->isEditing());
        child<QAbstractButton>(w, "nameMode")->click();
        QVERIFY(child<QLineEdit>(w, "searchBox")->text().isEmpty());
        QCOMPARE(f.number(), 1);
        QVERIFY(f.stored("select BabaAdi from zelvarx where KayitNo = 12").isEmpty());
    }

    void quickFindMatchesTheWholeName()
    {
        RegisterFixture f;
        addResidents(f);
        TForm2& w = f.open();
        f.fakes.prompter.input(QString("ahmet demir"));
        child<QAbstractButton>(w, "quickFind")->click();
        QCOMPARE(f.name(), QString("Ahmet Demir"));
        const ShownDialog box = f.fakes.prompter.shown.first();
        QCOMPARE(box.title, QString("Aradığınız Ad ve Soyadı Giriniz :"));
        QCOMPARE(box.text, QString("Hızlı Bul !"));

        // Not found: the sound, the warning, back to the first record.
        f.fakes.prompter.clear();
        f.fakes.prompter.input(QString("ahmet"));
        child<QAbstractButton>(w, "quickFindEntry")->click();
        QCOMPARE(f.fakes.sound.events, QStringList{"exclamation"});
        QCOMPARE(f.fakes.prompter.lastText(), QString("Aradığınız Kişi Bulunamadı"));
        QCOMPARE(f.fakes.prompter.shown.last().kind, MessageKind::Warning);
        QCOMPARE(f.number(), 1);

        // Cancelling looks for the empty name: nobody has one here.
        f.fakes.prompter.clear();
        f.fakes.prompter.input(std::nullopt);
        w.quickFind();
        QCOMPARE(f.fakes.prompter.lastText(), RegisterRecords::notFoundMessage());
        QVERIFY(f.fakes.prompter.unexpected.isEmpty());
    }

    void surnameFilter()
    {
        RegisterFixture f;
        addResidents(f);
        TForm2& w = f.open();
        // Without a text: a warning, the whole table stays.
        child<QAbstractButton>(w, "surnameFilter")->click();
        QCOMPARE(f.fakes.prompter.texts(), QStringList{RegisterRecords::typeSurnameMessage()});
        QVERIFY(child<QAbstractButton>(w, "wholeTable")->isChecked());
        QCOMPARE(f.q()->recordCount(), 13);

        f.fakes.prompter.clear();
        type(child<QLineEdit>(w, "searchBox"), "kaya");
        child<QAbstractButton>(w, "surnameFilter")->click();
        QCOMPARE(namesIn(f.q()), (QStringList{"Ali Kaya", "Kayahan Demir", "Ali \"Deli\" Kaya"}));
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
        QCOMPARE(edit(w, "Adi")->backgroundColor(), QColor(0, 255, 255));
        QVERIFY(f.fakes.prompter.shown.isEmpty());
        QCOMPARE(f.q()->params(), QVariantList{"%kaya%"}); // the text is bound, never spliced

        // A double quote is searched for as it stands.
        retype(child<QLineEdit>(w, "searchBox"), "\"Deli\"");
        w.surnameFilter();
        QCOMPARE(namesIn(f.q()), QStringList{"Ali \"Deli\" Kaya"});

        // "%", "_" and "\\" are searched for as they stand, not as wildcards.
        f.data.addResident("Yüzde %50 İndirim", 20);
        f.data.addResident("Alt_Çizgi Ters\\Bölü", 21);
        for (const auto& [typed, found] : {std::pair<QString, QStringList>{"%", {"Yüzde %50 İndirim"}},
                                           {"_", {"Alt_Çizgi Ters\\Bölü"}},
                                           {"\\", {"Alt_Çizgi Ters\\Bölü"}},
                                           {"%50 i", {"Yüzde %50 İndirim"}},
                                           {"t_ç", {"Alt_Çizgi Ters\\Bölü"}},
                                           {"a_i", {}}}) {
            f.fakes.prompter.clear();
            retype(child<QLineEdit>(w, "searchBox"), typed);
            w.surnameFilter();
            QCOMPARE(namesIn(f.q()), found);
            QCOMPARE(f.fakes.prompter.shown.size(), found.isEmpty() ? 1 : 0);
        }
        f.data.dm().database().exec("delete from zelvarx where KayitNo >= 20");
        f.fakes.prompter.clear();

        // Nobody: the warning, an empty but working window.
        retype(child<QLineEdit>(w, "searchBox"), "Zzz");
        w.surnameFilter();
        QCOMPARE(f.fakes.prompter.texts(), QStringList{RegisterRecords::surnameNotFoundMessage()});
        QVERIFY(child<QAbstractButton>(w, "surnameFilter")->isChecked());
        QVERIFY(f.q()->isActive());
        QCOMPARE(child<DBGrid>(w, "residentGrid")->model()->rowCount(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(child<QLineEdit>(w, "recordCount")->text(), QString("0"), 2500);
        w.newRecord();
        QVERIFY(f.q()->isInserting());
        QCOMPARE(f.number(), 14);

        // The whole table comes back white.
        child<QAbstractButton>(w, "wholeTable")->click();
        QCOMPARE(f.q()->recordCount(), 13);
        QCOMPARE(w.colorState(), ColorState::Normal);
        QCOMPARE(f.q()->sql(), QString("select * from zelvarx"));
        w.updateRecordCount();
        QCOMPARE(child<QLineEdit>(w, "recordCount")->text(), QString("13"));
    }

    void alphabetFilter()
    {
        RegisterFixture f;
        addResidents(f);
        TForm2& w = f.open();
        letter(w, "Ş")->click();
        QCOMPARE(namesIn(f.q()), QStringList{"Şule Acar"});
        QCOMPARE(f.memory.currentLetter, QString("Ş"));
        QVERIFY(letter(w, "Ş")->isChecked());
        letter(w, "S")->click();
        QCOMPARE(namesIn(f.q()), QStringList{"Selim Sarı"});
        letter(w, "I")->click();
        QCOMPARE(namesIn(f.q()), QStringList{"Irmak Uz"});
        letter(w, "İ")->click();
        QCOMPARE(namesIn(f.q()), QStringList{"İsmail Işık"});
        letter(w, "C")->click();
        QCOMPARE(namesIn(f.q()), QStringList{"Cem Öz"});
        QCOMPARE(f.q()->params(), QVariantList{"C%"});
        // The filters do not touch the toggles, nor the colours.
        QVERIFY(child<QAbstractButton>(w, "wholeTable")->isChecked());
        QCOMPARE(w.colorState(), ColorState::Normal);

        // "Q" and "W" do not stay down; the others are one group.
        letter(w, "Q")->click();
        QCOMPARE(f.q()->recordCount(), 0);
        QVERIFY(!letter(w, "Q")->isChecked());
        QVERIFY(!letter(w, "W")->isCheckable());
        QVERIFY(letter(w, "C")->isChecked()); // still the last one that stays down

        // "Vazgeç !": the whole register, the photographs following it.
        child<QAbstractButton>(w, "endAlphabet")->click();
        QCOMPARE(f.q()->recordCount(), 13);
        QVERIFY(child<QAbstractButton>(w, "endAlphabet")->isChecked());
        QVERIFY(!letter(w, "C")->isChecked());
        QVERIFY(f.data.dm().tbfoto->isActive());
        QVERIFY(f.data.dm().Table2->isActive());
        QVERIFY(f.fakes.prompter.shown.isEmpty());
    }

    void aquaStaysUntilTheWholeTable()
    {
        RegisterFixture f;
        addResidents(f);
        f.data.addResident("Ayla Kaya", 20, {{"Nakil", "1"}});
        TForm2& w = f.open();
        type(child<QLineEdit>(w, "searchBox"), "Kaya");
        w.surnameFilter();
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
        letter(w, "A")->click(); // replaces the result, keeps the colours
        QCOMPARE(namesIn(f.q()).size(), 7);
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
        // Navigators paint aqua while "Soyadı Seç" is down, moved out or not.
        QVERIFY(f.q()->locate("Adi", "Ayla Kaya"));
        navigator(w, TForm2::RecordCheckPage)->click(DBNavigator::Next);
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
        navigator(w, TForm2::EntryPage)->click(DBNavigator::First);
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
        w.wholeTable();
        QCOMPARE(w.colorState(), ColorState::Normal);
        QVERIFY(child<QAbstractButton>(w, "wholeTable")->isChecked());
    }

    void navigatorsPaintByTheFlagAndFollowTheMoveOutFile()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        f.data.addResident("Veli Gider", 2, {{"Nakil", "1"}});
        f.data.addResident("Can Kalır", 3, {{"Nakil", "0"}});
        f.data.dm().database().exec("insert into Nakil (Tarih, ADI_SOYADI) values ('2020-01-02', 'VELİ GİDER')");
        f.data.dm().tbnakil->refresh();
        TForm2& w = f.open();
        QVERIFY(w.isCoverVisible());
        DBNavigator* nav = navigator(w, TForm2::DetailedViewPage);
        nav->click(DBNavigator::Next);
        QCOMPARE(f.number(), 2);
        QCOMPARE(w.colorState(), ColorState::MovedOut);
        QCOMPARE(edit(w, "Adi")->backgroundColor(), colorOf(ColorState::MovedOut));
        QVERIFY(!w.isCoverVisible()); // his move-out row, found ignoring case
        QCOMPARE(f.data.dm().tbnakil->displayText("ADI_SOYADI"), QString("VELİ GİDER"));
        nav->click(DBNavigator::Next);
        QCOMPARE(w.colorState(), ColorState::Normal);
        QVERIFY(w.isCoverVisible());

        // Page 3's post button paints white first, then by the flag.
        nav->click(DBNavigator::Prior);
        DBNavigator* civil = navigator(w, TForm2::CivilRegistryPage);
        w.showPage(TForm2::CivilRegistryPage);
        retype(edit(w, "Kazasi"), "Bornova");
        civil->click(DBNavigator::Post);
        QCOMPARE(f.stored("select Kazasi from zelvarx where KayitNo = 2"), QString("Bornova"));
        QCOMPARE(w.colorState(), ColorState::MovedOut);
        QVERIFY(!w.isCoverVisible());

        // Selecting a row in a grid moves the record only.
        child<DBGrid>(w, "residentGrid")->setCurrentIndex(child<DBGrid>(w, "residentGrid")->model()->index(2, 1));
        QCOMPARE(f.number(), 3);
        QCOMPARE(w.colorState(), ColorState::MovedOut);
        QVERIFY(!w.isCoverVisible());
    }
};

ZELVAR_TEST(RegisterSearchTest)
#include "tst_register_search.moc"
