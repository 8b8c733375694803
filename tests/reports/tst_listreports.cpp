// SPDX-License-Identifier: GPL-3.0-or-later
// The name list, detailed list and address labels as laid out pages: every
// band and item at its place, pages, repeated headers, page numbers, labels
// down the columns, photographs; and one PDF read back by its text positions.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Database.h"
#include "platform/fakes/FakeServices.h"
#include "report/PagedReport.h"
#include "report/ReportFonts.h"
#include "reports/ListPrinter.h"
#include "reports/ListReports.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using namespace zelvar::report;
using zelvar::testing::DataFixture;

namespace {

constexpr double kMargin = 12.7;

void setOffice(DataFixture& f, const QString& fotobas = "1")
{
    f.dm().database().exec("delete from Mahalle");
    f.dm().database().exec("insert into Mahalle (Il, Ilce, Mahalle, Zelvar, Fotobas) values (?, ?, ?, ?, ?)",
                           {"İzmir", "Bornova", "Kazımdirik", "Hasan Çelik", fotobas});
    f.dm().tbMah->close();
    f.dm().tbMah->open();
}

// n residents named "Kişi 1" ... in one transaction, all listed in Query1.
void listResidents(DataFixture& f, int n)
{
    {
        Database::Transaction tx(f.dm().database());
        for (int i = 1; i <= n; ++i)
            f.addResident(QStringLiteral("Kişi %1").arg(i), i,
                          {{"Sokak", "Gül"},
                           {"Apartman", "Lale"},
                           {"EvNo", QString::number(i)},
                           {"BabaAdi", "Ali"},
                           {"Telefon", "555"},
                           {"DogTar", "1980-05-12"}});
        tx.commit();
    }
    TDM2::reopen(f.dm().Query1, "select * from zelvarx");
}

QByteArray pngOf(const QColor& colour)
{
    QImage image(20, 25, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Compares a placed item's top-left corner with a place given as left / top
// within a band whose top-left corner is at (bandLeft, bandTop).
void checkAt(const PlacedItem* item, double bandLeft, double bandTop, double left, double top)
{
    QVERIFY(item);
    QVERIFY2(qAbs(item->rect.left() - (bandLeft + left)) < 0.05,
             qPrintable(QStringLiteral("%1: left %2").arg(item->text).arg(item->rect.left())));
    QVERIFY2(qAbs(item->rect.top() - (bandTop + top)) < 0.05,
             qPrintable(QStringLiteral("%1: top %2").arg(item->text).arg(item->rect.top())));
}

int countKind(const Page& page, ItemKind kind)
{
    int n = 0;
    for (const PlacedItem& item : page.items)
        n += item.kind == kind;
    return n;
}

struct PdfWord {
    QString text;
    QPointF mm; // top-left corner
    int page;
};

// The words of a PDF with their top-left corners in mm, page by page.
QList<PdfWord> pdfWords(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression pageOrWord(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    QList<PdfWord> out;
    const double mmPerPt = 25.4 / 72;
    int page = 0;
    for (auto it = pageOrWord.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        out << PdfWord{m.captured(3), QPointF(m.captured(1).toDouble() * mmPerPt, m.captured(2).toDouble() * mmPerPt),
                       page};
    }
    return out;
}

const PdfWord* findWord(const QList<PdfWord>& words, const QString& text, int page = 1)
{
    for (const PdfWord& w : words)
        if (w.text == text && w.page == page)
            return &w;
    return nullptr;
}

} // namespace

class ListReportsTest : public QObject {
    Q_OBJECT
private slots:
    void nameListBandsAndColumns()
    {
        DataFixture f;
        setOffice(f);
        listResidents(f, 3);
        FakeServices s;
        ListPrinter printer(f.dm(), s.services);
        TQRList list;
        ColumnChoice chosen{};
        chosen[0] = chosen[7] = true; // Baba Adı and Telefon
        list.setColumns(placeListColumns(chosen));
        auto report = printer.nameList(list);
        QCOMPARE(report->title(), QString("Zelvar 2001 [Mahalle İsim Listesi]"));
        QCOMPARE(report->pageCount(), 1);
        const Page& page = report->page(0);

        // Title band, framed, lavender, first thing on the page.
        const double titleTop = kMargin;
        checkAt(page.findText("İzmir"), kMargin, titleTop, 4.2, 1.6);
        checkAt(page.findText("Bornova"), kMargin, titleTop, 25.4, 1.6);
        checkAt(page.findText("Kazımdirik"), kMargin, titleTop, 4.2, 5.3);
        checkAt(page.findText("Mahallesi"), kMargin, titleTop, 25.4, 5.3);
        checkAt(page.findText("09.12.2026"), kMargin, titleTop, 133.3, 1.6);
        checkAt(page.findText("Zelvar :"), kMargin, titleTop, 133.3, 5.3);
        checkAt(page.findText("Hasan Çelik"), kMargin, titleTop, 148.2, 5.3);
        const PlacedItem* heading = page.findText("Mahalle İsim Listesi");
        QVERIFY(heading);
        QVERIFY(qAbs(heading->rect.center().x() - (kMargin + 184.6 / 2)) < 0.1);
        QCOMPARE(heading->item->font, FontSpec("Arial", 14));
        QCOMPARE(page.findText("İzmir")->item->font, FontSpec("Arial", 10, true));
        QCOMPARE(page.items.first().kind, ItemKind::Fill);
        QCOMPARE(page.items.first().item->background, QColor(234, 234, 255));

        // Column header under it, with the chosen columns by the rule.
        const double headerTop = titleTop + 10.8;
        checkAt(page.findText("Adı Soyadı"), kMargin, headerTop, 4.2, 0.3);
        QCOMPARE(page.findText("Adı Soyadı")->rect.width(), 18.5);
        checkAt(page.findText("Baba Adı"), kMargin, headerTop, reportPixelsToMm(186), 0.3);
        checkAt(page.findText("Telefon"), kMargin, headerTop, reportPixelsToMm(281), 0.3);
        QVERIFY(!page.findText("Ana Adı"));

        // One detail band of 6.3 mm per resident.
        const double detailTop = headerTop + 6.1;
        for (int row = 0; row < 3; ++row) {
            const PlacedItem* name = page.findText(QStringLiteral("Kişi %1").arg(row + 1));
            checkAt(name, kMargin, detailTop + row * 6.3, 4.2, 0.5);
            QCOMPARE(name->rect.size(), QSizeF(39.7, 4.5));
            QVERIFY(name->item->wordWrap);
            checkAt(page.findText("Ali", row), kMargin, detailTop + row * 6.3, reportPixelsToMm(186), 0.5);
            checkAt(page.findText("555", row), kMargin, detailTop + row * 6.3, reportPixelsToMm(281), 0.5);
        }
        // The footer at the bottom of the printable area.
        checkAt(page.findText("Sayfa1"), kMargin, 297 - kMargin - 6.3, 2.1, 1.1);
        // Frames: title, header, footer.
        QCOMPARE(countKind(page, ItemKind::Frame), 3);
    }

    void nameListPagesHeadersAndNumbers()
    {
        DataFixture f;
        setOffice(f);
        listResidents(f, 460);
        FakeServices s;
        ListPrinter printer(f.dm(), s.services);
        TQRList list;
        auto report = printer.nameList(list);
        QVERIFY(report->pageCount() >= 12);
        const Page& first = report->page(0);
        const Page& second = report->page(1);
        QVERIFY(first.findText("Mahalle İsim Listesi"));
        QVERIFY(!second.findText("Mahalle İsim Listesi"));
        // The header stands at the top of every later page.
        checkAt(second.findText("Adı Soyadı"), kMargin, kMargin, 4.2, 0.3);
        checkAt(second.findText(QStringLiteral("Kişi %1").arg(first.rowCount + 1)), kMargin, kMargin + 6.1, 4.2, 0.5);
        QVERIFY(report->page(11).findText("Sayfa12"));
        // Every detail band is 6.3 mm: the last row of a page ends above the footer.
        QCOMPARE(first.rowCount, 39);
        QCOMPARE(second.rowCount, 41);
    }

    void nameBoxNeverGrows()
    {
        DataFixture f;
        f.addResident("Muhammed Mustafa Abdurrahman Kemalettin Karaosmanoğlu", 1);
        f.addResident("Ali Er", 2);
        TDM2::reopen(f.dm().Query1, "select * from zelvarx");
        FakeServices s;
        ListPrinter printer(f.dm(), s.services);
        auto report = printer.nameList(TQRList());
        const Page& page = report->page(0);
        const PlacedItem* longName = nullptr;
        for (const PlacedItem& item : page.items)
            if (item.text.startsWith("Muhammed"))
                longName = &item;
        const PlacedItem* next = page.findText("Ali Er");
        QVERIFY(longName && next);
        // NOLINTNEXTLINE(clang-analyzer-core.CallAndMessage): the QVERIFY above returns when either is null
        QCOMPARE(longName->rect.height(), 4.5);
        QVERIFY(qAbs(next->rect.top() - longName->rect.top() - 6.3) < 0.01);
        // On one line of its box: set smaller, then cut at a whole word.
        QCOMPARE(longName->pointSize, 7.0);
        QVERIFY(longName->text.endsWith(QStringLiteral("…")));
        QVERIFY(ReportFonts().widthMm(longName->text, longName->font()) <= 39.7);
    }

    void labelsRunDownThreeColumns()
    {
        DataFixture f;
        setOffice(f);
        listResidents(f, 31);
        FakeServices s;
        ListPrinter printer(f.dm(), s.services);
        auto report = printer.labels(TQRLabelForm());
        QCOMPARE(report->pageCount(), 2);
        const Page& first = report->page(0);
        QCOMPARE(first.rowCount, 30);
        QCOMPARE(report->page(1).rowCount, 1);
        // Ten a column: label 11 heads the second column, 21 the third.
        checkAt(first.findText("Kişi 1"), kMargin, kMargin, 5.3, 6.3);
        checkAt(first.findText("Kişi 10"), kMargin, kMargin + 9 * 25.1, 5.3, 6.3);
        checkAt(first.findText("Kişi 11"), kMargin + 61.4, kMargin, 5.3, 6.3);
        checkAt(first.findText("Kişi 21"), kMargin + 2 * 61.4, kMargin, 5.3, 6.3);
        checkAt(report->page(1).findText("Kişi 31"), kMargin, kMargin, 5.3, 6.3);
        // Every item of one label.
        checkAt(first.findText("Sayın"), kMargin, kMargin, 5.3, 1.3);
        QCOMPARE(first.findText("Sayın")->item->font, FontSpec("MS Sans Serif", 9));
        QCOMPARE(first.findText("Kişi 1")->item->font, FontSpec("Arial", 10, true));
        checkAt(first.findText("Gül"), kMargin, kMargin, 5.3, 12.7);
        checkAt(first.findText("Lale"), kMargin, kMargin, 27.5, 12.7);
        checkAt(first.findText("1"), kMargin, kMargin, 5.3, 19.1);
        checkAt(first.findText("Bornova"), kMargin, kMargin, 19.1, 19.1);
        checkAt(first.findText("İzmir"), kMargin, kMargin, 38.1, 19.1);
        // No title, header or footer.
        QVERIFY(!first.findText("Sayfa1"));
        QCOMPARE(countKind(first, ItemKind::Frame), 0);
    }

    void detailedListBlocksAndPhotographs()
    {
        DataFixture f;
        setOffice(f);
        listResidents(f, 4);
        f.dm().database().exec("insert into Foto (Kayitno, Foto) values (1, ?)", {pngOf(Qt::red)});
        FakeServices s;
        ListPrinter printer(f.dm(), s.services);
        TQRListForm form;
        auto report = printer.detailedList(form);
        QCOMPARE(report->title(), QString("Zelvar 2001 [Mahalle Ayrıntılı Bilgi Listesi]"));
        QCOMPARE(report->pageCount(), 2);
        const Page& page = report->page(0);
        QCOMPARE(page.rowCount, 3);
        QCOMPARE(report->page(1).rowCount, 1);

        const double titleTop = kMargin;
        checkAt(page.findText("İzmir"), kMargin, titleTop, 4.2, 2.1);
        checkAt(page.findText("Bornova"), kMargin, titleTop, 4.2, 6.3);
        // "Kazımdirik" is wider than the room before "Mahallesi" at 19.1 mm:
        // set smaller on its line, and "Mahallesi" keeps its place.
        const PlacedItem* office = page.findText("Kazımdirik");
        QVERIFY(office && office->pointSize > 0 && office->rect.right() < kMargin + 19.1);
        QCOMPARE(office->rect.left(), kMargin + 4.2);
        checkAt(page.findText("Mahallesi"), kMargin, titleTop, 19.1, 10.6);
        checkAt(page.findText("Zelvar"), kMargin, titleTop, 143.9, 2.1);
        checkAt(page.findText("Hasan Çelik"), kMargin, titleTop, 143.9, 6.3);
        checkAt(page.findText("09.12.2026"), kMargin, titleTop, 143.9, 10.6);
        QVERIFY(page.findText("Mahalle Ayrıntılı Bilgi Listesi"));

        // The second resident's block, below the title and the first block.
        const double block = titleTop + 17.2 + 76.5;
        checkAt(page.findText("KAYIT NO:", 1), kMargin, block, 2.1, 4.2);
        checkAt(page.findText("2", 0), kMargin, block, 27.5, 4.2);
        QCOMPARE(page.findText("KAYIT NO:")->item->font, FontSpec("Courier New", 12, true));
        checkAt(page.findText("Adı Soyadı..:", 1), kMargin, block, 55.0, 4.2);
        checkAt(page.findText("Kişi 2"), kMargin, block, 83.6, 4.2);
        checkAt(page.findText("Nüf.Kay.İl...:", 1), kMargin, block, 123.8, 4.2);
        checkAt(page.findText("Ver.Nuf.Da...:", 1), kMargin, block, 123.8, 61.4);
        checkAt(page.findText("12.05.1980", 1), kMargin, block, 83.6, 29.6);
        checkAt(page.findText("ADRES:", 1), kMargin, block, 2.1, 63.5);
        checkAt(page.findText("Cad/Sokak:", 1), kMargin, block, 2.1, 67.7);
        checkAt(page.findText("Gül", 1), kMargin, block, 23.8, 67.7);
        checkAt(page.findText("Ev No........:", 1), kMargin, block, 123.8, 67.7);
        QCOMPARE(page.findText("Ev No........:")->item->font, FontSpec("Courier New", 10));
        // Blocks end with a line along the bottom; the page has its frame.
        checkAt(page.findText("Sayfa1"), kMargin, 297 - kMargin - 6.3, 2.1, 1.1);
        QCOMPARE(countKind(page, ItemKind::Frame), 1 + 1 + 3);

        // Only the first resident has a photograph, stretched into its box.
        QCOMPARE(countKind(page, ItemKind::Picture), 1);
        for (const PlacedItem& item : page.items) {
            if (item.kind == ItemKind::Picture) {
                QCOMPARE(item.rect, QRectF(kMargin + 6.3, titleTop + 17.2 + 16.9, 32.0, 40.5));
                QCOMPARE(item.picture.pixelColor(5, 5), QColor(Qt::red));
            }
        }

        // Switched off: no photograph, the texts where they were.
        form.setPhotoPrinted(false);
        auto without = printer.detailedList(form);
        const Page& bare = without->page(0);
        QCOMPARE(countKind(bare, ItemKind::Picture), 0);
        QCOMPARE(bare.findText("Kişi 2")->rect, page.findText("Kişi 2")->rect);
    }

    void longOfficeNamesFitBeforeTheWordsAfterThem()
    {
        DataFixture f;
        f.dm().database().exec("delete from Mahalle");
        f.dm().database().exec(
            "insert into Mahalle (Il, Ilce, Mahalle, Zelvar, Fotobas) values (?, ?, ?, ?, ?)",
            {"Afyonkarahisar", "Kahramankazan", "Kırkkonaklar Yenimahalle Cumhuriyet", "Hasan Çelik", "0"});
        f.dm().tbMah->close();
        f.dm().tbMah->open();
        listResidents(f, 2);
        FakeServices s;
        ListPrinter printer(f.dm(), s.services);
        // The word after a long name keeps its place; the name stays at
        // its own, set smaller or cut, and ends before it.
        const auto fitsBefore = [&](const Page& page, const QString& start, const QString& next, double left,
                                    double top) {
            const PlacedItem* a = nullptr;
            for (const PlacedItem& item : page.items)
                if (item.kind == ItemKind::Text && item.text.startsWith(start))
                    a = &item;
            checkAt(page.findText(next), kMargin, kMargin, left, top);
            QVERIFY(a && a->rect.right() < page.findText(next)->rect.left());
        };
        TQRListForm form;
        fitsBefore(printer.detailedList(form)->page(0), "Kırk", "Mahallesi", 19.1, 10.6);
        TQRList names;
        const auto nameList = printer.nameList(names);
        fitsBefore(nameList->page(0), "Kırk", "Mahallesi", 25.4, 5.3);
        fitsBefore(nameList->page(0), "Afyon", "Kahramankazan", 25.4, 1.6);
        checkAt(nameList->page(0).findText("09.12.2026"), kMargin, kMargin, 133.3, 1.6);
        TQRLabelForm labelForm;
        const auto labels = printer.labels(labelForm);
        // Labels: the province stays at 38.1 mm and within its label.
        const PlacedItem* province = labels->page(0).findText("Afyonkarahisar");
        QVERIFY(province && qAbs(province->rect.left() - (kMargin + 38.1)) < 0.05);
        // NOLINTNEXTLINE(clang-analyzer-core.CallAndMessage): the QVERIFY above returns when it is null
        QVERIFY(province->rect.right() <= kMargin + 61.4);
    }

    void pdfTextStandsWhereTheLayoutSays()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        DataFixture f;
        setOffice(f);
        listResidents(f, 31);
        FakeServices s;
        ListPrinter printer(f.dm(), s.services);
        QTemporaryDir dir;

        // Labels: the second page's only label at the top of the first column.
        const QString labels = dir.filePath("labels.pdf");
        QVERIFY(printer.labels(TQRLabelForm())->writePdf(labels));
        QList<PdfWord> words = pdfWords(labels);
        const PdfWord* sayin = findWord(words, "Sayın");
        QVERIFY(sayin);
        QVERIFY(qAbs(sayin->mm.x() - (kMargin + 5.3)) < 0.5);
        QVERIFY(qAbs(sayin->mm.y() - (kMargin + 1.3)) < 1.0);
        const PdfWord* last = findWord(words, "Kişi", 2);
        QVERIFY(last);
        QVERIFY(qAbs(last->mm.x() - (kMargin + 5.3)) < 0.5);
        QVERIFY(qAbs(last->mm.y() - (kMargin + 6.3)) < 1.0);
        QVERIFY(findWord(words, "31", 2));
        QVERIFY(!findWord(words, "Kişi", 3));

        // Name list with Telefon alone: its heading at 186 report pixels.
        TQRList list;
        ColumnChoice chosen{};
        chosen[7] = true;
        list.setColumns(placeListColumns(chosen));
        const QString names = dir.filePath("names.pdf");
        QVERIFY(printer.nameList(list)->writePdf(names));
        words = pdfWords(names);
        const PdfWord* telefon = findWord(words, "Telefon");
        QVERIFY(telefon);
        QVERIFY(qAbs(telefon->mm.x() - (kMargin + 49.2)) < 0.5);
        QVERIFY(qAbs(telefon->mm.y() - (kMargin + 10.8 + 0.3)) < 1.0);
        const PdfWord* page1 = findWord(words, "Sayfa1");
        QVERIFY(page1);
        QVERIFY(qAbs(page1->mm.x() - (kMargin + 2.1)) < 0.5);
    }
};

ZELVAR_TEST(ListReportsTest)
#include "tst_listreports.moc"
