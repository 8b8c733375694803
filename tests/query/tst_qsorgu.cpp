// SPDX-License-Identifier: GPL-3.0-or-later
// The query list report's printed layout: bands, columns by the set-up,
// page numbers, the title that may be empty.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/QueryDialect.h"
#include "query/TQSorgu.h"
#include "report/PagedReport.h"

#include <QTest>

using namespace zelvar;
using namespace zelvar::report;
using zelvar::testing::DataFixture;

namespace {

constexpr double kMargin = 12.7;
const QDateTime kNow(QDate(2026, 12, 9), QTime(9, 30, 5));

void checkAt(const PlacedItem* item, double left, double top)
{
    QVERIFY(item);
    QVERIFY2(qAbs(item->rect.left() - left) < 0.01 && qAbs(item->rect.top() - top) < 0.01,
             qPrintable(QStringLiteral("%1 at %2/%3, expected %4/%5")
                            .arg(item->text)
                            .arg(item->rect.left())
                            .arg(item->rect.top())
                            .arg(left)
                            .arg(top)));
}

QueryListReport::Columns columns(const QList<QueryListColumn>& given)
{
    QueryListReport::Columns c;
    for (int i = 0; i < given.size(); ++i)
        c[i] = given[i];
    return c;
}

} // namespace

class QSorguTest : public QObject {
    Q_OBJECT
private slots:
    void bandsAndColumns()
    {
        TQSorgu report;
        report.setUp("Evli Kadınlar",
                     columns({{"Ev No", "EvNo"}, {"Telefonu", "Telefon"}, {"", "Sokak"}, {"Boş", ""}}));
        auto rows = std::make_shared<TableRows>(QStringList{"Adi", "Sokak", "EvNo", "Telefon"});
        rows->addRow(QVariantList{"Ayşe Işık", "İğde Sk.", "68/5", "555 1234"});
        rows->addRow(QVariantList{"Ali Kaya", "Gül Sk.", "3", ""});
        PagedReport paged(report.definition(kNow), rows);
        QCOMPARE(paged.title(), QString("Dravenko 2000 [Sorgu Listeleri]"));
        QCOMPARE(paged.definition().paper, QPageSize::Letter);
        QCOMPARE(paged.pageCount(), 1);
        const Page& page = paged.page(0);

        // Title band: the list title centred, the date and time beside it.
        const PlacedItem* title = page.findText("Evli Kadınlar");
        QVERIFY(title);
        QVERIFY(qAbs(title->rect.center().x() - (kMargin + 190.5 / 2)) < 0.1);
        QCOMPARE(title->rect.top(), kMargin + 2.1);
        QCOMPARE(title->item->font, FontSpec("Arial", 14));
        checkAt(page.findText("09.12.2026 09:30:05"), kMargin + 146.1, kMargin + 4.2);
        QCOMPARE(page.findText("09.12.2026 09:30:05")->item->font, FontSpec("Arial", 9, true));

        // Column header: the fixed name heading and the headings set up.
        const double header = kMargin + 10.6;
        checkAt(page.findText("Adı Soyadı"), kMargin + 2.1, header + 0.8);
        checkAt(page.findText("Ev No"), kMargin + 42.3, header + 0.8);
        checkAt(page.findText("Telefonu"), kMargin + 60.1, header + 0.8);
        QCOMPARE(page.findText("Telefonu")->item->font, FontSpec("Arial", 9, true));
        // A heading without field prints; a field without heading prints.
        checkAt(page.findText("Boş"), kMargin + 96.0, header + 0.8);

        // Detail rows, 6.1 mm each.
        const double detail = header + 6.1;
        checkAt(page.findText("Ayşe Işık"), kMargin + 2.1, detail + 0.8);
        checkAt(page.findText("68/5"), kMargin + 42.3, detail + 0.8);
        checkAt(page.findText("555 1234"), kMargin + 60.3, detail + 0.8);
        checkAt(page.findText("İğde Sk."), kMargin + 78.1, detail + 0.8);
        checkAt(page.findText("Ali Kaya"), kMargin + 2.1, detail + 6.1 + 0.8);
        QCOMPARE(page.findText("Ali Kaya")->item->font, FontSpec("Arial", 9));

        checkAt(page.findText("Sayfa1"), kMargin + 2.1, 279.4 - kMargin - 6.3 + 1.1);
        int frames = 0;
        for (const PlacedItem& item : page.items)
            frames += item.kind == ItemKind::Frame;
        QCOMPARE(frames, 2); // title and column header
    }

    void emptyTitleAndNamesOnly()
    {
        TQSorgu report;
        report.setUp("", {});
        auto rows = std::make_shared<TableRows>(QStringList{"Adi"});
        for (int i = 1; i <= 80; ++i)
            rows->addRow(QVariantList{QStringLiteral("Kişi %1").arg(i)});
        PagedReport paged(report.definition(kNow), rows);
        // First page 37 rows under the title, then 39 a page.
        QCOMPARE(paged.pageCount(), 3);
        QCOMPARE(paged.page(0).rowCount, 37);
        QCOMPARE(paged.page(1).rowCount, 39);
        const Page& first = paged.page(0);
        // The title band holds only the date and time; the header only the name heading.
        QCOMPARE(first.texts().mid(0, 2), (QStringList{"09.12.2026 09:30:05", "Adı Soyadı"}));
        QCOMPARE(first.texts()[2], QString("Kişi 1"));
        QVERIFY(paged.page(2).findText("Sayfa3"));
        QCOMPARE(paged.page(2).findText("Adı Soyadı")->rect.top(), kMargin + 0.8); // header repeated
    }

    void setUpReplacesEverything()
    {
        TQSorgu report;
        report.setUp("Birinci", columns({{"A", "Sokak"}, {"B", "EvNo"}}));
        report.setUp("İkinci", columns({{"C", "Telefon"}}));
        QCOMPARE(report.listTitle(), QString("İkinci"));
        QCOMPARE(report.columns()[0], (QueryListColumn{"C", "Telefon"}));
        QCOMPARE(report.columns()[1], QueryListColumn{});
    }

    void printsTheFreeQuery()
    {
        DataFixture f;
        f.addResident("Ayşe Işık", 1, {{"DogTar", QDate(1990, 5, 1)}});
        TQSorgu report;
        report.setUp("", columns({{"Doğum", "DogTar"}, {"No", "KayitNo"}}));
        // A closed query: the report prints with no rows.
        QCOMPARE(report.build(f.dm().Query7, kNow)->page(0).rowCount, 0);
        runFreeQuery(*f.dm().Query7, "Adi, KayitNo, DogTar", "");
        auto paged = report.build(f.dm().Query7, kNow);
        const Page& page = paged->page(0);
        QVERIFY(page.findText("Ayşe Işık"));
        QVERIFY(page.findText("01.05.1990")); // as displayed
        QVERIFY(page.findText("1"));
    }
};

ZELVAR_TEST(QSorguTest)
#include "tst_qsorgu.moc"
