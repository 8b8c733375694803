// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a report honours the print dialog: page ranges (clamped), the page
// shown in the preview, copies the device cannot make, and "printed" only
// for a job that printed something.
#include "TestRegistry.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/QtPrinting.h"
#include "platform/ReportPrintJob.h"
#include "platform/fakes/FakeServices.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using namespace zelvar::report;

namespace {

// 420 rows: 10 pages.
std::shared_ptr<PagedReport> tenPages()
{
    ReportDefinition d;
    d.title = QStringLiteral("Sayfa Deneme");
    d.detail.height = 6.3;
    d.detail.items << Item::value(QStringLiteral("Adi"), {"Arial", 9}).at(0.8, 2.1);
    auto source = std::make_shared<TableRows>(QStringList{"Adi"});
    for (int i = 0; i < 420; ++i)
        source->addRow(QVariantList{QStringLiteral("Kişi %1").arg(i + 1)});
    return std::make_shared<PagedReport>(d, source);
}

// The first row printed on each page of the PDF.
QStringList firstRows(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    QStringList rows;
    const QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    for (const QString& page : pages) {
        const QStringList lines = page.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!lines.isEmpty())
            rows << lines.first().trimmed();
    }
    return rows;
}

// The first row of the report's pages (1-based), as printed.
QStringList expectedRows(std::initializer_list<int> pages)
{
    auto report = tenPages();
    QStringList rows;
    for (int page : pages)
        rows << report->page(page - 1).texts().first();
    return rows;
}

std::function<void(QPrinter&)> range(int from, int to, int copies = 1, bool collate = true)
{
    return [=](QPrinter& printer) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(from, to);
        printer.setCopyCount(copies);
        printer.setCollateCopies(collate);
    };
}

} // namespace

class TstReportPrintJob : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void previewPrintsTheChosenPagesAndCopies()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("yazici.pdf"));
        FakePrompter prompter;
        auto report = tenPages();
        PrintPreviewWindow w(report, prompter);
        w.setPrintToFile(pdf);
        int printed = 0;
        connect(&w, &PrintPreviewWindow::printed, [&printed] { ++printed; });

        // Pages 3-5; the dialog's limits count every page although only
        // page 1 is laid out, and printing keeps no more pages in memory.
        prompter.printerChoice(range(3, 5));
        QVERIFY(w.printReport());
        QCOMPARE(prompter.lastPrintPageCount, 10);
        QCOMPARE(prompter.lastPrintCurrentPage, 0);
        QCOMPARE(firstRows(pdf), expectedRows({3, 4, 5}));
        QCOMPARE(report->layoutCount(), 4); // page 1 shown, 3-5 printed

        // The page shown.
        w.nextPage();
        w.nextPage();
        w.nextPage();
        prompter.printerChoice([](QPrinter& printer) { printer.setPrintRange(QPrinter::CurrentPage); });
        QVERIFY(w.printReport());
        QCOMPARE(prompter.lastPrintCurrentPage, 3);
        QCOMPARE(firstRows(pdf), expectedRows({4}));

        // A PDF file makes no copies of its own: the pages go twice,
        // collated or not; a range past the last page is clamped.
        prompter.printerChoice(range(9, 15, 2, true));
        QVERIFY(w.printReport());
        QCOMPARE(firstRows(pdf), expectedRows({9, 10, 9, 10}));
        prompter.printerChoice(range(9, 15, 2, false));
        QVERIFY(w.printReport());
        QCOMPARE(firstRows(pdf), expectedRows({9, 9, 10, 10}));
        QCOMPARE(printed, 4);

        // Nothing in the range: nothing printed, no "printed", and the user told.
        QFile::remove(pdf);
        prompter.printerChoice(range(11, 20));
        QVERIFY(!w.printReport());
        QCOMPARE(prompter.lastText(), ReportPrintJob::noPagesMessage());
        QVERIFY(!QFile::exists(pdf));
        prompter.printer(false);
        QVERIFY(!w.printReport());
        QCOMPARE(printed, 4);
        QCOMPARE(w.printCount(), 4);
        QVERIFY(prompter.unexpected.isEmpty());
    }

    void printingWithoutPreviewOffersNoCurrentPage()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("dosya.pdf"));
        FakePrompter prompter;
        QtPrinting printing(prompter);
        prompter.printerChoice([&pdf](QPrinter& printer) {
            range(10, 10)(printer);
            printer.setOutputFileName(pdf); // "print to file" in the dialog
        });
        QVERIFY(printing.print(tenPages()));
        QCOMPARE(prompter.lastPrintCurrentPage, -1);
        QCOMPARE(firstRows(pdf), expectedRows({10}));
        prompter.printer(false);
        QVERIFY(!printing.print(tenPages()));
    }

    void severalRangesPrintInOrder()
    {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2-3,7,9-12")));
        QCOMPARE(ReportPrintJob::pagesToPrint(printer, 10, 0), std::vector<int>({1, 2, 6, 8, 9}));
        printer.setPrintRange(QPrinter::AllPages);
        printer.setCopyCount(3);
        printer.setCollateCopies(false);
        QCOMPARE(ReportPrintJob::pagesToPrint(printer, 2, 0), std::vector<int>({0, 0, 0, 1, 1, 1}));
        printer.setPrintRange(QPrinter::CurrentPage);
        QCOMPARE(ReportPrintJob::pagesToPrint(printer, 2, -1), std::vector<int>());
    }
};

ZELVAR_TEST(TstReportPrintJob)
#include "tst_reportprintjob.moc"
