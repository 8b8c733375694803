// SPDX-License-Identifier: GPL-3.0-or-later
#include "query/TQSorgu.h"

#include "query/QueryRows.h"
#include "report/PagedReport.h"

namespace zelvar {

using namespace report;

namespace {

// Left edges of the eight columns, mm from the band's left. Headings 2 and
// 6 stand 0.2 mm left of their fields.
constexpr double kHeadingLefts[QueryListReport::kColumnCount] = {42.3, 60.1, 78.1, 96.0, 114.0, 131.8, 149.8, 169.9};
constexpr double kFieldLefts[QueryListReport::kColumnCount] = {42.3, 60.3, 78.1, 96.0, 114.0, 132.0, 149.8, 169.9};

FontSpec arial(double size, bool bold = false)
{
    return FontSpec(QStringLiteral("Arial"), size, bold);
}

} // namespace

void TQSorgu::setUp(const QString& listTitle, const Columns& columns)
{
    m_listTitle = listTitle;
    m_columns = columns;
}

ReportDefinition TQSorgu::definition(const QDateTime& now) const
{
    ReportDefinition def;
    def.title = title();
    def.paper = QPageSize::Letter;
    def.orientation = QPageLayout::Portrait;
    def.margins = QMarginsF(12.7, 12.7, 12.7, 12.7);

    Band& titleBand = def.titleBand;
    titleBand.height = 10.6;
    titleBand.items << Item::frame();
    if (!m_listTitle.isEmpty())
        titleBand.items << Item::label(m_listTitle, arial(14)).centredAcross(2.1);
    const QString stamp = now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    titleBand.items << Item::label(stamp, arial(9, true)).at(4.2, 146.1);

    Band& header = def.columnHeader;
    header.height = 6.1;
    header.items << Item::frame() << Item::label(nameHeading(), arial(9, true)).at(0.8, 2.1);

    Band& detail = def.detail;
    detail.height = 6.1;
    detail.items << Item::value(QStringLiteral("Adi"), arial(9)).at(0.8, 2.1);

    for (int i = 0; i < kColumnCount; ++i) {
        const QueryListColumn& column = m_columns[i];
        if (!column.heading.isEmpty())
            header.items << Item::label(column.heading, arial(9, true)).at(0.8, kHeadingLefts[i]);
        if (!column.field.isEmpty())
            detail.items << Item::value(column.field, arial(9)).at(0.8, kFieldLefts[i]);
    }

    Band& footer = def.pageFooter;
    footer.height = 6.3;
    footer.items << Item::pageNo(QStringLiteral("Sayfa"), arial(9)).at(1.1, 2.1);
    return def;
}

std::shared_ptr<PagedReport> TQSorgu::build(const Dataset* rows, const QDateTime& now) const
{
    return std::make_shared<PagedReport>(definition(now), std::make_shared<QueryRows>(rows));
}

} // namespace zelvar
