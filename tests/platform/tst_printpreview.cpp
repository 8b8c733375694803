// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview window: caption, first page before the rest, zoom,
// navigation, print and PDF; and the fake printing service's log rules.
#include "TestRegistry.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/fakes/FakeServices.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using namespace zelvar::report;

namespace {

std::shared_ptr<PagedReport> longList(int rows)
{
    ReportDefinition d;
    d.title = QStringLiteral("Zelvar 2001 [Deneme]");
    d.detail.height = 6.3;
    d.detail.items << Item::value(QStringLiteral("Adi"), {"Arial", 9}).at(0.8, 2.1);
    d.pageFooter.height = 6.3;
    d.pageFooter.items << Item::pageNo(QStringLiteral("Sayfa"), {"Arial", 9}).at(1.1, 2.1);
    auto source = std::make_shared<TableRows>(QStringList{"Adi"});
    for (int i = 0; i < rows; ++i)
        source->addRow(QVariantList{QStringLiteral("Kişi %1").arg(i + 1)});
    return std::make_shared<PagedReport>(d, source);
}

} // namespace

class TstPrintPreview : public QObject {
    Q_OBJECT
private slots:
    void showsTheFirstPageBeforeTheRestAndNavigates()
    {
        FakePrompter prompter;
        auto report = longList(2000); // 42 rows a page: 48 pages
        PrintPreviewWindow w(report, prompter);
        QCOMPARE(w.windowTitle(), QStringLiteral("Zelvar 2001 [Deneme]"));
        QCOMPARE(report->layoutCount(), 1);
        QCOMPARE(w.pageText(), QStringLiteral("Sayfa 1 / 1+"));
        w.nextPage();
        QCOMPARE(w.currentPage(), 1);
        QTRY_VERIFY(report->isComplete()); // the pages are found while idle
        QCOMPARE(w.pageText(), QStringLiteral("Sayfa 2 / 48"));
        w.lastPage();
        QCOMPARE(w.pageText(), QStringLiteral("Sayfa 48 / 48"));
        QCOMPARE(report->layoutCount(), 3); // only the pages shown
        w.nextPage();
        QCOMPARE(w.currentPage(), 47);
        w.firstPage();
        w.priorPage();
        QCOMPARE(w.currentPage(), 0);

        w.resize(600, 700);
        w.setZoom(PrintPreviewWindow::Zoom::WholePage);
        const QSize whole = w.pageViewSize();
        w.setZoom(PrintPreviewWindow::Zoom::PageWidth);
        QVERIFY(w.pageViewSize().height() > whole.height());
        w.setZoom(PrintPreviewWindow::Zoom::Actual);
        // A4 at the screen's resolution.
        QVERIFY(std::abs(w.pageViewSize().width() - 32 - 210 * w.logicalDpiX() / 25.4) < 2);
        QVERIFY(prompter.unexpected.isEmpty());
        // ZELVAR_SHOT_DIR keeps a picture of the window for a look.
        if (qEnvironmentVariableIsSet("ZELVAR_SHOT_DIR")) {
            w.setZoom(PrintPreviewWindow::Zoom::WholePage);
            w.grab().save(qEnvironmentVariable("ZELVAR_SHOT_DIR") + QStringLiteral("/preview.png"));
        }
    }

    void printsOncePerCompletedJobAndSavesPdf()
    {
        QTemporaryDir dir;
        FakePrompter prompter;
        PrintPreviewWindow w(longList(100), prompter);
        int printed = 0;
        connect(&w, &PrintPreviewWindow::printed, [&printed] { ++printed; });
        w.setPrintToFile(dir.filePath(QStringLiteral("yazici.pdf")));
        prompter.printer(false); // the printer dialog cancelled
        QVERIFY(!w.printReport());
        QCOMPARE(printed, 0);
        prompter.printer(true);
        prompter.printer(true);
        QVERIFY(w.printReport());
        QVERIFY(w.printReport());
        QCOMPARE(printed, 2);
        QCOMPARE(w.printCount(), 2);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("yazici.pdf"))).size() > 1000);

        prompter.file(dir.filePath(QStringLiteral("rapor")));
        QVERIFY(w.saveAsPdf());
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("rapor.pdf"))));
        prompter.file(QStringLiteral("/olmayan/klasor/rapor.pdf"));
        QVERIFY(!w.saveAsPdf());
        QCOMPARE(prompter.lastText(), QStringLiteral("PDF dosyası yazılamadı !"));
        QCOMPARE(printed, 2);
    }

    void fakePrintingAnswersFromItsScript()
    {
        FakePrinting printing;
        int logged = 0;
        printing.answerPrinted(2);
        QVERIFY(printing.preview(longList(10), [&logged] { ++logged; }));
        QCOMPARE(logged, 2);
        QVERIFY(!printing.preview(longList(10), [&logged] { ++logged; })); // script used up: not printed
        QCOMPARE(logged, 2);
        QCOMPARE(printing.titles(), QStringList({"Zelvar 2001 [Deneme]", "Zelvar 2001 [Deneme]"}));
        QVERIFY(printing.lastReport()->isComplete());
    }
};

ZELVAR_TEST(TstPrintPreview)
#include "tst_printpreview.moc"
