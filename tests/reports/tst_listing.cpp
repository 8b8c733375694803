// SPDX-License-Identifier: GPL-3.0-or-later
// The search and column choice of the listing windows: the column rule, the
// field-length total, the search statements, and the general reports page's
// Find, All, grid click and list buttons.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"
#include "report/PagedReport.h"
#include "reports/GeneralReportsPage.h"
#include "reports/ListReports.h"
#include "reports/ListingControls.h"
#include "reports/NameListColumns.h"
#include "reports/ResidentSearch.h"
#include "reports/TAdres.h"
#include "ui/bound/DBGrid.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

ColumnChoice choose(std::initializer_list<int> columns)
{
    ColumnChoice chosen{};
    for (int c : columns)
        chosen[c] = true;
    return chosen;
}

enum { BabaAdi, AnaAdi, Isi, EvNo, DogYeri, DogTar, Medeni, Telefon };
enum { Soyadi, Apartman, Sokak, EvNoKind, DogYeriKind, DogTarKind };

void addRegister(DataFixture& f)
{
    f.addResident("Can Arslan", 1, {{"Sokak", "4001"}, {"DogTar", "1980-05-12"}, {"BabaAdi", "Ali"}});
    f.addResident("Ayşe Yılmaz", 2, {{"Sokak", "4001/2"}, {"DogTar", "1975-01-30"}});
    f.addResident("Veli Kaya", 3, {{"Sokak", "Gül"}, {"DogTar", "1980-05-12"}});
    f.addResident("Ali \"Deli\" Öz", 4, {{"Sokak", "100%"}, {"DogTar", "1990-02-02"}});
    f.addResident("Fatma Er", 5, {{"Sokak", "1000"}, {"DogTar", "1991-03-03"}});
    f.dm().Query2->refresh();
}

void setFotobas(DataFixture& f, const QVariant& fotobas)
{
    f.dm().database().exec("delete from Mahalle");
    f.dm().database().exec("insert into Mahalle (Il, Ilce, Mahalle, Zelvar, Fotobas) values (?, ?, ?, ?, ?)",
                           {"İzmir", "Bornova", "Kazımdirik", "Hasan Çelik", fotobas});
    f.dm().tbMah->close();
    f.dm().tbMah->open();
}

void addPhoto(DataFixture& f, int number)
{
    QImage image(8, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    f.dm().database().exec("insert into Foto (Kayitno, Foto) values (?, ?)", {number, bytes});
}

int pictures(const report::Page& page)
{
    int n = 0;
    for (const report::PlacedItem& item : page.items)
        n += item.kind == report::ItemKind::Picture;
    return n;
}

QStringList foundNames(TDM2& dm)
{
    QStringList names;
    for (int row = 0; row < dm.Query1->recordCount(); ++row)
        names << dm.Query1->displayTextAt(row, dm.Query1->fieldIndex("Adi"));
    return names;
}

} // namespace

class ListingTest : public QObject {
    Q_OBJECT
private slots:
    void columnPlacement()
    {
        // Telefon alone stands right after the name column.
        auto placed = placeListColumns(choose({Telefon}));
        QCOMPARE(placed[Telefon].left, 186);
        QCOMPARE(placed[Telefon].width, 75);
        QCOMPARE(placed[Telefon].heading, QString("Telefon"));
        QCOMPARE(placed[Telefon].field, QString("Telefon"));
        for (int c = 0; c < Telefon; ++c) {
            QCOMPARE(placed[c].width, 0);
            QVERIFY(placed[c].heading.isEmpty());
            QVERIFY(placed[c].field.isEmpty());
        }

        // The printed order is fixed, whatever the order of ticking.
        placed = placeListColumns(choose({Telefon, BabaAdi}));
        QCOMPARE(placed[BabaAdi].left, 186);
        QCOMPARE(placed[Telefon].left, 281);

        // Five columns end at 641, inside the 698-pixel band.
        placed = placeListColumns(choose({AnaAdi, EvNo, DogYeri, DogTar, Medeni}));
        const int lefts[] = {186, 281, 376, 471, 566};
        int i = 0;
        for (int c : {AnaAdi, EvNo, DogYeri, DogTar, Medeni})
            QCOMPARE(placed[c].left, lefts[i++]);
        QCOMPARE(placed[Medeni].left + placed[Medeni].width, 641);
        QCOMPARE(placed[DogYeri].heading, QString("Doğ.Yeri"));
        QCOMPARE(placed[DogTar].heading, QString("Doğ.Tar."));
        QCOMPARE(placed[Medeni].heading, QString("Med.Hali"));

        QCOMPARE(reportPixelsToMm(75), 19.84375);
        QVERIFY(qAbs(reportPixelsToMm(186) - 49.2) < 0.05);
        QVERIFY(qAbs(reportPixelsToMm(698) - 184.7) < 0.05);
    }

