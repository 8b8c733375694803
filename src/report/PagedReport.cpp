#include "report/PagedReport.h"
#include "report/PagePainter.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace zelvar::report {

// Pages past those laid out, one at a time from a paginator of its own, so
// that they can be painted and dropped: a long report prints in flat memory.
// Asking for a page before the one held starts the paginator over.
class PagedReport::PageStream {
public:
    PageStream(const ReportDefinition& definition, const RowSource& rows)
        : m_def(definition),
          m_rows(rows)
    {
    }

    // nullptr when the report has fewer pages.
    const Page* page(int index)
    {
        if (!m_paginator || index < m_index) {
            m_paginator = std::make_unique<Paginator>(m_def, m_rows);
            m_index = -1;
        }
        while (m_index < index) {
            if (m_paginator->atEnd())
                return nullptr;
            m_page = m_paginator->nextPage();
            ++m_index;
        }
        return &m_page;
    }

private:
    const ReportDefinition& m_def;
    const RowSource& m_rows;
    std::unique_ptr<Paginator> m_paginator;
    int m_index = -1; // of m_page
    Page m_page;
};

PagedReport::PagedReport(ReportDefinition definition, std::shared_ptr<const RowSource> rows)
    : m_def(std::make_unique<const ReportDefinition>(std::move(definition))),
      m_rows(rows ? std::move(rows) : std::make_shared<NoRows>()),
      m_paginator(std::make_unique<Paginator>(*m_def, *m_rows))
{
}

bool PagedReport::layoutMore(int pages)
{
    for (int i = 0; i < pages && !m_paginator->atEnd(); ++i)
        m_pages.push_back(m_paginator->nextPage());
    return !m_paginator->atEnd();
}

int PagedReport::pageCount()
{
    while (layoutMore(64)) {
    }
    return int(m_pages.size());
}

int PagedReport::countPages()
{
    if (isComplete())
        return int(m_pages.size());
    Paginator counter(*m_def, *m_rows);
    int count = 0;
    for (; !counter.atEnd(); ++count)
        counter.nextPage();
    return count;
}

const Page& PagedReport::page(int index)
{
    while (int(m_pages.size()) <= index && layoutMore(1)) {
    }
    if (m_pages.empty())
        layoutMore(1);
    return m_pages[std::clamp<size_t>(size_t(qMax(0, index)), 0, m_pages.size() - 1)];
}

void PagedReport::paintPage(int index, QPainter& painter)
{
    PagePainter(painter).paint(page(index));
}

bool PagedReport::render(QPagedPaintDevice& device)
{
    device.setPageLayout(m_def->pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PagePainter pagePainter(painter);
    bool first = true;
    const auto paint = [&](const Page& page) {
        if (!first && !device.newPage())
            return false;
        first = false;
        pagePainter.paint(page);
        return true;
    };
    if (isComplete()) {
        for (const Page& page : m_pages)
            if (!paint(page))
                return false;
    } else {
        // Pages not laid out yet are laid out, painted and dropped one at a
        // time, so that a long report prints in flat memory.
        Paginator paginator(*m_def, *m_rows);
        do {
            if (!paint(paginator.nextPage()))
                return false;
        } while (!paginator.atEnd());
    }
    return painter.end();
}

bool PagedReport::render(QPagedPaintDevice& device, const std::vector<int>& pages)
{
    if (pages.empty())
        return false; // a job without pages would still give the device a blank sheet
    device.setPageLayout(m_def->pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PagePainter pagePainter(painter);
    PageStream stream(*m_def, *m_rows);
    bool first = true;
    for (int index : pages) {
        if (index < 0)
            continue;
        const Page* page = index < int(m_pages.size()) ? &m_pages[size_t(index)] : stream.page(index);
        if (!page)
            continue;
        if (!first && !device.newPage())
            return false;
        first = false;
        pagePainter.paint(*page);
    }
    return painter.end();
}

bool PagedReport::writePdf(const QString& path)
{
    QPdfWriter writer(path);
    writer.setTitle(m_def->title);
    writer.setCreator(QStringLiteral("Zelvar 2001"));
    writer.setResolution(1200);
    return render(writer);
}

} // namespace zelvar::report
