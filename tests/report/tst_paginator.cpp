// SPDX-License-Identifier: GPL-3.0-or-later
// The paginator: where every band and item lands, page by page.
#include "TestRegistry.h"
#include "report/PagedReport.h"
#include "report/Paginator.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTest>

using namespace zelvar::report;

namespace {

constexpr double kTolerance = 0.1; // mm

bool near(double a, double b)
{
    return std::abs(a - b) < kTolerance;
}

// A list report on A4 portrait: a title, a header with the page's first
// name, one 6.3 mm row per name and a footer with the page number.
ReportDefinition listReport()
{
    ReportDefinition d;
    d.title = QStringLiteral("Liste");
    d.titleBand.height = 10.6;
    d.titleBand.items << Item::label(QStringLiteral("Başlık"), {"Arial", 14}).centredAcross(2.1);
    d.columnHeader.height = 6.1;
    d.columnHeader.items << Item::label(QStringLiteral("İlk:"), {"Arial", 9, true}).at(0.8, 2.1)
                         << Item::value(QStringLiteral("Adi"), {"Arial", 9}).at(0.8, 20);
    d.detail.height = 6.3;
    d.detail.items << Item::value(QStringLiteral("Adi"), {"Arial", 9}).at(0.8, 2.1);
    d.pageFooter.height = 6.3;
    d.pageFooter.items << Item::pageNo(QStringLiteral("Sayfa"), {"Arial", 9}).at(1.1, 2.1);
    return d;
}

TableRows names(int count)
{
    TableRows rows({QStringLiteral("Adi")});
    for (int i = 0; i < count; ++i)
        rows.addRow(QVariantList{QStringLiteral("Kişi %1").arg(i + 1)});
    return rows;
}

// Rows that remember the first row read, so a test sees which pages were
// laid out.
class CountingRows : public RowSource {
public:
    explicit CountingRows(TableRows rows)
        : m_rows(std::move(rows))
    {
    }
    int rowCount() const override { return m_rows.rowCount(); }
    int fieldIndex(const QString& name) const override { return m_rows.fieldIndex(name); }
    QVariant value(int row, int field) const override
    {
        m_first = m_first < 0 ? row : std::min(m_first, row);
        return m_rows.value(row, field);
    }
    int firstRead() const { return m_first; }
    void forget() { m_first = -1; }

private:
    TableRows m_rows;
    mutable int m_first = -1;
};

} // namespace

