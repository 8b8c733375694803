// SPDX-License-Identifier: GPL-3.0-or-later
// The dwelling residents declaration: the selection window's search, print
// rules and help, and the A4 landscape report with its header repeated per
// page from that page's first resident.
#include "CertificateFixture.h"
#include "PageCheck.h"
#include "TestRegistry.h"
#include "documents/TForm5.h"
#include "ui/bound/DBGrid.h"

#include <QHeaderView>
#include <QLineEdit>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

QList<Expected> detailCaptions()
{
    return {{2.1, 1.9, "N.Cz.Seri No", 9, true},
            {2.1, 22.2, "Adı Soyadı", 9, true},
            {2.1, 57.7, "Baba Adı", 9, true},
            {2.1, 74.6, "Ana Adı", 9, true},
            {2.1, 91.3, "Doğ.Yeri", 9, true},
            {2.1, 111.9, "Doğ.Tarihi", 9, true},
            {2.1, 130.2, "Med.Hali", 9, true},
            {2.1, 146.6, "Dini", 9, true},
            {2.1, 160.1, "İL", 9, true},
            {2.1, 177.0, "İlçe", 9, true},
            {2.1, 194.2, "Mah./Köy", 9, true},
            {2.1, 218.0, "Cilt No", 9, true},
            {2.1, 228.6, "Sayfa No", 9, true},
            {2.1, 243.4, "Kütük", 9, true}, // set smaller and cut: "Ver.Nüf.Da." follows 8.5 mm on
            {2.1, 251.9, "Ver.Nüf.Da.", 9, true},
            {12.7, 2.1, "Ver. Nedeni", 9, true},
            {12.7, 22.2, "Cüz.Kayıt No", 9, true},
            {12.7, 47.6, "Ver. Tarihi", 9, true},
            {12.7, 70.9, "Uyruğu", 9, true},
            {12.7, 86.3, "Cinsiyeti", 9, true},
            {12.7, 102.9, "İşi veya Okulu", 9, true},
            {12.7, 129.6, "Yakınlığı", 9, true},
            {12.7, 144.7, "Önceki Adres 1", 9, true},
            {13.0, 173.3, "Önceki Adres 2", 9, true},
            {12.7, 198.4, "Geliş Tarihi", 9, true},
            {12.7, 218.3, "Gittiği Adres 1", 9, true},
            {12.7, 245.8, "Gittiği Adres 2", 9, true}};
}

QList<Expected> detailValues()
{
    return {{6.3, 1.6, "B456789", 9},
            {6.3, 22.2, "Ayşe Yılmaz", 9},
            {6.3, 57.7, "Mehmet", 9},
            {6.3, 74.9, "Fatma", 9},
            {6.3, 91.3, "Ödemiş", 9},
            {6.3, 112.4, "01.08.1964", 9},
            {6.3, 130.4, "Evli", 9},
            {6.3, 147.1, "İslam", 9},
            {6.3, 160.1, "Manisa", 9},
            {6.3, 177.3, "Salihli", 9},
            {6.3, 194.2, "Birgi", 9},
            {6.3, 220.5, "12", 9, false, true},
            {6.3, 233.0, "67", 9, false, true},
            {6.3, 247.5, "345", 9, false, true},
            {6.3, 257.2, "Salihli", 9},
            {16.9, 2.1, "Yenileme", 9},
            {16.9, 22.2, "A123", 9},
            {16.9, 47.9, "15.05.1990", 9},
            {16.9, 70.6, "T.C.", 9},
            {16.9, 86.5, "Kadın", 9},
            {16.9, 102.9, "Öğretmen", 9},
            {16.9, 129.6, "Kızı", 9},
            {16.9, 144.7, "Eski Sk. 5", 9},
            {16.9, 173.3, "Karşıyaka", 9},
            {16.9, 198.7, "02.02.2020", 9},
            {16.9, 218.5, "Yeni Sk. 9", 9},
            {16.9, 245.8, "Buca", 9}};
}