    void fieldLengthTotal()
    {
        FieldLengthTotal total;
        QCOMPARE(total.value(), 175);
        for (int i = 0; i < 5; ++i)
            total.boxToggled(true);
        QCOMPARE(total.value(), 550);
        QVERIFY(total.fitsPaper());
        QCOMPARE(total.label(), QString("Alan Uzunluğu = 550"));
        total.boxToggled(true);
        QCOMPARE(total.value(), 625);
        QVERIFY(!total.fitsPaper());
        total.boxToggled(false);
        QCOMPARE(total.value(), 550);
    }

    void searchStatementsBindTheWord()
    {
        SearchStatement st = searchStatement(Soyadi, "an");
        QCOMPARE(st.sql, QString("select * from zelvarx where \"Adi\" like ? escape '\\'"));
        QCOMPARE(st.params, QVariantList{"%an%"});
        st = searchStatement(Sokak, "x\" or \"1\"=\"1");
        QCOMPARE(st.sql, QString("select * from zelvarx where \"Sokak\" = ?"));
        QCOMPARE(st.params, QVariantList{"x\" or \"1\"=\"1"});
        // Birth dates are typed dd.mm.yyyy and stored as ISO dates.
        st = searchStatement(DogTarKind, "12.05.1980");
        QCOMPARE(st.params, QVariantList{"1980-05-12"});
        QVERIFY_THROWS_EXCEPTION(DateEntryError, searchStatement(DogTarKind, "1980"));
        QVERIFY_THROWS_EXCEPTION(DateEntryError, searchStatement(DogTarKind, "31.02.1980"));
        QCOMPARE(searchFields().size(), 12);
        QCOMPARE(searchFields().last().field, QString("NC_Daire"));
    }

    void findContainsAndEquals()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TAdres w(f.dm(), s.services);
        GeneralReportsPage* page = w.generalReportsPage();
        ListingControls* l = page->listing();
        QCOMPARE(l->totalLabel()->text(), QString("Toplam Alan uzunluğu ="));
        QVERIFY(!l->grid()->dataSource());

        // The surname search finds the word anywhere in the name.
        l->wordBox()->setText("an");
        page->findButton()->click();
        QCOMPARE(foundNames(f.dm()), (QStringList{"Can Arslan"}));
        QCOMPARE(l->grid()->dataSource(), f.dm().ds2);
        QCOMPARE(l->countLabel()->text(), QString("Kayıt Sayısı = 1"));
        QCOMPARE(l->grid()->palette().color(QPalette::Base), QColor(210, 210, 255));
        QVERIFY(page->nameListButton()->isEnabled());
        QVERIFY(page->labelsButton()->isEnabled());
        QVERIFY(page->detailedListButton()->isEnabled());
        QCOMPARE(f.dm().Query2->value("KayitNo").toInt(), 1);

        // Equals searches: 4001 is not 4001/2.
        l->setSearchKind(Sokak);
        l->wordBox()->setText("4001");
        QTest::keyClick(l->wordBox(), Qt::Key_Return);
        QCOMPARE(foundNames(f.dm()), (QStringList{"Can Arslan"}));

        // A valid birth date finds everyone born that day; the register
        // follows the first of them.
        l->setSearchKind(DogTarKind);
        l->wordBox()->setText("12.05.1980");
        page->find();
        QCOMPARE(foundNames(f.dm()), (QStringList{"Can Arslan", "Veli Kaya"}));
        QCOMPARE(l->countLabel()->text(), QString("Kayıt Sayısı = 2"));

