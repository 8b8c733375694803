// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a 3,000-page report from the preview (page 1 laid out) to a PDF
// file through the print job: every page, and pages 2990-3000. Time and the
// peak memory added, each beside its floor measured in the same run: the
// same texts, lines and page numbers drawn by a bare QPdfWriter loop, for
// the range only the range's rows; last, for comparison, the time of
// finding every page break.
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
    const Figures floorAll = run([&] { list::barePdf(*source, dir.filePath("floor.pdf")); });
    const Figures all = run([&] {
        PrintPreviewWindow window(std::make_shared<PagedReport>(listDefinition(), source), prompter);
        window.setPrintToFile(pdf);
        prompter.choose = [](QPrinter& p) { p.setPrintRange(QPrinter::AllPages); };
        window.printReport();
    });
    line("Print from preview, all pages", all, "bare QPdfWriter", floorAll);

    // The last eleven pages.
    const int from = pages - 10;
    const ReportDefinition definition = listDefinition();
    const Figures floorRange =
        run([&] { list::barePdf(*source, dir.filePath("bare.pdf"), (from - 1) * kRowsPerPage, from); });
    const Figures range = run([&] {
        PrintPreviewWindow window(std::make_shared<PagedReport>(listDefinition(), source), prompter);
        window.setPrintToFile(pdf);
        prompter.choose = [from, pages](QPrinter& p) {
            p.setPrintRange(QPrinter::PageRange);
            p.setFromTo(from, pages);
        };
        window.printReport();
    });
    line(qPrintable(QStringLiteral("Print from preview, pages %1-%2").arg(from).arg(pages)), range, "bare QPdfWriter",
         floorRange);

    const Figures counted = run([&] { PagedReport(listDefinition(), source).pageCount(); });
    std::printf("%-34s %8.0f ms %7.1f MB\n", "(every page break found)", counted.ms, counted.addedMb);
    return 0;
}