QList<Expected> header(const QString& street, const QString& number, const QString& phone, const QString& type)
{
    return {{2.1, 2.1, "Konutun Bul. Yer:", 9, true},
            {2.4, 29.6, "İl:", 9, true},
            {2.4, 33.9, "İzmir", 9},
            {2.1, 57.1, "İlçe: ", 9, true},
            {2.1, 65.9, "Bornova", 9},
            {2.1, 88.9, "Mahalle:", 9, true},
            {2.1, 102.9, "Kazımdirik", 9},
            {2.1, 132.0, "Cad. / Sokak:", 9, true},
            {2.1, 153.2, street, 9},
            {2.1, 177.5, "Bina / Ev No:", 9, true},
            {2.1, 196.6, number, 9},
            {2.1, 210.6, "Telefon:", 9, true},
            {2.1, 224.1, phone, 9},
            {2.1, 243.7, "Konut T.", 9, true},
            {2.1, 256.4, type, 9}};
}

QVariantMap declarationResident(const QString& street, const QString& phone)
{
    QVariantMap r = CertificateFixture::fullResident();
    r[QStringLiteral("Sokak")] = street;
    r[QStringLiteral("EvNo")] = QStringLiteral("12");
    r[QStringLiteral("Telefon")] = phone;
    r[QStringLiteral("Konuturu")] = QStringLiteral("A");
    r[QStringLiteral("Yakinlik")] = QStringLiteral("Kızı");
    r[QStringLiteral("OncekiAdresi")] = QStringLiteral("Eski Sk. 5");
    r[QStringLiteral("Oncekiadres2")] = QStringLiteral("Karşıyaka");
    r[QStringLiteral("YokTar")] = QStringLiteral("2020-02-02");
    r[QStringLiteral("GittigiAdres")] = QStringLiteral("Yeni Sk. 9");
    r[QStringLiteral("Gittigiadres2")] = QStringLiteral("Buca");
    return r;
}

void expectTexts(const report::Page& page, QPointF corner, const QList<Expected>& expected)
{
    const QStringList failures = checkTexts(page, corner, expected, QStringLiteral("Arial"), false);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

} // namespace

class TstDeclaration : public QObject {
    Q_OBJECT
private slots:
    void searchFindsWholeTextsBoundAsTyped()
    {
        CertificateFixture f;
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 1, {{"Sokak", "Gül \"Sokak\""}, {"EvNo", "12"}});
        f.data.addResident(QStringLiteral("Ali Yılmaz"), 2, {{"Sokak", "Gül \"Sokak\""}, {"EvNo", "12/3"}});
        f.data.addResident(QString(), 3, {{"Sokak", "Gül \"Sokak\""}, {"EvNo", "12"}});
        f.data.addResident(QStringLiteral("Can Öz"), 4, {{"Sokak", "Lale"}, {"EvNo", "12"}});
        TForm5 w(f.dm(), f.fakes.services, f.forms.declaration);
        QCOMPARE(w.windowTitle(), QStringLiteral("Konutta Oturanlar Kimlik Bildirme Belgesi Seçme Formu"));
        QCOMPARE(w.size(), QSize(622, 340));

        // A quote in the street is searched for; 12 does not find 12/3; no
        // resident without a name.
        w.streetBox()->setText(QStringLiteral("Gül \"Sokak\""));
        w.numberBox()->setText(QStringLiteral("12"));
        w.search();
        QCOMPARE(f.dm().Query1->recordCount(), 1);
        QCOMPARE(f.dm().Query1->displayText(QStringLiteral("Adi")), QStringLiteral("Ayşe Yılmaz"));
        QCOMPARE(w.grid()->dataSource(), f.dm().ds2);
        QVERIFY(f.fakes.prompter.shown.isEmpty());

