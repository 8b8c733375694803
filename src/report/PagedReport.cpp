#include "report/PagedReport.h"
#include "report/PagePainter.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace zelvar::report {

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

bool PagedReport::writePdf(const QString& path)
{
    QPdfWriter writer(path);
    writer.setTitle(m_def->title);
    writer.setCreator(QStringLiteral("Zelvar 2001"));
    writer.setResolution(1200);
    return render(writer);
}

} // namespace zelvar::report
