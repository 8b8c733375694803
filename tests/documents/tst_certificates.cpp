// SPDX-License-Identifier: GPL-3.0-or-later
// The three printed certificates: every item of each page against its layout
// table, the photo rule, the work-address lines, the reason box, the office
// row saved first, and the issued-documents log through the fake printing.
#include "CertificateFixture.h"
#include "PageCheck.h"
#include "TestRegistry.h"

#include <QApplication>
#include <QClipboard>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

const QPointF kBand(12.7, 12.7);         // A5 margins: the band's corner on the page
constexpr double kBlank = 6 * 25.4 / 72; // a blank of 10 pt Courier: 6 points, in mm

QList<Expected> residenceLabels()
{
    return {{0.8, 31.8, "İKAMETGAH BELGESİ", 16, true},
            {12.7, 6.3, "İl.............:", 10},
            {12.7, 44.5, "İzmir", 10},
            {17.7, 6.3, "İlçe...........:", 10},
            {17.7, 44.5, "Bornova", 10},
            {23.0, 6.3, "Mahalle........:", 10},
            {23.0, 44.5, "Kazımdirik", 10},
            {28.0, 6.3, "Sayı...........:", 10},
            {36.5, 6.3, "Adı Soyadı.....:", 10},
            {42.6, 6.3, "Babasının Adı..:", 10},
            {48.7, 6.3, "Anasının Adı...:", 10},
            {54.8, 6.3, "Doğum Yeri.....:", 10},
            {60.9, 6.3, "Doğum Tarihi...:", 10},
            {66.9, 6.3, "Medeni Hali....:", 10},
            {73.0, 6.3, "Tabiyeti.......:", 10},
            {79.1, 6.3, "Niçin Verildiği:", 10},
            {85.2, 6.3, "İşi............:", 10},
            {91.3, 6.3, "Nüfus Kaydı....:", 10},
            {97.4, 6.3, "İkametgahı......", 10},
            {108.0, 72.0, "Bornova", 10, true},
            {114.3, 6.3, "Hüviyetim ve ikametgahım hakkında düzenlenen bu", 10},
            {119.9, 6.3, "belgedeki soruların cevaplarının doğru olduğunu", 10},
            {125.4, 6.3, "ve tarafıma yapılacak herhangi bir yasal tebliği", 10},
            {131.0, 6.3, "kabul edeceğimi  bildiren ikametgah ilmühaberidir.", 10},
            {135.2, 82.5, "İMZA", 10},
            {147.9, 6.3, "Hüviyeti yukarıda yazılı ", 10},
            {147.9, 97.4, "kızı/oğlu", 10},
            {153.7, 57.1, "nın ikametgahı tasdik olunur.", 10},
            {159.8, 6.3, "09.12.2026", 12, true},
            {160.6, 86.4, "Hasan Demir", 12, true, true},
            {167.0, 66.8, "Kazımdirik", 10, false, true},
            {167.0, 86.8, "Zelvarı", 10},
            {172.0, 93.1, "Bornova", 12, true}};
}

QList<Expected> residenceValues()
{
    return {{28.0, 44.5, "2026/15", 10},
            {36.5, 44.5, "Ayşe Yılmaz", 10},
            {42.6, 44.5, "Mehmet", 10},
            {48.7, 44.5, "Fatma", 10},
            {54.8, 44.5, "Ödemiş", 10},
            {60.9, 44.5, "01.08.1964", 10},
            {66.9, 44.5, "Evli", 10},
            {73.0, 44.5, "T.C.", 10},
            {79.1, 44.5, "Banka", 10},
            {85.2, 44.5, "Öğretmen", 10},
            {91.3, 44.5, "Manisa", 10},
            {91.3, 67.7, "Salihli", 10},
            {97.4, 44.5, "Erzene", 10},
            {102.7, 44.5, "Gül Sokak", 10},
            {102.7, 72.0, "12/3", 10},
            {108.0, 44.5, "Çınar Apt.", 10},
            {147.9, 77.8, "Mehmet", 11, true, true},
            {153.7, 6.3, "Ayşe Yılmaz", 11, true}};
}

