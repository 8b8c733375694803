// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/PagedReport.h"
#include "report/PagePainter.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>

namespace zelvar::report {

namespace {

// The current page and the ones beside it: enough for paging back and forth
// without laying a page out again.
constexpr size_t kKeptPages = 3;

} // namespace

PagedReport::PagedReport(ReportDefinition definition, std::shared_ptr<const RowSource> rows)
    : m_def(std::make_unique<const ReportDefinition>(std::move(definition))),
      m_rows(rows ? std::move(rows) : std::make_shared<NoRows>()),
      m_finder(*m_def, *m_rows),
      m_layout(*m_def, *m_rows)
{
}

bool PagedReport::findMore(int pages)
{
    for (int i = 0; i < pages && !m_finder.atEnd(); ++i) {
        m_starts.push_back(m_finder.position());
        m_finder.skipPage();
    }
    return !m_finder.atEnd();
}

int PagedReport::pageCount()
{
    while (findMore(4096)) {
    }
    return pagesFound();
}

void PagedReport::findUpTo(int index)
{
    while (pagesFound() <= index && findMore(1)) {
    }
}

Page PagedReport::layOut(int index)
{
    m_layout.seek(m_starts[size_t(index)]);
    ++m_layouts;
    return m_layout.nextPage();
}

Page PagedReport::page(int index)
{
    findUpTo(index);
    const int shown = std::clamp(index, 0, pagesFound() - 1);
    const auto kept =
        std::find_if(m_kept.begin(), m_kept.end(), [shown](const KeptPage& p) { return p.index == shown; });
    if (kept != m_kept.end()) {
        std::rotate(kept, kept + 1, m_kept.end());
        return m_kept.back().page;
    }
    if (m_kept.size() >= kKeptPages)
        m_kept.erase(m_kept.begin());
    m_kept.push_back({shown, layOut(shown)});
    return m_kept.back().page;
}

void PagedReport::paintPage(int index, QPainter& painter)
{
    PagePainter(painter).paint(page(index));
}

bool PagedReport::render(QPagedPaintDevice& device)
{
    std::vector<int> all(static_cast<size_t>(pageCount()));
    std::iota(all.begin(), all.end(), 0);
    return render(device, all);
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
    bool first = true;
    for (int index : pages) {
        findUpTo(index);
        if (index < 0 || index >= pagesFound())
            continue;
        if (!first && !device.newPage())
            return false;
        first = false;
        const auto kept =
            std::find_if(m_kept.begin(), m_kept.end(), [index](const KeptPage& p) { return p.index == index; });
        pagePainter.paint(kept != m_kept.end() ? kept->page : layOut(index));
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