class TstPaginator : public QObject {
    Q_OBJECT
private slots:
    void fontsResolveToMetricCompatibleFamilies()
    {
        QCOMPARE(ReportFonts::resolvedFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
        QCOMPARE(ReportFonts::resolvedFamily(QStringLiteral("Courier New")), QStringLiteral("Liberation Mono"));
        // The old screen font prints in the same family as "Arial" ("Sayın" on the labels).
        QCOMPARE(ReportFonts::resolvedFamily(QStringLiteral("MS Sans Serif")), QStringLiteral("Liberation Sans"));
        // Courier New is fixed-width: ten characters of 10 pt are 60 points wide.
        ReportFonts fonts;
        QVERIFY(near(fonts.widthMm(QStringLiteral("İl.......:"), {"Courier New", 10}), 60 * 25.4 / 72));
        QVERIFY(fonts.widthMm(QStringLiteral("Ali"), {"Arial", 10, true}) >
                fonts.widthMm(QStringLiteral("Ali"), {"Arial", 10}));
    }

    void placesItemsFromTheBandCornerInMillimetres()
    {
        ReportDefinition d;
        d.paper = QPageSize::A5;
        d.detail.height = 181.5;
        d.detail.items << Item::label(QStringLiteral("İKAMETGAH BELGESİ"), {"Courier New", 16, true}).at(0.8, 31.8)
                       << Item::value(QStringLiteral("Adi"), {"Courier New", 10}).centredOn(147.9, 77.8)
                       << Item::label(QStringLiteral("sağ"), {"Courier New", 10}).rightAlignedAt(10, 100)
                       << Item::label(QStringLiteral("kutu içinde uzun bir metin"), {"Arial", 9}).inBox(20, 5, 30, 4.5)
                       << Item::frame(12.7, 90.5, 30.4, 36.2) << Item::frame(0, 0, 0, 0, BottomSide)
                       << Item::imageField(QStringLiteral("Foto"), 12.7, 90.5, 30.4, 36.2)
                       << Item::value(QStringLiteral("Bos"), {"Arial", 9}).at(50, 5);
        TableRows rows({QStringLiteral("Adi"), QStringLiteral("Foto"), QStringLiteral("Bos")});
        rows.addRow(QVariantList{QStringLiteral("Ayşe Yılmaz"), QVariant(), QString()});
        const QVector<Page> pages = paginate(d, rows);
        QCOMPARE(pages.size(), 1);
        const Page& p = pages[0];
        QCOMPARE(p.firstRow, 0);
        QCOMPARE(p.rowCount, 1);

        const PlacedItem* title = p.findText(QStringLiteral("İKAMETGAH BELGESİ"));
        QVERIFY(title);
        QVERIFY(near(title->rect.left(), 12.7 + 31.8));
        QVERIFY(near(title->rect.top(), 12.7 + 0.8));
        QCOMPARE(title->item->font, FontSpec("Courier New", 16, true));

        ReportFonts fonts;
        const PlacedItem* name = p.findText(QStringLiteral("Ayşe Yılmaz"));
        QVERIFY(name);
        QVERIFY(near(name->rect.center().x(), 12.7 + 77.8));
        QVERIFY(near(name->rect.width(), fonts.widthMm(QStringLiteral("Ayşe Yılmaz"), {"Courier New", 10})));
        const PlacedItem* right = p.findText(QStringLiteral("sağ"));
        QVERIFY(near(right->rect.right(), 12.7 + 100));
        const PlacedItem* box = p.findText(QStringLiteral("kutu içinde uzun bir metin"));
        QCOMPARE(box->rect, QRectF(17.7, 32.7, 30, 4.5));

        // Frames: the given box, and one the whole band; the picture field
        // holds no picture and the empty field prints nothing.
        QList<QRectF> frames;
        for (const PlacedItem& i : p.items)
            if (i.kind == ItemKind::Frame)
                frames << i.rect;
        QCOMPARE(frames.size(), 2);
        QVERIFY(near(frames[0].left(), 103.2) && near(frames[0].width(), 30.4) && near(frames[0].height(), 36.2));
        QVERIFY(near(frames[1].width(), 148 - 2 * 12.7) && near(frames[1].height(), 181.5));
        for (const PlacedItem& i : p.items)
            QVERIFY(i.kind != ItemKind::Picture);
        QCOMPARE(p.texts().size(), 4);
    }

    void textsKeepTheirPlaceAndAreSetSmallerThenCutToFit()
    {
        // On A5 (122.6 mm wide inside the margins): a value before a label,
        // a centred value between two texts, a value before the photo, a
        // value running to the band's edge and a label led by blanks.
        const FontSpec mono{"Courier New", 10};
        ReportDefinition d;
        d.paper = QPageSize::A5;
        d.detail.height = 100; // one row a page
        d.detail.items << Item::value(QStringLiteral("Adi"), mono).at(1, 4.2)
                       << Item::label(QStringLiteral("Mahallesi"), mono).at(1, 40)
                       << Item::label(QStringLiteral("Hüviyeti yazılı"), mono).at(8, 0)
                       << Item::value(QStringLiteral("Baba"), {"Courier New", 11, true}).centredOn(8, 55)
                       << Item::label(QStringLiteral("kızı/oğlu"), mono).at(8, 75)
                       << Item::value(QStringLiteral("Il"), mono).at(15, 44.5)
                       << Item::image(QImage(4, 4, QImage::Format_RGB32), 14, 90.5, 30.4, 20)
                       << Item::value(QStringLiteral("Adi"), mono).at(36, 80)
                       << Item::label(QStringLiteral("     Zelvarı"), mono).at(36, 10);
        TableRows rows({QStringLiteral("Adi"), QStringLiteral("Baba"), QStringLiteral("Il")});
        rows.addRow(QVariantList{QStringLiteral("Ali Can"), QStringLiteral("Veli"), QStringLiteral("İzmir")});
        const QString longName = QStringLiteral("Abdurrahman Şerafettin Kemalpaşaoğlu");
        rows.addRow(QVariantList{longName, QStringLiteral("Muhammed Mustafa Ali Rıza"), longName});
        const QVector<Page> pages = paginate(d, rows);
        const double x = 12.7;
        ReportFonts fonts;
        const auto end = [](const PlacedItem* p) { return p->rect.right(); };

        // Short values: each text whole, at its place, in its own size.
        const Page& fits = pages[0];
        for (const char* t : {"Ali Can", "Mahallesi", "Veli", "kızı/oğlu", "İzmir"})
            QVERIFY2(fits.findText(t) && fits.findText(t)->pointSize == 0, qPrintable(t));
        QVERIFY(near(fits.findText("Mahallesi")->rect.left(), x + 40));
        QVERIFY(near(fits.findText("Veli")->rect.center().x(), x + 55));
        // Leading blanks are room: the text stands where its first letter does.
        QVERIFY(near(fits.findText("Zelvarı")->rect.left(), x + 10 + fonts.widthMm("     ", mono)));

        // Long values: still at their places, set smaller but no smaller
        // than 7 pt, then cut at a whole word; none reaches the next item,
        // the photo or the band's edge.
        const Page& full = pages[1];
        QCOMPARE(full.texts().size(), 8);
        const PlacedItem* mahallesi = full.findText("Mahallesi");
        const PlacedItem* photo = nullptr;
        for (const PlacedItem& p : full.items) {
            if (p.kind == ItemKind::Picture)
                photo = &p;
            if (p.kind != ItemKind::Text)
                continue;
            const double size = p.font().pointSize;
            QVERIFY2(size >= 7 && size <= p.item->font.pointSize, qPrintable(p.text));
            QVERIFY2(near(p.rect.width(), fonts.widthMm(p.text, p.font())), qPrintable(p.text));
            if (p.text.endsWith(QStringLiteral("…"))) {
                QCOMPARE(size, 7.0);
                const QString kept = p.text.chopped(1);
                QVERIFY2(longName.startsWith(kept + ' ') ||
                             QStringLiteral("Muhammed Mustafa Ali Rıza").startsWith(kept + ' '),
                         qPrintable(p.text));
            }
        }
        QVERIFY(photo);
        // The items in band order: the name, "Mahallesi", the label, the
        // father's name, "kızı/oğlu", the province, the photo, the name again.
        const PlacedItem* name = &full.items[0];
        QVERIFY(near(name->rect.left(), x + 4.2) && end(name) <= mahallesi->rect.left() - 0.29);
        QVERIFY(near(mahallesi->rect.left(), x + 40) && mahallesi->pointSize == 0);
        QVERIFY(name->pointSize > 0); // and on its line: the same baseline
        QVERIFY(near(name->rect.top() + fonts.ascentMm(name->font()), x + 1 + fonts.ascentMm(mono)));
        const PlacedItem* father = &full.items[3];
        QVERIFY(near(father->rect.center().x(), x + 55));
        // The layout's own words keep their size before a value.
        QVERIFY(full.findText("Hüviyeti yazılı")->pointSize == 0);
        QVERIFY(father->rect.left() >= end(full.findText("Hüviyeti yazılı")) + 0.29);
        QVERIFY(end(father) <= full.findText("kızı/oğlu")->rect.left() - 0.29);
        const PlacedItem* province = &full.items[5];
        QVERIFY(near(province->rect.left(), x + 44.5) && end(province) <= photo->rect.left() - 0.29);
        const PlacedItem* edge = &full.items[7];
        QVERIFY(near(edge->rect.left(), x + 80) && end(edge) <= 148 - 12.7);
    }

    void headerRepeatsWithThePagesFirstRowAndFooterNumbersPages()
    {
        const ReportDefinition d = listReport();
        const TableRows rows = names(100);
        const QVector<Page> pages = paginate(d, rows);
        // 297 - 2 x 12.7 = 271.6 mm; the footer keeps 6.3, the header 6.1;
        // page 1 also carries the 10.6 mm title.
        const int firstPageRows = int((271.6 - 6.3 - 6.1 - 10.6) / 6.3);
        const int otherPageRows = int((271.6 - 6.3 - 6.1) / 6.3);
        QCOMPARE(pages[0].rowCount, firstPageRows);
        QCOMPARE(pages[1].rowCount, otherPageRows);
        QCOMPARE(pages.size(), 1 + (100 - firstPageRows + otherPageRows - 1) / otherPageRows);
        int total = 0;
        for (const Page& p : pages)
            total += p.rowCount;
        QCOMPARE(total, 100);

        QVERIFY(pages[0].findText(QStringLiteral("Başlık")));
        QVERIFY(!pages[1].findText(QStringLiteral("Başlık")));
        for (int i = 0; i < pages.size(); ++i) {
            const Page& p = pages[i];
            const PlacedItem* first = p.findText(QStringLiteral("İlk:"));
            QVERIFY(first);
            QVERIFY(near(first->rect.top(), 12.7 + (i == 0 ? 10.6 : 0) + 0.8));
            // The header's field shows the first name on its own page.
            const QString firstName = QStringLiteral("Kişi %1").arg(p.firstRow + 1);
            const PlacedItem* header = p.findText(firstName);
            QVERIFY(header);
            QVERIFY(near(header->rect.left(), 12.7 + 20));
            const PlacedItem* footer = p.findText(QStringLiteral("Sayfa%1").arg(i + 1));
            QVERIFY(footer);
            QVERIFY(near(footer->rect.top(), 297 - 12.7 - 6.3 + 1.1));
            // Rows stop above the footer.
            const PlacedItem* last = p.findText(QStringLiteral("Kişi %1").arg(p.firstRow + p.rowCount), 1);
            if (!last)
                last = p.findText(QStringLiteral("Kişi %1").arg(p.firstRow + p.rowCount));
            QVERIFY(last->rect.top() - 0.8 + 6.3 <= 297 - 12.7 - 6.3 + 0.01);
        }
        // The title on the first page is centred across the band.
        const PlacedItem* title = pages[0].findText(QStringLiteral("Başlık"));
        QVERIFY(near(title->rect.center().x(), 105));
    }

    void emptyReportGivesOnePageWithTitleHeaderAndFooter()
    {
        const QVector<Page> pages = paginate(listReport(), NoRows());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].rowCount, 0);
        QCOMPARE(pages[0].firstRow, -1);
        QCOMPARE(pages[0].texts(), QStringList({"Başlık", "İlk:", "Sayfa1"}));
    }

    void labelsFillDownThenAcross()
    {
        ReportDefinition d;
        d.columns = 3;
        d.detail.height = 25.1;
        d.detail.items << Item::label(QStringLiteral("Sayın"), {"MS Sans Serif", 9}).at(1.3, 5.3)
                       << Item::value(QStringLiteral("Adi"), {"Arial", 10, true}).at(6.3, 5.3);
        const QVector<Page> pages = paginate(d, names(31));
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].rowCount, 30);
        QCOMPARE(pages[1].rowCount, 1);
        const double column = (210 - 2 * 12.7) / 3;
        const PlacedItem* tenth = pages[0].findText(QStringLiteral("Kişi 10"));
        QVERIFY(near(tenth->rect.left(), 12.7 + 5.3) && near(tenth->rect.top(), 12.7 + 9 * 25.1 + 6.3));
        const PlacedItem* eleventh = pages[0].findText(QStringLiteral("Kişi 11"));
        QVERIFY(near(eleventh->rect.left(), 12.7 + column + 5.3) && near(eleventh->rect.top(), 12.7 + 6.3));
        const PlacedItem* thirtieth = pages[0].findText(QStringLiteral("Kişi 30"));
        QVERIFY(near(thirtieth->rect.left(), 12.7 + 2 * column + 5.3));
        const PlacedItem* last = pages[1].findText(QStringLiteral("Kişi 31"));
        QVERIFY(near(last->rect.left(), 12.7 + 5.3) && near(last->rect.top(), 12.7 + 6.3));
    }

    void pagesAreLaidOutOnlyWhenAskedFor()
    {
        auto rows = std::make_shared<CountingRows>(names(5000));
        PagedReport report(listReport(), rows);
        const QVector<Page> eager = paginate(listReport(), names(5000));

        // A page far ahead: laid out alone, no row before it read.
        const Page& far = report.page(99);
        QCOMPARE(far.number, 100);
        QCOMPARE(far.texts(), eager[99].texts());
        QCOMPARE(report.layoutCount(), 1);
        QCOMPARE(rows->firstRead(), eager[99].firstRow);
        QVERIFY(!report.isComplete());
        QCOMPARE(report.pagesFound(), 100);

        // The count lays nothing out; past the end is the last page.
        QCOMPARE(report.pageCount(), int(eager.size()));
        QVERIFY(report.isComplete());
        QCOMPARE(report.layoutCount(), 1);
        QCOMPARE(report.page(int(eager.size()) + 5).texts(), eager.last().texts());
        QCOMPARE(report.page(0).texts(), eager[0].texts());

        // A printed range lays each of its pages out once, and no page before.
        rows->forget();
        const int before = report.layoutCount();
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        QVERIFY(report.render(writer, {10, 11, 12}));
        QCOMPARE(report.layoutCount() - before, 3);
        QCOMPARE(rows->firstRead(), eager[10].firstRow);
    }

    void aTooTallBandStillPrintsOnePerPage()
    {
        ReportDefinition d;
        d.paper = QPageSize::A5;
        d.detail.height = 300;
        d.detail.items << Item::value(QStringLiteral("Adi"), {"Arial", 9}).at(0, 0);
        const QVector<Page> pages = paginate(d, names(3));
        QCOMPARE(pages.size(), 3);
        QCOMPARE(pages[2].texts(), QStringList{"Kişi 3"});
    }
};

ZELVAR_TEST(TstPaginator)
#include "tst_paginator.moc"