QList<Expected> idChangeLabels()
{
    return {{5.0, 6.3, "NÜFUS CÜZDANI DEĞİŞTİRME BELGESİ", 16, true},
            {16.9, 6.3, "Adı Soyadı.....:", 10},
            {22.5, 6.3, "Baba Adı.......:", 10},
            {28.0, 6.3, "Ana Adı........:", 10},
            {33.3, 6.3, "Doğum Yeri.....:", 10},
            {38.9, 6.3, "Doğum Tarihi...:", 10},
            {44.5, 6.3, "Nüfus Cüzdanı..:", 10},
            {44.5, 42.3, "Kayıp veya Değişme", 10},
            {51.9, 6.3, "NÜFUS KAYDI", 10, true},
            {57.1, 6.3, "İl................:", 10},
            {62.7, 6.3, "İlçe..............:", 10},
            {68.3, 6.3, "Mahalle/Köy.......:", 10},
            {73.8, 6.3, "Cilt No...........:", 10},
            {79.4, 6.3, "Aile.Sır.No(Kütük):", 10},
            {84.9, 6.3, "Sıra No(Sahife)...:", 10},
            {90.5, 6.3, "Nüf.Cüz.Kay.Nedeni:", 10},
            {96.0, 6.3, "Es.Nüf.Cüz.Tarihi.:", 10},
            {101.6, 6.3, "Eski Nüf.Cüzdan No:", 10},
            {108.0, 6.3, "AÇIK EV ADRESİ....:", 10, true},
            {119.6, 65.6, "Bornova", 10, true},
            {123.3, 6.3, "AÇIK İŞ ADRESİ....:", 10, true},
            {143.4, 80.3, "İMZASI", 10, false, true},
            {150.0, 6.3, "Yukarıdaki bilgilerin doğruluğu ve fotoğrafın kimliği", 10},
            {154.3, 6.3, "yazılı kişiye ait olduğu tasdik olunur.", 10},
            {158.5, 6.3, "09.12.2026", 12, true},
            {160.6, 84.3, "Hasan Demir", 12, true, true},
            {167.0, 64.7, "Kazımdirik", 10, false, true},
            {167.0, 76.2 + 7 * kBlank, "Zelvarı", 10}, // seven blanks before it
            {171.2, 88.9, "Bornova", 12, true}};
}

QList<Expected> idChangeValues()
{
    return {{16.9, 42.3, "Ayşe Yılmaz", 10}, {22.5, 42.3, "Mehmet", 10},     {28.0, 42.3, "Fatma", 10},
            {33.3, 42.3, "Ödemiş", 10},      {38.9, 42.3, "01.08.1964", 10}, {57.1, 48.7, "Manisa", 10},
            {63.0, 48.7, "Salihli", 10},     {68.5, 48.7, "Birgi", 10},      {74.3, 48.7, "12", 10},
            {79.9, 48.7, "345", 10},         {85.7, 48.7, "67", 10},         {97.1, 48.7, "15.05.1990", 10},
            {101.6, 69.8, "A123", 10},       {102.9, 48.7, "B456789", 10},   {108.5, 48.7, "Gül Sokak", 10},
            {114.3, 48.7, "12/3", 10},       {114.3, 65.6, "Çınar Apt.", 10}};
}

