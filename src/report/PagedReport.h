// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PagedReport: a report definition with its rows, laid out page by page as
// pages are asked for, and painted through PagePainter. This is what the
// preview shows, the printer prints and the PDF writer writes.
//
//   auto report = std::make_shared<PagedReport>(definition, rows);
//   report->paintPage(0, painter);   // page 1 only: enough to show it
//   report->pageCount();             // finds the page breaks, lays out nothing
//   report->writePdf("/tmp/x.pdf");  // lays out, writes and drops each page
//
// What a report keeps is where each page starts (its first row), never the
// laid-out pages beyond the last few shown, so that a register of a million
// residents previews and prints in the memory of a few pages.
#include "report/Paginator.h"

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace zelvar::report {

class PagedReport {
public:
    PagedReport(ReportDefinition definition, std::shared_ptr<const RowSource> rows);

    const ReportDefinition& definition() const { return *m_def; }
    QString title() const { return m_def->title; }

    // Finds where up to `pages` more pages start, without laying them out;
    // false once the last page is found.
    bool findMore(int pages = 1);
    bool isComplete() const { return m_finder.atEnd(); }
    int pagesFound() const { return int(m_starts.size()); }
    int pageCount(); // finds every page first
    // The page (0-based), laid out when asked for; an index past the last
    // page gives the last page. Only the few pages asked for last are kept:
    // any other is laid out again from where it starts. The page comes as a
    // copy (its texts and pictures are shared, not copied), so a caller may
    // hold it while asking for others.
    Page page(int index);
    // How many pages have been laid out so far, repeats counted.
    int layoutCount() const { return m_layouts; }

    // Paints the page with the painter's origin at the paper's corner.
    void paintPage(int index, QPainter& painter);
    // Every page on a printer or PDF writer, one device page each, with the
    // report's paper; the device must have no margins of its own. Each page
    // is laid out, drawn and dropped: a long report prints in flat memory.
    bool render(QPagedPaintDevice& device);
    // The given pages (0-based) in the given order, repeats allowed, one
    // device page each. Indices past the last page are left out.
    bool render(QPagedPaintDevice& device, const std::vector<int>& pages);
    bool writePdf(const QString& path);

private:
    // Finds pages until the one asked for is found or the report ends.
    void findUpTo(int index);
    Page layOut(int index);

    std::unique_ptr<const ReportDefinition> m_def; // pages point into it: it never moves
    std::shared_ptr<const RowSource> m_rows;
    Paginator m_finder;                        // at the start of the first page not found yet
    std::vector<Paginator::Position> m_starts; // where each page found starts
    Paginator m_layout;
    struct KeptPage {
        int index;
        Page page;
    };
    std::vector<KeptPage> m_kept; // the pages asked for last, newest at the back
    int m_layouts = 0;
};

} // namespace zelvar::report
