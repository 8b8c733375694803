#pragma once
// PagedReport: a report definition with its rows, laid out page by page as
// pages are asked for, and painted through PagePainter. This is what the
// preview shows, the printer prints and the PDF writer writes.
//
//   auto report = std::make_shared<PagedReport>(definition, rows);
//   report->layoutMore(1);          // page 1 only: enough to show it
//   report->paintPage(0, painter);
//   report->writePdf("/tmp/x.pdf");  // lays out the rest
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

    // Lays out up to `pages` more pages; false once every page is laid out.
    bool layoutMore(int pages = 1);
    bool isComplete() const { return m_paginator->atEnd(); }
    int pagesLaidOut() const { return int(m_pages.size()); }
    int pageCount(); // lays out every page first
    // The number of pages, counting the pages not laid out yet on a
    // paginator of its own without keeping them, so memory stays flat.
    int countPages();
    // The page (0-based), laying out the pages up to it; an index past the
    // last page gives the last page.
    const Page& page(int index);

    // Paints the page with the painter's origin at the paper's corner.
    void paintPage(int index, QPainter& painter);
    // Every page on a printer or PDF writer, one device page each, with the
    // report's paper; the device must have no margins of its own. Pages not
    // laid out yet are not kept.
    bool render(QPagedPaintDevice& device);
    // The given pages (0-based) in the given order, repeats allowed, one
    // device page each. Indices past the last page are left out.
    bool render(QPagedPaintDevice& device, const std::vector<int>& pages);
    bool writePdf(const QString& path);

private:
    class PageStream;
    std::unique_ptr<const ReportDefinition> m_def; // pages point into it: it never moves
    std::shared_ptr<const RowSource> m_rows;
    std::unique_ptr<Paginator> m_paginator;
    std::vector<Page> m_pages;
};

} // namespace zelvar::report