QList<Expected> idCopyLabels()
{
    return {{0.8, 27.5, "NÜFUS CÜZDAN SURETİ", 16, true},
            {12.7, 6.3, "Kayıt No.......:", 10},
            {18.3, 6.3, "Cüzdan Seri No.:", 10},
            {24.1, 6.3, "Adı Soyadı ....:", 10},
            {29.6, 6.3, "Babasının Adı..:", 10},
            {35.2, 6.3, "Anasının Adı...:", 10},
            {41.0, 6.3, "Doğum Yeri.....:", 10},
            {46.6, 6.3, "Doğum Tarihi...:", 10},
            {52.1, 6.3, "Medeni Hali....:", 10},
            {57.9, 6.3, "Dini...........:", 10},
            {63.5, 6.3, "Cinsiyeti......:", 10},
            {69.6, 16.9, "NÜFUS KÜTÜĞÜNDE YAZILI OLDUĞU YER", 12, true},
            {75.9, 6.3, "İli............:", 10},
            {81.5, 6.3, "İlçesi.........:", 10},
            {87.0, 6.3, "Mahalle/Köyü...:", 10},
            {92.6, 6.3, "Cilt No........:", 10},
            {98.2, 6.3, "Aile Sıra No...:", 10},
            {103.7, 6.3, "Sıra No........:", 10},
            {109.3, 6.3, "Veril.Nüf.Daire:", 10},
            {114.8, 6.3, "Verildiği Tarih:", 10},
            {120.4, 6.3, "Veriliş Nedeni.:", 10},
            {126.7, 19.1, "Bu nüfus cüzdanında adı ve hüviyeti yazılı ", 10},
            {132.6, 55.0, "Türkiye Cumhuriyeti Vatandaşı ", 10},
            {138.4, 4.2, "olarak nüfus kütüğüne kayıtlıdır.", 10},
            {144.2, 4.2, "Bu cüzdan ", 10},
            {144.2, 59.3, "nüfus idaresinden", 10},
            {144.2, 96.6, "verilmiştir.", 10},
            {149.5, 4.2, "09.12.2026", 12, true},
            {152.1, 88.5, "Hasan Demir", 12, true, true},
            {158.5, 68.9, "Kazımdirik", 10, false, true},
            {158.5, 80.4 + 5 * kBlank, "Zelvarı", 10}, // five blanks before it
            {162.7, 99.6, "Bornova", 12, true, true}};
}

QList<Expected> idCopyValues()
{
    return {{12.7, 42.3, "7", 10},
            {18.3, 42.3, "B456789", 10},
            {24.1, 42.3, "Ayşe Yılmaz", 10},
            {29.6, 42.3, "Mehmet", 10},
            {35.2, 42.3, "Fatma", 10},
            {41.0, 42.3, "Ödemiş", 10},
            {46.6, 42.3, "01.08.1964", 10},
            {52.1, 42.3, "Evli", 10},
            {57.9, 42.3, "İslam", 10},
            {63.5, 42.3, "Kadın", 10},
            {75.9, 42.3, "Manisa", 10},
            {81.5, 42.3, "Salihli", 10},
            {87.0, 42.3, "Birgi", 10},
            {92.6, 42.3, "12", 10},
            {98.2, 42.3, "345", 10},
            {103.7, 42.3, "67", 10},
            {109.3, 42.3, "Salihli", 10},
            {114.8, 42.3, "15.05.1990", 10},
            {120.4, 42.3, "Yenileme", 10},
            {132.6, 4.2, "Ayşe Yılmaz", 10, true},
            {144.2, 25.4, "Salihli", 10, true}};
}

void expectPage(const report::Page& page, const QList<Expected>& expected)
{
    const QStringList failures = checkTexts(page, kBand, expected, QStringLiteral("Courier New"));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

// The picture items of a page.
QList<const report::PlacedItem*> pictures(const report::Page& page)
{
    QList<const report::PlacedItem*> out;
    for (const report::PlacedItem& p : page.items)
        if (p.kind == report::ItemKind::Picture)
            out << &p;
    return out;
}

} // namespace

class TstCertificates : public QObject {
    Q_OBJECT
private slots:
    void residencePageHoldsEveryItemAtItsPlace()
    {
        CertificateFixture f;
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7, CertificateFixture::fullResident());
        f.data.addResident(QStringLiteral("Boş Kişi"), 8);
        f.standOn(7);
        QVERIFY(f.command().residence(f.forms.residence));
        QCOMPARE(f.fakes.printing.titles(), QStringList{"Zelvar 2001 [İkametgah Belgesi]"});
        QCOMPARE(f.fakes.printing.lastReport()->pageCount(), 1);
        QCOMPARE(f.fakes.printing.lastReport()->definition().pageSizeMm(), QSizeF(148, 210));
        expectPage(f.lastPage(), residenceLabels() + residenceValues());