        // The grid click moves the register to the clicked resident.
        f.dm().Query1->last();
        l->gridClick();
        QCOMPARE(f.dm().Query2->value("KayitNo").toInt(), 3);
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void typedQuotesAndPatternsAreSearchedFor()
    {
        DataFixture f;
        addRegister(f);
        f.addResident("Yüzde %100\\_ Kaya", 6);
        FakeServices s;
        TAdres w(f.dm(), s.services);
        ListingControls* l = w.generalReportsPage()->listing();

        l->wordBox()->setText("\"Deli\"");
        l->find();
        QCOMPARE(foundNames(f.dm()), (QStringList{"Ali \"Deli\" Öz"}));
        // So are they in the surname search, which finds the word anywhere.
        for (const QString& word : {QStringLiteral("%"), QStringLiteral("_"), QStringLiteral("%100\\_")}) {
            l->wordBox()->setText(word);
            l->find();
            QCOMPARE(foundNames(f.dm()), (QStringList{"Yüzde %100\\_ Kaya"}));
        }

        // In an equals search "%" and "_" are plain characters.
        l->setSearchKind(Sokak);
        l->wordBox()->setText("100%");
        l->find();
        QCOMPARE(foundNames(f.dm()), (QStringList{"Ali \"Deli\" Öz"}));
        l->wordBox()->setText("4001_2");
        l->find();
        QCOMPARE(foundNames(f.dm()), QStringList());
        // A word that would have ended the statement changes nothing.
        l->wordBox()->setText("x\"; delete from zelvarx; --");
        l->find();
        QCOMPARE(f.residentCount(), 6);
    }

    void failedFindAndAll()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TAdres w(f.dm(), s.services);
        GeneralReportsPage* page = w.generalReportsPage();
        ListingControls* l = page->listing();
        QVERIFY(!page->nameListButton()->isEnabled());
        // The exports are always there: with nothing found they only beep.
        QVERIFY(page->wordButton()->isEnabled());
        QVERIFY(page->excelButton()->isEnabled());

        // An empty word leaves Query1 alone.
        page->find();
        QCOMPARE(s.prompter.texts(), QStringList{"Sözcüğü Girmediniz!"});
        QCOMPARE(s.sound.events, QStringList{"beep"});
        QVERIFY(!f.dm().Query1->isActive());

        l->wordBox()->setText("Kaya");
        page->find();
        QVERIFY(page->nameListButton()->isEnabled());
        const QColor found = l->grid()->palette().color(QPalette::Base);

        // A Find without result disables the list buttons and keeps the
        // grid's colour and the count.
        s.prompter.clear();
        l->wordBox()->setText("Yok Böyle");
        page->find();
        QCOMPARE(s.prompter.texts(), QStringList{"Kayıt Bulunamadı !"});
        QVERIFY(!page->nameListButton()->isEnabled());
        QVERIFY(!page->labelsButton()->isEnabled());
        QVERIFY(!page->detailedListButton()->isEnabled());
        QCOMPARE(l->grid()->palette().color(QPalette::Base), found);
        QCOMPARE(l->countLabel()->text(), QString("Kayıt Sayısı = 1"));

        // All lists everyone in the window colour, and leaves the buttons.
        page->allButton()->click();
        QCOMPARE(f.dm().Query1->recordCount(), 5);
        QCOMPARE(l->countLabel()->text(), QString("Kayıt Sayısı = 5"));
        QCOMPARE(l->grid()->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
        QVERIFY(!page->nameListButton()->isEnabled());

        // A birth date that is not a date reaches the error handler; Query1
        // stays closed.
        l->setSearchKind(DogTarKind);
        l->wordBox()->setText("12.5.80");
        QVERIFY_THROWS_EXCEPTION(DateEntryError, page->find());
        QVERIFY(!f.dm().Query1->isActive());
    }

    void columnBoxesAndTheTotal()
    {
        DataFixture f;
        FakeServices s;
        {
            TAdres w(f.dm(), s.services);
            GeneralReportsPage* page = w.generalReportsPage();
            ListingControls* l = page->listing();
            l->columnBox(Telefon)->click();
            QCOMPARE(l->totalLabel()->text(), QString("Alan Uzunluğu = 250"));
            for (int c : {BabaAdi, AnaAdi, Isi, EvNo})
                l->columnBox(c)->click();
            QCOMPARE(l->totalLabel()->text(), QString("Alan Uzunluğu = 550"));
            QCOMPARE(l->totalLabel()->palette().color(QPalette::WindowText), QPalette().color(QPalette::WindowText));
            l->columnBox(Medeni)->click();
            QCOMPARE(l->totalLabel()->text(), QString("Alan Uzunluğu = 625"));
            QCOMPARE(l->totalLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
            l->columnBox(Medeni)->click();
            QCOMPARE(l->totalLabel()->text(), QString("Alan Uzunluğu = 550"));
            QCOMPARE(l->chosenColumns(), choose({BabaAdi, AnaAdi, Isi, EvNo, Telefon}));
        }
        // A new window starts afresh.
        TAdres w(f.dm(), s.services);
        ListingControls* l = w.generalReportsPage()->listing();
        QCOMPARE(l->total().value(), 175);
        QCOMPARE(l->chosenColumns(), ColumnChoice{});
        QCOMPARE(l->totalLabel()->text(), QString("Toplam Alan uzunluğu ="));
    }

    void listRefusals()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TAdres w(f.dm(), s.services);
        GeneralReportsPage* page = w.generalReportsPage();
        ListingControls* l = page->listing();

        // Nothing found: every list says so, whatever the total.
        for (int c = 0; c < 6; ++c)
            l->columnBox(c)->click();
        l->wordBox()->setText("Yok");
        page->find();
        s.prompter.clear();
        s.sound.events.clear();
        page->nameList();
        page->addressLabels();
        page->detailedList();
        QCOMPARE(s.prompter.texts(), QStringList(3, "Listelenecek Herhangi Bir Bilgi Yok !"));
        QCOMPARE(s.sound.events, QStringList(3, "beep"));

        // Rows but six columns: the name list does not fit the paper.
        s.prompter.clear();
        page->all();
        page->nameList();
        QCOMPARE(s.prompter.texts(), QStringList{"Seçtiğiniz Alanlar Kağıda Sığmaz. Lütfen Azaltınız!"});
    }

