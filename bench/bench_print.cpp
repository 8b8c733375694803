// Printing a 3,000-page report from the preview (page 1 laid out) to a PDF
// file through the print job: every page, and pages 2990-3000. Time and the
// peak memory added, each beside its floor measured in the same run: the
// report written straight to PDF (pages laid out, drawn and dropped one at a
// time), and, for the range, a bare paginator run up to those pages, which
// are then drawn into a QPdfWriter; last, for comparison, the memory that
// keeping every page laid out would take.
//   build/bench/bench_print [pages, default 3000]
#include "BenchList.h"
#include "BenchSupport.h"
#include "SilentServices.h"
#include "platform/PrintPreviewWindow.h"
#include "report/PagePainter.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

using namespace zelvar;
using namespace zelvar::bench;
using namespace zelvar::report;

namespace {

constexpr int kRowsPerPage = 44; // at 6.1 mm a row, with the footer

// The print dialog answered with a chosen range.
class RangePrompter : public SilentPrompter {
public:
    std::function<void(QPrinter&)> choose;
    bool choosePrinter(QPrinter& printer) override
    {
        choose(printer);
        return true;
    }
};

ReportDefinition listDefinition()
{
    return list::definition(QStringLiteral("Zelvar 2001 [Uzun Liste]"));
}

struct Figures {
    double ms = 0;
    double addedMb = 0;
};

Figures run(const std::function<void()>& fn)
{
    resetPeak();
    const double before = residentMb();
    const Sample s = measure(fn);
    return {s.wallMs, peakMb() - before};
}

void line(const char* what, const Figures& ours, const char* floorName, const Figures& floor)
{
    std::printf("%-34s %8.0f ms %7.1f MB   %-22s %8.0f ms %7.1f MB\n", what, ours.ms, ours.addedMb, floorName, floor.ms,
                floor.addedMb);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int pages = argc > 1 ? std::atoi(argv[1]) : 3000;
    const auto source = list::rows(pages * kRowsPerPage);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("yazici.pdf"));
    RangePrompter prompter;
    std::printf("%d pages; memory is the peak added during the operation\n", pages);

    // Every page.
    const Figures floorAll = run([&] { PagedReport(listDefinition(), source).writePdf(dir.filePath("floor.pdf")); });
    const Figures all = run([&] {
        PrintPreviewWindow window(std::make_shared<PagedReport>(listDefinition(), source), prompter);
        window.setPrintToFile(pdf);
        prompter.choose = [](QPrinter& p) { p.setPrintRange(QPrinter::AllPages); };
        window.printReport();
    });
    line("Print from preview, all pages", all, "report straight to PDF", floorAll);

    // The last eleven pages.
    const int from = pages - 10;
    const ReportDefinition definition = listDefinition();
    const Figures floorRange = run([&] {
        Paginator paginator(definition, *source);
        for (int p = 1; p < from; ++p)
            paginator.nextPage();
        QPdfWriter writer(dir.filePath("bare.pdf"));
        writer.setResolution(1200);
        writer.setPageLayout(definition.pageLayout());
        QPainter painter(&writer);
        PagePainter pagePainter(painter);
        for (int p = from; p <= pages; ++p) {
            if (p > from)
                writer.newPage();
            pagePainter.paint(paginator.nextPage());
        }
    });
    const Figures range = run([&] {
        PrintPreviewWindow window(std::make_shared<PagedReport>(listDefinition(), source), prompter);
        window.setPrintToFile(pdf);
        prompter.choose = [from, pages](QPrinter& p) {
            p.setPrintRange(QPrinter::PageRange);
            p.setFromTo(from, pages);
        };
        window.printReport();
    });
    line(qPrintable(QStringLiteral("Print from preview, pages %1-%2").arg(from).arg(pages)), range,
         "bare paginator + PDF", floorRange);

    const Figures kept = run([&] { PagedReport(listDefinition(), source).pageCount(); });
    std::printf("%-34s %8.0f ms %7.1f MB\n", "(every page laid out and kept)", kept.ms, kept.addedMb);
    return 0;
}