        // A resident with nothing but a name: the labels stay, the values are empty.
        f.standOn(8);
        QVERIFY(f.command(QString(), QString()).residence(f.forms.residence));
        expectPage(f.lastPage(), residenceLabels() +
                                     QList<Expected>{{36.5, 44.5, "Boş Kişi", 10}, {153.7, 6.3, "Boş Kişi", 11, true}});
    }

    void idCardChangePageWithReasonAndWorkAddress()
    {
        CertificateFixture f;
        f.setOffice();
        QVariantMap six = CertificateFixture::fullResident();
        six[QStringLiteral("IsAdresi")] = QStringLiteral("Bir\nİki\nÜç\nDört\nBeş\nAltı");
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7, CertificateFixture::fullResident());
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 9, six);
        f.data.addResident(QStringLiteral("Boş Kişi"), 8);

        f.standOn(7);
        f.fakes.prompter.input(QStringLiteral("Kayboldu"));
        QVERIFY(f.command().idCardChange(f.forms.idCardChange));
        QCOMPARE(f.fakes.prompter.shown.last().title, QStringLiteral("Ek Bilgi"));
        QCOMPARE(f.fakes.prompter.shown.last().text, QStringLiteral("Cüzdan Kayıp Nedeni ?"));
        QCOMPARE(f.fakes.printing.titles(), QStringList{"Zelvar 2001 [Nüfus Cüzdanı Değiştirme Belgesi]"});
        // Two address lines print two lines; the other two stay empty.
        expectPage(f.lastPage(), idChangeLabels() + idChangeValues() +
                                     QList<Expected>{{90.5, 48.7, "Kayboldu", 10},
                                                     {124.9, 48.7, "Ege Üniversitesi", 10},
                                                     {129.9, 48.7, "Fen Fakültesi", 10}});

        // Six lines print the first four; a cancelled reason prints empty.
        f.standOn(9);
        f.fakes.prompter.input(std::nullopt);
        QVERIFY(f.command().idCardChange(f.forms.idCardChange));
        expectPage(f.lastPage(), idChangeLabels() + idChangeValues() +
                                     QList<Expected>{{124.9, 48.7, "Bir", 10},
                                                     {129.9, 48.7, "İki", 10},
                                                     {135.2, 48.7, "Üç", 10},
                                                     {140.2, 48.7, "Dört", 10}});
        QCOMPARE(f.forms.idCardChange.reason, QString());

        f.standOn(8);
        f.fakes.prompter.input(QString());
        QVERIFY(f.command().idCardChange(f.forms.idCardChange));
        expectPage(f.lastPage(), idChangeLabels() + QList<Expected>{{16.9, 42.3, "Boş Kişi", 10}});
        QVERIFY(f.fakes.prompter.unexpected.isEmpty());
    }

    void idCardCopyPage()
    {
        CertificateFixture f;
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7, CertificateFixture::fullResident());
        f.data.addResident(QStringLiteral("Boş Kişi"), 8);
        f.standOn(7);
        QVERIFY(f.command().idCardCopy(f.forms.idCardCopy));
        QCOMPARE(f.fakes.printing.titles(), QStringList{"Zelvar 2001 [Nüfus Cüzdan Sureti]"});
        expectPage(f.lastPage(), idCopyLabels() + idCopyValues());
        f.standOn(8);
        QVERIFY(f.command().idCardCopy(f.forms.idCardCopy));
        expectPage(f.lastPage(), idCopyLabels() + QList<Expected>{{12.7, 42.3, "8", 10},
                                                                  {24.1, 42.3, "Boş Kişi", 10},
                                                                  {132.6, 4.2, "Boş Kişi", 10, true}});
    }

    void photoOnlyWhenTheOfficePrintsPhotosAndTheRowIsTheResidents()
    {
        CertificateFixture f;
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7, CertificateFixture::fullResident());
        f.data.addResident(QStringLiteral("Ali Kaya"), 8);
        f.addPhoto(7, Qt::red);
        f.addPhoto(8, Qt::blue);
        QGuiApplication::clipboard()->clear();

        const auto runAll = [&f] {
            QList<int> counts;
            f.command().residence(f.forms.residence);
            counts << int(pictures(f.lastPage()).size());
            f.fakes.prompter.input(QString());
            f.command().idCardChange(f.forms.idCardChange);
            counts << int(pictures(f.lastPage()).size());
            f.command().idCardCopy(f.forms.idCardCopy);
            counts << int(pictures(f.lastPage()).size());
            return counts;
        };

        f.setOffice(QStringLiteral("1"));
        f.standOn(7);
        QCOMPARE(runAll(), QList<int>({1, 1, 1}));
        // The photo frame, 30.4 x 36.2 mm at its place on each page.
        const report::PlacedItem* photo = pictures(f.lastPage()).first();
        QCOMPARE(photo->rect.topLeft(), kBand + QPointF(90.5, 12.7));
        QCOMPARE(photo->rect.size(), QSizeF(30.4, 36.2));
        QCOMPARE(photo->picture.pixelColor(5, 5), QColor(Qt::red));
        // The clipboard keeps the resident's photo.
        QCOMPARE(QGuiApplication::clipboard()->image().pixelColor(5, 5), QColor(Qt::red));

        f.setOffice(QStringLiteral("0"));
        f.standOn(7);
        QCOMPARE(runAll(), QList<int>({0, 0, 0}));
        f.setOffice(QString());
        f.standOn(7);
        QCOMPARE(runAll(), QList<int>({0, 0, 0}));

        // The photo row shown belongs to another resident: no photo.
        f.setOffice(QStringLiteral("1"));
        f.standOn(7);
        f.dm().tbfoto->clearMasterLink();
        f.dm().tbfoto->close();
        f.dm().tbfoto->open();
        QVERIFY(f.dm().tbfoto->locate(QStringLiteral("Kayitno"), 8));
        QCOMPARE(runAll(), QList<int>({0, 0, 0}));
    }

    void logLineAfterEveryCompletedPrint()
    {
        CertificateFixture f;
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7, CertificateFixture::fullResident());
        f.data.addResident(QStringLiteral("Ali Kaya"), 8);
        f.standOn(7);

        f.fakes.printing.answerNotPrinted();
        f.command().residence(f.forms.residence);
        QCOMPARE(f.log(7), QString());

        f.fakes.printing.answerPrinted(2);
        f.command().residence(f.forms.residence);
        QCOMPARE(f.log(7), QStringLiteral("İkametgah Belgesi 09.12.2026\nİkametgah Belgesi 09.12.2026"));

        f.fakes.printing.answerPrinted(1);
        f.command().idCardCopy(f.forms.idCardCopy);
        f.fakes.printing.answerPrinted(1);
        f.fakes.prompter.input(QString());
        f.command().idCardChange(f.forms.idCardChange);
        QVERIFY(f.log(7).endsWith(
            QStringLiteral("\nNüfus Cüzdan Sureti 09.12.2026\nNüfus Cüzdanı Değiştirme Belgesi 09.12.2026")));
        QCOMPARE(f.log(8), QString());
        // The register shows the new lines.
        QVERIFY(f.dm().Query2->displayText(QStringLiteral("Belgeler")).endsWith(QStringLiteral("Belgesi 09.12.2026")));
    }

    void logGoesToThePrintedResidentOrNowhere()
    {
        // A printing service that changes the register while the preview is open.
        struct MeddlingPrinting : FakePrinting {
            std::function<void()> meanwhile;
            bool preview(std::shared_ptr<report::PagedReport>, const AfterPrint& afterPrint) override
            {
                meanwhile();
                afterPrint();
                return true;
            }
        };
        CertificateFixture f;
        MeddlingPrinting printing;
        Services services = f.fakes.services;
        Services withMeddling{services.prompter, services.sound, services.launcher, services.help,
                              services.clock,    printing,       services.errors};
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7);
        f.data.addResident(QStringLiteral("Ali Kaya"), 8);
        f.standOn(7);

        // The register moves on to another resident: the line still goes to 7.
        printing.meanwhile = [&f] { f.dm().Query2->locate(QStringLiteral("KayitNo"), 8); };
        CertificateCommand(f.dm(), withMeddling).idCardCopy(f.forms.idCardCopy);
        QCOMPARE(f.log(7), QStringLiteral("Nüfus Cüzdan Sureti 09.12.2026"));
        QCOMPARE(f.log(8), QString());

        // The resident is deleted meanwhile: nothing is written, nothing fails.
        f.standOn(8);
        printing.meanwhile = [&f] { f.dm().database().exec(QStringLiteral("delete from zelvarx where KayitNo = 8")); };
        CertificateCommand(f.dm(), withMeddling).idCardCopy(f.forms.idCardCopy);
        QCOMPARE(
            f.dm().database().scalar(QStringLiteral("select count(*) from zelvarx where Belgeler is not null")).toInt(),
            1);
    }

    void officeRowSavedFirstAndEmptyRegisterStops()
    {
        CertificateFixture f;
        QCOMPARE(f.dm().database().scalar(QStringLiteral("select count(*) from Mahalle")).toInt(), 0);
        TDM2::reopen(f.dm().Query2, QStringLiteral("select * from zelvarx"));
        QVERIFY(!f.command().residence(f.forms.residence));
        QVERIFY(!f.command().idCardCopy(f.forms.idCardCopy));
        QVERIFY(f.fakes.printing.requests.isEmpty());
        QVERIFY(f.fakes.prompter.shown.isEmpty());
        // The office row was saved: on an empty table that makes its first row.
        QCOMPARE(f.dm().database().scalar(QStringLiteral("select count(*) from Mahalle")).toInt(), 1);

        // The photo-print choice edited in the register is stored before it is read.
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7);
        f.addPhoto(7);
        f.standOn(7);
        f.dm().tbMah->edit();
        f.dm().tbMah->setValue(QStringLiteral("Fotobas"), QStringLiteral("1"));
        QVERIFY(f.command().idCardCopy(f.forms.idCardCopy));
        QCOMPARE(f.dm().database().scalar(QStringLiteral("select Fotobas from Mahalle")).toString(),
                 QStringLiteral("1"));
        QCOMPARE(pictures(f.lastPage()).size(), 1);
        // The print query holds the resident printed.
        QCOMPARE(f.dm().Query1->recordCount(), 1);
        QCOMPARE(f.dm().Query1->displayText(QStringLiteral("KayitNo")), QStringLiteral("7"));
    }

    void anErrorWhilePreparingEndsTheRunSilently()
    {
        CertificateFixture f;
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7);
        f.standOn(7);
        CertificateCommand failing(f.dm(), f.fakes.services);
        failing.setResidenceDialog([](TQrIkamet&) { throw std::runtime_error("dialog"); });
        QVERIFY(!failing.residence(f.forms.residence));
        QVERIFY(f.fakes.printing.requests.isEmpty());
        QVERIFY(f.fakes.prompter.shown.isEmpty());
        // The forms stay usable for the next run.
        QVERIFY(f.command().residence(f.forms.residence));
        QCOMPARE(f.fakes.printing.requests.size(), 1);
    }

    void logLineDateAlwaysWithDots()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString line = CertificateCommand::logLine(QStringLiteral("İkametgah Belgesi "), QDate(2002, 3, 5));
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        QCOMPARE(line, QStringLiteral("İkametgah Belgesi 05.03.2002"));
    }
};

ZELVAR_TEST(TstCertificates)
#include "tst_certificates.moc"