    void listsPreviewTheFoundAndThenListEveryone()
    {
        DataFixture f;
        addRegister(f);
        setFotobas(f, "1");
        FakeServices s;
        ListReports reports;
        TAdres w(f.dm(), s.services, reports);
        GeneralReportsPage* page = w.generalReportsPage();
        ListingControls* l = page->listing();
        l->columnBox(Telefon)->click();
        l->columnBox(BabaAdi)->click();
        l->wordBox()->setText("Kaya");
        page->find();

        page->nameListButton()->click();
        QCOMPARE(s.printing.titles(), QStringList{"Zelvar 2001 [Mahalle İsim Listesi]"});
        const report::Page& names = s.printing.lastReport()->page(0);
        QCOMPARE(names.rowCount, 1);
        QVERIFY(names.findText("Veli Kaya"));
        QVERIFY(qAbs(names.findText("Baba Adı")->rect.left() - (12.7 + reportPixelsToMm(186))) < 0.01);
        QVERIFY(qAbs(names.findText("Telefon")->rect.left() - (12.7 + reportPixelsToMm(281))) < 0.01);
        // The start-up instance keeps its column set-up.
        QCOMPARE(reports.list.columns()[BabaAdi].left, 186);
        QCOMPARE(reports.list.columns()[Telefon].left, 281);

        // Afterwards the grid lists everyone, in the window colour.
        QCOMPARE(f.dm().Query1->recordCount(), 5);
        QCOMPARE(l->countLabel()->text(), QString("Kayıt Sayısı = 5"));
        QCOMPARE(l->grid()->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
        QVERIFY(page->nameListButton()->isEnabled());

        // The lists now hold the whole register.
        page->labelsButton()->click();
        QCOMPARE(s.printing.lastReport()->page(0).rowCount, 5);
        page->detailedListButton()->click();
        QCOMPARE(s.printing.titles().last(), QString("Zelvar 2001 [Mahalle Ayrıntılı Bilgi Listesi]"));
        QCOMPARE(s.printing.lastReport()->pageCount(), 2);
        QCOMPARE(l->countLabel()->text(), QString("Kayıt Sayısı = 5"));
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void onlyFotobasZeroTurnsPhotographsOff()
    {
        DataFixture f;
        addRegister(f);
        addPhoto(f, 1);
        FakeServices s;
        ListReports reports;
        TAdres w(f.dm(), s.services, reports);
        GeneralReportsPage* page = w.generalReportsPage();
        page->all();
        for (const QVariant& fotobas : {QVariant("1"), QVariant(""), QVariant(), QVariant("0"), QVariant("E")}) {
            setFotobas(f, fotobas);
            page->detailedList();
            const bool printed = fotobas.toString() != "0";
            QCOMPARE(reports.listForm.photoPrinted(), printed);
            QCOMPARE(pictures(s.printing.lastReport()->page(0)), printed ? 1 : 0);
        }
        // Without any office row the photographs print.
        f.dm().database().exec("delete from Mahalle");
        f.dm().tbMah->close();
        f.dm().tbMah->open();
        page->detailedList();
        QCOMPARE(pictures(s.printing.lastReport()->page(0)), 1);
        QCOMPARE(s.printing.requests.size(), 6);
    }
};

ZELVAR_TEST(ListingTest)
#include "tst_listing.moc"