        // Something that would change a pasted statement is only text.
        w.streetBox()->setText(QStringLiteral("x\" or \"\"=\""));
        w.numberBox()->setText(QStringLiteral("\" or 1=1 --"));
        w.search();
        QCOMPARE(f.dm().Query1->recordCount(), 0);
        QCOMPARE(f.fakes.sound.events, QStringList{"beep"});
        QCOMPARE(f.fakes.prompter.texts(), QStringList{"Kayıt Bulunamadı!!"});

        // Regaining the focus: no grid, empty boxes, focus in the street box.
        w.activate();
        QCOMPARE(w.grid()->dataSource(), nullptr);
        QVERIFY(w.streetBox()->text().isEmpty() && w.numberBox()->text().isEmpty());
    }

    void gridColumnsHelpAndEnterInTheNumberBox()
    {
        CertificateFixture f;
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 1, {{"Sokak", "Lale"}, {"EvNo", "3"}});
        f.data.addResident(QStringLiteral("Ali Yılmaz"), 2, {{"Sokak", "Lale"}, {"EvNo", "3"}});
        TForm5 w(f.dm(), f.fakes.services, f.forms.declaration);
        w.streetBox()->setText(QStringLiteral("Lale"));
        w.numberBox()->setText(QStringLiteral("3"));
        QTest::keyClick(w.numberBox(), Qt::Key_Return);
        QCOMPARE(f.dm().Query1->recordCount(), 2);
        QHeaderView* head = w.grid()->horizontalHeader();
        const auto title = [&w](int c) { return w.grid()->model()->headerData(c, Qt::Horizontal).toString(); };
        QCOMPARE(w.grid()->model()->columnCount(), 25);
        QCOMPARE(title(0), QStringLiteral("Nü.Cüz.Seri No"));
        QCOMPARE(title(7), QStringLiteral("Dini"));
        QCOMPARE(title(19), QStringLiteral("Cinsiyeti"));
        QCOMPARE(title(24), QStringLiteral("Telefon"));
        QCOMPARE(head->sectionSize(0), 86);
        QCOMPARE(head->sectionSize(24), 100);
        // Even record numbers light blue, odd ones the window colour.
        QCOMPARE(w.grid()->cellBackground(w.grid()->model()->index(1, 0)), QColor(210, 210, 255));
        QVERIFY(w.grid()->cellBackground(w.grid()->model()->index(0, 0)) != QColor(210, 210, 255));
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(f.fakes.help.topics, QList<int>{103});
        // ZELVAR_SHOT_DIR keeps a picture of the window for a look.
        if (qEnvironmentVariableIsSet("ZELVAR_SHOT_DIR"))
            w.grab().save(qEnvironmentVariable("ZELVAR_SHOT_DIR") + QStringLiteral("/tform5.png"));
    }

    void printRefusedBeforeSearchAskedAfter()
    {
        CertificateFixture f;
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 1, {{"Sokak", "Lale"}, {"EvNo", "3"}});
        // Another window's print query content must not be printed here.
        TDM2::reopen(f.dm().Query1, QStringLiteral("select * from zelvarx"));
        TForm5 w(f.dm(), f.fakes.services, f.forms.declaration);
        w.printReport();
        QCOMPARE(f.fakes.prompter.lastText(), TForm5::searchFirstMessage());
        QVERIFY(f.fakes.printing.requests.isEmpty());

        w.streetBox()->setText(QStringLiteral("Lale"));
        w.numberBox()->setText(QStringLiteral("3"));
        w.search();
        f.fakes.prompter.answer(Answer::Cancel);
        w.printReport();
        QCOMPARE(f.fakes.prompter.shown.last().text, QStringLiteral("Konutta Oturanlar Belgesi Yazdırılsın mı?"));
        QCOMPARE(f.fakes.prompter.shown.last().buttons, Buttons::YesCancel);
        QVERIFY(f.fakes.printing.requests.isEmpty());
        QCOMPARE(w.result(), 0);

        // After the grid was emptied by regaining the focus, the print query
        // still holds the result and prints it; printing logs nothing.
        w.activate();
        f.fakes.prompter.answer(Answer::Yes);
        f.fakes.printing.answerPrinted(1);
        w.printReport();
        QCOMPARE(f.fakes.printing.titles(), QStringList{"Konutta Kalanlara Ait Kimlik Bildirme Belgesi"});
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(f.log(1).isEmpty());
    }

    void reportRepeatsTheHeaderWithEachPagesFirstResident()
    {
        CertificateFixture f;
        f.setOffice();
        // Page 1 holds 6 residents (under the title), the others 7 each.
        for (int i = 1; i <= 14; ++i)
            f.data.addResident(QStringLiteral("Ayşe Yılmaz"), i,
                               declarationResident(QStringLiteral("Gül Sokak"), QStringLiteral("555 %1").arg(i)));
        TForm5 w(f.dm(), f.fakes.services, f.forms.declaration);
        w.streetBox()->setText(QStringLiteral("Gül Sokak"));
        w.numberBox()->setText(QStringLiteral("12"));
        w.search();
        f.fakes.prompter.answer(Answer::Yes);
        w.printReport();
        auto report = f.fakes.printing.lastReport();
        QCOMPARE(report->definition().pageSizeMm(), QSizeF(297, 210));
        QCOMPARE(report->pageCount(), 3);
        const report::Page& one = report->page(0);
        const report::Page& two = report->page(1);
        const report::Page& three = report->page(2);
        QCOMPARE(one.rowCount, 6);
        QCOMPARE(two.rowCount, 7);
        QCOMPARE(three.rowCount, 1);

        // Title band, framed and filled, with its centred title.
        const double left = 12.7;
        expectTexts(one, {left, 12.7},
                    {{2.1, 271.6 / 2, "Konutta Kalanlara Ait Kimlik Bildirme Belgesi", 14, false, true}});
        QVERIFY(!two.findText(QStringLiteral("Konutta Kalanlara Ait Kimlik Bildirme Belgesi")));
        // The header under the title on page 1, at the top on page 2, each
        // with its page's first resident.
        expectTexts(one, {left, 12.7 + 10.6}, header("Gül Sokak", "12", "555 1", "A"));
        expectTexts(two, {left, 12.7}, header("Gül Sokak", "12", "555 7", "A"));
        expectTexts(three, {left, 12.7}, header("Gül Sokak", "12", "555 14", "A"));
        QVERIFY(!one.findText(QStringLiteral("555 7")));
        // The first resident's box and the footers.
        expectTexts(one, {left, 12.7 + 10.6 + 8.7}, detailCaptions() + detailValues());
        expectTexts(two, {left, 12.7 + 8.7 + 23.3}, detailCaptions() + detailValues());
        expectTexts(one, {left, 210 - 12.7 - 6.3}, {{1.1, 8.5, "Sayfa1", 9}});
        expectTexts(two, {left, 210 - 12.7 - 6.3}, {{1.1, 8.5, "Sayfa2", 9}});
        expectTexts(three, {left, 210 - 12.7 - 6.3}, {{1.1, 8.5, "Sayfa3", 9}});
    }

    void reportPrintsWithoutRows()
    {
        CertificateFixture f;
        f.setOffice();
        TForm5 w(f.dm(), f.fakes.services, f.forms.declaration);
        w.streetBox()->setText(QStringLiteral("Yok"));
        w.search();
        f.fakes.prompter.answer(Answer::Yes);
        w.printReport();
        const report::Page& page = f.fakes.printing.lastReport()->page(0);
        QCOMPARE(page.rowCount, 0);
        QVERIFY(page.findText(QStringLiteral("Sayfa1")));
        QVERIFY(page.findText(QStringLiteral("Cad. / Sokak:")));
    }
};

ZELVAR_TEST(TstDeclaration)
#include "tst_declaration.moc"
