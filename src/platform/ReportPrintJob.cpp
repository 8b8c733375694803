// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReportPrintJob.h"
#include "platform/Prompter.h"

#include <QPrinter>

namespace zelvar {

namespace {

// Each chosen page once, in order, clamped to 1..pageCount.
std::vector<int> chosenPages(const QPrinter& printer, int pageCount, int currentPage)
{
    std::vector<int> pages;
    switch (printer.printRange()) {
    case QPrinter::CurrentPage:
        if (currentPage >= 0 && currentPage < pageCount)
            pages.push_back(currentPage);
        break;
    case QPrinter::PageRange:
        for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
            for (int page = qMax(1, range.from); page <= qMin(range.to, pageCount); ++page)
                pages.push_back(page - 1);
        break;
    case QPrinter::AllPages:
    case QPrinter::Selection: // not offered: a report has nothing to select
        for (int page = 0; page < pageCount; ++page)
            pages.push_back(page);
        break;
    }
    return pages;
}

// Sets the printer up for the report: its paper, no margins of its own (the
// report keeps its margins), and the report's title as job name.
void prepare(QPrinter& printer, report::PagedReport& report)
{
    printer.setDocName(report.title());
    printer.setFullPage(true);
    printer.setPageLayout(report.definition().pageLayout());
}

} // namespace

std::vector<int> ReportPrintJob::pagesToPrint(const QPrinter& printer, int pageCount, int currentPage)
{
    const std::vector<int> once = chosenPages(printer, pageCount, currentPage);
    // A printer that makes copies itself gets each page once.
    const int copies = printer.supportsMultipleCopies() ? 1 : qMax(1, printer.copyCount());
    std::vector<int> pages;
    pages.reserve(once.size() * size_t(copies));
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy)
            pages.insert(pages.end(), once.begin(), once.end());
    } else {
        for (int page : once)
            pages.insert(pages.end(), size_t(copies), page);
    }
    return pages;
}

ReportPrintJob::Result ReportPrintJob::run()
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, m_report);
    const int pageCount = m_report.pageCount();
    if (!m_prompter.choosePrinterPages(printer, pageCount, m_currentPage))
        return Result::Cancelled;
    printer.setFullPage(true);
    if (!m_printToFile.isEmpty())
        printer.setOutputFileName(m_printToFile);
    const std::vector<int> pages = pagesToPrint(printer, pageCount, m_currentPage);
    if (pages.empty()) {
        m_prompter.message(noPagesMessage(), MessageKind::Warning);
        return Result::NoPages;
    }
    if (!m_report.render(printer, pages)) {
        m_prompter.message(printFailedMessage(), MessageKind::Warning);
        return Result::Failed;
    }
    return Result::Printed;
}

} // namespace zelvar
