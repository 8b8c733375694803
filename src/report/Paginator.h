// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paginator: lays a report definition and its rows out into pages, one page
// per call, so that a preview can show page 1 before the rest exist.
//
// Bands go, on each page, from the top of the printable area: the title band
// (first page only), the column header (every page; its fields come from the
// page's first row), the detail bands (one per row, down the first label
// column, then the next), and at the bottom of the printable area the page
// footer, whose room is kept free on every page. A report without rows still
// gives one page with its title, header and footer.
#include "report/Page.h"
#include "report/ReportDefinition.h"
#include "report/ReportFonts.h"
#include "report/RowSource.h"
#include "report/TextFitter.h"

#include <QHash>

namespace zelvar::report {

class Paginator {
public:
    // Both must outlive the paginator and the pages it gives.
    Paginator(const ReportDefinition& definition, const RowSource& rows);

    // Where the next page starts: enough to lay that page out again later
    // without the pages before it.
    struct Position {
        int row = 0;        // its first detail row
        int pageNumber = 0; // of the page before it
    };

    bool atEnd() const { return m_done; }
    Page nextPage();
    // Goes past the next page without placing its items: page breaks depend
    // on band heights only, so finding where pages start costs next to
    // nothing.
    void skipPage();
    Position position() const { return {m_nextRow, m_pageNumber}; }
    // Continues from a position taken earlier from a paginator of the same
    // report and rows.
    void seek(Position position);

private:
    // Lays out the next page; without `place` only the page's rows are
    // counted.
    Page layoutPage(bool place);
    void placeBand(Page& page, const Band& band, QPointF origin, double width, int row);
    void placeText(Page& page, const Item& item, QPointF origin, double bandWidth, int row, int pageNumber);
    void placeBox(Page& page, const Item& item, QPointF origin, double bandWidth, double bandHeight, int row);
    QVariant fieldValue(const Item& item, int row);
    int placeDetails(Page& page, double top, double bottom, bool place);

    const ReportDefinition& m_def;
    const RowSource& m_rows;
    ReportFonts m_fonts;
    TextFitter m_fitter{m_fonts};
    QHash<const Item*, int> m_fieldIndex;
    QHash<const Item*, double> m_lineHeight; // mm, per text item
    int m_nextRow = 0;
    int m_pageNumber = 0;
    bool m_done = false;
};

// Every page at once.
QVector<Page> paginate(const ReportDefinition& definition, const RowSource& rows);

} // namespace zelvar::report
